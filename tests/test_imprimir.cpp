// Launching a voucher's report: selection, report name, destinations,
// printer assignments and what lands in the PDF.
#include "printing/ClsReporte.h"
#include "printing/ModImpresion.h"
#include "session/ClsConexion.h"
#include "session/ModGlobal.h"
#include "session/Modal.h"
#include "support/Fixture.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {

// One PRINTERS.PRN record, fields blank-padded to their widths, in Windows-1252.
QByteArray Registro(const QString& usuario, const QString& tc, const QString& letra, const QString& impresora,
                    const QString& copias, const QString& destino) {
    auto campo = [](const QString& v, int ancho) { return v.toLatin1().leftJustified(ancho, ' ', true); };
    return campo(usuario, 255) + campo(tc, 4) + campo(letra, 1) + campo(impresora, 510) + campo(copias, 3) +
           campo(QStringLiteral("30"), 3) + campo(destino, 20);
}

QString TextoPdf(const QString& ruta) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), ruta, QStringLiteral("-")});
    if (!p.waitForFinished(30000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

int PaginasPdf(const QString& ruta) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {ruta});
    p.waitForFinished(30000);
    const QString info = QString::fromUtf8(p.readAllStandardOutput());
    for (const QString& l : info.split(QLatin1Char('\n')))
        if (l.startsWith(QLatin1String("Pages:"))) return l.mid(6).trimmed().toInt();
    return -1;
}

// The PDF's text in drawing order, with every run of blanks and line ends as one blank
// (a long name may wrap inside its box).
QString TextoCorrido(const QString& ruta) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), ruta, QStringLiteral("-")});
    if (!p.waitForFinished(30000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

// With TALERUNA_MUESTRAS_PDF naming a folder, a printed PDF is also kept there
// (to look at the layout).
void GuardaMuestra(const QString& pdf, const QString& nombre) {
    const QString carpeta = qEnvironmentVariable("TALERUNA_MUESTRAS_PDF");
    if (carpeta.isEmpty()) return;
    const QString destino = carpeta + QLatin1Char('/') + nombre + QStringLiteral(".pdf");
    QFile::remove(destino);
    QFile::copy(pdf, destino);
}

// Stages and prints a voucher the way the print buttons do.
void ImprimeComoBoton(const QString& tipo, const QString& suc, const QString& nro, const QString& letra, int destino) {
    QString tc = tipo;
    GeneraAuxiliarComprobantes(tc, suc, nro, letra, QStringLiteral("0"), 3, {}, {}, {}, {}, {}, {});
    QStringList orden{QString()};
    QString seleccion;
    int d = destino;
    ImprimirComprobante(tc, suc + nro + letra, QStringLiteral("0"), tipo.trimmed(), orden, seleccion, {QString()}, d, 0);
}

// The demo invoice FC 0001-00000025-A printed to the printer, with the
// session's assignment of FC A (to `impresora`, `copias` copies) in PRINTERS.PRN.
void ImprimeFacturaDemo(const Prueba::Entorno& env, const QString& sesion, const QString& impresora,
                        const QString& copias = QStringLiteral("1")) {
    env.EscribeArchivo(QStringLiteral("PRINTERS.PRN"),
                       Registro(sesion, QStringLiteral("FC"), QStringLiteral("A"), impresora, copias, QStringLiteral("Impresora")));
    ImprimeComoBoton(QStringLiteral("FC"), QStringLiteral("0001"), QStringLiteral("00000025"), QStringLiteral("A"), 1);
}

} // namespace

class PruebaImprimir : public QObject {
    Q_OBJECT

private slots:
    void init() {
        qputenv("TALERUNA_REPORTES", Prueba::RutaFuente(QStringLiteral("reports")).toUtf8());
        qputenv("TALERUNA_TERMINAL", "PUESTO01");
        qputenv("TALERUNA_USUARIO", "admin");
    }

    // The demo invoice to a PDF file through the assignment, two copies: every
    // staged line, the company, the customer and the totals, twice.
    void facturaDemoAPdfConDosCopias() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        const QString pdf = env.Carpeta() + QStringLiteral("factura.pdf");
        ImprimeFacturaDemo(env, QStringLiteral("PUESTO01|admin"), QStringLiteral("PDF | FILE:") + pdf, QStringLiteral("  2"));

        QVERIFY2(env.respondedor.mensajes.isEmpty(), qPrintable(env.respondedor.mensajes.value(0).texto));
        QVERIFY2(env.respondedor.errores.isEmpty(), qPrintable(env.respondedor.errores.value(0).descripcion));
        QVERIFY(QFile::exists(pdf));
        const ClsReporte::Ejecucion& e = Reporte().UltimaEjecucion();
        QVERIFY(e.archivo.endsWith(QLatin1String("FC-A.rpt")));
        QCOMPARE(e.copias, 2);
        QCOMPARE(PaginasPdf(pdf), 2 * e.paginas);

        const QString texto = TextoCorrido(pdf);
        GuardaMuestra(pdf, QStringLiteral("factura-demo"));
        QVERIFY(!texto.isEmpty());
        const QStringList esperados{
            QStringLiteral("Taller Eléctrico San Martín S.R.L."), QStringLiteral("Av. General San Martín 1450"),
            QStringLiteral("CUIT:30-71234567-9"), QStringLiteral("IVA:RESPONSABLE INSCRIPTO"),
            QStringLiteral("Ferretería Los Andes S.R.L."), QStringLiteral("N° 0001-00000025"),
            QStringLiteral("Trabajo realizado según presupuesto 0001-00000007"),
            QStringLiteral("Detalles de Tareas Realizadas"), QStringLiteral("Instalación eléctrica"),
            QStringLiteral("Revisión de tablero"), QStringLiteral("Mano de obra general"),
            QStringLiteral("Insumos - Materiales Utilizados - Productos"), QStringLiteral("Cable tipo D'Alessandro 2x1,5 mm"),
            QStringLiteral("Taladro percutor 750 W"), QStringLiteral("Batería 12 V 7 Ah"),
            QStringLiteral("Otros Conceptos - Observaciones - Comentarios"), QStringLiteral("Flete y acarreo de materiales"),
            QStringLiteral("Viáticos del técnico"), QStringLiteral("Garantía de 6 meses sobre la mano de obra."),
            QStringLiteral("27225.00"), QStringLiteral("193600.00"), QStringLiteral("6050.00"),
            QStringLiteral("282750.00"), QStringLiteral("58747.50"), QStringLiteral("341497.50"),
        };
        for (const QString& s : esperados) QVERIFY2(texto.count(s) == 2, qPrintable(s + QStringLiteral(": ") + QString::number(texto.count(s))));
        // Each copy is its own set of pages, named at its foot.
        QCOMPARE(texto.count(QStringLiteral("ORIGINAL")), 1);
        QCOMPARE(texto.count(QStringLiteral("DUPLICADO")), 1);
    }

    // A company name with an apostrophe prints exactly as stored.
    void nombreDeEmpresaConApostrofe() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo,
                            QStringLiteral("UPDATE TA_CONFIGURACION SET Valor = 'O''HIGGINS SRL' WHERE CLAVE = 'NOMBRE';\n"
                                           "UPDATE TA_CONFIGURACION SET Valor = 'D''Agostino' WHERE CLAVE = 'CALLE';\n"
                                           "UPDATE TA_CONFIGURACION SET Valor = 'Villa D''Alba' WHERE CLAVE = 'LOCALIDAD';\n"));
        const QString pdf = env.Carpeta() + QStringLiteral("ohiggins.pdf");
        ImprimeFacturaDemo(env, QStringLiteral("PUESTO01|admin"), QStringLiteral("PDF|") + pdf);
        QVERIFY2(env.respondedor.mensajes.isEmpty(), qPrintable(env.respondedor.mensajes.value(0).texto));
        const QString texto = TextoCorrido(pdf);
        QVERIFY(texto.contains(QStringLiteral("O'HIGGINS SRL")));
        QVERIFY(texto.contains(QStringLiteral("D'Agostino 1450")));
        QVERIFY(texto.contains(QStringLiteral("Villa D'Alba")));
        // The entries keep the list's form: the value between the outer apostrophes.
        const QStringList formulas = Reporte().UltimaEjecucion().formulas;
        QVERIFY(formulas.contains(QStringLiteral("NombreEmpresa = 'O'HIGGINS SRL'")));
        QVERIFY(formulas.contains(QStringLiteral("Localidad= 'Villa D'Alba'")));
    }

    // A user name with an apostrophe stages, finds its assignment and prints
    // its own rows: the staging key travels as a value, never as SQL.
    void usuarioConApostrofe() {
        qputenv("TALERUNA_USUARIO", "o'brien");
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        const QString pdf = env.Carpeta() + QStringLiteral("obrien.pdf");
        ImprimeFacturaDemo(env, QStringLiteral("PUESTO01|o'brien"), QStringLiteral("PDF|") + pdf);
        QVERIFY2(env.respondedor.mensajes.isEmpty(), qPrintable(env.respondedor.mensajes.value(0).texto));
        QVERIFY2(env.respondedor.errores.isEmpty(), qPrintable(env.respondedor.errores.value(0).descripcion));
        QCOMPARE(Reporte().UltimaEjecucion().filas, 19);
        QVERIFY(TextoCorrido(pdf).contains(QStringLiteral("Instalación eléctrica")));
    }

    // The screen destination opens the preview window with the voucher's pages.
    void pantallaAbreLaVistaPrevia() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        int paginas = -1;
        QString nombre;
        Modal::GanchoTemporal g([&](QDialog* d) {
            nombre = d->objectName();
            auto* vista = d->findChild<QPrintPreviewWidget*>();
            if (vista) {
                vista->updatePreview();
                paginas = vista->pageCount();
            }
            return 0;
        });
        ImprimeComoBoton(QStringLiteral("FC"), QStringLiteral("0001"), QStringLiteral("00000025"), QStringLiteral("A"), 0);
        QCOMPARE(nombre, QStringLiteral("FrmVistaPrevia"));
        QVERIFY(paginas >= 1);
        QVERIFY(env.respondedor.mensajes.isEmpty());
    }

    // The preview opens within the free area of the screen, however small
    // (the offscreen screen is 800 x 600).
    void vistaPreviaDentroDeLaPantalla() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        QRect geometria;
        Modal::GanchoTemporal g([&](QDialog* d) {
            geometria = d->geometry();
            return 0;
        });
        ImprimeComoBoton(QStringLiteral("FC"), QStringLiteral("0001"), QStringLiteral("00000025"), QStringLiteral("A"), 0);
        const QRect libre = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2(libre.contains(geometria), qPrintable(QStringLiteral("%1x%2+%3+%4 en %5x%6")
                                                         .arg(geometria.width()).arg(geometria.height())
                                                         .arg(geometria.x()).arg(geometria.y())
                                                         .arg(libre.width()).arg(libre.height())));
        QVERIFY(geometria.width() >= 320 && geometria.height() >= 240);
    }

    // Every shipped type prints through its definition (letter-specific or shared).
    void cadaTipoImprimeConSuDefinicion_data() {
        QTest::addColumn<QString>("tc");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("definicion");
        QTest::addColumn<QString>("esperado");
        QTest::addColumn<bool>("conImportes");
        QTest::newRow("factura A") << "FC" << "000100000025A" << "FC-A.rpt" << "FACTURA" << true;
        QTest::newRow("factura B") << "FC" << "000100000012B" << "FC-B.rpt" << "Precios con IVA incluido" << true;
        QTest::newRow("nota ND letra A") << "ND" << "000100000003A" << "ND-A.rpt" << "Lámpara LED 12 W luz fría" << true;
        QTest::newRow("nota NC letra A") << "NC" << "000100000004A" << "NC-A.rpt" << "Intereses por pago fuera de término" << true;
        QTest::newRow("remito R compartido") << "RM" << "000100000040R" << "RM.rpt" << "Recibí conforme" << false;
    }
    void cadaTipoImprimeConSuDefinicion() {
        QFETCH(QString, tc);
        QFETCH(QString, id);
        QFETCH(QString, definicion);
        QFETCH(QString, esperado);
        QFETCH(bool, conImportes);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        env.Ejecuta(QStringLiteral("DELETE FROM TA_REPORTES"));
        const QString pdf = env.Carpeta() + QStringLiteral("salida.pdf");
        env.EscribeArchivo(QStringLiteral("PRINTERS.PRN"),
                           Registro(QStringLiteral("PUESTO01|admin"), tc, id.right(1), QStringLiteral("x|") + pdf,
                                    QStringLiteral("1"), QStringLiteral("Impresora")));
        ImprimeComoBoton(tc, id.left(4), id.mid(4, 8), id.right(1), 1);
        QVERIFY2(env.respondedor.mensajes.isEmpty(), qPrintable(env.respondedor.mensajes.value(0).texto));
        QVERIFY(Reporte().UltimaEjecucion().archivo.endsWith(QLatin1Char('/') + definicion));
        GuardaMuestra(pdf, QString(definicion).replace(QStringLiteral(".rpt"), QString()));
        const QString texto = TextoPdf(pdf);
        QVERIFY2(texto.contains(esperado), qPrintable(texto));
        QCOMPARE(texto.contains(QStringLiteral("TOTAL $")), conImportes);
    }

    // A voucher longer than a page: every line printed once in each copy (a
    // line is never split across two pages), the column headings and the foot
    // on every page, the totals once at the end of each copy.
    void comprobanteDeVariasPaginas() {
        QString semilla = QStringLiteral(
            "INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, Fecha, Cuenta, Nombre, Importe) "
            "VALUES ('FC', '000100000099A', 0, '2024-06-11', 'C0001', 'Ferretería Los Andes S.R.L.', 18150);\n");
        for (int i = 1; i <= 150; ++i)
            semilla += QStringLiteral("INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IdArticulo, Descripcion, IdUnidad, "
                                      "Cantidad, Importe, Importe_S_IVA, Total) VALUES ('FC', '000100000099A', 0, 'L%1', "
                                      "'Artículo número %1', 'UN', 1, 121, 100, 121);\n")
                           .arg(i, 4, 10, QLatin1Char('0'));
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo, semilla);
        const QString pdf = env.Carpeta() + QStringLiteral("largo.pdf");
        env.EscribeArchivo(QStringLiteral("PRINTERS.PRN"),
                           Registro(QStringLiteral("PUESTO01|admin"), QStringLiteral("FC"), QStringLiteral("A"),
                                    QStringLiteral("PDF|FILE:") + pdf, QStringLiteral("2"), QStringLiteral("Impresora")));
        ImprimeComoBoton(QStringLiteral("FC"), QStringLiteral("0001"), QStringLiteral("00000099"), QStringLiteral("A"), 1);
        QVERIFY2(env.respondedor.mensajes.isEmpty(), qPrintable(env.respondedor.mensajes.value(0).texto));
        GuardaMuestra(pdf, QStringLiteral("factura-larga"));
        const int paginas = Reporte().UltimaEjecucion().paginas;
        QVERIFY2(paginas >= 3, qPrintable(QString::number(paginas)));
        QCOMPARE(PaginasPdf(pdf), 2 * paginas);
        const QString texto = TextoCorrido(pdf);
        for (int i = 1; i <= 150; ++i) {
            const QString codigo = QStringLiteral("L%1 ").arg(i, 4, 10, QLatin1Char('0'));
            QVERIFY2(texto.count(codigo) == 2, qPrintable(codigo + QString::number(texto.count(codigo))));
        }
        QCOMPARE(texto.count(QStringLiteral("Descripción")), 2 * paginas);
        QCOMPARE(texto.count(QStringLiteral("Página %1 de %1").arg(paginas)), 2);
        QCOMPARE(texto.count(QStringLiteral("TOTAL $")), 2);
        QCOMPARE(texto.count(QStringLiteral("18150.00")), 2);
    }
};

QTEST_MAIN(PruebaImprimir)
#include "test_imprimir.moc"
