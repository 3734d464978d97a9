#pragma once
// The summary of the voucher shown in the inquiry screen: one line per
// detail tab (services with their hours, articles with their quantity and a
// line per article, other concepts) in a grid, and the item counts. The form
// fills it (TotalizadorControl, CuentaItems) and opens it modally.
#include <QDialog>

class GrillaFlex;
class QLabel;
class QPushButton;
class VistaGrilla;

class FrmResumenCpte : public QDialog {
    Q_OBJECT
public:
    explicit FrmResumenCpte(QWidget* padre = nullptr);

    GrillaFlex* MSFlexGrid4 = nullptr;  // description, item count, quantity
    VistaGrilla* Vista = nullptr;
    QLabel* lblItems = nullptr;
    QPushButton* CmdCerrar = nullptr;

    // Fits the window to the grid's visible columns and lines.
    void AjustaTamano();
};
