// conscpte: the voucher inquiry program of the Taleruna suite.
#include "session/InstalaUi.h"
#include "session/ModGlobal.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("conscpte"));
    QApplication::setOrganizationName(QStringLiteral("Taleruna"));
    EstableceLineaComandos(LineaComandosDesdeArgumentos(app.arguments()));
    InstalaUi();
    InicializaSistema();
    QMainWindow ventana;
    ventana.setWindowTitle(QStringLiteral("Taleruna"));
    AplicaEstiloFormulario(&ventana);
    ventana.resize(800, 600);
    ventana.show();
    const int r = app.exec();
    FinalizaSistema();
    return r;
}
