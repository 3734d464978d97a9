#pragma once
// The report runner: runs a report definition of the program's reports/
// folder with formula values, a record-selection formula and sort fields, to
// the screen (a print preview), a printer or e-mail (a PDF handed to the
// mail program). A printer whose port is a file ("FILE:path", or a path
// ending in .pdf or starting with "/") prints to that PDF, each copy as its
// own set of pages.
#include <QString>
#include <QStringList>

class DefinicionReporte;
class QPrinter;

class ClsReporte {
public:
    // Printer options of the next run.
    struct OpcionesImpresion {
        int Copias = 1;
    };
    // What the last Ejecuta did.
    struct Ejecucion {
        QString reporte;       // the name received
        QString archivo;       // the definition it resolved to ("" when none)
        QStringList orden;
        QString seleccion;
        QString conexion;
        QString sentencia;     // the data statement run
        int destino = 0;
        // The printer settings the run received.
        QString impresoraNombre;
        QString impresoraDispositivo;
        QString impresoraPuerto;
        int copiasPedidas = 0;
        QStringList formulas;
        QString impresora;     // printer used ("" for the screen and files)
        QString archivoPdf;    // PDF written (printer port to a file, or e-mail)
        int copias = 0;
        int filas = 0;
        int paginas = 0;       // pages of one copy
        bool realizada = false;  // something was shown, printed or written
    };

    static constexpr int DestinoPantalla = 0;
    static constexpr int DestinoImpresora = 1;
    static constexpr int DestinoCorreo = 2;

    // The program's folder, set at start-up; definitions are looked up in its reports/ folder.
    QString CarpetaAplicacion;
    int Destino = DestinoPantalla;
    QString ImpresoraNombre;
    QString ImpresoraDispositivo;
    QString ImpresoraPuerto;
    OpcionesImpresion& Opciones() { return opciones_; }
    // A PDF file every run writes to instead of its destination (the screen,
    // a printer, e-mail), with CopiasArchivo copies (0: one); "" = none.
    // Set for the whole process (conscpte --imprimir); Finaliza keeps it.
    QString ArchivoFijo;
    int CopiasArchivo = 0;

    // Formula values ("Nombre = 'valor'") for the next run's layout.
    void CargaFormulas(const QStringList& formulas, int modo = 0);
    QStringList Formulas() const { return formulas_; }

    // Runs a report. Operator-facing failures (no such definition, a refused
    // formula, no rows, an unknown printer, a file that cannot be written)
    // show one message and give false; a failing statement raises ErrorEjecucion.
    bool Ejecuta(const QString& reporte, const QStringList& orden, const QString& seleccion, const QString& conexion);
    // Ends a launch: formulas and printer settings are dropped, so the next
    // launch starts clean. The argument is the suite's wait (seconds), not needed here.
    void Finaliza(int espera);

    const Ejecucion& UltimaEjecucion() const { return ultima_; }
    int Ejecuciones() const { return ejecuciones_; }
    int Finalizaciones() const { return finalizaciones_; }

    // Folders searched for definitions: TALERUNA_REPORTES when set, the
    // program's folder + "reports/", the executable's folder + "reports/".
    QStringList CarpetasReportes() const;
    // Where e-mail PDFs are written: the program's folder + "correo/".
    QString CarpetaCorreo() const;
    // The PDF path a printer port (or name) stands for; "" when it is a real port.
    QString ArchivoDePuerto(const QString& puerto) const;

private:
    OpcionesImpresion opciones_;
    QStringList formulas_;
    Ejecucion ultima_;
    int ejecuciones_ = 0;
    int finalizaciones_ = 0;
};

ClsReporte& Reporte();
