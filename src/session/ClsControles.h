#pragma once
// Keyboard and control helpers of the suite's forms.
#include <QList>
#include <QString>

class QLineEdit;
class QWidget;

class ClsControles {
public:
    // Index of the element whose data field (property "DataField") is the
    // given name, any letter case; -1 when none.
    int IndiceControl(const QString& nombreCampo, const QList<QLineEdit*>& controles) const;
    // Keys that confirm a field and move on: Enter (both keys) and Tab.
    bool EsTeclaAvance(int codigoTecla) const;
    // Moves the focus to the next control in tab order (backwards for Backtab).
    void PasaAlSiguiente(int codigoTecla) const;
    // Filters a typed character for a text box: returns the character to
    // insert, or 0 to drop it. A box whose data field is a quantity
    // ("Cantidad") takes digits, sign and decimal separator only.
    int FiltraTecla(QLineEdit* caja, int caracter) const;
};

ClsControles& Controles();
