#pragma once
// Builds an embedded database file from the schema and a data file of the
// same SQL (the demo data, or any file a user names). The file is built under
// a temporary name and put in place only when every statement ran, so a data
// file with an error leaves no half-made database behind.
#include <QList>
#include <QString>

namespace CreaBaseDatos {
struct Resultado {
    bool ok = false;
    QString error;  // "archivo:línea: texto del error" when it failed
};

// The schema and demo data shipped with the program (db/ of the sources, or
// beside the executable when installed).
QString EsquemaPorDefecto();
QString DatosDemo();

// Creates `destino` from `esquema` and then `datos` (empty: schema only).
// An existing `destino` is refused unless `sobrescribir`.
Resultado Crea(const QString& destino, const QString& esquema, const QString& datos, bool sobrescribir);

// The schema of a PostgreSQL server (db/postgres/schema.sql).
QString EsquemaPostgres();

// Creates the schema `esquema` (in PostgreSQL's own dialect) and loads `datos`
// (the same data file as the embedded database, each statement adapted as the
// program's own statements are; empty: schema only) in the database `base` of
// the ODBC data source `dsn` (empty `base`: the data source's own). A
// database that already holds the program's tables is refused unless
// `sobrescribir`, which first drops everything in its schema "public".
// Everything runs in one transaction: an error leaves the database as it was.
Resultado CreaEnServidor(const QString& dsn, const QString& base, const QString& usuario, const QString& clave,
                         const QString& esquema, const QString& datos, bool sobrescribir);

// The statements of an SQL text with the line each starts on: split at ";"
// outside quotes, comments and dollar-quoted bodies.
struct Sentencia {
    QString texto;
    int linea = 1;
};
QList<Sentencia> Divide(const QString& texto);

// Runs the statements of an SQL text on an open SQLite handle (sqlite3*),
// statement by statement; on an error reports the line where it starts.
Resultado EjecutaScript(void* manejador, const QString& texto, const QString& nombreArchivo);
} // namespace CreaBaseDatos
