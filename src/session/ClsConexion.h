#pragma once
// The database session of the program: one open connection, either to a
// server through an ODBC data source or to the embedded SQLite database.
#include "session/DialectoSql.h"
#include "session/Recordset.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// One column and its value already written as an SQL literal (or "NULL"),
// from which ArmaInsert composes an INSERT statement.
struct TipoCampoSql {
    QString Campo;
    QString Valor;
};
// The module-wide pair list of the writers (print staging, stock posting,
// action log); each writer fills it afresh.
extern QList<TipoCampoSql> CamposSql;

class ClsConexion {
public:
    ClsConexion();
    ~ClsConexion();
    ClsConexion(const ClsConexion&) = delete;
    ClsConexion& operator=(const ClsConexion&) = delete;

    // Connection values, set before Conecta.
    QString Servidor;   // ODBC data source name; empty (or a SQLite file) = embedded database
    QString BaseDatos;  // server database, or the SQLite file (a bare name is looked up in the data folder)
    QString Usuario;
    QString Clave;

    // Opens the connection. On failure shows one message (server, database and
    // the driver's words, never the password) and leaves Conectado() false.
    // The arguments are the suite's (show a login prompt, retries) and are not acted on.
    void Conecta(bool pideDatos = false, int intentos = 3);
    bool Conectado() const;
    void Cierra();
    DialectoSql::Motor Motor() const { return motor_; }
    // The open connection.
    QSqlDatabase Conexion() const;
    // Statement time-out in seconds: the embedded database waits this long for
    // a lock, from the connection's first statement on. TiempoEsperaPredeterminado
    // until set.
    static constexpr int TiempoEsperaPredeterminado = 360;
    void EstableceTiempoEspera(int segundos);
    int TiempoEspera() const { return tiempoEspera_; }

    QString Dsn() const;
    QString Uid() const;
    QString Pwd() const;
    // The full connection text handed to the lookup window (holds the password: never shown).
    QString TextoConexion() const;
    // The SQLite file in use ("" on a server).
    QString ArchivoBaseDatos() const { return archivo_; }

    // Opens a forward-only read-only result. The cursor and lock arguments are
    // the suite's (0 forward-only, 1 read-only) and always mean that here.
    Recordset AbreRecordset(const QString& sentencia, int cursor = 0, int bloqueo = 1, int opciones = -1);
    void CierraRecordset(Recordset& rs);
    // Runs a statement; a refused statement raises an ErrorEjecucion with the driver's words.
    void EjecutaSql(const QString& sentencia);
    // Rows the last EjecutaSql changed.
    int FilasAfectadas() const { return filasAfectadas_; }

    // SELECT columnaResultado FROM tabla WHERE columnaClave = clave [AND condicion]:
    // the value of the first row, or an empty value. tipoClave 8 = text key
    // (quoted), anything else a numeric key.
    QVariant ObtieneDescripcion(const QString& tabla, const QVariant& clave,
                                const QString& columnaResultado, const QString& columnaClave,
                                int tipoClave = 8, const QString& condicion = {});
    bool ExisteCodigo(const QString& tabla, const QVariant& valor, const QString& columnaClave,
                      const QVariant& omitido = {}, int tipoClave = 8, const QString& condicion = {});

    // Completes the head ("INSERT INTO T ") with the column list and values of
    // campos, in their order, into the same variable. Does not run it. A pair
    // whose value is not one finished literal (NULL, a number, a quoted text)
    // or whose name is not a column name raises an ErrorEjecucion.
    void ArmaInsert(QString& cabeza, const QList<TipoCampoSql>& campos, bool conParentesis = true) const;
    // The suite's literal function (see SqlLiteral::Literal).
    QString FormateaValorSql(const QVariant& valor, const QString& delimitador) const;

    // Transactions (several statements that land together). On the embedded
    // database a transaction holds the write lock from its start. A
    // transaction whose server connection was lost refuses its further
    // statements, and ConfirmaTransaccion rolls back and raises an error.
    void IniciaTransaccion();
    void ConfirmaTransaccion();
    void DeshaceTransaccion();
    // Whether a transaction is open on the connection.
    bool EnTransaccion() const;

    // The statement as sent to the engine (after adaptation); for diagnostics and tests.
    QString Adapta(const QString& sentencia) const;

    // Folder where a bare database name is looked up (TALERUNA_DATOS, else the program's folder).
    static QString CarpetaDatos();

private:
    QString ResuelveArchivo() const;
    bool EsArchivoSqlite(const QString& servidor) const;
    void AbreSqlite(const QString& ruta);
    void AbreOdbc();
    void InformaFalloConexion(const QString& textoDriver);
    // A server that went away: noted after a refused statement, and the
    // connection opened again before the next one (see RevisaTrasFallo).
    bool RevisaTrasFallo();
    void ExigeConexion() const;
    void Reanuda();
    bool perdida_ = false;
    // A result of the embedded database read straight from the engine.
    Recordset AbreRecordsetSqlite(sqlite3* manejador, const QString& sentencia);
    // The results handed out, released when the connection closes (the
    // embedded engine does not close with statements left open, and a
    // server's result read after it would show a row that is gone).
    std::vector<std::weak_ptr<Recordset::Datos>> resultados_;
    void Registra(const std::shared_ptr<Recordset::Datos>& d);

    QString nombreConexion_;
    DialectoSql::Motor motor_ = DialectoSql::Motor::Sqlite;
    QString archivo_;
    int tiempoEspera_ = TiempoEsperaPredeterminado;
    int filasAfectadas_ = 0;
    bool conectado_ = false;
    bool transaccionAbierta_ = false;
    // Compiled INSERT templates of the embedded database (see PlantillaInsert),
    // run on the engine directly with each row's values.
    QHash<QString, sqlite3_stmt*> plantillas_;
    void LimpiaPlantillas();
};

// Opens a SQLite file with the program's collation registered (for tools and
// tests that need a connection outside the session).
// segundosEspera: how long a statement waits for another connection's lock
// (-1: the driver's default).
QSqlDatabase AbreSqliteConColacion(const QString& ruta, const QString& nombreConexion, bool crear, int segundosEspera = -1);

// The process-wide instance (created on first use, released by FinalizaSistema).
ClsConexion& Conexion();
