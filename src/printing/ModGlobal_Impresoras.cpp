// Printer assignments: PRINTERS.PRN in the program's folder, fixed records of
// 796 bytes in the Windows ANSI code page (Windows-1252).
#include "printing/ModImpresion.h"

#include "session/ClsFunciones.h"
#include "session/ClsSesion.h"
#include "session/ErrorEjecucion.h"
#include "session/ModGlobal.h"
#include "session/Trampa.h"

#include <QFile>
#include <QStringDecoder>

#include <cmath>

namespace {

// Windows-1252 to Unicode. Qt's codec is used when it is available; the table
// below covers the 0x80-0x9F block, where the code page differs from Latin-1
// (bytes the code page leaves undefined stay as their C1 control character).
QString DecodificaAnsi(const QByteArray& bytes) {
    QStringDecoder decoder("windows-1252");
    if (decoder.isValid()) {
        QString t = decoder.decode(bytes);
        if (!decoder.hasError()) return t;
    }
    static const char16_t bloque80[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString t;
    t.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        t += (b >= 0x80 && b <= 0x9F) ? QChar(bloque80[b - 0x80]) : QChar(b);
    }
    return t;
}

// Trims blanks (only) at both ends.
QString RecortaBlancos(const QString& s) {
    qsizetype a = 0, b = s.size();
    while (a < b && s.at(a) == QLatin1Char(' ')) ++a;
    while (b > a && s.at(b - 1) == QLatin1Char(' ')) --b;
    return s.mid(a, b - a);
}

// Val of a field, to the nearest 16-bit integer; anything unreadable is 0.
int EnteroCorto(const QString& campo) {
    const double v = ValorNumerico(LimpiaCampo(campo));
    if (!std::isfinite(v)) return 0;
    const double r = std::nearbyint(v);
    if (r > 32767.0 || r < -32768.0) return 0;
    return static_cast<int>(r);
}

} // namespace

RegistroImpresora RegistroImpresora::Lee(const QByteArray& bytes) {
    const QString t = DecodificaAnsi(bytes.left(Largo).leftJustified(Largo, ' '));
    RegistroImpresora r;
    int p = 0;
    auto toma = [&](int ancho) {
        const QString campo = t.mid(p, ancho);
        p += ancho;
        return campo;
    };
    r.Usuario = toma(255);
    r.TC = toma(4);
    r.Letra = toma(1);
    r.Impresora = toma(510);
    r.Copias = toma(3);
    r.Lineas = toma(3);
    r.Destino = toma(20);
    return r;
}

QString LimpiaCampo(const QString& campo) {
    return RecortaBlancos(Funciones().ReemplazaTexto(campo, QString(QChar(0)), QString(QChar(0xFF)), QString(QChar(10))));
}

void ObtieneImpresoraComprobante(const QString& TC, const QString& Letra, QString& Impresora, int& Copias,
                                 int& Lineas, QString& Destino) {
    const bool completo = ConTrampa(QStringLiteral("ObtieneImpresoraComprobante"), [&](Trampa& t) {
        const QString ruta = Funciones().NormalizaRuta(CarpetaApp) + QStringLiteral("PRINTERS.PRN");
        QFile archivo(ruta);
        t.Paso([&] {
            // A missing file is created empty; one that cannot be written is still read.
            if (!archivo.exists()) {
                if (!archivo.open(QIODevice::ReadWrite))
                    throw ErrorEjecucion(ErrorEjecucion::ArchivoNoValido,
                                         QStringLiteral("No se puede crear el archivo %1: %2").arg(ruta, archivo.errorString()));
            } else if (!archivo.open(QIODevice::ReadOnly)) {
                throw ErrorEjecucion(ErrorEjecucion::ArchivoNoValido,
                                     QStringLiteral("No se puede abrir el archivo %1: %2").arg(ruta, archivo.errorString()));
            }
        });
        if (!archivo.isOpen()) {
            Impresora.clear();
            Copias = 0;
            return;
        }
        const qint64 registros = archivo.size() / RegistroImpresora::Largo;
        const QString sesion = Sesion().Terminal().trimmed() + QLatin1Char('|') + Sesion().Usuario().trimmed();
        const QString tc = TC.trimmed();
        const QString letra = Letra.trimmed();
        for (qint64 i = 0; i < registros; ++i) {
            const QByteArray bytes = archivo.read(RegistroImpresora::Largo);
            if (bytes.size() < RegistroImpresora::Largo) break;  // a partial record is ignored
            const RegistroImpresora r = RegistroImpresora::Lee(bytes);
            if (LimpiaCampo(r.Usuario).compare(sesion, Qt::CaseInsensitive) != 0) continue;
            if (LimpiaCampo(r.TC).compare(tc, Qt::CaseInsensitive) != 0) continue;
            if (LimpiaCampo(r.Letra).compare(letra, Qt::CaseInsensitive) != 0) continue;
            Impresora = LimpiaCampo(r.Impresora);
            Copias = EnteroCorto(r.Copias);
            Lineas = EnteroCorto(r.Lineas);
            Destino = LimpiaCampo(r.Destino);
            archivo.close();
            return;
        }
        archivo.close();
        Impresora.clear();
        Copias = 0;
    });
    if (!completo) Copias = 0;
}
