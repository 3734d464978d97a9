#pragma once
// Several statements that land together or not at all. The guard opens a
// transaction on the connection, or a savepoint inside the one the caller
// already holds; Confirma() keeps the work, and leaving without it (an error,
// the operator leaving a procedure) undoes everything written since the guard
// was made, and nothing the caller wrote before.
#include <QString>

class ClsConexion;

class TransaccionSql {
public:
    explicit TransaccionSql(ClsConexion& conexion);
    ~TransaccionSql();
    TransaccionSql(const TransaccionSql&) = delete;
    TransaccionSql& operator=(const TransaccionSql&) = delete;

    void Confirma();
    // True when the guard is a savepoint inside the caller's transaction.
    bool EsPuntoGuardado() const { return !punto_.isEmpty(); }

private:
    ClsConexion& conexion_;
    QString punto_;
    bool activa_ = true;
};
