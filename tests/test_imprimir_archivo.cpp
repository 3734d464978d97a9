// conscpte --imprimir FILE.pdf: the real program run without a window prints
// the voucher shown at start-up to the file through the print button's report,
// and its exit status tells a script whether the file was written.
#include "support/Fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

namespace {

using Prueba::Corrida;

Corrida Ejecuta(const QStringList& argumentos) {
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert(QStringLiteral("TALERUNA_REPORTES"), Prueba::RutaFuente(QStringLiteral("reports")));
    return Prueba::EjecutaPrograma(argumentos, entorno);
}

// The PDF's text in drawing order, every run of blanks and line ends as one blank.
QString TextoPdf(const QString& ruta) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), ruta, QStringLiteral("-")});
    if (!p.waitForFinished(30000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

QString Linea(const Prueba::Entorno& env, const QString& parametros) {
    return env.Origen() + QStringLiteral("@ParametroAdicional=%1;").arg(parametros);
}

const QString Factura25 = QStringLiteral("@TC=FC|@Sucursal=1|@Numero=25|@Letra=A|@PConsultaSolamente=SI|");

} // namespace

class PruebaImprimirArchivo : public QObject {
    Q_OBJECT
private slots:
    // Written PDFs: the voucher's texts, one set of pages per copy.
    void escribeElComprobante_data() {
        QTest::addColumn<QStringList>("opciones");
        QTest::addColumn<QStringList>("contiene");
        QTest::addColumn<QStringList>("noContiene");
        QTest::newRow("una copia") << QStringList{}
                                   << QStringList{"Ferretería Los Andes S.R.L.", "0001-00000025", "ORIGINAL", "Página 1 de"}
                                   << QStringList{"DUPLICADO"};
        QTest::newRow("dos copias") << QStringList{"--copias", "2"}
                                    << QStringList{"Ferretería Los Andes S.R.L.", "ORIGINAL", "DUPLICADO"}
                                    << QStringList{"TRIPLICADO"};
        QTest::newRow("copias con igual") << QStringList{"--copias=3"} << QStringList{"TRIPLICADO"} << QStringList{};
    }
    void escribeElComprobante() {
        QFETCH(QStringList, opciones);
        QFETCH(QStringList, contiene);
        QFETCH(QStringList, noContiene);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        const QString pdf = env.Carpeta() + QStringLiteral("factura.pdf");
        const Corrida c = Ejecuta(QStringList{QStringLiteral("--imprimir"), pdf} + opciones +
                                  QStringList{Linea(env, Factura25)});
        QVERIFY2(c.codigo == 0, qPrintable(QStringLiteral("status %1: %2").arg(c.codigo).arg(c.errores)));
        const QString texto = TextoPdf(pdf);
        for (const QString& t : contiene) QVERIFY2(texto.contains(t), qPrintable(t + QStringLiteral(" in: ") + texto.left(400)));
        for (const QString& t : noContiene) QVERIFY2(!texto.contains(t), qPrintable(t));
    }

    // Nothing written: the status says why, and no file is left.
    void noEscribe_data() {
        QTest::addColumn<QStringList>("opciones");
        QTest::addColumn<QString>("parametros");
        QTest::addColumn<QString>("archivo");  // relative to the test folder
        QTest::addColumn<int>("codigo");
        QTest::newRow("comprobante inexistente")
            << QStringList{} << "@TC=FC|@Sucursal=1|@Numero=99|@Letra=A|@PConsultaSolamente=SI|" << "f.pdf" << 2;
        QTest::newRow("tipo que no se imprime (cobranza)")
            << QStringList{} << "@TC=CB|@Sucursal=1|@Numero=150|@Letra=X|@PConsultaSolamente=SI|" << "f.pdf" << 2;
        QTest::newRow("carpeta inexistente") << QStringList{} << Factura25 << "no/hay/carpeta/f.pdf" << 1;
        QTest::newRow("copias no numéricas") << QStringList{"--copias", "dos"} << Factura25 << "f.pdf" << 1;
        QTest::newRow("cero copias") << QStringList{"--copias=0"} << Factura25 << "f.pdf" << 1;
        QTest::newRow("parámetro mal formado (error de ejecución)")
            << QStringList{} << "@TC=FC|@Sucursal=1|@Numero" << "f.pdf" << 3;
    }
    void noEscribe() {
        QFETCH(QStringList, opciones);
        QFETCH(QString, parametros);
        QFETCH(QString, archivo);
        QFETCH(int, codigo);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        const QString pdf = env.Carpeta() + archivo;
        const Corrida c = Ejecuta(QStringList{QStringLiteral("--imprimir"), pdf} + opciones +
                                  QStringList{Linea(env, parametros)});
        QVERIFY2(c.codigo == codigo, qPrintable(QStringLiteral("status %1: %2").arg(c.codigo).arg(c.errores)));
        QVERIFY(!QFileInfo::exists(pdf));
    }

    // A database that cannot be reached ends with status 1 and no file.
    void sinBaseDeDatos() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        const QString pdf = env.Carpeta() + QStringLiteral("f.pdf");
        const Corrida c = Ejecuta({QStringLiteral("--imprimir"), pdf, QStringLiteral("@Server=;@DbName=%1;@ParametroAdicional=%2;")
                                                                    .arg(env.Carpeta() + QStringLiteral("no-existe.db"), Factura25)});
        QCOMPARE(c.codigo, 1);
        QVERIFY(!QFileInfo::exists(pdf));
    }
};

QTEST_GUILESS_MAIN(PruebaImprimirArchivo)
#include "test_imprimir_archivo.moc"
