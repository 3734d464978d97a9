// The inquiry screen's status bar (the current line of the visible grid, the
// stock panel) and the voucher summary on F9, driven offscreen on the demo data.
#include "cmncptes/BarraEstado.h"
#include "cmncptes/GrillaFlex.h"
#include "cmncptes/VistaGrilla.h"
#include "inquiry/FrmConsCpteGenerico.h"
#include "inquiry/FrmResumenCpte.h"
#include "session/ModGlobal.h"
#include "session/Modal.h"
#include "support/Fixture.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <memory>

namespace {

const QString Factura = QStringLiteral("@TC=FC|@Sucursal=1|@Numero=25|@Letra=A|@PConsultaSolamente=SI|");

std::unique_ptr<FrmConsCpteGenerico> Abre(const QString& parametros) {
    ParametroAdicional = parametros;
    auto f = std::make_unique<FrmConsCpteGenerico>();
    f->Form_Load();
    f->show();
    return f;
}

QStringList Paneles(const FrmConsCpteGenerico& f) {
    QStringList r;
    for (int p = 1; p <= f.StatB->CantidadPaneles(); ++p) r << f.StatB->TextoPanel(p);
    return r;
}

} // namespace

class PruebaInquiryEstado : public QObject {
    Q_OBJECT

private slots:
    // A shown voucher puts its first service line in the bar.
    void primeraLineaAlMostrar() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(Factura);
        QCOMPARE(f->StatB, f->statusBar());
        QStringList claves;
        for (int p = 1; p <= f->StatB->CantidadPaneles(); ++p) claves << f->StatB->ClavePanel(p);
        QCOMPARE(claves, (QStringList{"Solapa", "Linea", "Detalle", "Stock", "Resumen"}));
        QTRY_COMPARE(Paneles(*f), (QStringList{"Mano De Obra", "Línea 1 de 3", "T001 - Instalación eléctrica", "",
                                               "F9 Resumen"}));
        QVERIFY(f->StatB->Panel(4)->isHidden());
        QVERIFY(!f->StatB->Panel(5)->isHidden());
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    // Changing tab and line, by code or by key, shows that line.
    void lineaDeLaSolapaVisible_data() {
        QTest::addColumn<int>("solapa");
        QTest::addColumn<int>("fila");      // line of the view (0 = the first line); -1: Down from the first
        QTest::addColumn<QStringList>("paneles");  // Solapa, Linea, Detalle
        QTest::newRow("servicios, tercera línea")
            << 0 << 2 << QStringList{"Mano De Obra", "Línea 3 de 3", "T003 - Mano de obra general"};
        QTest::newRow("artículos, flecha abajo desde la primera")
            << 1 << -1 << QStringList{"Insumos Utilizados", "Línea 2 de 3", "TAL-200 - Taladro percutor 750 W"};
        QTest::newRow("otros conceptos: sólo el texto")
            << 2 << 1 << QStringList{"Detalle De Otros Conceptos", "Línea 2 de 2", "Viáticos del técnico"};
    }
    void lineaDeLaSolapaVisible() {
        QFETCH(int, solapa);
        QFETCH(int, fila);
        QFETCH(QStringList, paneles);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(Factura);
        f->SSTab1->setCurrentIndex(solapa);
        VistaGrilla* v = f->Vistas[solapa];
        QTRY_VERIFY(v->currentIndex().isValid());
        if (fila >= 0) {
            v->setCurrentIndex(v->model()->index(fila, 0));
        } else {
            v->setFocus();
            QTest::keyClick(v, Qt::Key_Down);
        }
        QTRY_COMPARE(Paneles(*f).mid(0, 3), paneles);
        // Only an article line shows its stock.
        QCOMPARE(f->StatB->Panel(4)->isHidden(), solapa != 1);
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    // The stock panel of an article line shows what the posted movements
    // leave of that article in every deposit; an article missing from the
    // master shows no stock and raises no error.
    void stockRealDelArticulo_data() {
        QTest::addColumn<int>("fila");
        QTest::addColumn<QString>("stock");
        QTest::newRow("cable por lotes: dos depósitos") << 0 << "Stock: 525";
        QTest::newRow("taladro por series: vendidas en cero") << 1 << "Stock: 2";
        QTest::newRow("batería por lote y serie") << 2 << "Stock: 2";
    }
    void stockRealDelArticulo() {
        QFETCH(int, fila);
        QFETCH(QString, stock);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(Factura);
        f->SSTab1->setCurrentIndex(1);
        f->Vistas[1]->setCurrentIndex(f->MSFlexGrid2->index(fila, 0));
        QTRY_COMPARE(f->StatB->TextoPanel(4), stock);
        QVERIFY(!f->StatB->Panel(4)->isHidden());
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    void articuloFueraDelMaestroSinStock() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(Factura);
        f->SSTab1->setCurrentIndex(1);
        f->MSFlexGrid2->SetTextMatrix(1, 0, QStringLiteral("NO-EXISTE"));
        f->Vistas[1]->setCurrentIndex(f->MSFlexGrid2->index(0, 0));
        QTRY_COMPARE(f->StatB->TextoPanel(3).left(12), QStringLiteral("NO-EXISTE - "));
        QVERIFY(f->StatB->Panel(4)->isHidden());
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    // An article line that carries its stock shows it in the Stock panel.
    void stockDeLaLineaDeArticulo() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(Factura);
        f->SSTab1->setCurrentIndex(1);
        QTRY_COMPARE(f->StatB->TextoPanel(3), QStringLiteral("CAB-001 - Cable tipo D'Alessandro 2x1,5 mm"));
        f->MSFlexGrid2->SetTextMatrix(1, 24, QStringLiteral("15.5"));
        QTRY_COMPARE(f->StatB->TextoPanel(4), QStringLiteral("Stock: 15.5"));
        QVERIFY(!f->StatB->Panel(4)->isHidden());
    }

    // F9: the summary by tab with a line per article and the blue closing row,
    // and the item counts.
    void resumenConF9() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(Factura);
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
        QStringList lineas;
        QString items;
        int aperturas = 0;
        Modal::GanchoTemporal gancho([&](QDialog* d) {
            ++aperturas;
            auto* r = qobject_cast<FrmResumenCpte*>(d);
            if (!r) return -1;
            for (int fila = 1; fila < r->MSFlexGrid4->Rows(); ++fila) {
                const QColor c = r->MSFlexGrid4->CellBackColor(fila, 1);
                lineas << QStringLiteral("%1|%2|%3|%4")
                              .arg(r->MSFlexGrid4->TextMatrix(fila, 0), r->MSFlexGrid4->TextMatrix(fila, 1),
                                   r->MSFlexGrid4->TextMatrix(fila, 2), c.name());
            }
            items = r->lblItems->text();
            r->CmdCerrar->click();
            return r->result();
        });
        QTest::keyClick(f.get(), Qt::Key_F9);
        QCOMPARE(aperturas, 1);
        QCOMPARE(lineas, (QStringList{"Mano De Obra|3|4:30|#ffffc0", "Insumos Utilizados|3|28|#ffffc0",
                                      "-|||#ffe0c0", "CAB-001-Cable tipo D'Alessandro 2x1,5 mm||25|#ffe0c0",
                                      "TAL-200-Taladro percutor 750 W||2|#ffe0c0", "BAT-050-Batería 12 V 7 Ah||1|#ffe0c0",
                                      "Detalle De Otros Conceptos|2||#ffffc0", "|||#0000ff"}));
        QCOMPARE(items, QStringLiteral("Cantidad de ítems: 8  (Mano De Obra: 3, Insumos Utilizados: 3, "
                                       "Detalle De Otros Conceptos: 2)"));
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    // A collection has no detail grids: the bar stays empty and F9 opens nothing.
    void cobranzaSinDetalle() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(QStringLiteral("@TC=CB|@Sucursal=1|@Numero=150|@Letra=X|@PConsultaSolamente=SI|"));
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
        QVERIFY(!f->TextoDisp().isEmpty());
        int aperturas = 0;
        Modal::GanchoTemporal gancho([&](QDialog*) { return ++aperturas, 0; });
        QTest::keyClick(f.get(), Qt::Key_F9);
        QTest::qWait(20);
        QCOMPARE(aperturas, 0);
        QTRY_VERIFY(f->StatB->Panel(5)->isHidden());
        QCOMPARE(Paneles(*f), (QStringList{"", "", "", "", "F9 Resumen"}));
    }
};

QTEST_MAIN(PruebaInquiryEstado)
#include "test_inquiry_estado.moc"
