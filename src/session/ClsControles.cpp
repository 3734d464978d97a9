#include "session/ClsControles.h"

#include "session/Instancia.h"

#include <QApplication>
#include <QLineEdit>
#include <QVariant>
#include <QWidget>

int ClsControles::IndiceControl(const QString& nombreCampo, const QList<QLineEdit*>& controles) const {
    for (int i = 0; i < controles.size(); ++i)
        if (controles[i] &&
            controles[i]->property("DataField").toString().trimmed().compare(nombreCampo.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool ClsControles::EsTeclaAvance(int codigoTecla) const {
    return codigoTecla == Qt::Key_Return || codigoTecla == Qt::Key_Enter || codigoTecla == Qt::Key_Tab ||
           codigoTecla == 13 || codigoTecla == 9;
}

void ClsControles::PasaAlSiguiente(int codigoTecla) const {
    QWidget* actual = QApplication::focusWidget();
    if (!actual) return;
    QWidget* siguiente = actual;
    const bool atras = codigoTecla == Qt::Key_Backtab;
    // Skip controls that cannot take the focus (hidden or disabled ones).
    for (int i = 0; i < 256; ++i) {
        siguiente = atras ? siguiente->previousInFocusChain() : siguiente->nextInFocusChain();
        if (!siguiente || siguiente == actual) return;
        if (siguiente->isVisible() && siguiente->isEnabled() && (siguiente->focusPolicy() & Qt::TabFocus) &&
            siguiente->window() == actual->window()) {
            siguiente->setFocus(atras ? Qt::BacktabFocusReason : Qt::TabFocusReason);
            return;
        }
    }
}

int ClsControles::FiltraTecla(QLineEdit* caja, int caracter) const {
    if (!caja || caracter < 32) return caracter;
    if (caja->property("DataField").toString().compare(QLatin1String("Cantidad"), Qt::CaseInsensitive) == 0) {
        const QChar c(caracter);
        if (c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('.') || c == QLatin1Char(',')) return caracter;
        return 0;
    }
    return caracter;
}

ClsControles& Controles() { return InstanciaUnica<ClsControles>::Obtiene(); }
