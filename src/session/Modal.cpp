#include "session/Modal.h"

#include <QDialog>

namespace Modal {
namespace {
Gancho gGancho;
}

int Ejecuta(QDialog* dialogo) {
    if (gGancho) {
        dialogo->setModal(true);
        dialogo->show();
        const int r = gGancho(dialogo);
        if (dialogo->isVisible()) dialogo->hide();
        return r;
    }
    return dialogo->exec();
}

Gancho EstableceGancho(Gancho g) {
    Gancho anterior = std::move(gGancho);
    gGancho = std::move(g);
    return anterior;
}
} // namespace Modal
