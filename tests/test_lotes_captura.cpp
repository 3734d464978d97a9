// Screenshots of the lot and serial dialog (entry and exit) and of the stock
// window of an article line, on a real display (xvfb-run with
// QT_QPA_PLATFORM=xcb). Skipped unless TALERUNA_CAPTURA names the folder.
#include "cmncptes/ClsCmnCptes.h"
#include "cmncptes/GrillaFlex.h"
#include "cmncptes/VistaGrilla.h"
#include "forms/FrmCargaLotesySeries.h"
#include "inquiry/FrmConsCpteGenerico.h"
#include "inquiry/FrmStockArticulo.h"
#include "session/ModGlobal.h"
#include "session/Modal.h"
#include "support/Fixture.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include <memory>

namespace {

bool Guarda(QWidget* w, const QString& nombre) {
    if (!QTest::qWaitForWindowExposed(w)) return false;
    QTest::qWait(300);
    return w->grab().save(qEnvironmentVariable("TALERUNA_CAPTURA") + QLatin1Char('/') + nombre + QStringLiteral(".png"));
}

} // namespace

class PruebaLotesCaptura : public QObject {
    Q_OBJECT
private slots:
    void init() {
        if (qEnvironmentVariableIsEmpty("TALERUNA_CAPTURA")) QSKIP("TALERUNA_CAPTURA not set");
    }

    void entrada() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        bool ok = false;
        Modal::GanchoTemporal gancho([&](QDialog* d) {
            auto* f = dynamic_cast<FrmCargaLotesySeries*>(d);
            if (!f) return -1;
            f->MueveA(3, 3);
            QTest::keyClick(f->Vista, 'B');
            QTest::keyClicks(f->TxtEdit, QStringLiteral("0003"));
            ok = Guarda(d, QStringLiteral("lotes_entrada"));
            d->reject();
            return d->result();
        });
        QString s, l;
        ClsCmnCptes cmn;
        cmn.PideSerieLote(QStringLiteral("BAT-050"), 4, QStringLiteral("|B0001|B0002|"), QStringLiteral("|L010|L010|L011|"), s, l,
                          true, true);
        QVERIFY(ok);
    }

    void salida() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        bool ok = false;
        Modal::GanchoTemporal gancho([&](QDialog* d) {
            auto* f = dynamic_cast<FrmCargaLotesySeries*>(d);
            if (!f) return -1;
            f->MSFlexGrid1->SetCellBackColor(2, 2, QColor(255, 255, 0));  // as after a stock change
            f->MueveA(2, 3);
            ok = Guarda(d, QStringLiteral("lotes_salida"));
            d->reject();
            return d->result();
        });
        QString pares, cantidades;
        double cantidad = 320;
        ClsCmnCptes cmn;
        cmn.PideSerieLote_Salidas(QStringLiteral("CAB-001"), QStringLiteral("Cable tipo D'Alessandro 2x1,5 mm"), cantidad, QString(),
                                  QString(), pares, cantidades, true, false);
        QVERIFY(ok);
    }

    void stockArticulo() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        ParametroAdicional = QStringLiteral("@TC=FC|@Sucursal=1|@Numero=25|@Letra=A|@PConsultaSolamente=SI|");
        auto f = std::make_unique<FrmConsCpteGenerico>();
        f->Form_Load();
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.get()));
        f->SSTab1->setCurrentIndex(1);
        f->Vistas[1]->setCurrentIndex(f->MSFlexGrid2->index(0, 0));
        bool ok = false;
        Modal::GanchoTemporal gancho([&](QDialog* d) {
            ok = Guarda(d, QStringLiteral("stock_articulo"));
            d->accept();
            return d->result();
        });
        f->MuestraStockArticulo();
        QVERIFY(ok);
    }
};

QTEST_MAIN(PruebaLotesCaptura)
#include "test_lotes_captura.moc"
