// The serial and lot lists of an article line and the pasted columns of the
// lot and serial dialog: thousands of pieces, unclosed pieces, the pair
// separator, pasted text of any shape.
#include "Comun.h"
#include "cmncptes/EdicionSerieLote.h"
#include "cmncptes/ListaSerieLote.h"
#include "session/ErrorEjecucion.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const QString texto = Fuzz::Texto(datos, largo);
    const qsizetype corte = texto.indexOf(QChar(0));
    const QString series = corte < 0 ? texto : texto.left(corte);
    const QString lotes = corte < 0 ? QString() : texto.mid(corte + 1);

    const ListaSerieLote::Piezas p = ListaSerieLote::Recorre(series);
    try {
        const QStringList piezas = ListaSerieLote::Descompone(series);
        if (p.malformada) Fuzz::Falla("lista malformada aceptada", series);
        if (piezas.size() != p.lista.size()) Fuzz::Falla("cantidad de piezas", series);
        // Written back and read again, the same pieces (blank ones as "-").
        const QStringList again = ListaSerieLote::Descompone(ListaSerieLote::Arma(piezas));
        if (again.size() != piezas.size()) Fuzz::Falla("Arma no se relee", series);
        for (qsizetype i = 0; i < piezas.size(); ++i) {
            const long pos = ListaSerieLote::Busca(series, piezas[i]);
            if (pos < 1 || pos > i + 1) Fuzz::Falla("Busca", piezas[i]);
            (void)ListaSerieLote::Extrae(series, i + 1);
        }
        (void)ListaSerieLote::Extrae(series, piezas.size() + 5);
        (void)ListaSerieLote::Cuenta(series, lotes);
    } catch (const ErrorEjecucion& e) {
        if (e.Numero() != ErrorEjecucion::LlamadaNoValida) Fuzz::Falla("error inesperado", e.Descripcion());
    }

    QString lote, serie;
    ListaSerieLote::SeparaPar(ListaSerieLote::ArmaPar(series.trimmed(), lotes.trimmed()), lote, serie);

    const QStringList pegadas = EdicionSerieLote::LineasPegadas(texto);
    for (const QString& l : pegadas)
        if (l.contains(QLatin1Char('\n')) || l.contains(QLatin1Char('\r'))) Fuzz::Falla("linea pegada", l);
    const QString siguiente = EdicionSerieLote::SerieSiguiente(series.left(200), static_cast<qint64>(largo) * 7919);
    if (!siguiente.isEmpty() && !siguiente.back().isDigit()) Fuzz::Falla("SerieSiguiente", siguiente);
    return 0;
}
