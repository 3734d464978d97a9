// One fault, one report: inside one user action (one display, one print) the
// operator's answer to an error is applied to the same error again without
// asking; outside an action, or for another error, the operator is asked.
#include "session/ErrorEjecucion.h"
#include "session/Trampa.h"
#include "support/Fixture.h"

#include <QtTest>

namespace {
// A procedure with three statements that each raise the error; returns how
// many statements ran past their failure (skipped ones count).
int Procedimiento(const QString& nombre, const ErrorEjecucion& e) {
    int pasos = 0;
    ConTrampa(nombre, [&](Trampa& t) {
        for (int i = 0; i < 3; ++i) {
            t.Paso([&] { throw e; });
            ++pasos;
        }
    });
    return pasos;
}

ErrorEjecucion Roto(const QString& sentencia) {
    // The engine's words on the first line, the statement after them.
    return ErrorEjecucion(ErrorEjecucion::ErrorBaseDatos,
                          QStringLiteral("database disk image is malformed\nSentencia: ") + sentencia);
}
} // namespace

class TestTrampaAccion : public QObject {
    Q_OBJECT
private slots:
    void unaRespuestaPorAccion_data() {
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<int>("pasos");  // statements gone past in the four procedures
        QTest::newRow("ignorar: el resto se saltea sin preguntar") << int(Trampa::Siguiente) << 12;
        QTest::newRow("salir: cada procedimiento sale sin preguntar") << int(Trampa::Salir) << 0;
    }
    void unaRespuestaPorAccion() {
        QFETCH(int, respuesta);
        QFETCH(int, pasos);
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, {}, false);
        env.respondedor.respuestasErrores = {respuesta};
        int hechos = 0;
        {
            AccionUsuario accion;
            hechos += Procedimiento(QStringLiteral("Uno"), Roto(QStringLiteral("SELECT 1")));
            AccionUsuario anidada;  // an entry point called from another one: the same action
            hechos += Procedimiento(QStringLiteral("Dos"), Roto(QStringLiteral("SELECT 2")));
            hechos += Procedimiento(QStringLiteral("Tres"), Roto(QStringLiteral("SELECT 3")));
            hechos += Procedimiento(QStringLiteral("Cuatro"), Roto(QStringLiteral("SELECT 4")));
        }
        QCOMPARE(env.respondedor.errores.size(), 1);
        QCOMPARE(env.respondedor.errores.first().procedimiento, QStringLiteral("Uno"));
        QCOMPARE(hechos, pasos);

        // The next action asks again.
        env.respondedor.respuestasErrores = {Trampa::Salir};
        {
            AccionUsuario accion;
            Procedimiento(QStringLiteral("Cinco"), Roto(QStringLiteral("SELECT 5")));
            Procedimiento(QStringLiteral("Seis"), Roto(QStringLiteral("SELECT 6")));
        }
        QCOMPARE(env.respondedor.errores.size(), 2);
    }

    void otroErrorOSinAccionSePregunta() {
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, {}, false);
        {
            AccionUsuario accion;
            Procedimiento(QStringLiteral("Uno"), Roto(QStringLiteral("SELECT 1")));
            Procedimiento(QStringLiteral("Dos"), ErrorEjecucion(ErrorEjecucion::ErrorBaseDatos, QStringLiteral("database is locked")));
            Procedimiento(QStringLiteral("Tres"), ErrorEjecucion(ErrorEjecucion::TipoNoCoincide,
                                                                  QStringLiteral("database disk image is malformed")));
        }
        QCOMPARE(env.respondedor.errores.size(), 3);
        // Without an action every error is reported, as before.
        Procedimiento(QStringLiteral("Cuatro"), Roto(QStringLiteral("SELECT 4")));
        Procedimiento(QStringLiteral("Cinco"), Roto(QStringLiteral("SELECT 5")));
        QCOMPARE(env.respondedor.errores.size(), 5);
    }

    void reintentarSigueSiendoReintentar() {
        // "Retry" runs the statement again and, failing again, asks again: it
        // is never applied by itself (that would retry for ever).
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, {}, false);
        env.respondedor.respuestasErrores = {Trampa::Reintentar, Trampa::Reintentar, Trampa::Salir};
        int intentos = 0;
        {
            AccionUsuario accion;
            ConTrampa(QStringLiteral("Uno"), [&](Trampa& t) {
                t.Paso([&] {
                    ++intentos;
                    throw Roto(QStringLiteral("SELECT 1"));
                });
            });
            QCOMPARE(intentos, 3);
            QCOMPARE(env.respondedor.errores.size(), 3);
            Procedimiento(QStringLiteral("Dos"), Roto(QStringLiteral("SELECT 2")));
        }
        QCOMPARE(env.respondedor.errores.size(), 3);
    }

    void politicaPropiaNoCuenta() {
        // A procedure that ignores its own errors answers them itself: its
        // silent skip is no answer of the operator.
        Prueba::Entorno env(Prueba::Entorno::Datos::Ninguno, {}, false);
        AccionUsuario accion;
        IgnorandoErrores([](Trampa& t) { t.Paso([] { throw Roto(QStringLiteral("SELECT 1")); }); });
        QCOMPARE(env.respondedor.errores.size(), 0);
        Procedimiento(QStringLiteral("Uno"), Roto(QStringLiteral("SELECT 2")));
        QCOMPARE(env.respondedor.errores.size(), 1);
    }
};

QTEST_MAIN(TestTrampaAccion)
#include "test_trampa_accion.moc"
