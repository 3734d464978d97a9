#pragma once
// The lot and serial entry dialog of an article line. Entry mode: one grid row
// per unit, where the user types each unit's lot and/or serial. Exit mode
// (EsConsultaDeSerieLote): one row per lot-and-serial position with stock,
// where the user types how much to take from each. Opened modally by
// ClsCmnCptes::PideSerieLote and PideSerieLote_Salidas, which set the public
// members, load it, show it and read the result lists back.
//
// The grid is edited through TxtEdit, a text box floated over the current
// cell: a key typed on the grid opens it; Enter, Escape, Up and Down close it
// and move; in exit mode a quantity is checked against the stock of its
// position before the editor lets go.
#include "cmncptes/ClsCmnCptes.h"

#include <QDialog>
#include <QList>
#include <QString>

#include <memory>

class GrillaFlex;
class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolBar;
class VistaGrilla;

class FrmCargaLotesySeries : public QDialog {
    Q_OBJECT
public:
    explicit FrmCargaLotesySeries(QWidget* padre = nullptr);
    ~FrmCargaLotesySeries() override;

    // --- set by the opening operation, read back after the dialog closes ----
    bool EsConsultaDeSerieLote = false;  // exit mode
    bool EsSerie = false;                // tracked by serial
    bool EsLote = false;                 // tracked by lot
    bool EsSerieYLote = false;           // both (set at loading)
    double Cantidad = 0;                 // requested; exit mode may adjust it
    QString Deposito;                    // deposit of the stock check ("" = all)
    QString Articulo;
    QString ArticuloDescripcion;
    QString SeriesAnteriores, LotesAnteriores;  // entry mode: the lists captured before
    QString Series, Lotes;               // exit mode in: previous lists; result lists

    // --- controls (object names as the code refers to them) ------------------
    GrillaFlex* MSFlexGrid1 = nullptr;   // the grid data
    VistaGrilla* Vista = nullptr;        // its view (object name "MSFlexGrid1")
    QLineEdit* TxtEdit = nullptr;
    QPushButton* CmdAceptar = nullptr;
    QLabel* lblArticulo = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QList<QAction*> BotonesToolbar;      // buttons 1..3 at positions 0..2

    // True once CmdAceptar built the result lists and closed the dialog.
    bool Aceptado() const { return aceptado_; }
    // Outcome of the last quantity check.
    bool CantidadInvalida = false;

    // --- loading and acceptance ------------------------------------------------
    void Form_Load();
    // No trap of its own: errors reach the opening operation's trap.
    void CargaDatos();
    void InicializaGrid();
    void VerificaAnteriores();
    void CompletaCantidades();
    double SumaFilas(int MenosCual);
    bool ValidaCantidadCantidadPedida();
    void CmdAceptar_Click();

    // --- in-grid editing ---------------------------------------------------------
    void Text_Propiedades(QLineEdit* Texto, int Col);
    void MsflexGridEdt(GrillaFlex* Grilla, QLineEdit* Texto, int KeyAscii);
    void EditKeyCode(GrillaFlex* Grilla, QLineEdit* Texto, int KeyCode, int Shift);
    void CampoValida(QLineEdit* Texto);
    void Toolbar1_ButtonClick(int indice);
    // Pastes a column of values (one per line) from the current cell down.
    void PegaTexto(const QString& texto);

    // Makes a grid cell current (grid data and view).
    void MueveA(int fila, int col);
    // Whether the user may type into a column.
    bool EsEditable(int col) const;
    // The grid row and column the open editor belongs to.
    int FilaEdicion() const { return filaEdicion_; }
    int ColEdicion() const { return colEdicion_; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void ConstruyeControles();
    void AjustaTamano();
    // Puts the open editor's text into its cell and hides it.
    void CompletaEdicion();
    void ColocaEditor();
    // Exit mode: the checks of a quantity typed for a grid row (messages,
    // stock re-read); false when refused.
    bool CompruebaCantidad(int fila, const QString& texto);
    // Exit mode at acceptance: every typed quantity passes the checks.
    bool CompruebaCantidades();
    // Entry mode at acceptance: no serial twice.
    bool CompruebaSeriesRepetidas();
    void LlenaColumna(int col, const QString& lista);
    int ColumnaSeries() const;

    ClsCmnCptes* Cmn();
    std::unique_ptr<ClsCmnCptes> CmnCptes;
    bool aceptado_ = false;
    int filaEdicion_ = -1;
    int colEdicion_ = -1;
};
