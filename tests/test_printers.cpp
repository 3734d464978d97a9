// PRINTERS.PRN: fixed 796-byte records in Windows-1252, written byte by byte here.
#include "printing/ModImpresion.h"
#include "session/ModGlobal.h"
#include "support/Fixture.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

QByteArray Campo(const QByteArray& v, int ancho, char relleno = ' ') {
    QByteArray c = v.left(ancho);
    c.append(QByteArray(ancho - c.size(), relleno));
    return c;
}

struct Reg {
    QByteArray usuario = "PUESTO01|admin", tc = "FC", letra = "A", impresora = "HP LaserJet|LPT1:", copias = "  2",
               lineas = " 30", destino = "Impresora";
    char relleno = ' ';
    QByteArray Bytes() const {
        return Campo(usuario, 255, relleno) + Campo(tc, 4, relleno) + Campo(letra, 1, relleno) +
               Campo(impresora, 510, relleno) + Campo(copias, 3, relleno) + Campo(lineas, 3, relleno) +
               Campo(destino, 20, relleno);
    }
};

struct Respuesta {
    QString impresora = QStringLiteral("sin tocar");
    int copias = -7;
    int lineas = -7;
    QString destino = QStringLiteral("sin tocar");
};

Respuesta Busca(const QString& tc = QStringLiteral("FC"), const QString& letra = QStringLiteral("A")) {
    Respuesta r;
    ObtieneImpresoraComprobante(tc, letra, r.impresora, r.copias, r.lineas, r.destino);
    return r;
}

} // namespace

class PruebaImpresoras : public QObject {
    Q_OBJECT

private slots:
    void init() {
        qputenv("TALERUNA_TERMINAL", "PUESTO01");
        qputenv("TALERUNA_USUARIO", "admin");
    }

    void limpiaCampo_data() {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("limpio");
        QTest::newRow("blancos a ambos lados") << "  HP  " << "HP";
        QTest::newRow("NUL de relleno") << QString(QStringLiteral("HP") + QString(3, QChar(0))) << "HP";
        QTest::newRow("caracter 255 de relleno") << QString(QStringLiteral("HP") + QString(3, QChar(0xFF))) << "HP";
        QTest::newRow("salto de línea dentro") << "H\nP \n" << "HP";
        QTest::newRow("todo relleno") << QString(QString(4, QChar(0)) + QStringLiteral("  ")) << "";
        QTest::newRow("blancos interiores quedan") << " E-M@ail de caja " << "E-M@ail de caja";
    }
    void limpiaCampo() {
        QFETCH(QString, campo);
        QFETCH(QString, limpio);
        QCOMPARE(LimpiaCampo(campo), limpio);
    }

    // A missing file answers "no assignment" and is left behind empty.
    void archivoFaltanteSeCreaVacio() {
        Prueba::Entorno env;
        const QString ruta = env.Carpeta() + QStringLiteral("PRINTERS.PRN");
        QVERIFY(!QFile::exists(ruta));
        const Respuesta r = Busca();
        QCOMPARE(r.impresora, QString());
        QCOMPARE(r.copias, 0);
        QCOMPARE(r.lineas, -7);
        QCOMPARE(r.destino, QStringLiteral("sin tocar"));
        QVERIFY(QFile::exists(ruta));
        QCOMPARE(QFileInfo(ruta).size(), 0);
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    // Which record answers, for files the test writes byte by byte.
    void registroQueResponde_data() {
        QTest::addColumn<QByteArray>("archivo");
        QTest::addColumn<QString>("tc");
        QTest::addColumn<QString>("letra");
        QTest::addColumn<QString>("impresora");
        QTest::addColumn<int>("copias");
        QTest::addColumn<int>("lineas");
        QTest::addColumn<QString>("destino");
        Reg base;
        QTest::newRow("registro completo") << base.Bytes() << "FC" << "A" << "HP LaserJet|LPT1:" << 2 << 30 << "Impresora";
        Reg otro = base;
        otro.impresora = "Segunda|LPT2:";
        QTest::newRow("el primero gana") << (base.Bytes() + otro.Bytes()) << "FC" << "A" << "HP LaserJet|LPT1:" << 2 << 30 << "Impresora";
        Reg mayus = base;
        mayus.usuario = "puesto01|ADMIN";
        mayus.tc = "fc";
        QTest::newRow("usuario y tipo en otras letras") << mayus.Bytes() << "FC" << "a" << "HP LaserJet|LPT1:" << 2 << 30 << "Impresora";
        QTest::newRow("tipo de cuatro caracteres") << base.Bytes() << "FC  " << " A " << "HP LaserJet|LPT1:" << 2 << 30 << "Impresora";
        Reg otraLetra = base;
        otraLetra.letra = "B";
        otraLetra.impresora = "Letra B";
        QTest::newRow("salta otra letra") << (otraLetra.Bytes() + base.Bytes()) << "FC" << "A" << "HP LaserJet|LPT1:" << 2 << 30 << "Impresora";
        Reg otroPuesto = base;
        otroPuesto.usuario = "PUESTO02|admin";
        QTest::newRow("otro puesto no responde") << otroPuesto.Bytes() << "FC" << "A" << "" << 0 << -7 << "sin tocar";
        Reg relleno = base;
        relleno.relleno = '\0';
        QTest::newRow("campos rellenos con NUL") << relleno.Bytes() << "FC" << "A" << "HP LaserJet|LPT1:" << 2 << 30 << "Impresora";
        Reg ff = base;
        ff.relleno = '\xFF';
        QTest::newRow("campos rellenos con 255") << ff.Bytes() << "FC" << "A" << "HP LaserJet|LPT1:" << 2 << 30 << "Impresora";
        Reg ansi = base;
        ansi.impresora = "Impresora Administraci\xF3n \x80 \x93" "caja\x94|\\\\srv\\hp";
        QTest::newRow("Windows-1252 a Unicode") << ansi.Bytes() << "FC" << "A"
                                                << QStringLiteral("Impresora Administración € “caja”|\\\\srv\\hp") << 2 << 30 << "Impresora";
        QTest::newRow("1000 bytes: un registro, el resto se ignora")
            << (base.Bytes() + otro.Bytes().left(204)) << "FC" << "A" << "HP LaserJet|LPT1:" << 2 << 30 << "Impresora";
        QTest::newRow("registro incompleto se ignora") << otro.Bytes().left(795) << "FC" << "A" << "" << 0 << -7 << "sin tocar";
        QTest::newRow("archivo vacío") << QByteArray() << "FC" << "A" << "" << 0 << -7 << "sin tocar";
        Reg vacias = base;
        vacias.copias = "   ";
        vacias.lineas = "";
        QTest::newRow("copias y líneas vacías valen 0") << vacias.Bytes() << "FC" << "A" << "HP LaserJet|LPT1:" << 0 << 0 << "Impresora";
        Reg letras = base;
        letras.copias = "dos";
        letras.lineas = "3x";
        QTest::newRow("copias que no son número valen 0") << letras.Bytes() << "FC" << "A" << "HP LaserJet|LPT1:" << 0 << 3 << "Impresora";
        Reg pantalla = base;
        pantalla.impresora = "";
        pantalla.destino = "Controlador Fiscal:";
        QTest::newRow("destino de veinte caracteres") << pantalla.Bytes() << "FC" << "A" << "" << 2 << 30 << "Controlador Fiscal:";
    }
    void registroQueResponde() {
        QFETCH(QByteArray, archivo);
        QFETCH(QString, tc);
        QFETCH(QString, letra);
        QFETCH(QString, impresora);
        QFETCH(int, copias);
        QFETCH(int, lineas);
        QFETCH(QString, destino);
        Prueba::Entorno env;
        env.EscribeArchivo(QStringLiteral("PRINTERS.PRN"), archivo);
        const Respuesta r = Busca(tc, letra);
        QCOMPARE(r.impresora, impresora);
        QCOMPARE(r.copias, copias);
        QCOMPARE(r.lineas, lineas);
        QCOMPARE(r.destino, destino);
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    // Any bytes at all: no crash, no error, an answer.
    void basuraNoRompe_data() {
        QTest::addColumn<QByteArray>("archivo");
        QByteArray azar;
        quint32 x = 12345;
        for (int i = 0; i < 796 * 5 + 17; ++i) {
            x = x * 1103515245u + 12345u;
            azar.append(static_cast<char>(x >> 24));
        }
        QTest::newRow("bytes al azar") << azar;
        QTest::newRow("todo 0xFF") << QByteArray(796 * 3, '\xFF');
        QTest::newRow("todo NUL") << QByteArray(796 * 2, '\0');
        QTest::newRow("muy grande") << QByteArray(796 * 5000, ' ');
        QTest::newRow("un byte") << QByteArray("A");
    }
    void basuraNoRompe() {
        QFETCH(QByteArray, archivo);
        Prueba::Entorno env;
        env.EscribeArchivo(QStringLiteral("PRINTERS.PRN"), archivo);
        const Respuesta r = Busca();
        QCOMPARE(r.impresora, QString());
        QCOMPARE(r.copias, 0);
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    // A folder where the file cannot be created: the error is reported, Copias 0.
    void carpetaInaccesibleInformaElError() {
        Prueba::Entorno env;
        const QString antes = CarpetaApp;
        CarpetaApp = env.Carpeta() + QStringLiteral("no/existe/");
        const Respuesta r = Busca();
        CarpetaApp = antes;
        QCOMPARE(r.copias, 0);
        QCOMPARE(env.respondedor.errores.size(), 1);
        QCOMPARE(env.respondedor.errores.first().procedimiento, QStringLiteral("ObtieneImpresoraComprobante"));
    }
};

QTEST_MAIN(PruebaImpresoras)
#include "test_printers.moc"
