#pragma once
// The voucher services class: detail grid layouts and loading, the voucher
// chooser entry, and the further services of the suite's editing screens.
// One source per service group (ClsCmnCptes_*.cpp).
#include "session/Moneda.h"
#include "session/Recordset.h"

#include <QString>
#include <QVariant>

class GrillaFlex;
class QLineEdit;
class QWidget;

class ClsCmnCptes {
public:
    // --- detail grid layouts (ClsCmnCptes_Grillas.cpp) ----------------------
    // Lays out the services, articles, other-concepts and (optional)
    // item-count grids; any grid or edit box may be nullptr. Widths in twips
    // measured with Obj's font. No trap: errors reach the caller's trap.
    void InicializaGrids(GrillaFlex* MSFlexGrid1, GrillaFlex* MSFlexGrid2, GrillaFlex* MSFlexGrid3,
                         QLineEdit* TxtEdit, QLineEdit* txtEdit2, QLineEdit* txtEdit3, QWidget* Obj,
                         const QString& TC, GrillaFlex* MSFlexGrid4 = nullptr);
    // Binds an in-grid edit box to a column (data field, lookup table, maximum length).
    void TextPropiedades(QLineEdit* Texto, long Columna);

    // --- detail loading (ClsCmnCptes_Carga.cpp) -----------------------------
    // Reads one voucher's lines into the three grids. When LrcsCpte is given,
    // the voucher's header recordset is handed back in it.
    void AsignarDatosComprobante(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento,
                                 GrillaFlex* MSFlexGrid1, GrillaFlex* MSFlexGrid2, GrillaFlex* MSFlexGrid3,
                                 bool Inicializar, Recordset* LrcsCpte, bool Compras, const QString& Proveedor);

    // --- voucher chooser (ClsCmnCptes_Consulta.cpp) -------------------------
    // Opens the modal chooser for TC (or a pending alias such as "RM/PENDIENTES")
    // with an optional extra condition; Respuesta is "" when nothing was chosen.
    void ConsultaComprobante(const QString& TC, QString& Respuesta, const QVariant& Filtro, QString& IdComplemento,
                             QString& Proveedor);

    // --- action log and relations (ClsCmnCptes_Acciones.cpp) ---------------
    // Appends one row to V_MV_CPTEACCIONES ('A' creation wins over 'M'
    // modification; neither: 'B' deletion). Never raises and shows nothing:
    // a failing step is passed over, so the logged action goes on.
    void ActualizaBuchon(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento, bool lEsAlta,
                         bool lEsModificacion);
    // Whether a sales voucher was generated from this one (annulled ones count
    // when TenerEnCuentaAnulados). No trap: errors reach the caller's trap.
    bool EstaRelacionadoAOtroComprobante(const QString& TC, const QString& SucNroLetra, const QString& Complemento,
                                         bool TenerEnCuentaAnulados);
    // Sum of Importe of the non-annulled vouchers generated from TC/SucNroLetra
    // (any complement of the origin; Null counts 0). No trap.
    Moneda ObtieneImporteCptesAsociados(const QString& TC, const QString& SucNroLetra);

    // --- real-charges control (view in src/forms/FrmCtrlCargosReales.cpp) ---
    // Opens the modal real-charges view of one customer account.
    void ControlDeCargosReales(const QString& Cliente, const QString& Matricula);
};
