#pragma once
// The writers of the program (stock posting, print staging, the action log)
// send one "INSERT INTO T (c1, c2, ...) VALUES (literal, literal, ...)" per
// row. On the embedded database the connection turns such a statement into
// its template with "?" for each literal and the literals' values, so the
// engine compiles the template once and runs it for every row. Only a
// statement of exactly that shape, whose values are all NULL, numbers or
// quoted texts, is turned; anything else runs as written.
#include <QString>
#include <QVariantList>

namespace PlantillaInsert {
// True when `sentencia` has that shape; then `plantilla` holds the template
// and `valores` the values in order (NULL as a null value, a whole number as
// a 64-bit integer, any other number as a double, a text unescaped).
bool Separa(const QString& sentencia, QString& plantilla, QVariantList& valores);
} // namespace PlantillaInsert
