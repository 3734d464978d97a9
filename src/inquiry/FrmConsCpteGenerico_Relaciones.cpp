// The header box's menu of the inquiry form: the vouchers tied to the one on
// screen, its action log, and the real-charges control of its customer.
#include "inquiry/FrmConsCpteGenerico.h"

#include "inquiry/FrmCptesRelacionados.h"
#include "inquiry/FrmHistorialCpte.h"
#include "inquiry/RelacionesComprobante.h"
#include "session/ClsControles.h"
#include "session/Dialogos.h"
#include "session/Modal.h"
#include "session/ModGlobal.h"
#include "session/Trampa.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

#include <memory>

namespace {

bool EsComercialDeVentas(const QString& tc) {
    for (const char* c : {"FC", "NC", "ND", "RM", "OT", "PR"})
        if (tc.trimmed().compare(QLatin1String(c), Qt::CaseInsensitive) == 0) return true;
    return false;
}

void Aviso(const QString& texto) {
    Dialogos::MsgBox(texto, Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion, QStringLiteral("Aviso al Operador!!!"));
}

const QString SinComprobante = QStringLiteral("No hay ningún comprobante de ventas en pantalla.");

} // namespace

void FrmConsCpteGenerico::ConstruyeRelaciones() {
    auto accion = [this](const char* texto, const char* nombre, Qt::Key tecla, void (FrmConsCpteGenerico::*metodo)()) {
        auto* a = new QAction(QString::fromUtf8(texto), this);
        a->setObjectName(QString::fromLatin1(nombre));
        a->setShortcut(QKeySequence(tecla));
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this, metodo);
        addAction(a);
        return a;
    };
    AccRelacionados = accion("Comprobantes relacionados", "AccRelacionados", Qt::Key_F6, &FrmConsCpteGenerico::MuestraRelacionados);
    AccHistorial = accion("Historial del comprobante", "AccHistorial", Qt::Key_F7, &FrmConsCpteGenerico::MuestraHistorial);
    AccCargosReales =
        accion("Control de cargos reales", "AccCargosReales", Qt::Key_F8, &FrmConsCpteGenerico::MuestraCargosReales);

    // The header box's own menu (copy, select all) with the three entries.
    txtDisp->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(txtDisp, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        std::unique_ptr<QMenu> menu(txtDisp->createStandardContextMenu(p));
        menu->setObjectName(QStringLiteral("MenuDisp"));
        menu->addSeparator();
        QString tc, clave;
        const bool hay = ComprobanteEnPantalla(tc, clave);
        for (QAction* a : {AccRelacionados, AccHistorial, AccCargosReales}) {
            a->setEnabled(hay);
            menu->addAction(a);
        }
        menu->exec(txtDisp->viewport()->mapToGlobal(p));
        // The shortcuts stay live; they say so when nothing is shown.
        for (QAction* a : {AccRelacionados, AccHistorial, AccCargosReales}) a->setEnabled(true);
    });
}

bool FrmConsCpteGenerico::ComprobanteEnPantalla(QString& TC, QString& SucNroLetra) const {
    if (pGestionCompras || !FrmDetalle->isEnabled()) return false;
    const QString tc = const_cast<FrmConsCpteGenerico*>(this)->FNTC();
    if (!EsComercialDeVentas(tc)) return false;
    auto campo = [&](const char* nombre) {
        const int i = Controles().IndiceControl(QString::fromLatin1(nombre), txtfields);
        return i >= 0 ? txtfields[i]->text().trimmed() : QString();
    };
    const QString suc = campo("Sucursal"), nro = campo("Numero"), letra = campo("Letra");
    if (suc.isEmpty() || nro.isEmpty() || letra.isEmpty()) return false;
    TC = tc;
    SucNroLetra = FormateaCeros(suc, 4) + FormateaCeros(nro, 8) + letra;
    return true;
}

void FrmConsCpteGenerico::MuestraRelacionados() {
    ConTrampa(QStringLiteral("MuestraRelacionados"), [&](Trampa& t) {
        QString tc, clave;
        if (!ComprobanteEnPantalla(tc, clave)) {
            Aviso(SinComprobante);
            return;
        }
        auto frm = std::make_unique<FrmCptesRelacionados>(this);
        frm->PermiteElegir(!pConsultaSolamente);
        t.Paso([&] { frm->Carga(tc, clave, QStringLiteral("0")); });
        t.Paso([&] { Modal::Ejecuta(frm.get()); });
        if (!frm->TCElegido.isEmpty()) {
            const QString eTc = frm->TCElegido, eId = frm->IdElegido, eComp = frm->ComplementoElegido;
            frm.reset();
            t.Paso([&] { AbreComprobante(eTc, eId, eComp); });
        }
    });
}

void FrmConsCpteGenerico::MuestraHistorial() {
    ConTrampa(QStringLiteral("MuestraHistorial"), [&](Trampa& t) {
        QString tc, clave;
        if (!ComprobanteEnPantalla(tc, clave)) {
            Aviso(SinComprobante);
            return;
        }
        auto frm = std::make_unique<FrmHistorialCpte>(this);
        t.Paso([&] { frm->Carga(tc, clave, QStringLiteral("0")); });
        t.Paso([&] { Modal::Ejecuta(frm.get()); });
    });
}

void FrmConsCpteGenerico::MuestraCargosReales() {
    ConTrampa(QStringLiteral("MuestraCargosReales"), [&](Trampa& t) {
        QString tc, clave;
        if (!ComprobanteEnPantalla(tc, clave)) {
            Aviso(SinComprobante);
            return;
        }
        const QString cuenta =
            t.Paso([&] { return RelacionesComprobante::CuentaDelComprobante(tc, clave, QStringLiteral("0")); });
        if (cuenta.isEmpty()) {
            Aviso(QStringLiteral("El comprobante en pantalla no tiene cliente."));
            return;
        }
        CmnCptes.ControlDeCargosReales(cuenta, QString());
    });
}

void FrmConsCpteGenerico::AbreComprobante(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento) {
    // The screen shows complement 0 of the types in its catalog only.
    int indice = -1;
    for (int i = 0; i < CmbCpte->count(); ++i)
        if (EntradaCpte(i).mid(199).trimmed().compare(TC.trimmed(), Qt::CaseInsensitive) == 0) indice = i;
    const QString clave = SucNroLetra.trimmed();
    if (indice < 0 || clave.size() != 13 || ValorNumerico(IdComplemento) != 0) {
        Aviso(QStringLiteral("El comprobante %1 %2 no se puede mostrar en esta pantalla.")
                  .arg(TC.trimmed(), RelacionesComprobante::NumeroVisible(clave) +
                                         (ValorNumerico(IdComplemento) != 0 ? QStringLiteral(" / ") + IdComplemento : QString())));
        return;
    }
    CmbCpte->setCurrentIndex(indice);  // a new type resets the fields
    const char* const nombres[] = {"Sucursal", "Numero", "Letra"};
    const QString valores[] = {clave.mid(0, 4), clave.mid(4, 8), clave.mid(12, 1)};
    for (int k = 0; k < 3; ++k) {
        const int i = Controles().IndiceControl(QString::fromLatin1(nombres[k]), txtfields);
        if (i >= 0) txtfields[i]->setText(valores[k]);
    }
    CampoValida(txtfields.value(Controles().IndiceControl(QStringLiteral("Letra"), txtfields)));
}
