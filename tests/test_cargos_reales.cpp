// The real-charges control: a customer's finished work orders against what
// their recorded work cost, the real-charge entries, the balance row, the
// colours and the date order; and the modal view that shows them.
#include "cmncptes/CargosReales.h"
#include "cmncptes/ClsCmnCptes.h"
#include "cmncptes/GrillaFlex.h"
#include "cmncptes/VistaGrilla.h"
#include "forms/FrmCtrlCargosReales.h"
#include "session/ClsConexion.h"
#include "session/ModGlobal.h"
#include "session/Modal.h"
#include "session/Trampa.h"
#include "support/Fixture.h"

#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTest>

namespace {

// A work order of customer `cuenta`: header, one task planned `previstos`
// minutes at `valorHora`, `cargados` minutes logged (none when empty),
// materials and other concepts (none when empty).
QString Orden(const QString& cuenta, const QString& id, int complemento, const QString& fecha, int previstos,
              const QString& valorHora, const QString& cargados, const QString& insumos = {}, const QString& otros = {},
              const QString& comentarios = QStringLiteral("Orden"), int anulada = 0, int finalizada = 1) {
    auto q = [](QString v) { return QLatin1Char('\'') + v.replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\''); };
    QString s = QStringLiteral("INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, Fecha, Cuenta, Anulada, FINALIZADA, "
                               "Importe, Comentarios) VALUES ('OT', '%1', %2, '%3', %4, %5, %6, 0, %7);\n")
                    .arg(id, QString::number(complemento), fecha, q(cuenta), QString::number(anulada),
                         QString::number(finalizada), q(comentarios));
    s += QStringLiteral("INSERT INTO V_MV_CPTETAREAS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IdTarea, Horas, ValorHora_S_IVA) "
                        "VALUES ('OT', '%1', %2, 'T001', %3, %4);\n")
             .arg(id, QString::number(complemento), QString::number(previstos), valorHora);
    if (!cargados.isEmpty())
        s += QStringLiteral("INSERT INTO V_MV_DIARIOS (IDTAREA, TC, IDCOMPROBANTE, IDCOMPLEMENTO, Minutos) "
                            "VALUES ('T001', 'OT', '%1', %2, %3);\n")
                 .arg(id, QString::number(complemento), cargados);
    if (!insumos.isEmpty())
        s += QStringLiteral("INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IMPORTE_S_IVA) "
                            "VALUES ('OT', '%1', %2, %3);\n")
                 .arg(id, QString::number(complemento), insumos);
    if (!otros.isEmpty())
        s += QStringLiteral("INSERT INTO V_MV_CPTE_Observ (TC, IDCOMPROBANTE, IDCOMPLEMENTO, TIPO_OBS, IMPORTE_S_IVA) "
                            "VALUES ('OT', '%1', %2, 'OC', %3), ('OT', '%1', %2, 'EN', 999);\n")
                 .arg(id, QString::number(complemento), otros);
    return s;
}

QString Cargo(const QString& cuenta, const QString& fecha, const QString& dh, const QString& importe,
              const QString& concepto = QStringLiteral("Cargo"), const QString& obs = QStringLiteral("NULL")) {
    QString c = cuenta, k = concepto;
    c.replace(QLatin1Char('\''), QLatin1String("''"));
    k.replace(QLatin1Char('\''), QLatin1String("''"));
    return QStringLiteral("INSERT INTO V_MV_CREALES (CUENTA, Fecha, Concepto, Debe_Haber, Importe, Observaciones) "
                          "VALUES ('%1', '%2', '%3', '%4', %5, %6);\n")
        .arg(c, fecha, k, dh, importe, obs);
}

// The grid as the view lays it out, filled for `cliente`.
struct Carga {
    GrillaFlex g;
    int sentencias = 0;
    explicit Carga(const QString& cliente) {
        g.SetCols(CargosReales::Columnas);
        g.SetRows(1);
        Trampa t(QStringLiteral("CargarDatos"));
        ConTrampa(t, [&](Trampa& tr) { sentencias = CargosReales::CargarDatos(g, cliente, tr); });
    }
    // Each data row as "col0|col1|col2|col4|col5|col6|col7|col9|colour".
    QStringList Filas() const {
        QStringList r;
        for (int f = 1; f < g.Rows(); ++f) {
            QStringList c;
            for (int k : {0, 1, 2, 4, 5, 6, 7, 9}) c << g.TextMatrix(f, k);
            const QColor color = g.CellBackColor(f, 0);
            c << (color == CargosReales::ColorExceso() ? QStringLiteral("amarillo")
                  : color == CargosReales::ColorSaldo() ? QStringLiteral("cian")
                  : color.isValid()                     ? color.name()
                                                        : QString());
            // Every cell of a painted row has the colour.
            for (int k = 1; k < g.Cols(); ++k)
                if (g.CellBackColor(f, k) != color) c << QStringLiteral("celda %1 sin pintar").arg(k);
            r << c.join(QLatin1Char('|'));
        }
        return r;
    }
};

const QString Z10(10, QLatin1Char('Z'));

} // namespace

class PruebaCargosReales : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void cargarDatos_data() {
        QTest::addColumn<QString>("semilla");
        QTest::addColumn<QString>("cliente");
        QTest::addColumn<QStringList>("filas");
        const QString c = QStringLiteral("C0001");
        QTest::newRow("cliente sin nada: solo el saldo 0")
            << Orden("C0002", "000100000101X", 0, "2024-06-01", 60, "100", "120") << c
            << QStringList{"|||||0||" + Z10 + "|cian"};
        QTest::newRow("120 minutos sobre 60 a 100: exceso 100, amarillo, saldo +100")
            << Orden(c, "000100000101X", 0, "2024-06-01", 60, "100", "120") << c
            << QStringList{"01/06/2024|000100000101X|Orden|100.00|200.00|100||20240601|amarillo",
                           "|||||100||" + Z10 + "|cian"};
        QTest::newRow("sin exceso: registrado = insumos + otros, sin pintar, saldo sin cambio")
            << Orden(c, "000100000101X", 0, "2024-06-01", 60, "100", "50", "30", "20") << c
            << QStringList{"01/06/2024|000100000101X|Orden|150.00|50.00|||20240601|", "|||||0||" + Z10 + "|cian"};
        QTest::newRow("insumos y otros en ambos lados del exceso")
            << Orden(c, "000100000101X", 0, "2024-06-01", 30, "100", "90", "12.5", "7.25") << c
            << QStringList{"01/06/2024|000100000101X|Orden|69.75|169.75|100||20240601|amarillo",
                           "|||||100||" + Z10 + "|cian"};
        QTest::newRow("D 50 y H 20 dan 30")
            << Cargo(c, "2024-06-05", "D", "50") + Cargo(c, "2024-06-09", "H", "20") << c
            << QStringList{"05/06/2024||Cargo|50.00||||20240605|", "09/06/2024||Cargo||20.00|||20240609|",
                           "|||||30||" + Z10 + "|cian"};
        QTest::newRow("importe Null cuenta 0")
            << Cargo(c, "2024-06-05", "D", "NULL") + Cargo(c, "2024-06-06", "D", "5") << c
            << QStringList{"05/06/2024||Cargo|0.00||||20240605|", "06/06/2024||Cargo|5.00||||20240606|",
                           "|||||5||" + Z10 + "|cian"};
        QTest::newRow("orden por fecha, el saldo al final")
            << Orden(c, "000100000102X", 0, "2024-06-20", 60, "100", "120") +
                   Orden(c, "000100000101X", 0, "2024-06-01", 60, "100", "60") + Cargo(c, "2024-06-25", "H", "40") +
                   Cargo(c, "2024-06-10", "D", "15.5")
            << c
            << QStringList{"01/06/2024|000100000101X|Orden|100.00|0.00|||20240601|",
                           "10/06/2024||Cargo|15.50||||20240610|",
                           "20/06/2024|000100000102X|Orden|100.00|200.00|100||20240620|amarillo",
                           "25/06/2024||Cargo||40.00|||20240625|", "|||||75.5||" + Z10 + "|cian"};
        QTest::newRow("complemento pegado al numero; anuladas y sin finalizar fuera")
            << Orden(c, "000100000101X", 2, "2024-06-01", 60, "100", {}) +
                   Orden(c, "000100000103X", 0, "2024-06-02", 60, "100", {}, {}, {}, "Anulada", 1) +
                   Orden(c, "000100000104X", 0, "2024-06-03", 60, "100", {}, {}, {}, "Abierta", 0, 0)
            << c << QStringList{"01/06/2024|000100000101X2|Orden|100.00|0.00|||20240601|", "|||||0||" + Z10 + "|cian"};
        const QString largo = QString::fromUtf8("Ñandú ąę 日本語 ") + QString(84, QLatin1Char('x'));
        QTest::newRow("cuenta con apostrofo, textos de 100 caracteres no latinos intactos")
            << Orden("D'Agostino", "000100000101X", 0, "2024-06-01", 60, "100", {}, {}, {}, largo) +
                   Cargo("D'Agostino", "2024-06-02", "D", "1", "Cargo d'obra") + Cargo(c, "2024-06-02", "D", "1")
            << "D'Agostino"
            << QStringList{"01/06/2024|000100000101X|" + largo + "|100.00|0.00|||20240601|",
                           "02/06/2024||Cargo d'obra|1.00||||20240602|", "|||||1||" + Z10 + "|cian"};
    }
    void cargarDatos() {
        QFETCH(QString, semilla);
        QFETCH(QString, cliente);
        QFETCH(QStringList, filas);
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, semilla);
        Carga carga(cliente);
        QCOMPARE(carga.Filas(), filas);
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    // With a decimal comma the display texts no longer read back as their
    // amounts ("1000,75" reads 1000): every comparison and the balance are
    // made on the amounts, the cells still show the regional texts.
    void comaDecimal() {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
        const QString c = QStringLiteral("C0001");
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno,
                            Orden(c, "000100000101X", 0, "2024-06-01", 60, "1000.5", "61", "0.25") +
                                Cargo(c, "2024-06-02", "D", "0.75"));
        Carga carga(c);
        // Charged 1000.50 + 0.25; recorded 1000.50 × 61 ÷ 60 = 1017.175 + 0.25 (shown
        // with two decimals, half to even).
        QCOMPARE(carga.Filas(), (QStringList{"01/06/2024|000100000101X|Orden|1000,75|1017,42|16,675||20240601|amarillo",
                                             "02/06/2024||Cargo|0,75||||20240602|", "|||||17,425||" + Z10 + "|cian"}));
    }

    // The statements: two, and per order its tasks, its minutes per task (one
    // grouped statement, whatever the number of tasks), its materials and its
    // other concepts. The minutes still go to their own task only, compared
    // without regard to case or trailing blanks.
    void sentencias() {
        const QString c = QStringLiteral("C0001");
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno,
                            Orden(c, "000100000101X", 0, "2024-06-01", 60, "100", "120") +
                                Orden(c, "000100000102X", 0, "2024-06-02", 60, "100", "10") +
                                "INSERT INTO V_MV_CPTETAREAS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IdTarea, Horas, ValorHora_S_IVA) "
                                "VALUES ('OT', '000100000102X', 0, 't002 ', 30, 60), ('OT', '000100000102X', 0, 'T003', 30, 60);\n"
                                "INSERT INTO V_MV_DIARIOS (IDTAREA, TC, IDCOMPROBANTE, IDCOMPLEMENTO, Minutos) VALUES "
                                "('T002', 'OT', '000100000102X', 0, 50), ('T002  ', 'OT', '000100000102X', 0, 10);\n");
        Carga carga(c);
        QCOMPARE(carga.sentencias, 2 + 2 * (1 + 1 + 2));
        // Order 102: T001 100 (10 logged), t002 30 (60 logged: 60 recorded), T003 30.
        QCOMPARE(carga.Filas().value(1), QStringLiteral("02/06/2024|000100000102X|Orden|160.00|60.00|||20240602|"));
    }

    void proporcion_data() {
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QString>("minutos");
        QTest::addColumn<QString>("resultado");
        QTest::newRow("120 minutos a 100") << "100" << "120" << "200";
        QTest::newRow("un minuto a 0.01: mitad a par hacia abajo") << "0.0006" << "50" << "0.0005";
        QTest::newRow("mitad a par hacia arriba") << "0.0018" << "50" << "0.0015";
        QTest::newRow("importe grande sin desborde") << "900000000000" << "600" << "9000000000000";
        QTest::newRow("negativo") << "-100" << "30" << "-50";
    }
    void proporcion() {
        QFETCH(QString, valor);
        QFETCH(QString, minutos);
        QFETCH(QString, resultado);
        QCOMPARE(CargosReales::Proporcion(Moneda::DesdeTexto(valor), Moneda::DesdeTexto(minutos), 60),
                 Moneda::DesdeTexto(resultado));
    }

    // --- the view ----------------------------------------------------------------------
    // Opened from the inquiry screen: on the open session (no second
    // connection), the ten columns, the rows, then closed with Aceptar.
    void vistaEnLaSesionAbierta() {
        const QString c = QStringLiteral("C0001");
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno,
                            Orden(c, "000100000101X", 0, "2024-06-01", 60, "100", "120") + Cargo(c, "2024-05-30", "D", "50"));
        const QString base = Conexion().ArchivoBaseDatos();
        EstableceLineaComandos(QStringLiteral("@DbName=otra.db;"));  // would be another database if it connected again
        QStringList encabezados, filas;
        QList<int> anchos;
        QString titulo, etiqueta;
        int resultado = -1;
        {
            Modal::GanchoTemporal gancho([&](QDialog* d) {
                auto* f = qobject_cast<FrmCtrlCargosReales*>(d);
                if (!f) return 0;
                titulo = f->windowTitle();
                etiqueta = f->Label1->text();
                for (int k = 0; k < f->MSFlexGrid1->Cols(); ++k) {
                    encabezados << f->MSFlexGrid1->TextMatrix(0, k);
                    anchos << f->MSFlexGrid1->ColWidth(k);
                }
                for (int r = 1; r < f->MSFlexGrid1->Rows(); ++r)
                    filas << f->MSFlexGrid1->TextMatrix(r, 0) + QLatin1Char('|') + f->MSFlexGrid1->TextMatrix(r, 6);
                // Hidden columns stay hidden in the view; Aceptar closes it.
                if (!f->Vista->isColumnHidden(8) || !f->Vista->isColumnHidden(9) || f->Vista->isColumnHidden(7)) return 0;
                f->show();
                QTest::mouseClick(f->Command1, Qt::LeftButton);
                resultado = f->result();
                return resultado;
            });
            ClsCmnCptes cmn;
            cmn.ControlDeCargosReales(c, QStringLiteral("MAT-1"));
        }
        QCOMPARE(resultado, int(QDialog::Accepted));  // Aceptar closed it
        QCOMPARE(titulo, QStringLiteral("Control de cargos Reales"));
        QCOMPARE(etiqueta, QStringLiteral("Control de Cargos Reales"));
        QCOMPARE(encabezados, (QStringList{"Fecha", "OT", "Concepto", QString::fromUtf8("Autorizó"), "Cargos", "Descargos",
                                           "Saldo", "Observaciones", "Id", "FechaInvertida"}));
        QVERIFY(anchos[2] > anchos[1] && anchos[1] > anchos[4] && anchos[4] > 0);
        QCOMPARE(anchos[8], 0);
        QCOMPARE(anchos[9], 0);
        QCOMPARE(filas, (QStringList{"30/05/2024|", "01/06/2024|100", "|150"}));
        QCOMPARE(Conexion().ArchivoBaseDatos(), base);
        QVERIFY(env.respondedor.errores.isEmpty());
        QVERIFY(env.respondedor.mensajes.isEmpty());
    }

    // Opened by another program: the view's load starts the session from the
    // command line.
    void vistaAbreSuPropiaSesion() {
        const QString c = QStringLiteral("C0001");
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, {}, false);
        if (env.RutaBase().isEmpty()) {
            // The server database, seeded through a connection of the test's own.
            Prueba::EjecutaEnServidor(env.BaseServidor(), {Cargo(c, "2024-06-05", "D", "50").trimmed().chopped(1)});
        } else {
            // Seed through a session of its own, then close it.
            Prueba::Entorno semilla(Prueba::Entorno::Datos::Ninguno, Cargo(c, "2024-06-05", "D", "50"));
            QFile::remove(env.RutaBase());
            QVERIFY(QFile::copy(semilla.RutaBase(), env.RutaBase()));
        }
        QVERIFY(!Conexion().Conectado());
        EstableceLineaComandos(env.Origen());
        FrmCtrlCargosReales f;
        f.Cliente = c;
        f.Form_Load();
        QVERIFY(Conexion().Conectado());
        if (!env.RutaBase().isEmpty()) QCOMPARE(Conexion().ArchivoBaseDatos(), env.RutaBase());
        QCOMPARE(f.MSFlexGrid1->Rows(), 3);
        QCOMPARE(f.MSFlexGrid1->TextMatrix(2, 6), QStringLiteral("50"));
    }

    // Resizing keeps the grid 240 twips narrower than the form and 1100
    // twips shorter, the label as wide as the grid, the button below the grid.
    void redimensiona_data() {
        QTest::addColumn<QSize>("tamano");
        QTest::newRow("grande") << QSize(1100, 700);
        QTest::newRow("pequeno") << QSize(500, 280);
    }
    void redimensiona() {
        QFETCH(QSize, tamano);
        Prueba::Entorno env;
        FrmCtrlCargosReales f;
        f.Cliente = QStringLiteral("C0001");
        f.Form_Load();
        f.resize(tamano);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        const int dpi = f.logicalDpiY();
        auto px = [&](int tw) { return VistaGrilla::TwipsAPixeles(tw, dpi); };
        QCOMPARE(f.Vista->width(), px(VistaGrilla::PixelesATwips(f.width(), dpi) - 240));
        QVERIFY(qAbs(f.Vista->height() - px(VistaGrilla::PixelesATwips(f.height(), dpi) - 1100)) <= 2);
        QCOMPARE(f.Label1->width(), f.Vista->width());
        QVERIFY(f.Command1->geometry().top() > f.Vista->geometry().bottom());
        QVERIFY(f.Command1->geometry().bottom() < f.height());
        QVERIFY(f.Vista->geometry().top() > f.Label1->geometry().bottom());
    }
};

QTEST_MAIN(PruebaCargosReales)
#include "test_cargos_reales.moc"
