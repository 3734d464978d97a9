#include "forms/FrmCargaLotesySeries.h"

#include "cmncptes/EdicionSerieLote.h"
#include "cmncptes/GrillaFlex.h"
#include "cmncptes/ListaSerieLote.h"
#include "cmncptes/VistaGrilla.h"
#include "session/ClsConexion.h"
#include "session/ClsControles.h"
#include "session/ClsFunciones.h"
#include "session/Dialogos.h"
#include "session/ModGlobal.h"
#include "session/Recordset.h"
#include "session/SqlLiteral.h"
#include "session/Trampa.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const QString kAviso = QStringLiteral("Aviso al Operador");
// Rows the dialog opens showing: as many as there are, between these.
constexpr int kFilasMinimas = 6;
constexpr int kFilasMaximas = 12;

// A quantity written as a number (the suite's Str$ without its blank): 5, 2.5.
QString Numero(double v) { return QLocale::c().toString(v, 'g', 15); }

// A typed quantity read as a number; false when the text is not one.
bool LeeNumero(const QString& texto, double& v) {
    bool ok = false;
    v = QLocale::c().toDouble(texto, &ok);
    if (!ok) v = QLocale::c().toDouble(QString(texto).replace(QLatin1Char(','), QLatin1Char('.')), &ok);
    return ok && std::isfinite(v);
}

int AnchoCaracteres(const QWidget* w, int caracteres) {
    return VistaGrilla::AnchoTextoTwips(w, QString(caracteres, QLatin1Char('X')));
}

const QColor kFija(236, 236, 236);  // background of the fixed columns

} // namespace

FrmCargaLotesySeries::FrmCargaLotesySeries(QWidget* padre) : QDialog(padre) {
    ConstruyeControles();
}

FrmCargaLotesySeries::~FrmCargaLotesySeries() = default;

ClsCmnCptes* FrmCargaLotesySeries::Cmn() {
    if (!CmnCptes) CmnCptes = std::make_unique<ClsCmnCptes>();
    return CmnCptes.get();
}

void FrmCargaLotesySeries::ConstruyeControles() {
    setObjectName(QStringLiteral("FrmCargaLotesySeries"));
    setWindowTitle(QStringLiteral("Numeros de Serie"));
    setSizeGripEnabled(true);

    auto* principal = new QVBoxLayout(this);
    principal->setContentsMargins(8, 4, 8, 8);
    principal->setSpacing(6);

    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setIconSize(QSize(20, 20));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    struct Boton {
        const char* ayuda;
        const char* icono;
    };
    static const Boton botones[] = {
        {"Llenar las demas celdas con el valor de las seleccionadas", "llenar"},
        {"Blanquear las Celdas a partir de la celda seleccionada", "blanquear"},
        {"Llenar las demas celdas con los números de serie siguientes al seleccionado", "correlativos"},
    };
    for (int i = 0; i < 3; ++i) {
        const QString ayuda = QString::fromUtf8(botones[i].ayuda);
        QAction* a = Toolbar1->addAction(QIcon(QStringLiteral(":/lotes/%1.svg").arg(QLatin1String(botones[i].icono))), ayuda);
        a->setObjectName(QStringLiteral("Toolbar1_Boton%1").arg(i + 1));
        a->setToolTip(ayuda);
        const int indice = i + 1;
        connect(a, &QAction::triggered, this, [this, indice] { Toolbar1_ButtonClick(indice); });
        BotonesToolbar.append(a);
    }
    principal->addWidget(Toolbar1);

    lblArticulo = new QLabel(QStringLiteral("Artículo-Descripción"), this);
    lblArticulo->setObjectName(QStringLiteral("lblArticulo"));
    QFont negrita = lblArticulo->font();
    negrita.setBold(true);
    lblArticulo->setFont(negrita);
    lblArticulo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    principal->addWidget(lblArticulo);

    MSFlexGrid1 = new GrillaFlex(this);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    Vista = new VistaGrilla(this);
    Vista->setObjectName(QStringLiteral("MSFlexGrid1"));
    Vista->setSelectionMode(QAbstractItemView::SingleSelection);
    Vista->installEventFilter(this);
    connect(Vista, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) {
        MueveA(i.row() + MSFlexGrid1->FixedRows(), i.column());
        MsflexGridEdt(MSFlexGrid1, TxtEdit, 32);
    });
    // Scrolling away from an open editor commits it, as leaving its cell does.
    connect(Vista->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (TxtEdit->isVisible()) CompletaEdicion();
    });
    principal->addWidget(Vista, 1);

    TxtEdit = new QLineEdit(this);
    TxtEdit->setObjectName(QStringLiteral("TxtEdit"));
    TxtEdit->setVisible(false);
    TxtEdit->installEventFilter(this);

    auto* abajo = new QHBoxLayout;
    abajo->addStretch(1);
    CmdAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    CmdAceptar->setObjectName(QStringLiteral("CmdAceptar"));
    // Enter belongs to the grid's editing, never to the button.
    CmdAceptar->setAutoDefault(false);
    CmdAceptar->setDefault(false);
    CmdAceptar->setMinimumWidth(CmdAceptar->fontMetrics().horizontalAdvance(QStringLiteral("Aceptar")) + 48);
    connect(CmdAceptar, &QPushButton::clicked, this, &FrmCargaLotesySeries::CmdAceptar_Click);
    abajo->addWidget(CmdAceptar);
    principal->addLayout(abajo);
}

void FrmCargaLotesySeries::Form_Load() {
    Funciones().PreparaFormulario(this, false);
    AplicaEstiloFormulario(this);
}

// --- loading -------------------------------------------------------------------

void FrmCargaLotesySeries::CargaDatos() {
    EsSerieYLote = EsSerie && EsLote;
    if (EsSerieYLote) setWindowTitle(QStringLiteral("Números de Serie y Lote"));
    else if (EsSerie) setWindowTitle(QStringLiteral("Números de Serie "));
    else if (EsLote) setWindowTitle(QStringLiteral("Números de Lote"));
    lblArticulo->setText(TextoPropio(ArticuloDescripcion));
    // The rows are filled before the view shows them (one reset, however
    // many stock positions).
    Vista->EstableceGrilla(nullptr);
    InicializaGrid();
    VerificaAnteriores();
    Vista->EstableceGrilla(MSFlexGrid1);
    connect(Vista->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& actual, const QModelIndex&) {
                // Leaving a cell commits the open editor into the cell it was opened on.
                if (TxtEdit->isVisible()) CompletaEdicion();
                if (actual.isValid()) {
                    MSFlexGrid1->SetRow(actual.row() + MSFlexGrid1->FixedRows());
                    MSFlexGrid1->SetCol(actual.column());
                }
            });
    if (MSFlexGrid1->Rows() > MSFlexGrid1->FixedRows()) MueveA(MSFlexGrid1->FixedRows(), EsConsultaDeSerieLote ? 3 : 2);
    BotonesToolbar[2]->setEnabled(!EsConsultaDeSerieLote);
    AjustaTamano();
    Funciones().PreparaFormulario(this, false);
}

void FrmCargaLotesySeries::InicializaGrid() {
    GrillaFlex* g = MSFlexGrid1;
    g->SetRows(0);
    g->SetCols(4);
    if (EsConsultaDeSerieLote) {
        g->SetRows(1);
        g->SetFixedRows(1);
        const char* const titulos[] = {"LOTE", "SERIE", "CANT. STCK", "CANT. "};
        const int anchos[] = {15, 15, 12, 12};
        for (int c = 0; c < 4; ++c) {
            g->SetTextMatrix(0, c, QString::fromLatin1(titulos[c]));
            g->SetColWidth(c, AnchoCaracteres(this, anchos[c]));
        }
        g->SetColAlignment(0, GrillaFlex::CentroCentro);
        g->SetColAlignment(1, GrillaFlex::CentroCentro);
        g->SetColAlignment(2, GrillaFlex::DerechaCentro);
        g->SetColAlignment(3, GrillaFlex::DerechaCentro);
        if (!EsSerie) g->SetColWidth(1, 0);
        if (!EsLote) g->SetColWidth(0, 0);
        return;
    }
    const double filas = RedondeoPar(Cantidad + 1);
    g->SetRows(filas < 1 ? 1 : static_cast<int>(filas));
    g->SetFixedRows(1);
    g->SetTextMatrix(0, 1, QStringLiteral("ITEM"));
    g->SetTextMatrix(0, 2, EsSerie && !EsLote ? QStringLiteral("Número de Serie") : QStringLiteral("Número de Lote"));
    g->SetTextMatrix(0, 3, EsSerieYLote ? QStringLiteral("Número de Serie") : QString());
    g->SetColWidth(0, 0);
    g->SetColWidth(1, AnchoCaracteres(this, 5));
    g->SetColWidth(2, AnchoCaracteres(this, EsSerieYLote ? 25 : 35));
    g->SetColWidth(3, EsSerieYLote ? AnchoCaracteres(this, 25) : 0);
    g->SetColAlignment(1, GrillaFlex::CentroCentro);
    g->SetColAlignment(2, GrillaFlex::IzquierdaCentro);
    g->SetColAlignment(3, GrillaFlex::IzquierdaCentro);
    for (int r = 1; r < g->Rows(); ++r) {
        g->SetTextMatrix(r, 1, QString::number(r));
        g->SetCellBackColor(r, 1, kFija);
    }
}

void FrmCargaLotesySeries::VerificaAnteriores() {
    GrillaFlex* g = MSFlexGrid1;
    if (!EsConsultaDeSerieLote) {
        if (EsSerieYLote) {
            LlenaColumna(2, LotesAnteriores);
            LlenaColumna(3, SeriesAnteriores);
        } else {
            LlenaColumna(2, SeriesAnteriores + LotesAnteriores);
        }
        return;
    }

    const QString sql = QStringLiteral("SELECT * FROM STK_SERIES_Y_LOTES WHERE IdArticulo = ") +
                        SqlLiteral::Texto(Funciones().RellenaTexto(Articulo, 25)) +
                        QStringLiteral(" AND CANTIDAD > 0  ORDER BY NROLOTE, NROSERIE ");
    Recordset rs = Conexion().AbreRecordset(sql, 0, 1, -1);
    struct Posicion {
        QString lote, serie;
        double cantidad;
    };
    std::vector<Posicion> posiciones;
    const ClsFunciones& f = Funciones();
    while (!rs.Eof()) {
        Posicion p{ListaSerieLote::SinBlancos(f.ValorCampo(rs.Campo(QStringLiteral("NroLote"))).toString()),
                   ListaSerieLote::SinBlancos(f.ValorCampo(rs.Campo(QStringLiteral("NroSerie"))).toString()),
                   f.TextoANumero(f.ValorCampo(rs.Campo(QStringLiteral("CANTIDAD"))))};
        // One row per lot and serial: the same position held in several
        // deposits is one row with their sum, as the lists and the stock
        // check (over every deposit) know it.
        if (!posiciones.empty() && posiciones.back().lote.compare(p.lote, Qt::CaseInsensitive) == 0 &&
            posiciones.back().serie.compare(p.serie, Qt::CaseInsensitive) == 0)
            posiciones.back().cantidad += p.cantidad;
        else
            posiciones.push_back(std::move(p));
        rs.MoveNext();
    }
    rs.Cierra();
    g->SetRows(1 + static_cast<int>(posiciones.size()));
    for (int i = 0; i < static_cast<int>(posiciones.size()); ++i) {
        const int r = i + 1;
        g->SetTextMatrix(r, 0, posiciones[i].lote);
        g->SetTextMatrix(r, 1, posiciones[i].serie);
        g->SetTextMatrix(r, 2, Numero(posiciones[i].cantidad));
        for (int c = 0; c < 3; ++c) g->SetCellBackColor(r, c, kFija);
    }
    if (posiciones.empty()) return;

    if (Lotes.isEmpty()) {
        CompletaCantidades();
        return;
    }
    // A previous choice: each row takes the quantity of its pair in it.
    const ListaSerieLote::Piezas pares = ListaSerieLote::Recorre(Lotes);
    QHash<QString, long> primera;
    if (!pares.malformada) {
        for (qsizetype i = pares.lista.size() - 1; i >= 0; --i)
            primera.insert(ListaSerieLote::SinBlancos(pares.lista.at(i)).toCaseFolded(), static_cast<long>(i + 1));
    }
    const ListaSerieLote::Piezas cantidades = ListaSerieLote::Recorre(Series);
    for (int r = 1; r < g->Rows(); ++r) {
        const QString clave = ListaSerieLote::ArmaPar(g->TextMatrix(r, 0), g->TextMatrix(r, 1));
        long pos = 0;
        if (pares.malformada) pos = Cmn()->Busca_Lotes_Series(Lotes, clave);
        else if (!pares.lista.isEmpty()) pos = primera.value(clave.toCaseFolded(), static_cast<long>(pares.lista.size() + 1));
        if (pos != 0) g->SetTextMatrix(r, 3, Numero(ValorNumerico(cantidades.Pieza(pos))));
    }
}

void FrmCargaLotesySeries::LlenaColumna(int col, const QString& lista) {
    if (Funciones().ReemplazaTexto(lista, QStringLiteral("|")).trimmed().isEmpty()) return;
    const ListaSerieLote::Piezas piezas = ListaSerieLote::Recorre(lista);
    const int filas = MSFlexGrid1->Rows() - 1;
    const int n = static_cast<int>(piezas.lista.size());
    for (int i = 0; i < n && i < filas; ++i) MSFlexGrid1->SetTextMatrix(i + 1, col, piezas.lista.at(i));
    if (n > filas) {
        // The quantity dropped since the list was captured: the first ones
        // stay, the rest are left out, and the user is told which.
        QStringList descartadas = piezas.lista.mid(filas);
        for (QString& d : descartadas) d = ListaSerieLote::SinBlancos(d);
        Dialogos::MsgBox(QStringLiteral("La carga anterior tiene %1 valores y la cantidad es %2.").arg(n).arg(filas) +
                             QStringLiteral("\r\nSe conservan los primeros %1 y se descartan: %2").arg(filas).arg(descartadas.join(QStringLiteral(", "))),
                         Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion, kAviso);
    } else if (piezas.malformada) {
        piezas.Pieza(n + 1);  // raises the malformed-list error for the caller's trap
    }
}

void FrmCargaLotesySeries::CompletaCantidades() {
    GrillaFlex* g = MSFlexGrid1;
    double resto = Cantidad;
    for (int r = 1; r < g->Rows(); ++r) {
        const double stock = Funciones().TextoANumero(g->TextMatrix(r, 2));
        const double toma = std::min(stock, resto);
        g->SetTextMatrix(r, 3, Numero(toma));
        resto -= toma;
        if (!(resto > 0)) break;
    }
}

double FrmCargaLotesySeries::SumaFilas(int MenosCual) {
    double suma = 0;
    for (int r = MSFlexGrid1->FixedRows(); r < MSFlexGrid1->Rows(); ++r)
        if (r != MenosCual) suma += Funciones().TextoANumero(MSFlexGrid1->TextMatrix(r, 3));
    return suma;
}

bool FrmCargaLotesySeries::ValidaCantidadCantidadPedida() {
    bool r = false;
    ConTrampa(QString(), [&](Trampa& t) { r = t.Paso([&] { return SumaFilas(-1) == Cantidad; }); });
    return r;
}

// --- acceptance ------------------------------------------------------------------

int FrmCargaLotesySeries::ColumnaSeries() const { return EsSerieYLote ? 3 : 2; }

bool FrmCargaLotesySeries::CompruebaSeriesRepetidas() {
    const EdicionSerieLote::Repetido rep = EdicionSerieLote::BuscaRepetido(*MSFlexGrid1, ColumnaSeries());
    if (!rep.hay) return true;
    Dialogos::MsgBox(QStringLiteral("El Número de Serie %1 está repetido en los ítems %2 y %3.\r\n"
                                    "Cada unidad debe tener su propio número de serie.")
                         .arg(rep.valor)
                         .arg(rep.fila1)
                         .arg(rep.fila2),
                     Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, kAviso);
    MueveA(rep.fila2, ColumnaSeries());
    Vista->setFocus();
    return false;
}

bool FrmCargaLotesySeries::CompruebaCantidades() {
    for (int r = MSFlexGrid1->FixedRows(); r < MSFlexGrid1->Rows(); ++r) {
        const QString texto = MSFlexGrid1->TextMatrix(r, 3).trimmed();
        double v = 0;
        if (texto.isEmpty() || (LeeNumero(texto, v) && v == 0)) continue;
        bool valida = true;
        CantidadInvalida = false;
        ConTrampa(QStringLiteral("CampoValida"), [&](Trampa& t) { valida = t.Paso([&] { return CompruebaCantidad(r, texto); }); });
        if (!valida || CantidadInvalida) {
            MueveA(r, 3);
            Vista->setFocus();
            return false;
        }
    }
    return true;
}

void FrmCargaLotesySeries::CmdAceptar_Click() {
    if (TxtEdit->isVisible()) CompletaEdicion();
    ConTrampa(QStringLiteral("CmdAceptar_Click"), [&](Trampa& t) {
        GrillaFlex* g = MSFlexGrid1;
        if (EsConsultaDeSerieLote) {
            if (!CompruebaCantidades()) return;
            if (!ValidaCantidadCantidadPedida()) {
                const double suma = t.Paso([&] { return SumaFilas(-1); });
                const QString primera =
                    suma > Cantidad
                        ? QStringLiteral("La suma de las cantidades Informadas, supera a la solicitada en el Formulario de Carga de Datos")
                        : QStringLiteral("La suma de las cantidades Informadas, Es Menor a la solicitada en el Formulario de Carga de Datos");
                const int r = Dialogos::MsgBox(primera + QStringLiteral("\r\n¿Desea Ajustar la Cantidad Solicitada en el Formulario?"),
                                               Dialogos::Botones::SiNo, Dialogos::Icono::Pregunta,
                                               QStringLiteral("Aviso al Operador!!!"));
                if (r == Dialogos::Si) {
                    Cantidad = suma;
                } else {
                    Dialogos::MsgBox(QStringLiteral("Debe Ajustar la suma de las cantidades a :") + Numero(Cantidad),
                                     Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, kAviso);
                    return;
                }
            }
        } else if (EsSerie && !CompruebaSeriesRepetidas()) {
            return;
        }

        auto columna = [&](int col, auto&& pieza) {
            QStringList piezas;
            piezas.reserve(g->Rows());
            for (int r = g->FixedRows(); r < g->Rows(); ++r) piezas.append(pieza(r, col));
            return ListaSerieLote::Arma(piezas);
        };
        auto recortada = [&](int r, int col) { return ListaSerieLote::SinBlancos(g->TextMatrix(r, col)); };
        if (EsConsultaDeSerieLote) {
            Lotes = columna(0, [&](int r, int) { return ListaSerieLote::ArmaPar(g->TextMatrix(r, 0), g->TextMatrix(r, 1)); });
            Series = columna(3, recortada);
        } else if (EsSerieYLote) {
            Lotes = columna(2, recortada);
            Series = columna(3, recortada);
        } else {
            Series = columna(2, recortada);
            Lotes = Series;
            if (EsSerie) Lotes.clear();
            else if (EsLote) Series.clear();
        }
        aceptado_ = true;
        accept();
    });
}

// --- in-grid editing -------------------------------------------------------------

bool FrmCargaLotesySeries::EsEditable(int col) const {
    if (EsConsultaDeSerieLote) return col == 3;
    return col == 2 || (col == 3 && EsSerieYLote);
}

void FrmCargaLotesySeries::MueveA(int fila, int col) {
    MSFlexGrid1->SetRow(fila);
    MSFlexGrid1->SetCol(col);
    const int f = fila - MSFlexGrid1->FixedRows();
    if (f < 0 || !Vista->selectionModel()) return;
    const QModelIndex i = MSFlexGrid1->index(f, col);
    Vista->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    Vista->scrollTo(i);
}

void FrmCargaLotesySeries::Text_Propiedades(QLineEdit* Texto, int Col) {
    Texto->setProperty("DataField", QString());
    Texto->setMaxLength(25);
    Texto->setProperty("Tag", QString());
    if (EsConsultaDeSerieLote && (Col == 2 || Col == 3)) {
        Texto->setProperty("DataField", QStringLiteral("Cantidad"));
        Texto->setMaxLength(32767);
    }
}

void FrmCargaLotesySeries::ColocaEditor() {
    const QModelIndex i = MSFlexGrid1->index(filaEdicion_ - MSFlexGrid1->FixedRows(), colEdicion_);
    Vista->scrollTo(i);
    const QRect celda = Vista->visualRect(i);
    const QPoint origen = Vista->viewport()->mapTo(this, celda.topLeft());
    TxtEdit->setGeometry(QRect(origen, celda.size()));
}

void FrmCargaLotesySeries::MsflexGridEdt(GrillaFlex* Grilla, QLineEdit* Texto, int KeyAscii) {
    const int col = Grilla->Col();
    const int fila = Grilla->Row();
    if (col == 0 || col == 1) return;
    if (fila < Grilla->FixedRows()) return;
    Text_Propiedades(Texto, col);
    if (!EsEditable(col)) return;
    if (KeyAscii < 0 || KeyAscii > 32) {
        const int c = Controles().FiltraTecla(Texto, KeyAscii);
        Texto->setText(c > 0 ? QString(QChar(c)) : QString());
        Texto->setCursorPosition(Texto->text().size());
    } else {
        Texto->setText(Grilla->TextMatrix(fila, col));
        Texto->setCursorPosition(Texto->text().size());
    }
    filaEdicion_ = fila;
    colEdicion_ = col;
    ColocaEditor();
    Texto->show();
    Texto->raise();
    Texto->setFocus();
}

void FrmCargaLotesySeries::CompletaEdicion() {
    if (!TxtEdit->isVisible()) return;
    TxtEdit->hide();
    if (filaEdicion_ >= MSFlexGrid1->FixedRows() && filaEdicion_ < MSFlexGrid1->Rows() && colEdicion_ >= 0)
        MSFlexGrid1->SetTextMatrix(filaEdicion_, colEdicion_, TxtEdit->text());
}

void FrmCargaLotesySeries::EditKeyCode(GrillaFlex* Grilla, QLineEdit* Texto, int KeyCode, int Shift) {
    (void)Shift;
    Trampa trampa(QStringLiteral("EditKeyCode"), [](const ErrorEjecucion& e) {
        if (e.Numero() == ErrorEjecucion::LlamadaNoValida) return Trampa::Siguiente;
        return Funciones().InformaError(e, {}, QStringLiteral("EditKeyCode"));
    });
    ConTrampa(trampa, [&](Trampa& t) {
        auto alaGrilla = [&] {
            CompletaEdicion();
            Vista->setFocus();
            QApplication::processEvents();
        };
        switch (KeyCode) {
        case 13: {
            t.Paso(alaGrilla);
            const int ultima = EsSerieYLote || EsConsultaDeSerieLote ? 3 : 2;
            int fila = Grilla->Row();
            int col = Grilla->Col();
            if (col == ultima) {
                if (fila < Grilla->Rows() - 1) ++fila;
                else col = 1;
                if (EsSerieYLote) col = 2;
            } else if (EsSerieYLote) {
                ++col;
            }
            if (EsConsultaDeSerieLote) col = 3;
            t.Paso([&] { MueveA(fila, col); });
            break;
        }
        case 27:
            Texto->hide();
            Vista->setFocus();
            break;
        case 38:
            t.Paso(alaGrilla);
            if (Grilla->Row() > Grilla->FixedRows()) t.Paso([&] { MueveA(Grilla->Row() - 1, Grilla->Col()); });
            break;
        case 40:
            t.Paso(alaGrilla);
            if (Grilla->Row() < Grilla->Rows() - 1) t.Paso([&] { MueveA(Grilla->Row() + 1, 0); });
            break;
        default:
            break;
        }
        const int f = Grilla->Row() - Grilla->FixedRows();
        if (f >= 0) Vista->scrollTo(Grilla->index(f, Grilla->Col()));
    });
}

bool FrmCargaLotesySeries::CompruebaCantidad(int fila, const QString& texto) {
    if (texto.isEmpty()) return true;  // nothing taken from this position
    double valor = 0;
    if (!LeeNumero(texto, valor)) {
        CantidadInvalida = true;
        throw ErrorEjecucion(ErrorEjecucion::TipoNoCoincide,
                             QStringLiteral("No coinciden los tipos: la cantidad \"%1\" no es un número.").arg(texto));
    }
    QString mensaje;
    if (valor < 0) {
        mensaje = QStringLiteral("La Cantidad no puede ser Menor a Cero");
    } else if (valor != std::trunc(valor)) {
        mensaje = QStringLiteral("No Puede Informase Cantidades que no Sean Enteras");
    } else {
        if (Deposito.trimmed().isEmpty()) Deposito = QStringLiteral("Ignorar");
        QString lote = MSFlexGrid1->TextMatrix(fila, 0);
        QString serie = MSFlexGrid1->TextMatrix(fila, 1);
        if (EsLote && !EsSerie) serie = QStringLiteral("Ignorar");
        if (EsSerie && !EsLote) lote = QStringLiteral("Ignorar");
        const double stock = Cmn()->ObtieneStock(Articulo, Deposito, lote, serie, QStringLiteral("Ignorar"));
        if (Funciones().TextoANumero(MSFlexGrid1->TextMatrix(fila, 2)) != stock) {
            Dialogos::MsgBox(QStringLiteral("Atención han cambiado los saldos del Articulo Solicitado"), Dialogos::Botones::Aceptar,
                             Dialogos::Icono::Exclamacion, QStringLiteral("Aviso al operador"));
            MSFlexGrid1->SetTextMatrix(fila, 2, Numero(stock));
            // The grid's current column moves to the stock; the open editor
            // stays on the quantity it was opened on.
            MSFlexGrid1->SetRow(fila);
            MSFlexGrid1->SetCol(2);
            MSFlexGrid1->SetCellBackColor(fila, 2, QColor(255, 255, 0));
        }
        if (valor > stock) mensaje = QStringLiteral("La Cantidad supera a la cantidad disponible en Stock");
    }
    if (mensaje.isEmpty()) return true;
    CantidadInvalida = true;
    Dialogos::MsgBox(mensaje, Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, kAviso);
    return false;
}

void FrmCargaLotesySeries::CampoValida(QLineEdit* Texto) {
    CantidadInvalida = false;
    ConTrampa(QStringLiteral("CampoValida"), [&](Trampa& t) {
        const QString texto = Texto->text().trimmed();
        const QString campo = Texto->property("DataField").toString();
        if (campo.compare(QLatin1String("Cantidad"), Qt::CaseInsensitive) != 0 || !EsConsultaDeSerieLote) return;
        t.Paso([&] { CompruebaCantidad(filaEdicion_, texto); });
    });
    if (CantidadInvalida && Texto->isVisible()) Texto->setFocus();
}

void FrmCargaLotesySeries::Toolbar1_ButtonClick(int indice) {
    if (TxtEdit->isVisible()) CompletaEdicion();
    ConTrampa(QStringLiteral("Toolbar1_ButtonClick"), [&](Trampa& t) {
        GrillaFlex* g = MSFlexGrid1;
        const int fila = g->Row();
        const int col = g->Col();
        // Only the columns the user types into: the item numbers, lots and
        // serials of the stock and its quantities are never overwritten.
        if (fila < g->FixedRows() || !EsEditable(col)) return;
        switch (indice) {
        case 1:
            t.Paso([&] { EdicionSerieLote::LlenaHaciaAbajo(*g, fila, col); });
            break;
        case 2:
            t.Paso([&] { EdicionSerieLote::BlanqueaHaciaAbajo(*g, fila, col); });
            break;
        case 3:
            if (EsConsultaDeSerieLote) return;
            if (!t.Paso([&] { return EdicionSerieLote::LlenaCorrelativos(*g, fila, col); }))
                Dialogos::MsgBox(QStringLiteral("El valor de la celda seleccionada no termina en un número: "
                                                "no hay números de serie siguientes que completar."),
                                 Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion, kAviso);
            break;
        default:
            break;
        }
    });
    Vista->setFocus();
}

void FrmCargaLotesySeries::PegaTexto(const QString& texto) {
    if (TxtEdit->isVisible()) CompletaEdicion();
    ConTrampa(QStringLiteral("PegaTexto"), [&](Trampa& t) {
        GrillaFlex* g = MSFlexGrid1;
        const int fila = g->Row();
        const int col = g->Col();
        if (fila < g->FixedRows() || !EsEditable(col)) return;
        QStringList valores = EdicionSerieLote::LineasPegadas(texto);
        if (valores.isEmpty()) return;
        if (EsConsultaDeSerieLote) {
            // Quantities pass the same checks as typed ones, row by row; the
            // first refused one stops the paste on its row.
            for (int i = 0; i < valores.size() && fila + i < g->Rows(); ++i) {
                CantidadInvalida = false;
                t.Paso([&] { CompruebaCantidad(fila + i, valores.at(i)); });
                if (CantidadInvalida) {
                    MueveA(fila + i, col);
                    return;
                }
                g->SetTextMatrix(fila + i, col, valores.at(i));
            }
        } else {
            // As typed: a lot or serial holds at most 25 characters.
            for (QString& v : valores) v = v.left(25);
            t.Paso([&] { EdicionSerieLote::PegaColumna(*g, fila, col, valores); });
        }
        const int sobran = static_cast<int>(valores.size()) - (g->Rows() - fila);
        if (sobran > 0)
            Dialogos::MsgBox(QStringLiteral("Se pegaron %1 valores; los %2 restantes no tienen fila en la grilla.")
                                 .arg(valores.size() - sobran)
                                 .arg(sobran),
                             Dialogos::Botones::Aceptar, Dialogos::Icono::Exclamacion, kAviso);
    });
}

// --- size ----------------------------------------------------------------------------

void FrmCargaLotesySeries::AjustaTamano() {
    int ancho = 0;
    const int dpi = Vista->logicalDpiX();
    for (int c = 0; c < MSFlexGrid1->Cols(); ++c) ancho += VistaGrilla::TwipsAPixeles(MSFlexGrid1->ColWidth(c), dpi);
    ancho += Vista->verticalScrollBar()->sizeHint().width() + 2 * Vista->frameWidth() + 4;
    const int fila = Vista->verticalHeader()->defaultSectionSize();
    const int visibles = std::clamp(MSFlexGrid1->Rows() - MSFlexGrid1->FixedRows(), kFilasMinimas, kFilasMaximas);
    const int alto = Vista->horizontalHeader()->sizeHint().height() + visibles * fila + 2 * Vista->frameWidth();
    Vista->setMinimumSize(ancho, fila * 4);
    const QMargins m = layout()->contentsMargins();
    const int total = Toolbar1->sizeHint().height() + lblArticulo->sizeHint().height() + alto +
                      CmdAceptar->sizeHint().height() + 3 * layout()->spacing() + m.top() + m.bottom();
    resize(std::max(ancho + m.left() + m.right(), 360), total);
}

// --- events -----------------------------------------------------------------------------

bool FrmCargaLotesySeries::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == TxtEdit && evento->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(evento);
        const int tecla = k->key();
        if (k->matches(QKeySequence::Paste) && QApplication::clipboard()->text().contains(QLatin1Char('\n'))) {
            PegaTexto(QApplication::clipboard()->text());
            return true;
        }
        if (tecla == Qt::Key_Escape) {
            // The typed text is dropped: nothing to check.
            EditKeyCode(MSFlexGrid1, TxtEdit, 27, 0);
            return true;
        }
        const bool avance = Controles().EsTeclaAvance(tecla);
        if (avance || tecla == Qt::Key_Up || tecla == Qt::Key_Down) {
            CampoValida(TxtEdit);
            if (!CantidadInvalida) EditKeyCode(MSFlexGrid1, TxtEdit, avance ? 13 : (tecla == Qt::Key_Up ? 38 : 40), 0);
            return true;
        }
        const QString texto = k->text();
        if (texto.size() == 1 && texto.at(0).unicode() >= 32 && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return Controles().FiltraTecla(TxtEdit, texto.at(0).unicode()) == 0;  // dropped characters never reach the box
        return false;
    }
    if (objeto == Vista) {
        if (evento->type() == QEvent::FocusIn) {
            if (TxtEdit->isVisible()) CompletaEdicion();
            return false;
        }
        if (evento->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(evento);
            if (k->matches(QKeySequence::Paste)) {
                PegaTexto(QApplication::clipboard()->text());
                return true;
            }
            if (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
            if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
                MsflexGridEdt(MSFlexGrid1, TxtEdit, 13);
                return true;
            }
            if (k->key() == Qt::Key_Backspace) {
                MsflexGridEdt(MSFlexGrid1, TxtEdit, 8);
                return true;
            }
            const QString texto = k->text();
            if (texto.size() == 1 && texto.at(0).unicode() >= 32 && texto.at(0).unicode() != 127) {
                MsflexGridEdt(MSFlexGrid1, TxtEdit, texto.at(0).unicode());
                return true;
            }
        }
    }
    return QDialog::eventFilter(objeto, evento);
}
