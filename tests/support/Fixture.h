#pragma once
// Test fixture: a fresh database made from the schema (plus the demo data or
// a few seed rows) in a temporary folder that is also the program's folder
// and the Windows folder, the session connected to it, and a scripted
// responder that records every message and error instead of showing it.
// With TALERUNA_PG_DSN set (scripts/postgres.sh sets it), the database is a
// fresh PostgreSQL database copied from the template taleruna_vacia or
// taleruna_demo of that data source, and dropped at the end; RutaBase() is
// then empty.
#include "session/Dialogos.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace Prueba {

struct ProgramaTerminado {
    int codigo;
};

class Entorno {
public:
    enum class Datos { Ninguno, Demo };
    // Schema, then the demo data when asked, then `semilla` (SQL statements).
    explicit Entorno(Datos datos = Datos::Ninguno, const QString& semilla = {}, bool conectar = true);
    ~Entorno();
    Entorno(const Entorno&) = delete;
    Entorno& operator=(const Entorno&) = delete;

    QString Carpeta() const;     // program folder and Windows folder, with a closing "/"
    QString RutaBase() const;    // the database file ("" on PostgreSQL)
    // The server database on PostgreSQL ("" on the embedded database).
    QString BaseServidor() const { return baseServidor_; }
    // The command line's pieces that name this database: "@Server=;@DbName=<file>;"
    // or "@Server=<data source>;@DbName=<server database>;".
    QString Origen() const;
    void Ejecuta(const QString& sql) const;  // runs statements on the session's connection
    void EscribeArchivo(const QString& nombre, const QByteArray& contenido) const;

    Dialogos::RespondedorGuionado respondedor;

private:
    QTemporaryDir dir_;
    QString base_;
    QString baseServidor_;
};

// The ODBC data source of the PostgreSQL test server ("" when the tests run
// on the embedded database).
QString DsnPostgres();
// Statements of a test that break the database on purpose, in the engine's
// own words: a table gone (with the views that read it, on PostgreSQL) and a
// connection that may only read.
QString QuitaTabla(const QString& tabla);
QString SoloLectura();
// Runs statements on the database `base` of the PostgreSQL test server through
// a connection of its own (not the session's); throws on an error.
void EjecutaEnServidor(const QString& base, const QStringList& sentencias);

// One run of the program (build tree's conscpte): its exit status (-1 when
// it crashed or did not end within `espera` ms and was killed), standard
// output (unless sent to `salidaEstandar`) and standard error.
struct Corrida {
    int codigo = -1;
    QString salida;
    QString errores;
};
Corrida EjecutaPrograma(const QStringList& argumentos,
                        const QProcessEnvironment& entorno = QProcessEnvironment::systemEnvironment(),
                        const QString& salidaEstandar = {}, int espera = 120000);

// Path of a file of the sources (TALERUNA_SOURCE set by CTest).
QString RutaFuente(const QString& relativa);
// Path in the build tree (TALERUNA_BIN set by CTest).
QString RutaBinario(const QString& relativa);

} // namespace Prueba
