#include "session/Trampa.h"

#include "session/ClsFunciones.h"

Trampa::Trampa(QString procedimiento) : procedimiento_(std::move(procedimiento)) {}

Trampa::Trampa(QString procedimiento, Politica politica)
    : procedimiento_(std::move(procedimiento)), politica_(std::move(politica)) {}

Trampa Trampa::IgnorandoErrores(QString procedimiento) {
    return Trampa(std::move(procedimiento), [](const ErrorEjecucion&) { return Siguiente; });
}

int Trampa::Responde(const ErrorEjecucion& e) const {
    if (politica_) return politica_(e);
    return Funciones().InformaError(e, {}, procedimiento_);
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
