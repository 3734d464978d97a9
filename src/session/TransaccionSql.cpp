#include "session/TransaccionSql.h"

#include "session/ClsConexion.h"

#include <atomic>

namespace {
QString NuevoPunto() {
    static std::atomic<int> contador{0};
    return QStringLiteral("taleruna_punto_%1").arg(++contador);
}
} // namespace

TransaccionSql::TransaccionSql(ClsConexion& conexion) : conexion_(conexion) {
    if (conexion_.EnTransaccion()) {
        punto_ = NuevoPunto();
        conexion_.EjecutaSql(QStringLiteral("SAVEPOINT ") + punto_);
    } else {
        conexion_.IniciaTransaccion();
    }
}

TransaccionSql::~TransaccionSql() {
    if (!activa_) return;
    try {
        if (punto_.isEmpty()) {
            conexion_.DeshaceTransaccion();
        } else {
            conexion_.EjecutaSql(QStringLiteral("ROLLBACK TO SAVEPOINT ") + punto_);
            conexion_.EjecutaSql(QStringLiteral("RELEASE SAVEPOINT ") + punto_);
        }
    } catch (const std::exception&) {
        // The connection is gone: the engine has undone the work with it.
    }
}

void TransaccionSql::Confirma() {
    if (!activa_) return;
    if (punto_.isEmpty()) conexion_.ConfirmaTransaccion();
    else conexion_.EjecutaSql(QStringLiteral("RELEASE SAVEPOINT ") + punto_);
    activa_ = false;
}
