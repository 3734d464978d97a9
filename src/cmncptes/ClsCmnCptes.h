#pragma once
// The voucher services class: detail grid layouts and loading, the voucher
// chooser entry, and the further services of the suite's editing screens.
// One source per service group (ClsCmnCptes_*.cpp).
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
};
