#pragma once
// The record-selection formula and the sort fields a report is run with, read
// by a small grammar and turned into an SQL condition whose every value goes
// through SqlLiteral. Nothing of the formula is ever copied into a statement
// as it stands:
//
//   formula    := o
//   o          := y { OR y }
//   y          := no { AND no }
//   no         := NOT no | "(" o ")" | operando ( "=" | "<>" ) operando
//   operando   := campo | texto | numero
//   campo      := "{" Tabla "." Columna "}"      (names: letters, digits, "_")
//   texto      := "'" ... "'" (an apostrophe inside written twice) | '"' ... '"'
//   numero     := [-] digits [ "." digits ]
//
// NOT and parentheses nest at most AnidamientoMaximo levels deep; a deeper
// formula is refused. Keywords ignore letter case. A sort field is "+{Tabla.Columna}" (ascending)
// or "-{Tabla.Columna}" (descending); empty entries are skipped. The tables
// named must be among those the report reads.
#include <QString>
#include <QStringList>

class FormulaSeleccion {
public:
    struct Resultado {
        bool valida = true;
        QString sql;      // condition / ORDER BY list ("" for an empty formula)
        QString error;    // why the formula was refused
    };

    static constexpr int AnidamientoMaximo = 64;

    static Resultado Condicion(const QString& formula, const QStringList& tablas);
    static Resultado Orden(const QStringList& campos, const QStringList& tablas);

    // One formula value entry "Nombre = 'valor'": the name is the text before
    // the first "=", trimmed; the value the text between the first apostrophe
    // after the "=" and the last apostrophe (so a value may hold apostrophes:
    // "NombreEmpresa = 'O'HIGGINS SRL'" gives O'HIGGINS SRL). Without
    // apostrophes the value is the trimmed text after the "=". False for an
    // empty entry or one without "=" or name.
    static bool SeparaFormula(const QString& entrada, QString& nombre, QString& valor);

    // A text fit to stand between the apostrophes of a formula: each apostrophe
    // written twice.
    static QString TextoFormula(const QString& valor);
};
