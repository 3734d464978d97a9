#pragma once
// Fixed-point currency: an integer count of ten-thousandths, as the suite's
// database keeps money (four decimals). No binary floating point on the way.
#include <QString>
#include <QChar>
#include <compare>
#include <cstdint>

class Moneda {
public:
    static constexpr std::int64_t Escala = 10000;

    constexpr Moneda() = default;
    static constexpr Moneda DesdeDiezmilesimos(std::int64_t v) { Moneda m; m.v_ = v; return m; }
    static constexpr Moneda DesdeEntero(std::int64_t unidades) { return DesdeDiezmilesimos(unidades * Escala); }

    // Leading-number reading of a text: blanks skipped, optional sign, digits,
    // one decimal separator ("." or ","), digits; reading stops at the first
    // character that cannot continue the number. Beyond four decimals the value
    // is rounded half to even. No number gives 0. Sets *valido when given;
    // *desbordado tells a number beyond the currency range (also read as 0).
    static Moneda DesdeTexto(const QString& texto, bool* valido = nullptr, bool* desbordado = nullptr);

    constexpr std::int64_t Diezmilesimos() const { return v_; }
    constexpr bool EsCero() const { return v_ == 0; }

    // Rounded to `decimales` (0..4) decimals, half to even (currency rounding).
    Moneda RedondeadaParEven(int decimales) const;
    // Rounded to `decimales` (0..4) decimals, half away from zero (display patterns).
    Moneda RedondeadaLejosDeCero(int decimales) const;

    // Text with exactly `decimales` decimals (more than four are padded with
    // zeros), at least one integer digit, no grouping, the given separator.
    // The value is rounded half away from zero first when decimales < 4.
    // With decimales == 0 the text ends with the separator when conSeparadorFinal.
    QString Formatea(int decimales, QChar separador = QLatin1Char('.'), bool conSeparadorFinal = false) const;

    // Text for SQL: plain digits, "." as separator, no exponent.
    QString TextoSql() const;

    double ADouble() const { return static_cast<double>(v_) / Escala; }

    constexpr Moneda operator+(Moneda o) const { return DesdeDiezmilesimos(v_ + o.v_); }
    constexpr Moneda operator-(Moneda o) const { return DesdeDiezmilesimos(v_ - o.v_); }
    constexpr Moneda operator-() const { return DesdeDiezmilesimos(-v_); }
    Moneda& operator+=(Moneda o) { v_ += o.v_; return *this; }
    Moneda& operator-=(Moneda o) { v_ -= o.v_; return *this; }
    constexpr auto operator<=>(const Moneda&) const = default;

private:
    std::int64_t v_ = 0;
};
