// conscpte --exportar: the real program run without a window writes what the
// screen shows; its header text is the one the window shows.
#include "inquiry/ExportacionPantalla.h"
#include "inquiry/FrmConsCpteGenerico.h"
#include "session/ModGlobal.h"
#include "support/Fixture.h"

#include <QFile>
#include <QProcess>
#include <QTest>

namespace {

using Prueba::Corrida;

Corrida Ejecuta(const QStringList& argumentos, const QProcessEnvironment& entorno = QProcessEnvironment::systemEnvironment(),
                const QString& salidaEstandar = {}, int espera = 60000) {
    return Prueba::EjecutaPrograma(argumentos, entorno, salidaEstandar, espera);
}

QString Linea(const Prueba::Entorno& env, const QString& parametros) {
    return env.Origen() + QStringLiteral("@ParametroAdicional=%1;").arg(parametros);
}

// The header lines of an export.
QStringList Encabezado(const QString& exportado) {
    const QStringList l = exportado.split(QLatin1Char('\n'));
    for (int i = 0; i < l.size(); ++i)
        if (l[i].startsWith(QLatin1String("Encabezado: "))) return l.mid(i + 1, l[i].mid(12).toInt());
    return {QStringLiteral("(no header section)")};
}

} // namespace

class PruebaExportar : public QObject {
    Q_OBJECT
private slots:
    void mismoEncabezadoQueLaVentana_data() {
        QTest::addColumn<QString>("parametros");
        QTest::addColumn<QString>("contiene");
        QTest::newRow("factura de ventas") << "@TC=FC|@Sucursal=1|@Numero=25|@Letra=A|@PConsultaSolamente=SI|"
                                           << "Cliente      : C0001  / Ferretería Los Andes S.R.L. ";
        QTest::newRow("factura de compras")
            << "@GestionCompras=SI|@TC=FCC|@Sucursal=3|@Numero=1234|@Letra=A|@Proveedor=P0002|@PConsultaSolamente=SI|"
            << "Proveedor    : P0002  / Herramientas Bahía S.R.L. ";
        QTest::newRow("cobranza") << "@TC=CB|@Sucursal=1|@Numero=150|@Letra=X|@PConsultaSolamente=SI|"
                                  << "      DETALLE DE MEDIOS PAGOS      ";
        QTest::newRow("pago") << "@GestionCompras=SI|@TC=PG|@Sucursal=2|@Numero=88|@Letra=X|@Proveedor=P0001|@PConsultaSolamente=SI|"
                              << "TOTAL   : " + QString(59, QLatin1Char(' ')) + "250000.000";
    }
    void mismoEncabezadoQueLaVentana() {
        QFETCH(QString, parametros);
        QFETCH(QString, contiene);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        const Corrida c = Ejecuta({QStringLiteral("--exportar"), QStringLiteral("-"), Linea(env, parametros)});
        QCOMPARE(c.codigo, 0);
        QVERIFY2(c.errores.indexOf(QLatin1String("Aviso")) < 0, qPrintable(c.errores));
        ParametroAdicional = parametros;
        FrmConsCpteGenerico f;
        f.Form_Load();
        QString ventana = f.TextoDisp();
        const QStringList esperado = ventana.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(QLatin1Char('\n'));
        QCOMPARE(Encabezado(c.salida), esperado);
        QVERIFY(esperado.contains(contiene));
        // The whole export is what the in-process form exports.
        QCOMPARE(c.salida, ExportacionPantalla::Texto(f));
    }

    void formatoDeLaFactura() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        const QString archivo = env.Carpeta() + QStringLiteral("pantalla.txt");
        const Corrida c = Ejecuta({QStringLiteral("--exportar"), archivo,
                                   Linea(env, QStringLiteral("@TC=FC|@Sucursal=1|@Numero=26|@Letra=A|@PConsultaSolamente=SI|"))});
        QCOMPARE(c.codigo, 0);
        QCOMPARE(c.salida, QString());
        QFile f(archivo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList l = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
        QCOMPARE(l.mid(0, 7), (QStringList{"Ventana: Taleruna - Gestión Ventas", "Tipo: FC\tFACTURAS", "Sucursal: 0001", "Numero: 00000026",
                                           "Letra: A", "Anulada: SI", "Encabezado: 8"}));
        const int solapa = static_cast<int>(l.indexOf(QStringLiteral("Solapa: Mano De Obra")));
        QCOMPARE(solapa, 15);
        QCOMPARE(l.mid(solapa + 1, 3), (QStringList{"Filas: 1", "Código\tDescripción\tHoras\tValor/Hora\tTotal",
                                                    "T002\tRevisión de tablero\t01:00\t9680.00\t9680.00"}));
        QVERIFY(l.contains(QStringLiteral("Solapa: Insumos Utilizados")));
        QVERIFY(l.contains(QStringLiteral("Solapa: Detalle De Otros Conceptos")));
        QCOMPARE(l.last(), QString());  // ends with a line feed
    }

    // Control characters of the data never reach the text: a value can neither
    // break the format nor drive the terminal that shows it.
    void caracteresDeControlComoBlancos() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo,
                            QStringLiteral("UPDATE V_MV_CPTE SET Nombre = 'Ferre' || char(27) || '[2J' || char(7) || 'x' || "
                                           "char(9) || 'y' || char(127) || 'z' || char(133) || 'w' WHERE IDCOMPROBANTE = '000100000025A';\n"
                                           "UPDATE V_MV_CPTEINSUMOS SET Descripcion = 'Cable' || char(27) || char(13) || 'z' "
                                           "WHERE IdArticulo = 'CAB-001'")
                                .replace(QLatin1String("char("),  // the server's name of the function
                                         Prueba::DsnPostgres().isEmpty() ? QLatin1String("char(") : QLatin1String("chr(")));
        ParametroAdicional = QStringLiteral("@TC=FC|@Sucursal=1|@Numero=25|@Letra=A|@PConsultaSolamente=SI|");
        FrmConsCpteGenerico f;
        f.Form_Load();
        const QString texto = ExportacionPantalla::Texto(f);
        for (const QChar c : texto) {
            const char16_t u = c.unicode();
            QVERIFY2(u == u'\t' || u == u'\n' || (u >= 0x20 && u != 0x7F && !(u >= 0x80 && u < 0xA0)),
                     qPrintable(QStringLiteral("control character %1").arg(int(u))));
        }
        QVERIFY2(texto.contains(QStringLiteral("Cliente      : C0001  / Ferre [2J x y z w ")), qPrintable(texto));
        QVERIFY2(texto.contains(QStringLiteral("\tCable  z\t")), qPrintable(texto));
    }

    void rechazoVaAErroresYNoTerminaEnCero() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        const Corrida c = Ejecuta({QStringLiteral("--exportar"), QStringLiteral("-"),
                                   Linea(env, QStringLiteral("@TC=FC|@Sucursal=1|@Numero=99|@Letra=A|@PConsultaSolamente=SI|"))});
        QCOMPARE(c.codigo, 2);
        QVERIFY2(c.errores.contains(QStringLiteral("El Comprobante Informado, es Inexistente!!!")), qPrintable(c.errores));
        QVERIFY(c.salida.startsWith(QStringLiteral("Ventana: ")));
        QCOMPARE(Encabezado(c.salida), QStringList());
    }

    // A script can trust the exit status: 0 only when the file was fully
    // written and the load ran through (the consult-only voucher shown).
    void estadoDeSalida_data() {
        QTest::addColumn<QString>("archivo");     // "-": standard output
        QTest::addColumn<QString>("salida");      // where standard output goes ("": read by the test)
        QTest::addColumn<QString>("semilla");     // statements run on the database first
        QTest::addColumn<QString>("parametros");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("error");       // expected on standard error
        const QString fc25 = QStringLiteral("@TC=FC|@Sucursal=1|@Numero=25|@Letra=A|@PConsultaSolamente=SI|");
        QTest::newRow("mostrado y escrito") << "-" << "" << "" << fc25 << 0 << "";
        QTest::newRow("sin comprobante pedido") << "-" << "" << "" << "@TC=FC|" << 0 << "";
        QTest::newRow("archivo en disco lleno") << "/dev/full" << "" << "" << fc25 << 1 << "no se pudo escribir /dev/full";
        QTest::newRow("salida estandar en disco lleno") << "-" << "/dev/full" << "" << fc25 << 1 << "no se pudo escribir -";
        QTest::newRow("comprobante inexistente")
            << "-" << "" << "" << "@TC=FC|@Sucursal=1|@Numero=99|@Letra=A|@PConsultaSolamente=SI|" << 2
            << "El Comprobante Informado, es Inexistente!!!";
        QTest::newRow("cobranza anulada") << "-" << "" << "" << "@TC=CB|@Sucursal=1|@Numero=153|@Letra=X|@PConsultaSolamente=SI|"
                                          << 2 << "El comprobante ya fue anulado";
        QTest::newRow("punto y coma en un parametro")
            << "-" << "" << "" << "@TC=FC|@Sucursal=1|@Numero=25;|@Letra=A|@PConsultaSolamente=SI|" << 3 << "Error 5 en Form_Load";
        QTest::newRow("falta la tabla de comprobantes") << "-" << "" << Prueba::QuitaTabla(QStringLiteral("V_MV_CPTE")) << fc25 << 3 << "Error 3604";
        QTest::newRow("detalle ilegible") << "-" << "" << Prueba::QuitaTabla(QStringLiteral("V_MV_CPTEINSUMOS")) << fc25 << 3 << "Error 3604";
    }
    void estadoDeSalida() {
        QFETCH(QString, archivo);
        QFETCH(QString, salida);
        QFETCH(QString, semilla);
        QFETCH(QString, parametros);
        QFETCH(int, codigo);
        QFETCH(QString, error);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo, semilla);
        const Corrida c = Ejecuta({QStringLiteral("--exportar"), archivo, Linea(env, parametros)},
                                  QProcessEnvironment::systemEnvironment(), salida);
        QCOMPARE(c.codigo, codigo);
        QVERIFY2(c.errores.contains(error), qPrintable(c.errores));
        if (codigo == 0) QVERIFY2(!c.errores.contains(QStringLiteral("Error ")) && !c.errores.contains(QStringLiteral("Aviso")),
                                  qPrintable(c.errores));
    }

    void baseInaccesibleTerminaEnUno() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, {}, false);
        const Corrida c = Ejecuta({QStringLiteral("--exportar"), QStringLiteral("-"),
                                   QStringLiteral("@Server=;@DbName=%1no_existe.db;@ParametroAdicional=@TC=FC|;").arg(env.Carpeta())});
        QCOMPARE(c.codigo, 1);
        QVERIFY2(c.errores.contains(QStringLiteral("No se pudo conectar con la base de datos.")), qPrintable(c.errores));
    }

    // With a display at hand, an export still opens no window: its messages
    // go to standard error and the program ends by itself.
    void conPantallaNingunaVentana() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("vnc:port=0"));
        e.remove(QStringLiteral("CI"));
        const Corrida c = Ejecuta({QStringLiteral("--exportar"), QStringLiteral("-"),
                                   Linea(env, QStringLiteral("@TC=FC|@Sucursal=1|@Numero=99|@Letra=A|@PConsultaSolamente=SI|"))},
                                  e, {}, 30000);
        QCOMPARE(c.codigo, 2);
        QVERIFY2(c.errores.contains(QStringLiteral("El Comprobante Informado, es Inexistente!!!")), qPrintable(c.errores));
    }

    void sinPantalla() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.remove(QStringLiteral("QT_QPA_PLATFORM"));
        e.remove(QStringLiteral("DISPLAY"));
        e.remove(QStringLiteral("WAYLAND_DISPLAY"));
        const QString linea = Linea(env, QStringLiteral("@TC=FC|@Sucursal=1|@Numero=25|@Letra=A|@PConsultaSolamente=SI|"));
        const Corrida exportada = Ejecuta({QStringLiteral("--exportar"), QStringLiteral("-"), linea}, e);
        QCOMPARE(exportada.codigo, 0);
        QVERIFY(exportada.salida.contains(QStringLiteral("Clase Precio : MINORISTA ")));
        // Without --exportar: one line that says what to do, not Qt's platform error.
        const Corrida ventana = Ejecuta({linea}, e);
        QCOMPARE(ventana.codigo, 1);
        QVERIFY2(ventana.errores.contains(QStringLiteral("--exportar -")), qPrintable(ventana.errores));
        QCOMPARE(ventana.errores.count(QLatin1Char('\n')), 1);
    }
};

QTEST_MAIN(PruebaExportar)
#include "test_exportar.moc"
