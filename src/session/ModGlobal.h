#pragma once
// Session start-up and shutdown, the form parameters, configuration values
// and the suite's money and time formats.
#include "session/Moneda.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

class QWidget;

// Globals of the session, set by the first InicializaSistema.
extern QString ParametroAdicional;  // the inquiry form's parameter text
extern QString SeccionUsuario;      // TERMINAL|USUARIO in upper case
extern QString CadenaConexion;      // "DSN=..; UID=..; PWD=.." for the report runner
extern QString CarpetaApp;          // the program's folder, with its closing separator

// --- the command line -------------------------------------------------------
// The start-up text: every argument after the program's name joined by single
// spaces, less the program's own options and Qt's (see main).
void EstableceLineaComandos(const QString& texto);
QString LineaComandos();
// Splits the process arguments into the start-up text and the program's own
// options (--exportar FILE, --imprimir FILE, --copias N and Qt's -platform,
// -style ...). Returns the text. A --copias that is not a whole number of 1
// or more leaves `copias` at 0.
QString LineaComandosDesdeArgumentos(const QStringList& argumentos, QString* archivoExportar = nullptr,
                                     QString* archivoImprimir = nullptr, int* copias = nullptr);

// --- the program's folder ---------------------------------------------------
// TALERUNA_CARPETA_APP when set; in a build tree the executable's folder;
// installed, the user's writable data folder of the program.
QString ResuelveCarpetaApp();

// --- start-up and shutdown --------------------------------------------------
void InicializaSistema();
// Value of Clave inside the form's parameter text (pieces ended by "|").
// Raises run-time error 5 when the key is present but no "|" follows it.
QString ObtieneParametro(const QString& texto, const QString& clave);
// Value of one key of the start-up text (pieces ended by ";"); "" when absent
// or when no ";" follows it.
QString ValorLineaComandos(const QString& linea, const QString& clave);
// The window icon from CN000pr.INI [Iconos] IconoDelSistema (default ICONKAV)
// and the suite's window preparation (defined in the ui library).
void AplicaEstiloFormulario(QWidget* formulario);
void FinalizaSistema();

// How the program ends when the session cannot start (the default leaves the
// process with status 1; a test may replace it).
using FinPrograma = std::function<void(int codigo)>;
FinPrograma EstableceFinPrograma(FinPrograma f);
void TerminaPrograma(int codigo);

// --- configuration and formats ----------------------------------------------
// Configuration value by key; " " (one blank) when the key is absent.
// Inside an AmbitoConfiguracion each key is read once.
QString Cfg(const QString& clave);

// One operation's reading of the configuration (one voucher shown, one
// staging run, one print): while an instance lives, Cfg and the number of
// decimals of FmtMoneda answer a key already read from memory. The memory is
// dropped when the outermost instance ends, so a value changed by another
// workstation is seen by the next operation. Instances nest.
class AmbitoConfiguracion {
public:
    AmbitoConfiguracion();
    ~AmbitoConfiguracion();
    AmbitoConfiguracion(const AmbitoConfiguracion&) = delete;
    AmbitoConfiguracion& operator=(const AmbitoConfiguracion&) = delete;
    // Whether an operation's reading is open.
    static bool Abierto();
};
// Amount as display text with `decimales` decimals; -1 (or true) takes
// CantidadDecimales; 0 falls back to win.ini [intl] ICurrDigits (default 2).
QString FmtMoneda(const QVariant& valor, const QVariant& decimales = -1);
double HorasAMinutos(const QString& texto, const QString& horas, const QString& minutos, bool desdeTexto);
QString MinutosAHoras(const QVariant& totalMinutos, long& horasSalida, long& minutosSalida);
QString MinutosAHoras(const QVariant& totalMinutos);

// Leading-number reading of a text (the suite's Val): blanks skipped, reading
// stops at the first character that cannot continue a number; none gives 0.
double ValorNumerico(const QString& texto);
// Round half to even to a whole number.
double RedondeoPar(double v);
// Text in proper case: first letter of every word upper case, the rest lower.
QString TextoPropio(const QString& texto);
// A numeric text padded with zeros to `digitos` (the suite's Format(x, "0000"));
// an empty or non-numeric text is returned unchanged.
QString FormateaCeros(const QString& texto, int digitos);
