#pragma once
// The voucher services class: detail grid layouts and loading, the voucher
// chooser entry, and the further services of the suite's editing screens.
// One source per service group (ClsCmnCptes_*.cpp).
#include "session/Recordset.h"

#include <QString>
#include <QStringList>
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

    // --- serial and lot lists (ClsCmnCptes_SeriesLotes.cpp) -----------------
    // The list syntax is in ListaSerieLote.h. Each reports a malformed list
    // under its own name through the trap; ExtraeSerieLote has no trap.
    // Arreglo := the trimmed pieces and one empty element after them.
    QVariant DescomponeSerieLote(const QString& Serie_Lote, QStringList& Arreglo);
    // Distinct serial-and-lot pairs of two parallel lists (0 when left).
    long Cuenta_Series_Lotes(const QString& PipeSeries, const QString& PipeLotes);
    // The piece at QuePosicion (from 1), untrimmed; "" past the end.
    QString ExtraeSerieLote(const QString& Serie_Lote, int QuePosicion);
    // Position of QueSerieLote in the list; pieces + 1 when absent; 0 for an
    // empty list (and when left).
    long Busca_Lotes_Series(const QString& PipeSeriesLotes, const QString& QueSerieLote);

    // --- voucher sign and stock posting (ClsCmnCptes_Stock.cpp) -------------
    // +1 when the type's articles enter stock, -1 when they leave it (or its
    // sign for the VAT book with LibroIVA); 0 with a message when unknown.
    int ObtieneSignoComprobante(const QString& TC, bool LibroIVA);
    // Posts the stock movements of a voucher's articles grid to V_MV_STOCK
    // (or collects the statements in SqlTemp with GeneraSentenciaSQL). The
    // movements of one call land together: when the operator leaves after an
    // error none of them stay. The by-reference texts come back as the SQL
    // literals used.
    void ActualizaStock(GrillaFlex* MSFlexGrid2, const QString& TC, const QString& SucNroLetra,
                        const QString& IdComplemento, const QString& Fecha, QString& IdDeposito,
                        QString& IdDepositoDestino, QString& IdMotivoStock, QString& TCOrigen,
                        QString& ComprobanteOrigen, bool EsTransferencia, const QString& Cuenta,
                        bool GeneraSentenciaSQL, QString& SqlTemp);

    // --- stock balances (ClsCmnCptes_Saldos.cpp) ----------------------------
    // Stock of an article, narrowed by deposit, lot, serial and position
    // unless each is blank or "Ignorar". 0 when left after an error.
    double ObtieneStock(const QString& IdArticulo, const QString& IdDeposito, const QString& NroLote,
                        const QString& NroSerie, const QString& IdPosicion);

    // --- lot and serial entry dialog (ClsCmnCptes_LotesSeries.cpp) ----------
    // Entry: one row per unit of Cantidad; SerieNvo and LoteNvo receive the
    // lists typed (empty for a quantity of 0). Closing the dialog without
    // accepting hands back SerieAnt and LoteAnt unchanged.
    void PideSerieLote(const QString& Articulo, double Cantidad, const QString& SerieAnt, const QString& LoteAnt,
                       QString& SerieNvo, QString& LoteNvo, bool Serie, bool Lote);
    // Exit: one row per lot and serial with stock; SeriesLoteNvo receives the
    // lot-and-serial pairs, CantidadesNVO their quantities, and Cantidad the
    // adjusted total when the user accepted a different sum. Closing without
    // accepting hands back the previous lists and leaves Cantidad alone.
    void PideSerieLote_Salidas(const QString& Articulo, const QString& Descripcion, double& Cantidad,
                               const QString& SeriesLoteAnt, const QString& CantidadANT, QString& SeriesLoteNvo,
                               QString& CantidadesNVO, bool Lote, bool Serie);
};
