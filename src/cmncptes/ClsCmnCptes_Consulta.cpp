// The voucher chooser entry of the voucher services class.
#include "cmncptes/ClsCmnCptes.h"

#include "chooser/FrmConsComprobantes.h"
#include "session/Modal.h"
#include "session/Trampa.h"

#include <memory>

void ClsCmnCptes::ConsultaComprobante(const QString& TC, QString& Respuesta, const QVariant& Filtro,
                                      QString& IdComplemento, QString& Proveedor) {
    // Nothing is chosen until the window says so: an error that ends the
    // search early never hands back an earlier answer of the caller.
    Respuesta.clear();
    IdComplemento.clear();
    Proveedor.clear();
    ConTrampa(QStringLiteral("ConsultaComprobante"), [&](Trampa& t) {
        // A fresh window on every call (its load runs again); dropped on return.
        auto frm = std::make_unique<FrmConsComprobantes>();
        frm->TC = TC;
        frm->Filtro = Filtro.isValid() && !Filtro.isNull() ? Filtro.toString() : QString();
        frm->NroComprobante.clear();
        frm->Form_Load(t);
        t.Paso([&] { Modal::Ejecuta(frm.get()); });
        if (frm->CerradoPorError()) t.Sal();  // a read failed while shown and "leave" was answered
        Respuesta = frm->NroComprobante;
        IdComplemento = frm->IdComplemento;
        Proveedor = frm->Proveedor;
    });
}
