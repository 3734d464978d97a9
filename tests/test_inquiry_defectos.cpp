// What the inquiry screen shows after a refusal and in consult-only mode, the
// payment means of an absent account key, Escape on an open list, the print
// buttons of types that cannot be printed, and one report for one fault.
#include "cmncptes/GrillaFlex.h"
#include "inquiry/FrmConsCpteGenerico.h"
#include "session/ClsConexion.h"
#include "session/ModGlobal.h"
#include "session/Modal.h"
#include "support/Fixture.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>

namespace {

const QString CrLf = QStringLiteral("\r\n");

std::unique_ptr<FrmConsCpteGenerico> Abre(const QString& parametros) {
    ParametroAdicional = parametros;
    auto f = std::make_unique<FrmConsCpteGenerico>();
    f->Form_Load();
    return f;
}

void Selecciona(FrmConsCpteGenerico& f, const QString& codigo) {
    for (int i = 0; i < f.CmbCpte->count(); ++i)
        if (f.EntradaCpte(i).mid(199).trimmed() == codigo) f.CmbCpte->setCurrentIndex(i);
}

void Consulta(FrmConsCpteGenerico& f, const QString& suc, const QString& nro, const QString& letra) {
    f.txtfields[0]->setText(suc);
    f.txtfields[1]->setText(nro);
    f.txtfields[2]->setText(letra);
    f.CampoValida(f.txtfields[2]);
}

// Every data line of the three grids is empty.
bool GrillasVacias(const FrmConsCpteGenerico& f) {
    for (const GrillaFlex* g : {f.MSFlexGrid1, f.MSFlexGrid2, f.MSFlexGrid3})
        for (int r = g->FixedRows(); r < g->Rows(); ++r)
            for (int c = 0; c < g->Cols(); ++c)
                if (!g->TextMatrix(r, c).isEmpty()) return false;
    return true;
}

QString Informes(const QList<Dialogos::ErrorInformado>& errores) {
    QStringList l;
    for (const auto& e : errores) l << QStringLiteral("%1 %2: %3").arg(e.numero).arg(e.procedimiento, e.descripcion);
    return l.join(QLatin1String(" | "));
}

QString Pagos(const QString& lineas, const QString& total) {
    const QString guiones = QString(80, QLatin1Char('-')) + CrLf;
    return guiones + QStringLiteral("      DETALLE DE MEDIOS PAGOS      ") + CrLf + guiones + lineas + CrLf + guiones +
           QStringLiteral("TOTAL   : ") + QString(59, QLatin1Char(' ')) + total;
}

} // namespace

class PruebaInquiryEstado : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { ParametroAdicional.clear(); }

    // A configured account that is absent (" ") or blank matches no account,
    // not even an entry line whose account is empty.
    void cuentaNoConfiguradaNoCoincide_data() {
        QTest::addColumn<QString>("configuracion");
        QTest::newRow("clave ausente") << "DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'Cuenta_Cheques3ros'";
        QTest::newRow("clave en blanco") << "UPDATE TA_CONFIGURACION SET Valor = '   ' WHERE CLAVE = 'Cuenta_Cheques3ros'";
        QTest::newRow("clave nula") << "UPDATE TA_CONFIGURACION SET Valor = NULL WHERE CLAVE = 'Cuenta_Cheques3ros'";
    }
    void cuentaNoConfiguradaNoCoincide() {
        QFETCH(QString, configuracion);
        Prueba::Entorno env(
            Prueba::Entorno::Datos::Demo,
            configuracion + QStringLiteral(";\n"
                                           "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], SECUENCIA, TC, SUCURSAL, "
                                           "NUMERO, LETRA, CUENTA, DEBE_HABER, Importe, ChPropio, NroComprobanteBancario, IdBanco, "
                                           "CABIMPORTE) VALUES ('2024', 6, 301, 5, 'CB', '0001', '00000150', 'X', '', 'D', 999, 0, "
                                           "'77', '0011', 182500.75)"));
        auto f = Abre(QStringLiteral("@TC=CB|@Sucursal=1|@Numero=150|@Letra=X|@PConsultaSolamente=SI|"));
        QCOMPARE(f->TextoDisp(),
                 Pagos(QStringLiteral(" EFECTIVO : ") + QString(58, QLatin1Char(' ')) + QStringLiteral("50000.000") + CrLf,
                       QStringLiteral("50000.000")));
    }

    // A refused key empties the display; the typed key stays for correction.
    void claveRechazadaVaciaLaPantalla_data() {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QStringList>("mostrado");  // branch, number, letter shown first
        QTest::addColumn<QStringList>("rechazado");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("cobranza anulada") << "CB" << QStringList{"1", "150", "X"} << QStringList{"1", "153", "X"}
                                          << "El comprobante ya fue anulado";
        QTest::newRow("cobranza anulada tras una que parpadea")
            << "CB" << QStringList{"1", "152", "X"} << QStringList{"1", "153", "X"} << "El comprobante ya fue anulado";
        QTest::newRow("cobranza inexistente") << "CB" << QStringList{"1", "150", "X"} << QStringList{"1", "999", "X"}
                                              << "El Comprobante Informado, es Inexistente!!!";
        QTest::newRow("factura inexistente tras una anulada")
            << "FC" << QStringList{"1", "26", "A"} << QStringList{"1", "99", "A"} << "El Comprobante Informado, es Inexistente!!!";
        QTest::newRow("letra no valida") << "FC" << QStringList{"1", "25", "A"} << QStringList{"1", "25", "Z"}
                                         << "La letra del Comprobante debe ser A,B,C,X,R";
    }
    void claveRechazadaVaciaLaPantalla() {
        QFETCH(QString, tipo);
        QFETCH(QStringList, mostrado);
        QFETCH(QStringList, rechazado);
        QFETCH(QString, mensaje);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(QString());
        Selecciona(*f, tipo);
        Consulta(*f, mostrado[0], mostrado[1], mostrado[2]);
        QVERIFY(!f->DatoInvalido);
        QVERIFY(!f->TextoDisp().isEmpty());
        QVERIFY(f->FrmDetalle->isEnabled());
        Consulta(*f, rechazado[0], rechazado[1], rechazado[2]);
        QVERIFY(f->DatoInvalido);
        QCOMPARE(env.respondedor.mensajes.size(), 1);
        QCOMPARE(env.respondedor.mensajes.first().texto, mensaje);
        QCOMPARE(f->TextoDisp(), QString());
        QCOMPARE(f->txtDisp->toPlainText(), QString());
        QVERIFY(GrillasVacias(*f));
        QCOMPARE(f->IntervaloTimer(), 0);
        QVERIFY(f->lblCpteAnulado->isHidden());
        QVERIFY(!f->FrmDetalle->isEnabled());
        QCOMPARE(f->txtfields[1]->text(), rechazado[1]);
        QCOMPARE(f->txtfields[2]->text(), rechazado[2]);
        if (!FrmConsCpteGenerico::EsImprimible(tipo)) return;
        // Nothing is on screen to print.
        f->Toolbar1_ButtonClick(2);
        QCOMPARE(env.respondedor.mensajes.size(), 2);
        QCOMPARE(env.respondedor.mensajes.last().texto, QStringLiteral("No hay ningún comprobante en pantalla para imprimir."));
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    // Consult-only: the form shows the voucher passed at start-up and no other.
    void soloConsultaNoDejaElComprobante() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(QStringLiteral("@TC=FC|@Sucursal=1|@Numero=25|@Letra=A|@PConsultaSolamente=SI|"));
        const QString mostrado = f->TextoDisp();
        QVERIFY(mostrado.contains(QStringLiteral("Cliente      : C0001")));
        // The key as it was looked up.
        QCOMPARE(f->txtfields[0]->text(), QStringLiteral("0001"));
        QCOMPARE(f->txtfields[1]->text(), QStringLiteral("00000025"));
        int ventanas = 0;
        Modal::GanchoTemporal gancho([&](QDialog*) {
            ++ventanas;
            return int(QDialog::Accepted);
        });
        QVERIFY(!f->BotonesToolbar[2]->isEnabled());
        f->Toolbar1_ButtonClick(3);
        f->CmdConsultar();
        f->txtfields_KeyDown(1, Qt::Key_F5);
        QCOMPARE(ventanas, 0);
        QCOMPARE(f->TextoDisp(), mostrado);
        QCOMPARE(f->txtfields[1]->text(), QStringLiteral("00000025"));
    }

    void soloConsultaConNumeroFraccionario_data() {
        QTest::addColumn<QString>("sucursal");
        QTest::addColumn<QString>("numero");
        QTest::newRow("numero 24.5") << "1" << "24.5";
        QTest::newRow("numero 25,5") << "1" << "25,5";
        QTest::newRow("sucursal 0.6") << "0.6" << "25";
    }
    void soloConsultaConNumeroFraccionario() {
        QFETCH(QString, sucursal);
        QFETCH(QString, numero);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(QStringLiteral("@TC=FC|@Sucursal=%1|@Numero=%2|@Letra=A|@PConsultaSolamente=SI|").arg(sucursal, numero));
        QVERIFY(f->DatoInvalido);
        QCOMPARE(f->TextoDisp(), QString());
        QCOMPARE(env.respondedor.mensajes.size(), 1);
        QCOMPARE(env.respondedor.mensajes.first().texto, QStringLiteral("El Comprobante Informado, es Inexistente!!!"));
        QCOMPARE(f->txtfields[0]->text(), sucursal);
        QCOMPARE(f->txtfields[1]->text(), numero);
    }

    // Escape on the dropped-down type list closes the list only; Escape that
    // reaches the form still ends the program.
    void escapeEnLaListaAbierta() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(QString());
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.get()));
        f->activateWindow();
        f->CmbCpte->showPopup();
        QWidget* lista = f->CmbCpte->view();
        QTRY_VERIFY(lista->isVisible());
        QTest::keyClick(lista, Qt::Key_Escape);
        QTRY_VERIFY(!lista->isVisible());
        QVERIFY(f->isVisible());
        QVERIFY(Conexion().Conectado());
        f->txtfields[0]->setFocus();
        QTest::keyClick(f->txtfields[0], Qt::Key_Escape);
        QVERIFY(!f->isVisible());
    }

    // The print buttons are enabled for the printable types only.
    void botonesDeImpresionSegunElTipo_data() {
        QTest::addColumn<QString>("parametros");
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<bool>("imprimible");
        for (const char* c : {"FC", "NC", "ND", "RM"}) QTest::newRow(c) << "" << c << true;
        for (const char* c : {"PR", "OT", "CB", "CBCT"}) QTest::newRow(c) << "" << c << false;
        for (const char* c : {"FCC", "NDC", "NCC", "RMC", "PG"})
            QTest::newRow(c) << "@GestionCompras=SI|" << c << false;
    }
    void botonesDeImpresionSegunElTipo() {
        QFETCH(QString, parametros);
        QFETCH(QString, tipo);
        QFETCH(bool, imprimible);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(parametros);
        Selecciona(*f, tipo);
        QCOMPARE(f->FNTC(), tipo);
        QCOMPARE(f->BotonesToolbar[0]->isEnabled(), imprimible);
        QCOMPARE(f->BotonesToolbar[1]->isEnabled(), imprimible);
        if (!imprimible) {
            // Still nothing happens for such a type, whatever is typed.
            f->txtfields[0]->setText(QStringLiteral("1"));
            f->txtfields[1]->setText(QStringLiteral("25"));
            int ventanas = 0;
            Modal::GanchoTemporal gancho([&](QDialog*) {
                ++ventanas;
                return 0;
            });
            f->Toolbar1_ButtonClick(1);
            f->Toolbar1_ButtonClick(2);
            QCOMPARE(ventanas, 0);
            QVERIFY(env.respondedor.mensajes.isEmpty());
        }
    }

    // A database that fails the same way all through one display, or one
    // print, is reported once for it.
    void unFalloUnInformePorAccion_data() {
        QTest::addColumn<int>("respuesta");
        QTest::newRow("ignorar") << 5;
        QTest::newRow("salir") << 0;
    }
    void unFalloUnInformePorAccion() {
        QFETCH(int, respuesta);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(QString());
        Selecciona(*f, QStringLiteral("FC"));
        Consulta(*f, QStringLiteral("1"), QStringLiteral("25"), QStringLiteral("A"));
        QVERIFY(env.respondedor.errores.isEmpty());
        Conexion().Cierra();  // every statement now fails the same way
        env.respondedor.respuestasErrores = {respuesta, respuesta, respuesta};
        Modal::GanchoTemporal gancho([](QDialog*) { return 0; });
        f->Toolbar1_ButtonClick(2);
        QVERIFY2(env.respondedor.errores.size() == 1, qPrintable(Informes(env.respondedor.errores)));
        f->Toolbar1_ButtonClick(1);
        QCOMPARE(env.respondedor.errores.size(), 2);
        Consulta(*f, QStringLiteral("1"), QStringLiteral("25"), QStringLiteral("A"));
        QCOMPARE(env.respondedor.errores.size(), 3);
    }
};

QTEST_MAIN(PruebaInquiryEstado)
#include "test_inquiry_defectos.moc"
