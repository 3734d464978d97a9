#include "cmncptes/EdicionSerieLote.h"

#include "cmncptes/GrillaFlex.h"
#include "cmncptes/ListaSerieLote.h"

#include <QHash>

namespace EdicionSerieLote {

QString SerieSiguiente(const QString& serie, qint64 paso) {
    const QString s = ListaSerieLote::SinBlancos(serie);
    qsizetype inicio = s.size();
    while (inicio > 0 && s.at(inicio - 1) >= QLatin1Char('0') && s.at(inicio - 1) <= QLatin1Char('9')) --inicio;
    if (inicio == s.size()) return {};
    // Digit by digit, so a number of any length carries over.
    QString digitos = s.mid(inicio);
    qint64 resto = paso;
    for (qsizetype i = digitos.size() - 1; i >= 0 && resto > 0; --i) {
        const qint64 v = digitos.at(i).unicode() - u'0' + resto;
        digitos[i] = QChar(static_cast<char16_t>(u'0' + v % 10));
        resto = v / 10;
    }
    if (resto > 0) digitos.prepend(QString::number(resto));
    return s.left(inicio) + digitos;
}

QStringList LineasPegadas(const QString& texto) {
    // Lines end with CR LF, LF or CR. Split by hand: a regular expression
    // does not match at all in a text with a lone surrogate, which a paste
    // may bring.
    QStringList lineas;
    qsizetype inicio = 0;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto.at(i);
        if (c != QLatin1Char('\n') && c != QLatin1Char('\r')) continue;
        lineas.append(texto.mid(inicio, i - inicio));
        if (c == QLatin1Char('\r') && i + 1 < texto.size() && texto.at(i + 1) == QLatin1Char('\n')) ++i;
        inicio = i + 1;
    }
    lineas.append(texto.mid(inicio));
    if (!lineas.isEmpty() && lineas.last().isEmpty()) lineas.removeLast();
    QStringList valores;
    valores.reserve(lineas.size());
    for (const QString& linea : lineas) valores.append(linea.section(QLatin1Char('\t'), 0, 0).trimmed());
    return valores;
}

void LlenaHaciaAbajo(GrillaFlex& g, int fila, int col) {
    const QString valor = g.TextMatrix(fila, col).trimmed();
    for (int r = fila + 1; r < g.Rows(); ++r) g.SetTextMatrix(r, col, valor);
}

void BlanqueaHaciaAbajo(GrillaFlex& g, int fila, int col) {
    for (int r = fila + 1; r < g.Rows(); ++r) g.SetTextMatrix(r, col, QString());
}

int PegaColumna(GrillaFlex& g, int fila, int col, const QStringList& valores) {
    int puestos = 0;
    for (int r = fila; r < g.Rows() && puestos < valores.size(); ++r, ++puestos) g.SetTextMatrix(r, col, valores.at(puestos));
    return puestos;
}

bool LlenaCorrelativos(GrillaFlex& g, int fila, int col) {
    const QString primera = g.TextMatrix(fila, col);
    if (SerieSiguiente(primera).isEmpty()) return false;
    for (int r = fila + 1; r < g.Rows(); ++r) g.SetTextMatrix(r, col, SerieSiguiente(primera, r - fila));
    return true;
}

Repetido BuscaRepetido(const GrillaFlex& g, int col) {
    QHash<QString, int> vistos;
    for (int r = g.FixedRows(); r < g.Rows(); ++r) {
        const QString valor = ListaSerieLote::SinBlancos(g.TextMatrix(r, col));
        if (valor.isEmpty() || valor == ListaSerieLote::PiezaVacia) continue;
        const QString clave = valor.toCaseFolded();
        const auto it = vistos.constFind(clave);
        if (it != vistos.constEnd()) return {true, valor, it.value(), r};
        vistos.insert(clave, r);
    }
    return {};
}

} // namespace EdicionSerieLote
