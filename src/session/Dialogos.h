#pragma once
// The one entry point for message boxes and questions, and the one for the
// run-time error dialog of InformaError. Both go through a replaceable
// responder: the desktop installs one that shows real dialogs; a test installs
// a scripted one that records what would have been shown and gives the answers
// it was told to give. Without a responder (or without a person at the
// screen) nothing waits: messages are written to standard error and the
// default answer is taken.
#include <QString>
#include <QStringList>

namespace Dialogos {

// Answers, with the suite's values (4 retry and 5 ignore are what the error
// trap acts on).
enum Respuesta : int {
    Aceptar = 1, Cancelar = 2, Anular = 3, Reintentar = 4, Ignorar = 5, Si = 6, No = 7
};

enum class Icono { Ninguno, Critico, Pregunta, Exclamacion, Informacion };
enum class Botones { Aceptar, AceptarCancelar, SiNo, SiNoCancelar, AnularReintentarIgnorar };

struct Mensaje {
    QString texto;
    QString titulo;
    Icono icono = Icono::Ninguno;
    Botones botones = Botones::Aceptar;
};

struct ErrorInformado {
    int numero = 0;
    QString descripcion;
    QString procedimiento;
};

class RespondedorMensajes {
public:
    virtual ~RespondedorMensajes() = default;
    virtual int Responde(const Mensaje& m) = 0;
};

class RespondedorErrores {
public:
    virtual ~RespondedorErrores() = default;
    // 4 retry, 5 ignore (next statement), anything else leave.
    virtual int Responde(const ErrorInformado& e) = 0;
};

// Shows a message (or asks a question) and returns the answer.
int MsgBox(const QString& texto, Botones botones, Icono icono, const QString& titulo);
// Shows the error dialog and returns the answer.
int MuestraError(const ErrorInformado& e);

// The responder in force; nullptr restores the one without a person.
// Returns the previous one. The caller keeps ownership.
RespondedorMensajes* EstableceRespondedorMensajes(RespondedorMensajes* r);
RespondedorErrores* EstableceRespondedorErrores(RespondedorErrores* r);

// What the responders without a person answer: Aceptar for an OK box, No for
// yes/no questions, Cancelar where offered, and "leave" (0) for errors.
int RespuestaSinOperador(Botones b);
// What happens without a person: one line on standard error, default answer.
int SinOperador(const Mensaje& m);
int SinOperador(const ErrorInformado& e);

// A scripted responder for tests and scripted runs: records every message and
// error and answers from its queues (the default answer when a queue is empty).
class RespondedorGuionado : public RespondedorMensajes, public RespondedorErrores {
public:
    RespondedorGuionado();
    ~RespondedorGuionado() override;
    int Responde(const Mensaje& m) override;
    int Responde(const ErrorInformado& e) override;

    QList<int> respuestasMensajes;   // consumed front to back
    QList<int> respuestasErrores;    // consumed front to back
    QList<Mensaje> mensajes;         // what would have been shown
    QList<ErrorInformado> errores;

private:
    RespondedorMensajes* anteriorMensajes_;
    RespondedorErrores* anteriorErrores_;
};

} // namespace Dialogos
