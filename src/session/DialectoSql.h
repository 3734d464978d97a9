#pragma once
// Engine adaptation of the statements. The program's statements are written as
// the suite's server database takes them; on the embedded SQLite database the
// connection layer adapts each statement here, and nowhere else:
//   - text comparisons ignore letter case and trailing blanks, also where a
//     statement compares an expression such as LTRIM(RTRIM(CLAVE)) with a
//     literal: every text literal is given the CI_TRIM collation;
//   - "DELETE table WHERE ..." (FROM omitted) becomes "DELETE FROM table ...".
// Bracketed names such as [NUMERO ASIENTO] are SQLite syntax as they stand.
// On PostgreSQL (reached through ODBC; the schema is db/postgres/schema.sql):
//   - "DELETE table WHERE ..." becomes "DELETE FROM table ...";
//   - a bracketed name [NUMERO ASIENTO] becomes the quoted "NUMERO ASIENTO";
//   - a text literal holding a backslash is written E'...' with the backslash
//     doubled, so it reads the same whether the server's
//     standard_conforming_strings is on or off;
//   - text comparisons: the schema's text columns ignore case and trailing
//     blanks themselves; a literal compared (=, <>, <, >) after WHERE, ON or
//     HAVING loses its trailing blanks, so a comparison with an expression of
//     type text (LTRIM(RTRIM(CLAVE)) = 'x  ') ignores them as well.
// Any other ODBC server takes the statements as they are.
#include <QString>
#include <QByteArrayView>

namespace DialectoSql {
enum class Motor { Sqlite, Odbc, Postgres };
inline constexpr const char* Colacion = "CI_TRIM";

QString Adapta(const QString& sentencia, Motor motor);

// PostgreSQL folds unquoted names to lower case: a result column comes back
// as "nombre" where the embedded database says "Nombre". The name is given the
// spelling the embedded database would report: the one in the statement's
// select list (a column named or an alias), else the one the server schema
// declares for a table or view the statement reads, else any it declares. A
// name with a capital letter (quoted in the schema) is kept as it is.
QString GrafiaColumna(const QString& nombre, const QString& sentencia);
// The text of db/postgres/schema.sql, built into the library.
QString TextoEsquemaPostgres();

// The CI_TRIM comparison: letter case and trailing blanks ignored.
int ComparaTexto(QStringView a, QStringView b);

// Registers CI_TRIM on an open SQLite connection handle (sqlite3*).
bool RegistraColacion(void* manejadorSqlite);
} // namespace DialectoSql
