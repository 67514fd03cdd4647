#pragma once
// Plotvane's chart editor as the host shows it, in a frame of its own over
// a simulated host whose scene has a pie chart document. Returns when the
// frame closes.

// `logTab`: with the "Log" tab in front and a few lines in it.
void ShowQuillonEditor(bool logTab);
