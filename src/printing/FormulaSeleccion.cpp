#include "printing/FormulaSeleccion.h"

#include "session/SqlLiteral.h"

namespace {

bool EsNombre(const QString& s) {
    if (s.isEmpty()) return false;
    if (!(s.at(0).isLetter() || s.at(0) == QLatin1Char('_'))) return false;
    for (QChar c : s)
        if (!(c.isLetterOrNumber() || c == QLatin1Char('_')) || c.unicode() > 127) return false;
    return true;
}

// Words the embedded engine never takes as a column name after "Tabla.", even
// though they are names a table could be given elsewhere; a field spelled so
// is refused instead of becoming a statement that does not parse.
bool EsPalabraReservada(const QString& s) {
    static const QStringList palabras{
        QStringLiteral("ADD"), QStringLiteral("ALL"), QStringLiteral("ALTER"), QStringLiteral("AND"),
        QStringLiteral("AS"), QStringLiteral("AUTOINCREMENT"), QStringLiteral("BETWEEN"), QStringLiteral("CASE"),
        QStringLiteral("CHECK"), QStringLiteral("COLLATE"), QStringLiteral("COMMIT"), QStringLiteral("CONSTRAINT"),
        QStringLiteral("CREATE"), QStringLiteral("DEFAULT"), QStringLiteral("DEFERRABLE"), QStringLiteral("DELETE"),
        QStringLiteral("DISTINCT"), QStringLiteral("DROP"), QStringLiteral("ELSE"), QStringLiteral("ESCAPE"),
        QStringLiteral("EXCEPT"), QStringLiteral("EXISTS"), QStringLiteral("FOREIGN"), QStringLiteral("FROM"),
        QStringLiteral("GROUP"), QStringLiteral("HAVING"), QStringLiteral("IN"), QStringLiteral("INDEX"),
        QStringLiteral("INSERT"), QStringLiteral("INTERSECT"), QStringLiteral("INTO"), QStringLiteral("IS"),
        QStringLiteral("ISNULL"), QStringLiteral("JOIN"), QStringLiteral("LIMIT"), QStringLiteral("NOT"),
        QStringLiteral("NOTHING"), QStringLiteral("NOTNULL"), QStringLiteral("NULL"), QStringLiteral("ON"),
        QStringLiteral("OR"), QStringLiteral("ORDER"), QStringLiteral("PRIMARY"), QStringLiteral("REFERENCES"),
        QStringLiteral("RETURNING"), QStringLiteral("SELECT"), QStringLiteral("SET"), QStringLiteral("TABLE"),
        QStringLiteral("THEN"), QStringLiteral("TO"), QStringLiteral("TRANSACTION"), QStringLiteral("UNION"),
        QStringLiteral("UNIQUE"), QStringLiteral("UPDATE"), QStringLiteral("USING"), QStringLiteral("VALUES"),
        QStringLiteral("WHEN"), QStringLiteral("WHERE")};
    return palabras.contains(s, Qt::CaseInsensitive);
}

struct ErrorFormula {
    QString texto;
};

class Lector {
public:
    Lector(const QString& f, const QStringList& tablas) : f_(f), tablas_(tablas) {}

    QString Todo() {
        Blancos();
        if (Fin()) return {};
        QString r = O();
        Blancos();
        if (!Fin()) Falla(QStringLiteral("sobra texto desde \"%1\"").arg(f_.mid(p_, 20)));
        return r;
    }

    // "{T.C}" at the current position, checked against the report's tables.
    QString Campo() {
        if (!Toma(QLatin1Char('{'))) Falla(QStringLiteral("se esperaba un campo {Tabla.Columna}"));
        const qsizetype cierre = f_.indexOf(QLatin1Char('}'), p_);
        if (cierre < 0) Falla(QStringLiteral("falta la llave de cierre de un campo"));
        const QString nombre = f_.mid(p_, cierre - p_).trimmed();
        p_ = cierre + 1;
        const QStringList partes = nombre.split(QLatin1Char('.'));
        if (partes.size() != 2 || !EsNombre(partes.at(0).trimmed()) || !EsNombre(partes.at(1).trimmed()))
            Falla(QStringLiteral("el campo {%1} no es Tabla.Columna").arg(nombre));
        const QString tabla = partes.at(0).trimmed();
        const QString columna = partes.at(1).trimmed();
        if (EsPalabraReservada(columna))
            Falla(QStringLiteral("el campo {%1} usa la palabra reservada %2 como columna").arg(nombre, columna));
        bool conocida = false;
        for (const QString& t : tablas_)
            if (t.compare(tabla, Qt::CaseInsensitive) == 0) conocida = true;
        if (!conocida) Falla(QStringLiteral("el reporte no lee la tabla %1").arg(tabla));
        return tabla + QLatin1Char('.') + columna;
    }

    void Blancos() {
        while (!Fin() && f_.at(p_).isSpace()) ++p_;
    }
    bool Fin() const { return p_ >= f_.size(); }
    [[noreturn]] void Falla(const QString& t) const { throw ErrorFormula{t}; }
    bool Toma(QChar c) {
        Blancos();
        if (!Fin() && f_.at(p_) == c) {
            ++p_;
            return true;
        }
        return false;
    }

private:
    bool Palabra(const char* palabra) {
        Blancos();
        const QLatin1String w(palabra);
        if (f_.mid(p_, w.size()).compare(w, Qt::CaseInsensitive) != 0) return false;
        const qsizetype fin = p_ + w.size();
        if (fin < f_.size() && (f_.at(fin).isLetterOrNumber() || f_.at(fin) == QLatin1Char('_'))) return false;
        p_ = fin;
        return true;
    }
    QString O() {
        QString r = Y();
        while (Palabra("OR")) r = QLatin1Char('(') + r + QStringLiteral(" OR ") + Y() + QLatin1Char(')');
        return r;
    }
    QString Y() {
        QString r = No();
        while (Palabra("AND")) r = r + QStringLiteral(" AND ") + No();
        return r;
    }
    QString No() {
        if (Palabra("NOT")) {
            const Nivel nivel(*this);
            return QStringLiteral("NOT (") + No() + QLatin1Char(')');
        }
        Blancos();
        if (Toma(QLatin1Char('('))) {
            const Nivel nivel(*this);
            const QString r = O();
            if (!Toma(QLatin1Char(')'))) Falla(QStringLiteral("falta un paréntesis de cierre"));
            return QLatin1Char('(') + r + QLatin1Char(')');
        }
        const QString a = Operando();
        Blancos();
        QString op;
        if (f_.mid(p_, 2) == QLatin1String("<>")) {
            op = QStringLiteral("<>");
            p_ += 2;
        } else if (!Fin() && f_.at(p_) == QLatin1Char('=')) {
            op = QStringLiteral("=");
            ++p_;
        } else {
            Falla(QStringLiteral("se esperaba = o <> después de %1").arg(a));
        }
        const QString b = Operando();
        return a + QLatin1Char(' ') + op + QLatin1Char(' ') + b;
    }
    QString Operando() {
        Blancos();
        if (Fin()) Falla(QStringLiteral("la fórmula termina antes de tiempo"));
        const QChar c = f_.at(p_);
        if (c == QLatin1Char('{')) return Campo();
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            ++p_;
            QString v;
            for (;;) {
                if (Fin()) Falla(QStringLiteral("falta cerrar un texto entre comillas"));
                const QChar d = f_.at(p_++);
                if (d == c) {
                    if (!Fin() && f_.at(p_) == c) {
                        v += c;
                        ++p_;
                        continue;
                    }
                    break;
                }
                v += d;
            }
            return SqlLiteral::Texto(v);
        }
        if (c.isDigit() || c == QLatin1Char('-')) {
            qsizetype q = p_ + 1;
            while (q < f_.size() && (f_.at(q).isDigit() || f_.at(q) == QLatin1Char('.'))) ++q;
            const QString n = f_.mid(p_, q - p_);
            if (!SqlLiteral::EsNumero(n)) Falla(QStringLiteral("%1 no es un número").arg(n));
            p_ = q;
            return SqlLiteral::Numero(n);
        }
        Falla(QStringLiteral("no se entiende \"%1\"").arg(f_.mid(p_, 20)));
    }

    // One level of NOT or parentheses; beyond the deepest allowed the formula
    // is refused (the reading is recursive: no formula may exhaust the stack).
    class Nivel {
    public:
        explicit Nivel(Lector& l) : l_(l) {
            if (++l_.nivel_ > FormulaSeleccion::AnidamientoMaximo)
                l_.Falla(QStringLiteral("anida más de %1 niveles de NOT o paréntesis").arg(FormulaSeleccion::AnidamientoMaximo));
        }
        ~Nivel() { --l_.nivel_; }
        Nivel(const Nivel&) = delete;
        Nivel& operator=(const Nivel&) = delete;

    private:
        Lector& l_;
    };

    const QString& f_;
    const QStringList& tablas_;
    qsizetype p_ = 0;
    int nivel_ = 0;
};

} // namespace

FormulaSeleccion::Resultado FormulaSeleccion::Condicion(const QString& formula, const QStringList& tablas) {
    Resultado r;
    try {
        Lector l(formula, tablas);
        r.sql = l.Todo();
    } catch (const ErrorFormula& e) {
        r.valida = false;
        r.error = QStringLiteral("La fórmula de selección del reporte no es válida: %1.").arg(e.texto);
    }
    return r;
}

FormulaSeleccion::Resultado FormulaSeleccion::Orden(const QStringList& campos, const QStringList& tablas) {
    Resultado r;
    QStringList partes;
    for (const QString& entrada : campos) {
        const QString e = entrada.trimmed();
        if (e.isEmpty()) continue;
        try {
            const QChar signo = e.at(0);
            if (signo != QLatin1Char('+') && signo != QLatin1Char('-'))
                throw ErrorFormula{QStringLiteral("\"%1\" no empieza con + o -").arg(e)};
            const QString resto = e.mid(1).trimmed();
            Lector l(resto, tablas);
            const QString campo = l.Campo();
            l.Blancos();
            if (!l.Fin()) throw ErrorFormula{QStringLiteral("sobra texto en \"%1\"").arg(e)};
            partes << campo + (signo == QLatin1Char('+') ? QStringLiteral(" ASC") : QStringLiteral(" DESC"));
        } catch (const ErrorFormula& er) {
            r.valida = false;
            r.error = QStringLiteral("El orden del reporte no es válido: %1.").arg(er.texto);
            return r;
        }
    }
    r.sql = partes.join(QStringLiteral(", "));
    return r;
}

bool FormulaSeleccion::SeparaFormula(const QString& entrada, QString& nombre, QString& valor) {
    const qsizetype igual = entrada.indexOf(QLatin1Char('='));
    if (igual < 0) return false;
    nombre = entrada.left(igual).trimmed();
    if (nombre.isEmpty()) return false;
    const qsizetype primera = entrada.indexOf(QLatin1Char('\''), igual + 1);
    const qsizetype ultima = entrada.lastIndexOf(QLatin1Char('\''));
    if (primera >= 0 && ultima > primera)
        valor = entrada.mid(primera + 1, ultima - primera - 1);
    else
        valor = entrada.mid(igual + 1).trimmed();
    return true;
}

QString FormulaSeleccion::TextoFormula(const QString& valor) {
    QString v = valor;
    v.replace(QLatin1Char('\''), QStringLiteral("''"));
    return v;
}
