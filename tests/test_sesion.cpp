// Session start-up: the command line, the form parameters, connecting and
// shutting down.
#include "printing/ClsReporte.h"
#include "session/ClsBusqueda.h"
#include "session/ClsConexion.h"
#include "session/ErrorEjecucion.h"
#include "session/ModGlobal.h"
#include "support/Fixture.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

class TestSesion : public QObject {
    Q_OBJECT
private slots:
    void valorLineaComandos_data();
    void valorLineaComandos();
    void obtieneParametro_data();
    void obtieneParametro();
    void obtieneParametroSinBarraEsError5();
    void obtieneParametroBasura();
    void argumentosDelPrograma();
    void inicializaConecta();
    void inicializaDosVecesNoRelee();
    void falloDeConexion_data();
    void falloDeConexion();
    void lineasBasura_data();
    void lineasBasura();
    void lineaLargaConPiezasAlFinal();
    void programaSinConexion_data();
    void programaSinConexion();
    void servidorPostgresInalcanzable_data();
    void servidorPostgresInalcanzable();
    void finalizaCierraYLibera();
};

void TestSesion::valorLineaComandos_data() {
    QTest::addColumn<QString>("linea");
    QTest::addColumn<QString>("clave");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("clave en minusculas") << "@server=SRV01;@DbName=EMP;" << "@Server" << "SRV01";
    QTest::newRow("blancos e igual") << "@Server = SRV01 ;@DbName=EMP;" << "@Server" << "SRV01";
    QTest::newRow("ultima pieza sin punto y coma") << "@Server=SRV01;@Password=secreto" << "@Password" << "";
    QTest::newRow("clave ausente") << "@Server=SRV01;" << "@DbName" << "";
    QTest::newRow("parametro adicional con barras")
        << "@Server=S;@ParametroAdicional=@GestionCompras=SI|@TC=FCC|;" << "@ParametroAdicional"
        << "@GestionCompras=SI|@TC=FCC|";
    QTest::newRow("el igual dentro del valor se conserva") << "@Password=a=b;" << "@Password" << "a=b";
}

void TestSesion::valorLineaComandos() {
    QFETCH(QString, linea);
    QFETCH(QString, clave);
    QFETCH(QString, esperado);
    QCOMPARE(ValorLineaComandos(linea, clave), esperado);
}

void TestSesion::obtieneParametro_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("clave");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("TC") << "@GestionCompras=SI|@TC=FC|" << "@TC" << "FC";
    QTest::newRow("clave ausente") << "@GestionCompras=SI|@TC=FC|" << "@Letra" << "";
    QTest::newRow("sin mayusculas") << "@gestioncompras=si|" << "@GestionCompras" << "si";
    QTest::newRow("con blancos") << "@Sucursal = 1 |@Numero=25|" << "@Sucursal" << "1";
}

void TestSesion::obtieneParametro() {
    QFETCH(QString, texto);
    QFETCH(QString, clave);
    QFETCH(QString, esperado);
    QCOMPARE(ObtieneParametro(texto, clave), esperado);
}

void TestSesion::obtieneParametroSinBarraEsError5() {
    try {
        ObtieneParametro(QStringLiteral("@TC=FC"), QStringLiteral("@TC"));
        QFAIL("no error raised");
    } catch (const ErrorEjecucion& e) {
        QCOMPARE(e.Numero(), 5);
    }
}

void TestSesion::obtieneParametroBasura() {
    // Whatever the form's parameter text holds, each key gives a value or
    // error 5 (a key without its "|"), nothing else.
    QRandomGenerator gen(4242);
    QString binario;
    for (int i = 0; i < 5000; ++i) binario += QChar(static_cast<char16_t>(gen.bounded(1, 0xD7FF)));
    const QStringList textos{QString(100000, QLatin1Char('|')) + QStringLiteral("@TC=FC|"),
                             QStringLiteral("@TC") + QString(100000, QLatin1Char('=')) + QLatin1Char('|'),
                             binario + QStringLiteral("@Letra=A|") + binario,
                             QStringLiteral("@TC=|@TC|@Sucursal==|=|@Numero"),
                             QString()};
    const QStringList claves{QStringLiteral("@GestionCompras"), QStringLiteral("@TC"), QStringLiteral("@Sucursal"),
                             QStringLiteral("@Numero"), QStringLiteral("@Letra"), QStringLiteral("@Proveedor"),
                             QStringLiteral("@PConsultaSolamente")};
    for (const QString& texto : textos)
        for (const QString& clave : claves) {
            try {
                ObtieneParametro(texto, clave);
            } catch (const ErrorEjecucion& e) {
                QCOMPARE(e.Numero(), int(ErrorEjecucion::LlamadaNoValida));
            }
        }
    QCOMPARE(ObtieneParametro(textos[0], QStringLiteral("@TC")), QStringLiteral("FC"));
    QCOMPARE(ObtieneParametro(textos[1], QStringLiteral("@TC")), QString(99999, QLatin1Char('=')));
    QCOMPARE(ObtieneParametro(textos[2], QStringLiteral("@Letra")), QStringLiteral("A"));
}

void TestSesion::argumentosDelPrograma() {
    QString exportar;
    const QString linea = LineaComandosDesdeArgumentos(
        {QStringLiteral("conscpte"), QStringLiteral("--exportar"), QStringLiteral("-"), QStringLiteral("-platform"),
         QStringLiteral("offscreen"), QStringLiteral("@Server=;@DbName=x.db;"), QStringLiteral("@ParametroAdicional=@TC=FC|;")},
        &exportar);
    QCOMPARE(exportar, QStringLiteral("-"));
    QCOMPARE(linea, QStringLiteral("@Server=;@DbName=x.db; @ParametroAdicional=@TC=FC|;"));
}

void TestSesion::inicializaConecta() {
    if (!Prueba::DsnPostgres().isEmpty()) QSKIP("reads the embedded database's file name back from the session");
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, {}, false);
    EstableceLineaComandos(QStringLiteral("@server=;@DbName=%1;@Usuario=OPERADOR;@Password=clave;"
                                          "@ParametroAdicional=@GestionCompras=SI|@TC=FCC|;")
                               .arg(env.RutaBase()));
    InicializaSistema();
    QVERIFY(Conexion().Conectado());
    QCOMPARE(ParametroAdicional, QStringLiteral("@GestionCompras=SI|@TC=FCC|"));
    QCOMPARE(SeccionUsuario, QStringLiteral("PUESTO01|ADMIN"));
    QCOMPARE(CadenaConexion, QStringLiteral("DSN=%1; UID=OPERADOR; PWD=clave").arg(env.RutaBase()));
    QCOMPARE(Conexion().TiempoEspera(), 360);
    QCOMPARE(Reporte().CarpetaAplicacion, env.Carpeta());
    QCOMPARE(Busqueda().ArchivoDefiniciones, env.Carpeta() + QStringLiteral("consultas.kvt"));
    QVERIFY(Busqueda().Habilita);
    QVERIFY(env.respondedor.mensajes.isEmpty());
}

void TestSesion::inicializaDosVecesNoRelee() {
    if (!Prueba::DsnPostgres().isEmpty()) QSKIP("reads the embedded database's file name back from the session");
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, {}, false);
    EstableceLineaComandos(QStringLiteral("@DbName=%1;@ParametroAdicional=@TC=FC|;").arg(env.RutaBase()));
    InicializaSistema();
    QVERIFY(Conexion().Conectado());
    EstableceLineaComandos(QStringLiteral("@DbName=otra.db;@ParametroAdicional=@TC=RM|;"));
    qputenv("TALERUNA_TERMINAL", "PUESTO02");
    InicializaSistema();
    qputenv("TALERUNA_TERMINAL", "PUESTO01");
    QVERIFY(Conexion().Conectado());
    QCOMPARE(Conexion().ArchivoBaseDatos(), env.RutaBase());
    QCOMPARE(ParametroAdicional, QStringLiteral("@TC=FC|"));
    QCOMPARE(SeccionUsuario, QStringLiteral("PUESTO02|ADMIN"));  // recomputed
}

void TestSesion::falloDeConexion_data() {
    QTest::addColumn<QString>("linea");
    QTest::addColumn<QString>("enElMensaje");
    QTest::newRow("archivo inexistente") << "@Server=;@DbName=/no/existe/empresa.db;@Password=Secreto123;"
                                         << "/no/existe/empresa.db";
    QTest::newRow("origen ODBC desconocido") << "@Server=NOEXISTE_DSN;@DbName=EMPRESA;@Usuario=op;@Password=Secreto123;"
                                             << "NOEXISTE_DSN";
    QTest::newRow("linea vacia") << "" << "No se pudo conectar";
    // A value whose ";" is missing runs into the password piece: the message
    // still shows no password.
    QTest::newRow("la base se traga la clave") << "@Server=;@DbName=/no/existe/x.db @Password=Secreto123;"
                                               << "/no/existe/x.db";
    QTest::newRow("archivo que no es una base") << "@Server=;@DbName={CARPETA}texto.db;@Password=Secreto123;"
                                                << "file is not a database";
    QTest::newRow("archivo vacio") << "@Server=;@DbName={CARPETA}vacio.db;@Password=Secreto123;"
                                   << "no contiene ninguna tabla";
    QTest::newRow("caracteres de control en el servidor")
        << QStringLiteral("@Server=SRV\x1b[31m\x07;@DbName=EMP;@Password=Secreto123;") << "SRV?[31m?";
}

void TestSesion::falloDeConexion() {
    QFETCH(QString, linea);
    QFETCH(QString, enElMensaje);
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, {}, false);
    env.EscribeArchivo(QStringLiteral("texto.db"), QByteArray("[intl]\nICurrDigits=2\n").repeated(200));
    env.EscribeArchivo(QStringLiteral("vacio.db"), QByteArray());
    Conexion().Cierra();
    EstableceLineaComandos(linea.replace(QLatin1String("{CARPETA}"), env.Carpeta()));
    int codigo = -1;
    try {
        InicializaSistema();
    } catch (const Prueba::ProgramaTerminado& t) {
        codigo = t.codigo;
    }
    QCOMPARE(codigo, 1);
    QVERIFY(!Conexion().Conectado());
    QCOMPARE(env.respondedor.mensajes.size(), 1);
    const auto& m = env.respondedor.mensajes.first();
    QVERIFY2(m.texto.contains(enElMensaje), qPrintable(m.texto));
    QVERIFY(!m.texto.contains(QStringLiteral("Secreto123")));
    QVERIFY(m.icono == Dialogos::Icono::Critico);
    for (QChar c : m.texto) QVERIFY2(c == QLatin1Char('\n') || c.unicode() >= 0x20, qPrintable(m.texto));
}

void TestSesion::lineasBasura_data() {
    QTest::addColumn<QString>("linea");
    QRandomGenerator gen(20261210);
    QString binario;
    for (int i = 0; i < 2000; ++i) binario += QChar(static_cast<char16_t>(gen.bounded(1, 0xD7FF)));
    QTest::newRow("100000 caracteres") << (QStringLiteral("@Server=") + QString(100000, QLatin1Char('x')));
    QTest::newRow("binario") << binario;
    QTest::newRow("piezas desbalanceadas") << "@ParametroAdicional=@TC=FC|@Sucursal;@DbName;=;;@Server";
    QTest::newRow("solo claves") << "@Server@DbName@Usuario@Password@ParametroAdicional";
}

void TestSesion::lineasBasura() {
    QFETCH(QString, linea);
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, {}, false);
    Conexion().Cierra();
    EstableceLineaComandos(linea);
    int codigo = -1;
    try {
        InicializaSistema();
    } catch (const Prueba::ProgramaTerminado& t) {
        codigo = t.codigo;
    }
    // The worst outcome is the connection message and a clean exit.
    QCOMPARE(codigo, 1);
    QVERIFY(env.respondedor.mensajes.size() <= 1);
    QVERIFY(env.respondedor.errores.isEmpty());
}

void TestSesion::lineaLargaConPiezasAlFinal() {
    if (!Prueba::DsnPostgres().isEmpty()) QSKIP("reads the embedded database's file name back from the session");
    // Positions are not 16-bit: pieces far beyond character 32767 of a
    // 100,000-character line are read like any other.
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, {}, false);
    QString linea = QString(40000, QLatin1Char('x')) + QStringLiteral(" @DbName=%1;").arg(env.RutaBase());
    linea += QString(20000, QLatin1Char('y')) + QStringLiteral(" @ParametroAdicional=@TC=RM|;");
    linea += QString(100000 - linea.size(), QLatin1Char('z'));
    QCOMPARE(linea.size(), 100000);
    EstableceLineaComandos(linea);
    InicializaSistema();
    QVERIFY(Conexion().Conectado());
    QCOMPARE(Conexion().ArchivoBaseDatos(), env.RutaBase());
    QCOMPARE(ParametroAdicional, QStringLiteral("@TC=RM|"));
    QVERIFY(env.respondedor.mensajes.isEmpty());
}

// The program itself, started as the suite starts it, on a connection that
// cannot be made: one message without the password, a status other than 0,
// and no crash on the way out, within seconds.
void TestSesion::programaSinConexion_data() {
    QTest::addColumn<QByteArray>("argumento");  // empty: no argument at all
    QTest::newRow("origen ODBC desconocido") << QByteArray("@Server=NOSUCHDSN;@DbName=x;@Usuario=u;@Password=secretisimo;");
    QTest::newRow("archivo de base inexistente")
        << QByteArray("@Server=;@DbName=noesta.db;@Usuario=u;@Password=secretisimo;");
    QTest::newRow("sin argumentos") << QByteArray();
    QTest::newRow("100000 caracteres")
        << QByteArray("@Server=" + QByteArray(100000, 'x') + ";@Usuario=u;@Password=secretisimo;");
    QTest::newRow("bytes binarios")
        << QByteArray("\xff\xfe\x01\x02@Server\x1b[31m;=;;@DbName=\xc0\x80;@Password=secretisimo");
    QTest::newRow("piezas desbalanceadas") << QByteArray("@ParametroAdicional=@TC=FC|@Sucursal;@DbName;=;;@Server");
    QTest::newRow("la base se traga la clave") << QByteArray("@Server=;@DbName=noesta.db @Password=secretisimo;");
}

void TestSesion::programaSinConexion() {
    QFETCH(QByteArray, argumento);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // The argument goes through a file so that any byte reaches the program.
    QFile arg(dir.filePath(QStringLiteral("argumento")));
    QVERIFY(arg.open(QIODevice::WriteOnly));
    arg.write(argumento);
    arg.close();
    QFile vacio(dir.filePath(QStringLiteral("odbc.ini")));
    QVERIFY(vacio.open(QIODevice::WriteOnly));
    vacio.close();
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    e.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
    e.insert(QStringLiteral("TALERUNA_CARPETA_APP"), dir.path());
    e.insert(QStringLiteral("TALERUNA_DATOS"), dir.path());
    e.insert(QStringLiteral("ODBCINI"), dir.filePath(QStringLiteral("odbc.ini")));
    e.insert(QStringLiteral("ODBCSYSINI"), dir.path());
    QProcess p;
    p.setProcessEnvironment(e);
    const QString programa = Prueba::RutaBinario(QStringLiteral("conscpte"));
    QElapsedTimer reloj;
    reloj.start();
    if (argumento.isEmpty())
        p.start(programa, {});
    else
        p.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("exec \"$0\" \"$(cat \"$1\")\""), programa,
                                             arg.fileName()});
    QVERIFY(p.waitForFinished(30000));
    const qint64 ms = reloj.elapsed();
    const QByteArray salida = p.readAllStandardOutput() + p.readAllStandardError();
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);  // no crash on the way out
    QVERIFY(p.exitCode() != 0);
    // TALERUNA_FACTOR_TIEMPO: how many times slower the build under test runs
    // (the sanitizer run sets it), so the limit still tells a hang from a start.
    const qint64 limite = 10000 * qMax(1, qEnvironmentVariableIntValue("TALERUNA_FACTOR_TIEMPO"));
    QVERIFY2(ms < limite, qPrintable(QStringLiteral("%1 ms").arg(ms)));
    QCOMPARE(salida.count("No se pudo conectar"), 1);
    QVERIFY(!salida.contains("secretisimo"));
    QVERIFY2(salida.size() < 2000, salida.left(300).constData());
}

// The program on a PostgreSQL data source it cannot use: a wrong password, a
// database the server does not have, a data source nobody declared, a server
// that is down and one that accepts the connection and never answers. Each
// ends with status 1 and one message naming the server and the database,
// never the password, within the login time-out (10 seconds) and not the
// driver's endless wait.
void TestSesion::servidorPostgresInalcanzable_data() {
    QTest::addColumn<QString>("servidor");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("usuario");
    QTest::addColumn<bool>("necesitaServidor");
    QTest::newRow("clave equivocada") << "taleruna_pg" << "taleruna_demo" << "taleruna_clave" << true;
    QTest::newRow("base que el servidor no tiene") << "taleruna_pg" << "empresa_inexistente" << "taleruna" << true;
    QTest::newRow("origen de datos no declarado") << "EMPRESA_PG" << "empresa" << "taleruna" << false;
    QTest::newRow("servidor apagado") << "pg_apagado" << "empresa" << "taleruna" << false;
    QTest::newRow("servidor que no contesta") << "pg_mudo" << "empresa" << "taleruna" << false;
}

void TestSesion::servidorPostgresInalcanzable() {
    QFETCH(QString, servidor);
    QFETCH(QString, base);
    QFETCH(QString, usuario);
    QFETCH(bool, necesitaServidor);
    QString driver;
    for (const char* d : {"/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so", "/usr/lib/aarch64-linux-gnu/odbc/psqlodbcw.so"})
        if (QFileInfo::exists(QLatin1String(d))) driver = QLatin1String(d);
    if (driver.isEmpty()) QSKIP("PostgreSQL ODBC driver (odbc-postgresql) not installed");
    if (necesitaServidor && Prueba::DsnPostgres().isEmpty())
        QSKIP("needs the PostgreSQL test server (scripts/postgres.sh)");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // A server that is down: a folder without its socket. A server that does
    // not answer: a socket that takes the connection (the system queues it)
    // and never says a word.
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("apagado")));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("mudo")));
    const QByteArray ruta = QFile::encodeName(dir.filePath(QStringLiteral("mudo/.s.PGSQL.5432")));
    const int mudo = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(mudo >= 0);
    sockaddr_un dir_un{};
    dir_un.sun_family = AF_UNIX;
    QVERIFY(static_cast<size_t>(ruta.size()) < sizeof(dir_un.sun_path));
    memcpy(dir_un.sun_path, ruta.constData(), static_cast<size_t>(ruta.size()));
    QVERIFY(::bind(mudo, reinterpret_cast<sockaddr*>(&dir_un), sizeof(dir_un)) == 0);
    QVERIFY(::listen(mudo, 8) == 0);
    // The suite's data source (when the server runs) and the two others.
    QByteArray ini;
    if (necesitaServidor) {
        QFile propio(qEnvironmentVariable("ODBCINI"));
        QVERIFY(propio.open(QIODevice::ReadOnly));
        ini = propio.readAll() + "\n";
    }
    for (const char* nombre : {"apagado", "mudo"})
        ini += QStringLiteral("[pg_%1]\nDriver=%2\nServername=%3\nPort=5432\nDatabase=postgres\n\n")
                   .arg(QLatin1String(nombre), driver, dir.filePath(QLatin1String(nombre)))
                   .toUtf8();
    QFile odbc(dir.filePath(QStringLiteral("odbc.ini")));
    QVERIFY(odbc.open(QIODevice::WriteOnly));
    odbc.write(ini);
    odbc.close();
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    e.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
    e.insert(QStringLiteral("TALERUNA_CARPETA_APP"), dir.path());
    e.insert(QStringLiteral("TALERUNA_DATOS"), dir.path());
    e.insert(QStringLiteral("ODBCINI"), odbc.fileName());
    e.insert(QStringLiteral("ODBCSYSINI"), dir.path());
    QElapsedTimer reloj;
    reloj.start();
    const Prueba::Corrida c = Prueba::EjecutaPrograma(
        {QStringLiteral("--exportar"), QStringLiteral("-"),
         QStringLiteral("@Server=%1;@DbName=%2;@Usuario=%3;@Password=Clave-Mala-77;@ParametroAdicional=@TC=FC|;")
             .arg(servidor, base, usuario)},
        e, {}, 90000);
    const qint64 ms = reloj.elapsed();
    ::close(mudo);
    QCOMPARE(c.codigo, 1);
    QVERIFY2(ms < 45000, qPrintable(QStringLiteral("%1 ms").arg(ms)));
    QVERIFY2(c.salida.isEmpty(), qPrintable(c.salida.left(300)));
    QCOMPARE(c.errores.count(QLatin1String("No se pudo conectar")), 1);
    QVERIFY2(c.errores.contains(QStringLiteral("Servidor: ") + servidor), qPrintable(c.errores));
    QVERIFY2(c.errores.contains(QStringLiteral("Base de datos: ") + base), qPrintable(c.errores));
    QVERIFY2(!c.errores.contains(QLatin1String("Clave-Mala-77"), Qt::CaseInsensitive), qPrintable(c.errores));
}

void TestSesion::finalizaCierraYLibera() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno);
    Reporte().CarpetaAplicacion = QStringLiteral("/tmp/x/");
    Busqueda().CampoClave = QStringLiteral("CODIGO");
    const QSqlDatabase antes = Conexion().Conexion();
    QVERIFY(antes.isOpen());
    FinalizaSistema();
    QVERIFY(!Conexion().Conectado());                 // a fresh, unconnected instance
    QVERIFY(Reporte().CarpetaAplicacion.isEmpty());   // released and created anew
    QCOMPARE(Busqueda().CampoClave, QStringLiteral("CODIGO"));  // the lookup window is kept
}

QTEST_GUILESS_MAIN(TestSesion)
#include "test_sesion.moc"
