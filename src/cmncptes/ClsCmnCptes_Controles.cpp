// Detail checks and totals for the screens that edit a voucher in the three
// detail grids: the line count against the printed form, item counts, the
// current line in the status bar, the summary grid, row and column colours,
// repeated lines and fractional numbers. Grid columns: 0 code (all grids),
// 1 description, task grid 2 hours "H:MM"; article grid 4 quantity, 16 type,
// 17 category, 24 stock available.
#include "cmncptes/ClsCmnCptes.h"

#include "cmncptes/ControlesDetalle.h"
#include "cmncptes/GrillaFlex.h"
#include "printing/ModImpresion.h"
#include "session/ClsConexion.h"
#include "session/ClsFunciones.h"
#include "session/ModGlobal.h"
#include "session/Trampa.h"

#include <QFileInfo>
#include <QLocale>

#include <cmath>

QList<TipoTotalGrupo> TotalesPorGrupo;

namespace {

constexpr int ArchivoNoEncontrado = 53;
constexpr int ObjetoNoEstablecido = 91;

QString Celda(const GrillaFlex* g, int fila, int col) { return g->TextMatrix(fila, col).trimmed(); }

bool FilaUsada(const GrillaFlex* g, int fila) { return !Celda(g, fila, 0).isEmpty(); }

long FilasUsadas(const GrillaFlex* g) {
    long n = 0;
    if (!g) return 0;
    for (int r = 1; r < g->Rows(); ++r)
        if (FilaUsada(g, r)) ++n;
    return n;
}

GrillaFlex* Requiere(GrillaFlex* g, const char* nombre) {
    if (!g)
        throw ErrorEjecucion(ObjetoNoEstablecido,
                             QStringLiteral("Variable de objeto no establecida (%1).").arg(QLatin1String(nombre)));
    return g;
}

QString CodigoLimpio(const QString& codigo) {
    return Funciones().ReemplazaTexto(codigo, QString(QChar(0xFF)), QString(QChar(0))).trimmed();
}

// A quantity read from a grid (the suite's number reading), kept in
// ten-thousandths so that sums carry no binary fractions.
Moneda Cantidad(const QString& texto) {
    const double v = Funciones().TextoANumero(texto);
    if (!std::isfinite(v) || std::fabs(v) >= 9.0e14)
        throw ErrorEjecucion(ErrorEjecucion::Desbordamiento,
                             QStringLiteral("Desbordamiento: la cantidad %1 excede el rango.").arg(texto.trimmed()));
    return Moneda::DesdeDiezmilesimos(std::llround(v * Moneda::Escala));
}

// Decimal text of a quantity: no trailing zeros, "." as separator ("12.5", "3").
QString TextoCantidad(Moneda m) {
    QString t = m.Formatea(4);
    if (t.contains(QLatin1Char('.'))) {
        while (t.endsWith(QLatin1Char('0'))) t.chop(1);
        if (t.endsWith(QLatin1Char('.'))) t.chop(1);
    }
    if (t == QLatin1String("-0")) t = QStringLiteral("0");
    return t;
}

// The suite's text of a number (at most 15 significant digits).
QString TextoNumero(double v) { return QLocale::c().toString(v, 'g', 15); }

bool LineaRepetida(GrillaFlex* g, const QString& valor, long FilaIgnorar, long& FilaEncontrada) {
    const QString buscado = valor.trimmed();
    for (int r = 1; r < g->Rows(); ++r) {
        if (r == FilaIgnorar) continue;
        if (Celda(g, r, 0).compare(buscado, Qt::CaseInsensitive) == 0) {
            FilaEncontrada = r;
            return true;
        }
    }
    return false;
}

} // namespace

int BuscaGrupo(const QString& codigo) {
    const QString buscado = codigo.trimmed();
    for (int i = 0; i < TotalesPorGrupo.size(); ++i)
        if (CodigoLimpio(TotalesPorGrupo[i].Codigo).compare(buscado, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QColor ColorGrillaBgr(long color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

// --- line count against the printed form -------------------------------------------

bool ClsCmnCptes::ValidaCantidadLineasCpte(const QString& TC, const QString& Letra, GrillaFlex* MSFlexGrid1,
                                           GrillaFlex* MSFlexGrid2, GrillaFlex* MSFlexGrid3, int& CantLineas,
                                           int& CantLineasUsadas, long Agragarle, int& LineasAnteriores) {
    bool caben = false;
    ConTrampa(QStringLiteral("ValidaCantidadLineasCpte"), [&](Trampa& t) {
        if (LineasAnteriores != -1) {
            const QString ruta = Funciones().NormalizaRuta(CarpetaApp) + QStringLiteral("PRINTERS.PRN");
            const QString fecha = t.Paso([&] {
                const QFileInfo info(ruta);
                if (!info.exists())
                    throw ErrorEjecucion(ArchivoNoEncontrado, QStringLiteral("No se encontró el archivo %1").arg(ruta));
                return info.lastModified().toString(Qt::ISODateWithMs);
            });
            // A date that could not be read never counts as unchanged.
            if (!fecha.isEmpty() && fecha.compare(FechaPrinters, Qt::CaseInsensitive) == 0) {
                CantLineas = LineasAnteriores;
            } else {
                t.Paso([&] {
                    QString impresora, destino;
                    int copias = 0;
                    ObtieneImpresoraComprobante(TC, Letra, impresora, copias, CantLineas, destino);
                });
                FechaPrinters = fecha;
                LineasAnteriores = CantLineas;
            }
        }
        if (CantLineas == 0) {
            caben = true;
            return;
        }
        CantLineasUsadas = static_cast<int>(
            t.Paso([&] { return FilasUsadas(MSFlexGrid1) + FilasUsadas(MSFlexGrid2) + FilasUsadas(MSFlexGrid3); }));
        caben = CantLineas >= CantLineasUsadas + Agragarle;
    });
    return caben;
}

long ClsCmnCptes::CuentaItems(GrillaFlex* MSFlexGrid1, GrillaFlex* MSFlexGrid2, GrillaFlex* MSFlexGrid3,
                              long& CantTareas, long& CantArticulos, long& CantOtrosConceptos) {
    long total = 0;
    ConTrampa(QStringLiteral("CuentaItems&"), [&](Trampa& t) {
        CantTareas = 0;
        CantArticulos = 0;
        CantOtrosConceptos = 0;
        CantTareas = t.Paso([&] { return FilasUsadas(MSFlexGrid1); });
        CantArticulos = t.Paso([&] { return FilasUsadas(MSFlexGrid2); });
        CantOtrosConceptos = t.Paso([&] { return FilasUsadas(MSFlexGrid3); });
        total = CantTareas + CantArticulos + CantOtrosConceptos;
    });
    return total;
}

// --- the current line in the status bar -------------------------------------------

void ClsCmnCptes::MuestraDetalle(const QString& Detalle, PanelesEstado* StatB, long Columna) {
    if (!StatB) throw ErrorEjecucion(ObjetoNoEstablecido, QStringLiteral("Variable de objeto no establecida (StatB)."));
    StatB->EstableceTextoPanel(static_cast<int>(Columna), Detalle);
}

void ClsCmnCptes::MuestraDetalleTareas(GrillaFlex* MSFlexGrid1, PanelesEstado* StatB) {
    const GrillaFlex* g = Requiere(MSFlexGrid1, "MSFlexGrid1");
    MuestraDetalle(Celda(g, g->Row(), 0) + QStringLiteral(" - ") + Celda(g, g->Row(), 1), StatB, 3);
}

void ClsCmnCptes::MuestraDetalleArticulos(GrillaFlex* MSFlexGrid2, PanelesEstado* StatB, long Columna) {
    const GrillaFlex* g = Requiere(MSFlexGrid2, "MSFlexGrid2");
    MuestraDetalle(Celda(g, g->Row(), 0) + QStringLiteral(" - ") + Celda(g, g->Row(), 1), StatB, Columna);
    for (int p = 1; p <= StatB->CantidadPaneles(); ++p) {
        if (StatB->ClavePanel(p).compare(QLatin1String("Stock"), Qt::CaseInsensitive) != 0) continue;
        StatB->EstableceTextoPanel(
            p, QStringLiteral("Stock: ") + TextoNumero(Funciones().TextoANumero(g->TextMatrix(g->Row(), 24))));
        break;
    }
}

void ClsCmnCptes::MuestraDetalleOtrosConceptos(GrillaFlex* MSFlexGrid3, PanelesEstado* StatB) {
    const GrillaFlex* g = Requiere(MSFlexGrid3, "MSFlexGrid3");
    MuestraDetalle(Celda(g, g->Row(), 0), StatB, 3);
}

// --- the summary ---------------------------------------------------------------------

void ClsCmnCptes::TotalizadorControl(GrillaFlex* MSFlexGrid1, GrillaFlex* MSFlexGrid2, GrillaFlex* MSFlexGrid3,
                                     GrillaFlex* MSFlexGrid4, const SolapasDetalle* SSTab1, bool AbiertoPorRubro,
                                     bool AbiertoPorTipo) {
    ConTrampa(QStringLiteral("TotalizadorControl"), [&](Trampa& t) {
        GrillaFlex* resumen = t.Paso([&] { return Requiere(MSFlexGrid4, "MSFlexGrid4"); });
        if (!resumen) return;
        if (!SSTab1) t.Paso([] { throw ErrorEjecucion(ObjetoNoEstablecido, QStringLiteral("Variable de objeto no establecida (SSTab1).")); });
        auto visible = [&](int i) { return SSTab1 && t.Paso([&] { return SSTab1->SolapaVisible(i); }); };
        auto titulo = [&](int i) { return t.Paso([&] { return SSTab1->TituloSolapa(i); }); };
        // Writes one line on the summary's last row, paints it and adds a row.
        auto linea = [&](const QString& descripcion, const QString& items, const QString& cantidad, long color) {
            t.Paso([&] {
                const int f = resumen->Rows() - 1;
                resumen->SetTextMatrix(f, 0, descripcion);
                resumen->SetTextMatrix(f, 1, items);
                resumen->SetTextMatrix(f, 2, cantidad);
            });
            t.Paso([&] { PintarFila(resumen->Rows() - 1, resumen, color); });
            t.Paso([&] { resumen->SetRows(resumen->Rows() + 1); });
        };

        t.Paso([&] { resumen->SetRows(2); });

        // Services: count and hours. Whole hours and the remaining minutes are
        // summed apart; minutes beyond 59 are carried into the hours.
        if (visible(0)) {
            long n = 0, horas = 0, minutos = 0;
            GrillaFlex* g = t.Paso([&] { return Requiere(MSFlexGrid1, "MSFlexGrid1"); });
            for (int r = 1; g && r < g->Rows(); ++r) {
                t.Paso([&] {
                    if (!FilaUsada(g, r)) return;
                    long h = 0, m = 0;
                    MinutosAHoras(HorasAMinutos(g->TextMatrix(r, 2), QStringLiteral("HHHH"), QStringLiteral("MM"), true), h, m);
                    ++n;
                    horas += h;
                    minutos += m;
                });
            }
            horas += minutos / 60;
            minutos %= 60;
            const QString total = QString::number(horas) + QLatin1Char(':') +
                                  QString::number(std::labs(minutos)).rightJustified(2, QLatin1Char('0'));
            linea(titulo(0), QString::number(n), total, ColorAmarilloClaro);
        }

        // Articles: count, total quantity, and the quantity of each group.
        if (visible(1)) {
            int colGrupo = 0;
            QString columnaDescripcion, columnaClave, tabla;
            if (AbiertoPorRubro) {
                colGrupo = 17;
                columnaDescripcion = QStringLiteral("Descripcion");
                columnaClave = QStringLiteral("IdRubro");
                tabla = QStringLiteral("V_ta_Rubros");
            } else if (AbiertoPorTipo) {
                colGrupo = 16;
                columnaDescripcion = QStringLiteral("Descripcion");
                columnaClave = QStringLiteral("Tipo");
                tabla = QStringLiteral("V_ta_TipoArticulo");
            }
            TotalesPorGrupo = {TipoTotalGrupo{}};
            long n = 0;
            Moneda total;
            GrillaFlex* g = t.Paso([&] { return Requiere(MSFlexGrid2, "MSFlexGrid2"); });
            for (int r = 1; g && r < g->Rows(); ++r) {
                if (!t.Paso([&] { return FilaUsada(g, r); })) continue;
                t.Paso([&] {
                    const QString codigo = Celda(g, r, colGrupo);
                    const Moneda cantidad = Cantidad(g->TextMatrix(r, 4));
                    const int i = BuscaGrupo(codigo);
                    const QString suma = i >= 0 ? TextoCantidad(cantidad + Cantidad(TotalesPorGrupo[i].Cantidad))
                                                : TextoCantidad(cantidad);
                    total += cantidad;
                    ++n;
                    if (i >= 0) TotalesPorGrupo[i].Cantidad = suma;
                    else TotalesPorGrupo.append({codigo, suma});
                });
            }
            linea(titulo(1), QString::number(n), TextoCantidad(total), ColorAmarilloClaro);
            if (n > 0) {
                for (const TipoTotalGrupo& grupo : TotalesPorGrupo) {
                    const QString codigo = CodigoLimpio(grupo.Codigo);
                    const QString descripcion = t.Paso([&] {
                        if (!tabla.isEmpty())
                            return Funciones()
                                .ValorCampo(Conexion().ObtieneDescripcion(tabla, codigo, columnaDescripcion, columnaClave, 8, {}))
                                .toString()
                                .trimmed();
                        // Grouped by article code: the description of its first line.
                        for (int r = 1; r < g->Rows(); ++r)
                            if (!codigo.isEmpty() && Celda(g, r, 0).compare(codigo, Qt::CaseInsensitive) == 0)
                                return Celda(g, r, 1);
                        return QString();
                    });
                    linea(grupo.Codigo + QLatin1Char('-') + descripcion, QString(), grupo.Cantidad, ColorNaranjaClaro);
                }
            }
        }

        // Other concepts: count.
        if (visible(2)) {
            const long n = t.Paso([&] { return FilasUsadas(Requiere(MSFlexGrid3, "MSFlexGrid3")); });
            linea(titulo(2), QString::number(n), QString(), ColorAmarilloClaro);
        }

        t.Paso([&] { PintarFila(resumen->Rows() - 1, resumen, ColorAzul); });
    });
}

// --- colours -------------------------------------------------------------------------

void ClsCmnCptes::PintarFila(long Fila, GrillaFlex* MsFlexGrid, long Color) {
    GrillaFlex* g = Requiere(MsFlexGrid, "MsFlexGrid");
    const int columna = g->Col();
    for (int c = 0; c < g->Cols(); ++c) {
        g->SetCol(c);
        g->SetRow(static_cast<int>(Fila));
        g->SetCellBackColor(ColorGrillaBgr(Color));
    }
    g->SetCol(columna);
}

void ClsCmnCptes::PintarColuma(long Columna, GrillaFlex* MsFlexGrid, long FilaDesde, long FilaHasta, long Color) {
    IgnorandoErrores([&](Trampa& t) {
        GrillaFlex* g = t.Paso([&] { return Requiere(MsFlexGrid, "MsFlexGrid"); });
        if (!g) return;
        const int fila = g->Row();
        const long desde = FilaDesde == -1 ? 0 : FilaDesde;
        const long hasta = FilaHasta == -1 ? g->Rows() - 1 : FilaHasta;
        for (long r = desde; r <= hasta; ++r) {
            t.Paso([&] { g->SetCol(static_cast<int>(Columna)); });
            t.Paso([&] { g->SetRow(static_cast<int>(r)); });
            t.Paso([&] { g->SetCellBackColor(ColorGrillaBgr(Color)); });
        }
        t.Paso([&] { g->SetRow(fila); });
    });
}

// --- repeated lines --------------------------------------------------------------------

bool ClsCmnCptes::TareaRepetida(GrillaFlex* MSFlexGrid1, const QString& Tarea, long FilaIgnorar, long& FilaEncontrada) {
    return LineaRepetida(Requiere(MSFlexGrid1, "MSFlexGrid1"), Tarea, FilaIgnorar, FilaEncontrada);
}

bool ClsCmnCptes::ArticuloRepetido(GrillaFlex* MSFlexGrid2, const QString& Articulo, long FilaIgnorar,
                                   long& FilaEncontrada) {
    return LineaRepetida(Requiere(MSFlexGrid2, "MSFlexGrid2"), Articulo, FilaIgnorar, FilaEncontrada);
}

bool ClsCmnCptes::OtrosConceptosRepetidos(GrillaFlex* MSFlexGrid3, const QString& OtroConcepto, long FilaIgnorar,
                                          long& FilaEncontrada) {
    return LineaRepetida(Requiere(MSFlexGrid3, "MSFlexGrid3"), OtroConcepto, FilaIgnorar, FilaEncontrada);
}

// --- fractions -------------------------------------------------------------------------

bool ClsCmnCptes::NumeroEsFraccion(const QVariant& Numero) {
    const double v = Funciones().TextoANumero(Numero);
    if (!std::isfinite(v)) return false;
    const double entero = RedondeoPar(v);
    // Within the 16-bit range: compared with the nearest integer (halves to
    // even). Beyond it: a fraction exactly when it has a fractional part.
    if (entero >= -32768.0 && entero <= 32767.0) return v != entero;
    return v != std::trunc(v);
}
