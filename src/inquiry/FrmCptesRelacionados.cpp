#include "inquiry/FrmCptesRelacionados.h"

#include "cmncptes/ClsCmnCptes.h"
#include "cmncptes/GrillaFlex.h"
#include "cmncptes/VistaGrilla.h"
#include "inquiry/RelacionesComprobante.h"
#include "session/ModGlobal.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace RelacionesComprobante;

FrmCptesRelacionados::FrmCptesRelacionados(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("FrmCptesRelacionados"));
    setWindowTitle(QStringLiteral("Comprobantes relacionados"));
    setSizeGripEnabled(true);

    LblComprobante = new QLabel(this);
    LblComprobante->setObjectName(QStringLiteral("LblComprobante"));
    QFont negrita = LblComprobante->font();
    negrita.setBold(true);
    LblComprobante->setFont(negrita);

    Grilla = new GrillaFlex(this);
    Vista = new VistaGrilla(this);
    Vista->setObjectName(QStringLiteral("GrillaRelacionados"));
    Vista->setSelectionBehavior(QAbstractItemView::SelectRows);
    Vista->setSelectionMode(QAbstractItemView::SingleSelection);
    Vista->EstableceGrilla(Grilla);
    connect(Vista, &QAbstractItemView::activated, this, [this](const QModelIndex& i) { Elige(i.row()); });

    LblTotal = new QLabel(this);
    LblTotal->setObjectName(QStringLiteral("LblTotal"));
    CmdAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    CmdAceptar->setObjectName(QStringLiteral("CmdAceptar"));
    CmdAceptar->setAutoDefault(false);
    connect(CmdAceptar, &QPushButton::clicked, this, &QDialog::accept);

    auto* abajo = new QHBoxLayout;
    abajo->addWidget(LblTotal, 1);
    abajo->addWidget(CmdAceptar);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(LblComprobante);
    lay->addWidget(Vista, 1);
    lay->addLayout(abajo);
    resize(760, 320);
}

void FrmCptesRelacionados::Carga(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento) {
    const int ancho = VistaGrilla::AnchoTextoTwips(Vista, QStringLiteral("X"));
    const int generados = CargaRelacionados(*Grilla, TC, SucNroLetra, IdComplemento, ancho);
    LblComprobante->setText(QStringLiteral("%1 %2").arg(TC.trimmed(), NumeroVisible(SucNroLetra)));
    ClsCmnCptes cmn;
    const Moneda total = cmn.ObtieneImporteCptesAsociados(TC, SucNroLetra);
    LblTotal->setText(generados == 0 && Grilla->Rows() <= 1
                          ? QStringLiteral("No hay comprobantes relacionados.")
                          : QStringLiteral("Total de los comprobantes generados (sin anulados): %1")
                                .arg(FmtMoneda(total.TextoSql(), true)));
    LblTotal->setProperty("Total", total.TextoSql());
    if (Grilla->Rows() > 1) Vista->selectRow(0);
}

void FrmCptesRelacionados::PermiteElegir(bool permite) {
    permiteElegir_ = permite;
    Vista->setToolTip(permite ? QStringLiteral("Enter: mostrar el comprobante en la pantalla de consulta") : QString());
}

void FrmCptesRelacionados::Elige(int filaModelo) {
    if (!permiteElegir_) return;
    const int f = filaModelo + Grilla->FixedRows();
    if (f < Grilla->FixedRows() || f >= Grilla->Rows()) return;
    TCElegido = Grilla->TextMatrix(f, ColAuxTC);
    IdElegido = Grilla->TextMatrix(f, ColAuxId);
    ComplementoElegido = Grilla->TextMatrix(f, ColAuxComplemento);
    accept();
}
