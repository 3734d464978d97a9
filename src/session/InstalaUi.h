#pragma once
// Installs the desktop's side of the runtime library: the message and error
// dialogs (real dialogs when a person is at the screen), the progress window.
// The program calls it once at start; tests call it before installing their
// scripted responders.
void InstalaUi();
// True when nobody can answer a dialog: no display (offscreen or minimal
// platform) or a run under CI.
bool SinOperadorEnPantalla();
