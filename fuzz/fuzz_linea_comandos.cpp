// The command line and the form's parameters: the process arguments (pieces
// of the input separated by NUL), the start-up text's keys and the form's keys.
#include "Comun.h"
#include "session/ErrorEjecucion.h"
#include "session/ModGlobal.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const QString texto = Fuzz::Texto(datos, largo);
    QStringList argumentos{QStringLiteral("conscpte")};
    argumentos << texto.split(QChar(0));
    QString archivo;
    const QString linea = LineaComandosDesdeArgumentos(argumentos, &archivo);
    if (linea.size() > texto.size()) Fuzz::Falla("la linea crece", linea);

    static const char* const claves[] = {"@Server", "@DbName", "@Usuario", "@Password", "@ParametroAdicional"};
    QString parametros;
    for (const char* c : claves) {
        for (const QString& fuente : {linea, texto}) {
            const QString v = ValorLineaComandos(fuente, QString::fromLatin1(c));
            // A value is always a piece of the text it was read from.
            if (!fuente.contains(v)) Fuzz::Falla("valor que no esta en la linea", v);
            if (fuente == linea && QByteArray(c) == "@ParametroAdicional") parametros = v;
        }
    }
    static const char* const clavesFormulario[] = {"@GestionCompras", "@TC",      "@Sucursal",          "@Numero",
                                                   "@Letra",          "@Proveedor", "@PConsultaSolamente"};
    for (const QString& fuente : {parametros, texto}) {
        for (const char* c : clavesFormulario) {
            try {
                const QString v = ObtieneParametro(fuente, QString::fromLatin1(c));
                if (!fuente.contains(v)) Fuzz::Falla("parametro que no esta en el texto", v);
            } catch (const ErrorEjecucion& e) {
                if (e.Numero() != ErrorEjecucion::LlamadaNoValida) Fuzz::Falla("error inesperado", e.Descripcion());
            }
        }
    }
    return 0;
}
