// creabd: creates the program's embedded database file.
//   creabd [--forzar] [--esquema ESQUEMA.sql] [--sin-datos] DESTINO.db [DATOS.sql]
// Without DATOS.sql the demo company is loaded. An existing DESTINO is kept
// unless --forzar is given; a data file with an error names the line and
// leaves no database behind.
#include "session/CreaBaseDatos.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    bool forzar = false, sinDatos = false;
    QString esquema = CreaBaseDatos::EsquemaPorDefecto();
    QStringList posicionales;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--forzar")) forzar = true;
        else if (a == QLatin1String("--sin-datos")) sinDatos = true;
        else if (a == QLatin1String("--esquema") && i + 1 < args.size()) esquema = args[++i];
        else if (a == QLatin1String("-h") || a == QLatin1String("--ayuda") || a == QLatin1String("--help")) {
            std::puts("Uso: creabd [--forzar] [--esquema ESQUEMA.sql] [--sin-datos] DESTINO.db [DATOS.sql]");
            return 0;
        } else posicionales << a;
    }
    if (posicionales.isEmpty() || posicionales.size() > 2) {
        std::fputs("Uso: creabd [--forzar] [--esquema ESQUEMA.sql] [--sin-datos] DESTINO.db [DATOS.sql]\n", stderr);
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
