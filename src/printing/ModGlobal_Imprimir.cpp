// The launch of a voucher's report through the report runner.
#include "printing/ClsReporte.h"
#include "printing/FormulaSeleccion.h"
#include "printing/ModImpresion.h"

#include "session/ClsFunciones.h"
#include "session/ClsSesion.h"
#include "session/ModGlobal.h"
#include "session/SqlLiteral.h"
#include "session/Trampa.h"

namespace {

// A value between the apostrophes of the selection formula.
QString F(const QString& v) { return FormulaSeleccion::TextoFormula(v); }

bool Es(const QString& a, const char* b) { return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0; }

} // namespace

void ImprimirComprobante(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento,
                         const QString& Reporte, QStringList& Orden, QString& Seleccion,
                         const QStringList& FormulasAdicionales, int& Destino, int SoloTipo) {
    const AmbitoConfiguracion configuracion;  // one reading of the configuration for the whole print
    ConTrampa(QStringLiteral("ImprimirComprobante"), [&](Trampa& t) {
        ClsReporte& rep = ::Reporte();
        const QString K = SucNroLetra.trimmed();
        const QString L = K.mid(12, 1);
        const QString T4 = Funciones().RellenaTexto(TC, 4);
        const QString U = Sesion().Terminal() + QLatin1Char('|') + Sesion().Usuario();
        // The complement is written bare: it must be a number.
        const QString complemento = t.Paso([&] { return SqlLiteral::Numero(IdComplemento); });
        auto J = [&] { return Seleccion.trimmed().isEmpty() ? QString() : QStringLiteral(" AND "); };
        if (Orden.isEmpty()) Orden << QString();

        // 1. Formula values: the company, then the caller's.
        const QStringList formulas = t.Paso([&] { return FormulasEmpresa(Reporte, FormulasAdicionales); });

        // 2. Selection, sort and report by type.
        const QString tipo = TC.trimmed().toUpper();
        QString archivo = Reporte;
        QString nombre;
        if (tipo == QLatin1String("OT") || tipo == QLatin1String("PR") || tipo == QLatin1String("RM") ||
            tipo == QLatin1String("FC") || tipo == QLatin1String("NC") || tipo == QLatin1String("ND") ||
            tipo == QLatin1String("FP")) {
            Seleccion += J() + QStringLiteral(" {V_MV_CPTE.TC} = '") + F(T4) + QLatin1Char('\'');
            if (SoloTipo == 0)
                Seleccion += J() + QStringLiteral("{V_MV_CPTE.IDCOMPROBANTE} = '") + F(K) +
                             QStringLiteral("' AND {V_MV_CPTE.IDCOMPLEMENTO} = ") + complemento +
                             QStringLiteral(" AND {Aux_MV_CPte.USUARIO} = '") + F(U) + QLatin1Char('\'');
            Orden[0] = QStringLiteral("+{Aux_Mv_Cpte.ID}");
            nombre = TC + QLatin1Char('-') + L;
            archivo = t.Paso([&] { return NombreReporte(nombre, U); });
        } else if (tipo == QLatin1String("OP")) {
            Seleccion += J() + QStringLiteral(" {V_MV_CPTE.TC} = '") + F(T4) + QLatin1Char('\'');
            if (SoloTipo == 0) Seleccion += J() + QStringLiteral("{V_MV_CPTE.IDCOMPROBANTE} = '") + F(K) + QStringLiteral("' ");
            Orden[0] = QStringLiteral("+{V_Mv_CpteInsumos.Id}");
            nombre = TC + QLatin1Char('-') + L;
            archivo = t.Paso([&] { return NombreReporte(nombre, U); });
        } else if (tipo == QLatin1String("OC")) {
            Seleccion += J() + QStringLiteral(" {C_MV_CPTE.TC} = '") + F(T4) + QLatin1Char('\'');
            if (SoloTipo == 0) Seleccion += J() + QStringLiteral("{C_MV_CPTE.IDCOMPROBANTE} = '") + F(K) + QStringLiteral("' ");
            Orden[0] = QStringLiteral("+{C_Mv_CpteInsumos.Id}");
            nombre = TC;
            archivo = t.Paso([&] { return NombreReporte(nombre, U); });
        } else if (tipo == QLatin1String("PC")) {
            Seleccion += J() + QStringLiteral(" {Aux_MV_CPTE.TC} = '") + F(T4) + QStringLiteral("' AND {Aux_MV_CPTE.IDCOMPROBANTE} = '") +
                         F(SucNroLetra) + QStringLiteral("' AND {Aux_MV_CPTE.IDCOMPLEMENTO} = ") + complemento +
                         QStringLiteral(" AND {Aux_MV_CPte.USUARIO} = '") + F(U) + QLatin1Char('\'');
        } else if (tipo == QLatin1String("STK5")) {
            Seleccion = QStringLiteral("{V_MV_STOCK.TC} = '") + F(Funciones().RellenaTexto(TC.trimmed(), 4)) +
                        QStringLiteral("' AND {V_MV_STOCK.IDCOMPROBANTE} = '") + F(K) + QLatin1Char('\'');
        } else if (tipo == QLatin1String("OPG")) {
            Seleccion = QStringLiteral("{V_MV_CPTE.TC} = '") + F(T4) + QLatin1Char('\'');
            if (SoloTipo == 0)
                Seleccion += QStringLiteral(" AND ") + QStringLiteral(" {V_MV_CPTE.IDCOMPROBANTE} = '") + F(K) +
                             QStringLiteral("' AND {V_MV_CPTE.IDCOMPLEMENTO} = ") + complemento;
            nombre = QStringLiteral("OPAGO");
            archivo = t.Paso([&] { return NombreReporte(nombre, U); });
        } else if (tipo == QLatin1String("PG")) {
            Seleccion = QStringLiteral("{AUX_MV_CPTE.TC} = '") + F(T4) + QLatin1Char('\'');
            if (SoloTipo == 0)
                Seleccion += QStringLiteral(" AND ") + QStringLiteral(" {AUX_MV_CPTE.IDCOMPROBANTE} = '") + F(K) +
                             QStringLiteral("' AND {AUX_MV_CPTE.IDCOMPLEMENTO} = ") + complemento;
            nombre = QStringLiteral("LiqOPG");
            archivo = t.Paso([&] { return NombreReporte(nombre, U); });
        } else if (tipo == QLatin1String("CB") || tipo == QLatin1String("CBCT")) {
            Seleccion += J() + QStringLiteral(" {AUX_MV_CPTE.TC} = '") + F(T4) + QLatin1Char('\'');
            Seleccion += J() + QStringLiteral(" {AUX_MV_CPTE.IDCOMPROBANTE} = '") + F(K) +
                         QStringLiteral("' AND {AUX_MV_CPTE.IDCOMPLEMENTO} = ") + complemento;
            Seleccion += J() + QStringLiteral(" {AUX_MV_CPTE.USUARIO} = '") + F(SeccionUsuario) + QLatin1Char('\'');
            Orden = QStringList{QString()};
            nombre = QStringLiteral("CB");
            archivo = t.Paso([&] { return NombreReporte(nombre, U); });
        }
        // "T3" and any other type: selection, sort and report as given.

        // 3. Formula values to the runner.
        t.Paso([&] { rep.CargaFormulas(formulas, 0); });

        // 4. The assignment of this workstation and user.
        QString impresora, destinoAsignado;
        int copias = 0, lineas = 0;
        t.Paso([&] { ObtieneImpresoraComprobante(TC, L, impresora, copias, lineas, destinoAsignado); });

        // 5. Destination.
        if (Destino == -1) {
            if (Es(destinoAsignado, "Pantalla")) Destino = ClsReporte::DestinoPantalla;
            else if (Es(destinoAsignado, "Impresora")) Destino = ClsReporte::DestinoImpresora;
            else if (Es(destinoAsignado, "E-M@ail")) Destino = ClsReporte::DestinoCorreo;
            else if (Es(destinoAsignado, "Ninguno")) t.Sal();
        }
        if (Destino == -1) Destino = 0;
        rep.Destino = Destino;

        // 6. Printer set-up.
        if (rep.Destino == ClsReporte::DestinoImpresora) {
            QString nombreImpresora, segunda;
            if (!impresora.trimmed().isEmpty()) {
                const qsizetype barra = impresora.indexOf(QLatin1Char('|'));
                // Without a bar the whole text names the printer.
                nombreImpresora = (barra < 0 ? impresora : impresora.left(barra)).trimmed();
                segunda = barra < 0 ? QString() : impresora.mid(barra + 1).trimmed();
            }
            // No copies (or an unreadable number) print once.
            if (copias < 1) copias = 1;
            rep.ImpresoraNombre = nombreImpresora;
            rep.ImpresoraDispositivo = nombreImpresora;
            rep.ImpresoraPuerto = segunda;
            rep.Opciones().Copias = copias;
        }

        // 7. The run, unless the assignment prints otherwise.
        if (!Es(destinoAsignado, "Selectivo") && !Es(destinoAsignado, "Controlador Fiscal:"))
            t.Paso([&] { rep.Ejecuta(archivo, Orden, Seleccion, CadenaConexion); });

        // 8. End of the launch.
        t.Paso([&] { rep.Finaliza(30); });
    });
}
