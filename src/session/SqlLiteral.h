#pragma once
// The one way a value enters a statement of this program.
//   Texto(v):  a quoted text literal; apostrophes inside are doubled, NUL
//              characters dropped and lone UTF-16 surrogates written as
//              U+FFFD, so a value can never end the literal (U+FFFE and
//              U+FFFF too: the engine reads them back as U+FFFD).
//   Numero(v): a value the statements write bare (a complement, a month, an
//              amount): it must read as a number, or an ErrorEjecucion is
//              raised and the statement is never sent.
//   Literal(v, delimitador): the suite's FormateaValorSql: "'" -> Texto,
//              "@" -> Numero (a decimal number written with "."), "" -> a value
//              that is already an SQL literal (NULL, a number or a quoted text
//              whose inner apostrophes are doubled); anything else is refused.
#include "session/Moneda.h"
#include <QString>
#include <QVariant>

namespace SqlLiteral {
QString Texto(const QString& valor);
QString Texto(const QVariant& valor);
QString Numero(const QString& valor);
QString Numero(const QVariant& valor);
QString Numero(Moneda valor);
QString Literal(const QVariant& valor, const QString& delimitador);
// True when the text is a number as Numero accepts it.
bool EsNumero(const QString& valor);
// True when the text is exactly one well-formed quoted SQL text literal, read
// as the engine reads it: a text holding a lone surrogate is never one.
bool EsTextoSql(const QString& valor);
// True when the text holds no lone UTF-16 surrogate.
bool EsUtf16Valido(QStringView valor);
} // namespace SqlLiteral
