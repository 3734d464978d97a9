#pragma once
// What the inquiry screen shows about a sales voucher's ties and history:
// the vouchers generated from it, the voucher it was generated from, and
// its rows of the action log. Grid data only (the windows are
// FrmCptesRelacionados and FrmHistorialCpte).
#include "session/Moneda.h"

#include <QString>

class GrillaFlex;

namespace RelacionesComprobante {

// Columns of the related-vouchers grid; the Aux columns (hidden) hold the
// voucher's identity for opening it.
enum ColRelacionado : int {
    ColRelacion = 0, ColTipo, ColNumero, ColFecha, ColImporte, ColAnulado, ColAuxTC, ColAuxId, ColAuxComplemento,
    ColumnasRelacionados
};
// Columns of the history grid.
enum ColHistorial : int { ColAccion = 0, ColFechaHora, ColUsuario, ColPuesto, ColumnasHistorial };

// "0001-00000101-X" from "000100000101X" (a key of another length as it is).
QString NumeroVisible(const QString& SucNroLetra);

// Lays out the related-vouchers grid (headers, widths in twips of an average
// character `anchoCaracter`) and fills it: first the origin of the voucher,
// when it has one, then the vouchers generated from it (annulled ones too,
// marked), by date. Returns the number of generated vouchers. Errors reach
// the caller (no trap).
int CargaRelacionados(GrillaFlex& grilla, const QString& TC, const QString& SucNroLetra, const QString& IdComplemento,
                      int anchoCaracter);

// Lays out and fills the history grid: the voucher's rows of
// V_MV_CPTEACCIONES, newest first. Returns the number of rows. No trap.
int CargaHistorial(GrillaFlex& grilla, const QString& TC, const QString& SucNroLetra, const QString& IdComplemento,
                   int anchoCaracter);

// The customer account of a shown sales voucher ("" when not found). No trap.
QString CuentaDelComprobante(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento);

} // namespace RelacionesComprobante
