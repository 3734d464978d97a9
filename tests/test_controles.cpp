// Detail checks and totals over the detail grids: the line count against the
// printed form (PRINTERS.PRN), item counts, the current line in a status bar
// of keyed panels, the summary grid, row and column colours, repeated lines
// and fractional numbers.
#include "cmncptes/BarraEstado.h"
#include "cmncptes/ClsCmnCptes.h"
#include "cmncptes/ControlesDetalle.h"
#include "cmncptes/GrillaFlex.h"
#include "cmncptes/TiraSolapas.h"
#include "session/ErrorEjecucion.h"
#include "support/Fixture.h"

#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QTabBar>
#include <QTest>

namespace {

// One PRINTERS.PRN record (796 bytes) of the test session PUESTO01|admin.
QByteArray Registro(const QByteArray& lineas, const QByteArray& usuario = "PUESTO01|admin",
                    const QByteArray& tc = "FC", const QByteArray& letra = "A") {
    auto campo = [](const QByteArray& v, int ancho) { return v.left(ancho).leftJustified(ancho, ' '); };
    return campo(usuario, 255) + campo(tc, 4) + campo(letra, 1) + campo("HP|LPT1:", 510) + campo("  1", 3) +
           campo(lineas, 3) + campo("Impresora", 20);
}

// A grid with `cols` columns: a header row and one row per list of cells.
void Llena(GrillaFlex& g, int cols, const QList<QStringList>& filas) {
    g.SetCols(cols);
    g.SetRows(1 + static_cast<int>(filas.size()));
    for (int c = 0; c < cols; ++c) g.SetTextMatrix(0, c, QStringLiteral("Col%1").arg(c));
    for (int r = 0; r < filas.size(); ++r)
        for (int c = 0; c < filas[r].size(); ++c) g.SetTextMatrix(r + 1, c, filas[r][c]);
}

// Articles: code, description, quantity (column 4), type (16), category (17), stock (24).
QStringList Articulo(const QString& codigo, const QString& descripcion, const QString& cantidad,
                     const QString& tipo = {}, const QString& rubro = {}, const QString& stock = {}) {
    QStringList f(25);
    f[0] = codigo;
    f[1] = descripcion;
    f[4] = cantidad;
    f[16] = tipo;
    f[17] = rubro;
    f[24] = stock;
    return f;
}

// The three detail grids of a voucher with 8 used lines (3 tasks, 4 articles,
// 1 other concept) and lines whose code is blank but that hold other text.
struct Detalle {
    GrillaFlex tareas, articulos, otros;
    Detalle() {
        Llena(tareas, 8, {{"T001", "Instalación", "1:30"}, {"  ", "sin código", "9:00"}, {"T002", "Tablero", "2:45"},
                          {"t003 ", "General", "0:50"}});
        Llena(articulos, 25, {Articulo("A1", "Cable", "2", "IN", "ELEC", "40"), Articulo("A2", "Pinza", "1.5", "RE", ""),
                              Articulo("", "sin código", "7", "IN", "ELEC"), Articulo("A3", "Martillo", "3", "PT", "HERR"),
                              Articulo(" a1 ", "Cable", "0.25", "IN", "ELEC")});
        Llena(otros, 3, {{"Flete", "100"}, {"", "5"}});
    }
};

struct Linea {
    QString descripcion, items, cantidad;
    long color;
};

QList<Linea> Resumen(const GrillaFlex& g) {
    QList<Linea> r;
    for (int f = 1; f < g.Rows(); ++f) {
        const QColor c = g.CellBackColor(f, 0);
        const long bgr = c.isValid() ? (c.red() | (c.green() << 8) | (c.blue() << 16)) : -1;
        r.append({g.TextMatrix(f, 0), g.TextMatrix(f, 1), g.TextMatrix(f, 2), bgr});
    }
    return r;
}

} // namespace

class PruebaControles : public QObject {
    Q_OBJECT

private slots:
    void init() {
        qputenv("TALERUNA_TERMINAL", "PUESTO01");
        qputenv("TALERUNA_USUARIO", "admin");
    }

    // --- line count against the printed form ------------------------------------------
    void validaCantidadLineas_data() {
        QTest::addColumn<QByteArray>("archivo");  // PRINTERS.PRN; "-" for none
        QTest::addColumn<int>("lineasAnteriores");
        QTest::addColumn<int>("cantLineas");       // passed in
        QTest::addColumn<int>("agregar");
        QTest::addColumn<bool>("caben");
        QTest::addColumn<int>("cantLineasFinal");
        QTest::addColumn<int>("usadasFinal");
        QTest::newRow("formulario de 10: 8 usadas y 2 más caben") << Registro(" 10") << 0 << 0 << 2 << true << 10 << 8;
        QTest::newRow("formulario de 10: 8 usadas y 3 más no caben") << Registro(" 10") << 0 << 0 << 3 << false << 10 << 8;
        QTest::newRow("formulario de 8 justo lleno") << Registro("  8") << 0 << 0 << 0 << true << 8 << 8;
        QTest::newRow("0 líneas es sin límite") << Registro("  0") << 0 << 25 << 500 << true << 0 << -1;
        QTest::newRow("-1 no lee el archivo y usa lo pasado") << QByteArray("-") << -1 << 10 << 2 << true << 10 << 8;
        QTest::newRow("-1 con lo pasado en 0 siempre cabe") << QByteArray("-") << -1 << 0 << 99 << true << 0 << -1;
        QTest::newRow("sin asignación conserva lo pasado") << Registro(" 30", "OTRO|usuario") << 0 << 9 << 2 << false << 9 << 8;
        QTest::newRow("la letra distingue la asignación")
            << QByteArray(Registro(" 99", "PUESTO01|admin", "FC", "B") + Registro("  9")) << 0 << 0 << 1 << true << 9 << 8;
    }
    void validaCantidadLineas() {
        QFETCH(QByteArray, archivo);
        QFETCH(int, lineasAnteriores);
        QFETCH(int, cantLineas);
        QFETCH(int, agregar);
        QFETCH(bool, caben);
        QFETCH(int, cantLineasFinal);
        QFETCH(int, usadasFinal);
        Prueba::Entorno env;
        if (archivo != "-") env.EscribeArchivo(QStringLiteral("PRINTERS.PRN"), archivo);
        Detalle d;
        ClsCmnCptes c;
        int usadas = -1;
        QCOMPARE(c.ValidaCantidadLineasCpte(QStringLiteral("FC"), QStringLiteral("A"), &d.tareas, &d.articulos, &d.otros,
                                            cantLineas, usadas, agregar, lineasAnteriores),
                 caben);
        QCOMPARE(cantLineas, cantLineasFinal);
        QCOMPARE(usadas, usadasFinal);
        QVERIFY(env.respondedor.errores.isEmpty());
        if (archivo == "-") QVERIFY(!QFile::exists(env.Carpeta() + QStringLiteral("PRINTERS.PRN")));
    }

    // The file is read again only when its date and time changed.
    void validaCantidadLineas_releeSoloSiCambiaLaFecha() {
        Prueba::Entorno env;
        const QString ruta = env.Carpeta() + QStringLiteral("PRINTERS.PRN");
        env.EscribeArchivo(QStringLiteral("PRINTERS.PRN"), Registro(" 10"));
        const QDateTime fecha = QDateTime::currentDateTime().addSecs(-3600);
        auto fijaFecha = [&](const QDateTime& f) {
            QFile a(ruta);
            QVERIFY(a.open(QIODevice::ReadWrite));
            QVERIFY(a.setFileTime(f, QFileDevice::FileModificationTime));
        };
        fijaFecha(fecha);
        Detalle d;
        ClsCmnCptes c;
        int lineas = 0, usadas = 0, anteriores = 0;
        QVERIFY(c.ValidaCantidadLineasCpte("FC", "A", &d.tareas, nullptr, nullptr, lineas, usadas, 7, anteriores));
        QCOMPARE(lineas, 10);
        QCOMPARE(anteriores, 10);
        QCOMPARE(usadas, 3);
        QVERIFY(!c.FechaPrinters.isEmpty());

        // Rewritten with 5 lines but the same date: the value kept is used.
        env.EscribeArchivo(QStringLiteral("PRINTERS.PRN"), Registro("  5"));
        fijaFecha(fecha);
        lineas = 0;
        QVERIFY(c.ValidaCantidadLineasCpte("FC", "A", &d.tareas, nullptr, nullptr, lineas, usadas, 7, anteriores));
        QCOMPARE(lineas, 10);

        // A new date: read again.
        fijaFecha(fecha.addSecs(60));
        QVERIFY(!c.ValidaCantidadLineasCpte("FC", "A", &d.tareas, nullptr, nullptr, lineas, usadas, 7, anteriores));
        QCOMPARE(lineas, 5);
        QCOMPARE(anteriores, 5);
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    // A missing PRINTERS.PRN is reported through the trap and the check fails.
    void validaCantidadLineas_archivoFaltante() {
        Prueba::Entorno env;
        Detalle d;
        ClsCmnCptes c;
        int lineas = 50, usadas = -1, anteriores = 50;
        QVERIFY(!c.ValidaCantidadLineasCpte("FC", "A", &d.tareas, &d.articulos, &d.otros, lineas, usadas, 1, anteriores));
        QCOMPARE(env.respondedor.errores.size(), 1);
        QCOMPARE(env.respondedor.errores[0].procedimiento, QStringLiteral("ValidaCantidadLineasCpte"));
        QCOMPARE(env.respondedor.errores[0].numero, 53);
        QVERIFY(env.respondedor.errores[0].descripcion.contains(QStringLiteral("PRINTERS.PRN")));
        QCOMPARE(usadas, -1);
        QVERIFY(c.FechaPrinters.isEmpty());
    }

    // --- item counts ---------------------------------------------------------------------
    void cuentaItems() {
        Prueba::Entorno env;
        Detalle d;
        ClsCmnCptes c;
        long t = -1, a = -1, o = -1;
        QCOMPARE(c.CuentaItems(&d.tareas, &d.articulos, &d.otros, t, a, o), 8L);
        QCOMPARE(t, 3L);
        QCOMPARE(a, 4L);
        QCOMPARE(o, 1L);
        QCOMPARE(c.CuentaItems(nullptr, &d.articulos, nullptr, t, a, o), 4L);
        QCOMPARE(t, 0L);
        QCOMPARE(o, 0L);
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    // --- the current line in a status bar of keyed panels -------------------------------
    void muestraDetalle_data() {
        QTest::addColumn<QString>("variante");
        QTest::addColumn<QStringList>("claves");  // panel keys, numbered from 1
        QTest::addColumn<int>("fila");
        QTest::addColumn<int>("columna");
        QTest::addColumn<QStringList>("textos");  // every panel's text afterwards
        const QStringList cuatro{"Fecha", "Hora", "Detalle", "Stock"};
        QTest::newRow("tareas: código y descripción en el panel 3")
            << "tareas" << cuatro << 4 << 0 << QStringList{"", "", "t003 - General", ""};
        QTest::newRow("tareas: una línea sin código")
            << "tareas" << cuatro << 2 << 0 << QStringList{"", "", " - sin código", ""};
        QTest::newRow("otros conceptos: sólo el código en el panel 3")
            << "otros" << cuatro << 1 << 0 << QStringList{"", "", "Flete", ""};
        QTest::newRow("artículos en el panel pedido y stock en el panel Stock")
            << "articulos" << cuatro << 1 << 2 << QStringList{"", "A1 - Cable", "", "Stock: 40"};
        QTest::newRow("artículos: clave Stock en otra letra, stock vacío es 0")
            << "articulos" << QStringList{"detalle", "STOCK", "Stock"} << 2 << 1
            << QStringList{"A2 - Pinza", "Stock: 0", ""};
        QTest::newRow("artículos sin panel Stock: sólo el detalle")
            << "articulos" << QStringList{"Detalle", "Otro"} << 4 << 1 << QStringList{"A3 - Martillo", ""};
        QTest::newRow("detalle libre en el panel pedido")
            << "libre" << cuatro << 0 << 2 << QStringList{"", "texto libre", "", ""};
    }
    void muestraDetalle() {
        QFETCH(QString, variante);
        QFETCH(QStringList, claves);
        QFETCH(int, fila);
        QFETCH(int, columna);
        QFETCH(QStringList, textos);
        Detalle d;
        BarraEstado barra;
        for (const QString& k : claves) barra.AgregaPanel(k);
        ClsCmnCptes c;
        if (variante == QLatin1String("tareas")) {
            d.tareas.SetRow(fila);
            c.MuestraDetalleTareas(&d.tareas, &barra);
        } else if (variante == QLatin1String("otros")) {
            d.otros.SetRow(fila);
            c.MuestraDetalleOtrosConceptos(&d.otros, &barra);
        } else if (variante == QLatin1String("articulos")) {
            d.articulos.SetRow(fila);
            c.MuestraDetalleArticulos(&d.articulos, &barra, columna);
        } else {
            c.MuestraDetalle(QStringLiteral("texto libre"), &barra, columna);
        }
        QStringList vistos;
        for (int p = 1; p <= barra.CantidadPaneles(); ++p) vistos << barra.TextoPanel(p);
        QCOMPARE(vistos, textos);
    }

    // Stock with decimals, and a panel number the bar does not have (no trap:
    // the error reaches the caller).
    void muestraDetalle_stockDecimalYPanelInexistente() {
        Detalle d;
        BarraEstado barra;
        barra.AgregaPanel(QStringLiteral("Detalle"));
        barra.AgregaPanel(QStringLiteral("Stock"));
        d.articulos.SetTextMatrix(1, 24, QStringLiteral("12.50"));
        d.articulos.SetRow(1);
        ClsCmnCptes c;
        c.MuestraDetalleArticulos(&d.articulos, &barra, 1);
        QCOMPARE(barra.TextoPanel(2), QStringLiteral("Stock: 12.5"));
        QCOMPARE(barra.NumeroPanel(QStringLiteral("stock")), 2);
        QCOMPARE(barra.Panel(2)->objectName(), QStringLiteral("Panel2"));
        QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, c.MuestraDetalleTareas(&d.tareas, &barra));
        QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, c.MuestraDetalle(QStringLiteral("x"), &barra, 0));
    }

    // --- the summary ---------------------------------------------------------------------
    void totalizador_data() {
        QTest::addColumn<QList<bool>>("visibles");
        QTest::addColumn<bool>("porRubro");
        QTest::addColumn<bool>("porTipo");
        QTest::addColumn<QStringList>("lineas");  // description|items|quantity|colour, the last the closing row
        const QString azul = QStringLiteral("|||16711680");
        QTest::newRow("sólo artículos por rubro: línea sin código primero y fila azul")
            << QList<bool>{false, true, false} << true << false
            << QStringList{"Artículos|4|6.75|12648447", "-||1.5|12640511", "ELEC-Material eléctrico||2.25|12640511",
                           "HERR-Herramientas||3|12640511", azul};
        QTest::newRow("por tipo: la línea sin código va aunque esté vacía")
            << QList<bool>{false, true, false} << false << true
            << QStringList{"Artículos|4|6.75|12648447", "-|||12640511", "IN-Insumo||2.25|12640511",
                           "RE-Repuesto||1.5|12640511", "PT-Producto terminado||3|12640511", azul};
        QTest::newRow("sin agrupación: por código con la descripción de su línea")
            << QList<bool>{false, true, false} << false << false
            << QStringList{"Artículos|4|6.75|12648447", "-|||12640511", "A1-Cable||2.25|12640511",
                           "A2-Pinza||1.5|12640511", "A3-Martillo||3|12640511", azul};
        QTest::newRow("las tres solapas: horas con los minutos llevados a horas")
            << QList<bool>{true, true, true} << true << false
            << QStringList{"Servicios|3|5:05|12648447", "Artículos|4|6.75|12648447", "-||1.5|12640511",
                           "ELEC-Material eléctrico||2.25|12640511", "HERR-Herramientas||3|12640511",
                           "Otros|1||12648447", azul};
        QTest::newRow("ninguna solapa visible: sólo la fila azul") << QList<bool>{false, false, false} << true << false
                                                                   << QStringList{azul};
    }
    void totalizador() {
        QFETCH(QList<bool>, visibles);
        QFETCH(bool, porRubro);
        QFETCH(bool, porTipo);
        QFETCH(QStringList, lineas);
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno,
                            QStringLiteral("INSERT INTO V_ta_Rubros (IdRubro, Descripcion) VALUES "
                                           "('ELEC', 'Material eléctrico'), ('HERR', 'Herramientas')"));
        env.Ejecuta(QStringLiteral("INSERT INTO V_ta_TipoArticulo (Tipo, Descripcion) VALUES ('IN', 'Insumo'), "
                                   "('PT', 'Producto terminado'), ('RE', 'Repuesto')"));
        Detalle d;
        QTabBar barra;
        for (const char* t : {"Servicios", "Artículos", "Otros"}) barra.addTab(QString::fromUtf8(t));
        for (int i = 0; i < 3; ++i) barra.setTabVisible(i, visibles[i]);
        GrillaFlex resumen;
        ClsCmnCptes c;
        c.InicializaGrids(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, QString(), &resumen);
        resumen.SetTextMatrix(3, 0, QStringLiteral("de antes"));
        const TiraSolapas solapas(&barra);
        c.TotalizadorControl(&d.tareas, &d.articulos, &d.otros, &resumen, &solapas, porRubro, porTipo);
        QStringList vistas;
        for (const Linea& l : Resumen(resumen))
            vistas << QStringLiteral("%1|%2|%3|%4").arg(l.descripcion, l.items, l.cantidad).arg(l.color);
        QCOMPARE(vistas, lineas);
        // Every cell of a summary line is painted.
        for (int f = 1; f < resumen.Rows(); ++f) QCOMPARE(resumen.CellBackColor(f, 2), resumen.CellBackColor(f, 0));
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    // A quantity beyond the range is reported under the procedure's name; going
    // on skips that line and the rest is still summed exactly.
    void totalizador_cantidadFueraDeRango() {
        Prueba::Entorno env;
        env.respondedor.respuestasErrores = {5};
        GrillaFlex articulos, resumen;
        Llena(articulos, 25, {Articulo("A1", "x", "0.1"), Articulo("A2", "y", "1e300"), Articulo("A3", "z", "0.2")});
        QTabBar barra;
        for (const char* t : {"S", "A", "O"}) barra.addTab(QString::fromLatin1(t));
        barra.setTabVisible(0, false);
        barra.setTabVisible(2, false);
        resumen.SetCols(3);
        const TiraSolapas solapas(&barra);
        ClsCmnCptes c;
        c.TotalizadorControl(nullptr, &articulos, nullptr, &resumen, &solapas, false, false);
        QCOMPARE(env.respondedor.errores.size(), 1);
        QCOMPARE(env.respondedor.errores[0].procedimiento, QStringLiteral("TotalizadorControl"));
        QCOMPARE(env.respondedor.errores[0].numero, 6);
        QCOMPARE(resumen.TextMatrix(1, 1), QStringLiteral("2"));
        QCOMPARE(resumen.TextMatrix(1, 2), QStringLiteral("0.3"));
    }

    void buscaGrupo() {
        TotalesPorGrupo = {TipoTotalGrupo{}, {QStringLiteral("ELEC") + QChar(0xFF) + QChar(0), QStringLiteral("1")},
                           {QStringLiteral(" herr "), QStringLiteral("2")}};
        QCOMPARE(BuscaGrupo(QStringLiteral("elec")), 1);
        QCOMPARE(BuscaGrupo(QStringLiteral("HERR ")), 2);
        QCOMPARE(BuscaGrupo(QString()), 0);
        QCOMPARE(BuscaGrupo(QStringLiteral("PINT")), -1);
        TotalesPorGrupo.clear();
    }

    // --- colours ---------------------------------------------------------------------------
    void pintarFilaYColumna() {
        GrillaFlex g;
        Llena(g, 4, {{"a"}, {"b"}, {"c"}});
        ClsCmnCptes c;
        g.SetCol(2);
        g.SetRow(1);
        c.PintarFila(2, &g, ColorNaranjaClaro);
        for (int col = 0; col < 4; ++col) QCOMPARE(g.CellBackColor(2, col), QColor(255, 224, 192));
        QVERIFY(!g.CellBackColor(1, 0).isValid());
        QCOMPARE(g.Col(), 2);
        QCOMPARE(g.Row(), 2);

        // -1 and -1: the whole column, header row included; the row is restored.
        c.PintarColuma(3, &g, -1, -1, ColorAzul);
        for (int f = 0; f < 4; ++f) QCOMPARE(g.CellBackColor(f, 3), QColor(0, 0, 255));
        QCOMPARE(g.Row(), 2);
        QCOMPARE(g.Col(), 3);
        c.PintarColuma(1, &g, 2, 3, ColorAmarilloClaro);
        QVERIFY(!g.CellBackColor(1, 1).isValid());
        QCOMPARE(g.CellBackColor(3, 1), QColor(255, 255, 192));

        // Errors inside are ignored: a column or rows beyond the grid change nothing else.
        Prueba::Entorno env;
        c.PintarColuma(9, &g, -1, -1, ColorAzul);
        c.PintarColuma(0, &g, 3, 7, ColorAzul);
        QCOMPARE(g.CellBackColor(3, 0), QColor(0, 0, 255));
        QVERIFY(env.respondedor.errores.isEmpty());
        QVERIFY_THROWS_EXCEPTION(ErrorEjecucion, c.PintarFila(9, &g, ColorAzul));
    }

    // --- repeated lines ------------------------------------------------------------------
    void lineaRepetida_data() {
        QTest::addColumn<int>("grilla");  // 0 tasks, 1 articles, 2 other concepts
        QTest::addColumn<QString>("valor");
        QTest::addColumn<int>("ignorar");
        QTest::addColumn<bool>("repetida");
        QTest::addColumn<int>("fila");  // -5: left unchanged
        QTest::newRow("tarea en otra letra y con blancos") << 0 << " T003" << 0 << true << 4;
        QTest::newRow("tarea: ignorando su única fila no está repetida") << 0 << "t002" << 3 << false << -5;
        QTest::newRow("tarea inexistente") << 0 << "T009" << -1 << false << -5;
        QTest::newRow("artículo: la primera fila que no se ignora") << 1 << "a1" << 1 << true << 5;
        QTest::newRow("artículo: la primera de dos") << 1 << "A1" << 0 << true << 1;
        QTest::newRow("la fila de encabezado no cuenta") << 1 << "Col0" << -1 << false << -5;
        QTest::newRow("otro concepto") << 2 << "FLETE" << 2 << true << 1;
        QTest::newRow("un código vacío halla la primera línea vacía") << 2 << "  " << 0 << true << 2;
    }
    void lineaRepetida() {
        QFETCH(int, grilla);
        QFETCH(QString, valor);
        QFETCH(int, ignorar);
        QFETCH(bool, repetida);
        QFETCH(int, fila);
        Detalle d;
        ClsCmnCptes c;
        long encontrada = -5;
        bool r = false;
        if (grilla == 0) r = c.TareaRepetida(&d.tareas, valor, ignorar, encontrada);
        else if (grilla == 1) r = c.ArticuloRepetido(&d.articulos, valor, ignorar, encontrada);
        else r = c.OtrosConceptosRepetidos(&d.otros, valor, ignorar, encontrada);
        QCOMPARE(r, repetida);
        QCOMPARE(encontrada, static_cast<long>(fila));
    }

    // --- fractions -------------------------------------------------------------------------
    void numeroEsFraccion_data() {
        QTest::addColumn<QVariant>("numero");
        QTest::addColumn<bool>("fraccion");
        QTest::newRow("dos y medio") << QVariant(2.5) << true;
        QTest::newRow("tres") << QVariant(3) << false;
        QTest::newRow("texto con decimales") << QVariant(QStringLiteral(" 7.25 ")) << true;
        QTest::newRow("texto entero") << QVariant(QStringLiteral("12")) << false;
        QTest::newRow("medio redondea al par y es fracción") << QVariant(0.5) << true;
        QTest::newRow("límite de 16 bits entero") << QVariant(32767) << false;
        QTest::newRow("32767 y medio pasa el límite y es fracción") << QVariant(32767.5) << true;
        QTest::newRow("más allá de 16 bits, entero") << QVariant(70000) << false;
        QTest::newRow("más allá de 16 bits, con decimales") << QVariant(70000.5) << true;
        QTest::newRow("negativo más allá de 16 bits, con decimales") << QVariant(QStringLiteral("-40000.25")) << true;
        QTest::newRow("muy grande y entero") << QVariant(1e20) << false;
        QTest::newRow("texto sin número") << QVariant(QStringLiteral("abc")) << false;
        QTest::newRow("nulo") << QVariant() << false;
    }
    void numeroEsFraccion() {
        QFETCH(QVariant, numero);
        QFETCH(bool, fraccion);
        ClsCmnCptes c;
        QCOMPARE(c.NumeroEsFraccion(numero), fraccion);
    }
};

QTEST_MAIN(PruebaControles)
#include "test_controles.moc"
