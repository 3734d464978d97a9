#pragma once
// The data of the real-charges view: a customer's finished work orders with
// what each charged and what its recorded work cost, the customer's
// real-charge entries, and the balance row, in a ten-column grid. Filled and
// read without any window (the view is FrmCtrlCargosReales).
#include "session/Moneda.h"

#include <QColor>
#include <QString>

class GrillaFlex;
class Trampa;

namespace CargosReales {

// Columns of the grid.
enum Columna : int {
    ColFecha = 0, ColOT = 1, ColConcepto = 2, ColAutorizo = 3, ColCargos = 4, ColDescargos = 5, ColSaldo = 6,
    ColObservaciones = 7, ColId = 8, ColFechaInvertida = 9, Columnas = 10
};

// An order that cost more than it charged (65535 of the suite), and the
// balance row (16776960).
inline QColor ColorExceso() { return QColor(255, 255, 0); }
inline QColor ColorSaldo() { return QColor(0, 255, 255); }

// Gives every cell of a row the background colour; the current column stays.
void PintarFila(GrillaFlex& grilla, int fila, const QColor& color);

// Adds the rows of customer Cliente to a grid laid out with the ten columns
// and its heading row: one row per finished, not annulled work order, one
// per real-charge entry, and the balance row; then sorts them by date with
// the balance last. Every amount, comparison and the balance are worked out
// on the currency values themselves (the cells show their display texts).
// Each statement runs under t. Statements: the orders, the entries, and per
// order its tasks, its minutes logged per task, its materials and its other
// concepts (so the count does not grow with the tasks). Returns how many
// statements were opened.
int CargarDatos(GrillaFlex& grilla, const QString& Cliente, Trampa& t);

// A currency value as plain text: no grouping, the regional decimal
// separator, no trailing zeros ("100", "-30", "12350.75").
QString TextoMonedaSimple(Moneda m);

// value × numerador ÷ denominador in currency (four decimals, half to even),
// without binary floating point.
Moneda Proporcion(Moneda valor, Moneda numerador, long long denominador);

} // namespace CargosReales
