// Configuration values and the suite's money and time formats.
#include "session/ClsConexion.h"
#include "session/ClsFunciones.h"
#include "session/ErrorEjecucion.h"
#include "session/Moneda.h"
#include "session/ModGlobal.h"
#include "support/Fixture.h"

#include <QtTest>

#include <limits>

class TestFormatos : public QObject {
    Q_OBJECT
private slots:
    void moneda_desdeTexto_data();
    void moneda_desdeTexto();
    void fmtMoneda_data();
    void fmtMoneda();
    void fmtMonedaSinConfiguracionUsaWinIni();
    void fmtMonedaSeparadorDelLocale_data();
    void fmtMonedaSeparadorDelLocale();
    void monedaDesborde_data();
    void monedaDesborde();
    void fmtMonedaDesbordeSeInforma();
    void cfg();
    void cfgClaveMaliciosa();
    void horasAMinutos_data();
    void horasAMinutos();
    void minutosAHoras_data();
    void minutosAHoras();
    void minutosAHorasNoNumericoEsError();
};

void TestFormatos::moneda_desdeTexto_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<qlonglong>("diezmil");
    QTest::newRow("entero") << "25" << 250000LL;
    QTest::newRow("decimales con punto") << "123456.789" << 1234567890LL;
    QTest::newRow("decimales con coma") << "12,5" << 125000LL;
    QTest::newRow("negativo con blancos") << "  -2.345" << -23450LL;
    QTest::newRow("quinto decimal par redondea abajo") << "0.00005" << 0LL;
    QTest::newRow("quinto decimal impar redondea arriba") << "0.00015" << 2LL;
    QTest::newRow("mas alla de la mitad") << "0.000051" << 1LL;
    QTest::newRow("texto no numerico es cero") << "abc" << 0LL;
    QTest::newRow("vacio es cero") << "" << 0LL;
    QTest::newRow("numero seguido de texto") << "12abc" << 120000LL;
    QTest::newRow("sin parte entera") << ".5" << 5000LL;
}

void TestFormatos::moneda_desdeTexto() {
    QFETCH(QString, texto);
    QFETCH(qlonglong, diezmil);
    QCOMPARE(Moneda::DesdeTexto(texto).Diezmilesimos(), diezmil);
}

void TestFormatos::fmtMoneda_data() {
    QTest::addColumn<QString>("cantidadDecimales");  // "" = key absent
    QTest::addColumn<QVariant>("valor");
    QTest::addColumn<QVariant>("decimales");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("tres decimales configurados") << "3" << QVariant(12.5) << QVariant(-1) << "12.500";
    QTest::newRow("sin clave: win.ini por defecto 2") << "" << QVariant(12.5) << QVariant(-1) << "12.50";
    QTest::newRow("decimales explicitos 1") << "3" << QVariant(12.5) << QVariant(1) << "12.5";
    QTest::newRow("redondeo par 2.345") << "2" << QVariant(QStringLiteral("2.345")) << QVariant(-1) << "2.34";
    QTest::newRow("redondeo par 2.355") << "2" << QVariant(QStringLiteral("2.355")) << QVariant(-1) << "2.36";
    QTest::newRow("cero explicito cae a win.ini") << "3" << QVariant(7) << QVariant(0) << "7.00";
    QTest::newRow("verdadero es -1") << "3" << QVariant(QStringLiteral("1.5")) << QVariant(true) << "1.500";
    QTest::newRow("texto vacio es cero") << "2" << QVariant(QString()) << QVariant(-1) << "0.00";
    QTest::newRow("importe grande sin agrupar") << "2" << QVariant(QStringLiteral("150000000")) << QVariant(-1)
                                                << "150000000.00";
    QTest::newRow("negativo") << "2" << QVariant(QStringLiteral("-0.5")) << QVariant(-1) << "-0.50";
    QTest::newRow("decimales configurados enormes: 20") << "1e30" << QVariant(12.5) << QVariant(-1)
                                                         << "12.50000000000000000000";
    QTest::newRow("decimales explicitos enormes: 20") << "2" << QVariant(12.5) << QVariant(1e300)
                                                       << "12.50000000000000000000";
}

void TestFormatos::fmtMoneda() {
    QFETCH(QString, cantidadDecimales);
    QFETCH(QVariant, valor);
    QFETCH(QVariant, decimales);
    QFETCH(QString, esperado);
    QString semilla;
    if (!cantidadDecimales.isEmpty())
        semilla = QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, Valor) VALUES (' cantidaddecimales ', '%1');")
                      .arg(cantidadDecimales);
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, semilla);
    QCOMPARE(FmtMoneda(valor, decimales), esperado);
    QVERIFY(env.respondedor.errores.isEmpty());
}

void TestFormatos::fmtMonedaSinConfiguracionUsaWinIni() {
    Prueba::Entorno env;
    env.EscribeArchivo(QStringLiteral("win.ini"), "; regional settings\r\n[Intl]\r\niCurrDigits = 4\r\n");
    QCOMPARE(FmtMoneda(QVariant(QStringLiteral("3.14159"))), QStringLiteral("3.1416"));
    env.EscribeArchivo(QStringLiteral("win.ini"), "[intl]\nICurrDigits=0\n");
    QCOMPARE(FmtMoneda(QVariant(QStringLiteral("123.4"))), QStringLiteral("123."));
}

void TestFormatos::fmtMonedaSeparadorDelLocale_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("es_AR coma") << "es_AR" << "1234,50";
    QTest::newRow("de_DE coma, sin agrupar") << "de_DE" << "1234,50";
    QTest::newRow("en_US punto, sin agrupar") << "en_US" << "1234.50";
}

void TestFormatos::fmtMonedaSeparadorDelLocale() {
    QFETCH(QString, locale);
    QFETCH(QString, esperado);
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno,
                        "INSERT INTO TA_CONFIGURACION (CLAVE, Valor) VALUES ('CantidadDecimales', '2');\n");
    const QLocale anterior;
    QLocale::setDefault(QLocale(locale));
    const QString texto = FmtMoneda(QVariant(QStringLiteral("1234.5")));
    // A text written with the locale's comma reads back as the same amount.
    const QString deNuevo = FmtMoneda(QVariant(texto));
    QLocale::setDefault(anterior);
    QCOMPARE(texto, esperado);
    QCOMPARE(deNuevo, esperado);
}

void TestFormatos::monedaDesborde_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("desborda");
    QTest::addColumn<qlonglong>("diezmil");
    QTest::newRow("el mayor importe") << "922337203685477.5807" << false << 9223372036854775807LL;
    QTest::newRow("el menor importe") << "-922337203685477.5807" << false << -9223372036854775807LL;
    QTest::newRow("los decimales lo pasan") << "922337203685477.5808" << true << 0LL;
    QTest::newRow("el redondeo lo pasa") << "922337203685477.58075" << true << 0LL;
    QTest::newRow("veinte digitos") << "99999999999999999999" << true << 0LL;
}

void TestFormatos::monedaDesborde() {
    QFETCH(QString, texto);
    QFETCH(bool, desborda);
    QFETCH(qlonglong, diezmil);
    bool desbordado = !desborda;
    QCOMPARE(Moneda::DesdeTexto(texto, nullptr, &desbordado).Diezmilesimos(), diezmil);
    QCOMPARE(desbordado, desborda);
    if (desborda) {
        QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, Funciones().TextoAMoneda(texto));
    } else {
        QCOMPARE(Funciones().TextoAMoneda(texto).Diezmilesimos(), diezmil);
        // Rounding the largest amount to whole units leaves the range.
        QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, Funciones().TextoAMoneda(texto).RedondeadaParEven(0));
    }
}

void TestFormatos::fmtMonedaDesbordeSeInforma() {
    // An amount beyond the currency range is reported (error 6 in FmtMoneda)
    // and shows nothing, rather than showing 0.
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno,
                        "INSERT INTO TA_CONFIGURACION (CLAVE, Valor) VALUES ('CantidadDecimales', '2');\n");
    QCOMPARE(FmtMoneda(QVariant(QStringLiteral("99999999999999999999"))), QString());
    QCOMPARE(FmtMoneda(QVariant(1e300)), QString());
    QCOMPARE(env.respondedor.errores.size(), 2);
    QCOMPARE(env.respondedor.errores.first().numero, ErrorEjecucion::Desbordamiento);
    QCOMPARE(env.respondedor.errores.first().procedimiento, QStringLiteral("FmtMoneda"));
    QCOMPARE(FmtMoneda(QVariant(QStringLiteral("922337203685477.58"))), QStringLiteral("922337203685477.58"));
}

void TestFormatos::cfg() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno,
                        "INSERT INTO TA_CONFIGURACION (CLAVE, Valor) VALUES ('  NoUsaServicios  ', 'si');\n"
                        "INSERT INTO TA_CONFIGURACION (CLAVE, Valor) VALUES ('Repetida', 'primera');\n"
                        "INSERT INTO TA_CONFIGURACION (CLAVE, Valor) VALUES ('Repetida', 'segunda');\n"
                        "INSERT INTO TA_CONFIGURACION (CLAVE, Valor) VALUES ('Nula', NULL);\n"
                        "INSERT INTO TA_CONFIGURACION (CLAVE, Valor) VALUES ('NOMBRE', 'O''HIGGINS SRL');\n");
    QCOMPARE(Cfg(QStringLiteral("NoUsaServicios")), QStringLiteral("si"));
    QCOMPARE(Cfg(QStringLiteral("nousaservicios")), QStringLiteral("si"));
    QCOMPARE(Cfg(QStringLiteral("NoExiste")), QStringLiteral(" "));
    QCOMPARE(Cfg(QStringLiteral("Repetida")), QStringLiteral("primera"));
    QCOMPARE(Cfg(QStringLiteral("Nula")), QString());
    QCOMPARE(Cfg(QStringLiteral("NOMBRE")), QStringLiteral("O'HIGGINS SRL"));
    // A key passed with blanks around it is not trimmed: leading blanks do not match.
    QCOMPARE(Cfg(QStringLiteral("  NoUsaServicios")), QStringLiteral(" "));
    // Trailing blanks do not count in a comparison, on the server as here.
    QCOMPARE(Cfg(QStringLiteral("NoUsaServicios  ")), QStringLiteral("si"));
    QVERIFY(env.respondedor.errores.isEmpty());
}

void TestFormatos::cfgClaveMaliciosa() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    QCOMPARE(Cfg(QStringLiteral("' OR '1'='1")), QStringLiteral(" "));
    QCOMPARE(Cfg(QStringLiteral("x'; DELETE FROM TA_CONFIGURACION; --")), QStringLiteral(" "));
    QVERIFY(env.respondedor.errores.isEmpty());
    QVERIFY(Cfg(QStringLiteral("NOMBRE")).trimmed().size() > 0);
}

void TestFormatos::horasAMinutos_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("horas");
    QTest::addColumn<QString>("minutos");
    QTest::addColumn<bool>("desdeTexto");
    QTest::addColumn<double>("esperado");
    QTest::newRow("1:30 desde texto") << "1:30" << "" << "" << true << 90.0;
    QTest::newRow("2 desde texto") << "2" << "" << "" << true << 120.0;
    QTest::newRow(":45 desde texto") << ":45" << "" << "" << true << 45.0;
    QTest::newRow("hora valida") << "10:15" << "" << "" << false << 615.0;
    QTest::newRow("fecha y hora") << "15/03/2026 08:05" << "" << "" << false << 485.0;
    QTest::newRow("hora pm") << "1:30 PM" << "" << "" << false << 810.0;
    QTest::newRow("no es hora: horas y minutos") << "xx" << "3" << "20" << false << 200.0;
    QTest::newRow("no es hora y falta minutos") << "xx" << "3" << "" << false << 0.0;
}

void TestFormatos::horasAMinutos() {
    QFETCH(QString, texto);
    QFETCH(QString, horas);
    QFETCH(QString, minutos);
    QFETCH(bool, desdeTexto);
    QFETCH(double, esperado);
    QCOMPARE(HorasAMinutos(texto, horas, minutos, desdeTexto), esperado);
}

void TestFormatos::minutosAHoras_data() {
    QTest::addColumn<QVariant>("total");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<long>("h");
    QTest::addColumn<long>("m");
    QTest::newRow("125") << QVariant(125) << "02:05" << 2L << 5L;
    QTest::newRow("6000") << QVariant(6000) << "100:00" << 100L << 0L;
    QTest::newRow("-90") << QVariant(-90) << "-01:-30" << -1L << -30L;
    QTest::newRow("0") << QVariant(0) << "00:00" << 0L << 0L;
    QTest::newRow("texto 135") << QVariant(QStringLiteral("135")) << "02:15" << 2L << 15L;
    QTest::newRow("medio redondea a par") << QVariant(QStringLiteral("90.5")) << "01:30" << 1L << 30L;
    QTest::newRow("vacio es cero") << QVariant(QString()) << "00:00" << 0L << 0L;
}

void TestFormatos::minutosAHoras() {
    QFETCH(QVariant, total);
    QFETCH(QString, texto);
    QFETCH(long, h);
    QFETCH(long, m);
    long hs = -99, ms = -99;
    QCOMPARE(MinutosAHoras(total, hs, ms), texto);
    QCOMPARE(hs, h);
    QCOMPARE(ms, m);
}

void TestFormatos::minutosAHorasNoNumericoEsError() {
    long h = 0, m = 0;
    QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, MinutosAHoras(QVariant(QStringLiteral("dos horas")), h, m));
    // A count beyond a whole number's range is an overflow, not a wrapped value.
    for (const QVariant& v : {QVariant(QStringLiteral("1e30")), QVariant(std::numeric_limits<double>::infinity()),
                              QVariant(-1e300)}) {
        try {
            MinutosAHoras(v, h, m);
            QFAIL("no error raised");
        } catch (const ErrorEjecucion& e) {
            QCOMPARE(e.Numero(), ErrorEjecucion::Desbordamiento);
        }
    }
}

QTEST_GUILESS_MAIN(TestFormatos)
#include "test_formatos.moc"
