#pragma once
// Installs the desktop's side of the runtime library: the message and error
// dialogs (real dialogs when a person is at the screen), the progress window.
// The program calls it once at start; tests call it before installing their
// scripted responders.
void InstalaUi();
// Loads Qt's own translations (package qt6-translations-l10n), so the
// standard dialogs (print, page setup, file) speak the program's language:
// Spanish, in the system's Spanish variant when it has one (es_AR, es_ES...).
// Returns false when no translation file was found.
bool CargaTraduccionesQt();
// True when nobody can answer a dialog: no display (offscreen or minimal
// platform) or a run under CI.
bool SinOperadorEnPantalla();
