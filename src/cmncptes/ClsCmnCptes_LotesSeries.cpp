// The lot and serial entry dialog of the voucher services class: entries
// (one row per unit) and exits (quantities chosen from the stock positions).
#include "cmncptes/ClsCmnCptes.h"

#include "cmncptes/ListaSerieLote.h"
#include "forms/FrmCargaLotesySeries.h"
#include "session/Modal.h"
#include "session/Trampa.h"

#include <QLabel>

#include <memory>

void ClsCmnCptes::PideSerieLote(const QString& Articulo, double Cantidad, const QString& SerieAnt, const QString& LoteAnt,
                                QString& SerieNvo, QString& LoteNvo, bool Serie, bool Lote) {
    // The inputs may be the caller's output variables themselves.
    const QString serieAnt = SerieAnt;
    const QString loteAnt = LoteAnt;
    ConTrampa(QStringLiteral("PideSerieLote"), [&](Trampa& t) {
        if (Cantidad == 0) {
            SerieNvo.clear();
            LoteNvo.clear();
            return;
        }
        // Until the dialog is accepted the caller keeps what it had.
        SerieNvo = serieAnt;
        LoteNvo = loteAnt;
        auto frm = std::make_unique<FrmCargaLotesySeries>();
        frm->Cantidad = Cantidad;
        frm->EsSerie = Serie;
        frm->EsLote = Lote;
        frm->Articulo = Articulo;
        frm->SeriesAnteriores = serieAnt;
        frm->LotesAnteriores = loteAnt;
        t.Paso([&] { frm->Form_Load(); });
        t.Paso([&] { frm->CargaDatos(); });
        frm->lblArticulo->setText(Articulo);
        t.Paso([&] { Modal::Ejecuta(frm.get()); });
        if (!frm->Aceptado()) return;
        SerieNvo = ListaSerieLote::SinBlancos(frm->Series);
        LoteNvo = ListaSerieLote::SinBlancos(frm->Lotes);
    });
}

void ClsCmnCptes::PideSerieLote_Salidas(const QString& Articulo, const QString& Descripcion, double& Cantidad,
                                        const QString& SeriesLoteAnt, const QString& CantidadANT, QString& SeriesLoteNvo,
                                        QString& CantidadesNVO, bool Lote, bool Serie) {
    const QString paresAnt = SeriesLoteAnt;
    const QString cantidadesAnt = CantidadANT;
    ConTrampa(QStringLiteral("PideSerieLote_Salidas"), [&](Trampa& t) {
        if (Cantidad == 0) return;
        SeriesLoteNvo = paresAnt;
        CantidadesNVO = cantidadesAnt;
        auto frm = std::make_unique<FrmCargaLotesySeries>();
        frm->Cantidad = Cantidad;
        frm->Articulo = Articulo;
        frm->EsConsultaDeSerieLote = true;
        frm->EsLote = Lote;
        frm->EsSerie = Serie;
        frm->Lotes = paresAnt;
        frm->Series = cantidadesAnt;
        t.Paso([&] { frm->Form_Load(); });
        t.Paso([&] { frm->CargaDatos(); });
        frm->lblArticulo->setText(Articulo + QStringLiteral(" - ") + Descripcion);
        t.Paso([&] { Modal::Ejecuta(frm.get()); });
        if (!frm->Aceptado()) return;
        SeriesLoteNvo = frm->Lotes;
        CantidadesNVO = frm->Series;
        Cantidad = frm->Cantidad;
    });
}
