#pragma once
// Plotvane's chart editor dialogs as a user sees them, on a simulated host
// with a line chart selected. Each returns when its window closes.

// "Make Group" offering the selected chart's name.
void ShowMakeGroup();

// The setup dialog with its styles editor on a document with a catalogue
// and two styles.
void ShowSetupDialog();

// The bar chart page (or the line chart page) on a document that sets it.
void ShowChartPage(bool bars);
