// The report runner: the selection grammar, the sort fields, the formula
// values, the name resolution, the shipped definitions and the launch.
#include "printing/ClsReporte.h"
#include "printing/DefinicionReporte.h"
#include "printing/DocumentoReporte.h"
#include "printing/FormulaSeleccion.h"
#include "printing/ModImpresion.h"
#include "session/ClsConexion.h"
#include "session/ModGlobal.h"
#include "session/Modal.h"
#include "support/Fixture.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QSqlQuery>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTest>

namespace {

const QStringList Tablas{QStringLiteral("Aux_MV_Cpte"), QStringLiteral("V_MV_CPTE")};

QByteArray Registro(const QString& usuario, const QString& tc, const QString& letra, const QString& impresora,
                    const QString& copias, const QString& destino) {
    auto campo = [](const QString& v, int ancho) { return v.toLatin1().leftJustified(ancho, ' ', true); };
    return campo(usuario, 255) + campo(tc, 4) + campo(letra, 1) + campo(impresora, 510) + campo(copias, 3) +
           campo(QString(), 3) + campo(destino, 20);
}

QString Reportes() { return Prueba::RutaFuente(QStringLiteral("reports")); }

// Stages the demo invoice and launches it as the print buttons do.
int Imprime(int destino, const QString& tc = QStringLiteral("FC"), const QString& clave = QStringLiteral("000100000025A")) {
    QString t = tc;
    GeneraAuxiliarComprobantes(t, clave.left(4), clave.mid(4, 8), clave.mid(12), QStringLiteral("0"), 3, {}, {}, {}, {}, {}, {});
    QStringList orden{QString()};
    QString seleccion;
    int d = destino;
    ImprimirComprobante(t, clave, QStringLiteral("0"), tc, orden, seleccion, {QString()}, d, 0);
    return d;
}

} // namespace

class PruebaReporte : public QObject {
    Q_OBJECT

private slots:
    void init() {
        qputenv("TALERUNA_REPORTES", Reportes().toUtf8());
        qputenv("TALERUNA_TERMINAL", "PUESTO01");
        qputenv("TALERUNA_USUARIO", "admin");
    }

    void seleccionValida_data() {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("sql");
        QTest::newRow("vacía") << "  " << "";
        QTest::newRow("la de una factura")
            << " {V_MV_CPTE.TC} = 'FC  ' AND {V_MV_CPTE.IDCOMPROBANTE} = '000100000025A' AND {V_MV_CPTE.IDCOMPLEMENTO} = 0 AND {Aux_MV_CPte.USUARIO} = 'PUESTO01|admin'"
            << "V_MV_CPTE.TC = 'FC  ' AND V_MV_CPTE.IDCOMPROBANTE = '000100000025A' AND V_MV_CPTE.IDCOMPLEMENTO = 0 AND Aux_MV_CPte.USUARIO = 'PUESTO01|admin'";
        QTest::newRow("apóstrofe doblado") << "{V_MV_CPTE.Nombre} = 'O''HIGGINS'" << "V_MV_CPTE.Nombre = 'O''HIGGINS'";
        QTest::newRow("comillas dobles") << "{V_MV_CPTE.Nombre} = \"D'Agostino\"" << "V_MV_CPTE.Nombre = 'D''Agostino'";
        QTest::newRow("OR, NOT, <> y paréntesis")
            << "not ({V_MV_CPTE.TC} <> 'FC') or ({V_MV_CPTE.Importe} = -1.5)"
            << "(NOT ((V_MV_CPTE.TC <> 'FC')) OR (V_MV_CPTE.Importe = -1.5))";
    }
    void seleccionValida() {
        QFETCH(QString, formula);
        QFETCH(QString, sql);
        const auto r = FormulaSeleccion::Condicion(formula, Tablas);
        QVERIFY2(r.valida, qPrintable(r.error));
        QCOMPARE(r.sql, sql);
    }

    // Anything outside the grammar is refused: a formula never carries SQL.
    void seleccionRechazada_data() {
        QTest::addColumn<QString>("formula");
        QTest::newRow("sentencia agregada") << "{V_MV_CPTE.TC} = 'FC'; DELETE FROM V_MV_CPTE";
        QTest::newRow("comentario") << "{V_MV_CPTE.TC} = 'FC' -- resto";
        QTest::newRow("texto sin cerrar") << "{V_MV_CPTE.TC} = 'FC";
        QTest::newRow("columna sin llaves") << "TC = 'FC'";
        QTest::newRow("tabla que el reporte no lee") << "{TA_USUARIOS.CLAVE} = 'x'";
        QTest::newRow("nombre con inyección") << "{V_MV_CPTE.TC) OR (1} = 1";
        QTest::newRow("operador fuera de la gramática") << "{V_MV_CPTE.Importe} > 0";
        QTest::newRow("paréntesis sin cerrar") << "({V_MV_CPTE.TC} = 'FC'";
        QTest::newRow("subconsulta") << "{V_MV_CPTE.TC} = (SELECT 1)";
        QTest::newRow("AND colgando") << "{V_MV_CPTE.TC} = 'FC' AND";
        QTest::newRow("columna con palabra reservada") << "{V_MV_CPTE.TO} = -25";
        QTest::newRow("columna FROM en minúsculas") << "{V_MV_CPTE.from} = 1";
    }
    void seleccionRechazada() {
        QFETCH(QString, formula);
        const auto r = FormulaSeleccion::Condicion(formula, Tablas);
        QVERIFY(!r.valida);
        QVERIFY(r.error.startsWith(QStringLiteral("La fórmula de selección del reporte no es válida")));
    }

    // NOT and parentheses nest up to the documented depth; deeper formulas
    // (which would exhaust the stack) are refused with the formula's message.
    void anidamiento_data() {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<bool>("valida");
        const QString cond = QStringLiteral("{V_MV_CPTE.TC} = 'FC'");
        const int max = FormulaSeleccion::AnidamientoMaximo;
        auto parentesis = [&](int n) { return QString(n, QLatin1Char('(')) + cond + QString(n, QLatin1Char(')')); };
        auto nots = [&](int n) { return QStringLiteral("NOT ").repeated(n) + cond; };
        QTest::newRow("parentesis al limite") << parentesis(max) << true;
        QTest::newRow("NOT al limite") << nots(max) << true;
        QTest::newRow("mezcla al limite") << QStringLiteral("NOT (").repeated(max / 2) + cond + QString(max / 2, QLatin1Char(')')) << true;
        QTest::newRow("un parentesis de mas") << parentesis(max + 1) << false;
        QTest::newRow("3000 parentesis") << parentesis(3000) << false;
        QTest::newRow("3000 NOT") << nots(3000) << false;
        QTest::newRow("200000 parentesis sin cerrar") << QString(200000, QLatin1Char('(')) << false;
        QTest::newRow("200000 NOT") << nots(200000) << false;
    }
    void anidamiento() {
        QFETCH(QString, formula);
        QFETCH(bool, valida);
        const auto r = FormulaSeleccion::Condicion(formula, Tablas);
        QCOMPARE(r.valida, valida);
        if (!valida) QVERIFY(r.error.startsWith(QStringLiteral("La fórmula de selección del reporte no es válida")));
    }

    void orden_data() {
        QTest::addColumn<QStringList>("campos");
        QTest::addColumn<bool>("valido");
        QTest::addColumn<QString>("sql");
        QTest::newRow("ascendente") << QStringList{"+{Aux_Mv_Cpte.ID}"} << true << "Aux_Mv_Cpte.ID ASC";
        QTest::newRow("descendente y vacíos") << QStringList{"", "-{V_MV_CPTE.Fecha}", "+{Aux_Mv_Cpte.ID}"} << true
                                              << "V_MV_CPTE.Fecha DESC, Aux_Mv_Cpte.ID ASC";
        QTest::newRow("solo vacío") << QStringList{""} << true << "";
        QTest::newRow("sin signo") << QStringList{"{Aux_Mv_Cpte.ID}"} << false << "";
        QTest::newRow("con algo más") << QStringList{"+{Aux_Mv_Cpte.ID}, (SELECT 1)"} << false << "";
        QTest::newRow("tabla ajena") << QStringList{"+{V_Mv_CpteInsumos.Id}"} << false << "";
        QTest::newRow("columna con palabra reservada") << QStringList{"-{Aux_Mv_Cpte.Order}"} << false << "";
    }
    void orden() {
        QFETCH(QStringList, campos);
        QFETCH(bool, valido);
        QFETCH(QString, sql);
        const auto r = FormulaSeleccion::Orden(campos, Tablas);
        QCOMPARE(r.valida, valido);
        if (valido) QCOMPARE(r.sql, sql);
    }

    void valorDeFormula_data() {
        QTest::addColumn<QString>("entrada");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("valor");
        QTest::newRow("simple") << "NombreEmpresa = 'Taller'" << true << "NombreEmpresa" << "Taller";
        QTest::newRow("sin blanco antes del igual") << "Localidad= 'Córdoba'" << true << "Localidad" << "Córdoba";
        QTest::newRow("apóstrofe en el valor") << "NombreEmpresa = 'O'HIGGINS SRL'" << true << "NombreEmpresa" << "O'HIGGINS SRL";
        QTest::newRow("dos apóstrofes en el valor") << "Direccion = 'D'Agostino 12  PB 'A''" << true << "Direccion" << "D'Agostino 12  PB 'A'";
        QTest::newRow("igual dentro del valor") << "Telefono= 'Int=22'" << true << "Telefono" << "Int=22";
        QTest::newRow("nombre con blanco") << "Condicion IVA= 'IVA:EXENTO'" << true << "Condicion IVA" << "IVA:EXENTO";
        QTest::newRow("valor vacío") << "CUIT= ''" << true << "CUIT" << "";
        QTest::newRow("sin apóstrofes") << "Copia = 2" << true << "Copia" << "2";
        QTest::newRow("entrada vacía") << "" << false << "" << "";
        QTest::newRow("sin igual") << "NombreEmpresa 'x'" << false << "" << "";
    }
    void valorDeFormula() {
        QFETCH(QString, entrada);
        QFETCH(bool, ok);
        QFETCH(QString, nombre);
        QFETCH(QString, valor);
        QString n, v;
        QCOMPARE(FormulaSeleccion::SeparaFormula(entrada, n, v), ok);
        if (!ok) return;
        QCOMPARE(n, nombre);
        QCOMPARE(v, valor);
    }

    // Name to definition file: exact, without blanks, then by type (and letter).
    void resolucionDelNombre_data() {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("seleccion");
        QTest::addColumn<QString>("archivo");
        const QString sel = QStringLiteral(" {V_MV_CPTE.TC} = 'FC  ' AND {V_MV_CPTE.IDCOMPROBANTE} = '000100000012B'");
        QTest::newRow("nombre exacto con extensión") << "FC-A.rpt" << "" << "FC-A.rpt";
        QTest::newRow("nombre exacto sin extensión") << "RM" << "" << "RM.rpt";
        QTest::newRow("otras letras") << "fc-a" << "" << "FC-A.rpt";
        QTest::newRow("sin blancos (tipo de cuatro caracteres)") << "FC  -A" << "" << "FC-A.rpt";
        QTest::newRow("por tipo: letra compartida") << "NC  -B" << "" << "NC.rpt";
        QTest::newRow("por tipo: remito R") << "RM  -R" << "" << "RM.rpt";
        QTest::newRow("archivo de TA_REPORTES, tipo de la selección") << "FacturaB.rpt" << sel << "FC-B.rpt";
        QTest::newRow("ruta de TA_REPORTES") << "C:\\Reportes\\FacturaB.rpt" << sel << "FC-B.rpt";
        QTest::newRow("tipo sin definición") << "PR  -X" << "" << "";
        QTest::newRow("nombre sin tipo ni selección") << "FacturaA.rpt" << "" << "";
        QTest::newRow("fuera de la carpeta") << "../CMakeLists.txt" << "" << "";
    }
    void resolucionDelNombre() {
        QFETCH(QString, nombre);
        QFETCH(QString, seleccion);
        QFETCH(QString, archivo);
        const QString r = DefinicionReporte::Resuelve({Reportes()}, nombre, seleccion);
        if (archivo.isEmpty())
            QCOMPARE(r, QString());
        else
            QCOMPARE(QFileInfo(r).fileName(), archivo);
    }

    // Every shipped definition reads, with its layout, its data and its page.
    void definicionesDistribuidas() {
        const QStringList archivos = QDir(Reportes()).entryList({QStringLiteral("*.rpt")}, QDir::Files);
        QVERIFY(archivos.size() >= 11);
        for (const QString& a : archivos) {
            DefinicionReporte d;
            QString error;
            QVERIFY2(DefinicionReporte::Carga(QDir(Reportes()).filePath(a), d, error), qPrintable(a + QStringLiteral(": ") + error));
            QVERIFY(d.Tablas().contains(QStringLiteral("Aux_MV_Cpte")));
            QVERIFY(d.Tablas().contains(QStringLiteral("V_MV_CPTE")));
            QVERIFY(!d.Plantilla.isEmpty());
        }
    }

    // Values print as stored: blanks in a row are not run together (the
    // address formula puts two after the street number), apostrophes and
    // markup characters show as themselves.
    void valoresSeImprimenComoEstan() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo,
                            QStringLiteral("UPDATE V_MV_CPTEINSUMOS SET Descripcion = '  Taladro  <b>percutor</b> & D''Arco' "
                                           "WHERE IdArticulo = 'TAL-200';\n"));
        QString tc = QStringLiteral("FC");
        GeneraAuxiliarComprobantes(tc, QStringLiteral("0001"), QStringLiteral("00000025"), QStringLiteral("A"),
                                   QStringLiteral("0"), 3, {}, {}, {}, {}, {}, {});
        DefinicionReporte d;
        QString error;
        QVERIFY2(DefinicionReporte::Carga(QDir(Reportes()).filePath(QStringLiteral("FC-A.rpt")), d, error), qPrintable(error));
        const auto r = DocumentoReporte::Arma(
            d, FormulasEmpresa(QStringLiteral("FC"), {QString()}), {QStringLiteral("+{Aux_Mv_Cpte.ID}")},
            QStringLiteral("{Aux_MV_CPte.USUARIO} = 'PUESTO01|admin'"));
        QVERIFY2(r.ok, qPrintable(r.mensaje));
        QTextDocument doc;
        doc.setHtml(r.html);
        const QString texto = doc.toPlainText();
        QVERIFY2(texto.contains(QStringLiteral("Av. General San Martín 1450  PB A")), qPrintable(texto));
        QVERIFY(texto.contains(QStringLiteral("Taladro  <b>percutor</b> & D'Arco")));
    }

    // A definition whose data section carries a statement is refused.
    void definicionConSentenciaSeRechaza() {
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("X.rpt")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Reporte]\nPlantilla = p.html\n[Datos]\nOrigen = Aux_MV_Cpte; DELETE FROM Aux_MV_Cpte\nCampos = *\n");
        f.close();
        DefinicionReporte d;
        QString error;
        QVERIFY(!DefinicionReporte::Carga(f.fileName(), d, error));
        QVERIFY(error.contains(QLatin1String("[Datos]")));
    }

    // The totals are read once per voucher, by its key: with several vouchers
    // staged in one run every line carries its own voucher's net and VAT, the
    // same sums the lines give when added up in one statement per voucher.
    void totalesDeCadaComprobante() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        QString tc = QStringLiteral("FC");
        GeneraAuxiliarComprobantes(tc, QStringLiteral("0001"), QStringLiteral("00000025"), QStringLiteral("A"),
                                   QStringLiteral("0"), 3, QStringLiteral("0001"), QStringLiteral("00000031"),
                                   QStringLiteral("A"), QStringLiteral("0"), {}, {});
        QTemporaryDir dir;
        QVERIFY(QFile::copy(QDir(Reportes()).filePath(QStringLiteral("comun.base")), dir.filePath(QStringLiteral("comun.base"))));
        QFile rpt(dir.filePath(QStringLiteral("X.rpt")));
        QVERIFY(rpt.open(QIODevice::WriteOnly));
        rpt.write("[Reporte]\nHereda = comun.base\nPlantilla = p.html\n");
        rpt.close();
        QFile plantilla(dir.filePath(QStringLiteral("p.html")));
        QVERIFY(plantilla.open(QIODevice::WriteOnly));
        plantilla.write("{{#lineas}}{{IdComprobante}} {{Neto}} {{IVA}}\n{{/lineas}}");
        plantilla.close();
        DefinicionReporte d;
        QString error;
        QVERIFY2(DefinicionReporte::Carga(rpt.fileName(), d, error), qPrintable(error));
        const auto r = DocumentoReporte::Arma(d, {}, {QStringLiteral("+{Aux_Mv_Cpte.ID}")},
                                              QStringLiteral("{Aux_MV_CPte.USUARIO} = 'PUESTO01|admin'"));
        QVERIFY2(r.ok, qPrintable(r.mensaje));

        QMap<QString, QString> esperado;
        QSqlQuery q(Conexion().Conexion());
        QVERIFY(q.exec(QStringLiteral(
            "SELECT c.IDCOMPROBANTE, c.Importe, "
            "COALESCE((SELECT SUM(t.Horas * t.ValorHora_S_IVA) / 60.0 FROM V_MV_CPTETAREAS t WHERE t.TC = c.TC "
            "AND t.IDCOMPROBANTE = c.IDCOMPROBANTE AND t.IDCOMPLEMENTO = c.IDCOMPLEMENTO), 0) "
            "+ COALESCE((SELECT SUM(i.Cantidad * i.Importe_S_IVA) FROM V_MV_CPTEINSUMOS i WHERE i.TC = c.TC "
            "AND i.IDCOMPROBANTE = c.IDCOMPROBANTE AND i.IDCOMPLEMENTO = c.IDCOMPLEMENTO), 0) "
            "+ COALESCE((SELECT SUM(o.Importe_S_IVA) FROM V_MV_CPTE_Observ o WHERE o.TC = c.TC "
            "AND o.IDCOMPROBANTE = c.IDCOMPROBANTE AND o.IDCOMPLEMENTO = c.IDCOMPLEMENTO AND o.TIPO_OBS = 'OC'), 0) "
            "FROM V_MV_CPTE c WHERE c.TC = 'FC' AND c.IDCOMPROBANTE IN ('000100000025A', '000100000031A')")));
        while (q.next()) {
            const double neto = q.value(2).toDouble();
            esperado[q.value(0).toString().trimmed()] =
                FmtMoneda(neto, -1) + QLatin1Char(' ') + FmtMoneda(q.value(1).toDouble() - neto, -1);
        }
        QCOMPARE(esperado.size(), 2);
        QVERIFY(esperado.first() != esperado.last());
        QSet<QString> vistos;
        for (const QString& linea : r.html.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QString id = linea.section(QLatin1Char(' '), 0, 0);
            if (!esperado.contains(id)) continue;
            QCOMPARE(linea.section(QLatin1Char(' '), 1), esperado.value(id));
            vistos << id;
        }
        QCOMPARE(vistos.size(), 2);
    }

    // Totals that cannot be read for a voucher are refused with their reason.
    void totalesMalDefinidos_data() {
        QTest::addColumn<QByteArray>("datos");
        QTest::addColumn<QString>("error");
        QTest::newRow("sin la tabla de los totales")
            << QByteArray("Totales = SUM(1) AS Neto\nClaveTotales = TC\n") << "TotalesDe";
        QTest::newRow("una clave que no es una columna")
            << QByteArray("Totales = SUM(1) AS Neto\nTotalesDe = V_MV_CPTE\nClaveTotales = TC = 1\n") << "TotalesDe";
        QTest::newRow("una clave que las filas no traen")
            << QByteArray("Totales = SUM(1) AS Neto\nTotalesDe = V_MV_CPTE\nClaveTotales = Cuenta\n") << "Cuenta";
        QTest::newRow("una sentencia en los totales")
            << QByteArray("Totales = 1 AS Neto; DELETE FROM Aux_MV_Cpte\nTotalesDe = V_MV_CPTE\nClaveTotales = TC\n") << "[Datos]";
    }
    void totalesMalDefinidos() {
        QFETCH(QByteArray, datos);
        QFETCH(QString, error);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        QString tc = QStringLiteral("FC");
        GeneraAuxiliarComprobantes(tc, QStringLiteral("0001"), QStringLiteral("00000025"), QStringLiteral("A"),
                                   QStringLiteral("0"), 3, {}, {}, {}, {}, {}, {});
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("X.rpt")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Reporte]\nPlantilla = p.html\n[Datos]\nOrigen = Aux_MV_Cpte\nCampos = Aux_MV_Cpte.TC AS TC\n" + datos);
        f.close();
        QFile p(dir.filePath(QStringLiteral("p.html")));
        QVERIFY(p.open(QIODevice::WriteOnly));
        p.write("{{#lineas}}{{Neto}}{{/lineas}}");
        p.close();
        DefinicionReporte d;
        QString mensaje;
        if (DefinicionReporte::Carga(f.fileName(), d, mensaje)) {
            const auto r = DocumentoReporte::Arma(d, {}, {}, QString());
            QVERIFY(!r.ok);
            mensaje = r.mensaje;
        }
        QVERIFY2(mensaje.contains(error), qPrintable(mensaje));
    }

    // The selection, sort and report name an invoice gets from the print buttons.
    void seleccionDeUnaFactura() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        QDir(env.Carpeta()).mkpath(QStringLiteral("x"));
        Modal::GanchoTemporal g([](QDialog*) { return 0; });
        Imprime(0);
        const ClsReporte::Ejecucion& e = Reporte().UltimaEjecucion();
        QCOMPARE(e.seleccion, QStringLiteral(" {V_MV_CPTE.TC} = 'FC  ' AND {V_MV_CPTE.IDCOMPROBANTE} = '000100000025A' AND "
                                             "{V_MV_CPTE.IDCOMPLEMENTO} = 0 AND {Aux_MV_CPte.USUARIO} = 'PUESTO01|admin'"));
        QCOMPARE(e.orden, QStringList{QStringLiteral("+{Aux_Mv_Cpte.ID}")});
        // TA_REPORTES names FacturaA.rpt for this workstation: found by the type in the selection.
        QCOMPARE(e.reporte, QStringLiteral("FacturaA.rpt"));
        QVERIFY(e.archivo.endsWith(QLatin1String("/FC-A.rpt")));
        QCOMPARE(e.conexion, CadenaConexion);
        QCOMPARE(e.filas, 19);
        QVERIFY(e.formulas.contains(QStringLiteral("NombreEmpresa = 'Taller Eléctrico San Martín S.R.L.'")));
        QVERIFY(e.formulas.contains(QStringLiteral("Direccion = 'Av. General San Martín 1450  PB A'")));
        QVERIFY(e.formulas.contains(QStringLiteral("Condicion IVA= 'IVA:RESPONSABLE INSCRIPTO'")));
        QCOMPARE(e.formulas.last(), QString());
        QCOMPARE(Reporte().Finalizaciones(), 1);
    }

    // Every row of the type table: the selection and sort fields handed back
    // to the caller and to the runner, and the report name the runner gets.
    void tablaDeTipos_data() {
        QTest::addColumn<QString>("tc");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<int>("soloTipo");
        QTest::addColumn<QString>("seleccionPrevia");
        QTest::addColumn<QStringList>("ordenPrevio");
        QTest::addColumn<QString>("reporte");
        QTest::addColumn<QString>("seleccion");
        QTest::addColumn<QStringList>("orden");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<bool>("conCuit");
        const QString K = QStringLiteral("000100000099A");
        const QString previa = QStringLiteral("{V_MV_CPTE.Importe} = 1");
        const QStringList vacio{QString()};
        const QStringList porId{QStringLiteral("+{Aux_Mv_Cpte.ID}")};
        QTest::newRow("FC solo el tipo: TA_REPORTES da el archivo")
            << "FC  " << K << 1 << "" << vacio << "FC" << " {V_MV_CPTE.TC} = 'FC  '" << porId << "FacturaA.rpt" << true;
        QTest::newRow("OT tras una selección previa")
            << "OT  " << K << 0 << previa << vacio << "OT"
            << "{V_MV_CPTE.Importe} = 1 AND  {V_MV_CPTE.TC} = 'OT  ' AND {V_MV_CPTE.IDCOMPROBANTE} = '000100000099A' AND "
               "{V_MV_CPTE.IDCOMPLEMENTO} = 0 AND {Aux_MV_CPte.USUARIO} = 'PUESTO01|admin'"
            << porId << "OT  -A" << true;
        QTest::newRow("OP") << "OP  " << K << 0 << "" << vacio << "OP"
                            << " {V_MV_CPTE.TC} = 'OP  ' AND {V_MV_CPTE.IDCOMPROBANTE} = '000100000099A' "
                            << QStringList{"+{V_Mv_CpteInsumos.Id}"} << "OP  -A" << true;
        QTest::newRow("OC: el nombre es el tipo sin letra") << "OC" << K << 0 << "" << vacio << "OC"
                            << " {C_MV_CPTE.TC} = 'OC  ' AND {C_MV_CPTE.IDCOMPROBANTE} = '000100000099A' "
                            << QStringList{"+{C_Mv_CpteInsumos.Id}"} << "OC" << true;
        QTest::newRow("PC: clave sin recortar, orden y reporte del llamador")
            << "PC  " << K + QLatin1Char(' ') << 0 << "" << QStringList{"-{Aux_MV_Cpte.ID}"} << "ReportePC"
            << " {Aux_MV_CPTE.TC} = 'PC  ' AND {Aux_MV_CPTE.IDCOMPROBANTE} = '000100000099A ' AND "
               "{Aux_MV_CPTE.IDCOMPLEMENTO} = 0 AND {Aux_MV_CPte.USUARIO} = 'PUESTO01|admin'"
            << QStringList{"-{Aux_MV_Cpte.ID}"} << "ReportePC" << true;
        QTest::newRow("T3: todo como llegó") << "T3" << K << 0 << previa << QStringList{"+{V_MV_CPTE.Fecha}"} << "Tarjeta.rpt"
                                            << previa << QStringList{"+{V_MV_CPTE.Fecha}"} << "Tarjeta.rpt" << true;
        QTest::newRow("STK5: selección reemplazada, sin IVA ni CUIT")
            << "STK5" << K << 0 << previa << vacio << "STK5"
            << "{V_MV_STOCK.TC} = 'STK5' AND {V_MV_STOCK.IDCOMPROBANTE} = '000100000099A'" << vacio << "STK5" << false;
        QTest::newRow("OPG: selección desde cero") << "OPG" << K << 0 << previa << vacio << "OPG"
            << "{V_MV_CPTE.TC} = 'OPG ' AND  {V_MV_CPTE.IDCOMPROBANTE} = '000100000099A' AND {V_MV_CPTE.IDCOMPLEMENTO} = 0"
            << vacio << "OPAGO" << true;
        QTest::newRow("PG solo el tipo") << "PG" << K << 1 << previa << vacio << "PG" << "{AUX_MV_CPTE.TC} = 'PG  '" << vacio
                                         << "LiqOPG" << true;
        const QString cobranza = QStringLiteral(
            " {AUX_MV_CPTE.TC} = '%1' AND  {AUX_MV_CPTE.IDCOMPROBANTE} = '000100000099A' AND {AUX_MV_CPTE.IDCOMPLEMENTO} = 0 AND "
            " {AUX_MV_CPTE.USUARIO} = 'PUESTO01|ADMIN'");
        QTest::newRow("CB: clave aun con solo el tipo, orden vaciado")
            << "CB  " << K << 1 << "" << QStringList{"+{Aux_Mv_Cpte.ID}", "-{Aux_Mv_Cpte.TC}"} << "CB"
            << cobranza.arg(QStringLiteral("CB  ")) << vacio << "ReciboCobranza.rpt" << true;
        QTest::newRow("CBCT: el reporte de CB") << "CBCT" << K << 0 << "" << vacio << "CBCT"
                                               << cobranza.arg(QStringLiteral("CBCT")) << vacio << "ReciboCobranza.rpt" << true;
        QTest::newRow("otro tipo: todo como llegó") << "XX" << K << 0 << previa << porId << "Otro" << previa << porId << "Otro" << true;
    }
    void tablaDeTipos() {
        QFETCH(QString, tc);
        QFETCH(QString, clave);
        QFETCH(int, soloTipo);
        QFETCH(QString, seleccionPrevia);
        QFETCH(QStringList, ordenPrevio);
        QFETCH(QString, reporte);
        QFETCH(QString, seleccion);
        QFETCH(QStringList, orden);
        QFETCH(QString, nombre);
        QFETCH(bool, conCuit);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        SeccionUsuario = QStringLiteral("PUESTO01|ADMIN");
        Modal::GanchoTemporal g([](QDialog*) { return 0; });
        QString sel = seleccionPrevia;
        QStringList ord = ordenPrevio;
        int destino = 0;
        ImprimirComprobante(tc, clave, QStringLiteral("0"), reporte, ord, sel, {QString()}, destino, soloTipo);
        QCOMPARE(sel, seleccion);
        QCOMPARE(ord, orden);
        const ClsReporte::Ejecucion& e = Reporte().UltimaEjecucion();
        QCOMPARE(Reporte().Ejecuciones(), 1);
        QCOMPARE(e.reporte, nombre);
        QCOMPARE(e.seleccion, seleccion);
        QCOMPARE(e.orden, orden);
        bool cuit = false;
        for (const QString& f : e.formulas) cuit = cuit || f.startsWith(QLatin1String("CUIT="));
        QCOMPARE(cuit, conCuit);
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    void nombreDelReporte_data() {
        QTest::addColumn<QString>("usuario");
        QTest::addColumn<QString>("nombre");
        QTest::newRow("con fila en TA_REPORTES") << "admin" << "FacturaA.rpt";
        QTest::newRow("sin fila: el tipo y la letra") << "otro" << "FC  -A";
    }
    void nombreDelReporte() {
        QFETCH(QString, usuario);
        QFETCH(QString, nombre);
        qputenv("TALERUNA_USUARIO", usuario.toUtf8());
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        QString n = QStringLiteral("FC  -A");
        QCOMPARE(NombreReporte(n, QStringLiteral("PUESTO01|") + usuario), nombre);
        QCOMPARE(n, QStringLiteral("FC  -A|PUESTO01|") + usuario);
    }

    // STK5 reports carry no VAT condition and no CUIT.
    void formulasDeStk5() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        const QStringList f = FormulasEmpresa(QStringLiteral(" STK5 "), {QStringLiteral("Extra = 'x'")});
        QCOMPARE(f, (QStringList{QStringLiteral("NombreEmpresa = 'Taller Eléctrico San Martín S.R.L.'"),
                                 QStringLiteral("Direccion = 'Av. General San Martín 1450  PB A'"),
                                 QStringLiteral("Localidad= 'Córdoba'"), QStringLiteral("CodigoPostal= 'X5000'"),
                                 QStringLiteral("Telefono= 'Telefono:(0351) 423-5678'"), QStringLiteral("Extra = 'x'"),
                                 QString()}));
    }

    // Assigned printer with destination 1: name twice, port, copies 0 -> 1;
    // with destination 0 the assignment's printer is not applied.
    void impresoraAsignada_data() {
        QTest::addColumn<int>("destino");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("puerto");
        QTest::addColumn<int>("copias");
        QTest::newRow("impresora") << 1 << "HP LaserJet" << "LPT1:" << 1;
        QTest::newRow("pantalla") << 0 << "" << "" << 1;
    }
    void impresoraAsignada() {
        QFETCH(int, destino);
        QFETCH(QString, nombre);
        QFETCH(QString, puerto);
        QFETCH(int, copias);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        env.EscribeArchivo(QStringLiteral("PRINTERS.PRN"),
                           Registro(QStringLiteral("PUESTO01|admin"), QStringLiteral("FC"), QStringLiteral("A"),
                                    QStringLiteral(" HP LaserJet | LPT1: "), QStringLiteral("0"), QStringLiteral("Impresora")));
        Modal::GanchoTemporal g([](QDialog*) { return 0; });
        Imprime(destino);
        const ClsReporte::Ejecucion& e = Reporte().UltimaEjecucion();
        QCOMPARE(e.destino, destino);
        QCOMPARE(e.impresoraNombre, nombre);
        QCOMPARE(e.impresoraDispositivo, nombre);
        QCOMPARE(e.impresoraPuerto, puerto);
        QCOMPARE(e.copiasPedidas, copias);
        if (destino == 1) {
            // No such printer here: one clear message, nothing printed.
            QCOMPARE(env.respondedor.mensajes.size(), 1);
            QCOMPARE(env.respondedor.mensajes.first().texto,
                     QStringLiteral("La impresora \"HP LaserJet\" no está instalada en este equipo; el comprobante no se imprimió."));
            QVERIFY(!e.realizada);
        } else {
            QVERIFY(env.respondedor.mensajes.isEmpty());
            QVERIFY(e.realizada);
        }
    }

    // Destination -1 takes the assigned word.
    void destinoAsignado_data() {
        QTest::addColumn<QString>("palabra");
        QTest::addColumn<int>("destino");
        QTest::addColumn<int>("ejecuciones");
        QTest::addColumn<int>("finalizaciones");
        QTest::newRow("Pantalla") << "pantalla" << 0 << 1 << 1;
        QTest::newRow("Ninguno: nada, ni siquiera el final") << "Ninguno" << -1 << 0 << 0;
        QTest::newRow("Controlador Fiscal: sin reporte, con final") << "Controlador Fiscal:" << 0 << 0 << 1;
        QTest::newRow("Selectivo: sin reporte, con final") << "Selectivo" << 0 << 0 << 1;
        QTest::newRow("otra palabra: pantalla") << "Cualquiera" << 0 << 1 << 1;
    }
    void destinoAsignado() {
        QFETCH(QString, palabra);
        QFETCH(int, destino);
        QFETCH(int, ejecuciones);
        QFETCH(int, finalizaciones);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        env.EscribeArchivo(QStringLiteral("PRINTERS.PRN"),
                           Registro(QStringLiteral("PUESTO01|admin"), QStringLiteral("FC"), QStringLiteral("A"), QString(),
                                    QStringLiteral("1"), palabra));
        int vistas = 0;
        Modal::GanchoTemporal g([&](QDialog*) { ++vistas; return 0; });
        QCOMPARE(Imprime(-1), destino);
        QCOMPARE(Reporte().Ejecuciones(), ejecuciones);
        QCOMPARE(Reporte().Finalizaciones(), finalizaciones);
        QCOMPARE(vistas, ejecuciones);
    }

    // Which printer ports (or names) stand for a PDF file, and where it goes.
    void archivoDelPuerto_data() {
        QTest::addColumn<QString>("puerto");
        QTest::addColumn<QString>("archivo");  // "@" stands for the program's folder
        QTest::newRow("FILE: con ruta absoluta") << "FILE:/tmp/x/salida.pdf" << "/tmp/x/salida.pdf";
        QTest::newRow("file: en minúsculas, blancos") << " file: /tmp/y.pdf " << "/tmp/y.pdf";
        QTest::newRow("FILE: con ruta relativa") << "FILE:pdf/salida.pdf" << "@pdf/salida.pdf";
        QTest::newRow("ruta que termina en .pdf") << "copias.PDF" << "@copias.PDF";
        QTest::newRow("ruta absoluta") << "/srv/impresos/f" << "/srv/impresos/f";
        QTest::newRow("FILE: sin ruta: no es archivo") << "FILE:" << "";
        QTest::newRow("puerto paralelo") << "LPT1:" << "";
        QTest::newRow("impresora de red") << "\\\\srv\\hp" << "";
        QTest::newRow("vacío") << "" << "";
    }
    void archivoDelPuerto() {
        QFETCH(QString, puerto);
        QFETCH(QString, archivo);
        Prueba::Entorno env;
        archivo.replace(QLatin1Char('@'), env.Carpeta());
        QCOMPARE(Reporte().ArchivoDePuerto(puerto), archivo);
    }

    // A failing statement or value is reported under the procedure's name; leaving
    // ImprimirComprobante sends nothing further to the runner.
    void erroresConSuProcedimiento_data() {
        QTest::addColumn<QString>("preparacion");
        QTest::addColumn<QString>("complemento");
        QTest::addColumn<QString>("procedimiento");
        QTest::addColumn<int>("ejecuciones");
        QTest::newRow("TA_REPORTES ilegible") << "ALTER TABLE TA_REPORTES RENAME TO TA_REPORTES_X" << "0" << "NombreReporte$" << 1;
        QTest::newRow("complemento que no es número") << "" << "0 OR 1=1" << "ImprimirComprobante" << 0;
    }
    void erroresConSuProcedimiento() {
        QFETCH(QString, preparacion);
        QFETCH(QString, complemento);
        QFETCH(QString, procedimiento);
        QFETCH(int, ejecuciones);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        if (!preparacion.isEmpty()) env.Ejecuta(preparacion);
        Modal::GanchoTemporal g([](QDialog*) { return 0; });
        QStringList orden{QString()};
        QString seleccion;
        int destino = 0;
        ImprimirComprobante(QStringLiteral("FC  "), QStringLiteral("000100000025A"), complemento, QStringLiteral("FC"), orden,
                            seleccion, {QString()}, destino, 0);
        QCOMPARE(env.respondedor.errores.size(), 1);
        QCOMPARE(env.respondedor.errores.first().procedimiento, procedimiento);
        QCOMPARE(Reporte().Ejecuciones(), ejecuciones);
        QCOMPARE(Reporte().Finalizaciones(), ejecuciones);
    }

    // E-mail: the PDF lands in the mail folder and the operator is told where.
    void correoDejaElPdfEnSuCarpeta() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        env.EscribeArchivo(QStringLiteral("PRINTERS.PRN"),
                           Registro(QStringLiteral("PUESTO01|admin"), QStringLiteral("FC"), QStringLiteral("A"), QString(),
                                    QStringLiteral("1"), QStringLiteral("E-M@ail")));
        QCOMPARE(Imprime(-1), 2);
        const QString pdf = env.Carpeta() + QStringLiteral("correo/FC-0001-00000025-A.pdf");
        QVERIFY(QFile::exists(pdf));
        QCOMPARE(Reporte().UltimaEjecucion().archivoPdf, pdf);
        QCOMPARE(env.respondedor.mensajes.size(), 1);
        QCOMPARE(env.respondedor.mensajes.first().texto,
                 QStringLiteral("El comprobante se guardó en %1 para enviarlo por correo.").arg(pdf));
        QCOMPARE(env.respondedor.mensajes.first().icono, Dialogos::Icono::Informacion);
    }

    // One clear message each, nothing printed, no error dialog.
    void fallasConUnMensaje_data() {
        QTest::addColumn<QString>("preparacion");
        QTest::addColumn<QString>("impresora");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<QString>("tc");
        QTest::addColumn<QString>("clave");
        QTest::newRow("definición inexistente (presupuesto)") << "" << "" << "No se encontró la definición del reporte \"PR  -X\""
                                                              << "PR" << "000100000007X";
        QTest::newRow("PDF que no se puede escribir") << "" << "PDF|FILE:/no/existe/carpeta/x.pdf"
                                                      << "No se puede escribir el archivo /no/existe/carpeta/x.pdf"
                                                      << "FC" << "000100000025A";
    }
    void fallasConUnMensaje() {
        QFETCH(QString, preparacion);
        QFETCH(QString, impresora);
        QFETCH(QString, mensaje);
        QFETCH(QString, tc);
        QFETCH(QString, clave);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        for (const QString& s : preparacion.split(QLatin1Char(';'), Qt::SkipEmptyParts)) env.Ejecuta(s);
        env.EscribeArchivo(QStringLiteral("PRINTERS.PRN"),
                           Registro(QStringLiteral("PUESTO01|admin"), tc, clave.right(1), impresora, QStringLiteral("1"),
                                    QStringLiteral("Impresora")));
        Imprime(1, tc, clave);
        QCOMPARE(env.respondedor.mensajes.size(), 1);
        QVERIFY2(env.respondedor.mensajes.first().texto.startsWith(mensaje), qPrintable(env.respondedor.mensajes.first().texto));
        QCOMPARE(env.respondedor.mensajes.first().titulo, QStringLiteral("Aviso al Operador!!!"));
        QVERIFY(env.respondedor.errores.isEmpty());
        QVERIFY(!Reporte().UltimaEjecucion().realizada);
    }

    // A formula outside the grammar reaches the runner: refused before any statement.
    void formulaRechazadaNoLlegaALaBase() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        const bool ok = Reporte().Ejecuta(QStringLiteral("FC-A"), {QString()},
                                          QStringLiteral("{V_MV_CPTE.TC} = 'FC'; DELETE FROM V_MV_CPTE"), CadenaConexion);
        QVERIFY(!ok);
        QCOMPARE(Reporte().UltimaEjecucion().sentencia, QString());
        QCOMPARE(env.respondedor.mensajes.size(), 1);
        QVERIFY(env.respondedor.mensajes.first().texto.startsWith(QStringLiteral("La fórmula de selección del reporte no es válida")));
        QSqlQuery q(Conexion().Conexion());
        q.exec(QStringLiteral("SELECT COUNT(*) FROM V_MV_CPTE"));
        q.next();
        QVERIFY(q.value(0).toInt() > 0);
    }

    // A voucher that staged nothing: nothing printed, one message.
    void sinFilasNoImprime() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        int vistas = 0;
        Modal::GanchoTemporal g([&](QDialog*) { ++vistas; return 0; });
        Imprime(0, QStringLiteral("FC"), QStringLiteral("000000000000"));
        QCOMPARE(vistas, 0);
        QCOMPARE(env.respondedor.mensajes.size(), 1);
        QVERIFY(env.respondedor.mensajes.first().texto.startsWith(QStringLiteral("No hay datos para imprimir")));
    }
};

QTEST_MAIN(PruebaReporte)
#include "test_reporte.moc"
