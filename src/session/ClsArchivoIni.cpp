#include "session/ClsArchivoIni.h"

#include "session/ClsSesion.h"
#include "session/Instancia.h"
#include "session/ModGlobal.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

QString ClsArchivoIni::Resuelve(const QString& archivo) const {
    const QString a = archivo.trimmed();
    if (a.isEmpty()) return {};
    if (a.contains(QLatin1Char('/')) || a.contains(QLatin1Char('\\'))) {
        QString r = a;
        r.replace(QLatin1Char('\\'), QLatin1Char('/'));
        return QFileInfo(r).isFile() ? r : QString();
    }
    const QString carpetaApp = CarpetaApp.isEmpty() ? ResuelveCarpetaApp() : CarpetaApp;
    for (const QString& carpeta : {carpetaApp, Sesion().CarpetaWindows()}) {
        if (QFileInfo(carpeta + a).isFile()) return carpeta + a;
    }
    return {};
}

QString ClsArchivoIni::LeeValor(const QString& archivo, const QString& seccion, const QString& clave,
                                const QString& porDefecto) const {
    const QString ruta = Resuelve(archivo);
    if (ruta.isEmpty()) return porDefecto;
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return porDefecto;
    // At most 4 MB are read; the buffer is sized by the file, not by that limit.
    const QByteArray bytes = f.read(qMin<qint64>(f.size(), 4 * 1024 * 1024));
    // INI files of the suite are written in the Windows code page; UTF-8 is taken when valid.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString texto = utf8.decode(bytes);
    if (utf8.hasError()) {
        QStringDecoder ansi("windows-1252");
        texto = ansi.isValid() ? QString(ansi.decode(bytes)) : QString::fromLatin1(bytes);
    }
    const QString s = seccion.trimmed();
    const QString k = clave.trimmed();
    bool enSeccion = false;
    const QStringList lineas = texto.split(QLatin1Char('\n'));
    for (QString linea : lineas) {
        linea = linea.trimmed();
        if (linea.isEmpty() || linea.startsWith(QLatin1Char(';')) || linea.startsWith(QLatin1Char('#'))) continue;
        if (linea.startsWith(QLatin1Char('['))) {
            // Only the first section of that name is read (as Windows does):
            // the key is not looked for in a repeated one.
            if (enSeccion) return porDefecto;
            const int fin = linea.indexOf(QLatin1Char(']'));
            const QString nombre = (fin > 0 ? linea.mid(1, fin - 1) : linea.mid(1)).trimmed();
            enSeccion = nombre.compare(s, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!enSeccion) continue;
        const int igual = linea.indexOf(QLatin1Char('='));
        if (igual < 0) continue;
        if (linea.left(igual).trimmed().compare(k, Qt::CaseInsensitive) != 0) continue;
        QString valor = linea.mid(igual + 1).trimmed();
        if (valor.size() >= 2 && ((valor.startsWith(QLatin1Char('"')) && valor.endsWith(QLatin1Char('"'))) ||
                                  (valor.startsWith(QLatin1Char('\'')) && valor.endsWith(QLatin1Char('\'')))))
            valor = valor.mid(1, valor.size() - 2);
        return valor;
    }
    return porDefecto;
}

ClsArchivoIni& ArchivoIni() { return InstanciaUnica<ClsArchivoIni>::Obtiene(); }
