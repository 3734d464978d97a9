// Several workstations printing at once against one database: eight copies of
// the program, each with its own TALERUNA_TERMINAL, stage and print vouchers
// to PDF at the same time. Every workstation's staged rows are its voucher's,
// complete and once, the rows of other workstations and users stay as they
// were, and every PDF holds its own voucher. Runs on the embedded database
// (where the writers wait for each other's lock) and, under
// scripts/postgres.sh, on the PostgreSQL server.
#include "session/ClsConexion.h"
#include "session/SqlLiteral.h"
#include "support/Fixture.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <memory>
#include <vector>

namespace {

struct Comprobante {
    QString tc, id, cliente;
    int lineas = 0;  // detail lines: tasks, supplies and other concepts
    QString Parametros() const {
        return QStringLiteral("@TC=%1|@Sucursal=%2|@Numero=%3|@Letra=%4|@PConsultaSolamente=SI|")
            .arg(tc, id.left(4), id.mid(4, 8), id.mid(12));
    }
    QString Numero() const { return id.left(4) + QLatin1Char('-') + id.mid(4, 8); }
};

QString LineaComandos(const Prueba::Entorno& env, const QString& parametros) {
    return Prueba::DsnPostgres().isEmpty()
               ? QStringLiteral("@Server=;@DbName=%1;@ParametroAdicional=%2;").arg(env.RutaBase(), parametros)
               : QStringLiteral("@Server=%1;@DbName=%2;@ParametroAdicional=%3;")
                     .arg(Prueba::DsnPostgres(), env.BaseServidor(), parametros);
}

QProcessEnvironment EntornoPuesto(const QString& terminal) {
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("TALERUNA_REPORTES"), Prueba::RutaFuente(QStringLiteral("reports")));
    e.insert(QStringLiteral("TALERUNA_TERMINAL"), terminal);
    e.insert(QStringLiteral("TALERUNA_USUARIO"), QStringLiteral("cajero"));
    return e;
}

QString TextoPdf(const QString& ruta) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), ruta, QStringLiteral("-")});
    if (!p.waitForFinished(30000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

// The staged rows a condition selects, in staging order, each as one text of
// its columns (without the ID and the session key unless asked).
QStringList Filas(const QString& condicion, bool conId = false) {
    QStringList filas;
    Recordset rs = Conexion().AbreRecordset(
        QStringLiteral("SELECT ID, Usuario, TC, IdComprobante, IdComplemento, Tipo, Columna1, Columna2, Columna3, Columna4, "
                       "Columna5, Columna6, Columna7, Encabezado, PieDePagina, Seccion FROM Aux_MV_Cpte WHERE ") +
        condicion + QStringLiteral(" ORDER BY ID"));
    for (; !rs.Eof(); rs.MoveNext()) {
        QStringList c;
        for (int i = conId ? 0 : 2; i < rs.CantidadCampos(); ++i) c << rs.Campo(i).toString().trimmed();
        filas << c.join(QLatin1Char('\t'));
    }
    return filas;
}

QString Clave(const QString& terminal) { return SqlLiteral::Texto(terminal + QStringLiteral("|cajero")); }

// Detail rows (tasks, supplies, other concepts) of a list of staged rows.
int Detalles(const QStringList& filas) {
    int n = 0;
    for (const QString& f : filas) {
        const QString tipo = f.section(QLatin1Char('\t'), 3, 3);
        if (tipo == QLatin1String("TA") || tipo == QLatin1String("IN") || tipo == QLatin1String("OC")) ++n;
    }
    return n;
}

} // namespace

class TestPuestos : public QObject {
    Q_OBJECT
private slots:
    void ochoPuestosImprimenALaVez();
};

void TestPuestos::ochoPuestosImprimenALaVez() {
    // Rows of other sessions: another workstation, and another user of the
    // same workstation names, and a stale row of each workstation that prints
    // (its previous staging, which the new one replaces).
    QString semilla;
    const auto fila = [](const QString& usuario, const QString& texto) {
        return QStringLiteral("INSERT INTO Aux_MV_Cpte (Usuario, TC, IdComprobante, IdComplemento, Tipo, Columna2) "
                              "VALUES (%1, 'FC  ', '000100000099A', 0, 'TA', %2);\n")
            .arg(SqlLiteral::Texto(usuario), SqlLiteral::Texto(texto));
    };
    semilla += fila(QStringLiteral("CAJA-9|cajero"), QStringLiteral("otra caja"));
    semilla += fila(QStringLiteral("PUESTO_1|supervisor"), QStringLiteral("otro usuario"));
    semilla += fila(QStringLiteral("PUESTO_10|cajero"), QStringLiteral("nombre que empieza igual"));
    for (int i = 1; i <= 8; ++i) semilla += fila(QStringLiteral("PUESTO_%1|cajero").arg(i), QStringLiteral("resto anterior"));
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo, semilla);

    // The printable vouchers of the demo company and their detail lines.
    std::vector<Comprobante> cptes;
    {
        Recordset rs = Conexion().AbreRecordset(QStringLiteral(
            "SELECT TC, IDCOMPROBANTE, Nombre FROM V_MV_CPTE WHERE TC IN ('FC', 'NC', 'ND', 'RM') AND IDCOMPLEMENTO = 0 "
            "AND COALESCE(Anulada, 0) = 0 ORDER BY ID"));
        for (; !rs.Eof(); rs.MoveNext())
            cptes.push_back({rs.Campo(0).toString().trimmed(), rs.Campo(1).toString().trimmed(), rs.Campo(2).toString().trimmed()});
    }
    QVERIFY(cptes.size() >= 4);
    for (Comprobante& c : cptes) {
        const QString w = QStringLiteral(" WHERE TC = %1 AND IDCOMPROBANTE = %2 AND IDCOMPLEMENTO = 0")
                              .arg(SqlLiteral::Texto(c.tc), SqlLiteral::Texto(c.id));
        for (const QString& s : {QStringLiteral("SELECT COUNT(*) FROM V_MV_CPTETAREAS") + w,
                                 QStringLiteral("SELECT COUNT(*) FROM V_MV_CPTEINSUMOS") + w,
                                 QStringLiteral("SELECT COUNT(*) FROM V_MV_CPTE_Observ") + w + QStringLiteral(" AND Tipo_Obs = 'OC'")})
            c.lineas += Conexion().AbreRecordset(s).Campo(0).toInt();
    }

    // Each voucher printed by a workstation alone: the reference.
    std::vector<QStringList> referencia;
    std::vector<QString> textoReferencia;
    for (size_t k = 0; k < cptes.size(); ++k) {
        const QString terminal = QStringLiteral("SOLO_%1").arg(k);
        const QString pdf = env.Carpeta() + terminal + QStringLiteral(".pdf");
        const Prueba::Corrida c = Prueba::EjecutaPrograma({QStringLiteral("--imprimir"), pdf, LineaComandos(env, cptes[k].Parametros())},
                                                          EntornoPuesto(terminal));
        QVERIFY2(c.codigo == 0, qPrintable(QStringLiteral("%1: status %2: %3").arg(cptes[k].id).arg(c.codigo).arg(c.errores)));
        const QStringList filas = Filas(QStringLiteral("Usuario = ") + Clave(terminal));
        QCOMPARE(Detalles(filas), cptes[k].lineas);
        referencia.push_back(filas);
        textoReferencia.push_back(TextoPdf(pdf));
    }
    const QString ajenas = QStringLiteral("Usuario NOT IN (") + Clave(QStringLiteral("PUESTO_1")) +
                           [] {
                               QString s;
                               for (int i = 2; i <= 8; ++i) s += QLatin1Char(',') + Clave(QStringLiteral("PUESTO_%1").arg(i));
                               return s;
                           }() +
                           QLatin1Char(')');
    const QStringList ajenasAntes = Filas(ajenas, true);

    // Eight workstations at once.
    std::vector<std::unique_ptr<QProcess>> procesos;
    QElapsedTimer reloj;
    reloj.start();
    for (int i = 1; i <= 8; ++i) {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(EntornoPuesto(QStringLiteral("PUESTO_%1").arg(i)));
        p->start(Prueba::RutaBinario(QStringLiteral("conscpte")),
                 {QStringLiteral("--imprimir"), env.Carpeta() + QStringLiteral("puesto_%1.pdf").arg(i),
                  LineaComandos(env, cptes[(i - 1) % cptes.size()].Parametros())});
        procesos.push_back(std::move(p));
    }
    for (int i = 1; i <= 8; ++i) {
        QProcess& p = *procesos[i - 1];
        const bool termino = p.waitForFinished(300000);
        if (!termino) p.kill();
        QVERIFY2(termino && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0,
                 qPrintable(QStringLiteral("PUESTO_%1: status %2: %3")
                                .arg(i)
                                .arg(p.exitCode())
                                .arg(QString::fromUtf8(p.readAllStandardError()))));
    }
    qInfo("eight workstations printed in %lld ms", reloj.elapsed());

    for (int i = 1; i <= 8; ++i) {
        const size_t k = (i - 1) % cptes.size();
        const QString terminal = QStringLiteral("PUESTO_%1").arg(i);
        const QStringList filas = Filas(QStringLiteral("Usuario = ") + Clave(terminal));
        QVERIFY2(filas == referencia[k], qPrintable(terminal + QStringLiteral(":\n") + filas.join(QLatin1Char('\n'))));
        const QString texto = TextoPdf(env.Carpeta() + QStringLiteral("puesto_%1.pdf").arg(i));
        QVERIFY2(texto.contains(cptes[k].Numero()) && texto.contains(cptes[k].cliente), qPrintable(terminal + QStringLiteral(": ") + texto.left(300)));
        QCOMPARE(texto, textoReferencia[k]);
    }
    QCOMPARE(Filas(ajenas, true), ajenasAntes);
}

QTEST_MAIN(TestPuestos)
#include "test_puestos.moc"
