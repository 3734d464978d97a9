// The database answers the program's statements: every table and view the
// program reads or writes exists with the columns it uses, in the schema and
// with the demo company loaded; the database tool refuses what it must.
#include "session/ClsConexion.h"
#include "session/CreaBaseDatos.h"
#include "session/ErrorEjecucion.h"
#include "support/Fixture.h"

#include <QDir>
#include <QFile>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestEsquema : public QObject {
    Q_OBJECT
private slots:
    void objetosYColumnas_data();
    void objetosYColumnas();
    void demoTieneDeCadaTipo_data();
    void demoTieneDeCadaTipo();
    void herramientaNoSobrescribe();
    void datosConErrorNoDejanBase();
    void datosConSuPropiaTransaccion_data();
    void datosConSuPropiaTransaccion();
    void creabdDesdeLaLineaDeComandos();
};

void TestEsquema::objetosYColumnas_data() {
    QTest::addColumn<QString>("objeto");
    QTest::addColumn<QString>("columnas");
    QTest::newRow("TA_CONFIGURACION") << "TA_CONFIGURACION" << "CLAVE, Valor";
    QTest::newRow("TA_CONDIVA") << "TA_CONDIVA" << "Codigo, DESCRIPCION";
    QTest::newRow("TA_REPORTES") << "TA_REPORTES" << "NOMBRE, Archivo";
    QTest::newRow("V_TA_CPTE") << "V_TA_CPTE" << "CODIGO, SISTEMA, ES, Signo";
    QTest::newRow("V_TA_COMPROBANTES") << "V_TA_COMPROBANTES" << "*";
    QTest::newRow("V_TA_BANCOS") << "V_TA_BANCOS" << "IDBANCO, DESCRIPCION";
    QTest::newRow("VT_PROVEEDORES") << "VT_PROVEEDORES" << "CODIGO";
    QTest::newRow("V_MV_CPTE") << "V_MV_CPTE"
                               << "TC, IDCOMPROBANTE, IDCOMPLEMENTO, ID, Fecha, FECHAESTFIN, Cuenta, Nombre, DOMICILIO, "
                                  "LOCALIDAD, CONDICIONIVA, IdLista, CLASEPRECIO, Anulada, APROBADO, FINALIZADA, Importe, "
                                  "Comentarios, TCORIGEN, COMPROBANTEORIGEN, COMPLEMENTOORIGEN";
    QTest::newRow("C_MV_CPTE") << "C_MV_CPTE"
                               << "TC, IDCOMPROBANTE, CUENTA, Fecha, Vencimiento, Nombre, DOMICILIO, LOCALIDAD, "
                                  "CONDICIONIVA, Anulada, Importe";
    const QString tareas = QStringLiteral("ID, TC, IDCOMPROBANTE, IdTarea, Descripcion, Horas, ValorHora, ValorHora_S_IVA, "
                                          "Total, DescripcionAdicional");
    const QString insumos = QStringLiteral("ID, TC, IDCOMPROBANTE, IdArticulo, Descripcion, IdUnidad, Cantidad, Importe, "
                                           "Importe_S_IVA, Impuestos, Total, Nro_Lote, Nro_Serie, Exento");
    const QString observ = QStringLiteral("ID, TC, IDCOMPROBANTE, Observacion, Importe, Importe_S_IVA, TIPO_OBS");
    QTest::newRow("V_MV_CPTETAREAS") << "V_MV_CPTETAREAS" << tareas + QStringLiteral(", IdComplemento");
    QTest::newRow("V_MV_CPTEINSUMOS") << "V_MV_CPTEINSUMOS" << insumos + QStringLiteral(", IdComplemento");
    QTest::newRow("V_MV_CPTE_Observ") << "V_MV_CPTE_Observ" << observ + QStringLiteral(", IdComplemento");
    QTest::newRow("C_MV_CPTETAREAS") << "C_MV_CPTETAREAS" << tareas + QStringLiteral(", CUENTA");
    QTest::newRow("C_MV_CPTEINSUMOS") << "C_MV_CPTEINSUMOS" << insumos + QStringLiteral(", CUENTA");
    QTest::newRow("C_MV_CPTE_Observ") << "C_MV_CPTE_Observ" << observ + QStringLiteral(", CUENTA");
    QTest::newRow("MV_ASIENTOS") << "MV_ASIENTOS"
                                 << "TC, SUCURSAL, NUMERO, LETRA, CUENTA, SECUENCIA, PERIODO, MES_OPERATIVO, "
                                    "[NUMERO ASIENTO], Importe, ChPropio, NroComprobanteBancario, IdBanco, Vencimiento, "
                                    "CABIMPORTE, DETALLE";
    QTest::newRow("Aux_MV_Cpte") << "Aux_MV_Cpte"
                                 << "ID, Usuario, TC, IdComprobante, IdComplemento, Tipo, Columna1, Columna2, Columna3, "
                                    "Columna4, Columna5, Columna6, Columna7, Encabezado, PieDePagina, Seccion";
    QTest::newRow("V_MV_STOCK") << "V_MV_STOCK"
                                << "TC, IdComprobante, IdComplemento, Secuencia, Fecha, IdDeposito, IdArticulo, Descripcion, "
                                   "NroLote, NroSerie, IdUnidad, Cantidad, CuentaProveedor, IdMotivoStock, PrecioVenta, Costo, "
                                   "Tc_Origen, IdComprobante_Origen";
    QTest::newRow("STK_SERIES_Y_LOTES") << "STK_SERIES_Y_LOTES"
                                        << "IDARTICULO, IdDeposito, NroLote, NroSerie, IdPosicion, CANTIDAD";
    QTest::newRow("V_MA_ARTICULOS") << "V_MA_ARTICULOS" << "IDARTICULO, CUENTAPROVEEDOR, Costo, USASERIE, USALOTE";
    QTest::newRow("V_MV_CPTEACCIONES") << "V_MV_CPTEACCIONES"
                                       << "TC, IdComprobante, IdComplemento, Tipo_accion, FECHAHORA, Usuario, PC, SYSTEMUSER";
    QTest::newRow("V_MV_DIARIOS") << "V_MV_DIARIOS" << "IDTAREA, TC, IDCOMPROBANTE, IDCOMPLEMENTO, Minutos";
    QTest::newRow("V_MV_CREALES") << "V_MV_CREALES" << "CUENTA, Fecha, Concepto, Debe_Haber, Importe, Observaciones";
    QTest::newRow("V_MV_CPTETERCEROS") << "V_MV_CPTETERCEROS"
                                       << "ID, Fecha, IDCOMPROBANTE, IDCOMPLEMENTO, FECHAENVIADO, FECHARECIBIDO";
    const QString pendientes = QStringLiteral("CUENTA, ANULADA, Nombre, TC, IDCOMPROBANTE, ID, FECHA, Importe");
    QTest::newRow("C_RemitosPendientes") << "C_RemitosPendientes" << pendientes;
    QTest::newRow("V_RemitosPendientes") << "V_RemitosPendientes" << pendientes + QStringLiteral(", APROBADO");
    QTest::newRow("V_OT_Pendientes") << "V_OT_Pendientes" << pendientes + QStringLiteral(", APROBADO, IDCOMPlemento");
    QTest::newRow("V_NP_PENDIENTES") << "V_NP_PENDIENTES" << pendientes + QStringLiteral(", APROBADO, comentarios");
    QTest::newRow("V_PR_PENDIENTES") << "V_PR_PENDIENTES" << pendientes + QStringLiteral(", APROBADO, comentarios");
    QTest::newRow("V_ta_Rubros") << "V_ta_Rubros" << "IdRubro, Descripcion";
    QTest::newRow("V_ta_TipoArticulo") << "V_ta_TipoArticulo" << "Tipo, Descripcion";
    QTest::newRow("v_ta_tareas") << "v_ta_tareas" << "IdTarea";
    QTest::newRow("V_MA_PRECIOS") << "V_MA_PRECIOS" << "IdListaPrecioArticulo";
    QTest::newRow("V_TA_UNIDAD") << "V_TA_UNIDAD" << "IdUnidad";
    // Names as the real-charges control and the grid layout write them.
    QTest::newRow("V_MV_CPTE_OBSERV") << "V_MV_CPTE_OBSERV" << "IMPORTE_S_IVA, TIPO_OBS, TC, IDCOMPROBANTE, IDCOMPLEMENTO";
    QTest::newRow("v_ma_articulos") << "v_ma_articulos" << "IdArticulo";
}

void TestEsquema::objetosYColumnas() {
    QFETCH(QString, objeto);
    QFETCH(QString, columnas);
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    const QString sql = QStringLiteral("SELECT %1 FROM %2").arg(columnas, objeto);
    try {
        Recordset rs = Conexion().AbreRecordset(sql);
        QVERIFY(rs.CantidadCampos() > 0);
    } catch (const ErrorEjecucion& e) {
        QFAIL(qPrintable(e.Descripcion()));
    }
}

void TestEsquema::demoTieneDeCadaTipo_data() {
    QTest::addColumn<QString>("sentencia");
    for (const char* tc : {"FC", "PR", "OT", "ND", "NC", "RM"})
        QTest::newRow(tc) << QStringLiteral("SELECT * FROM V_MV_CPTE WHERE TC = '%1'").arg(QLatin1String(tc));
    for (const char* tc : {"FCC", "NDC", "NCC", "RMC"})
        QTest::newRow(tc) << QStringLiteral("SELECT * FROM C_MV_CPTE WHERE TC = '%1'").arg(QLatin1String(tc));
    for (const char* tc : {"CB", "CBCT", "PG"})
        QTest::newRow(tc) << QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE TC = '%1'").arg(QLatin1String(tc));
    QTest::newRow("factura anulada") << "SELECT * FROM V_MV_CPTE WHERE TC = 'FC' AND Anulada = 1";
    QTest::newRow("cheque propio") << "SELECT * FROM MV_ASIENTOS WHERE ChPropio = 1";
    QTest::newRow("cobranza anulada") << "SELECT * FROM MV_ASIENTOS WHERE TC = 'CB' AND CABIMPORTE = 0";
    QTest::newRow("lotes y series") << "SELECT * FROM V_MV_CPTEINSUMOS WHERE Nro_Lote <> '' AND Nro_Serie <> ''";
    QTest::newRow("notas de encabezado y pie") << "SELECT * FROM V_MV_CPTE_Observ WHERE TIPO_OBS IN ('EN','PP')";
    QTest::newRow("empresa") << "SELECT * FROM TA_CONFIGURACION WHERE CLAVE = 'NOMBRE'";
    for (const char* clave : {"CantidadDecimales", "SolapaServicios", "SolapaArticulos", "SolapaOConceptos", "Cuenta_Caja",
                              "Cuenta_Cheques3ros", "TituloBancos", "DepositoDefault", "MotivoStockDefault", "CONDIVA"})
        QTest::newRow(clave) << QStringLiteral("SELECT * FROM TA_CONFIGURACION WHERE LTRIM(RTRIM(CLAVE)) = '%1'").arg(QLatin1String(clave));
    // Every commercial type of both sides has detail lines.
    for (const char* tc : {"FC", "PR", "OT", "ND", "NC", "RM"})
        QTest::newRow(qPrintable(QStringLiteral("lineas de %1").arg(QLatin1String(tc))))
            << QStringLiteral("SELECT ID FROM V_MV_CPTETAREAS WHERE TC = '%1' UNION ALL SELECT ID FROM V_MV_CPTEINSUMOS "
                              "WHERE TC = '%1' UNION ALL SELECT ID FROM V_MV_CPTE_Observ WHERE TC = '%1' AND TIPO_OBS = 'OC'")
                   .arg(QLatin1String(tc));
    for (const char* tc : {"FCC", "NDC", "NCC", "RMC"})
        QTest::newRow(qPrintable(QStringLiteral("lineas de %1").arg(QLatin1String(tc))))
            << QStringLiteral("SELECT ID FROM C_MV_CPTETAREAS WHERE TC = '%1' UNION ALL SELECT ID FROM C_MV_CPTEINSUMOS "
                              "WHERE TC = '%1' UNION ALL SELECT ID FROM C_MV_CPTE_Observ WHERE TC = '%1' AND TIPO_OBS = 'OC'")
                   .arg(QLatin1String(tc));
    QTest::newRow("servicios de compras") << "SELECT * FROM C_MV_CPTETAREAS";
    QTest::newRow("otros conceptos de compras") << "SELECT * FROM C_MV_CPTE_Observ WHERE TIPO_OBS = 'OC'";
    QTest::newRow("notas de encabezado y pie de compras")
        << "SELECT 1 FROM C_MV_CPTE_Observ a JOIN C_MV_CPTE_Observ b ON a.TIPO_OBS = 'EN' AND b.TIPO_OBS = 'PP'";
    QTest::newRow("cobranza en efectivo") << "SELECT * FROM MV_ASIENTOS WHERE TC = 'CB' AND CUENTA = '1.1.01.001'";
    QTest::newRow("pago en efectivo") << "SELECT * FROM MV_ASIENTOS WHERE TC = 'PG' AND CUENTA = '1.1.01.001'";
    QTest::newRow("cheque de terceros") << "SELECT * FROM MV_ASIENTOS WHERE TC = 'CB' AND CUENTA = '1.1.03.001' AND ChPropio = 0";
    QTest::newRow("cheque propio en un pago") << "SELECT * FROM MV_ASIENTOS WHERE TC = 'PG' AND ChPropio = 1";
    QTest::newRow("linea de banco en un pago") << "SELECT * FROM MV_ASIENTOS WHERE TC = 'PG' AND SUBSTR(CUENTA, 1, 6) = '1.1.02'";
    QTest::newRow("articulo por lote") << "SELECT * FROM V_MA_ARTICULOS WHERE USALOTE = 1 AND USASERIE = 0";
    QTest::newRow("articulo por serie") << "SELECT * FROM V_MA_ARTICULOS WHERE USALOTE = 0 AND USASERIE = 1";
    QTest::newRow("articulo por lote y serie") << "SELECT * FROM V_MA_ARTICULOS WHERE USALOTE = 1 AND USASERIE = 1";
    QTest::newRow("posiciones de stock") << "SELECT * FROM STK_SERIES_Y_LOTES WHERE CANTIDAD > 0";
    QTest::newRow("reportes") << "SELECT * FROM TA_REPORTES";
    QTest::newRow("clientes") << "SELECT * FROM VT_CLIENTES";
    QTest::newRow("proveedores") << "SELECT * FROM VT_PROVEEDORES";
    QTest::newRow("bancos") << "SELECT * FROM V_TA_BANCOS";
    QTest::newRow("tareas") << "SELECT * FROM v_ta_tareas";
    QTest::newRow("remito y factura de una orden de trabajo, uno anulado")
        << "SELECT 1 FROM V_MV_CPTE a JOIN V_MV_CPTE b ON a.TCORIGEN = 'OT' AND b.TCORIGEN = 'OT' AND a.TC = 'RM' AND "
           "b.TC = 'FC' AND a.COMPROBANTEORIGEN = b.COMPROBANTEORIGEN AND a.Anulada + b.Anulada = 1";
    QTest::newRow("historial de acciones de una orden de trabajo") << "SELECT * FROM V_MV_CPTEACCIONES WHERE TC = 'OT'";
    QTest::newRow("orden finalizada con mas minutos que los previstos")
        << "SELECT 1 FROM V_MV_CPTE o JOIN V_MV_CPTETAREAS t ON t.TC = o.TC AND t.IDCOMPROBANTE = o.IDCOMPROBANTE "
           "WHERE o.TC = 'OT' AND o.FINALIZADA = 1 AND t.Horas < (SELECT SUM(Minutos) FROM V_MV_DIARIOS d WHERE "
           "d.TC = t.TC AND d.IDCOMPROBANTE = t.IDCOMPROBANTE AND d.IDTAREA = t.IdTarea)";
}

void TestEsquema::demoTieneDeCadaTipo() {
    QFETCH(QString, sentencia);
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    QVERIFY(!Conexion().AbreRecordset(sentencia).Vacio());
}

void TestEsquema::herramientaNoSobrescribe() {
    QTemporaryDir dir;
    const QString destino = dir.filePath(QStringLiteral("x.db"));
    const QString esquema = Prueba::RutaFuente(QStringLiteral("db/schema.sql"));
    QVERIFY(CreaBaseDatos::Crea(destino, esquema, {}, false).ok);
    const auto r = CreaBaseDatos::Crea(destino, esquema, {}, false);
    QVERIFY(!r.ok);
    QVERIFY(r.error.contains(QStringLiteral("ya existe")));
    QVERIFY(CreaBaseDatos::Crea(destino, esquema, {}, true).ok);
}

void TestEsquema::datosConErrorNoDejanBase() {
    QTemporaryDir dir;
    const QString datos = dir.filePath(QStringLiteral("malos.sql"));
    QFile f(datos);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("INSERT INTO TA_CONFIGURACION (CLAVE, Valor) VALUES ('A', '1');\n\n"
            "-- a comment\nINSERT INTO NO_EXISTE VALUES (1);\n");
    f.close();
    const QString destino = dir.filePath(QStringLiteral("y.db"));
    const auto r = CreaBaseDatos::Crea(destino, Prueba::RutaFuente(QStringLiteral("db/schema.sql")), datos, false);
    QVERIFY(!r.ok);
    QVERIFY2(r.error.startsWith(QStringLiteral("malos.sql:4:")), qPrintable(r.error));
    QVERIFY(!QFileInfo::exists(destino));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);  // only malos.sql
}

void TestEsquema::datosConSuPropiaTransaccion_data() {
    QTest::addColumn<QByteArray>("datos");
    QTest::addColumn<QString>("error");  // empty: the database is made
    QTest::newRow("BEGIN y COMMIT como en un volcado")
        << QByteArray("PRAGMA foreign_keys=OFF;\nBEGIN TRANSACTION;\n"
                      "INSERT INTO V_TA_BANCOS (IDBANCO, DESCRIPCION) VALUES ('0001', 'BANCO UNO');\nCOMMIT;\n")
        << "";
    QTest::newRow("transaccion sin cerrar")
        << QByteArray("BEGIN;\nINSERT INTO V_TA_BANCOS (IDBANCO, DESCRIPCION) VALUES ('0001', 'BANCO UNO');\n")
        << "datos.sql: termina con una transacción abierta";
    QTest::newRow("error dentro de la transaccion")
        << QByteArray("BEGIN;\nINSERT INTO V_TA_BANCOS (IDBANCO) VALUES ('0001');\nINSERT INTO V_TA_BANCOS (IDBANCO) VALUES "
                      "('0001');\nCOMMIT;\n")
        << "datos.sql:3:";
}

void TestEsquema::datosConSuPropiaTransaccion() {
    QFETCH(QByteArray, datos);
    QFETCH(QString, error);
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("datos.sql")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(datos);
    f.close();
    const QString destino = dir.filePath(QStringLiteral("z.db"));
    const auto r = CreaBaseDatos::Crea(destino, Prueba::RutaFuente(QStringLiteral("db/schema.sql")), f.fileName(), false);
    if (!error.isEmpty()) {
        QVERIFY(!r.ok);
        QVERIFY2(r.error.startsWith(error), qPrintable(r.error));
        QVERIFY(!QFileInfo::exists(destino));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);  // only datos.sql
        return;
    }
    QVERIFY2(r.ok, qPrintable(r.error));
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, {}, false);
    Conexion().BaseDatos = destino;
    Conexion().Conecta(false, 3);
    QVERIFY(Conexion().Conectado());
    QCOMPARE(Conexion().ObtieneDescripcion(QStringLiteral("V_TA_BANCOS"), QStringLiteral("0001"), QStringLiteral("DESCRIPCION"),
                                           QStringLiteral("IDBANCO")).toString(),
             QStringLiteral("BANCO UNO"));
}

namespace {
struct Corrida {
    int codigo = -1;
    QString errores;
};

Corrida Creabd(const QStringList& argumentos) {
    QProcess p;
    p.start(Prueba::RutaBinario(QStringLiteral("creabd")), argumentos);
    Corrida c;
    if (!p.waitForFinished(60000)) return c;
    c.codigo = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    c.errores = QString::fromUtf8(p.readAllStandardError());
    return c;
}

QByteArray Huella(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}
} // namespace

void TestEsquema::creabdDesdeLaLineaDeComandos() {
    QTemporaryDir dir;
    const QString destino = dir.filePath(QStringLiteral("demo.db"));
    QCOMPARE(Creabd({destino}).codigo, 0);
    const QByteArray huella = Huella(destino);
    QVERIFY(!huella.isEmpty());

    // An existing file is kept unless told otherwise.
    const Corrida otra = Creabd({destino});
    QVERIFY(otra.codigo != 0);
    QVERIFY2(otra.errores.contains(QStringLiteral("ya existe")), qPrintable(otra.errores));
    QCOMPARE(Huella(destino), huella);

    // A data file with an error names its line; even with --forzar the
    // database in place stays as it was and no half-made file is left.
    const QString datos = dir.filePath(QStringLiteral("malos.sql"));
    QFile f(datos);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("INSERT INTO V_TA_BANCOS (IDBANCO, DESCRIPCION)\n VALUES ('0001', 'BANCO UNO');\n"
            "INSERT INTO V_TA_BANCOS (IDBANCO, DESCRIPCION)\n VALUES ('0001', 'REPETIDO');\n");
    f.close();
    const Corrida mala = Creabd({QStringLiteral("--forzar"), destino, datos});
    QVERIFY(mala.codigo != 0);
    QVERIFY2(mala.errores.contains(QStringLiteral("malos.sql:3:")), qPrintable(mala.errores));
    QCOMPARE(Huella(destino), huella);
    const QString nueva = dir.filePath(QStringLiteral("nueva.db"));
    QVERIFY(Creabd({nueva, datos}).codigo != 0);
    QVERIFY(!QFileInfo::exists(nueva));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);  // demo.db and malos.sql

    // With --forzar and sound data the file is replaced.
    QCOMPARE(Creabd({QStringLiteral("--forzar"), QStringLiteral("--sin-datos"), destino}).codigo, 0);
    QVERIFY(Huella(destino) != huella);
}

QTEST_GUILESS_MAIN(TestEsquema)
#include "test_esquema.moc"
