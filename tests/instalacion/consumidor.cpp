// Posts a voucher's stock through the installed services on a fresh database
// and prints the balance read back: "saldo 2".
#include <cmncptes/ClsCmnCptes.h>
#include <cmncptes/GrillaFlex.h>
#include <cmncptes/ListaSerieLote.h>
#include <session/ClsConexion.h>
#include <session/CreaBaseDatos.h>

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 4) return 2;
    const QString base = QString::fromLocal8Bit(argv[1]);
    if (!CreaBaseDatos::Crea(base, QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), true).ok) return 3;
    Conexion().BaseDatos = base;
    Conexion().Conecta();
    if (!Conexion().Conectado()) return 4;
    GrillaFlex g;
    g.SetCols(25);
    g.SetRows(2);
    g.SetTextMatrix(1, 0, QStringLiteral("TAL-200"));
    g.SetTextMatrix(1, 4, QStringLiteral("2"));
    g.SetTextMatrix(1, 14, ListaSerieLote::Arma({QStringLiteral("N1"), QStringLiteral("N2")}));
    QString deposito = QStringLiteral("0005"), destino, motivo, tcOrigen, cpteOrigen, sql;
    ClsCmnCptes c;
    c.ActualizaStock(&g, QStringLiteral("FCC"), QStringLiteral("000100000001A"), QStringLiteral("0"), QStringLiteral("2024-01-01"),
                     deposito, destino, motivo, tcOrigen, cpteOrigen, false, QStringLiteral("NULL"), false, sql);
    std::printf("saldo %g\n", c.ObtieneStock(QStringLiteral("TAL-200"), QStringLiteral("0005"), {}, {}, {}));
    Conexion().Cierra();
    return 0;
}
