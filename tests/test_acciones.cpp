// The voucher action log and the relations between a voucher and the
// vouchers generated from it.
#include "cmncptes/ClsCmnCptes.h"
#include "session/ClsConexion.h"
#include "session/ClsSesion.h"
#include "session/ErrorEjecucion.h"
#include "support/Fixture.h"

#include <QDateTime>
#include <QTest>

namespace {

const QString Columnas = QStringLiteral(
    "INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, Fecha, Cuenta, Anulada, Importe, TCORIGEN, "
    "COMPROBANTEORIGEN, COMPLEMENTOORIGEN) VALUES ");

// A voucher generated from OT 0001-00000101-X (or another origin).
QString Derivado(const QString& tc, const QString& id, const QString& importe, int anulada,
                 const QString& complementoOrigen = QStringLiteral("0"),
                 const QString& origen = QStringLiteral("000100000101X")) {
    QString o = origen;
    o.replace(QLatin1Char('\''), QLatin1String("''"));
    return Columnas + QStringLiteral("('%1', '%2', 0, '2024-06-20', 'C0001', %3, %4, 'OT', '%5', %6);\n")
                          .arg(tc, id, QString::number(anulada), importe, o, complementoOrigen);
}

struct RelojFijo {
    ClsSesion::Reloj anterior;
    explicit RelojFijo(const QDateTime& dt) : anterior(ClsSesion::EstableceReloj([dt] { return dt; })) {}
    ~RelojFijo() { ClsSesion::EstableceReloj(anterior); }
};

} // namespace

class PruebaAcciones : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        qunsetenv("TALERUNA_USUARIO");
        qunsetenv("TALERUNA_TERMINAL");
    }

    // --- the action log ------------------------------------------------------------
    void buchon_data() {
        QTest::addColumn<bool>("alta");
        QTest::addColumn<bool>("modificacion");
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("usuario");
        QTest::addColumn<QString>("terminal");
        QTest::newRow("'A' gana a 'M'") << true << true << "A" << "admin" << "PUESTO01";
        QTest::newRow("solo alta") << true << false << "A" << "admin" << "PUESTO01";
        QTest::newRow("solo modificacion") << false << true << "M" << "admin" << "PUESTO01";
        QTest::newRow("ninguna: baja") << false << false << "B" << "admin" << "PUESTO01";
        QTest::newRow("usuario con apostrofo y letras no latinas")
            << true << false << "A" << QString::fromUtf8("O'Brien Ñandú 日本語") << QString::fromUtf8("PUESTO-Ω'2");
    }
    void buchon() {
        QFETCH(bool, alta);
        QFETCH(bool, modificacion);
        QFETCH(QString, tipo);
        QFETCH(QString, usuario);
        QFETCH(QString, terminal);
        qputenv("TALERUNA_USUARIO", usuario.toUtf8());
        qputenv("TALERUNA_TERMINAL", terminal.toUtf8());
        Prueba::Entorno env;
        RelojFijo reloj(QDateTime(QDate(2024, 6, 10), QTime(9, 5, 7)));
        ClsCmnCptes cmn;
        cmn.ActualizaBuchon(QStringLiteral(" FC"), QStringLiteral("000100000025A"), QStringLiteral("0"), alta, modificacion);
        QVERIFY(env.respondedor.errores.isEmpty());
        // The eight pairs of the row, in the table's order.
        QCOMPARE(CamposSql.size(), 8);
        QCOMPARE(CamposSql[2].Valor, QStringLiteral("0"));  // the complement unquoted
        // The row as stored, with the stored type of the complement (PostgreSQL
        // writes its timestamp in its own form: asked here in the same text).
        Recordset rs = Conexion().AbreRecordset(
            Prueba::DsnPostgres().isEmpty()
                ? QStringLiteral("SELECT TC || '|' || IdComprobante || '|' || IdComplemento || '|' || Tipo_accion || '|' || "
                                 "FECHAHORA || '|' || Usuario || '|' || PC || '|' || SYSTEMUSER AS T, typeof(IdComplemento) AS K "
                                 "FROM V_MV_CPTEACCIONES")
                : QStringLiteral("SELECT concat(TC, '|', IdComprobante, '|', IdComplemento, '|', Tipo_accion, '|', "
                                 "to_char(FECHAHORA, 'YYYY-MM-DD\"T\"HH24:MI:SS'), '|', Usuario, '|', PC, '|', SYSTEMUSER) AS T, "
                                 "pg_typeof(IdComplemento)::text AS K FROM V_MV_CPTEACCIONES"));
        QVERIFY(!rs.Eof());
        QCOMPARE(rs.Campo(QStringLiteral("T")).toString(),
                 QStringLiteral("FC  |000100000025A|0|%1|2024-06-10T09:05:07|%2|%3|").arg(tipo, usuario, terminal));
        QCOMPARE(rs.Campo(QStringLiteral("K")).toString(), QStringLiteral("integer"));
        rs.MoveNext();
        QVERIFY(rs.Eof());
        // The stored date and time reads back as that moment.
        Recordset f = Conexion().AbreRecordset(QStringLiteral("SELECT FECHAHORA FROM V_MV_CPTEACCIONES"));
        QCOMPARE(f.Campo(0).toDateTime(), QDateTime(QDate(2024, 6, 10), QTime(9, 5, 7)));
    }

    // A log that cannot be written is passed over in silence; the caller goes on.
    void buchonQueFallaNoDetieneNada_data() {
        QTest::addColumn<QString>("rompe");
        QTest::addColumn<QString>("complemento");
        QTest::newRow("tabla inexistente") << Prueba::QuitaTabla(QStringLiteral("V_MV_CPTEACCIONES")) << "0";
        QTest::newRow("base de solo lectura") << Prueba::SoloLectura() << "0";
        QTest::newRow("complemento que no es numero") << "" << "x";
    }
    void buchonQueFallaNoDetieneNada() {
        QFETCH(QString, rompe);
        QFETCH(QString, complemento);
        Prueba::Entorno env;
        if (!rompe.isEmpty()) env.Ejecuta(rompe);
        ClsCmnCptes cmn;
        bool siguio = false;
        try {
            cmn.ActualizaBuchon(QStringLiteral("FC"), QStringLiteral("000100000025A"), complemento, true, false);
            siguio = true;
        } catch (...) {
        }
        QVERIFY(siguio);
        QVERIFY(env.respondedor.errores.isEmpty());
        QVERIFY(env.respondedor.mensajes.isEmpty());
        if (rompe.isEmpty()) {
            // A complement that is not a number is left out; the row is still logged.
            Recordset rs = Conexion().AbreRecordset(QStringLiteral("SELECT IdComplemento, Tipo_accion FROM V_MV_CPTEACCIONES"));
            QVERIFY(!rs.Eof());
            QVERIFY(rs.Campo(0).isNull());
            QCOMPARE(rs.Campo(1).toString(), QStringLiteral("A"));
        }
    }

    // --- relations -------------------------------------------------------------------
    void relaciones_data() {
        QTest::addColumn<QString>("semilla");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<bool>("sinAnulados");
        QTest::addColumn<bool>("conAnulados");
        QTest::addColumn<QString>("importe");
        const QString ot = QStringLiteral("000100000101X");
        QTest::newRow("sin derivados") << QString() << ot << false << false << "0";
        QTest::newRow("100 + 250.50 = 350.50")
            << Derivado("RM", "000100000050R", "100", 0) + Derivado("FC", "000100000030A", "250.50", 0) << ot << true << true
            << "350.5";
        QTest::newRow("solo anulados: relacionado si se cuentan, importe 0")
            << Derivado("RM", "000100000050R", "100", 1) << ot << false << true << "0";
        QTest::newRow("anulado y vigente: el anulado no suma")
            << Derivado("RM", "000100000050R", "100", 1) + Derivado("FC", "000100000030A", "40.25", 0) << ot << true << true
            << "40.25";
        QTest::newRow("otro complemento: cuenta el importe, no la relacion")
            << Derivado("RM", "000100000050R", "250.50", 0, "1") << ot << false << false << "250.5";
        QTest::newRow("importe Null cuenta 0")
            << Derivado("RM", "000100000050R", "NULL", 0) + Derivado("FC", "000100000030A", "100", 0) << ot << true << true
            << "100";
        QTest::newRow("clave con apostrofo") << Derivado("RM", "000100000050R", "12.3456", 0, "0", "0001000'0101X")
                                             << "0001000'0101X" << true << true << "12.3456";
        QTest::newRow("la clave se compara sin blancos")
            << Derivado("RM", "000100000050R", "7", 0) << ot + QStringLiteral("  ") << true << true << "7";
    }
    void relaciones() {
        QFETCH(QString, semilla);
        QFETCH(QString, clave);
        QFETCH(bool, sinAnulados);
        QFETCH(bool, conAnulados);
        QFETCH(QString, importe);
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, semilla);
        ClsCmnCptes cmn;
        QCOMPARE(cmn.EstaRelacionadoAOtroComprobante(QStringLiteral("OT"), clave, QStringLiteral("0"), false), sinAnulados);
        QCOMPARE(cmn.EstaRelacionadoAOtroComprobante(QStringLiteral("OT"), clave, QStringLiteral("0"), true), conAnulados);
        QCOMPARE(cmn.ObtieneImporteCptesAsociados(QStringLiteral("OT"), clave), Moneda::DesdeTexto(importe));
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    // The relation services have no trap: a database error reaches the caller.
    void relacionesSinVistaLlevanElErrorAlLlamador() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, Prueba::QuitaTabla(QStringLiteral("V_MV_CPTE")));
        ClsCmnCptes cmn;
        QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, cmn.EstaRelacionadoAOtroComprobante(QStringLiteral("OT"), QStringLiteral("x"),
                                                                                    QStringLiteral("0"), true));
        QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, cmn.ObtieneImporteCptesAsociados(QStringLiteral("OT"), QStringLiteral("x")));
        QVERIFY(env.respondedor.errores.isEmpty());
    }
};

QTEST_MAIN(PruebaAcciones)
#include "test_acciones.moc"
