// Stock posting speed: a line of quantity 1,000 with 1,000 serials posted by
// ActualizaStock (1,000 movements in one transaction) against raw SQLite
// inserting the same 1,000 rows with one prepared statement in one
// transaction, side by side in the same run on the same database file.
#include "cmncptes/ClsCmnCptes.h"
#include "cmncptes/GrillaFlex.h"
#include "cmncptes/ListaSerieLote.h"
#include "session/ClsConexion.h"
#include "session/DialectoSql.h"
#include "support/Fixture.h"
#include "Resultado.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <sqlite3.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
constexpr int kUnidades = 1000;
constexpr int kRepeticiones = 7;

double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

long PicoMemoriaKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

QString Serie(int i) { return QStringLiteral("SN%1").arg(i, 6, 10, QLatin1Char('0')); }

double Programa(GrillaFlex& g, int vuelta) {
    QString deposito = QStringLiteral("0001"), destino, motivo = QStringLiteral("CPA"), tcOrigen, cpteOrigen, sql;
    const QString cpte = QStringLiteral("0001%1A").arg(vuelta, 8, 10, QLatin1Char('0'));
    QElapsedTimer t;
    t.start();
    ClsCmnCptes().ActualizaStock(&g, QStringLiteral("FCC"), cpte, QStringLiteral("0"), QStringLiteral("2024-07-01"), deposito,
                                 destino, motivo, tcOrigen, cpteOrigen, false, QStringLiteral("'P0002'"), false, sql);
    return t.nsecsElapsed() / 1e6;
}

double Crudo(const QString& archivo, int vuelta) {
    sqlite3* db = nullptr;
    sqlite3_open(archivo.toUtf8().constData(), &db);
    DialectoSql::RegistraColacion(db);  // the indexes of the table compare with it
    const QByteArray cpte = QStringLiteral("0002%1A").arg(vuelta, 8, 10, QLatin1Char('0')).toUtf8();
    QElapsedTimer t;
    t.start();
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO V_MV_STOCK (TC, IdComprobante, Secuencia, Fecha, IdDeposito, IdArticulo, Descripcion, "
                       "NroLote, NroSerie, IdUnidad, Cantidad, CuentaProveedor, IdMotivoStock, PrecioVenta, Costo, Tc_Origen, "
                       "IdComprobante_Origen) VALUES ('FCC ', ?, ?, '2024-07-01', '0001', 'TAL-200                  ', "
                       "'Taladro percutor 750 W', NULL, ?, 'UN  ', 1, 'P0002', 'CPA ', 0, 61000, NULL, NULL)",
                       -1, &st, nullptr);
    for (int i = 1; i <= kUnidades; ++i) {
        const QByteArray serie = Serie(i).leftJustified(25).toUtf8();
        sqlite3_bind_text(st, 1, cpte.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(st, 2, i);
        sqlite3_bind_text(st, 3, serie.constData(), -1, SQLITE_TRANSIENT);
        if (sqlite3_step(st) != SQLITE_DONE) {
            std::fprintf(stderr, "SQLite: %s\n", sqlite3_errmsg(db));
            std::exit(1);
        }
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    const double ms = t.nsecsElapsed() / 1e6;
    sqlite3_close(db);
    return ms;
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    QStringList series;
    for (int i = 1; i <= kUnidades; ++i) series << Serie(i);
    GrillaFlex g;
    g.SetCols(25);
    g.SetRows(2);
    g.SetTextMatrix(1, 0, QStringLiteral("TAL-200"));
    g.SetTextMatrix(1, 1, QStringLiteral("Taladro percutor 750 W"));
    g.SetTextMatrix(1, 3, QStringLiteral("UN"));
    g.SetTextMatrix(1, 4, QString::number(kUnidades));
    g.SetTextMatrix(1, 14, ListaSerieLote::Arma(series));

    std::vector<double> programa, crudo;
    for (int v = 0; v < kRepeticiones; ++v) {
        programa.push_back(Programa(g, v));
        crudo.push_back(Crudo(env.RutaBase(), v));
    }
    const double p = Mediana(programa), c = Mediana(crudo);
    std::printf("Posteo de %d movimientos (una línea de %d series), mediana de %d:\n", kUnidades, kUnidades, kRepeticiones);
    std::printf("  ActualizaStock  %8.1f ms\n  SQLite directo  %8.1f ms\n  relación        %8.2fx\n  memoria pico    %8ld KiB\n",
                p, c, c > 0 ? p / c : 0.0, PicoMemoriaKb());
    Bench::Fila("posteo de 1.000 movimientos", p, c, static_cast<double>(PicoMemoriaKb()) / 1024.0, "-");
    if (!env.respondedor.errores.isEmpty()) {
        std::printf("errores: %s\n", qPrintable(env.respondedor.errores.at(0).descripcion));
        return 1;
    }
    return 0;
}
