#include "session/SqlLiteral.h"

#include "session/ErrorEjecucion.h"

#include <QDate>
#include <QDateTime>

#include <cmath>

namespace SqlLiteral {

namespace {
// Where a UTF-16 text holds a surrogate without its partner; -1 when none.
// The embedded engine reads a statement as UTF-16 and pairs a high surrogate
// with whatever unit follows it, so a lone one before an apostrophe would
// swallow the apostrophe that closes a literal.
qsizetype SustitutoSuelto(QStringView v) {
    for (qsizetype i = 0; i < v.size(); ++i) {
        const QChar c = v[i];
        if (c.isHighSurrogate()) {
            if (i + 1 < v.size() && v[i + 1].isLowSurrogate()) { ++i; continue; }
            return i;
        }
        if (c.isLowSurrogate()) return i;
    }
    return -1;
}
} // namespace

bool EsUtf16Valido(QStringView valor) { return SustitutoSuelto(valor) < 0; }

QString Texto(const QString& valor) {
    // Most values hold nothing to rewrite (no NUL, surrogate, U+FFFE/U+FFFF
    // or apostrophe): they are quoted as they are, in one pass.
    bool tal = true;
    for (const QChar c : valor) {
        const char16_t u = c.unicode();
        if (u == 0 || u == u'\'' || (u >= 0xD800 && u <= 0xDFFF) || u >= 0xFFFE) {
            tal = false;
            break;
        }
    }
    if (tal) return QLatin1Char('\'') + valor + QLatin1Char('\'');
    QString v = valor;
    v.remove(QChar(0));
    // A lone surrogate is not a character: it is written as the replacement
    // character U+FFFD, so the engine reads the literal exactly as built.
    for (qsizetype i = SustitutoSuelto(v); i >= 0;) {
        v[i] = QChar(QChar::ReplacementCharacter);
        const qsizetype resto = SustitutoSuelto(QStringView(v).mid(i + 1));
        i = resto < 0 ? -1 : i + 1 + resto;
    }
    // The engine reads U+FFFE and U+FFFF back as U+FFFD: written so at once.
    v.replace(QChar(0xFFFE), QChar(QChar::ReplacementCharacter));
    v.replace(QChar(0xFFFF), QChar(QChar::ReplacementCharacter));
    v.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + v + QLatin1Char('\'');
}

QString Texto(const QVariant& valor) {
    if (valor.metaType().id() == QMetaType::QDate)
        return Texto(valor.toDate().toString(QStringLiteral("yyyy-MM-dd")));
    if (valor.metaType().id() == QMetaType::QDateTime)
        return Texto(valor.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    return Texto(valor.isNull() ? QString() : valor.toString());
}

bool EsNumero(const QString& valor) {
    // Blanks around, an optional sign, digits with an optional "." (at least
    // one digit on some side), and an optional exponent. Scanned by hand: it
    // runs for every value of every statement written.
    const qsizetype n = valor.size();
    qsizetype i = 0;
    auto digito = [&](qsizetype k) { return k < n && valor.at(k) >= QLatin1Char('0') && valor.at(k) <= QLatin1Char('9'); };
    while (i < n && valor.at(i).isSpace()) ++i;
    if (i < n && (valor.at(i) == QLatin1Char('+') || valor.at(i) == QLatin1Char('-'))) ++i;
    qsizetype cifras = 0;
    while (digito(i)) { ++i; ++cifras; }
    if (i < n && valor.at(i) == QLatin1Char('.')) {
        ++i;
        while (digito(i)) { ++i; ++cifras; }
    }
    if (cifras == 0) return false;
    if (i < n && (valor.at(i) == QLatin1Char('e') || valor.at(i) == QLatin1Char('E'))) {
        ++i;
        if (i < n && (valor.at(i) == QLatin1Char('+') || valor.at(i) == QLatin1Char('-'))) ++i;
        if (!digito(i)) return false;
        while (digito(i)) ++i;
    }
    while (i < n && valor.at(i).isSpace()) ++i;
    return i == n;
}

QString Numero(const QString& valor) {
    QString v = valor.trimmed();
    // A decimal comma of the regional settings is accepted and written as ".".
    if (!v.contains(QLatin1Char('.')) && v.count(QLatin1Char(',')) == 1) v.replace(QLatin1Char(','), QLatin1Char('.'));
    if (!EsNumero(v))
        throw ErrorEjecucion(ErrorEjecucion::TipoNoCoincide,
                             QStringLiteral("El valor \"%1\" no es un número; la sentencia no se envía.")
                                 .arg(valor.left(60)));
    if (v.startsWith(QLatin1Char('+'))) v.remove(0, 1);
    return v;
}

QString Numero(const QVariant& valor) {
    switch (valor.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return QString::number(valor.toLongLong());
    case QMetaType::Bool:
        return valor.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Double:
    case QMetaType::Float:
        // NaN and infinity would be written as the bare words nan and inf.
        if (!std::isfinite(valor.toDouble()))
            throw ErrorEjecucion(ErrorEjecucion::TipoNoCoincide,
                                 QStringLiteral("El valor no es un número finito; la sentencia no se envía."));
        return QString::number(valor.toDouble(), 'g', 15);
    default:
        return Numero(valor.isNull() ? QString() : valor.toString());
    }
}

QString Numero(Moneda valor) { return valor.TextoSql(); }

bool EsTextoSql(const QString& valor) {
    const QString v = valor.trimmed();
    if (v.size() < 2 || !v.startsWith(QLatin1Char('\'')) || !v.endsWith(QLatin1Char('\''))) return false;
    const QStringView dentro = QStringView(v).mid(1, v.size() - 2);
    for (qsizetype i = 0; i < dentro.size(); ++i) {
        if (dentro[i] == QLatin1Char('\'')) {
            if (i + 1 < dentro.size() && dentro[i + 1] == QLatin1Char('\'')) ++i;
            else return false;
        }
    }
    return !v.contains(QChar(0)) && EsUtf16Valido(v);
}

QString Literal(const QVariant& valor, const QString& delimitador) {
    if (delimitador == QLatin1String("'")) return Texto(valor);
    if (delimitador == QLatin1String("@")) return Numero(valor);
    if (delimitador.isEmpty()) {
        const QString v = valor.isNull() ? QString() : valor.toString().trimmed();
        if (v.compare(QLatin1String("NULL"), Qt::CaseInsensitive) == 0) return QStringLiteral("NULL");
        if (EsTextoSql(v)) return v;
        return Numero(valor);
    }
    throw ErrorEjecucion(ErrorEjecucion::LlamadaNoValida,
                         QStringLiteral("Delimitador de valor SQL no válido: \"%1\".").arg(delimitador));
}

} // namespace SqlLiteral
