#include "forms/FrmCtrlCargosReales.h"

#include "cmncptes/CargosReales.h"
#include "cmncptes/ClsCmnCptes.h"
#include "cmncptes/GrillaFlex.h"
#include "cmncptes/VistaGrilla.h"
#include "session/ClsFunciones.h"
#include "session/Modal.h"
#include "session/ModGlobal.h"
#include "session/Trampa.h"

#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>

#include <algorithm>
#include <memory>

namespace {

struct Columna {
    const char* encabezado;
    int equis;  // width in "X" characters; 0 hides the column
};
const Columna Columnas[CargosReales::Columnas] = {
    {"Fecha", 12},     {"OT", 15},        {"Concepto", 25},      {"Autorizó", 15}, {"Cargos", 10},
    {"Descargos", 10}, {"Saldo", 10},     {"Observaciones", 20}, {"Id", 0},        {"FechaInvertida", 0},
};

} // namespace

FrmCtrlCargosReales::FrmCtrlCargosReales(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("FrmCtrlCargosReales"));
    setWindowTitle(QStringLiteral("Control de cargos Reales"));
    setSizeGripEnabled(true);

    Label1 = new QLabel(QStringLiteral("Control de Cargos Reales"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont negrita = Label1->font();
    negrita.setBold(true);
    negrita.setPointSizeF(negrita.pointSizeF() * 1.15);
    Label1->setFont(negrita);

    MSFlexGrid1 = new GrillaFlex(this);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    Vista = new VistaGrilla(this);
    Vista->setObjectName(QStringLiteral("MSFlexGrid1"));
    Vista->EstableceGrilla(MSFlexGrid1);

    Command1 = new QPushButton(QStringLiteral("Aceptar"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(false);
    Command1->setDefault(true);
    Command1->resize(Command1->sizeHint().expandedTo(QSize(96, 0)));
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);

    // Wide enough for every visible column and the scroll bar.
    int anchoTwips = 0;
    for (const Columna& c : Columnas)
        if (c.equis > 0) anchoTwips += VistaGrilla::AnchoTextoTwips(Vista, QString(c.equis, QLatin1Char('X')));
    const int px = VistaGrilla::TwipsAPixeles(anchoTwips, logicalDpiX());
    setMinimumSize(480, 260);
    resize(px + 2 * Vista->frameWidth() + 40 + VistaGrilla::TwipsAPixeles(240, logicalDpiX()), 460);
}

void FrmCtrlCargosReales::Form_Load() {
    ConTrampa(QStringLiteral("Form_Load"), [&](Trampa& t) {
        // Connects only when no session is open (opened from another program).
        t.Paso([] { InicializaSistema(); });
        t.Paso([&] { Funciones().PreparaFormulario(this); });
        t.Paso([&] { AplicaEstiloFormulario(this); });
        t.Paso([&] { InicializaGrid(); });
        t.Paso([&] { CargarDatos(); });
    });
}

void FrmCtrlCargosReales::InicializaGrid() {
    MSFlexGrid1->Clear();
    MSFlexGrid1->SetCols(CargosReales::Columnas);
    MSFlexGrid1->SetRows(1);
    for (int c = 0; c < CargosReales::Columnas; ++c) {
        MSFlexGrid1->SetTextMatrix(0, c, QString::fromUtf8(Columnas[c].encabezado));
        MSFlexGrid1->SetColWidth(c, Columnas[c].equis > 0
                                        ? VistaGrilla::AnchoTextoTwips(Vista, QString(Columnas[c].equis, QLatin1Char('X')))
                                        : 0);
    }
}

void FrmCtrlCargosReales::CargarDatos() {
    sentencias_ = 0;
    ConTrampa(QStringLiteral("CargarDatos"), [&](Trampa& t) {
        // The view lets go of the grid while it fills (every added row would
        // otherwise lay the columns out again) and takes it back at the end.
        const bool redibuja = MSFlexGrid1->Redraw();
        MSFlexGrid1->SetRedraw(false);
        Vista->EstableceGrilla(nullptr);
        struct Devuelve {
            FrmCtrlCargosReales* f;
            bool redibuja;
            ~Devuelve() {
                f->Vista->EstableceGrilla(f->MSFlexGrid1);
                f->MSFlexGrid1->SetRedraw(redibuja);
            }
        } devuelve{this, redibuja};
        sentencias_ = CargosReales::CargarDatos(*MSFlexGrid1, Cliente, t);
    });
}

void FrmCtrlCargosReales::PintarFila(GrillaFlex* grilla, int fila, const QColor& color) {
    if (grilla) CargosReales::PintarFila(*grilla, fila, color);
}

void FrmCtrlCargosReales::Form_Resize() {
    // In twips of the client area: the grid under the caption label, the
    // button under the grid at the right; errors ignored.
    IgnorandoErrores([&](Trampa& t) {
        const int dpi = logicalDpiY();
        auto px = [&](int twips) { return VistaGrilla::TwipsAPixeles(twips, dpi); };
        auto tw = [&](int pixeles) { return VistaGrilla::PixelesATwips(pixeles, dpi); };
        const int ancho = tw(width());
        const int alto = tw(height());
        const int altoBoton = tw(Command1->height());
        const int anchoGrilla = ancho - 240;
        const int altoGrilla = alto - 1100;
        t.Paso([&] { Label1->setGeometry(px(120), px(60), px(anchoGrilla), Label1->sizeHint().height()); });
        t.Paso([&] {
            // The grid ends just above the button; it never covers the label.
            const int abajo = px(alto - altoBoton - 240 - 60);
            const int arriba = std::max(abajo - px(altoGrilla), Label1->geometry().bottom() + 4);
            Vista->setGeometry(px(120), arriba, px(anchoGrilla), std::max(0, abajo - arriba));
        });
        t.Paso([&] {
            Command1->move(px(120 + anchoGrilla) - Command1->width(), px(alto - altoBoton - 240));
            Funciones().AjustaControl(Command1);
        });
    });
}

void FrmCtrlCargosReales::resizeEvent(QResizeEvent* evento) {
    QDialog::resizeEvent(evento);
    Form_Resize();
}

// --- the entry of the voucher services class ----------------------------------

void ClsCmnCptes::ControlDeCargosReales(const QString& Cliente, const QString& Matricula) {
    ConTrampa(QStringLiteral("ControlDeCargosReales"), [&](Trampa& t) {
        // A fresh view on every call, dropped (unloaded) when it closes.
        auto frm = std::make_unique<FrmCtrlCargosReales>();
        frm->Cliente = Cliente;
        frm->Matricula = Matricula;
        frm->Form_Load();
        t.Paso([&] { Modal::Ejecuta(frm.get()); });
    });
}
