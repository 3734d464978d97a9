#include "session/Moneda.h"

#include "session/ErrorEjecucion.h"

#include <cstdlib>
#include <limits>

namespace {
constexpr std::int64_t kPot10[] = {1, 10, 100, 1000, 10000};

// Divides by 10^k rounding as asked; returns the quotient (in units of 10^k).
std::int64_t DivideRedondeando(std::int64_t v, std::int64_t div, bool parEven) {
    std::int64_t q = v / div;
    std::int64_t r = v % div;
    const std::int64_t absR = r < 0 ? -r : r;
    const std::int64_t doble = absR * 2;
    const int signo = v < 0 ? -1 : 1;
    if (doble > div || (doble == div && (!parEven || (q % 2) != 0))) q += signo;
    return q;
}

// q * div, or the overflow error when the rounded amount leaves the range.
std::int64_t MultiplicaComprobado(std::int64_t q, std::int64_t div) {
    std::int64_t r = 0;
    if (__builtin_mul_overflow(q, div, &r))
        throw ErrorEjecucion(ErrorEjecucion::Desbordamiento, QStringLiteral("Desbordamiento: el importe redondeado excede el rango de la moneda."));
    return r;
}
} // namespace

Moneda Moneda::DesdeTexto(const QString& texto, bool* valido, bool* desbordado) {
    int i = 0;
    const int n = texto.size();
    while (i < n && (texto[i] == QLatin1Char(' ') || texto[i] == QLatin1Char('\t'))) ++i;
    bool negativo = false;
    if (i < n && (texto[i] == QLatin1Char('-') || texto[i] == QLatin1Char('+'))) {
        negativo = texto[i] == QLatin1Char('-');
        ++i;
    }
    std::int64_t entero = 0;
    bool hayDigitos = false;
    bool desborde = false;
    while (i < n && texto[i].isDigit() && texto[i].unicode() < 128) {
        hayDigitos = true;
        const int d = texto[i].unicode() - '0';
        if (entero > (std::numeric_limits<std::int64_t>::max() / Escala - d) / 10) desborde = true;
        else entero = entero * 10 + d;
        ++i;
    }
    // Fraction: up to 5 digits kept (the fifth decides the rounding), the rest
    // only tells whether the value is exactly half.
    std::int64_t fraccion = 0;
    int digitosFraccion = 0;
    bool restoNoCero = false;
    if (i < n && (texto[i] == QLatin1Char('.') || texto[i] == QLatin1Char(','))) {
        ++i;
        while (i < n && texto[i].isDigit() && texto[i].unicode() < 128) {
            hayDigitos = true;
            const int d = texto[i].unicode() - '0';
            if (digitosFraccion < 5) {
                fraccion = fraccion * 10 + d;
                ++digitosFraccion;
            } else if (d != 0) {
                restoNoCero = true;
            }
            ++i;
        }
    }
    while (digitosFraccion < 5) { fraccion *= 10; ++digitosFraccion; }
    // fraccion now holds 5 digits: 4 kept and one rounding digit.
    const std::int64_t diezmil = fraccion / 10;
    const int ultimo = static_cast<int>(fraccion % 10);
    std::int64_t v = 0;
    if (hayDigitos && !desborde) {
        // The whole part fits; the decimals and the rounding may still carry
        // it past the largest amount (922337203685477.5807).
        const std::int64_t resto = std::numeric_limits<std::int64_t>::max() - entero * Escala;
        if (diezmil > resto) desborde = true;
        else {
            v = entero * Escala + diezmil;
            if (ultimo > 5 || (ultimo == 5 && (restoNoCero || (v % 2) != 0))) {
                if (v == std::numeric_limits<std::int64_t>::max()) desborde = true;
                else v += 1;
            }
        }
    }
    if (valido) *valido = hayDigitos && !desborde;
    if (desbordado) *desbordado = desborde;
    if (!hayDigitos || desborde) return {};
    return DesdeDiezmilesimos(negativo ? -v : v);
}

Moneda Moneda::RedondeadaParEven(int decimales) const {
    if (decimales >= 4) return *this;
    if (decimales < 0) decimales = 0;
    const std::int64_t div = kPot10[4 - decimales];
    return DesdeDiezmilesimos(MultiplicaComprobado(DivideRedondeando(v_, div, true), div));
}

Moneda Moneda::RedondeadaLejosDeCero(int decimales) const {
    if (decimales >= 4) return *this;
    if (decimales < 0) decimales = 0;
    const std::int64_t div = kPot10[4 - decimales];
    return DesdeDiezmilesimos(MultiplicaComprobado(DivideRedondeando(v_, div, false), div));
}

QString Moneda::Formatea(int decimales, QChar separador, bool conSeparadorFinal) const {
    if (decimales < 0) decimales = 0;
    const Moneda r = RedondeadaLejosDeCero(decimales);
    const std::int64_t v = r.v_;
    const bool negativo = v < 0;
    const std::uint64_t a = negativo ? static_cast<std::uint64_t>(-(v + 1)) + 1u : static_cast<std::uint64_t>(v);
    const std::uint64_t entero = a / Escala;
    const std::uint64_t frac = a % Escala;
    QString t;
    if (negativo && a != 0) t += QLatin1Char('-');
    t += QString::number(entero);
    if (decimales > 0 || conSeparadorFinal) t += separador;
    if (decimales > 0) {
        QString f = QStringLiteral("%1").arg(frac, 4, 10, QLatin1Char('0'));
        if (decimales <= 4) f.truncate(decimales);
        else f += QString(decimales - 4, QLatin1Char('0'));
        t += f;
    }
    return t;
}

QString Moneda::TextoSql() const { return Formatea(4, QLatin1Char('.')); }
