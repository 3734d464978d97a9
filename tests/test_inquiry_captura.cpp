// Screenshot of the inquiry window on demo vouchers, for a look at the layout
// on a real display (xvfb-run with QT_QPA_PLATFORM=xcb). Skipped unless
// TALERUNA_CAPTURA names the folder for the pictures.
#include "inquiry/FrmConsCpteGenerico.h"
#include "session/ModGlobal.h"
#include "support/Fixture.h"

#include <QTest>

class PruebaCaptura : public QObject {
    Q_OBJECT
private slots:
    void captura_data() {
        QTest::addColumn<QString>("parametros");
        QTest::newRow("factura") << "@TC=FC|@Sucursal=1|@Numero=25|@Letra=A|@PConsultaSolamente=SI|";
        QTest::newRow("anulada") << "@TC=FC|@Sucursal=1|@Numero=26|@Letra=A|@PConsultaSolamente=SI|";
        QTest::newRow("cobranza") << "@TC=CB|@Sucursal=1|@Numero=150|@Letra=X|@PConsultaSolamente=SI|";
        QTest::newRow("cobranza anulada") << "@TC=CB|@Sucursal=1|@Numero=152|@Letra=X|@PConsultaSolamente=SI|";
        QTest::newRow("compra") << "@GestionCompras=SI|@TC=FCC|@Sucursal=3|@Numero=1234|@Letra=A|@Proveedor=P0001|@PConsultaSolamente=SI|";
        QTest::newRow("pago") << "@GestionCompras=SI|@TC=PG|@Sucursal=2|@Numero=88|@Letra=X|@Proveedor=P0001|@PConsultaSolamente=SI|";
    }
    void captura() {
        const QString carpeta = qEnvironmentVariable("TALERUNA_CAPTURA");
        if (carpeta.isEmpty()) QSKIP("TALERUNA_CAPTURA not set");
        QFETCH(QString, parametros);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        ParametroAdicional = parametros;
        FrmConsCpteGenerico f;
        f.Form_Load();
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTest::qWait(300);
        const QString nombre = QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('_'));
        QVERIFY(f.grab().save(carpeta + QLatin1Char('/') + nombre + QStringLiteral(".png")));
    }
};

QTEST_MAIN(PruebaCaptura)
#include "test_inquiry_captura.moc"
