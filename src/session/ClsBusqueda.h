#pragma once
// The lookup window of the runtime library: a modal list over a table or a
// SELECT statement, from which the user picks one row. The rows are read once;
// a filter box narrows them as the user types.
//
// Definitions file (ArchivoDefiniciones, consultas.kvt): INI sections named
// after a table, each with
//   Columnas = the columns to show, comma-separated
//   Titulos  = their captions, comma-separated (a missing one shows the column name)
//   Clave    = the column whose value Seleccion returns (the list is ordered by it)
//   Distintos = SI to list repeated rows once
// A table without a usable section (or without the file), or whose section
// names a column the table lacks, shows all its columns.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

class ClsBusqueda {
public:
    // Set at start-up.
    QString TextoConexion;
    bool Habilita = false;
    QString ArchivoDefiniciones;

    // Column captions for the next search (emptied when a search starts).
    QStringList& Columnas() { return columnas_; }
    QString CampoClave;

    // Shows the lookup modally over a table name or a SELECT statement, with
    // the given captions (or the table's own columns when none are given).
    // A statement the database refuses raises an ErrorEjecucion to the caller.
    void Muestra(const QString& tablaOSentencia, const QStringList& titulos = {});
    // The chosen row's key ("" when nothing was chosen).
    QString Seleccion() const { return seleccion_; }
    // The chosen row's values, 1-based, in the statement's column order.
    QVariant Fila(int indice) const { return indice >= 1 && indice <= fila_.size() ? fila_[indice - 1] : QVariant(); }
    int CantidadColumnasFila() const { return static_cast<int>(fila_.size()); }

    // One table's definition read from the definitions file.
    struct Definicion {
        bool valida = false;
        QStringList columnas;
        QStringList titulos;  // one per column
        QString clave;
        bool distintos = false;
    };
    static Definicion LeeDefinicion(const QString& archivo, const QString& tabla);
    // The statement and captions for a table name or a SELECT.
    struct Consulta {
        QString sentencia;
        QStringList titulos;  // empty: the result's own column names
        QString clave;        // the definition's key column, if any
        bool definida = false;  // built from the definitions file
    };
    Consulta ArmaConsulta(const QString& tablaOSentencia, const QStringList& titulos) const;
    // Whether a text is a usable table or column name (letters, digits, "_",
    // "." between parts, or a name in brackets).
    static bool EsNombreValido(const QString& nombre);

private:
    QStringList columnas_;
    QString seleccion_;
    QVariantList fila_;
};

// The process-wide instance (not released by FinalizaSistema).
ClsBusqueda& Busqueda();
