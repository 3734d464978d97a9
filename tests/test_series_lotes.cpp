// Serial and lot lists: splitting, counting pairs, extracting and finding
// pieces, building them as the dialog writes them, and malformed lists
// reported through the trap.
#include "cmncptes/ClsCmnCptes.h"
#include "cmncptes/ListaSerieLote.h"
#include "session/Dialogos.h"
#include "session/ErrorEjecucion.h"

#include <QTest>

namespace {
const QChar FF = ListaSerieLote::SeparadorLoteSerie;
}

class PruebaSeriesLotes : public QObject {
    Q_OBJECT
private slots:
    void descompone_data() {
        QTest::addColumn<QString>("lista");
        QTest::addColumn<QStringList>("arreglo");
        QTest::newRow("piezas recortadas y un elemento vacío al final") << "|A| B |C|" << QStringList{"A", "B", "C", ""};
        QTest::newRow("sin barra inicial") << "L1|L2|L3|" << QStringList{"L1", "L2", "L3", ""};
        QTest::newRow("blancos alrededor") << "   |A|B|   " << QStringList{"A", "B", ""};
        QTest::newRow("texto vacío") << "" << QStringList{""};
        QTest::newRow("sin ninguna barra") << "ABC" << QStringList{""};
        QTest::newRow("una pieza vacía") << "||" << QStringList{"", ""};
        QTest::newRow("pieza guion de fila en blanco") << "|A|-|C|" << QStringList{"A", "-", "C", ""};
        QTest::newRow("par de salida con separador") << QString("|L1%1S1|L2%1S2|").arg(FF)
                                                      << QStringList{QString("L1%1S1").arg(FF), QString("L2%1S2").arg(FF), ""};
    }
    void descompone() {
        QFETCH(QString, lista);
        QFETCH(QStringList, arreglo);
        Dialogos::RespondedorGuionado r;
        ClsCmnCptes c;
        QStringList a{"basura"};
        c.DescomponeSerieLote(lista, a);
        QCOMPARE(a, arreglo);
        QVERIFY(r.errores.isEmpty());
    }

    void cuenta_data() {
        QTest::addColumn<QString>("series");
        QTest::addColumn<QString>("lotes");
        QTest::addColumn<long>("pares");
        QTest::newRow("tres series sin lotes") << "|S1|S2|S3|" << "" << 3L;
        QTest::newRow("mayúsculas ignoradas") << "|S1|s1|" << "" << 1L;
        QTest::newRow("blancos ignorados") << "|S1| S1 |" << "" << 1L;
        QTest::newRow("series distintas con un lote") << "|S1|S2|" << "|L1|L1|" << 2L;
        QTest::newRow("solo lotes") << "" << "|L1|L2|L1|" << 2L;
        QTest::newRow("piezas vacías") << "||" << "||" << 0L;
        QTest::newRow("dos listas vacías") << "" << "" << 0L;
        QTest::newRow("largos distintos: lo que falta es blanco") << "|S1|S2|S3|" << "|L1|" << 3L;
        QTest::newRow("largos distintos al revés") << "|S1|" << "|L1|L1|L1|" << 2L;
        QTest::newRow("mismo par repetido") << "|S1|S1|" << "|L1|l1|" << 1L;
    }
    void cuenta() {
        QFETCH(QString, series);
        QFETCH(QString, lotes);
        QFETCH(long, pares);
        Dialogos::RespondedorGuionado r;
        QCOMPARE(ClsCmnCptes().Cuenta_Series_Lotes(series, lotes), pares);
        QVERIFY(r.errores.isEmpty());
    }

    void cuentaMilSeries() {
        QStringList s;
        for (int i = 0; i < 1000; ++i) s << QStringLiteral("SN%1").arg(i, 4, 10, QLatin1Char('0'));
        QCOMPARE(ClsCmnCptes().Cuenta_Series_Lotes(ListaSerieLote::Arma(s), QString()), 1000L);
    }

    void extrae_data() {
        QTest::addColumn<QString>("lista");
        QTest::addColumn<int>("posicion");
        QTest::addColumn<QString>("pieza");
        QTest::newRow("segunda sin recortar") << "|A|  B  |C|" << 2 << "  B  ";
        QTest::newRow("más allá del final") << "|A| B |C|" << 4 << "";
        QTest::newRow("posición cero") << "|A| B |C|" << 0 << "";
        QTest::newRow("sin barra inicial") << "A|B|" << 1 << "A";
        QTest::newRow("lista mal cerrada antes de la pieza abierta") << "|L1|L2" << 1 << "L1";
        QTest::newRow("lista vacía") << "" << 1 << "";
    }
    void extrae() {
        QFETCH(QString, lista);
        QFETCH(int, posicion);
        QFETCH(QString, pieza);
        QCOMPARE(ClsCmnCptes().ExtraeSerieLote(lista, posicion), pieza);
    }

    void extraeMalformadaFallaParaQuienLlama() {
        // No trap of its own: the caller's trap receives the invalid-argument error.
        try {
            ClsCmnCptes().ExtraeSerieLote(QStringLiteral("|L1|L2"), 2);
            QFAIL("a malformed list must fail");
        } catch (const ErrorEjecucion& e) {
            QCOMPARE(e.Numero(), ErrorEjecucion::LlamadaNoValida);
        }
    }

    void busca_data() {
        QTest::addColumn<QString>("lista");
        QTest::addColumn<QString>("pieza");
        QTest::addColumn<long>("posicion");
        QTest::newRow("mayúsculas ignoradas") << "|A|B|" << "b" << 2L;
        QTest::newRow("ausente: piezas más uno") << "|A|B|" << "C" << 3L;
        QTest::newRow("lista vacía") << "" << "A" << 0L;
        QTest::newRow("blancos alrededor") << "| A |B|" << "A  " << 1L;
        QTest::newRow("la primera de dos iguales") << "|X|A|a|" << "A" << 2L;
        QTest::newRow("par de lote y serie") << QString("|L1%1S1|L2%1|").arg(FF) << QString("L2%1").arg(FF) << 2L;
    }
    void busca() {
        QFETCH(QString, lista);
        QFETCH(QString, pieza);
        QFETCH(long, posicion);
        Dialogos::RespondedorGuionado r;
        QCOMPARE(ClsCmnCptes().Busca_Lotes_Series(lista, pieza), posicion);
        QVERIFY(r.errores.isEmpty());
    }

    // A malformed list is reported under the operation's own name; the
    // operation then returns what it holds.
    void malformadaPorLaTrampa_data() {
        QTest::addColumn<QString>("operacion");
        QTest::newRow("DescomponeSerieLote") << "DescomponeSerieLote";
        QTest::newRow("Cuenta_Series_Lotes") << "Cuenta_Series_Lotes";
        QTest::newRow("Busca_Lotes_Series") << "Busca_Lotes_Series";
    }
    void malformadaPorLaTrampa() {
        QFETCH(QString, operacion);
        Dialogos::RespondedorGuionado r;
        ClsCmnCptes c;
        const QString lista = QStringLiteral("|L1|L2");
        if (operacion == QLatin1String("DescomponeSerieLote")) {
            QStringList a;
            c.DescomponeSerieLote(lista, a);
            QCOMPARE(a, (QStringList{"L1", ""}));
        } else if (operacion == QLatin1String("Cuenta_Series_Lotes")) {
            QCOMPARE(c.Cuenta_Series_Lotes(lista, QString()), 0L);
        } else {
            QCOMPARE(c.Busca_Lotes_Series(lista, QStringLiteral("ZZ")), 0L);
        }
        QCOMPARE(r.errores.size(), 1);
        QCOMPARE(r.errores.at(0).procedimiento, operacion);
        QCOMPARE(r.errores.at(0).numero, 5);
    }

    void malformadaEncuentraAntesDeLaPiezaAbierta() {
        Dialogos::RespondedorGuionado r;
        QCOMPARE(ClsCmnCptes().Busca_Lotes_Series(QStringLiteral("|L1|L2"), QStringLiteral("l1")), 1L);
        QVERIFY(r.errores.isEmpty());
    }

    void arma_data() {
        QTest::addColumn<QStringList>("piezas");
        QTest::addColumn<QString>("lista");
        QTest::newRow("tres series") << QStringList{"A", "B", "C"} << "|A|B|C|";
        QTest::newRow("celda en blanco como guion") << QStringList{"A", " ", "C"} << "|A|-|C|";
        QTest::newRow("todas en blanco siguen siendo filas") << QStringList{"", ""} << "|-|-|";
        QTest::newRow("sin filas") << QStringList{} << "";
    }
    void arma() {
        QFETCH(QStringList, piezas);
        QFETCH(QString, lista);
        QCOMPARE(ListaSerieLote::Arma(piezas), lista);
    }

    void parIdaYVuelta_data() {
        QTest::addColumn<QString>("lote");
        QTest::addColumn<QString>("serie");
        QTest::newRow("lote y serie") << "L-2024'03" << "SN 0001";
        QTest::newRow("solo lote") << "L1" << "";
        QTest::newRow("solo serie") << "" << "Серия-7";
    }
    void parIdaYVuelta() {
        QFETCH(QString, lote);
        QFETCH(QString, serie);
        const QString lista = ListaSerieLote::Arma({ListaSerieLote::ArmaPar(lote, serie)});
        QString l, s;
        ListaSerieLote::SeparaPar(ClsCmnCptes().ExtraeSerieLote(lista, 1), l, s);
        QCOMPARE(l, lote);
        QCOMPARE(s, serie);
    }
};

QTEST_GUILESS_MAIN(PruebaSeriesLotes)
#include "test_series_lotes.moc"
