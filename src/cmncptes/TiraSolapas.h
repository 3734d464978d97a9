#pragma once
// The tab strip of a screen's detail grids as the detail services see it:
// which tabs are visible and their captions, read from a QTabBar (or the bar
// of a QTabWidget). It does not own the bar.
#include "cmncptes/ControlesDetalle.h"

#include <QPointer>

class QTabBar;
class QTabWidget;

class TiraSolapas : public SolapasDetalle {
public:
    explicit TiraSolapas(QTabBar* barra);
    explicit TiraSolapas(QTabWidget* solapas);

    int CantidadSolapas() const override;
    // Both raise ErrorEjecucion for a tab that does not exist (or no bar).
    bool SolapaVisible(int indice) const override;
    QString TituloSolapa(int indice) const override;

private:
    QTabBar* Barra(int indice) const;
    QPointer<QTabBar> barra_;
};
