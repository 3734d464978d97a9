#include "session/ClsSesion.h"

#include "session/Instancia.h"

#include <QDir>
#include <QStandardPaths>
#include <QSysInfo>

#include <pwd.h>
#include <unistd.h>

QString ClsSesion::Usuario() const {
    const QString env = qEnvironmentVariable("TALERUNA_USUARIO");
    if (!env.isEmpty()) return env;
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name) return QString::fromLocal8Bit(pw->pw_name);
    const QString user = qEnvironmentVariable("USER");
    return user.isEmpty() ? qEnvironmentVariable("LOGNAME") : user;
}

QString ClsSesion::Terminal() const {
    const QString env = qEnvironmentVariable("TALERUNA_TERMINAL");
    if (!env.isEmpty()) return env;
    return QSysInfo::machineHostName();
}

QString ClsSesion::CarpetaWindows() const {
    const QString env = qEnvironmentVariable("TALERUNA_CARPETA_WINDOWS");
    if (!env.isEmpty()) return QDir::cleanPath(env) + QLatin1Char('/');
    const QString c = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return (c.isEmpty() ? QDir::homePath() : c) + QLatin1Char('/');
}

namespace {
ClsSesion::Reloj& RelojActual() {
    static ClsSesion::Reloj r;
    return r;
}
} // namespace

QDateTime ClsSesion::Ahora() const {
    const Reloj& r = RelojActual();
    return r ? r() : QDateTime::currentDateTime();
}

ClsSesion::Reloj ClsSesion::EstableceReloj(Reloj reloj) {
    Reloj anterior = std::move(RelojActual());
    RelojActual() = std::move(reloj);
    return anterior;
}

ClsSesion& Sesion() { return InstanciaUnica<ClsSesion>::Obtiene(); }
