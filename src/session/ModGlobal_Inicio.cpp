// Session start-up and shutdown (the parts that reach the report runner, the
// lookup window and the forms).
#include "session/ModGlobal.h"

#include "printing/ClsReporte.h"
#include "session/ClsArchivoIni.h"
#include "session/ClsBusqueda.h"
#include "session/ClsConexion.h"
#include "session/ClsFunciones.h"
#include "session/ClsSesion.h"
#include "session/Instancia.h"
#include "session/Trampa.h"

#include <QCoreApplication>
#include <QFile>
#include <QIcon>
#include <QWidget>

void InicializaSistema() {
    // Error 5 (a missing ";" after a key) goes on with the next statement; any
    // other error leaves at once, without a message.
    Trampa trampa(QStringLiteral("InicializaSistema"), [](const ErrorEjecucion& e) {
        return e.Numero() == ErrorEjecucion::LlamadaNoValida ? Trampa::Siguiente : Trampa::Salir;
    });
    ConTrampa(trampa, [](Trampa& t) {
        CarpetaApp = Funciones().NormalizaRuta(ResuelveCarpetaApp());
        const QString linea = LineaComandos();
        SeccionUsuario = Sesion().Terminal().toUpper() + QLatin1Char('|') + Sesion().Usuario().toUpper();
        ClsConexion& cnx = Conexion();
        if (!cnx.Conectado()) {
            ParametroAdicional = ValorLineaComandos(linea, QStringLiteral("@ParametroAdicional"));
            const QString servidor = ValorLineaComandos(linea, QStringLiteral("@Server"));
            const QString base = ValorLineaComandos(linea, QStringLiteral("@DbName"));
            const QString usuario = ValorLineaComandos(linea, QStringLiteral("@Usuario"));
            const QString clave = ValorLineaComandos(linea, QStringLiteral("@Password"));
            cnx.Usuario = usuario;
            cnx.BaseDatos = base;
            cnx.Clave = clave;
            cnx.Servidor = servidor;
            t.Paso([&] { cnx.Conecta(false, 3); });
            if (!cnx.Conectado()) {
                TerminaPrograma(1);
                t.Sal();
            }
            cnx.EstableceTiempoEspera(ClsConexion::TiempoEsperaPredeterminado);
        }
        CadenaConexion = QStringLiteral("DSN=") + cnx.Dsn() + QStringLiteral("; UID=") + cnx.Uid() +
                         QStringLiteral("; PWD=") + cnx.Pwd();
        Reporte().CarpetaAplicacion = CarpetaApp;
        Busqueda().TextoConexion = cnx.TextoConexion();
        Busqueda().Habilita = true;
        Busqueda().ArchivoDefiniciones = CarpetaApp + QStringLiteral("consultas.kvt");
    });
}

void AplicaEstiloFormulario(QWidget* formulario) {
    IgnorandoErrores([&](Trampa& t) {
        const QString nombre = t.Paso([] {
            return ArchivoIni().LeeValor(QStringLiteral("CN000pr.INI"), QStringLiteral("Iconos"),
                                         QStringLiteral("IconoDelSistema"), QStringLiteral("ICONKAV"));
        });
        t.Paso([&] {
            // Icon resources are kept under :/iconos/<NAME>.svg (or .png); an unknown name leaves the icon as it was.
            for (const char* ext : {".svg", ".png", ".ico"}) {
                const QString ruta = QStringLiteral(":/iconos/") + nombre.trimmed().toUpper() + QLatin1String(ext);
                if (QFile::exists(ruta)) {
                    formulario->setWindowIcon(QIcon(ruta));
                    break;
                }
            }
        });
        if (QString::fromLatin1(formulario->metaObject()->className()).compare(QLatin1String("FRMMDI"), Qt::CaseInsensitive) == 0)
            return;
        t.Paso([&] { Sesion().PreparaVentana(formulario); });
        t.Paso([] { QCoreApplication::processEvents(); });
    });
}

void FinalizaSistema() {
    if (InstanciaUnica<ClsConexion>::Existe()) Conexion().Cierra();
    Instancias::LiberaTodas();
}
