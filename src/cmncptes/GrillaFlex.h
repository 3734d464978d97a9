#pragma once
// The data of a flexible grid: rows and columns, fixed (heading) rows, the
// text of every cell, column widths in twips (0 hides a column; its value is
// kept), column alignment, the current cell, cell background colours. The
// voucher services fill and read it without any window; a VistaGrilla shows
// it. As a Qt model it exposes the rows below the fixed rows, with the fixed
// rows' text as the column headings.
#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

class GrillaFlex : public QAbstractTableModel {
    Q_OBJECT
public:
    // Alignment values of the suite's grid (1 = left, centred vertically).
    enum Alineacion : int {
        IzquierdaArriba = 0, IzquierdaCentro = 1, IzquierdaAbajo = 2,
        CentroArriba = 3, CentroCentro = 4, CentroAbajo = 5,
        DerechaArriba = 6, DerechaCentro = 7, DerechaAbajo = 8,
        General = 9  // numbers right, texts left, centred vertically
    };
    static constexpr int AnchoPredeterminado = 960;  // twips of a new column

    explicit GrillaFlex(QObject* padre = nullptr);

    // --- shape ---------------------------------------------------------------
    int Rows() const { return static_cast<int>(celdas_.size()); }
    void SetRows(int filas);
    int Cols() const { return cols_; }
    void SetCols(int columnas);
    int FixedRows() const { return fijas_; }
    void SetFixedRows(int filas);
    // Empties the text and colours of every cell; shape and widths stay.
    void Clear();
    // Adds a row at the bottom (or before `indice`), cells from the
    // tab-separated text.
    void AddItem(const QString& textoTabulado = {}, int indice = -1);
    void RemoveItem(int fila);

    // --- cells -----------------------------------------------------------------
    QString TextMatrix(int fila, int col) const;
    // Raises ErrorEjecucion (subscript out of range) outside the grid.
    void SetTextMatrix(int fila, int col, const QString& texto);
    QColor CellBackColor(int fila, int col) const;  // invalid = grid's default
    void SetCellBackColor(int fila, int col, const QColor& color);

    // --- columns ---------------------------------------------------------------
    int ColWidth(int col) const;
    void SetColWidth(int col, int twips);
    int ColAlignment(int col) const;
    void SetColAlignment(int col, int alineacion);

    // --- current cell ----------------------------------------------------------
    int Row() const { return fila_; }
    void SetRow(int fila);
    int Col() const { return col_; }
    void SetCol(int col);
    // Text and background of the current cell.
    QString Text() const { return TextMatrix(fila_, col_); }
    void SetText(const QString& texto) { SetTextMatrix(fila_, col_, texto); }
    void SetCellBackColor(const QColor& color) { SetCellBackColor(fila_, col_, color); }

    // Painting switch of the suite's grid; the view repaints on every change,
    // so it is only kept.
    bool Redraw() const { return redibuja_; }
    void SetRedraw(bool v) { redibuja_ = v; }

    // Generic ascending sort of the rows below the fixed rows by one column:
    // two numbers compare as numbers, anything else as text (case ignored).
    // Equal keys keep their order.
    void Ordena(int col);

    // --- model -----------------------------------------------------------------
    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol = Qt::DisplayRole) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;

signals:
    // A column's width changed (the view shows, hides or resizes it).
    void AnchoCambiado(int col);
    // The number of columns changed (the view applies every width again).
    void ColumnasCambiadas();

private:
    void Comprueba(int fila, int col) const;
    void CompruebaCol(int col) const;
    static bool EsNumero(const QString& t, double* v);

    int cols_ = 2;
    int fijas_ = 1;
    int fila_ = 0;
    int col_ = 0;
    bool redibuja_ = true;
    QVector<QStringList> celdas_;           // one list of cols_ texts per row
    QVector<QVector<QColor>> colores_;      // same shape; invalid = default
    QVector<int> anchos_;
    QVector<int> alineaciones_;
};
