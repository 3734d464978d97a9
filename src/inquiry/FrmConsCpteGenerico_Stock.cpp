// The stock of the article of the current line of the articles grid, in a
// read-only window: F4 on the grid or its context menu.
#include "inquiry/FrmConsCpteGenerico.h"

#include "cmncptes/GrillaFlex.h"
#include "cmncptes/VistaGrilla.h"
#include "inquiry/FrmStockArticulo.h"
#include "session/Dialogos.h"
#include "session/Modal.h"
#include "session/Trampa.h"

#include <QAction>

void FrmConsCpteGenerico::PreparaStockArticulo() {
    VistaGrilla* vista = Vistas.value(1);
    if (!vista) return;
    MnuStockArticulo = new QAction(QStringLiteral("Stock del Artículo..."), vista);
    MnuStockArticulo->setObjectName(QStringLiteral("MnuStockArticulo"));
    MnuStockArticulo->setShortcut(QKeySequence(Qt::Key_F4));
    MnuStockArticulo->setShortcutContext(Qt::WidgetShortcut);
    MnuStockArticulo->setShortcutVisibleInContextMenu(true);
    connect(MnuStockArticulo, &QAction::triggered, this, &FrmConsCpteGenerico::MuestraStockArticulo);
    vista->addAction(MnuStockArticulo);
    vista->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void FrmConsCpteGenerico::MuestraStockArticulo() {
    ConTrampa(QStringLiteral("MuestraStockArticulo"), [&](Trampa& t) {
        VistaGrilla* vista = Vistas.value(1);
        if (!vista || !MSFlexGrid2) return;
        const QModelIndex actual = vista->currentIndex();
        const int fila = actual.isValid() ? actual.row() + MSFlexGrid2->FixedRows() : -1;
        const QString articulo =
            fila >= MSFlexGrid2->FixedRows() && fila < MSFlexGrid2->Rows() ? MSFlexGrid2->TextMatrix(fila, 0).trimmed() : QString();
        if (articulo.isEmpty()) {
            Dialogos::MsgBox(QStringLiteral("Seleccione una línea con un Artículo para ver su stock."),
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Informacion, QStringLiteral("Aviso al Operador"));
            return;
        }
        FrmStockArticulo frm(this);
        frm.Articulo = articulo;
        if (!frm.CargaDatos(t)) {
            Dialogos::MsgBox(QStringLiteral("El Artículo ") + articulo + QStringLiteral(" no existe en el maestro de Artículos."),
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion, QStringLiteral("Aviso al Operador"));
            return;
        }
        t.Paso([&] { Modal::Ejecuta(&frm); });
    });
}
