#pragma once
// Who and where the session runs: the user, the workstation and the Windows
// folder of the suite's INI files. Each can be set through an environment
// variable, so that a test can act as several workstations:
//   TALERUNA_USUARIO, TALERUNA_TERMINAL, TALERUNA_CARPETA_WINDOWS.
#include <QDateTime>
#include <QString>
#include <functional>

class QWidget;

class ClsSesion {
public:
    QString Usuario() const;          // the operating-system user
    QString Terminal() const;         // the host name
    QString CarpetaWindows() const;   // where win.ini lives (default: the user's configuration folder)
    // The current local date and time (the workstation's clock, or the one a
    // test set with EstableceReloj).
    QDateTime Ahora() const;
    using Reloj = std::function<QDateTime()>;
    // Replaces the clock (empty: the workstation's); returns the previous one.
    static Reloj EstableceReloj(Reloj reloj);
    // Window preparation shared by the suite's forms (defined in the ui library).
    void PreparaVentana(QWidget* formulario) const;
};

ClsSesion& Sesion();
