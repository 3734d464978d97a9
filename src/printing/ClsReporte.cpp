#include "printing/ClsReporte.h"

#include "session/Instancia.h"

ClsReporte& Reporte() { return InstanciaUnica<ClsReporte>::Obtiene(); }
