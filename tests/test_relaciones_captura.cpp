// Screenshots of the real-charges view and of the inquiry screen's related
// vouchers, history and header-box menu on the demo company, for a look on a
// real display (xvfb-run with QT_QPA_PLATFORM=xcb). Skipped unless
// TALERUNA_CAPTURA names the folder for the pictures.
#include "cmncptes/ClsCmnCptes.h"
#include "inquiry/FrmConsCpteGenerico.h"
#include "session/Modal.h"
#include "session/ModGlobal.h"
#include "support/Fixture.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

QString Carpeta() { return qEnvironmentVariable("TALERUNA_CAPTURA"); }

// Shows the dialog, saves its picture, closes it.
Modal::Gancho Fotografia(const QString& nombre, bool* hecho) {
    return [nombre, hecho](QDialog* d) {
        d->show();
        if (!QTest::qWaitForWindowExposed(d)) return 0;
        QTest::qWait(300);
        *hecho = d->grab().save(Carpeta() + QLatin1Char('/') + nombre + QStringLiteral(".png"));
        return 0;
    };
}

} // namespace

class PruebaCapturaRelaciones : public QObject {
    Q_OBJECT
private slots:
    void init() {
        if (Carpeta().isEmpty()) QSKIP("TALERUNA_CAPTURA not set");
    }

    void cargosReales() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        bool hecho = false;
        Modal::GanchoTemporal g(Fotografia(QStringLiteral("cargos_reales"), &hecho));
        ClsCmnCptes cmn;
        cmn.ControlDeCargosReales(QStringLiteral("C0001"), QString());
        QVERIFY(hecho);
    }

    void entradas_data() {
        QTest::addColumn<QString>("parametros");
        QTest::addColumn<int>("accion");
        QTest::newRow("relacionados") << "@TC=OT|@Sucursal=1|@Numero=111|@Letra=X|@PConsultaSolamente=SI|" << 0;
        QTest::newRow("relacionados con origen") << "@TC=FC|@Sucursal=1|@Numero=31|@Letra=A|@PConsultaSolamente=SI|" << 0;
        QTest::newRow("historial") << "@TC=OT|@Sucursal=1|@Numero=111|@Letra=X|@PConsultaSolamente=SI|" << 1;
        QTest::newRow("cargos reales desde la consulta") << "@TC=FC|@Sucursal=1|@Numero=31|@Letra=A|@PConsultaSolamente=SI|" << 2;
    }
    void entradas() {
        QFETCH(QString, parametros);
        QFETCH(int, accion);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        ParametroAdicional = parametros;
        FrmConsCpteGenerico f;
        f.Form_Load();
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        bool hecho = false;
        const QString nombre = QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('_'));
        Modal::GanchoTemporal g(Fotografia(nombre, &hecho));
        QAction* a[] = {f.AccRelacionados, f.AccHistorial, f.AccCargosReales};
        a[accion]->trigger();
        QVERIFY(hecho);
    }

    // The inquiry window with the header box's menu open (the screen is grabbed
    // while the menu shows).
    void menu() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        ParametroAdicional = QStringLiteral("@TC=OT|@Sucursal=1|@Numero=111|@Letra=X|@PConsultaSolamente=SI|");
        FrmConsCpteGenerico f;
        f.Form_Load();
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTest::qWait(200);
        bool hecho = false;
        QTimer::singleShot(500, [&] {
            QMenu* m = f.findChild<QMenu*>(QStringLiteral("MenuDisp"));
            const QRect r = f.frameGeometry();
            hecho = QGuiApplication::primaryScreen()->grabWindow(0, r.x(), r.y(), r.width(), r.height())
                        .save(Carpeta() + QStringLiteral("/menu.png"));
            if (m) m->close();
        });
        emit f.txtDisp->customContextMenuRequested(QPoint(220, 40));
        QVERIFY(hecho);
    }
};

QTEST_MAIN(PruebaCapturaRelaciones)
#include "test_relaciones_captura.moc"
