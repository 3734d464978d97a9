#include "inquiry/RelacionesComprobante.h"

#include "cmncptes/GrillaFlex.h"
#include "session/ClsConexion.h"
#include "session/ClsFunciones.h"
#include "session/ModGlobal.h"
#include "session/SqlLiteral.h"

#include <QDateTime>
#include <algorithm>

namespace RelacionesComprobante {

namespace {

QString Tipo4(const QString& TC) { return Funciones().RellenaTexto(TC.trimmed(), 4); }

QString Valor(const Recordset& rs, const char* campo) {
    return Funciones().ValorCampo(rs.Campo(QString::fromLatin1(campo))).toString();
}

bool Verdadero(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return false;
    if (v.metaType().id() == QMetaType::Bool) return v.toBool();
    return ValorNumerico(v.toString()) != 0;
}

void Encabeza(GrillaFlex& g, const QList<QPair<const char*, int>>& columnas, int anchoCaracter) {
    g.Clear();
    g.SetCols(static_cast<int>(columnas.size()));
    g.SetRows(1);
    g.SetFixedRows(1);
    for (int c = 0; c < columnas.size(); ++c) {
        g.SetTextMatrix(0, c, QString::fromUtf8(columnas[c].first));
        g.SetColWidth(c, columnas[c].second * anchoCaracter);
    }
}

QString Clave(const QString& tc, const QString& id, const QString& complemento) {
    return QStringLiteral(" WHERE TC = ") + SqlLiteral::Texto(Tipo4(tc)) + QStringLiteral(" AND IDCOMPROBANTE = ") +
           SqlLiteral::Texto(id.trimmed()) + QStringLiteral(" AND IDCOMPLEMENTO = ") + SqlLiteral::Numero(complemento);
}

void AgregaFila(GrillaFlex& g, const QString& relacion, const Recordset& rs) {
    g.AddItem();
    const int f = g.Rows() - 1;
    const QString tc = Valor(rs, "TC").trimmed();
    const QString id = Valor(rs, "IDCOMPROBANTE").trimmed();
    const QString complemento = Valor(rs, "IDCOMPLEMENTO").trimmed();
    g.SetTextMatrix(f, ColRelacion, relacion);
    g.SetTextMatrix(f, ColTipo, tc);
    g.SetTextMatrix(f, ColNumero,
                    NumeroVisible(id) + (ValorNumerico(complemento) != 0 ? QStringLiteral(" / ") + complemento : QString()));
    g.SetTextMatrix(f, ColFecha, Valor(rs, "Fecha"));
    g.SetTextMatrix(f, ColImporte, FmtMoneda(Funciones().TextoAMoneda(Funciones().ValorCampo(rs.Campo(QStringLiteral("Importe")))).TextoSql(), true));
    g.SetTextMatrix(f, ColAnulado, Verdadero(rs.Campo(QStringLiteral("Anulada"))) ? QStringLiteral("ANULADO") : QString());
    g.SetTextMatrix(f, ColAuxTC, tc);
    g.SetTextMatrix(f, ColAuxId, id);
    g.SetTextMatrix(f, ColAuxComplemento, complemento.isEmpty() ? QStringLiteral("0") : complemento);
}

} // namespace

QString NumeroVisible(const QString& SucNroLetra) {
    const QString k = SucNroLetra.trimmed();
    if (k.size() != 13) return k;
    return k.mid(0, 4) + QLatin1Char('-') + k.mid(4, 8) + QLatin1Char('-') + k.mid(12, 1);
}

int CargaRelacionados(GrillaFlex& grilla, const QString& TC, const QString& SucNroLetra, const QString& IdComplemento,
                      int anchoCaracter) {
    Encabeza(grilla,
             {{"Relación", 12}, {"Tipo", 6}, {"Número", 18}, {"Fecha", 12}, {"Importe", 14}, {"Anulado", 10},
              {"AuxTC", 0}, {"AuxIdComprobante", 0}, {"AuxIdComplemento", 0}},
             anchoCaracter);
    for (int c : {ColImporte}) grilla.SetColAlignment(c, GrillaFlex::DerechaCentro);

    // The origin of the voucher, when it names one that exists.
    Recordset propio = Conexion().AbreRecordset(QStringLiteral("SELECT TCORIGEN, COMPROBANTEORIGEN, COMPLEMENTOORIGEN FROM V_MV_CPTE") +
                                                Clave(TC, SucNroLetra, IdComplemento));
    if (!propio.Eof()) {
        const QString tcOrigen = Valor(propio, "TCORIGEN").trimmed();
        const QString idOrigen = Valor(propio, "COMPROBANTEORIGEN").trimmed();
        QString complementoOrigen = Valor(propio, "COMPLEMENTOORIGEN").trimmed();
        if (complementoOrigen.isEmpty()) complementoOrigen = QStringLiteral("0");
        if (!tcOrigen.isEmpty() && !idOrigen.isEmpty() && SqlLiteral::EsNumero(complementoOrigen)) {
            Recordset origen = Conexion().AbreRecordset(QStringLiteral("SELECT * FROM V_MV_CPTE") +
                                                        Clave(tcOrigen, idOrigen, complementoOrigen));
            if (!origen.Eof()) AgregaFila(grilla, QStringLiteral("Origen"), origen);
            Conexion().CierraRecordset(origen);
        }
    }
    Conexion().CierraRecordset(propio);

    // The vouchers generated from it.
    Recordset rs = Conexion().AbreRecordset(
        QStringLiteral("SELECT * FROM V_MV_CPTE WHERE TCORIGEN = ") + SqlLiteral::Texto(Tipo4(TC)) +
        QStringLiteral(" AND COMPROBANTEORIGEN = ") + SqlLiteral::Texto(SucNroLetra.trimmed()) +
        QStringLiteral(" AND COMPLEMENTOORIGEN = ") + SqlLiteral::Numero(IdComplemento) +
        QStringLiteral(" ORDER BY Fecha, ID"));
    int derivados = 0;
    while (!rs.Eof()) {
        AgregaFila(grilla, QStringLiteral("Generado"), rs);
        ++derivados;
        rs.MoveNext();
    }
    Conexion().CierraRecordset(rs);
    return derivados;
}

int CargaHistorial(GrillaFlex& grilla, const QString& TC, const QString& SucNroLetra, const QString& IdComplemento,
                   int anchoCaracter) {
    Encabeza(grilla, {{"Acción", 14}, {"Fecha y hora", 20}, {"Usuario", 18}, {"Puesto", 16}}, anchoCaracter);
    Recordset rs = Conexion().AbreRecordset(
        QStringLiteral("SELECT Tipo_accion, FECHAHORA, Usuario, PC, ID FROM V_MV_CPTEACCIONES WHERE TC = ") +
        SqlLiteral::Texto(Tipo4(TC)) + QStringLiteral(" AND IdComprobante = ") + SqlLiteral::Texto(SucNroLetra.trimmed()) +
        QStringLiteral(" AND IdComplemento = ") + SqlLiteral::Numero(IdComplemento) + QStringLiteral(" ORDER BY ID DESC"));
    struct Fila {
        QDateTime momento;
        QStringList celdas;
    };
    QList<Fila> filas;
    while (!rs.Eof()) {
        const QString tipo = Valor(rs, "Tipo_accion").trimmed().toUpper();
        const QString accion = tipo == QLatin1String("A")   ? QStringLiteral("Alta")
                               : tipo == QLatin1String("M") ? QStringLiteral("Modificación")
                               : tipo == QLatin1String("B") ? QStringLiteral("Baja")
                                                            : tipo;
        const QVariant fh = rs.Campo(QStringLiteral("FECHAHORA"));
        QDateTime momento = fh.metaType().id() == QMetaType::QDateTime ? fh.toDateTime()
                            : fh.metaType().id() == QMetaType::QDate   ? QDateTime(fh.toDate(), QTime(0, 0))
                                                                       : QDateTime();
        const QString texto = momento.isValid() ? momento.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"))
                                                : Funciones().ValorCampo(fh).toString();
        filas.append({momento, {accion, texto, Valor(rs, "Usuario").trimmed(), Valor(rs, "PC").trimmed()}});
        rs.MoveNext();
    }
    Conexion().CierraRecordset(rs);
    // Newest first by the moment itself (the engines keep the text in more
    // than one form); rows of the same moment newest-written first.
    std::stable_sort(filas.begin(), filas.end(), [](const Fila& a, const Fila& b) { return a.momento > b.momento; });
    for (const Fila& f : filas) {
        grilla.AddItem();
        for (int c = 0; c < f.celdas.size(); ++c) grilla.SetTextMatrix(grilla.Rows() - 1, c, f.celdas[c]);
    }
    return static_cast<int>(filas.size());
}

QString CuentaDelComprobante(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento) {
    Recordset rs = Conexion().AbreRecordset(QStringLiteral("SELECT Cuenta FROM V_MV_CPTE") + Clave(TC, SucNroLetra, IdComplemento));
    const QString cuenta = rs.Eof() ? QString() : Valor(rs, "Cuenta").trimmed();
    Conexion().CierraRecordset(rs);
    return cuenta;
}

} // namespace RelacionesComprobante
