#include "cmncptes/ListaSerieLote.h"

#include "session/ErrorEjecucion.h"

#include <QSet>

namespace ListaSerieLote {
namespace {

[[noreturn]] void Malformada() {
    throw ErrorEjecucion(ErrorEjecucion::LlamadaNoValida,
                         QStringLiteral("Llamada a procedimiento o argumento no válido: la lista de series o lotes "
                                        "tiene una pieza sin su \"|\" de cierre."));
}

QString Clave(const QString& pieza) { return SinBlancos(pieza).toCaseFolded(); }

} // namespace

QString SinBlancos(const QString& texto) {
    qsizetype i = 0, j = texto.size();
    while (i < j && texto.at(i) == QLatin1Char(' ')) ++i;
    while (j > i && texto.at(j - 1) == QLatin1Char(' ')) --j;
    return texto.mid(i, j - i);
}

Piezas Recorre(const QString& texto) {
    Piezas r;
    QStringView s = texto;
    // Surrounding blanks and one leading bar are dropped.
    while (!s.isEmpty() && s.front() == QLatin1Char(' ')) s = s.mid(1);
    while (!s.isEmpty() && s.back() == QLatin1Char(' ')) s.chop(1);
    if (!s.isEmpty() && s.front() == Barra) s = s.mid(1);
    qsizetype p = s.indexOf(Barra);
    if (p < 0) return r;  // no bar: no pieces
    for (;;) {
        r.lista.append(s.left(p).toString());
        s = s.mid(p + 1);
        bool blanco = true;
        for (QChar c : s) {
            if (c != QLatin1Char(' ')) { blanco = false; break; }
        }
        if (blanco) return r;
        p = s.indexOf(Barra);
        if (p < 0) {  // the rest is a piece without its closing bar
            r.malformada = true;
            return r;
        }
    }
}

QString Piezas::Pieza(qsizetype posicion) const {
    if (posicion < 1) return {};
    if (posicion <= lista.size()) return lista.at(posicion - 1);
    if (malformada) Malformada();
    return {};
}

QStringList Descompone(const QString& texto) {
    const Piezas p = Recorre(texto);
    if (p.malformada) Malformada();
    QStringList r;
    r.reserve(p.lista.size());
    for (const QString& pieza : p.lista) r.append(SinBlancos(pieza));
    return r;
}

long Cuenta(const QString& series, const QString& lotes) {
    const QStringList s = Descompone(series);
    const QStringList l = Descompone(lotes);
    const qsizetype n = std::max(s.size(), l.size());
    QSet<QString> distintas;
    distintas.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        const QString serie = i < s.size() ? s.at(i) : QString();
        const QString lote = i < l.size() ? l.at(i) : QString();
        if (serie.isEmpty() && lote.isEmpty()) continue;
        distintas.insert(Clave(serie) + Barra + Clave(lote));
    }
    return static_cast<long>(distintas.size());
}

QString Extrae(const QString& texto, qsizetype posicion) {
    if (posicion < 1) return {};
    return Recorre(texto).Pieza(posicion);
}

long Busca(const QString& texto, const QString& pieza) {
    const Piezas p = Recorre(texto);
    if (p.lista.isEmpty() && !p.malformada) return 0;
    const QString buscada = Clave(pieza);
    for (qsizetype i = 0; i < p.lista.size(); ++i)
        if (Clave(p.lista.at(i)) == buscada) return static_cast<long>(i + 1);
    if (p.malformada) Malformada();
    return static_cast<long>(p.lista.size() + 1);
}

QString Arma(const QStringList& piezas) {
    // Every blank piece is written as "-", so only a list of no rows is blank.
    if (piezas.isEmpty()) return {};
    QString r(Barra);
    for (const QString& pieza : piezas) {
        r += SinBlancos(pieza).isEmpty() ? PiezaVacia : pieza;
        r += Barra;
    }
    return r;
}

QString ArmaPar(const QString& lote, const QString& serie) {
    return SinBlancos(lote) + SeparadorLoteSerie + SinBlancos(serie);
}

void SeparaPar(const QString& par, QString& lote, QString& serie) {
    const qsizetype k = par.indexOf(SeparadorLoteSerie);
    if (k < 0) {
        lote = SinBlancos(par);
        serie.clear();
        return;
    }
    lote = SinBlancos(par.left(k));
    serie = SinBlancos(par.mid(k + 1));
}

} // namespace ListaSerieLote
