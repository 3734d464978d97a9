// The lot and serial dialog as the user drives it: entries typed unit by unit,
// exits proposed from the stock positions, the editor's keys, the quantity
// checks and their messages, acceptance with its adjustment question, the
// column tools (copy, clear, paste, serials counted on) and what the caller
// gets back in every way the dialog can end.
#include "cmncptes/ClsCmnCptes.h"
#include "cmncptes/EdicionSerieLote.h"
#include "cmncptes/GrillaFlex.h"
#include "cmncptes/ListaSerieLote.h"
#include "cmncptes/VistaGrilla.h"
#include "forms/FrmCargaLotesySeries.h"
#include "session/Modal.h"
#include "support/Fixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace {

using Accion = std::function<void(FrmCargaLotesySeries&)>;
const QChar Sep = ListaSerieLote::SeparadorLoteSerie;

// Articles of the tests: by lot, by serial, by both; stock of the lot one in
// two lots of 5 units, of the both one in three positions.
const QString Semilla = QStringLiteral(
    "INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, USASERIE, USALOTE) VALUES "
    "('ART-L', 'Artículo por lote', 0, 1), ('ART-S', 'Artículo por serie', 1, 0), "
    "('ART-SL', 'Artículo por serie y lote', 1, 1);\n"
    "INSERT INTO V_MV_STOCK (TC, IdComprobante, IdDeposito, IdArticulo, NroLote, NroSerie, Cantidad, IdPosicion) VALUES "
    "('AJS', '000100000001X', '0001', 'ART-L', 'L1', NULL, 5, 'A-1'), "
    "('AJS', '000100000001X', '0001', 'ART-L', 'L2', NULL, 5, 'A-2'), "
    "('AJS', '000100000001X', '0001', 'ART-SL', 'L7', 'S1', 1, 'B-1'), "
    "('AJS', '000100000001X', '0001', 'ART-SL', 'L7', 'S2', 1, 'B-1'), "
    "('AJS', '000100000001X', '0001', 'ART-SL', 'L8', 'S3', 1, 'B-2');\n");

struct Entrada {
    bool abierto = false;
    QString series, lotes;
};

// Opens the entry dialog with a hook that runs `accion` on it.
Entrada PideEntrada(const QString& articulo, double cantidad, bool serie, bool lote, const Accion& accion,
                    const QString& serieAnt = {}, const QString& loteAnt = {}) {
    Entrada r;
    Modal::GanchoTemporal gancho([&](QDialog* d) {
        auto* frm = dynamic_cast<FrmCargaLotesySeries*>(d);
        if (!frm) return -1;
        r.abierto = true;
        accion(*frm);
        return d->result();
    });
    ClsCmnCptes cmn;
    cmn.PideSerieLote(articulo, cantidad, serieAnt, loteAnt, r.series, r.lotes, serie, lote);
    return r;
}

struct Salida {
    bool abierto = false;
    double cantidad = 0;
    QString pares, cantidades;
};

Salida PideSalida(const QString& articulo, double cantidad, bool lote, bool serie, const Accion& accion,
                  const QString& paresAnt = {}, const QString& cantidadesAnt = {}) {
    Salida r;
    r.cantidad = cantidad;
    Modal::GanchoTemporal gancho([&](QDialog* d) {
        auto* frm = dynamic_cast<FrmCargaLotesySeries*>(d);
        if (!frm) return -1;
        r.abierto = true;
        accion(*frm);
        return d->result();
    });
    ClsCmnCptes cmn;
    cmn.PideSerieLote_Salidas(articulo, QStringLiteral("Descripción"), r.cantidad, paresAnt, cantidadesAnt, r.pares,
                              r.cantidades, lote, serie);
    return r;
}

// Types a value into the grid's current cell as the user does: the first key
// on the grid opens the editor, the rest go into it, then `fin` (Enter).
void Teclea(FrmCargaLotesySeries& f, const QString& valor, Qt::Key fin = Qt::Key_Return) {
    QTest::keyClick(f.Vista, valor.at(0).toLatin1());
    QTest::keyClicks(f.TxtEdit, valor.mid(1));
    QTest::keyClick(f.TxtEdit, fin);
}

QStringList Columna(const GrillaFlex* g, int col) {
    QStringList r;
    for (int f = g->FixedRows(); f < g->Rows(); ++f) r << g->TextMatrix(f, col);
    return r;
}

QStringList Textos(const QList<Dialogos::Mensaje>& m) {
    QStringList r;
    for (const auto& x : m) r << x.texto;
    return r;
}

} // namespace

class PruebaLotes : public QObject {
    Q_OBJECT
private slots:
    // --- column tools on the grid data ------------------------------------------
    void serieSiguiente_data() {
        QTest::addColumn<QString>("serie");
        QTest::addColumn<qint64>("paso");
        QTest::addColumn<QString>("esperada");
        QTest::newRow("keeps its width") << "SN0099" << qint64(1) << "SN0100";
        QTest::newRow("grows past its width") << "A9" << qint64(1) << "A10";
        QTest::newRow("all digits") << "999" << qint64(2) << "1001";
        QTest::newRow("several places on") << "SN-0007" << qint64(5) << "SN-0012";
        QTest::newRow("blanks around") << "  x01 " << qint64(1) << "x02";
        QTest::newRow("number longer than 64 bits") << "S99999999999999999999999" << qint64(1) << "S100000000000000000000000";
        QTest::newRow("no trailing digit") << "SN01A" << qint64(1) << "";
        QTest::newRow("blank") << "" << qint64(1) << "";
    }
    void serieSiguiente() {
        QFETCH(QString, serie);
        QFETCH(qint64, paso);
        QFETCH(QString, esperada);
        QCOMPARE(EdicionSerieLote::SerieSiguiente(serie, paso), esperada);
    }

    void lineasPegadas_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QStringList>("valores");
        QTest::newRow("spreadsheet column, CR LF") << "A1\r\nA2\r\n" << QStringList{"A1", "A2"};
        QTest::newRow("scanner lines, LF, no closing break") << "S1\nS2\nS3" << QStringList{"S1", "S2", "S3"};
        QTest::newRow("several cells take the first") << "L1\tx\nL2\ty\n" << QStringList{"L1", "L2"};
        QTest::newRow("blank line in the middle stays") << " a \n\nb\n" << QStringList{"a", "", "b"};
        QTest::newRow("one value") << "ONLY" << QStringList{"ONLY"};
        QTest::newRow("old Mac CR line ends") << "R1\rR2\r" << QStringList{"R1", "R2"};
        // Found by fuzzing: a lone surrogate kept the text from being split.
        QTest::newRow("lone surrogate does not stop the split")
            << QStringLiteral("N0") + QChar(0xDE20) + QStringLiteral("\r0S\n")
            << QStringList{QStringLiteral("N0") + QChar(0xDE20), "0S"};
    }
    void lineasPegadas() {
        QFETCH(QString, texto);
        QFETCH(QStringList, valores);
        QCOMPARE(EdicionSerieLote::LineasPegadas(texto), valores);
    }

    void buscaRepetido() {
        GrillaFlex g;
        g.SetCols(3);
        g.SetRows(6);
        const QStringList valores{"S1", "-", " s2 ", "", "S2"};
        for (int i = 0; i < valores.size(); ++i) g.SetTextMatrix(i + 1, 2, valores[i]);
        auto rep = EdicionSerieLote::BuscaRepetido(g, 2);
        QVERIFY(rep.hay);
        QCOMPARE(rep.valor, QStringLiteral("S2"));
        QCOMPARE(rep.fila1, 3);
        QCOMPARE(rep.fila2, 5);
        g.SetTextMatrix(5, 2, QStringLiteral("-"));  // blank-row pieces are no serial
        QVERIFY(!EdicionSerieLote::BuscaRepetido(g, 2).hay);
    }

    // --- entry mode -------------------------------------------------------------------
    void entradaTresSeries() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, Semilla);
        QString titulo, encabezado, etiqueta;
        QStringList items;
        auto r = PideEntrada(QStringLiteral("ART-S"), 3, true, false, [&](FrmCargaLotesySeries& f) {
            titulo = f.windowTitle();
            encabezado = f.MSFlexGrid1->TextMatrix(0, 2);
            etiqueta = f.lblArticulo->text();
            items = Columna(f.MSFlexGrid1, 1);
            QVERIFY(f.Vista->isColumnHidden(0));
            QVERIFY(f.Vista->isColumnHidden(3));
            for (const char* s : {"A", "B", "C"}) Teclea(f, QString::fromLatin1(s));
            f.CmdAceptar->click();
        });
        QVERIFY(r.abierto);
        QCOMPARE(titulo, QStringLiteral("Números de Serie "));
        QCOMPARE(encabezado, QStringLiteral("Número de Serie"));
        QCOMPARE(etiqueta, QStringLiteral("ART-S"));
        QCOMPARE(items, (QStringList{"1", "2", "3"}));
        QCOMPARE(r.series, QStringLiteral("|A|B|C|"));
        QCOMPARE(r.lotes, QString());
    }

    void entradaListas_data() {
        QTest::addColumn<bool>("serie");
        QTest::addColumn<bool>("lote");
        QTest::addColumn<QStringList>("col2");
        QTest::addColumn<QStringList>("col3");
        QTest::addColumn<QString>("series");
        QTest::addColumn<QString>("lotes");
        QTest::newRow("lot only, blank row written as -") << false << true << QStringList{"L1", "", "L1"} << QStringList{}
                                                          << "" << "|L1|-|L1|";
        QTest::newRow("both: lots from column 2, serials from 3")
            << true << true << QStringList{"L1", "L1", "L2"} << QStringList{"S1", "", "S3"} << "|S1|-|S3|" << "|L1|L1|L2|";
        QTest::newRow("nothing typed gives - pieces") << true << false << QStringList{"", "", ""} << QStringList{}
                                                      << "|-|-|-|" << "";
    }
    void entradaListas() {
        QFETCH(bool, serie);
        QFETCH(bool, lote);
        QFETCH(QStringList, col2);
        QFETCH(QStringList, col3);
        QFETCH(QString, series);
        QFETCH(QString, lotes);
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, Semilla);
        auto r = PideEntrada(QStringLiteral("ART-SL"), 3, serie, lote, [&](FrmCargaLotesySeries& f) {
            for (int i = 0; i < col2.size(); ++i) f.MSFlexGrid1->SetTextMatrix(i + 1, 2, col2[i]);
            for (int i = 0; i < col3.size(); ++i) f.MSFlexGrid1->SetTextMatrix(i + 1, 3, col3[i]);
            f.CmdAceptar->click();
        });
        QVERIFY(env.respondedor.mensajes.isEmpty());
        QCOMPARE(r.series, series);
        QCOMPARE(r.lotes, lotes);
    }

    void entradaAmbosPorTeclado() {
        // Enter walks lot, serial, next row's lot.
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, Semilla);
        auto r = PideEntrada(QStringLiteral("ART-SL"), 2, true, true, [&](FrmCargaLotesySeries& f) {
            QCOMPARE(f.windowTitle(), QStringLiteral("Números de Serie y Lote"));
            for (const char* s : {"L1", "S1", "L2", "S2"}) Teclea(f, QString::fromLatin1(s));
            QCOMPARE(f.MSFlexGrid1->Row(), 2);
            QCOMPARE(f.MSFlexGrid1->Col(), 2);  // the last cell's Enter stays on the last row
            f.CmdAceptar->click();
        });
        QCOMPARE(r.lotes, QStringLiteral("|L1|L2|"));
        QCOMPARE(r.series, QStringLiteral("|S1|S2|"));
    }

    void teclasDelEditor() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, Semilla);
        PideEntrada(QStringLiteral("ART-S"), 3, true, false, [&](FrmCargaLotesySeries& f) {
            GrillaFlex* g = f.MSFlexGrid1;
            // A letter on the item column opens nothing.
            f.MueveA(1, 1);
            QTest::keyClick(f.Vista, 'x');
            QVERIFY(!f.TxtEdit->isVisible());
            // Escape drops what was typed.
            f.MueveA(1, 2);
            g->SetTextMatrix(1, 2, QStringLiteral("KEEP"));
            QTest::keyClick(f.Vista, 'z');
            QVERIFY(f.TxtEdit->isVisible());
            QCOMPARE(f.TxtEdit->text(), QStringLiteral("z"));
            QTest::keyClick(f.TxtEdit, Qt::Key_Escape);
            QVERIFY(!f.TxtEdit->isVisible());
            QVERIFY(f.isVisible());  // Escape in the editor does not close the dialog
            QCOMPARE(g->TextMatrix(1, 2), QStringLiteral("KEEP"));
            // Enter on the grid opens the editor on the cell's text.
            QTest::keyClick(f.Vista, Qt::Key_Return);
            QCOMPARE(f.TxtEdit->text(), QStringLiteral("KEEP"));
            QTest::keyClick(f.TxtEdit, Qt::Key_Escape);
            // Down commits and moves to the next row, column 0; Up one row up.
            QTest::keyClick(f.Vista, 'd');
            QTest::keyClick(f.TxtEdit, Qt::Key_Down);
            QCOMPARE(g->TextMatrix(1, 2), QStringLiteral("d"));
            QCOMPARE(g->Row(), 2);
            QCOMPARE(g->Col(), 0);
            f.MueveA(3, 2);
            QTest::keyClick(f.Vista, 'u');
            QTest::keyClick(f.TxtEdit, Qt::Key_Up);
            QCOMPARE(g->TextMatrix(3, 2), QStringLiteral("u"));
            QCOMPARE(g->Row(), 2);
            QCOMPARE(g->Col(), 2);
            // Enter on the last row's last column moves to column 1.
            f.MueveA(3, 2);
            Teclea(f, QStringLiteral("e"));
            QCOMPARE(g->Row(), 3);
            QCOMPARE(g->Col(), 1);
            // Leaving the cell with the editor open commits into the cell it was opened on.
            f.MueveA(1, 2);
            QTest::keyClick(f.Vista, 'm');
            f.MueveA(2, 2);
            QVERIFY(!f.TxtEdit->isVisible());
            QCOMPARE(g->TextMatrix(1, 2), QStringLiteral("m"));
            QCOMPARE(g->TextMatrix(2, 2), QString());
            f.reject();
        });
    }

    void serieRepetidaRechazada() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, Semilla);
        bool sigueAbierto = false;
        auto r = PideEntrada(QStringLiteral("ART-S"), 3, true, false, [&](FrmCargaLotesySeries& f) {
            for (const char* s : {"SN1", "SN2", "sn1"}) Teclea(f, QString::fromLatin1(s));
            f.CmdAceptar->click();
            sigueAbierto = f.isVisible() && !f.Aceptado();
            QCOMPARE(f.MSFlexGrid1->Row(), 3);
            f.MSFlexGrid1->SetTextMatrix(3, 2, QStringLiteral("SN3"));
            f.CmdAceptar->click();
        });
        QVERIFY(sigueAbierto);
        QCOMPARE(env.respondedor.mensajes.size(), 1);
        const auto& m = env.respondedor.mensajes[0];
        QVERIFY2(m.texto.contains(QStringLiteral("sn1")) && m.texto.contains(QStringLiteral("ítems 1 y 3")), qPrintable(m.texto));
        QCOMPARE(m.icono, Dialogos::Icono::Critico);
        QCOMPARE(r.series, QStringLiteral("|SN1|SN2|SN3|"));
    }

    void lotesPuedenRepetirse() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, Semilla);
        auto r = PideEntrada(QStringLiteral("ART-L"), 2, false, true, [&](FrmCargaLotesySeries& f) {
            Teclea(f, QStringLiteral("L1"));
            Teclea(f, QStringLiteral("L1"));
            f.CmdAceptar->click();
        });
        QVERIFY(env.respondedor.mensajes.isEmpty());
        QCOMPARE(r.lotes, QStringLiteral("|L1|L1|"));
    }

    void botonesDeColumna() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, Semilla);
        PideEntrada(QStringLiteral("ART-S"), 5, true, false, [&](FrmCargaLotesySeries& f) {
            GrillaFlex* g = f.MSFlexGrid1;
            g->SetTextMatrix(1, 2, QStringLiteral("ABOVE"));
            g->SetTextMatrix(2, 2, QStringLiteral(" SN0099 "));
            f.MueveA(2, 2);
            f.BotonesToolbar[0]->trigger();
            QCOMPARE(Columna(g, 2), (QStringList{"ABOVE", " SN0099 ", "SN0099", "SN0099", "SN0099"}));
            f.BotonesToolbar[2]->trigger();
            QCOMPARE(Columna(g, 2), (QStringList{"ABOVE", " SN0099 ", "SN0100", "SN0101", "SN0102"}));
            f.BotonesToolbar[1]->trigger();
            QCOMPARE(Columna(g, 2), (QStringList{"ABOVE", " SN0099 ", "", "", ""}));
            // Never on a column the user does not type into.
            f.MueveA(2, 1);
            f.BotonesToolbar[0]->trigger();
            QCOMPARE(Columna(g, 1), (QStringList{"1", "2", "3", "4", "5"}));
            // A value without a trailing number: told so, nothing written.
            g->SetTextMatrix(2, 2, QStringLiteral("NUMBERLESS"));
            f.MueveA(2, 2);
            f.BotonesToolbar[2]->trigger();
            QCOMPARE(g->TextMatrix(3, 2), QString());
            QCOMPARE(env.respondedor.mensajes.size(), 1);
            QCOMPARE(f.BotonesToolbar[0]->toolTip(), QStringLiteral("Llenar las demas celdas con el valor de las seleccionadas"));
            QCOMPARE(f.BotonesToolbar[1]->toolTip(), QStringLiteral("Blanquear las Celdas a partir de la celda seleccionada"));
            f.reject();
        });
    }

    void columnaPegada() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, Semilla);
        auto r = PideEntrada(QStringLiteral("ART-S"), 4, true, false, [&](FrmCargaLotesySeries& f) {
            f.MSFlexGrid1->SetTextMatrix(1, 2, QStringLiteral("FIRST"));
            f.MueveA(2, 2);
            QApplication::clipboard()->setText(QStringLiteral("P'1\r\nΣ-2\r\n%1\r\nOVER\r\n").arg(QString(40, QLatin1Char('x'))));
            QTest::keyClick(f.Vista, Qt::Key_V, Qt::ControlModifier);
            f.CmdAceptar->click();
        });
        // Three rows left from row 2: the fourth value is told about; a value
        // is cut to the 25 characters a lot or serial holds.
        QCOMPARE(Textos(env.respondedor.mensajes),
                 QStringList{QStringLiteral("Se pegaron 3 valores; los 1 restantes no tienen fila en la grilla.")});
        QCOMPARE(r.series, QStringLiteral("|FIRST|P'1|Σ-2|%1|").arg(QString(25, QLatin1Char('x'))));
    }

    void listaAnteriorMasLarga() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, Semilla);
        int mensajesAlAbrir = -1;
        QStringList filas;
        auto r = PideEntrada(
            QStringLiteral("ART-S"), 2, true, false,
            [&](FrmCargaLotesySeries& f) {
                mensajesAlAbrir = static_cast<int>(env.respondedor.mensajes.size());
                filas = Columna(f.MSFlexGrid1, 2);
                f.CmdAceptar->click();
            },
            QStringLiteral("|A|B|C|D|"));
        QCOMPARE(mensajesAlAbrir, 1);  // told before the dialog shows
        QVERIFY(env.respondedor.errores.isEmpty());
        QVERIFY2(env.respondedor.mensajes[0].texto.contains(QStringLiteral("C, D")), qPrintable(env.respondedor.mensajes[0].texto));
        QCOMPARE(filas, (QStringList{"A", "B"}));
        QCOMPARE(r.series, QStringLiteral("|A|B|"));
    }

    void cerrarSinAceptar() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, Semilla);
        auto e = PideEntrada(
            QStringLiteral("ART-SL"), 2, true, true,
            [&](FrmCargaLotesySeries& f) {
                Teclea(f, QStringLiteral("CHANGED"));
                f.close();
            },
            QStringLiteral("|S1|S2|"), QStringLiteral("|L1|L2|"));
        QCOMPARE(e.series, QStringLiteral("|S1|S2|"));
        QCOMPARE(e.lotes, QStringLiteral("|L1|L2|"));

        const QString pares = QStringLiteral("|L1") + Sep + QStringLiteral("|");
        auto s = PideSalida(
            QStringLiteral("ART-L"), 3, true, false,
            [&](FrmCargaLotesySeries& f) {
                f.MSFlexGrid1->SetTextMatrix(2, 3, QStringLiteral("5"));
                QTest::keyClick(f.Vista, Qt::Key_Escape);  // Escape on the grid closes the dialog
            },
            pares, QStringLiteral("|3|"));
        QVERIFY(s.abierto);
        QCOMPARE(s.pares, pares);
        QCOMPARE(s.cantidades, QStringLiteral("|3|"));
        QCOMPARE(s.cantidad, 3.0);
        QVERIFY(env.respondedor.mensajes.isEmpty());
    }

    void cantidadCero() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, Semilla);
        auto e = PideEntrada(QStringLiteral("ART-S"), 0, true, false, [](FrmCargaLotesySeries&) {}, QStringLiteral("|A|"));
        QVERIFY(!e.abierto);
        QCOMPARE(e.series, QString());
        auto s = PideSalida(QStringLiteral("ART-L"), 0, true, false, [](FrmCargaLotesySeries&) {});
        QVERIFY(!s.abierto);
    }

    // --- exit mode ------------------------------------------------------------------------
    void salidaPropuesta() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, Semilla);
        QStringList lotes, stock, propuesta;
        QString etiqueta;
        auto r = PideSalida(QStringLiteral("ART-L"), 7, true, false, [&](FrmCargaLotesySeries& f) {
            lotes = Columna(f.MSFlexGrid1, 0);
            stock = Columna(f.MSFlexGrid1, 2);
            propuesta = Columna(f.MSFlexGrid1, 3);
            etiqueta = f.lblArticulo->text();
            QVERIFY(f.Vista->isColumnHidden(1));
            QVERIFY(!f.Vista->isColumnHidden(0));
            QVERIFY(!f.BotonesToolbar[2]->isEnabled());
            f.CmdAceptar->click();
        });
        QCOMPARE(lotes, (QStringList{"L1", "L2"}));
        QCOMPARE(stock, (QStringList{"5", "5"}));
        QCOMPARE(propuesta, (QStringList{"5", "2"}));
        QCOMPARE(etiqueta, QStringLiteral("ART-L - Descripción"));
        QCOMPARE(r.pares, QStringLiteral("|L1%1|L2%1|").arg(Sep));
        QCOMPARE(r.cantidades, QStringLiteral("|5|2|"));
        QCOMPARE(r.cantidad, 7.0);
        QVERIFY(env.respondedor.mensajes.isEmpty());
    }

    void salidaConEleccionAnterior() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, Semilla);
        QStringList propuesta;
        PideSalida(
            QStringLiteral("ART-SL"), 2, true, true,
            [&](FrmCargaLotesySeries& f) {
                propuesta = Columna(f.MSFlexGrid1, 3);
                f.reject();
            },
            QStringLiteral("|l8%1S3|L7%1S1|").arg(Sep), QStringLiteral("|1|1|"));
        // Each position takes its own quantity back; one not chosen before shows 0.
        QCOMPARE(propuesta, (QStringList{"1", "0", "1"}));
    }

    void salidaMismaPosicionEnDosDepositos() {
        // The same lot in two deposits is one row with the sum of both, the
        // stock the quantity is checked against.
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno,
                            Semilla + QStringLiteral("INSERT INTO V_MV_STOCK (TC, IdComprobante, IdDeposito, IdArticulo, NroLote, "
                                                     "Cantidad) VALUES ('AJS', '000100000001X', '0002', 'ART-L', 'L1', 3);\n"));
        QStringList stock;
        PideSalida(QStringLiteral("ART-L"), 8, true, false, [&](FrmCargaLotesySeries& f) {
            stock = Columna(f.MSFlexGrid1, 2);
            f.MueveA(1, 3);
            Teclea(f, QStringLiteral("8"));
            f.reject();
        });
        QCOMPARE(stock, (QStringList{"8", "5"}));
        QVERIFY(env.respondedor.mensajes.isEmpty());
    }

    void cantidadRechazada_data() {
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<int>("error");
        QTest::newRow("above the position's stock") << "6" << "La Cantidad supera a la cantidad disponible en Stock" << 0;
        QTest::newRow("negative") << "-1" << "La Cantidad no puede ser Menor a Cero" << 0;
        QTest::newRow("fractional") << "2.5" << "No Puede Informase Cantidades que no Sean Enteras" << 0;
        QTest::newRow("fractional with comma") << "2,5" << "No Puede Informase Cantidades que no Sean Enteras" << 0;
        QTest::newRow("text is a type mismatch") << "2x" << "" << 13;
    }
    void cantidadRechazada() {
        QFETCH(QString, tecleado);
        QFETCH(QString, mensaje);
        QFETCH(int, error);
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, Semilla);
        PideSalida(QStringLiteral("ART-L"), 5, true, false, [&](FrmCargaLotesySeries& f) {
            f.MueveA(1, 3);
            // A digit on the stock column opens nothing.
            f.MueveA(1, 2);
            QTest::keyClick(f.Vista, '1');
            QVERIFY(!f.TxtEdit->isVisible());
            f.MueveA(1, 3);
            f.MSFlexGrid1->SetTextMatrix(1, 3, QString());
            QTest::keyClick(f.Vista, tecleado.at(0).toLatin1());
            f.TxtEdit->setText(tecleado);  // what the key filter lets through is tested apart
            QTest::keyClick(f.TxtEdit, Qt::Key_Return);
            // Refused: the editor stays open on its cell, nothing committed.
            QVERIFY(f.CantidadInvalida);
            QVERIFY(f.TxtEdit->isVisible());
            QCOMPARE(f.FilaEdicion(), 1);
            QCOMPARE(f.ColEdicion(), 3);
            QCOMPARE(f.MSFlexGrid1->TextMatrix(1, 3), QString());
            // A valid value then goes through.
            f.TxtEdit->setText(QStringLiteral("4"));
            QTest::keyClick(f.TxtEdit, Qt::Key_Return);
            QVERIFY(!f.TxtEdit->isVisible());
            QCOMPARE(f.MSFlexGrid1->TextMatrix(1, 3), QStringLiteral("4"));
            f.reject();
        });
        if (error) {
            QCOMPARE(env.respondedor.errores.size(), 1);
            QCOMPARE(env.respondedor.errores[0].numero, error);
            QCOMPARE(env.respondedor.errores[0].procedimiento, QStringLiteral("CampoValida"));
            QVERIFY(env.respondedor.mensajes.isEmpty());
        } else {
            QCOMPARE(Textos(env.respondedor.mensajes), QStringList{mensaje});
            QCOMPARE(env.respondedor.mensajes[0].titulo, QStringLiteral("Aviso al Operador"));
            QCOMPARE(env.respondedor.mensajes[0].icono, Dialogos::Icono::Critico);
            QVERIFY(env.respondedor.errores.isEmpty());
        }
    }

    void filtroDeTeclasEnCantidad() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, Semilla);
        PideSalida(QStringLiteral("ART-L"), 5, true, false, [&](FrmCargaLotesySeries& f) {
            f.MueveA(2, 3);
            QTest::keyClick(f.Vista, '2');
            QTest::keyClicks(f.TxtEdit, QStringLiteral("a'3"));
            QCOMPARE(f.TxtEdit->text(), QStringLiteral("23"));
            QTest::keyClick(f.TxtEdit, Qt::Key_Escape);
            f.reject();
        });
    }

    void ajusteAlAceptar_data() {
        QTest::addColumn<QString>("fila1");
        QTest::addColumn<QString>("fila2");
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<QString>("primeraLinea");
        QTest::addColumn<bool>("cerrado");
        QTest::addColumn<double>("cantidad");
        const QString supera = QStringLiteral("La suma de las cantidades Informadas, supera a la solicitada en el Formulario de Carga de Datos");
        const QString menor = QStringLiteral("La suma de las cantidades Informadas, Es Menor a la solicitada en el Formulario de Carga de Datos");
        QTest::newRow("more, yes adjusts the quantity") << "5" << "3" << int(Dialogos::Si) << supera << true << 8.0;
        QTest::newRow("more, no stays in the dialog") << "5" << "3" << int(Dialogos::No) << supera << false << 7.0;
        QTest::newRow("less, yes adjusts the quantity") << "5" << "" << int(Dialogos::Si) << menor << true << 5.0;
    }
    void ajusteAlAceptar() {
        QFETCH(QString, fila1);
        QFETCH(QString, fila2);
        QFETCH(int, respuesta);
        QFETCH(QString, primeraLinea);
        QFETCH(bool, cerrado);
        QFETCH(double, cantidad);
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, Semilla);
        env.respondedor.respuestasMensajes = {respuesta};
        bool visibleTrasAceptar = false;
        auto r = PideSalida(QStringLiteral("ART-L"), 7, true, false, [&](FrmCargaLotesySeries& f) {
            f.MSFlexGrid1->SetTextMatrix(1, 3, fila1);
            f.MSFlexGrid1->SetTextMatrix(2, 3, fila2);
            f.CmdAceptar->click();
            visibleTrasAceptar = f.isVisible();
        });
        QCOMPARE(visibleTrasAceptar, !cerrado);
        QVERIFY(env.respondedor.mensajes.size() >= 1);
        const auto& q = env.respondedor.mensajes[0];
        QCOMPARE(q.texto, primeraLinea + QStringLiteral("\r\n¿Desea Ajustar la Cantidad Solicitada en el Formulario?"));
        QCOMPARE(q.titulo, QStringLiteral("Aviso al Operador!!!"));
        QCOMPARE(q.botones, Dialogos::Botones::SiNo);
        QCOMPARE(q.icono, Dialogos::Icono::Pregunta);
        QCOMPARE(r.cantidad, cantidad);
        if (cerrado) {
            QCOMPARE(env.respondedor.mensajes.size(), 1);
            QCOMPARE(r.cantidades, QStringLiteral("|%1|%2|").arg(fila1, fila2.isEmpty() ? QStringLiteral("-") : fila2));
        } else {
            QCOMPARE(env.respondedor.mensajes.size(), 2);
            QCOMPARE(env.respondedor.mensajes[1].texto, QStringLiteral("Debe Ajustar la suma de las cantidades a :7"));
            QCOMPARE(env.respondedor.mensajes[1].icono, Dialogos::Icono::Critico);
            QCOMPARE(r.cantidades, QString());  // nothing chosen before, nothing handed back
        }
    }

    void cantidadesRevisadasAlAceptar() {
        // A quantity left in a cell by the mouse (committed unchecked) is
        // checked before the lists are built.
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, Semilla);
        bool abierto = false;
        auto r = PideSalida(QStringLiteral("ART-L"), 7, true, false, [&](FrmCargaLotesySeries& f) {
            f.MSFlexGrid1->SetTextMatrix(1, 3, QStringLiteral("1"));
            f.MSFlexGrid1->SetTextMatrix(2, 3, QStringLiteral("6"));
            f.CmdAceptar->click();
            abierto = f.isVisible();
            QCOMPARE(f.MSFlexGrid1->Row(), 2);
            f.reject();
        });
        QVERIFY(abierto);
        QCOMPARE(Textos(env.respondedor.mensajes), QStringList{QStringLiteral("La Cantidad supera a la cantidad disponible en Stock")});
        QCOMPARE(r.cantidades, QString());
    }

    void saldoCambiado() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, Semilla);
        QColor fondo;
        QString stockMostrado;
        PideSalida(QStringLiteral("ART-L"), 7, true, false, [&](FrmCargaLotesySeries& f) {
            // Another workstation takes 2 units of L1 meanwhile.
            env.Ejecuta(QStringLiteral("INSERT INTO V_MV_STOCK (TC, IdComprobante, IdDeposito, IdArticulo, NroLote, Cantidad) "
                                       "VALUES ('FC', '000100000099A', '0001', 'ART-L', 'L1', -2)"));
            f.MueveA(1, 3);
            Teclea(f, QStringLiteral("4"));
            // Checked against the new stock (3): refused, editor still open.
            QVERIFY(f.TxtEdit->isVisible());
            stockMostrado = f.MSFlexGrid1->TextMatrix(1, 2);
            fondo = f.MSFlexGrid1->CellBackColor(1, 2);
            QCOMPARE(f.MSFlexGrid1->Col(), 2);
            f.TxtEdit->setText(QStringLiteral("3"));
            QTest::keyClick(f.TxtEdit, Qt::Key_Return);
            QCOMPARE(f.MSFlexGrid1->TextMatrix(1, 3), QStringLiteral("3"));
            f.reject();
        });
        QCOMPARE(stockMostrado, QStringLiteral("3"));
        QCOMPARE(fondo, QColor(255, 255, 0));
        QCOMPARE(Textos(env.respondedor.mensajes),
                 (QStringList{QStringLiteral("Atención han cambiado los saldos del Articulo Solicitado"),
                              QStringLiteral("La Cantidad supera a la cantidad disponible en Stock")}));
        QCOMPARE(env.respondedor.mensajes[0].titulo, QStringLiteral("Aviso al operador"));
        QCOMPARE(env.respondedor.mensajes[0].icono, Dialogos::Icono::Exclamacion);
    }

    void salidaSinStock() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, Semilla);
        int filas = -1;
        auto r = PideSalida(QStringLiteral("ART-S"), 1, false, true, [&](FrmCargaLotesySeries& f) {
            filas = f.MSFlexGrid1->Rows();
            QTest::keyClick(f.Vista, '1');  // nothing to edit under the header
            QVERIFY(!f.TxtEdit->isVisible());
            f.CmdAceptar->click();
        });
        QCOMPARE(filas, 1);
        QVERIFY(env.respondedor.mensajes[0].texto.startsWith(QStringLiteral("La suma de las cantidades Informadas, Es Menor")));
        QCOMPARE(r.cantidad, 1.0);  // the default answer (No) keeps it
    }

    void textosRaros() {
        // Apostrophes, long texts and other scripts in article, lot and serial
        // reach the statements as plain values.
        const QString lote = QStringLiteral("L'Ñandú-日本");
        const QString serie = QStringLiteral("S'") + QString(23, QChar(0x0416));
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno,
                            QStringLiteral("INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, USASERIE, USALOTE) VALUES "
                                           "('D''AL-1', 'x', 1, 1);\n"
                                           "INSERT INTO V_MV_STOCK (TC, IdComprobante, IdDeposito, IdArticulo, NroLote, NroSerie, "
                                           "Cantidad) VALUES ('AJS', '1', '0001', 'D''AL-1', 'L''Ñandú-日本', '%1', 2);\n")
                                .arg(QString(serie).replace(QLatin1String("'"), QLatin1String("''"))));
        QStringList fila;
        auto r = PideSalida(QStringLiteral("D'AL-1"), 1, true, true, [&](FrmCargaLotesySeries& f) {
            fila = QStringList{f.MSFlexGrid1->TextMatrix(1, 0), f.MSFlexGrid1->TextMatrix(1, 1), f.MSFlexGrid1->TextMatrix(1, 2)};
            f.MueveA(1, 3);
            Teclea(f, QStringLiteral("2"));
            f.MSFlexGrid1->SetTextMatrix(1, 3, QStringLiteral("1"));
            f.CmdAceptar->click();
        });
        QVERIFY(env.respondedor.errores.isEmpty());
        QCOMPARE(fila, (QStringList{lote, serie, "2"}));
        QCOMPARE(r.pares, QStringLiteral("|") + lote + Sep + serie + QStringLiteral("|"));
        QCOMPARE(r.cantidades, QStringLiteral("|1|"));

        auto e = PideEntrada(QStringLiteral("D'AL-1"), 1, true, false, [&](FrmCargaLotesySeries& f) {
            QTest::keyClick(f.Vista, 'x');
            f.TxtEdit->setText(QString(100, QChar(0x00D1)));  // the box holds 25
            QCOMPARE(f.TxtEdit->text().size(), 25);
            QTest::keyClick(f.TxtEdit, Qt::Key_Return);
            f.CmdAceptar->click();
        });
        QCOMPARE(e.series, QStringLiteral("|") + QString(25, QChar(0x00D1)) + QStringLiteral("|"));
    }
};

QTEST_MAIN(PruebaLotes)
#include "test_lotes.moc"
