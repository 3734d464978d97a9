#include "session/PlantillaInsert.h"

#include "session/SqlLiteral.h"

namespace PlantillaInsert {
namespace {

struct Lector {
    const QString& s;
    qsizetype i = 0;

    void Blancos() {
        while (i < s.size() && s.at(i).isSpace()) ++i;
    }
    bool Palabra(QLatin1String p) {
        Blancos();
        if (s.size() - i < p.size() || QStringView(s).mid(i, p.size()).compare(p, Qt::CaseInsensitive) != 0) return false;
        const qsizetype fin = i + p.size();
        if (fin < s.size() && (s.at(fin).isLetterOrNumber() || s.at(fin) == QLatin1Char('_'))) return false;
        i = fin;
        return true;
    }
    bool Caracter(QChar c) {
        Blancos();
        if (i >= s.size() || s.at(i) != c) return false;
        ++i;
        return true;
    }
    static bool LetraIdent(QChar c) {
        return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
               (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('_');
    }
    // A plain or bracketed name.
    bool Nombre(QString& nombre) {
        Blancos();
        const qsizetype inicio = i;
        if (i < s.size() && s.at(i) == QLatin1Char('[')) {
            const qsizetype cierre = s.indexOf(QLatin1Char(']'), i + 1);
            if (cierre < 0) return false;
            i = cierre + 1;
        } else {
            if (i >= s.size() || !LetraIdent(s.at(i)) || s.at(i).isDigit()) return false;
            while (i < s.size() && LetraIdent(s.at(i))) ++i;
        }
        nombre = s.mid(inicio, i - inicio);
        return true;
    }
    // NULL, a number or a quoted text.
    bool Literal(QVariant& valor) {
        Blancos();
        if (i >= s.size()) return false;
        if (s.at(i) == QLatin1Char('\'')) {
            // An empty literal is an empty text, never NULL: the text is
            // allocated before anything is added to it.
            QString texto;
            texto.reserve(16);
            // Copied a run at a time, up to each apostrophe.
            qsizetype j = i + 1;
            for (;;) {
                const qsizetype comilla = s.indexOf(QLatin1Char('\''), j);
                if (comilla < 0) return false;
                texto += QStringView(s).mid(j, comilla - j);
                if (comilla + 1 < s.size() && s.at(comilla + 1) == QLatin1Char('\'')) {
                    texto += QLatin1Char('\'');
                    j = comilla + 2;
                    continue;
                }
                j = comilla;
                break;
            }
            i = j + 1;
            valor = texto;
            return true;
        }
        qsizetype j = i;
        while (j < s.size() && s.at(j) != QLatin1Char(',') && s.at(j) != QLatin1Char(')') && !s.at(j).isSpace()) ++j;
        const QString token = s.mid(i, j - i);
        if (token.compare(QLatin1String("NULL"), Qt::CaseInsensitive) == 0) {
            valor = QVariant();
        } else if (SqlLiteral::EsNumero(token)) {
            bool entero = false;
            const qlonglong n = token.toLongLong(&entero);
            if (entero) valor = n;
            else valor = token.toDouble();
        } else {
            return false;
        }
        i = j;
        return true;
    }
};

} // namespace

bool Separa(const QString& sentencia, QString& plantilla, QVariantList& valores) {
    Lector l{sentencia};
    QString tabla;
    if (!l.Palabra(QLatin1String("INSERT")) || !l.Palabra(QLatin1String("INTO")) || !l.Nombre(tabla)) return false;
    if (!l.Caracter(QLatin1Char('('))) return false;
    QStringList columnas;
    do {
        QString c;
        if (!l.Nombre(c)) return false;
        columnas << c;
    } while (l.Caracter(QLatin1Char(',')));
    if (!l.Caracter(QLatin1Char(')')) || !l.Palabra(QLatin1String("VALUES")) || !l.Caracter(QLatin1Char('('))) return false;
    QVariantList v;
    do {
        QVariant x;
        if (!l.Literal(x)) return false;
        v << x;
    } while (l.Caracter(QLatin1Char(',')));
    if (!l.Caracter(QLatin1Char(')'))) return false;
    l.Blancos();
    if (l.i != sentencia.size() || v.size() != columnas.size()) return false;
    QString marcas = QStringLiteral("?");
    for (qsizetype k = 1; k < v.size(); ++k) marcas += QStringLiteral(",?");
    plantilla = QStringLiteral("INSERT INTO ") + tabla + QStringLiteral(" (") + columnas.join(QLatin1Char(',')) +
                QStringLiteral(") VALUES (") + marcas + QLatin1Char(')');
    valores = v;
    return true;
}

} // namespace PlantillaInsert
