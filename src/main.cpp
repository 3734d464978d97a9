// conscpte: the voucher inquiry program of the Taleruna suite.
//   conscpte "@Server=..;@DbName=..;@ParametroAdicional=@TC=FC|...|;"
//   conscpte --exportar FILE "<same text>"   (FILE "-": standard output)
// With --exportar the load runs without showing a window, what the screen
// would show is written as text (inquiry/ExportacionPantalla.h), and the exit
// status is 2 when the voucher was refused.
#include "inquiry/ExportacionPantalla.h"
#include "inquiry/FrmConsCpteGenerico.h"
#include "session/InstalaUi.h"
#include "session/ModGlobal.h"

#include <QApplication>
#include <QStringList>
#include <cstdio>

namespace {

bool HayPantalla() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

QStringList Argumentos(int argc, char** argv) {
    QStringList a;
    for (int i = 0; i < argc; ++i) a << QString::fromLocal8Bit(argv[i]);
    return a;
}

} // namespace

int main(int argc, char** argv) {
    QString archivo;
    LineaComandosDesdeArgumentos(Argumentos(argc, argv), &archivo);
    const bool exportar = !archivo.isEmpty();
    if (!HayPantalla()) {
        if (!exportar) {
            std::fprintf(stderr,
                         "conscpte: no hay pantalla disponible; use --exportar - para escribir el comprobante como texto.\n");
            return 1;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("conscpte"));
    QApplication::setOrganizationName(QStringLiteral("Taleruna"));
    // Qt has taken its own options out of the arguments by now.
    EstableceLineaComandos(LineaComandosDesdeArgumentos(app.arguments(), &archivo));
    InstalaUi();

    auto* formulario = new FrmConsCpteGenerico;
    formulario->setAttribute(Qt::WA_DeleteOnClose);
    formulario->Form_Load();

    if (exportar) {
        QString error;
        const bool escrito = ExportacionPantalla::Escribe(*formulario, archivo, &error);
        if (!escrito) std::fprintf(stderr, "conscpte: no se pudo escribir %s: %s\n", qPrintable(archivo), qPrintable(error));
        const int codigo = !escrito ? 1 : (formulario->pConsultaSolamente && formulario->DatoInvalido ? 2 : 0);
        delete formulario;
        FinalizaSistema();
        return codigo;
    }

    formulario->show();
    const int r = app.exec();
    FinalizaSistema();
    return r;
}
