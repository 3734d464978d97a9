#pragma once
// The serial and lot lists of an article line: texts of pieces each closed by
// "|" (|L1|L2|L3|; a leading bar is optional, surrounding blanks are ignored,
// a blank text or one without any bar holds no pieces). On an entry the n-th
// serial and the n-th lot belong to the same unit; on an exit the n-th piece
// of the pair list is a lot and a serial joined by SeparadorLoteSerie and the
// n-th piece of the companion list is its quantity. A list whose last piece
// lacks its closing bar is malformed: reaching that piece raises the invalid
// argument error (5). These functions hold no state and touch no database.
#include <QChar>
#include <QString>
#include <QStringList>

namespace ListaSerieLote {

// Joins the lot and the serial of one exit pair (lot first): the character of
// code 255. Written and read only through ArmaPar and SeparaPar.
inline constexpr QChar SeparadorLoteSerie = QChar(0x00FF);
// Closes every piece.
inline constexpr QChar Barra = QLatin1Char('|');
// The piece the lists hold for a row whose cell was blank.
inline const QString PiezaVacia = QStringLiteral("-");

// The pieces of a list, untrimmed, as far as they are well formed; Malformada
// tells that an unclosed piece follows the last one.
struct Piezas {
    QStringList lista;
    bool malformada = false;
    // The n-th piece (from 1), untrimmed; "" for 0 or a position past the end
    // of a well-formed list. Asking for the unclosed piece of a malformed list
    // (or beyond it) raises error 5.
    QString Pieza(qsizetype posicion) const;
};
Piezas Recorre(const QString& texto);

// Trimmed pieces, each compared ignoring letter case and surrounding blanks.
// Raise error 5 on a malformed list.
QStringList Descompone(const QString& texto);
// Distinct serial-and-lot keys of two parallel lists. When one list is empty
// every unit has a blank partner; when both are given with different lengths
// the shorter list's missing pieces count as blank.
long Cuenta(const QString& series, const QString& lotes);
// The n-th piece, untrimmed (see Piezas::Pieza).
QString Extrae(const QString& texto, qsizetype posicion);
// Position of the first piece equal to `pieza`; pieces + 1 when none; 0 for
// a list without pieces.
long Busca(const QString& texto, const QString& pieza);

// A list as the producers write it: "|" then every piece and "|", a blank
// piece written as "-"; the empty text when there is no piece at all.
QString Arma(const QStringList& piezas);
// An exit pair and its parts (text before and after the first separator,
// each trimmed).
QString ArmaPar(const QString& lote, const QString& serie);
void SeparaPar(const QString& par, QString& lote, QString& serie);

// Text without its leading and trailing blanks (spaces only).
QString SinBlancos(const QString& texto);

} // namespace ListaSerieLote
