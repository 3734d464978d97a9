// Serial and lot lists: the voucher services' entry points over
// ListaSerieLote, each reporting a malformed list under its own name.
#include "cmncptes/ClsCmnCptes.h"

#include "cmncptes/ListaSerieLote.h"
#include "session/Trampa.h"

QVariant ClsCmnCptes::DescomponeSerieLote(const QString& Serie_Lote, QStringList& Arreglo) {
    Arreglo = QStringList{QString()};
    ConTrampa(QStringLiteral("DescomponeSerieLote"), [&](Trampa& t) {
        // The closed pieces are kept even when an unclosed one follows.
        const ListaSerieLote::Piezas p = ListaSerieLote::Recorre(Serie_Lote);
        Arreglo.clear();
        for (const QString& pieza : p.lista) Arreglo.append(ListaSerieLote::SinBlancos(pieza));
        Arreglo.append(QString());
        if (p.malformada) t.Paso([&] { ListaSerieLote::Descompone(Serie_Lote); });
    });
    return {};
}

long ClsCmnCptes::Cuenta_Series_Lotes(const QString& PipeSeries, const QString& PipeLotes) {
    long r = 0;
    ConTrampa(QStringLiteral("Cuenta_Series_Lotes"),
              [&](Trampa& t) { r = t.Paso([&] { return ListaSerieLote::Cuenta(PipeSeries, PipeLotes); }); });
    return r;
}

QString ClsCmnCptes::ExtraeSerieLote(const QString& Serie_Lote, int QuePosicion) {
    return ListaSerieLote::Extrae(Serie_Lote, QuePosicion);
}

long ClsCmnCptes::Busca_Lotes_Series(const QString& PipeSeriesLotes, const QString& QueSerieLote) {
    long r = 0;
    ConTrampa(QStringLiteral("Busca_Lotes_Series"),
              [&](Trampa& t) { r = t.Paso([&] { return ListaSerieLote::Busca(PipeSeriesLotes, QueSerieLote); }); });
    return r;
}
