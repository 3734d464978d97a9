#pragma once
// The real-charges view of one customer: the finished work orders with what
// each charged and what its recorded work cost, the real-charge entries and
// the balance, in date order. Opened modally by
// ClsCmnCptes::ControlDeCargosReales; its load runs the session start-up, so
// it works on its own session when another program opens it and on the open
// one inside the inquiry screen.
#include <QColor>
#include <QDialog>
#include <QString>

class GrillaFlex;
class QLabel;
class QPushButton;
class VistaGrilla;

class FrmCtrlCargosReales : public QDialog {
    Q_OBJECT
public:
    explicit FrmCtrlCargosReales(QWidget* padre = nullptr);

    QString Cliente;    // the customer account shown
    QString Matricula;  // kept for the caller; not used by the view

    GrillaFlex* MSFlexGrid1 = nullptr;
    VistaGrilla* Vista = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;

    void Form_Load();
    void InicializaGrid();
    void CargarDatos();
    void PintarFila(GrillaFlex* grilla, int fila, const QColor& color);
    void Form_Resize();
    // Statements the last CargarDatos opened.
    int Sentencias() const { return sentencias_; }

protected:
    void resizeEvent(QResizeEvent* evento) override;

private:
    int sentencias_ = 0;
};
