#include "session/FrmBusqueda.h"

#include "session/ModeloBusqueda.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

FrmBusqueda::FrmBusqueda(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("FrmBusqueda"));
    setWindowTitle(QStringLiteral("Taleruna - Búsqueda"));

    modelo_ = new ModeloBusqueda(this);

    auto* etiqueta = new QLabel(QStringLiteral("&Buscar:"), this);
    TxtFiltro = new QLineEdit(this);
    TxtFiltro->setObjectName(QStringLiteral("TxtFiltro"));
    TxtFiltro->setClearButtonEnabled(true);
    etiqueta->setBuddy(TxtFiltro);

    LstResultados = new QTreeView(this);
    LstResultados->setObjectName(QStringLiteral("LstResultados"));
    LstResultados->setRootIsDecorated(false);
    LstResultados->setItemsExpandable(false);
    LstResultados->setUniformRowHeights(true);
    LstResultados->setAllColumnsShowFocus(true);
    LstResultados->setSelectionBehavior(QAbstractItemView::SelectRows);
    LstResultados->setSelectionMode(QAbstractItemView::SingleSelection);
    LstResultados->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LstResultados->setModel(modelo_);

    CmdAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    CmdAceptar->setObjectName(QStringLiteral("CmdAceptar"));
    CmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    CmdCancelar->setObjectName(QStringLiteral("CmdCancelar"));
    CmdAceptar->setAutoDefault(false);
    CmdCancelar->setAutoDefault(false);

    auto* filtro = new QHBoxLayout;
    filtro->addWidget(etiqueta);
    filtro->addWidget(TxtFiltro);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(CmdAceptar);
    botones->addWidget(CmdCancelar);
    auto* principal = new QVBoxLayout(this);
    principal->addLayout(filtro);
    principal->addWidget(LstResultados);
    principal->addLayout(botones);

    TxtFiltro->installEventFilter(this);
    LstResultados->installEventFilter(this);
    connect(TxtFiltro, &QLineEdit::textChanged, this, [this](const QString& t) { AplicaFiltro(t); });
    connect(CmdAceptar, &QPushButton::clicked, this, [this] { Elige(); });
    connect(CmdCancelar, &QPushButton::clicked, this, [this] { reject(); });
    connect(LstResultados, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) {
        if (i.isValid()) Elige();
    });
    resize(640, 420);
    TxtFiltro->setFocus();
}

void FrmBusqueda::Carga(const QStringList& titulos, std::vector<QVector<QString>>&& filas) {
    modelo_->Carga(titulos, std::move(filas));
    for (int c = 0; c < titulos.size(); ++c) LstResultados->resizeColumnToContents(c);
    if (modelo_->rowCount() > 0) LstResultados->setCurrentIndex(modelo_->index(0, 0));
}

void FrmBusqueda::AplicaFiltro(const QString& texto) {
    const int anterior = modelo_->FilaOriginal(LstResultados->currentIndex().row());
    modelo_->Filtra(texto);
    // The current row stays where it was when it still passes, else the first row.
    int fila = modelo_->rowCount() > 0 ? 0 : -1;
    for (int i = 0; anterior >= 0 && i < modelo_->rowCount(); ++i)
        if (modelo_->FilaOriginal(i) == anterior) {
            fila = i;
            break;
        }
    if (fila >= 0) LstResultados->setCurrentIndex(modelo_->index(fila, 0));
}

void FrmBusqueda::Elige() {
    const QModelIndex actual = LstResultados->currentIndex();
    // With no row (an empty list, or nothing passes the filter) the window
    // closes without a choice.
    filaElegida_ = actual.isValid() ? modelo_->FilaOriginal(actual.row()) : -1;
    accept();
}

bool FrmBusqueda::eventFilter(QObject* objeto, QEvent* evento) {
    if ((objeto == TxtFiltro || objeto == LstResultados) && evento->type() == QEvent::KeyPress) {
        auto* tecla = static_cast<QKeyEvent*>(evento);
        switch (tecla->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Elige();
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            if (objeto == TxtFiltro) {
                // The arrows move through the list while the filter keeps the focus.
                QKeyEvent copia(tecla->type(), tecla->key(), tecla->modifiers(), tecla->text());
                QApplication::sendEvent(LstResultados, &copia);
                return true;
            }
            break;
        default:
            break;
        }
        // Typing in the list goes on in the filter box.
        const bool escritura = tecla->key() == Qt::Key_Backspace ||
                               (!tecla->text().isEmpty() && tecla->text().at(0).isPrint() &&
                                !(tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)));
        if (objeto == LstResultados && escritura) {
            TxtFiltro->setFocus();
            QKeyEvent copia(tecla->type(), tecla->key(), tecla->modifiers(), tecla->text());
            QApplication::sendEvent(TxtFiltro, &copia);
            return true;
        }
    }
    return QDialog::eventFilter(objeto, evento);
}
