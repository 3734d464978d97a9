#include "support/Fixture.h"

#include "session/ClsConexion.h"
#include "session/CreaBaseDatos.h"
#include "session/InstalaUi.h"
#include "session/ModGlobal.h"

#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QUuid>

#include <stdexcept>

namespace Prueba {

QString RutaFuente(const QString& relativa) {
    QString base = qEnvironmentVariable("TALERUNA_SOURCE");
    if (base.isEmpty()) base = QStringLiteral(TALERUNA_SOURCE_DIR);
    return base + QLatin1Char('/') + relativa;
}

QString RutaBinario(const QString& relativa) {
    return qEnvironmentVariable("TALERUNA_BIN") + QLatin1Char('/') + relativa;
}

QString DsnPostgres() { return qEnvironmentVariable("TALERUNA_PG_DSN"); }

QString QuitaTabla(const QString& tabla) {
    return QStringLiteral("DROP TABLE ") + tabla + (DsnPostgres().isEmpty() ? QString() : QStringLiteral(" CASCADE"));
}

QString SoloLectura() {
    return DsnPostgres().isEmpty() ? QStringLiteral("PRAGMA query_only = 1")
                                   : QStringLiteral("SET default_transaction_read_only = on");
}

void EjecutaEnServidor(const QString& base, const QStringList& sentencias) {
    const QString nombre = QStringLiteral("prueba-pg-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), nombre);
        db.setDatabaseName(DsnPostgres() + QStringLiteral(";DATABASE=") + base);
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            QSqlQuery q(db);
            for (const QString& s : sentencias)
                if (!q.exec(s)) {
                    error = s + QStringLiteral(": ") + q.lastError().text();
                    break;
                }
            q = QSqlQuery();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(nombre);
    if (!error.isEmpty()) throw std::runtime_error(error.toStdString());
}

Corrida EjecutaPrograma(const QStringList& argumentos, const QProcessEnvironment& entorno, const QString& salidaEstandar,
                        int espera) {
    QProcess p;
    p.setProcessEnvironment(entorno);
    if (!salidaEstandar.isEmpty()) p.setStandardOutputFile(salidaEstandar);
    p.start(RutaBinario(QStringLiteral("conscpte")), argumentos);
    Corrida c;
    if (!p.waitForFinished(espera)) {
        p.kill();
        p.waitForFinished();
        return c;
    }
    c.codigo = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    c.salida = QString::fromUtf8(p.readAllStandardOutput());
    c.errores = QString::fromUtf8(p.readAllStandardError());
    return c;
}

Entorno::Entorno(Datos datos, const QString& semilla, bool conectar) {
    InstalaUi();
    // The scripted responder was installed by its constructor before InstalaUi
    // replaced it; put it back in charge.
    Dialogos::EstableceRespondedorMensajes(&respondedor);
    Dialogos::EstableceRespondedorErrores(&respondedor);
    if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
    qputenv("TALERUNA_CARPETA_APP", dir_.path().toUtf8());
    qputenv("TALERUNA_CARPETA_WINDOWS", dir_.path().toUtf8());
    qputenv("TALERUNA_DATOS", dir_.path().toUtf8());
    if (qEnvironmentVariableIsEmpty("TALERUNA_TERMINAL")) qputenv("TALERUNA_TERMINAL", "PUESTO01");
    if (qEnvironmentVariableIsEmpty("TALERUNA_USUARIO")) qputenv("TALERUNA_USUARIO", "admin");
    CarpetaApp = Carpeta();
    EstableceFinPrograma([](int codigo) { throw ProgramaTerminado{codigo}; });

    const QString dsn = DsnPostgres();
    if (!dsn.isEmpty()) {
        baseServidor_ = QStringLiteral("prueba_") + QUuid::createUuid().toString(QUuid::Id128);
        EjecutaEnServidor(QStringLiteral("postgres"),
                          {QStringLiteral("CREATE DATABASE %1 TEMPLATE %2 STRATEGY FILE_COPY")
                               .arg(baseServidor_, datos == Datos::Demo ? QStringLiteral("taleruna_demo")
                                                                        : QStringLiteral("taleruna_vacia"))});
    } else {
        base_ = dir_.path() + QStringLiteral("/prueba.db");
        const auto r = CreaBaseDatos::Crea(base_, RutaFuente(QStringLiteral("db/schema.sql")),
                                           datos == Datos::Demo ? RutaFuente(QStringLiteral("db/demo.sql")) : QString(), true);
        if (!r.ok) throw std::runtime_error(r.error.toStdString());
    }
    if (!conectar) return;
    ClsConexion& cnx = Conexion();
    cnx.Cierra();
    cnx.Servidor = dsn;
    cnx.BaseDatos = dsn.isEmpty() ? base_ : baseServidor_;
    cnx.Usuario.clear();
    cnx.Clave.clear();
    cnx.Conecta(false, 3);
    if (!cnx.Conectado()) throw std::runtime_error("no connection to the test database");
    if (!semilla.isEmpty()) Ejecuta(semilla);
}

Entorno::~Entorno() {
    FinalizaSistema();
    if (!baseServidor_.isEmpty()) {
        try {
            EjecutaEnServidor(QStringLiteral("postgres"),
                              {QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(baseServidor_)});
        } catch (const std::exception& e) {
            qWarning("test database %s not dropped: %s", qPrintable(baseServidor_), e.what());
        }
    }
    EstableceFinPrograma({});
    ParametroAdicional.clear();
    EstableceLineaComandos({});
}

QString Entorno::Carpeta() const { return dir_.path() + QLatin1Char('/'); }
QString Entorno::RutaBase() const { return base_; }
QString Entorno::Origen() const {
    return baseServidor_.isEmpty() ? QStringLiteral("@Server=;@DbName=%1;").arg(base_)
                                   : QStringLiteral("@Server=%1;@DbName=%2;").arg(DsnPostgres(), baseServidor_);
}

void Entorno::Ejecuta(const QString& sql) const {
    // Statements separated by ";" at line ends (seed rows of a test).
    const QStringList partes = sql.split(QStringLiteral(";\n"), Qt::SkipEmptyParts);
    for (QString p : partes) {
        p = p.trimmed();
        if (p.endsWith(QLatin1Char(';'))) p.chop(1);
        if (!p.isEmpty()) Conexion().EjecutaSql(p);
    }
}

void Entorno::EscribeArchivo(const QString& nombre, const QByteArray& contenido) const {
    QFile f(Carpeta() + nombre);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw std::runtime_error("cannot write test file");
    f.write(contenido);
}

} // namespace Prueba
