#include "printing/ClsReporte.h"

#include "printing/DefinicionReporte.h"
#include "printing/DocumentoReporte.h"
#include "printing/PaginasReporte.h"
#include "session/ClsFunciones.h"
#include "session/Dialogos.h"
#include "session/InstalaUi.h"
#include "session/Instancia.h"
#include "session/ModGlobal.h"
#include "session/Modal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QApplication>
#include <QScreen>
#include <QStyle>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

// Whether a PDF file was written to its end: the printer reports no failed
// write (a full disk, /dev/full), so the file itself is read back.
bool PdfCompleto(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly) || f.size() < 5) return false;
    f.seek(qMax<qint64>(0, f.size() - 64));
    return f.readAll().contains("%%EOF");
}

// A window of the wanted size fitted into the free area of the screen the
// program's window is on (less room for the window frame), centred there.
QRect GeometriaVista(QSize deseado) {
    const QWidget* activa = QApplication::activeWindow();
    const QScreen* pantalla = activa && activa->screen() ? activa->screen() : QGuiApplication::primaryScreen();
    if (!pantalla) return QRect(QPoint(0, 0), deseado);
    const QRect libre = pantalla->availableGeometry();
    const QSize marco(16, 48);
    const QSize tam = deseado.boundedTo(libre.size() - marco).expandedTo(QSize(320, 240));
    return QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, tam, libre);
}

const QString& Titulo() {
    static const QString t = QStringLiteral("Aviso al Operador!!!");
    return t;
}

void Avisa(const QString& texto, Dialogos::Icono icono = Dialogos::Icono::Critico) {
    Dialogos::MsgBox(texto, Dialogos::Botones::Aceptar, icono, Titulo());
}

QPageSize TamanoPagina(const QString& nombre) {
    const QString n = nombre.trimmed().toLower();
    if (n == QLatin1String("a5")) return QPageSize(QPageSize::A5);
    if (n == QLatin1String("carta") || n == QLatin1String("letter")) return QPageSize(QPageSize::Letter);
    if (n == QLatin1String("oficio") || n == QLatin1String("legal")) return QPageSize(QPageSize::Legal);
    return QPageSize(QPageSize::A4);
}

// Lays the page out on a printer (size, orientation, margins of the definition).
void PreparaImpresora(QPrinter& impresora, const DefinicionReporte& d) {
    QPageLayout diseno(TamanoPagina(d.Pagina), d.Apaisada ? QPageLayout::Landscape : QPageLayout::Portrait,
                       d.MargenesMm, QPageLayout::Millimeter);
    impresora.setPageLayout(diseno);
}

QString NombreSeguro(const QString& s) {
    QString r;
    for (QChar c : s) r += (c.isLetterOrNumber() || c == QLatin1Char('-')) ? c : QLatin1Char('_');
    return r.isEmpty() ? QStringLiteral("reporte") : r;
}

} // namespace

void ClsReporte::CargaFormulas(const QStringList& formulas, int) { formulas_ = formulas; }

QStringList ClsReporte::CarpetasReportes() const {
    QStringList c;
    const QString env = qEnvironmentVariable("TALERUNA_REPORTES");
    if (!env.isEmpty()) c << env;
    const QString app = CarpetaAplicacion.isEmpty() ? CarpetaApp : CarpetaAplicacion;
    if (!app.isEmpty()) c << Funciones().NormalizaRuta(app) + QStringLiteral("reports/");
    if (QCoreApplication::instance())
        c << Funciones().NormalizaRuta(QCoreApplication::applicationDirPath()) + QStringLiteral("reports/");
    return c;
}

QString ClsReporte::CarpetaCorreo() const {
    const QString app = CarpetaAplicacion.isEmpty() ? CarpetaApp : CarpetaAplicacion;
    return Funciones().NormalizaRuta(app) + QStringLiteral("correo/");
}

QString ClsReporte::ArchivoDePuerto(const QString& puerto) const {
    QString p = puerto.trimmed();
    if (p.startsWith(QLatin1String("FILE:"), Qt::CaseInsensitive)) {
        p = p.mid(5).trimmed();
        if (p.isEmpty()) return {};
    } else if (!p.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive) && !p.startsWith(QLatin1Char('/'))) {
        return {};
    }
    if (QFileInfo(p).isRelative()) p = Funciones().NormalizaRuta(CarpetaAplicacion.isEmpty() ? CarpetaApp : CarpetaAplicacion) + p;
    return p;
}

bool ClsReporte::Ejecuta(const QString& reporte, const QStringList& orden, const QString& seleccion,
                         const QString& conexion) {
    const AmbitoConfiguracion configuracion;  // the money columns read the decimals once
    ++ejecuciones_;
    ultima_ = Ejecucion{};
    ultima_.reporte = reporte;
    ultima_.orden = orden;
    ultima_.seleccion = seleccion;
    ultima_.conexion = conexion;
    ultima_.destino = Destino;
    ultima_.impresoraNombre = ImpresoraNombre;
    ultima_.impresoraDispositivo = ImpresoraDispositivo;
    ultima_.impresoraPuerto = ImpresoraPuerto;
    ultima_.copiasPedidas = opciones_.Copias;
    ultima_.formulas = formulas_;

    const QStringList carpetas = CarpetasReportes();
    ultima_.archivo = DefinicionReporte::Resuelve(carpetas, reporte, seleccion);
    if (ultima_.archivo.isEmpty()) {
        Avisa(QStringLiteral("No se encontró la definición del reporte \"%1\" en %2.")
                  .arg(reporte.trimmed(), carpetas.join(QStringLiteral(", "))));
        return false;
    }
    DefinicionReporte definicion;
    QString error;
    if (!DefinicionReporte::Carga(ultima_.archivo, definicion, error)) {
        Avisa(error);
        return false;
    }
    const DocumentoReporte::Resultado documento = DocumentoReporte::Arma(definicion, formulas_, orden, seleccion);
    ultima_.sentencia = documento.sentencia;
    ultima_.filas = documento.filas;
    if (!documento.ok) {
        Avisa(documento.mensaje);
        return false;
    }
    if (documento.filas == 0) {
        Avisa(QStringLiteral("No hay datos para imprimir: el reporte no encontró las líneas del comprobante."),
              Dialogos::Icono::Exclamacion);
        return false;
    }

    const bool aArchivoFijo = !ArchivoFijo.isEmpty();
    const int copias = aArchivoFijo ? qMax(1, CopiasArchivo) : qMax(1, opciones_.Copias);
    QString archivoPdf;
    if (aArchivoFijo) {
        archivoPdf = ArchivoFijo;
    } else if (Destino == DestinoCorreo) {
        QDir().mkpath(CarpetaCorreo());
        archivoPdf = CarpetaCorreo() + NombreSeguro(documento.identificacion) + QStringLiteral(".pdf");
    } else if (Destino == DestinoImpresora) {
        archivoPdf = ArchivoDePuerto(ImpresoraPuerto);
        if (archivoPdf.isEmpty()) archivoPdf = ArchivoDePuerto(ImpresoraNombre);
    }

    if (!aArchivoFijo && Destino != DestinoPantalla && Destino != DestinoImpresora && Destino != DestinoCorreo) {
        Avisa(QStringLiteral("El destino de impresión %1 no existe; el comprobante no se imprimió.").arg(Destino));
        return false;
    }

    if (!aArchivoFijo && Destino == DestinoPantalla) {
        QPrinter impresora(QPrinter::HighResolution);
        PreparaImpresora(impresora, definicion);
        QPrintPreviewDialog vista(&impresora);
        vista.setObjectName(QStringLiteral("FrmVistaPrevia"));
        vista.setWindowTitle(QStringLiteral("Vista previa - %1").arg(documento.identificacion));
        // 900 x 1000 where the screen has room, and never beyond its free
        // area (a 768-pixel-high screen would hide the preview's bottom).
        vista.setGeometry(GeometriaVista(QSize(900, 1000)));
        const QString html = documento.html;
        const QString identificacion = documento.identificacion;
        QObject::connect(&vista, &QPrintPreviewDialog::paintRequested, &vista, [this, html, identificacion](QPrinter* pr) {
            // Printing from the preview honours the copies chosen there.
            const int n = PaginasReporte::Pinta(pr, html, identificacion, 1);
            if (n > 0) ultima_.paginas = n;
        });
        ultima_.realizada = true;
        Modal::Ejecuta(&vista);
        return true;
    }

    QPrinter impresora(QPrinter::HighResolution);
    if (!archivoPdf.isEmpty()) {
        impresora.setOutputFormat(QPrinter::PdfFormat);
        impresora.setOutputFileName(archivoPdf);
        impresora.setCreator(QStringLiteral("Taleruna"));
        impresora.setDocName(documento.identificacion);
    } else {
        QString nombre = ImpresoraNombre.trimmed();
        if (nombre.isEmpty()) nombre = ImpresoraDispositivo.trimmed();
        const QPrinterInfo info = nombre.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(nombre);
        if (info.isNull()) {
            Avisa(nombre.isEmpty()
                      ? QStringLiteral("No hay ninguna impresora instalada en este equipo; el comprobante no se imprimió.")
                      : QStringLiteral("La impresora \"%1\" no está instalada en este equipo; el comprobante no se imprimió.")
                            .arg(nombre));
            return false;
        }
        impresora.setPrinterName(info.printerName());
        ultima_.impresora = info.printerName();
    }
    PreparaImpresora(impresora, definicion);
    int paginas = PaginasReporte::Pinta(&impresora, documento.html, documento.identificacion, copias);
    if (paginas >= 0 && !archivoPdf.isEmpty() && !PdfCompleto(archivoPdf)) paginas = -1;
    if (paginas < 0) {
        Avisa(archivoPdf.isEmpty()
                  ? QStringLiteral("No se pudo imprimir en la impresora \"%1\".").arg(ultima_.impresora)
                  : QStringLiteral("No se puede escribir el archivo %1; el comprobante no se imprimió.").arg(archivoPdf));
        return false;
    }
    ultima_.paginas = paginas;
    ultima_.copias = copias;
    ultima_.archivoPdf = archivoPdf;
    ultima_.realizada = true;

    if (!aArchivoFijo && Destino == DestinoCorreo) {
        bool correo = false;
        const QString programa = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
        if (!programa.isEmpty() && !SinOperadorEnPantalla())
            correo = QProcess::startDetached(programa, {QStringLiteral("--subject"), documento.identificacion,
                                                        QStringLiteral("--attach"), archivoPdf});
        Avisa(correo ? QStringLiteral("El comprobante se guardó en %1 y se abrió el programa de correo para enviarlo.").arg(archivoPdf)
                     : QStringLiteral("El comprobante se guardó en %1 para enviarlo por correo.").arg(archivoPdf),
              Dialogos::Icono::Informacion);
    }
    return true;
}

void ClsReporte::Finaliza(int) {
    ++finalizaciones_;
    formulas_.clear();
    ImpresoraNombre.clear();
    ImpresoraDispositivo.clear();
    ImpresoraPuerto.clear();
    opciones_ = OpcionesImpresion{};
}

ClsReporte& Reporte() { return InstanciaUnica<ClsReporte>::Obtiene(); }
