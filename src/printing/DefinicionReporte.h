#pragma once
// A report definition of the program's reports/ folder (the format is
// described in reports/README.md): a small INI header naming the data (the
// tables and columns the report reads), the page and the layout file, a
// Mustache template.
#include <QMap>
#include <QMarginsF>
#include <QString>
#include <QStringList>

class DefinicionReporte {
public:
    QString Archivo;                  // the definition file
    QMap<QString, QString> Valores;   // [Reporte] keys, for the layout (reporte.Clave)
    QString Origen;                   // [Datos] Origen: FROM clause (tables and joins)
    QString Campos;                   // [Datos] Campos: select list (columns with their names)
    QStringList Importes;             // [Datos] Importes: columns shown as money
    // [Datos] Totales: columns computed once per voucher (sums over its
    // lines) by SELECT Totales FROM TotalesDe WHERE TotalesDe.K = the row's K
    // for every K of ClaveTotales; every row of that voucher then carries them.
    QString Totales;
    QString TotalesDe;
    QStringList ClaveTotales;
    QString Pagina = QStringLiteral("A4");  // A4, A5, Carta (Letter), Oficio (Legal)
    bool Apaisada = false;            // Orientacion = Horizontal
    QMarginsF MargenesMm{15, 12, 15, 12};  // left, top, right, bottom in millimetres
    QString Plantilla;                // the layout's text

    // Reads a definition and its layout. False with the reason in `error`.
    static bool Carga(const QString& ruta, DefinicionReporte& d, QString& error);

    // The tables of Origen (the first one and every one after a JOIN).
    QStringList Tablas() const;

    // The definition file a report name stands for, looked up in each folder
    // in turn; "" when none. In order: the name as given (with ".rpt" added
    // when it has no extension), the name without blanks, then by type: the
    // type code and letter taken from a name of the form "TC-L" or, when the
    // name carries none, from the selection formula ({...TC} = '...' and the
    // 13th character of {...IDCOMPROBANTE} = '...'), as "TC-L.rpt", then "TC.rpt".
    static QString Resuelve(const QStringList& carpetas, const QString& nombre, const QString& seleccion);
};
