#include "inquiry/FrmHistorialCpte.h"

#include "cmncptes/DialogoGrilla.h"
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
    const PartesDialogoGrilla partes = ArmaDialogoGrilla(
        this, {QStringLiteral("LblComprobante"), {}, QStringLiteral("GrillaHistorial"), QStringLiteral("LblVacio"),
               QStringLiteral("CmdAceptar")});
    LblComprobante = partes.Titulo;
    Grilla = partes.Grilla;
    Vista = partes.Vista;
    LblVacio = partes.Pie;
    CmdAceptar = partes.Boton;
    resize(640, 300);
}

void FrmHistorialCpte::Carga(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento) {
    const int ancho = VistaGrilla::AnchoTextoTwips(Vista, QStringLiteral("X"));
    const int n = RelacionesComprobante::CargaHistorial(*Grilla, TC, SucNroLetra, IdComplemento, ancho);
    LblComprobante->setText(QStringLiteral("%1 %2").arg(TC.trimmed(), RelacionesComprobante::NumeroVisible(SucNroLetra)));
    LblVacio->setText(n == 0 ? QStringLiteral("No hay acciones registradas para este comprobante.") : QString());
}
