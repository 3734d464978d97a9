#pragma once
// Column work of the lot and serial entry grid, done on the grid data alone
// (no window): copying or clearing a column downwards, pasting a column of
// values, numbering serials on from a first one, and finding a repeated
// serial. Rows are grid rows (the fixed rows above are never touched).
#include <QString>
#include <QStringList>

class GrillaFlex;

namespace EdicionSerieLote {

// The serial that comes `paso` places after `serie`: its trailing number
// counted up keeping its width ("SN0099" + 1 = "SN0100", "A9" + 1 = "A10");
// the empty text when the serial does not end in a digit.
QString SerieSiguiente(const QString& serie, qint64 paso = 1);

// The values of a pasted text, one per line (CR LF, LF or CR); a line copied
// from a spreadsheet with several cells gives its first cell. Surrounding
// blanks are dropped; the empty line after a closing line break is no value.
QStringList LineasPegadas(const QString& texto);

// Every row below `fila` gets, in column `col`, the trimmed text of that cell.
void LlenaHaciaAbajo(GrillaFlex& g, int fila, int col);
// Every row below `fila` gets an empty text in column `col`.
void BlanqueaHaciaAbajo(GrillaFlex& g, int fila, int col);
// Writes the values in column `col` from row `fila` down; returns how many
// fitted (the rest had no row left).
int PegaColumna(GrillaFlex& g, int fila, int col, const QStringList& valores);
// Every row below `fila` gets the serial that follows the previous row's, in
// column `col`. False (nothing written) when the cell does not end in a digit.
bool LlenaCorrelativos(GrillaFlex& g, int fila, int col);

// A value found twice in column `col` of the data rows: its first two rows.
// Blank cells and the blank-row piece "-" are not values. Compared ignoring
// letter case and surrounding blanks, as the lists compare their pieces.
struct Repetido {
    bool hay = false;
    QString valor;
    int fila1 = 0;
    int fila2 = 0;
};
Repetido BuscaRepetido(const GrillaFlex& g, int col);

} // namespace EdicionSerieLote
