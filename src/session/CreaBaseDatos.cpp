#include "session/CreaBaseDatos.h"

#include "session/DialectoSql.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

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
QString EsquemaPostgres() { return Ubica(QStringLiteral("postgres/schema.sql")); }

QList<Sentencia> Divide(const QString& s) {
    QList<Sentencia> r;
    QString actual;
    int linea = 1, inicio = 1;
    auto corta = [&] {
        const QString t = actual.trimmed();
        if (!t.isEmpty()) r.append({t, inicio});
        actual.clear();
    };
    qsizetype i = 0;
    const qsizetype n = s.size();
    auto avanza = [&](qsizetype hasta) {  // copies s[i, hasta) into the statement
        for (qsizetype k = i; k < hasta && k < n; ++k) {
            if (actual.trimmed().isEmpty() && !s[k].isSpace()) inicio = linea;
            if (s[k] == QLatin1Char('\n')) ++linea;
            actual += s[k];
        }
        i = qMin(hasta, n);
    };
    while (i < n) {
        const QChar c = s[i];
        if (c == QLatin1Char('-') && i + 1 < n && s[i + 1] == QLatin1Char('-')) {
            qsizetype j = s.indexOf(QLatin1Char('\n'), i);
            if (j < 0) j = n;
            i = j;  // a line comment is left out
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < n && s[i + 1] == QLatin1Char('*')) {
            qsizetype j = s.indexOf(QLatin1String("*/"), i + 2);
            j = j < 0 ? n : j + 2;
            linea += static_cast<int>(QStringView(s).mid(i, j - i).count(QLatin1Char('\n')));
            i = j;
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('[')) {
            const QChar cierre = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            qsizetype j = i + 1;
            while (j < n) {
                if (s[j] == cierre) {
                    if (cierre != QLatin1Char(']') && j + 1 < n && s[j + 1] == cierre) { j += 2; continue; }
                    break;
                }
                ++j;
            }
            avanza(j + 1);
            continue;
        }
        if (c == QLatin1Char('$')) {
            // $tag$ ... $tag$
            qsizetype j = i + 1;
            while (j < n && (s[j].isLetterOrNumber() || s[j] == QLatin1Char('_'))) ++j;
            if (j < n && s[j] == QLatin1Char('$')) {
                const QString etiqueta = s.mid(i, j - i + 1);
                qsizetype fin = s.indexOf(etiqueta, j + 1);
                fin = fin < 0 ? n : fin + etiqueta.size();
                avanza(fin);
                continue;
            }
        }
        if (c == QLatin1Char(';')) {
            ++i;
            corta();
            continue;
        }
        avanza(i + 1);
    }
    corta();
    return r;
}

Resultado CreaEnServidor(const QString& dsn, const QString& base, const QString& usuario, const QString& clave,
                         const QString& esquema, const QString& datos, bool sobrescribir) {
    Resultado res;
    for (QChar c : {QLatin1Char('='), QLatin1Char(';'), QLatin1Char('{'), QLatin1Char('}')})
        if (dsn.contains(c)) {
            res.error = QStringLiteral("%1: el servidor debe ser el nombre de un origen de datos ODBC").arg(dsn);
            return res;
        }
    QString textoEsquema, textoDatos;
    if (!LeeTexto(esquema, textoEsquema, res.error)) return res;
    if (!datos.isEmpty() && !LeeTexto(datos, textoDatos, res.error)) return res;
    auto llaves = [](const QString& v) {
        if (!v.contains(QLatin1Char(';')) && !v.contains(QLatin1Char('{')) && !v.contains(QLatin1Char('}'))) return v;
        QString e = v;
        e.replace(QLatin1Char('}'), QLatin1String("}}"));
        return QLatin1Char('{') + e + QLatin1Char('}');
    };
    const QString nombre = QStringLiteral("creabd-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    const Resultado r = [&]() -> Resultado {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), nombre);
        QString cadena = dsn;
        if (!base.isEmpty()) cadena += QStringLiteral(";DATABASE=") + llaves(base);
        db.setDatabaseName(cadena);
        db.setUserName(llaves(usuario));
        db.setPassword(llaves(clave));
        db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=10"));
        auto fin = [&](const QString& error) {
            res.error = error;
            if (db.isOpen()) {
                db.rollback();
                db.close();
            }
            return res;
        };
        if (!db.open()) {
            QString e = db.lastError().text();
            if (!clave.isEmpty()) e.replace(clave, QStringLiteral("****"));
            return fin(QStringLiteral("%1: no se pudo conectar: %2").arg(dsn, e));
        }
        if (db.driver()->dbmsType() != QSqlDriver::PostgreSQL)
            return fin(QStringLiteral("%1: el servidor no es PostgreSQL").arg(dsn));
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("SELECT count(*) FROM information_schema.tables "
                                   "WHERE table_schema = 'public' AND table_name = 'v_mv_cpte'")) ||
            !q.next())
            return fin(QStringLiteral("%1: %2").arg(dsn, q.lastError().text()));
        const bool existe = q.value(0).toInt() > 0;
        q.finish();
        if (existe && !sobrescribir)
            return fin(QStringLiteral("%1: la base de datos ya tiene las tablas del programa; use --forzar para "
                                      "borrarlas y crearlas de nuevo").arg(base.isEmpty() ? dsn : base));
        if (!db.transaction()) return fin(QStringLiteral("%1: %2").arg(dsn, db.lastError().text()));
        if (sobrescribir && (!q.exec(QStringLiteral("DROP SCHEMA IF EXISTS public CASCADE")) ||
                             !q.exec(QStringLiteral("CREATE SCHEMA public"))))
            return fin(QStringLiteral("%1: %2").arg(dsn, q.lastError().text()));
        auto ejecuta = [&](const QString& texto, const QString& archivo, bool adaptar) {
            for (const Sentencia& st : Divide(texto)) {
                const QString sql = adaptar ? DialectoSql::Adapta(st.texto, DialectoSql::Motor::Postgres) : st.texto;
                if (!q.exec(sql)) {
                    res.error = QStringLiteral("%1:%2: %3").arg(archivo).arg(st.linea).arg(q.lastError().text());
                    return false;
                }
                q.finish();
            }
            return true;
        };
        if (!ejecuta(textoEsquema, esquema, false) || (!datos.isEmpty() && !ejecuta(textoDatos, datos, true)))
            return fin(res.error);
        if (!db.commit()) return fin(QStringLiteral("%1: %2").arg(dsn, db.lastError().text()));
        q = QSqlQuery();
        db.close();
        res.ok = true;
        return res;
    }();
    QSqlDatabase::removeDatabase(nombre);
    return r;
}

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
