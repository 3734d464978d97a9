// Stock balances: the sum of STK_SERIES_Y_LOTES for an article, narrowed by
// deposit, lot, serial and storage position.
#include "cmncptes/ClsCmnCptes.h"

#include "session/ClsConexion.h"
#include "session/ClsFunciones.h"
#include "session/SqlLiteral.h"
#include "session/Trampa.h"

namespace {

bool Restringe(const QString& valor) {
    const QString v = valor.trimmed();
    return !v.isEmpty() && v.compare(QLatin1String("Ignorar"), Qt::CaseInsensitive) != 0;
}

bool Verdadero(const QVariant& v) {
    if (v.isNull() || !v.isValid()) return false;
    if (v.metaType().id() == QMetaType::Bool) return v.toBool();
    const QString t = v.toString().trimmed();
    return t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || Funciones().TextoANumero(t) != 0;
}

} // namespace

double ClsCmnCptes::ObtieneStock(const QString& IdArticulo, const QString& IdDeposito, const QString& NroLote,
                                 const QString& NroSerie, const QString& IdPosicion) {
    double saldo = 0;
    ConTrampa(QStringLiteral("ObtieneStock"), [&](Trampa& t) {
        const ClsFunciones& f = Funciones();
        const QString articulo = SqlLiteral::Texto(f.RellenaTexto(IdArticulo.trimmed(), 25));
        Recordset marcas = t.Paso([&] {
            return Conexion().AbreRecordset(QStringLiteral("SELECT USASERIE, USALOTE FROM V_MA_ARTICULOS WHERE IDARTICULO = ") +
                                            articulo + QStringLiteral(" "));
        });
        // An article missing from the master has no current row to read.
        const bool usaSerie = t.Paso([&] { return Verdadero(marcas.Campo(QStringLiteral("USASERIE"))); });
        const bool usaLote = t.Paso([&] { return Verdadero(marcas.Campo(QStringLiteral("USALOTE"))); });
        marcas.Cierra();

        QString sql = QStringLiteral(" SELECT SUM(CANTIDAD) AS SaldoStock FROM STK_SERIES_Y_LOTES ") +
                      QStringLiteral(" WHERE IDARTICULO = ") + articulo;
        if (Restringe(IdDeposito))
            sql += QStringLiteral(" AND IdDeposito = ") + SqlLiteral::Texto(f.RellenaTexto(IdDeposito, 4)) + QStringLiteral(" ");
        if (Restringe(NroLote))
            sql += QStringLiteral(" AND NroLote = ") + SqlLiteral::Texto(f.RellenaTexto(NroLote.trimmed(), 25)) + QStringLiteral(" ");
        if (Restringe(NroSerie))
            sql += QStringLiteral(" AND NroSerie = ") + SqlLiteral::Texto(f.RellenaTexto(NroSerie.trimmed(), 25)) + QStringLiteral(" ");
        if (Restringe(IdPosicion))
            sql += QStringLiteral(" AND IdPosicion = ") + SqlLiteral::Texto(f.RellenaTexto(IdPosicion.trimmed(), 15)) + QStringLiteral(" ");
        if (usaSerie && !usaLote) sql += QStringLiteral(" AND NroLote is NULL ");
        if (usaLote && !usaSerie) sql += QStringLiteral(" AND NroSerie is NULL ");

        Recordset rs = t.Paso([&] { return Conexion().AbreRecordset(sql, 0, 1, -1); });
        saldo = t.Paso([&] { return f.TextoANumero(f.ValorCampo(rs.Campo(QStringLiteral("SaldoStock")))); });
    });
    return saldo;
}
