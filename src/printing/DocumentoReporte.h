#pragma once
// The data and the text of one report run: the definition's query over its
// tables with the selection formula and the sort fields, and its layout filled
// with the rows and the formula values (an HTML text a QTextDocument shows).
#include "printing/DefinicionReporte.h"

#include <QString>
#include <QStringList>

class DocumentoReporte {
public:
    struct Resultado {
        bool ok = false;
        QString mensaje;  // why nothing could be made (a refused formula, a bad layout)
        QString sentencia;  // the statement that was run
        QString html;
        int filas = 0;    // rows the query gave
        QString identificacion;  // the voucher as "FC-0001-00000025-A" (or the definition's name)
    };

    // Database errors are raised (ErrorEjecucion) for the caller's trap.
    static Resultado Arma(const DefinicionReporte& definicion, const QStringList& formulas, const QStringList& orden,
                          const QString& seleccion);
};
