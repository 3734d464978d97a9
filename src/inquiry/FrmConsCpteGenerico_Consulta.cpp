// Voucher search from the key fields (F5 and the search button).
#include "inquiry/FrmConsCpteGenerico.h"

void FrmConsCpteGenerico::CmdConsultar() {
    // The search (chooser list or lookup window) is wired by the search module.
}
