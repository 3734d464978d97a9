#include "chooser/FrmConsComprobantes.h"

#include "chooser/ModeloComprobantes.h"
#include "session/ClsConexion.h"
#include "session/ClsFunciones.h"
#include "session/ModGlobal.h"
#include "session/Recordset.h"
#include "session/SqlLiteral.h"
#include "session/Trampa.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <vector>

namespace {
const char* const kEtiquetas[] = {"PR", "Anulado", "Aprobado", "FC", "NC", "ND", "OT", "Generico", "T3"};

bool Igual(const QString& a, const char* b) { return a.trimmed().compare(QLatin1String(b), Qt::CaseInsensitive) == 0; }

bool EnLista(const QString& tc, std::initializer_list<const char*> lista) {
    for (const char* c : lista)
        if (Igual(tc, c)) return true;
    return false;
}

// A flag field: Null (or empty) is false.
bool Verdadero(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return false;
    if (v.metaType().id() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        if (s.isEmpty()) return false;
        if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
        if (s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
        return ValorNumerico(s) != 0;
    }
    return v.toBool();
}

// Position of a field in the result, or -1.
int IndiceCampo(const Recordset& rs, const QString& nombre) {
    for (int i = 0; i < rs.CantidadCampos(); ++i)
        if (rs.NombreCampo(i).compare(nombre, Qt::CaseInsensitive) == 0) return i;
    return -1;
}
} // namespace

FrmConsComprobantes::FrmConsComprobantes(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("FrmConsComprobantes"));
    setWindowTitle(QStringLiteral("Taleruna"));

    for (const char* etiqueta : kEtiquetas)
        ImageList1.append({QString::fromLatin1(etiqueta),
                           QIcon(QStringLiteral(":/chooser/") + QString::fromLatin1(etiqueta) + QStringLiteral(".svg"))});

    modelo_ = new ModeloComprobantes(this);
    QVector<QIcon> iconos;
    for (const auto& par : ImageList1) iconos.append(par.second);
    modelo_->EstableceImagenes(iconos);

    ListView1 = new QTreeView(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSortingEnabled(false);
    ListView1->setModel(modelo_);
    ListView1->header()->setSectionsClickable(true);
    ListView1->header()->setSortIndicatorShown(false);
    ListView1->header()->setStretchLastSection(false);
    ListView1->installEventFilter(this);

    CmdAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    CmdAceptar->setObjectName(QStringLiteral("CmdAceptar"));
    CmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    CmdCancelar->setObjectName(QStringLiteral("CmdCancelar"));
    CmdAceptar->setAutoDefault(false);
    CmdCancelar->setAutoDefault(false);

    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(CmdAceptar);
    botones->addWidget(CmdCancelar);
    auto* principal = new QVBoxLayout(this);
    principal->addWidget(ListView1);
    principal->addLayout(botones);

    connect(CmdAceptar, &QPushButton::clicked, this, [this] { CmdAceptar_Click(); });
    connect(CmdCancelar, &QPushButton::clicked, this, [this] { CmdCancelar_Click(); });
    connect(ListView1, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) {
        if (i.isValid()) CmdAceptar_Click();
    });
    temporizadorCarga_ = new QTimer(this);
    temporizadorCarga_->setSingleShot(true);
    temporizadorCarga_->setInterval(0);
    connect(temporizadorCarga_, &QTimer::timeout, this, [this] { LeeSiguienteLote(); });
    connect(ListView1->header(), &QHeaderView::sectionClicked, this, [this](int s) { ListView1_ColumnClick(s); });
    resize(720, 420);
}

FrmConsComprobantes::~FrmConsComprobantes() = default;

FrmConsComprobantes::Familia FrmConsComprobantes::FamiliaDe(const QString& tc) {
    if (EnLista(tc, {"OT", "FC", "RM", "ND", "NC", "OP", "NP", "FP"})) return Familia::Ventas;
    if (EnLista(tc, {"FCC", "NCC", "NDC", "RMC"})) return Familia::Compras;
    if (Igual(tc, "PR")) return Familia::Presupuestos;
    if (Igual(tc, "T3")) return Familia::Terceros;
    return Familia::Ninguna;
}

QString FrmConsComprobantes::ResuelveAlias(const QString& tc, bool& soloPendientes) {
    static const std::pair<const char*, const char*> alias[] = {
        {"RM/PENDIENTES", "RM"},
        {"NP/PENDIENTES", "NP"},
        {"OT/PENDIENTES", "OT"},
        {"RM/PENDIENTES_COMPRAS", "RMC"},
        {"PR/PENDIENTES", "PR"},
    };
    soloPendientes = false;
    for (const auto& [nombre, tipo] : alias)
        if (Igual(tc, nombre)) {
            soloPendientes = true;
            return QString::fromLatin1(tipo);
        }
    return tc;
}

QString FrmConsComprobantes::ArmaSentencia(const QString& tc, bool soloPendientes, const QString& filtro) {
    const QString t = SqlLiteral::Texto(Funciones().RellenaTexto(tc.trimmed(), 4));
    const bool filtroEnBlanco = filtro.trimmed().isEmpty();
    // The pending statements always join the extra condition with AND; with no
    // condition it is left out rather than sending "AND  ORDER BY".
    const QString yFiltro = filtroEnBlanco ? QString() : QStringLiteral(" AND ") + filtro;
    const Familia familia = FamiliaDe(tc);

    if (Igual(tc, "RMC") && soloPendientes)
        return QStringLiteral(" SELECT CUENTA , ANULADA, Nombre, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM C_RemitosPendientes WHERE TC = ") +
               t + yFiltro + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC");
    if (Igual(tc, "RM") && soloPendientes)
        return QStringLiteral(" SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe FROM V_RemitosPendientes WHERE TC = ") +
               t + yFiltro + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC");
    if (Igual(tc, "T3")) return QStringLiteral("SELECT * FROM V_MV_CPTETERCEROS ORDER BY ID,IDCOMPROBANTE, IDCOMPLEMENTO");
    if (familia == Familia::Compras) {
        if (!filtroEnBlanco)
            return QStringLiteral("SELECT * FROM C_MV_CPTE WHERE TC = ") + t + QStringLiteral(" AND ") + filtro +
                   QStringLiteral(" ORDER BY  IDCOMPROBANTE DESC ");
        return QStringLiteral("SELECT * FROM C_MV_CPTE WHERE TC = ") + t + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC");
    }
    if (Igual(tc, "OT") && soloPendientes)
        return QStringLiteral(" SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, IDCOMPlemento,ID,FECHA, Importe FROM V_OT_Pendientes WHERE TC = ") +
               t + yFiltro + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC");
    if (Igual(tc, "NP") && soloPendientes)
        return QStringLiteral(" SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe, comentarios FROM V_NP_PENDIENTES WHERE TC = ") +
               t + yFiltro + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC");
    if (Igual(tc, "PR") && soloPendientes)
        return QStringLiteral(" SELECT CUENTA , ANULADA, Nombre, APROBADO, TC,IDCOMPROBANTE, ID,FECHA, Importe, comentarios FROM V_PR_PENDIENTES WHERE TC = ") +
               t + QStringLiteral(" AND APROBADO = 1") + yFiltro + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC");
    if (!filtroEnBlanco)
        return QStringLiteral("SELECT * FROM V_MV_CPTE WHERE TC = ") + t + QStringLiteral(" AND ") + filtro +
               QStringLiteral(" ORDER BY  IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC  ");
    return QStringLiteral("SELECT * FROM V_MV_CPTE WHERE TC = ") + t + QStringLiteral(" ORDER BY IDCOMPROBANTE DESC, IDCOMPLEMENTO ASC");
}

short FrmConsComprobantes::ObtieneIndiceImagen(const QString& etiqueta) const {
    const QString buscada = etiqueta.trimmed();
    for (int i = 0; i < ImageList1.size(); ++i)
        if (ImageList1[i].first.trimmed().compare(buscada, Qt::CaseInsensitive) == 0) return static_cast<short>(i + 1);
    if (buscada.compare(QLatin1String("Generico"), Qt::CaseInsensitive) == 0) return 0;  // no generic icon at all
    return ObtieneIndiceImagen(QStringLiteral("Generico"));
}

void FrmConsComprobantes::AgregaColumna(const QString& titulo, int equis) {
    QStringList titulos = modelo_->Titulos();
    titulos.append(titulo);
    modelo_->EstableceColumnas(titulos);
    anchos_.append(QFontMetrics(font()).horizontalAdvance(QString(equis, QLatin1Char('X'))));
    for (int c = 0; c < anchos_.size(); ++c) ListView1->header()->resizeSection(c, anchos_[c]);
}

void FrmConsComprobantes::Encolumnar() {
    modelo_->EstableceColumnas({});
    anchos_.clear();
    switch (FamiliaDe(TC)) {
    case Familia::Ventas:
        AgregaColumna(QStringLiteral("FECHA"), 13);
        AgregaColumna(QStringLiteral("COMPROBANTE"), 15);
        AgregaColumna(QStringLiteral("ID"), 5);
        AgregaColumna(QStringLiteral("NOMBRE"), 21);
        if (UsaReferencia) AgregaColumna(QStringLiteral("Referencia"), 21);
        AgregaColumna(QStringLiteral("IMPORTE"), 10);
        break;
    case Familia::Compras:
        AgregaColumna(QStringLiteral("FECHA"), 13);
        AgregaColumna(QStringLiteral("COMPROBANTE"), 15);
        AgregaColumna(QStringLiteral("PROVEEDOR"), 15);
        AgregaColumna(QStringLiteral("NOMBRE"), 21);
        AgregaColumna(QStringLiteral("CONCEPTO"), 21);
        AgregaColumna(QStringLiteral("IMPORTE"), 10);
        break;
    case Familia::Presupuestos:
        AgregaColumna(QStringLiteral("FECHA"), 13);
        AgregaColumna(QStringLiteral("COMPROBANTE"), 15);
        AgregaColumna(QStringLiteral("NOMBRE"), 21);
        if (UsaReferencia) AgregaColumna(QStringLiteral("Referencia"), 21);
        AgregaColumna(QStringLiteral("IMPORTE"), 10);
        break;
    case Familia::Terceros:
        AgregaColumna(QStringLiteral("Nº Int."), 7);
        AgregaColumna(QStringLiteral("FECHA"), 13);
        AgregaColumna(QStringLiteral("COMPROBANTE"), 15);
        AgregaColumna(QStringLiteral("ID"), 4);
        AgregaColumna(QStringLiteral("FH Envio"), 10);
        AgregaColumna(QStringLiteral("FH Recep"), 10);
        break;
    case Familia::Ninguna:
        break;
    }
}

namespace {
// How long the load may hold the window: the first rows before it shows, and
// each later step while it is shown.
qint64 gPrimerLoteMs = 25;
qint64 gLoteMs = 40;
} // namespace

std::pair<qint64, qint64> FrmConsComprobantes::EstableceLotes(qint64 primeroMs, qint64 siguientesMs) {
    const std::pair<qint64, qint64> anteriores{gPrimerLoteMs, gLoteMs};
    gPrimerLoteMs = primeroMs;
    gLoteMs = siguientesMs;
    return anteriores;
}

void FrmConsComprobantes::Form_Load(Trampa& t) {
    t.Paso([&] { modelo_->Limpia(); });
    t.Paso([&] {
        UsaReferencia = Cfg(QStringLiteral("UsaReferenciaPresupuestos")).trimmed().compare(QLatin1String("SI"), Qt::CaseInsensitive) == 0;
    });
    t.Paso([&] { TC = ResuelveAlias(TC, SoloPendientes); });
    t.Paso([&] { Encolumnar(); });
    t.Paso([&] { Funciones().PreparaFormulario(this, false); });
    t.Paso([&] { AplicaEstiloFormulario(this); });
    // Types outside the four families have no columns: nothing to list.
    if (FamiliaDe(TC) == Familia::Ninguna) return;
    sentencia_ = t.Paso([&] { return ArmaSentencia(TC, SoloPendientes, Filtro); });
    if (sentencia_.isEmpty()) return;
    rs_ = t.Paso([&] { return Conexion().AbreRecordset(sentencia_, 0, 1, -1); });
    if (rs_.Vacio()) return;
    PreparaLectura();
    trampa_.emplace(t);
    cargando_ = true;
    if (!LeeLote(t, gPrimerLoteMs)) {
        cargando_ = false;
        rs_.Cierra();
    }
}

void FrmConsComprobantes::PreparaLectura() {
    const Familia familia = FamiliaDe(TC);
    const ModeloComprobantes& m = *modelo_;
    lecturas_.clear();
    // Field positions are found once; a missing field raises its error (with
    // its name) on every read, as a read by name would.
    const auto lee = [&](const QString& titulo, const QString& campo) {
        lecturas_.push_back({m.ColumnaDe(titulo), campo, IndiceCampo(rs_, campo)});
    };
    const bool idComplementoVisible = Igual(TC, "FC") || Igual(TC, "OT");
    switch (familia) {
    case Familia::Ventas:
        lee(QStringLiteral("FECHA"), QStringLiteral("Fecha"));
        lee(QStringLiteral("COMPROBANTE"), QStringLiteral("IdComprobante"));
        if (idComplementoVisible) lee(QStringLiteral("ID"), QStringLiteral("IdComplemento"));
        lee(QStringLiteral("NOMBRE"), QStringLiteral("Nombre"));
        lee(QStringLiteral("IMPORTE"), QStringLiteral("Importe"));
        break;
    case Familia::Compras:
        lee(QStringLiteral("FECHA"), QStringLiteral("Fecha"));
        lee(QStringLiteral("COMPROBANTE"), QStringLiteral("IdComprobante"));
        lee(QStringLiteral("PROVEEDOR"), QStringLiteral("Cuenta"));
        lee(QStringLiteral("NOMBRE"), QStringLiteral("Nombre"));
        lee(QStringLiteral("IMPORTE"), QStringLiteral("Importe"));
        break;
    case Familia::Presupuestos:
        lee(QStringLiteral("FECHA"), QStringLiteral("Fecha"));
        lee(QStringLiteral("COMPROBANTE"), QStringLiteral("IdComprobante"));
        lee(QStringLiteral("NOMBRE"), QStringLiteral("Nombre"));
        if (UsaReferencia) lee(QStringLiteral("Referencia"), QStringLiteral("Comentarios"));
        lee(QStringLiteral("IMPORTE"), QStringLiteral("Importe"));
        break;
    case Familia::Terceros:
        lee(QStringLiteral("Nº Int."), QStringLiteral("Id"));
        lee(QStringLiteral("FECHA"), QStringLiteral("Fecha"));
        lee(QStringLiteral("COMPROBANTE"), QStringLiteral("IdComprobante"));
        lee(QStringLiteral("ID"), QStringLiteral("IdComplemento"));
        lee(QStringLiteral("FH Envio"), QStringLiteral("FECHAENVIADO"));
        lee(QStringLiteral("FH Recep"), QStringLiteral("FECHARECIBIDO"));
        break;
    case Familia::Ninguna:
        break;
    }
    indiceAnulada_ = IndiceCampo(rs_, QStringLiteral("Anulada"));
    indiceAprobado_ = IndiceCampo(rs_, QStringLiteral("APROBADO"));
    iconoTipo_ = ObtieneIndiceImagen(TC);
    iconoAnulado_ = ObtieneIndiceImagen(QStringLiteral("Anulado"));
    iconoAprobado_ = ObtieneIndiceImagen(QStringLiteral("Aprobado"));
    iconoTerceros_ = ObtieneIndiceImagen(QStringLiteral("T3"));
}

bool FrmConsComprobantes::LeeLote(Trampa& t, qint64 milisegundos) {
    const Familia familia = FamiliaDe(TC);
    const int columnas = modelo_->columnCount();
    const auto valor = [&](int indice, const QString& campo) -> QVariant {
        return t.Paso([&] { return indice >= 0 ? rs_.Campo(indice) : rs_.Campo(campo); });
    };
    const ClsFunciones& f = Funciones();
    QElapsedTimer reloj;
    reloj.start();
    std::vector<ModeloComprobantes::Fila> filas;
    filas.reserve(2048);
    bool quedan = !rs_.Eof();
    while (quedan) {
        ModeloComprobantes::Fila fila;
        fila.celdas.resize(columnas);
        for (const Lectura& l : lecturas_) {
            const QString texto = f.ValorCampo(valor(l.indice, l.campo)).toString();
            if (l.columna >= 0) fila.celdas[l.columna] = texto;
        }
        if (familia == Familia::Terceros) {
            fila.imagen = iconoTerceros_;
        } else {
            fila.imagen = iconoTipo_;
            if (Verdadero(valor(indiceAnulada_, QStringLiteral("Anulada"))))
                fila.imagen = iconoAnulado_;
            else if (familia == Familia::Ventas && Verdadero(valor(indiceAprobado_, QStringLiteral("APROBADO"))))
                fila.imagen = iconoAprobado_;
        }
        filas.push_back(std::move(fila));
        // A step that cannot move on (skipped) ends the list.
        quedan = t.Paso([&] {
            rs_.MoveNext();
            return true;
        }) && !rs_.Eof();
        // The clock is read every 256 rows.
        if ((filas.size() & 0xff) == 0 && reloj.elapsed() >= milisegundos) break;
    }
    modelo_->AgregaFilas(std::move(filas));
    return quedan;
}

void FrmConsComprobantes::LeeSiguienteLote() {
    if (!cargando_ || !trampa_) return;
    bool quedan = false;
    try {
        quedan = LeeLote(*trampa_, gLoteMs);
    } catch (...) {
        // "Leave" answered to a failing read (nothing may escape into the
        // event loop): the load and the window end, with nothing chosen.
        cargando_ = false;
        rs_.Cierra();
        cerradoPorError_ = true;
        NroComprobante.clear();
        reject();
        return;
    }
    if (quedan) {
        temporizadorCarga_->start();
    } else {
        cargando_ = false;
        rs_.Cierra();
    }
}

void FrmConsComprobantes::TerminaCarga() {
    if (temporizadorCarga_) temporizadorCarga_->stop();
    while (cargando_) LeeSiguienteLote();
}

void FrmConsComprobantes::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (cargando_ && !temporizadorCarga_->isActive()) temporizadorCarga_->start();
}

void FrmConsComprobantes::done(int resultado) {
    // A window closed while rows are still coming stops reading them.
    if (temporizadorCarga_) temporizadorCarga_->stop();
    cargando_ = false;
    rs_.Cierra();
    QDialog::done(resultado);
}

int FrmConsComprobantes::FilaSeleccionada() const {
    const QModelIndexList filas = ListView1->selectionModel()->selectedRows();
    return filas.isEmpty() ? -1 : filas.first().row();
}

void FrmConsComprobantes::CmdAceptar_Click() {
    const int fila = FilaSeleccionada();
    if (fila < 0) {
        NroComprobante.clear();
    } else {
        const auto celda = [&](const char* titulo) {
            return modelo_->Texto(fila, modelo_->ColumnaDe(QString::fromUtf8(titulo)));
        };
        switch (FamiliaDe(TC)) {
        case Familia::Ventas:
            NroComprobante = celda("COMPROBANTE");
            IdComplemento = celda("ID");
            break;
        case Familia::Compras:
            NroComprobante = celda("COMPROBANTE");
            Proveedor = celda("PROVEEDOR");
            break;
        case Familia::Presupuestos:
            NroComprobante = celda("COMPROBANTE");
            IdComplemento = QStringLiteral("0");
            break;
        case Familia::Terceros:
            NroComprobante = modelo_->Texto(fila, 0);
            IdComplemento = QStringLiteral("0");
            break;
        case Familia::Ninguna:
            break;
        }
    }
    accept();
}

void FrmConsComprobantes::CmdCancelar_Click() { reject(); }

void FrmConsComprobantes::ListView1_ColumnClick(int columna) {
    if (columna < 0 || columna >= modelo_->columnCount()) return;
    // The order toggles on every click, whichever column is clicked; it starts
    // ascending, as the list's own order does.
    ordenado_ = true;
    columnaOrden_ = columna;
    orden_ = orden_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    modelo_->Ordena(columna, orden_);
    ListView1->header()->setSortIndicatorShown(true);
    ListView1->header()->setSortIndicator(columna, orden_);
}

bool FrmConsComprobantes::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == ListView1 && evento->type() == QEvent::KeyPress) {
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        if (tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter) {
            CmdAceptar_Click();
            return true;
        }
    }
    return QDialog::eventFilter(objeto, evento);
}
