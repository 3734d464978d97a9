#include "cmncptes/DialogoGrilla.h"

#include "cmncptes/GrillaFlex.h"
#include "cmncptes/VistaGrilla.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

PartesDialogoGrilla ArmaDialogoGrilla(QDialog* dialogo, const NombresDialogoGrilla& n) {
    PartesDialogoGrilla p;
    dialogo->setSizeGripEnabled(true);
    p.Titulo = new QLabel(dialogo);
    p.Titulo->setObjectName(n.titulo);
    QFont negrita = p.Titulo->font();
    negrita.setBold(true);
    p.Titulo->setFont(negrita);
    p.Titulo->setTextInteractionFlags(Qt::TextSelectableByMouse);

    p.Grilla = new GrillaFlex(dialogo);
    if (!n.grilla.isEmpty()) p.Grilla->setObjectName(n.grilla);
    p.Vista = new VistaGrilla(dialogo);
    p.Vista->setObjectName(n.vista);
    p.Vista->setSelectionBehavior(QAbstractItemView::SelectRows);
    p.Vista->setSelectionMode(QAbstractItemView::SingleSelection);
    p.Vista->EstableceGrilla(p.Grilla);

    p.Pie = new QLabel(dialogo);
    p.Pie->setObjectName(n.pie);
    if (n.pieEnNegrita) p.Pie->setFont(negrita);
    p.Boton = new QPushButton(n.textoBoton, dialogo);
    p.Boton->setObjectName(n.boton);
    p.Boton->setDefault(n.botonPredeterminado);
    p.Boton->setAutoDefault(n.botonPredeterminado);
    p.Boton->setMinimumWidth(p.Boton->fontMetrics().horizontalAdvance(n.textoBoton) + 48);
    QObject::connect(p.Boton, &QPushButton::clicked, dialogo, &QDialog::accept);

    auto* abajo = new QHBoxLayout;
    abajo->addWidget(p.Pie, 1);
    abajo->addWidget(p.Boton);
    auto* principal = new QVBoxLayout(dialogo);
    principal->setContentsMargins(10, 10, 10, 10);
    principal->setSpacing(8);
    principal->addWidget(p.Titulo);
    principal->addWidget(p.Vista, 1);
    principal->addLayout(abajo);
    return p;
}
