// Amounts and quantities below a thousandth read from the embedded database
// (0.0005) are read as the value they are, never through a scientific text
// ("5e-04" would read as 5): in the grids, the payment means, the chooser and
// the staged print rows.
#include "chooser/FrmConsComprobantes.h"
#include "chooser/ModeloComprobantes.h"
#include "cmncptes/ClsCmnCptes.h"
#include "cmncptes/GrillaFlex.h"
#include "inquiry/FrmConsCpteGenerico.h"
#include "printing/ModImpresion.h"
#include "session/ClsConexion.h"
#include "session/ClsFunciones.h"
#include "session/ModGlobal.h"
#include "session/Modal.h"
#include "support/Fixture.h"

#include <QSqlQuery>
#include <QTest>
#include <memory>

namespace {

const QString Semilla = QStringLiteral(
    "INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IdArticulo, Descripcion, IdUnidad, Cantidad, Importe, "
    "Importe_S_IVA, Impuestos, Total) VALUES ('FC', '000100000025A', 0, 'MIN-001', 'Arandela', 'UN', 0.0005, 0.0005, 0.0004, "
    "0.0001, 0.0005);\n"
    "UPDATE MV_ASIENTOS SET Importe = 0.0005 WHERE TC = 'CB' AND NUMERO = '00000150' AND SECUENCIA = 1;\n"
    "UPDATE V_MV_CPTE SET Importe = 0.0005 WHERE TC = 'FC' AND IDCOMPROBANTE = '000100000025A'");

std::unique_ptr<FrmConsCpteGenerico> Abre(const QString& parametros) {
    ParametroAdicional = parametros;
    auto f = std::make_unique<FrmConsCpteGenerico>();
    f->Form_Load();
    return f;
}

} // namespace

class PruebaMontosPequenos : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { ParametroAdicional.clear(); }

    void valorDelCampoSinNotacionCientifica() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo, Semilla);
        Recordset rs = Conexion().AbreRecordset(
            QStringLiteral("SELECT Cantidad FROM V_MV_CPTEINSUMOS WHERE IdArticulo = 'MIN-001'"));
        const QVariant v = Funciones().ValorCampo(rs.Campo(0));
        QCOMPARE(v.toString(), QStringLiteral("0.0005"));
        QCOMPARE(Funciones().TextoAMoneda(v), Moneda::DesdeDiezmilesimos(5));
        QCOMPARE(FmtMoneda(v, 4), QStringLiteral("0.0005"));
    }

    void grillaDeArticulos() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo, Semilla);
        auto f = Abre(QStringLiteral("@TC=FC|@Sucursal=1|@Numero=25|@Letra=A|@PConsultaSolamente=SI|"));
        const GrillaFlex* g = f->MSFlexGrid2;
        int fila = -1;
        for (int r = g->FixedRows(); r < g->Rows(); ++r)
            if (g->TextMatrix(r, 0) == QLatin1String("MIN-001")) fila = r;
        QVERIFY(fila > 0);
        QCOMPARE(g->TextMatrix(fila, 4), QStringLiteral("0.0005"));   // Cant.
        QCOMPARE(g->TextMatrix(fila, 6), QStringLiteral("0.00"));     // Importe
        QCOMPARE(g->TextMatrix(fila, 7), QStringLiteral("0.00"));     // Total
        QCOMPARE(g->TextMatrix(fila, 15), QStringLiteral("0.0005"));
    }

    void efectivoDeUnaCobranza() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo, Semilla);
        auto f = Abre(QStringLiteral("@TC=CB|@Sucursal=1|@Numero=150|@Letra=X|@PConsultaSolamente=SI|"));
        const QString texto = f->TextoDisp();
        QVERIFY2(texto.contains(QStringLiteral(" EFECTIVO : ") + QString(58, QLatin1Char(' ')) + QStringLiteral("0.001\r\n")),
                 qPrintable(texto));
        // 120000 + 12500.75 + 0.0005, shown with three decimals.
        QVERIFY2(texto.endsWith(QStringLiteral("TOTAL   : ") + QString(59, QLatin1Char(' ')) + QStringLiteral("132500.751")),
                 qPrintable(texto));
    }

    void importeDelSelector() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo, Semilla);
        QString importe = QStringLiteral("(sin abrir)");
        Modal::GanchoTemporal gancho([&](QDialog* d) {
            auto* frm = dynamic_cast<FrmConsComprobantes*>(d);
            if (!frm) return 0;
            const ModeloComprobantes* m = frm->Modelo();
            for (int i = 0; i < m->rowCount(); ++i)
                for (int c = 0; c < m->columnCount(); ++c)
                    if (m->Texto(i, c).contains(QLatin1String("00000025")))
                        importe = m->Texto(i, m->ColumnaDe(QStringLiteral("IMPORTE")));
            return 0;
        });
        ClsCmnCptes cmn;
        QString respuesta, complemento, proveedor;
        cmn.ConsultaComprobante(QStringLiteral("FC"), respuesta, QVariant(), complemento, proveedor);
        QCOMPARE(importe, QStringLiteral("0.0005"));
    }

    void cantidadEstacionada() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo, Semilla);
        QString tc = QStringLiteral("FC");
        GeneraAuxiliarComprobantes(tc, QStringLiteral("0001"), QStringLiteral("00000025"), QStringLiteral("A"),
                                   QStringLiteral("0"), 3, {}, {}, {}, {}, {}, {});
        QSqlQuery q(Conexion().Conexion());
        QVERIFY(q.exec(QStringLiteral("SELECT Columna4, Columna5, Columna6 FROM Aux_MV_Cpte WHERE Tipo = 'IN' AND Columna1 = 'MIN-001'")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("0.0005"));
        QCOMPARE(q.value(1).toString(), QStringLiteral("0.00"));
        QCOMPARE(q.value(2).toString(), QStringLiteral("0.00"));
    }
};

QTEST_MAIN(PruebaMontosPequenos)
#include "test_montos_pequenos.moc"
