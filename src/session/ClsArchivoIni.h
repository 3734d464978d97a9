#pragma once
// INI files with Windows rules: sections and keys found in any letter case,
// lines starting with ";" (or "#") are comments, values trimmed and their
// surrounding quotes removed; the default when the file, section or key is
// missing. A bare file name is looked up in the program's folder, then in the
// Windows folder of the session.
#include <QString>

class ClsArchivoIni {
public:
    QString LeeValor(const QString& archivo, const QString& seccion, const QString& clave,
                     const QString& porDefecto) const;
    // The path a (possibly bare) file name resolves to; "" when none exists.
    QString Resuelve(const QString& archivo) const;
};

ClsArchivoIni& ArchivoIni();
