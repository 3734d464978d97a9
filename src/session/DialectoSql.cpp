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

// CI_TRIM in the database's own encoding (UTF-8), so the engine converts no
// text to compare. Texts of ASCII letters only, the codes and keys of the
// suite, are compared on their bytes; any other text exactly as ComparaTexto
// compares it, so the order of every index is the same either way.
int ColacionCiTrim(void*, int n1, const void* p1, int n2, const void* p2) {
    const auto* a = static_cast<const unsigned char*>(p1);
    const auto* b = static_cast<const unsigned char*>(p2);
    while (n1 > 0 && a[n1 - 1] == ' ') --n1;
    while (n2 > 0 && b[n2 - 1] == ' ') --n2;
    const int n = n1 < n2 ? n1 : n2;
    for (int i = 0; i < n; ++i) {
        unsigned char x = a[i], y = b[i];
        if ((x | y) & 0x80) {
            return ComparaTexto(QString::fromUtf8(reinterpret_cast<const char*>(a), n1),
                                QString::fromUtf8(reinterpret_cast<const char*>(b), n2));
        }
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
        if (x != y) return x < y ? -1 : 1;
    }
    // One text is a prefix of the other: a non-ASCII rest still decides by
    // length, as it does in ComparaTexto.
    return n1 == n2 ? 0 : (n1 < n2 ? -1 : 1);
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
    return sqlite3_create_collation_v2(db, Colacion, SQLITE_UTF8, nullptr, &ColacionCiTrim, nullptr) ==
           SQLITE_OK;
}

QString Adapta(const QString& sentencia, Motor motor) {
    if (motor == Motor::Odbc) return sentencia;
    const bool pg = motor == Motor::Postgres;
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
            const QStringView literal = QStringView(s).mid(i, j - i + 1);
            if (!pg) {
                out += literal;
                out += colacion;
            } else if (literal.contains(QLatin1Char('\\'))) {
                if (!out.isEmpty() && EsLetraIdent(out.back())) out += QLatin1Char(' ');
                out += QLatin1Char('E');
                for (QChar x : literal) {
                    out += x;
                    if (x == QLatin1Char('\\')) out += x;
                }
            } else {
                out += literal;
            }
            i = j + 1;
            if (i < s.size() && (EsLetraIdent(s[i]) || s[i] == QLatin1Char('\''))) out += QLatin1Char(' ');
            primeraPalabra = false;
            continue;
        }
        if (c == QLatin1Char('[') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            const QChar cierre = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            qsizetype j = s.indexOf(cierre, i + 1);
            if (j < 0) j = s.size() - 1;
            if (pg && c == QLatin1Char('[') && s[j] == QLatin1Char(']') && j > i + 1 &&
                !QStringView(s).mid(i + 1, j - i - 1).contains(QLatin1Char('"'))) {
                out += QLatin1Char('"');
                out += QStringView(s).mid(i + 1, j - i - 1);
                out += QLatin1Char('"');
            } else {
                out += QStringView(s).mid(i, j - i + 1);
            }
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
