#pragma once
// The action log of the voucher on the inquiry screen: who created,
// modified or deleted it, when and from which workstation, newest first.
#include <QDialog>
#include <QString>

class GrillaFlex;
class QLabel;
class QPushButton;
class VistaGrilla;

class FrmHistorialCpte : public QDialog {
    Q_OBJECT
public:
    explicit FrmHistorialCpte(QWidget* padre = nullptr);

    // Reads the log of TC/SucNroLetra/IdComplemento (errors reach the caller).
    void Carga(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento);

    GrillaFlex* Grilla = nullptr;
    VistaGrilla* Vista = nullptr;
    QLabel* LblComprobante = nullptr;
    QLabel* LblVacio = nullptr;
    QPushButton* CmdAceptar = nullptr;
};
