#include "session/Trampa.h"

#include "session/ClsFunciones.h"

#include <QHash>
#include <QPair>

namespace {
// The open user action: its depth and the answers given in it.
struct EstadoAccion {
    int profundidad = 0;
    QHash<QPair<int, QString>, int> respuestas;
};

EstadoAccion& Accion() {
    static EstadoAccion estado;
    return estado;
}

QPair<int, QString> Identidad(const ErrorEjecucion& e) {
    const QString& d = e.Descripcion();
    const qsizetype salto = d.indexOf(QLatin1Char('\n'));
    return {e.Numero(), (salto < 0 ? d : d.left(salto)).trimmed()};
}
} // namespace

AccionUsuario::AccionUsuario() { ++Accion().profundidad; }

AccionUsuario::~AccionUsuario() {
    if (--Accion().profundidad == 0) Accion().respuestas.clear();
}

Trampa::Trampa(QString procedimiento) : procedimiento_(std::move(procedimiento)) {}

Trampa::Trampa(QString procedimiento, Politica politica)
    : procedimiento_(std::move(procedimiento)), politica_(std::move(politica)) {}

Trampa Trampa::IgnorandoErrores(QString procedimiento) {
    return Trampa(std::move(procedimiento), [](const ErrorEjecucion&) { return Siguiente; });
}

int Trampa::Responde(const ErrorEjecucion& e) const {
    if (politica_) return politica_(e);
    return Informa(e, procedimiento_);
}

int Trampa::Informa(const ErrorEjecucion& e, const QString& procedimiento) {
    EstadoAccion& accion = Accion();
    if (accion.profundidad == 0) return Funciones().InformaError(e, {}, procedimiento);
    const QPair<int, QString> clave = Identidad(e);
    const auto dada = accion.respuestas.constFind(clave);
    if (dada != accion.respuestas.cend()) return dada.value();
    const int r = Funciones().InformaError(e, {}, procedimiento);
    if (r != Reintentar) accion.respuestas.insert(clave, r);
    return r;
}

ErrorEjecucion Trampa::Convierte(const std::exception& e) {
    return ErrorEjecucion(ErrorEjecucion::ErrorInterno, QString::fromLocal8Bit(e.what()));
}

bool ConTrampa(Trampa& trampa, const std::function<void(Trampa&)>& cuerpo) {
    try {
        cuerpo(trampa);
        return true;
    } catch (const Trampa::Salida&) {
        return false;
    } catch (const ErrorEjecucion& e) {
        // Raised outside a statement step: reported, then the procedure is left.
        trampa.Responde(e);
        return false;
    } catch (const std::exception& e) {
        trampa.Responde(Trampa::Convierte(e));
        return false;
    }
}

bool ConTrampa(const QString& procedimiento, const std::function<void(Trampa&)>& cuerpo) {
    Trampa t(procedimiento);
    return ConTrampa(t, cuerpo);
}

void IgnorandoErrores(const std::function<void(Trampa&)>& cuerpo) {
    Trampa t = Trampa::IgnorandoErrores();
    ConTrampa(t, cuerpo);
}
