// The display of one voucher: the header text of commercial vouchers, and the
// payment means of collections and payments.
#include "inquiry/FrmConsCpteGenerico.h"

#include "cmncptes/GrillaFlex.h"
#include "session/ClsConexion.h"
#include "session/ClsControles.h"
#include "session/ClsFunciones.h"
#include "session/ModGlobal.h"
#include "session/SqlLiteral.h"
#include "session/Trampa.h"

#include <QLineEdit>
#include <QLocale>

namespace {

const QString CrLf = QStringLiteral("\r\n");

bool EnLista(const QString& tc, std::initializer_list<const char*> lista) {
    for (const char* c : lista)
        if (tc.compare(QLatin1String(c), Qt::CaseInsensitive) == 0) return true;
    return false;
}

QString Valor(const Recordset& rs, const char* campo) {
    return Funciones().ValorCampo(rs.Campo(QString::fromLatin1(campo))).toString();
}

bool Verdadero(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return false;
    if (v.metaType().id() == QMetaType::Bool) return v.toBool();
    const QString t = v.toString().trimmed();
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
        t.compare(QLatin1String("verdadero"), Qt::CaseInsensitive) == 0)
        return true;
    return ValorNumerico(t) != 0;
}

QChar SeparadorDecimal() {
    const QString p = QLocale().decimalPoint();
    return p.isEmpty() ? QLatin1Char('.') : p.at(0);
}

// Amount with three decimals (the "#####0.000" display patterns).
QString TresDecimales(Moneda m) { return m.Formatea(3, SeparadorDecimal()); }

// A value brought to a width: cut, or followed by blanks.
QString Ancho(const QString& v, int ancho) { return Funciones().RellenaTexto(v, ancho); }

} // namespace

void FrmConsCpteGenerico::MostrarComprobante(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento,
                                             const QString& Proveedor) {
    // The configuration is read once for the whole voucher, not once per cell.
    const AmbitoConfiguracion configuracion;
    ConTrampa(QStringLiteral("MostrarComprobante"), [&](Trampa& t) {
        auto clave = [&](const char* nombre) {
            const int i = Controles().IndiceControl(QString::fromLatin1(nombre), txtfields);
            return i >= 0 ? txtfields[i]->text() : QString();
        };
        const QString sucursal = FormateaCeros(clave("SUCURSAL"), 4);
        const QString numero = FormateaCeros(clave("NUMERO"), 8);
        const QString letra = clave("LETRA").trimmed();
        const QString tc = TC.trimmed();
        const QString tc4 = Funciones().RellenaTexto(tc, 4);

        if (EnLista(tc, {"CB", "CBCT"})) {
            MuestraCobranza(tc4, sucursal, numero, letra);
        } else if (EnLista(tc, {"FC", "NC", "ND", "RM", "OT", "PR"})) {
            t.Paso([&] {
                CmnCptes.InicializaGrids(MSFlexGrid1, MSFlexGrid2, MSFlexGrid3, TxtEdit, txtEdit2, txtEdit3, this, QString(),
                                         nullptr);
            });
            const QString sql = QStringLiteral("SELECT * FROM V_MV_CPTE WHERE TC = ") + SqlLiteral::Texto(tc4) +
                                QStringLiteral(" AND IDCOMPROBANTE = ") + SqlLiteral::Texto(SucNroLetra.trimmed()) +
                                QStringLiteral(" AND IDCOMPLEMENTO = ") +
                                t.Paso([&] { return SqlLiteral::Numero(IdComplemento); });
            Recordset rs = t.Paso([&] { return Conexion().AbreRecordset(sql, 0, 1, -1); });
            if (rs.Vacio()) return;
            const bool anulada = t.Paso([&] { return Verdadero(rs.Campo(QStringLiteral("Anulada"))); });
            if (anulada) {
                EstableceIntervaloTimer(500);
                EstableceAltoDisp(1935 - AltoAnulado() - 120);
            } else {
                EstableceIntervaloTimer(0);
                EstableceAltoDisp(1935);
            }
            t.Paso([&] { EscribeEncabezado(rs); });
            Conexion().CierraRecordset(rs);
            t.Paso([&] {
                CmnCptes.AsignarDatosComprobante(TC, SucNroLetra, IdComplemento, MSFlexGrid1, MSFlexGrid2, MSFlexGrid3, false,
                                                 nullptr, false, QString());
            });
        } else if (EnLista(tc, {"PG"})) {
            MuestraPago(tc4, sucursal, numero, letra, SucNroLetra, Proveedor);
        } else if (EnLista(tc, {"FCC", "NCC", "NDC", "RMC"})) {
            // The supplier is used as the key check found it (trimmed), and the
            // grids are laid out afresh so no line of an earlier voucher stays.
            const QString proveedor = Proveedor.trimmed();
            t.Paso([&] {
                CmnCptes.InicializaGrids(MSFlexGrid1, MSFlexGrid2, MSFlexGrid3, TxtEdit, txtEdit2, txtEdit3, this, QString(),
                                         nullptr);
            });
            const QString sql = QStringLiteral("SELECT * FROM C_MV_CPTE WHERE TC = ") + SqlLiteral::Texto(tc4) +
                                QStringLiteral(" AND IDCOMPROBANTE = ") + SqlLiteral::Texto(SucNroLetra.trimmed()) +
                                QStringLiteral(" AND CUENTA = ") + SqlLiteral::Texto(proveedor);
            Recordset rs = t.Paso([&] { return Conexion().AbreRecordset(sql, 0, 1, -1); });
            if (rs.Vacio()) return;
            t.Paso([&] { EscribeEncabezado(rs); });
            Conexion().CierraRecordset(rs);
            t.Paso([&] {
                CmnCptes.AsignarDatosComprobante(TC, SucNroLetra, IdComplemento, MSFlexGrid1, MSFlexGrid2, MSFlexGrid3, true,
                                                 nullptr, true, proveedor);
            });
        }
    });
}

void FrmConsCpteGenerico::EscribeEncabezado(const Recordset& rs) {
    const QString guiones(75, QLatin1Char('-'));
    QStringList l;
    l << guiones;
    if (pGestionCompras) {
        l << QStringLiteral("Fecha        : ") + Valor(rs, "Fecha") + QStringLiteral("     Vencimiento: ") +
                 Valor(rs, "Vencimiento");
        l << QStringLiteral("Proveedor    : ") + Valor(rs, "Cuenta") + QStringLiteral("  / ") + Valor(rs, "Nombre") +
                 QStringLiteral(" ");
    } else {
        l << QStringLiteral("Fecha        : ") + Valor(rs, "Fecha") + QStringLiteral("     Vencimiento: ") +
                 Valor(rs, "FECHAESTFIN");
        l << QStringLiteral("Cliente      : ") + Valor(rs, "Cuenta") + QStringLiteral("  / ") + Valor(rs, "Nombre") +
                 QStringLiteral(" ");
    }
    l << QStringLiteral("Domicilio    : ") + Valor(rs, "DOMICILIO") + QStringLiteral(" ") + Valor(rs, "LOCALIDAD") +
             QStringLiteral(" ");
    l << QStringLiteral("Cond. IVA    : ") + Valor(rs, "CONDICIONIVA") + QStringLiteral(" ");
    if (!pGestionCompras) {
        l << QStringLiteral("Lista Precio : ") + Valor(rs, "IdLista") + QStringLiteral(" ");
        l << QStringLiteral("Clase Precio : ") + Valor(rs, "CLASEPRECIO") + QStringLiteral(" ");
    }
    l << guiones;
    EscribeDisp(l.join(CrLf));
    mostrado_ = true;
}

void FrmConsCpteGenerico::VaciaPantalla() {
    mostrado_ = false;
    EstableceIntervaloTimer(0);
    EscribeDisp(QString());
    EstableceAltoDisp(SSTab1->isHidden() ? 3915 : 1935);
    EstableceTopAnulado(1550);
    IgnorandoErrores([&](Trampa& t) {
        t.Paso([&] {
            CmnCptes.InicializaGrids(MSFlexGrid1, MSFlexGrid2, MSFlexGrid3, TxtEdit, txtEdit2, txtEdit3, this, QString(), nullptr);
        });
    });
    Detalleon(false);
}

namespace {

struct LineasPago {
    QString texto;
    Moneda total;
    bool anulado = false;

    void Efectivo(const Recordset& rs) {
        const Moneda importe = Funciones().TextoAMoneda(Valor(rs, "Importe"));
        texto += Ancho(QStringLiteral(" EFECTIVO : "), 70) + TresDecimales(importe) + CrLf;
        total += importe;
    }

    // Cheque and bank lines: fixed columns. The amount is never cut: one
    // longer than its 8 columns runs on past column 77.
    void Cheque(const Recordset& rs, const QString& etiqueta) {
        const Moneda importe = Funciones().TextoAMoneda(Valor(rs, "Importe"));
        const QString idBanco = Valor(rs, "IdBanco");
        const QString banco = Conexion()
                                  .ObtieneDescripcion(QStringLiteral("V_TA_BANCOS"), idBanco, QStringLiteral("DESCRIPCION"),
                                                      QStringLiteral("IDBANCO"), 8, QString())
                                  .toString();
        QString monto = TresDecimales(importe);
        if (monto.size() < 8) monto = Ancho(monto, 8);
        texto += Ancho(etiqueta, 20) + QStringLiteral(" ") + Ancho(Valor(rs, "NroComprobanteBancario"), 8) +
                 QStringLiteral(" ") + Ancho(idBanco + QStringLiteral(" - ") + banco, 25) + QStringLiteral(" ") +
                 Ancho(Valor(rs, "Vencimiento"), 10) + QStringLiteral("   ") + monto + CrLf;
        if (!anulado)
            anulado = idBanco.trimmed().isEmpty() && Funciones().TextoAMoneda(Valor(rs, "CABIMPORTE")).EsCero();
        total += importe;
    }
};

QString EtiquetaCheque(const Recordset& rs) {
    return Verdadero(rs.Campo(QStringLiteral("ChPropio"))) ? QStringLiteral(" CHEQUE PROPIO : ")
                                                           : QStringLiteral(" CHEQUE DE 3º  : ");
}

// An absent key (Cfg gives " ") or a blank value names no account: it matches
// no entry line, not even one whose account is empty.
bool MismaCuenta(const QString& cuenta, const QString& clave) {
    const QString configurada = Cfg(clave).trimmed();
    return !configurada.isEmpty() && cuenta.trimmed().compare(configurada, Qt::CaseInsensitive) == 0;
}

QString InicioMediosPago(const QString& separador) {
    return separador + QStringLiteral("      DETALLE DE MEDIOS PAGOS      ") + CrLf + separador;
}

} // namespace

void FrmConsCpteGenerico::MuestraCobranza(const QString& tc4, const QString& sucursal, const QString& numero,
                                          const QString& letra) {
    // Runs inside MostrarComprobante's trap: errors are reported under its name.
    const QString sql = QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE TC = ") + SqlLiteral::Texto(tc4) +
                        QStringLiteral(" AND SUCURSAL = ") + SqlLiteral::Texto(sucursal) + QStringLiteral(" AND NUMERO = ") +
                        SqlLiteral::Texto(numero) + QStringLiteral(" AND LETRA = ") + SqlLiteral::Texto(letra) +
                        QStringLiteral(" ORDER BY SECUENCIA");
    Recordset rs = Conexion().AbreRecordset(sql, 0, 1, -1);
    if (rs.Vacio()) return;
    const QString separador = QString(80, QLatin1Char('-')) + CrLf;
    LineasPago lineas;
    lineas.texto = InicioMediosPago(separador);
    while (!rs.Eof()) {
        const QString cuenta = Valor(rs, "CUENTA");
        if (MismaCuenta(cuenta, QStringLiteral("Cuenta_Caja"))) lineas.Efectivo(rs);
        else if (MismaCuenta(cuenta, QStringLiteral("Cuenta_Cheques3ros"))) lineas.Cheque(rs, EtiquetaCheque(rs));
        rs.MoveNext();
    }
    Conexion().CierraRecordset(rs);
    TerminaMediosPago(lineas.texto, separador, lineas.total, lineas.anulado);
}

void FrmConsCpteGenerico::MuestraPago(const QString& tc4, const QString& sucursal, const QString& numero,
                                      const QString& letra, const QString& SucNroLetra, const QString& Proveedor) {
    // The entry is found by the supplier account as the key check found it (trimmed).
    const QString sqlAsiento = QStringLiteral("SELECT PERIODO,MES_OPERATIVO,[NUMERO ASIENTO] FROM MV_ASIENTOS WHERE TC = ") +
                               SqlLiteral::Texto(tc4) + QStringLiteral(" AND SUCURSAL = ") +
                               SqlLiteral::Texto(SucNroLetra.mid(0, 4)) + QStringLiteral(" AND NUMERO = ") +
                               SqlLiteral::Texto(SucNroLetra.mid(4, 8)) + QStringLiteral(" AND LETRA = ") +
                               SqlLiteral::Texto(SucNroLetra.mid(12, 1)) + QStringLiteral(" AND CUENTA = ") +
                               SqlLiteral::Texto(Proveedor.trimmed());
    Recordset asiento = Conexion().AbreRecordset(sqlAsiento, 0, 1, -1);
    if (asiento.Vacio()) return;  // nothing to show: the display stays as it was
    const QVariant periodo = Funciones().ValorCampo(asiento.Campo(QStringLiteral("PERIODO")));
    const QVariant mes = Funciones().ValorCampo(asiento.Campo(QStringLiteral("MES_OPERATIVO")));
    const QVariant nroAsiento = Funciones().ValorCampo(asiento.Campo(QStringLiteral("NUMERO ASIENTO")));
    Conexion().CierraRecordset(asiento);

    const QString sql = QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE TC = ") + SqlLiteral::Texto(tc4) +
                        QStringLiteral(" AND SUCURSAL = ") + SqlLiteral::Texto(sucursal) + QStringLiteral(" AND NUMERO = ") +
                        SqlLiteral::Texto(numero) + QStringLiteral(" AND LETRA = ") + SqlLiteral::Texto(letra) +
                        QStringLiteral(" AND PERIODO = ") + SqlLiteral::Texto(periodo) +
                        QStringLiteral(" AND MES_OPERATIVO = ") + SqlLiteral::Numero(mes) +
                        QStringLiteral(" AND [NUMERO ASIENTO] = ") + SqlLiteral::Texto(nroAsiento);
    Recordset rs = Conexion().AbreRecordset(sql, 0, 1, -1);
    if (rs.Vacio()) return;
    const QString separador = QString(80, QLatin1Char('-')) + CrLf;
    LineasPago lineas;
    lineas.texto = InicioMediosPago(separador);
    while (!rs.Eof()) {
        const QString cuenta = Valor(rs, "CUENTA");
        if (MismaCuenta(cuenta, QStringLiteral("Cuenta_Caja"))) {
            lineas.Efectivo(rs);
        } else if (MismaCuenta(cuenta, QStringLiteral("Cuenta_Cheques3ros"))) {
            lineas.Cheque(rs, EtiquetaCheque(rs));
        } else {
            const QString bancos = Cfg(QStringLiteral("TituloBancos")).trimmed();
            if (cuenta.left(bancos.size()).compare(bancos, Qt::CaseInsensitive) == 0)
                lineas.Cheque(rs, QStringLiteral(" CHEQUE PROPIO : "));
        }
        rs.MoveNext();
    }
    Conexion().CierraRecordset(rs);
    TerminaMediosPago(lineas.texto, separador, lineas.total, lineas.anulado);
}

void FrmConsCpteGenerico::TerminaMediosPago(QString& texto, const QString& separador, Moneda total, bool anulado) {
    texto += CrLf + separador;
    QString monto = total.Formatea(3, SeparadorDecimal());
    texto += QStringLiteral("TOTAL   : ") + QString(59, QLatin1Char(' ')) + monto;
    if (anulado) {
        EstableceIntervaloTimer(500);
        EstableceAltoDisp(3915 - AltoAnulado() - 120);
        EstableceTopAnulado(AltoDisp() + 120);  // the header box sits at the top of the detail area
    } else {
        EstableceIntervaloTimer(0);
        EstableceAltoDisp(3915);
        EstableceTopAnulado(1550);
    }
    EscribeDisp(texto);
    mostrado_ = true;
}
