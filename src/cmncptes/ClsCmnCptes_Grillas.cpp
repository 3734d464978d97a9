// Detail grid layouts: the column contract of the services, articles,
// other-concepts and item-count grids, and the in-grid edit box binding.
#include "cmncptes/ClsCmnCptes.h"

#include "cmncptes/GrillaFlex.h"
#include "cmncptes/VistaGrilla.h"
#include "session/ClsConexion.h"
#include "session/ClsFunciones.h"
#include "session/ModGlobal.h"
#include "session/SqlLiteral.h"

#include <QLineEdit>
#include <QWidget>

namespace {

bool EsSi(const QString& v) { return v.trimmed().compare(QLatin1String("SI"), Qt::CaseInsensitive) == 0; }

// Width of n capital X in Obj's font, in twips.
int X(const QWidget* obj, int n) { return VistaGrilla::AnchoTextoTwips(obj, QString(n, QLatin1Char('X'))); }

void Columna(GrillaFlex* g, int col, const QString& encabezado, int ancho) {
    g->SetTextMatrix(0, col, encabezado);
    g->SetColWidth(col, ancho);
}

void Prepara(GrillaFlex* g, int filas, int columnas) {
    g->Clear();
    g->SetRows(filas);
    g->SetCols(columnas);
    // Lines of an earlier layout are gone: only the header row and empty lines remain.
    g->Clear();
}

} // namespace

void ClsCmnCptes::InicializaGrids(GrillaFlex* MSFlexGrid1, GrillaFlex* MSFlexGrid2, GrillaFlex* MSFlexGrid3,
                                  QLineEdit* TxtEdit, QLineEdit* txtEdit2, QLineEdit* txtEdit3, QWidget* Obj,
                                  const QString& TC, GrillaFlex* MSFlexGrid4) {
    // 1. The system that owns the type, and whether amounts are hidden.
    const QString tc4 = Funciones().RellenaTexto(TC.trimmed(), 4);
    Recordset rs = Conexion().AbreRecordset(QStringLiteral("SELECT SISTEMA FROM V_TA_CPTE WHERE CODIGO = ") +
                                            SqlLiteral::Texto(tc4));
    const QString sistema =
        rs.Eof() ? QString() : Funciones().ValorCampo(rs.Campo(QStringLiteral("Sistema"))).toString().trimmed();
    Conexion().CierraRecordset(rs);

    bool ocultaImportes = false;
    if (TC.compare(QLatin1String("OP"), Qt::CaseInsensitive) == 0 ||
        TC.compare(QLatin1String("OC"), Qt::CaseInsensitive) == 0)
        ocultaImportes = true;
    else if (TC.compare(QLatin1String("OT"), Qt::CaseInsensitive) == 0)
        ocultaImportes = EsSi(Cfg(QStringLiteral("NoMostrarImportesEnOT")));
    const bool esVentas = sistema.compare(QLatin1String("VENTAS"), Qt::CaseInsensitive) == 0;
    const bool esStock = sistema.compare(QLatin1String("STOCK"), Qt::CaseInsensitive) == 0;

    // 2. Services.
    if (MSFlexGrid1) {
        GrillaFlex* g = MSFlexGrid1;
        Prepara(g, 2, 8);
        Columna(g, 0, QStringLiteral("Código"), X(Obj, 7));
        Columna(g, 1, QStringLiteral("Descripción"), X(Obj, 37));
        Columna(g, 2, QStringLiteral("Horas"), X(Obj, 7));
        Columna(g, 3, QStringLiteral("Valor/Hora"), X(Obj, 11));
        Columna(g, 4, QStringLiteral("Total"), X(Obj, 11));
        if (ocultaImportes) {
            const int ancho3 = g->ColWidth(3);
            g->SetColWidth(3, 0);
            const int suma = ancho3 + g->ColWidth(4);
            g->SetColWidth(4, 0);
            g->SetColWidth(1, g->ColWidth(1) + suma);
        }
        if (TC.trimmed().compare(QLatin1String("OT"), Qt::CaseInsensitive) == 0 && ocultaImportes) {
            const int ancho2 = g->ColWidth(2);
            g->SetColWidth(2, 0);
            g->SetColWidth(1, g->ColWidth(1) + ancho2);
        }
        Columna(g, 6, QStringLiteral("ImporteSinIVA"), 0);
        Columna(g, 7, QStringLiteral("AuxObservAdic"), 0);
        Columna(g, 5, QStringLiteral("AuxEsExento"), 0);
        g->SetRedraw(true);
        if (TxtEdit) TxtEdit->setVisible(false);
    }

    // 3. Header of the article code column.
    QString encabezadoCodigo = Cfg(QStringLiteral("NombreArticulos"));
    if (encabezadoCodigo.trimmed().isEmpty()) encabezadoCodigo = QStringLiteral("Código");
    encabezadoCodigo = TextoPropio(encabezadoCodigo);

    // 4. Articles.
    if (MSFlexGrid2) {
        GrillaFlex* g = MSFlexGrid2;
        const bool listas = esVentas && EsSi(Cfg(QStringLiteral("V_ListaPreciosPorItemArticulos")));
        const bool descuentos = esVentas && EsSi(Cfg(QStringLiteral("V_DescuentoPorArticulos")));
        Prepara(g, 2, 25);
        Columna(g, 0, encabezadoCodigo, X(Obj, 15));
        g->SetColAlignment(0, GrillaFlex::IzquierdaCentro);
        Columna(g, 1, QStringLiteral("Descripción"), X(Obj, 29));
        Columna(g, 2, QStringLiteral("Lista"), 0);
        if (listas) {
            g->SetColWidth(0, g->ColWidth(0) - X(Obj, 1));
            g->SetColWidth(1, g->ColWidth(1) - X(Obj, 3));
            g->SetColWidth(2, X(Obj, 4));
        }
        Columna(g, 3, QStringLiteral("UD"), X(Obj, 4));
        Columna(g, 4, QStringLiteral("Cant."), X(Obj, 4));
        Columna(g, 5, QStringLiteral("% Dto."), 0);
        if (descuentos) {
            g->SetColWidth(0, g->ColWidth(0) - X(Obj, 1));
            g->SetColWidth(1, g->ColWidth(1) - X(Obj, 3));
            g->SetColWidth(5, X(Obj, 5));
        }
        Columna(g, 6, QStringLiteral("Importe"), X(Obj, 11));
        Columna(g, 7, QStringLiteral("Total"), X(Obj, 11));
        if (ocultaImportes) {
            g->SetColWidth(1, g->ColWidth(1) + g->ColWidth(6) + g->ColWidth(7));
            g->SetColWidth(6, 0);
            g->SetColWidth(7, 0);
        }
        static const char* const auxiliares1[] = {"AuxEsExento",  "AuxPrecioSinIVA", "AuxImpuestos", "AuxPideSerie",
                                                  "AuxPidelote",  "AuxNroLote",      "AuxNroSerie",  "AuxRestoPorAplicar"};
        for (int i = 0; i < 8; ++i) Columna(g, 8 + i, QString::fromLatin1(auxiliares1[i]), 0);
        if (esStock) {
            g->SetColWidth(1, g->ColWidth(1) + g->ColWidth(6) - 480);
            g->SetColWidth(6, 0);
            g->SetColWidth(1, g->ColWidth(1) + g->ColWidth(7));
            g->SetColWidth(7, 0);
            g->SetColWidth(3, g->ColWidth(3) + X(Obj, 4));
            g->SetColWidth(4, g->ColWidth(4) + X(Obj, 7));
        }
        static const char* const auxiliares2[] = {"AuxTipoArticulo",  "AuxRubroArticulo",  "AuxListaConIVA",
                                                  "AuxPrecioConIVA",  "AuxCantidadInsumo", "AuxImporteDescuentoArticulo",
                                                  "AuxTipoCoeficiente", "AuxCoeficiente",  "AuxStockDisponible"};
        for (int i = 0; i < 9; ++i) Columna(g, 16 + i, QString::fromLatin1(auxiliares2[i]), 0);
        g->SetRedraw(true);
        if (txtEdit2) txtEdit2->setVisible(false);
    }

    // 5. Other concepts.
    if (MSFlexGrid3) {
        GrillaFlex* g = MSFlexGrid3;
        if (txtEdit3) txtEdit3->clear();
        Prepara(g, 2, 3);
        Columna(g, 0, QStringLiteral("Detalle"), X(Obj, 49));
        Columna(g, 1, QStringLiteral("Importe S/Iva"), X(Obj, 11));
        Columna(g, 2, QStringLiteral("Importe"), X(Obj, 11));
        g->SetColAlignment(0, GrillaFlex::IzquierdaCentro);
        if (ocultaImportes) {
            g->SetColWidth(0, g->ColWidth(0) + g->ColWidth(1) + g->ColWidth(2));
            g->SetColWidth(1, 0);
            g->SetColWidth(2, 0);
        }
    }

    // 6. Item counts.
    if (MSFlexGrid4) {
        GrillaFlex* g = MSFlexGrid4;
        Prepara(g, 5, 3);
        Columna(g, 0, QStringLiteral("Descripcion"), X(Obj, 50));
        Columna(g, 1, QStringLiteral("Cantidad ITEM'S"), X(Obj, 15));
        Columna(g, 2, QStringLiteral("Cantidad"), X(Obj, 10));
        g->SetColAlignment(0, GrillaFlex::IzquierdaCentro);
    }
}

void ClsCmnCptes::TextPropiedades(QLineEdit* Texto, long Columna) {
    if (!Texto) return;
    Texto->setProperty("DataField", QString());
    Texto->setMaxLength(32767);  // no limit
    struct Enlace {
        const char* caja;
        long col;
        const char* campo;
        const char* tag;  // nullptr: unchanged
        int largo;        // 0: no limit
    };
    static const Enlace enlaces[] = {
        {"TxtEdit", 0, "IdTarea", "v_ta_tareas", 4},
        {"TxtEdit", 1, "Descripcion", nullptr, 0},
        {"TxtEdit", 2, "HorasEstimadas", nullptr, 0},
        {"TxtEdit", 3, "ValorHora", nullptr, 0},
        {"TxtEdit", 4, "Total", nullptr, 0},
        {"TxtEdit2", 0, "IdArticulo", "v_ma_articulos", 25},
        {"TxtEdit2", 1, "Descripcion", nullptr, 0},
        {"TxtEdit2", 2, "IdListaPrecioArticulo", "V_MA_PRECIOS", 4},
        {"TxtEdit2", 3, "IdUnidad", "V_TA_UNIDAD", 4},
        {"TxtEdit2", 4, "Cantidad", nullptr, 0},
        {"TxtEdit2", 5, "PorcDtoArticulo", "", 0},
        {"TxtEdit2", 6, "ArtImporte", nullptr, 0},
        {"TxtEdit2", 7, "Total", nullptr, 0},
        {"TxtEdit3", 0, "OCDescripcion", "", 200},
        {"TxtEdit3", 1, "OCImporteSinIva", "", 0},
        {"TxtEdit3", 2, "OCImporte", "", 0},
    };
    const QString nombre = Texto->objectName().trimmed();
    for (const Enlace& e : enlaces) {
        if (e.col != Columna || nombre.compare(QLatin1String(e.caja), Qt::CaseInsensitive) != 0) continue;
        Texto->setProperty("DataField", QString::fromLatin1(e.campo));
        if (e.tag) Texto->setProperty("Tag", QString::fromLatin1(e.tag));
        if (e.largo > 0) Texto->setMaxLength(e.largo);
        return;
    }
}
