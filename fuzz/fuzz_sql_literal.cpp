// The one literal function with the engine adaptation: the statement built
// from any value is one statement, and its literal reads back as the value
// (NUL characters dropped; lone surrogates, U+FFFE and U+FFFF as U+FFFD). A
// value taken as a number is one too; an INSERT the writers send splits into
// its template and the same values.
#include "Comun.h"
#include "Sqlite.h"
#include "session/ErrorEjecucion.h"
#include "session/PlantillaInsert.h"
#include "session/SqlLiteral.h"

namespace {

// NUL characters are dropped first (a high and a low surrogate that only NULs
// parted make a pair), then what is not a character becomes U+FFFD.
QString Esperado(QString v) {
    v.remove(QChar(0));
    QString e;
    e.reserve(v.size());
    for (qsizetype i = 0; i < v.size(); ++i) {
        const QChar c = v[i];
        if (c.isHighSurrogate() && i + 1 < v.size() && v[i + 1].isLowSurrogate()) {
            e.append(c).append(v[++i]);
        } else if (c.isSurrogate() || c.unicode() == 0xFFFE || c.unicode() == 0xFFFF) {
            e.append(QChar(QChar::ReplacementCharacter));
        } else {
            e.append(c);
        }
    }
    return e;
}

QString Lee(const QString& sentencia, const QString& valor) {
    Fuzz::Preparada p;
    Fuzz::Prepara(sentencia, p);
    if (!p.st || p.cola) Fuzz::Falla(p.cola ? "mas de una sentencia" : "no se prepara", sentencia + " / " + p.error + " / " + valor);
    if (sqlite3_column_count(p.st) != 1) Fuzz::Falla("columnas", sentencia);
    if (sqlite3_step(p.st) != SQLITE_ROW) Fuzz::Falla("sin fila", sentencia);
    const auto* t = static_cast<const char16_t*>(sqlite3_column_text16(p.st, 0));
    return QString(reinterpret_cast<const QChar*>(t), sqlite3_column_bytes16(p.st, 0) / 2);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const QString valor = Fuzz::Texto(datos, largo);
    const auto motor = DialectoSql::Motor::Sqlite;

    // A text literal.
    const QString texto = SqlLiteral::Texto(valor);
    if (!SqlLiteral::EsTextoSql(texto)) Fuzz::Falla("Texto no es un literal", valor);
    const QString leido = Lee(DialectoSql::Adapta(QStringLiteral("SELECT ") + texto, motor), valor);
    if (leido != Esperado(valor)) Fuzz::Falla("el literal no se lee como el valor", valor + " -> " + leido);

    // A number, when it is one.
    try {
        const QString n = SqlLiteral::Numero(valor);
        if (!SqlLiteral::EsNumero(n)) Fuzz::Falla("Numero no es un numero", n);
        Lee(DialectoSql::Adapta(QStringLiteral("SELECT ") + n, motor), valor);
    } catch (const ErrorEjecucion&) {
        // Not a number: refused before any statement.
    }

    // A value that claims to be a literal already.
    try {
        const QString l = SqlLiteral::Literal(valor, QString());
        if (l != QLatin1String("NULL")) Lee(DialectoSql::Adapta(QStringLiteral("SELECT ") + l, motor), valor);
    } catch (const ErrorEjecucion&) {
    }

    // A row of a writer: the template and the values come back as written.
    const QString insert = QStringLiteral("INSERT INTO T (A, B) VALUES (") + texto + QStringLiteral(", 1)");
    QString plantilla;
    QVariantList valores;
    if (!PlantillaInsert::Separa(insert, plantilla, valores)) Fuzz::Falla("INSERT sin plantilla", insert);
    if (valores.size() != 2 || valores[0].toString() != Esperado(valor).remove(QChar(0)))
        Fuzz::Falla("valores de la plantilla", valores.value(0).toString());
    // Any text as a statement: split or left alone, never a fault.
    PlantillaInsert::Separa(valor, plantilla, valores);
    (void)DialectoSql::Adapta(valor, motor);
    return 0;
}
