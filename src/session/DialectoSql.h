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
//   - text comparisons need nothing: the schema's text columns ignore case
//     and trailing blanks themselves.
// Any other ODBC server takes the statements as they are.
#include <QString>
#include <QByteArrayView>

namespace DialectoSql {
enum class Motor { Sqlite, Odbc, Postgres };
inline constexpr const char* Colacion = "CI_TRIM";

QString Adapta(const QString& sentencia, Motor motor);

// The CI_TRIM comparison: letter case and trailing blanks ignored.
int ComparaTexto(QStringView a, QStringView b);

// Registers CI_TRIM on an open SQLite connection handle (sqlite3*).
bool RegistraColacion(void* manejadorSqlite);
} // namespace DialectoSql
