#include "cmncptes/BarraEstado.h"

#include "session/ErrorEjecucion.h"

#include <QLabel>

namespace {
constexpr int IndiceFueraDeLimites = 35600;
} // namespace

BarraEstado::BarraEstado(QWidget* padre) : QStatusBar(padre) { setSizeGripEnabled(true); }

int BarraEstado::AgregaPanel(const QString& clave, const QString& texto, int anchoMinimo, bool estira) {
    auto* l = new QLabel(texto, this);
    l->setObjectName(QStringLiteral("Panel%1").arg(paneles_.size() + 1));
    l->setProperty("Key", clave);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setContentsMargins(4, 0, 4, 0);
    l->setTextFormat(Qt::PlainText);
    if (anchoMinimo > 0) l->setMinimumWidth(l->fontMetrics().averageCharWidth() * anchoMinimo + 12);
    addPermanentWidget(l, estira ? 1 : 0);
    paneles_.append(l);
    return static_cast<int>(paneles_.size());
}

QLabel* BarraEstado::Panel(int numero) const {
    if (numero < 1 || numero > paneles_.size())
        throw ErrorEjecucion(IndiceFueraDeLimites, QStringLiteral("Índice fuera de los límites (panel %1 de %2).")
                                                       .arg(numero)
                                                       .arg(paneles_.size()));
    return paneles_[numero - 1];
}

int BarraEstado::NumeroPanel(const QString& clave) const {
    for (int i = 0; i < paneles_.size(); ++i)
        if (paneles_[i]->property("Key").toString().compare(clave, Qt::CaseInsensitive) == 0) return i + 1;
    return 0;
}

void BarraEstado::EstableceVisiblePanel(int numero, bool visible) { Panel(numero)->setVisible(visible); }

QString BarraEstado::ClavePanel(int numero) const { return Panel(numero)->property("Key").toString(); }

QString BarraEstado::TextoPanel(int numero) const { return Panel(numero)->text(); }

void BarraEstado::EstableceTextoPanel(int numero, const QString& texto) { Panel(numero)->setText(texto); }
