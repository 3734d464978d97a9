// The voucher action log and the relations between a voucher and the
// vouchers generated from it.
#include "cmncptes/ClsCmnCptes.h"

#include "session/ClsConexion.h"
#include "session/ClsFunciones.h"
#include "session/ClsSesion.h"
#include "session/SqlLiteral.h"
#include "session/Trampa.h"

namespace {

QString Tipo4(const QString& TC) { return Funciones().RellenaTexto(TC.trimmed(), 4); }

// The origin condition shared by both relation statements.
QString CondicionOrigen(const QString& TC, const QString& SucNroLetra) {
    return QStringLiteral("SELECT * FROM V_MV_CPTE WHERE TCORIGEN = ") + SqlLiteral::Texto(Tipo4(TC)) +
           QStringLiteral(" AND COMPROBANTEORIGEN = ") + SqlLiteral::Texto(SucNroLetra.trimmed());
}

} // namespace

void ClsCmnCptes::ActualizaBuchon(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento,
                                  bool lEsAlta, bool lEsModificacion) {
    // The log never stops the action it records: every failing step is
    // skipped, nothing is shown.
    IgnorandoErrores([&](Trampa& t) {
        CamposSql = QList<TipoCampoSql>(8);
        auto pone = [&](int i, const char* campo, const std::function<QString()>& valor) {
            t.Paso([&] { CamposSql[i] = {QString::fromLatin1(campo), valor()}; });
        };
        pone(0, "TC", [&] { return SqlLiteral::Texto(Tipo4(TC)); });
        pone(1, "IdComprobante", [&] { return SqlLiteral::Texto(SucNroLetra); });
        pone(2, "IdComplemento", [&] { return SqlLiteral::Numero(IdComplemento); });
        pone(3, "Tipo_accion", [&] {
            return QString::fromLatin1(lEsAlta ? "'A'" : (lEsModificacion ? "'M'" : "'B'"));
        });
        // ISO 8601 with the "T": read the same by every engine whatever its
        // language or date-order settings.
        pone(4, "FECHAHORA", [&] {
            return SqlLiteral::Texto(Sesion().Ahora().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
        });
        pone(5, "Usuario", [&] { return SqlLiteral::Texto(Sesion().Usuario()); });
        pone(6, "PC", [&] { return SqlLiteral::Texto(Sesion().Terminal()); });
        pone(7, "SYSTEMUSER", [] { return QStringLiteral("''"); });
        QString sentencia = QStringLiteral(" INSERT INTO V_MV_CPTEACCIONES ");
        t.Paso([&] { Conexion().ArmaInsert(sentencia, CamposSql, true); });
        t.Paso([&] { Conexion().EjecutaSql(sentencia); });
    });
}

bool ClsCmnCptes::EstaRelacionadoAOtroComprobante(const QString& TC, const QString& SucNroLetra,
                                                  const QString& Complemento, bool TenerEnCuentaAnulados) {
    QString sql = CondicionOrigen(TC, SucNroLetra) + QStringLiteral(" AND COMPLEMENTOORIGEN = ") +
                  SqlLiteral::Texto(Complemento) + QStringLiteral(" ");
    if (!TenerEnCuentaAnulados) sql += QStringLiteral(" AND ANULADA = 0");
    Recordset rs = Conexion().AbreRecordset(sql, 0, 1, -1);
    const bool relacionado = !rs.Vacio();
    Conexion().CierraRecordset(rs);
    return relacionado;
}

Moneda ClsCmnCptes::ObtieneImporteCptesAsociados(const QString& TC, const QString& SucNroLetra) {
    Recordset rs = Conexion().AbreRecordset(CondicionOrigen(TC, SucNroLetra) + QStringLiteral(" AND ANULADA = 0"), 0, 1, -1);
    Moneda suma;
    while (!rs.Eof()) {
        suma += Funciones().TextoAMoneda(Funciones().ValorCampo(rs.Campo(QStringLiteral("Importe"))));
        rs.MoveNext();
    }
    Conexion().CierraRecordset(rs);
    return suma;
}
