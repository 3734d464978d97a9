// One large voucher through the program: shown (from the letter's check to the
// grids filled, in process), staged for printing, printed to PDF, a longer
// one printed to see the growth, and the process started until its window
// has painted. Each case beside raw SQLite doing the same work in the same
// run: the distinct reading statements the display ran, a bulk insert of the
// staged rows in one transaction, the report's statement.
#include "GeneradorComprobante.h"
#include "Resultado.h"

#include "cmncptes/GrillaFlex.h"
#include "inquiry/FrmConsCpteGenerico.h"
#include "printing/ClsReporte.h"
#include "printing/ModImpresion.h"
#include "session/ClsConexion.h"
#include "session/ClsSesion.h"
#include "session/DialectoSql.h"
#include "session/ModGlobal.h"
#include "support/Fixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QSqlDriver>

#include <sqlite3.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kRepeticiones = 5;
constexpr int kGrande = 1;   // 1,000 articles + 100 services + 50 other concepts
constexpr int kLargo = 2;    // 2,000 lines

sqlite3* ManejadorSesion() {
    const QVariant v = Conexion().Conexion().driver()->handle();
    return *static_cast<sqlite3* const*>(v.constData());
}

// The statements the session's connection runs while an instance lives.
class Traza {
public:
    Traza() { sqlite3_trace_v2(ManejadorSesion(), SQLITE_TRACE_STMT, &Traza::Anota, this); }
    ~Traza() { sqlite3_trace_v2(ManejadorSesion(), 0, nullptr, nullptr); }
    Traza(const Traza&) = delete;
    Traza& operator=(const Traza&) = delete;
    QStringList sentencias;

private:
    static int Anota(unsigned, void* ctx, void* p, void*) {
        char* sql = sqlite3_expanded_sql(static_cast<sqlite3_stmt*>(p));
        static_cast<Traza*>(ctx)->sentencias << QString::fromUtf8(sql ? sql : "");
        sqlite3_free(sql);
        return 0;
    }
};

sqlite3* AbreCrudo(const QString& archivo) {
    sqlite3* db = nullptr;
    sqlite3_open(archivo.toUtf8().constData(), &db);
    DialectoSql::RegistraColacion(db);
    return db;
}

// Runs a reading statement and reads every column of every row as the program does (as text).
long long LeeTodo(sqlite3* db, const QByteArray& sql) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "SQLite: %s\n%s\n", sqlite3_errmsg(db), sql.constData());
        std::exit(1);
    }
    long long bytes = 0;
    const int columnas = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW)
        for (int i = 0; i < columnas; ++i) {
            sqlite3_column_text(st, i);
            bytes += sqlite3_column_bytes(st, i);
        }
    sqlite3_finalize(st);
    return bytes;
}

double Ms(const QElapsedTimer& t) { return static_cast<double>(t.nsecsElapsed()) / 1e6; }

// --- show -------------------------------------------------------------------

void Consulta(FrmConsCpteGenerico& f, int numero) {
    f.txtfields[0]->setText(QStringLiteral("9"));
    f.txtfields[1]->setText(QString::number(numero));
    f.txtfields[2]->setText(QStringLiteral("A"));
    f.CampoValida(f.txtfields[2]);
}

void Muestra(const QString& base, FrmConsCpteGenerico& f) {
    // The reading statements of one display, distinct, as the engine received them.
    QStringList lecturas;
    {
        Traza traza;
        Consulta(f, kGrande);
        for (const QString& s : traza.sentencias) {
            const QString t = s.trimmed();
            if ((t.startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive) ||
                 t.startsWith(QLatin1String("WITH"), Qt::CaseInsensitive)) && !lecturas.contains(t))
                lecturas << t;
        }
        std::printf("  display: %lld statements, %lld distinct readings; grid rows %d + %d + %d\n",
                    static_cast<long long>(traza.sentencias.size()), static_cast<long long>(lecturas.size()),
                    f.MSFlexGrid1->Rows(), f.MSFlexGrid2->Rows(), f.MSFlexGrid3->Rows());
    }
    std::vector<double> programa, crudo;
    sqlite3* db = AbreCrudo(base);
    for (int r = 0; r < kRepeticiones; ++r) {
        QElapsedTimer t;
        t.start();
        Consulta(f, kGrande);
        programa.push_back(Ms(t));
        t.restart();
        for (const QString& s : lecturas) LeeTodo(db, s.toUtf8());
        crudo.push_back(Ms(t));
    }
    sqlite3_close(db);
    Bench::Fila("mostrar 1.000+100+50 líneas (en proceso)", Bench::Mediana(programa), Bench::Mediana(crudo),
                Bench::PicoMemoriaMiB(), "<= 3x y < 30 ms");
}

// --- stage ------------------------------------------------------------------

void Estaciona(int numero) {
    QString tc = QStringLiteral("FC");
    GeneraAuxiliarComprobantes(tc, QStringLiteral("0009"), QStringLiteral("%1").arg(numero, 8, 10, QLatin1Char('0')),
                               QStringLiteral("A"), QStringLiteral("0"), 3, {}, {}, {}, {}, {}, {});
}

struct Valor {
    int tipo = SQLITE_NULL;
    long long entero = 0;
    double real = 0;
    QByteArray texto;
};

// Raw SQLite writing the same rows: the workstation's rows deleted and the
// staged rows inserted with one prepared statement in one transaction.
double EstacionaCrudo(sqlite3* db, const QByteArray& usuario, const std::vector<std::vector<Valor>>& filas, int columnas) {
    QByteArray insert = "INSERT INTO Aux_MV_Cpte VALUES (?";
    for (int i = 1; i < columnas; ++i) insert += ", ?";
    insert += ")";
    QElapsedTimer t;
    t.start();
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    sqlite3_stmt* borra = nullptr;
    sqlite3_prepare_v2(db, "DELETE FROM Aux_MV_Cpte WHERE Usuario = ?", -1, &borra, nullptr);
    sqlite3_bind_text(borra, 1, usuario.constData(), -1, SQLITE_STATIC);
    sqlite3_step(borra);
    sqlite3_finalize(borra);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, insert.constData(), -1, &st, nullptr);
    for (const auto& fila : filas) {
        for (int i = 0; i < columnas; ++i) {
            const Valor& v = fila[static_cast<size_t>(i)];
            if (i == 0 || v.tipo == SQLITE_NULL) sqlite3_bind_null(st, i + 1);  // a new ID
            else if (v.tipo == SQLITE_INTEGER) sqlite3_bind_int64(st, i + 1, v.entero);
            else if (v.tipo == SQLITE_FLOAT) sqlite3_bind_double(st, i + 1, v.real);
            else sqlite3_bind_text(st, i + 1, v.texto.constData(), static_cast<int>(v.texto.size()), SQLITE_STATIC);
        }
        if (sqlite3_step(st) != SQLITE_DONE) {
            std::fprintf(stderr, "SQLite: %s\n", sqlite3_errmsg(db));
            std::exit(1);
        }
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    return Ms(t);
}

void Estacionamiento(const QString& base) {
    const QByteArray usuario = (Sesion().Terminal() + QLatin1Char('|') + Sesion().Usuario()).toUtf8();
    std::vector<double> programa, crudo;
    sqlite3* db = AbreCrudo(base);
    sqlite3_busy_timeout(db, 10000);
    for (int r = 0; r < kRepeticiones; ++r) {
        QElapsedTimer t;
        t.start();
        Estaciona(kGrande);
        programa.push_back(Ms(t));
        // The rows the program wrote, to be written again raw.
        std::vector<std::vector<Valor>> filas;
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "SELECT * FROM Aux_MV_Cpte WHERE Usuario = ? ORDER BY ID", -1, &st, nullptr);
        sqlite3_bind_text(st, 1, usuario.constData(), -1, SQLITE_STATIC);
        const int columnas = sqlite3_column_count(st);
        while (sqlite3_step(st) == SQLITE_ROW) {
            std::vector<Valor> fila(static_cast<size_t>(columnas));
            for (int i = 0; i < columnas; ++i) {
                Valor& v = fila[static_cast<size_t>(i)];
                v.tipo = sqlite3_column_type(st, i);
                if (v.tipo == SQLITE_INTEGER) v.entero = sqlite3_column_int64(st, i);
                else if (v.tipo == SQLITE_FLOAT) v.real = sqlite3_column_double(st, i);
                else if (v.tipo != SQLITE_NULL)
                    v.texto = QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(st, i)), sqlite3_column_bytes(st, i));
            }
            filas.push_back(std::move(fila));
        }
        sqlite3_finalize(st);
        if (r == 0) std::printf("  staging: %zu rows\n", filas.size());
        crudo.push_back(EstacionaCrudo(db, usuario, filas, columnas));
    }
    sqlite3_close(db);
    Estaciona(kGrande);  // the program's own rows for the print that follows
    Bench::Fila("estacionar 1.000+100+50 líneas", Bench::Mediana(programa), Bench::Mediana(crudo), Bench::PicoMemoriaMiB(),
                "<= 2x");
}

// --- print ------------------------------------------------------------------

// Prints the staged voucher to a PDF as the print button does; the report's
// statement is then run raw.
double Imprime(const QString& base, int numero, const QString& pdf, const char* caso, const char* meta) {
    Estaciona(numero);
    Reporte().ArchivoFijo = pdf;
    Reporte().CopiasArchivo = 1;
    std::vector<double> programa, crudo;
    int paginas = 0;
    sqlite3* db = AbreCrudo(base);
    for (int r = 0; r < 3; ++r) {
        QFile::remove(pdf);
        QStringList orden{QString()};
        QString seleccion;
        int destino = ClsReporte::DestinoImpresora;
        QElapsedTimer t;
        t.start();
        ImprimirComprobante(QStringLiteral("FC"), Generador::ClaveComprobante(numero), QStringLiteral("0"),
                            QStringLiteral("FC"), orden, seleccion, QStringList{QString()}, destino, 0);
        programa.push_back(Ms(t));
        const ClsReporte::Ejecucion& e = Reporte().UltimaEjecucion();
        if (!e.realizada || !QFile::exists(pdf)) {
            std::fprintf(stderr, "the print did not write %s\n", qPrintable(pdf));
            std::exit(1);
        }
        paginas = e.paginas;
        t.restart();
        LeeTodo(db, Conexion().Adapta(e.sentencia).toUtf8());
        crudo.push_back(Ms(t));
    }
    sqlite3_close(db);
    Reporte().ArchivoFijo.clear();
    const double p = Bench::Mediana(programa);
    std::printf("  %s: %d pages\n", caso, paginas);
    Bench::Fila(caso, p, Bench::Mediana(crudo), Bench::PicoMemoriaMiB(), meta);
    return p;
}

// --- start-up ---------------------------------------------------------------

void Arranque(const QString& base) {
    std::vector<double> programa;
    for (int r = 0; r < kRepeticiones; ++r) {
        QProcess p;
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(QStringLiteral("TALERUNA_SALE_AL_PINTAR"), QStringLiteral("1"));
        e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(e);
        QElapsedTimer t;
        t.start();
        p.start(Prueba::RutaBinario(QStringLiteral("conscpte")),
                {QStringLiteral("@Server=;@DbName=%1;@ParametroAdicional=@TC=FC|@Sucursal=1|@Numero=25|@Letra=A|;").arg(base)});
        if (!p.waitForFinished(60000) || p.exitCode() != 0) {
            std::fprintf(stderr, "conscpte did not end after painting: %s\n", p.readAllStandardError().constData());
            std::exit(1);
        }
        programa.push_back(Ms(t));
    }
    Bench::Fila("arranque hasta la ventana pintada (offscreen)", Bench::Mediana(programa), -1, Bench::PicoMemoriaMiB(true),
                "< 300 ms");
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QElapsedTimer reloj;
    reloj.start();
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo, Generador::Comprobante(kGrande, 1000, 100, 50) +
                                                          Generador::Comprobante(kLargo, 1850, 100, 50));
    qputenv("TALERUNA_REPORTES", Prueba::RutaFuente(QStringLiteral("reports")).toUtf8());
    std::printf("Comprobante grande (datos generados en %lld ms), mediana de %d vueltas:\n",
                static_cast<long long>(reloj.elapsed()), kRepeticiones);

    ParametroAdicional.clear();
    auto f = std::make_unique<FrmConsCpteGenerico>();
    f->Form_Load();
    Muestra(env.RutaBase(), *f);
    Estacionamiento(env.RutaBase());
    const double mil = Imprime(env.RutaBase(), kGrande, env.Carpeta() + QStringLiteral("grande.pdf"),
                               "imprimir a PDF 1.150 líneas", "< 1 s");
    const double dosMil = Imprime(env.RutaBase(), kLargo, env.Carpeta() + QStringLiteral("largo.pdf"),
                                  "imprimir a PDF 2.000 líneas", "<= 2,2x las 1.150");
    std::printf("  2,000 / 1,150 lines printed: %.2fx\n", mil > 0 ? dosMil / mil : 0.0);
    f.reset();
    Arranque(env.RutaBase());

    for (const auto& e : env.respondedor.errores) std::fprintf(stderr, "error: %s\n", qPrintable(e.descripcion));
    for (const auto& m : env.respondedor.mensajes) std::fprintf(stderr, "mensaje: %s\n", qPrintable(m.texto));
    return env.respondedor.errores.isEmpty() ? 0 : 1;
}
