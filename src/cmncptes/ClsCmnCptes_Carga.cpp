// Detail loading: one voucher's service, article and other-concept lines
// into the grids laid out by InicializaGrids.
#include "cmncptes/ClsCmnCptes.h"

#include "cmncptes/GrillaFlex.h"
#include "session/ClsConexion.h"
#include "session/ClsFunciones.h"
#include "session/ModGlobal.h"
#include "session/SqlLiteral.h"
#include "session/Trampa.h"

#include <functional>

namespace {

QString Texto(const Recordset& rs, const char* campo) {
    return Funciones().ValorCampo(rs.Campo(QString::fromLatin1(campo))).toString().trimmed();
}

QString Importe(const Recordset& rs, const char* campo) { return FmtMoneda(Texto(rs, campo), true); }

bool Verdadero(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return false;
    if (v.metaType().id() == QMetaType::Bool) return v.toBool();
    const QString t = v.toString().trimmed();
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
        t.compare(QLatin1String("verdadero"), Qt::CaseInsensitive) == 0)
        return true;
    return ValorNumerico(t) != 0;
}

} // namespace

void ClsCmnCptes::AsignarDatosComprobante(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento,
                                          GrillaFlex* MSFlexGrid1, GrillaFlex* MSFlexGrid2, GrillaFlex* MSFlexGrid3,
                                          bool /*Inicializar*/, Recordset* LrcsCpte, bool Compras,
                                          const QString& Proveedor) {
    const AmbitoConfiguracion configuracion;
    ConTrampa(QStringLiteral("AsignarDatosComprobante"), [&](Trampa& t) {
        const QString prefijo = Compras ? QStringLiteral("C_") : QStringLiteral("V_");
        const QString tc4 = Funciones().RellenaTexto(TC.trimmed(), 4);
        QString condicion = QStringLiteral(" WHERE TC = ") + SqlLiteral::Texto(tc4) + QStringLiteral(" AND IDCOMPROBANTE = ") +
                            SqlLiteral::Texto(SucNroLetra.trimmed());
        if (Compras) condicion += QStringLiteral(" AND CUENTA = ") + SqlLiteral::Texto(Proveedor);
        else condicion += QStringLiteral(" AND IdComplemento = ") + t.Paso([&] { return SqlLiteral::Numero(IdComplemento); });
        const QString orden = QStringLiteral(" ORDER BY ID ");
        auto abre = [&](const QString& vista, const QString& extra) {
            const QString sql = QStringLiteral("SELECT * FROM ") + prefijo + vista + condicion + extra + orden;
            return t.Paso([&] { return Conexion().AbreRecordset(sql, 0, 1, -1); });
        };
        Recordset cabecera = abre(QStringLiteral("MV_CPTE "), {});
        Recordset tareas = abre(QStringLiteral("MV_CPTETAREAS "), {});
        Recordset insumos = abre(QStringLiteral("MV_CPTEINSUMOS "), {});
        Recordset otros = abre(QStringLiteral("MV_CPTE_Observ "), QStringLiteral(" AND TIPO_OBS ='OC' "));

        // One grid line per row: the first row goes into the grid's last line,
        // every later one into a line added at the bottom.
        auto llena = [&](GrillaFlex* g, Recordset& rs, const std::function<void(int)>& escribe) {
            if (!g || rs.Vacio()) return;
            bool primera = true;
            while (!rs.Eof()) {
                if (!primera) t.Paso([&] { g->SetRows(g->Rows() + 1); });
                primera = false;
                escribe(g->Rows() - 1);
                t.Paso([&] { rs.MoveNext(); });
            }
        };

        llena(MSFlexGrid1, tareas, [&](int f) {
            GrillaFlex* g = MSFlexGrid1;
            t.Paso([&] { g->SetTextMatrix(f, 0, Texto(tareas, "IdTarea")); });
            t.Paso([&] { g->SetTextMatrix(f, 1, Texto(tareas, "Descripcion")); });
            t.Paso([&] { g->SetTextMatrix(f, 2, MinutosAHoras(Texto(tareas, "Horas"))); });
            t.Paso([&] { g->SetTextMatrix(f, 3, Importe(tareas, "ValorHora")); });
            t.Paso([&] { g->SetTextMatrix(f, 6, Importe(tareas, "ValorHora_S_IVA")); });
            t.Paso([&] { g->SetTextMatrix(f, 4, Importe(tareas, "Total")); });
            if (!Compras) t.Paso([&] { g->SetTextMatrix(f, 7, Texto(tareas, "DescripcionAdicional")); });
        });

        llena(MSFlexGrid2, insumos, [&](int f) {
            GrillaFlex* g = MSFlexGrid2;
            t.Paso([&] { g->SetTextMatrix(f, 0, Texto(insumos, "IdArticulo")); });
            t.Paso([&] { g->SetTextMatrix(f, 1, Texto(insumos, "Descripcion")); });
            t.Paso([&] { g->SetTextMatrix(f, 3, Texto(insumos, "IdUnidad")); });
            t.Paso([&] { g->SetTextMatrix(f, 4, Texto(insumos, "Cantidad")); });
            t.Paso([&] { g->SetTextMatrix(f, 6, Importe(insumos, "Importe")); });
            t.Paso([&] { g->SetTextMatrix(f, 9, Importe(insumos, "Importe_S_IVA")); });
            t.Paso([&] { g->SetTextMatrix(f, 10, Importe(insumos, "Impuestos")); });
            t.Paso([&] { g->SetTextMatrix(f, 7, Importe(insumos, "Total")); });
            t.Paso([&] { g->SetTextMatrix(f, 13, Texto(insumos, "Nro_Lote")); });
            t.Paso([&] { g->SetTextMatrix(f, 14, Texto(insumos, "Nro_Serie")); });
            t.Paso([&] {
                g->SetTextMatrix(f, 8, Verdadero(insumos.Campo(QStringLiteral("Exento"))) ? QStringLiteral("-1")
                                                                                          : QStringLiteral("0"));
            });
            t.Paso([&] { g->SetTextMatrix(f, 15, Texto(insumos, "Cantidad")); });
        });

        llena(MSFlexGrid3, otros, [&](int f) {
            GrillaFlex* g = MSFlexGrid3;
            t.Paso([&] { g->SetTextMatrix(f, 0, Texto(otros, "Observacion")); });
            t.Paso([&] { g->SetTextMatrix(f, 2, Importe(otros, "Importe")); });
            t.Paso([&] { g->SetTextMatrix(f, 1, Importe(otros, "Importe_S_IVA")); });
        });

        // The header goes back to a caller that passed a recordset object.
        if (LrcsCpte) *LrcsCpte = cabecera;
        else Conexion().CierraRecordset(cabecera);
        Conexion().CierraRecordset(tareas);
        Conexion().CierraRecordset(insumos);
        Conexion().CierraRecordset(otros);
    });
}
