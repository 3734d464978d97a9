// Time to open the real-charges view of a customer with 2,000 finished work
// orders of 10 tasks each (one time record per task, materials and other
// concepts), beside raw SQLite running the same statements in the same run.
// Prints the figures and the number of statements; it never fails for being
// slow (the figure is for a person to read against the raw one).
#include "cmncptes/GrillaFlex.h"
#include "forms/FrmCtrlCargosReales.h"
#include "session/ClsConexion.h"
#include "session/DialectoSql.h"
#include "support/Fixture.h"
#include "Resultado.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <sqlite3.h>

namespace {
constexpr int kOrdenes = 2000;
constexpr int kTareas = 10;

void Siembra() {
    ClsConexion& cnx = Conexion();
    cnx.IniciaTransaccion();
    for (int o = 0; o < kOrdenes; ++o) {
        const QString id = QStringLiteral("0001%1X").arg(o + 1, 8, 10, QLatin1Char('0'));
        const QString fecha = QStringLiteral("2024-%1-%2").arg(1 + o % 12, 2, 10, QLatin1Char('0')).arg(1 + o % 28, 2, 10, QLatin1Char('0'));
        cnx.EjecutaSql(QStringLiteral("INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, Fecha, Cuenta, Anulada, FINALIZADA, "
                                      "Importe, Comentarios) VALUES ('OT', '%1', 0, '%2', 'C0001', 0, 1, 1000, 'Orden %3')")
                           .arg(id, fecha)
                           .arg(o + 1));
        QString tareas = QStringLiteral("INSERT INTO V_MV_CPTETAREAS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IdTarea, Horas, "
                                        "ValorHora_S_IVA) VALUES ");
        QString diarios = QStringLiteral("INSERT INTO V_MV_DIARIOS (IDTAREA, TC, IDCOMPROBANTE, IDCOMPLEMENTO, Minutos) VALUES ");
        for (int t = 0; t < kTareas; ++t) {
            const QString tarea = QStringLiteral("T%1").arg(t, 3, 10, QLatin1Char('0'));
            if (t) {
                tareas += QLatin1Char(',');
                diarios += QLatin1Char(',');
            }
            tareas += QStringLiteral("('OT', '%1', 0, '%2', 60, 100.5)").arg(id, tarea);
            diarios += QStringLiteral("('%1', 'OT', '%2', 0, %3)").arg(tarea, id).arg((o + t) % 3 == 0 ? 90 : 45);
        }
        cnx.EjecutaSql(tareas);
        cnx.EjecutaSql(diarios);
        cnx.EjecutaSql(QStringLiteral("INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IMPORTE_S_IVA) VALUES "
                                      "('OT', '%1', 0, 250.25)").arg(id));
        cnx.EjecutaSql(QStringLiteral("INSERT INTO V_MV_CPTE_Observ (TC, IDCOMPROBANTE, IDCOMPLEMENTO, TIPO_OBS, IMPORTE_S_IVA) "
                                      "VALUES ('OT', '%1', 0, 'OC', 30)").arg(id));
    }
    cnx.EjecutaSql(QStringLiteral("INSERT INTO V_MV_CREALES (CUENTA, Fecha, Concepto, Debe_Haber, Importe) VALUES "
                                  "('C0001', '2024-03-01', 'Cargo', 'D', 50), ('C0001', '2024-04-01', 'Descargo', 'H', 20)"));
    cnx.ConfirmaTransaccion();
}

// The same statements on a raw SQLite handle: returns the count run.
int Crudo(const QString& ruta) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(ruta.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    DialectoSql::RegistraColacion(db);
    int sentencias = 0;
    auto corre = [&](const QString& sql, const std::function<void(sqlite3_stmt*)>& fila) {
        ++sentencias;
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW) fila(st);
        sqlite3_finalize(st);
    };
    QList<QPair<QString, QString>> ordenes;
    corre(QStringLiteral("SELECT TC, IDCOMPROBANTE, IDCOMPLEMENTO FROM V_MV_CPTE WHERE CUENTA = 'C0001' AND TC = 'OT' AND "
                         "(ANULADA = 0)  AND (FINALIZADA = 1) ORDER BY IDCOMPROBANTE DESC"),
          [&](sqlite3_stmt* st) {
              ordenes.append({QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))),
                              QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)))});
          });
    double total = 0;
    for (const auto& [tc, id] : ordenes) {
        const QString cond = QStringLiteral(" WHERE TC = '%1' AND IDCOMPROBANTE = '%2' AND IDCOMPLEMENTO = 0").arg(tc, id);
        corre(QStringLiteral("SELECT IDTAREA, SUM(Minutos) AS TOTALHORAS FROM V_MV_DIARIOS") + cond +
                  QStringLiteral(" GROUP BY IDTAREA"),
              [&](sqlite3_stmt* st) { total += sqlite3_column_double(st, 1); });
        corre(QStringLiteral("SELECT * FROM V_MV_CPTETAREAS") + cond, [&](sqlite3_stmt* st) { total += sqlite3_column_double(st, 6); });
        corre(QStringLiteral("SELECT SUM(IMPORTE_S_IVA) AS TOTALINSUMOS FROM V_MV_CPTEINSUMOS") + cond,
              [&](sqlite3_stmt* st) { total += sqlite3_column_double(st, 0); });
        corre(QStringLiteral("SELECT SUM(IMPORTE_S_IVA) AS TOTALOC FROM V_MV_CPTE_OBSERV") + cond + QStringLiteral(" AND TIPO_OBS = 'OC'"),
              [&](sqlite3_stmt* st) { total += sqlite3_column_double(st, 0); });
    }
    corre(QStringLiteral("SELECT * FROM V_MV_CREALES WHERE CUENTA = 'C0001' "), [&](sqlite3_stmt*) {});
    sqlite3_close(db);
    return total > 0 ? sentencias : -sentencias;
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTextStream out(stdout);
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno);
    Siembra();

    QElapsedTimer reloj;
    FrmCtrlCargosReales f;
    f.Cliente = QStringLiteral("C0001");
    reloj.start();
    f.Form_Load();
    const qint64 vista = reloj.elapsed();

    reloj.restart();
    const int crudas = Crudo(env.RutaBase());
    const qint64 crudo = reloj.elapsed();

    out << "Control de cargos reales: " << kOrdenes << " ordenes x " << kTareas << " tareas, " << f.MSFlexGrid1->Rows() - 1
        << " filas\n";
    out << "  vista (carga y grilla): " << vista << " ms, " << f.Sentencias() << " sentencias ("
        << "2 + por orden: tareas, minutos por tarea, insumos, otros)\n";
    out << "  SQLite directo, las mismas sentencias: " << crudo << " ms, " << (crudas < 0 ? -crudas : crudas) << " sentencias\n";
    out << "  errores informados: " << env.respondedor.errores.size() << "\n";
    out.flush();
    Bench::Fila("vista de cargos reales, 2.000 órdenes", static_cast<double>(vista), static_cast<double>(crudo),
                Bench::PicoMemoriaMiB(), "-");
    return env.respondedor.errores.isEmpty() && f.MSFlexGrid1->Rows() == kOrdenes + 4 ? 0 : 1;
}
