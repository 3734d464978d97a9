#include "session/ClsProgreso.h"

#include "session/Instancia.h"

namespace {
ClsProgreso::FabricaVista gFabrica = nullptr;
}

void ClsProgreso::EstableceFabricaVista(FabricaVista f) { gFabrica = f; }

ClsProgreso::~ClsProgreso() { delete vista_; }

void ClsProgreso::Muestra(const QString& titulo, bool) {
    titulo_ = titulo;
    lineas_ = QStringList{QString(), QString(), QString()};
    avances_ = 0;
    visible_ = true;
    if (!vista_ && gFabrica) vista_ = gFabrica();
    if (vista_) vista_->Muestra(titulo);
}

void ClsProgreso::Avanza(bool, const QString& l1, const QString& l2, const QString& l3) {
    lineas_ = QStringList{l1, l2, l3};
    ++avances_;
    if (vista_ && visible_) vista_->Avanza(l1, l2, l3);
}

void ClsProgreso::Oculta() {
    visible_ = false;
    if (vista_) vista_->Oculta();
}

void ClsProgreso::EstableceVisible(bool visible) {
    if (!visible) Oculta();
    else if (!visible_) Muestra(titulo_);
}

ClsProgreso& Progreso() { return InstanciaUnica<ClsProgreso>::Obtiene(); }
