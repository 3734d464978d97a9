// The INI reader: any bytes as a file (UTF-8, Windows-1252, NUL bytes, very
// long lines), read for the sections and keys the program asks for and for the
// first section and key the file itself names.
#include "Archivo.h"
#include "Comun.h"
#include "session/ClsArchivoIni.h"

#include <QRegularExpression>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const QByteArray bytes = Fuzz::Bytes(datos, largo);
    const QString ruta = Fuzz::EscribeArchivo(bytes, QStringLiteral("CN000pr.INI"));
    const ClsArchivoIni ini;
    const QString porDefecto = QStringLiteral("\u0001defecto");
    QStringList secciones{QStringLiteral("Iconos"), QStringLiteral("Config"), QString()};
    QStringList claves{QStringLiteral("IconoDelSistema"), QStringLiteral("Columnas"), QString()};
    // The first section and key named in the text itself.
    const QString texto = QString::fromUtf8(bytes);
    const qsizetype a = texto.indexOf(QLatin1Char('['));
    const qsizetype b = texto.indexOf(QLatin1Char(']'), a + 1);
    if (a >= 0 && b > a) secciones << texto.mid(a + 1, b - a - 1);
    const qsizetype igual = texto.indexOf(QLatin1Char('='), b + 1);
    if (b > a && igual > b) {
        const qsizetype inicio = texto.lastIndexOf(QLatin1Char('\n'), igual) + 1;
        claves << texto.mid(inicio, igual - inicio);
    }
    for (const QString& s : secciones) {
        for (const QString& k : claves) {
            const QString v = ini.LeeValor(ruta, s, k, porDefecto);
            if (v == porDefecto) continue;
            // A value is one line of the file.
            if (v.contains(QLatin1Char('\n'))) Fuzz::Falla("valor de varias lineas", v);
        }
    }
    return 0;
}
