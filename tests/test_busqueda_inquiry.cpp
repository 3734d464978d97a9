// The search of the inquiry form (F5 in a key field, the toolbar's search
// button) on the demo data: the chooser for ordinary vouchers, the lookup
// window for collections, payments and suppliers, and the voucher shown after.
#include "chooser/FrmConsComprobantes.h"
#include "chooser/ModeloComprobantes.h"
#include "inquiry/FrmConsCpteGenerico.h"
#include "session/ClsBusqueda.h"
#include "session/FrmBusqueda.h"
#include "session/Modal.h"
#include "session/ModGlobal.h"
#include "session/ModeloBusqueda.h"
#include "support/Fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <functional>
#include <memory>

namespace {

enum Campo { Sucursal = 0, Numero = 1, Letra = 2, Proveedor = 3 };

std::unique_ptr<FrmConsCpteGenerico> AbreFormulario(bool compras, const QString& tc) {
    ParametroAdicional = compras ? QStringLiteral("@GestionCompras=SI|") : QString();
    auto f = std::make_unique<FrmConsCpteGenerico>();
    f->Form_Load();
    f->show();
    for (int i = 0; i < f->CmbCpte->count(); ++i)
        if (f->EntradaCpte(i).mid(199).trimmed() == tc) f->CmbCpte->setCurrentIndex(i);
    return f;
}

QStringList Claves(const FrmConsCpteGenerico& f) {
    QStringList l;
    for (QLineEdit* e : f.txtfields) l << e->text();
    return l;
}

// What the hook saw of the window the search opened.
struct Ventana {
    QString clase;          // "chooser", "lookup" or ""
    QString tc;             // the chooser's type
    QStringList titulos;
    QList<QStringList> filas;
};

// Installs a hook that records the window and lets `chooser` or `lookup` drive it.
struct Gancho {
    Ventana vista;
    std::function<void(FrmConsComprobantes&)> chooser = [](FrmConsComprobantes& f) { f.CmdCancelar->click(); };
    std::function<void(FrmBusqueda&)> lookup = [](FrmBusqueda& f) { f.CmdCancelar->click(); };
    Modal::GanchoTemporal g{[this](QDialog* d) {
        vista = {};
        if (auto* c = dynamic_cast<FrmConsComprobantes*>(d)) {
            vista.clase = "chooser";
            vista.tc = c->TC;
            vista.titulos = c->Modelo()->Titulos();
            chooser(*c);
        } else if (auto* b = dynamic_cast<FrmBusqueda*>(d)) {
            vista.clase = "lookup";
            const ModeloBusqueda* m = b->Modelo();
            for (int c = 0; c < m->columnCount(); ++c) vista.titulos << m->headerData(c, Qt::Horizontal).toString();
            for (int r = 0; r < m->rowCount(); ++r) {
                QStringList fila;
                for (int c = 0; c < m->columnCount(); ++c) fila << m->index(r, c).data().toString().trimmed();
                vista.filas << fila;
            }
            lookup(*b);
        }
        return d->result();
    }};
};

void ClickEncabezado(FrmConsComprobantes& frm, int columna) {
    QHeaderView* h = frm.ListView1->header();
    const int x = h->sectionViewportPosition(columna) + h->sectionSize(columna) / 2;
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(x, h->height() / 2));
}

void EligeFila(FrmConsComprobantes& frm, const QString& comprobante) {
    const ModeloComprobantes* m = frm.Modelo();
    const int c = m->ColumnaDe("COMPROBANTE");
    for (int i = 0; i < m->rowCount(); ++i)
        if (m->Texto(i, c) == comprobante) {
            const QModelIndex idx = m->index(i, 1);
            QTest::mouseClick(frm.ListView1->viewport(), Qt::LeftButton, {}, frm.ListView1->visualRect(idx).center());
            return;
        }
    QFAIL(qPrintable("row not found: " + comprobante));
}

// Types the filter and picks the first row left with Enter.
std::function<void(FrmBusqueda&)> FiltraYElige(const QString& filtro) {
    return [filtro](FrmBusqueda& b) {
        QTest::keyClicks(b.TxtFiltro, filtro);
        QTest::keyClick(b.TxtFiltro, Qt::Key_Return);
    };
}

} // namespace

class TestBusquedaInquiry : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { ParametroAdicional.clear(); }
    void f5AbreElChooserOrdenaYMuestra();
    void cancelarDejaElComprobanteAnterior();
    void cobranzasPorLaVentanaDeBusqueda_data();
    void cobranzasPorLaVentanaDeBusqueda();
    void f5EnProveedorAbreLaBusquedaDeProveedores();
    void botonDeBusquedaEmpiezaPorLaSucursal();
    void vistaFaltanteSeInformaYLaPantallaSigue();
    void busquedaQueFallaSeInformaBajoCmdConsultar();
};

void TestBusquedaInquiry::f5AbreElChooserOrdenaYMuestra() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    auto f = AbreFormulario(false, "FC");
    QStringList primera, segunda;
    Gancho g;
    g.chooser = [&](FrmConsComprobantes& c) {
        const int nombre = c.Modelo()->ColumnaDe("NOMBRE");
        ClickEncabezado(c, nombre);
        const int ultima = c.Modelo()->rowCount() - 1;
        primera << c.Modelo()->Texto(0, nombre) << c.Modelo()->Texto(ultima, nombre);
        ClickEncabezado(c, nombre);
        segunda << c.Modelo()->Texto(0, nombre) << c.Modelo()->Texto(ultima, nombre);
        EligeFila(c, "000100000025A");
        c.CmdAceptar->click();
    };
    f->txtfields[Sucursal]->setFocus();
    QTest::keyClick(f->txtfields[Sucursal], Qt::Key_F5);
    QCOMPARE(g.vista.clase, QStringLiteral("chooser"));
    QCOMPARE(g.vista.tc, QStringLiteral("FC"));
    QCOMPARE(primera, (QStringList{"María Fernández", "Construcciones del Plata S.A."}));
    QCOMPARE(segunda, (QStringList{"Construcciones del Plata S.A.", "María Fernández"}));
    QCOMPARE(Claves(*f).mid(0, 3), (QStringList{"0001", "00000025", "A"}));
    QVERIFY2(f->TextoDisp().contains("Ferretería Los Andes"), qPrintable(f->TextoDisp()));
    QVERIFY(f->FrmDetalle->isEnabled());
    QVERIFY(!f->DatoInvalido);
    QVERIFY(env.respondedor.mensajes.isEmpty());
    QVERIFY(env.respondedor.errores.isEmpty());
    QVERIFY(f->cursor().shape() != Qt::WaitCursor);
    QVERIFY(!QApplication::overrideCursor());
}

void TestBusquedaInquiry::cancelarDejaElComprobanteAnterior() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    auto f = AbreFormulario(false, "FC");
    Gancho g;
    g.chooser = [](FrmConsComprobantes& c) {
        EligeFila(c, "000100000012B");
        c.CmdAceptar->click();
    };
    QTest::keyClick(f->txtfields[Numero], Qt::Key_F5);
    const QStringList claves = Claves(*f);
    const QString texto = f->TextoDisp();
    QCOMPARE(claves.mid(0, 3), (QStringList{"0001", "00000012", "B"}));
    QVERIFY(texto.contains("María Fernández"));

    g.chooser = [](FrmConsComprobantes& c) {
        EligeFila(c, "000100000025A");  // a row selected, then cancelled
        c.CmdCancelar->click();
    };
    QTest::keyClick(f->txtfields[Letra], Qt::Key_F5);
    QCOMPARE(g.vista.clase, QStringLiteral("chooser"));
    QCOMPARE(Claves(*f), claves);
    QCOMPARE(f->TextoDisp(), texto);
    QVERIFY(f->FrmDetalle->isEnabled());
    QVERIFY(env.respondedor.mensajes.isEmpty());
}

void TestBusquedaInquiry::cobranzasPorLaVentanaDeBusqueda_data() {
    QTest::addColumn<bool>("compras");
    QTest::addColumn<QString>("tc");
    QTest::addColumn<QString>("filtro");
    QTest::addColumn<QStringList>("titulos");
    QTest::addColumn<QStringList>("claves");
    QTest::addColumn<QString>("mostrado");
    QTest::addColumn<QStringList>("filas");  // every row listed (after the TC), one line each, sorted
    // One row per voucher of the selected type (its entry lines listed once).
    const QStringList cobranzas{"0001|00000150|X|Cobranza FC 0001-00000025-A", "0001|00000152|X|Cobranza anulada",
                                "0001|00000153|X|Cobranza anulada"};
    // One row per voucher and supplier account; the entry lines of other accounts are left out.
    const QStringList pagos{"0002|00000088|X|P0001", "0002|00000088|X|P0002", "0002|00000089|X|P0003"};
    QTest::newRow("cobranza de ventas: Concepto, sin proveedor")
        << false << "CB" << "00000150" << QStringList{"TC", "SUCURSAL", "NUMERO", "LETRA", "Concepto"}
        << QStringList{"0001", "00000150", "X", ""} << "182500.75" << cobranzas;
    QTest::newRow("pago de compras: CUENTA va al proveedor")
        << true << "PG" << "00000088" << QStringList{"TC", "SUCURSAL", "NUMERO", "LETRA", "CUENTA"}
        << QStringList{"0002", "00000088", "X", "P0001"} << "" << pagos;
    QTest::newRow("pago de compras: la cuenta de la fila elegida")
        << true << "PG" << "P0002" << QStringList{"TC", "SUCURSAL", "NUMERO", "LETRA", "CUENTA"}
        << QStringList{"0002", "00000088", "X", "P0002"} << "" << pagos;
}

void TestBusquedaInquiry::cobranzasPorLaVentanaDeBusqueda() {
    QFETCH(bool, compras);
    QFETCH(QString, tc);
    QFETCH(QString, filtro);
    QFETCH(QStringList, titulos);
    QFETCH(QStringList, claves);
    QFETCH(QString, mostrado);
    QFETCH(QStringList, filas);
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    auto f = AbreFormulario(compras, tc);
    QCOMPARE(f->txtfields[Numero]->property("Tag").toString(), QStringLiteral("COBRANZAS"));
    Gancho g;
    g.lookup = FiltraYElige(filtro);
    QTest::keyClick(f->txtfields[Numero], Qt::Key_F5);
    QCOMPARE(g.vista.clase, QStringLiteral("lookup"));
    QCOMPARE(g.vista.titulos, titulos);
    QVERIFY(!g.vista.filas.isEmpty());
    QStringList listadas;
    for (const QStringList& fila : std::as_const(g.vista.filas)) {
        QCOMPARE(fila.first(), tc);
        listadas << fila.mid(1).join('|');
    }
    listadas.sort();
    QCOMPARE(listadas, filas);
    QCOMPARE(Claves(*f), claves);
    QVERIFY(!f->TextoDisp().isEmpty());
    if (!mostrado.isEmpty()) QVERIFY2(f->TextoDisp().contains(mostrado), qPrintable(f->TextoDisp()));
    QVERIFY(!f->DatoInvalido);
    QVERIFY2(env.respondedor.mensajes.isEmpty(), env.respondedor.mensajes.isEmpty() ? "" : qPrintable(env.respondedor.mensajes.first().texto));
    QVERIFY(env.respondedor.errores.isEmpty());

    // A second search shows the same five captions, not ten.
    QTest::keyClick(f->txtfields[Sucursal], Qt::Key_F5);
    QCOMPARE(g.vista.titulos, titulos);
    QCOMPARE(Claves(*f), claves);
}

void TestBusquedaInquiry::f5EnProveedorAbreLaBusquedaDeProveedores() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    auto f = AbreFormulario(true, "FCC");
    f->txtfields[Sucursal]->setText("3");
    Gancho g;
    g.lookup = FiltraYElige("bAH");
    QTest::keyClick(f->txtfields[Proveedor], Qt::Key_F5);
    QCOMPARE(g.vista.clase, QStringLiteral("lookup"));
    QCOMPARE(g.vista.titulos.first(), QStringLiteral("CODIGO"));  // no definitions file in this folder
    QCOMPARE(g.vista.filas.size(), 3);
    QCOMPARE(f->txtfields[Proveedor]->text(), QStringLiteral("P0002"));
    QCOMPARE(Busqueda().CampoClave, QStringLiteral("CODIGO"));
    // No voucher is looked up.
    QCOMPARE(f->txtfields[Sucursal]->text(), QStringLiteral("3"));
    QVERIFY(f->TextoDisp().isEmpty());
    QVERIFY(env.respondedor.mensajes.isEmpty());

    // Whatever type is selected: also from a collection type, and cancelling keeps the field.
    auto ventas = AbreFormulario(true, "PG");
    ventas->txtfields[Proveedor]->setText("P0003");
    g.lookup = [](FrmBusqueda& b) { QTest::keyClick(b.TxtFiltro, Qt::Key_Escape); };
    QTest::keyClick(ventas->txtfields[Proveedor], Qt::Key_F5);
    QCOMPARE(g.vista.clase, QStringLiteral("lookup"));
    QCOMPARE(g.vista.titulos.first(), QStringLiteral("CODIGO"));
    QCOMPARE(ventas->txtfields[Proveedor]->text(), QStringLiteral("P0003"));
}

void TestBusquedaInquiry::botonDeBusquedaEmpiezaPorLaSucursal() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    auto f = AbreFormulario(true, "FCC");
    f->IndiceCampoActual = Proveedor;
    Gancho g;
    g.chooser = [](FrmConsComprobantes& c) {
        // Two invoices with the same number: the supplier column tells them apart.
        const ModeloComprobantes* m = c.Modelo();
        for (int i = 0; i < m->rowCount(); ++i)
            if (m->Texto(i, m->ColumnaDe("PROVEEDOR")) == "P0002") c.ListView1->setCurrentIndex(m->index(i, 0));
        QTest::keyClick(c.ListView1, Qt::Key_Enter);
    };
    f->Toolbar1_ButtonClick(3);
    QCOMPARE(f->IndiceCampoActual, int(Sucursal));
    QCOMPARE(g.vista.clase, QStringLiteral("chooser"));
    QCOMPARE(g.vista.tc, QStringLiteral("FCC"));
    QCOMPARE(Claves(*f), (QStringList{"0003", "00001234", "A", "P0002"}));
    QVERIFY2(f->TextoDisp().contains("Herramientas Bahía"), qPrintable(f->TextoDisp()));
    QVERIFY(env.respondedor.mensajes.isEmpty());
}

void TestBusquedaInquiry::vistaFaltanteSeInformaYLaPantallaSigue() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo, Prueba::QuitaTabla(QStringLiteral("C_MV_CPTE")));
    auto f = AbreFormulario(true, "FCC");
    Gancho g;
    QTest::keyClick(f->txtfields[Sucursal], Qt::Key_F5);
    QCOMPARE(g.vista.clase, QString());  // the chooser never opened
    QCOMPARE(env.respondedor.errores.size(), 1);
    QCOMPARE(env.respondedor.errores.first().procedimiento, QStringLiteral("ConsultaComprobante"));
    QCOMPARE(Claves(*f), (QStringList{"", "", "", ""}));
    QVERIFY(f->cursor().shape() != Qt::WaitCursor);
    QVERIFY(!QApplication::overrideCursor());

    // The screen keeps working: the supplier search still runs.
    g.lookup = FiltraYElige("P0003");
    QTest::keyClick(f->txtfields[Proveedor], Qt::Key_F5);
    QCOMPARE(g.vista.clase, QStringLiteral("lookup"));
    QCOMPARE(f->txtfields[Proveedor]->text(), QStringLiteral("P0003"));
    QCOMPARE(env.respondedor.errores.size(), 1);
}

void TestBusquedaInquiry::busquedaQueFallaSeInformaBajoCmdConsultar() {
    // The lookup's statement fails (no MV_ASIENTOS): the search's own trap
    // reports it and leaves; the key fields and the form stay usable.
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo, Prueba::QuitaTabla(QStringLiteral("MV_ASIENTOS")));
    auto f = AbreFormulario(false, "CB");
    f->txtfields[Sucursal]->setText("0001");
    Gancho g;
    QTest::keyClick(f->txtfields[Numero], Qt::Key_F5);
    QCOMPARE(g.vista.clase, QString());  // the lookup never opened
    QCOMPARE(env.respondedor.errores.size(), 1);
    QCOMPARE(env.respondedor.errores.first().procedimiento, QStringLiteral("CmdConsultar"));
    QVERIFY(env.respondedor.errores.first().descripcion.contains("MV_ASIENTOS", Qt::CaseInsensitive));
    QCOMPARE(Claves(*f), (QStringList{"0001", "", "", ""}));
    QVERIFY(f->cursor().shape() != Qt::WaitCursor);
    QVERIFY(!QApplication::overrideCursor());

    // The supplier search still works afterwards, with captions of its own.
    g.lookup = FiltraYElige("P0003");
    QTest::keyClick(f->txtfields[Proveedor], Qt::Key_F5);
    QCOMPARE(g.vista.clase, QStringLiteral("lookup"));
    QCOMPARE(g.vista.titulos.first(), QStringLiteral("CODIGO"));
    QCOMPARE(f->txtfields[Proveedor]->text(), QStringLiteral("P0003"));
    QCOMPARE(env.respondedor.errores.size(), 1);
}

QTEST_MAIN(TestBusquedaInquiry)
#include "test_busqueda_inquiry.moc"
