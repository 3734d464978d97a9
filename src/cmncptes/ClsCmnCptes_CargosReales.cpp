// The data of the real-charges control: the customer's finished work orders
// (charged against recorded cost), the real-charge entries and the balance.
#include "cmncptes/CargosReales.h"

#include "cmncptes/GrillaFlex.h"
#include "session/ClsConexion.h"
#include "session/ClsFunciones.h"
#include "session/ModGlobal.h"
#include "session/SqlLiteral.h"
#include "session/Trampa.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>

namespace CargosReales {

namespace {

QString Texto(const Recordset& rs, const char* campo) {
    return Funciones().ValorCampo(rs.Campo(QString::fromLatin1(campo))).toString();
}

Moneda Importe(const Recordset& rs, const char* campo) {
    return Funciones().TextoAMoneda(Funciones().ValorCampo(rs.Campo(QString::fromLatin1(campo))));
}

// The date of a field as "YYYYMMDD" (empty when there is none).
QString FechaInvertida(const QVariant& v) {
    if (v.metaType().id() == QMetaType::QDate) return v.toDate().toString(QStringLiteral("yyyyMMdd"));
    if (v.metaType().id() == QMetaType::QDateTime) return v.toDateTime().date().toString(QStringLiteral("yyyyMMdd"));
    return {};
}

// The money format of the session (FmtMoneda with True), with the number of
// decimals looked up once per load instead of once per cell (the lookup
// reads the configuration table and win.ini).
class FormatoMonto {
public:
    FormatoMonto() {
        const QString cero = FmtMoneda(QStringLiteral("0"), true);
        const qsizetype p = cero.indexOf(QRegularExpression(QStringLiteral("[^0-9-]")));
        decimales_ = p < 0 ? 0 : static_cast<int>(cero.size() - p - 1);
    }
    QString operator()(Moneda m) const {
        return decimales_ > 0 ? FmtMoneda(m.TextoSql(), decimales_) : FmtMoneda(m.TextoSql(), true);
    }

private:
    int decimales_ = 0;
};

// A task code as the engine compares it: letter case and trailing blanks ignored.
QString ClaveTarea(const QString& tarea) {
    QString t = tarea;
    while (!t.isEmpty() && t.back().isSpace()) t.chop(1);
    return t.toUpper();
}

} // namespace

QString TextoMonedaSimple(Moneda m) {
    const QString p = QLocale().decimalPoint();
    const QChar sep = p.isEmpty() ? QLatin1Char('.') : p.at(0);
    QString t = m.Formatea(4, sep);
    while (t.endsWith(QLatin1Char('0'))) t.chop(1);
    if (t.endsWith(sep)) t.chop(1);
    return t;
}

Moneda Proporcion(Moneda valor, Moneda numerador, long long denominador) {
    if (denominador == 0) return {};
    // Both in ten-thousandths: the product carries eight decimals.
    const __int128 producto = static_cast<__int128>(valor.Diezmilesimos()) * numerador.Diezmilesimos();
    __int128 divisor = static_cast<__int128>(denominador) * Moneda::Escala;
    __int128 n = producto;
    if (divisor < 0) {
        divisor = -divisor;
        n = -n;
    }
    __int128 q = n / divisor;
    __int128 r = n % divisor;
    if (r < 0) {
        r += divisor;
        q -= 1;
    }
    // Half to even.
    if (2 * r > divisor || (2 * r == divisor && (q % 2 != 0))) q += 1;
    return Moneda::DesdeDiezmilesimos(static_cast<std::int64_t>(q));
}

void PintarFila(GrillaFlex& grilla, int fila, const QColor& color) {
    const int columna = grilla.Col();
    grilla.SetRow(fila);
    for (int c = 0; c < grilla.Cols(); ++c) grilla.SetCellBackColor(fila, c, color);
    grilla.SetCol(columna);
}

int CargarDatos(GrillaFlex& grilla, const QString& Cliente, Trampa& t) {
    int sentencias = 0;
    const FormatoMonto Monto;
    auto abre = [&](const QString& sql) {
        ++sentencias;
        return t.Paso([&] { return Conexion().AbreRecordset(sql, 0, 1, -1); });
    };
    // Sum of a field of the first row (0 when there is no row or it is Null).
    auto total = [&](const QString& sql, const char* campo) {
        Recordset rs = abre(sql);
        Moneda m;
        if (!rs.Eof()) m = t.Paso([&] { return Importe(rs, campo); });
        Conexion().CierraRecordset(rs);
        return m;
    };
    Moneda saldo;
    // Cell by cell, so a tab inside a text never moves the columns.
    auto agrega = [&](const QStringList& celdas) {
        t.Paso([&] { grilla.AddItem(); });
        const int fila = grilla.Rows() - 1;
        for (int c = 0; c < celdas.size() && c < grilla.Cols(); ++c)
            t.Paso([&] { grilla.SetTextMatrix(fila, c, celdas[c]); });
        return fila;
    };

    // 1. The customer's finished work orders.
    Recordset ot = abre(QStringLiteral("SELECT * FROM V_MV_CPTE WHERE CUENTA = ") + SqlLiteral::Texto(Cliente) +
                        QStringLiteral(" AND TC = 'OT' AND (ANULADA = 0)  AND (FINALIZADA = 1) ORDER BY IDCOMPROBANTE DESC"));
    while (!ot.Eof()) {
        const QString tc = t.Paso([&] { return Texto(ot, "TC"); });
        const QString id = t.Paso([&] { return Texto(ot, "IdComprobante"); });
        const QString complemento = t.Paso([&] { return Texto(ot, "IdComplemento").trimmed(); });
        const QString condicion = QStringLiteral(" AND IDCOMPROBANTE = ") + SqlLiteral::Texto(id) +
                                  QStringLiteral(" AND IDCOMPLEMENTO = ") +
                                  t.Paso([&] { return SqlLiteral::Numero(complemento); });
        const QString deLaOrden = QStringLiteral(" WHERE TC = ") + SqlLiteral::Texto(tc) + condicion;

        // Minutes logged on the order, per task: one grouped statement per
        // order instead of one sum per task (the same sums; the task is
        // compared as the engine compares it: letter case and trailing
        // blanks ignored).
        QHash<QString, Moneda> cargadosPorTarea;
        Recordset diarios = abre(QStringLiteral("SELECT IDTAREA, SUM(Minutos) AS TOTALHORAS FROM V_MV_DIARIOS") + deLaOrden +
                                 QStringLiteral(" GROUP BY IDTAREA"));
        while (!diarios.Eof()) {
            const QString tarea = ClaveTarea(t.Paso([&] { return Texto(diarios, "IDTAREA"); }));
            cargadosPorTarea[tarea] += t.Paso([&] { return Importe(diarios, "TotalHoras"); });
            t.Paso([&] { diarios.MoveNext(); });
        }
        Conexion().CierraRecordset(diarios);

        Moneda previsto, registrado;
        Recordset tareas = abre(QStringLiteral("SELECT * FROM V_MV_CPTETAREAS") + deLaOrden);
        while (!tareas.Eof()) {
            const QString tarea = Funciones().RellenaTexto(t.Paso([&] { return Texto(tareas, "IdTarea").trimmed(); }), 4);
            const Moneda minutosPrevistos = t.Paso([&] { return Importe(tareas, "Horas"); });
            const Moneda valorHora = t.Paso([&] { return Importe(tareas, "ValorHora_S_IVA"); });
            const Moneda minutosCargados = cargadosPorTarea.value(ClaveTarea(tarea));
            if (minutosCargados > minutosPrevistos) registrado += Proporcion(valorHora, minutosCargados, 60);
            previsto += Proporcion(minutosPrevistos, valorHora, 60);
            t.Paso([&] { tareas.MoveNext(); });
        }
        Conexion().CierraRecordset(tareas);
        const Moneda insumos =
            total(QStringLiteral("SELECT SUM(IMPORTE_S_IVA) AS TOTALINSUMOS FROM V_MV_CPTEINSUMOS") + deLaOrden, "TotalInsumos");
        const Moneda otros = total(QStringLiteral("SELECT SUM(IMPORTE_S_IVA) AS TOTALOC FROM V_MV_CPTE_OBSERV") + deLaOrden +
                                       QStringLiteral(" AND TIPO_OBS = 'OC'"),
                                   "TOTALOC");

        const Moneda cargado = previsto + insumos + otros;
        const Moneda costo = registrado + insumos + otros;
        const QVariant fecha = t.Paso([&] { return ot.Campo(QStringLiteral("Fecha")); });
        QStringList celdas(Columnas);
        celdas[ColFecha] = Funciones().ValorCampo(fecha).toString();
        celdas[ColOT] = (id + (ValorNumerico(complemento) != 0 ? complemento : QString())).trimmed();
        celdas[ColConcepto] = t.Paso([&] { return Texto(ot, "Comentarios").trimmed(); });
        celdas[ColCargos] = Monto(cargado);
        celdas[ColDescargos] = Monto(costo);
        celdas[ColFechaInvertida] = FechaInvertida(fecha);
        if (costo > cargado) celdas[ColSaldo] = TextoMonedaSimple(costo - cargado);
        const int fila = agrega(celdas);
        if (costo > cargado) {
            PintarFila(grilla, fila, ColorExceso());
            saldo += costo - cargado;
        }
        t.Paso([&] { ot.MoveNext(); });
    }
    Conexion().CierraRecordset(ot);

    // 2. The customer's real-charge entries.
    Recordset cr = abre(QStringLiteral("SELECT * FROM V_MV_CREALES WHERE CUENTA = ") + SqlLiteral::Texto(Cliente) +
                        QStringLiteral(" "));
    while (!cr.Eof()) {
        const QVariant fecha = t.Paso([&] { return cr.Campo(QStringLiteral("Fecha")); });
        const QString dh = t.Paso([&] { return Texto(cr, "Debe_Haber").trimmed().toUpper(); });
        const Moneda importe = t.Paso([&] { return Importe(cr, "Importe"); });
        QStringList celdas(Columnas);
        celdas[ColFecha] = Funciones().ValorCampo(fecha).toString();
        celdas[ColConcepto] = t.Paso([&] { return Texto(cr, "Concepto").trimmed(); });
        if (dh == QLatin1String("D")) {
            celdas[ColCargos] = Monto(importe);
            saldo += importe;
        } else if (dh == QLatin1String("H")) {
            celdas[ColDescargos] = Monto(importe);
            saldo -= importe;
        }
        celdas[ColObservaciones] = t.Paso([&] { return Texto(cr, "Observaciones").trimmed(); });
        celdas[ColFechaInvertida] = FechaInvertida(fecha);
        agrega(celdas);
        t.Paso([&] { cr.MoveNext(); });
    }
    Conexion().CierraRecordset(cr);

    // 3. The balance row, 4. date order with the balance last.
    QStringList celdas(Columnas);
    celdas[ColSaldo] = TextoMonedaSimple(saldo);
    celdas[ColFechaInvertida] = QString(10, QLatin1Char('Z'));
    PintarFila(grilla, agrega(celdas), ColorSaldo());
    grilla.SetCol(ColFechaInvertida);
    grilla.Ordena(ColFechaInvertida);
    return sentencias;
}

} // namespace CargosReales
