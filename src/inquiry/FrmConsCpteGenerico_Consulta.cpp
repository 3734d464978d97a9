// Voucher search from the key fields (F5 and the search button): the voucher
// chooser for ordinary vouchers, the lookup window for collections, payments
// and suppliers.
#include "inquiry/FrmConsCpteGenerico.h"

#include "session/ClsBusqueda.h"
#include "session/ClsControles.h"
#include "session/ClsFunciones.h"
#include "session/SqlLiteral.h"
#include "session/Trampa.h"

#include <QLineEdit>

void FrmConsCpteGenerico::CmdConsultar() {
    // Consult-only: the form shows the voucher passed at start-up and no other.
    if (pConsultaSolamente) return;
    const AccionUsuario accion;
    const bool completa = ConTrampa(QStringLiteral("CmdConsultar"), [&](Trampa& t) {
        const auto campo = [&](const char* nombre) -> QLineEdit* {
            const int i = Controles().IndiceControl(QString::fromLatin1(nombre), txtfields);
            return i >= 0 ? txtfields[i] : nullptr;
        };
        const auto escribe = [&](const char* nombre, const QString& texto) {
            if (QLineEdit* e = campo(nombre)) e->setText(texto);
        };
        const QString tabla = t.Paso([&] {
            if (IndiceCampoActual < 0 || IndiceCampoActual >= txtfields.size()) return QString();
            return txtfields[IndiceCampoActual]->property("Tag").toString().trimmed();
        });
        t.Paso([&] { Funciones().InicioEspera(this); });

        if (tabla.compare(QLatin1String("V_TA_COMPROBANTES"), Qt::CaseInsensitive) == 0) {
            QString Respuesta, IdComplemento, Proveedor;
            t.Paso([&] { CmnCptes.ConsultaComprobante(FNTC(), Respuesta, QVariant(), IdComplemento, Proveedor); });
            if (!Respuesta.trimmed().isEmpty()) {
                t.Paso([&] { escribe("Sucursal", Respuesta.mid(0, 4)); });
                t.Paso([&] { escribe("Numero", Respuesta.mid(4, 8)); });
                t.Paso([&] { escribe("Letra", Respuesta.mid(12, 1)); });
                t.Paso([&] { escribe("PROVEEDOR", Proveedor.trimmed()); });
                t.Paso([&] { CampoValida(campo("Letra")); });
            }
        } else if (tabla.compare(QLatin1String("COBRANZAS"), Qt::CaseInsensitive) == 0) {
            ClsBusqueda& b = Busqueda();
            t.Paso([&] {
                b.Columnas() << QStringLiteral("TC") << QStringLiteral("SUCURSAL") << QStringLiteral("NUMERO")
                             << QStringLiteral("LETRA")
                             << (pGestionCompras ? QStringLiteral("CUENTA") : QStringLiteral("Concepto"));
            });
            // The selected code goes in unchanged (not fitted to four characters),
            // through the one literal function.
            const QString T = t.Paso([&] { return SqlLiteral::Texto(Funciones().ValorCampo(FNTC()).toString()); });
            const QString sentencia =
                pGestionCompras
                    ? QStringLiteral("SELECT DISTINCT TC,SUCURSAL,NUMERO,LETRA,CUENTA,DETALLE FROM MV_ASIENTOS WHERE TC = ") + T +
                          QStringLiteral(" AND CUENTA IN (SELECT CODIGO FROM VT_PROVEEDORES)")
                    : QStringLiteral("SELECT DISTINCT TC,SUCURSAL,NUMERO,LETRA,DETALLE FROM MV_ASIENTOS WHERE TC = ") + T;
            t.Paso([&] { b.Muestra(sentencia, b.Columnas()); });
            if (!b.Seleccion().isEmpty()) {
                t.Paso([&] { escribe("Sucursal", b.Fila(2).toString().trimmed()); });
                t.Paso([&] { escribe("Numero", b.Fila(3).toString().trimmed()); });
                t.Paso([&] { escribe("Letra", b.Fila(4).toString().trimmed()); });
                if (pGestionCompras) t.Paso([&] { escribe("PROVEEDOR", b.Fila(5).toString().trimmed()); });
                t.Paso([&] { CampoValida(campo("Letra")); });
            }
        } else if (tabla.compare(QLatin1String("VT_PROVEEDORES"), Qt::CaseInsensitive) == 0) {
            ClsBusqueda& b = Busqueda();
            t.Paso([&] { b.CampoClave = QStringLiteral("CODIGO"); });
            t.Paso([&] { b.Muestra(QStringLiteral("VT_PROVEEDORES"), {}); });
            if (!b.Seleccion().trimmed().isEmpty()) t.Paso([&] { escribe("PROVEEDOR", b.Seleccion()); });
        }

        t.Paso([&] { Funciones().FinEspera(this); });
    });
    // A search left because of an error must not leave the form waiting.
    if (!completa) Funciones().FinEspera(this);
}
