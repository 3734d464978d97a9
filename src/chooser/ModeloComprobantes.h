#pragma once
// Rows of the voucher chooser: one text per column and one icon per row, kept
// in plain vectors so a type with a hundred thousand vouchers loads and sorts
// without one object per cell. Sorting reorders a permutation of the rows by
// the cells' text; before any sort the rows keep the order they were loaded in.
#include <QAbstractTableModel>
#include <QIcon>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <vector>

class ModeloComprobantes : public QAbstractTableModel {
public:
    // Role under which a row's icon index (1-based, into the icon list) is read.
    static constexpr int RolIndiceImagen = Qt::UserRole + 1;

    struct Fila {
        QVector<QString> celdas;  // one text per column
        short imagen = 0;         // 1-based index into the icon list, 0 = none
    };

    explicit ModeloComprobantes(QObject* padre = nullptr);

    // The icons a row refers to by index (index 1 is the first icon).
    void EstableceImagenes(const QVector<QIcon>& imagenes);
    // Replaces the columns (and drops every row).
    void EstableceColumnas(const QStringList& titulos);
    // Drops every row.
    void Limpia();
    // Replaces the rows at once, in the order given.
    void CargaFilas(std::vector<Fila>&& filas);
    // Adds rows after the ones loaded; in a sorted list they take their
    // place in the order (after the equal ones already there).
    void AgregaFilas(std::vector<Fila>&& filas);

    QStringList Titulos() const { return titulos_; }
    // Column position of a header ("" gives -1).
    int ColumnaDe(const QString& titulo) const;
    // Text of a cell of a row as shown (after sorting).
    QString Texto(int filaVista, int columna) const;
    short Imagen(int filaVista) const;

    // Sorts by one column's text in the given order (stable).
    void Ordena(int columna, Qt::SortOrder orden);
    int ColumnaOrden() const { return columnaOrden_; }

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol = Qt::DisplayRole) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;
    bool setData(const QModelIndex& indice, const QVariant& valor, int rol = Qt::EditRole) override;

    // How two cell texts compare when sorting: plain text comparison, letter
    // case ignored.
    static int ComparaTextos(const QString& a, const QString& b);
    // The form of a cell text that compares as ComparaTextos does with a
    // plain comparison (kept per row of the sort column, so a sort does not
    // fold the same text again on every comparison).
    static QString ClaveOrden(const QString& texto);

private:
    bool Antes(int a, int b) const;  // stored row a goes before stored row b
    // Reorders the view rows by `reordena`, keeping persistent indexes on their rows.
    void Reordena(const std::function<void()>& reordena);
    const Fila& FilaVista(int filaVista) const { return filas_[static_cast<size_t>(orden_[static_cast<size_t>(filaVista)])]; }

    QStringList titulos_;
    std::vector<Fila> filas_;
    std::vector<int> orden_;  // view row -> stored row
    int columnaOrden_ = -1;   // -1: the order rows were loaded in
    std::vector<QString> claves_;  // ClaveOrden of each stored row's cell in the sort column
    void CompletaClaves();
    Qt::SortOrder sentido_ = Qt::AscendingOrder;
    QVector<QIcon> imagenes_;
};
