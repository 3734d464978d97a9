// Print staging: the rows of Aux_MV_Cpte for a voucher, compared row by row.
#include "printing/ModImpresion.h"
#include "session/ClsConexion.h"
#include "session/ClsProgreso.h"
#include "session/Dialogos.h"
#include "session/ModGlobal.h"
#include "support/Fixture.h"

#include <QApplication>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include <cstdio>

namespace {

const QString N = QStringLiteral("<null>");

// Every staged row of a key, in ID order: Tipo|Columna1..7|Encabezado|PieDePagina|Seccion.
QStringList Filas(const QString& usuario, QSqlDatabase db = Conexion().Conexion()) {
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT Tipo, Columna1, Columna2, Columna3, Columna4, Columna5, Columna6, Columna7, "
                             "Encabezado, PieDePagina, Seccion FROM Aux_MV_Cpte WHERE Usuario = ? ORDER BY ID"));
    q.addBindValue(usuario);
    if (!q.exec()) return {QStringLiteral("error")};
    QStringList r;
    while (q.next()) {
        QStringList c;
        for (int i = 0; i < 11; ++i) c << (q.value(i).isNull() ? N : q.value(i).toString());
        r << c.join(QLatin1Char('|'));
    }
    return r;
}

// The key columns of every staged row of a key: Usuario|TC|IdComprobante|IdComplemento.
QStringList Claves(const QString& usuario) {
    QSqlQuery q(Conexion().Conexion());
    q.prepare(QStringLiteral("SELECT Usuario, TC, IdComprobante, IdComplemento FROM Aux_MV_Cpte WHERE Usuario = ? ORDER BY ID"));
    q.addBindValue(usuario);
    q.exec();
    QStringList r;
    while (q.next())
        r << QStringLiteral("%1|%2|%3|%4").arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                                                q.value(3).toString());
    return r;
}

QString Fila(const QString& tipo, const QStringList& columnas = {}, const QString& enc = N, const QString& pie = N,
             const QString& sec = N) {
    QStringList c{tipo};
    for (int i = 0; i < 7; ++i) c << (columnas.isEmpty() ? N : columnas.value(i));
    c << enc << pie << sec;
    return c.join(QLatin1Char('|'));
}
QString Espacio() { return Fila(QStringLiteral("3")); }
QString Titulo(const QString& t) { return Fila(QStringLiteral("M"), {}, N, N, t); }

void Estaciona(const QString& tipo, const QString& suc, const QString& nro, const QString& letra, int lineas = 3) {
    QString tc = tipo;
    GeneraAuxiliarComprobantes(tc, suc, nro, letra, QStringLiteral("0"), lineas, {}, {}, {}, {}, {}, {});
}

const QString Clave = QStringLiteral("PUESTO01|admin");

// A progress window that only writes down what it is asked to show.
QStringList gVentana;
class VentanaAnotada : public VistaProgreso {
public:
    void Muestra(const QString& titulo) override { gVentana << QStringLiteral("Muestra: ") + titulo; }
    void Avanza(const QString& l1, const QString& l2, const QString& l3) override {
        gVentana << QStringList{l1, l2, l3}.join(QLatin1Char('|'));
    }
    void Oculta() override { gVentana << QStringLiteral("Oculta"); }
};
VistaProgreso* CreaVentanaAnotada() { return new VentanaAnotada; }

// One invoice with one task line (the heading blocks are tested on it).
const QString UnaTarea = QStringLiteral(
    "INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, Cuenta, Nombre, Importe) VALUES ('FC', '000200000001A', 0, 'C1', 'Cliente', 100);\n"
    "INSERT INTO V_MV_CPTETAREAS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IdTarea, Descripcion, Horas, ValorHora, ValorHora_S_IVA, Total) "
    "VALUES ('FC', '000200000001A', 0, ' T9 ', ' Tarea ', 61, 100, 82.6446, 101.6667);\n");

// A thousand supply lines for the voucher of UnaTarea.
QString MilInsumos() {
    return QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000) "
        "INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IdArticulo, Descripcion, IdUnidad, Cantidad, Importe, Importe_S_IVA, Total) "
        "SELECT 'FC', '000200000001A', 0, 'ART' || i, 'Artículo ' || i, 'UN', i, 10, 8, 10 * i FROM n;\n");
}

// The second workstation of dosPuestosAlMismoTiempo: stages the same voucher
// under its own key a few times on the database it is given. The exit status
// is the number of errors and wrong row counts.
int OtroPuesto(int argc, char** argv, const QString& base) {
    QApplication app(argc, argv);
    Dialogos::RespondedorGuionado respondedor;
    qputenv("TALERUNA_TERMINAL", "PUESTO02");
    qputenv("TALERUNA_USUARIO", "admin");
    ClsConexion& cnx = Conexion();
    cnx.BaseDatos = base;
    cnx.Conecta(false, 3);
    if (!cnx.Conectado()) return 100;
    std::fputs("listo\n", stdout);
    std::fflush(stdout);
    int fallas = 0;
    for (int i = 0; i < 6; ++i) {
        Estaciona(QStringLiteral("FC"), QStringLiteral("0002"), QStringLiteral("00000001"), QStringLiteral("A"));
        if (Filas(QStringLiteral("PUESTO02|admin")).size() != 1007) ++fallas;
    }
    for (const auto& e : respondedor.errores) std::fprintf(stderr, "%s\n", qPrintable(e.descripcion));
    cnx.Cierra();
    return fallas + static_cast<int>(respondedor.errores.size());
}

} // namespace

class PruebaStaging : public QObject {
    Q_OBJECT

private slots:
    void init() {
        qputenv("TALERUNA_TERMINAL", "PUESTO01");
        qputenv("TALERUNA_USUARIO", "admin");
    }

    // The demo invoice: every row, in order, with its kind and columns.
    void facturaDemoFilaPorFila() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        QString tc = QStringLiteral("FC");
        GeneraAuxiliarComprobantes(tc, QStringLiteral("0001"), QStringLiteral("00000025"), QStringLiteral("A"),
                                   QStringLiteral("0"), 3, {}, {}, {}, {}, {}, {});
        QCOMPARE(tc, QStringLiteral("FC  "));
        const QStringList esperado{
            Fila(QString(), {}, QStringLiteral("Trabajo realizado según presupuesto 0001-00000007")),
            Espacio(), Titulo(QStringLiteral("Detalles de Tareas Realizadas")), Espacio(),
            Fila(QStringLiteral("TA"), {"T001", "Instalación eléctrica", " ", "02:15", "12100.00", "27225.00", "10000.00"}),
            Fila(QStringLiteral("TA"), {"T002", "Revisión de tablero", " ", "01:30", "9680.00", "14520.00", "8000.00"}),
            Fila(QStringLiteral("TA"), {"T003", "Mano de obra general", " ", "00:45", "8470.00", "6352.50", "7000.00"}),
            Espacio(), Titulo(QStringLiteral("Insumos - Materiales Utilizados - Productos")), Espacio(),
            Fila(QStringLiteral("IN"), {"CAB-001", "Cable tipo D'Alessandro 2x1,5 mm", "MT", "25", "1452.00", "36300.00", "1200.00"}),
            Fila(QStringLiteral("IN"), {"TAL-200", "Taladro percutor 750 W", "UN", "2", "96800.00", "193600.00", "80000.00"}),
            Fila(QStringLiteral("IN"), {"BAT-050", "Batería 12 V 7 Ah", "UN", "1", "54450.00", "54450.00", "45000.00"}),
            Espacio(), Titulo(QStringLiteral("Otros Conceptos - Observaciones - Comentarios")), Espacio(),
            Fila(QStringLiteral("OC"), {"", "Flete y acarreo de materiales", "", "", "", "6050.00", "5000.00"}),
            Fila(QStringLiteral("OC"), {"", "Viáticos del técnico", "", "", "", "3000.00", "3000.00"}),
            Fila(QString(), {}, N, QStringLiteral("Garantía de 6 meses sobre la mano de obra. Gracias por su compra.")),
        };
        const QStringList filas = Filas(Clave);
        for (int i = 0; i < qMax(filas.size(), esperado.size()); ++i) QCOMPARE(filas.value(i), esperado.value(i));
        // Every row carries the session key, the four-character type, the key and the complement.
        const QStringList claves = Claves(Clave);
        QCOMPARE(claves.size(), esperado.size());
        for (const QString& c : claves) QCOMPARE(c, QStringLiteral("PUESTO01|admin|FC  |000100000025A|0"));
        QVERIFY(env.respondedor.errores.isEmpty());
        QCOMPARE(Progreso().Titulo(), QStringLiteral("Imprimiendo Comprobantes"));
        QVERIFY(!Progreso().Visible());
    }

    // What the progress window shows, step by step: the line counter advances
    // on tasks and other concepts, not on supplies.
    void ventanaDeProgreso() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, UnaTarea + QStringLiteral(
            "INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IdArticulo, Descripcion, IdUnidad, Cantidad, Importe, Importe_S_IVA, Total) "
            "VALUES ('FC', '000200000001A', 0, ' A1 ', ' Caño ', 'UN', 1, 10, 8, 10);\n"
            "INSERT INTO V_MV_CPTE_Observ (TC, IDCOMPROBANTE, IDCOMPLEMENTO, TIPO_OBS, Observacion, Importe, Importe_S_IVA) "
            "VALUES ('FC', '000200000001A', 0, 'OC', 'Flete', 5, 4);\n"));
        gVentana.clear();
        ClsProgreso::EstableceFabricaVista(&CreaVentanaAnotada);
        Estaciona(QStringLiteral("FC"), QStringLiteral("0002"), QStringLiteral("00000001"), QStringLiteral("A"));
        const QString g = QStringLiteral("Generando Informe||"), a = QStringLiteral("Actualizando||");
        const QStringList bloque{g, a, a, g, a};  // spacer, heading, spacer
        QStringList esperado{QStringLiteral("Muestra: Imprimiendo Comprobantes"), QStringLiteral("Verificando Datos ||"), g};
        esperado << bloque << QStringLiteral("1 - 000200000001A|T9|Tarea");
        esperado << bloque << QStringLiteral("1 - 000200000001A|A1|Caño");
        esperado << bloque << QStringLiteral("2 - 000200000001A||");
        esperado << g << QStringLiteral("Oculta");
        QCOMPARE(gVentana, esperado);
        QCOMPARE(Filas(Clave).size(), 3 * 3 + 3);
    }

    void bloqueDeTitulo_data() {
        QTest::addColumn<int>("lineas");
        QTest::addColumn<QStringList>("bloque");
        const QString t = Titulo(QStringLiteral("Detalles de Tareas Realizadas"));
        QTest::newRow("una fila: solo el título") << 1 << QStringList{t};
        QTest::newRow("dos filas: espacio y título") << 2 << QStringList{Espacio(), t};
        QTest::newRow("tres filas: espacio, título, espacio") << 3 << QStringList{Espacio(), t, Espacio()};
        QTest::newRow("cuatro filas: el título en la fila 2") << 4 << QStringList{Espacio(), Espacio(), t, Espacio()};
        QTest::newRow("cero se toma como una") << 0 << QStringList{t};
    }
    void bloqueDeTitulo() {
        QFETCH(int, lineas);
        QFETCH(QStringList, bloque);
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, UnaTarea);
        Estaciona(QStringLiteral("FC"), QStringLiteral("0002"), QStringLiteral("00000001"), QStringLiteral("A"), lineas);
        // Trimmed code and description, hours as h:mm, money with the configured decimals (2 without a setting).
        QCOMPARE(Filas(Clave), bloque + QStringList{Fila(QStringLiteral("TA"), {"T9", "Tarea", " ", "01:01", "100.00", "101.67", "82.64"})});
    }

    // Work orders: "a Realizar" headings; with NoMostrarImportesEnOT the hours are six blanks, amounts stay.
    void ordenDeTrabajoSinImportes_data() {
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QString>("horas");
        QTest::newRow("SI oculta las horas") << "SI" << "      ";
        QTest::newRow("si en minúsculas también") << "si" << "      ";
        QTest::newRow("NO las muestra") << "NO" << "01:00";
    }
    void ordenDeTrabajoSinImportes() {
        QFETCH(QString, valor);
        QFETCH(QString, horas);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        env.Ejecuta(QStringLiteral("UPDATE TA_CONFIGURACION SET Valor = '%1' WHERE CLAVE = 'NoMostrarImportesEnOT'").arg(valor));
        Estaciona(QStringLiteral("OT"), QStringLiteral("0001"), QStringLiteral("00000101"), QStringLiteral("X"));
        const QStringList filas = Filas(Clave);
        QCOMPARE(filas.value(1), Titulo(QStringLiteral("Detalles de Tareas a Realizar")));
        QCOMPARE(filas.value(3), Fila(QStringLiteral("TA"), {"T001", "Instalación eléctrica", " ", horas, "12100.00", "12100.00", "10000.00"}));
        QCOMPARE(filas.value(6), Titulo(QStringLiteral("Insumos - Materiales a Utilizar - Productos")));
    }

    // An empty voucher stages nothing but still clears the key's earlier rows;
    // another workstation's rows are left alone.
    void comprobanteVacioBorraSoloLasFilasDeLaClave() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo,
                            QStringLiteral("INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO) VALUES ('FC', '000900000001A', 0);\n"));
        Estaciona(QStringLiteral("FC"), QStringLiteral("0001"), QStringLiteral("00000025"), QStringLiteral("A"));
        qputenv("TALERUNA_TERMINAL", "PUESTO02");
        Estaciona(QStringLiteral("FC"), QStringLiteral("0001"), QStringLiteral("00000012"), QStringLiteral("B"));
        const QStringList otroPuesto = Filas(QStringLiteral("PUESTO02|admin"));
        QVERIFY(!otroPuesto.isEmpty());
        qputenv("TALERUNA_TERMINAL", "PUESTO01");
        Estaciona(QStringLiteral("FC"), QStringLiteral("0009"), QStringLiteral("00000001"), QStringLiteral("A"));
        QCOMPARE(Filas(Clave), QStringList{});
        QCOMPARE(Filas(QStringLiteral("PUESTO02|admin")), otroPuesto);
    }

    // Inside a transaction of the caller the rows are written in it: they
    // land or go with the caller's transaction, which stays open.
    void dentroDeLaTransaccionDelLlamador() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        Conexion().IniciaTransaccion();
        Estaciona(QStringLiteral("FC"), QStringLiteral("0001"), QStringLiteral("00000025"), QStringLiteral("A"));
        QVERIFY(Conexion().EnTransaccion());
        QCOMPARE(Filas(Clave).size(), 19);
        Conexion().DeshaceTransaccion();
        QCOMPARE(Filas(Clave), QStringList{});
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    // Two workstations staging one after the other keep their own rows.
    void dosPuestosNoSeMezclan() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        Estaciona(QStringLiteral("FC"), QStringLiteral("0001"), QStringLiteral("00000025"), QStringLiteral("A"));
        const QStringList primero = Filas(Clave);
        qputenv("TALERUNA_TERMINAL", "PUESTO02");
        qputenv("TALERUNA_USUARIO", "caja");
        Estaciona(QStringLiteral("RM"), QStringLiteral("0001"), QStringLiteral("00000040"), QStringLiteral("R"));
        QCOMPARE(Filas(Clave), primero);
        const QStringList claves = Claves(QStringLiteral("PUESTO02|caja"));
        QCOMPARE(claves.size(), 4);
        for (const QString& c : claves) QCOMPARE(c, QStringLiteral("PUESTO02|caja|RM  |000100000040R|0"));
    }

    // Only the first header note; apostrophes in notes, descriptions and codes stage intact.
    void primeraNotaYApostrofes() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, UnaTarea + QStringLiteral(
            "INSERT INTO V_MV_CPTE_Observ (TC, IDCOMPROBANTE, IDCOMPLEMENTO, TIPO_OBS, Observacion) VALUES ('FC', '000200000001A', 0, 'EN', 'Obra de D''Agostino');\n"
            "INSERT INTO V_MV_CPTE_Observ (TC, IDCOMPROBANTE, IDCOMPLEMENTO, TIPO_OBS, Observacion) VALUES ('FC', '000200000001A', 0, 'EN', 'segunda');\n"
            "INSERT INTO V_MV_CPTE_Observ (TC, IDCOMPROBANTE, IDCOMPLEMENTO, TIPO_OBS, Observacion) VALUES ('FC', '000200000001A', 0, 'PP', 'Gracias, O''Higgins');\n"
            "INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IdArticulo, Descripcion, IdUnidad, Cantidad, Importe, Importe_S_IVA, Total) "
            "VALUES ('FC', '000200000001A', 0, 'A''1', 'Caño 1/2'' ', 'UN ', 2.5, 10, 8.2645, 25);\n"));
        Estaciona(QStringLiteral("FC"), QStringLiteral("0002"), QStringLiteral("00000001"), QStringLiteral("A"));
        const QStringList filas = Filas(Clave);
        QCOMPARE(filas.first(), Fila(QString(), {}, QStringLiteral("Obra de D'Agostino")));
        QCOMPARE(filas.count(Fila(QString(), {}, QStringLiteral("segunda"))), 0);
        // Unit and quantity as stored (not trimmed, not formatted).
        QVERIFY(filas.contains(Fila(QStringLiteral("IN"), {"A'1", "Caño 1/2'", "UN ", "2.5", "10.00", "25.00", "8.26"})));
        QCOMPARE(filas.last(), Fila(QString(), {}, N, QStringLiteral("Gracias, O'Higgins")));
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    // Which vouchers a call selects.
    void seleccionDeComprobantes_data() {
        QTest::addColumn<QString>("desde");
        QTest::addColumn<QString>("hasta");
        QTest::addColumn<QString>("listaId");
        QTest::addColumn<QString>("listaClaves");
        QTest::addColumn<QStringList>("comprobantes");
        QTest::newRow("un comprobante (botón de impresión)") << "000100000025A" << "" << "" << "" << QStringList{"000100000025A"};
        QTest::newRow("rango de claves, ambos extremos incluidos") << "000100000012B" << "000100000026A" << "" << "" << QStringList{"000100000012B", "000100000025A", "000100000026A"};
        QTest::newRow("lista de claves") << "" << "" << "" << "'000100000012B', '000100000025A'" << QStringList{"000100000012B", "000100000025A"};
        QTest::newRow("lista de ID") << "" << "" << "3" << "" << QStringList{"000100000012B"};
    }
    void seleccionDeComprobantes() {
        QFETCH(QString, desde);
        QFETCH(QString, hasta);
        QFETCH(QString, listaId);
        QFETCH(QString, listaClaves);
        QFETCH(QStringList, comprobantes);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        QString tc = QStringLiteral("FC");
        GeneraAuxiliarComprobantes(tc, desde.left(4), desde.mid(4, 8), desde.mid(12), QStringLiteral("0"), 3, hasta.left(4),
                                   hasta.mid(4, 8), hasta.mid(12), QStringLiteral("0"), listaId, listaClaves);
        QSqlQuery q(Conexion().Conexion());
        q.exec(QStringLiteral("SELECT DISTINCT IdComprobante FROM Aux_MV_Cpte ORDER BY IdComprobante"));
        QStringList vistos;
        while (q.next()) vistos << q.value(0).toString();
        QCOMPARE(vistos, comprobantes);
        QVERIFY(env.respondedor.errores.isEmpty());
    }

    // A list that is not a list of literals never reaches the database.
    void listaQueNoEsDeLiteralesSeRechaza_data() {
        QTest::addColumn<QString>("listaId");
        QTest::addColumn<QString>("listaClaves");
        QTest::newRow("clave que cierra el paréntesis") << "" << "'000100000025A'); DELETE FROM V_MV_CPTE; --";
        QTest::newRow("texto sin cerrar") << "" << "'000100000025A";
        QTest::newRow("ID que no es número") << "1) OR (1=1" << "";
    }
    void listaQueNoEsDeLiteralesSeRechaza() {
        QFETCH(QString, listaId);
        QFETCH(QString, listaClaves);
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        Estaciona(QStringLiteral("FC"), QStringLiteral("0001"), QStringLiteral("00000025"), QStringLiteral("A"));
        const QStringList antes = Filas(Clave);
        QString tc = QStringLiteral("FC");
        GeneraAuxiliarComprobantes(tc, {}, {}, {}, QStringLiteral("0"), 3, {}, {}, {}, {}, listaId, listaClaves);
        QCOMPARE(env.respondedor.errores.size(), 1);
        QCOMPARE(env.respondedor.errores.first().procedimiento, QStringLiteral("GeneraAuxiliarComprobantes"));
        QSqlQuery q(Conexion().Conexion());
        q.exec(QStringLiteral("SELECT COUNT(*) FROM V_MV_CPTE"));
        q.next();
        QVERIFY(q.value(0).toInt() > 0);
        QCOMPARE(Filas(Clave), antes);
    }

    // Leaving after an error keeps (and commits) the rows written so far; the
    // progress window is hidden before the error is reported.
    void salirTrasUnErrorConservaLoEscrito() {
        if (!Prueba::DsnPostgres().isEmpty()) QSKIP("reads the staging rows through a second connection to the embedded database's file");
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        env.Ejecuta(QStringLiteral("ALTER TABLE V_MV_CPTEINSUMOS RENAME TO V_MV_CPTEINSUMOS_X"));
        env.respondedor.respuestasErrores = {0};
        Estaciona(QStringLiteral("FC"), QStringLiteral("0001"), QStringLiteral("00000025"), QStringLiteral("A"));
        QCOMPARE(env.respondedor.errores.size(), 1);
        QCOMPARE(env.respondedor.errores.first().procedimiento, QStringLiteral("GeneraAuxiliarComprobantes"));
        QVERIFY(!Progreso().Visible());
        // The note, the task heading block and the three tasks, seen from another connection.
        {
            QSqlDatabase otra = AbreSqliteConColacion(env.RutaBase(), QStringLiteral("otra"), false);
            QCOMPARE(Filas(Clave, otra).size(), 7);
            otra.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("otra"));
    }

    // A commit refused because another connection still reads the database:
    // "retry" once the reader is gone commits the rows, and the staging is
    // not counted done while they are uncommitted.
    void reintentarLaConfirmacionConfirma() {
        if (!Prueba::DsnPostgres().isEmpty()) QSKIP("the reader is a second connection to the embedded database's file");
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        Conexion().EstableceTiempoEspera(1);
        {
            QSqlDatabase lector = AbreSqliteConColacion(env.RutaBase(), QStringLiteral("lector"), false);
            QSqlQuery q(lector);
            QVERIFY(q.exec(QStringLiteral("BEGIN")));
            QVERIFY(q.exec(QStringLiteral("SELECT COUNT(*) FROM V_MV_CPTE")) && q.next());
            struct SueltaYReintenta : Dialogos::RespondedorErrores {
                QSqlQuery* lectura = nullptr;
                QStringList errores;
                int Responde(const Dialogos::ErrorInformado& e) override {
                    errores << e.descripcion;
                    if (lectura->isActive()) lectura->finish();
                    lectura->exec(QStringLiteral("COMMIT"));
                    return errores.size() < 3 ? Dialogos::Reintentar : 0;
                }
            } respondedor;
            respondedor.lectura = &q;
            Dialogos::RespondedorErrores* anterior = Dialogos::EstableceRespondedorErrores(&respondedor);
            QString tc = QStringLiteral("FC");
            const bool hecho = GeneraAuxiliarComprobantes(tc, QStringLiteral("0001"), QStringLiteral("00000025"), QStringLiteral("A"),
                                                          QStringLiteral("0"), 3, {}, {}, {}, {}, {}, {});
            Dialogos::EstableceRespondedorErrores(anterior);
            QCOMPARE(respondedor.errores.size(), 1);
            QVERIFY(hecho);
            QVERIFY(!Conexion().EnTransaccion());
            QCOMPARE(Filas(Clave, lector).size(), 19);
            lector.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("lector"));
    }

    // "Next statement" skips the failing section and goes on with the rest.
    void siguienteSaltaLaSeccionQueFalla() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Demo);
        env.Ejecuta(QStringLiteral("ALTER TABLE V_MV_CPTEINSUMOS RENAME TO V_MV_CPTEINSUMOS_X"));
        env.respondedor.respuestasErrores = {5};
        Estaciona(QStringLiteral("FC"), QStringLiteral("0001"), QStringLiteral("00000025"), QStringLiteral("A"));
        const QStringList filas = Filas(Clave);
        QCOMPARE(filas.size(), 19 - 6);
        QCOMPARE(filas.last(), Fila(QString(), {}, N, QStringLiteral("Garantía de 6 meses sobre la mano de obra. Gracias por su compra.")));
    }

    // Two workstations staging at the same time on one database: each run
    // waits for the other's and neither fails, sees or deletes the other's
    // rows. The other workstation is this program started again (see main).
    void dosPuestosAlMismoTiempo() {
        if (!Prueba::DsnPostgres().isEmpty()) QSKIP("the other workstation opens the embedded database's file");
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, UnaTarea + MilInsumos());
        QProcess otro;
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(QStringLiteral("TALERUNA_OTRO_PUESTO"), env.RutaBase());
        otro.setProcessEnvironment(entorno);
        otro.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(otro.waitForReadyRead(30000));  // connected and about to stage
        for (int vuelta = 0; vuelta < 40; ++vuelta) {
            Estaciona(QStringLiteral("FC"), QStringLiteral("0002"), QStringLiteral("00000001"), QStringLiteral("A"));
            QVERIFY2(env.respondedor.errores.isEmpty(), qPrintable(env.respondedor.errores.value(0).descripcion));
            QCOMPARE(Filas(Clave).size(), 1007);
            otro.waitForFinished(0);
            if (otro.state() == QProcess::NotRunning) break;
        }
        if (otro.state() != QProcess::NotRunning) QVERIFY(otro.waitForFinished(60000));
        QCOMPARE(otro.exitStatus(), QProcess::NormalExit);
        QVERIFY2(otro.exitCode() == 0, otro.readAllStandardError().constData());
        QVERIFY2(env.respondedor.errores.isEmpty(), qPrintable(env.respondedor.errores.value(0).descripcion));
        QCOMPARE(Filas(Clave).size(), 1007);
        QCOMPARE(Filas(QStringLiteral("PUESTO02|admin")).size(), 1007);
    }

    // A voucher of 1,000 lines stages every line (its time is measured by
    // bench/bench_comprobante, not here).
    void milLineasCompletas() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, UnaTarea + MilInsumos());
        Estaciona(QStringLiteral("FC"), QStringLiteral("0002"), QStringLiteral("00000001"), QStringLiteral("A"));
        QCOMPARE(Filas(Clave).size(), 3 + 1 + 3 + 1000);
    }
};

int main(int argc, char** argv) {
    const QString otro = qEnvironmentVariable("TALERUNA_OTRO_PUESTO");
    if (!otro.isEmpty()) return OtroPuesto(argc, argv, otro);
    QApplication app(argc, argv);
    PruebaStaging prueba;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&prueba, argc, argv);
}
#include "test_staging.moc"
