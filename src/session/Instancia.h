#pragma once
// One process-wide instance per helper class of the runtime library, created
// on first use. Instances registered for release are dropped together by
// FinalizaSistema (and created afresh if used again afterwards).
#include <functional>
#include <memory>

namespace Instancias {
void RegistraLiberacion(std::function<void()> libera);
void LiberaTodas();
} // namespace Instancias

template <class T>
class InstanciaUnica {
public:
    static T& Obtiene(bool liberadaAlFinalizar = true) {
        if (!ptr()) {
            ptr() = std::make_unique<T>();
            if (liberadaAlFinalizar) Instancias::RegistraLiberacion([] { ptr().reset(); });
        }
        return *ptr();
    }
    static bool Existe() { return static_cast<bool>(ptr()); }

private:
    static std::unique_ptr<T>& ptr() {
        static std::unique_ptr<T> p;
        return p;
    }
};
