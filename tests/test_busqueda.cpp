// The lookup window: what it lists (definitions file, captions, the table's own
// columns), the filter box, the keys, and what it hands back.
#include "session/ClsBusqueda.h"
#include "session/ClsConexion.h"
#include "session/ErrorEjecucion.h"
#include "session/FrmBusqueda.h"
#include "session/Modal.h"
#include "session/ModeloBusqueda.h"
#include "support/Fixture.h"

#include <QDialog>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <functional>

namespace {

struct Vista {
    bool abierta = false;
    QStringList encabezados;
    QList<QStringList> filas;  // visible rows as shown when the window opened
};

// Runs a search, letting `accion` drive the open window.
Vista Busca(const QString& tablaOSentencia, const QStringList& titulos, const std::function<void(FrmBusqueda&)>& accion) {
    Vista v;
    Modal::GanchoTemporal gancho([&](QDialog* d) {
        auto* frm = dynamic_cast<FrmBusqueda*>(d);
        if (!frm) return -1;
        v.abierta = true;
        const ModeloBusqueda* m = frm->Modelo();
        for (int c = 0; c < m->columnCount(); ++c) v.encabezados << m->headerData(c, Qt::Horizontal).toString();
        for (int r = 0; r < m->rowCount(); ++r) {
            QStringList fila;
            for (int c = 0; c < m->columnCount(); ++c) fila << m->index(r, c).data().toString();
            v.filas << fila;
        }
        accion(*frm);
        return d->result();
    });
    Busqueda().Muestra(tablaOSentencia, titulos);
    return v;
}

QStringList Visibles(const FrmBusqueda& frm, int columna = 0) {
    QStringList l;
    for (int r = 0; r < frm.Modelo()->rowCount(); ++r) l << frm.Modelo()->index(r, columna).data().toString();
    return l;
}

void UsaDefiniciones(const Prueba::Entorno& env, const QByteArray* contenido) {
    if (contenido) env.EscribeArchivo(QStringLiteral("consultas.kvt"), *contenido);
    Busqueda().ArchivoDefiniciones = env.Carpeta() + QStringLiteral("consultas.kvt");
    Busqueda().CampoClave.clear();
}

QByteArray DefinicionesDelPrograma() {
    QFile f(Prueba::RutaFuente(QStringLiteral("resources/consultas.kvt")));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const char* const kSemillaRara =
    "INSERT INTO VT_PROVEEDORES (CODIGO, NOMBRE, LOCALIDAD) VALUES ('P0100', 'D''Alessandro 50% Hnos', 'Rosario');\n"
    "INSERT INTO VT_PROVEEDORES (CODIGO, NOMBRE, LOCALIDAD) VALUES ('P0101', 'Ferretería Sur', 'Salta');\n"
    "INSERT INTO VT_PROVEEDORES (CODIGO, NOMBRE, LOCALIDAD) VALUES ('P0102', 'Tornillos'' OR ''1''=''1', 'Jujuy');\n";

} // namespace

class TestBusqueda : public QObject {
    Q_OBJECT

private slots:
    void filtroComoTextoPlano_data();
    void filtroComoTextoPlano();
    void proveedoresConDefiniciones();
    void definicionesDelProgramaSirvenEnLaBase();
    void sinDefinicionUsaLasColumnasDeLaTabla_data();
    void sinDefinicionUsaLasColumnasDeLaTabla();
    void sentenciaConTitulosYClaveAjena();
    void columnasSeVacianEnCadaBusqueda();
    void filtroConApostrofosYPorcientos_data();
    void filtroConApostrofosYPorcientos();
    void flechasEnterYEscape();
    void listaVaciaNoDevuelveNada();
    void nombreDeTablaNoValidoNoLlegaALaBase();
    void sentenciaRechazadaLlegaAlLlamador();
};

void TestBusqueda::filtroComoTextoPlano_data() {
    QTest::addColumn<QStringList>("celdas");
    QTest::addColumn<QString>("filtro");
    QTest::addColumn<bool>("pasa");
    const QStringList fila{"P0001", "Distribuidora Eléctrica Rosario S.A.", "D'Alessandro 50%"};
    QTest::newRow("filtro vacio pasa todo") << fila << "" << true;
    QTest::newRow("filtro de blancos pasa todo") << fila << "   " << true;
    QTest::newRow("sin distinguir mayusculas") << fila << "rOSARIO" << true;
    QTest::newRow("acentos tal cual") << fila << "eléctrica" << true;
    QTest::newRow("cualquier columna") << fila << "p000" << true;
    QTest::newRow("apostrofo literal") << fila << "d'ales" << true;
    QTest::newRow("porciento literal, no comodin") << fila << "50%" << true;
    QTest::newRow("porciento no es comodin") << fila << "D%s" << false;
    QTest::newRow("guion bajo no es comodin") << fila << "P_001" << false;
    QTest::newRow("fragmento SQL no pasa") << fila << "' OR '1'='1" << false;
    QTest::newRow("texto ausente") << fila << "Córdoba" << false;
}

void TestBusqueda::filtroComoTextoPlano() {
    QFETCH(QStringList, celdas);
    QFETCH(QString, filtro);
    QFETCH(bool, pasa);
    QCOMPARE(ModeloBusqueda::Coincide(QVector<QString>(celdas.begin(), celdas.end()), filtro), pasa);
}

void TestBusqueda::proveedoresConDefiniciones() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    const QByteArray kvt = DefinicionesDelPrograma();
    QVERIFY(!kvt.isEmpty());
    UsaDefiniciones(env, &kvt);
    Busqueda().CampoClave = QStringLiteral("CODIGO");
    QStringList trasFiltrar;
    Vista v = Busca("VT_PROVEEDORES", {}, [&](FrmBusqueda& frm) {
        QTest::keyClicks(frm.TxtFiltro, "hERRAM");
        trasFiltrar = Visibles(frm);
        QTest::keyClick(frm.TxtFiltro, Qt::Key_Return);
    });
    QVERIFY(v.abierta);
    QCOMPARE(v.encabezados, (QStringList{"Código", "Nombre", "Localidad", "Teléfono", "CUIT"}));
    QCOMPARE(v.filas.size(), 3);
    QCOMPARE(trasFiltrar, QStringList{"P0002"});
    QCOMPARE(Busqueda().Seleccion(), QStringLiteral("P0002"));
    QCOMPARE(Busqueda().Fila(1).toString(), QStringLiteral("P0002"));
    QCOMPARE(Busqueda().Fila(2).toString(), QStringLiteral("Herramientas Bahía S.R.L."));
    QCOMPARE(Busqueda().Fila(3).toString(), QStringLiteral("Bahía Blanca"));
    QVERIFY(!Busqueda().Fila(6).isValid());
}

void TestBusqueda::definicionesDelProgramaSirvenEnLaBase() {
    // Every table the shipped file defines opens on the schema with its own key first.
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    const QByteArray kvt = DefinicionesDelPrograma();
    UsaDefiniciones(env, &kvt);
    struct Caso {
        const char* tabla;
        const char* clave;
    };
    for (const Caso& c : {Caso{"VT_PROVEEDORES", "P0001"}, Caso{"MV_ASIENTOS", nullptr}, Caso{"v_ta_tareas", "T001"},
                          Caso{"v_ma_articulos", "BAT-050"}, Caso{"V_MA_PRECIOS", "0001"}, Caso{"V_TA_UNIDAD", nullptr}}) {
        const ClsBusqueda::Definicion d = ClsBusqueda::LeeDefinicion(Busqueda().ArchivoDefiniciones, QString::fromLatin1(c.tabla));
        QVERIFY2(d.valida, c.tabla);
        QVERIFY2(!d.clave.isEmpty(), c.tabla);
        Vista v = Busca(QString::fromLatin1(c.tabla), {}, [](FrmBusqueda& frm) {
            frm.LstResultados->setCurrentIndex(frm.Modelo()->index(0, 0));
            frm.CmdAceptar->click();
        });
        QVERIFY2(env.respondedor.errores.isEmpty(), c.tabla);
        QCOMPARE(v.encabezados, d.titulos);
        QVERIFY2(!v.filas.isEmpty(), c.tabla);
        QVERIFY2(!Busqueda().Seleccion().isEmpty(), c.tabla);
        if (c.clave) QCOMPARE(Busqueda().Seleccion(), QString::fromLatin1(c.clave));
    }
}

void TestBusqueda::sinDefinicionUsaLasColumnasDeLaTabla_data() {
    QTest::addColumn<bool>("escribir");
    QTest::addColumn<QByteArray>("contenido");
    QTest::newRow("archivo ausente") << false << QByteArray();
    QTest::newRow("archivo vacio") << true << QByteArray();
    QTest::newRow("archivo binario") << true << QByteArray("\x00\xff\xfe[\x01VT_PROV\x00", 14);
    QTest::newRow("seccion sin Columnas") << true << QByteArray("[VT_PROVEEDORES]\nTitulos=A,B\n");
    QTest::newRow("columna con SQL") << true << QByteArray("[VT_PROVEEDORES]\nColumnas=CODIGO, NOMBRE FROM VT_CLIENTES --\n");
    QTest::newRow("columna con punto y coma") << true << QByteArray("[VT_PROVEEDORES]\nColumnas=CODIGO;DROP TABLE VT_PROVEEDORES\n");
    QTest::newRow("seccion de otra tabla") << true << QByteArray("[VT_CLIENTES]\nColumnas=CODIGO\n");
    QTest::newRow("columna que la tabla no tiene")
        << true << QByteArray("[VT_PROVEEDORES]\nColumnas=CODIGO,RAZONSOCIAL\nTitulos=Codigo,Razon\nClave=CODIGO\n");
}

void TestBusqueda::sinDefinicionUsaLasColumnasDeLaTabla() {
    QFETCH(bool, escribir);
    QFETCH(QByteArray, contenido);
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    UsaDefiniciones(env, escribir ? &contenido : nullptr);
    Vista v = Busca("vt_proveedores", {}, [](FrmBusqueda& frm) {
        QTest::keyClick(frm.TxtFiltro, Qt::Key_Down);
        QTest::keyClick(frm.TxtFiltro, Qt::Key_Enter);
    });
    QCOMPARE(v.encabezados, (QStringList{"CODIGO", "NOMBRE", "DOMICILIO", "LOCALIDAD", "CPOSTAL", "TELEFONO", "CUIT", "CONDIVA"}));
    QCOMPARE(v.filas.size(), 3);
    // No CampoClave and no definition: the first column is the key.
    QCOMPARE(Busqueda().Seleccion(), QStringLiteral("P0002"));
    QCOMPARE(Busqueda().CantidadColumnasFila(), 8);
    QCOMPARE(Conexion().ObtieneDescripcion("VT_PROVEEDORES", "P0001", "CODIGO", "CODIGO").toString(), QStringLiteral("P0001"));
}

void TestBusqueda::sentenciaConTitulosYClaveAjena() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    UsaDefiniciones(env, nullptr);
    Busqueda().CampoClave = QStringLiteral("CODIGO");  // left over from a supplier search
    const QString sql = QStringLiteral(
        "SELECT DISTINCT TC,SUCURSAL,NUMERO,LETRA,CUENTA,DETALLE FROM MV_ASIENTOS WHERE TC = 'PG' AND CUENTA IN (SELECT CODIGO FROM VT_PROVEEDORES)");
    Vista v = Busca(sql, {"TC", "SUCURSAL", "NUMERO", "LETRA", "CUENTA"}, [](FrmBusqueda& frm) { frm.CmdAceptar->click(); });
    QCOMPARE(v.encabezados, (QStringList{"TC", "SUCURSAL", "NUMERO", "LETRA", "CUENTA"}));
    QVERIFY(!v.filas.isEmpty());
    QCOMPARE(v.filas.first().size(), 5);
    QVERIFY(!Busqueda().Seleccion().isEmpty());
    QCOMPARE(Busqueda().CantidadColumnasFila(), 6);  // the uncaptioned column is still read
    QCOMPARE(Busqueda().Fila(1).toString().trimmed(), QStringLiteral("PG"));
    QCOMPARE(Busqueda().Fila(2).toString().trimmed(), QStringLiteral("0002"));
    QCOMPARE(Busqueda().Fila(3).toString().trimmed(), QStringLiteral("00000088"));
    QCOMPARE(Busqueda().Fila(4).toString().trimmed(), QStringLiteral("X"));
    QCOMPARE(Busqueda().Fila(5).toString().trimmed(), QStringLiteral("P0001"));
}

void TestBusqueda::columnasSeVacianEnCadaBusqueda() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    UsaDefiniciones(env, nullptr);
    const QString sql = QStringLiteral("SELECT DISTINCT TC,SUCURSAL,NUMERO,LETRA,DETALLE FROM MV_ASIENTOS WHERE TC = 'CB'");
    for (int vez = 0; vez < 2; ++vez) {
        // As the collection search does: add the captions, never empty them.
        Busqueda().Columnas() << "TC" << "SUCURSAL" << "NUMERO" << "LETRA" << "Concepto";
        Vista v = Busca(sql, Busqueda().Columnas(), [](FrmBusqueda& frm) { frm.CmdCancelar->click(); });
        QCOMPARE(v.encabezados, (QStringList{"TC", "SUCURSAL", "NUMERO", "LETRA", "Concepto"}));
        QVERIFY(Busqueda().Columnas().isEmpty());
    }
    // Captions left in the list never leak into a later search without captions.
    Busqueda().Columnas() << "X";
    Vista v = Busca("V_TA_UNIDAD", {}, [](FrmBusqueda& frm) { frm.CmdCancelar->click(); });
    QCOMPARE(v.encabezados, (QStringList{"IdUnidad", "Descripcion"}));
}

void TestBusqueda::filtroConApostrofosYPorcientos_data() {
    QTest::addColumn<QString>("filtro");
    QTest::addColumn<QStringList>("codigos");
    QTest::newRow("apostrofo") << "d'a" << QStringList{"P0100"};
    QTest::newRow("porciento") << "50%" << QStringList{"P0100"};
    QTest::newRow("porciento solo no es comodin") << "%" << QStringList{"P0100"};
    QTest::newRow("SQL como texto") << "' OR '1'='1" << QStringList{"P0102"};
    QTest::newRow("SQL que no coincide") << "'; DELETE FROM VT_PROVEEDORES --" << QStringList{};
}

void TestBusqueda::filtroConApostrofosYPorcientos() {
    QFETCH(QString, filtro);
    QFETCH(QStringList, codigos);
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo, QString::fromUtf8(kSemillaRara));
    UsaDefiniciones(env, nullptr);
    QStringList vistos;
    Vista v = Busca("VT_PROVEEDORES", {}, [&](FrmBusqueda& frm) {
        frm.TxtFiltro->setText(filtro);
        vistos = Visibles(frm);
        QTest::keyClick(frm.TxtFiltro, Qt::Key_Return);
    });
    QCOMPARE(v.filas.size(), 6);
    QCOMPARE(vistos, codigos);
    QCOMPARE(Busqueda().Seleccion(), codigos.isEmpty() ? QString() : codigos.first());
    QVERIFY(env.respondedor.errores.isEmpty());
    Recordset rs = Conexion().AbreRecordset("SELECT COUNT(*) AS N FROM VT_PROVEEDORES");
    QCOMPARE(rs.Campo("N").toInt(), 6);
}

void TestBusqueda::flechasEnterYEscape() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    UsaDefiniciones(env, nullptr);
    // Down twice from the first row, then Up: the second row.
    Busca("VT_PROVEEDORES", {}, [](FrmBusqueda& frm) {
        QVERIFY(frm.TxtFiltro->hasFocus() || !frm.isActiveWindow());
        QTest::keyClick(frm.TxtFiltro, Qt::Key_Down);
        QTest::keyClick(frm.TxtFiltro, Qt::Key_Down);
        QTest::keyClick(frm.TxtFiltro, Qt::Key_Up);
        QCOMPARE(frm.LstResultados->currentIndex().row(), 1);
        QTest::keyClick(frm.LstResultados, Qt::Key_Return);
    });
    QCOMPARE(Busqueda().Seleccion(), QStringLiteral("P0002"));

    // Escape closes without a choice and drops the earlier one.
    Vista v = Busca("VT_PROVEEDORES", {}, [](FrmBusqueda& frm) {
        QTest::keyClick(frm.TxtFiltro, Qt::Key_Down);
        QTest::keyClick(frm.TxtFiltro, Qt::Key_Escape);
        QVERIFY(!frm.isVisible());
    });
    QVERIFY(v.abierta);
    QCOMPARE(Busqueda().Seleccion(), QString());
    QVERIFY(!Busqueda().Fila(1).isValid());

    // A double click picks the row under the pointer.
    Busca("VT_PROVEEDORES", {}, [](FrmBusqueda& frm) {
        const QModelIndex i = frm.Modelo()->index(2, 1);
        QTest::mouseClick(frm.LstResultados->viewport(), Qt::LeftButton, {}, frm.LstResultados->visualRect(i).center());
        QTest::mouseDClick(frm.LstResultados->viewport(), Qt::LeftButton, {}, frm.LstResultados->visualRect(i).center());
    });
    QCOMPARE(Busqueda().Seleccion(), QStringLiteral("P0003"));

    // Typing while the list has the focus narrows it too; Backspace widens it again.
    QString filtro;
    int quedan = -1, trasBorrar = -1;
    Busca("VT_PROVEEDORES", {}, [&](FrmBusqueda& frm) {
        frm.LstResultados->setFocus();
        QTest::keyClicks(frm.LstResultados, "BAHX");
        QCOMPARE(frm.Modelo()->rowCount(), 0);
        QTest::keyClick(frm.LstResultados, Qt::Key_Backspace);
        filtro = frm.TxtFiltro->text();
        trasBorrar = frm.Modelo()->rowCount();
        QTest::keyClick(frm.TxtFiltro, Qt::Key_Backspace);
        QTest::keyClick(frm.TxtFiltro, Qt::Key_Backspace);
        QTest::keyClick(frm.TxtFiltro, Qt::Key_Backspace);
        quedan = frm.Modelo()->rowCount();
        QTest::keyClicks(frm.TxtFiltro, "centro");
        QTest::keyClick(frm.TxtFiltro, Qt::Key_Return);
    });
    QCOMPARE(filtro, QStringLiteral("BAH"));
    QCOMPARE(trasBorrar, 1);
    QCOMPARE(quedan, 3);
    QCOMPARE(Busqueda().Seleccion(), QStringLiteral("P0003"));
}

void TestBusqueda::listaVaciaNoDevuelveNada() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno);
    UsaDefiniciones(env, nullptr);
    const QString sql = QStringLiteral("SELECT DISTINCT TC,SUCURSAL,NUMERO,LETRA,DETALLE FROM MV_ASIENTOS WHERE TC = 'CB'");
    Vista v = Busca(sql, {"TC", "SUCURSAL", "NUMERO", "LETRA", "Concepto"}, [](FrmBusqueda& frm) {
        QCOMPARE(frm.LstResultados->header()->count(), 5);
        QTest::keyClick(frm.TxtFiltro, Qt::Key_Return);
        QVERIFY(!frm.isVisible());
    });
    QVERIFY(v.abierta);
    QVERIFY(v.filas.isEmpty());
    QCOMPARE(v.encabezados.size(), 5);
    QCOMPARE(Busqueda().Seleccion(), QString());

    // A filter that leaves no row: accepting returns nothing either.
    Prueba::Entorno demo(Prueba::Entorno::Datos::Demo);
    UsaDefiniciones(demo, nullptr);
    Busca("VT_PROVEEDORES", {}, [](FrmBusqueda& frm) {
        QTest::keyClicks(frm.TxtFiltro, "zzz");
        QCOMPARE(frm.Modelo()->rowCount(), 0);
        frm.CmdAceptar->click();
    });
    QCOMPARE(Busqueda().Seleccion(), QString());
}

void TestBusqueda::nombreDeTablaNoValidoNoLlegaALaBase() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    UsaDefiniciones(env, nullptr);
    bool abierta = false;
    Modal::GanchoTemporal gancho([&](QDialog*) {
        abierta = true;
        return 0;
    });
    QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, Busqueda().Muestra("VT_PROVEEDORES; DELETE FROM VT_PROVEEDORES"));
    QVERIFY(!abierta);
    QCOMPARE(Conexion().ObtieneDescripcion("VT_PROVEEDORES", "P0003", "CODIGO", "CODIGO").toString(), QStringLiteral("P0003"));
}

void TestBusqueda::sentenciaRechazadaLlegaAlLlamador() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    // A definition does not make a missing table readable.
    const QByteArray kvt("[TABLA_QUE_NO_EXISTE]\nColumnas=CODIGO\nClave=CODIGO\n");
    UsaDefiniciones(env, &kvt);
    bool abierta = false;
    Modal::GanchoTemporal gancho([&](QDialog*) {
        abierta = true;
        return 0;
    });
    QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, Busqueda().Muestra("TABLA_QUE_NO_EXISTE"));
    QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, Busqueda().Muestra("SELECT NADA FROM VT_PROVEEDORES"));
    QVERIFY(!abierta);
    QCOMPARE(Busqueda().Seleccion(), QString());
}

QTEST_MAIN(TestBusqueda)
#include "test_busqueda.moc"
