// A server reached through an ODBC data source: the session connects with
// DSN=, DATABASE=, UID=, PWD= through unixODBC and reads as on the embedded
// database. The data source here is a SQLite file behind the SQLite ODBC
// driver, declared in an odbc.ini of the test's own.
#include "session/ClsConexion.h"
#include "session/ModGlobal.h"
#include "support/Fixture.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

class TestOdbc : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void conectaPorOrigenDeDatos();

private:
    QString driver_;
    QTemporaryDir odbc_;  // odbc.ini and odbcinst.ini; unixODBC reads their place once per process
    QString archivo_;
};

void TestOdbc::initTestCase() {
    archivo_ = odbc_.filePath(QStringLiteral("servidor.db"));
    // The data sources already declared (the PostgreSQL test server's, that
    // the fixture uses) stay at hand beside the test's own.
    QByteArray declarados;
    if (QFile anterior(qEnvironmentVariable("ODBCINI")); !qEnvironmentVariableIsEmpty("ODBCINI") && anterior.open(QIODevice::ReadOnly))
        declarados = anterior.readAll() + "\n";
    qputenv("ODBCINI", odbc_.filePath(QStringLiteral("odbc.ini")).toUtf8());
    qputenv("ODBCSYSINI", odbc_.path().toUtf8());
    for (const char* d : {"/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so", "/usr/lib/aarch64-linux-gnu/odbc/libsqlite3odbc.so"})
        if (QFileInfo::exists(QLatin1String(d))) driver_ = QLatin1String(d);
    if (driver_.isEmpty()) QSKIP("SQLite ODBC driver (libsqliteodbc) not installed");
    QFile ini(odbc_.filePath(QStringLiteral("odbc.ini")));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(declarados + QStringLiteral("[TALERUNA_PRUEBA]\nDriver=%1\nDatabase=%2\n").arg(driver_, archivo_).toUtf8());
    ini.close();
    QFile inst(odbc_.filePath(QStringLiteral("odbcinst.ini")));
    QVERIFY(inst.open(QIODevice::WriteOnly));
    inst.close();
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC"))) QSKIP("Qt ODBC driver not installed");
}

void TestOdbc::conectaPorOrigenDeDatos() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, {}, false);
    const QString& archivo = archivo_;
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(archivo).constData(), &db), SQLITE_OK);
    QCOMPARE(sqlite3_exec(db,
                          "CREATE TABLE TA_CONFIGURACION (CLAVE TEXT, Valor TEXT);"
                          "INSERT INTO TA_CONFIGURACION VALUES (' NOMBRE ', 'O''HIGGINS SRL');",
                          nullptr, nullptr, nullptr),
             SQLITE_OK);
    sqlite3_close(db);

    EstableceLineaComandos(
        QStringLiteral("@Server=TALERUNA_PRUEBA;@DbName=%1;@Usuario=op;@Password=x;@ParametroAdicional=@TC=FC|;").arg(archivo));
    try {
        InicializaSistema();
    } catch (const Prueba::ProgramaTerminado&) {
        QFAIL(qPrintable(env.respondedor.mensajes.value(0).texto));
    }
    QVERIFY(Conexion().Conectado());
    QVERIFY(Conexion().Motor() == DialectoSql::Motor::Odbc);
    QCOMPARE(Conexion().Conexion().driverName(), QStringLiteral("QODBC"));
    QCOMPARE(CadenaConexion, QStringLiteral("DSN=TALERUNA_PRUEBA; UID=op; PWD=x"));
    QCOMPARE(Conexion().TextoConexion(), QStringLiteral("DSN=TALERUNA_PRUEBA;DATABASE=%1;UID=op;PWD=x").arg(archivo));
    QCOMPARE(Cfg(QStringLiteral("NOMBRE")), QStringLiteral("O'HIGGINS SRL"));
    QCOMPARE(Cfg(QStringLiteral("NoExiste")), QStringLiteral(" "));
    QVERIFY(env.respondedor.errores.isEmpty());
}

QTEST_GUILESS_MAIN(TestOdbc)
#include "test_odbc.moc"
