// Screenshot of the inquiry window on demo vouchers, for a look at the layout
// on a real display (xvfb-run with QT_QPA_PLATFORM=xcb). Skipped unless
// TALERUNA_CAPTURA names the folder for the pictures.
#include "inquiry/FrmConsCpteGenerico.h"
#include "session/ModGlobal.h"
#include "support/Fixture.h"

#include <QComboBox>
#include <QLineEdit>
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

    // After a refused key: the display is empty, the typed key stays.
    void capturaClaveRechazada_data() {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("mostrado");
        QTest::addColumn<QString>("rechazado");
        QTest::newRow("rechazo cobranza anulada") << "CB" << "150" << "153";
        QTest::newRow("rechazo factura inexistente") << "FC" << "26" << "99";
    }
    void capturaClaveRechazada() {
        const QString carpeta = qEnvironmentVariable("TALERUNA_CAPTURA");
        if (carpeta.isEmpty()) QSKIP("TALERUNA_CAPTURA not set");
        QFETCH(QString, tipo);
        QFETCH(QString, mostrado);
        QFETCH(QString, rechazado);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        FrmConsCpteGenerico f;
        f.Form_Load();
        for (int i = 0; i < f.CmbCpte->count(); ++i)
            if (f.EntradaCpte(i).mid(199).trimmed() == tipo) f.CmbCpte->setCurrentIndex(i);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        const QString letra = tipo == QLatin1String("CB") ? QStringLiteral("X") : QStringLiteral("A");
        for (const QString& numero : {mostrado, rechazado}) {
            f.txtfields[0]->setText(QStringLiteral("1"));
            f.txtfields[1]->setText(numero);
            f.txtfields[2]->setText(letra);
            f.CampoValida(f.txtfields[2]);
        }
        QVERIFY(f.DatoInvalido);
        QCOMPARE(f.TextoDisp(), QString());
        QTest::qWait(300);
        const QString nombre = QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('_'));
        QVERIFY(f.grab().save(carpeta + QLatin1Char('/') + nombre + QStringLiteral(".png")));
    }
};

QTEST_MAIN(PruebaCaptura)
#include "test_inquiry_captura.moc"
