#include "inquiry/FrmResumenCpte.h"

#include "cmncptes/GrillaFlex.h"
#include "cmncptes/VistaGrilla.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

FrmResumenCpte::FrmResumenCpte(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("FrmResumenCpte"));
    setWindowTitle(QStringLiteral("Resumen del Comprobante"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(10, 10, 10, 10);
    lay->setSpacing(8);

    MSFlexGrid4 = new GrillaFlex(this);
    MSFlexGrid4->setObjectName(QStringLiteral("MSFlexGrid4"));
    Vista = new VistaGrilla(this);
    Vista->setObjectName(QStringLiteral("MSFlexGrid4"));
    Vista->EstableceGrilla(MSFlexGrid4);
    Vista->setSelectionMode(QAbstractItemView::NoSelection);
    Vista->setFocusPolicy(Qt::NoFocus);
    lay->addWidget(Vista, 1);

    auto* pie = new QHBoxLayout;
    lblItems = new QLabel(this);
    lblItems->setObjectName(QStringLiteral("lblItems"));
    pie->addWidget(lblItems, 1);
    CmdCerrar = new QPushButton(QStringLiteral("Cerrar"), this);
    CmdCerrar->setObjectName(QStringLiteral("CmdCerrar"));
    CmdCerrar->setDefault(true);
    connect(CmdCerrar, &QPushButton::clicked, this, &QDialog::accept);
    pie->addWidget(CmdCerrar);
    lay->addLayout(pie);
}

void FrmResumenCpte::AjustaTamano() {
    int ancho = 2 * Vista->frameWidth() + 4;
    for (int c = 0; c < MSFlexGrid4->Cols(); ++c)
        if (!Vista->isColumnHidden(c)) ancho += Vista->columnWidth(c);
    const int filas = Vista->model() ? Vista->model()->rowCount() : 0;
    const int alto = Vista->horizontalHeader()->sizeHint().height() + 2 * Vista->frameWidth() + 4 +
                     Vista->verticalHeader()->defaultSectionSize() * std::min(std::max(filas, 3), 14);
    Vista->setMinimumSize(ancho, alto);
    adjustSize();
}
