#include "session/DialectoSql.h"

#include <sqlite3.h>

namespace DialectoSql {
namespace {

bool EsLetraIdent(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

// Ends of the word at i (letters, digits, "_").
qsizetype FinPalabra(const QString& s, qsizetype i) {
    while (i < s.size() && EsLetraIdent(s[i])) ++i;
    return i;
}

qsizetype SaltaBlancos(const QString& s, qsizetype i) {
    while (i < s.size() && s[i].isSpace()) ++i;
    return i;
}

int ColacionCiTrim(void*, int n1, const void* p1, int n2, const void* p2) {
    const QStringView a(static_cast<const QChar*>(p1), n1 / 2);
    const QStringView b(static_cast<const QChar*>(p2), n2 / 2);
    return ComparaTexto(a, b);
}

} // namespace

int ComparaTexto(QStringView a, QStringView b) {
    while (!a.isEmpty() && a.back() == QLatin1Char(' ')) a.chop(1);
    while (!b.isEmpty() && b.back() == QLatin1Char(' ')) b.chop(1);
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool RegistraColacion(void* manejador) {
    auto* db = static_cast<sqlite3*>(manejador);
    if (!db) return false;
    return sqlite3_create_collation_v2(db, Colacion, SQLITE_UTF16, nullptr, &ColacionCiTrim, nullptr) ==
           SQLITE_OK;
}

QString Adapta(const QString& sentencia, Motor motor) {
    if (motor != Motor::Sqlite) return sentencia;
    const QString& s = sentencia;
    QString out;
    out.reserve(s.size() + 64);
    const QString colacion = QStringLiteral(" COLLATE ") + QLatin1String(Colacion);
    qsizetype i = 0;
    bool primeraPalabra = true;
    while (i < s.size()) {
        const QChar c = s[i];
        if (c == QLatin1Char('\'')) {
            // A text literal: copied whole (doubled apostrophes stay inside it),
            // then given the comparison of the suite's database.
            qsizetype j = i + 1;
            for (;;) {
                if (j >= s.size()) break;
                if (s[j] == QLatin1Char('\'')) {
                    if (j + 1 < s.size() && s[j + 1] == QLatin1Char('\'')) { j += 2; continue; }
                    break;
                }
                ++j;
            }
            if (j >= s.size()) {  // unterminated: leave it to the engine to refuse
                out += QStringView(s).mid(i);
                break;
            }
            out += QStringView(s).mid(i, j - i + 1);
            out += colacion;
            i = j + 1;
            if (i < s.size() && (EsLetraIdent(s[i]) || s[i] == QLatin1Char('\''))) out += QLatin1Char(' ');
            primeraPalabra = false;
            continue;
        }
        if (c == QLatin1Char('[') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            const QChar cierre = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            qsizetype j = s.indexOf(cierre, i + 1);
            if (j < 0) j = s.size() - 1;
            out += QStringView(s).mid(i, j - i + 1);
            i = j + 1;
            primeraPalabra = false;
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < s.size() && s[i + 1] == QLatin1Char('*')) {
            // A block comment is copied whole: an apostrophe in it starts no literal.
            qsizetype j = s.indexOf(QLatin1String("*/"), i + 2);
            j = j < 0 ? s.size() : j + 2;
            out += QStringView(s).mid(i, j - i);
            i = j;
            continue;
        }
        if (c == QLatin1Char('-') && i + 1 < s.size() && s[i + 1] == QLatin1Char('-')) {
            qsizetype j = s.indexOf(QLatin1Char('\n'), i);
            if (j < 0) j = s.size();
            out += QStringView(s).mid(i, j - i);
            i = j;
            continue;
        }
        if (EsLetraIdent(c)) {
            const qsizetype fin = FinPalabra(s, i);
            const QStringView palabra = QStringView(s).mid(i, fin - i);
            out += palabra;
            if (primeraPalabra && palabra.compare(QLatin1String("DELETE"), Qt::CaseInsensitive) == 0) {
                // "DELETE table" of the server's dialect: FROM is added.
                const qsizetype k = SaltaBlancos(s, fin);
                const qsizetype finSig = FinPalabra(s, k);
                const QStringView siguiente = QStringView(s).mid(k, finSig - k);
                if (k < s.size() && siguiente.compare(QLatin1String("FROM"), Qt::CaseInsensitive) != 0)
                    out += QLatin1String(" FROM");
            }
            primeraPalabra = false;
            i = fin;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

} // namespace DialectoSql
