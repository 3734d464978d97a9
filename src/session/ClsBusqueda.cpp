#include "session/ClsBusqueda.h"

#include "session/Instancia.h"

ClsBusqueda& Busqueda() { return InstanciaUnica<ClsBusqueda>::Obtiene(false); }
