#pragma once
// The printing procedures of the program: staging a voucher's printed lines in
// Aux_MV_Cpte, the printer assignments of PRINTERS.PRN, the report name lookup
// and the launch of a voucher's report.
#include <QString>
#include <QStringList>

// Stages the printed lines (notes, tasks, supplies, other concepts, with their
// section headings) of the vouchers selected by a range, a list of internal
// numbers or a list of keys, under the session key (workstation|user), after
// deleting that key's earlier rows. TC is fitted to four characters in place.
// One staging runs inside one transaction; when the operator leaves after an
// error, the rows written so far are kept. True when every row was staged;
// false when an error was met and not retried away (the rows are then not a
// whole voucher, or not this run's, and are not to be printed).
bool GeneraAuxiliarComprobantes(QString& TC, const QString& SucDesde, const QString& NroDesde,
                                const QString& LetraDesde, const QString& ComplementoDesde, int LineasTitulo,
                                const QString& SucHasta, const QString& NroHasta, const QString& LetraHasta,
                                const QString& ComplementoHasta, const QString& ListaId,
                                const QString& ListaIdComprobante);

// One record of PRINTERS.PRN (fixed 796 bytes, Windows-1252), already decoded.
struct RegistroImpresora {
    static constexpr int Largo = 796;
    QString Usuario;    // 255
    QString TC;         // 4
    QString Letra;      // 1
    QString Impresora;  // 510
    QString Copias;     // 3
    QString Lineas;     // 3
    QString Destino;    // 20
    // Decodes one record of exactly Largo bytes.
    static RegistroImpresora Lee(const QByteArray& bytes);
};

// A field of PRINTERS.PRN without NUL, character 255 and line feeds, trimmed.
QString LimpiaCampo(const QString& campo);

// The assignment of the session's workstation and user for a type and letter:
// printer text, copies, form lines and destination word. No matching record:
// Impresora "" and Copias 0 (Lineas and Destino unchanged). A missing
// PRINTERS.PRN is created empty.
void ObtieneImpresoraComprobante(const QString& TC, const QString& Letra, QString& Impresora, int& Copias,
                                 int& Lineas, QString& Destino);

// The report file of TA_REPORTES for Nombre + "|" + Sufijo (Nombre is changed
// to that key when Sufijo is not blank); the plain name when there is no row.
QString NombreReporte(QString& Nombre, const QString& Sufijo);

// The company's formula values for a voucher's report (name = 'value'), in
// their order, followed by the additional ones; the list ends with one empty
// entry. STK5 reports carry no VAT condition or CUIT.
QStringList FormulasEmpresa(const QString& Reporte, const QStringList& FormulasAdicionales);

// Prints or previews one voucher through the report runner (destination 0
// screen, 1 printer, -1 the assigned one; it holds the one used afterwards).
void ImprimirComprobante(const QString& TC, const QString& SucNroLetra, const QString& IdComplemento,
                         const QString& Reporte, QStringList& Orden, QString& Seleccion,
                         const QStringList& FormulasAdicionales, int& Destino, int SoloTipo);
