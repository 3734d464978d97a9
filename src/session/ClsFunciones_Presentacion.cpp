// Form presentation helpers of the runtime library (the ui library's part).
#include "session/ClsFunciones.h"
#include "session/ClsSesion.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void ClsFunciones::PreparaFormulario(QWidget* formulario, const QVariant&) const {
    if (!formulario) return;
    // Windows open centred on the screen they belong to, never larger than it.
    QScreen* pantalla = formulario->screen() ? formulario->screen() : QGuiApplication::primaryScreen();
    if (!pantalla) return;
    const QRect area = pantalla->availableGeometry();
    QSize tam = formulario->size().boundedTo(area.size());
    formulario->resize(tam);
    formulario->move(area.center() - QPoint(tam.width() / 2, tam.height() / 2));
}

// The wait cursor belongs to the form that waits: a modal window it opens
// meanwhile (a chooser, a lookup) keeps the normal cursor.
void ClsFunciones::InicioEspera(QWidget* formulario) const {
    if (formulario) formulario->setCursor(Qt::WaitCursor);
    else QApplication::setOverrideCursor(Qt::WaitCursor);
}

void ClsFunciones::FinEspera(QWidget* formulario) const {
    if (formulario) formulario->unsetCursor();
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

void ClsFunciones::AjustaControl(QWidget* control, const QVariant&, const QVariant&) const {
    if (control) control->updateGeometry();
}

void ClsSesion::PreparaVentana(QWidget* formulario) const {
    if (formulario && formulario->windowTitle().isEmpty()) formulario->setWindowTitle(QStringLiteral("Taleruna"));
}
