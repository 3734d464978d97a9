// Key-field checks: branch and number padded, letter checked, the voucher
// looked up and handed to the display.
#include "inquiry/FrmConsCpteGenerico.h"

#include "session/ClsConexion.h"
#include "session/ClsControles.h"
#include "session/ClsFunciones.h"
#include "session/Dialogos.h"
#include "session/ModGlobal.h"
#include "session/SqlLiteral.h"
#include "session/Trampa.h"

#include <QLineEdit>
#include <cmath>

namespace {

// The numeric value of a text (leading-number reading) padded with zeros.
QString NumeroConCeros(const QString& valor, int digitos) {
    const double v = std::round(ValorNumerico(valor));
    return FormateaCeros(QString::number(v, 'f', 0), digitos);
}

bool Es(const QString& a, const char* b) { return a.trimmed().compare(QLatin1String(b), Qt::CaseInsensitive) == 0; }

// A branch or number with a fraction ("24.5", "25,5") names no voucher: it is
// never rounded to a neighbouring one.
bool ConFraccion(QString valor) {
    valor = valor.trimmed().replace(QLatin1Char(','), QLatin1Char('.'));
    const double v = ValorNumerico(valor);
    return v != std::floor(v);
}

} // namespace

void FrmConsCpteGenerico::CampoValida(QLineEdit* Texto) {
    const AccionUsuario accion;
    DatoInvalido = false;
    bool rechazado = false;
    // A refused letter check leaves no voucher on screen: the old one would
    // pass for the refused key (and be printed under it).
    const bool esLetra = Texto && Es(Texto->property("DataField").toString(), "Letra");
    auto falla = [&](Trampa& t, const QString& mensaje) {
        DatoInvalido = true;
        rechazado = true;
        if (esLetra) VaciaPantalla();
        Dialogos::MsgBox(mensaje, Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, QStringLiteral("Aviso al Operador!!!"));
        t.Sal();
    };
    const bool completo = ConTrampa(QStringLiteral("CampoValida"), [&](Trampa& t) {
        if (!Texto) return;
        const QString campo = Texto->property("DataField").toString().trimmed();
        const QString valor = Texto->text().trimmed();

        if (Es(campo, "PROVEEDOR")) {
            // The answer is not acted on: an unknown supplier simply finds no voucher.
            t.Paso([&] {
                Conexion().ExisteCodigo(QStringLiteral("VT_PROVEEDORES"), valor, QStringLiteral("CODIGO"), {}, 8, QString());
            });
        } else if (Es(campo, "Sucursal")) {
            if (valor.isEmpty()) falla(t, QStringLiteral("Debe Informar la Sucursal!!!"));
            Texto->setText(NumeroConCeros(valor, 4));
        } else if (Es(campo, "Numero")) {
            if (valor.isEmpty()) falla(t, QStringLiteral("Debe Informar el Numero de Comprobante!!!"));
            Texto->setText(NumeroConCeros(valor, 8));
        } else if (Es(campo, "Letra")) {
            if (valor.isEmpty()) falla(t, QStringLiteral("Debe Informar la letra del Comprobante!!!"));
            if (!QStringLiteral("A,B,C,E,X,R").contains(valor, Qt::CaseInsensitive))
                falla(t, QStringLiteral("La letra del Comprobante debe ser A,B,C,X,R"));

            auto textoDe = [&](const char* nombre) {
                const int i = Controles().IndiceControl(QString::fromLatin1(nombre), txtfields);
                return i >= 0 ? txtfields[i]->text() : QString();
            };
            if (ConFraccion(textoDe("Sucursal")) || ConFraccion(textoDe("Numero")))
                falla(t, QStringLiteral("El Comprobante Informado, es Inexistente!!!"));
            const QString tc = t.Paso([&] { return FNTC(); });
            const QString suc = FormateaCeros(textoDe("Sucursal"), 4);
            const QString nro = FormateaCeros(textoDe("Numero"), 8);
            const QString letra = textoDe("Letra").trimmed();
            const QString prov = textoDe("PROVEEDOR").trimmed();
            const QString sucNroLetra = suc + nro + letra;
            const QString idComplemento = QStringLiteral("0");
            const QString tc4 = Funciones().RellenaTexto(tc.trimmed(), 4);
            const bool asientos = pGestionCompras ? Es(tc, "PG") : (Es(tc, "CB") || Es(tc, "CBCT"));

            QString sql;
            if (asientos) {
                sql = QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE TC = ") + SqlLiteral::Texto(tc4) +
                      QStringLiteral(" AND SUCURSAL = ") + SqlLiteral::Texto(suc) + QStringLiteral(" AND NUMERO = ") +
                      SqlLiteral::Texto(nro) + QStringLiteral(" AND LETRA = ") + SqlLiteral::Texto(letra);
                if (pGestionCompras) sql += QStringLiteral(" AND CUENTA = ") + SqlLiteral::Texto(prov);
            } else if (pGestionCompras) {
                sql = QStringLiteral("SELECT * FROM C_MV_CPTE WHERE TC = ") + SqlLiteral::Texto(tc4) +
                      QStringLiteral(" AND IDCOMPROBANTE = ") + SqlLiteral::Texto(sucNroLetra.trimmed()) +
                      QStringLiteral(" AND CUENTA = ") + SqlLiteral::Texto(prov);
            } else {
                sql = QStringLiteral("SELECT * FROM V_MV_CPTE WHERE TC = ") + SqlLiteral::Texto(tc4) +
                      QStringLiteral(" AND IDCOMPROBANTE = ") + SqlLiteral::Texto(sucNroLetra.trimmed()) +
                      QStringLiteral(" AND IDCOMPLEMENTO = ") + SqlLiteral::Numero(idComplemento);
            }
            Recordset rs = t.Paso([&] { return Conexion().AbreRecordset(sql, 0, 1, -1); });
            if (rs.Vacio()) falla(t, QStringLiteral("El Comprobante Informado, es Inexistente!!!"));
            if (asientos) {
                const bool anulado = t.Paso([&] {
                    return Funciones().TextoAMoneda(Funciones().ValorCampo(rs.Campo(QStringLiteral("CABIMPORTE")))).EsCero() &&
                           rs.Campo(QStringLiteral("IdBanco")).isNull();
                });
                if (anulado) falla(t, QStringLiteral("El comprobante ya fue anulado"));
            }
            Conexion().CierraRecordset(rs);
            // The key fields show the key as it was looked up.
            for (const auto& [nombre, valor] : {std::pair{"Sucursal", suc}, std::pair{"Numero", nro}}) {
                const int i = Controles().IndiceControl(QString::fromLatin1(nombre), txtfields);
                if (i >= 0) txtfields[i]->setText(valor);
            }
            t.Paso([&] { MostrarComprobante(tc, sucNroLetra, idComplemento, textoDe("PROVEEDOR")); });
            t.Paso([&] { Detalleon(true); });
        }
    });
    // A check left because of an error ends as a refusal.
    if (!completo && !rechazado) {
        DatoInvalido = true;
        if (esLetra) VaciaPantalla();
    }
}
