#pragma once
// The error trap of every procedure. A procedure runs its body through
// ConTrampa; each statement that may fail runs through Trampa::Paso. When a
// statement raises an ErrorEjecucion the trap asks ClsFunciones::InformaError
// (or applies the procedure's own policy) and acts on the answer:
//   4  run the failing statement again,
//   5  go on with the next statement (the statement yields its empty value),
//   any other answer: leave the procedure (the function returns what it holds).
// An error raised outside any Paso is reported the same way, and then the
// procedure is left (there is no statement to retry or skip).
//
// One fault, one report: while a user action is open (AccionUsuario, opened
// by the display and print entry points), the operator's answer to an error
// is remembered and given again, without asking, to the same error (same
// number and the same first line of its description, the engine's words; a
// statement quoted after them does not make it another error) for the rest of
// that action. "Next statement" and "leave" are remembered; "retry" is not:
// a statement retried that fails again is asked about again.
#include "session/ErrorEjecucion.h"

#include <QString>
#include <functional>
#include <type_traits>
#include <utility>

class Trampa {
public:
    // How a trapped error is answered: by default through InformaError; a
    // procedure may ignore its errors (each failing statement is skipped) or
    // answer them itself.
    using Politica = std::function<int(const ErrorEjecucion&)>;
    static constexpr int Reintentar = 4;
    static constexpr int Siguiente = 5;
    static constexpr int Salir = 0;

    explicit Trampa(QString procedimiento);
    Trampa(QString procedimiento, Politica politica);
    static Trampa IgnorandoErrores(QString procedimiento = {});

    const QString& Procedimiento() const { return procedimiento_; }

    // Runs one statement under the trap. On "next statement" the statement
    // yields a value-initialised result.
    template <class F>
    auto Paso(F&& f) -> std::invoke_result_t<F&> {
        using R = std::invoke_result_t<F&>;
        for (;;) {
            try {
                if constexpr (std::is_void_v<R>) {
                    f();
                    return;
                } else {
                    return f();
                }
            } catch (const Salida&) {
                throw;
            } catch (const ErrorEjecucion& e) {
                const int r = Responde(e);
                if (r == Reintentar) continue;
                if (r == Siguiente) {
                    if constexpr (std::is_void_v<R>) return; else return R{};
                }
                throw Salida{};
            } catch (const std::exception& e) {
                const int r = Responde(Convierte(e));
                if (r == Reintentar) continue;
                if (r == Siguiente) {
                    if constexpr (std::is_void_v<R>) return; else return R{};
                }
                throw Salida{};
            }
        }
    }

    // Leaves the procedure at once (as an "Exit Sub" from inside a step).
    [[noreturn]] void Sal() const { throw Salida{}; }

    // Internal: thrown to leave the procedure; caught by ConTrampa.
    struct Salida {};

    int Responde(const ErrorEjecucion& e) const;
    // Reports an error through InformaError under the open user action's
    // remembered answers (for a procedure's own policy that reports).
    static int Informa(const ErrorEjecucion& e, const QString& procedimiento);
    static ErrorEjecucion Convierte(const std::exception& e);

private:
    QString procedimiento_;
    Politica politica_;
};

// One user action (one display, one print, one search). Nested actions are
// part of the outermost one; the remembered answers end with it.
class AccionUsuario {
public:
    AccionUsuario();
    ~AccionUsuario();
    AccionUsuario(const AccionUsuario&) = delete;
    AccionUsuario& operator=(const AccionUsuario&) = delete;
};

// Runs a procedure's body under its trap. Returns true when the body ran to
// its end, false when it was left because of an error.
bool ConTrampa(Trampa& trampa, const std::function<void(Trampa&)>& cuerpo);
bool ConTrampa(const QString& procedimiento, const std::function<void(Trampa&)>& cuerpo);
// Runs a body with every failing statement skipped (errors ignored).
void IgnorandoErrores(const std::function<void(Trampa&)>& cuerpo);
