#include "inquiry/FrmConsCpteGenerico.h"

#include "cmncptes/GrillaFlex.h"
#include "cmncptes/VistaGrilla.h"
#include "session/ClsControles.h"
#include "session/ClsFunciones.h"
#include "session/ModGlobal.h"
#include "session/Trampa.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTextDocument>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

int Px(const QWidget* w, int twips) { return VistaGrilla::TwipsAPixeles(twips, w->logicalDpiY()); }

// The fixed-pitch font of the header box: Courier New where the system has
// it. The size is the largest (up to 12 pixels) that shows the eight lines of
// a commercial header in the box's height, so no line is ever clipped; the box
// shortened for the annulled label gets a smaller size.
QFont FuenteFija(const QPlainTextEdit* caja, int altoPixeles, int lineas) {
    const QString familia = QFontDatabase::hasFamily(QStringLiteral("Courier New")) ? QStringLiteral("Courier New")
                                                                                    : QStringLiteral("DejaVu Sans Mono");
    QFont f(familia);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    // A text line takes one pixel more than the font's line spacing.
    const int margen = 2 * caja->frameWidth() + 2 * static_cast<int>(caja->document()->documentMargin()) + 4;
    for (int px = 12; px >= 9; --px) {
        f.setPixelSize(px);
        if ((QFontMetrics(f).lineSpacing() + 1) * lineas + margen <= altoPixeles) break;
    }
    return f;
}

struct EntradaCatalogo {
    const char* nombre;
    const char* codigo;
};

const EntradaCatalogo CatalogoVentas[] = {
    {"FACTURAS", "FC"},           {"PRESUPUESTOS", "PR"},     {"ORDENES DE TRABAJO", "OT"},
    {"NOTAS DE CREDITO", "ND"},   {"NOTAS DE DEBITO", "NC"},  {"REMITOS", "RM"},
    {"COBRANZAS", "CB"},          {"COBRANZAS CONTADO", "CBCT"},
};
const EntradaCatalogo CatalogoCompras[] = {
    {"FACTURAS", "FCC"}, {"NOTAS DE CREDITO", "NDC"}, {"NOTAS DE DEBITO", "NCC"},
    {"REMITOS DE COMPRAS", "RMC"}, {"PAGOS", "PG"},
};

bool EsCobranzaOPago(const QString& tc) {
    const QString t = tc.trimmed();
    return t.compare(QLatin1String("CB"), Qt::CaseInsensitive) == 0 ||
           t.compare(QLatin1String("CBCT"), Qt::CaseInsensitive) == 0 ||
           t.compare(QLatin1String("PG"), Qt::CaseInsensitive) == 0;
}

bool EsSi(const QString& v) { return v.trimmed().compare(QLatin1String("SI"), Qt::CaseInsensitive) == 0; }

} // namespace

FrmConsCpteGenerico::FrmConsCpteGenerico(QWidget* padre) : QMainWindow(padre) {
    setObjectName(QStringLiteral("FrmConsCpteGenerico"));
    ConstruyeControles();
}

FrmConsCpteGenerico::~FrmConsCpteGenerico() = default;

QWidget* FrmConsCpteGenerico::ConstruyeSolapa(int indice, GrillaFlex*& grilla, QLineEdit*& edicion,
                                              const QString& nombreEdicion, QCheckBox*& exento,
                                              const QString& nombreExento, const QString& ayudaExento) {
    auto* pagina = new QWidget;
    pagina->setObjectName(QStringLiteral("Solapa%1").arg(indice));
    auto* lay = new QVBoxLayout(pagina);
    lay->setContentsMargins(6, 6, 6, 6);
    lay->setSpacing(4);

    auto* arriba = new QHBoxLayout;
    auto* encabezado = new QLabel(pagina);
    encabezado->setObjectName(QStringLiteral("lblEncabezadoTAB"));
    encabezado->setProperty("Index", indice);
    QFont negrita = encabezado->font();
    negrita.setBold(true);
    encabezado->setFont(negrita);
    lblEncabezadoTAB.append(encabezado);
    arriba->addWidget(encabezado);
    arriba->addStretch(1);
    exento = new QCheckBox(QStringLiteral("Exento de IVA"), pagina);
    exento->setObjectName(nombreExento);
    exento->setToolTip(ayudaExento);
    arriba->addWidget(exento);
    lay->addLayout(arriba);

    grilla = new GrillaFlex(this);
    grilla->setObjectName(QStringLiteral("MSFlexGrid%1").arg(indice + 1));
    auto* vista = new VistaGrilla(pagina);
    vista->setObjectName(QStringLiteral("MSFlexGrid%1").arg(indice + 1));
    vista->EstableceGrilla(grilla);
    Vistas.append(vista);
    lay->addWidget(vista, 1);

    edicion = new QLineEdit(pagina);
    edicion->setObjectName(nombreEdicion);
    edicion->setVisible(false);
    return pagina;
}

void FrmConsCpteGenerico::ConstruyeControles() {
    // Toolbar: seven buttons by position.
    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setIconSize(QSize(24, 24));
    addToolBar(Qt::TopToolBarArea, Toolbar1);
    struct Boton {
        const char* ayuda;
        const char* icono;
        bool habilitado;
    };
    static const Boton botones[] = {
        {"Reimprimir Comprobante Por Pantalla", "pantalla", true},
        {"Reimprimir Comprobante Por Impresora", "impresora", true},
        {"Consultar Comprobantes", "consultar", true},
        {"Anular Comprobantes", "anular", false},  // no action in this program
        {"Refresh", "refrescar", true},
        {"Generar Comprobante en Base a Otro", "generar", false},  // no action in this program
        {"Salir", "salir", true},
    };
    for (int i = 0; i < 7; ++i) {
        const QString ayuda = QString::fromUtf8(botones[i].ayuda);
        QAction* a = Toolbar1->addAction(QIcon(QStringLiteral(":/toolbar/%1.svg").arg(QLatin1String(botones[i].icono))), ayuda);
        a->setObjectName(QStringLiteral("Toolbar1_Boton%1").arg(i + 1));
        a->setToolTip(ayuda);
        a->setEnabled(botones[i].habilitado);
        const int indice = i + 1;
        connect(a, &QAction::triggered, this, [this, indice] { Toolbar1_ButtonClick(indice); });
        BotonesToolbar.append(a);
        if (i == 1 || i == 3 || i == 5) Toolbar1->addSeparator();
    }

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Central"));
    auto* principal = new QVBoxLayout(central);
    principal->setContentsMargins(8, 6, 8, 8);
    principal->setSpacing(6);
    setCentralWidget(central);

    // Frame1: type selector and key fields.
    Frame1 = new QGroupBox(central);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* claves = new QHBoxLayout(Frame1);
    claves->setContentsMargins(8, 6, 8, 6);
    claves->setSpacing(6);
    for (const char* texto : {"Nº de Cpte", "Comprobante"}) {
        auto* l = new QLabel(QString::fromUtf8(texto), Frame1);
        l->setObjectName(QStringLiteral("Label1"));
        l->setProperty("Index", static_cast<int>(Label1.size()));
        Label1.append(l);
    }
    CmbCpte = new QComboBox(Frame1);
    CmbCpte->setObjectName(QStringLiteral("CmbCpte"));
    CmbCpte->setMinimumContentsLength(20);
    CmbCpte->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    for (const char* t : {"Facturas", "Nota de Crédito", "Nota de Débito", "Remitos"}) CmbCpte->addItem(QString::fromUtf8(t));
    connect(CmbCpte, &QComboBox::currentIndexChanged, this, [this](int) { CmbCpte_Click(); });

    struct Clave {
        const char* campo;
        const char* tag;
        int caracteres;
    };
    static const Clave campos[] = {
        {"Sucursal", "V_TA_COMPROBANTES", 5}, {"Numero", "V_TA_COMPROBANTES", 9},
        {"Letra", "V_TA_COMPROBANTES", 2},    {"PROVEEDOR", "VT_PROVEEDORES", 9},
    };
    for (int i = 0; i < 4; ++i) {
        auto* e = new QLineEdit(Frame1);
        e->setObjectName(QStringLiteral("txtfields"));
        e->setProperty("Index", i);
        e->setProperty("DataField", QString::fromLatin1(campos[i].campo));
        e->setProperty("Tag", QString::fromLatin1(campos[i].tag));
        e->setFixedWidth(e->fontMetrics().horizontalAdvance(QString(campos[i].caracteres + 1, QLatin1Char('0'))) + 14);
        e->installEventFilter(this);
        txtfields.append(e);
    }
    LBLPROVEEDOR = new QLabel(QStringLiteral("Proveedor"), Frame1);
    LBLPROVEEDOR->setObjectName(QStringLiteral("LBLPROVEEDOR"));
    auto guion = [this] {
        auto* l = new QLabel(QStringLiteral("-"), Frame1);
        return l;
    };
    claves->addWidget(Label1[1]);
    claves->addWidget(CmbCpte, 1);
    claves->addSpacing(12);
    claves->addWidget(Label1[0]);
    claves->addWidget(txtfields[0]);
    claves->addWidget(guion());
    claves->addWidget(txtfields[1]);
    claves->addWidget(guion());
    claves->addWidget(txtfields[2]);
    claves->addSpacing(12);
    claves->addWidget(LBLPROVEEDOR);
    claves->addWidget(txtfields[3]);
    claves->addStretch(1);
    principal->addWidget(Frame1);

    // FrmDetalle: header box, annulled label, tab strip.
    FrmDetalle = new QFrame(central);
    FrmDetalle->setObjectName(QStringLiteral("FrmDetalle"));
    auto* detalle = new QVBoxLayout(FrmDetalle);
    detalle->setContentsMargins(0, 0, 0, 0);
    detalle->setSpacing(0);
    txtDisp = new QPlainTextEdit(FrmDetalle);
    txtDisp->setObjectName(QStringLiteral("txtDisp"));
    txtDisp->setReadOnly(true);
    txtDisp->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtDisp->setFocusPolicy(Qt::ClickFocus);
    txtDisp->document()->setDocumentMargin(2);
    detalle->addWidget(txtDisp);
    lblCpteAnulado = new QLabel(QStringLiteral("ANULADA PREVIAMENTE !!!"), FrmDetalle);
    lblCpteAnulado->setObjectName(QStringLiteral("lblCpteAnulado"));
    QFont grande = lblCpteAnulado->font();
    grande.setBold(true);
    grande.setPointSize(grande.pointSize() + 1);
    lblCpteAnulado->setFont(grande);
    lblCpteAnulado->setAlignment(Qt::AlignCenter);
    lblCpteAnulado->setFixedHeight(lblCpteAnulado->sizeHint().height());
    EstableceColorAnulado(Rojo());
    lblCpteAnulado->setVisible(false);
    detalle->addSpacing(Px(this, 120));
    detalle->addWidget(lblCpteAnulado);
    SSTab1 = new QTabWidget(FrmDetalle);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->addTab(ConstruyeSolapa(0, MSFlexGrid1, TxtEdit, QStringLiteral("TxtEdit"), ChkServiciosExentos,
                                   QStringLiteral("ChkServiciosExentos"),
                                   QStringLiteral("El Cliente seleccionado es Exento de Iva en Servicios")),
                   QString());
    SSTab1->addTab(ConstruyeSolapa(1, MSFlexGrid2, txtEdit2, QStringLiteral("txtEdit2"), ChkInsumosExentos,
                                   QStringLiteral("ChkInsumosExentos"),
                                   QStringLiteral("El Cliente seleccionado es Exento de Iva en Insumos")),
                   QString());
    SSTab1->addTab(ConstruyeSolapa(2, MSFlexGrid3, txtEdit3, QStringLiteral("txtEdit3"), ChkOtrosExentos,
                                   QStringLiteral("ChkOtrosExentos"),
                                   QStringLiteral("El Cliente seleccionado es Exento de Iva en Insumos")),
                   QString());
    detalle->addWidget(SSTab1, 1);
    detalle->addStretch(0);  // takes the room of a hidden tab strip
    principal->addWidget(FrmDetalle, 1);
    EstableceAltoDisp(1935);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(0);
    connect(Timer1, &QTimer::timeout, this, &FrmConsCpteGenerico::Timer1_Timer);

    PreparaStockArticulo();

    ConstruyeBarraEstado();
    ConstruyeRelaciones();

    setWindowTitle(QStringLiteral("Taleruna - Gestión Ventas"));
    setMinimumSize(820, 560);
    resize(1000, 680);
}

// --- load ---------------------------------------------------------------------

void FrmConsCpteGenerico::Form_Load() {
    const AccionUsuario accion;
    ConTrampa(QStringLiteral("Form_Load"), [&](Trampa& t) {
        t.Paso([] { InicializaSistema(); });
        const QString parametros = ParametroAdicional;
        auto lee = [&](const char* clave) {
            return t.Paso([&] { return ObtieneParametro(parametros, QString::fromLatin1(clave)); });
        };
        pGestionCompras = EsSi(lee("@GestionCompras"));
        pTC = lee("@TC");
        pSucursal = lee("@Sucursal");
        pNumero = lee("@Numero");
        pLetra = lee("@Letra");
        pProveedor = lee("@Proveedor");
        pConsultaSolamente = EsSi(lee("@PConsultaSolamente"));

        t.Paso([&] { AplicaEstiloFormulario(this); });
        t.Paso([&] { Funciones().PreparaFormulario(this, 2); });
        t.Paso([&] { Inicializa(false); });

        static const char* const noUsa[] = {"NoUsaServicios", "NoUsaArticulos", "NoUsaOtrosConceptos"};
        static const char* const solapa[] = {"SolapaServicios", "SolapaArticulos", "SolapaOConceptos"};
        static const char* const predeterminado[] = {"Detalle de Servicios", "Detalle de Artículos",
                                                     "Detalle de Otros Conceptos"};
        for (int i = 0; i < 3; ++i) {
            t.Paso([&] { SSTab1->setTabVisible(i, !EsSi(Cfg(QString::fromLatin1(noUsa[i])))); });
        }
        for (int i = 0; i < 3; ++i) {
            t.Paso([&] {
                QString titulo = Cfg(QString::fromLatin1(solapa[i])).trimmed();
                if (titulo.isEmpty()) titulo = QString::fromUtf8(predeterminado[i]);
                SSTab1->setTabText(i, TextoPropio(titulo));
            });
        }
        for (int i = 0; i < lblEncabezadoTAB.size(); ++i) lblEncabezadoTAB[i]->setText(SSTab1->tabText(i));

        const bool habilitado = !pConsultaSolamente;
        CmbCpte->setEnabled(habilitado);
        BotonesToolbar[2]->setEnabled(habilitado);  // the search
        for (const char* campo : {"Sucursal", "Numero", "Letra", "PROVEEDOR"}) {
            const int i = Controles().IndiceControl(QString::fromLatin1(campo), txtfields);
            if (i >= 0) txtfields[i]->setEnabled(habilitado);
        }

        if (pConsultaSolamente) {
            for (int i = 0; i < CmbCpte->count(); ++i)
                if (EntradaCpte(i).mid(199).trimmed().compare(pTC.trimmed(), Qt::CaseInsensitive) == 0)
                    t.Paso([&] { CmbCpte->setCurrentIndex(i); });
            const QString valores[] = {pSucursal, pNumero, pLetra, pProveedor};
            const char* const nombres[] = {"Sucursal", "Numero", "Letra", "PROVEEDOR"};
            for (int k = 0; k < 4; ++k) {
                const int i = Controles().IndiceControl(QString::fromLatin1(nombres[k]), txtfields);
                if (i >= 0) txtfields[i]->setText(valores[k]);
            }
            const int letra = Controles().IndiceControl(QStringLiteral("Letra"), txtfields);
            t.Paso([&] { CampoValida(txtfields.value(letra)); });
        } else {
            t.Paso([&] { CmbCpte->setCurrentIndex(0); });
        }
        Funciones().FinEspera(this);
    });
}

QString FrmConsCpteGenerico::EntradaCpte(int i) const {
    if (i < 0 || i >= CmbCpte->count()) return {};
    const QVariant completa = CmbCpte->itemData(i);
    return completa.isValid() ? completa.toString() : CmbCpte->itemText(i);
}

void FrmConsCpteGenerico::Inicializa(bool SoloDetalle) {
    DatoInvalido = false;
    mostrado_ = false;
    for (QLineEdit* e : txtfields) e->clear();
    EscribeDisp(QString());
    EstableceAltoDisp(1935);
    CmnCptes.InicializaGrids(MSFlexGrid1, MSFlexGrid2, MSFlexGrid3, TxtEdit, txtEdit2, txtEdit3, this, QString(), nullptr);
    EstableceIntervaloTimer(0);

    if (!SoloDetalle) {
        // The list is rebuilt without running CmbCpte_Click; nothing is selected afterwards.
        const QSignalBlocker bloqueo(CmbCpte);
        CmbCpte->clear();
        QStringList lista;
        auto agrega = [&](const EntradaCatalogo* catalogo, int n) {
            for (int i = 0; i < n; ++i) {
                const QString nombre = QString::fromLatin1(catalogo[i].nombre);
                lista << nombre + QString(200 - nombre.trimmed().size(), QLatin1Char(' ')) +
                             QString::fromLatin1(catalogo[i].codigo);
            }
        };
        if (pGestionCompras) agrega(CatalogoCompras, static_cast<int>(std::size(CatalogoCompras)));
        else agrega(CatalogoVentas, static_cast<int>(std::size(CatalogoVentas)));
        for (const QString& entrada : lista) {
            if (entrada.trimmed().isEmpty()) continue;
            CmbCpte->addItem(entrada.left(199).trimmed(), entrada);
        }
        CmbCpte->setCurrentIndex(-1);
    }

    setWindowTitle(pGestionCompras ? QStringLiteral("Taleruna - Gestión Compras") : QStringLiteral("Taleruna - Gestión Ventas"));
    LBLPROVEEDOR->setVisible(pGestionCompras);
    const int proveedor = Controles().IndiceControl(QStringLiteral("PROVEEDOR"), txtfields);
    if (proveedor >= 0) txtfields[proveedor]->setVisible(pGestionCompras);

    const QString codigo = EntradaCpte(CmbCpte->currentIndex()).mid(199).trimmed();
    const bool cobranza = EsCobranzaOPago(codigo);
    // The print buttons look disabled while the type cannot be printed.
    for (int i : {0, 1}) BotonesToolbar[i]->setEnabled(EsImprimible(codigo));
    SSTab1->setVisible(!cobranza);
    EstableceAltoDisp(cobranza ? 3915 : 1935);
    for (const char* campo : {"SUCURSAL", "NUMERO", "LETRA"}) {
        const int i = Controles().IndiceControl(QString::fromLatin1(campo), txtfields);
        if (i >= 0)
            txtfields[i]->setProperty("Tag", cobranza ? QStringLiteral("COBRANZAS") : QStringLiteral("V_TA_COMPROBANTES"));
    }
    Detalleon(false);
}

void FrmConsCpteGenerico::CmbCpte_Click() {
    // Inicializa has no trap of its own; an error while changing the type is
    // reported here, under the handler's name.
    ConTrampa(QStringLiteral("CmbCpte_Click"), [&](Trampa& t) { t.Paso([&] { Inicializa(true); }); });
}

QString FrmConsCpteGenerico::FNTC() {
    QString r;
    ConTrampa(QStringLiteral("FNTC$"), [&](Trampa&) { r = EntradaCpte(CmbCpte->currentIndex()).mid(199).trimmed(); });
    return r;
}

void FrmConsCpteGenerico::Detalleon(bool OFF) { FrmDetalle->setEnabled(OFF); }

// --- keyboard -----------------------------------------------------------------

void FrmConsCpteGenerico::txtfields_GotFocus(int Index) { IndiceCampoActual = Index; }

bool FrmConsCpteGenerico::txtfields_KeyDown(int Index, int KeyCode) {
    if (Index < 0 || Index >= txtfields.size()) return false;
    if (Controles().EsTeclaAvance(KeyCode)) {
        CampoValida(txtfields[Index]);
        if (!DatoInvalido) Controles().PasaAlSiguiente(KeyCode);
        return true;
    }
    if (KeyCode == Qt::Key_F5) {
        IndiceCampoActual = Index;
        CmdConsultar();
        return true;
    }
    return false;
}

void FrmConsCpteGenerico::Form_KeyPress(int KeyAscii) {
    if (KeyAscii == 27) close();
}

bool FrmConsCpteGenerico::eventFilter(QObject* objeto, QEvent* evento) {
    auto* campo = qobject_cast<QLineEdit*>(objeto);
    const int indice = campo ? static_cast<int>(txtfields.indexOf(campo)) : -1;
    if (indice >= 0) {
        if (evento->type() == QEvent::FocusIn) {
            txtfields_GotFocus(indice);
        } else if (evento->type() == QEvent::KeyPress) {
            auto* tecla = static_cast<QKeyEvent*>(evento);
            if (tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
            if (txtfields_KeyDown(indice, tecla->key())) return true;
        }
    }
    return QMainWindow::eventFilter(objeto, evento);
}

void FrmConsCpteGenerico::keyPressEvent(QKeyEvent* evento) {
    // Escape that reaches the form (no control kept it) ends the program;
    // Escape on a dropped-down list is the list's own and closes it only.
    if (evento->key() == Qt::Key_Escape && evento->modifiers() == Qt::NoModifier) {
        Form_KeyPress(27);
        return;
    }
    QMainWindow::keyPressEvent(evento);
}

void FrmConsCpteGenerico::closeEvent(QCloseEvent* evento) {
    if (!descargado_) {
        descargado_ = true;
        Form_Unload();
    }
    evento->accept();
}

// --- timer and display helpers ------------------------------------------------------

void FrmConsCpteGenerico::Timer1_Timer() {
    EstableceColorAnulado(ColorAnulado() == Rojo() ? Amarillo() : Rojo());
}

int FrmConsCpteGenerico::IntervaloTimer() const { return Timer1->isActive() ? Timer1->interval() : 0; }

void FrmConsCpteGenerico::EstableceIntervaloTimer(int ms) {
    if (ms > 0) {
        Timer1->start(ms);
    } else {
        Timer1->stop();
        Timer1->setInterval(0);
    }
    // The label shows only while it blinks (otherwise the header box covers it).
    lblCpteAnulado->setVisible(ms > 0);
}

QColor FrmConsCpteGenerico::ColorAnulado() const { return lblCpteAnulado->palette().color(QPalette::WindowText); }

void FrmConsCpteGenerico::EstableceColorAnulado(const QColor& c) {
    QPalette p = lblCpteAnulado->palette();
    p.setColor(QPalette::WindowText, c);
    lblCpteAnulado->setPalette(p);
}

void FrmConsCpteGenerico::EstableceTopAnulado(int twips) { topAnuladoTwips_ = twips; }

int FrmConsCpteGenerico::AltoAnulado() const {
    return VistaGrilla::PixelesATwips(lblCpteAnulado->maximumHeight(), logicalDpiY());
}

void FrmConsCpteGenerico::EstableceAltoDisp(int twips) {
    altoDispTwips_ = twips;
    txtDisp->setFixedHeight(Px(this, twips));
    txtDisp->setFont(FuenteFija(txtDisp, Px(this, twips), 8));
}

void FrmConsCpteGenerico::EscribeDisp(const QString& texto) {
    textoDisp_ = texto;
    QString mostrado = texto;
    mostrado.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    txtDisp->setPlainText(mostrado);
}
