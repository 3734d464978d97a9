// INI files with Windows rules, the window icon of the forms, and the folders
// where the program looks its files up.
#include "session/ClsArchivoIni.h"
#include "session/ClsControles.h"
#include "session/ClsSesion.h"
#include "session/ModGlobal.h"
#include "support/Fixture.h"

#include <QLineEdit>
#include <QStandardPaths>
#include <QSysInfo>
#include <QWidget>
#include <QtTest>

class TestArchivos : public QObject {
    Q_OBJECT
private slots:
    void leeValor_data();
    void leeValor();
    void archivoAusenteDaElDefecto();
    void sesionDesdeElEntorno();
    void iconoDelSistema();
    void controles();
};

void TestArchivos::leeValor_data() {
    QTest::addColumn<QString>("seccion");
    QTest::addColumn<QString>("clave");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("seccion y clave en otra caja") << "ICONOS" << "iconodelsistema" << "OTROICONO";
    QTest::newRow("comentario no es clave") << "Iconos" << ";Comentada" << "defecto";
    QTest::newRow("clave ausente") << "Iconos" << "NoEsta" << "defecto";
    QTest::newRow("seccion ausente") << "Otra" << "IconoDelSistema" << "defecto";
    QTest::newRow("comillas quitadas") << "intl" << "sDecimal" << ",";
    QTest::newRow("valor vacio") << "intl" << "Vacia" << "";
    QTest::newRow("segunda seccion no mezcla") << "intl" << "IconoDelSistema" << "defecto";
    QTest::newRow("clave repetida: la primera") << "Iconos" << "Repetida" << "uno";
    QTest::newRow("seccion repetida: solo la primera") << "Iconos" << "SoloEnLaSegunda" << "defecto";
}

void TestArchivos::leeValor() {
    QFETCH(QString, seccion);
    QFETCH(QString, clave);
    QFETCH(QString, esperado);
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, {}, false);
    env.EscribeArchivo(QStringLiteral("CN000pr.INI"),
                       "; archivo de la suite\r\n[Iconos]\r\n;Comentada=X\r\n  IconoDelSistema = OTROICONO  \r\n"
                       "Repetida=uno\r\nRepetida=dos\r\n[intl]\r\nsDecimal=\",\"\r\nVacia=\r\n"
                       "[ICONOS]\r\nSoloEnLaSegunda=X\r\n");
    QCOMPARE(ArchivoIni().LeeValor(QStringLiteral("CN000pr.INI"), seccion, clave, QStringLiteral("defecto")), esperado);
}

void TestArchivos::archivoAusenteDaElDefecto() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, {}, false);
    QCOMPARE(ArchivoIni().LeeValor(QStringLiteral("NOESTA.INI"), QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")),
             QStringLiteral("c"));
    QCOMPARE(ArchivoIni().LeeValor(env.Carpeta(), QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")),
             QStringLiteral("c"));  // a folder is not a file
    // A file that is not text at all gives the default as well.
    QByteArray basura(4096, '\0');
    for (int i = 0; i < basura.size(); ++i) basura[i] = static_cast<char>((i * 131 + 7) % 256);
    env.EscribeArchivo(QStringLiteral("CN000pr.INI"), basura);
    QCOMPARE(ArchivoIni().LeeValor(QStringLiteral("CN000pr.INI"), QStringLiteral("Iconos"), QStringLiteral("IconoDelSistema"),
                                   QStringLiteral("ICONKAV")),
             QStringLiteral("ICONKAV"));
}

void TestArchivos::sesionDesdeElEntorno() {
    // Tests and scripted runs act as several workstations through the
    // environment; without it the session is the machine's own.
    const QByteArray usuario = qgetenv("TALERUNA_USUARIO"), terminal = qgetenv("TALERUNA_TERMINAL"),
                     windows = qgetenv("TALERUNA_CARPETA_WINDOWS");
    qputenv("TALERUNA_USUARIO", "cajero2");
    qputenv("TALERUNA_TERMINAL", "CAJA-02");
    qputenv("TALERUNA_CARPETA_WINDOWS", "/tmp/win/../windows");
    QCOMPARE(Sesion().Usuario(), QStringLiteral("cajero2"));
    QCOMPARE(Sesion().Terminal(), QStringLiteral("CAJA-02"));
    QCOMPARE(Sesion().CarpetaWindows(), QStringLiteral("/tmp/windows/"));
    qunsetenv("TALERUNA_USUARIO");
    qunsetenv("TALERUNA_TERMINAL");
    qunsetenv("TALERUNA_CARPETA_WINDOWS");
    QVERIFY(!Sesion().Usuario().isEmpty());
    QCOMPARE(Sesion().Terminal(), QSysInfo::machineHostName());
    QCOMPARE(Sesion().CarpetaWindows(),
             QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/'));
    qputenv("TALERUNA_USUARIO", usuario);
    qputenv("TALERUNA_TERMINAL", terminal);
    qputenv("TALERUNA_CARPETA_WINDOWS", windows);
}

void TestArchivos::iconoDelSistema() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, {}, false);
    QWidget sinEntrada;
    AplicaEstiloFormulario(&sinEntrada);
    QVERIFY(!sinEntrada.windowIcon().pixmap(32, 32).isNull());  // the ICONKAV resource
    // An icon name with no resource leaves the icon as it was.
    env.EscribeArchivo(QStringLiteral("CN000pr.INI"), "[Iconos]\nIconoDelSistema=NOHAY\n");
    QWidget conEntrada;
    conEntrada.setWindowIcon(QIcon());
    AplicaEstiloFormulario(&conEntrada);
    QVERIFY(conEntrada.windowIcon().pixmap(32, 32).isNull());
    QVERIFY(env.respondedor.errores.isEmpty());
}

void TestArchivos::controles() {
    QWidget w;
    auto* a = new QLineEdit(&w);
    auto* b = new QLineEdit(&w);
    a->setProperty("DataField", QStringLiteral("Sucursal"));
    b->setProperty("DataField", QStringLiteral("PROVEEDOR"));
    QCOMPARE(Controles().IndiceControl(QStringLiteral("SUCURSAL"), {a, b}), 0);
    QCOMPARE(Controles().IndiceControl(QStringLiteral("proveedor"), {a, b}), 1);
    QCOMPARE(Controles().IndiceControl(QStringLiteral("Letra"), {a, b}), -1);
    QVERIFY(Controles().EsTeclaAvance(Qt::Key_Return));
    QVERIFY(Controles().EsTeclaAvance(Qt::Key_Tab));
    QVERIFY(!Controles().EsTeclaAvance(Qt::Key_F5));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    a->setFocus();
    QTRY_VERIFY(a->hasFocus());
    Controles().PasaAlSiguiente(Qt::Key_Return);
    QTRY_VERIFY(b->hasFocus());
}

QTEST_MAIN(TestArchivos)
#include "test_archivos.moc"
