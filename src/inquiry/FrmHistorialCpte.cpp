#include "inquiry/FrmHistorialCpte.h"

#include "cmncptes/GrillaFlex.h"
#include "cmncptes/VistaGrilla.h"
#include "inquiry/RelacionesComprobante.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FrmHistorialCpte::FrmHistorialCpte(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("FrmHistorialCpte"));
    setWindowTitle(QStringLiteral("Historial del comprobante"));
    setSizeGripEnabled(true);

    LblComprobante = new QLabel(this);
    LblComprobante->setObjectName(QStringLiteral("LblComprobante"));
    QFont negrita = LblComprobante->font();
    negrita.setBold(true);
    LblComprobante->setFont(negrita);
    Grilla = new GrillaFlex(this);
    Vista = new VistaGrilla(this);
    Vista->setObjectName(QStringLiteral("GrillaHistorial"));
    Vista->setSelectionBehavior(QAbstractItemView::SelectRows);
    Vista->EstableceGrilla(Grilla);
    LblVacio = new QLabel(this);
    LblVacio->setObjectName(QStringLiteral("LblVacio"));
    CmdAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    CmdAceptar->setObjectName(QStringLiteral("CmdAceptar"));
    CmdAceptar->setDefault(true);
    connect(CmdAceptar, &QPushButton::clicked, this, &QDialog::accept);

    auto* abajo = new QHBoxLayout;
    abajo->addWidget(LblVacio, 1);
    abajo->addWidget(CmdAceptar);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(LblComprobante);
    lay->addWidget(Vista, 1);
    lay->addLayout(abajo);
    resize(640, 300);
}

void FrmHistorialCpte::Carga(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento) {
    const int ancho = VistaGrilla::AnchoTextoTwips(Vista, QStringLiteral("X"));
    const int n = RelacionesComprobante::CargaHistorial(*Grilla, TC, SucNroLetra, IdComplemento, ancho);
    LblComprobante->setText(QStringLiteral("%1 %2").arg(TC.trimmed(), RelacionesComprobante::NumeroVisible(SucNroLetra)));
    LblVacio->setText(n == 0 ? QStringLiteral("No hay acciones registradas para este comprobante.") : QString());
}
