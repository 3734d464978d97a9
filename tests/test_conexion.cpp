// The connection layer: literals, engine adaptation, typed field values,
// statements refused, and the error trap acting on InformaError's answers.
#include "session/ClsConexion.h"
#include "session/ClsFunciones.h"
#include "session/DialectoSql.h"
#include "session/ErrorEjecucion.h"
#include "session/PlantillaInsert.h"
#include "session/SqlLiteral.h"
#include "session/Trampa.h"
#include "support/Fixture.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

#include <limits>
#include <memory>
#include <sqlite3.h>
#include <thread>

class TestConexion : public QObject {
    Q_OBJECT
private slots:
    void eligeMotor_data();
    void eligeMotor();
    void literalTexto_data();
    void literalTexto();
    void literalNumeroRechaza_data();
    void literalNumeroRechaza();
    void numeroNoFinitoRechazado();
    void formateaValorSql_data();
    void formateaValorSql();
    void adapta_data();
    void adapta();
    void comparacionesComoElServidor_data();
    void comparacionesComoElServidor();
    void colacionDelMotorComoComparaTexto_data();
    void colacionDelMotorComoComparaTexto();
    void plantillaInsert_data();
    void plantillaInsert();
    void plantillaGuardaLoMismoQueElLiteral_data();
    void plantillaGuardaLoMismoQueElLiteral();
    void recordsetLeeComoElControladorDeQt_data();
    void recordsetLeeComoElControladorDeQt();
    void recordsetAbiertoAlCerrarLaConexion();
    void literalesMaliciososNoEncuentranNada_data();
    void literalesMaliciososNoEncuentranNada();
    void deleteSinFromYCorchetes();
    void transaccionTomaLaEscrituraAlEmpezar();
    void conectarEsperaElBloqueoComoLasSentencias();
    void fechasComoFechaCorta();
    void recordsetMarcasYErrores();
    void sentenciaRechazadaLlevaPalabrasDelMotor();
    void descripcionYExistencia();
    void armaInsert();
    void armaInsertRechaza_data();
    void armaInsertRechaza();
    void trampa_data();
    void trampa();
    void trampaReportaNombreYSale();
};

void TestConexion::eligeMotor_data() {
    QTest::addColumn<QString>("servidor");  // "{RUTA}": the fixture's database file
    QTest::addColumn<QString>("base");
    QTest::addColumn<bool>("odbc");
    QTest::addColumn<bool>("conecta");
    QTest::newRow("servidor vacio y ruta") << "" << "{RUTA}" << false << true;
    QTest::newRow("nombre suelto en la carpeta de datos") << "" << "prueba.db" << false << true;
    QTest::newRow("nombre suelto sin extension hallado") << "" << "prueba" << false << true;
    QTest::newRow("el servidor nombra el archivo") << "{RUTA}" << "" << false << true;
    QTest::newRow("servidor .db suelto") << "prueba.db" << "" << false << true;
    QTest::newRow("origen de datos") << "NOSUCHDSN" << "EMPRESA" << true << false;
}

void TestConexion::eligeMotor() {
    QFETCH(QString, servidor);
    QFETCH(QString, base);
    QFETCH(bool, odbc);
    QFETCH(bool, conecta);
    if (!Prueba::DsnPostgres().isEmpty() && !odbc) QSKIP("a file of the embedded database");
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, {}, false);
    ClsConexion& cnx = Conexion();
    cnx.Servidor = QString(servidor).replace(QLatin1String("{RUTA}"), env.RutaBase());
    cnx.BaseDatos = QString(base).replace(QLatin1String("{RUTA}"), env.RutaBase());
    cnx.Conecta(false, 3);
    QCOMPARE(cnx.Conectado(), conecta);
    QCOMPARE(cnx.Motor() == DialectoSql::Motor::Odbc, odbc);
    QCOMPARE(env.respondedor.mensajes.size(), conecta ? 0 : 1);
    if (conecta) QCOMPARE(cnx.ArchivoBaseDatos(), env.RutaBase());
}

void TestConexion::literalTexto_data() {
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("literal");
    QTest::newRow("simple") << "FC" << "'FC'";
    QTest::newRow("apostrofe duplicado") << "O'Higgins" << "'O''Higgins'";
    QTest::newRow("inyeccion clasica") << "' OR '1'='1" << "''' OR ''1''=''1'";
    QTest::newRow("NUL quitado") << QStringLiteral("a") + QChar(0) + QStringLiteral("b") << "'ab'";
    QTest::newRow("vacio") << "" << "''";
    // The engine pairs a lone high surrogate with the next unit: written as
    // U+FFFD, the doubled apostrophe after it stays whole.
    QTest::newRow("surrogate solo ante apostrofe")
        << QString(QChar(0xD800)) + QStringLiteral("' OR 1=1 --") << QStringLiteral("'") + QChar(0xFFFD) + QStringLiteral("'' OR 1=1 --'");
    QTest::newRow("surrogate bajo solo") << QString(QChar(0xDC00)) + QStringLiteral("x") << QStringLiteral("'") + QChar(0xFFFD) + QStringLiteral("x'");
    // Read back by the engine as U+FFFD, so written as such (found by fuzz_sql_literal).
    QTest::newRow("no caracteres FFFE y FFFF") << QStringLiteral("a") + QChar(0xFFFE) + QChar(0xFFFF) + QStringLiteral("'")
                                               << QStringLiteral("'a") + QChar(0xFFFD) + QChar(0xFFFD) + QStringLiteral("'''");
    QTest::newRow("par valido intacto") << QStringLiteral("a\U0001F600b") << QStringLiteral("'a\U0001F600b'");
}

void TestConexion::literalTexto() {
    QFETCH(QString, valor);
    QFETCH(QString, literal);
    QCOMPARE(SqlLiteral::Texto(valor), literal);
    QVERIFY(SqlLiteral::EsTextoSql(SqlLiteral::Texto(valor)));
}

void TestConexion::literalNumeroRechaza_data() {
    QTest::addColumn<QString>("valor");
    QTest::newRow("texto") << "abc";
    QTest::newRow("inyeccion") << "0 OR 1=1";
    QTest::newRow("vacio") << "";
    QTest::newRow("dos numeros") << "1 2";
    QTest::newRow("comentario") << "0--";
}

void TestConexion::literalNumeroRechaza() {
    QFETCH(QString, valor);
    try {
        SqlLiteral::Numero(valor);
        QFAIL("accepted a value that is not a number");
    } catch (const ErrorEjecucion& e) {
        QCOMPARE(e.Numero(), ErrorEjecucion::TipoNoCoincide);
    }
}

void TestConexion::numeroNoFinitoRechazado() {
    for (const double d : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity()})
        QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, SqlLiteral::Literal(QVariant(d), QStringLiteral("@")));
    QCOMPARE(SqlLiteral::Literal(QVariant(2.5), QStringLiteral("@")), QStringLiteral("2.5"));
}

void TestConexion::formateaValorSql_data() {
    QTest::addColumn<QVariant>("valor");
    QTest::addColumn<QString>("delimitador");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("texto") << QVariant(QStringLiteral("D'Alessandro")) << "'" << "'D''Alessandro'";
    QTest::newRow("numero con coma") << QVariant(QStringLiteral("12,5")) << "@" << "12.5";
    QTest::newRow("numero entero") << QVariant(3) << "@" << "3";
    QTest::newRow("literal ya armado") << QVariant(QStringLiteral("'0001'")) << "" << "'0001'";
    QTest::newRow("NULL") << QVariant(QStringLiteral("NULL")) << "" << "NULL";
    QTest::newRow("contador") << QVariant(7) << "" << "7";
}

void TestConexion::formateaValorSql() {
    QFETCH(QVariant, valor);
    QFETCH(QString, delimitador);
    QFETCH(QString, esperado);
    QCOMPARE(SqlLiteral::Literal(valor, delimitador), esperado);
}

void TestConexion::adapta_data() {
    QTest::addColumn<QString>("sentencia");
    QTest::addColumn<QString>("adaptada");
    QTest::newRow("literal con colacion")
        << "SELECT * FROM T WHERE LTRIM(RTRIM(CLAVE)) = 'x'"
        << "SELECT * FROM T WHERE LTRIM(RTRIM(CLAVE)) = 'x' COLLATE CI_TRIM";
    QTest::newRow("apostrofes dobles dentro") << "WHERE A = 'O''H' AND B = 1"
                                              << "WHERE A = 'O''H' COLLATE CI_TRIM AND B = 1";
    QTest::newRow("delete sin from") << "DELETE Aux_MV_Cpte where USUARIO = 'P|U' "
                                     << "DELETE FROM Aux_MV_Cpte where USUARIO = 'P|U' COLLATE CI_TRIM ";
    QTest::newRow("delete con from intacto") << "DELETE FROM T" << "DELETE FROM T";
    QTest::newRow("corchetes sin tocar") << "SELECT [NUMERO ASIENTO] FROM MV_ASIENTOS"
                                         << "SELECT [NUMERO ASIENTO] FROM MV_ASIENTOS";
    QTest::newRow("literal pegado a la palabra siguiente") << "A = '0002'AND B = 'x'"
                                                           << "A = '0002' COLLATE CI_TRIM AND B = 'x' COLLATE CI_TRIM";
    QTest::newRow("apostrofe dentro de corchetes") << "SELECT [a'b] FROM T" << "SELECT [a'b] FROM T";
    QTest::newRow("apostrofe en comentarios") << "SELECT 1 /* it's */ FROM T -- don't\nWHERE A = 'x'"
                                              << "SELECT 1 /* it's */ FROM T -- don't\nWHERE A = 'x' COLLATE CI_TRIM";
}

void TestConexion::adapta() {
    QFETCH(QString, sentencia);
    QFETCH(QString, adaptada);
    QCOMPARE(DialectoSql::Adapta(sentencia, DialectoSql::Motor::Sqlite), adaptada);
    QCOMPARE(DialectoSql::Adapta(sentencia, DialectoSql::Motor::Odbc), sentencia);
}

void TestConexion::comparacionesComoElServidor_data() {
    QTest::addColumn<QString>("sentencia");
    QTest::addColumn<int>("filas");
    QTest::newRow("tipo con blancos al final") << "SELECT * FROM V_TA_CPTE WHERE CODIGO = 'FC  '" << 1;
    QTest::newRow("minusculas") << "SELECT * FROM V_TA_CPTE WHERE CODIGO = 'cb'" << 1;
    QTest::newRow("blancos al inicio cuentan") << "SELECT * FROM V_TA_CPTE WHERE CODIGO = '  FC'" << 0;
    QTest::newRow("expresion sin colacion de columna")
        << "SELECT * FROM TA_CONFIGURACION WHERE LTRIM(RTRIM(CLAVE)) = 'CantidadDecimales'" << 1;
    QTest::newRow("expresion contra literal con blancos finales")
        << "SELECT * FROM TA_CONFIGURACION WHERE LTRIM(RTRIM(CLAVE)) = 'cantidaddecimales   '" << 1;
    QTest::newRow("blancos finales no alcanzan a los del frente")
        << "SELECT * FROM TA_CONFIGURACION WHERE RTRIM(CLAVE) = 'cantidaddecimales  '" << 0;
    QTest::newRow("IN con minusculas") << "SELECT * FROM V_TA_CPTE WHERE CODIGO IN ('fc','rm')" << 2;
}

void TestConexion::comparacionesComoElServidor() {
    QFETCH(QString, sentencia);
    QFETCH(int, filas);
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno,
                        "INSERT INTO V_TA_CPTE (CODIGO, DESCRIPCION, SISTEMA) VALUES ('FC', 'FACTURAS', 'VENTAS');\n"
                        "INSERT INTO V_TA_CPTE (CODIGO, DESCRIPCION, SISTEMA) VALUES ('RM', 'REMITOS', 'VENTAS');\n"
                        "INSERT INTO V_TA_CPTE (CODIGO, DESCRIPCION, SISTEMA) VALUES ('CB', 'COBRANZAS', 'VENTAS');\n"
                        "INSERT INTO TA_CONFIGURACION (CLAVE, Valor) VALUES (' cantidaddecimales ', '3');\n");
    Recordset rs = Conexion().AbreRecordset(sentencia);
    int n = 0;
    while (!rs.Eof()) {
        ++n;
        rs.MoveNext();
    }
    QCOMPARE(n, filas);
}

void TestConexion::literalesMaliciososNoEncuentranNada_data() {
    QTest::addColumn<QString>("valor");
    QTest::newRow("or verdadero") << "' OR '1'='1";
    QTest::newRow("comentario") << "FC' --";
    QTest::newRow("300 caracteres") << QString(300, QLatin1Char('Z'));
    QTest::newRow("no latino") << QStringLiteral("фактура発票");
    QTest::newRow("punto y coma") << "x'; DROP TABLE V_MV_CPTE; --";
    QTest::newRow("surrogate solo ante apostrofe") << QString(QChar(0xD800)) + QStringLiteral("' OR 1=1 --");
    QTest::newRow("surrogate solo al final") << QStringLiteral("FC") + QChar(0xDBFF);
}

void TestConexion::literalesMaliciososNoEncuentranNada() {
    QFETCH(QString, valor);
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    Recordset rs = Conexion().AbreRecordset(QStringLiteral("SELECT * FROM V_MV_CPTE WHERE TC = 'FC' AND IDCOMPROBANTE = ") +
                                            SqlLiteral::Texto(valor));
    QVERIFY(rs.Vacio());
    Recordset todos = Conexion().AbreRecordset(QStringLiteral("SELECT COUNT(*) AS N FROM V_MV_CPTE"));
    QVERIFY(todos.Campo(QStringLiteral("N")).toInt() > 0);
}

void TestConexion::deleteSinFromYCorchetes() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno,
                        "INSERT INTO Aux_MV_Cpte (Usuario, TC, Tipo) VALUES ('P1|U', 'FC', 'TA');\n"
                        "INSERT INTO Aux_MV_Cpte (Usuario, TC, Tipo) VALUES ('P2|U', 'FC', 'TA');\n"
                        "INSERT INTO MV_ASIENTOS (TC, SUCURSAL, NUMERO, LETRA, CUENTA, SECUENCIA, PERIODO, MES_OPERATIVO, "
                        "[NUMERO ASIENTO]) VALUES ('PG', '0002', '00000088', 'X', 'P0001', 1, '2024', 6, '312');\n");
    Conexion().EjecutaSql(QStringLiteral("DELETE Aux_MV_Cpte where USUARIO = 'p1|u  ' "));
    QCOMPARE(Conexion().FilasAfectadas(), 1);
    Recordset rs = Conexion().AbreRecordset(
        QStringLiteral("SELECT PERIODO,MES_OPERATIVO,[NUMERO ASIENTO] FROM MV_ASIENTOS WHERE TC = 'PG  ' AND SUCURSAL = "
                       "'0002'AND NUMERO = '00000088' AND LETRA = 'X' AND CUENTA = 'P0001'"));
    QVERIFY(!rs.Eof());
    QCOMPARE(Funciones().ValorCampo(rs.Campo(QStringLiteral("NUMERO ASIENTO"))).toString(), QStringLiteral("312"));
    QCOMPARE(Funciones().ValorCampo(rs.Campo(QStringLiteral("mes_operativo"))).toString(), QStringLiteral("6"));
}

// A transaction holds the write lock from its start: another workstation's
// write waits (here: fails at once, with no waiting time) until it ends.
void TestConexion::transaccionTomaLaEscrituraAlEmpezar() {
    if (!Prueba::DsnPostgres().isEmpty()) QSKIP("the embedded database's file lock (the server locks rows, not the database)");
    Prueba::Entorno env;
    QSqlDatabase otro = AbreSqliteConColacion(env.RutaBase(), QStringLiteral("otro_puesto"), false);
    {
        QSqlQuery q(otro);
        QVERIFY(q.exec(QStringLiteral("PRAGMA busy_timeout = 0")));
        const QString insert = QStringLiteral("INSERT INTO Aux_MV_Cpte (Usuario, TC, Tipo) VALUES ('P2|U', 'FC', 'TA')");

        QVERIFY(!Conexion().EnTransaccion());
        Conexion().IniciaTransaccion();
        QVERIFY(Conexion().EnTransaccion());
        QVERIFY(!q.exec(insert));
        QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, Conexion().IniciaTransaccion());
        Conexion().EjecutaSql(QStringLiteral("INSERT INTO Aux_MV_Cpte (Usuario, TC, Tipo) VALUES ('P1|U', 'FC', 'TA')"));
        Conexion().DeshaceTransaccion();
        QVERIFY(!Conexion().EnTransaccion());

        QVERIFY2(q.exec(insert), qPrintable(q.lastError().text()));
        QVERIFY(q.exec(QStringLiteral("SELECT Usuario FROM Aux_MV_Cpte")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("P2|U"));
        QVERIFY(!q.next());
    }
    otro.close();
    otro = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("otro_puesto"));
}

void TestConexion::conectarEsperaElBloqueoComoLasSentencias() {
    if (!Prueba::DsnPostgres().isEmpty()) QSKIP("the embedded database's file lock");
    // Another workstation holds the database's lock while the program starts:
    // connecting waits as a statement would (the one documented wait) instead
    // of failing with "database is locked" after a few seconds.
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, {}, false);
    const QByteArray ruta = QFile::encodeName(env.RutaBase());
    sqlite3* otro = nullptr;
    QCOMPARE(sqlite3_open(ruta.constData(), &otro), SQLITE_OK);
    QCOMPARE(sqlite3_exec(otro, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    std::thread suelta([otro] {
        std::this_thread::sleep_for(std::chrono::seconds(7));
        sqlite3_exec(otro, "COMMIT", nullptr, nullptr, nullptr);
    });
    ClsConexion& cnx = Conexion();
    cnx.BaseDatos = env.RutaBase();
    cnx.Conecta(false, 3);
    suelta.join();
    sqlite3_close(otro);
    QVERIFY2(env.respondedor.mensajes.isEmpty(), qPrintable(env.respondedor.mensajes.value(0).texto));
    QVERIFY(cnx.Conectado());
    QCOMPARE(cnx.TiempoEspera(), 360);
}

void TestConexion::fechasComoFechaCorta() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno,
                        "INSERT INTO V_MV_CPTEACCIONES (TC, IdComprobante, IdComplemento, Tipo_accion, FECHAHORA) "
                        "VALUES ('FC', '000100000025A', 0, 'A', '2026-03-05 14:07:09');\n"
                        "INSERT INTO MV_ASIENTOS (TC, SUCURSAL, NUMERO, LETRA, CUENTA, SECUENCIA, PERIODO, MES_OPERATIVO, "
                        "[NUMERO ASIENTO], Vencimiento) VALUES ('CB', '0001', '00000150', 'X', '1.1.03.001', 1, '2026', 4, "
                        "10, '2026-04-30');\n"
                        "INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, Fecha, Anulada) "
                        "VALUES ('RM', '000100000040R', 0, '2026-02-01', 0);\n");
    // Through a view and under another name the column is still a date.
    Recordset r = Conexion().AbreRecordset(QStringLiteral("SELECT FECHA FROM V_RemitosPendientes"));
    QCOMPARE(Funciones().ValorCampo(r.Campo(QStringLiteral("FECHA"))).toString(), QStringLiteral("01/02/2026"));
    Recordset alias = Conexion().AbreRecordset(QStringLiteral("SELECT Fecha AS F FROM V_MV_CPTE"));
    QCOMPARE(Funciones().ValorCampo(alias.Campo(QStringLiteral("F"))).toString(), QStringLiteral("01/02/2026"));
    Recordset a = Conexion().AbreRecordset(QStringLiteral("SELECT FECHAHORA FROM V_MV_CPTEACCIONES"));
    QCOMPARE(Funciones().ValorCampo(a.Campo(QStringLiteral("FECHAHORA"))).toString(), QStringLiteral("05/03/2026 14:07:09"));
    Recordset v = Conexion().AbreRecordset(QStringLiteral("SELECT Vencimiento, IdBanco FROM MV_ASIENTOS"));
    QCOMPARE(Funciones().ValorCampo(v.Campo(QStringLiteral("Vencimiento"))).toString(), QStringLiteral("30/04/2026"));
    QCOMPARE(Funciones().ValorCampo(v.Campo(QStringLiteral("IdBanco"))).toString(), QString());
}

void TestConexion::recordsetMarcasYErrores() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno,
                        "INSERT INTO V_TA_BANCOS (IDBANCO, DESCRIPCION) VALUES ('011', 'BANCO NACION');\n");
    Recordset vacio = Conexion().AbreRecordset(QStringLiteral("SELECT * FROM V_TA_BANCOS WHERE IDBANCO = '999'"));
    QVERIFY(vacio.Bof() && vacio.Eof());
    Recordset uno = Conexion().AbreRecordset(QStringLiteral("SELECT * FROM V_TA_BANCOS"));
    QVERIFY(!uno.Bof() && !uno.Eof());
    QCOMPARE(uno.Campo(QStringLiteral("descripcion")).toString(), QStringLiteral("BANCO NACION"));
    QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, uno.Campo(QStringLiteral("NoExiste")));
    uno.MoveNext();
    QVERIFY(uno.Eof() && !uno.Bof());
    QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, uno.Campo(QStringLiteral("DESCRIPCION")));
}

void TestConexion::sentenciaRechazadaLlevaPalabrasDelMotor() {
    Prueba::Entorno env;
    try {
        Conexion().AbreRecordset(QStringLiteral("SELECT * FROM V_NO_EXISTE"));
        QFAIL("no error");
    } catch (const ErrorEjecucion& e) {
        QCOMPARE(e.Numero(), ErrorEjecucion::ErrorBaseDatos);
        QVERIFY2(e.Descripcion().contains(QStringLiteral("V_NO_EXISTE")), qPrintable(e.Descripcion()));
    }
}

void TestConexion::descripcionYExistencia() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno,
                        "INSERT INTO V_TA_BANCOS (IDBANCO, DESCRIPCION) VALUES ('011', 'BANCO NACION');\n"
                        "INSERT INTO VT_PROVEEDORES (CODIGO, NOMBRE) VALUES ('P0001', 'D''AGOSTINO HNOS');\n");
    QCOMPARE(Conexion().ObtieneDescripcion(QStringLiteral("V_TA_BANCOS"), QStringLiteral("011"), QStringLiteral("DESCRIPCION"),
                                           QStringLiteral("IDBANCO"), 8, {}).toString(),
             QStringLiteral("BANCO NACION"));
    QCOMPARE(Conexion().ObtieneDescripcion(QStringLiteral("V_TA_BANCOS"), QStringLiteral("' OR ''='"),
                                           QStringLiteral("DESCRIPCION"), QStringLiteral("IDBANCO"), 8, {}).toString(),
             QString());
    QVERIFY(Conexion().ExisteCodigo(QStringLiteral("VT_PROVEEDORES"), QStringLiteral("p0001"), QStringLiteral("CODIGO")));
    QVERIFY(!Conexion().ExisteCodigo(QStringLiteral("VT_PROVEEDORES"), QStringLiteral("P0001' OR '1'='1"),
                                     QStringLiteral("CODIGO")));
}

void TestConexion::armaInsert() {
    Prueba::Entorno env;
    QString cabeza = QStringLiteral(" INSERT INTO V_MV_CPTEACCIONES ");
    const QList<TipoCampoSql> campos{{QStringLiteral("TC"), SqlLiteral::Texto(QStringLiteral("FC  "))},
                                     {QStringLiteral("IdComprobante"), SqlLiteral::Texto(QStringLiteral("000100000025A"))},
                                     {QStringLiteral("IdComplemento"), QStringLiteral("0")},
                                     {QStringLiteral("Usuario"), SqlLiteral::Texto(QStringLiteral("o'brien"))}};
    Conexion().ArmaInsert(cabeza, campos, true);
    QCOMPARE(cabeza, QStringLiteral("INSERT INTO V_MV_CPTEACCIONES (TC,IdComprobante,IdComplemento,Usuario) VALUES "
                                    "('FC  ','000100000025A',0,'o''brien')"));
    Conexion().EjecutaSql(cabeza);
    QCOMPARE(Conexion().ObtieneDescripcion(QStringLiteral("V_MV_CPTEACCIONES"), QStringLiteral("FC"), QStringLiteral("Usuario"),
                                           QStringLiteral("TC")).toString(),
             QStringLiteral("o'brien"));
}

void TestConexion::armaInsertRechaza_data() {
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("valor");
    QTest::newRow("texto sin comillas") << "Usuario" << "o'brien";
    QTest::newRow("sentencia agregada") << "IdComplemento" << "0); DELETE FROM Aux_MV_Cpte; --";
    QTest::newRow("expresion") << "Usuario" << "'a' || 'b'";
    QTest::newRow("literal sin cerrar") << "Usuario" << "'abc";
    QTest::newRow("funcion del motor") << "Usuario" << "CURRENT_TIMESTAMP";
    QTest::newRow("columna con sentencia") << "Usuario) VALUES ('x'); --" << "'x'";
    QTest::newRow("dos columnas en una") << "Usuario, TC" << "'x'";
    // The engine would read the surrogate and the closing apostrophe as one
    // character: the literal does not end where it seems to.
    QTest::newRow("surrogate solo ante el cierre") << "Usuario" << QStringLiteral("'a") + QChar(0xD800) + QStringLiteral("'");
}

void TestConexion::armaInsertRechaza() {
    // A pair that is not a column name and one finished literal is refused
    // before any statement exists; nothing reaches the table.
    QFETCH(QString, campo);
    QFETCH(QString, valor);
    Prueba::Entorno env;
    const QString cabezaOriginal = QStringLiteral(" INSERT INTO Aux_MV_Cpte ");
    QString cabeza = cabezaOriginal;
    const QList<TipoCampoSql> campos{{QStringLiteral("TC"), SqlLiteral::Texto(QStringLiteral("FC"))}, {campo, valor}};
    QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, Conexion().ArmaInsert(cabeza, campos, true));
    QCOMPARE(cabeza, cabezaOriginal);
}

void TestConexion::trampa_data() {
    QTest::addColumn<QList<int>>("respuestas");
    QTest::addColumn<int>("intentos");
    QTest::addColumn<bool>("siguientePaso");
    QTest::addColumn<bool>("terminoCuerpo");
    QTest::newRow("reintentar y luego funciona") << QList<int>{4} << 2 << true << true;
    QTest::newRow("ignorar sigue con el siguiente") << QList<int>{5} << 1 << true << true;
    QTest::newRow("salir deja el procedimiento") << QList<int>{0} << 1 << false << false;
    QTest::newRow("cualquier otra respuesta sale") << QList<int>{2} << 1 << false << false;
}

void TestConexion::trampa() {
    QFETCH(QList<int>, respuestas);
    QFETCH(int, intentos);
    QFETCH(bool, siguientePaso);
    QFETCH(bool, terminoCuerpo);
    Dialogos::RespondedorGuionado r;
    r.respuestasErrores = respuestas;
    int n = 0;
    bool siguiente = false;
    const bool fin = ConTrampa(QStringLiteral("Prueba"), [&](Trampa& t) {
        t.Paso([&] {
            ++n;
            if (n == 1) throw ErrorEjecucion(3604, QStringLiteral("falla"));
        });
        siguiente = true;
    });
    QCOMPARE(n, intentos);
    QCOMPARE(siguiente, siguientePaso);
    QCOMPARE(fin, terminoCuerpo);
}

void TestConexion::trampaReportaNombreYSale() {
    Prueba::Entorno env;
    QString valor = QStringLiteral("sin tocar");
    ConTrampa(QStringLiteral("CampoValida"), [&](Trampa& t) {
        Recordset rs = t.Paso([] { return Conexion().AbreRecordset(QStringLiteral("SELECT * FROM NO_HAY")); });
        valor = QStringLiteral("siguio");
    });
    QCOMPARE(valor, QStringLiteral("sin tocar"));
    QCOMPARE(env.respondedor.errores.size(), 1);
    QCOMPARE(env.respondedor.errores.first().procedimiento, QStringLiteral("CampoValida"));
    QCOMPARE(env.respondedor.errores.first().numero, ErrorEjecucion::ErrorBaseDatos);
}

// The engine's CI_TRIM (compared on the database's bytes) orders every pair
// of texts exactly as ComparaTexto does, so indexes built by either agree.
void TestConexion::colacionDelMotorComoComparaTexto_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::newRow("mayúsculas") << "fc" << "FC";
    QTest::newRow("blancos finales") << "FC  " << "fc";
    QTest::newRow("blanco inicial cuenta") << " FC" << "FC";
    QTest::newRow("prefijo") << "AB" << "ABC";
    QTest::newRow("signos entre letras") << "A_B" << "a[b";
    QTest::newRow("Z contra corchete") << "Z" << "[";
    QTest::newRow("acentos") << "Ñandú" << "ñANDÚ";
    QTest::newRow("acento contra ASCII") << "é" << "z";
    QTest::newRow("prefijo ASCII de un texto acentuado") << "Lote" << "Loteñ";
    QTest::newRow("cirílico") << "Лот2" << "лот10";
    QTest::newRow("vacío contra blancos") << "" << "   ";
    QTest::newRow("dígitos") << "0010" << "009";
}

void TestConexion::colacionDelMotorComoComparaTexto() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    if (!Prueba::DsnPostgres().isEmpty()) QSKIP("the embedded database's own collation (the server sorts by its ICU collation)");
    Prueba::Entorno env;
    auto signo = [](int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); };
    for (const auto& [x, y] : {std::pair{a, b}, std::pair{b, a}}) {
        QSqlQuery q(Conexion().Conexion());
        q.prepare(QStringLiteral("SELECT CASE WHEN ? < ? COLLATE CI_TRIM THEN -1 WHEN ? = ? COLLATE CI_TRIM THEN 0 ELSE 1 END"));
        q.addBindValue(x);
        q.addBindValue(y);
        q.addBindValue(x);
        q.addBindValue(y);
        QVERIFY2(q.exec() && q.next(), qPrintable(q.lastError().text()));
        QCOMPARE(q.value(0).toInt(), signo(DialectoSql::ComparaTexto(x, y)));
    }
}

// Which statements the connection runs through a compiled template.
void TestConexion::plantillaInsert_data() {
    QTest::addColumn<QString>("sentencia");
    QTest::addColumn<QString>("plantilla");  // "" = runs as written
    QTest::addColumn<QVariantList>("valores");
    QTest::newRow("fila de un escritor")
        << "INSERT INTO V_MV_STOCK (TC,Secuencia,NroLote,Cantidad) VALUES ('FC  ',3,NULL,-2.5)"
        << "INSERT INTO V_MV_STOCK (TC,Secuencia,NroLote,Cantidad) VALUES (?,?,?,?)"
        << QVariantList{QStringLiteral("FC  "), 3LL, QVariant(), -2.5};
    QTest::newRow("apóstrofos, vacío y corchetes")
        << "insert into T ([NUMERO ASIENTO], b , c) values ( 'O''Higgins' , '' , 1e-05 )"
        << "INSERT INTO T ([NUMERO ASIENTO],b,c) VALUES (?,?,?)"
        << QVariantList{QStringLiteral("O'Higgins"), QStringLiteral(""), 1e-05};
    QTest::newRow("entero enorme como número real") << "INSERT INTO T (a) VALUES (99999999999999999999)"
                                                    << "INSERT INTO T (a) VALUES (?)" << QVariantList{1e20};
    QTest::newRow("una expresión no") << "INSERT INTO T (a) VALUES (1+1)" << "" << QVariantList{};
    QTest::newRow("una función no") << "INSERT INTO T (a) VALUES (datetime('now'))" << "" << QVariantList{};
    QTest::newRow("un SELECT no") << "INSERT INTO T (a) SELECT b FROM U" << "" << QVariantList{};
    QTest::newRow("sin columnas no") << "INSERT INTO T VALUES (1)" << "" << QVariantList{};
    QTest::newRow("dos filas no") << "INSERT INTO T (a) VALUES (1), (2)" << "" << QVariantList{};
    QTest::newRow("texto sin cerrar no") << "INSERT INTO T (a) VALUES ('x)" << "" << QVariantList{};
    QTest::newRow("cuentas distintas no") << "INSERT INTO T (a, b) VALUES (1)" << "" << QVariantList{};
    QTest::newRow("algo detrás no") << "INSERT INTO T (a) VALUES (1); DELETE FROM T" << "" << QVariantList{};
}

void TestConexion::plantillaInsert() {
    QFETCH(QString, sentencia);
    QFETCH(QString, plantilla);
    QFETCH(QVariantList, valores);
    QString p;
    QVariantList v;
    const bool separa = PlantillaInsert::Separa(sentencia, p, v);
    QCOMPARE(separa, !plantilla.isEmpty());
    if (!separa) return;
    QCOMPARE(p, plantilla);
    QCOMPARE(v.size(), valores.size());
    for (qsizetype i = 0; i < v.size(); ++i) {
        QCOMPARE(v.at(i).isNull(), valores.at(i).isNull());
        if (!valores.at(i).isNull()) {
            QCOMPARE(v.at(i).metaType(), valores.at(i).metaType());
            QCOMPARE(v.at(i), valores.at(i));
        }
    }
}

// A row written through its template is stored exactly as the literal
// statement stores it, in columns of every kind the schema uses.
void TestConexion::plantillaGuardaLoMismoQueElLiteral_data() {
    QTest::addColumn<QString>("literal");
    for (const char* l : {"'0001'", "''", "'  x  '", "'O''H'", "'Ñandú 扳手'", "1", "-0", "1.0", "1452.50", "0.0005",
                          "1e-05", "99999999999999999999", "NULL", "'12.5'", "'abc'"})
        QTest::newRow(l) << QString::fromUtf8(l);
}

void TestConexion::plantillaGuardaLoMismoQueElLiteral() {
    QFETCH(QString, literal);
    if (!Prueba::DsnPostgres().isEmpty()) QSKIP("compiled insert templates are used on the embedded database only");
    Prueba::Entorno env;
    QSqlQuery q(Conexion().Conexion());
    QVERIFY(q.exec(QStringLiteral("CREATE TABLE P (origen TEXT, t TEXT COLLATE CI_TRIM, i INTEGER, d DECIMAL(19,4), b BIT, n)")));
    const QString valores = QStringLiteral("%1, %1, %1, %1, %1").arg(literal);
    QVERIFY(q.exec(QStringLiteral("INSERT INTO P (origen, t, i, d, b, n) VALUES ('literal', %1)").arg(valores)));
    Conexion().EjecutaSql(QStringLiteral("INSERT INTO P (origen, t, i, d, b, n) VALUES ('plantilla', %1)").arg(valores));
    auto fila = [&](const char* origen) {
        QSqlQuery r(Conexion().Conexion());
        r.exec(QStringLiteral("SELECT typeof(t)||':'||quote(t), typeof(i)||':'||quote(i), typeof(d)||':'||quote(d), "
                              "typeof(b)||':'||quote(b), typeof(n)||':'||quote(n) FROM P WHERE origen = '%1'").arg(QLatin1String(origen)));
        QStringList c;
        if (r.next())
            for (int k = 0; k < 5; ++k) c << r.value(k).toString();
        return c;
    };
    const QStringList esperado = fila("literal");
    QCOMPARE(esperado.size(), 5);
    QCOMPARE(fila("plantilla"), esperado);
}

// The embedded database's results are read from the engine directly: every
// kind of stored value comes out of a field as it does through Qt's driver
// (the recordset's conversions applied to both).
void TestConexion::recordsetLeeComoElControladorDeQt_data() {
    QTest::addColumn<QString>("literal");
    for (const char* l : {"'texto'", "''", "'  x  '", "'Ñandú 扳手'", "NULL", "0", "-5", "9007199254740993", "1.0", "1452.5",
                          "0.0005", "1e300", "X'00FF41'", "'2026-03-05'", "'2026-03-05 14:07:09'", "'2026-03-05 00:00:00'",
                          "'no es fecha'", "'12.5'"})
        QTest::newRow(l) << QString::fromUtf8(l);
}

void TestConexion::recordsetLeeComoElControladorDeQt() {
    QFETCH(QString, literal);
    Prueba::Entorno env;
    if (Conexion().Motor() != DialectoSql::Motor::Sqlite) QSKIP("the embedded database's own reading");
    QSqlQuery q(Conexion().Conexion());
    QVERIFY(q.exec(QStringLiteral("CREATE TABLE P (t TEXT, i INTEGER, d DECIMAL(19,4), f DATE, fh DATETIME, n)")));
    QVERIFY(q.exec(QStringLiteral("INSERT INTO P VALUES (%1, %1, %1, %1, %1, %1)").arg(literal)));
    const QString sentencia = QStringLiteral("SELECT t, i, d, f, fh, n FROM P");

    auto qt = std::make_shared<Recordset::Datos>();
    qt->consulta = QSqlQuery(Conexion().Conexion());
    qt->consulta.setForwardOnly(true);
    qt->consulta.setNumericalPrecisionPolicy(QSql::HighPrecision);
    QVERIFY(qt->consulta.exec(sentencia));
    qt->hayFila = qt->consulta.next();
    qt->vacio = false;
    qt->nombres = {"t", "i", "d", "f", "fh", "n"};
    using C = Recordset::Datos::Clase;
    qt->clases = {C::Otro, C::Otro, C::Otro, C::Fecha, C::FechaHora, C::Otro};
    const Recordset porQt(qt);

    const Recordset directo = Conexion().AbreRecordset(sentencia);
    QCOMPARE(directo.CantidadCampos(), 6);
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(directo.NombreCampo(i), qt->nombres[i]);
        const QVariant a = directo.Campo(i), b = porQt.Campo(i);
        QCOMPARE(a.metaType(), b.metaType());
        QCOMPARE(a.isNull(), b.isNull());
        QCOMPARE(a, b);
        QCOMPARE(Funciones().ValorCampo(a).toString(), Funciones().ValorCampo(b).toString());
    }
}

// A result still open when the connection closes is let go with it: reading
// it then is an error of its own, and the connection opens again.
void TestConexion::recordsetAbiertoAlCerrarLaConexion() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno,
                        "INSERT INTO V_TA_BANCOS (IDBANCO, DESCRIPCION) VALUES ('011', 'BANCO NACION');\n"
                        "INSERT INTO V_TA_BANCOS (IDBANCO, DESCRIPCION) VALUES ('007', 'BANCO GALICIA');\n");
    Recordset abierto = Conexion().AbreRecordset(QStringLiteral("SELECT * FROM V_TA_BANCOS ORDER BY IDBANCO"));
    QCOMPARE(abierto.Campo(QStringLiteral("IDBANCO")).toString(), QStringLiteral("007"));
    Conexion().Cierra();
    QVERIFY(abierto.Eof());
    QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, abierto.Campo(QStringLiteral("IDBANCO")));
    abierto.Cierra();
    // A statement left behind would hold its read lock: the deletion below would wait for it.
    Conexion().EstableceTiempoEspera(2);
    Conexion().Conecta();
    QVERIFY(Conexion().Conectado());
    Conexion().EjecutaSql(QStringLiteral("DELETE FROM V_TA_BANCOS WHERE IDBANCO = '007'"));
    Recordset r = Conexion().AbreRecordset(QStringLiteral("SELECT * FROM V_TA_BANCOS"));
    QCOMPARE(r.Campo(QStringLiteral("IDBANCO")).toString(), QStringLiteral("011"));
}

QTEST_GUILESS_MAIN(TestConexion)
#include "test_conexion.moc"
