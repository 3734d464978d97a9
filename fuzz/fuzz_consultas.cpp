// The lookup definitions file (consultas.kvt): any text as the file; each
// definition read must be usable (valid column names, one caption per column,
// a key among the columns), and the statement built from it names only those.
#include "Archivo.h"
#include "Comun.h"
#include "session/ClsBusqueda.h"
#include "session/ErrorEjecucion.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const QByteArray bytes = Fuzz::Bytes(datos, largo);
    const QString ruta = Fuzz::EscribeArchivo(bytes, QStringLiteral("consultas.kvt"));
    QStringList tablas{QStringLiteral("VT_PROVEEDORES"), QStringLiteral("MV_ASIENTOS")};
    const QString texto = QString::fromUtf8(bytes);
    const qsizetype a = texto.indexOf(QLatin1Char('['));
    const qsizetype b = texto.indexOf(QLatin1Char(']'), a + 1);
    if (a >= 0 && b > a) tablas << texto.mid(a + 1, b - a - 1);
    ClsBusqueda busqueda;
    busqueda.ArchivoDefiniciones = ruta;
    for (const QString& t : tablas) {
        const ClsBusqueda::Definicion d = ClsBusqueda::LeeDefinicion(ruta, t);
        if (d.valida) {
            if (d.columnas.isEmpty() || d.titulos.size() != d.columnas.size()) Fuzz::Falla("titulos", t);
            for (const QString& c : d.columnas)
                if (!ClsBusqueda::EsNombreValido(c)) Fuzz::Falla("columna no valida", c);
            if (!d.clave.isEmpty() && !d.columnas.contains(d.clave)) Fuzz::Falla("clave ajena", d.clave);
        }
        try {
            const ClsBusqueda::Consulta c = busqueda.ArmaConsulta(t, {});
            if (c.sentencia.contains(QLatin1Char(';')) && !c.sentencia.contains(QLatin1Char('[')))
                Fuzz::Falla("sentencia con ;", c.sentencia);
        } catch (const ErrorEjecucion&) {
            // A name the lookup does not take is refused: that is its answer.
        }
    }
    return 0;
}
