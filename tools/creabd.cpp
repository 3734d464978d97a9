// creabd: creates the program's embedded database file, or the program's
// tables in a PostgreSQL database reached through an ODBC data source.
//   creabd [--forzar] [--esquema ESQUEMA.sql] [--sin-datos] DESTINO.db [DATOS.sql]
//   creabd --dsn ORIGEN [--base BASE] [--usuario U] [--forzar] [--esquema ESQUEMA.sql] [--sin-datos] [DATOS.sql]
// The password of the server is read from TALERUNA_CLAVE (never the command line).
// Without DATOS.sql the demo company is loaded. An existing DESTINO is kept
// unless --forzar is given; a data file with an error names the line and
// leaves no database behind.
#include "session/CreaBaseDatos.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {
const char* const uso =
    "Uso: creabd [--forzar] [--esquema ESQUEMA.sql] [--sin-datos] DESTINO.db [DATOS.sql]\n"
    "     creabd --dsn ORIGEN [--base BASE] [--usuario USUARIO] [--forzar] [--esquema ESQUEMA.sql]\n"
    "            [--sin-datos] [DATOS.sql]     (clave del servidor en TALERUNA_CLAVE)";
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    bool forzar = false, sinDatos = false;
    QString esquema, dsn, base, usuario;
    QStringList posicionales;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--forzar")) forzar = true;
        else if (a == QLatin1String("--sin-datos")) sinDatos = true;
        else if (a == QLatin1String("--esquema") && i + 1 < args.size()) esquema = args[++i];
        else if (a == QLatin1String("--dsn") && i + 1 < args.size()) dsn = args[++i];
        else if (a == QLatin1String("--base") && i + 1 < args.size()) base = args[++i];
        else if (a == QLatin1String("--usuario") && i + 1 < args.size()) usuario = args[++i];
        else if (a == QLatin1String("-h") || a == QLatin1String("--ayuda") || a == QLatin1String("--help")) {
            std::puts(uso);
            return 0;
        } else posicionales << a;
    }
    if (!dsn.isEmpty()) {
        if (posicionales.size() > 1) {
            std::fprintf(stderr, "%s\n", uso);
            return 2;
        }
        const QString datos =
            sinDatos ? QString() : (posicionales.size() == 1 ? posicionales[0] : CreaBaseDatos::DatosDemo());
        const auto r = CreaBaseDatos::CreaEnServidor(dsn, base, usuario, qEnvironmentVariable("TALERUNA_CLAVE"),
                                                     esquema.isEmpty() ? CreaBaseDatos::EsquemaPostgres() : esquema,
                                                     datos, forzar);
        if (!r.ok) {
            std::fprintf(stderr, "creabd: %s\n", qPrintable(r.error));
            return 1;
        }
        std::printf("Base de datos creada: %s%s%s\n", qPrintable(dsn), base.isEmpty() ? "" : "/", qPrintable(base));
        return 0;
    }
    if (esquema.isEmpty()) esquema = CreaBaseDatos::EsquemaPorDefecto();
    if (posicionales.isEmpty() || posicionales.size() > 2) {
        std::fprintf(stderr, "%s\n", uso);
        return 2;
    }
    const QString datos = sinDatos ? QString() : (posicionales.size() == 2 ? posicionales[1] : CreaBaseDatos::DatosDemo());
    const auto r = CreaBaseDatos::Crea(posicionales[0], esquema, datos, forzar);
    if (!r.ok) {
        std::fprintf(stderr, "creabd: %s\n", qPrintable(r.error));
        return 1;
    }
    std::printf("Base de datos creada: %s\n", qPrintable(posicionales[0]));
    return 0;
}
