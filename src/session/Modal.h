#pragma once
// Every modal window of the program opens through Modal::Ejecuta. Normally
// that is QDialog::exec(); a test installs a hook that receives the dialog
// when it opens, drives it (clicks, keys, accept/reject) and returns its
// result, so no test ever waits for a person.
#include <functional>

class QDialog;

namespace Modal {
using Gancho = std::function<int(QDialog*)>;
// Shows the dialog modally and returns its result code.
int Ejecuta(QDialog* dialogo);
// Installs a hook (nullptr: plain exec). Returns the previous one.
Gancho EstableceGancho(Gancho g);

// Installs a hook for the lifetime of the object.
class GanchoTemporal {
public:
    explicit GanchoTemporal(Gancho g) : anterior_(EstableceGancho(std::move(g))) {}
    ~GanchoTemporal() { EstableceGancho(std::move(anterior_)); }
    GanchoTemporal(const GanchoTemporal&) = delete;
    GanchoTemporal& operator=(const GanchoTemporal&) = delete;

private:
    Gancho anterior_;
};
} // namespace Modal
