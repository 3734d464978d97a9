#pragma once
// What the inquiry screen shows, as text, for scripting and support
// (conscpte --exportar FILE). UTF-8, lines ended by LF:
//
//   Ventana: <window caption>
//   Tipo: <type code>\t<type name>            (empty after ": " when none is selected)
//   Sucursal: <branch field>
//   Numero: <number field>
//   Letra: <letter field>
//   Proveedor: <supplier field>              (purchasing side only)
//   Anulada: SI | NO                         (SI while the annulled label blinks)
//   Encabezado: <n>                          then the n lines of the header box, as displayed
//   Solapa: <tab caption>                    for every visible tab, in order:
//   Filas: <m>                               then the heading row and m lines, the visible
//                                            columns separated by tabs
//
// Tabs, line breaks and the other control characters (ESC, BEL, ...) inside a
// value are written as blanks.
#include <QString>

class FrmConsCpteGenerico;

class ExportacionPantalla {
public:
    static QString Texto(const FrmConsCpteGenerico& formulario);
    // Writes the text to the file ("-": standard output). False with a reason on failure.
    static bool Escribe(const FrmConsCpteGenerico& formulario, const QString& archivo, QString* error = nullptr);
};
