#pragma once
// The vouchers tied to the one on the inquiry screen: the voucher it was
// generated from and the vouchers generated from it, with the total of the
// generated ones. Enter (or a double click) on a row chooses that voucher,
// which the inquiry screen then shows.
#include <QDialog>
#include <QString>

class GrillaFlex;
class QLabel;
class QPushButton;
class VistaGrilla;

class FrmCptesRelacionados : public QDialog {
    Q_OBJECT
public:
    explicit FrmCptesRelacionados(QWidget* padre = nullptr);

    // Reads the relations of TC/SucNroLetra/IdComplemento (errors reach the caller).
    void Carga(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento);
    // Whether choosing a row is offered (the screen is not locked on one voucher).
    void PermiteElegir(bool permite);

    GrillaFlex* Grilla = nullptr;
    VistaGrilla* Vista = nullptr;
    QLabel* LblComprobante = nullptr;
    QLabel* LblTotal = nullptr;
    QPushButton* CmdAceptar = nullptr;

    // The chosen voucher ("" when none was chosen).
    QString TCElegido, IdElegido, ComplementoElegido;

private:
    void Elige(int filaModelo);
    bool permiteElegir_ = true;
};
