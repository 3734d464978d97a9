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

class ModeloComprobantes;
class QPushButton;
class QTreeView;
class Recordset;
class Trampa;

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
    // caller's trap.
    void Form_Load(Trampa& t);

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

private:
    void AgregaColumna(const QString& titulo, int equis);
    void CargaFilas(Trampa& t, Recordset& rs);
    int FilaSeleccionada() const;

    ModeloComprobantes* modelo_ = nullptr;
    QVector<int> anchos_;
    QString sentencia_;
    Qt::SortOrder orden_ = Qt::AscendingOrder;
    bool ordenado_ = false;
    int columnaOrden_ = -1;
};
