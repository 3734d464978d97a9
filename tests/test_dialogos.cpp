// The message and error entry points without a person at the screen, and
// the progress window.
#include "session/ClsFunciones.h"
#include "session/ClsProgreso.h"
#include "session/Dialogos.h"
#include "session/InstalaUi.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTemporaryFile>
#include <QtTest>

#include <cstdio>
#include <unistd.h>

namespace {
// Runs f with standard error sent to a file; returns what was written.
template <class F>
QString CapturaStderr(F&& f) {
    QTemporaryFile tmp;
    if (!tmp.open()) return {};
    std::fflush(stderr);
    const int copia = dup(fileno(stderr));
    dup2(tmp.handle(), fileno(stderr));
    f();
    std::fflush(stderr);
    dup2(copia, fileno(stderr));
    close(copia);
    tmp.seek(0);
    return QString::fromUtf8(tmp.readAll());
}
} // namespace

class TestDialogos : public QObject {
    Q_OBJECT
private slots:
    void dialogosDeQtEnCastellano();
    void sinOperador_data();
    void sinOperador();
    void informaErrorSinOperadorSale();
    void guionadoRegistraYResponde();
    void ventanaDeProgreso();
};

void TestDialogos::sinOperador_data() {
    QTest::addColumn<int>("botones");
    QTest::addColumn<int>("respuesta");
    QTest::newRow("aceptar") << int(Dialogos::Botones::Aceptar) << int(Dialogos::Aceptar);
    QTest::newRow("si/no responde no") << int(Dialogos::Botones::SiNo) << int(Dialogos::No);
    QTest::newRow("aceptar/cancelar responde cancelar") << int(Dialogos::Botones::AceptarCancelar) << int(Dialogos::Cancelar);
}

void TestDialogos::sinOperador() {
    QFETCH(int, botones);
    QFETCH(int, respuesta);
    InstalaUi();  // the desktop responder: offscreen means nobody to answer
    int r = -1;
    const QString salida = CapturaStderr([&] {
        r = Dialogos::MsgBox(QStringLiteral("Debe Informar la Sucursal!!!"), static_cast<Dialogos::Botones>(botones),
                             Dialogos::Icono::Critico, QStringLiteral("Aviso al Operador!!!"));
    });
    QCOMPARE(r, respuesta);
    QCOMPARE(salida.count(QLatin1Char('\n')), 1);
    QVERIFY(salida.contains(QStringLiteral("Aviso al Operador!!!")));
    QVERIFY(salida.contains(QStringLiteral("Debe Informar la Sucursal!!!")));
}

void TestDialogos::informaErrorSinOperadorSale() {
    InstalaUi();
    int r = -1;
    const QString salida = CapturaStderr([&] {
        r = Funciones().InformaError(ErrorEjecucion(3604, QStringLiteral("no such table: X\nSentencia: SELECT")), {},
                                     QStringLiteral("CampoValida"));
    });
    QVERIFY(r != 4 && r != 5);
    QCOMPARE(salida.count(QLatin1Char('\n')), 1);
    QVERIFY(salida.contains(QStringLiteral("3604")));
    QVERIFY(salida.contains(QStringLiteral("CampoValida")));
}

void TestDialogos::guionadoRegistraYResponde() {
    Dialogos::RespondedorGuionado r;
    r.respuestasMensajes = {Dialogos::Si};
    r.respuestasErrores = {4, 5};
    QCOMPARE(Dialogos::MsgBox(QStringLiteral("¿Desea?"), Dialogos::Botones::SiNo, Dialogos::Icono::Pregunta, QStringLiteral("T")),
             int(Dialogos::Si));
    QCOMPARE(Dialogos::MsgBox(QStringLiteral("¿Otra?"), Dialogos::Botones::SiNo, Dialogos::Icono::Pregunta, QStringLiteral("T")),
             int(Dialogos::No));
    QCOMPARE(Funciones().InformaError(ErrorEjecucion(1, QStringLiteral("a")), {}, QStringLiteral("P")), 4);
    QCOMPARE(Funciones().InformaError(ErrorEjecucion(2, QStringLiteral("b")), {}, QStringLiteral("P")), 5);
    QCOMPARE(r.mensajes.size(), 2);
    QCOMPARE(r.mensajes[0].titulo, QStringLiteral("T"));
    QCOMPARE(r.errores.size(), 2);
    QCOMPARE(r.errores[1].numero, 2);
}

void TestDialogos::ventanaDeProgreso() {
    InstalaUi();
    ClsProgreso p;
    p.Muestra(QStringLiteral("Imprimiendo Comprobantes"));
    p.Avanza(false, QStringLiteral("1 - 000100000025A"), QStringLiteral("T001"), QStringLiteral("Revisión general"));
    QDialog* ventana = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("FrmProgreso")) ventana = qobject_cast<QDialog*>(w);
    QVERIFY(ventana);
    QVERIFY(ventana->isVisible());
    QCOMPARE(ventana->windowTitle(), QStringLiteral("Imprimiendo Comprobantes"));
    QCOMPARE(ventana->findChild<QLabel*>(QStringLiteral("lblLinea3"))->text(), QStringLiteral("Revisión general"));
    p.EstableceVisible(false);
    QVERIFY(!ventana->isVisible());
    QCOMPARE(p.Lineas().at(0), QStringLiteral("1 - 000100000025A"));
}

void TestDialogos::dialogosDeQtEnCastellano() {
    // Qt's own dialogs (print, page setup, file) speak the program's language,
    // also under a locale of another language (the tests run under C).
    QVERIFY(CargaTraduccionesQt());
    QCOMPARE(QCoreApplication::translate("QPrintDialog", "Print"), QStringLiteral("Imprimir"));
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Open"), QStringLiteral("Abrir"));
}

QTEST_MAIN(TestDialogos)
#include "test_dialogos.moc"
