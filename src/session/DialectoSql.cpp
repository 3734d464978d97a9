#include "session/DialectoSql.h"

#include <QHash>

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

// The words of a statement outside literals, quoted names and comments, with
// the depth of parentheses each stands at ("*" counts as a word).
struct Palabra {
    QStringView texto;
    int nivel;
};

QList<Palabra> Palabras(const QString& s) {
    QList<Palabra> r;
    int nivel = 0;
    qsizetype i = 0;
    while (i < s.size()) {
        const QChar c = s[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('[') || c == QLatin1Char('`')) {
            const QChar cierre = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            qsizetype j = s.indexOf(cierre, i + 1);
            i = j < 0 ? s.size() : j + 1;
        } else if (c == QLatin1Char('-') && i + 1 < s.size() && s[i + 1] == QLatin1Char('-')) {
            const qsizetype j = s.indexOf(QLatin1Char('\n'), i);
            i = j < 0 ? s.size() : j;
        } else if (c == QLatin1Char('/') && i + 1 < s.size() && s[i + 1] == QLatin1Char('*')) {
            const qsizetype j = s.indexOf(QLatin1String("*/"), i + 2);
            i = j < 0 ? s.size() : j + 2;
        } else if (c == QLatin1Char('(')) {
            ++nivel;
            ++i;
        } else if (c == QLatin1Char(')')) {
            --nivel;
            ++i;
        } else if (c == QLatin1Char('*')) {
            r.append({QStringView(s).mid(i, 1), nivel});
            ++i;
        } else if (EsLetraIdent(c)) {
            const qsizetype fin = FinPalabra(s, i);
            r.append({QStringView(s).mid(i, fin - i), nivel});
            i = fin;
        } else {
            ++i;
        }
    }
    return r;
}

bool Es(QStringView palabra, const char* clave) { return palabra.compare(QLatin1String(clave), Qt::CaseInsensitive) == 0; }

// The spellings the server schema declares: per table or view (its columns,
// or every name its body uses) and over the whole schema (table columns).
struct Grafias {
    QHash<QString, QHash<QString, QString>> porObjeto;
    QHash<QString, QString> todas;
};

const Grafias& GrafiasEsquema() {
    static const Grafias g = [] {
        Grafias r;
        const QString texto = TextoEsquemaPostgres();
        const QList<Palabra> ps = Palabras(texto);
        for (qsizetype k = 0; k + 2 < ps.size(); ++k) {
            if (!Es(ps[k].texto, "CREATE")) continue;
            const bool tabla = Es(ps[k + 1].texto, "TABLE");
            if (!tabla && !Es(ps[k + 1].texto, "VIEW")) continue;
            QHash<QString, QString>& objeto = r.porObjeto[ps[k + 2].texto.toString().toLower()];
            const int nivel = ps[k + 2].nivel;
            bool inicioDeLinea = true;
            for (qsizetype m = k + 3; m < ps.size() && !Es(ps[m].texto, "CREATE"); ++m) {
                const QString w = ps[m].texto.toString();
                if (tabla) {
                    // A column's definition starts its line inside the table's parentheses.
                    const qsizetype pos = ps[m].texto.data() - texto.constData();
                    qsizetype a = pos - 1;
                    while (a >= 0 && (texto[a] == QLatin1Char(' ') || texto[a] == QLatin1Char('\t'))) --a;
                    inicioDeLinea = a < 0 || texto[a] == QLatin1Char('\n') || texto[a] == QLatin1Char('(') ||
                                    texto[a] == QLatin1Char(',');
                    if (ps[m].nivel != nivel + 1 || !inicioDeLinea || Es(ps[m].texto, "UNIQUE") ||
                        Es(ps[m].texto, "PRIMARY") || Es(ps[m].texto, "CONSTRAINT") || Es(ps[m].texto, "FOREIGN") ||
                        Es(ps[m].texto, "CHECK"))
                        continue;
                    r.todas.insert(w.toLower(), w);  // the last table's spelling wins over the ones before
                }
                if (!objeto.contains(w.toLower())) objeto.insert(w.toLower(), w);
            }
        }
        return r;
    }();
    return g;
}

} // namespace

QString GrafiaColumna(const QString& nombre, const QString& sentencia) {
    for (QChar c : nombre)
        if (c.isUpper()) return nombre;
    const QString clave = nombre.toLower();
    const QList<Palabra> ps = Palabras(sentencia);
    // The select list: the words after the first SELECT up to its FROM.
    qsizetype k = 0;
    while (k < ps.size() && !Es(ps[k].texto, "SELECT")) ++k;
    if (k < ps.size()) {
        const int nivel = ps[k].nivel;
        QString hallada;
        for (qsizetype m = k + 1; m < ps.size(); ++m) {
            if (ps[m].nivel == nivel && Es(ps[m].texto, "FROM")) break;
            if (ps[m].texto.compare(clave, Qt::CaseInsensitive) == 0) hallada = ps[m].texto.toString();
        }
        if (!hallada.isEmpty()) return hallada;
    }
    const Grafias& g = GrafiasEsquema();
    for (qsizetype m = 0; m + 1 < ps.size(); ++m) {
        if (!Es(ps[m].texto, "FROM") && !Es(ps[m].texto, "JOIN")) continue;
        const auto objeto = g.porObjeto.constFind(ps[m + 1].texto.toString().toLower());
        if (objeto == g.porObjeto.cend()) continue;
        const auto it = objeto->constFind(clave);
        if (it != objeto->cend()) return *it;
    }
    return g.todas.value(clave, nombre);
}

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
    bool enCondicion = false;  // past a WHERE, ON or HAVING
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
            QStringView literal = QStringView(s).mid(i, j - i + 1);
            QString recortado;
            if (pg && enCondicion) {
                // A literal compared in a condition loses its trailing blanks: the
                // server's text columns ignore them already, and an expression
                // such as LTRIM(RTRIM(CLAVE)) (of type text) then ignores them too.
                qsizetype a = out.size() - 1;
                while (a >= 0 && out[a].isSpace()) --a;
                if (a >= 0 && (out[a] == QLatin1Char('=') || out[a] == QLatin1Char('<') || out[a] == QLatin1Char('>'))) {
                    qsizetype fin = literal.size() - 1;  // the closing apostrophe
                    while (fin > 1 && literal[fin - 1] == QLatin1Char(' ')) --fin;
                    if (fin < literal.size() - 1) {
                        recortado = literal.left(fin).toString() + QLatin1Char('\'');
                        literal = recortado;
                    }
                }
            }
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
            if (palabra.compare(QLatin1String("WHERE"), Qt::CaseInsensitive) == 0 ||
                palabra.compare(QLatin1String("ON"), Qt::CaseInsensitive) == 0 ||
                palabra.compare(QLatin1String("HAVING"), Qt::CaseInsensitive) == 0)
                enCondicion = true;
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
