#pragma once
// The stock of one article, read only: one row per deposit, lot, serial and
// storage position with its quantity, and the article's total. Opened from
// the inquiry screen's articles grid on the current line's article.
#include "cmncptes/ClsCmnCptes.h"

#include <QDialog>
#include <QString>

class GrillaFlex;
class QLabel;
class QPushButton;
class Trampa;
class VistaGrilla;

class FrmStockArticulo : public QDialog {
    Q_OBJECT
public:
    explicit FrmStockArticulo(QWidget* padre = nullptr);

    QString Articulo;  // set before loading

    GrillaFlex* MSFlexGrid1 = nullptr;
    VistaGrilla* Vista = nullptr;  // object name "MSFlexGrid1"
    QLabel* lblArticulo = nullptr;
    QLabel* lblTotal = nullptr;
    QPushButton* CmdCerrar = nullptr;
    double Total = 0;  // the article's stock (ObtieneStock)

    // Reads the article and its stock; false when the article is not in the
    // master (nothing to show). Failing statements go through the caller's trap.
    bool CargaDatos(Trampa& t);

private:
    ClsCmnCptes CmnCptes;
};
