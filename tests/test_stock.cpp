// Stock posting and balances: the movements an articles grid posts to
// V_MV_STOCK (entries, exits, transfers, two-pass OP vouchers, the counter
// and its gaps, the prepared literals), a posting that lands whole or not at
// all, and the stock the program reads back after it.
#include "cmncptes/ClsCmnCptes.h"
#include "cmncptes/GrillaFlex.h"
#include "cmncptes/ListaSerieLote.h"
#include "session/ClsConexion.h"
#include "session/TransaccionSql.h"
#include "support/Fixture.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {

const QChar FF = ListaSerieLote::SeparadorLoteSerie;

struct Linea {
    QString codigo, descripcion, unidad, cantidad, importe, lotes, series, insumo;
};

// An articles grid with the columns the posting reads.
void Llena(GrillaFlex& g, const QList<Linea>& lineas) {
    g.SetCols(25);
    g.SetRows(1 + static_cast<int>(lineas.size()));
    for (int i = 0; i < lineas.size(); ++i) {
        const Linea& l = lineas.at(i);
        const int f = i + 1;
        g.SetTextMatrix(f, 0, l.codigo);
        g.SetTextMatrix(f, 1, l.descripcion);
        g.SetTextMatrix(f, 3, l.unidad);
        g.SetTextMatrix(f, 4, l.cantidad);
        g.SetTextMatrix(f, 6, l.importe);
        g.SetTextMatrix(f, 13, l.lotes);
        g.SetTextMatrix(f, 14, l.series);
        g.SetTextMatrix(f, 20, l.insumo);
    }
}

// The movements of one voucher, one text a row:
// Secuencia|IdDeposito|IdArticulo|NroLote|NroSerie|Cantidad (NULL shown as ~).
QStringList Movimientos(const QString& tc, const QString& cpte) {
    QSqlQuery q(Conexion().Conexion());
    q.exec(QStringLiteral("SELECT Secuencia, IdDeposito, IdArticulo, NroLote, NroSerie, Cantidad FROM V_MV_STOCK "
                          "WHERE TC = '%1' AND IdComprobante = '%2' ORDER BY ID").arg(tc, cpte));
    QStringList r;
    while (q.next()) {
        QStringList c;
        for (int i = 0; i < 6; ++i) {
            const QVariant v = q.value(i);
            c << (v.isNull() ? QStringLiteral("~") : (i == 5 ? QString::number(v.toDouble()) : v.toString().trimmed()));
        }
        r << c.join(QLatin1Char('|'));
    }
    return r;
}

// Statements the engine takes as written (a trigger's RAISE message is not
// a comparison).
void Directo(const QString& sql) {
    QSqlQuery q(Conexion().Conexion());
    if (!q.exec(sql)) qFatal("%s", qPrintable(q.lastError().text()));
}

// A trigger that refuses the stock movement of sequence `secuencia` with
// `mensaje`, and the statement that removes it, in the engine's own words.
void Rechaza(const QString& nombre, int secuencia, const QString& mensaje) {
    if (Prueba::DsnPostgres().isEmpty()) {
        Directo(QStringLiteral("CREATE TRIGGER %1 BEFORE INSERT ON V_MV_STOCK WHEN NEW.Secuencia = %2 "
                               "BEGIN SELECT RAISE(ABORT, '%3'); END")
                    .arg(nombre, QString::number(secuencia), mensaje));
        return;
    }
    Directo(QStringLiteral("CREATE FUNCTION %1() RETURNS trigger LANGUAGE plpgsql AS "
                           "'BEGIN RAISE EXCEPTION ''%2''; END'")
                .arg(nombre, mensaje));
    Directo(QStringLiteral("CREATE TRIGGER %1 BEFORE INSERT ON V_MV_STOCK FOR EACH ROW WHEN (NEW.Secuencia = %2) "
                           "EXECUTE FUNCTION %1()")
                .arg(nombre, QString::number(secuencia)));
}

QString QuitaRechazo(const QString& nombre) {
    return Prueba::DsnPostgres().isEmpty() ? QStringLiteral("DROP TRIGGER ") + nombre
                                           : QStringLiteral("DROP TRIGGER %1 ON V_MV_STOCK").arg(nombre);
}

QVariant Valor(const QString& sql) {
    QSqlQuery q(Conexion().Conexion());
    if (!q.exec(sql) || !q.next()) return {};
    return q.value(0);
}

struct Posteo {
    QString tc = QStringLiteral("FC");
    QString cpte = QStringLiteral("000100000900A");
    QString complemento = QStringLiteral("0");
    QString deposito = QStringLiteral("0001");
    QString destino;
    QString motivo = QStringLiteral("VTA");
    QString tcOrigen, cpteOrigen;
    bool transferencia = false;
    QString cuenta = QStringLiteral("NULL");
    bool generar = false;
    QString sql;

    void Ejecuta(GrillaFlex& g) {
        ClsCmnCptes().ActualizaStock(&g, tc, cpte, complemento, QStringLiteral("2024-07-01"), deposito, destino, motivo,
                                     tcOrigen, cpteOrigen, transferencia, cuenta, generar, sql);
    }
};

// Seed: a two-pass production order type and a stock-less type.
const char* Semilla =
    "INSERT INTO V_TA_CPTE (CODIGO, DESCRIPCION, SISTEMA, ES, Signo) VALUES ('OP', 'ORDEN DE PRODUCCION', 'STOCK', 'E', 0);\n";

} // namespace

class PruebaStock : public QObject {
    Q_OBJECT
private slots:
    void signo_data() {
        QTest::addColumn<QString>("tc");
        QTest::addColumn<bool>("libroIva");
        QTest::addColumn<int>("signo");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("factura sale") << "FC" << false << -1 << "";
        QTest::newRow("compra entra, minúsculas y blancos") << " fcc" << false << 1 << "";
        QTest::newRow("libro de IVA") << "ND" << true << -1 << "";
        QTest::newRow("sin sentido de stock")
            << "PR" << false << 0 << "El Tipo de Comprobante informado no Tiene informado el signo, o no afecta Stock";
        QTest::newRow("tipo inexistente") << "ZZ" << false << 0
                                          << "El Tipo de Comprobante informado no existe en la tabla de comprobantes";
        QTest::newRow("tipo con apóstrofo") << "Z'Z" << false << 0
                                            << "El Tipo de Comprobante informado no existe en la tabla de comprobantes";
    }
    void signo() {
        QFETCH(QString, tc);
        QFETCH(bool, libroIva);
        QFETCH(int, signo);
        QFETCH(QString, mensaje);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        QCOMPARE(ClsCmnCptes().ObtieneSignoComprobante(tc, libroIva), signo);
        QVERIFY(env.respondedor.errores.isEmpty());
        if (mensaje.isEmpty()) {
            QVERIFY(env.respondedor.mensajes.isEmpty());
        } else {
            QCOMPARE(env.respondedor.mensajes.size(), 1);
            QCOMPARE(env.respondedor.mensajes.at(0).texto, mensaje);
            QCOMPARE(env.respondedor.mensajes.at(0).titulo, QStringLiteral("Aviso al operador!!!"));
            QCOMPARE(env.respondedor.mensajes.at(0).icono, Dialogos::Icono::Critico);
        }
    }

    // Movements written for each kind of line.
    void movimientos_data() {
        QTest::addColumn<QString>("tc");
        QTest::addColumn<bool>("transferencia");
        QTest::addColumn<QList<Linea>>("lineas");
        QTest::addColumn<QStringList>("esperado");
        using L = QList<Linea>;
        QTest::newRow("entrada de tres series: una unidad por serie")
            << "FCC" << false << L{{"TAL-200", "Taladro", "UN", "3", "0", "", "|S1|S2|S3|", ""}}
            << QStringList{"1|0001|TAL-200|~|S1|1", "2|0001|TAL-200|~|S2|1", "3|0001|TAL-200|~|S3|1"};
        QTest::newRow("entrada de un lote: toda la cantidad")
            << "FCC" << false << L{{"CAB-001", "Cable", "MT", "120", "0", "|L9|", "", ""}}
            << QStringList{"1|0001|CAB-001|L9|~|120"};
        QTest::newRow("entrada con lotes y series por unidad")
            << "FCC" << false << L{{"BAT-050", "Batería", "UN", "2", "0", "|L1|L1|", "|B1|B2|", ""}}
            << QStringList{"1|0001|BAT-050|L1|B1|1", "2|0001|BAT-050|L1|B2|1"};
        QTest::newRow("salida de tres pares 2, 0 y 1: el contador salta uno")
            << "FC" << false
            << L{{"BAT-050", "Batería", "UN", "3", "100", QString("|L1%1B1|L2%1B2|L3%1B3|").arg(FF), "|2|0|1|", ""}}
            << QStringList{"1|0001|BAT-050|L1|B1|-2", "3|0001|BAT-050|L3|B3|-1"};
        QTest::newRow("salida sin listas y luego con listas")
            << "FC" << false
            << L{{"LAM-010", "Lámpara", "UN", "4", "100", "", "", ""},
                 {"CAB-001", "Cable", "MT", "30", "100", QString("|L001%1|").arg(FF), "|30|", ""},
                 {"DIS-016", "Disyuntor", "UN", "1", "100", "", "", ""}}
            << QStringList{"1|0001|LAM-010|~|~|-4", "2|0001|CAB-001|L001|~|-30", "3|0001|DIS-016|~|~|-1"};
        QTest::newRow("filas sin cantidad o sin código se saltan")
            << "FC" << false
            << L{{"LAM-010", "Lámpara", "UN", "0", "100", "", "", ""},
                 {"", "sin código", "UN", "5", "100", "", "", ""},
                 {"DIS-016", "Disyuntor", "UN", "2", "100", "", "", ""}}
            << QStringList{"1|0001|DIS-016|~|~|-2"};
        QTest::newRow("transferencia: entrada y luego salida al otro depósito")
            << "FC" << true
            << L{{"LAM-010", "Lámpara", "UN", "4", "0", "", "", ""}, {"DIS-016", "Disyuntor", "UN", "2", "0", "", "", ""}}
            << QStringList{"1|0001|LAM-010|~|~|4", "2|0001|DIS-016|~|~|2", "3|0002|LAM-010|~|~|-4",
                           "4|0002|DIS-016|~|~|-2"};
        // Fewer serials than units: every unit is still one movement of one,
        // so the line never posts more than its quantity.
        QTest::newRow("entrada con menos series que unidades")
            << "FCC" << false << L{{"TAL-200", "Taladro", "UN", "3", "0", "", "|S1|S2|", ""}}
            << QStringList{"1|0001|TAL-200|~|S1|1", "2|0001|TAL-200|~|S2|1", "3|0001|TAL-200|~|~|1"};
        QTest::newRow("cantidad fraccionaria con varios lotes suma la línea")
            << "FCC" << false << L{{"PIN-100", "Pintura", "LT", "2.5", "0", "|LA|LB|LC|", "", ""}}
            << QStringList{"1|0001|PIN-100|LA|~|1", "2|0001|PIN-100|LB|~|1", "3|0001|PIN-100|LC|~|0.5"};
    }
    void movimientos() {
        QFETCH(QString, tc);
        QFETCH(bool, transferencia);
        QFETCH(QList<Linea>, lineas);
        QFETCH(QStringList, esperado);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo, QString::fromLatin1(Semilla));
        GrillaFlex g;
        Llena(g, lineas);
        Posteo p;
        p.tc = tc;
        p.transferencia = transferencia;
        if (transferencia) p.destino = QStringLiteral("0002");
        p.Ejecuta(g);
        QCOMPARE(Movimientos(tc, p.cpte), esperado);
        QVERIFY(env.respondedor.errores.isEmpty());
        QVERIFY(env.respondedor.mensajes.isEmpty());
    }

    // A production order: the rows marked -1 enter in the first pass, the
    // others leave in the second, both in the given deposit; numbering goes
    // on after the voucher's stored movements, skipping one.
    void ordenDeProduccion() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo, QString::fromLatin1(Semilla) +
            "INSERT INTO V_MV_STOCK (TC, IdComprobante, Secuencia, IdArticulo, Cantidad) VALUES ('OP', '000100000900A', 5, 'LAM-010', 1);\n");
        GrillaFlex g;
        Llena(g, {{"LAM-010", "Lámpara", "UN", "10", "0", "", "", "-1"}, {"DIS-016", "Disyuntor", "UN", "3", "0", "", "", "0"}});
        Posteo p;
        p.tc = QStringLiteral("OP");
        p.deposito = QStringLiteral("0003");
        p.Ejecuta(g);
        QCOMPARE(Movimientos(QStringLiteral("OP"), p.cpte),
                 (QStringList{"5|~|LAM-010|~|~|1", "7|0003|LAM-010|~|~|10", "8|0003|DIS-016|~|~|-3"}));
        QCOMPARE(p.destino, QStringLiteral("'0003'"));
    }

    // Every column of one movement, sales (18 columns) against purchasing (17).
    void columnasDeUnMovimiento_data() {
        QTest::addColumn<QString>("tc");
        QTest::addColumn<int>("columnas");
        QTest::addColumn<QString>("complemento");
        QTest::newRow("venta escribe el complemento") << "FC" << 18 << "0";
        QTest::newRow("compra no lo escribe") << "FCC" << 17 << "~";
    }
    void columnasDeUnMovimiento() {
        QFETCH(QString, tc);
        QFETCH(int, columnas);
        QFETCH(QString, complemento);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        GrillaFlex g;
        Llena(g, {{"CAB-001", "Cable", "MT", "10", "1452.5", "", "", ""}});
        Posteo p;
        p.tc = tc;
        p.tcOrigen = QStringLiteral("rm");
        p.cpteOrigen = QStringLiteral("000100000040R");
        p.cuenta = QStringLiteral("'P0003'");
        p.generar = true;
        p.Ejecuta(g);
        QVERIFY(p.sql.startsWith(QChar(13)));
        const QString sentencia = p.sql.mid(1);
        const qsizetype a = sentencia.indexOf(QLatin1Char('(')), b = sentencia.indexOf(QLatin1Char(')'));
        QCOMPARE(sentencia.mid(a + 1, b - a - 1).split(QLatin1Char(',')).size(), columnas);
        QVERIFY(Movimientos(tc, p.cpte).isEmpty());  // only collected

        p.generar = false;
        p.sql.clear();
        p.tcOrigen = QStringLiteral("rm");
        p.cpteOrigen = QStringLiteral("000100000040R");
        p.deposito = QStringLiteral("0001");
        p.motivo = QStringLiteral("VTA");
        p.Ejecuta(g);
        QSqlQuery q(Conexion().Conexion());
        QVERIFY(q.exec(QStringLiteral("SELECT IdComplemento, Fecha, IdUnidad, CuentaProveedor, IdMotivoStock, PrecioVenta, "
                                      "Costo, Tc_Origen, IdComprobante_Origen, Descripcion, TC FROM V_MV_STOCK WHERE IdComprobante = '%1'")
                           .arg(p.cpte)));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).isNull() ? QStringLiteral("~") : q.value(0).toString(), complemento);
        QCOMPARE(q.value(1).toString(), QStringLiteral("2024-07-01"));
        QCOMPARE(q.value(2).toString(), QStringLiteral("MT  "));
        QCOMPARE(q.value(3).toString(), QStringLiteral("P0003"));
        QCOMPARE(q.value(4).toString(), QStringLiteral("VTA "));
        QCOMPARE(q.value(5).toDouble(), 1452.5);
        QCOMPARE(q.value(6).toDouble(), 850.0);  // the article's cost
        QCOMPARE(q.value(7).toString(), QStringLiteral("rm  "));
        QCOMPARE(q.value(8).toString(), QStringLiteral("000100000040R"));
        QCOMPARE(q.value(9).toString(), QStringLiteral("Cable"));
        QCOMPARE(q.value(10).toString(), tc.leftJustified(4));
    }

    void sentenciasGeneradas() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        GrillaFlex g;
        Llena(g, {});
        Posteo p;
        p.generar = true;
        p.sql = QStringLiteral("previo");
        p.Ejecuta(g);
        QCOMPARE(p.sql, QStringLiteral("previo"));  // header only: nothing added

        Llena(g, {{"TAL-200", "Taladro", "UN", "2", "0", "", "|S1|S2|", ""}});
        p = Posteo{};
        p.tc = QStringLiteral("FCC");
        p.generar = true;
        p.Ejecuta(g);
        const QStringList partes = p.sql.split(QChar(13));
        QCOMPARE(partes.size(), 3);
        QVERIFY(partes.at(0).isEmpty());
        QVERIFY(partes.at(1).startsWith(QStringLiteral("INSERT INTO V_MV_STOCK (")));
        QVERIFY(partes.at(2).contains(QStringLiteral("'S2                       '")));
        QVERIFY(Movimientos(QStringLiteral("FCC"), p.cpte).isEmpty());
    }

    // The literals prepared once per call and handed back.
    void preparacion_data() {
        QTest::addColumn<QString>("deposito");
        QTest::addColumn<QString>("motivo");
        QTest::addColumn<QString>("tcOrigen");
        QTest::addColumn<QString>("cpteOrigen");
        QTest::addColumn<QStringList>("esperado");  // deposito, destino, motivo, tcOrigen, cpteOrigen
        QTest::newRow("vacíos: valores de configuración y NULL")
            << "" << "" << " " << "" << QStringList{"'1   '", "NULL", "'MOV '", "NULL", "NULL"};
        QTest::newRow("motivo en blancos es NULL") << " 7 " << "   " << "rm" << "0001'X"
                                                   << QStringList{"'7   '", "NULL", "NULL", "'rm  '", "'0001''X'"};
        QTest::newRow("códigos recortados y ajustados") << "00012" << "AJUSTE" << " OT " << "000100000003X"
                                                        << QStringList{"'0001'", "NULL", "'AJUS'", "'OT  '", "'000100000003X'"};
    }
    void preparacion() {
        QFETCH(QString, deposito);
        QFETCH(QString, motivo);
        QFETCH(QString, tcOrigen);
        QFETCH(QString, cpteOrigen);
        QFETCH(QStringList, esperado);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo,
                            "UPDATE TA_CONFIGURACION SET Valor = '1' WHERE CLAVE = 'DepositoDefault';\n"
                            "UPDATE TA_CONFIGURACION SET Valor = 'MOV' WHERE CLAVE = 'MotivoStockDefault';\n");
        GrillaFlex g;
        Llena(g, {{"LAM-010", "Lámpara", "UN", "1", "0", "", "", ""}});
        Posteo p;
        p.deposito = deposito;
        p.motivo = motivo;
        p.tcOrigen = tcOrigen;
        p.cpteOrigen = cpteOrigen;
        p.Ejecuta(g);
        QCOMPARE((QStringList{p.deposito, p.destino, p.motivo, p.tcOrigen, p.cpteOrigen}), esperado);
        QCOMPARE(Valor(QStringLiteral("SELECT IdDeposito FROM V_MV_STOCK WHERE IdComprobante = '000100000900A'")).toString(),
                 esperado.at(0).mid(1, 4));
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    // "PorDefault": each movement carries its own article's supplier.
    void proveedorPorDefecto() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        GrillaFlex g;
        Llena(g, {{"CAB-001", "Cable", "MT", "1", "0", "", "", ""},
                  {"TAL-200", "Taladro", "UN", "1", "0", "", "", ""},
                  {"DIS-016", "Disyuntor", "UN", "1", "0", "", "", ""}});
        Posteo p;
        p.tc = QStringLiteral("FCC");
        p.cuenta = QStringLiteral("pordefault");
        p.Ejecuta(g);
        QSqlQuery q(Conexion().Conexion());
        QVERIFY(q.exec(QStringLiteral("SELECT COALESCE(CuentaProveedor, '~') FROM V_MV_STOCK WHERE IdComprobante = '000100000900A' ORDER BY ID")));
        QStringList cuentas;
        while (q.next()) cuentas << q.value(0).toString();
        QCOMPARE(cuentas, (QStringList{"P0001", "P0002", "~"}));
    }

    // Codes, lots, serials and descriptions with apostrophes, long and
    // non-Latin texts post and read back intact, fitted to their widths.
    void textosDificiles() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        const QString largo = QString(100, QLatin1Char('x'));
        const QString descripcion = QStringLiteral("Llave D'Angelo «Ñandú» 扳手 ") + largo;
        GrillaFlex g;
        Llena(g, {{QStringLiteral("O'BRIEN-Ж"), descripcion, "UN", "2", "0", QStringLiteral("|L'1|Лот2|"),
                   QStringLiteral("|S'1|") + largo + QLatin1Char('|'), ""}});
        Posteo p;
        p.tc = QStringLiteral("FCC");
        p.cpte = QStringLiteral("0001'0000'9A");
        p.Ejecuta(g);
        QVERIFY2(env.respondedor.errores.isEmpty(), qPrintable(env.respondedor.errores.value(0).descripcion));
        QSqlQuery q(Conexion().Conexion());
        QVERIFY(q.exec(QStringLiteral("SELECT IdArticulo, NroLote, NroSerie, Descripcion, IdComprobante FROM V_MV_STOCK "
                                      "WHERE TC = 'FCC' AND IdComprobante = '0001''0000''9A' ORDER BY ID")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("O'BRIEN-Ж").leftJustified(25));
        QCOMPARE(q.value(1).toString(), QStringLiteral("L'1").leftJustified(25));
        QCOMPARE(q.value(2).toString(), QStringLiteral("S'1").leftJustified(25));
        QCOMPARE(q.value(3).toString(), descripcion);
        QVERIFY(q.next());
        QCOMPARE(q.value(1).toString(), QStringLiteral("Лот2").leftJustified(25));
        QCOMPARE(q.value(2).toString(), largo.left(25));
        QVERIFY(!q.next());
        QCOMPARE(Valor(QStringLiteral("SELECT COUNT(*) FROM V_MA_ARTICULOS")).toInt(), 6);
    }

    // A statement refused on the n-th movement: the operator's answer decides
    // what stays, and leaving never leaves half a voucher.
    void falloEnUnMovimiento_data() {
        QTest::addColumn<QList<int>>("respuestas");
        QTest::addColumn<QStringList>("quedan");
        QTest::addColumn<int>("avisos");
        QTest::newRow("salir: no queda ningún movimiento") << QList<int>{0} << QStringList{} << 1;
        QTest::newRow("ignorar: quedan los demás")
            << QList<int>{5} << QStringList{"1|0001|TAL-200|~|S1|1", "2|0001|TAL-200|~|S2|1", "4|0001|TAL-200|~|S4|1"} << 1;
        QTest::newRow("reintentar y luego salir: nada") << QList<int>{4, 0} << QStringList{} << 2;
    }
    void falloEnUnMovimiento() {
        QFETCH(QList<int>, respuestas);
        QFETCH(QStringList, quedan);
        QFETCH(int, avisos);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        Rechaza(QStringLiteral("falla_tercero"), 3, QStringLiteral("movimiento rechazado"));
        env.respondedor.respuestasErrores = respuestas;
        GrillaFlex g;
        Llena(g, {{"TAL-200", "Taladro", "UN", "4", "0", "", "|S1|S2|S3|S4|", ""}});
        Posteo p;
        p.tc = QStringLiteral("FCC");
        p.Ejecuta(g);
        QCOMPARE(Movimientos(QStringLiteral("FCC"), p.cpte), quedan);
        QCOMPARE(env.respondedor.errores.size(), avisos);
        QCOMPARE(env.respondedor.errores.at(0).procedimiento, QStringLiteral("ActualizaStock"));
        QVERIFY(env.respondedor.errores.at(0).descripcion.contains(QStringLiteral("movimiento rechazado")));
        QVERIFY(!Conexion().EnTransaccion());
    }

    // Retry after the cause is gone: the statement runs again and the whole
    // voucher lands.
    void reintentarTrasQuitarLaCausa() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        Rechaza(QStringLiteral("falla_segundo"), 2, QStringLiteral("bloqueado"));
        struct Quita : Dialogos::RespondedorErrores {
            int Responde(const Dialogos::ErrorInformado&) override {
                Conexion().EjecutaSql(QuitaRechazo(QStringLiteral("falla_segundo")));
                return Dialogos::Reintentar;
            }
        } quita;
        auto* anterior = Dialogos::EstableceRespondedorErrores(&quita);
        GrillaFlex g;
        Llena(g, {{"TAL-200", "Taladro", "UN", "3", "0", "", "|S1|S2|S3|", ""}});
        Posteo p;
        p.tc = QStringLiteral("FCC");
        p.Ejecuta(g);
        Dialogos::EstableceRespondedorErrores(anterior);
        QCOMPARE(Movimientos(QStringLiteral("FCC"), p.cpte).size(), 3);
    }

    // Inside the caller's transaction the posting is a savepoint: leaving it
    // undoes only its own movements.
    void dentroDeLaTransaccionDelLlamador() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        Rechaza(QStringLiteral("falla_segundo"), 2, QStringLiteral("rechazado"));
        Conexion().IniciaTransaccion();
        Conexion().EjecutaSql(QStringLiteral("INSERT INTO V_MV_CPTEACCIONES (TC, IdComprobante, Tipo_accion) VALUES ('FCC', 'X', 'A')"));
        GrillaFlex g;
        Llena(g, {{"TAL-200", "Taladro", "UN", "2", "0", "", "|S1|S2|", ""}});
        Posteo p;
        p.tc = QStringLiteral("FCC");
        p.Ejecuta(g);
        QVERIFY(Conexion().EnTransaccion());
        Conexion().ConfirmaTransaccion();
        QVERIFY(Movimientos(QStringLiteral("FCC"), p.cpte).isEmpty());
        QCOMPARE(Valor(QStringLiteral("SELECT COUNT(*) FROM V_MV_CPTEACCIONES WHERE IdComprobante = 'X'")).toInt(), 1);
    }

    // A malformed list stops the posting under its own name: nothing posted.
    void listaMalformada_data() {
        QTest::addColumn<QString>("tc");
        QTest::addColumn<QString>("lotes");
        QTest::addColumn<QString>("series");
        QTest::newRow("series de entrada sin cierre") << "FCC" << "" << "|S1|S2";
        QTest::newRow("pares de salida sin cierre") << "FC" << QString("|L1%1|L2%1").arg(FF) << "|1|1|";
        QTest::newRow("cantidades de salida sin cierre") << "FC" << QString("|L1%1|L2%1|").arg(FF) << "|1|1";
    }
    void listaMalformada() {
        QFETCH(QString, tc);
        QFETCH(QString, lotes);
        QFETCH(QString, series);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        GrillaFlex g;
        Llena(g, {{"LAM-010", "Lámpara", "UN", "1", "0", "", "", ""}, {"BAT-050", "Batería", "UN", "2", "0", lotes, series, ""}});
        Posteo p;
        p.tc = tc;
        p.Ejecuta(g);
        QCOMPARE(env.respondedor.errores.size(), 1);
        QCOMPARE(env.respondedor.errores.at(0).procedimiento, QStringLiteral("ActualizaStock"));
        QCOMPARE(env.respondedor.errores.at(0).numero, 5);
        QVERIFY(Movimientos(tc, p.cpte).isEmpty());
    }

    void cantidadNoNumerica() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        GrillaFlex g;
        Llena(g, {{"LAM-010", "Lámpara", "UN", "abc", "0", "", "", ""}, {"DIS-016", "Disyuntor", "UN", "2", "0", "", "", ""}});
        Posteo p;
        p.Ejecuta(g);
        QCOMPARE(Movimientos(QStringLiteral("FC"), p.cpte), QStringList{"1|0001|DIS-016|~|~|-2"});
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    // Balances from the demo company's movements.
    void saldo_data() {
        QTest::addColumn<QString>("articulo");
        QTest::addColumn<QString>("deposito");
        QTest::addColumn<QString>("lote");
        QTest::addColumn<QString>("serie");
        QTest::addColumn<QString>("posicion");
        QTest::addColumn<double>("saldo");
        QTest::newRow("solo el artículo") << "CAB-001" << "" << "" << "" << "" << 525.0;
        QTest::newRow("ignorar en minúsculas") << "CAB-001" << "ignorar" << "Ignorar" << "IGNORAR" << "ignorar" << 525.0;
        QTest::newRow("por depósito") << "CAB-001" << "0001" << "" << "" << "" << 475.0;
        QTest::newRow("por lote") << "CAB-001" << "" << "l002" << "" << "" << 350.0;
        QTest::newRow("lote y depósito") << "CAB-001" << "0002" << "L002 " << "" << "" << 50.0;
        QTest::newRow("por posición") << "CAB-001" << "" << "" << "" << "A-01-01" << 175.0;
        QTest::newRow("solo series: vendidas en cero") << "TAL-200" << "" << "" << "" << "" << 2.0;
        QTest::newRow("lote dado a un artículo solo de series") << "TAL-200" << "" << "L1" << "" << "" << 0.0;
        QTest::newRow("serie vendida") << "TAL-200" << "" << "" << "S0001" << "" << 0.0;
        QTest::newRow("lote y serie") << "BAT-050" << "0001" << "L011" << "" << "" << 1.0;
        QTest::newRow("sin lote ni serie") << "LAM-010" << "" << "" << "" << "" << 48.0;
        QTest::newRow("sin movimientos") << "CAB-001" << "0009" << "" << "" << "" << 0.0;
        QTest::newRow("código con apóstrofo") << "CAB'001" << "" << "" << "" << "" << 0.0;
    }
    void saldo() {
        QFETCH(QString, articulo);
        QFETCH(QString, deposito);
        QFETCH(QString, lote);
        QFETCH(QString, serie);
        QFETCH(QString, posicion);
        QFETCH(double, saldo);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo,
                            "INSERT INTO V_MA_ARTICULOS (IDARTICULO, USASERIE, USALOTE) VALUES ('CAB''001', 0, 0);\n");
        QCOMPARE(ClsCmnCptes().ObtieneStock(articulo, deposito, lote, serie, posicion), saldo);
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    void saldoDeArticuloInexistente() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        QCOMPARE(ClsCmnCptes().ObtieneStock(QStringLiteral("NO-EXISTE"), {}, {}, {}, {}), 0.0);
        QCOMPARE(env.respondedor.errores.size(), 1);
        QCOMPARE(env.respondedor.errores.at(0).procedimiento, QStringLiteral("ObtieneStock"));
    }

    // What the program posts is what it reads next: an exit lowers the stock
    // of its lot and serial, an entry raises it, a transfer moves it.
    void loPosteadoSeLee() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        ClsCmnCptes c;
        GrillaFlex g;
        Llena(g, {{"CAB-001", "Cable", "MT", "100", "0", QString("|L002%1|").arg(FF), "|100|", ""}});
        Posteo salida;
        salida.Ejecuta(g);
        QCOMPARE(c.ObtieneStock(QStringLiteral("CAB-001"), QStringLiteral("0001"), QStringLiteral("L002"), {}, {}), 200.0);
        QCOMPARE(Valor(QStringLiteral("SELECT IdPosicion FROM STK_SERIES_Y_LOTES WHERE IDARTICULO = 'CAB-001' AND NroLote = 'L002' AND IdDeposito = '0001'")).toString(),
                 QStringLiteral("A-01-02"));

        Llena(g, {{"TAL-200", "Taladro", "UN", "1", "0", "", "|S0009|", ""}});
        Posteo entrada;
        entrada.tc = QStringLiteral("FCC");
        entrada.Ejecuta(g);
        QCOMPARE(c.ObtieneStock(QStringLiteral("TAL-200"), {}, {}, QStringLiteral("S0009"), {}), 1.0);

        Llena(g, {{"LAM-010", "Lámpara", "UN", "8", "0", "", "", ""}});
        Posteo transferencia;
        transferencia.cpte = QStringLiteral("000100000901A");
        transferencia.transferencia = true;
        transferencia.deposito = QStringLiteral("0002");
        transferencia.destino = QStringLiteral("0001");
        transferencia.Ejecuta(g);
        QCOMPARE(c.ObtieneStock(QStringLiteral("LAM-010"), QStringLiteral("0001"), {}, {}, {}), 40.0);
        QCOMPARE(c.ObtieneStock(QStringLiteral("LAM-010"), QStringLiteral("0002"), {}, {}, {}), 8.0);
        QCOMPARE(c.ObtieneStock(QStringLiteral("LAM-010"), {}, {}, {}, {}), 48.0);
        QVERIFY(env.respondedor.errores.isEmpty());
    }
};

QTEST_GUILESS_MAIN(PruebaStock)
#include "test_stock.moc"
