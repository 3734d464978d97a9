#include "session/CreaBaseDatos.h"

#include "session/DialectoSql.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <unistd.h>

#include <sqlite3.h>

namespace CreaBaseDatos {

namespace {
QString Ubica(const QString& nombre) {
    const QStringList candidatos{
        qEnvironmentVariable("TALERUNA_DB_DIR"),
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() + QLatin1String("/db") : QString(),
        QStringLiteral(TALERUNA_SOURCE_DIR "/db"),
    };
    for (const QString& c : candidatos)
        if (!c.isEmpty() && QFileInfo(c + QLatin1Char('/') + nombre).isFile()) return c + QLatin1Char('/') + nombre;
    return QStringLiteral(TALERUNA_SOURCE_DIR "/db/") + nombre;
}

bool LeeTexto(const QString& ruta, QString& texto, QString& error) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: no se puede leer (%2)").arg(ruta, f.errorString());
        return false;
    }
    texto = QString::fromUtf8(f.readAll());
    return true;
}
} // namespace

QString EsquemaPorDefecto() { return Ubica(QStringLiteral("schema.sql")); }
QString DatosDemo() { return Ubica(QStringLiteral("demo.sql")); }

Resultado EjecutaScript(void* manejador, const QString& texto, const QString& nombreArchivo) {
    auto* db = static_cast<sqlite3*>(manejador);
    const QByteArray utf8 = texto.toUtf8();
    const char* inicio = utf8.constData();
    const char* resto = inicio;
    const char* fin = inicio + utf8.size();
    while (resto < fin) {
        // Line where the next statement starts (skipping blanks).
        const char* p = resto;
        for (;;) {
            while (p < fin && (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r')) ++p;
            if (p + 1 < fin && p[0] == '-' && p[1] == '-') {
                while (p < fin && *p != '\n') ++p;
            } else if (p + 1 < fin && p[0] == '/' && p[1] == '*') {
                const char* cierre = std::search(p + 2, fin, "*/", "*/" + 2);
                p = cierre == fin ? fin : cierre + 2;
            } else {
                break;
            }
        }
        const int linea = 1 + static_cast<int>(std::count(inicio, p, '\n'));
        sqlite3_stmt* st = nullptr;
        const char* cola = nullptr;
        int rc = sqlite3_prepare_v2(db, resto, static_cast<int>(fin - resto), &st, &cola);
        if (rc != SQLITE_OK) {
            return {false, QStringLiteral("%1:%2: %3").arg(nombreArchivo).arg(linea).arg(QString::fromUtf8(sqlite3_errmsg(db)))};
        }
        if (st) {
            do { rc = sqlite3_step(st); } while (rc == SQLITE_ROW);
            const QString msg = QString::fromUtf8(sqlite3_errmsg(db));
            sqlite3_finalize(st);
            if (rc != SQLITE_DONE) return {false, QStringLiteral("%1:%2: %3").arg(nombreArchivo).arg(linea).arg(msg)};
        }
        if (!cola || cola == resto) break;
        resto = cola;
    }
    return {true, {}};
}

Resultado Crea(const QString& destino, const QString& esquema, const QString& datos, bool sobrescribir) {
    if (QFileInfo::exists(destino) && !sobrescribir)
        return {false, QStringLiteral("%1 ya existe; no se sobrescribe (use --forzar para reemplazarlo).").arg(destino)};
    QString textoEsquema, textoDatos, error;
    if (!LeeTexto(esquema, textoEsquema, error)) return {false, error};
    if (!datos.isEmpty() && !LeeTexto(datos, textoDatos, error)) return {false, error};

    const QFileInfo info(destino);
    if (!QDir().mkpath(info.absolutePath())) return {false, QStringLiteral("No se puede crear la carpeta %1").arg(info.absolutePath())};
    const QString temporal = info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".tmp");
    QFile::remove(temporal);

    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(temporal).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        const QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("sin memoria");
        sqlite3_close(db);
        return {false, QStringLiteral("%1: %2").arg(temporal, msg)};
    }
    DialectoSql::RegistraColacion(db);
    // The file is thrown away unless every statement ran, so it needs no
    // journal on disk and no sync per statement; a data file may then hold
    // its own BEGIN ... COMMIT (as a dump does).
    Resultado r = EjecutaScript(db, QStringLiteral("PRAGMA journal_mode=MEMORY; PRAGMA synchronous=OFF;"), QString());
    if (r.ok) r = EjecutaScript(db, textoEsquema, QFileInfo(esquema).fileName());
    if (r.ok && !textoDatos.isEmpty()) r = EjecutaScript(db, textoDatos, QFileInfo(datos).fileName());
    if (r.ok && !sqlite3_get_autocommit(db))
        r = {false, QStringLiteral("%1: termina con una transacción abierta (falta COMMIT)")
                        .arg(QFileInfo(textoDatos.isEmpty() ? esquema : datos).fileName())};
    sqlite3_close(db);
    if (r.ok) {
        // On disk before it takes the destination's name.
        QFile f(temporal);
        if (!f.open(QIODevice::ReadWrite) || ::fsync(f.handle()) != 0)
            r = {false, QStringLiteral("%1: no se puede escribir (%2)").arg(temporal, f.errorString())};
    }
    if (!r.ok) {
        QFile::remove(temporal);
        return r;
    }
    // rename() puts the new file in place in one step, also over an old one.
    if (::rename(QFile::encodeName(temporal).constData(), QFile::encodeName(destino).constData()) != 0) {
        const QString causa = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(temporal);
        return {false, QStringLiteral("No se puede crear %1 (%2)").arg(destino, causa)};
    }
    return {true, {}};
}

} // namespace CreaBaseDatos
