// The voucher chooser: statements, columns, row icons, accepting, cancelling
// and sorting, driven through ClsCmnCptes::ConsultaComprobante on a real database.
#include "chooser/FrmConsComprobantes.h"
#include "chooser/ModeloComprobantes.h"
#include "cmncptes/ClsCmnCptes.h"
#include "session/ClsConexion.h"
#include "session/Modal.h"
#include "session/ModGlobal.h"
#include "support/Fixture.h"

#include <QDialog>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QTreeView>

#include <algorithm>
#include <functional>

namespace {

struct Respuestas {
    QString respuesta = QStringLiteral("sin tocar");
    QString idComplemento = QStringLiteral("sin tocar");
    QString proveedor = QStringLiteral("sin tocar");
    bool abierto = false;
    QStringList titulos;
    QStringList comprobantes;  // COMPROBANTE column, in view order
};

// Runs the chooser for tc, letting `accion` drive the open window.
Respuestas Consulta(const QString& tc, const std::function<void(FrmConsComprobantes&)>& accion,
                    const QVariant& filtro = {}) {
    Respuestas r;
    Modal::GanchoTemporal gancho([&](QDialog* d) {
        auto* frm = dynamic_cast<FrmConsComprobantes*>(d);
        if (!frm) return -1;
        r.abierto = true;
        r.titulos = frm->Modelo()->Titulos();
        const int col = frm->Modelo()->ColumnaDe(QStringLiteral("COMPROBANTE"));
        for (int i = 0; i < frm->Modelo()->rowCount(); ++i) r.comprobantes << frm->Modelo()->Texto(i, col);
        accion(*frm);
        return d->result();
    });
    ClsCmnCptes cmn;
    cmn.ConsultaComprobante(tc, r.respuesta, filtro, r.idComplemento, r.proveedor);
    return r;
}

int FilaDe(const FrmConsComprobantes& frm, const QString& comprobante, const QString& columna = QStringLiteral("COMPROBANTE")) {
    const ModeloComprobantes* m = frm.Modelo();
    const int c = m->ColumnaDe(columna);
    for (int i = 0; i < m->rowCount(); ++i)
        if (m->Texto(i, c) == comprobante) return i;
    return -1;
}

void ClickFila(FrmConsComprobantes& frm, int fila) {
    const QModelIndex i = frm.Modelo()->index(fila, 1);
    frm.ListView1->scrollTo(i);
    QTest::mouseClick(frm.ListView1->viewport(), Qt::LeftButton, {}, frm.ListView1->visualRect(i).center());
}

void ClickEncabezado(FrmConsComprobantes& frm, int columna) {
    QHeaderView* h = frm.ListView1->header();
    const int x = h->sectionViewportPosition(columna) + h->sectionSize(columna) / 2;
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(x, h->height() / 2));
}

QString EtiquetaImagen(const FrmConsComprobantes& frm, int fila) {
    const int i = frm.Modelo()->index(fila, 0).data(ModeloComprobantes::RolIndiceImagen).toInt();
    return i >= 1 && i <= frm.ImageList1.size() ? frm.ImageList1[i - 1].first : QString();
}

} // namespace

class TestChooser : public QObject {
    Q_OBJECT

private slots:
    void sentencias_data();
    void sentencias();
    void columnasPorFamilia_data();
    void columnasPorFamilia();
    void anchosEnEquis_data();
    void anchosEnEquis();
    void iconosPorFila_data();
    void iconosPorFila();
    void iconosPorEtiqueta();
    void aceptaPorBotonDobleClickEnter_data();
    void aceptaPorBotonDobleClickEnter();
    void respuestasPorFamilia_data();
    void respuestasPorFamilia();
    void sinFilaSeleccionadaNoDevuelveNada();
    void cancelarConFilaSeleccionadaNoDevuelveNada();
    void pendientes_data();
    void pendientes();
    void referenciaConConfiguracion();
    void ordenaPorEncabezadoAlternando();
    void ordenServidoPorIndice_data();
    void ordenServidoPorIndice();
    void ordenAlternaTambienAlCambiarDeColumna();
    void listaVaciaMuestraEncabezados();
    void vistaInexistenteSeInformaBajoConsultaComprobante();
    void columnaFaltanteSeInformaBajoConsultaComprobante();
    void edicionDeEtiquetasRechazada();
    void cadaLlamadaArmaUnaVentanaNueva();
    void filasAgregadasTomanSuLugarEnElOrden();
    void cadaOrdenEsElOrdenEstableDeLoQueSeVe();
    void claveDeOrdenComparaComoElTexto_data();
    void claveDeOrdenComparaComoElTexto();
    void listaLargaCargaEnPasos();
};

void TestChooser::sentencias_data() {
    QTest::addColumn<QString>("tc");
    QTest::addColumn<bool>("pendientes");
    QTest::addColumn<QString>("filtro");
    QTest::addColumn<QString>("esperada");
    QTest::newRow("FCC sin filtro: sin AND, un blanco tras BY")
        << "FCC" << false << "  " << "SELECT * FROM C_MV_CPTE WHERE TC = 'FCC ' ORDER BY IDCOMPROBANTE DESC";
    QTest::newRow("FCC con filtro: dos blancos tras BY y uno al final")
        << "FCC" << false << "CUENTA = 'P0001'"
        << "SELECT * FROM C_MV_CPTE WHERE TC = 'FCC ' AND CUENTA = 'P0001' ORDER BY  IDCOMPROBANTE DESC ";
    QTest::newRow("FC sin filtro") << "FC" << false << ""
                                   << "SELECT * FROM V_MV_CPTE WHERE TC = 'FC  ' ORDER BY IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC";
    QTest::newRow("FC con filtro")
        << "FC" << false << "Cuenta = 'C0001'"
        << "SELECT * FROM V_MV_CPTE WHERE TC = 'FC  ' AND Cuenta = 'C0001' ORDER BY  IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC  ";
    QTest::newRow("T3 sin tipo ni filtro") << "T3" << false << "Cuenta = 'X'"
                                           << "SELECT * FROM V_MV_CPTETERCEROS ORDER BY ID,IDCOMPROBANTE, IDCOMPLEMENTO";
    QTest::newRow("RM pendientes con filtro")
        << "RM" << true << "CUENTA = 'C0002'"
        << " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM V_RemitosPendientes WHERE TC = 'RM  ' AND CUENTA = 'C0002' ORDER BY IDCOMPROBANTE DESC";
    QTest::newRow("RM pendientes con filtro vacio: sin condicion")
        << "RM" << true << ""
        << " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM V_RemitosPendientes WHERE TC = 'RM  ' ORDER BY IDCOMPROBANTE DESC";
    QTest::newRow("RMC pendientes")
        << "RMC" << true << "1=1"
        << " SELECT CUENTA , ANULADA, Nombre, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM C_RemitosPendientes WHERE TC = 'RMC ' AND 1=1 ORDER BY IDCOMPROBANTE DESC";
    QTest::newRow("OT pendientes")
        << "OT" << true << "1=1"
        << " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, IDCOMPlemento,ID,FECHA, Importe FROM V_OT_Pendientes WHERE TC = 'OT  ' AND 1=1 ORDER BY IDCOMPROBANTE DESC";
    QTest::newRow("NP pendientes")
        << "NP" << true << "1=1"
        << " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe, comentarios FROM V_NP_PENDIENTES WHERE TC = 'NP  ' AND 1=1 ORDER BY IDCOMPROBANTE DESC";
    QTest::newRow("PR pendientes: solo aprobados")
        << "PR" << true << "1=1"
        << " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe, comentarios FROM V_PR_PENDIENTES WHERE TC = 'PR  ' AND APROBADO = 1 AND 1=1 ORDER BY IDCOMPROBANTE DESC";
    QTest::newRow("PR pendientes con filtro en blanco: sin condicion")
        << "PR" << true << "   "
        << " SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe, comentarios FROM V_PR_PENDIENTES WHERE TC = 'PR  ' AND APROBADO = 1 ORDER BY IDCOMPROBANTE DESC";
    QTest::newRow("tipo con apostrofo no corta el literal")
        << "F'" << false << "" << "SELECT * FROM V_MV_CPTE WHERE TC = 'F''  ' ORDER BY IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC";
}

void TestChooser::sentencias() {
    QFETCH(QString, tc);
    QFETCH(bool, pendientes);
    QFETCH(QString, filtro);
    QFETCH(QString, esperada);
    QCOMPARE(FrmConsComprobantes::ArmaSentencia(tc, pendientes, filtro), esperada);
}

void TestChooser::columnasPorFamilia_data() {
    QTest::addColumn<QString>("tc");
    QTest::addColumn<QStringList>("titulos");
    const QStringList ventas{"FECHA", "COMPROBANTE", "ID", "NOMBRE", "IMPORTE"};
    QTest::newRow("ventas FC") << "FC" << ventas;
    QTest::newRow("ventas en minusculas") << "nc" << ventas;
    QTest::newRow("alias RM/PENDIENTES usa el juego de ventas") << "RM/PENDIENTES" << ventas;
    QTest::newRow("compras") << "FCC" << QStringList{"FECHA", "COMPROBANTE", "PROVEEDOR", "NOMBRE", "CONCEPTO", "IMPORTE"};
    QTest::newRow("alias de remitos de compras") << "RM/PENDIENTES_COMPRAS"
                                                 << QStringList{"FECHA", "COMPROBANTE", "PROVEEDOR", "NOMBRE", "CONCEPTO", "IMPORTE"};
    QTest::newRow("presupuestos") << "PR" << QStringList{"FECHA", "COMPROBANTE", "NOMBRE", "IMPORTE"};
    QTest::newRow("externos") << "T3" << QStringList{"Nº Int.", "FECHA", "COMPROBANTE", "ID", "FH Envio", "FH Recep"};
    QTest::newRow("tipo fuera de las familias: sin columnas") << "CB" << QStringList{};
}

void TestChooser::columnasPorFamilia() {
    QFETCH(QString, tc);
    QFETCH(QStringList, titulos);
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo,
                        "DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'UsaReferenciaPresupuestos'");
    QStringList vistos;
    Respuestas r = Consulta(tc, [&](FrmConsComprobantes& frm) {
        QHeaderView* h = frm.ListView1->header();
        for (int c = 0; c < h->count(); ++c) vistos << frm.Modelo()->headerData(c, Qt::Horizontal).toString();
        frm.CmdCancelar->click();
    });
    QVERIFY(r.abierto);
    QCOMPARE(vistos, titulos);
    QVERIFY(env.respondedor.errores.isEmpty());
}

void TestChooser::anchosEnEquis_data() {
    QTest::addColumn<QString>("tc");
    QTest::addColumn<QString>("referencia");
    QTest::addColumn<QList<int>>("equis");
    QTest::newRow("ventas") << "FC" << "NO" << QList<int>{13, 15, 5, 21, 10};
    QTest::newRow("ventas con Referencia") << "OT" << "SI" << QList<int>{13, 15, 5, 21, 21, 10};
    QTest::newRow("compras") << "FCC" << "NO" << QList<int>{13, 15, 15, 21, 21, 10};
    QTest::newRow("presupuestos") << "PR" << "NO" << QList<int>{13, 15, 21, 10};
    QTest::newRow("presupuestos con Referencia") << "PR" << "SI" << QList<int>{13, 15, 21, 21, 10};
    QTest::newRow("externos: ID de 4") << "T3" << "SI" << QList<int>{7, 13, 15, 4, 10, 10};
}

void TestChooser::anchosEnEquis() {
    QFETCH(QString, tc);
    QFETCH(QString, referencia);
    QFETCH(QList<int>, equis);
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo,
                        QStringLiteral("UPDATE TA_CONFIGURACION SET Valor = '%1' WHERE CLAVE = 'UsaReferenciaPresupuestos'").arg(referencia));
    QList<int> anchos, esperados;
    Consulta(tc, [&](FrmConsComprobantes& frm) {
        // The widths are those of runs of "X" in the window's font, as shown.
        const QFontMetrics fm(frm.font());
        for (int x : std::as_const(equis)) esperados << fm.horizontalAdvance(QString(x, QLatin1Char('X')));
        QHeaderView* h = frm.ListView1->header();
        for (int c = 0; c < h->count(); ++c) anchos << h->sectionSize(c);
        frm.CmdCancelar->click();
    });
    QCOMPARE(anchos, esperados);
}

void TestChooser::iconosPorFila_data() {
    QTest::addColumn<QString>("tc");
    QTest::addColumn<QString>("comprobante");
    QTest::addColumn<QString>("etiqueta");
    QTest::newRow("factura ni anulada ni aprobada: FC") << "FC" << "000100000012B" << "FC";
    QTest::newRow("factura anulada") << "FC" << "000100000026A" << "Anulado";
    QTest::newRow("factura aprobada") << "FC" << "000100000025A" << "Aprobado";
    QTest::newRow("anulada y aprobada: gana anulada") << "FC" << "000100000027A" << "Anulado";
    QTest::newRow("nota de debito") << "ND" << "000100000003A" << "ND";
    QTest::newRow("nota de credito") << "NC" << "000100000004A" << "NC";
    QTest::newRow("orden de trabajo") << "OT" << "000100000103X" << "OT";
    QTest::newRow("remito: generico") << "RM" << "000100000041R" << "Generico";
    QTest::newRow("presupuesto aprobado muestra PR") << "PR" << "000100000008X" << "PR";
    QTest::newRow("presupuesto anulado") << "PR" << "000100000010X" << "Anulado";
    QTest::newRow("factura de compra: generico") << "FCC" << "000300001234A" << "Generico";
    QTest::newRow("factura de compra anulada") << "FCC" << "000300009999A" << "Anulado";
    QTest::newRow("remito anulado") << "RM" << "000100000042R" << "Anulado";
    QTest::newRow("remito aprobado") << "RM" << "000100000043R" << "Aprobado";
    QTest::newRow("externo") << "T3" << "000100000025A" << "T3";
}

void TestChooser::iconosPorFila() {
    QFETCH(QString, tc);
    QFETCH(QString, comprobante);
    QFETCH(QString, etiqueta);
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo,
                        "INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, Fecha, Cuenta, Nombre, Anulada, APROBADO, Importe) VALUES "
                        "('OT', '000100000103X', 0, '2024-06-22', 'C0001', 'Ferretería Los Andes S.R.L.', 0, 0, 100);\n"
                        "INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, Fecha, Cuenta, Nombre, Anulada, APROBADO, Importe) VALUES "
                        "('FC', '000100000027A', 0, '2024-06-22', 'C0001', 'Ferretería Los Andes S.R.L.', 1, 1, 100);\n"
                        "INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, Fecha, Cuenta, Nombre, Anulada, APROBADO, Importe) VALUES "
                        "('RM', '000100000042R', 0, '2024-06-22', 'C0001', 'Ferretería Los Andes S.R.L.', 1, 0, 100),"
                        "('RM', '000100000043R', 0, '2024-06-22', 'C0001', 'Ferretería Los Andes S.R.L.', NULL, 1, 100);\n"
                        "INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE, CUENTA, Fecha, Nombre, Anulada, Importe) VALUES "
                        "('FCC', '000300009999A', 'P0001', '2024-06-22', 'Distribuidora Eléctrica Rosario S.A.', 1, 100);\n");
    QString vista;
    Consulta(tc, [&](FrmConsComprobantes& frm) {
        const int fila = FilaDe(frm, comprobante);
        QVERIFY(fila >= 0);
        vista = EtiquetaImagen(frm, fila);
        // The icon shown is the list's own icon for that tag.
        const QIcon icono = frm.Modelo()->index(fila, 0).data(Qt::DecorationRole).value<QIcon>();
        QCOMPARE(icono.cacheKey(), frm.ImageList1[frm.ObtieneIndiceImagen(etiqueta) - 1].second.cacheKey());
        QVERIFY(!icono.pixmap(16, 16).isNull());
        frm.CmdCancelar->click();
    });
    QCOMPARE(vista, etiqueta);
}

void TestChooser::iconosPorEtiqueta() {
    FrmConsComprobantes frm;
    QCOMPARE(frm.ImageList1.size(), 9);
    QCOMPARE(frm.ObtieneIndiceImagen("PR"), short(1));
    QCOMPARE(frm.ObtieneIndiceImagen(" anulado "), short(2));
    QCOMPARE(frm.ObtieneIndiceImagen("T3"), short(9));
    QCOMPARE(frm.ObtieneIndiceImagen("RMC"), frm.ObtieneIndiceImagen("Generico"));
    QCOMPARE(frm.ObtieneIndiceImagen(""), frm.ObtieneIndiceImagen("Generico"));
    // Looked up by tag, never by position.
    std::swap(frm.ImageList1[0], frm.ImageList1[3]);
    QCOMPARE(frm.ObtieneIndiceImagen("FC"), short(1));
    frm.ImageList1.removeAt(7);  // no generic icon left
    QCOMPARE(frm.ObtieneIndiceImagen("ZZ"), short(0));
    for (const auto& par : std::as_const(frm.ImageList1)) QVERIFY2(!par.second.pixmap(16, 16).isNull(), qPrintable(par.first));
}

void TestChooser::aceptaPorBotonDobleClickEnter_data() {
    QTest::addColumn<int>("modo");
    QTest::newRow("boton Aceptar") << 0;
    QTest::newRow("doble click en la fila") << 1;
    QTest::newRow("tecla Enter en la lista") << 2;
}

void TestChooser::aceptaPorBotonDobleClickEnter() {
    QFETCH(int, modo);
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    Respuestas r = Consulta("FC", [&](FrmConsComprobantes& frm) {
        const int fila = FilaDe(frm, "000100000025A");
        QVERIFY(fila >= 0);
        const QModelIndex i = frm.Modelo()->index(fila, 1);
        if (modo == 0) {
            ClickFila(frm, fila);
            QTest::mouseClick(frm.CmdAceptar, Qt::LeftButton);
        } else if (modo == 1) {
            ClickFila(frm, fila);
            QTest::mouseDClick(frm.ListView1->viewport(), Qt::LeftButton, {}, frm.ListView1->visualRect(i).center());
        } else {
            frm.ListView1->setFocus();
            frm.ListView1->setCurrentIndex(i);
            QTest::keyClick(frm.ListView1, Qt::Key_Return);
        }
        QVERIFY(!frm.isVisible());
    });
    QCOMPARE(r.respuesta, QStringLiteral("000100000025A"));
    QCOMPARE(r.idComplemento, QStringLiteral("0"));
    QCOMPARE(r.proveedor, QString());
}

void TestChooser::respuestasPorFamilia_data() {
    QTest::addColumn<QString>("tc");
    QTest::addColumn<QString>("columna");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("respuesta");
    QTest::addColumn<QString>("idComplemento");
    QTest::addColumn<QString>("proveedor");
    QTest::newRow("orden de trabajo devuelve su complemento")
        << "OT" << "COMPROBANTE" << "000100000102X" << "000100000102X" << "1" << "";
    QTest::newRow("remito no muestra complemento") << "RM" << "COMPROBANTE" << "000100000041R" << "000100000041R" << "" << "";
    QTest::newRow("compra: mismo numero, el proveedor decide")
        << "FCC" << "PROVEEDOR" << "P0002" << "000300001234A" << "" << "P0002";
    QTest::newRow("presupuesto: complemento 0") << "PR" << "COMPROBANTE" << "000100000009X" << "000100000009X" << "0" << "";
    QTest::newRow("externo: el numero interno") << "T3" << "COMPROBANTE" << "000100000102X" << "2" << "0" << "";
}

void TestChooser::respuestasPorFamilia() {
    QFETCH(QString, tc);
    QFETCH(QString, columna);
    QFETCH(QString, valor);
    QFETCH(QString, respuesta);
    QFETCH(QString, idComplemento);
    QFETCH(QString, proveedor);
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    Respuestas r = Consulta(tc, [&](FrmConsComprobantes& frm) {
        const int fila = FilaDe(frm, valor, columna);
        QVERIFY(fila >= 0);
        ClickFila(frm, fila);
        frm.CmdAceptar->click();
    });
    QCOMPARE(r.respuesta, respuesta);
    QCOMPARE(r.idComplemento, idComplemento);
    QCOMPARE(r.proveedor, proveedor);
}

void TestChooser::sinFilaSeleccionadaNoDevuelveNada() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    Respuestas r = Consulta("FCC", [&](FrmConsComprobantes& frm) {
        QVERIFY(frm.Modelo()->rowCount() > 0);
        frm.ListView1->clearSelection();
        frm.CmdAceptar->click();
    });
    QVERIFY(r.abierto);
    QCOMPARE(r.respuesta, QString());
    QCOMPARE(r.idComplemento, QString());
    QCOMPARE(r.proveedor, QString());
}

void TestChooser::cancelarConFilaSeleccionadaNoDevuelveNada() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    Respuestas r = Consulta("FC", [&](FrmConsComprobantes& frm) {
        ClickFila(frm, 0);
        QVERIFY(!frm.ListView1->selectionModel()->selectedRows().isEmpty());
        QTest::mouseClick(frm.CmdCancelar, Qt::LeftButton);
        QCOMPARE(frm.result(), int(QDialog::Rejected));
    });
    QCOMPARE(r.respuesta, QString());
    QCOMPARE(r.idComplemento, QString());
    QCOMPARE(r.proveedor, QString());
}

void TestChooser::pendientes_data() {
    QTest::addColumn<QString>("tc");
    QTest::addColumn<QVariant>("filtro");
    QTest::addColumn<QStringList>("comprobantes");
    QTest::addColumn<QString>("idComplemento");
    QTest::newRow("remitos pendientes: el facturado no aparece")
        << "RM/PENDIENTES" << QVariant("CUENTA <> ''") << QStringList{"000100000041R"} << "";
    QTest::newRow("remitos pendientes sin filtro") << "RM/PENDIENTES" << QVariant() << QStringList{"000100000041R"} << "";
    QTest::newRow("presupuestos pendientes: solo aprobados")
        << "PR/PENDIENTES" << QVariant("1=1") << QStringList{"000100000008X"} << "0";
    QTest::newRow("presupuestos pendientes con filtro vacio") << "pr/pendientes" << QVariant("") << QStringList{"000100000008X"} << "0";
    QTest::newRow("ordenes de trabajo pendientes") << "OT/PENDIENTES" << QVariant("1=1") << QStringList{"000100000102X", "000100000101X"} << "1";
    QTest::newRow("pedidos pendientes") << "NP/PENDIENTES" << QVariant("1=1") << QStringList{"000100000005X"} << "";
    QTest::newRow("remitos de compras pendientes")
        << "RM/PENDIENTES_COMPRAS" << QVariant("1=1") << QStringList{"000400000778R"} << "";
}

void TestChooser::pendientes() {
    QFETCH(QString, tc);
    QFETCH(QVariant, filtro);
    QFETCH(QStringList, comprobantes);
    QFETCH(QString, idComplemento);
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    Respuestas r = Consulta(
        tc,
        [&](FrmConsComprobantes& frm) {
            QVERIFY(frm.SoloPendientes);
            if (frm.Modelo()->rowCount() > 0) ClickFila(frm, 0);
            frm.CmdAceptar->click();
        },
        filtro);
    QVERIFY2(env.respondedor.errores.isEmpty(),
             env.respondedor.errores.isEmpty() ? "" : qPrintable(env.respondedor.errores.first().descripcion));
    QCOMPARE(r.comprobantes, comprobantes);
    QCOMPARE(r.respuesta, comprobantes.first());
    QCOMPARE(r.idComplemento, idComplemento);
}

void TestChooser::referenciaConConfiguracion() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo,
                        "UPDATE TA_CONFIGURACION SET Valor = 'si' WHERE CLAVE = 'UsaReferenciaPresupuestos'");
    QString referencia, importe;
    Respuestas pr = Consulta("PR", [&](FrmConsComprobantes& frm) {
        const int fila = FilaDe(frm, "000100000008X");
        referencia = frm.Modelo()->Texto(fila, frm.Modelo()->ColumnaDe("Referencia"));
        importe = frm.Modelo()->Texto(fila, frm.Modelo()->ColumnaDe("IMPORTE"));
        frm.CmdCancelar->click();
    });
    QCOMPARE(pr.titulos, (QStringList{"FECHA", "COMPROBANTE", "NOMBRE", "Referencia", "IMPORTE"}));
    QCOMPARE(referencia, QStringLiteral("Ref. obra barrio Las Acacias"));
    QCOMPARE(ValorNumerico(importe), 120400.0);

    QString referenciaVenta;
    Respuestas fc = Consulta("FC", [&](FrmConsComprobantes& frm) {
        const int fila = FilaDe(frm, "000100000025A");
        referenciaVenta = frm.Modelo()->Texto(fila, frm.Modelo()->ColumnaDe("Referencia"));
        importe = frm.Modelo()->Texto(fila, frm.Modelo()->ColumnaDe("IMPORTE"));
        frm.CmdCancelar->click();
    });
    QCOMPARE(fc.titulos, (QStringList{"FECHA", "COMPROBANTE", "ID", "NOMBRE", "Referencia", "IMPORTE"}));
    QCOMPARE(referenciaVenta, QString());
    QCOMPARE(ValorNumerico(importe), 341497.5);
}

void TestChooser::ordenaPorEncabezadoAlternando() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    QStringList antes, primera, segunda;
    QString seleccionTrasOrdenar;
    Respuestas r = Consulta("FC", [&](FrmConsComprobantes& frm) {
        const ModeloComprobantes* m = frm.Modelo();
        const int nombre = m->ColumnaDe("NOMBRE");
        const auto nombres = [&] {
            QStringList l;
            for (int i = 0; i < m->rowCount(); ++i) l << m->Texto(i, nombre);
            return l;
        };
        antes = nombres();
        ClickFila(frm, FilaDe(frm, "000100000012B"));
        ClickEncabezado(frm, nombre);
        primera = nombres();
        ClickEncabezado(frm, nombre);
        segunda = nombres();
        // The selection follows its row through the sorts.
        const QModelIndexList sel = frm.ListView1->selectionModel()->selectedRows();
        QCOMPARE(sel.size(), 1);
        seleccionTrasOrdenar = m->Texto(sel.first().row(), m->ColumnaDe("COMPROBANTE"));
        frm.CmdAceptar->click();
    });
    // Before any click the statement's order (number descending).
    QCOMPARE(r.comprobantes, (QStringList{"000100000031A", "000100000026A", "000100000025A", "000100000012B"}));
    QCOMPARE(antes, (QStringList{"Ferretería Los Andes S.R.L.", "Construcciones del Plata S.A.", "Ferretería Los Andes S.R.L.",
                                 "María Fernández"}));
    // The list starts ascending, so the first click sorts descending, the second ascending.
    QCOMPARE(primera, (QStringList{"María Fernández", "Ferretería Los Andes S.R.L.", "Ferretería Los Andes S.R.L.",
                                   "Construcciones del Plata S.A."}));
    QCOMPARE(segunda, (QStringList{"Construcciones del Plata S.A.", "Ferretería Los Andes S.R.L.", "Ferretería Los Andes S.R.L.",
                                   "María Fernández"}));
    QCOMPARE(seleccionTrasOrdenar, QStringLiteral("000100000012B"));
    QCOMPARE(r.respuesta, QStringLiteral("000100000012B"));
}

void TestChooser::ordenAlternaTambienAlCambiarDeColumna() {
    // The list has one order that every header click toggles: after a
    // descending sort by name, a click on another column sorts it ascending.
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    QStringList comprobantes;
    Consulta("FC", [&](FrmConsComprobantes& frm) {
        const ModeloComprobantes* m = frm.Modelo();
        ClickEncabezado(frm, m->ColumnaDe("NOMBRE"));
        QCOMPARE(frm.OrdenActual(), Qt::DescendingOrder);
        ClickEncabezado(frm, m->ColumnaDe("COMPROBANTE"));
        for (int i = 0; i < m->rowCount(); ++i) comprobantes << m->Texto(i, m->ColumnaDe("COMPROBANTE"));
        frm.CmdCancelar->click();
    });
    QCOMPARE(comprobantes, (QStringList{"000100000012B", "000100000025A", "000100000026A", "000100000031A"}));
}

void TestChooser::listaVaciaMuestraEncabezados() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno);
    Respuestas r = Consulta("FC", [&](FrmConsComprobantes& frm) {
        QCOMPARE(frm.windowTitle(), QStringLiteral("Taleruna"));
        QCOMPARE(frm.CmdAceptar->text(), QStringLiteral("&Aceptar"));
        QCOMPARE(frm.CmdCancelar->text(), QStringLiteral("&Cancelar"));
        QVERIFY(frm.isModal());
        QCOMPARE(frm.Modelo()->rowCount(), 0);
        QCOMPARE(frm.ListView1->header()->count(), 5);
        QVERIFY(!frm.ListView1->header()->isHidden());
        QTest::keyClick(frm.ListView1, Qt::Key_Return);
    });
    QVERIFY(r.abierto);
    QCOMPARE(r.titulos, (QStringList{"FECHA", "COMPROBANTE", "ID", "NOMBRE", "IMPORTE"}));
    QCOMPARE(r.respuesta, QString());
    QVERIFY(env.respondedor.errores.isEmpty());
}

void TestChooser::vistaInexistenteSeInformaBajoConsultaComprobante() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo, "DROP VIEW V_RemitosPendientes");
    // Leave: the window never opens and nothing is chosen.
    Respuestas r = Consulta("RM/PENDIENTES", [](FrmConsComprobantes& frm) { frm.CmdAceptar->click(); }, QVariant("1=1"));
    QVERIFY(!r.abierto);
    QCOMPARE(r.respuesta, QString());
    QCOMPARE(env.respondedor.errores.size(), 1);
    QCOMPARE(env.respondedor.errores.first().procedimiento, QStringLiteral("ConsultaComprobante"));
    QVERIFY(env.respondedor.errores.first().descripcion.contains("V_RemitosPendientes", Qt::CaseInsensitive));

    // Next statement: the window opens with its headers and no rows.
    env.respondedor.respuestasErrores = {5};
    r = Consulta("RM/PENDIENTES", [](FrmConsComprobantes& frm) { frm.CmdAceptar->click(); }, QVariant("1=1"));
    QVERIFY(r.abierto);
    QCOMPARE(r.titulos.size(), 6);
    QVERIFY(r.comprobantes.isEmpty());
    QCOMPARE(r.respuesta, QString());
    QCOMPARE(env.respondedor.errores.size(), 2);
}

void TestChooser::columnaFaltanteSeInformaBajoConsultaComprobante() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo, "ALTER TABLE V_MV_CPTETERCEROS DROP COLUMN FECHARECIBIDO");
    // Leave: the window never opens and nothing is chosen.
    Respuestas r = Consulta("T3", [](FrmConsComprobantes& frm) { frm.CmdAceptar->click(); });
    QVERIFY(!r.abierto);
    QCOMPARE(r.respuesta, QString());
    QCOMPARE(env.respondedor.errores.size(), 1);
    QCOMPARE(env.respondedor.errores.first().procedimiento, QStringLiteral("ConsultaComprobante"));
    QVERIFY2(env.respondedor.errores.first().descripcion.contains("FECHARECIBIDO", Qt::CaseInsensitive),
             qPrintable(env.respondedor.errores.first().descripcion));

    // Next statement, once per row: the rows are listed with that cell empty.
    env.respondedor.respuestasErrores = {5, 5};
    QStringList envios, recepciones;
    r = Consulta("T3", [&](FrmConsComprobantes& frm) {
        const ModeloComprobantes* m = frm.Modelo();
        for (int i = 0; i < m->rowCount(); ++i) {
            envios << m->Texto(i, m->ColumnaDe("FH Envio"));
            recepciones << m->Texto(i, m->ColumnaDe("FH Recep"));
        }
        ClickFila(frm, 0);
        frm.CmdAceptar->click();
    });
    QVERIFY(r.abierto);
    QCOMPARE(env.respondedor.errores.size(), 3);
    QCOMPARE(recepciones, (QStringList{"", ""}));
    QVERIFY(!envios.first().isEmpty());
    QCOMPARE(r.respuesta, QStringLiteral("1"));
    QCOMPARE(r.idComplemento, QStringLiteral("0"));
}

void TestChooser::edicionDeEtiquetasRechazada() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    Consulta("FC", [&](FrmConsComprobantes& frm) {
        const QModelIndex i = frm.Modelo()->index(0, 0);
        const QString antes = i.data().toString();
        QVERIFY(!(i.flags() & Qt::ItemIsEditable));
        frm.ListView1->setCurrentIndex(i);
        QTest::keyClick(frm.ListView1, Qt::Key_F2);
        QVERIFY(!frm.Modelo()->setData(i, "cambiado"));
        QCOMPARE(i.data().toString(), antes);
        QVERIFY(!frm.ListView1->findChild<QLineEdit*>());
        frm.CmdCancelar->click();
    });
}

void TestChooser::cadaLlamadaArmaUnaVentanaNueva() {
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    Respuestas a = Consulta("FC", [&](FrmConsComprobantes& frm) {
        ClickEncabezado(frm, 3);
        ClickFila(frm, 0);
        frm.CmdAceptar->click();
    });
    Respuestas b = Consulta("FC", [&](FrmConsComprobantes& frm) {
        QCOMPARE(frm.ColumnaOrden(), -1);
        frm.CmdCancelar->click();
    });
    QCOMPARE(a.respuesta, QStringLiteral("000100000012B"));  // first after sorting names descending
    QCOMPARE(b.respuesta, QString());
    QCOMPARE(b.comprobantes, (QStringList{"000100000031A", "000100000026A", "000100000025A", "000100000012B"}));
}

void TestChooser::filasAgregadasTomanSuLugarEnElOrden() {
    // Rows that arrive after a sort end where a stable sort of the whole list puts them.
    std::vector<ModeloComprobantes::Fila> todas;
    for (int i = 0; i < 1000; ++i) {
        ModeloComprobantes::Fila f;
        f.celdas = {QString::number(i), QStringLiteral("cliente %1").arg((i * 37) % 23)};
        if (i % 3 == 0) f.celdas[1] = f.celdas[1].toUpper();  // case must not matter
        todas.push_back(f);
    }
    const auto orden = [](const ModeloComprobantes& m) {
        QStringList l;
        for (int i = 0; i < m.rowCount(); ++i) l << m.Texto(i, 0);
        return l;
    };
    ModeloComprobantes entero;
    entero.EstableceColumnas({"N", "NOMBRE"});
    entero.CargaFilas(std::vector<ModeloComprobantes::Fila>(todas));
    entero.Ordena(1, Qt::DescendingOrder);

    ModeloComprobantes porPartes;
    porPartes.EstableceColumnas({"N", "NOMBRE"});
    porPartes.AgregaFilas(std::vector<ModeloComprobantes::Fila>(todas.begin(), todas.begin() + 300));
    QCOMPARE(orden(porPartes).mid(0, 3), (QStringList{"0", "1", "2"}));  // unsorted: load order
    porPartes.Ordena(1, Qt::DescendingOrder);
    for (int desde = 300; desde < 1000; desde += 100)
        porPartes.AgregaFilas(std::vector<ModeloComprobantes::Fila>(todas.begin() + desde, todas.begin() + desde + 100));
    QCOMPARE(porPartes.rowCount(), 1000);
    QCOMPARE(orden(porPartes), orden(entero));
}

// Every click sorts the rows as they are shown, stably: equal texts keep the
// order they had, whether the same column is clicked again (the order turns),
// another one is, or rows arrive while the list is sorted.
void TestChooser::cadaOrdenEsElOrdenEstableDeLoQueSeVe() {
    std::vector<ModeloComprobantes::Fila> todas;
    for (int i = 0; i < 600; ++i) {
        ModeloComprobantes::Fila f;
        const QString nombre = QStringLiteral("cliente %1").arg((i * 37) % 11);
        f.celdas = {QString::number(i), i % 4 == 0 ? nombre.toUpper() : nombre, QString::number(i % 3)};
        todas.push_back(f);
    }
    ModeloComprobantes m;
    m.EstableceColumnas({"N", "NOMBRE", "GRUPO"});
    m.AgregaFilas(std::vector<ModeloComprobantes::Fila>(todas.begin(), todas.begin() + 400));

    const auto vista = [&] {
        QList<int> filas;
        for (int i = 0; i < m.rowCount(); ++i) filas << m.Texto(i, 0).toInt();
        return filas;
    };
    const auto ordenada = [&](QList<int> filas, int columna, Qt::SortOrder orden) {
        std::stable_sort(filas.begin(), filas.end(), [&](int a, int b) {
            const int c = ModeloComprobantes::ComparaTextos(todas[static_cast<size_t>(a)].celdas[columna], todas[static_cast<size_t>(b)].celdas[columna]);
            return orden == Qt::AscendingOrder ? c < 0 : c > 0;
        });
        return filas;
    };
    struct Paso {
        int columna;
        Qt::SortOrder orden;
        int agregadas;  // rows that arrive after the sort
    };
    const Paso pasos[] = {{1, Qt::DescendingOrder, 0}, {1, Qt::AscendingOrder, 0},  {1, Qt::DescendingOrder, 100},
                          {1, Qt::AscendingOrder, 0},  {2, Qt::AscendingOrder, 0},  {1, Qt::AscendingOrder, 0},
                          {1, Qt::AscendingOrder, 0},  {2, Qt::DescendingOrder, 100}, {2, Qt::AscendingOrder, 0}};
    int cargadas = 400;
    for (const Paso& p : pasos) {
        QList<int> esperado = ordenada(vista(), p.columna, p.orden);
        m.Ordena(p.columna, p.orden);
        QCOMPARE(vista(), esperado);
        if (p.agregadas > 0) {
            for (int i = cargadas; i < cargadas + p.agregadas; ++i) esperado << i;
            esperado = ordenada(esperado, p.columna, p.orden);
            m.AgregaFilas(std::vector<ModeloComprobantes::Fila>(todas.begin() + cargadas, todas.begin() + cargadas + p.agregadas));
            cargadas += p.agregadas;
            QCOMPARE(vista(), esperado);
        }
    }
    QCOMPARE(m.rowCount(), 600);
}

void TestChooser::claveDeOrdenComparaComoElTexto_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::newRow("mayusculas y minusculas") << "ferretería" << "FERRETERÍA";
    QTest::newRow("letra antes que otra sin importar mayusculas") << "a" << "B";
    QTest::newRow("acentos por su codigo") << "Zeta" << "árbol";
    QTest::newRow("enie") << "ñandú" << "Ñandu";
    QTest::newRow("numeros como texto") << "10/06/2024" << "9/06/2024";
    QTest::newRow("vacio primero") << "" << "A";
    QTest::newRow("prefijo") << "Cliente" << "cliente 1";
}

void TestChooser::claveDeOrdenComparaComoElTexto() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    const auto signo = [](int v) { return (v > 0) - (v < 0); };
    const int esperado = signo(ModeloComprobantes::ComparaTextos(a, b));
    QCOMPARE(signo(QString::compare(ModeloComprobantes::ClaveOrden(a), ModeloComprobantes::ClaveOrden(b))), esperado);
    QCOMPARE(signo(QString::compare(ModeloComprobantes::ClaveOrden(b), ModeloComprobantes::ClaveOrden(a))), -esperado);
}

void TestChooser::listaLargaCargaEnPasos() {
    // 1500 vouchers 000100000001A... named "Cliente 000".."Cliente 100", every
    // 50th annulled (the same rows written for each engine).
    Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno,
                        Prueba::DsnPostgres().isEmpty()
                            ? QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1500) "
                                             "INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, Fecha, Nombre, Anulada, APROBADO, Importe) "
                                             "SELECT 'FC', printf('0001%08dA', i), 0, '2024-06-10', printf('Cliente %03d', (i * 7) % 101), "
                                             "i % 50 = 0, 0, i FROM n")
                            : QStringLiteral("INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, Fecha, Nombre, Anulada, APROBADO, Importe) "
                                             "SELECT 'FC', '0001' || lpad(i::text, 8, '0') || 'A', 0, '2024-06-10', "
                                             "'Cliente ' || lpad(((i * 7) % 101)::text, 3, '0'), CASE WHEN i % 50 = 0 THEN 1 ELSE 0 END, 0, i "
                                             "FROM generate_series(1, 1500) AS n(i)"));
    const auto anteriores = FrmConsComprobantes::EstableceLotes(0, 0);
    int alAbrir = 0;
    QStringList nombres;
    Respuestas r = Consulta("FC", [&](FrmConsComprobantes& frm) {
        alAbrir = frm.Modelo()->rowCount();
        QVERIFY(frm.Cargando());
        ClickEncabezado(frm, frm.Modelo()->ColumnaDe("NOMBRE"));  // sorting while rows still come
        QTRY_VERIFY(!frm.Cargando());
        const ModeloComprobantes* m = frm.Modelo();
        for (int i = 0; i < m->rowCount(); ++i) nombres << m->Texto(i, m->ColumnaDe("NOMBRE"));
        frm.ListView1->setCurrentIndex(m->index(0, 0));
        frm.CmdAceptar->click();
    });
    FrmConsComprobantes::EstableceLotes(anteriores.first, anteriores.second);
    QVERIFY2(alAbrir > 0 && alAbrir < 1500, qPrintable(QString::number(alAbrir)));
    QCOMPARE(nombres.size(), 1500);
    QStringList esperado = nombres;
    std::stable_sort(esperado.begin(), esperado.end(),
                     [](const QString& a, const QString& b) { return ModeloComprobantes::ComparaTextos(a, b) > 0; });
    QCOMPARE(nombres, esperado);
    QCOMPARE(nombres.first(), QStringLiteral("Cliente 100"));
    // Among equal names the statement's order (number descending) stays: the first "Cliente 100" is the highest number.
    QCOMPARE(r.respuesta, QStringLiteral("000100001486A"));  // 1486 * 7 % 101 = 100
    QVERIFY(env.respondedor.errores.isEmpty());
}

// The list's order comes straight from an index: the engine plans no sort step
// (a sort of 100,000 rows before the first one arrives). PostgreSQL plans a
// statement that returns every row at once as a scan and a sort when that is
// cheaper for the whole result; the order is served by the index when the
// rows are read through a cursor (psqlODBC with UseDeclareFetch), so that is
// the plan checked there, on a table of a few thousand analysed rows.
void TestChooser::ordenServidoPorIndice_data() {
    QTest::addColumn<QString>("tc");
    QTest::addColumn<QString>("filtro");
    QTest::newRow("ventas") << "FC" << "";
    QTest::newRow("ventas con condición") << "FC" << "ANULADA = 0";
    QTest::newRow("compras") << "FCC" << "";
}

void TestChooser::ordenServidoPorIndice() {
    QFETCH(QString, tc);
    QFETCH(QString, filtro);
    Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
    const QString sentencia = Conexion().Adapta(FrmConsComprobantes::ArmaSentencia(tc, false, filtro));
    QSqlQuery q(Conexion().Conexion());
    QStringList plan;
    if (Conexion().Motor() == DialectoSql::Motor::Postgres) {
        for (const char* s : {"INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, Cuenta, Nombre, Anulada) "
                              "SELECT CASE WHEN g % 2 = 0 THEN 'FC' ELSE 'RM' END, lpad(g::text, 12, '0') || 'B', "
                              "'C1', 'Cliente', 0 FROM generate_series(1, 4000) g",
                              "INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE, CUENTA, Nombre, Anulada) "
                              "SELECT 'FCC', lpad(g::text, 12, '0') || 'B', 'P0001', 'Proveedor', 0 "
                              "FROM generate_series(1, 2000) g",
                              "ANALYZE"})
            QVERIFY2(q.exec(QLatin1String(s)), qPrintable(q.lastError().text()));
        QVERIFY2(q.exec(QStringLiteral("EXPLAIN DECLARE lista CURSOR FOR ") + sentencia), qPrintable(q.lastError().text()));
        while (q.next()) plan << q.value(0).toString();
    } else {
        QVERIFY2(q.exec(QStringLiteral("EXPLAIN QUERY PLAN ") + sentencia), qPrintable(q.lastError().text()));
        while (q.next()) plan << q.value(3).toString();
    }
    const QString texto = plan.join(QLatin1String(" / "));
    QVERIFY2(!texto.contains(QLatin1String("TEMP B-TREE")) && !texto.contains(QLatin1String("Sort")),
             qPrintable(sentencia + QStringLiteral(": ") + texto));
    QVERIFY2(texto.contains(QLatin1String("INDEX"), Qt::CaseInsensitive), qPrintable(texto));
}

QTEST_MAIN(TestChooser)
#include "test_chooser.moc"
