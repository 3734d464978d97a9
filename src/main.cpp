// conscpte: the voucher inquiry program of the Taleruna suite.
//   conscpte "@Server=..;@DbName=..;@ParametroAdicional=@TC=FC|...|;"
//   conscpte --exportar FILE "<same text>"   (FILE "-": standard output)
//   conscpte --imprimir FILE.pdf [--copias N] "<same text>"
// With --exportar the load runs without showing a window, what the screen
// would show is written as text (inquiry/ExportacionPantalla.h), messages go
// to standard error, and the exit status tells a script what happened:
//   0 the file was written and the load ran without error (a consult-only
//     voucher was shown), 1 the file could not be written or the database
//     could not be reached, 2 a consult-only voucher was refused (not found,
//     annulled, a wrong key) or is not on screen, 3 the load met a run-time
//     error (reported on standard error).
// With --imprimir the load runs without a window in the same way, and the
// voucher shown at start-up is printed to the PDF file through the report
// runner and definition the print button uses (one copy, or N), as an invoice
// archive or a batch reprint needs. The exit status: 0 the file was written,
// 1 it was not (it cannot be written, no file was named, the database could
// not be reached, the report found nothing to print), 2 no voucher of a
// printable type is on screen, 3 the load or the print met a run-time error.
#include "inquiry/ExportacionPantalla.h"
#include "inquiry/FrmConsCpteGenerico.h"
#include "session/Dialogos.h"
#include "session/InstalaUi.h"
#include "printing/ClsReporte.h"
#include "session/ModGlobal.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
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

// Ends the event loop after the first paint of the window it watches.
class SaleAlPintar : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::Paint && !pintado_) {
            pintado_ = true;
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return QObject::eventFilter(objeto, evento);
    }

private:
    bool pintado_ = false;
};

// Whether an option of the program was given (with or without its value).
bool HayOpcion(const QStringList& argumentos, const QString& opcion) {
    for (const QString& a : argumentos)
        if (a == opcion || a.startsWith(opcion + QLatin1Char('='))) return true;
    return false;
}

// Prints the voucher on screen to the PDF file; the exit status of --imprimir.
int ImprimeAArchivo(FrmConsCpteGenerico& formulario, const QString& archivo, int copias, const int& errores) {
    if (errores > 0) return 3;
    if (formulario.DatoInvalido || !formulario.ComprobanteMostrado()) {
        std::fprintf(stderr, "conscpte: no hay ningún comprobante en pantalla para imprimir.\n");
        return 2;
    }
    const QString tc = formulario.FNTC();
    if (!FrmConsCpteGenerico::EsImprimible(tc)) {
        std::fprintf(stderr, "conscpte: los comprobantes de tipo %s no se imprimen.\n", qPrintable(tc.trimmed()));
        return 2;
    }
    ClsReporte& rep = Reporte();
    const QString ruta = QFileInfo(archivo).absoluteFilePath();
    rep.ArchivoFijo = ruta;
    rep.CopiasArchivo = copias;
    const int antes = rep.Ejecuciones();
    formulario.Toolbar1_ButtonClick(2);
    if (errores > 0) return 3;
    const ClsReporte::Ejecucion& e = rep.UltimaEjecucion();
    const bool escrito = rep.Ejecuciones() > antes && e.realizada && e.archivoPdf == ruta && QFileInfo(ruta).size() > 0;
    if (!escrito) {
        std::fprintf(stderr, "conscpte: no se escribió %s.\n", qPrintable(ruta));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QString archivo, archivoImprimir;
    int copias = 0;
    const QStringList argumentos = Argumentos(argc, argv);
    LineaComandosDesdeArgumentos(argumentos, &archivo, &archivoImprimir, &copias);
    const bool exportar = !archivo.isEmpty();
    const bool imprimir = HayOpcion(argumentos, QStringLiteral("--imprimir"));
    if (imprimir && (archivoImprimir.trimmed().isEmpty() || exportar)) {
        std::fprintf(stderr, exportar ? "conscpte: --imprimir y --exportar no se usan juntos.\n"
                                      : "conscpte: --imprimir necesita el nombre del archivo PDF.\n");
        return 1;
    }
    if (HayOpcion(argumentos, QStringLiteral("--copias")) && copias < 1) {
        std::fprintf(stderr, "conscpte: --copias necesita un número entero de 1 o más.\n");
        return 1;
    }
    if (!HayPantalla()) {
        if (!exportar && !imprimir) {
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
    EstableceLineaComandos(LineaComandosDesdeArgumentos(app.arguments(), &archivo, &archivoImprimir, &copias));
    InstalaUi();
    CargaTraduccionesQt();
    RespondedorExportacion exportacion;
    if (exportar || imprimir) {
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

    if (imprimir) {
        const int codigo = ImprimeAArchivo(*formulario, archivoImprimir, copias, exportacion.errores);
        delete formulario;
        FinalizaSistema();
        return codigo;
    }

    formulario->show();
    // TALERUNA_SALE_AL_PINTAR: the program ends once the window has painted
    // (the start-up time of the benchmark).
    if (qEnvironmentVariableIsSet("TALERUNA_SALE_AL_PINTAR")) formulario->installEventFilter(new SaleAlPintar(&app));
    const int r = app.exec();
    FinalizaSistema();
    return r;
}
