// The inquiry form's toolbar and closing: print to screen and printer, the
// empty screen, the types that do not print, search, refresh, Escape and exit.
#include "inquiry/FrmConsCpteGenerico.h"
#include "printing/ClsReporte.h"
#include "session/ClsConexion.h"
#include "session/ModGlobal.h"
#include "session/Modal.h"
#include "support/Fixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QToolBar>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintPreviewWidget>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

std::unique_ptr<FrmConsCpteGenerico> Abre(const QString& parametros = {}) {
    ParametroAdicional = parametros;
    auto f = std::make_unique<FrmConsCpteGenerico>();
    f->Form_Load();
    return f;
}

void Selecciona(FrmConsCpteGenerico& f, const QString& codigo) {
    for (int i = 0; i < f.CmbCpte->count(); ++i)
        if (f.EntradaCpte(i).mid(199).trimmed() == codigo) {
            f.CmbCpte->setCurrentIndex(i);
            f.CmbCpte_Click();
            return;
        }
    QFAIL("type not in the catalog");
}

void Muestra(FrmConsCpteGenerico& f, const QString& suc, const QString& nro, const QString& letra) {
    f.txtfields[0]->setText(suc);
    f.txtfields[1]->setText(nro);
    f.txtfields[2]->setText(letra);
    f.CampoValida(f.txtfields[2]);
}

QStringList Estacionados() {
    QSqlQuery q(Conexion().Conexion());
    q.exec(QStringLiteral("SELECT DISTINCT Usuario, TC, IdComprobante, IdComplemento FROM Aux_MV_Cpte"));
    QStringList r;
    while (q.next())
        r << QStringLiteral("%1/%2/%3/%4").arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                                               q.value(3).toString());
    return r;
}

QByteArray Registro(const QString& impresora, const QString& copias) {
    auto campo = [](const QString& v, int ancho) { return v.toLatin1().leftJustified(ancho, ' ', true); };
    return campo(QStringLiteral("PUESTO01|admin"), 255) + campo(QStringLiteral("FC"), 4) + campo(QStringLiteral("A"), 1) +
           campo(impresora, 510) + campo(copias, 3) + campo(QString(), 3) + campo(QStringLiteral("Impresora"), 20);
}

} // namespace

class PruebaBarra : public QObject {
    Q_OBJECT

private slots:
    void init() {
        qputenv("TALERUNA_REPORTES", Prueba::RutaFuente(QStringLiteral("reports")).toUtf8());
        qputenv("TALERUNA_TERMINAL", "PUESTO01");
        qputenv("TALERUNA_USUARIO", "admin");
    }
    void cleanup() { ParametroAdicional.clear(); }

    // The seven buttons, in order on the toolbar: tool tip, state, and an image
    // of their own (drawn, not blank, different from every other button's).
    void botonesConAyudaEImagen_data() {
        QTest::addColumn<int>("indice");
        QTest::addColumn<QString>("ayuda");
        QTest::addColumn<bool>("habilitado");
        QTest::newRow("1") << 1 << "Reimprimir Comprobante Por Pantalla" << true;
        QTest::newRow("2") << 2 << "Reimprimir Comprobante Por Impresora" << true;
        QTest::newRow("3") << 3 << "Consultar Comprobantes" << true;
        QTest::newRow("4 sin acción") << 4 << "Anular Comprobantes" << false;
        QTest::newRow("5") << 5 << "Refresh" << true;
        QTest::newRow("6 sin acción") << 6 << "Generar Comprobante en Base a Otro" << false;
        QTest::newRow("7") << 7 << "Salir" << true;
    }
    void botonesConAyudaEImagen() {
        QFETCH(int, indice);
        QFETCH(QString, ayuda);
        QFETCH(bool, habilitado);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre();
        QList<QAction*> enBarra;
        for (QAction* a : f->Toolbar1->actions())
            if (!a->isSeparator()) enBarra << a;
        QCOMPARE(enBarra.size(), 7);
        QAction* boton = enBarra.at(indice - 1);
        QCOMPARE(boton, f->BotonesToolbar.at(indice - 1));
        QCOMPARE(boton->toolTip(), ayuda);
        QCOMPARE(boton->isEnabled(), habilitado);
        auto imagen = [](QAction* a) {
            return a->icon().pixmap(QSize(24, 24)).toImage().convertToFormat(QImage::Format_ARGB32);
        };
        const QImage propia = imagen(boton);
        QCOMPARE(propia.size(), QSize(24, 24));
        int pintados = 0;
        for (int y = 0; y < propia.height(); ++y)
            for (int x = 0; x < propia.width(); ++x)
                if (qAlpha(propia.pixel(x, y)) > 0) ++pintados;
        QVERIFY2(pintados > 40, qPrintable(QString::number(pintados)));
        for (QAction* otro : enBarra)
            if (otro != boton) QVERIFY2(imagen(otro) != propia, qPrintable(otro->toolTip()));
    }

    // Button 1 stages the voucher on screen and opens the preview of its report.
    void pantallaAbreLaVistaPrevia() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre();
        Selecciona(*f, QStringLiteral("FC"));
        Muestra(*f, QStringLiteral("1"), QStringLiteral("25"), QStringLiteral("a"));
        const QString pantalla = f->TextoDisp();
        QString vista;
        int paginas = 0;
        Modal::GanchoTemporal g([&](QDialog* d) {
            vista = d->objectName();
            if (auto* w = d->findChild<QPrintPreviewWidget*>()) {
                w->updatePreview();
                paginas = w->pageCount();
            }
            return 0;
        });
        f->BotonesToolbar[0]->trigger();
        QCOMPARE(vista, QStringLiteral("FrmVistaPrevia"));
        QVERIFY(paginas >= 1);
        QCOMPARE(Estacionados(), QStringList{QStringLiteral("PUESTO01|admin/FC  /000100000025A/0")});
        const ClsReporte::Ejecucion& e = Reporte().UltimaEjecucion();
        QCOMPARE(e.destino, 0);
        // The key as typed (letter included) and complement 0.
        QVERIFY(e.seleccion.contains(QStringLiteral("{V_MV_CPTE.IDCOMPROBANTE} = '000100000025a' AND {V_MV_CPTE.IDCOMPLEMENTO} = 0"),
                                     Qt::CaseInsensitive));
        QCOMPARE(f->TextoDisp(), pantalla);  // printing leaves the screen as it was
        QVERIFY(env.respondedor.mensajes.isEmpty());
    }

    // Button 2 prints to the assigned printer: here a PDF file, two copies.
    void impresoraEscribeElPdfAsignado() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        const QString pdf = env.Carpeta() + QStringLiteral("impreso.pdf");
        env.EscribeArchivo(QStringLiteral("PRINTERS.PRN"), Registro(QStringLiteral("Archivo|FILE:") + pdf, QStringLiteral("2")));
        auto f = Abre();
        Selecciona(*f, QStringLiteral("FC"));
        Muestra(*f, QStringLiteral("0001"), QStringLiteral("00000025"), QStringLiteral("A"));
        f->BotonesToolbar[1]->trigger();
        QVERIFY2(env.respondedor.mensajes.isEmpty(), qPrintable(env.respondedor.mensajes.value(0).texto));
        QVERIFY(QFile::exists(pdf));
        QCOMPARE(Reporte().UltimaEjecucion().destino, 1);
        QCOMPARE(Reporte().UltimaEjecucion().copias, 2);
    }

    // A print that cannot be done says why once and leaves the screen as it was.
    void impresionFallidaDejaLaPantalla_data() {
        QTest::addColumn<int>("boton");
        QTest::addColumn<QString>("impresora");
        QTest::addColumn<bool>("sinDefiniciones");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("definición inexistente") << 1 << "" << true << "No se encontró la definición del reporte \"FC  -A\"";
        QTest::newRow("impresora desconocida") << 2 << "Impresora Inexistente|LPT1:" << false
                                               << "La impresora \"Impresora Inexistente\" no está instalada en este equipo";
        QTest::newRow("PDF que no se puede escribir") << 2 << "PDF|FILE:/no/existe/carpeta/x.pdf" << false
                                                      << "No se puede escribir el archivo /no/existe/carpeta/x.pdf";
    }
    void impresionFallidaDejaLaPantalla() {
        QFETCH(int, boton);
        QFETCH(QString, impresora);
        QFETCH(bool, sinDefiniciones);
        QFETCH(QString, mensaje);
        QTemporaryDir vacia;
        if (sinDefiniciones) qputenv("TALERUNA_REPORTES", vacia.path().toUtf8());
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        env.Ejecuta(QStringLiteral("DELETE FROM TA_REPORTES"));
        env.EscribeArchivo(QStringLiteral("PRINTERS.PRN"), Registro(impresora, QStringLiteral("1")));
        auto f = Abre();
        Selecciona(*f, QStringLiteral("FC"));
        Muestra(*f, QStringLiteral("0001"), QStringLiteral("00000025"), QStringLiteral("A"));
        const QString pantalla = f->TextoDisp();
        int vistas = 0;
        Modal::GanchoTemporal g([&](QDialog*) { ++vistas; return 0; });
        f->BotonesToolbar[boton - 1]->trigger();
        QCOMPARE(vistas, 0);
        QCOMPARE(env.respondedor.mensajes.size(), 1);
        QVERIFY2(env.respondedor.mensajes.first().texto.startsWith(mensaje), qPrintable(env.respondedor.mensajes.first().texto));
        QCOMPARE(env.respondedor.mensajes.first().titulo, QStringLiteral("Aviso al Operador!!!"));
        QVERIFY(env.respondedor.errores.isEmpty());
        QCOMPARE(f->TextoDisp(), pantalla);
        QCOMPARE(f->txtfields[1]->text(), QStringLiteral("00000025"));
        QCOMPARE(Reporte().Finalizaciones(), 1);
    }

    // Types outside FC, NC, ND, RM print nothing and say nothing.
    void tiposQueNoSeImprimen_data() {
        QTest::addColumn<QString>("parametros");
        QTest::addColumn<QString>("tipo");
        QTest::newRow("factura de compra") << "@GestionCompras=SI|" << "FCC";
        QTest::newRow("presupuesto") << "" << "PR";
        QTest::newRow("cobranza") << "" << "CB";
    }
    void tiposQueNoSeImprimen() {
        QFETCH(QString, parametros);
        QFETCH(QString, tipo);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(parametros);
        Selecciona(*f, tipo);
        f->txtfields[0]->setText(QStringLiteral("0001"));
        f->txtfields[1]->setText(QStringLiteral("00000007"));
        f->txtfields[2]->setText(QStringLiteral("X"));
        int vistas = 0;
        Modal::GanchoTemporal g([&](QDialog*) { ++vistas; return 0; });
        f->Toolbar1_ButtonClick(1);
        f->Toolbar1_ButtonClick(2);
        QCOMPARE(vistas, 0);
        QCOMPARE(Reporte().Ejecuciones(), 0);
        QCOMPARE(Estacionados(), QStringList{});
        QVERIFY(env.respondedor.mensajes.isEmpty());
    }

    // With nothing on screen the print buttons say so and leave the staged rows alone.
    void pantallaVaciaNoImprime() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre();
        Selecciona(*f, QStringLiteral("FC"));
        Muestra(*f, QStringLiteral("0001"), QStringLiteral("00000025"), QStringLiteral("A"));
        Modal::GanchoTemporal g([](QDialog*) { return 0; });
        f->Toolbar1_ButtonClick(1);
        const QStringList antes = Estacionados();
        QCOMPARE(Reporte().Ejecuciones(), 1);
        f->Toolbar1_ButtonClick(5);
        f->Toolbar1_ButtonClick(2);
        QCOMPARE(env.respondedor.mensajes.size(), 1);
        QCOMPARE(env.respondedor.mensajes.first().texto, QStringLiteral("No hay ningún comprobante en pantalla para imprimir."));
        QCOMPARE(env.respondedor.mensajes.first().titulo, QStringLiteral("Aviso al Operador!!!"));
        QCOMPARE(Reporte().Ejecuciones(), 1);
        QCOMPARE(Estacionados(), antes);
    }

    // Buttons 4 and 6 have no action and are disabled; 3 searches from the branch field;
    // 5 empties the screen.
    void botonesSinAccionBusquedaYRefresco() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre();
        QCOMPARE(f->BotonesToolbar.size(), 7);
        QVERIFY(!f->BotonesToolbar[3]->isEnabled());
        QVERIFY(!f->BotonesToolbar[5]->isEnabled());
        Selecciona(*f, QStringLiteral("FC"));
        Muestra(*f, QStringLiteral("0001"), QStringLiteral("00000025"), QStringLiteral("A"));
        const QString pantalla = f->TextoDisp();
        f->Toolbar1_ButtonClick(4);
        f->Toolbar1_ButtonClick(6);
        QCOMPARE(f->TextoDisp(), pantalla);
        f->IndiceCampoActual = 3;
        QString abierto;
        {
            // The search starts from the branch field: the chooser, never the supplier lookup.
            Modal::GanchoTemporal gancho([&](QDialog* d) {
                abierto = d->objectName();
                return int(QDialog::Rejected);
            });
            f->Toolbar1_ButtonClick(3);
        }
        QCOMPARE(f->IndiceCampoActual, 0);
        QCOMPARE(abierto, QStringLiteral("FrmConsComprobantes"));
        QCOMPARE(f->TextoDisp(), pantalla);
        f->Toolbar1_ButtonClick(5);
        QCOMPARE(f->txtfields[1]->text(), QString());
        QCOMPARE(f->TextoDisp().trimmed(), QString());
        QCOMPARE(f->IntervaloTimer(), 0);
        QVERIFY(env.respondedor.mensajes.isEmpty());
    }

    // Escape and the exit button close the session and end the program: the
    // event loop the program runs in is left with status 0.
    void salidaTerminaElPrograma_data() {
        QTest::addColumn<bool>("conEscape");
        QTest::newRow("botón Salir") << false;
        QTest::newRow("tecla Escape") << true;
    }
    void salidaTerminaElPrograma() {
        QFETCH(bool, conEscape);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre();
        Selecciona(*f, QStringLiteral("FC"));
        Muestra(*f, QStringLiteral("0001"), QStringLiteral("00000025"), QStringLiteral("A"));
        f->show();
        QApplication::setActiveWindow(f.get());
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
        QVERIFY(Conexion().Conectado());
        // The program's event loop, as main runs it.
        QObject guardia;
        QTimer::singleShot(0, f.get(), [&] {
            if (conEscape)
                QTest::keyClick(f->txtfields[2], Qt::Key_Escape);
            else
                f->BotonesToolbar[6]->trigger();
        });
        QTimer::singleShot(5000, &guardia, [] { QCoreApplication::exit(99); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!Conexion().Conectado());
        QVERIFY(!f->isVisible());
    }
};

QTEST_MAIN(PruebaBarra)
#include "test_imprimir_barra.moc"
