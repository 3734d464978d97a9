// The whole database server stops in the middle of a session (pg_ctl stop
// -m fast on the test cluster) and starts again: the next statement reports
// through the error dialog at once, "retry" while the server is down reports
// again, "retry" once it is back runs the statement, and nothing that failed
// is ever taken for done. Needs scripts/postgres.sh; the server is stopped for
// everyone, so CTest runs this program alone (RUN_SERIAL).
#include "printing/ModImpresion.h"
#include "session/ClsConexion.h"
#include "session/Dialogos.h"
#include "session/SqlLiteral.h"
#include "session/Trampa.h"
#include "support/Fixture.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include <functional>
#include <unistd.h>

namespace {

// pg_ctl on the test cluster, as the user the cluster belongs to.
bool PgCtl(const QStringList& argumentos, QString* salida = nullptr) {
    const QString pgCtl = qEnvironmentVariable("TALERUNA_PG_CTL");
    const QString datos = qEnvironmentVariable("TALERUNA_PG_DATOS");
    const QString dueno = qEnvironmentVariable("TALERUNA_PG_DUENO");
    QStringList args = QStringList{QStringLiteral("-D"), datos} + argumentos;
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    if (!dueno.isEmpty() && geteuid() == 0)
        p.start(QStringLiteral("runuser"), QStringList{QStringLiteral("-u"), dueno, QStringLiteral("--"), pgCtl} + args);
    else
        p.start(pgCtl, args);
    const bool ok = p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (salida) *salida = QString::fromUtf8(p.readAll());
    return ok;
}

bool Detiene() { return PgCtl({QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("-w"), QStringLiteral("stop")}); }
bool Arranca() {
    return PgCtl({QStringLiteral("-l"), qEnvironmentVariable("TALERUNA_PG_CARPETA") + QStringLiteral("/servidor.log"),
                  QStringLiteral("-w"), QStringLiteral("-t"), QStringLiteral("60"), QStringLiteral("start")});
}
bool EnMarcha() { return PgCtl({QStringLiteral("status")}); }

// Whatever a case leaves, the server is running again for the tests after it.
struct ServidorVuelve {
    ~ServidorVuelve() {
        if (!EnMarcha() && !Arranca()) qWarning("the test server could not be started again");
    }
};

// Answers the error dialog through a function of the report and its number
// (1 for the first); records every report.
class RespondedorParada : public Dialogos::RespondedorErrores {
public:
    explicit RespondedorParada(std::function<int(int)> respuesta)
        : respuesta_(std::move(respuesta)), anterior_(Dialogos::EstableceRespondedorErrores(this)) {}
    ~RespondedorParada() override { Dialogos::EstableceRespondedorErrores(anterior_); }
    int Responde(const Dialogos::ErrorInformado& e) override {
        errores << e;
        return respuesta_(static_cast<int>(errores.size()));
    }
    QList<Dialogos::ErrorInformado> errores;

private:
    std::function<int(int)> respuesta_;
    Dialogos::RespondedorErrores* anterior_;
};

QString Descripciones(const QList<Dialogos::ErrorInformado>& errores) {
    QStringList l;
    for (const auto& e : errores) l << QStringLiteral("[%1] %2").arg(e.procedimiento, e.descripcion);
    return l.join(QLatin1Char('\n'));
}

int Clientes(const QString& codigo) {
    return Conexion()
        .AbreRecordset(QStringLiteral("SELECT COUNT(*) FROM VT_CLIENTES WHERE CODIGO = ") + SqlLiteral::Texto(codigo))
        .Campo(0)
        .toInt();
}

} // namespace

class TestServidorDetenido : public QObject {
    Q_OBJECT
private slots:
    void init() {
        if (Prueba::DsnPostgres().isEmpty() || qEnvironmentVariableIsEmpty("TALERUNA_PG_CTL"))
            QSKIP("needs the PostgreSQL test server (scripts/postgres.sh)");
    }
    void reintentarTrasVolverElServidor();
    void salirMientrasEstaDetenido();
    void imprimirTrasVolverElServidor();
    void transaccionCortadaNoSeConfirma();
    void transaccionSigueTrasUnaSentenciaFallida();
};

// "Retry" while the server is down reports again; once it is back, "retry"
// runs the statement, once.
void TestServidorDetenido::reintentarTrasVolverElServidor() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    ServidorVuelve vuelve;
    QCOMPARE(Clientes(QStringLiteral("Z901")), 0);
    QVERIFY(Detiene());
    bool arrancado = false;
    RespondedorParada r([&](int n) {
        if (n == 2) arrancado = Arranca();
        return n <= 2 ? Trampa::Reintentar : Trampa::Salir;
    });
    QElapsedTimer reloj;
    reloj.start();
    const bool completo = ConTrampa(QStringLiteral("AltaCliente"), [](Trampa& t) {
        t.Paso([] { Conexion().EjecutaSql(QStringLiteral("INSERT INTO VT_CLIENTES (CODIGO, NOMBRE) VALUES ('Z901', 'Tras la parada')")); });
    });
    QVERIFY(arrancado);
    QVERIFY2(completo, qPrintable(Descripciones(r.errores)));
    QVERIFY2(r.errores.size() == 2, qPrintable(Descripciones(r.errores)));
    QVERIFY2(reloj.elapsed() < 60000, "the session hung on the stopped server");
    for (const auto& e : r.errores) QCOMPARE(e.procedimiento, QStringLiteral("AltaCliente"));
    QCOMPARE(Clientes(QStringLiteral("z901")), 1);
    // The session goes on on the new connection.
    QCOMPARE(Conexion().ObtieneDescripcion(QStringLiteral("V_TA_CPTE"), QStringLiteral("FC"), QStringLiteral("DESCRIPCION"),
                                           QStringLiteral("CODIGO")).toString(),
             QStringLiteral("FACTURA"));
}

// Leaving while the server is down: the procedure is left as failed and the
// row is not there; the next statement after the server is back runs.
void TestServidorDetenido::salirMientrasEstaDetenido() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    ServidorVuelve vuelve;
    QVERIFY(Detiene());
    RespondedorParada r([](int) { return Trampa::Salir; });
    const bool completo = ConTrampa(QStringLiteral("AltaCliente"), [](Trampa& t) {
        t.Paso([] { Conexion().EjecutaSql(QStringLiteral("INSERT INTO VT_CLIENTES (CODIGO, NOMBRE) VALUES ('Z902', 'No va')")); });
    });
    QVERIFY(!completo);
    QCOMPARE(r.errores.size(), 1);
    QVERIFY(Arranca());
    QCOMPARE(Clientes(QStringLiteral("Z902")), 0);
    QCOMPARE(r.errores.size(), 1);
}

// A print started after the server is back stages the whole voucher at
// once, though the connection it holds died with the server.
void TestServidorDetenido::imprimirTrasVolverElServidor() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    ServidorVuelve vuelve;
    QVERIFY(Detiene());
    {
        RespondedorParada r([](int) { return Trampa::Salir; });
        QVERIFY(!ConTrampa(QStringLiteral("Busca"), [](Trampa& t) {
            t.Paso([] { Conexion().AbreRecordset(QStringLiteral("SELECT * FROM V_TA_CPTE")); });
        }));
        QCOMPARE(r.errores.size(), 1);
    }
    QVERIFY(Arranca());
    RespondedorParada r([](int) { return Trampa::Salir; });
    QString tc = QStringLiteral("FC");
    GeneraAuxiliarComprobantes(tc, QStringLiteral("0001"), QStringLiteral("00000025"), QStringLiteral("A"), QStringLiteral("0"), 3,
                               {}, {}, {}, {}, {}, {});
    QVERIFY2(r.errores.isEmpty(), qPrintable(Descripciones(r.errores)));
    const QString w = QStringLiteral(" WHERE TC = 'FC' AND IDCOMPROBANTE = '000100000025A'");
    const int lineas = Conexion().AbreRecordset(QStringLiteral("SELECT COUNT(*) FROM V_MV_CPTETAREAS") + w).Campo(0).toInt() +
                       Conexion().AbreRecordset(QStringLiteral("SELECT COUNT(*) FROM V_MV_CPTEINSUMOS") + w).Campo(0).toInt() +
                       Conexion().AbreRecordset(QStringLiteral("SELECT COUNT(*) FROM V_MV_CPTE_Observ") + w +
                                                QStringLiteral(" AND Tipo_Obs = 'OC'")).Campo(0).toInt();
    QVERIFY(lineas > 0);
    QCOMPARE(Conexion()
                 .AbreRecordset(QStringLiteral("SELECT COUNT(*) FROM Aux_MV_Cpte WHERE Usuario = 'PUESTO01|admin' "
                                               "AND Tipo IN ('TA', 'IN', 'OC')"))
                 .Campo(0)
                 .toInt(),
             lineas);
}

// The server stops inside a transaction: its statements are gone with it.
// "Retry" after the server is back does not run the rest on a new
// connection (the transaction's first part would be lost unnoticed), the
// commit reports the failure, and what the transaction did is not there.
void TestServidorDetenido::transaccionCortadaNoSeConfirma() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo,
                        QStringLiteral("INSERT INTO Aux_MV_Cpte (Usuario, TC, IdComprobante, IdComplemento, Tipo, Columna2) "
                                       "VALUES ('PUESTO01|admin', 'FC', '000100000025A', 0, 'TA', 'anterior')"));
    ServidorVuelve vuelve;
    bool arrancado = false;
    RespondedorParada r([&](int n) {
        if (n == 2) arrancado = Arranca();
        // Retry twice (down, then back), then past the statement to the commit.
        return n <= 2 ? Trampa::Reintentar : n == 3 ? Trampa::Siguiente : Trampa::Salir;
    });
    bool confirmada = false, detenido = false;
    ConTrampa(QStringLiteral("Graba"), [&](Trampa& t) {
        t.Paso([] { Conexion().IniciaTransaccion(); });
        t.Paso([] { Conexion().EjecutaSql(QStringLiteral("DELETE Aux_MV_Cpte WHERE Usuario = 'PUESTO01|admin'")); });
        t.Paso([&] { detenido = Detiene(); });
        t.Paso([] {
            Conexion().EjecutaSql(QStringLiteral("INSERT INTO Aux_MV_Cpte (Usuario, TC, IdComprobante, IdComplemento, Tipo, Columna2) "
                                                 "VALUES ('PUESTO01|admin', 'FC', '000100000025A', 0, 'TA', 'nueva')"));
        });
        t.Paso([&] {
            Conexion().ConfirmaTransaccion();
            confirmada = true;
        });
    });
    QVERIFY(detenido && arrancado);
    QVERIFY2(!confirmada, qPrintable(Descripciones(r.errores)));
    QVERIFY2(r.errores.size() == 4 && r.errores.last().descripcion.contains(QStringLiteral("no se confirmó")),
             qPrintable(Descripciones(r.errores)));
    QVERIFY(!Conexion().EnTransaccion());
    // After the transaction the session works again, with no further report.
    QStringList filas;
    Recordset rs = Conexion().AbreRecordset(QStringLiteral("SELECT Columna2 FROM Aux_MV_Cpte WHERE Usuario = 'PUESTO01|admin'"));
    for (; !rs.Eof(); rs.MoveNext()) filas << rs.Campo(0).toString().trimmed();
    QCOMPARE(filas, QStringList{QStringLiteral("anterior")});
}

// With the server up, a statement of a transaction fails and the operator
// goes on: only that statement is undone (psqlODBC rolls back to the
// statement, as the embedded database does) and the commit keeps the rest.
// The check for a lost server after the failure does not end the transaction.
void TestServidorDetenido::transaccionSigueTrasUnaSentenciaFallida() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    RespondedorParada r([](int) { return Trampa::Siguiente; });
    bool confirmada = false;
    ConTrampa(QStringLiteral("Graba"), [&](Trampa& t) {
        t.Paso([] { Conexion().IniciaTransaccion(); });
        t.Paso([] { Conexion().EjecutaSql(QStringLiteral("INSERT INTO VT_CLIENTES (CODIGO, NOMBRE) VALUES ('Z903', 'Primero')")); });
        t.Paso([] { Conexion().EjecutaSql(QStringLiteral("INSERT INTO VT_CLIENTES (CODIGO, NOMBRE) VALUES ('z903', 'Repetido')")); });
        t.Paso([] { Conexion().EjecutaSql(QStringLiteral("INSERT INTO VT_CLIENTES (CODIGO, NOMBRE) VALUES ('Z904', 'Segundo')")); });
        t.Paso([&] {
            Conexion().ConfirmaTransaccion();
            confirmada = true;
        });
    });
    QVERIFY2(confirmada, qPrintable(Descripciones(r.errores)));
    QVERIFY2(r.errores.size() == 1, qPrintable(Descripciones(r.errores)));
    QVERIFY(!Conexion().EnTransaccion());
    QCOMPARE(Conexion().ObtieneDescripcion(QStringLiteral("VT_CLIENTES"), QStringLiteral("Z903"), QStringLiteral("NOMBRE"),
                                           QStringLiteral("CODIGO")).toString(),
             QStringLiteral("Primero"));
    QCOMPARE(Clientes(QStringLiteral("Z904")), 1);
}

QTEST_MAIN(TestServidorDetenido)
#include "test_servidor_detenido.moc"
