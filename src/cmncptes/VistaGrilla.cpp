#include "cmncptes/VistaGrilla.h"

#include "cmncptes/GrillaFlex.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMap>
#include <cmath>

VistaGrilla::VistaGrilla(QWidget* padre) : QTableView(padre) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setAlternatingRowColors(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setStretchLastSection(false);
}

void VistaGrilla::EstableceGrilla(GrillaFlex* grilla) {
    if (grilla_) disconnect(grilla_, nullptr, this, nullptr);
    grilla_ = grilla;
    setModel(grilla);
    if (!grilla) return;
    connect(grilla, &GrillaFlex::AnchoCambiado, this, &VistaGrilla::AplicaAncho);
    connect(grilla, &GrillaFlex::ColumnasCambiadas, this, &VistaGrilla::AplicaAnchos);
    connect(grilla, &QAbstractItemModel::modelReset, this, &VistaGrilla::AplicaAnchos);
    // The grid's current cell follows the view's (rows counted from the header row).
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& actual) {
        if (!grilla_ || !actual.isValid() || actual.model() != grilla_) return;
        grilla_->SetRow(actual.row() + grilla_->FixedRows());
        grilla_->SetCol(actual.column());
    });
    AplicaAnchos();
}

int VistaGrilla::TwipsAPixeles(int twips, int dpi) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / 1440.0));
}

int VistaGrilla::PixelesATwips(int pixeles, int dpi) {
    return dpi > 0 ? static_cast<int>(std::lround(static_cast<double>(pixeles) * 1440.0 / dpi)) : 0;
}

int VistaGrilla::AnchoTextoTwips(const QWidget* obj, const QString& texto) {
    if (!obj) return 0;
    const QFontMetrics fm(obj->font());
    return PixelesATwips(fm.horizontalAdvance(texto), obj->logicalDpiX());
}

void VistaGrilla::AplicaAncho(int col) {
    if (!grilla_ || col < 0 || col >= grilla_->Cols()) return;
    const int twips = grilla_->ColWidth(col);
    if (twips <= 0) {
        setColumnHidden(col, true);
        return;
    }
    setColumnHidden(col, false);
    setColumnWidth(col, TwipsAPixeles(twips, logicalDpiX()));
}

void VistaGrilla::AplicaAnchos() {
    if (!grilla_) return;
    for (int c = 0; c < grilla_->Cols(); ++c) AplicaAncho(c);
}

QString VistaGrilla::TextoSeleccion() const {
    if (!selectionModel()) return {};
    // selectedIndexes() leaves hidden columns out.
    QMap<int, QMap<int, QString>> celdas;
    int colMin = -1, colMax = -1;
    for (const QModelIndex& i : selectedIndexes()) {
        if (isColumnHidden(i.column())) continue;
        celdas[i.row()][i.column()] = i.data(Qt::DisplayRole).toString();
        if (colMin < 0 || i.column() < colMin) colMin = i.column();
        if (i.column() > colMax) colMax = i.column();
    }
    QStringList lineas;
    for (auto f = celdas.cbegin(); f != celdas.cend(); ++f) {
        QStringList fila;
        for (int c = colMin; c <= colMax; ++c) {
            if (isColumnHidden(c)) continue;
            QString t = f.value().value(c);
            t.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
            fila << t;
        }
        lineas << fila.join(QLatin1Char('\t'));
    }
    return lineas.join(QLatin1Char('\n'));
}

void VistaGrilla::CopiaSeleccion() const {
    const QString texto = TextoSeleccion();
    if (!texto.isEmpty()) QApplication::clipboard()->setText(texto);
}

void VistaGrilla::keyPressEvent(QKeyEvent* evento) {
    if (evento == QKeySequence::Copy) {
        CopiaSeleccion();
        evento->accept();
        return;
    }
    QTableView::keyPressEvent(evento);
}
