// Hostile values in every piece of the command line and of the form's
// parameters, run through the real program (conscpte --exportar -): it never
// crashes or hangs, never writes the password anywhere, never touches the
// database, shows no voucher the key does not identify, and its exit status
// tells the truth about what happened.
#include "session/ClsConexion.h"
#include "session/ModGlobal.h"
#include "support/Fixture.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <sqlite3.h>

#include <memory>
#include <vector>

namespace {

const QByteArray kClave = "Secreto-9931";

// The values: apostrophes and SQL fragments, brackets, backslashes, "%" and
// "_", control characters, very long texts, invalid UTF-8, other scripts,
// huge, negative, fractional and exponent numbers, "=", ";" and "|".
QList<QByteArray> Valores() {
    QList<QByteArray> v{
        "'", "''", "' OR '1'='1", "1' OR '1'='1' --", "'; DROP TABLE CANARIO; --", "1; DROP TABLE CANARIO",
        "\"; DELETE FROM CANARIO; --", "25 OR 1=1", "25) OR (1=1", "25' UNION SELECT * FROM CANARIO --",
        "[", "]", "[CANARIO]", "{MV_ASIENTOS.TC}", "(((((", "`",
        "\\", "\\'", "C:\\Windows\\system32", "%", "_", "%25%", "F_", "*",
        "\x01\x02\x03", "\t\r\n", "\x1b[31mrojo\x1b[0m", "\x7f", "a\rb", "\x07\x08",
        QByteArray(100000, 'A'), QByteArray(100000, '\''), QByteArray(50000, '|'),
        "\xff\xfe", "\xc3\x28", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xc0\xaf", "25\xff",
        "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e", "\xce\x95\xce\xbb\xce\xbb\xce\xb7\xce\xbd\xce\xb9\xce\xba\xce\xac",
        "\xd7\xa2\xd7\x91\xd7\xa8\xd7\x99\xd7\xaa", "\xd8\xa7\xd9\x84\xd8\xb9\xd8\xb1\xd8\xa8\xd9\x8a\xd8\xa9",
        "\xf0\x9f\x98\x80", "\xc3\x91\x61nd\xc3\xba", "\xe2\x80\xae" "25",
        "99999999999999999999999999", "-1", "-25", "0", "2147483648", "-9223372036854775809", "1e308", "1e400",
        "25.5", "25,5", "2.5e1", "0x19", "NaN", "inf", "+25", "25abc",
        "=", "a=b", ";", "|", "@TC=RC|", "@Password=", ";@Server=otro;", "|@Numero=26|", "==;;||",
        "", " ", "NULL", "SI", "--exportar", "-platform",
    };
    return v;
}

// Where a value goes: a piece of the command line or of the form's parameters.
struct Linea {
    QByteArray servidor, base, usuario = "OPERADOR", clave = kClave, adicional;
    QByteArray gestion = "NO", tc = "FC", sucursal = "1", numero = "25", letra = "A", proveedor, consulta = "SI";
    bool adicionalEntero = false;
    QByteArray Texto() const {
        const QByteArray parametros =
            adicionalEntero ? adicional
                            : "@GestionCompras=" + gestion + "|@TC=" + tc + "|@Sucursal=" + sucursal + "|@Numero=" + numero +
                                  "|@Letra=" + letra + "|@Proveedor=" + proveedor + "|@PConsultaSolamente=" + consulta + "|";
        return "@Server=" + servidor + ";@DbName=" + base + ";@Usuario=" + usuario + ";@Password=" + clave +
               ";@ParametroAdicional=" + parametros + ";";
    }
};

struct Corrida {
    QByteArray valor;
    QStringList clave;  // TC, Sucursal, Numero, Letra as the text carries them
    std::unique_ptr<QProcess> proceso;
    QElapsedTimer reloj;
    bool colgada = false;
    qint64 ms = 0;
};

QByteArray Suma(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex();
}

// The rows of CANARIO and the database's table list.
QString Canario(const QString& ruta) {
    sqlite3* db = nullptr;
    QString r;
    if (sqlite3_open_v2(ruta.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        const char* sql = "SELECT (SELECT group_concat(VALOR, ',') FROM CANARIO) || ' / ' || "
                          "(SELECT group_concat(name, ',') FROM (SELECT name FROM sqlite_master ORDER BY name))";
        if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
            r = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return r;
}

QStringList Encabezado(const QString& exportado) {
    const QStringList l = exportado.split(QLatin1Char('\n'));
    for (int i = 0; i < l.size(); ++i)
        if (l[i].startsWith(QLatin1String("Encabezado: "))) return l.mid(i + 1, l[i].mid(12).toInt());
    return {};
}

// A whole number, perhaps with a "+" before it (the field reads "+25" as 25).
bool EsEntero(const QByteArray& v, int esperado) {
    QByteArray t = v.trimmed();
    if (t.startsWith('+')) t.remove(0, 1);
    if (t.isEmpty()) return false;
    for (char c : t)
        if (c < '0' || c > '9') return false;
    bool ok = false;
    return t.toLongLong(&ok) == esperado && ok;
}

} // namespace

class PruebaHostil : public QObject {
    Q_OBJECT
    std::unique_ptr<Prueba::Entorno> env_;
    QStringList encabezadoFc25_;
    QByteArray suma_;
    QString canario_;

    // Runs the program once per value, a few at a time, with the value put in
    // the line by `pon`; returns every broken promise found.
    QStringList Corre(const std::function<void(Linea&, const QByteArray&)>& pon, const QString& pieza) {
        QStringList fallas;
        const QList<QByteArray> valores = Valores();
        std::vector<std::unique_ptr<Corrida>> activas;
        qsizetype siguiente = 0;
        const int paralelas = 3;
        // A run longer than this is a hang (TALERUNA_FACTOR_TIEMPO: how many
        // times slower the build under test runs; the sanitizer run sets it).
        const qint64 limite = 30000 * qMax(1, qEnvironmentVariableIntValue("TALERUNA_FACTOR_TIEMPO"));
        auto lanza = [&](const QByteArray& valor) {
            Linea l;
            l.base = env_->RutaBase().toUtf8();
            pon(l, valor);
            // The line goes through a file and the shell, so any byte (less
            // NUL, which no argument can hold) reaches the program as it is.
            const QString archivo = env_->Carpeta() + QStringLiteral("linea_%1").arg(siguiente);
            QFile f(archivo);
            if (!f.open(QIODevice::WriteOnly) || f.write(l.Texto()) < 0) return;
            f.close();
            auto c = std::make_unique<Corrida>();
            c->valor = valor;
            for (const char* k : {"@TC", "@Sucursal", "@Numero", "@Letra"}) {
                QString v;
                try {
                    v = ObtieneParametro(ValorLineaComandos(QString::fromUtf8(l.Texto()), QStringLiteral("@ParametroAdicional")),
                                         QString::fromLatin1(k));
                } catch (...) {
                    v = QStringLiteral("?");
                }
                c->clave << v;
            }
            c->proceso = std::make_unique<QProcess>();
            c->proceso->setWorkingDirectory(env_->Carpeta());
            c->proceso->start(QStringLiteral("/bin/sh"),
                              {QStringLiteral("-c"), QStringLiteral("exec \"$1\" --exportar - \"$(cat \"$2\")\""),
                               QStringLiteral("sh"), Prueba::RutaBinario(QStringLiteral("conscpte")), archivo});
            c->reloj.start();
            activas.push_back(std::move(c));
        };
        auto revisa = [&](Corrida& c) {
            const QString nombre = pieza + QStringLiteral(" = ") + QString::fromUtf8(c.valor.left(40).toPercentEncoding());
            QProcess& p = *c.proceso;
            const QByteArray salida = p.readAllStandardOutput();
            const QByteArray errores = p.readAllStandardError();
            if (c.colgada) { fallas << nombre + QStringLiteral(": más de %1 s").arg(limite / 1000); return; }
            if (p.exitStatus() != QProcess::NormalExit || p.exitCode() < 0 || p.exitCode() > 3) {
                fallas << nombre + QStringLiteral(": terminó mal (%1) %2").arg(p.exitCode()).arg(QString::fromUtf8(errores.right(300)));
                return;
            }
            if (salida.contains(kClave) || errores.contains(kClave))
                fallas << nombre + QStringLiteral(": la clave aparece en la salida");
            const int codigo = p.exitCode();
            const QString texto = QString::fromUtf8(salida);
            const QString err = QString::fromUtf8(errores);
            const QStringList enc = Encabezado(texto);
            // The key the parameter text carries: a value holding "|@Numero=26|"
            // names another voucher in the text itself (the first of a key counts).
            // Pieces of the command line other than the form's text leave its key alone.
            const bool dePrograma = pieza == QLatin1String("@Server") || pieza == QLatin1String("@DbName") ||
                                    pieza == QLatin1String("@Usuario") || pieza == QLatin1String("@Password");
            const bool otraClave = !dePrograma && c.clave != QStringList{QStringLiteral("FC"), QStringLiteral("1"), QStringLiteral("25"),
                                                          QStringLiteral("A")};
            if (!enc.isEmpty() && !otraClave && enc != encabezadoFc25_)
                fallas << nombre + QStringLiteral(": muestra otro comprobante: ") + enc.join(QLatin1Char('/')).left(200);
            if (!enc.isEmpty() && enc == encabezadoFc25_) {
                if (otraClave && pieza != QLatin1String("@Numero") && pieza != QLatin1String("@Sucursal") &&
                    pieza != QLatin1String("@TC") && pieza != QLatin1String("@Letra"))
                    fallas << nombre + QStringLiteral(": muestra FC 25 con otra clave: ") + c.clave.join(QLatin1Char('-'));
                if (pieza == QLatin1String("@Numero") && !EsEntero(c.valor, 25))
                    fallas << nombre + QStringLiteral(": muestra FC 25 con un número que no es 25");
                if (pieza == QLatin1String("@Sucursal") && !EsEntero(c.valor, 1))
                    fallas << nombre + QStringLiteral(": muestra FC 25 con una sucursal que no es 1");
                if (pieza == QLatin1String("@Letra") && c.valor.trimmed().toUpper() != "A")
                    fallas << nombre + QStringLiteral(": muestra FC 25 con una letra que no es A");
                if (pieza == QLatin1String("@TC") && c.valor.trimmed().toUpper() != "FC")
                    fallas << nombre + QStringLiteral(": muestra FC 25 con un tipo que no es FC");
            }
            // The exit status against what happened.
            if (codigo == 0 && err.contains(QLatin1String("Error ")))
                fallas << nombre + QStringLiteral(": 0 tras un error: ") + err.left(200);
            if (codigo == 2 && !enc.isEmpty()) fallas << nombre + QStringLiteral(": 2 con el comprobante a la vista");
            if (codigo == 3 && !err.contains(QLatin1String("Error ")))
                fallas << nombre + QStringLiteral(": 3 sin error informado: ") + err.left(200);
            if (codigo == 1 && !err.contains(QLatin1String("No se pudo conectar")))
                fallas << nombre + QStringLiteral(": 1 sin mensaje de conexión: ") + err.left(200);
            if (codigo != 1 && codigo != 3 && !texto.startsWith(QLatin1String("Ventana: ")))
                fallas << nombre + QStringLiteral(": sin exportación");
            if (c.ms > limite) fallas << nombre + QStringLiteral(": %1 ms").arg(c.ms);
        };
        while (siguiente < valores.size() || !activas.empty()) {
            while (siguiente < valores.size() && static_cast<int>(activas.size()) < paralelas) {
                lanza(valores[siguiente]);
                ++siguiente;
            }
            for (auto it = activas.begin(); it != activas.end();) {
                Corrida& c = **it;
                bool fin = c.proceso->waitForFinished(20);
                if (!fin && c.reloj.elapsed() > limite) {
                    c.colgada = true;
                    c.proceso->kill();
                    c.proceso->waitForFinished();
                    fin = true;
                }
                if (fin) {
                    c.ms = c.reloj.elapsed();
                    revisa(c);
                    it = activas.erase(it);
                } else {
                    ++it;
                }
            }
        }
        if (Suma(env_->RutaBase()) != suma_) fallas << pieza + QStringLiteral(": el archivo de la base cambió");
        if (Canario(env_->RutaBase()) != canario_)
            fallas << pieza + QStringLiteral(": CANARIO o las tablas cambiaron: ") + Canario(env_->RutaBase());
        return fallas;
    }

private slots:
    void initTestCase() {
        env_ = std::make_unique<Prueba::Entorno>(
            Prueba::Entorno::Datos::Demo,
            QStringLiteral("CREATE TABLE CANARIO (VALOR TEXT NOT NULL);\nINSERT INTO CANARIO VALUES ('vivo');"));
        // The program alone uses the database from here on.
        Conexion().Cierra();
        // The reference: FC 0001-00000025-A as the program shows it.
        QProcess p;
        Linea l;
        l.base = env_->RutaBase().toUtf8();
        p.start(Prueba::RutaBinario(QStringLiteral("conscpte")),
                {QStringLiteral("--exportar"), QStringLiteral("-"), QString::fromUtf8(l.Texto())});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        encabezadoFc25_ = Encabezado(QString::fromUtf8(p.readAllStandardOutput()));
        QVERIFY(!encabezadoFc25_.isEmpty());
        suma_ = Suma(env_->RutaBase());
        canario_ = Canario(env_->RutaBase());
        QVERIFY2(canario_.startsWith(QLatin1String("vivo / ")), qPrintable(canario_));
        QVERIFY(Valores().size() >= 60);
    }

    void cadaPieza_data() {
        QTest::addColumn<QString>("pieza");
        for (const char* p : {"@Server", "@DbName", "@Usuario", "@Password", "@ParametroAdicional", "@GestionCompras", "@TC",
                              "@Sucursal", "@Numero", "@Letra", "@Proveedor", "@PConsultaSolamente"})
            QTest::newRow(p) << QString::fromLatin1(p);
    }
    // TALERUNA_HOSTIL_PIEZAS (a comma list, e.g. "@DbName,@Numero") runs every
    // value through those pieces only and skips the others by name: the
    // sanitizer run sets it, where each run of the program is several times slower.
    void cadaPieza() {
        QFETCH(QString, pieza);
        const QString solo = qEnvironmentVariable("TALERUNA_HOSTIL_PIEZAS").remove(QLatin1Char(' '));
        if (!solo.isEmpty() && !solo.split(QLatin1Char(','), Qt::SkipEmptyParts).contains(pieza))
            QSKIP(qPrintable(QStringLiteral("%1 is not in TALERUNA_HOSTIL_PIEZAS=%2").arg(pieza, solo)));
        const QByteArray p = pieza.toLatin1();
        const QStringList fallas = Corre(
            [&](Linea& l, const QByteArray& v) {
                if (p == "@Server") l.servidor = v;
                else if (p == "@DbName") l.base = v;
                else if (p == "@Usuario") l.usuario = v;
                else if (p == "@Password") l.clave = kClave + v;
                else if (p == "@ParametroAdicional") { l.adicional = v; l.adicionalEntero = true; }
                else if (p == "@GestionCompras") l.gestion = v;
                else if (p == "@TC") l.tc = v;
                else if (p == "@Sucursal") l.sucursal = v;
                else if (p == "@Numero") l.numero = v;
                else if (p == "@Letra") l.letra = v;
                else if (p == "@Proveedor") l.proveedor = v;
                else if (p == "@PConsultaSolamente") l.consulta = v;
            },
            pieza);
        QVERIFY2(fallas.isEmpty(), qPrintable(fallas.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(PruebaHostil)
#include "test_hostil.moc"
