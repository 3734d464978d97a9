// The grid model and view, the detail grid layouts and the detail loading.
#include "cmncptes/ClsCmnCptes.h"
#include "cmncptes/GrillaFlex.h"
#include "cmncptes/VistaGrilla.h"
#include "session/ClsConexion.h"
#include "session/ErrorEjecucion.h"
#include "support/Fixture.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

namespace {

int X(const QWidget* w, int n) { return VistaGrilla::AnchoTextoTwips(w, QString(n, QLatin1Char('X'))); }

QStringList Encabezados(const GrillaFlex& g) {
    QStringList r;
    for (int c = 0; c < g.Cols(); ++c) r << g.TextMatrix(0, c);
    return r;
}

QStringList FilaDe(const GrillaFlex& g, int fila) {
    QStringList r;
    for (int c = 0; c < g.Cols(); ++c) r << g.TextMatrix(fila, c);
    return r;
}

struct Grillas {
    QWidget obj;
    GrillaFlex g1, g2, g3, g4;
    QLineEdit e1, e2, e3;
    ClsCmnCptes cmn;
    Grillas() {
        e1.setObjectName(QStringLiteral("TxtEdit"));
        e2.setObjectName(QStringLiteral("txtEdit2"));
        e3.setObjectName(QStringLiteral("txtEdit3"));
    }
    void Inicializa(const QString& tc, bool conCuarta = false) {
        cmn.InicializaGrids(&g1, &g2, &g3, &e1, &e2, &e3, &obj, tc, conCuarta ? &g4 : nullptr);
    }
    QList<int> Anchos(const GrillaFlex& g) const {
        QList<int> r;
        for (int c = 0; c < g.Cols(); ++c) r << g.ColWidth(c);
        return r;
    }
};

} // namespace

class PruebaGrillas : public QObject {
    Q_OBJECT
private slots:
    // --- the model ---------------------------------------------------------------
    // Lines added one at a time below the fixed rows reach a view as inserted
    // rows (not a reset that lays the whole view out again); every change of
    // the row count keeps the model consistent for a view (Qt's model tester
    // fails the test on a wrong signal or count).
    void modelo_filasAgregadasSeInsertan_data() {
        QTest::addColumn<int>("fijas");
        QTest::addColumn<int>("desde");
        QTest::addColumn<int>("hasta");
        QTest::addColumn<bool>("insertadas");
        QTest::newRow("una línea más bajo el encabezado") << 1 << 2 << 3 << true;
        QTest::newRow("varias líneas de una vez") << 1 << 2 << 40 << true;
        QTest::newRow("desde solo el encabezado") << 1 << 1 << 5 << true;
        QTest::newRow("menos filas: se rehace") << 1 << 10 << 3 << false;
        QTest::newRow("por debajo de las fijas: se rehace") << 3 << 3 << 2 << false;
    }
    void modelo_filasAgregadasSeInsertan() {
        QFETCH(int, fijas);
        QFETCH(int, desde);
        QFETCH(int, hasta);
        QFETCH(bool, insertadas);
        GrillaFlex g;
        g.SetCols(3);
        g.SetRows(desde);
        g.SetFixedRows(fijas);
        for (int f = 0; f < desde; ++f) g.SetTextMatrix(f, 0, QStringLiteral("f%1").arg(f));
        QAbstractItemModelTester probador(&g, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy inserciones(&g, &QAbstractItemModel::rowsInserted);
        QSignalSpy reinicios(&g, &QAbstractItemModel::modelReset);
        if (insertadas)
            for (int n = desde + 1; n <= hasta; ++n) g.SetRows(n);
        else
            g.SetRows(hasta);
        QCOMPARE(g.Rows(), hasta);
        QCOMPARE(g.rowCount(), hasta - g.FixedRows());
        QCOMPARE(inserciones.size(), insertadas ? hasta - desde : 0);
        QCOMPARE(reinicios.size(), insertadas ? 0 : 1);
        // The lines that were there keep their texts; new ones are empty.
        for (int f = 0; f < qMin(desde, hasta); ++f) QCOMPARE(g.TextMatrix(f, 0), QStringLiteral("f%1").arg(f));
        for (int f = desde; f < hasta; ++f) QCOMPARE(g.TextMatrix(f, 0), QString());
    }

    void modelo_formaYTexto() {
        GrillaFlex g;
        QCOMPARE(g.Rows(), 2);
        QCOMPARE(g.FixedRows(), 1);
        g.SetCols(3);
        g.SetTextMatrix(0, 1, QStringLiteral("Descripción"));
        g.SetTextMatrix(1, 2, QStringLiteral("10.00"));
        g.AddItem(QStringLiteral("a\tb\tc\td"));
        QCOMPARE(g.Rows(), 3);
        QCOMPARE(FilaDe(g, 2), (QStringList{"a", "b", "c"}));
        // The model shows the rows below the fixed row, the fixed row as headings.
        QCOMPARE(g.rowCount(), 2);
        QCOMPARE(g.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Descripción"));
        QCOMPARE(g.data(g.index(0, 2)).toString(), QStringLiteral("10.00"));
        // Clear empties the text but keeps shape and widths.
        g.SetColWidth(1, 1234);
        g.SetCellBackColor(1, 0, Qt::red);
        g.Clear();
        QCOMPARE(g.Rows(), 3);
        QCOMPARE(g.TextMatrix(0, 1), QString());
        QCOMPARE(g.ColWidth(1), 1234);
        QVERIFY(!g.CellBackColor(1, 0).isValid());
        // Fewer rows drop the last ones.
        g.SetTextMatrix(2, 0, QStringLiteral("x"));
        g.SetRows(2);
        g.SetRows(3);
        QCOMPARE(g.TextMatrix(2, 0), QString());
    }

    void modelo_fueraDeIntervaloEsErrorDeEjecucion() {
        GrillaFlex g;
        g.SetCols(3);
        QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, g.SetTextMatrix(2, 0, QStringLiteral("x")));
        QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, g.TextMatrix(0, 3));
        QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, g.SetColWidth(-1, 10));
        QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, g.SetRow(5));
    }

    void modelo_celdaActualYColor() {
        GrillaFlex g;
        g.SetCols(2);
        g.SetRows(3);
        g.SetRow(2);
        g.SetCol(1);
        g.SetText(QStringLiteral("actual"));
        g.SetCellBackColor(QColor(200, 10, 10));
        QCOMPARE(g.TextMatrix(2, 1), QStringLiteral("actual"));
        QCOMPARE(g.data(g.index(1, 1), Qt::BackgroundRole).value<QColor>(), QColor(200, 10, 10));
        QVERIFY(!g.data(g.index(0, 1), Qt::BackgroundRole).isValid());
    }

    void modelo_ordenGenerico_data() {
        QTest::addColumn<QStringList>("valores");
        QTest::addColumn<QStringList>("esperado");
        QTest::newRow("numeros como numeros") << QStringList{"10", "9", "100", "2.5"} << QStringList{"2.5", "9", "10", "100"};
        QTest::newRow("textos sin mayusculas") << QStringList{"beta", "Alfa", "gamma"} << QStringList{"Alfa", "beta", "gamma"};
        QTest::newRow("mezcla texto y numero") << QStringList{"b", "10", "a"} << QStringList{"10", "a", "b"};
        QTest::newRow("iguales conservan orden") << QStringList{"1", "1", "0"} << QStringList{"0", "1", "1"};
    }
    void modelo_ordenGenerico() {
        QFETCH(QStringList, valores);
        QFETCH(QStringList, esperado);
        GrillaFlex g;
        g.SetCols(2);
        g.SetRows(1);
        g.SetTextMatrix(0, 0, QStringLiteral("Clave"));
        for (int i = 0; i < valores.size(); ++i) g.AddItem(valores[i] + QStringLiteral("\t") + QString::number(i));
        g.Ordena(0);
        QCOMPARE(g.TextMatrix(0, 0), QStringLiteral("Clave"));  // fixed row stays
        QStringList r;
        for (int f = 1; f < g.Rows(); ++f) r << g.TextMatrix(f, 0);
        QCOMPARE(r, esperado);
        // Whole rows move together: the second column follows its key.
        for (int f = 1; f < g.Rows(); ++f) QCOMPARE(valores[g.TextMatrix(f, 1).toInt()], g.TextMatrix(f, 0));
    }

    // --- the view -------------------------------------------------------------------
    void vista_anchosEnTwipsYColumnasOcultas() {
        GrillaFlex g;
        g.SetCols(3);
        VistaGrilla v;
        v.EstableceGrilla(&g);
        g.SetColWidth(0, 1440);
        g.SetColWidth(1, 0);
        g.SetColWidth(2, 720);
        const int dpi = v.logicalDpiX();
        QCOMPARE(v.columnWidth(0), dpi);
        QCOMPARE(v.columnWidth(2), VistaGrilla::TwipsAPixeles(720, dpi));
        QVERIFY(v.isColumnHidden(1));
        QCOMPARE(g.ColWidth(1), 0);
        g.SetColWidth(1, 2880);
        QVERIFY(!v.isColumnHidden(1));
        QCOMPARE(v.columnWidth(1), 2 * dpi);
        // A new layout (reset) keeps the view in step with the model.
        g.SetCols(4);
        g.SetColWidth(3, 0);
        QVERIFY(v.isColumnHidden(3));
        QCOMPARE(v.columnWidth(0), dpi);
    }

    void vista_copiaSeleccionTabulada() {
        GrillaFlex g;
        g.SetCols(3);
        g.SetRows(1);
        g.AddItem(QStringLiteral("a1\toculto\tc1"));
        g.AddItem(QStringLiteral("a2\toculto\tc\t2"));
        g.SetColWidth(1, 0);
        VistaGrilla v;
        v.EstableceGrilla(&g);
        v.selectAll();
        QCOMPARE(v.TextoSeleccion(), QStringLiteral("a1\tc1\na2\tc"));
        QApplication::clipboard()->clear();
        QTest::keyClick(&v, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("a1\tc1\na2\tc"));
    }

    // --- layouts ----------------------------------------------------------------------
    void layout_tipoVacio() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        Grillas g;
        g.g1.SetRows(7);
        g.g1.SetTextMatrix(6, 0, QStringLiteral("resto"));
        g.Inicializa(QString(), true);
        const QWidget* o = &g.obj;
        QCOMPARE(g.g1.Rows(), 2);
        QCOMPARE(g.g1.TextMatrix(1, 0), QString());
        QCOMPARE(Encabezados(g.g1), (QStringList{"Código", "Descripción", "Horas", "Valor/Hora", "Total", "AuxEsExento",
                                                 "ImporteSinIVA", "AuxObservAdic"}));
        QCOMPARE(g.Anchos(g.g1), (QList<int>{X(o, 7), X(o, 37), X(o, 7), X(o, 11), X(o, 11), 0, 0, 0}));
        QCOMPARE(g.g2.Cols(), 25);
        QCOMPARE(g.g2.TextMatrix(0, 0), QStringLiteral("Código Artículo"));  // demo's NombreArticulos, proper case
        QCOMPARE(g.g2.TextMatrix(0, 24), QStringLiteral("AuxStockDisponible"));
        QCOMPARE(g.g2.TextMatrix(0, 15), QStringLiteral("AuxRestoPorAplicar"));
        QList<int> articulos(25, 0);
        articulos[0] = X(o, 15);
        articulos[1] = X(o, 29);
        articulos[3] = X(o, 4);
        articulos[4] = X(o, 4);
        articulos[6] = X(o, 11);
        articulos[7] = X(o, 11);
        QCOMPARE(g.Anchos(g.g2), articulos);
        QCOMPARE(g.g2.ColAlignment(0), int(GrillaFlex::IzquierdaCentro));
        QCOMPARE(Encabezados(g.g3), (QStringList{"Detalle", "Importe S/Iva", "Importe"}));
        QCOMPARE(g.Anchos(g.g3), (QList<int>{X(o, 49), X(o, 11), X(o, 11)}));
        QCOMPARE(g.g4.Rows(), 5);
        QCOMPARE(Encabezados(g.g4), (QStringList{"Descripcion", "Cantidad ITEM'S", "Cantidad"}));
        QCOMPARE(g.Anchos(g.g4), (QList<int>{X(o, 50), X(o, 15), X(o, 10)}));
        QVERIFY(g.e1.isHidden());
        QVERIFY(g.e2.isHidden());
    }

    void layout_importesOcultos_data() {
        QTest::addColumn<QString>("tc");
        QTest::addColumn<QString>("noMostrarEnOT");
        QTest::addColumn<bool>("ocultos");
        QTest::addColumn<bool>("horasOcultas");
        QTest::newRow("ot con la clave en si") << "ot" << "si" << true << true;
        QTest::newRow("OT con la clave en no") << "OT" << "no" << false << false;
        QTest::newRow("OT con espacio no se recorta") << " OT" << "SI" << false << false;
        QTest::newRow("OP siempre oculta") << "OP" << "no" << true << false;
        QTest::newRow("oc siempre oculta") << "oc" << "no" << true << false;
        QTest::newRow("FC nunca oculta") << "FC" << "SI" << false << false;
    }
    void layout_importesOcultos() {
        QFETCH(QString, tc);
        QFETCH(QString, noMostrarEnOT);
        QFETCH(bool, ocultos);
        QFETCH(bool, horasOcultas);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        env.Ejecuta(QStringLiteral("UPDATE TA_CONFIGURACION SET Valor = '%1' WHERE CLAVE = 'NoMostrarImportesEnOT'").arg(noMostrarEnOT));
        Grillas g;
        g.Inicializa(tc);
        const QWidget* o = &g.obj;
        int descripcion = X(o, 37);
        if (ocultos) descripcion += X(o, 11) + X(o, 11);
        if (horasOcultas) descripcion += X(o, 7);
        QCOMPARE(g.g1.ColWidth(1), descripcion);
        QCOMPARE(g.g1.ColWidth(2), horasOcultas ? 0 : X(o, 7));
        QCOMPARE(g.g1.ColWidth(3), ocultos ? 0 : X(o, 11));
        QCOMPARE(g.g1.ColWidth(4), ocultos ? 0 : X(o, 11));
        QCOMPARE(g.g2.ColWidth(1), X(o, 29) + (ocultos ? 2 * X(o, 11) : 0));
        QCOMPARE(g.g2.ColWidth(6), ocultos ? 0 : X(o, 11));
        QCOMPARE(g.g2.ColWidth(7), ocultos ? 0 : X(o, 11));
        QCOMPARE(g.g3.ColWidth(0), X(o, 49) + (ocultos ? 2 * X(o, 11) : 0));
        QCOMPARE(g.g3.ColWidth(2), ocultos ? 0 : X(o, 11));
    }

    void layout_listasYDescuentosEnVentas() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        env.Ejecuta(QStringLiteral("UPDATE TA_CONFIGURACION SET Valor = 'si' WHERE CLAVE IN ('V_ListaPreciosPorItemArticulos', "
                                   "'V_DescuentoPorArticulos')"));
        Grillas g;
        g.Inicializa(QStringLiteral("FC"));
        const QWidget* o = &g.obj;
        QCOMPARE(g.g2.ColWidth(0), X(o, 15) - 2 * X(o, 1));
        QCOMPARE(g.g2.ColWidth(1), X(o, 29) - 2 * X(o, 3));
        QCOMPARE(g.g2.ColWidth(2), X(o, 4));
        QCOMPARE(g.g2.ColWidth(5), X(o, 5));
        // A purchasing type is not of the sales system: neither column.
        g.Inicializa(QStringLiteral("FCC"));
        QCOMPARE(g.g2.ColWidth(2), 0);
        QCOMPARE(g.g2.ColWidth(5), 0);
    }

    void layout_sistemaStock() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        env.Ejecuta(QStringLiteral("INSERT INTO V_TA_CPTE (CODIGO, DESCRIPCION, SISTEMA) VALUES ('OP', 'ORDEN DE PROVISION', 'STOCK')"));
        Grillas g;
        g.Inicializa(QStringLiteral("AJS"));
        const QWidget* o = &g.obj;
        QCOMPARE(g.g2.ColWidth(1), X(o, 29) + X(o, 11) - 480 + X(o, 11));
        QCOMPARE(g.g2.ColWidth(6), 0);
        QCOMPARE(g.g2.ColWidth(7), 0);
        QCOMPARE(g.g2.ColWidth(3), X(o, 4) + X(o, 4));
        QCOMPARE(g.g2.ColWidth(4), X(o, 4) + X(o, 7));
        // Hidden amounts and STOCK together: the STOCK step takes 480 off the description.
        g.Inicializa(QStringLiteral("OP"));
        QCOMPARE(g.g2.ColWidth(1), X(o, 29) + 2 * X(o, 11) - 480);
    }

    void layout_encabezadoArticulos_data() {
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("vacio") << "" << "Código";
        QTest::newRow("blancos") << "   " << "Código";
        QTest::newRow("minusculas") << "cod. del insumo" << "Cod. Del Insumo";
    }
    void layout_encabezadoArticulos() {
        QFETCH(QString, valor);
        QFETCH(QString, esperado);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        env.Ejecuta(QStringLiteral("UPDATE TA_CONFIGURACION SET Valor = '%1' WHERE CLAVE = 'NombreArticulos'").arg(valor));
        Grillas g;
        g.Inicializa(QString());
        QCOMPARE(g.g2.TextMatrix(0, 0), esperado);
    }

    void layout_soloArticulos() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        Grillas g;
        g.g1.SetCols(2);
        g.e1.show();
        g.cmn.InicializaGrids(nullptr, &g.g2, nullptr, &g.e1, nullptr, nullptr, &g.obj, QString(), nullptr);
        QCOMPARE(g.g1.Cols(), 2);  // untouched
        QCOMPARE(g.g2.Cols(), 25);
        QVERIFY(!g.e1.isHidden());  // the services box stays as it was
    }

    void textPropiedades_data() {
        QTest::addColumn<QString>("caja");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<int>("largo");
        QTest::newRow("tarea") << "TxtEdit" << 0 << "IdTarea" << "v_ta_tareas" << 4;
        QTest::newRow("horas sin cambiar tag") << "txtedit" << 2 << "HorasEstimadas" << "previo" << 0;
        QTest::newRow("articulo") << "TxtEdit2" << 0 << "IdArticulo" << "v_ma_articulos" << 25;
        QTest::newRow("unidad") << "txtEdit2" << 3 << "IdUnidad" << "V_TA_UNIDAD" << 4;
        QTest::newRow("descuento vacia el tag") << "TxtEdit2" << 5 << "PorcDtoArticulo" << "" << 0;
        QTest::newRow("concepto") << " TxtEdit3 " << 0 << "OCDescripcion" << "" << 200;
        QTest::newRow("columna sin enlace") << "TxtEdit" << 7 << "" << "previo" << 0;
        QTest::newRow("caja desconocida") << "Otra" << 0 << "" << "previo" << 0;
    }
    void textPropiedades() {
        QFETCH(QString, caja);
        QFETCH(int, col);
        QFETCH(QString, campo);
        QFETCH(QString, tag);
        QFETCH(int, largo);
        QLineEdit e;
        e.setObjectName(caja);
        e.setProperty("DataField", QStringLiteral("anterior"));
        e.setProperty("Tag", QStringLiteral("previo"));
        e.setMaxLength(3);
        ClsCmnCptes().TextPropiedades(&e, col);
        QCOMPARE(e.property("DataField").toString(), campo);
        QCOMPARE(e.property("Tag").toString(), tag);
        QCOMPARE(e.maxLength(), largo > 0 ? largo : 32767);
    }

    // --- loading ------------------------------------------------------------------------
    void carga_facturaDeVentas() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        Grillas g;
        g.Inicializa(QString());
        Recordset cabecera;
        Recordset* pedido = &cabecera;
        g.cmn.AsignarDatosComprobante(QStringLiteral(" fc"), QStringLiteral("000100000025A "), QStringLiteral("0"), &g.g1,
                                      &g.g2, &g.g3, false, pedido, false, QString());
        QVERIFY(env.respondedor.errores.isEmpty());
        QCOMPARE(g.g1.Rows(), 4);
        QCOMPARE(FilaDe(g.g1, 1), (QStringList{"T001", "Instalación eléctrica", "02:15", "12100.00", "27225.00", "",
                                               "10000.00", "Incluye cableado de 3 bocas"}));
        QCOMPARE(g.g1.TextMatrix(2, 2), QStringLiteral("01:30"));
        QCOMPARE(g.g1.TextMatrix(3, 4), QStringLiteral("6352.50"));
        QCOMPARE(g.g2.Rows(), 4);
        const QStringList cable = FilaDe(g.g2, 1);
        QCOMPARE(cable.mid(0, 11), (QStringList{"CAB-001", "Cable tipo D'Alessandro 2x1,5 mm", "", "MT", "25", "", "1452.00",
                                                "36300.00", "0", "1200.00", "252.00"}));
        QCOMPARE(cable[13], QStringLiteral("|L001|"));
        QCOMPARE(cable[15], QStringLiteral("25"));  // quantity still to apply
        QCOMPARE(g.g3.Rows(), 3);                   // only the "OC" lines
        QCOMPARE(FilaDe(g.g3, 1), (QStringList{"Flete y acarreo de materiales", "5000.00", "6050.00"}));
        // The header goes back positioned on its row.
        QVERIFY(!cabecera.Eof());
        QCOMPARE(cabecera.Campo(QStringLiteral("Cuenta")).toString(), QStringLiteral("C0001"));
    }

    void carga_nulosYTextosLargos() {
        const QString largo(5000, QLatin1Char('x'));
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo,
                            QStringLiteral("INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IdArticulo, Descripcion) "
                                           "VALUES ('FC', '000100000012B', 0, NULL, '%1');\n")
                                .arg(largo));
        Grillas g;
        g.Inicializa(QString());
        g.cmn.AsignarDatosComprobante(QStringLiteral("FC"), QStringLiteral("000100000012B"), QStringLiteral("0"), &g.g1, &g.g2,
                                      &g.g3, false, nullptr, false, QString());
        QVERIFY(env.respondedor.errores.isEmpty());
        // Null description and total of a task line: empty text, zero amount.
        QCOMPARE(FilaDe(g.g1, 1).mid(0, 5), (QStringList{"T003", "", "00:30", "8470.00", "0.00"}));
        QCOMPARE(g.g2.Rows(), 4);
        QCOMPARE(g.g2.TextMatrix(2, 8), QStringLiteral("-1"));  // exempt article
        QCOMPARE(g.g2.TextMatrix(3, 1), largo);
        QCOMPARE(g.g2.TextMatrix(3, 6), QStringLiteral("0.00"));
        QCOMPARE(FilaDe(g.g3, 2), (QStringList{"", "0.00", "0.00"}));
    }

    void carga_compraDosVecesSinNuevoLayout() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        Grillas g;
        g.Inicializa(QString());
        auto carga = [&] {
            g.cmn.AsignarDatosComprobante(QStringLiteral("FCC"), QStringLiteral("000300001234A"), QStringLiteral("0"), &g.g1,
                                          &g.g2, &g.g3, true, nullptr, true, QStringLiteral("P0001"));
        };
        carga();
        QCOMPARE(g.g2.Rows(), 3);
        carga();
        // The second showing's first line lands on the last line of the first.
        QCOMPARE(g.g2.Rows(), 4);
        QStringList codigos;
        for (int f = 1; f < g.g2.Rows(); ++f) codigos << g.g2.TextMatrix(f, 0);
        QCOMPARE(codigos, (QStringList{"CAB-001", "CAB-001", "TAL-200"}));
        QCOMPARE(g.g1.Rows(), 2);  // P0001 has no services: untouched
    }

    void carga_compraNoLeeDescripcionAdicional() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        Grillas g;
        g.Inicializa(QString());
        g.g1.SetTextMatrix(1, 7, QStringLiteral("queda"));
        g.cmn.AsignarDatosComprobante(QStringLiteral("FCC"), QStringLiteral("000300001234A"), QStringLiteral("0"), &g.g1,
                                      &g.g2, &g.g3, true, nullptr, true, QStringLiteral("P0002"));
        QCOMPARE(g.g1.TextMatrix(1, 0), QStringLiteral("T004"));
        QCOMPARE(g.g1.TextMatrix(1, 2), QStringLiteral("04:00"));
        QCOMPARE(g.g1.TextMatrix(1, 7), QStringLiteral("queda"));
        QCOMPARE(g.g3.TextMatrix(1, 0), QStringLiteral("Envío por transporte"));
    }

    void carga_claveConApostrofeNoEncuentraNada() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        Grillas g;
        g.Inicializa(QString());
        g.cmn.AsignarDatosComprobante(QStringLiteral("FC"), QStringLiteral("0001' OR '1'='1"), QStringLiteral("0"), &g.g1,
                                      &g.g2, &g.g3, false, nullptr, false, QString());
        QVERIFY(env.respondedor.errores.isEmpty());
        QCOMPARE(g.g1.Rows(), 2);
        QCOMPARE(g.g1.TextMatrix(1, 0), QString());
        // A complement that is not a number never reaches the statement.
        g.cmn.AsignarDatosComprobante(QStringLiteral("FC"), QStringLiteral("000100000025A"), QStringLiteral("0 OR 1=1"), &g.g1,
                                      &g.g2, &g.g3, false, nullptr, false, QString());
        QCOMPARE(env.respondedor.errores.size(), 1);
        QCOMPARE(env.respondedor.errores[0].procedimiento, QStringLiteral("AsignarDatosComprobante"));
        QCOMPARE(g.g1.TextMatrix(1, 0), QString());
    }
};

QTEST_MAIN(PruebaGrillas)
#include "test_grillas.moc"
