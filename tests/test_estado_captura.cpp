// Screenshots of the inquiry window's status bar on an article line with its
// stock, and of the voucher summary (F9), for a look on a real display
// (scripts/capturas.sh). Skipped unless TALERUNA_CAPTURA names the folder.
#include "cmncptes/BarraEstado.h"
#include "cmncptes/GrillaFlex.h"
#include "cmncptes/VistaGrilla.h"
#include "inquiry/FrmConsCpteGenerico.h"
#include "inquiry/FrmResumenCpte.h"
#include "session/ModGlobal.h"
#include "session/Modal.h"
#include "support/Fixture.h"

#include <QDialog>
#include <QTabWidget>
#include <QTest>

class PruebaCapturaEstado : public QObject {
    Q_OBJECT
private slots:
    void captura() {
        const QString carpeta = qEnvironmentVariable("TALERUNA_CAPTURA");
        if (carpeta.isEmpty()) QSKIP("TALERUNA_CAPTURA not set");
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        ParametroAdicional = QStringLiteral("@TC=FC|@Sucursal=1|@Numero=25|@Letra=A|@PConsultaSolamente=SI|");
        FrmConsCpteGenerico f;
        f.Form_Load();
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        f.SSTab1->setCurrentIndex(1);
        // An editing screen fills the stock column; here it is written by hand.
        f.MSFlexGrid2->SetTextMatrix(2, 24, QStringLiteral("14"));
        VistaGrilla* v = f.Vistas[1];
        QTRY_VERIFY(v->currentIndex().isValid());
        v->setFocus();
        v->setCurrentIndex(v->model()->index(1, 0));
        QTRY_COMPARE(f.StatB->TextoPanel(4), QStringLiteral("Stock: 14"));
        QTest::qWait(300);
        QVERIFY(f.grab().save(carpeta + QStringLiteral("/barra_estado.png")));

        bool guardada = false;
        Modal::GanchoTemporal gancho([&](QDialog* d) {
            d->show();
            if (QTest::qWaitForWindowExposed(d)) {
                QTest::qWait(300);
                guardada = d->grab().save(carpeta + QStringLiteral("/resumen.png"));
            }
            d->accept();
            return d->result();
        });
        f.MuestraResumen();
        QVERIFY(guardada);
    }
};

QTEST_MAIN(PruebaCapturaEstado)
#include "test_estado_captura.moc"
