#pragma once
// A file the readers open by name, rewritten with every input.
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace Fuzz {
inline QString EscribeArchivo(const QByteArray& contenido, const QString& nombre) {
    static QTemporaryDir carpeta(QDir::tempPath() + QStringLiteral("/taleruna_fuzz_XXXXXX"));
    const QString ruta = carpeta.filePath(nombre);
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(contenido) != contenido.size()) std::abort();
    return ruta;
}
} // namespace Fuzz
