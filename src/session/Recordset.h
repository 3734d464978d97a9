#pragma once
// A forward-only, read-only result of one statement, with beginning- and
// end-of-file marks as the suite's recordsets have them. Field values come
// back typed the same on every engine: dates as QDate/QDateTime (SQLite keeps
// them as text), Null as a null QVariant, numbers as their exact text (a
// real number of the embedded engine as its shortest decimal text, never in
// scientific notation: 0.0005, not 5e-04).
// On the embedded database a result reads the engine's row directly: only the
// fields asked for are converted, never the whole row.
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVector>
#include <memory>

struct sqlite3_stmt;

class Recordset {
public:
    Recordset() = default;  // closed: BOF and EOF, no fields

    bool Abierto() const { return static_cast<bool>(d_); }
    // No row at all (before any move): BOF and EOF both hold.
    bool Bof() const;
    // Past the last row (or no row).
    bool Eof() const;
    bool Vacio() const { return Bof() && Eof(); }
    void MoveNext();

    int CantidadCampos() const;
    QString NombreCampo(int i) const;
    // Value of a field of the current row, by name (any letter case) or by
    // position. A name the result does not have, or a read without a current
    // row, raises an ErrorEjecucion.
    QVariant Campo(const QString& nombre) const;
    QVariant Campo(int indice) const;
    bool TieneCampo(const QString& nombre) const;

    void Cierra();

    // Used by the connection layer only.
    struct Datos;
    explicit Recordset(std::shared_ptr<Datos> d) : d_(std::move(d)) {}

private:
    int Indice(const QString& nombre) const;
    std::shared_ptr<Datos> d_;
};

struct Recordset::Datos {
    // Decimal: a server's decimal column (text such as "25.0000").
    enum class Clase { Otro, Fecha, FechaHora, Decimal };
    Datos() = default;
    ~Datos();
    Datos(const Datos&) = delete;
    Datos& operator=(const Datos&) = delete;

    QSqlQuery consulta;               // a server's result
    sqlite3_stmt* sentencia = nullptr;  // the embedded database's statement (then `consulta` is unused)
    QVector<QString> nombres;
    QVector<Clase> clases;
    bool hayFila = false;
    bool vacio = true;
    // The field as the driver gives it, then as the recordset gives it.
    QVariant Bruto(int i) const;
    QVariant Convierte(int i) const;
    // Moves to the next row; false past the last one (the statement is then
    // reset, so it holds no lock).
    bool Siguiente();
    // Releases the statement (the connection closes, or the result does).
    void Libera();
};
