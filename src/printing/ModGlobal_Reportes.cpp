// Report lookup (TA_REPORTES) and the company's formula values of a voucher's report.
#include "printing/ModImpresion.h"

#include "session/ClsConexion.h"
#include "session/ClsFunciones.h"
#include "session/ModGlobal.h"
#include "session/SqlLiteral.h"
#include "session/Trampa.h"

QString NombreReporte(QString& Nombre, const QString& Sufijo) {
    const QString anterior = Nombre;
    QString resultado;
    ConTrampa(QStringLiteral("NombreReporte$"), [&](Trampa& t) {
        if (!Sufijo.trimmed().isEmpty()) Nombre += QLatin1Char('|') + Sufijo;
        Recordset rs = t.Paso([&] {
            return Conexion().AbreRecordset(QStringLiteral("SELECT * FROM TA_REPORTES WHERE NOMBRE = ") +
                                            SqlLiteral::Texto(Nombre.trimmed()));
        });
        if (!rs.Eof())
            resultado = t.Paso([&] { return Funciones().ValorCampo(rs.Campo(QStringLiteral("Archivo"))).toString(); });
        else
            resultado = anterior;
        rs.Cierra();
    });
    return resultado;
}

QStringList FormulasEmpresa(const QString& Reporte, const QStringList& FormulasAdicionales) {
    QStringList f;
    f << QStringLiteral("NombreEmpresa = '") + Cfg(QStringLiteral("NOMBRE")) + QLatin1Char('\'');
    f << QStringLiteral("Direccion = '") + Cfg(QStringLiteral("CALLE")) + QLatin1Char(' ') + Cfg(QStringLiteral("NUMERO")) +
             QStringLiteral("  ") + Cfg(QStringLiteral("PISO")) + QLatin1Char(' ') + Cfg(QStringLiteral("Departamento")) +
             QLatin1Char('\'');
    f << QStringLiteral("Localidad= '") + Cfg(QStringLiteral("LOCALIDAD")) + QLatin1Char('\'');
    f << QStringLiteral("CodigoPostal= '") + Cfg(QStringLiteral("CPOSTAL")) + QLatin1Char('\'');
    f << QStringLiteral("Telefono= 'Telefono:") + Cfg(QStringLiteral("TELEFONO")).trimmed() + QLatin1Char('\'');
    if (Reporte.trimmed().compare(QLatin1String("STK5"), Qt::CaseInsensitive) != 0) {
        const QString condicion = Funciones()
                                      .ValorCampo(Conexion().ObtieneDescripcion(QStringLiteral("TA_CONDIVA"),
                                                                                Cfg(QStringLiteral("CONDIVA")),
                                                                                QStringLiteral("DESCRIPCION"),
                                                                                QStringLiteral("Codigo"), 8))
                                      .toString();
        f << QStringLiteral("Condicion IVA= 'IVA:") + condicion + QLatin1Char('\'');
        f << QStringLiteral("CUIT= 'CUIT:") + Cfg(QStringLiteral("CUIT")).trimmed() + QLatin1Char('\'');
    }
    for (const QString& a : FormulasAdicionales) f << a;
    f << QString();
    return f;
}
