#pragma once
// The voucher chooser: a modal report-style list of the vouchers of one type
// (or of its pending ones), from which the user picks one. Opened by
// ClsCmnCptes::ConsultaComprobante, which sets TC, Filtro and NroComprobante,
// runs the load under its own error trap, shows the window and reads the
// answers back.
#include <QDialog>
#include <QIcon>
#include <QPair>
#include <QString>
#include <QVector>

#include "session/Recordset.h"
#include "session/Trampa.h"

#include <optional>
#include <vector>

class ModeloComprobantes;
class QTimer;
class QPushButton;
class QTreeView;

class FrmConsComprobantes : public QDialog {
public:
    enum class Familia { Ventas, Compras, Presupuestos, Terceros, Ninguna };

    explicit FrmConsComprobantes(QWidget* padre = nullptr);
    ~FrmConsComprobantes() override;

    // Set by the caller before showing.
    QString TC;
    QString Filtro;
    // Answers (NroComprobante is cleared by the caller).
    QString NroComprobante;
    QString IdComplemento;
    QString Proveedor;
    // Set at load.
    bool UsaReferencia = false;
    bool SoloPendientes = false;

    // The load of the window; every failing statement goes through the
    // caller's trap. The first rows are read here; a long list goes on
    // loading in short steps while the window is shown (reads failing then
    // are answered by a trap of the same name), so the window never freezes.
    void Form_Load(Trampa& t);
    // Reads the rows still to come at once.
    void TerminaCarga();
    bool Cargando() const { return cargando_; }
    // A read failing while the window was shown ended the load and the window
    // ("leave" answered).
    bool CerradoPorError() const { return cerradoPorError_; }
    // How long a load step may hold the window (the first one, before it
    // shows, and each later one); returns the previous values. For tests.
    static std::pair<qint64, qint64> EstableceLotes(qint64 primeroMs, qint64 siguientesMs);

    // Index (1-based) of the first icon whose tag equals the given one
    // (trimmed, case ignored); the "Generico" icon when none does.
    short ObtieneIndiceImagen(const QString& etiqueta) const;
    // Replaces the columns by the column set of TC's family.
    void Encolumnar();

    void CmdAceptar_Click();
    void CmdCancelar_Click();
    // A click on a column header: sorts by it, toggling the order.
    void ListView1_ColumnClick(int columna);

    // The statement the load opens, exposed for diagnostics.
    const QString& Sentencia() const { return sentencia_; }
    ModeloComprobantes* Modelo() const { return modelo_; }
    Qt::SortOrder OrdenActual() const { return orden_; }
    int ColumnaOrden() const { return columnaOrden_; }

    // Pure pieces of the load.
    static Familia FamiliaDe(const QString& tc);
    // Replaces a pending alias by its plain type; tells whether it was one.
    static QString ResuelveAlias(const QString& tc, bool& soloPendientes);
    // The statement for a (resolved) type, pending flag and extra condition.
    static QString ArmaSentencia(const QString& tc, bool soloPendientes, const QString& filtro);

    // Controls.
    QTreeView* ListView1 = nullptr;
    QPushButton* CmdAceptar = nullptr;
    QPushButton* CmdCancelar = nullptr;
    // Icon list: tag and icon, in index order 1 to 9.
    QVector<QPair<QString, QIcon>> ImageList1;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    void done(int resultado) override;

private:
    // One value read per row: where it is shown (-1: only read), the field.
    struct Lectura {
        int columna;
        QString campo;
        int indice;
    };
    void AgregaColumna(const QString& titulo, int equis);
    void PreparaLectura();
    // Reads rows for up to `milisegundos` (at least one row); false when
    // the result is exhausted.
    bool LeeLote(Trampa& t, qint64 milisegundos);
    void LeeSiguienteLote();
    int FilaSeleccionada() const;

    Recordset rs_;
    std::optional<Trampa> trampa_;
    std::vector<Lectura> lecturas_;
    int indiceAnulada_ = -1;
    int indiceAprobado_ = -1;
    short iconoTipo_ = 0, iconoAnulado_ = 0, iconoAprobado_ = 0, iconoTerceros_ = 0;
    bool cargando_ = false;
    bool cerradoPorError_ = false;
    QTimer* temporizadorCarga_ = nullptr;

    ModeloComprobantes* modelo_ = nullptr;
    QVector<int> anchos_;
    QString sentencia_;
    Qt::SortOrder orden_ = Qt::AscendingOrder;
    bool ordenado_ = false;
    int columnaOrden_ = -1;
};
