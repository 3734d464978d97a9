#include "session/ModGlobal.h"

#include "session/ClsArchivoIni.h"
#include "session/ClsConexion.h"
#include "session/ClsFunciones.h"
#include "session/ClsSesion.h"
#include "session/ErrorEjecucion.h"
#include "session/Instancia.h"
#include "session/SqlLiteral.h"
#include "session/Trampa.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTime>

#include <cmath>
#include <cstdio>
#include <cstdlib>

QString ParametroAdicional;
QString SeccionUsuario;
QString CadenaConexion;
QString CarpetaApp;

namespace {
QString gLineaComandos;
FinPrograma gFinPrograma;
} // namespace

// --- the command line -------------------------------------------------------

void EstableceLineaComandos(const QString& texto) { gLineaComandos = texto; }
QString LineaComandos() { return gLineaComandos; }

QString LineaComandosDesdeArgumentos(const QStringList& argumentos, QString* archivoExportar, QString* archivoImprimir,
                                     int* copias) {
    // Qt's own options that take a value (QGuiApplication removes the ones it
    // knows before we see them; these are kept out in case it did not).
    static const QStringList conValor{QStringLiteral("-platform"), QStringLiteral("-style"), QStringLiteral("-display"),
                                      QStringLiteral("-qwindowgeometry"), QStringLiteral("-qwindowtitle"),
                                      QStringLiteral("-qwindowicon"), QStringLiteral("-platformpluginpath"),
                                      QStringLiteral("-platformtheme"), QStringLiteral("-stylesheet"),
                                      QStringLiteral("-session"), QStringLiteral("-geometry")};
    static const QStringList sinValor{QStringLiteral("-reverse"), QStringLiteral("-widgetcount"),
                                      QStringLiteral("-nograb"), QStringLiteral("-dograb"), QStringLiteral("-sync")};
    QStringList piezas;
    for (qsizetype i = 1; i < argumentos.size(); ++i) {
        const QString& a = argumentos[i];
        if (a == QLatin1String("--exportar") || a.startsWith(QLatin1String("--exportar="))) {
            QString archivo;
            if (a.startsWith(QLatin1String("--exportar="))) archivo = a.mid(11);
            else if (i + 1 < argumentos.size()) archivo = argumentos[++i];
            if (archivoExportar) *archivoExportar = archivo.isEmpty() ? QStringLiteral("-") : archivo;
            continue;
        }
        if (a == QLatin1String("--imprimir") || a.startsWith(QLatin1String("--imprimir="))) {
            QString archivo;
            if (a.startsWith(QLatin1String("--imprimir="))) archivo = a.mid(11);
            else if (i + 1 < argumentos.size()) archivo = argumentos[++i];
            if (archivoImprimir) *archivoImprimir = archivo;
            continue;
        }
        if (a == QLatin1String("--copias") || a.startsWith(QLatin1String("--copias="))) {
            QString valor;
            if (a.startsWith(QLatin1String("--copias="))) valor = a.mid(9);
            else if (i + 1 < argumentos.size()) valor = argumentos[++i];
            bool ok = false;
            const int n = valor.trimmed().toInt(&ok);
            if (copias) *copias = ok && n >= 1 ? n : 0;
            continue;
        }
        if (conValor.contains(a)) { ++i; continue; }
        if (sinValor.contains(a)) continue;
        piezas << a;
    }
    return piezas.join(QLatin1Char(' '));
}

// --- the program's folder ---------------------------------------------------

QString ResuelveCarpetaApp() {
    const QString env = qEnvironmentVariable("TALERUNA_CARPETA_APP");
    if (!env.isEmpty()) return Funciones().NormalizaRuta(QDir::cleanPath(QDir(env).absolutePath()));
    if (QCoreApplication::instance()) {
        const QString exe = QCoreApplication::applicationDirPath();
        if (QFileInfo(exe + QLatin1String("/consultas.kvt")).isFile()) return Funciones().NormalizaRuta(exe);
    }
    QString datos = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (datos.isEmpty()) datos = QDir::homePath() + QLatin1String("/.local/share");
    datos += QLatin1String("/taleruna/conscpte");
    QDir().mkpath(datos);
    return Funciones().NormalizaRuta(datos);
}

// --- parameters ---------------------------------------------------------------

namespace {
// value between the key and the first `fin` after it; raises error 5 when no `fin` follows.
QString ValorEntre(const QString& texto, const QString& clave, QChar fin) {
    if (clave.isEmpty()) return {};
    const qsizetype p = texto.indexOf(clave, 0, Qt::CaseInsensitive);
    if (p < 0) return {};
    const qsizetype f = texto.indexOf(fin, p);
    const qsizetype n = f - clave.size() - p;
    if (f < 0 || n < 0)
        throw ErrorEjecucion(ErrorEjecucion::LlamadaNoValida,
                             QStringLiteral("Llamada a procedimiento o argumento no válido (falta \"%1\" tras %2).")
                                 .arg(fin)
                                 .arg(clave));
    // The "=" between key and value is dropped; one inside the value (a
    // password, the form's parameter text) is kept.
    QString valor = texto.mid(p + clave.size(), n).trimmed();
    if (valor.startsWith(QLatin1Char('='))) valor.remove(0, 1);
    return valor.trimmed();
}
} // namespace

QString ObtieneParametro(const QString& texto, const QString& clave) {
    return ValorEntre(texto, clave, QLatin1Char('|'));
}

QString ValorLineaComandos(const QString& linea, const QString& clave) {
    try {
        return ValorEntre(linea, clave, QLatin1Char(';'));
    } catch (const ErrorEjecucion& e) {
        if (e.Numero() == ErrorEjecucion::LlamadaNoValida) return {};
        throw;
    }
}

FinPrograma EstableceFinPrograma(FinPrograma f) {
    FinPrograma anterior = std::move(gFinPrograma);
    gFinPrograma = std::move(f);
    return anterior;
}

void TerminaPrograma(int codigo) {
    if (gFinPrograma) {
        gFinPrograma(codigo);
        return;
    }
    // The shared instances are released here, while Qt's own process-wide
    // objects still exist, not by the destructors that run after exit().
    if (InstanciaUnica<ClsConexion>::Existe()) Conexion().Cierra();
    Instancias::LiberaTodas();
    std::fflush(stdout);
    std::fflush(stderr);
    std::exit(codigo);
}

// --- configuration and formats ----------------------------------------------

namespace {
// The values read by the open operation (see AmbitoConfiguracion).
struct MemoriaConfiguracion {
    int profundidad = 0;
    QHash<QString, QString> valores;   // Cfg by key as asked
    QHash<QString, long long> digitos; // win.ini [intl] ICurrDigits by file
};
MemoriaConfiguracion& Memoria() {
    static MemoriaConfiguracion m;
    return m;
}
} // namespace

AmbitoConfiguracion::AmbitoConfiguracion() { ++Memoria().profundidad; }

AmbitoConfiguracion::~AmbitoConfiguracion() {
    MemoriaConfiguracion& m = Memoria();
    if (--m.profundidad > 0) return;
    m.profundidad = 0;
    m.valores.clear();
    m.digitos.clear();
}

bool AmbitoConfiguracion::Abierto() { return Memoria().profundidad > 0; }

QString Cfg(const QString& clave) {
    MemoriaConfiguracion& memoria = Memoria();
    if (memoria.profundidad > 0) {
        const auto it = memoria.valores.constFind(clave);
        if (it != memoria.valores.cend()) return *it;
    }
    QString resultado;
    bool leido = false;
    ConTrampa(QStringLiteral("Cfg"), [&](Trampa& t) {
        const QString sql = QStringLiteral("SELECT * FROM TA_CONFIGURACION WHERE LTRIM(RTRIM(CLAVE)) = ") +
                            SqlLiteral::Texto(clave);
        Recordset rs = t.Paso([&] { return Conexion().AbreRecordset(sql, 0, 1, -1); });
        if (rs.Bof()) resultado = QStringLiteral(" ");
        else resultado = t.Paso([&] { return Funciones().ValorCampo(rs.Campo(QStringLiteral("Valor"))).toString(); });
        Conexion().CierraRecordset(rs);
        leido = true;
    });
    // A value the trap reported as failed is not remembered: the next cell asks again.
    if (leido && memoria.profundidad > 0) memoria.valores.insert(clave, resultado);
    return resultado;
}

double ValorNumerico(const QString& texto) {
    static const QRegularExpression re(QStringLiteral("^[ \\t]*([-+]?(\\d+(\\.\\d*)?|\\.\\d+)([eE][-+]?\\d+)?)"));
    const auto m = re.match(texto);
    if (!m.hasMatch()) return 0;
    return m.captured(1).toDouble();
}

double RedondeoPar(double v) { return std::nearbyint(v); }

QString TextoPropio(const QString& texto) {
    QString r = texto.toLower();
    bool inicio = true;
    for (QChar& c : r) {
        if (c.isLetterOrNumber() || c == QLatin1Char('\'')) {
            if (inicio) c = c.toUpper();
            inicio = false;
        } else {
            inicio = true;
        }
    }
    return r;
}

QString FormateaCeros(const QString& texto, int digitos) {
    const QString t = texto.trimmed();
    static const QRegularExpression numerico(QStringLiteral("^[-+]?(\\d+(\\.\\d*)?|\\.\\d+)$"));
    if (t.isEmpty() || !numerico.match(t).hasMatch()) return texto;
    const double v = std::round(t.toDouble());
    const bool neg = v < 0;
    QString s = QString::number(std::fabs(v), 'f', 0);
    if (s.size() < digitos) s = QString(digitos - s.size(), QLatin1Char('0')) + s;
    return neg ? QLatin1Char('-') + s : s;
}

namespace {
// The whole part of a number of decimals, held within -2 .. 100 so that no
// configured or passed value (1e30, NaN) can overflow the conversion.
long long Decimales(double v) {
    if (!(v > -2)) return -2;  // also NaN
    if (v > 100) return 100;
    return static_cast<long long>(v);
}
} // namespace

QString FmtMoneda(const QVariant& valor, const QVariant& decimales) {
    QString resultado;
    ConTrampa(QStringLiteral("FmtMoneda"), [&](Trampa& t) {
        // True (-1) as well as -1 mean "the configured number of decimals".
        const int tipo = decimales.metaType().id();
        long long d = tipo == QMetaType::Bool ? (decimales.toBool() ? -1 : 0)
                      : (tipo == QMetaType::Int || tipo == QMetaType::LongLong)
                          ? Decimales(static_cast<double>(decimales.toLongLong()))  // what its text reads as
                          : Decimales(ValorNumerico(decimales.toString()));
        if (!decimales.isValid()) d = -1;
        if (d == -1) {
            // The configured value is read as a number once for as long as it stays the same text.
            thread_local QString textoLeido;
            thread_local double valorLeido = 0;
            thread_local bool leido = false;
            const QString configurado = t.Paso([] { return Cfg(QStringLiteral("CantidadDecimales")); });
            if (!leido || configurado != textoLeido) {
                valorLeido = ValorNumerico(configurado);
                textoLeido = configurado;
                leido = true;
            }
            d = Decimales(valorLeido);
        }
        if (d == 0) {
            const QString archivoWin = Funciones().NormalizaRuta(Sesion().CarpetaWindows()) + QLatin1String("win.ini");
            MemoriaConfiguracion& memoria = Memoria();
            const auto it = memoria.digitos.constFind(archivoWin);
            if (memoria.profundidad > 0 && it != memoria.digitos.cend()) {
                d = *it;
            } else {
                d = Decimales(ValorNumerico(ArchivoIni().LeeValor(archivoWin, QStringLiteral("intl"),
                                                                  QStringLiteral("ICurrDigits"), QStringLiteral("2"))));
                if (memoria.profundidad > 0) memoria.digitos.insert(archivoWin, d);
            }
        }
        if (d < 0) d = 0;
        if (d > 20) d = 20;
        const QString texto = valor.metaType().id() == QMetaType::Double ? QString::number(valor.toDouble(), 'f', 6)
                                                                         : (valor.isNull() ? QString() : valor.toString());
        const Moneda importe = Funciones().TextoAMoneda(texto).RedondeadaParEven(static_cast<int>(d));
        const QString punto = QLocale().decimalPoint();
        const QChar separador = punto.isEmpty() ? QLatin1Char('.') : punto.at(0);
        resultado = importe.Formatea(static_cast<int>(d), separador, true);
    });
    return resultado;
}

namespace {
// The time of a text that reads as a date and/or time; invalid when it does not.
QTime HoraDeTexto(const QString& texto) {
    const QString t = texto.trimmed();
    if (t.isEmpty()) return {};
    static const QRegularExpression hora(
        QStringLiteral("^(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?\\s*([AaPp][Mm])?$"));
    static const QRegularExpression fecha(QStringLiteral("^(\\d{1,4})[/.-](\\d{1,2})[/.-](\\d{1,4})(?:[ T](.*))?$"));
    auto deHora = [](const QRegularExpressionMatch& m) -> QTime {
        int h = m.captured(1).toInt();
        const int mi = m.captured(2).toInt();
        const int s = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
        const QString ampm = m.captured(4).toUpper();
        if (!ampm.isEmpty()) {
            if (h < 1 || h > 12) return {};
            if (ampm == QLatin1String("PM") && h != 12) h += 12;
            if (ampm == QLatin1String("AM") && h == 12) h = 0;
        }
        return QTime(h, mi, s);
    };
    if (auto m = hora.match(t); m.hasMatch()) return deHora(m);
    if (auto m = fecha.match(t); m.hasMatch()) {
        const int a = m.captured(1).toInt(), b = m.captured(2).toInt(), c = m.captured(3).toInt();
        const QDate d = m.captured(1).size() == 4 ? QDate(a, b, c) : QDate(c, b, a);
        if (!d.isValid()) return {};
        const QString resto = m.captured(4).trimmed();
        if (resto.isEmpty()) return QTime(0, 0);
        if (auto mh = hora.match(resto); mh.hasMatch()) return deHora(mh);
        return {};
    }
    return {};
}
} // namespace

double HorasAMinutos(const QString& texto, const QString& horas, const QString& minutos, bool desdeTexto) {
    if (desdeTexto) {
        const qsizetype p = texto.indexOf(QLatin1Char(':'));
        double h = 0, m = 0;
        if (p >= 0) {
            h = ValorNumerico(texto.left(p));
            m = ValorNumerico(texto.mid(p + 1));
        } else {
            h = ValorNumerico(texto);
        }
        return h * 60 + m;
    }
    const QTime t = HoraDeTexto(texto);
    if (t.isValid()) return t.hour() * 60 + t.minute();
    if (!horas.isEmpty() && !minutos.isEmpty()) return ValorNumerico(horas) * 60 + ValorNumerico(minutos);
    return 0;
}

QString MinutosAHoras(const QVariant& totalMinutos, long& horasSalida, long& minutosSalida) {
    double v = 0;
    if (totalMinutos.isValid() && !totalMinutos.isNull()) {
        bool ok = false;
        if (totalMinutos.metaType().id() == QMetaType::QString) {
            const QString t = totalMinutos.toString().trimmed();
            if (!t.isEmpty()) {
                v = QLocale::c().toDouble(QString(t).replace(QLatin1Char(','), QLatin1Char('.')), &ok);
                if (!ok)
                    throw ErrorEjecucion(ErrorEjecucion::TipoNoCoincide,
                                         QStringLiteral("No coinciden los tipos: \"%1\" no es una cantidad de minutos.").arg(t));
            }
        } else {
            v = totalMinutos.toDouble(&ok);
            if (!ok)
                throw ErrorEjecucion(ErrorEjecucion::TipoNoCoincide,
                                     QStringLiteral("No coinciden los tipos: el valor no es una cantidad de minutos."));
        }
    }
    // A count of minutes beyond a whole number's range is an overflow error.
    if (!std::isfinite(v) || std::fabs(v) > 9.0e15)
        throw ErrorEjecucion(ErrorEjecucion::Desbordamiento,
                             QStringLiteral("Desbordamiento: %1 minutos exceden el rango.").arg(v));
    const long long total = static_cast<long long>(RedondeoPar(v));
    const long long h = total / 60;  // truncates toward zero
    const long long m = total % 60;  // takes the sign of the dividend
    horasSalida = static_cast<long>(h);
    minutosSalida = static_cast<long>(m);
    auto dos = [](long long x) {
        QString s = QString::number(x < 0 ? -x : x);
        if (s.size() < 2) s.prepend(QLatin1Char('0'));
        return x < 0 ? QLatin1Char('-') + s : s;
    };
    return dos(h) + QLatin1Char(':') + dos(m);
}

QString MinutosAHoras(const QVariant& totalMinutos) {
    long h = 0, m = 0;
    return MinutosAHoras(totalMinutos, h, m);
}
