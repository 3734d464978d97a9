// Open and sort times of the voucher chooser with 100,000 vouchers of one type.
// Each measure is a time the window's thread is busy: for opening, from the
// call until the window has painted its first rows; while the rest of the rows
// load, the longest gap between two turns of the event loop; for sorting, from
// the header click until the sorted list has painted. The limit (1000 ms unless
// TALERUNA_LIMITE_MS says otherwise; 0 turns the check off) is what a person
// may wait with the window frozen.
#include "chooser/FrmConsComprobantes.h"
#include "chooser/ModeloComprobantes.h"
#include "cmncptes/ClsCmnCptes.h"
#include "session/ClsConexion.h"
#include "session/Modal.h"
#include "support/Fixture.h"
#include "Resultado.h"

#include "session/DialectoSql.h"

#include <sqlite3.h>

#include <QDialog>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <algorithm>
#include <memory>

namespace {
constexpr int kComprobantes = 100000;
constexpr int kRepeticiones = 3;

qint64 Limite() {
    bool ok = false;
    const qint64 v = qEnvironmentVariableIntValue("TALERUNA_LIMITE_MS", &ok);
    return ok ? v : 1000;
}

qint64 Mediana(QList<qint64> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Raw SQLite fetching every row and column of the chooser's statement, as text.
qint64 FetchCrudo(const QString& archivo) {
    sqlite3* db = nullptr;
    sqlite3_open(archivo.toUtf8().constData(), &db);
    DialectoSql::RegistraColacion(db);
    QElapsedTimer t;
    t.start();
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, FrmConsComprobantes::ArmaSentencia(QStringLiteral("FC"), false, {}).toUtf8().constData(), -1, &st,
                       nullptr);
    const int columnas = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW)
        for (int i = 0; i < columnas; ++i) sqlite3_column_text(st, i);
    sqlite3_finalize(st);
    const qint64 ms = t.elapsed();
    sqlite3_close(db);
    return ms;
}

void Pinta(QWidget* w) {
    w->repaint();
    QCoreApplication::processEvents();
}
} // namespace

class BenchChooser : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void abreYOrdenaCienMil();
    void ordenaMientrasCarga();
    void ordenaElModelo();

private:
    std::unique_ptr<Prueba::Entorno> env_;
};

void BenchChooser::initTestCase() {
    env_ = std::make_unique<Prueba::Entorno>(Prueba::Entorno::Datos::Ninguno);
    static const char* const nombres[] = {"Ferretería Los Andes S.R.L.", "Construcciones del Plata S.A.", "María Fernández",
                                          "Cooperativa Agrícola La Paloma", "Electricidad Norte", "Juan Pérez",
                                          "Talleres Unidos", "Óptica Central", "zapatería Luna", "Álvarez Hnos."};
    QElapsedTimer reloj;
    reloj.start();
    ClsConexion& cnx = Conexion();
    cnx.IniciaTransaccion();
    constexpr int porSentencia = 500;
    for (int base = 0; base < kComprobantes; base += porSentencia) {
        QString sql = QStringLiteral(
            "INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, Fecha, Cuenta, Nombre, Anulada, APROBADO, Importe) VALUES ");
        for (int i = base; i < base + porSentencia; ++i) {
            const int n = (i * 7919) % kComprobantes + 1;  // numbers out of insertion order
            if (i > base) sql += QLatin1Char(',');
            sql += QStringLiteral("('FC', '0001%1A', 0, '2024-%2-%3', 'C%4', '%5 %6', %7, %8, %9)")
                       .arg(n, 8, 10, QLatin1Char('0'))
                       .arg(1 + n % 12, 2, 10, QLatin1Char('0'))
                       .arg(1 + n % 28, 2, 10, QLatin1Char('0'))
                       .arg(n % 500, 4, 10, QLatin1Char('0'))
                       .arg(QString::fromUtf8(nombres[n % 10]))
                       .arg(n % 997)
                       .arg(n % 37 == 0 ? 1 : 0)
                       .arg(n % 5 == 0 ? 1 : 0)
                       .arg(QString::number((n % 100000) * 13.25, 'f', 2));
        }
        cnx.EjecutaSql(sql);
    }
    cnx.ConfirmaTransaccion();
    qInfo("generated %d vouchers in %lld ms", kComprobantes, reloj.elapsed());
}

void BenchChooser::abreYOrdenaCienMil() {
    QList<qint64> aperturas, congelamientos, cargas, ordenes1, ordenes2;
    for (int rep = 0; rep < kRepeticiones; ++rep) {
        QElapsedTimer reloj;
        qint64 apertura = -1, congelamiento = 0, carga = -1, orden1 = -1, orden2 = -1;
        int filasAlAbrir = 0, filas = 0;
        QString primeraAsc, ultimaAsc, primeraDesc;
        Modal::GanchoTemporal gancho([&](QDialog* d) {
            auto* frm = dynamic_cast<FrmConsComprobantes*>(d);
            if (!frm) return -1;
            Pinta(frm);
            apertura = reloj.elapsed();
            filasAlAbrir = frm->Modelo()->rowCount();

            // While the rest loads, the longest time between two turns of the
            // event loop is how long the window is frozen.
            QElapsedTimer vuelta;
            vuelta.start();
            while (frm->Cargando()) {
                QCoreApplication::processEvents();
                congelamiento = qMax(congelamiento, vuelta.restart());
            }
            carga = reloj.elapsed();
            filas = frm->Modelo()->rowCount();
            const int nombre = frm->Modelo()->ColumnaDe(QStringLiteral("NOMBRE"));
            QHeaderView* h = frm->ListView1->header();
            const QPoint punto(h->sectionViewportPosition(nombre) + 5, h->height() / 2);

            QElapsedTimer r;
            r.start();
            QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, punto);
            Pinta(frm);
            orden1 = r.elapsed();
            primeraDesc = frm->Modelo()->Texto(0, nombre);

            r.restart();
            QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, punto);
            Pinta(frm);
            orden2 = r.elapsed();
            primeraAsc = frm->Modelo()->Texto(0, nombre);
            ultimaAsc = frm->Modelo()->Texto(filas - 1, nombre);

            frm->ListView1->setCurrentIndex(frm->Modelo()->index(filas / 2, 0));
            frm->CmdAceptar->click();
            return d->result();
        });
        QString respuesta, id, prov;
        reloj.start();
        ClsCmnCptes().ConsultaComprobante(QStringLiteral("FC"), respuesta, {}, id, prov);
        QCOMPARE(filas, kComprobantes);
        QVERIFY(!respuesta.isEmpty());
        QVERIFY(ModeloComprobantes::ComparaTextos(primeraAsc, ultimaAsc) <= 0);
        QCOMPARE(primeraDesc, ultimaAsc);
        qInfo("run %d: shown after %lld ms with %d rows; all rows after %lld ms, longest freeze meanwhile %lld ms; "
              "sort %lld ms, sort again %lld ms",
              rep + 1, apertura, filasAlAbrir, carga, congelamiento, orden1, orden2);
        aperturas << apertura;
        congelamientos << congelamiento;
        cargas << carga;
        ordenes1 << orden1;
        ordenes2 << orden2;
    }
    qInfo("median of %d runs: shown %lld ms, longest freeze while loading %lld ms, all loaded %lld ms, "
          "sort %lld ms / %lld ms (limit %lld ms)",
          kRepeticiones, Mediana(aperturas), Mediana(congelamientos), Mediana(cargas), Mediana(ordenes1),
          Mediana(ordenes2), Limite());
    QList<qint64> crudos;
    for (int rep = 0; rep < kRepeticiones; ++rep) crudos << FetchCrudo(env_->RutaBase());
    qInfo("raw SQLite fetch of the chooser's statement: %lld ms (median)", Mediana(crudos));
    const auto d = [](qint64 v) { return static_cast<double>(v); };
    Bench::Fila("selector 100.000: primeras filas pintadas", d(Mediana(aperturas)), -1, Bench::PicoMemoriaMiB(), "< 200 ms");
    Bench::Fila("selector 100.000: todas las filas", d(Mediana(cargas)), d(Mediana(crudos)), Bench::PicoMemoriaMiB(), "<= 1,5x");
    Bench::Fila("selector 100.000: ordenar una columna", d(Mediana(ordenes1)), -1, Bench::PicoMemoriaMiB(), "< 100 ms");
    if (Limite() > 0) {
        QVERIFY2(Mediana(aperturas) <= Limite(), "opening froze the window too long");
        QVERIFY2(Mediana(congelamientos) <= Limite(), "loading froze the window too long");
        QVERIFY2(Mediana(ordenes1) <= Limite() && Mediana(ordenes2) <= Limite(), "sorting froze the window too long");
    }
}

void BenchChooser::ordenaMientrasCarga() {
    // A header clicked as soon as the window shows: the rows still to come
    // are merged into the sorted list, step by step.
    QList<qint64> ordenes, congelamientos;
    for (int rep = 0; rep < kRepeticiones; ++rep) {
        qint64 orden = -1, congelamiento = 0;
        int filasAlOrdenar = 0, filas = 0;
        bool ordenada = true;
        Modal::GanchoTemporal gancho([&](QDialog* d) {
            auto* frm = dynamic_cast<FrmConsComprobantes*>(d);
            if (!frm) return -1;
            Pinta(frm);
            filasAlOrdenar = frm->Modelo()->rowCount();
            const int nombre = frm->Modelo()->ColumnaDe(QStringLiteral("NOMBRE"));
            QHeaderView* h = frm->ListView1->header();
            QElapsedTimer r;
            r.start();
            QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(nombre) + 5, h->height() / 2));
            Pinta(frm);
            orden = r.elapsed();
            QElapsedTimer vuelta;
            vuelta.start();
            while (frm->Cargando()) {
                QCoreApplication::processEvents();
                congelamiento = qMax(congelamiento, vuelta.restart());
            }
            const ModeloComprobantes* m = frm->Modelo();
            filas = m->rowCount();
            for (int i = 1; i < filas && ordenada; ++i)
                ordenada = ModeloComprobantes::ComparaTextos(m->Texto(i - 1, nombre), m->Texto(i, nombre)) >= 0;
            frm->CmdCancelar->click();
            return d->result();
        });
        QString respuesta, id, prov;
        ClsCmnCptes().ConsultaComprobante(QStringLiteral("FC"), respuesta, {}, id, prov);
        QCOMPARE(filas, kComprobantes);
        QVERIFY(filasAlOrdenar < kComprobantes);
        QVERIFY(ordenada);  // descending by name once every row is in
        qInfo("run %d: sort with %d rows loaded %lld ms; longest freeze while the rest merged in %lld ms", rep + 1,
              filasAlOrdenar, orden, congelamiento);
        ordenes << orden;
        congelamientos << congelamiento;
    }
    qInfo("median of %d runs: sort while loading %lld ms, longest freeze while merging %lld ms (limit %lld ms)",
          kRepeticiones, Mediana(ordenes), Mediana(congelamientos), Limite());
    if (Limite() > 0) {
        QVERIFY2(Mediana(ordenes) <= Limite(), "sorting froze the window too long");
        QVERIFY2(Mediana(congelamientos) <= Limite(), "merging late rows froze the window too long");
    }
}

void BenchChooser::ordenaElModelo() {
    // The sort alone, over the model's rows (no view, no painting).
    ModeloComprobantes m;
    m.EstableceColumnas({QStringLiteral("FECHA"), QStringLiteral("NOMBRE")});
    std::vector<ModeloComprobantes::Fila> filas(kComprobantes);
    for (int i = 0; i < kComprobantes; ++i) {
        const int n = (i * 7919) % kComprobantes;
        filas[static_cast<size_t>(i)].celdas = {QStringLiteral("%1/06/2024").arg(1 + n % 28, 2, 10, QLatin1Char('0')),
                                                QStringLiteral("Cliente %1").arg(n)};
    }
    m.CargaFilas(std::move(filas));
    Qt::SortOrder orden = Qt::AscendingOrder;
    QBENCHMARK {
        m.Ordena(1, orden);
        orden = orden == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    }
}

QTEST_MAIN(BenchChooser)
#include "bench_chooser.moc"
