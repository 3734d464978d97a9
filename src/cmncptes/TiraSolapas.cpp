#include "cmncptes/TiraSolapas.h"

#include "session/ErrorEjecucion.h"

#include <QTabBar>
#include <QTabWidget>

namespace {
constexpr int SubindiceFueraDeIntervalo = 381;
} // namespace

TiraSolapas::TiraSolapas(QTabBar* barra) : barra_(barra) {}

TiraSolapas::TiraSolapas(QTabWidget* solapas) : barra_(solapas ? solapas->tabBar() : nullptr) {}

int TiraSolapas::CantidadSolapas() const { return barra_ ? barra_->count() : 0; }

QTabBar* TiraSolapas::Barra(int indice) const {
    if (!barra_ || indice < 0 || indice >= barra_->count())
        throw ErrorEjecucion(SubindiceFueraDeIntervalo,
                             QStringLiteral("Subíndice fuera del intervalo (solapa %1 de %2).").arg(indice).arg(CantidadSolapas()));
    return barra_;
}

bool TiraSolapas::SolapaVisible(int indice) const { return Barra(indice)->isTabVisible(indice); }

QString TiraSolapas::TituloSolapa(int indice) const { return Barra(indice)->tabText(indice); }
