// conscpte: the voucher inquiry program of the Taleruna suite.
//   conscpte "@Server=..;@DbName=..;@ParametroAdicional=@TC=FC|...|;"
//   conscpte --exportar FILE "<same text>"   (FILE "-": standard output)
// With --exportar the load runs without showing a window, what the screen
// would show is written as text (inquiry/ExportacionPantalla.h), messages go
// to standard error, and the exit status tells a script what happened:
//   0 the file was written and the load ran without error (a consult-only
//     voucher was shown), 1 the file could not be written or the database
//     could not be reached, 2 a consult-only voucher was refused (not found,
//     annulled, a wrong key) or is not on screen, 3 the load met a run-time
//     error (reported on standard error).
#include "inquiry/ExportacionPantalla.h"
#include "inquiry/FrmConsCpteGenerico.h"
#include "session/Dialogos.h"
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

// Messages and errors of an export: never a window, also with a display at
// hand (a script has nobody to click); written to standard error, with the
// errors counted for the exit status.
class RespondedorExportacion : public Dialogos::RespondedorMensajes, public Dialogos::RespondedorErrores {
public:
    int Responde(const Dialogos::Mensaje& m) override { return Dialogos::SinOperador(m); }
    int Responde(const Dialogos::ErrorInformado& e) override {
        ++errores;
        return Dialogos::SinOperador(e);
    }
    int errores = 0;
};

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
    CargaTraduccionesQt();
    RespondedorExportacion exportacion;
    if (exportar) {
        Dialogos::EstableceRespondedorMensajes(&exportacion);
        Dialogos::EstableceRespondedorErrores(&exportacion);
    }

    auto* formulario = new FrmConsCpteGenerico;
    formulario->setAttribute(Qt::WA_DeleteOnClose);
    formulario->Form_Load();

    if (exportar) {
        QString error;
        const bool escrito = ExportacionPantalla::Escribe(*formulario, archivo, &error);
        if (!escrito) std::fprintf(stderr, "conscpte: no se pudo escribir %s: %s\n", qPrintable(archivo), qPrintable(error));
        int codigo = 0;
        if (!escrito) codigo = 1;
        else if (exportacion.errores > 0) codigo = 3;
        else if (formulario->pConsultaSolamente && (formulario->DatoInvalido || !formulario->ComprobanteMostrado())) codigo = 2;
        delete formulario;
        FinalizaSistema();
        return codigo;
    }

    formulario->show();
    const int r = app.exec();
    FinalizaSistema();
    return r;
}
