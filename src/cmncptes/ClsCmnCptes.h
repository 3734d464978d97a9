#pragma once
// The voucher services class: detail grid layouts and loading, the voucher
// chooser entry, and the further services of the suite's editing screens.
// One source per service group (ClsCmnCptes_*.cpp).
#include "session/Moneda.h"
#include "session/Recordset.h"

#include <QString>
#include <QStringList>
#include <QVariant>

class GrillaFlex;
class PanelesEstado;
class QLineEdit;
class QWidget;
class SolapasDetalle;

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

    // --- detail checks and totals (ClsCmnCptes_Controles.cpp, core) ---------
    // Status bar and tab strip through cmncptes/ControlesDetalle.h. A used row
    // is a row from 1 whose column 0, trimmed, is not empty; grids may be nullptr.
    // Whether the used lines plus Agragarle fit in the printed form of TC and
    // Letra (PRINTERS.PRN, read again only when its date changed; LineasAnteriores
    // -1 skips it; CantLineas 0 means no limit).
    bool ValidaCantidadLineasCpte(const QString& TC, const QString& Letra, GrillaFlex* MSFlexGrid1,
                                  GrillaFlex* MSFlexGrid2, GrillaFlex* MSFlexGrid3, int& CantLineas,
                                  int& CantLineasUsadas, long Agragarle, int& LineasAnteriores);
    long CuentaItems(GrillaFlex* MSFlexGrid1, GrillaFlex* MSFlexGrid2, GrillaFlex* MSFlexGrid3, long& CantTareas,
                     long& CantArticulos, long& CantOtrosConceptos);
    void MuestraDetalle(const QString& Detalle, PanelesEstado* StatB, long Columna);
    void MuestraDetalleTareas(GrillaFlex* MSFlexGrid1, PanelesEstado* StatB);
    void MuestraDetalleArticulos(GrillaFlex* MSFlexGrid2, PanelesEstado* StatB, long Columna);
    void MuestraDetalleOtrosConceptos(GrillaFlex* MSFlexGrid3, PanelesEstado* StatB);
    // One summary line per visible tab in MSFlexGrid4 (articles by category,
    // by type or by code), then the blue closing row.
    void TotalizadorControl(GrillaFlex* MSFlexGrid1, GrillaFlex* MSFlexGrid2, GrillaFlex* MSFlexGrid3,
                            GrillaFlex* MSFlexGrid4, const SolapasDetalle* SSTab1, bool AbiertoPorRubro,
                            bool AbiertoPorTipo);
    void PintarFila(long Fila, GrillaFlex* MsFlexGrid, long Color);
    void PintarColuma(long Columna, GrillaFlex* MsFlexGrid, long FilaDesde, long FilaHasta, long Color);
    bool TareaRepetida(GrillaFlex* MSFlexGrid1, const QString& Tarea, long FilaIgnorar, long& FilaEncontrada);
    bool ArticuloRepetido(GrillaFlex* MSFlexGrid2, const QString& Articulo, long FilaIgnorar, long& FilaEncontrada);
    bool OtrosConceptosRepetidos(GrillaFlex* MSFlexGrid3, const QString& OtroConcepto, long FilaIgnorar,
                                 long& FilaEncontrada);
    bool NumeroEsFraccion(const QVariant& Numero);
    // Date and time of PRINTERS.PRN when ValidaCantidadLineasCpte last read it.
    QString FechaPrinters;

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
