#pragma once
// The motion plug-in's script editor as a user sees it: DrovelLEIFlet.ocx
// beside the program, started by a simulated host and asked to edit a movie
// object that already has a script. Returns when the editor closes; false
// when the control could not be made.

bool ShowDrovelEditor();
