// The selection formula and the sort fields: any text as a formula (very deep
// nesting, long texts); an accepted one gives a condition that the engine
// takes as one expression. A value written into a formula the way the
// program writes it comes back as that value's literal.
#include "Comun.h"
#include "Sqlite.h"
#include "printing/FormulaSeleccion.h"
#include "session/SqlLiteral.h"

namespace {
const QStringList kTablas{QStringLiteral("MV_ASIENTOS"), QStringLiteral("VT_CLIENTES")};

void Compila(const QString& sql, const char* que) {
    // The tables exist nowhere here, so a missing column or table is the
    // expected refusal; anything about the syntax is a fault.
    Fuzz::Preparada p;
    Fuzz::Prepara(DialectoSql::Adapta(sql, DialectoSql::Motor::Sqlite), p);
    if (p.cola) Fuzz::Falla(que, sql);
    if (!p.st && !p.error.startsWith(QLatin1String("no such")))
        Fuzz::Falla(que, sql + QStringLiteral(" / ") + p.error);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    const QString texto = Fuzz::Texto(datos, largo);

    const FormulaSeleccion::Resultado c = FormulaSeleccion::Condicion(texto, kTablas);
    if (c.valida && !c.sql.isEmpty()) Compila(QStringLiteral("SELECT 1 WHERE ") + c.sql, "condicion");
    if (!c.valida && c.error.isEmpty()) Fuzz::Falla("rechazo sin motivo", texto);

    const FormulaSeleccion::Resultado o = FormulaSeleccion::Orden(texto.split(QLatin1Char('\n')), kTablas);
    if (o.valida && !o.sql.isEmpty()) Compila(QStringLiteral("SELECT 1 ORDER BY ") + o.sql, "orden");

    const QString formula = QStringLiteral("{MV_ASIENTOS.DETALLE} = '") + FormulaSeleccion::TextoFormula(texto) +
                            QStringLiteral("'");
    const FormulaSeleccion::Resultado v = FormulaSeleccion::Condicion(formula, kTablas);
    if (!v.valida) Fuzz::Falla("valor escrito por el programa rechazado", texto + " / " + v.error);
    if (!v.sql.contains(SqlLiteral::Texto(texto))) Fuzz::Falla("el valor no llega como su literal", v.sql);

    QString nombre, valor;
    if (FormulaSeleccion::SeparaFormula(texto, nombre, valor) && (nombre.isEmpty() || !texto.contains(valor)))
        Fuzz::Falla("SeparaFormula", texto);
    return 0;
}
