#pragma once
// What the detail checks and totals of ClsCmnCptes see of an editing screen's
// status bar and tab strip, and the group totals of the summary. The widgets
// themselves (BarraEstado, TiraSolapas) live in the ui library; the services
// reach them only through these interfaces, so they run without a window.
#include <QColor>
#include <QList>
#include <QString>

// A status bar of numbered panels (1 to CantidadPaneles), each with a key.
class PanelesEstado {
public:
    virtual ~PanelesEstado() = default;
    virtual int CantidadPaneles() const = 0;
    // Raises ErrorEjecucion for a number outside 1..CantidadPaneles.
    virtual QString ClavePanel(int numero) const = 0;
    virtual QString TextoPanel(int numero) const = 0;
    virtual void EstableceTextoPanel(int numero, const QString& texto) = 0;
};

// A tab strip with one tab per detail grid (0 services, 1 articles, 2 other concepts).
class SolapasDetalle {
public:
    virtual ~SolapasDetalle() = default;
    virtual int CantidadSolapas() const = 0;
    virtual bool SolapaVisible(int indice) const = 0;
    virtual QString TituloSolapa(int indice) const = 0;
};

// One group of the article summary: its code and the running quantity as
// decimal text.
struct TipoTotalGrupo {
    QString Codigo;
    QString Cantidad;
};
// The groups of the last TotalizadorControl (rebuilt on every call).
extern QList<TipoTotalGrupo> TotalesPorGrupo;
// Index of the first group whose code (without characters 255 and NUL,
// trimmed) equals the trimmed code, case ignored; -1 when none does.
int BuscaGrupo(const QString& codigo);

// A colour of the suite's grids (32-bit, blue-green-red order) as a QColor.
QColor ColorGrillaBgr(long color);
// Colours of the summary.
constexpr long ColorAmarilloClaro = 12648447;  // a detail grid's line
constexpr long ColorNaranjaClaro = 12640511;   // a group line
constexpr long ColorAzul = 16711680;           // the closing row
