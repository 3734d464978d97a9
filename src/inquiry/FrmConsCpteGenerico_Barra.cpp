// Toolbar and closing of the inquiry form.
#include "inquiry/FrmConsCpteGenerico.h"

#include "session/ModGlobal.h"

#include <QCoreApplication>

void FrmConsCpteGenerico::Toolbar1_ButtonClick(int indice) {
    switch (indice) {
    case 3:
        IndiceCampoActual = 0;
        CmdConsultar();
        break;
    case 5:
        Inicializa(true);
        break;
    case 7:
        close();
        break;
    default:
        break;  // printing is wired by the printing module; 4 and 6 have no action
    }
}

void FrmConsCpteGenerico::Form_Unload() {
    FinalizaSistema();
    hide();
    QCoreApplication::quit();
}
