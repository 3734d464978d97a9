// The inquiry form's status bar (the current line of the visible grid, with
// the stock of an article line when the line carries it) and the summary of
// the shown voucher on F9.
#include "inquiry/FrmConsCpteGenerico.h"
#include "session/ClsConexion.h"

#include "cmncptes/BarraEstado.h"
#include "cmncptes/GrillaFlex.h"
#include "cmncptes/TiraSolapas.h"
#include "cmncptes/VistaGrilla.h"
#include "inquiry/FrmResumenCpte.h"
#include "session/Modal.h"
#include "session/Trampa.h"

#include <QFrame>
#include <QItemSelectionModel>
#include <QLabel>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>

namespace {
enum Panel { PanelSolapa = 1, PanelLinea = 2, PanelDetalle = 3, PanelStock = 4, PanelResumen = 5 };
} // namespace

void FrmConsCpteGenerico::ConstruyeBarraEstado() {
    StatB = new BarraEstado(this);
    StatB->setObjectName(QStringLiteral("StatB"));
    StatB->AgregaPanel(QStringLiteral("Solapa"), {}, 24);
    StatB->AgregaPanel(QStringLiteral("Linea"), {}, 14);
    StatB->AgregaPanel(QStringLiteral("Detalle"), {}, 30, true);
    StatB->AgregaPanel(QStringLiteral("Stock"), {}, 14);
    StatB->AgregaPanel(QStringLiteral("Resumen"), QStringLiteral("F9 Resumen"));
    StatB->Panel(PanelResumen)->setToolTip(QStringLiteral("Resumen del comprobante por solapa (F9)"));
    StatB->EstableceVisiblePanel(PanelStock, false);
    setStatusBar(StatB);

    // Any change of tab, line or grid contents updates the bar once the
    // events settle (a voucher's loading changes the grids many times).
    auto programa = [this] {
        if (barraPendiente_) return;
        barraPendiente_ = true;
        QTimer::singleShot(0, this, [this] {
            barraPendiente_ = false;
            ActualizaBarraEstado();
        });
    };
    connect(SSTab1, &QTabWidget::currentChanged, this, programa);
    for (VistaGrilla* v : Vistas) connect(v->selectionModel(), &QItemSelectionModel::currentChanged, this, programa);
    for (GrillaFlex* g : {MSFlexGrid1, MSFlexGrid2, MSFlexGrid3}) {
        connect(g, &QAbstractItemModel::modelReset, this, programa);
        connect(g, &QAbstractItemModel::dataChanged, this, programa);
    }

    auto* resumen = new QShortcut(QKeySequence(Qt::Key_F9), this);
    resumen->setObjectName(QStringLiteral("AtajoResumen"));
    resumen->setContext(Qt::WindowShortcut);
    connect(resumen, &QShortcut::activated, this, &FrmConsCpteGenerico::MuestraResumen);
}

void FrmConsCpteGenerico::ActualizaBarraEstado() {
    ConTrampa(QStringLiteral("ActualizaBarraEstado"), [&](Trampa& t) {
        for (int p = PanelSolapa; p <= PanelStock; ++p) StatB->EstableceTextoPanel(p, QString());
        StatB->EstableceVisiblePanel(PanelStock, false);
        // Collections and payments have no detail grids; nothing shown yet, nothing to tell.
        const bool detalle = !SSTab1->isHidden() && FrmDetalle->isEnabled();
        StatB->EstableceVisiblePanel(PanelResumen, detalle);
        if (!detalle) return;
        const int solapa = SSTab1->currentIndex();
        if (solapa < 0 || solapa > 2) return;
        GrillaFlex* const grillas[] = {MSFlexGrid1, MSFlexGrid2, MSFlexGrid3};
        GrillaFlex* g = grillas[solapa];
        VistaGrilla* vista = Vistas.value(solapa);
        StatB->EstableceTextoPanel(PanelSolapa, SSTab1->tabText(solapa));

        long cantidades[3] = {0, 0, 0};
        t.Paso([&] {
            CmnCptes.CuentaItems(MSFlexGrid1, MSFlexGrid2, MSFlexGrid3, cantidades[0], cantidades[1], cantidades[2]);
        });
        if (cantidades[solapa] == 0) {
            StatB->EstableceTextoPanel(PanelLinea, QStringLiteral("Sin líneas"));
            return;
        }
        // With no current line yet, the first line becomes current (and the
        // change brings the bar back here).
        if (vista && !vista->currentIndex().isValid() && g->rowCount() > 0) {
            vista->selectionModel()->setCurrentIndex(g->index(0, 0), QItemSelectionModel::NoUpdate);
            return;
        }
        const int fila = g->Row();
        if (fila < 1 || fila >= g->Rows() || g->TextMatrix(fila, 0).trimmed().isEmpty()) return;
        long numero = 0;  // the line's number among the used lines
        for (int r = 1; r <= fila; ++r)
            if (!g->TextMatrix(r, 0).trimmed().isEmpty()) ++numero;
        StatB->EstableceTextoPanel(PanelLinea, QStringLiteral("Línea %1 de %2").arg(numero).arg(cantidades[solapa]));
        if (solapa == 0) {
            t.Paso([&] { CmnCptes.MuestraDetalleTareas(g, StatB); });
        } else if (solapa == 1) {
            // The line's available stock (all deposits) is read once, when the
            // line first becomes current, for an article of the master.
            const QString articulo = g->TextMatrix(fila, 0).trimmed();
            if (g->TextMatrix(fila, 24).trimmed().isEmpty() &&
                t.Paso([&] { return Conexion().ExisteCodigo(QStringLiteral("V_MA_ARTICULOS"), articulo, QStringLiteral("IDARTICULO")); })) {
                const double stock = CmnCptes.ObtieneStock(articulo, {}, {}, {}, {});
                g->SetTextMatrix(fila, 24, QString::number(stock, 'g', 15));
            }
            t.Paso([&] { CmnCptes.MuestraDetalleArticulos(g, StatB, PanelDetalle); });
            // The stock shows only for a line that carries it.
            StatB->EstableceVisiblePanel(PanelStock, !g->TextMatrix(fila, 24).trimmed().isEmpty());
        } else {
            t.Paso([&] { CmnCptes.MuestraDetalleOtrosConceptos(g, StatB); });
        }
        StatB->Panel(PanelDetalle)->setToolTip(StatB->TextoPanel(PanelDetalle));
    });
}

void FrmConsCpteGenerico::MuestraResumen() {
    if (SSTab1->isHidden() || !FrmDetalle->isEnabled()) return;
    ConTrampa(QStringLiteral("MuestraResumen"), [&](Trampa& t) {
        FrmResumenCpte resumen(this);
        t.Paso([&] {
            CmnCptes.InicializaGrids(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, this, QString(),
                                     resumen.MSFlexGrid4);
        });
        // Articles grouped by their code: the inquiry's lines carry no category or type.
        const TiraSolapas solapas(SSTab1);
        CmnCptes.TotalizadorControl(MSFlexGrid1, MSFlexGrid2, MSFlexGrid3, resumen.MSFlexGrid4, &solapas, false, false);
        long cantidades[3] = {0, 0, 0};
        const long total =
            CmnCptes.CuentaItems(MSFlexGrid1, MSFlexGrid2, MSFlexGrid3, cantidades[0], cantidades[1], cantidades[2]);
        QStringList partes;
        for (int i = 0; i < 3; ++i)
            if (SSTab1->isTabVisible(i)) partes << QStringLiteral("%1: %2").arg(SSTab1->tabText(i)).arg(cantidades[i]);
        resumen.lblItems->setText(QStringLiteral("Cantidad de ítems: %1  (%2)").arg(total).arg(partes.join(QStringLiteral(", "))));
        resumen.AjustaTamano();
        Modal::Ejecuta(&resumen);
    });
}
