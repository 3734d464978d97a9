// The database and the disk failing under the program: the file deleted, made
// read-only, truncated, the disk full, another process holding the write
// lock, during a display (the real program, conscpte --exportar), a staging
// and a print. Each failure is reported (message or trap), none is followed
// by a report of success, and a staging leaves the whole voucher or nothing.
// The read-only folder and the full disk are mounts when the tests run as
// root (a read-only bind mount, a small tmpfs); otherwise file modes and
// /dev/full stand in.
#include "inquiry/FrmConsCpteGenerico.h"
#include "printing/ClsReporte.h"
#include "printing/ModImpresion.h"
#include "session/ClsConexion.h"
#include "session/ClsProgreso.h"
#include "session/DialectoSql.h"
#include "session/ModGlobal.h"
#include "support/Fixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

namespace {

const QString kClave = QStringLiteral("PUESTO01|admin");
const QString kFc25 = QStringLiteral("@TC=FC|@Sucursal=1|@Numero=25|@Letra=A|@PConsultaSolamente=SI|");

bool Corre(const QString& programa, const QStringList& args) {
    QProcess p;
    p.start(programa, args);
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// A mount made by the test (root only), undone when it goes.
class Montaje {
public:
    // A tmpfs of `kb` kilobytes, or a read-only bind mount of `origen`.
    static std::unique_ptr<Montaje> Tmpfs(int kb) {
        if (geteuid() != 0) return nullptr;
        auto m = std::unique_ptr<Montaje>(new Montaje);
        if (!Corre(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                             QStringLiteral("size=%1k").arg(kb), QStringLiteral("tmpfs"), m->Ruta()}))
            return nullptr;
        m->montado_ = true;
        return m;
    }
    static std::unique_ptr<Montaje> SoloLectura(const QString& origen) {
        if (geteuid() != 0) return nullptr;
        auto m = std::unique_ptr<Montaje>(new Montaje);
        if (!Corre(QStringLiteral("mount"), {QStringLiteral("--bind"), origen, m->Ruta()})) return nullptr;
        m->montado_ = true;
        if (!Corre(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("remount,bind,ro"), m->Ruta()}))
            return nullptr;
        return m;
    }
    ~Montaje() {
        if (montado_) Corre(QStringLiteral("umount"), {QStringLiteral("-l"), Ruta()});
    }
    QString Ruta() const { return dir_.path(); }
    // Fills the mount until no byte is left.
    void Llena() const {
        QFile f(Ruta() + QStringLiteral("/relleno"));
        if (!f.open(QIODevice::WriteOnly)) return;
        const QByteArray bloque(4096, 'x');
        while (f.write(bloque) == bloque.size() && f.flush()) {}
        f.close();
    }

private:
    Montaje() = default;
    QTemporaryDir dir_;
    bool montado_ = false;
};

// Another workstation writing: this program started again holds the write
// lock of the file named by TALERUNA_BLOQUEA until its input closes.
int SostieneBloqueo(const QByteArray& ruta) {
    sqlite3* db = nullptr;
    if (sqlite3_open(ruta.constData(), &db) != SQLITE_OK || !DialectoSql::RegistraColacion(db)) return 1;
    if (sqlite3_exec(db, "BEGIN IMMEDIATE; INSERT INTO Aux_MV_Cpte (Usuario, TC, Tipo) VALUES ('OTRO|PUESTO', 'FC', 'TA');",
                     nullptr, nullptr, nullptr) != SQLITE_OK)
        return 2;
    std::cout << "listo" << std::endl;
    std::string linea;
    std::getline(std::cin, linea);
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return 0;
}

class Bloqueo {
public:
    explicit Bloqueo(const QString& ruta) {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(QStringLiteral("TALERUNA_BLOQUEA"), ruta);
        p_.setProcessEnvironment(e);
        p_.start(QCoreApplication::applicationFilePath(), {});
        listo_ = p_.waitForReadyRead(30000) && p_.readAll().startsWith("listo");
    }
    ~Bloqueo() {
        p_.closeWriteChannel();
        if (!p_.waitForFinished(10000)) p_.kill();
        p_.waitForFinished();
    }
    bool Listo() const { return listo_; }

private:
    QProcess p_;
    bool listo_ = false;
};

void Trunca(const QString& ruta) {
    QFile f(ruta);
    if (f.open(QIODevice::ReadWrite)) f.resize(f.size() / 3);
}

// The session's connection to another database file.
void Conecta(const QString& ruta) {
    ClsConexion& cnx = Conexion();
    cnx.Cierra();
    cnx.BaseDatos = ruta;
    cnx.Conecta(false, 1);
}

// Staged rows of the session's key, as another connection sees them
// (-1 when the file cannot be read).
int Estacionadas(const QString& ruta) {
    sqlite3* db = nullptr;
    int n = -1;
    if (sqlite3_open_v2(ruta.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT COUNT(*) FROM Aux_MV_Cpte WHERE Usuario = 'PUESTO01|admin'", -1, &st, nullptr) ==
                SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW)
            n = sqlite3_column_int(st, 0);
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return n;
}

using Prueba::Corrida;

Corrida Exporta(const QString& base) {
    return Prueba::EjecutaPrograma({QStringLiteral("--exportar"), QStringLiteral("-"),
                                    QStringLiteral("@Server=;@DbName=%1;@ParametroAdicional=%2;").arg(base, kFc25)});
}

QStringList Encabezado(const QString& exportado) {
    const QStringList l = exportado.split(QLatin1Char('\n'));
    for (int i = 0; i < l.size(); ++i)
        if (l[i].startsWith(QLatin1String("Encabezado: "))) return l.mid(i + 1, l[i].mid(12).toInt());
    return {};
}

// What a fault is done with, before the program meets it.
enum class Falla { Borrada, SoloLectura, Truncada, DiscoLleno, Bloqueada };

} // namespace

Q_DECLARE_METATYPE(Falla)

class PruebaFallas : public QObject {
    Q_OBJECT

    // Prepares the fault on a copy of the demo database; returns the path the
    // program is to use ("" when the fault cannot be made here) and keeps what
    // holds the fault alive in the arguments.
    QString Prepara(Falla falla, const Prueba::Entorno& env, std::unique_ptr<Montaje>& montaje,
                    std::unique_ptr<Bloqueo>& bloqueo, bool conectada) {
        const QString base = env.RutaBase();
        switch (falla) {
        case Falla::Borrada:
            if (conectada) Conecta(base);
            QFile::remove(base);
            return base;
        case Falla::Truncada:
            if (conectada) Conecta(base);
            Trunca(base);
            return base;
        case Falla::SoloLectura: {
            montaje = Montaje::SoloLectura(env.Carpeta());
            if (montaje) {
                const QString ruta = montaje->Ruta() + QStringLiteral("/prueba.db");
                if (conectada) Conecta(ruta);
                return ruta;
            }
            if (geteuid() == 0) return {};
            QFile::setPermissions(base, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
            QFile::setPermissions(env.Carpeta(), QFile::ReadOwner | QFile::ExeOwner);
            if (conectada) Conecta(base);
            return base;
        }
        case Falla::DiscoLleno: {
            const qint64 tamano = QFileInfo(base).size();
            montaje = Montaje::Tmpfs(static_cast<int>(tamano / 1024) + 256);
            if (!montaje) return {};
            const QString ruta = montaje->Ruta() + QStringLiteral("/prueba.db");
            if (!QFile::copy(base, ruta)) return {};
            if (conectada) Conecta(ruta);
            montaje->Llena();
            return ruta;
        }
        case Falla::Bloqueada:
            bloqueo = std::make_unique<Bloqueo>(base);
            if (!bloqueo->Listo()) return {};
            if (conectada) {
                Conecta(base);
                Conexion().EstableceTiempoEspera(2);
            }
            return base;
        }
        return {};
    }

    static void Filas() {
        QTest::addColumn<Falla>("falla");
        QTest::newRow("base borrada") << Falla::Borrada;
        QTest::newRow("base de solo lectura") << Falla::SoloLectura;
        QTest::newRow("base truncada") << Falla::Truncada;
        QTest::newRow("disco lleno") << Falla::DiscoLleno;
        QTest::newRow("otro proceso escribe") << Falla::Bloqueada;
    }

private slots:
    void init() {
        qputenv("TALERUNA_REPORTES", Prueba::RutaFuente(QStringLiteral("reports")).toUtf8());
        qputenv("TALERUNA_TERMINAL", "PUESTO01");
        qputenv("TALERUNA_USUARIO", "admin");
    }

    // A staging meeting the fault: reported, and the whole voucher or nothing.
    void estacionar_data() { Filas(); }
    void estacionar() {
        QFETCH(Falla, falla);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        std::unique_ptr<Montaje> montaje;
        std::unique_ptr<Bloqueo> bloqueo;
        const QString ruta = Prepara(falla, env, montaje, bloqueo, true);
        if (ruta.isEmpty()) QSKIP("this fault cannot be made on this machine");
        QString tc = QStringLiteral("FC");
        GeneraAuxiliarComprobantes(tc, QStringLiteral("0001"), QStringLiteral("00000025"), QStringLiteral("A"),
                                   QStringLiteral("0"), 3, {}, {}, {}, {}, {}, {});
        const int filas = Estacionadas(ruta);
        const bool informado = !env.respondedor.errores.isEmpty() || !env.respondedor.mensajes.isEmpty();
        const QString errores = env.respondedor.errores.isEmpty() ? QString() : env.respondedor.errores.first().descripcion;
        if (falla == Falla::Borrada) {
            // The file is gone: whatever was written went nowhere a user can see.
            QVERIFY2(informado, "a staging into a deleted file reported nothing");
        } else if (informado) {
            QVERIFY2(filas <= 0, qPrintable(QStringLiteral("%1 rows left after: %2").arg(filas).arg(errores)));
        } else {
            // No fault met: the whole voucher, as another workstation sees it.
            QVERIFY2(falla == Falla::Truncada, "the fault went unreported");
            QCOMPARE(filas, 19);
        }
        QVERIFY(!Progreso().Visible());
        Conexion().Cierra();
    }

    // A display by the real program: an exit status of 0 only with the
    // voucher on screen and no error; otherwise the failure on standard error.
    void mostrar_data() { Filas(); }
    void mostrar() {
        QFETCH(Falla, falla);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        Conexion().Cierra();
        std::unique_ptr<Montaje> montaje;
        std::unique_ptr<Bloqueo> bloqueo;
        const QString ruta = Prepara(falla, env, montaje, bloqueo, false);
        if (ruta.isEmpty()) QSKIP("this fault cannot be made on this machine");
        const Corrida c = Exporta(ruta);
        QVERIFY2(c.codigo >= 0 && c.codigo <= 3, qPrintable(QStringLiteral("status %1: %2").arg(c.codigo).arg(c.errores)));
        if (c.codigo == 0) {
            QVERIFY2(!Encabezado(c.salida).isEmpty(), qPrintable(c.salida.left(400)));
            QVERIFY2(!c.errores.contains(QLatin1String("Error ")), qPrintable(c.errores));
            QVERIFY2(falla != Falla::Borrada && falla != Falla::Truncada, "a voucher shown from a deleted or truncated file");
        } else {
            QVERIFY2(!c.errores.trimmed().isEmpty(), "a failure without a word on standard error");
            QVERIFY(Encabezado(c.salida).isEmpty());
        }
        // Showing a voucher never creates or repairs the database file.
        if (falla == Falla::Borrada) QVERIFY(!QFile::exists(ruta));
    }

    // A print from the toolbar with the voucher on screen, the database
    // failing after it was shown; with a print of the same voucher before
    // the fault, its staged rows are still in the file. A print is done only
    // when nothing was reported, and then holds the whole voucher; otherwise
    // the failure is reported and no stale rows are printed. The staged rows
    // are the whole voucher or none.
    void imprimir_data() {
        QTest::addColumn<Falla>("falla");
        QTest::addColumn<bool>("previa");
        const QList<QPair<const char*, Falla>> fallas{{"base borrada", Falla::Borrada},
                                                     {"base de solo lectura", Falla::SoloLectura},
                                                     {"base truncada", Falla::Truncada},
                                                     {"disco lleno", Falla::DiscoLleno},
                                                     {"otro proceso escribe", Falla::Bloqueada}};
        for (const auto& [nombre, falla] : fallas) {
            QTest::newRow(nombre) << falla << false;
            QTest::newRow(qPrintable(QStringLiteral("%1, impreso antes").arg(QLatin1String(nombre)))) << falla << true;
        }
    }
    void imprimir() {
        QFETCH(Falla, falla);
        QFETCH(bool, previa);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        QTemporaryDir salida;
        const QString pdf = salida.filePath(QStringLiteral("factura.pdf"));
        auto campo = [](const QString& v, int ancho) { return v.toLatin1().leftJustified(ancho, ' ', true); };
        env.EscribeArchivo(QStringLiteral("PRINTERS.PRN"),
                           campo(kClave, 255) + campo(QStringLiteral("FC"), 4) + campo(QStringLiteral("A"), 1) +
                               campo(QStringLiteral("PDF | FILE:") + pdf, 510) + campo(QStringLiteral("1"), 3) +
                               campo(QStringLiteral("30"), 3) + campo(QStringLiteral("Impresora"), 20));
        ParametroAdicional = kFc25;
        FrmConsCpteGenerico f;
        f.Form_Load();
        ParametroAdicional.clear();
        QVERIFY(f.ComprobanteMostrado());
        if (previa) {
            f.Toolbar1_ButtonClick(2);
            QVERIFY(Reporte().UltimaEjecucion().realizada);
            QVERIFY(QFile::remove(pdf));
        }
        QVERIFY2(env.respondedor.errores.isEmpty() && env.respondedor.mensajes.isEmpty(), "a fault before the fault");

        std::unique_ptr<Montaje> montaje;
        std::unique_ptr<Bloqueo> bloqueo;
        const QString ruta = Prepara(falla, env, montaje, bloqueo, true);
        if (ruta.isEmpty()) QSKIP("this fault cannot be made on this machine");
        const int antes = Reporte().Ejecuciones();
        f.Toolbar1_ButtonClick(2);

        QStringList dicho;
        for (const auto& m : env.respondedor.mensajes) dicho << m.texto;
        for (const auto& e : env.respondedor.errores) dicho << e.descripcion;
        const QString informe = dicho.join(QLatin1Char('\n'));
        const bool impreso = Reporte().Ejecuciones() > antes && Reporte().UltimaEjecucion().realizada;
        const int filas = Estacionadas(ruta);
        if (impreso) {
            QVERIFY2(dicho.isEmpty(), qPrintable(QStringLiteral("printed after: %1").arg(informe)));
            QVERIFY2(falla == Falla::Truncada, "the fault went unreported");
            QCOMPARE(filas, 19);
            QFile archivo(pdf);
            QVERIFY(archivo.open(QIODevice::ReadOnly));
            QVERIFY(archivo.readAll().contains("%%EOF"));
        } else {
            QVERIFY2(!dicho.isEmpty(), "a print that did not happen reported nothing");
            QVERIFY2(!QFile::exists(pdf), qPrintable(informe));
            QVERIFY2(filas <= 0 || filas == 19, qPrintable(QStringLiteral("%1 rows left after: %2").arg(filas).arg(informe)));
        }
        QVERIFY(!Progreso().Visible());
        Conexion().Cierra();
    }

    // A print into a file on a full disk: refused, never reported as done.
    void imprimirEnDiscoLleno_data() {
        QTest::addColumn<bool>("tmpfs");
        QTest::newRow("/dev/full") << false;
        QTest::newRow("tmpfs lleno") << true;
    }
    void imprimirEnDiscoLleno() {
        QFETCH(bool, tmpfs);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        std::unique_ptr<Montaje> montaje;
        QString pdf = QStringLiteral("/dev/full");
        if (tmpfs) {
            montaje = Montaje::Tmpfs(64);
            if (!montaje) QSKIP("a tmpfs can be mounted only as root");
            montaje->Llena();
            pdf = montaje->Ruta() + QStringLiteral("/factura.pdf");
        }
        auto campo = [](const QString& v, int ancho) { return v.toLatin1().leftJustified(ancho, ' ', true); };
        env.EscribeArchivo(QStringLiteral("PRINTERS.PRN"),
                           campo(kClave, 255) + campo(QStringLiteral("FC"), 4) + campo(QStringLiteral("A"), 1) +
                               campo(QStringLiteral("PDF | FILE:") + pdf, 510) + campo(QStringLiteral("1"), 3) +
                               campo(QStringLiteral("30"), 3) + campo(QStringLiteral("Impresora"), 20));
        QString tc = QStringLiteral("FC");
        GeneraAuxiliarComprobantes(tc, QStringLiteral("0001"), QStringLiteral("00000025"), QStringLiteral("A"),
                                   QStringLiteral("0"), 3, {}, {}, {}, {}, {}, {});
        QStringList orden{QString()};
        QString seleccion;
        int destino = 1;
        ImprimirComprobante(tc, QStringLiteral("000100000025A"), QStringLiteral("0"), QStringLiteral("FC"), orden, seleccion,
                            {QString()}, destino, 0);
        QStringList dicho;
        for (const auto& m : env.respondedor.mensajes) dicho << m.texto;
        for (const auto& e : env.respondedor.errores) dicho << e.descripcion;
        QVERIFY2(!Reporte().UltimaEjecucion().realizada, qPrintable(dicho.join(QLatin1Char('\n'))));
        QVERIFY2(dicho.join(QLatin1Char('\n')).contains(QStringLiteral("no se imprimió")), qPrintable(dicho.join(QLatin1Char('\n'))));
    }
};

int main(int argc, char** argv) {
    const QByteArray ruta = qgetenv("TALERUNA_BLOQUEA");
    if (!ruta.isEmpty()) return SostieneBloqueo(ruta);
    QApplication app(argc, argv);
    PruebaFallas prueba;
    return QTest::qExec(&prueba, argc, argv);
}

#include "test_fallas.moc"
