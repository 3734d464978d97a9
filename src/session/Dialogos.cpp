#include "session/Dialogos.h"

#include <cstdio>

namespace Dialogos {
namespace {
RespondedorMensajes* gMensajes = nullptr;
RespondedorErrores* gErrores = nullptr;

const char* NombreIcono(Icono i) {
    switch (i) {
    case Icono::Critico: return "Error";
    case Icono::Pregunta: return "Pregunta";
    case Icono::Exclamacion: return "Advertencia";
    case Icono::Informacion: return "Información";
    case Icono::Ninguno: break;
    }
    return "Mensaje";
}

QString UnaLinea(QString t) {
    t.replace(QLatin1String("\r\n"), QLatin1String(" / "));
    t.replace(QLatin1Char('\n'), QLatin1String(" / "));
    t.replace(QLatin1Char('\r'), QLatin1String(" / "));
    return t;
}
} // namespace

int RespuestaSinOperador(Botones b) {
    switch (b) {
    case Botones::Aceptar: return Aceptar;
    case Botones::AceptarCancelar: return Cancelar;
    case Botones::SiNo: return No;
    case Botones::SiNoCancelar: return Cancelar;
    case Botones::AnularReintentarIgnorar: return Anular;
    }
    return Aceptar;
}

int SinOperador(const Mensaje& m) {
    std::fprintf(stderr, "%s: %s: %s\n", NombreIcono(m.icono), qPrintable(UnaLinea(m.titulo)),
                 qPrintable(UnaLinea(m.texto)));
    std::fflush(stderr);
    return RespuestaSinOperador(m.botones);
}

int SinOperador(const ErrorInformado& e) {
    std::fprintf(stderr, "Error %d en %s: %s\n", e.numero, qPrintable(UnaLinea(e.procedimiento)),
                 qPrintable(UnaLinea(e.descripcion)));
    std::fflush(stderr);
    return 0;
}

int MsgBox(const QString& texto, Botones botones, Icono icono, const QString& titulo) {
    const Mensaje m{texto, titulo, icono, botones};
    return gMensajes ? gMensajes->Responde(m) : SinOperador(m);
}

int MuestraError(const ErrorInformado& e) { return gErrores ? gErrores->Responde(e) : SinOperador(e); }

RespondedorMensajes* EstableceRespondedorMensajes(RespondedorMensajes* r) {
    auto* anterior = gMensajes;
    gMensajes = r;
    return anterior;
}

RespondedorErrores* EstableceRespondedorErrores(RespondedorErrores* r) {
    auto* anterior = gErrores;
    gErrores = r;
    return anterior;
}

RespondedorGuionado::RespondedorGuionado()
    : anteriorMensajes_(EstableceRespondedorMensajes(this)),
      anteriorErrores_(EstableceRespondedorErrores(this)) {}

RespondedorGuionado::~RespondedorGuionado() {
    EstableceRespondedorMensajes(anteriorMensajes_);
    EstableceRespondedorErrores(anteriorErrores_);
}

int RespondedorGuionado::Responde(const Mensaje& m) {
    mensajes.append(m);
    if (!respuestasMensajes.isEmpty()) return respuestasMensajes.takeFirst();
    return RespuestaSinOperador(m.botones);
}

int RespondedorGuionado::Responde(const ErrorInformado& e) {
    errores.append(e);
    if (!respuestasErrores.isEmpty()) return respuestasErrores.takeFirst();
    return 0;
}

} // namespace Dialogos
