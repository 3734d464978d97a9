#pragma once
// The report runner: runs a report definition of the program's reports/
// folder with formula values, a record-selection formula and sort fields, to
// the screen (a print preview), a printer or e-mail (a PDF handed to the
// mail program).
#include <QString>
#include <QStringList>

class ClsReporte {
public:
    // The program's folder, set at start-up; definitions are looked up in its reports/ folder.
    QString CarpetaAplicacion;
};

ClsReporte& Reporte();
