#include "session/ClsFunciones.h"

#include "session/Dialogos.h"
#include "session/Instancia.h"
#include "session/ModGlobal.h"

#include <QDate>
#include <QDateTime>

namespace {
// dd/MM/yyyy of a date; a four-digit year is written by hand (a list of a
// hundred thousand dates is read through here), any other through QDate.
QString TextoFecha(const QDate& d) {
    const int anio = d.year();
    if (!d.isValid() || anio < 1000 || anio > 9999) return d.toString(QStringLiteral("dd/MM/yyyy"));
    const int dia = d.day(), mes = d.month();
    const char16_t t[10] = {char16_t(u'0' + dia / 10), char16_t(u'0' + dia % 10), u'/',
                            char16_t(u'0' + mes / 10), char16_t(u'0' + mes % 10), u'/',
                            char16_t(u'0' + anio / 1000), char16_t(u'0' + anio / 100 % 10),
                            char16_t(u'0' + anio / 10 % 10), char16_t(u'0' + anio % 10)};
    return QStringView(t, 10).toString();
}
} // namespace

QVariant ClsFunciones::ValorCampo(const QVariant& campo) const {
    if (!campo.isValid() || campo.isNull()) return QString();
    switch (campo.metaType().id()) {
    case QMetaType::QDate:
        return TextoFecha(campo.toDate());
    case QMetaType::QDateTime: {
        const QDateTime dt = campo.toDateTime();
        if (dt.time() == QTime(0, 0)) return TextoFecha(dt.date());
        return dt.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    }
    default:
        return campo;
    }
}

QString ClsFunciones::RellenaTexto(const QString& texto, int ancho) const {
    if (ancho <= 0) return {};
    if (texto.size() >= ancho) return texto.left(ancho);
    return texto + QString(ancho - texto.size(), QLatin1Char(' '));
}

QString ClsFunciones::ReemplazaTexto(const QString& texto, const QString& b1, const QString& b2,
                                     const QString& b3) const {
    QString t = texto;
    for (const QString* b : {&b1, &b2, &b3})
        if (!b->isEmpty()) t.remove(*b);
    return t;
}

Moneda ClsFunciones::TextoAMoneda(const QString& texto) const {
    bool desbordado = false;
    const Moneda m = Moneda::DesdeTexto(texto, nullptr, &desbordado);
    // An amount beyond the currency range is an overflow error, never a silent 0.
    if (desbordado)
        throw ErrorEjecucion(ErrorEjecucion::Desbordamiento,
                             QStringLiteral("Desbordamiento: \"%1\" excede el rango de la moneda.").arg(texto.trimmed().left(40)));
    return m;
}

Moneda ClsFunciones::TextoAMoneda(const QVariant& valor) const {
    if (valor.isNull()) return {};
    if (valor.metaType().id() == QMetaType::Double) return TextoAMoneda(QString::number(valor.toDouble(), 'f', 6));
    return TextoAMoneda(valor.toString());
}

double ClsFunciones::TextoANumero(const QString& texto) const { return ValorNumerico(texto); }

double ClsFunciones::TextoANumero(const QVariant& valor) const {
    if (valor.isNull()) return 0;
    bool ok = false;
    const double d = valor.toDouble(&ok);
    if (ok && valor.metaType().id() != QMetaType::QString) return d;
    return ValorNumerico(valor.toString());
}

QString ClsFunciones::NormalizaRuta(const QString& carpeta) const {
    QString c = carpeta.trimmed();
    c.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (c.isEmpty()) return QStringLiteral("./");
    if (!c.endsWith(QLatin1Char('/'))) c += QLatin1Char('/');
    return c;
}

int ClsFunciones::InformaError(const ErrorEjecucion& error, const QVariant&, const QString& procedimiento) const {
    return Dialogos::MuestraError({error.Numero(), error.Descripcion(), procedimiento});
}

ClsFunciones& Funciones() { return InstanciaUnica<ClsFunciones>::Obtiene(); }
