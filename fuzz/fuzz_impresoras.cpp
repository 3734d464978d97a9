// PRINTERS.PRN: any bytes as the file of fixed records (Windows-1252, NUL
// bytes, character 255, huge counts), every record decoded and its fields
// cleaned as the printer assignment reads them.
#include "Archivo.h"
#include "Comun.h"
#include "printing/ModImpresion.h"
#include "session/ModGlobal.h"

#include <QFileInfo>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const QByteArray bytes = Fuzz::Bytes(datos, largo);
    for (qsizetype p = 0; p < bytes.size() || p == 0; p += RegistroImpresora::Largo) {
        const RegistroImpresora r = RegistroImpresora::Lee(bytes.mid(p, RegistroImpresora::Largo));
        const int anchos[] = {255, 4, 1, 510, 3, 3, 20};
        const QString* campos[] = {&r.Usuario, &r.TC, &r.Letra, &r.Impresora, &r.Copias, &r.Lineas, &r.Destino};
        for (int i = 0; i < 7; ++i) {
            if (campos[i]->size() != anchos[i]) Fuzz::Falla("ancho de campo", *campos[i]);
            const QString limpio = LimpiaCampo(*campos[i]);
            if (limpio.contains(QChar(0)) || limpio.contains(QChar(0xFF)) || limpio.contains(QChar(10)))
                Fuzz::Falla("campo sin limpiar", limpio);
            if (limpio.startsWith(QLatin1Char(' ')) || limpio.endsWith(QLatin1Char(' ')))
                Fuzz::Falla("campo sin recortar", limpio);
        }
        if (bytes.isEmpty()) break;
    }

    // The whole file as the printer assignment reads it, for the workstation,
    // type and letter of its first record (so the counts of that record are read).
    static const bool entorno = [] {
        qputenv("TALERUNA_TERMINAL", "PC01");
        qputenv("TALERUNA_USUARIO", "OPERADOR");
        return true;
    }();
    (void)entorno;
    const QString ruta = Fuzz::EscribeArchivo(bytes, QStringLiteral("PRINTERS.PRN"));
    CarpetaApp = QFileInfo(ruta).absolutePath() + QLatin1Char('/');
    const RegistroImpresora primero = RegistroImpresora::Lee(bytes.left(RegistroImpresora::Largo));
    QString impresora = QStringLiteral("x");
    int copias = -7, lineas = -7;
    QString destino;
    ObtieneImpresoraComprobante(LimpiaCampo(primero.TC), LimpiaCampo(primero.Letra), impresora, copias, lineas, destino);
    // Counts are 16-bit whole numbers; anything unreadable or out of range is 0.
    if (copias < -32768 || copias > 32767) Fuzz::Falla("copias", QString::number(copias));
    if (lineas != -7 && (lineas < -32768 || lineas > 32767)) Fuzz::Falla("lineas", QString::number(lineas));
    return 0;
}
