#include "session/Instancia.h"

#include <vector>

namespace Instancias {
namespace {
std::vector<std::function<void()>>& Registro() {
    static std::vector<std::function<void()>> r;
    return r;
}
} // namespace

void RegistraLiberacion(std::function<void()> libera) { Registro().push_back(std::move(libera)); }

void LiberaTodas() {
    auto pendientes = std::move(Registro());
    Registro().clear();
    // Released in the reverse order of creation.
    for (auto it = pendientes.rbegin(); it != pendientes.rend(); ++it) (*it)();
}
} // namespace Instancias
