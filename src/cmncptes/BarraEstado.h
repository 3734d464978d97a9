#pragma once
// The status bar of the suite's screens: numbered panels (from 1), each a
// label with a key by which code finds it (the "Stock" panel, the detail
// panel ...). The detail services write into it through PanelesEstado.
#include "cmncptes/ControlesDetalle.h"

#include <QList>
#include <QStatusBar>

class QLabel;

class BarraEstado : public QStatusBar, public PanelesEstado {
    Q_OBJECT
public:
    explicit BarraEstado(QWidget* padre = nullptr);

    // Adds a panel at the right end and returns its number. A minimum width
    // in characters of the font (0: as wide as its text); a stretching panel
    // takes the spare room.
    int AgregaPanel(const QString& clave, const QString& texto = {}, int anchoMinimo = 0, bool estira = false);
    // The label of a panel; raises ErrorEjecucion outside 1..CantidadPaneles.
    QLabel* Panel(int numero) const;
    // Number of the first panel with the key (case ignored); 0 when none has it.
    int NumeroPanel(const QString& clave) const;
    void EstableceVisiblePanel(int numero, bool visible);

    int CantidadPaneles() const override { return static_cast<int>(paneles_.size()); }
    QString ClavePanel(int numero) const override;
    QString TextoPanel(int numero) const override;
    void EstableceTextoPanel(int numero, const QString& texto) override;

private:
    QList<QLabel*> paneles_;
};
