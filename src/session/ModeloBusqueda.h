#pragma once
// Rows of the lookup window: the texts of the visible columns of every row,
// and the rows that pass the filter the user typed. The filter is plain text
// compared ignoring case against every visible cell; it never reaches a
// statement.
#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <QVector>
#include <vector>

class ModeloBusqueda : public QAbstractTableModel {
public:
    explicit ModeloBusqueda(QObject* padre = nullptr);

    // Captions of the visible columns and the rows' texts for them.
    void Carga(const QStringList& titulos, std::vector<QVector<QString>>&& filas);
    // Keeps only the rows that contain the text (all rows for a blank text).
    void Filtra(const QString& texto);
    const QString& Filtro() const { return filtro_; }

    // The stored row shown at a view row (-1 outside the list).
    int FilaOriginal(int filaVista) const;
    int CantidadTotal() const { return static_cast<int>(filas_.size()); }

    // Whether a row's cells pass the filter text.
    static bool Coincide(const QVector<QString>& celdas, const QString& filtro);

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol = Qt::DisplayRole) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;

private:
    QStringList titulos_;
    std::vector<QVector<QString>> filas_;
    std::vector<int> visibles_;
    QString filtro_;
};
