// The printed pages of a voucher: what the print button writes to a PDF,
// page by page as images (pdftoppm, 100 dpi, grey), against reference pages.
// The references of the short vouchers are PNG files in tests/data/reporte/,
// made from the printed PDFs of the program as it printed before its pages
// were laid out one by one; a missing reference fails (TALERUNA_REFERENCIAS
// names a folder to write them to instead, by hand). The long voucher's
// reference is made in the run: the same layout laid out and painted as one
// text document (the whole-document painting that the runner keeps for
// layouts without a table of lines), compared page by page and by its text.
#include "printing/ClsReporte.h"
#include "printing/DefinicionReporte.h"
#include "printing/DocumentoReporte.h"
#include "printing/ModImpresion.h"
#include "printing/PaginasReporte.h"
#include "support/Fixture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QTest>

namespace {

// A voucher not in the demo data: invoice `letra` of branch 0002 with tasks,
// articles (some descriptions long enough to wrap onto a second line) and
// other concepts, and a header and a footer note.
QString Comprobante(const QString& clave, int tareas, int articulos, int otros) {
    const QString letra = clave.right(1);
    auto serie = [](int n, const QString& seleccion) {
        return QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) %2 FROM n;\n")
            .arg(n)
            .arg(seleccion);
    };
    QString sql = QStringLiteral(
                      "INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, Fecha, FECHAESTFIN, Cuenta, Nombre, DOMICILIO, "
                      "LOCALIDAD, CONDICIONIVA, IdLista, CLASEPRECIO, Anulada, APROBADO, FINALIZADA, Importe, Comentarios) VALUES "
                      "('FC', '%1', 0, '2024-08-02', NULL, 'C0002', 'Construcciones del Plata S.A.', 'Ruta 9 Km 695', "
                      "'Villa María', 'RESPONSABLE INSCRIPTO', '0002', 'MAYORISTA', 0, 1, 1, 1234567.89, "
                      "'Ampliación depósito %2');\n")
                      .arg(clave, letra);
    sql += QStringLiteral("INSERT INTO V_MV_CPTE_Observ (TC, IDCOMPROBANTE, IDCOMPLEMENTO, TIPO_OBS, Observacion) VALUES "
                          "('FC', '%1', 0, 'EN', 'Entrega parcial según remito adjunto'), "
                          "('FC', '%1', 0, 'PP', 'Garantía de doce meses sobre los artículos eléctricos');\n")
               .arg(clave);
    sql += serie(tareas, QStringLiteral(
                             "INSERT INTO V_MV_CPTETAREAS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IdTarea, Descripcion, Horas, "
                             "ValorHora, ValorHora_S_IVA, Total) SELECT 'FC', '%1', 0, printf('T%02d', i), "
                             "CASE WHEN i % 4 = 0 THEN 'Montaje de estructura metálica con soldadura en altura y "
                             "retiro de escombros, tramo ' || i ELSE 'Mano de obra ' || i END, 30 * (1 + i % 5), 9680, 8000, "
                             "9680 * 30 * (1 + i % 5) / 60.0")
                             .arg(clave));
    sql += serie(articulos, QStringLiteral(
                                "INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IdArticulo, Descripcion, "
                                "IdUnidad, Cantidad, PorcDtoArticulo, Importe, Importe_S_IVA, Impuestos, Total) "
                                "SELECT 'FC', '%1', 0, printf('MAT-%04d', i), CASE WHEN i % 7 = 3 THEN "
                                "'Caño de acero galvanizado con costura, rosca y cupla, para instalaciones de agua, "
                                "medida ' || i ELSE 'Material ' || i END, CASE WHEN i % 3 = 0 THEN 'M' ELSE 'UN' END, "
                                "1 + i % 9, 0, 250.25 * (1 + i % 11), 206.82 * (1 + i % 11), 0, "
                                "(1 + i % 9) * 250.25 * (1 + i % 11)")
                                .arg(clave));
    sql += serie(otros, QStringLiteral(
                            "INSERT INTO V_MV_CPTE_Observ (TC, IDCOMPROBANTE, IDCOMPLEMENTO, TIPO_OBS, Observacion, Importe, "
                            "Importe_S_IVA) SELECT 'FC', '%1', 0, 'OC', 'Traslado de materiales ' || i, 1210 + i, 1000 + i")
                            .arg(clave));
    return sql;
}

const QString Largo = QStringLiteral("000200004242A");
const QString Varias = QStringLiteral("000200000777B");

// Stages a voucher and prints it to `pdf` as the print button does.
bool Imprime(const QString& tc, const QString& clave, const QString& pdf) {
    QString t = tc;
    GeneraAuxiliarComprobantes(t, clave.left(4), clave.mid(4, 8), clave.mid(12), QStringLiteral("0"), 3, {}, {}, {}, {}, {}, {});
    Reporte().ArchivoFijo = pdf;
    Reporte().CopiasArchivo = 1;
    QStringList orden{QString()};
    QString seleccion;
    int destino = ClsReporte::DestinoImpresora;
    ImprimirComprobante(t, clave, QStringLiteral("0"), tc.trimmed(), orden, seleccion, {QString()}, destino, 0);
    Reporte().ArchivoFijo.clear();
    return Reporte().UltimaEjecucion().realizada && QFile::exists(pdf);
}

// The pages of a PDF as grey images at 100 dpi, in order.
QList<QImage> Paginas(const QString& pdf) {
    const QString carpeta = pdf + QStringLiteral(".paginas");
    QDir().mkpath(carpeta);
    QProcess p;
    p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-gray"),
                                         QStringLiteral("-png"), pdf, carpeta + QStringLiteral("/p")});
    if (!p.waitForFinished(120000) || p.exitCode() != 0) return {};
    QList<QImage> r;
    const QStringList archivos = QDir(carpeta).entryList({QStringLiteral("p-*.png")}, QDir::Files, QDir::Name);
    for (const QString& a : archivos) r << QImage(carpeta + QLatin1Char('/') + a).convertToFormat(QImage::Format_Grayscale8);
    return r;
}

QString TextoPdf(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// "" when both images are the same; otherwise where they differ.
QString Diferencia(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return QStringLiteral("size %1x%2 instead of %3x%4").arg(a.width()).arg(a.height()).arg(b.width()).arg(b.height());
    QRect caja;
    for (int y = 0; y < a.height(); ++y) {
        const uchar* fa = a.constScanLine(y);
        const uchar* fb = b.constScanLine(y);
        for (int x = 0; x < a.width(); ++x)
            if (fa[x] != fb[x]) caja |= QRect(x, y, 1, 1);
    }
    return caja.isNull() ? QString()
                         : QStringLiteral("pixels differ within x %1-%2, y %3-%4")
                               .arg(caja.left()).arg(caja.right()).arg(caja.top()).arg(caja.bottom());
}

// Compares the pages; the differing page is kept beside the PDF for a look.
void ComparaPaginas(const QList<QImage>& obtenidas, const QList<QImage>& esperadas, const QString& pdf) {
    QCOMPARE(obtenidas.size(), esperadas.size());
    for (int i = 0; i < obtenidas.size(); ++i) {
        const QString d = Diferencia(obtenidas.at(i), esperadas.at(i));
        if (!d.isEmpty()) obtenidas.at(i).save(pdf + QStringLiteral(".distinta-%1.png").arg(i + 1));
        QVERIFY2(d.isEmpty(), qPrintable(QStringLiteral("page %1: %2").arg(i + 1).arg(d)));
    }
}

} // namespace

class PruebaReportePaginas : public QObject {
    Q_OBJECT

private slots:
    void init() {
        qputenv("TALERUNA_REPORTES", Prueba::RutaFuente(QStringLiteral("reports")).toUtf8());
        qputenv("TALERUNA_TERMINAL", "PUESTO01");
        qputenv("TALERUNA_USUARIO", "admin");
    }

    // Each page as it was printed before: the header, the lines, the page
    // breaks with the repeated column headings, the notes and the totals.
    void paginasComoAntes_data() {
        QTest::addColumn<QString>("tc");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("nombre");
        QTest::newRow("factura A de la demostración") << "FC" << "000100000025A" << "factura-a";
        QTest::newRow("nota de crédito") << "ND" << "000100000003A" << "nota-credito";
        QTest::newRow("factura B de varias páginas con líneas de dos renglones") << "FC" << Varias << "varias-paginas";
    }
    void paginasComoAntes() {
        QFETCH(QString, tc);
        QFETCH(QString, clave);
        QFETCH(QString, nombre);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo, Comprobante(Varias, 24, 70, 6));
        const QString pdf = env.Carpeta() + nombre + QStringLiteral(".pdf");
        QVERIFY(Imprime(tc, clave, pdf));
        const QList<QImage> obtenidas = Paginas(pdf);
        QVERIFY(!obtenidas.isEmpty());

        const QString salida = qEnvironmentVariable("TALERUNA_REFERENCIAS");
        if (!salida.isEmpty()) {
            QDir().mkpath(salida);
            for (int i = 0; i < obtenidas.size(); ++i)
                QVERIFY(obtenidas.at(i).save(QStringLiteral("%1/%2-%3.png").arg(salida, nombre).arg(i + 1)));
            QSKIP("references written");
        }
        QList<QImage> esperadas;
        const QDir datos(Prueba::RutaFuente(QStringLiteral("tests/data/reporte")));
        for (int i = 1; QFile::exists(datos.filePath(QStringLiteral("%1-%2.png").arg(nombre).arg(i))); ++i)
            esperadas << QImage(datos.filePath(QStringLiteral("%1-%2.png").arg(nombre).arg(i)))
                             .convertToFormat(QImage::Format_Grayscale8);
        QVERIFY2(!esperadas.isEmpty(), qPrintable(QStringLiteral("no reference pages for %1 in %2").arg(nombre, datos.path())));
        ComparaPaginas(obtenidas, esperadas, pdf);
    }

    // A voucher of 1,180 lines (30 pages) printed as the print button does,
    // against the same layout painted as one text document: every page and
    // the text of the PDF.
    void comprobanteLargoComoUnDocumento() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo, Comprobante(Largo, 60, 1100, 20));
        const QString pdf = env.Carpeta() + QStringLiteral("largo.pdf");
        QVERIFY(Imprime(QStringLiteral("FC"), Largo, pdf));
        const ClsReporte::Ejecucion e = Reporte().UltimaEjecucion();
        QVERIFY2(e.paginas > 20, qPrintable(QString::number(e.paginas)));

        DefinicionReporte definicion;
        QString error;
        QVERIFY2(DefinicionReporte::Carga(e.archivo, definicion, error), qPrintable(error));
        const DocumentoReporte::Resultado documento = DocumentoReporte::Arma(definicion, e.formulas, e.orden, e.seleccion);
        QVERIFY2(documento.ok, qPrintable(documento.mensaje));
        const QString referencia = env.Carpeta() + QStringLiteral("referencia.pdf");
        {
            QPrinter impresora(QPrinter::HighResolution);
            impresora.setOutputFormat(QPrinter::PdfFormat);
            impresora.setOutputFileName(referencia);
            impresora.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, definicion.MargenesMm,
                                                QPageLayout::Millimeter));
            QCOMPARE(PaginasReporte::Pinta(&impresora, documento.html, documento.identificacion, 1, true), e.paginas);
        }
        const QString texto = TextoPdf(pdf);
        QVERIFY(texto.contains(QLatin1String("MAT-1100")));
        QCOMPARE(texto, TextoPdf(referencia));
        ComparaPaginas(Paginas(pdf), Paginas(referencia), pdf);
    }
};

QTEST_MAIN(PruebaReportePaginas)
#include "test_reporte_paginas.moc"
