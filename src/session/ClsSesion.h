#pragma once
// Who and where the session runs: the user, the workstation and the Windows
// folder of the suite's INI files. Each can be set through an environment
// variable, so that a test can act as several workstations:
//   TALERUNA_USUARIO, TALERUNA_TERMINAL, TALERUNA_CARPETA_WINDOWS.
#include <QString>

class QWidget;

class ClsSesion {
public:
    QString Usuario() const;          // the operating-system user
    QString Terminal() const;         // the host name
    QString CarpetaWindows() const;   // where win.ini lives (default: the user's configuration folder)
    // Window preparation shared by the suite's forms (defined in the ui library).
    void PreparaVentana(QWidget* formulario) const;
};

ClsSesion& Sesion();
