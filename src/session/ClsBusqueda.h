#pragma once
// The lookup window of the runtime library: a modal list over a table or a
// SELECT statement, from which the user picks one row.
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
    void Muestra(const QString& tablaOSentencia, const QStringList& titulos = {});
    // The chosen row's key ("" when nothing was chosen).
    QString Seleccion() const { return seleccion_; }
    // The chosen row's values, 1-based, in the statement's column order.
    QVariant Fila(int indice) const { return indice >= 1 && indice <= fila_.size() ? fila_[indice - 1] : QVariant(); }
    int CantidadColumnasFila() const { return static_cast<int>(fila_.size()); }

private:
    QStringList columnas_;
    QString seleccion_;
    QVariantList fila_;
};

// The process-wide instance (not released by FinalizaSistema).
ClsBusqueda& Busqueda();
