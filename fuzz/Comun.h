#pragma once
// What every fuzz target of the program shares: turning the fuzzer's bytes
// into the texts the readers take, and a fault that stops the run.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace Fuzz {

// The bytes as UTF-8 (invalid sequences become U+FFFD, as QString reads
// them) or, when the first byte is odd, as raw UTF-16 code units, so lone
// surrogates and NUL characters reach the reader as they stand.
inline QString Texto(const uint8_t* datos, size_t largo) {
    if (largo == 0) return {};
    if (datos[0] & 1) {
        QString t;
        t.reserve(static_cast<qsizetype>(largo / 2));
        for (size_t i = 1; i + 1 < largo; i += 2)
            t.append(QChar(static_cast<char16_t>(datos[i] | (datos[i + 1] << 8))));
        return t;
    }
    return QString::fromUtf8(reinterpret_cast<const char*>(datos + 1), static_cast<qsizetype>(largo - 1));
}

inline QByteArray Bytes(const uint8_t* datos, size_t largo) {
    return QByteArray(reinterpret_cast<const char*>(datos), static_cast<qsizetype>(largo));
}

// A broken promise of the reader: the fuzzer keeps the input as a crash.
// Characters outside printable ASCII are written as \uXXXX.
[[noreturn]] inline void Falla(const char* que, const QString& detalle = {}) {
    QString legible;
    for (const QChar c : detalle.left(400))
        legible += c.unicode() >= 0x20 && c.unicode() < 0x7F ? QString(c)
                                                               : QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    std::fprintf(stderr, "FALLA: %s %s\n", que, legible.toLatin1().constData());
    std::abort();
}

} // namespace Fuzz
