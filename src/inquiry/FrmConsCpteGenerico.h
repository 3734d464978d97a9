#pragma once
// The inquiry form: the program's one main window. The user picks a voucher
// type of the session's side, types (or searches) a voucher's key fields and
// reads the voucher: a text header in txtDisp and its detail lines in three
// grids on the tab strip, or, for collections and payments, the payment
// means. Sources: FrmConsCpteGenerico.cpp (controls, load, type changes,
// keyboard, timer), _Validacion.cpp (key-field checks), _Muestra.cpp (the
// display paths), _Consulta.cpp (search), _Barra.cpp (toolbar and closing).
#include "cmncptes/ClsCmnCptes.h"
#include "session/Moneda.h"

#include <QColor>
#include <QList>
#include <QMainWindow>
#include <QString>

class BarraEstado;
class GrillaFlex;
class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class QTimer;
class QToolBar;
class VistaGrilla;

class FrmConsCpteGenerico : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmConsCpteGenerico(QWidget* padre = nullptr);
    ~FrmConsCpteGenerico() override;

    // --- state of the form ---------------------------------------------------
    bool pGestionCompras = false;    // True: purchasing side
    QString pTC, pSucursal, pNumero, pLetra, pProveedor;  // identity passed at start-up
    bool pConsultaSolamente = false; // show the passed voucher only
    bool DatoInvalido = false;       // outcome of the last key-field check
    ClsCmnCptes CmnCptes;            // the form's voucher services
    int IndiceCampoActual = 0;       // index in txtfields of the last focused key field

    // --- controls (object names as the code refers to them) --------------------
    QToolBar* Toolbar1 = nullptr;
    QList<QAction*> BotonesToolbar;  // buttons 1..7 at positions 0..6
    QGroupBox* Frame1 = nullptr;
    QComboBox* CmbCpte = nullptr;
    QList<QLabel*> Label1;           // "Nº de Cpte", "Comprobante"
    QLabel* LBLPROVEEDOR = nullptr;
    QList<QLineEdit*> txtfields;     // Sucursal, Numero, Letra, PROVEEDOR
    QFrame* FrmDetalle = nullptr;
    QPlainTextEdit* txtDisp = nullptr;
    QTabWidget* SSTab1 = nullptr;
    QList<QLabel*> lblEncabezadoTAB;
    GrillaFlex* MSFlexGrid1 = nullptr;  // services
    GrillaFlex* MSFlexGrid2 = nullptr;  // articles
    GrillaFlex* MSFlexGrid3 = nullptr;  // other concepts
    QList<VistaGrilla*> Vistas;         // the views of the three grids
    QLineEdit* TxtEdit = nullptr;
    QLineEdit* txtEdit2 = nullptr;
    QLineEdit* txtEdit3 = nullptr;
    QCheckBox* ChkServiciosExentos = nullptr;
    QCheckBox* ChkInsumosExentos = nullptr;
    QCheckBox* ChkOtrosExentos = nullptr;
    QLabel* lblCpteAnulado = nullptr;
    QTimer* Timer1 = nullptr;
    BarraEstado* StatB = nullptr;    // panels: 1 Solapa, 2 Linea, 3 Detalle, 4 Stock, 5 Resumen

    // --- status bar and summary (_Estado.cpp) -----------------------------------
    // The current line of the visible grid in the status bar (run after any
    // change of tab, line or grid contents, once the events settle).
    void ActualizaBarraEstado();
    // F8: the summary of the shown voucher (lines by tab, articles by code,
    // item counts) in a modal window. Nothing without a commercial voucher.
    void MuestraResumen();

    // --- load, type changes --------------------------------------------------
    void Form_Load();
    void Inicializa(bool SoloDetalle);
    void CmbCpte_Click();
    QString FNTC();
    void Detalleon(bool OFF);

    // --- key fields ------------------------------------------------------------
    void txtfields_GotFocus(int Index);
    // Returns true when the key was handled (an advancing key or F5).
    bool txtfields_KeyDown(int Index, int KeyCode);
    void Form_KeyPress(int KeyAscii);
    void CampoValida(QLineEdit* Texto);

    // --- display ---------------------------------------------------------------
    void MostrarComprobante(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento,
                            const QString& Proveedor);
    // A voucher is on screen (its header or payment means were written and
    // nothing has emptied the display since).
    bool ComprobanteMostrado() const { return mostrado_; }

    // --- search, toolbar, timer, closing (other sources) -----------------------
    void CmdConsultar();
    void Toolbar1_ButtonClick(int indice);
    // Whether vouchers of the type can be printed (FC, NC, ND, RM); the print
    // buttons are enabled only for those.
    static bool EsImprimible(const QString& tc);
    void Form_Unload();
    void Timer1_Timer();

    // --- related vouchers, history, real charges (_Relaciones.cpp) -------------
    // Entries of the header box's menu, with their keyboard shortcuts.
    QAction* AccRelacionados = nullptr;   // F6 "Comprobantes relacionados"
    QAction* AccHistorial = nullptr;      // F7 "Historial del comprobante"
    QAction* AccCargosReales = nullptr;   // F8 "Control de cargos reales"
    void MuestraRelacionados();
    void MuestraHistorial();
    void MuestraCargosReales();
    // The sales voucher on screen (type code and 13-character key); false when none.
    bool ComprobanteEnPantalla(QString& TC, QString& SucNroLetra) const;
    // Shows another sales voucher of complement 0 as if its key were typed.
    void AbreComprobante(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento);
    // --- stock of the current article line (FrmConsCpteGenerico_Stock.cpp) ----
    // F6 or the articles grid's context menu entry.
    QAction* MnuStockArticulo = nullptr;
    void MuestraStockArticulo();

    // --- helpers of the display box and the annulled label -----------------------
    // txtDisp's text as written (lines joined by CR LF).
    QString TextoDisp() const { return textoDisp_; }
    void EscribeDisp(const QString& texto);
    // Heights in twips (1440 to the inch at the screen's logical resolution).
    int AltoDisp() const { return altoDispTwips_; }
    void EstableceAltoDisp(int twips);
    int AltoAnulado() const;
    // Timer1.Interval: 0 stops the blinking (and hides the label), 500 starts it.
    int IntervaloTimer() const;
    void EstableceIntervaloTimer(int ms);
    QColor ColorAnulado() const;
    void EstableceColorAnulado(const QColor& c);
    // Where the annulled label sits, in twips from the top of the detail area.
    int TopAnulado() const { return topAnuladoTwips_; }
    void EstableceTopAnulado(int twips);
    // The selector entry's full text (name, blanks, code from character 201).
    QString EntradaCpte(int i) const;

    static QColor Rojo() { return QColor(255, 0, 0); }       // 255 of the suite (0000FF, BGR)
    static QColor Amarillo() { return QColor(255, 255, 0); }  // 65535 of the suite (00FFFF, BGR)

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void ConstruyeControles();
    void ConstruyeBarraEstado();
    void ConstruyeRelaciones();
    void PreparaStockArticulo();
    QWidget* ConstruyeSolapa(int indice, GrillaFlex*& grilla, QLineEdit*& edicion, const QString& nombreEdicion,
                             QCheckBox*& exento, const QString& nombreExento, const QString& ayudaExento);
    void MuestraCobranza(const QString& tc4, const QString& sucursal, const QString& numero, const QString& letra);
    void MuestraPago(const QString& tc4, const QString& sucursal, const QString& numero, const QString& letra,
                     const QString& SucNroLetra, const QString& Proveedor);
    void TerminaMediosPago(QString& texto, const QString& separador, Moneda total, bool anulado);
    void EscribeEncabezado(const Recordset& rs);
    // Empties the display (header box, payment means, grids, annulled label
    // and its blinking); the key fields stay as typed.
    void VaciaPantalla();

    QString textoDisp_;
    int altoDispTwips_ = 1935;
    int topAnuladoTwips_ = 1550;
    bool descargado_ = false;
    bool barraPendiente_ = false;
    bool mostrado_ = false;
};
