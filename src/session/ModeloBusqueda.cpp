#include "session/ModeloBusqueda.h"

#include <numeric>

ModeloBusqueda::ModeloBusqueda(QObject* padre) : QAbstractTableModel(padre) {}

void ModeloBusqueda::Carga(const QStringList& titulos, std::vector<QVector<QString>>&& filas) {
    beginResetModel();
    titulos_ = titulos;
    filas_ = std::move(filas);
    filtro_.clear();
    visibles_.resize(filas_.size());
    std::iota(visibles_.begin(), visibles_.end(), 0);
    endResetModel();
}

bool ModeloBusqueda::Coincide(const QVector<QString>& celdas, const QString& filtro) {
    if (filtro.trimmed().isEmpty()) return true;
    for (const QString& c : celdas)
        if (c.contains(filtro, Qt::CaseInsensitive)) return true;
    return false;
}

void ModeloBusqueda::Filtra(const QString& texto) {
    beginResetModel();
    filtro_ = texto;
    visibles_.clear();
    for (size_t i = 0; i < filas_.size(); ++i)
        if (Coincide(filas_[i], texto)) visibles_.push_back(static_cast<int>(i));
    endResetModel();
}

int ModeloBusqueda::FilaOriginal(int filaVista) const {
    if (filaVista < 0 || filaVista >= rowCount()) return -1;
    return visibles_[static_cast<size_t>(filaVista)];
}

int ModeloBusqueda::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : static_cast<int>(visibles_.size());
}

int ModeloBusqueda::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : static_cast<int>(titulos_.size());
}

QVariant ModeloBusqueda::data(const QModelIndex& indice, int rol) const {
    if (!indice.isValid() || (rol != Qt::DisplayRole && rol != Qt::ToolTipRole)) return {};
    const int f = FilaOriginal(indice.row());
    if (f < 0) return {};
    const QVector<QString>& celdas = filas_[static_cast<size_t>(f)];
    return indice.column() < celdas.size() ? celdas[indice.column()] : QString();
}

QVariant ModeloBusqueda::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (orientacion == Qt::Horizontal && rol == Qt::DisplayRole && seccion >= 0 && seccion < titulos_.size())
        return titulos_[seccion];
    return QAbstractTableModel::headerData(seccion, orientacion, rol);
}

Qt::ItemFlags ModeloBusqueda::flags(const QModelIndex& indice) const {
    if (!indice.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
