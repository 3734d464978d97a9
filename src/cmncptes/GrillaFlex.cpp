#include "cmncptes/GrillaFlex.h"

#include "session/ErrorEjecucion.h"

#include <QLocale>
#include <algorithm>

namespace {
constexpr int SubindiceFueraDeIntervalo = 381;
} // namespace

GrillaFlex::GrillaFlex(QObject* padre) : QAbstractTableModel(padre) {
    anchos_.fill(AnchoPredeterminado, cols_);
    alineaciones_.fill(General, cols_);
    SetRows(2);
}

void GrillaFlex::Comprueba(int fila, int col) const {
    if (fila < 0 || fila >= Rows() || col < 0 || col >= cols_)
        throw ErrorEjecucion(SubindiceFueraDeIntervalo,
                             QStringLiteral("Subíndice fuera del intervalo (fila %1, columna %2 de una grilla de %3 x %4).")
                                 .arg(fila)
                                 .arg(col)
                                 .arg(Rows())
                                 .arg(cols_));
}

void GrillaFlex::CompruebaCol(int col) const {
    if (col < 0 || col >= cols_)
        throw ErrorEjecucion(SubindiceFueraDeIntervalo,
                             QStringLiteral("Subíndice fuera del intervalo (columna %1 de una grilla de %2 columnas).")
                                 .arg(col)
                                 .arg(cols_));
}

void GrillaFlex::SetRows(int filas) {
    if (filas < 0) filas = 0;
    const int antes = Rows();
    auto agrega = [&] {
        celdas_.resize(filas);
        colores_.resize(filas);
        for (int r = antes; r < filas; ++r) {
            celdas_[r] = QStringList();
            for (int c = 0; c < cols_; ++c) celdas_[r].append(QString());
            colores_[r] = QVector<QColor>(cols_);
        }
    };
    // Lines added below the fixed rows are inserted rows for a view (a
    // voucher's lines come one at a time: a reset for each would lay the
    // whole view out again every line).
    if (filas > antes && antes >= fijas_) {
        beginInsertRows({}, antes - fijas_, filas - fijas_ - 1);
        agrega();
        endInsertRows();
        return;
    }
    beginResetModel();
    agrega();
    if (fijas_ > filas) fijas_ = filas;
    if (fila_ >= filas) fila_ = std::max(0, filas - 1);
    endResetModel();
}

void GrillaFlex::SetCols(int columnas) {
    if (columnas < 0) columnas = 0;
    beginResetModel();
    for (int r = 0; r < Rows(); ++r) {
        while (celdas_[r].size() > columnas) celdas_[r].removeLast();
        while (celdas_[r].size() < columnas) celdas_[r].append(QString());
        colores_[r].resize(columnas);
    }
    const int antes = cols_;
    anchos_.resize(columnas);
    alineaciones_.resize(columnas);
    for (int c = antes; c < columnas; ++c) {
        anchos_[c] = AnchoPredeterminado;
        alineaciones_[c] = General;
    }
    cols_ = columnas;
    if (col_ >= columnas) col_ = std::max(0, columnas - 1);
    endResetModel();
    emit ColumnasCambiadas();
}

void GrillaFlex::SetFixedRows(int filas) {
    if (filas < 0 || filas > Rows())
        throw ErrorEjecucion(SubindiceFueraDeIntervalo, QStringLiteral("Cantidad de filas fijas no válida (%1).").arg(filas));
    beginResetModel();
    fijas_ = filas;
    endResetModel();
}

void GrillaFlex::Clear() {
    beginResetModel();
    for (int r = 0; r < Rows(); ++r) {
        for (QString& t : celdas_[r]) t.clear();
        colores_[r].fill(QColor());
    }
    endResetModel();
}

void GrillaFlex::AddItem(const QString& textoTabulado, int indice) {
    if (indice < 0 || indice > Rows()) indice = Rows();
    QStringList fila = textoTabulado.split(QLatin1Char('\t'));
    while (fila.size() > cols_) fila.removeLast();
    while (fila.size() < cols_) fila.append(QString());
    beginResetModel();
    celdas_.insert(indice, fila);
    colores_.insert(indice, QVector<QColor>(cols_));
    endResetModel();
}

void GrillaFlex::RemoveItem(int fila) {
    Comprueba(fila, 0);
    beginResetModel();
    celdas_.remove(fila);
    colores_.remove(fila);
    if (fijas_ > Rows()) fijas_ = Rows();
    if (fila_ >= Rows()) fila_ = std::max(0, Rows() - 1);
    endResetModel();
}

QString GrillaFlex::TextMatrix(int fila, int col) const {
    Comprueba(fila, col);
    return celdas_[fila][col];
}

void GrillaFlex::SetTextMatrix(int fila, int col, const QString& texto) {
    Comprueba(fila, col);
    celdas_[fila][col] = texto;
    if (fila < fijas_) {
        emit headerDataChanged(Qt::Horizontal, col, col);
    } else {
        const QModelIndex i = index(fila - fijas_, col);
        emit dataChanged(i, i, {Qt::DisplayRole});
    }
}

QColor GrillaFlex::CellBackColor(int fila, int col) const {
    Comprueba(fila, col);
    return colores_[fila][col];
}

void GrillaFlex::SetCellBackColor(int fila, int col, const QColor& color) {
    Comprueba(fila, col);
    colores_[fila][col] = color;
    if (fila >= fijas_) {
        const QModelIndex i = index(fila - fijas_, col);
        emit dataChanged(i, i, {Qt::BackgroundRole});
    }
}

int GrillaFlex::ColWidth(int col) const {
    CompruebaCol(col);
    return anchos_[col];
}

void GrillaFlex::SetColWidth(int col, int twips) {
    CompruebaCol(col);
    anchos_[col] = twips < 0 ? 0 : twips;
    emit AnchoCambiado(col);
}

int GrillaFlex::ColAlignment(int col) const {
    CompruebaCol(col);
    return alineaciones_[col];
}

void GrillaFlex::SetColAlignment(int col, int alineacion) {
    CompruebaCol(col);
    alineaciones_[col] = alineacion;
    if (rowCount() > 0) emit dataChanged(index(0, col), index(rowCount() - 1, col), {Qt::TextAlignmentRole});
}

void GrillaFlex::SetRow(int fila) {
    Comprueba(fila, 0);
    fila_ = fila;
}

void GrillaFlex::SetCol(int col) {
    CompruebaCol(col);
    col_ = col;
}

bool GrillaFlex::EsNumero(const QString& t, double* v) {
    const QString s = t.trimmed();
    if (s.isEmpty()) return false;
    bool ok = false;
    *v = QLocale::c().toDouble(s, &ok);
    if (!ok) *v = QLocale::c().toDouble(QString(s).replace(QLatin1Char(','), QLatin1Char('.')), &ok);
    return ok;
}

void GrillaFlex::Ordena(int col) {
    CompruebaCol(col);
    if (Rows() - fijas_ < 2) return;
    QVector<int> orden;
    for (int r = fijas_; r < Rows(); ++r) orden.append(r);
    std::stable_sort(orden.begin(), orden.end(), [&](int a, int b) {
        const QString& ta = celdas_[a][col];
        const QString& tb = celdas_[b][col];
        double va = 0, vb = 0;
        if (EsNumero(ta, &va) && EsNumero(tb, &vb)) return va < vb;
        return ta.compare(tb, Qt::CaseInsensitive) < 0;
    });
    beginResetModel();
    QVector<QStringList> celdas = celdas_;
    QVector<QVector<QColor>> colores = colores_;
    for (int i = 0; i < orden.size(); ++i) {
        celdas_[fijas_ + i] = celdas[orden[i]];
        colores_[fijas_ + i] = colores[orden[i]];
    }
    endResetModel();
}

int GrillaFlex::rowCount(const QModelIndex& padre) const { return padre.isValid() ? 0 : Rows() - fijas_; }

int GrillaFlex::columnCount(const QModelIndex& padre) const { return padre.isValid() ? 0 : cols_; }

QVariant GrillaFlex::data(const QModelIndex& indice, int rol) const {
    if (!indice.isValid()) return {};
    const int fila = indice.row() + fijas_;
    const int col = indice.column();
    if (fila >= Rows() || col >= cols_) return {};
    switch (rol) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
    case Qt::EditRole:
        return celdas_[fila][col];
    case Qt::BackgroundRole: {
        const QColor& c = colores_[fila][col];
        return c.isValid() ? QVariant(c) : QVariant();
    }
    case Qt::TextAlignmentRole: {
        const int a = alineaciones_[col];
        int h = Qt::AlignLeft;
        int v = Qt::AlignVCenter;
        if (a == General) {
            double n = 0;
            h = EsNumero(celdas_[fila][col], &n) || celdas_[fila][col].contains(QLatin1Char(':')) ? Qt::AlignRight
                                                                                                   : Qt::AlignLeft;
        } else if (a >= 0 && a <= 8) {
            h = a / 3 == 0 ? Qt::AlignLeft : (a / 3 == 1 ? Qt::AlignHCenter : Qt::AlignRight);
            v = a % 3 == 0 ? Qt::AlignTop : (a % 3 == 1 ? Qt::AlignVCenter : Qt::AlignBottom);
        }
        return QVariant::fromValue(Qt::Alignment(h | v));
    }
    default:
        return {};
    }
}

QVariant GrillaFlex::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (orientacion == Qt::Horizontal) {
        if (seccion < 0 || seccion >= cols_) return {};
        if (rol == Qt::DisplayRole) {
            QStringList textos;
            for (int r = 0; r < fijas_; ++r) textos << celdas_[r][seccion];
            return textos.join(QLatin1Char('\n'));
        }
        if (rol == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        return {};
    }
    if (rol == Qt::DisplayRole) return seccion + fijas_;
    return {};
}

Qt::ItemFlags GrillaFlex::flags(const QModelIndex& indice) const {
    if (!indice.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
