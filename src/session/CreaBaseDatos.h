#pragma once
// Builds an embedded database file from the schema and a data file of the
// same SQL (the demo data, or any file a user names). The file is built under
// a temporary name and put in place only when every statement ran, so a data
// file with an error leaves no half-made database behind.
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

// Runs the statements of an SQL text on an open SQLite handle (sqlite3*),
// statement by statement; on an error reports the line where it starts.
Resultado EjecutaScript(void* manejador, const QString& texto, const QString& nombreArchivo);
} // namespace CreaBaseDatos
