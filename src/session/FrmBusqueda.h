#pragma once
// The lookup window of ClsBusqueda: a filter box over a list of rows. Typing
// narrows the list (typing in the list goes on in the filter box); the arrow
// keys move through it, Enter (or a double click, or Aceptar) picks the
// current row, Escape (or Cancelar) closes it without a choice.
#include <QDialog>
#include <QString>
#include <QStringList>
#include <QVector>
#include <vector>

class ModeloBusqueda;
class QLineEdit;
class QPushButton;
class QTreeView;

class FrmBusqueda : public QDialog {
public:
    explicit FrmBusqueda(QWidget* padre = nullptr);

    void Carga(const QStringList& titulos, std::vector<QVector<QString>>&& filas);
    // The stored row picked (-1 when none was).
    int FilaElegida() const { return filaElegida_; }
    ModeloBusqueda* Modelo() const { return modelo_; }

    QLineEdit* TxtFiltro = nullptr;
    QTreeView* LstResultados = nullptr;
    QPushButton* CmdAceptar = nullptr;
    QPushButton* CmdCancelar = nullptr;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void Elige();
    void AplicaFiltro(const QString& texto);

    ModeloBusqueda* modelo_ = nullptr;
    int filaElegida_ = -1;
};
