#include "inquiry/FrmStockArticulo.h"

#include "cmncptes/DialogoGrilla.h"
#include "cmncptes/GrillaFlex.h"
#include "cmncptes/VistaGrilla.h"
#include "session/ClsConexion.h"
#include "session/ClsFunciones.h"
#include "session/ModGlobal.h"
#include "session/Recordset.h"
#include "session/SqlLiteral.h"
#include "session/Trampa.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace {

QString Numero(double v) { return QLocale::c().toString(v, 'g', 15); }

bool Verdadero(const QVariant& v) {
    if (v.isNull() || !v.isValid()) return false;
    if (v.metaType().id() == QMetaType::Bool) return v.toBool();
    const QString t = v.toString().trimmed();
    return t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || Funciones().TextoANumero(t) != 0;
}

struct Columna {
    const char* titulo;
    int caracteres;
    int alineacion;
};
const Columna kColumnas[] = {
    {"Depósito", 9, GrillaFlex::CentroCentro},   {"Lote", 18, GrillaFlex::IzquierdaCentro},
    {"Serie", 18, GrillaFlex::IzquierdaCentro},  {"Posición", 12, GrillaFlex::IzquierdaCentro},
    {"Cantidad", 11, GrillaFlex::DerechaCentro},
};

} // namespace

FrmStockArticulo::FrmStockArticulo(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("FrmStockArticulo"));
    setWindowTitle(QStringLiteral("Stock del Artículo"));
    const PartesDialogoGrilla partes = ArmaDialogoGrilla(
        this, {QStringLiteral("lblArticulo"), QStringLiteral("MSFlexGrid1"), QStringLiteral("MSFlexGrid1"),
               QStringLiteral("lblTotal"), QStringLiteral("CmdCerrar"), QStringLiteral("&Cerrar"), true, true});
    lblArticulo = partes.Titulo;
    MSFlexGrid1 = partes.Grilla;
    Vista = partes.Vista;
    lblTotal = partes.Pie;
    CmdCerrar = partes.Boton;
}

bool FrmStockArticulo::CargaDatos(Trampa& t) {
    const ClsFunciones& f = Funciones();
    const QString articulo = SqlLiteral::Texto(f.RellenaTexto(Articulo.trimmed(), 25));
    Recordset ma = t.Paso([&] {
        return Conexion().AbreRecordset(
            QStringLiteral("SELECT DESCRIPCION, USASERIE, USALOTE FROM V_MA_ARTICULOS WHERE IDARTICULO = ") + articulo, 0, 1, -1);
    });
    if (ma.Eof()) return false;
    const QString descripcion = f.ValorCampo(ma.Campo(QStringLiteral("DESCRIPCION"))).toString().trimmed();
    const bool usaSerie = Verdadero(ma.Campo(QStringLiteral("USASERIE")));
    const bool usaLote = Verdadero(ma.Campo(QStringLiteral("USALOTE")));
    ma.Cierra();
    lblArticulo->setText(Articulo.trimmed() + QStringLiteral(" - ") + descripcion);

    std::vector<QStringList> filas;
    t.Paso([&] {
        Recordset rs = Conexion().AbreRecordset(
            QStringLiteral("SELECT IdDeposito, NroLote, NroSerie, IdPosicion, CANTIDAD FROM STK_SERIES_Y_LOTES WHERE IDARTICULO = ") +
                articulo + QStringLiteral(" AND CANTIDAD <> 0 ORDER BY IdDeposito, NroLote, NroSerie"),
            0, 1, -1);
        while (!rs.Eof()) {
            QStringList celdas;
            for (const char* campo : {"IdDeposito", "NroLote", "NroSerie", "IdPosicion"})
                celdas << f.ValorCampo(rs.Campo(QString::fromLatin1(campo))).toString().trimmed();
            celdas << Numero(f.TextoANumero(f.ValorCampo(rs.Campo(QStringLiteral("CANTIDAD")))));
            filas.push_back(celdas);
            rs.MoveNext();
        }
    });
    Total = CmnCptes.ObtieneStock(Articulo, QString(), QString(), QString(), QString());

    GrillaFlex* g = MSFlexGrid1;
    Vista->EstableceGrilla(nullptr);
    g->SetRows(0);
    g->SetCols(5);
    g->SetRows(1 + static_cast<int>(filas.size()));
    g->SetFixedRows(1);
    for (int c = 0; c < 5; ++c) {
        g->SetTextMatrix(0, c, QString::fromUtf8(kColumnas[c].titulo));
        g->SetColWidth(c, VistaGrilla::AnchoTextoTwips(this, QString(kColumnas[c].caracteres, QLatin1Char('X'))));
        g->SetColAlignment(c, kColumnas[c].alineacion);
    }
    if (!usaLote) g->SetColWidth(1, 0);
    if (!usaSerie) g->SetColWidth(2, 0);
    for (int i = 0; i < static_cast<int>(filas.size()); ++i)
        for (int c = 0; c < 5; ++c) g->SetTextMatrix(i + 1, c, filas[static_cast<size_t>(i)].at(c));
    Vista->EstableceGrilla(g);
    lblTotal->setText(QStringLiteral("Stock total: ") + Numero(Total));

    int ancho = 2 * Vista->frameWidth() + Vista->verticalScrollBar()->sizeHint().width() + 4;
    for (int c = 0; c < 5; ++c) ancho += VistaGrilla::TwipsAPixeles(g->ColWidth(c), Vista->logicalDpiX());
    const int fila = Vista->verticalHeader()->defaultSectionSize();
    const int visibles = std::clamp(static_cast<int>(filas.size()), 6, 14);
    Vista->setMinimumWidth(ancho);
    resize(std::max(ancho + 20, 420), Vista->horizontalHeader()->sizeHint().height() + visibles * fila + 2 * Vista->frameWidth() +
                                          lblArticulo->sizeHint().height() + CmdCerrar->sizeHint().height() + 2 * 8 + 20);
    return true;
}
