#include "inquiry/FrmCptesRelacionados.h"

#include "cmncptes/ClsCmnCptes.h"
#include "cmncptes/DialogoGrilla.h"
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
    const PartesDialogoGrilla partes = ArmaDialogoGrilla(
        this, {QStringLiteral("LblComprobante"), {}, QStringLiteral("GrillaRelacionados"), QStringLiteral("LblTotal"),
               QStringLiteral("CmdAceptar"), QStringLiteral("Aceptar"), false, false});
    LblComprobante = partes.Titulo;
    Grilla = partes.Grilla;
    Vista = partes.Vista;
    LblTotal = partes.Pie;
    CmdAceptar = partes.Boton;
    connect(Vista, &QAbstractItemView::activated, this, [this](const QModelIndex& i) { Elige(i.row()); });
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
