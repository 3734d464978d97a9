// The inquiry form driven as the user drives it: start-up parameters, the
// type catalog, key fields and their refusals, the display of commercial
// vouchers, collections and payments, and the blinking annulled label.
#include "cmncptes/GrillaFlex.h"
#include "cmncptes/VistaGrilla.h"
#include "inquiry/FrmConsCpteGenerico.h"
#include "session/ClsConexion.h"
#include "session/ModGlobal.h"
#include "session/Modal.h"
#include "support/Fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QPlainTextEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString Guiones75(75, QLatin1Char('-'));
const QString Guiones80(80, QLatin1Char('-'));
QString Sp(int n) { return QString(n, QLatin1Char(' ')); }
QString Lineas(const QStringList& l) { return l.join(CrLf); }

std::unique_ptr<FrmConsCpteGenerico> Abre(const QString& parametros) {
    ParametroAdicional = parametros;
    auto f = std::make_unique<FrmConsCpteGenerico>();
    f->Form_Load();
    return f;
}

QStringList Fila(const GrillaFlex* g, int fila, int columnas) {
    QStringList r;
    for (int c = 0; c < columnas; ++c) r << g->TextMatrix(fila, c);
    return r;
}

QStringList Nombres(const FrmConsCpteGenerico& f) {
    QStringList r;
    for (int i = 0; i < f.CmbCpte->count(); ++i) r << f.CmbCpte->itemText(i);
    return r;
}

QStringList Codigos(const FrmConsCpteGenerico& f) {
    QStringList r;
    for (int i = 0; i < f.CmbCpte->count(); ++i) r << f.EntradaCpte(i).mid(199).trimmed();
    return r;
}

// Types the key and validates the letter, as Enter in the letter field does.
void Consulta(FrmConsCpteGenerico& f, const QString& suc, const QString& nro, const QString& letra,
              const QString& proveedor = {}) {
    f.txtfields[0]->setText(suc);
    f.txtfields[1]->setText(nro);
    f.txtfields[2]->setText(letra);
    f.txtfields[3]->setText(proveedor);
    f.CampoValida(f.txtfields[2]);
}

int SeleccionaCodigo(FrmConsCpteGenerico& f, const QString& codigo) {
    const int i = static_cast<int>(Codigos(f).indexOf(codigo));
    f.CmbCpte->setCurrentIndex(i);
    return i;
}

const QString FacturaA25 = Lineas({
    Guiones75,
    QStringLiteral("Fecha        : 10/06/2024     Vencimiento: 10/07/2024"),
    QStringLiteral("Cliente      : C0001  / Ferretería Los Andes S.R.L. "),
    QStringLiteral("Domicilio    : Bv. Chacabuco 820 Córdoba "),
    QStringLiteral("Cond. IVA    : RESPONSABLE INSCRIPTO "),
    QStringLiteral("Lista Precio : 0001 "),
    QStringLiteral("Clase Precio : MINORISTA "),
    Guiones75,
});

QString InicioPagos() {
    return Guiones80 + CrLf + QStringLiteral("      DETALLE DE MEDIOS PAGOS      ") + CrLf + Guiones80 + CrLf;
}
QString FinPagos(const QString& total) {
    return CrLf + Guiones80 + CrLf + QStringLiteral("TOTAL   : ") + Sp(59) + total;
}
QString Efectivo(const QString& monto) { return QStringLiteral(" EFECTIVO : ") + Sp(58) + monto + CrLf; }
// label (20) blank number (8) blank bank (25) blank due date (10) three blanks amount.
QString Cheque(const QString& etiqueta20, const QString& nro8, const QString& banco25, const QString& vto,
               const QString& monto) {
    return etiqueta20 + Sp(1) + nro8 + Sp(1) + banco25 + Sp(1) + vto + Sp(3) + monto + CrLf;
}
const QString De3ros = QStringLiteral(" CHEQUE DE 3º  :    ");
const QString Propio = QStringLiteral(" CHEQUE PROPIO :    ");

} // namespace

class PruebaInquiry : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { ParametroAdicional.clear(); }

    // --- start-up and the type catalog ------------------------------------------
    void catalogo_data() {
        QTest::addColumn<QString>("parametros");
        QTest::addColumn<bool>("compras");
        QTest::newRow("sin GestionCompras: ventas") << "" << false;
        QTest::newRow("GestionCompras=SI") << "@GestionCompras=SI|" << true;
        QTest::newRow("GestionCompras=si en minusculas") << "@GestionCompras=si|" << true;
        QTest::newRow("otro valor: ventas") << "@GestionCompras=NO|" << false;
    }
    void catalogo() {
        QFETCH(QString, parametros);
        QFETCH(bool, compras);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(parametros);
        if (compras) {
            QCOMPARE(Nombres(*f), (QStringList{"FACTURAS", "NOTAS DE CREDITO", "NOTAS DE DEBITO", "REMITOS DE COMPRAS", "PAGOS"}));
            QCOMPARE(Codigos(*f), (QStringList{"FCC", "NDC", "NCC", "RMC", "PG"}));
            QCOMPARE(f->windowTitle(), QStringLiteral("Taleruna - Gestión Compras"));
        } else {
            QCOMPARE(Nombres(*f), (QStringList{"FACTURAS", "PRESUPUESTOS", "ORDENES DE TRABAJO", "NOTAS DE CREDITO",
                                               "NOTAS DE DEBITO", "REMITOS", "COBRANZAS", "COBRANZAS CONTADO"}));
            QCOMPARE(Codigos(*f), (QStringList{"FC", "PR", "OT", "ND", "NC", "RM", "CB", "CBCT"}));
            QCOMPARE(f->windowTitle(), QStringLiteral("Taleruna - Gestión Ventas"));
        }
        // The entry text: the name, blanks up to 200 characters, then the code.
        QCOMPARE(f->EntradaCpte(0), QStringLiteral("FACTURAS") + Sp(192) + (compras ? "FCC" : "FC"));
        QCOMPARE(f->LBLPROVEEDOR->isVisibleTo(f.get()), compras);
        QCOMPARE(f->txtfields[3]->isVisibleTo(f.get()), compras);
        QCOMPARE(f->txtfields[3]->property("Tag").toString(), QStringLiteral("VT_PROVEEDORES"));
        // Not consult-only: the first entry is selected and everything can be typed.
        QCOMPARE(f->CmbCpte->currentIndex(), 0);
        QVERIFY(f->CmbCpte->isEnabled());
        QVERIFY(f->txtfields[0]->isEnabled());
        QVERIFY(!f->FrmDetalle->isEnabled());
        QVERIFY(env.respondedor.mensajes.isEmpty());
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    void fntcSigueAlCodigo() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto ventas = Abre(QString());
        ventas->CmbCpte->setCurrentIndex(static_cast<int>(Nombres(*ventas).indexOf(QStringLiteral("NOTAS DE CREDITO"))));
        QCOMPARE(ventas->FNTC(), QStringLiteral("ND"));
        auto compras = Abre(QStringLiteral("@GestionCompras=SI|"));
        compras->CmbCpte->setCurrentIndex(static_cast<int>(Nombres(*compras).indexOf(QStringLiteral("NOTAS DE DEBITO"))));
        QCOMPARE(compras->FNTC(), QStringLiteral("NCC"));
        compras->CmbCpte->setCurrentIndex(-1);
        QCOMPARE(compras->FNTC(), QString());
    }

    void cobranzasYPagosOcultanSolapas_data() {
        QTest::addColumn<QString>("parametros");
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("comercial");
        QTest::newRow("COBRANZAS") << "" << "CB" << "FC";
        QTest::newRow("COBRANZAS CONTADO") << "" << "CBCT" << "RM";
        QTest::newRow("PAGOS") << "@GestionCompras=SI|" << "PG" << "FCC";
    }
    void cobranzasYPagosOcultanSolapas() {
        QFETCH(QString, parametros);
        QFETCH(QString, codigo);
        QFETCH(QString, comercial);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(parametros);
        SeleccionaCodigo(*f, codigo);
        QVERIFY(f->SSTab1->isHidden());
        QCOMPARE(f->AltoDisp(), 3915);
        QCOMPARE(f->txtDisp->height(), VistaGrilla::TwipsAPixeles(3915, f->logicalDpiY()));
        for (int i = 0; i < 3; ++i) QCOMPARE(f->txtfields[i]->property("Tag").toString(), QStringLiteral("COBRANZAS"));
        SeleccionaCodigo(*f, comercial);
        QVERIFY(!f->SSTab1->isHidden());
        QCOMPARE(f->AltoDisp(), 1935);
        for (int i = 0; i < 3; ++i) QCOMPARE(f->txtfields[i]->property("Tag").toString(), QStringLiteral("V_TA_COMPROBANTES"));
    }

    void solapasDesdeLaConfiguracion() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(QString());
        // Demo: "mano de obra", "insumos utilizados" and an empty value for other concepts.
        const QStringList titulos{"Mano De Obra", "Insumos Utilizados", "Detalle De Otros Conceptos"};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(f->SSTab1->tabText(i), titulos[i]);
            QCOMPARE(f->lblEncabezadoTAB[i]->text(), titulos[i]);
            QVERIFY(f->SSTab1->isTabVisible(i));
        }
        QCOMPARE(f->ChkServiciosExentos->toolTip(), QStringLiteral("El Cliente seleccionado es Exento de Iva en Servicios"));
        QCOMPARE(f->ChkInsumosExentos->toolTip(), QStringLiteral("El Cliente seleccionado es Exento de Iva en Insumos"));
        QCOMPARE(f->ChkOtrosExentos->toolTip(), QStringLiteral("El Cliente seleccionado es Exento de Iva en Insumos"));
        QCOMPARE(f->ChkOtrosExentos->text(), QStringLiteral("Exento de IVA"));

        env.Ejecuta(QStringLiteral("UPDATE TA_CONFIGURACION SET Valor = 'si' WHERE CLAVE = 'NoUsaServicios';\n"
                                   "DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'SolapaServicios'"));
        auto g = Abre(QString());
        QVERIFY(!g->SSTab1->isTabVisible(0));
        QVERIFY(g->SSTab1->isTabVisible(1));
        QCOMPARE(g->SSTab1->tabText(0), QStringLiteral("Detalle De Servicios"));
    }

    // --- consult-only start on the demo invoice ---------------------------------------
    void consultaSolamente_facturaDemo() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(QStringLiteral("@TC=FC|@Sucursal=1|@Numero=25|@Letra=A|@PConsultaSolamente=SI|"));
        QVERIFY(env.respondedor.mensajes.isEmpty());
        QVERIFY(env.respondedor.errores.isEmpty());
        QCOMPARE(f->CmbCpte->currentText(), QStringLiteral("FACTURAS"));
        QVERIFY(!f->CmbCpte->isEnabled());
        for (QLineEdit* e : f->txtfields) QVERIFY(!e->isEnabled());
        QVERIFY(f->FrmDetalle->isEnabled());
        QCOMPARE(f->TextoDisp(), FacturaA25);
        QCOMPARE(f->txtDisp->toPlainText(), QString(FacturaA25).replace(CrLf, QStringLiteral("\n")));
        QCOMPARE(f->AltoDisp(), 1935);
        QCOMPARE(f->IntervaloTimer(), 0);
        QVERIFY(f->lblCpteAnulado->isHidden());

        // Lines in their columns, money with the configured two decimals.
        QCOMPARE(f->MSFlexGrid1->Rows(), 4);
        QCOMPARE(Fila(f->MSFlexGrid1, 1, 5), (QStringList{"T001", "Instalación eléctrica", "02:15", "12100.00", "27225.00"}));
        QCOMPARE(Fila(f->MSFlexGrid2, 2, 8),
                 (QStringList{"TAL-200", "Taladro percutor 750 W", "", "UN", "2", "", "96800.00", "193600.00"}));
        QCOMPARE(f->MSFlexGrid2->TextMatrix(2, 14), QStringLiteral("|S0001|S0002|"));
        QCOMPARE(Fila(f->MSFlexGrid3, 2, 3), (QStringList{"Viáticos del técnico", "3000.00", "3000.00"}));

        // Widths of the layout for an empty type, in X of the form's font.
        auto x = [&](int n) { return VistaGrilla::AnchoTextoTwips(f.get(), QString(n, QLatin1Char('X'))); };
        const QList<int> servicios{x(7), x(37), x(7), x(11), x(11), 0, 0, 0};
        for (int c = 0; c < 8; ++c) QCOMPARE(f->MSFlexGrid1->ColWidth(c), servicios[c]);
        const QMap<int, int> articulos{{0, x(15)}, {1, x(29)}, {3, x(4)}, {4, x(4)}, {6, x(11)}, {7, x(11)}};
        for (int c = 0; c < 25; ++c) QCOMPARE(f->MSFlexGrid2->ColWidth(c), articulos.value(c, 0));
        for (int c = 0; c < 3; ++c) QCOMPARE(f->MSFlexGrid3->ColWidth(c), (QList<int>{x(49), x(11), x(11)})[c]);
        // The view shows them at the screen's resolution and hides the zero ones.
        VistaGrilla* vista = f->Vistas[1];
        QCOMPARE(vista->columnWidth(1), VistaGrilla::TwipsAPixeles(x(29), vista->logicalDpiX()));
        QVERIFY(vista->isColumnHidden(2));
        QVERIFY(vista->isColumnHidden(13));
    }

    void tipoInexistenteEnConsultaSolamente() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(QStringLiteral("@TC=ZZ|@Sucursal=1|@Numero=25|@Letra=A|@PConsultaSolamente=SI|"));
        QCOMPARE(f->CmbCpte->currentIndex(), -1);
        QCOMPARE(f->txtfields[0]->text(), QStringLiteral("1"));
        QCOMPARE(env.respondedor.mensajes.size(), 1);
        QCOMPARE(env.respondedor.mensajes[0].texto, QStringLiteral("El Comprobante Informado, es Inexistente!!!"));
    }

    void cambioDeTipoVaciaLaPantalla() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(QString());
        Consulta(*f, QStringLiteral("1"), QStringLiteral("25"), QStringLiteral("A"));
        QCOMPARE(f->TextoDisp(), FacturaA25);
        f->CmbCpte->setCurrentIndex(1);
        for (QLineEdit* e : f->txtfields) QCOMPARE(e->text(), QString());
        QCOMPARE(f->TextoDisp(), QString());
        QCOMPARE(f->MSFlexGrid1->Rows(), 2);
        QCOMPARE(f->MSFlexGrid1->TextMatrix(1, 0), QString());
        QVERIFY(!f->FrmDetalle->isEnabled());
    }

    // --- key fields ---------------------------------------------------------------------
    void relleno_data() {
        QTest::addColumn<int>("campo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("sucursal 12") << 0 << "12" << "0012";
        QTest::newRow("sucursal abc") << 0 << "abc" << "0000";
        QTest::newRow("sucursal 12abc") << 0 << "12abc" << "0012";
        QTest::newRow("sucursal con blancos") << 0 << "  7 " << "0007";
        QTest::newRow("numero 25") << 1 << "25" << "00000025";
        QTest::newRow("proveedor sin cambios") << 3 << " zz " << " zz ";
    }
    void relleno() {
        QFETCH(int, campo);
        QFETCH(QString, texto);
        QFETCH(QString, esperado);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(QStringLiteral("@GestionCompras=SI|"));
        f->txtfields[campo]->setText(texto);
        f->CampoValida(f->txtfields[campo]);
        QCOMPARE(f->txtfields[campo]->text(), esperado);
        QVERIFY(!f->DatoInvalido);
        QVERIFY(env.respondedor.mensajes.isEmpty());
    }

    void rechazos_data() {
        QTest::addColumn<int>("campo");
        QTest::addColumn<QString>("sucursal");
        QTest::addColumn<QString>("numero");
        QTest::addColumn<QString>("letra");
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("mensaje");
        const QString inexistente = QStringLiteral("El Comprobante Informado, es Inexistente!!!");
        QTest::newRow("sucursal vacia") << 0 << "  " << "" << "" << "FC" << "Debe Informar la Sucursal!!!";
        QTest::newRow("numero vacio") << 1 << "1" << "" << "" << "FC" << "Debe Informar el Numero de Comprobante!!!";
        QTest::newRow("letra vacia") << 2 << "1" << "25" << " " << "FC" << "Debe Informar la letra del Comprobante!!!";
        QTest::newRow("letra Z") << 2 << "1" << "25" << "Z" << "FC" << "La letra del Comprobante debe ser A,B,C,X,R";
        QTest::newRow("letra no latina") << 2 << "1" << "25" << "Ж" << "FC" << "La letra del Comprobante debe ser A,B,C,X,R";
        QTest::newRow("letra E pasa y no existe") << 2 << "1" << "25" << "E" << "FC" << inexistente;
        QTest::newRow("letra A,B pasa y no existe") << 2 << "1" << "25" << "A,B" << "FC" << inexistente;
        QTest::newRow("numero inexistente") << 2 << "1" << "99" << "A" << "FC" << inexistente;
        QTest::newRow("tipo que no es el del comprobante") << 2 << "1" << "25" << "A" << "PR" << inexistente;
        QTest::newRow("apostrofes en la sucursal") << 2 << "0001' OR '1'='1" << "25" << "A" << "FC" << inexistente;
        QTest::newRow("sentencia en el numero") << 2 << "1" << "25'; DELETE FROM V_MV_CPTE; --" << "A" << "FC" << inexistente;
        QTest::newRow("300 caracteres") << 2 << QString(300, QLatin1Char('9')) << QString(300, QLatin1Char('8')) << "A" << "FC"
                                        << inexistente;
        QTest::newRow("texto no latino") << 2 << "Сумма" << "数字" << "a" << "FC" << inexistente;
        QTest::newRow("cobranza inexistente") << 2 << "1" << "999" << "X" << "CB" << inexistente;
        QTest::newRow("cobranza anulada sin banco") << 2 << "1" << "153" << "X" << "CB" << "El comprobante ya fue anulado";
    }
    void rechazos() {
        QFETCH(int, campo);
        QFETCH(QString, sucursal);
        QFETCH(QString, numero);
        QFETCH(QString, letra);
        QFETCH(QString, tipo);
        QFETCH(QString, mensaje);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(QString());
        SeleccionaCodigo(*f, tipo);
        f->show();
        QApplication::setActiveWindow(f.get());
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
        f->txtfields[0]->setText(sucursal);
        f->txtfields[1]->setText(numero);
        f->txtfields[2]->setText(letra);
        QLineEdit* e = f->txtfields[campo];
        e->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), e);
        QTest::keyClick(e, Qt::Key_Return);
        QVERIFY(f->DatoInvalido);
        QCOMPARE(env.respondedor.mensajes.size(), 1);
        QCOMPARE(env.respondedor.mensajes[0].texto, mensaje);
        QCOMPARE(env.respondedor.mensajes[0].titulo, QStringLiteral("Aviso al Operador!!!"));
        QVERIFY(env.respondedor.mensajes[0].icono == Dialogos::Icono::Critico);
        QVERIFY(env.respondedor.errores.isEmpty());
        QCOMPARE(QApplication::focusWidget(), e);  // the focus stays in the field
        QCOMPARE(e->text(), campo == 0 ? sucursal : (campo == 1 ? numero : letra));
        QCOMPARE(f->TextoDisp(), QString());
        QVERIFY(!f->FrmDetalle->isEnabled());
        // Nothing was changed in the database.
        Recordset rs = Conexion().AbreRecordset(QStringLiteral("SELECT COUNT(*) AS N FROM V_MV_CPTE"));
        QCOMPARE(rs.Campo(QStringLiteral("N")).toInt(), 17);
    }

    // A database error is reported under the failing procedure's name; the
    // answer decides whether the check or the display goes on.
    void erroresDeBase_data() {
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<QString>("procedimiento");
        QTest::addColumn<bool>("invalido");
        QTest::addColumn<bool>("muestra");
        QTest::newRow("busqueda del comprobante") << "V_MV_CPTE" << 0 << "CampoValida" << true << false;
        QTest::newRow("layout de grillas, salir") << "V_TA_CPTE" << 0 << "MostrarComprobante" << false << false;
        QTest::newRow("layout de grillas, continuar") << "V_TA_CPTE" << 5 << "MostrarComprobante" << false << true;
    }
    void erroresDeBase() {
        QFETCH(QString, tabla);
        QFETCH(int, respuesta);
        QFETCH(QString, procedimiento);
        QFETCH(bool, invalido);
        QFETCH(bool, muestra);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(QString());
        env.Ejecuta(Prueba::QuitaTabla(tabla));
        env.respondedor.respuestasErrores << respuesta;
        Consulta(*f, QStringLiteral("1"), QStringLiteral("25"), QStringLiteral("A"));
        QCOMPARE(env.respondedor.errores.size(), 1);
        QCOMPARE(env.respondedor.errores[0].procedimiento, procedimiento);
        QVERIFY(env.respondedor.mensajes.isEmpty());
        QCOMPARE(f->DatoInvalido, invalido);
        QCOMPARE(f->TextoDisp(), muestra ? FacturaA25 : QString());
        QCOMPARE(f->FrmDetalle->isEnabled(), !invalido);
    }

    void tecladoAvanzaYValida() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(QString());
        f->show();
        QApplication::setActiveWindow(f.get());
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
        f->txtfields[0]->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), f->txtfields[0]);
        QCOMPARE(f->IndiceCampoActual, 0);
        QTest::keyClicks(f->txtfields[0], QStringLiteral("1"));
        QTest::keyClick(f->txtfields[0], Qt::Key_Return);
        QCOMPARE(f->txtfields[0]->text(), QStringLiteral("0001"));
        QCOMPARE(QApplication::focusWidget(), f->txtfields[1]);
        QCOMPARE(f->IndiceCampoActual, 1);
        QTest::keyClicks(f->txtfields[1], QStringLiteral("25"));
        QTest::keyClick(f->txtfields[1], Qt::Key_Tab);
        QCOMPARE(f->txtfields[1]->text(), QStringLiteral("00000025"));
        QCOMPARE(QApplication::focusWidget(), f->txtfields[2]);
        QTest::keyClicks(f->txtfields[2], QStringLiteral("a"));
        QTest::keyClick(f->txtfields[2], Qt::Key_Enter);
        QVERIFY(!f->DatoInvalido);
        QCOMPARE(f->TextoDisp(), FacturaA25);
        QVERIFY(f->FrmDetalle->isEnabled());
        QVERIFY(env.respondedor.mensajes.isEmpty());
        // F5 names the field the search starts from, even without the focus there.
        QString abierto;
        {
            Modal::GanchoTemporal gancho([&](QDialog* d) {
                abierto = d->objectName();
                return int(QDialog::Rejected);
            });
            QTest::keyClick(f->txtfields[1], Qt::Key_F5);
        }
        QCOMPARE(f->IndiceCampoActual, 1);
        QCOMPARE(abierto, QStringLiteral("FrmConsComprobantes"));
        QCOMPARE(f->TextoDisp(), FacturaA25);  // nothing chosen: the voucher stays
    }

    void escapeCierraElPrograma() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(QString());
        f->show();
        QApplication::setActiveWindow(f.get());
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
        f->txtfields[0]->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), f->txtfields[0]);
        QTest::keyClick(f->txtfields[0], Qt::Key_Escape);
        QVERIFY(!f->isVisible());
        QVERIFY(!Conexion().Conectado());  // the session was closed
    }

    // --- commercial vouchers ------------------------------------------------------------------
    void facturaAnuladaParpadea() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(QString());
        Consulta(*f, QStringLiteral("1"), QStringLiteral("26"), QStringLiteral("A"));
        QCOMPARE(f->IntervaloTimer(), 500);
        QCOMPARE(f->AltoDisp(), 1935 - f->AltoAnulado() - 120);
        QVERIFY(f->AltoAnulado() > 0);
        QVERIFY(!f->lblCpteAnulado->isHidden());
        QCOMPARE(f->lblCpteAnulado->text(), QStringLiteral("ANULADA PREVIAMENTE !!!"));
        // Red, yellow, red on successive ticks.
        QCOMPARE(f->ColorAnulado(), QColor(255, 0, 0));
        f->Timer1_Timer();
        QCOMPARE(f->ColorAnulado(), QColor(255, 255, 0));
        f->Timer1_Timer();
        QCOMPARE(f->ColorAnulado(), QColor(255, 0, 0));
        // Any other colour goes to red.
        f->EstableceColorAnulado(Qt::blue);
        f->Timer1_Timer();
        QCOMPARE(f->ColorAnulado(), QColor(255, 0, 0));
        // The timer itself ticks.
        QTRY_COMPARE_WITH_TIMEOUT(f->ColorAnulado(), QColor(255, 255, 0), 2000);
        // A voucher that is not annulled stops it.
        Consulta(*f, QStringLiteral("1"), QStringLiteral("25"), QStringLiteral("A"));
        QCOMPARE(f->IntervaloTimer(), 0);
        QCOMPARE(f->AltoDisp(), 1935);
        QVERIFY(f->lblCpteAnulado->isHidden());
    }

    // The display path follows the trimmed type in any case; a type of no
    // path, or a sales voucher that is not there, leaves the header as it was.
    void mostrarComprobante_caminos() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(QString());
        Consulta(*f, QStringLiteral("1"), QStringLiteral("26"), QStringLiteral("A"));  // annulled: blinking
        f->MostrarComprobante(QStringLiteral(" fc"), QStringLiteral("000100000025A"), QStringLiteral("0"), QString());
        QCOMPARE(f->TextoDisp(), FacturaA25);
        QCOMPARE(f->IntervaloTimer(), 0);
        QCOMPARE(f->MSFlexGrid1->Rows(), 4);
        f->MostrarComprobante(QStringLiteral("ZZ"), QStringLiteral("000100000026A"), QStringLiteral("0"), QString());
        QCOMPARE(f->TextoDisp(), FacturaA25);
        QCOMPARE(f->MSFlexGrid1->Rows(), 4);
        f->MostrarComprobante(QStringLiteral("FC"), QStringLiteral("000100000099A"), QStringLiteral("0"), QString());
        QCOMPARE(f->TextoDisp(), FacturaA25);
        QCOMPARE(f->AltoDisp(), 1935);
        // The grids were laid out before the search: empty.
        QCOMPARE(f->MSFlexGrid1->Rows(), 2);
        QCOMPARE(f->MSFlexGrid1->TextMatrix(1, 0), QString());
        QCOMPARE(f->MSFlexGrid2->Rows(), 2);
        QVERIFY(env.respondedor.mensajes.isEmpty());
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    void anuladaNulaNoEsAnulada() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(QString());
        Consulta(*f, QStringLiteral("1"), QStringLiteral("12"), QStringLiteral("B"));  // Anulada is Null
        QCOMPARE(f->IntervaloTimer(), 0);
        QCOMPARE(f->AltoDisp(), 1935);
        QVERIFY(f->TextoDisp().contains(QStringLiteral("Fecha        : 12/06/2024     Vencimiento: ") + CrLf));
        QCOMPARE(f->TextoDisp().split(CrLf)[6], QStringLiteral("Clase Precio :  "));
    }

    void cabeceraConNulosYTextosLargos() {
        const QString largo(400, QLatin1Char('N'));
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo,
                            QStringLiteral("INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, Nombre) VALUES ('FC', "
                                           "'000900000001A', 0, '%1');\n"
                                           "INSERT INTO V_MV_CPTETAREAS (TC, IDCOMPROBANTE, IDCOMPLEMENTO) VALUES ('FC', "
                                           "'000900000001A', 0);\n")
                                .arg(largo));
        auto f = Abre(QString());
        Consulta(*f, QStringLiteral("9"), QStringLiteral("1"), QStringLiteral("A"));
        QVERIFY(env.respondedor.errores.isEmpty());
        QCOMPARE(f->TextoDisp(), Lineas({Guiones75, QStringLiteral("Fecha        :      Vencimiento: "),
                                         QStringLiteral("Cliente      :   / ") + largo + QStringLiteral(" "),
                                         QStringLiteral("Domicilio    :   "), QStringLiteral("Cond. IVA    :  "),
                                         QStringLiteral("Lista Precio :  "), QStringLiteral("Clase Precio :  "), Guiones75}));
        QCOMPARE(Fila(f->MSFlexGrid1, 1, 5), (QStringList{"", "", "00:00", "0.00", "0.00"}));
    }

    void compraSinMezclarLineas() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(QStringLiteral("@GestionCompras=SI|"));
        QCOMPARE(f->FNTC(), QStringLiteral("FCC"));
        Consulta(*f, QStringLiteral("3"), QStringLiteral("1234"), QStringLiteral("A"), QStringLiteral("P0002"));
        QVERIFY(env.respondedor.mensajes.isEmpty());
        QCOMPARE(f->TextoDisp(), Lineas({Guiones75, QStringLiteral("Fecha        : 22/05/2024     Vencimiento: 21/06/2024"),
                                         QStringLiteral("Proveedor    : P0002  / Herramientas Bahía S.R.L. "),
                                         QStringLiteral("Domicilio    : Brown 455 Bahía Blanca "),
                                         QStringLiteral("Cond. IVA    : RESPONSABLE INSCRIPTO "), Guiones75}));
        QCOMPARE(Fila(f->MSFlexGrid1, 1, 5), (QStringList{"T004", "Service de mantenimiento", "04:00", "12100.00", "48400.00"}));
        QCOMPARE(f->MSFlexGrid1->TextMatrix(1, 7), QString());  // purchasing: no additional description
        QCOMPARE(f->MSFlexGrid2->TextMatrix(1, 0), QStringLiteral("BAT-050"));
        QCOMPARE(f->MSFlexGrid3->TextMatrix(1, 0), QStringLiteral("Envío por transporte"));
        // Same number, another supplier: only the new voucher's lines remain.
        Consulta(*f, QStringLiteral("3"), QStringLiteral("1234"), QStringLiteral("A"), QStringLiteral("P0001"));
        QVERIFY(f->TextoDisp().contains(QStringLiteral("Proveedor    : P0001  / Distribuidora Eléctrica Rosario S.A. ")));
        QCOMPARE(f->MSFlexGrid1->Rows(), 2);
        QCOMPARE(f->MSFlexGrid1->TextMatrix(1, 0), QString());
        QCOMPARE(f->MSFlexGrid2->Rows(), 3);
        QCOMPARE(f->MSFlexGrid2->TextMatrix(1, 0), QStringLiteral("CAB-001"));
        QCOMPARE(f->MSFlexGrid2->TextMatrix(2, 0), QStringLiteral("TAL-200"));
        QCOMPARE(f->MSFlexGrid3->TextMatrix(1, 0), QString());
        // Without the supplier nothing is found.
        Consulta(*f, QStringLiteral("3"), QStringLiteral("1234"), QStringLiteral("A"), QString());
        QCOMPARE(env.respondedor.mensajes.size(), 1);
        QCOMPARE(env.respondedor.mensajes[0].texto, QStringLiteral("El Comprobante Informado, es Inexistente!!!"));
    }

    // --- collections and payments ---------------------------------------------------------------
    void cobranza_mediosDePago() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(QStringLiteral("@TC=CB|@Sucursal=1|@Numero=150|@Letra=X|@PConsultaSolamente=SI|"));
        QVERIFY(env.respondedor.mensajes.isEmpty());
        QVERIFY(env.respondedor.errores.isEmpty());
        // The cheque number is cut to 8 and the bank to 25; the amount is never cut.
        QCOMPARE(f->TextoDisp(),
                 InicioPagos() + Efectivo(QStringLiteral("50000.000")) +
                     Cheque(De3ros, QStringLiteral("00123456"), QStringLiteral("0011 - BANCO DE LA NACION"),
                            QStringLiteral("15/07/2024"), QStringLiteral("120000.000")) +
                     Cheque(Propio, QStringLiteral("00098765"), QStringLiteral("0014 - BANCO DE LA PROVIN"),
                            QStringLiteral("30/07/2024"), QStringLiteral("12500.750")) +
                     FinPagos(QStringLiteral("182500.750")));
        QVERIFY(f->SSTab1->isHidden());
        QCOMPARE(f->AltoDisp(), 3915);
        QCOMPARE(f->TopAnulado(), 1550);
        QCOMPARE(f->IntervaloTimer(), 0);
        QVERIFY(f->FrmDetalle->isEnabled());
    }

    void cobranzaContado_ordenYCuentas() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(QStringLiteral("@TC=CBCT|@Sucursal=1|@Numero=151|@Letra=X|@PConsultaSolamente=SI|"));
        // Lines in SECUENCIA order; the bank transfer line of a collection is not shown nor counted.
        const QString texto = f->TextoDisp();
        QCOMPARE(texto, InicioPagos() + Efectivo(QStringLiteral("150.500")) +
                            Cheque(De3ros, QStringLiteral("77001122"), QStringLiteral("0020 - BANCO DE CORDOBA  "),
                                   QStringLiteral("05/07/2024"), QStringLiteral("25.000  ")) +
                            FinPagos(QStringLiteral("175.500")));
        const QStringList l = texto.split(CrLf);
        QCOMPARE(l[3].indexOf(QStringLiteral("150.500")), 70);  // column 71
        QCOMPARE(l[4].indexOf(QStringLiteral("25.000")), 69);   // column 70
        QCOMPARE(l[4].size(), 77);
        QCOMPARE(l.last().indexOf(QStringLiteral("175.500")), 69);
    }

    void cobranzaAnulada_parpadeaDebajoDelCuadro() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(QStringLiteral("@TC=CB|@Sucursal=1|@Numero=152|@Letra=X|@PConsultaSolamente=SI|"));
        QCOMPARE(f->TextoDisp(), InicioPagos() +
                                     Cheque(De3ros, QStringLiteral("00555001"), QStringLiteral("0072 - BANCO SANTANDER AR"),
                                            QStringLiteral("20/07/2024"), QStringLiteral("8000.000")) +
                                     Cheque(De3ros, QStringLiteral("00555002"), QStringLiteral(" - ") + Sp(22),
                                            QStringLiteral("20/07/2024"), QStringLiteral("2000.000")) +
                                     FinPagos(QStringLiteral("10000.000")));
        QCOMPARE(f->IntervaloTimer(), 500);
        QCOMPARE(f->AltoDisp(), 3915 - f->AltoAnulado() - 120);
        QCOMPARE(f->TopAnulado(), f->AltoDisp() + 120);
        QVERIFY(!f->lblCpteAnulado->isHidden());
        f->Timer1_Timer();
        QCOMPARE(f->ColorAnulado(), QColor(255, 255, 0));
        // A refresh stops the blinking and empties the screen.
        f->Inicializa(true);
        QCOMPARE(f->IntervaloTimer(), 0);
        QCOMPARE(f->TextoDisp(), QString());
        QVERIFY(f->lblCpteAnulado->isHidden());
    }

    void pago_lineasDeBanco() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(QStringLiteral("@GestionCompras=SI|@TC=PG|@Sucursal=2|@Numero=88|@Letra=X|@Proveedor=P0001|"
                                     "@PConsultaSolamente=SI|"));
        QVERIFY(env.respondedor.mensajes.isEmpty());
        QVERIFY(env.respondedor.errores.isEmpty());
        QCOMPARE(f->TextoDisp(),
                 InicioPagos() + Efectivo(QStringLiteral("30000.000")) +
                     Cheque(Propio, QStringLiteral("00004521"), QStringLiteral("0007 - BANCO DE GALICIA Y"),
                            QStringLiteral("30/07/2024"), QStringLiteral("120000.000")) +
                     Cheque(Propio, QStringLiteral("TRF88120"), QStringLiteral("0007 - BANCO DE GALICIA Y"),
                            QStringLiteral("28/06/2024"), QStringLiteral("100000.000")) +
                     FinPagos(QStringLiteral("250000.000")));
        // The same number to another supplier is another entry.
        Consulta(*f, QStringLiteral("2"), QStringLiteral("88"), QStringLiteral("X"), QStringLiteral("P0002"));
        QCOMPARE(f->TextoDisp(), InicioPagos() + Efectivo(QStringLiteral("52030.000")) + FinPagos(QStringLiteral("52030.000")));
        // A withholding line is neither a payment mean nor counted.
        Consulta(*f, QStringLiteral("2"), QStringLiteral("89"), QStringLiteral("X"), QStringLiteral("P0003"));
        QCOMPARE(f->TextoDisp(), InicioPagos() + Efectivo(QStringLiteral("40376.000")) + FinPagos(QStringLiteral("40376.000")));
    }

    void pago_sinTituloBancosTodoEsBanco() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        env.Ejecuta(QStringLiteral("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'TituloBancos'"));
        auto f = Abre(QStringLiteral("@GestionCompras=SI|@TC=PG|@Sucursal=2|@Numero=89|@Letra=X|@Proveedor=P0003|"
                                     "@PConsultaSolamente=SI|"));
        const QStringList l = f->TextoDisp().split(CrLf);
        // The supplier's line, the withholding and the cash line (cash keeps its own layout).
        QCOMPARE(l.size(), 3 + 3 + 3);
        QVERIFY(l[3].startsWith(Propio));
        QCOMPARE(l.last(), QStringLiteral("TOTAL   : ") + Sp(59) + QStringLiteral("82400.000"));
    }

    // Amounts longer than their 8 columns are shown whole and every other
    // column stays where it is; a Null amount is shown and counted as 0.
    void importesLargosNuncaSeCortan() {
        Prueba::Entorno env(
            Prueba::Entorno::Datos::Demo,
            QStringLiteral(
                "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], SECUENCIA, TC, SUCURSAL, NUMERO, LETRA, CUENTA, "
                "Importe, ChPropio, NroComprobanteBancario, IdBanco, Vencimiento, CABIMPORTE) VALUES "
                "('2024', 8, 900, 1, 'CB', '0001', '00000160', 'X', '1.1.01.001', NULL, 0, NULL, NULL, NULL, 150123481.789),"
                "('2024', 8, 900, 2, 'CB', '0001', '00000160', 'X', '1.1.03.001', 123456.789, 0, '00000001', '0011', '2024-09-01', 150123481.789),"
                "('2024', 8, 900, 3, 'CB', '0001', '00000160', 'X', '1.1.03.001', 25, 0, '00000002', '0020', '2024-09-02', 150123481.789),"
                "('2024', 8, 900, 4, 'CB', '0001', '00000160', 'X', '1.1.03.001', 150000000, 1, '00000003', '0007', '2024-09-03', 150123481.789),"
                "('2024', 8, 901, 1, 'PG', '0002', '00000090', 'X', 'P0001', 150123466.789, 0, NULL, NULL, NULL, 150123466.789),"
                "('2024', 8, 901, 2, 'PG', '0002', '00000090', 'X', '1.1.02.005', 150000000, 0, 'TRF1', '0020', '2024-09-03', 150123466.789),"
                "('2024', 8, 901, 3, 'PG', '0002', '00000090', 'X', '1.1.03.001', 123456.789, 0, '00000001', '0011', '2024-09-01', 150123466.789),"
                "('2024', 8, 901, 4, 'PG', '0002', '00000090', 'X', '1.1.01.001', 10, 0, NULL, NULL, NULL, 150123466.789);\n"));
        auto f = Abre(QStringLiteral("@TC=CB|@Sucursal=1|@Numero=160|@Letra=X|@PConsultaSolamente=SI|"));
        QVERIFY(env.respondedor.errores.isEmpty());
        QCOMPARE(f->TextoDisp(), InicioPagos() + Efectivo(QStringLiteral("0.000")) +
                                     Cheque(De3ros, QStringLiteral("00000001"), QStringLiteral("0011 - BANCO DE LA NACION"),
                                            QStringLiteral("01/09/2024"), QStringLiteral("123456.789")) +
                                     Cheque(De3ros, QStringLiteral("00000002"), QStringLiteral("0020 - BANCO DE CORDOBA  "),
                                            QStringLiteral("02/09/2024"), QStringLiteral("25.000  ")) +
                                     Cheque(Propio, QStringLiteral("00000003"), QStringLiteral("0007 - BANCO DE GALICIA Y"),
                                            QStringLiteral("03/09/2024"), QStringLiteral("150000000.000")) +
                                     FinPagos(QStringLiteral("150123481.789")));
        auto p = Abre(QStringLiteral("@GestionCompras=SI|@TC=PG|@Sucursal=2|@Numero=90|@Letra=X|@Proveedor=P0001|"
                                     "@PConsultaSolamente=SI|"));
        QVERIFY(p->TextoDisp().endsWith(FinPagos(QStringLiteral("150123466.789"))));

        // Column by column: label 1-20, number 22-29, bank 31-55, due date
        // 57-66, the amount from column 70 to its end.
        auto campos = [](const QString& linea) {
            return QStringList{linea.mid(0, 20),  linea.mid(20, 1), linea.mid(21, 8),  linea.mid(29, 1), linea.mid(30, 25),
                               linea.mid(55, 1),  linea.mid(56, 10), linea.mid(66, 3), linea.mid(69)};
        };
        const QString b = Sp(1);
        const QStringList cobranza = f->TextoDisp().split(CrLf);
        QCOMPARE(campos(cobranza[4]), (QStringList{De3ros, b, "00000001", b, "0011 - BANCO DE LA NACION", b, "01/09/2024",
                                                   Sp(3), "123456.789"}));
        QCOMPARE(campos(cobranza[5]), (QStringList{De3ros, b, "00000002", b, "0020 - BANCO DE CORDOBA  ", b, "02/09/2024",
                                                   Sp(3), "25.000  "}));
        QCOMPARE(campos(cobranza[6]), (QStringList{Propio, b, "00000003", b, "0007 - BANCO DE GALICIA Y", b, "03/09/2024",
                                                   Sp(3), "150000000.000"}));
        QCOMPARE(cobranza.last().indexOf(QStringLiteral("150123481.789")), 69);
        const QStringList pago = p->TextoDisp().split(CrLf);
        // The bank line, the third party's cheque and the cash line, in the entry's order.
        QCOMPARE(campos(pago[3]), (QStringList{Propio, b, "TRF1    ", b, "0020 - BANCO DE CORDOBA  ", b, "03/09/2024", Sp(3),
                                               "150000000.000"}));
        QCOMPARE(campos(pago[4]), (QStringList{De3ros, b, "00000001", b, "0011 - BANCO DE LA NACION", b, "01/09/2024", Sp(3),
                                               "123456.789"}));
        QCOMPARE(pago[5], Efectivo(QStringLiteral("10.000")).chopped(2));
    }

    // Key texts that are not keys (quotes, statements, very long or
    // non-Latin text) find nothing on the purchasing side, for collections and
    // for payments: the refusal, no database error, no other voucher shown.
    void rechazosDeClavesConTextoExtrano_data() {
        QTest::addColumn<bool>("compras");
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("sucursal");
        QTest::addColumn<QString>("numero");
        QTest::addColumn<QString>("proveedor");
        const QString largo(300, QLatin1Char('P'));
        QTest::newRow("compra, apostrofes en el proveedor") << true << "FCC" << "3" << "1234" << "P0002' OR '1'='1";
        QTest::newRow("compra, sentencia en el proveedor") << true << "FCC" << "3" << "1234" << "P0002'; DELETE FROM C_MV_CPTE; --";
        QTest::newRow("compra, proveedor de 300 caracteres") << true << "FCC" << "3" << "1234" << largo;
        QTest::newRow("compra, proveedor no latino") << true << "FCC" << "3" << "1234" << "Поставщик";
        QTest::newRow("compra, apostrofe en el numero") << true << "FCC" << "3" << "1234' OR '1'='1" << "P0002";
        QTest::newRow("pago, apostrofes en el proveedor") << true << "PG" << "2" << "88" << "P0001' OR '1'='1";
        QTest::newRow("pago, numero de 300 caracteres") << true << "PG" << "2" << QString(300, QLatin1Char('8')) << "P0001";
        QTest::newRow("pago, sucursal no latina") << true << "PG" << "二" << "88" << "P0001";
        QTest::newRow("cobranza, apostrofes en la sucursal") << false << "CB" << "0001' OR '1'='1" << "150" << "";
        QTest::newRow("cobranza, sentencia en el numero") << false << "CB" << "1" << "150'; DELETE FROM MV_ASIENTOS; --" << "";
        QTest::newRow("cobranza, numero no latino") << false << "CBCT" << "1" << "一五一" << "";
    }
    void rechazosDeClavesConTextoExtrano() {
        QFETCH(bool, compras);
        QFETCH(QString, tipo);
        QFETCH(QString, sucursal);
        QFETCH(QString, numero);
        QFETCH(QString, proveedor);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(compras ? QStringLiteral("@GestionCompras=SI|") : QString());
        QVERIFY(SeleccionaCodigo(*f, tipo) >= 0);
        const QString letra = tipo == QLatin1String("FCC") ? QStringLiteral("A") : QStringLiteral("X");
        Consulta(*f, sucursal, numero, letra, proveedor);
        QVERIFY(f->DatoInvalido);
        QCOMPARE(env.respondedor.mensajes.size(), 1);
        QCOMPARE(env.respondedor.mensajes[0].texto, QStringLiteral("El Comprobante Informado, es Inexistente!!!"));
        QCOMPARE(env.respondedor.mensajes[0].titulo, QStringLiteral("Aviso al Operador!!!"));
        QVERIFY(env.respondedor.errores.isEmpty());
        QCOMPARE(f->TextoDisp(), QString());
        QCOMPARE(f->MSFlexGrid1->TextMatrix(1, 0), QString());
        QCOMPARE(f->MSFlexGrid2->TextMatrix(1, 0), QString());
        QVERIFY(!f->FrmDetalle->isEnabled());
        for (const char* tabla : {"C_MV_CPTE", "MV_ASIENTOS"}) {
            Recordset rs = Conexion().AbreRecordset(QStringLiteral("SELECT COUNT(*) AS N FROM %1").arg(QLatin1String(tabla)));
            QVERIFY(rs.Campo(QStringLiteral("N")).toInt() > 0);
        }
    }

    // --- the window itself ------------------------------------------------------------------
    void controlesDeLaVentana() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(QStringLiteral("@GestionCompras=SI|"));
        // Every control under the name the code refers to it by.
        for (const char* nombre : {"Toolbar1", "Frame1", "CmbCpte", "LBLPROVEEDOR", "FrmDetalle", "txtDisp", "SSTab1",
                                   "MSFlexGrid1", "MSFlexGrid2", "MSFlexGrid3", "TxtEdit", "txtEdit2", "txtEdit3",
                                   "ChkServiciosExentos", "ChkInsumosExentos", "ChkOtrosExentos", "lblCpteAnulado"})
            QVERIFY2(f->findChild<QWidget*>(QLatin1String(nombre)), nombre);
        QVERIFY(f->findChild<QTimer*>(QStringLiteral("Timer1")) == f->Timer1);
        QCOMPARE(f->findChildren<QLineEdit*>(QStringLiteral("txtfields")).size(), 4);
        QCOMPARE(f->findChildren<QLabel*>(QStringLiteral("lblEncabezadoTAB")).size(), 3);
        const QList<QLabel*> etiquetas = f->findChildren<QLabel*>(QStringLiteral("Label1"));
        QCOMPARE(etiquetas.size(), 2);
        QCOMPARE(f->Label1[0]->text(), QStringLiteral("Nº de Cpte"));
        QCOMPARE(f->Label1[1]->text(), QStringLiteral("Comprobante"));
        QCOMPARE(f->LBLPROVEEDOR->text(), QStringLiteral("Proveedor"));
        QStringList campos;
        for (QLineEdit* e : f->txtfields) campos << e->property("DataField").toString();
        QCOMPARE(campos, (QStringList{"Sucursal", "Numero", "Letra", "PROVEEDOR"}));
        QCOMPARE(f->SSTab1->count(), 3);
        QVERIFY(f->txtDisp->isReadOnly());

        // The header box is in a fixed-pitch font, so its columns line up.
        const QFontInfo fuente(f->txtDisp->font());
        QVERIFY2(fuente.fixedPitch(), qPrintable(fuente.family()));
        QVERIFY(fuente.family() == QLatin1String("Courier New") || fuente.family() == QLatin1String("DejaVu Sans Mono"));
        const QFontMetrics fm(f->txtDisp->font());
        QCOMPARE(fm.horizontalAdvance(QStringLiteral("iiiii")), fm.horizontalAdvance(QStringLiteral("MMMMM")));

        // A sensible minimum size, and the grids take the room the window gets.
        QVERIFY(f->minimumWidth() >= 640 && f->minimumHeight() >= 480);
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.get()));
        f->resize(f->minimumSize());
        QTRY_COMPARE(f->size(), f->minimumSize());
        const QSize pequena = f->Vistas[0]->size();
        QVERIFY(pequena.height() > 0);
        f->resize(f->minimumSize() + QSize(300, 200));
        QTRY_VERIFY(f->Vistas[0]->height() > pequena.height());
        QVERIFY(f->Vistas[0]->width() > pequena.width());
        // The header box keeps its height in twips whatever the window's size.
        QCOMPARE(f->txtDisp->height(), VistaGrilla::TwipsAPixeles(1935, f->logicalDpiY()));
    }
};

QTEST_MAIN(PruebaInquiry)
#include "test_inquiry.moc"
