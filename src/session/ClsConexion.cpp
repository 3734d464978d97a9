#include "session/ClsConexion.h"

#include "session/Dialogos.h"
#include "session/ErrorEjecucion.h"
#include "session/Instancia.h"
#include "session/ModGlobal.h"
#include "session/PlantillaInsert.h"
#include "session/SqlLiteral.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlField>
#include <QSqlRecord>
#include <QSqlResult>
#include <QUuid>

#include <sqlite3.h>

#include <algorithm>

QList<TipoCampoSql> CamposSql;

namespace {
sqlite3* ManejadorSqlite(const QSqlDatabase& db) {
    if (!db.driver()) return nullptr;
    const QVariant v = db.driver()->handle();
    if (v.isValid() && qstrcmp(v.typeName(), "sqlite3*") == 0) return *static_cast<sqlite3* const*>(v.constData());
    return nullptr;
}

sqlite3_stmt* SentenciaSqlite(const QSqlQuery& q) {
    if (!q.result()) return nullptr;
    const QVariant v = q.result()->handle();
    if (v.isValid() && qstrcmp(v.typeName(), "sqlite3_stmt*") == 0)
        return *static_cast<sqlite3_stmt* const*>(v.constData());
    return nullptr;
}

// A value of an ODBC connection text: braced when it holds a ";" or braces,
// so it cannot add attributes of its own.
QString AtributoOdbc(const QString& v) {
    if (!v.contains(QLatin1Char(';')) && !v.contains(QLatin1Char('{')) && !v.contains(QLatin1Char('}'))) return v;
    QString e = v;
    e.replace(QLatin1Char('}'), QLatin1String("}}"));
    return QLatin1Char('{') + e + QLatin1Char('}');
}

constexpr int SegundosEsperaConexion = 10;

QString Recorta(const QString& s, int n = 400) { return s.size() > n ? s.left(n) + QStringLiteral("…") : s; }
} // namespace

QSqlDatabase AbreSqliteConColacion(const QString& ruta, const QString& nombreConexion, bool, int segundosEspera) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombreConexion);
    db.setDatabaseName(ruta);
    if (segundosEspera >= 0) db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(segundosEspera * 1000));
    if (!db.open()) return db;
    DialectoSql::RegistraColacion(ManejadorSqlite(db));
    return db;
}

ClsConexion::ClsConexion()
    : nombreConexion_(QStringLiteral("taleruna-") + QUuid::createUuid().toString(QUuid::WithoutBraces)) {}

ClsConexion::~ClsConexion() {
    Cierra();
}

QString ClsConexion::CarpetaDatos() {
    const QString env = qEnvironmentVariable("TALERUNA_DATOS");
    if (!env.isEmpty()) return QDir::cleanPath(env) + QLatin1Char('/');
    return CarpetaApp.isEmpty() ? ResuelveCarpetaApp() : CarpetaApp;
}

bool ClsConexion::EsArchivoSqlite(const QString& servidor) const {
    const QString s = servidor.trimmed();
    if (s.isEmpty()) return true;
    const QString l = s.toLower();
    if (l.endsWith(QLatin1String(".db")) || l.endsWith(QLatin1String(".sqlite")) ||
        l.endsWith(QLatin1String(".sqlite3")) || l.endsWith(QLatin1String(".db3")))
        return true;
    return s.contains(QLatin1Char('/')) && QFileInfo(s).isFile();
}

QString ClsConexion::ResuelveArchivo() const {
    QString nombre = BaseDatos.trimmed();
    if (nombre.isEmpty() && !Servidor.trimmed().isEmpty()) nombre = Servidor.trimmed();
    if (nombre.isEmpty()) return {};
    QString ruta = nombre;
    if (!nombre.contains(QLatin1Char('/')) && !nombre.contains(QLatin1Char('\\'))) ruta = CarpetaDatos() + nombre;
    if (!QFileInfo::exists(ruta) && QFileInfo(ruta).suffix().isEmpty() && QFileInfo::exists(ruta + QLatin1String(".db")))
        ruta += QLatin1String(".db");
    return ruta;
}

void ClsConexion::InformaFalloConexion(const QString& textoDriver) {
    // The password never reaches the screen: "PWD=" and "@Password" pieces are
    // masked, and so is the password itself wherever it shows up (a value
    // that swallowed the password piece, the driver repeating it).
    const QString clave = Clave.trimmed();
    auto oculta = [&clave](QString v) {
        static const QRegularExpression pieza(QStringLiteral("((?:\\bPWD|@Password)\\s*=)[^;\\n]*"),
                                              QRegularExpression::CaseInsensitiveOption);
        v.replace(pieza, QStringLiteral("\\1****"));
        if (clave.size() >= 4) v.replace(clave, QStringLiteral("****"));
        return v;
    };
    // The values come from the command line: control characters are shown as
    // "?" and a very long value is cut, so the message stays one readable box.
    auto visible = [](const QString& v, int n, bool conSaltos) {
        QString r = Recorta(v, n);
        for (QChar& c : r) {
            const char16_t u = c.unicode();
            if ((u < 0x20 && !(conSaltos && u == u'\n')) || (u >= 0x7F && u < 0xA0)) c = QLatin1Char('?');
        }
        return r;
    };
    const QString servidor = Servidor.trimmed().isEmpty() ? QStringLiteral("(base de datos local)") : Servidor.trimmed();
    const QString base = BaseDatos.trimmed().isEmpty() ? QStringLiteral("(sin nombre)") : BaseDatos.trimmed();
    QString texto = QStringLiteral("No se pudo conectar con la base de datos.\n\nServidor: %1\nBase de datos: %2")
                        .arg(visible(oculta(servidor), 120, false), visible(oculta(base), 200, false));
    const QString palabras = visible(oculta(textoDriver.trimmed()), 400, true);
    if (!palabras.isEmpty()) texto += QStringLiteral("\n\n") + palabras;
    Dialogos::MsgBox(texto, Dialogos::Botones::Aceptar, Dialogos::Icono::Critico,
                     QStringLiteral("Taleruna - Conexión"));
}

void ClsConexion::AbreSqlite(const QString& ruta) {
    motor_ = DialectoSql::Motor::Sqlite;
    if (ruta.isEmpty()) {
        InformaFalloConexion(QStringLiteral("No se indicó el archivo de la base de datos."));
        return;
    }
    if (!QFileInfo(ruta).isFile()) {
        InformaFalloConexion(QStringLiteral("El archivo de la base de datos no existe: %1").arg(ruta));
        return;
    }
    // The lock wait holds from the first statement on (the check below reads
    // the database): another workstation writing at start-up is waited for as
    // long as any statement would wait, not the driver's few seconds.
    QSqlDatabase db = AbreSqliteConColacion(ruta, nombreConexion_, false, tiempoEspera_);
    if (!db.isOpen()) {
        InformaFalloConexion(db.lastError().text());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(nombreConexion_);
        return;
    }
    // A file that is not a database opens fine and fails on the first read;
    // an empty file opens as a database without a single table.
    QSqlQuery prueba(db);
    const bool leida = prueba.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type IN ('table', 'view')"));
    const bool vacia = leida && prueba.next() && prueba.value(0).toInt() == 0;
    if (!leida || vacia) {
        InformaFalloConexion(leida ? QStringLiteral("El archivo no contiene ninguna tabla: %1").arg(ruta)
                                   : prueba.lastError().text());
        prueba = QSqlQuery();
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(nombreConexion_);
        return;
    }
    archivo_ = ruta;
    conectado_ = true;
    EstableceTiempoEspera(tiempoEspera_);
}

void ClsConexion::AbreOdbc() {
    motor_ = DialectoSql::Motor::Odbc;
    // The server is the name of a data source and nothing else: a value that
    // could carry attributes of its own (DRIVER=..., FILEDSN=...) would make
    // the driver manager load whatever library or file it names.
    const QString servidor = Servidor.trimmed();
    for (QChar c : {QLatin1Char('='), QLatin1Char(';'), QLatin1Char('{'), QLatin1Char('}')})
        if (servidor.contains(c)) {
            InformaFalloConexion(QStringLiteral("El servidor debe ser el nombre de un origen de datos ODBC; "
                                                "no puede contener \"=\", \";\" ni llaves."));
            return;
        }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC"))) {
        InformaFalloConexion(QStringLiteral("El controlador ODBC de Qt no está instalado."));
        return;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), nombreConexion_);
    // Qt's ODBC driver writes "DSN=" before the name and ";UID=", ";PWD=" after
    // it itself, so the text sent is DSN=..;DATABASE=..;UID=..;PWD=..
    QString nombre = servidor;
    if (!BaseDatos.trimmed().isEmpty()) nombre += QStringLiteral(";DATABASE=") + AtributoOdbc(BaseDatos.trimmed());
    db.setDatabaseName(nombre);
    db.setUserName(AtributoOdbc(Usuario));
    db.setPassword(AtributoOdbc(Clave));
    // A server that does not answer is given up after a few seconds (the
    // program then ends with the connection message), not the driver's default.
    db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1").arg(SegundosEsperaConexion));
    if (!db.open()) {
        InformaFalloConexion(db.lastError().text());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(nombreConexion_);
        return;
    }
    // The engine behind the data source, as its driver names it.
    if (db.driver() && db.driver()->dbmsType() == QSqlDriver::PostgreSQL) motor_ = DialectoSql::Motor::Postgres;
    conectado_ = true;
    EstableceTiempoEspera(tiempoEspera_);
}

void ClsConexion::Conecta(bool, int) {
    if (conectado_) return;
    if (EsArchivoSqlite(Servidor)) AbreSqlite(ResuelveArchivo());
    else AbreOdbc();
}

bool ClsConexion::Conectado() const { return conectado_ && Conexion().isOpen(); }

void ClsConexion::LimpiaPlantillas() {
    for (sqlite3_stmt* st : std::as_const(plantillas_)) sqlite3_finalize(st);
    plantillas_.clear();
}

void ClsConexion::Cierra() {
    transaccionAbierta_ = false;
    perdida_ = false;
    LimpiaPlantillas();
    for (const auto& r : resultados_)
        if (const auto d = r.lock()) d->Libera();
    resultados_.clear();
    // Only an open connection is registered with Qt (a failed attempt removes
    // its own registration), so an instance that never connected touches
    // nothing of Qt's: it may be released after Qt's registry is gone.
    if (!conectado_ || !QSqlDatabase::contains(nombreConexion_)) {
        conectado_ = false;
        archivo_.clear();
        return;
    }
    {
        QSqlDatabase db = QSqlDatabase::database(nombreConexion_, false);
        if (db.isOpen()) db.close();
    }
    QSqlDatabase::removeDatabase(nombreConexion_);
    conectado_ = false;
    archivo_.clear();
}

QSqlDatabase ClsConexion::Conexion() const { return QSqlDatabase::database(nombreConexion_, false); }

bool ClsConexion::RevisaTrasFallo() {
    // A refused statement on a server: when not even "SELECT 1" runs, the
    // server went away; the statement stays refused and the next one connects
    // again first (after the end of a transaction that was open: the
    // transaction went with the connection). Through psqlODBC a failed
    // statement undoes only itself, so inside a live transaction the check
    // runs as anywhere else.
    if (motor_ != DialectoSql::Motor::Postgres) return false;
    QSqlQuery prueba(Conexion());
    if (!prueba.exec(QStringLiteral("SELECT 1"))) perdida_ = true;
    return false;
}

void ClsConexion::ExigeConexion() const {
    // A server connection that went away is closed until Reanuda opens it
    // again (also after an attempt failed while the server was down).
    if (!conectado_ || (!perdida_ && !Conexion().isOpen()))
        throw ErrorEjecucion(ErrorEjecucion::ErrorBaseDatos, QStringLiteral("No hay una conexión abierta con la base de datos."));
}

void ClsConexion::Reanuda() {
    if (!perdida_) return;
    // Its earlier statements are gone with the connection: the rest of the
    // transaction must not run on a new one as if they had landed.
    if (transaccionAbierta_)
        throw ErrorEjecucion(ErrorEjecucion::ErrorBaseDatos,
                             QStringLiteral("Se perdió la conexión con el servidor %1 en medio de una transacción: "
                                            "la transacción se deshizo.")
                                 .arg(Servidor.trimmed()));
    QSqlDatabase db = Conexion();
    db.close();
    if (!db.open())
        throw ErrorEjecucion(ErrorEjecucion::ErrorBaseDatos,
                             QStringLiteral("No se pudo volver a conectar con el servidor %1.\n%2")
                                 .arg(Servidor.trimmed(), db.lastError().text()));
    perdida_ = false;
    EstableceTiempoEspera(tiempoEspera_);
}

void ClsConexion::EstableceTiempoEspera(int segundos) {
    tiempoEspera_ = segundos;
    if (!conectado_) return;
    if (motor_ == DialectoSql::Motor::Sqlite) {
        if (sqlite3* h = ManejadorSqlite(Conexion())) sqlite3_busy_timeout(h, segundos * 1000);
    } else if (motor_ == DialectoSql::Motor::Postgres) {
        // A statement waiting for a lock another session holds gives up after
        // the time-out with the server's "canceling statement due to lock
        // timeout" (0: waits without end, as PostgreSQL does by default).
        QSqlQuery q(Conexion());
        q.exec(QStringLiteral("SET lock_timeout = ") + QString::number(qMax(0, segundos) * 1000));
    }
}

QString ClsConexion::Dsn() const { return motor_ == DialectoSql::Motor::Sqlite ? archivo_ : Servidor.trimmed(); }
QString ClsConexion::Uid() const { return Usuario; }
QString ClsConexion::Pwd() const { return Clave; }

QString ClsConexion::TextoConexion() const {
    if (motor_ == DialectoSql::Motor::Sqlite && EsArchivoSqlite(Servidor))
        return QStringLiteral("DATABASE=%1").arg(archivo_.isEmpty() ? ResuelveArchivo() : archivo_);
    return QStringLiteral("DSN=%1;DATABASE=%2;UID=%3;PWD=%4")
        .arg(AtributoOdbc(Servidor.trimmed()), AtributoOdbc(BaseDatos.trimmed()), AtributoOdbc(Usuario), AtributoOdbc(Clave));
}

QString ClsConexion::Adapta(const QString& sentencia) const { return DialectoSql::Adapta(sentencia, motor_); }

Recordset ClsConexion::AbreRecordset(const QString& sentencia, int, int, int) {
    ExigeConexion();
    if (motor_ == DialectoSql::Motor::Sqlite)
        if (sqlite3* h = ManejadorSqlite(Conexion())) return AbreRecordsetSqlite(h, sentencia);
    Reanuda();
    auto d = std::make_shared<Recordset::Datos>();
    d->consulta = QSqlQuery(Conexion());
    d->consulta.setForwardOnly(true);
    d->consulta.setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (!d->consulta.exec(Adapta(sentencia)) && !RevisaTrasFallo())
        throw ErrorEjecucion(ErrorEjecucion::ErrorBaseDatos,
                             QStringLiteral("%1\nSentencia: %2").arg(d->consulta.lastError().text(), Recorta(sentencia)));
    const QSqlRecord rec = d->consulta.record();
    sqlite3_stmt* st = motor_ == DialectoSql::Motor::Sqlite ? SentenciaSqlite(d->consulta) : nullptr;
    for (int i = 0; i < rec.count(); ++i) {
        d->nombres.append(motor_ == DialectoSql::Motor::Postgres ? DialectoSql::GrafiaColumna(rec.fieldName(i), sentencia)
                                                                 : rec.fieldName(i));
        Recordset::Datos::Clase clase = Recordset::Datos::Clase::Otro;
        if (st) {
            const char* decl = sqlite3_column_decltype(st, i);
            const QByteArray tipo = QByteArray(decl ? decl : "").toUpper();
            if (tipo.contains("DATETIME") || tipo.contains("TIMESTAMP")) clase = Recordset::Datos::Clase::FechaHora;
            else if (tipo.contains("DATE")) clase = Recordset::Datos::Clase::Fecha;
        }
        if (motor_ == DialectoSql::Motor::Postgres && rec.field(i).metaType().id() == QMetaType::Double)
            clase = Recordset::Datos::Clase::Decimal;
        d->clases.append(clase);
    }
    d->hayFila = d->consulta.next();
    d->vacio = !d->hayFila;
    Registra(d);
    return Recordset(d);
}

void ClsConexion::Registra(const std::shared_ptr<Recordset::Datos>& d) {
    // Results already dropped are forgotten now and then.
    if (resultados_.size() >= 64)
        resultados_.erase(std::remove_if(resultados_.begin(), resultados_.end(), [](const auto& r) { return r.expired(); }),
                          resultados_.end());
    resultados_.push_back(d);
}

Recordset ClsConexion::AbreRecordsetSqlite(sqlite3* h, const QString& sentencia) {
    // The statement is compiled and stepped as Qt's driver does (one
    // statement only, its first row read at once), with the same error texts.
    const QString texto = Adapta(sentencia);
    auto d = std::make_shared<Recordset::Datos>();
    const auto falla = [&](const QString& motivo) {
        const QString mensaje = QString(static_cast<const QChar*>(sqlite3_errmsg16(h))) + QLatin1Char(' ') + motivo;
        d->Libera();
        throw ErrorEjecucion(ErrorEjecucion::ErrorBaseDatos, QStringLiteral("%1\nSentencia: %2").arg(mensaje, Recorta(sentencia)));
    };
    const void* resto = nullptr;
    if (sqlite3_prepare16_v2(h, texto.constData(), static_cast<int>((texto.size() + 1) * static_cast<qsizetype>(sizeof(QChar))),
                             &d->sentencia, &resto) != SQLITE_OK)
        falla(QStringLiteral("Unable to execute statement"));
    if (resto && !QString(static_cast<const QChar*>(resto)).trimmed().isEmpty())
        falla(QStringLiteral("Unable to execute multiple statements at a time"));
    if (!d->sentencia)
        throw ErrorEjecucion(ErrorEjecucion::ErrorBaseDatos,
                             QStringLiteral("No query Unable to fetch row\nSentencia: %1").arg(Recorta(sentencia)));
    const int columnas = sqlite3_column_count(d->sentencia);
    d->nombres.reserve(columnas);
    d->clases.reserve(columnas);
    for (int i = 0; i < columnas; ++i) {
        QString nombre = QString(static_cast<const QChar*>(sqlite3_column_name16(d->sentencia, i))).remove(QLatin1Char('"'));
        const qsizetype punto = nombre.lastIndexOf(QLatin1Char('.'));
        if (punto >= 0) nombre = nombre.mid(punto + 1);
        d->nombres.append(nombre);
        const char* decl = sqlite3_column_decltype(d->sentencia, i);
        const QByteArray tipo = QByteArray(decl ? decl : "").toUpper();
        Recordset::Datos::Clase clase = Recordset::Datos::Clase::Otro;
        if (tipo.contains("DATETIME") || tipo.contains("TIMESTAMP")) clase = Recordset::Datos::Clase::FechaHora;
        else if (tipo.contains("DATE")) clase = Recordset::Datos::Clase::Fecha;
        d->clases.append(clase);
    }
    const int paso = sqlite3_step(d->sentencia);
    if (paso != SQLITE_ROW && paso != SQLITE_DONE) {
        sqlite3_reset(d->sentencia);
        falla(QStringLiteral("Unable to fetch row"));
    }
    d->hayFila = paso == SQLITE_ROW;
    d->vacio = !d->hayFila;
    if (!d->hayFila) sqlite3_reset(d->sentencia);
    Registra(d);
    return Recordset(d);
}

void ClsConexion::CierraRecordset(Recordset& rs) { rs.Cierra(); }

void ClsConexion::EjecutaSql(const QString& sentencia) {
    ExigeConexion();
    QString plantilla;
    QVariantList valores;
    sqlite3* h = motor_ == DialectoSql::Motor::Sqlite ? ManejadorSqlite(Conexion()) : nullptr;
    if (h && PlantillaInsert::Separa(sentencia, plantilla, valores)) {
        // One row of a writer: its template is compiled once and run with the
        // row's values, bound as Qt's driver binds them, so the engine stores
        // exactly what the literals say.
        const auto falla = [&](const QString& motivo) {
            throw ErrorEjecucion(ErrorEjecucion::ErrorBaseDatos,
                                 QStringLiteral("%1 %2\nSentencia: %3")
                                     .arg(QString(static_cast<const QChar*>(sqlite3_errmsg16(h))), motivo, Recorta(sentencia)));
        };
        auto it = plantillas_.find(plantilla);
        if (it == plantillas_.end()) {
            if (plantillas_.size() >= 64) LimpiaPlantillas();
            sqlite3_stmt* nueva = nullptr;
            if (sqlite3_prepare16_v2(h, plantilla.constData(), static_cast<int>(plantilla.size() * static_cast<qsizetype>(sizeof(QChar))),
                                     &nueva, nullptr) != SQLITE_OK || !nueva) {
                sqlite3_finalize(nueva);
                falla(QStringLiteral("Unable to execute statement"));
            }
            it = plantillas_.insert(plantilla, nueva);
        }
        sqlite3_stmt* st = *it;
        for (qsizetype k = 0; k < valores.size(); ++k) {
            const QVariant& v = valores.at(k);
            const int n = static_cast<int>(k) + 1;
            switch (v.metaType().id()) {
            case QMetaType::LongLong:
                sqlite3_bind_int64(st, n, v.toLongLong());
                break;
            case QMetaType::Double:
                sqlite3_bind_double(st, n, v.toDouble());
                break;
            case QMetaType::QString: {
                const QString* texto = static_cast<const QString*>(v.constData());
                if (texto->isNull())
                    sqlite3_bind_null(st, n);
                else
                    sqlite3_bind_text16(st, n, texto->constData(), static_cast<int>(texto->size() * static_cast<qsizetype>(sizeof(QChar))),
                                        SQLITE_STATIC);
                break;
            }
            default:
                sqlite3_bind_null(st, n);
                break;
            }
        }
        const int paso = sqlite3_step(st);
        // Reset at once: the statement holds no lock between rows, and its
        // texts (bound without a copy) are let go before the values are.
        sqlite3_reset(st);
        sqlite3_clear_bindings(st);
        if (paso != SQLITE_DONE && paso != SQLITE_ROW) {
            filasAfectadas_ = 0;
            falla(QStringLiteral("Unable to fetch row"));
        }
        filasAfectadas_ = sqlite3_changes(h);
        return;
    }
    Reanuda();
    QSqlQuery q(Conexion());
    if (!q.exec(Adapta(sentencia)) && !RevisaTrasFallo())
        throw ErrorEjecucion(ErrorEjecucion::ErrorBaseDatos,
                             QStringLiteral("%1\nSentencia: %2").arg(q.lastError().text(), Recorta(sentencia)));
    filasAfectadas_ = q.numRowsAffected();
    // A statement that changes the schema leaves compiled templates stale.
    if (!plantillas_.isEmpty() && !sentencia.trimmed().startsWith(QLatin1String("INSERT"), Qt::CaseInsensitive) &&
        !sentencia.trimmed().startsWith(QLatin1String("DELETE"), Qt::CaseInsensitive) &&
        !sentencia.trimmed().startsWith(QLatin1String("UPDATE"), Qt::CaseInsensitive))
        LimpiaPlantillas();
}

QVariant ClsConexion::ObtieneDescripcion(const QString& tabla, const QVariant& clave, const QString& columnaResultado,
                                         const QString& columnaClave, int tipoClave, const QString& condicion) {
    const QString literal = tipoClave == 8 ? SqlLiteral::Texto(clave) : SqlLiteral::Numero(clave);
    QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE %3 = %4").arg(columnaResultado, tabla, columnaClave, literal);
    if (!condicion.trimmed().isEmpty()) sql += QStringLiteral(" AND ") + condicion;
    Recordset rs = AbreRecordset(sql);
    if (rs.Eof()) return QString();
    const QVariant v = rs.Campo(0);
    return v.isNull() ? QVariant(QString()) : v;
}

bool ClsConexion::ExisteCodigo(const QString& tabla, const QVariant& valor, const QString& columnaClave,
                               const QVariant&, int tipoClave, const QString& condicion) {
    const QString literal = tipoClave == 8 ? SqlLiteral::Texto(valor) : SqlLiteral::Numero(valor);
    QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE %1 = %3").arg(columnaClave, tabla, literal);
    if (!condicion.trimmed().isEmpty()) sql += QStringLiteral(" AND ") + condicion;
    Recordset rs = AbreRecordset(sql);
    return !rs.Eof();
}

void ClsConexion::ArmaInsert(QString& cabeza, const QList<TipoCampoSql>& campos, bool) const {
    // Each pair must hold a column name and one finished literal (NULL, a
    // number, or a quoted text as FormateaValorSql writes it): anything else
    // would splice raw text into the statement, so it is refused unsent.
    // A column name: a plain identifier or a bracketed name.
    auto esNombre = [](const QString& n) {
        if (n.size() >= 3 && n.front() == QLatin1Char('[') && n.back() == QLatin1Char(']'))
            return !QStringView(n).mid(1, n.size() - 2).contains(QLatin1Char(']'));
        auto letra = [](QChar c) {
            return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                   c == QLatin1Char('_');
        };
        if (n.isEmpty() || !letra(n.front())) return false;
        for (QChar c : n)
            if (!letra(c) && !(c >= QLatin1Char('0') && c <= QLatin1Char('9'))) return false;
        return true;
    };
    QStringList columnas, valores;
    for (const TipoCampoSql& c : campos) {
        const QString campo = c.Campo.trimmed();
        if (campo.isEmpty()) continue;
        if (!esNombre(campo))
            throw ErrorEjecucion(ErrorEjecucion::LlamadaNoValida,
                                 QStringLiteral("Nombre de columna no válido: \"%1\"; la sentencia no se arma.").arg(Recorta(campo, 60)));
        const QString valor = c.Valor.trimmed();
        if (!valor.isEmpty() && valor.compare(QLatin1String("NULL"), Qt::CaseInsensitive) != 0 &&
            !SqlLiteral::EsNumero(valor) && !SqlLiteral::EsTextoSql(valor))
            throw ErrorEjecucion(ErrorEjecucion::TipoNoCoincide,
                                 QStringLiteral("El valor de %1 no es un literal SQL: %2; la sentencia no se arma.")
                                     .arg(campo, Recorta(c.Valor, 60)));
        columnas << campo;
        valores << (valor.isEmpty() ? QStringLiteral("NULL") : c.Valor);
    }
    cabeza = cabeza.trimmed() + QStringLiteral(" (") + columnas.join(QLatin1Char(',')) + QStringLiteral(") VALUES (") +
             valores.join(QLatin1Char(',')) + QLatin1Char(')');
}

QString ClsConexion::FormateaValorSql(const QVariant& valor, const QString& delimitador) const {
    return SqlLiteral::Literal(valor, delimitador);
}

void ClsConexion::IniciaTransaccion() {
    ExigeConexion();
    // A connection lost before is opened again now: inside the transaction
    // it could not be any more.
    Reanuda();
    if (motor_ == DialectoSql::Motor::Sqlite) {
        // The embedded database takes its write lock when the transaction
        // starts: two workstations writing at once then wait for each other
        // (within the command time-out) instead of both reading, then one
        // failing halfway with "database is locked".
        QSqlQuery q(Conexion());
        if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
            throw ErrorEjecucion(ErrorEjecucion::ErrorBaseDatos, q.lastError().text());
    } else if (!Conexion().transaction()) {
        throw ErrorEjecucion(ErrorEjecucion::ErrorBaseDatos, Conexion().lastError().text());
    }
    transaccionAbierta_ = true;
}

void ClsConexion::ConfirmaTransaccion() {
    // A transaction whose connection was lost is not there to commit.
    if (perdida_ && transaccionAbierta_) {
        DeshaceTransaccion();
        throw ErrorEjecucion(ErrorEjecucion::ErrorBaseDatos,
                             QStringLiteral("Se perdió la conexión con el servidor %1: la transacción no se confirmó.")
                                 .arg(Servidor.trimmed()));
    }
    if (!Conexion().commit()) throw ErrorEjecucion(ErrorEjecucion::ErrorBaseDatos, Conexion().lastError().text());
    transaccionAbierta_ = false;
}

void ClsConexion::DeshaceTransaccion() {
    Conexion().rollback();
    transaccionAbierta_ = false;
}

bool ClsConexion::EnTransaccion() const {
    if (!Conectado()) return false;
    // SQLite knows whether any transaction is open, also one begun by a
    // statement; through ODBC, only those begun here are known.
    if (sqlite3* h = ManejadorSqlite(Conexion())) return sqlite3_get_autocommit(h) == 0;
    return transaccionAbierta_;
}

ClsConexion& Conexion() { return InstanciaUnica<ClsConexion>::Obtiene(); }
