// The database server as a first-class engine. The same cases run on the
// embedded database and, under scripts/postgres.sh (TALERUNA_PG_DSN set), on
// a PostgreSQL server reached through ODBC: text keys ignore letter case and
// trailing blanks, awkward values go in and come back as they were, a
// statement blocked by another session's lock gives up after the time-out,
// and the server named on the command line is only ever a data source name.
#include "session/ClsConexion.h"
#include "session/ErrorEjecucion.h"
#include "session/SqlLiteral.h"
#include "support/Fixture.h"

#include "session/CreaBaseDatos.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QtTest>

class TestServidor : public QObject {
    Q_OBJECT
private slots:
    void motorDetectado();
    void clavesIgnoranMayusculasYBlancosFinales_data();
    void clavesIgnoranMayusculasYBlancosFinales();
    void valoresDificilesIdaYVuelta_data();
    void valoresDificilesIdaYVuelta();
    void barrasInvertidasConCualquierAjusteDelServidor();
    void sentenciaBloqueadaSeRindeTrasElTiempo();
    void servidorSeVaYVuelve();
    void exportarIgualEnAmbosMotores();
    void servidorConAtributosSeRechaza_data();
    void servidorConAtributosSeRechaza();
};

void TestServidor::motorDetectado() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    const bool pg = !Prueba::DsnPostgres().isEmpty();
    QCOMPARE(Conexion().Motor() == DialectoSql::Motor::Postgres, pg);
    QCOMPARE(Conexion().Adapta(QStringLiteral("DELETE Aux_MV_Cpte WHERE TC = 'FC'")).startsWith(
                 QLatin1String("DELETE FROM Aux_MV_Cpte")),
             true);
    // The demo company and its stock, kept by the database's own triggers.
    Recordset rs = Conexion().AbreRecordset(
        QStringLiteral("SELECT SUM(CANTIDAD) AS S FROM STK_SERIES_Y_LOTES WHERE IDARTICULO = 'cab-001  '"));
    Recordset mov = Conexion().AbreRecordset(
        QStringLiteral("SELECT SUM(Cantidad) AS S FROM V_MV_STOCK WHERE IdArticulo = 'CAB-001'"));
    QVERIFY(!rs.Eof() && !mov.Eof());
    QVERIFY(rs.Campo(QStringLiteral("S")).toDouble() > 0);
    QCOMPARE(rs.Campo(QStringLiteral("S")).toDouble(), mov.Campo(QStringLiteral("s")).toDouble());
    Recordset asiento = Conexion().AbreRecordset(
        QStringLiteral("SELECT COUNT(*) AS N FROM MV_ASIENTOS WHERE [NUMERO ASIENTO] > 0"));
    QVERIFY(asiento.Campo(0).toInt() > 0);
}

void TestServidor::clavesIgnoranMayusculasYBlancosFinales_data() {
    QTest::addColumn<QString>("tabla");
    QTest::addColumn<QString>("columna");
    QTest::addColumn<QString>("clave");
    QTest::addColumn<bool>("existe");
    QTest::newRow("tipo con blancos finales") << "V_TA_CPTE" << "CODIGO" << "FC  " << true;
    QTest::newRow("tipo en minusculas") << "V_TA_CPTE" << "CODIGO" << "fc" << true;
    QTest::newRow("blanco al frente cuenta") << "V_TA_CPTE" << "CODIGO" << " FC" << false;
    QTest::newRow("articulo mezclado") << "V_MA_ARTICULOS" << "IDARTICULO" << "Cab-001 " << true;
    QTest::newRow("otro articulo") << "V_MA_ARTICULOS" << "IDARTICULO" << "CAB-0010" << false;
}

void TestServidor::clavesIgnoranMayusculasYBlancosFinales() {
    QFETCH(QString, tabla);
    QFETCH(QString, columna);
    QFETCH(QString, clave);
    QFETCH(bool, existe);
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    QCOMPARE(Conexion().ExisteCodigo(tabla, clave, columna), existe);
}

void TestServidor::valoresDificilesIdaYVuelta_data() {
    QTest::addColumn<QString>("valor");
    QTest::newRow("apostrofe") << QStringLiteral("O'Higgins");
    QTest::newRow("barra invertida") << QStringLiteral("C:\\reportes\\'x'\\");
    QTest::newRow("porcentaje y guion bajo") << QStringLiteral("50% _a_");
    QTest::newRow("letras no latinas") << QStringLiteral("Ñandú 扳手 Ωμέγα");
    QTest::newRow("cien caracteres") << QString(100, QLatin1Char('z'));
}

void TestServidor::valoresDificilesIdaYVuelta() {
    QFETCH(QString, valor);
    Prueba::Entorno env;
    Conexion().EjecutaSql(QStringLiteral("INSERT INTO VT_CLIENTES (CODIGO, NOMBRE) VALUES (") + SqlLiteral::Texto(valor) +
                          QStringLiteral(", ") + SqlLiteral::Texto(valor) + QStringLiteral(")"));
    QCOMPARE(Conexion().ObtieneDescripcion(QStringLiteral("VT_CLIENTES"), valor.toUpper() + QStringLiteral("  "),
                                           QStringLiteral("NOMBRE"), QStringLiteral("CODIGO"))
                 .toString(),
             valor);
    Conexion().EjecutaSql(QStringLiteral("DELETE VT_CLIENTES WHERE CODIGO = ") + SqlLiteral::Texto(valor.toLower()));
    QCOMPARE(Conexion().FilasAfectadas(), 1);
}

void TestServidor::barrasInvertidasConCualquierAjusteDelServidor() {
    if (Prueba::DsnPostgres().isEmpty()) QSKIP("needs the PostgreSQL test server (scripts/postgres.sh)");
    for (const char* ajuste : {"on", "off"}) {
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, {}, false);
        Prueba::EjecutaEnServidor(QStringLiteral("postgres"),
                                  {QStringLiteral("ALTER DATABASE %1 SET standard_conforming_strings = %2")
                                       .arg(env.BaseServidor(), QLatin1String(ajuste))});
        ClsConexion& cnx = Conexion();
        cnx.Cierra();
        cnx.Servidor = Prueba::DsnPostgres();
        cnx.BaseDatos = env.BaseServidor();
        cnx.Conecta();
        QVERIFY(cnx.Conectado());
        const QString valor = QStringLiteral("\\' OR 1=1 --\\\\n");
        cnx.EjecutaSql(QStringLiteral("INSERT INTO VT_CLIENTES (CODIGO, NOMBRE) VALUES ('A', ") + SqlLiteral::Texto(valor) +
                       QStringLiteral(")"));
        QCOMPARE(cnx.ObtieneDescripcion(QStringLiteral("VT_CLIENTES"), QStringLiteral("a"), QStringLiteral("NOMBRE"),
                                        QStringLiteral("CODIGO"))
                     .toString(),
                 valor);
    }
}

void TestServidor::sentenciaBloqueadaSeRindeTrasElTiempo() {
    if (Prueba::DsnPostgres().isEmpty()) QSKIP("needs the PostgreSQL test server (scripts/postgres.sh)");
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    // Another workstation holds the staging table in a transaction it does not end.
    const QString nombre = QStringLiteral("otro-puesto-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    {
        QSqlDatabase otro = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), nombre);
        otro.setDatabaseName(Prueba::DsnPostgres() + QStringLiteral(";DATABASE=") + env.BaseServidor());
        QVERIFY2(otro.open(), qPrintable(otro.lastError().text()));
        QVERIFY(otro.transaction());
        QSqlQuery q(otro);
        QVERIFY2(q.exec(QStringLiteral("LOCK TABLE Aux_MV_Cpte IN ACCESS EXCLUSIVE MODE")), qPrintable(q.lastError().text()));

        Conexion().EstableceTiempoEspera(2);
        QElapsedTimer reloj;
        reloj.start();
        bool rechazada = false;
        try {
            Conexion().EjecutaSql(QStringLiteral("DELETE Aux_MV_Cpte WHERE Usuario = 'PUESTO01|admin'"));
        } catch (const ErrorEjecucion& e) {
            rechazada = true;
            QVERIFY2(e.Descripcion().contains(QLatin1String("lock timeout")), qPrintable(e.Descripcion()));
        }
        QVERIFY2(rechazada, "a blocked statement reported success");
        QVERIFY2(reloj.elapsed() < 30000, "the statement waited far past its time-out");
        // Once the lock is gone the same statement runs.
        otro.rollback();
        q = QSqlQuery();
        otro.close();
        Conexion().EjecutaSql(QStringLiteral("DELETE Aux_MV_Cpte WHERE Usuario = 'PUESTO01|admin'"));
    }
    QSqlDatabase::removeDatabase(nombre);
}

void TestServidor::servidorSeVaYVuelve() {
    if (Prueba::DsnPostgres().isEmpty()) QSKIP("needs the PostgreSQL test server (scripts/postgres.sh)");
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    Recordset pid = Conexion().AbreRecordset(QStringLiteral("SELECT pg_backend_pid() AS PID"));
    const QString proceso = pid.Campo(0).toString();
    pid.Cierra();
    // The server ends the session's connection, as when it stops.
    Prueba::EjecutaEnServidor(QStringLiteral("postgres"), {QStringLiteral("SELECT pg_terminate_backend(%1)").arg(proceso)});
    QElapsedTimer reloj;
    reloj.start();
    bool rechazada = false;
    try {
        Conexion().EjecutaSql(QStringLiteral("DELETE Aux_MV_Cpte WHERE Usuario = 'PUESTO01|admin'"));
    } catch (const ErrorEjecucion&) {
        rechazada = true;
    }
    QVERIFY2(rechazada, "a statement on a lost connection reported success");
    QVERIFY(reloj.elapsed() < 30000);
    // Retry: the next statement connects again and runs.
    QCOMPARE(Conexion().ObtieneDescripcion(QStringLiteral("V_TA_CPTE"), QStringLiteral("fc"), QStringLiteral("DESCRIPCION"),
                                           QStringLiteral("CODIGO"))
                 .toString(),
             QStringLiteral("FACTURA"));
    Recordset otro = Conexion().AbreRecordset(QStringLiteral("SELECT pg_backend_pid() AS PID"));
    QVERIFY(otro.Campo(0).toString() != proceso);
}

void TestServidor::exportarIgualEnAmbosMotores() {
    if (Prueba::DsnPostgres().isEmpty()) QSKIP("needs the PostgreSQL test server (scripts/postgres.sh)");
    // Every demo voucher, shown by the program on the embedded database and
    // on the server, gives the same text.
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    const QString archivo = env.Carpeta() + QStringLiteral("demo.db");
    QVERIFY(CreaBaseDatos::Crea(archivo, Prueba::RutaFuente(QStringLiteral("db/schema.sql")),
                                Prueba::RutaFuente(QStringLiteral("db/demo.sql")), true)
                .ok);
    QStringList parametros;
    Recordset v = Conexion().AbreRecordset(QStringLiteral("SELECT TC, IDCOMPROBANTE FROM V_MV_CPTE ORDER BY ID"));
    for (; !v.Eof(); v.MoveNext()) {
        const QString id = v.Campo(1).toString().trimmed();
        parametros << QStringLiteral("@TC=%1|@Sucursal=%2|@Numero=%3|@Letra=%4|@PConsultaSolamente=SI|")
                          .arg(v.Campo(0).toString().trimmed(), id.left(4), id.mid(4, 8), id.mid(12));
    }
    Recordset c = Conexion().AbreRecordset(QStringLiteral("SELECT TC, IDCOMPROBANTE, CUENTA FROM C_MV_CPTE ORDER BY ID"));
    for (; !c.Eof(); c.MoveNext()) {
        const QString id = c.Campo(1).toString().trimmed();
        parametros << QStringLiteral("@GestionCompras=SI|@TC=%1|@Sucursal=%2|@Numero=%3|@Letra=%4|@Proveedor=%5|@PConsultaSolamente=SI|")
                          .arg(c.Campo(0).toString().trimmed(), id.left(4), id.mid(4, 8), id.mid(12),
                               c.Campo(2).toString().trimmed());
    }
    QVERIFY(parametros.size() > 10);
    auto exporta = [](const QString& conexion) {
        QProcess p;
        p.setProgram(Prueba::RutaBinario(QStringLiteral("conscpte")));
        p.setArguments({QStringLiteral("--exportar"), QStringLiteral("-"), conexion});
        p.start();
        if (!p.waitForFinished(120000)) return QByteArray("(no terminó)");
        return p.readAllStandardOutput() + "\n[estado " + QByteArray::number(p.exitCode()) + "]";
    };
    for (const QString& par : parametros) {
        const QByteArray embebida = exporta(QStringLiteral("@Server=;@DbName=%1;@ParametroAdicional=%2;").arg(archivo, par));
        const QByteArray servidor = exporta(QStringLiteral("@Server=%1;@DbName=%2;@ParametroAdicional=%3;")
                                                .arg(Prueba::DsnPostgres(), env.BaseServidor(), par));
        QVERIFY2(embebida.size() > 100, qPrintable(par));
        QCOMPARE(QString::fromUtf8(servidor), QString::fromUtf8(embebida));
    }
}

void TestServidor::servidorConAtributosSeRechaza_data() {
    QTest::addColumn<QString>("servidor");
    QString driver;
    for (const char* d : {"/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so", "/usr/lib/aarch64-linux-gnu/odbc/libsqlite3odbc.so"})
        if (QFileInfo::exists(QLatin1String(d))) driver = QLatin1String(d);
    // With the driver named here the manager would load it and open the file:
    // the refusal is what keeps the library out of the process.
    if (!driver.isEmpty()) QTest::newRow("DRIVER= con una biblioteca") << QStringLiteral("DRIVER=") + driver;
    QTest::newRow("punto y coma") << QStringLiteral("taleruna_pg;DRIVER=/tmp/x.so");
    QTest::newRow("llaves") << QStringLiteral("{taleruna_pg}");
    QTest::newRow("FILEDSN") << QStringLiteral("FILEDSN=/tmp/x.dsn");
}

void TestServidor::servidorConAtributosSeRechaza() {
    QFETCH(QString, servidor);
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo, {}, false);
    ClsConexion& cnx = Conexion();
    cnx.Cierra();
    cnx.Servidor = servidor;
    // A database the named driver could open, were it ever loaded.
    cnx.BaseDatos = env.RutaBase().isEmpty() ? QStringLiteral("prueba") : env.RutaBase();
    cnx.Clave = QStringLiteral("secreta99");
    cnx.Conecta();
    QVERIFY(!cnx.Conectado());
    QCOMPARE(env.respondedor.mensajes.size(), 1);
    const QString texto = env.respondedor.mensajes.first().texto;
    QVERIFY2(texto.startsWith(QLatin1String("No se pudo conectar con la base de datos.")), qPrintable(texto));
    QVERIFY2(texto.contains(QLatin1String("nombre de un origen de datos")), qPrintable(texto));
    QVERIFY(!texto.contains(QLatin1String("secreta99")));
}

QTEST_MAIN(TestServidor)
#include "test_servidor.moc"
