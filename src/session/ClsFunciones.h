#pragma once
// General helpers of the runtime library: field values, text fitting,
// conversions, paths, the run-time error report and form presentation.
#include "session/ErrorEjecucion.h"
#include "session/Moneda.h"

#include <QString>
#include <QVariant>

class QWidget;

class ClsFunciones {
public:
    // A field's value for display and comparison: Null as empty text; dates as
    // the short date dd/MM/yyyy (a date with a time keeps it: dd/MM/yyyy HH:mm:ss);
    // Booleans stay Booleans; every other value as it came.
    QVariant ValorCampo(const QVariant& campo) const;
    // Text fitted to a width: cut, or followed by blanks ("FC" -> "FC  ").
    QString RellenaTexto(const QString& texto, int ancho) const;
    // Text with every occurrence of each given find text removed.
    QString ReemplazaTexto(const QString& texto, const QString& buscar1,
                           const QString& buscar2 = {}, const QString& buscar3 = {}) const;
    // Text to currency (leading-number reading; no number gives 0). A number
    // beyond the currency range raises the overflow error (6).
    Moneda TextoAMoneda(const QString& texto) const;
    Moneda TextoAMoneda(const QVariant& valor) const;
    // Text to number (leading-number reading; no number gives 0).
    double TextoANumero(const QString& texto) const;
    double TextoANumero(const QVariant& valor) const;
    // Folder with its closing separator, so a file name can follow.
    QString NormalizaRuta(const QString& carpeta) const;

    // Reports a run-time error (number, description, procedure) in the error
    // dialog; returns 4 retry, 5 next statement, anything else leave. With no
    // person at the screen: "leave", and one line on standard error.
    int InformaError(const ErrorEjecucion& error, const QVariant& omitido, const QString& procedimiento) const;

    // Presentation of forms (defined in the ui library).
    void PreparaFormulario(QWidget* formulario, const QVariant& modo = {}) const;
    void InicioEspera(QWidget* formulario) const;
    void FinEspera(QWidget* formulario) const;
    void AjustaControl(QWidget* control, const QVariant& = {}, const QVariant& = {}) const;
};

ClsFunciones& Funciones();
