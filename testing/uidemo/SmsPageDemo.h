#pragma once
// The text-vote page as a user sees it: inside a window of its own on a
// simulated host, its settings loaded from a chart document and polling
// stopped. Returns when the window closes; false when it could not be made.

bool ShowSmsPage();
