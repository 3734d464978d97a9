// The stock of an article line of the inquiry screen: F4 or the context menu
// entry of the articles grid opens a read-only window with the article's
// stock positions and total.
#include "cmncptes/GrillaFlex.h"
#include "cmncptes/VistaGrilla.h"
#include "inquiry/FrmConsCpteGenerico.h"
#include "inquiry/FrmStockArticulo.h"
#include "session/ModGlobal.h"
#include "session/Modal.h"
#include "support/Fixture.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <memory>

namespace {

struct Ventana {
    bool abierta = false;
    QString titulo, articulo, total;
    QList<QStringList> filas;
    QList<bool> ocultas;
};

// Shows the demo invoice 0001-00000025-A and opens the stock of the article
// line `fila` (0-based) with `abre`.
Ventana StockDeLinea(int fila, const std::function<void(FrmConsCpteGenerico&, VistaGrilla*)>& abre) {
    ParametroAdicional = QStringLiteral("@TC=FC|@Sucursal=1|@Numero=25|@Letra=A|@PConsultaSolamente=SI|");
    auto f = std::make_unique<FrmConsCpteGenerico>();
    f->Form_Load();
    f->show();
    f->activateWindow();
    if (!QTest::qWaitForWindowActive(f.get())) qWarning("inquiry window not active");
    f->SSTab1->setCurrentIndex(1);
    VistaGrilla* vista = f->Vistas[1];
    vista->setFocus();
    vista->setCurrentIndex(f->MSFlexGrid2->index(fila, 2));
    Ventana v;
    Modal::GanchoTemporal gancho([&](QDialog* d) {
        auto* frm = dynamic_cast<FrmStockArticulo*>(d);
        if (!frm) return -1;
        v.abierta = true;
        v.titulo = frm->windowTitle();
        v.articulo = frm->lblArticulo->text();
        v.total = frm->lblTotal->text();
        const GrillaFlex* g = frm->MSFlexGrid1;
        for (int r = 0; r < g->Rows(); ++r) {
            QStringList celdas;
            for (int c = 0; c < g->Cols(); ++c) celdas << g->TextMatrix(r, c);
            v.filas << celdas;
        }
        for (int c = 0; c < g->Cols(); ++c) v.ocultas << frm->Vista->isColumnHidden(c);
        frm->CmdCerrar->click();
        return d->result();
    });
    abre(*f, vista);
    return v;
}

} // namespace

class PruebaStockArticulo : public QObject {
    Q_OBJECT
private slots:
    void teclaF4() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        const Ventana v = StockDeLinea(0, [](FrmConsCpteGenerico&, VistaGrilla* vista) { QTest::keyClick(vista, Qt::Key_F4); });
        QVERIFY(v.abierta);
        QCOMPARE(v.titulo, QStringLiteral("Stock del Artículo"));
        QCOMPARE(v.articulo, QStringLiteral("CAB-001 - Cable tipo D'Alessandro 2x1,5 mm"));
        QCOMPARE(v.filas, (QList<QStringList>{{"Depósito", "Lote", "Serie", "Posición", "Cantidad"},
                                              {"0001", "L001", "", "A-01-01", "175"},
                                              {"0001", "L002", "", "A-01-02", "300"},
                                              {"0002", "L002", "", "B-03-01", "50"}}));
        QCOMPARE(v.ocultas, (QList<bool>{false, false, true, false, false}));  // no serials for this article
        QCOMPARE(v.total, QStringLiteral("Stock total: 525"));
        QVERIFY(env.respondedor.mensajes.isEmpty());
    }

    void menuContextual() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        const Ventana v = StockDeLinea(1, [](FrmConsCpteGenerico& f, VistaGrilla* vista) {
            QCOMPARE(vista->contextMenuPolicy(), Qt::ActionsContextMenu);
            QVERIFY(vista->actions().contains(f.MnuStockArticulo));
            QCOMPARE(f.MnuStockArticulo->text(), QStringLiteral("Stock del Artículo..."));
            f.MnuStockArticulo->trigger();
        });
        // Positions sold out are left out.
        QCOMPARE(v.filas.mid(1), (QList<QStringList>{{"0001", "", "S0003", "C-02-01", "1"}, {"0001", "", "S0004", "C-02-01", "1"}}));
        QCOMPARE(v.ocultas, (QList<bool>{false, true, false, false, false}));
        QCOMPARE(v.total, QStringLiteral("Stock total: 2"));
    }

    void sinArticulo() {
        // A line whose article is no longer in the master, and no line at all.
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        const Ventana v = StockDeLinea(0, [](FrmConsCpteGenerico& f, VistaGrilla* vista) {
            f.MSFlexGrid2->SetTextMatrix(1, 0, QStringLiteral("GONE'1"));
            QTest::keyClick(vista, Qt::Key_F4);
            vista->setCurrentIndex({});
            QTest::keyClick(vista, Qt::Key_F4);
        });
        QVERIFY(!v.abierta);
        QVERIFY(env.respondedor.errores.isEmpty());
        QCOMPARE(env.respondedor.mensajes.size(), 2);
        QCOMPARE(env.respondedor.mensajes[0].texto, QStringLiteral("El Artículo GONE'1 no existe en el maestro de Artículos."));
    }
};

QTEST_MAIN(PruebaStockArticulo)
#include "test_stock_articulo.moc"
