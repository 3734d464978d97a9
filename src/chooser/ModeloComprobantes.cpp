#include "chooser/ModeloComprobantes.h"

#include <algorithm>
#include <numeric>

ModeloComprobantes::ModeloComprobantes(QObject* padre) : QAbstractTableModel(padre) {}

void ModeloComprobantes::EstableceImagenes(const QVector<QIcon>& imagenes) {
    imagenes_ = imagenes;
    if (!filas_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::DecorationRole});
}

void ModeloComprobantes::EstableceColumnas(const QStringList& titulos) {
    beginResetModel();
    titulos_ = titulos;
    columnaOrden_ = -1;
    claves_.clear();
    filas_.clear();
    orden_.clear();
    endResetModel();
}

void ModeloComprobantes::Limpia() {
    beginResetModel();
    columnaOrden_ = -1;
    claves_.clear();
    filas_.clear();
    orden_.clear();
    endResetModel();
}

void ModeloComprobantes::CargaFilas(std::vector<Fila>&& filas) {
    beginResetModel();
    filas_ = std::move(filas);
    orden_.resize(filas_.size());
    std::iota(orden_.begin(), orden_.end(), 0);
    columnaOrden_ = -1;
    claves_.clear();
    endResetModel();
}

void ModeloComprobantes::AgregaFilas(std::vector<Fila>&& filas) {
    if (filas.empty()) return;
    const int desde = rowCount();
    const int cuantas = static_cast<int>(filas.size());
    beginInsertRows({}, desde, desde + cuantas - 1);
    filas_.reserve(filas_.size() + filas.size());
    for (Fila& f : filas) filas_.push_back(std::move(f));
    for (int i = 0; i < cuantas; ++i) orden_.push_back(desde + i);
    endInsertRows();
    if (columnaOrden_ < 0) return;
    CompletaClaves();
    // Sort the new rows and merge them in: the same order a stable sort of
    // the whole list would give.
    Reordena([&] {
        const auto antes = [this](int a, int b) { return Antes(a, b); };
        const auto medio = orden_.begin() + desde;
        std::stable_sort(medio, orden_.end(), antes);
        std::inplace_merge(orden_.begin(), medio, orden_.end(), antes);
    });
}

int ModeloComprobantes::ColumnaDe(const QString& titulo) const {
    if (titulo.isEmpty()) return -1;
    return static_cast<int>(titulos_.indexOf(titulo));
}

QString ModeloComprobantes::Texto(int filaVista, int columna) const {
    if (filaVista < 0 || filaVista >= rowCount() || columna < 0) return {};
    const Fila& f = FilaVista(filaVista);
    return columna < f.celdas.size() ? f.celdas[columna] : QString();
}

short ModeloComprobantes::Imagen(int filaVista) const {
    if (filaVista < 0 || filaVista >= rowCount()) return 0;
    return FilaVista(filaVista).imagen;
}

int ModeloComprobantes::ComparaTextos(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive);
}

QString ModeloComprobantes::ClaveOrden(const QString& texto) { return texto.toCaseFolded(); }

void ModeloComprobantes::CompletaClaves() {
    static const QString vacia;
    claves_.reserve(filas_.size());
    for (size_t i = claves_.size(); i < filas_.size(); ++i) {
        const Fila& f = filas_[i];
        claves_.push_back(ClaveOrden(columnaOrden_ < f.celdas.size() ? f.celdas[columnaOrden_] : vacia));
    }
}

bool ModeloComprobantes::Antes(int a, int b) const {
    const int c = QString::compare(claves_[static_cast<size_t>(a)], claves_[static_cast<size_t>(b)], Qt::CaseSensitive);
    return sentido_ == Qt::AscendingOrder ? c < 0 : c > 0;
}

void ModeloComprobantes::Reordena(const std::function<void()>& reordena) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList persistentes = persistentIndexList();
    std::vector<int> guardadas;
    guardadas.reserve(static_cast<size_t>(persistentes.size()));
    for (const QModelIndex& i : persistentes) guardadas.push_back(orden_[static_cast<size_t>(i.row())]);

    reordena();

    // Where each stored row went, so the selection follows its row.
    std::vector<int> posicion(orden_.size());
    for (size_t v = 0; v < orden_.size(); ++v) posicion[static_cast<size_t>(orden_[v])] = static_cast<int>(v);
    QModelIndexList nuevos;
    nuevos.reserve(persistentes.size());
    for (qsizetype k = 0; k < persistentes.size(); ++k)
        nuevos.append(index(posicion[static_cast<size_t>(guardadas[static_cast<size_t>(k)])], persistentes[k].column()));
    changePersistentIndexList(persistentes, nuevos);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ModeloComprobantes::Ordena(int columna, Qt::SortOrder orden) {
    if (columna < 0 || columna >= columnCount()) return;
    const bool mismaColumna = columna == columnaOrden_;
    const bool invierte = mismaColumna && orden != sentido_;
    if (!mismaColumna) claves_.clear();
    columnaOrden_ = columna;
    sentido_ = orden;
    CompletaClaves();
    Reordena([&] {
        if (mismaColumna && !invierte) return;  // already in that order
        if (invierte) {
            // The rows are in the other order of the same column: the runs of
            // equal texts are taken in reverse, each keeping its own order,
            // which is what a stable sort in the new order gives.
            std::vector<int> nuevo;
            nuevo.reserve(orden_.size());
            size_t fin = orden_.size();
            while (fin > 0) {
                size_t inicio = fin - 1;
                const QString& clave = claves_[static_cast<size_t>(orden_[inicio])];
                while (inicio > 0 && claves_[static_cast<size_t>(orden_[inicio - 1])] == clave) --inicio;
                nuevo.insert(nuevo.end(), orden_.begin() + static_cast<std::ptrdiff_t>(inicio),
                             orden_.begin() + static_cast<std::ptrdiff_t>(fin));
                fin = inicio;
            }
            orden_.swap(nuevo);
            return;
        }
        // A stable sort of the rows as shown, with each row's key at hand.
        struct Entrada {
            QStringView clave;
            int fila;
        };
        std::vector<Entrada> entradas;
        entradas.reserve(orden_.size());
        for (int f : orden_) entradas.push_back({claves_[static_cast<size_t>(f)], f});
        if (orden == Qt::AscendingOrder)
            std::stable_sort(entradas.begin(), entradas.end(), [](const Entrada& a, const Entrada& b) { return a.clave.compare(b.clave) < 0; });
        else
            std::stable_sort(entradas.begin(), entradas.end(), [](const Entrada& a, const Entrada& b) { return a.clave.compare(b.clave) > 0; });
        for (size_t i = 0; i < entradas.size(); ++i) orden_[i] = entradas[i].fila;
    });
}

int ModeloComprobantes::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : static_cast<int>(orden_.size());
}

int ModeloComprobantes::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : static_cast<int>(titulos_.size());
}

QVariant ModeloComprobantes::data(const QModelIndex& indice, int rol) const {
    if (!indice.isValid() || indice.row() >= rowCount() || indice.column() >= columnCount()) return {};
    switch (rol) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return Texto(indice.row(), indice.column());
    case Qt::DecorationRole: {
        if (indice.column() != 0) return {};
        const short i = FilaVista(indice.row()).imagen;
        if (i >= 1 && i <= imagenes_.size()) return imagenes_[i - 1];
        return {};
    }
    case RolIndiceImagen:
        return indice.column() == 0 ? QVariant(static_cast<int>(FilaVista(indice.row()).imagen)) : QVariant();
    default:
        return {};
    }
}

QVariant ModeloComprobantes::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (orientacion == Qt::Horizontal && rol == Qt::DisplayRole && seccion >= 0 && seccion < titulos_.size())
        return titulos_[seccion];
    return QAbstractTableModel::headerData(seccion, orientacion, rol);
}

Qt::ItemFlags ModeloComprobantes::flags(const QModelIndex& indice) const {
    // Rows are picked, never edited.
    if (!indice.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

bool ModeloComprobantes::setData(const QModelIndex&, const QVariant&, int) {
    // Editing a row's label is refused.
    return false;
}
