// The configuration is read once per operation (one voucher shown, one
// staging run), and a value changed by another workstation between two
// operations is seen by the second. The statements are counted on the
// session's own connection as the engine runs them.
#include "cmncptes/GrillaFlex.h"
#include "inquiry/FrmConsCpteGenerico.h"
#include "printing/ModImpresion.h"
#include "session/ClsConexion.h"
#include "session/ModGlobal.h"
#include "support/Fixture.h"

#include <QApplication>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QTest>

#include <memory>
#include <sqlite3.h>

namespace {

// Every statement the session's connection runs while an instance lives.
class Traza {
public:
    Traza() {
        const QVariant v = Conexion().Conexion().driver()->handle();
        if (v.isValid() && qstrcmp(v.typeName(), "sqlite3*") == 0) h_ = *static_cast<sqlite3* const*>(v.constData());
        if (h_) sqlite3_trace_v2(h_, SQLITE_TRACE_STMT, &Traza::Anota, this);
    }
    ~Traza() {
        if (h_) sqlite3_trace_v2(h_, 0, nullptr, nullptr);
    }
    Traza(const Traza&) = delete;
    Traza& operator=(const Traza&) = delete;
    bool Activa() const { return h_ != nullptr; }
    // The statements that read the configuration table.
    QStringList Configuracion() const {
        QStringList r;
        for (const QString& s : sentencias_)
            if (s.contains(QLatin1String("TA_CONFIGURACION"), Qt::CaseInsensitive)) r << s;
        return r;
    }
    qsizetype Total() const { return sentencias_.size(); }

private:
    static int Anota(unsigned, void* ctx, void* p, void*) {
        auto* self = static_cast<Traza*>(ctx);
        char* sql = sqlite3_expanded_sql(static_cast<sqlite3_stmt*>(p));
        self->sentencias_ << QString::fromUtf8(sql ? sql : "");
        sqlite3_free(sql);
        return 0;
    }
    sqlite3* h_ = nullptr;
    QStringList sentencias_;
};

// The texts that occur more than once.
QStringList Repetidas(const QStringList& l) {
    QStringList r;
    for (const QString& s : l)
        if (l.count(s) > 1 && !r.contains(s)) r << s;
    return r;
}

std::unique_ptr<FrmConsCpteGenerico> Abre() {
    ParametroAdicional.clear();
    auto f = std::make_unique<FrmConsCpteGenerico>();
    f->Form_Load();
    return f;
}

void Muestra(FrmConsCpteGenerico& f) {
    f.MostrarComprobante(QStringLiteral("FC"), QStringLiteral("000100000025A"), QStringLiteral("0"), QString());
}

// The decimals a money text carries ("12100.00" -> 2).
int Decimales(const QString& importe) {
    static const QRegularExpression re(QStringLiteral("[.,](\\d+)$"));
    const auto m = re.match(importe.trimmed());
    return m.hasMatch() ? static_cast<int>(m.captured(1).size()) : 0;
}

// Another workstation changes the configured decimals through its own connection.
void OtroPuestoCambiaDecimales(const QString& base, const QString& valor) {
    {
        QSqlDatabase db = AbreSqliteConColacion(base, QStringLiteral("otro-puesto"), false, 5);
        QVERIFY(db.isOpen());
        QSqlQuery q(db);
        QVERIFY(q.exec(Conexion().Adapta(
            QStringLiteral("UPDATE TA_CONFIGURACION SET Valor = '%1' WHERE LTRIM(RTRIM(CLAVE)) = 'CantidadDecimales'").arg(valor))));
        QCOMPARE(q.numRowsAffected(), 1);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("otro-puesto"));
}

} // namespace

class PruebaConfiguracionOperacion : public QObject {
    Q_OBJECT

private slots:
    void init() {
        qputenv("TALERUNA_TERMINAL", "PUESTO01");
        qputenv("TALERUNA_USUARIO", "admin");
    }

    // Outside an operation every amount asks the database (a lone call sees
    // the current value); inside one, the decimals are read once; nested
    // operations share the outer reading, and the memory ends with it.
    void fmtMonedaDentroYFueraDeUnaOperacion_data() {
        QTest::addColumn<int>("profundidad");
        QTest::addColumn<int>("lecturas");
        QTest::newRow("sin operación: una lectura por importe") << 0 << 50;
        QTest::newRow("una operación: una lectura") << 1 << 1;
        QTest::newRow("operaciones anidadas: una lectura") << 2 << 1;
    }
    void fmtMonedaDentroYFueraDeUnaOperacion() {
        QFETCH(int, profundidad);
        QFETCH(int, lecturas);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        {
            Traza traza;
            QVERIFY(traza.Activa());
            std::unique_ptr<AmbitoConfiguracion> a, b;
            if (profundidad >= 1) a = std::make_unique<AmbitoConfiguracion>();
            if (profundidad >= 2) b = std::make_unique<AmbitoConfiguracion>();
            for (int i = 0; i < 50; ++i) QCOMPARE(FmtMoneda(QStringLiteral("1234.5"), true), QStringLiteral("1234.50"));
            QCOMPARE(traza.Configuracion().size(), lecturas);
            b.reset();
            QCOMPARE(AmbitoConfiguracion::Abierto(), profundidad >= 1);
        }
        QVERIFY(!AmbitoConfiguracion::Abierto());
        // After the operation the next amount reads again.
        Traza despues;
        QCOMPARE(FmtMoneda(QStringLiteral("1"), true), QStringLiteral("1.00"));
        QCOMPARE(despues.Configuracion().size(), 1);
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    // One voucher shown reads each configuration key once at most, and a
    // change made by another workstation shows in the next voucher shown.
    void unaLecturaPorClaveAlMostrarYCambioVisible() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre();
        {
            Traza traza;
            Muestra(*f);
            const QStringList cfg = traza.Configuracion();
            QVERIFY2(Repetidas(cfg).isEmpty(), qPrintable(Repetidas(cfg).join(QLatin1Char('\n'))));
            QVERIFY(!cfg.isEmpty());
            qInfo("one voucher shown: %lld statements, %lld of them configuration",
                  static_cast<long long>(traza.Total()), static_cast<long long>(cfg.size()));
        }
        QVERIFY(f->MSFlexGrid1->Rows() > 1);
        QCOMPARE(Decimales(f->MSFlexGrid1->TextMatrix(1, 3)), 2);
        QCOMPARE(Decimales(f->MSFlexGrid1->TextMatrix(1, 4)), 2);

        OtroPuestoCambiaDecimales(env.RutaBase(), QStringLiteral("3"));
        Muestra(*f);
        QCOMPARE(Decimales(f->MSFlexGrid1->TextMatrix(1, 3)), 3);
        QCOMPARE(Decimales(f->MSFlexGrid1->TextMatrix(1, 4)), 3);
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    // One staging run reads each configuration key once at most and writes
    // its amounts with the decimals configured when it ran.
    void unaLecturaPorClaveAlEstacionar() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto estaciona = [] {
            QString tc = QStringLiteral("FC");
            GeneraAuxiliarComprobantes(tc, QStringLiteral("0001"), QStringLiteral("00000025"), QStringLiteral("A"),
                                       QStringLiteral("0"), 3, {}, {}, {}, {}, {}, {});
        };
        {
            Traza traza;
            estaciona();
            const QStringList cfg = traza.Configuracion();
            QVERIFY2(Repetidas(cfg).isEmpty(), qPrintable(Repetidas(cfg).join(QLatin1Char('\n'))));
        }
        QVERIFY(!AmbitoConfiguracion::Abierto());
        QVERIFY(env.respondedor.errores.isEmpty());
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PruebaConfiguracionOperacion t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_configuracion_operacion.moc"
