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

void ClsFunciones::InicioEspera(QWidget*) const { QApplication::setOverrideCursor(Qt::WaitCursor); }

void ClsFunciones::FinEspera(QWidget*) const {
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

void ClsFunciones::AjustaControl(QWidget* control, const QVariant&, const QVariant&) const {
    if (control) control->updateGeometry();
}

void ClsSesion::PreparaVentana(QWidget* formulario) const {
    if (formulario && formulario->windowTitle().isEmpty()) formulario->setWindowTitle(QStringLiteral("Taleruna"));
}
