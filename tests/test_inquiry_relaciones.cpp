// The inquiry screen's menu on the header box and its shortcuts: the
// vouchers tied to the one shown (and opening one of them), its action log,
// and the real-charges control of its customer.
#include "cmncptes/ClsCmnCptes.h"
#include "cmncptes/GrillaFlex.h"
#include "cmncptes/VistaGrilla.h"
#include "forms/FrmCtrlCargosReales.h"
#include "inquiry/FrmConsCpteGenerico.h"
#include "inquiry/FrmCptesRelacionados.h"
#include "inquiry/FrmHistorialCpte.h"
#include "session/ClsSesion.h"
#include "session/Modal.h"
#include "session/ModGlobal.h"
#include "support/Fixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>

namespace {

std::unique_ptr<FrmConsCpteGenerico> Abre(const QString& parametros = {}) {
    ParametroAdicional = parametros;
    auto f = std::make_unique<FrmConsCpteGenerico>();
    f->Form_Load();
    f->show();
    QApplication::setActiveWindow(f.get());
    return f;
}

// Picks the type and validates the key as Enter in the letter field does.
void Muestra(FrmConsCpteGenerico& f, const QString& tc, const QString& suc, const QString& nro, const QString& letra) {
    for (int i = 0; i < f.CmbCpte->count(); ++i)
        if (f.EntradaCpte(i).mid(199).trimmed() == tc) f.CmbCpte->setCurrentIndex(i);
    f.txtfields[0]->setText(suc);
    f.txtfields[1]->setText(nro);
    f.txtfields[2]->setText(letra);
    f.CampoValida(f.txtfields[2]);
}

QStringList Filas(const GrillaFlex* g, int columnas) {
    QStringList r;
    for (int f = g->FixedRows(); f < g->Rows(); ++f) {
        QStringList c;
        for (int k = 0; k < columnas; ++k) c << g->TextMatrix(f, k);
        r << c.join(QLatin1Char('|'));
    }
    return r;
}

} // namespace

class PruebaInquiryRelaciones : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { ParametroAdicional.clear(); }

    // F6 on a work order: the delivery note (annulled) and the invoice made
    // from it, the total of those not annulled; Enter opens the invoice.
    void relacionadosYZoom() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre();
        Muestra(*f, "OT", "1", "111", "X");
        QVERIFY(f->FrmDetalle->isEnabled());
        QStringList filas;
        QString total, titulo;
        int abiertas = 0;
        {
            Modal::GanchoTemporal g([&](QDialog* d) {
                ++abiertas;
                auto* r = qobject_cast<FrmCptesRelacionados*>(d);
                if (!r) return 0;
                titulo = r->windowTitle();
                filas = Filas(r->Grilla, 6);
                total = r->LblTotal->text();
                r->show();
                r->Vista->setFocus();
                r->Vista->setCurrentIndex(r->Grilla->index(1, 0));
                QTest::keyClick(r->Vista, Qt::Key_Return);
                return r->result();
            });
            f->txtDisp->setFocus();
            QTest::keyClick(f->txtDisp, Qt::Key_F6);
        }
        QCOMPARE(abiertas, 1);
        QCOMPARE(titulo, QStringLiteral("Comprobantes relacionados"));
        QCOMPARE(filas, (QStringList{"Generado|RM|0001-00000046-R|07/06/2024|8470.00|ANULADO",
                                     "Generado|FC|0001-00000031-A|08/06/2024|22990.00|"}));
        QCOMPARE(total, QStringLiteral("Total de los comprobantes generados (sin anulados): 22990.00"));
        // The invoice is now on screen, with its origin in the relations.
        QCOMPARE(f->FNTC(), QStringLiteral("FC"));
        QCOMPARE(f->txtfields[1]->text(), QStringLiteral("00000031"));
        QVERIFY2(f->TextoDisp().contains(QStringLiteral("Fecha        : 08/06/2024")), qPrintable(f->TextoDisp()));
        {
            Modal::GanchoTemporal g([&](QDialog* d) {
                auto* r = qobject_cast<FrmCptesRelacionados*>(d);
                filas = r ? Filas(r->Grilla, 6) : QStringList();
                total = r ? r->LblTotal->text() : QString();
                return 0;
            });
            f->AccRelacionados->trigger();
        }
        QCOMPARE(filas, (QStringList{"Origen|OT|0001-00000111-X|04/06/2024|22990.00|"}));
        QCOMPARE(total, QStringLiteral("Total de los comprobantes generados (sin anulados): 0.00"));
        QVERIFY(env.respondedor.mensajes.isEmpty());
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    // Locked on one voucher (consult-only), Enter chooses nothing.
    void soloConsultaNoAbreOtro() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(QStringLiteral("@TC=OT|@Sucursal=1|@Numero=111|@Letra=X|@PConsultaSolamente=SI|"));
        QVERIFY(f->FrmDetalle->isEnabled());
        {
            Modal::GanchoTemporal g([&](QDialog* d) {
                auto* r = qobject_cast<FrmCptesRelacionados*>(d);
                if (!r) return 0;
                r->show();
                r->Vista->setCurrentIndex(r->Grilla->index(1, 0));
                emit r->Vista->activated(r->Grilla->index(1, 0));
                return 0;
            });
            f->AccRelacionados->trigger();
        }
        QCOMPARE(f->FNTC(), QStringLiteral("OT"));
        QCOMPARE(f->txtfields[1]->text(), QStringLiteral("00000111"));  // the voucher passed at start-up, as looked up
        QVERIFY(f->TextoDisp().contains(QStringLiteral("Fecha        : 04/06/2024")));
    }

    // A related voucher the screen cannot show (another complement) is refused
    // with a message; the shown voucher stays.
    void relacionadoQueNoSePuedeMostrar() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo,
                            QStringLiteral("INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, Fecha, Cuenta, Anulada, "
                                           "Importe, TCORIGEN, COMPROBANTEORIGEN, COMPLEMENTOORIGEN) VALUES ('FC', "
                                           "'000100000077A', 2, '2024-06-30', 'C0001', 0, 10, 'OT', '000100000111X', 0)"));
        auto f = Abre();
        Muestra(*f, "OT", "1", "111", "X");
        {
            Modal::GanchoTemporal g([&](QDialog* d) {
                auto* r = qobject_cast<FrmCptesRelacionados*>(d);
                if (!r) return 0;
                emit r->Vista->activated(r->Grilla->index(2, 0));
                return r->result();
            });
            f->AccRelacionados->trigger();
        }
        QCOMPARE(env.respondedor.mensajes.size(), 1);
        QCOMPARE(env.respondedor.mensajes[0].texto,
                 QStringLiteral("El comprobante FC 0001-00000077-A / 2 no se puede mostrar en esta pantalla."));
        QCOMPARE(f->FNTC(), QStringLiteral("OT"));
    }

    // F7: the log, newest first, ordered by the moment whatever the text form
    // the row was written in; names with non-Latin letters intact.
    void historial() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        {
            const ClsSesion::Reloj anterior =
                ClsSesion::EstableceReloj([] { return QDateTime(QDate(2024, 6, 11), QTime(12, 0, 0)); });
            qputenv("TALERUNA_USUARIO", QByteArray("Ñandú"));
            ClsCmnCptes cmn;
            cmn.ActualizaBuchon(QStringLiteral("FC"), QStringLiteral("000100000026A"), QStringLiteral("0"), false, false);
            qputenv("TALERUNA_USUARIO", QByteArray("admin"));
            ClsSesion::EstableceReloj(anterior);
        }
        auto f = Abre();
        QStringList filas;
        QString titulo;
        auto captura = [&](QDialog* d) {
            auto* h = qobject_cast<FrmHistorialCpte*>(d);
            if (!h) return 0;
            titulo = h->windowTitle();
            filas = Filas(h->Grilla, 4);
            return 0;
        };
        Modal::GanchoTemporal g(captura);
        Muestra(*f, "FC", "1", "26", "A");
        f->txtDisp->setFocus();
        QTest::keyClick(f->txtDisp, Qt::Key_F7);
        QCOMPARE(titulo, QStringLiteral("Historial del comprobante"));
        QCOMPARE(filas, (QStringList{QString::fromUtf8("Modificación|11/06/2024 17:02:11|admin|PUESTO01"),
                                     QString::fromUtf8("Baja|11/06/2024 12:00:00|Ñandú|PUESTO01"),
                                     "Alta|11/06/2024 09:15:40|lgomez|PUESTO02"}));
        Muestra(*f, "FC", "1", "31", "A");
        f->AccHistorial->trigger();
        QCOMPARE(filas, (QStringList{QString::fromUtf8("Modificación|08/06/2024 10:31:45|mrodríguez|CAJA-01"),
                                     "Alta|08/06/2024 10:05:00|admin|PUESTO01"}));
        Muestra(*f, "FC", "1", "12", "B");
        f->AccHistorial->trigger();
        QCOMPARE(filas, QStringList());
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    // F8: the real-charges view of the shown voucher's customer.
    void cargosReales() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre();
        Muestra(*f, "FC", "1", "25", "A");
        QString cliente, saldo;
        QStringList amarillas;
        {
            Modal::GanchoTemporal g([&](QDialog* d) {
                auto* v = qobject_cast<FrmCtrlCargosReales*>(d);
                if (!v) return 0;
                cliente = v->Cliente;
                const GrillaFlex* m = v->MSFlexGrid1;
                saldo = m->TextMatrix(m->Rows() - 1, 6);
                for (int r = 1; r < m->Rows(); ++r)
                    if (m->CellBackColor(r, 0) == QColor(255, 255, 0)) amarillas << m->TextMatrix(r, 1) + "|" + m->TextMatrix(r, 6);
                return 0;
            });
            f->txtDisp->setFocus();
            QTest::keyClick(f->txtDisp, Qt::Key_F8);
        }
        QCOMPARE(cliente, QStringLiteral("C0001"));
        QCOMPARE(amarillas, QStringList{"000100000111X|5500"});
        QCOMPARE(saldo, QStringLiteral("9030"));  // 5500 + 50 - 20 + 3500
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    // Nothing (or nothing of sales) on screen: the entries say so and open nothing.
    void sinComprobanteEnPantalla_data() {
        QTest::addColumn<QString>("parametros");
        QTest::addColumn<int>("accion");
        QTest::newRow("pantalla vacia, relacionados") << "" << 0;
        QTest::newRow("pantalla vacia, historial") << "" << 1;
        QTest::newRow("pantalla vacia, cargos reales") << "" << 2;
        QTest::newRow("compras") << "@GestionCompras=SI|@TC=FCC|@Sucursal=3|@Numero=1234|@Letra=A|@Proveedor=P0001|@PConsultaSolamente=SI|"
                                 << 0;
    }
    void sinComprobanteEnPantalla() {
        QFETCH(QString, parametros);
        QFETCH(int, accion);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        auto f = Abre(parametros);
        int abiertas = 0;
        Modal::GanchoTemporal g([&](QDialog*) {
            ++abiertas;
            return 0;
        });
        QAction* a[] = {f->AccRelacionados, f->AccHistorial, f->AccCargosReales};
        a[accion]->trigger();
        QCOMPARE(abiertas, 0);
        QCOMPARE(env.respondedor.mensajes.size(), 1);
        QCOMPARE(env.respondedor.mensajes[0].texto, QStringLiteral("No hay ningún comprobante de ventas en pantalla."));
    }
};

QTEST_MAIN(PruebaInquiryRelaciones)
#include "test_inquiry_relaciones.moc"
