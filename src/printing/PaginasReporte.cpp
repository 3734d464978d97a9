// How a report is laid out and painted, page by page.
//
// The layout stays the definition's HTML, shown by Qt's text engine, and each
// page is painted from a text document that holds only the lines around that
// page: the engine's time to read and lay out one document grows faster than
// its table's rows (a voucher of 2,000 lines took seconds), while a document
// of a few pages costs the same wherever it sits in the voucher, so the whole
// run grows with the lines. Painting the definition's bands with a QPainter
// of our own would have meant a second way of drawing the same layout, which
// would drift from the HTML the definitions are written in; a document per
// window of pages keeps the printed voucher exactly as the engine draws it.
//
// How the windows stay exact: the lines table of a window starts at the top
// of its first page, where its rows fall exactly where they fall on a page
// the table continues on (after the repeated column headings); so a window
// that starts with the first line of a page of the printout breaks its pages
// where the printout does. A window's pages are taken up to the page before
// the one its last line starts on (that page could still change: what follows
// decides its foot), or all of them when it holds the last line and what comes
// after the table. The next window starts on the last page taken that opens
// with a whole line (a line split across two pages cannot start a window). A
// window whose pages cannot be taken yet is made again with more lines.
//
// A layout whose lines are not one table with column headings (<thead>) and
// one row per line is laid out as one document, as before.
#include "printing/PaginasReporte.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <algorithm>
#include <cmath>


namespace {

qsizetype Busca(const QString& html, QLatin1String que, qsizetype desde = 0) {
    return html.indexOf(que, desde, Qt::CaseInsensitive);
}

// The HTML around the lines table: the document's head, the table's opening
// with its column headings, one row per line and what follows the table.
struct Partes {
    QString cabeza;    // up to the opening of <body>
    QString prefijo;   // up to the end of the column headings
    QString apertura;  // the lines table from its opening to the end of its headings
    QStringList filas; // one <tr>...</tr> per line
    QString sufijo;    // from the end of the lines table
    int filasTitulo = 0;   // rows of the column headings
    int tablasAntes = 0;   // tables that open before the lines table
};

int Cuenta(const QString& texto, QLatin1String que) {
    int n = 0;
    for (qsizetype i = Busca(texto, que); i >= 0; i = Busca(texto, que, i + 1)) ++n;
    return n;
}

bool Separa(const QString& html, Partes& p) {
    const qsizetype thead = Busca(html, QLatin1String("<thead"));
    if (thead < 0) return false;
    const qsizetype finThead = Busca(html, QLatin1String("</thead>"), thead);
    const qsizetype tabla = html.lastIndexOf(QLatin1String("<table"), thead, Qt::CaseInsensitive);
    const qsizetype body = Busca(html, QLatin1String("<body"));
    if (finThead < 0 || tabla < 0 || body < 0 || body > tabla) return false;
    if (Busca(html.mid(tabla, thead - tabla), QLatin1String("</table")) >= 0) return false;
    const qsizetype finBody = html.indexOf(QLatin1Char('>'), body);
    if (finBody < 0 || finBody > tabla) return false;
    const qsizetype finTitulo = finThead + 8;
    p.cabeza = html.left(finBody + 1);
    p.prefijo = html.left(finTitulo);
    p.apertura = html.mid(tabla, finTitulo - tabla);
    p.filasTitulo = Cuenta(p.apertura, QLatin1String("<tr"));
    p.tablasAntes = Cuenta(html.left(tabla), QLatin1String("<table"));
    qsizetype pos = finTitulo;
    for (;;) {
        const qsizetype fila = Busca(html, QLatin1String("<tr"), pos);
        const qsizetype cierre = Busca(html, QLatin1String("</table"), pos);
        if (cierre < 0) return false;
        if (fila < 0 || fila > cierre) {
            if (!html.mid(pos, cierre - pos).trimmed().isEmpty()) return false;
            p.sufijo = html.mid(cierre);
            break;
        }
        // Between two rows only blanks: anything else belongs to no row.
        if (!html.mid(pos, fila - pos).trimmed().isEmpty()) return false;
        const qsizetype finFila = Busca(html, QLatin1String("</tr>"), fila);
        if (finFila < 0 || finFila > cierre) return false;
        const QString texto = html.mid(fila, finFila + 5 - fila);
        if (Cuenta(texto, QLatin1String("<tr")) != 1 || Busca(texto, QLatin1String("<table")) >= 0) return false;
        p.filas << texto;
        pos = finFila + 5;
    }
    return p.filasTitulo > 0 && !p.filas.isEmpty();
}

QTextTable* TablaNumero(QTextDocument& doc, int numero) {
    int i = 0;
    for (QTextFrame* f : doc.rootFrame()->childFrames())
        if (auto* t = qobject_cast<QTextTable*>(f)) {
            if (i == numero) return t;
            ++i;
        }
    return nullptr;
}

} // namespace

PaginasReporte::PaginasReporte(const QString& html, QPagedPaintDevice* dispositivo, bool unDocumento)
    : dispositivo_(dispositivo) {
    const int resolucion = dispositivo->logicalDpiY();
    const QRectF area = dispositivo->pageLayout().paintRectPixels(resolucion);
    ancho_ = area.width();
    pie_ = resolucion * 0.3;
    alto_ = area.height() - pie_;
    if (unDocumento || !PorVentanas(html)) {
        documentos_.clear();
        paginas_.clear();
        UnDocumento(html);
    }
}

PaginasReporte::~PaginasReporte() = default;

QTextDocument* PaginasReporte::NuevoDocumento(const QString& html) {
    auto doc = std::make_unique<QTextDocument>();
    doc->documentLayout()->setPaintDevice(dispositivo_);
    QFont letra(QStringLiteral("DejaVu Sans"));
    letra.setPointSizeF(9);
    doc->setDefaultFont(letra);
    doc->setDocumentMargin(0);
    doc->setHtml(html);
    doc->setPageSize(QSizeF(ancho_, alto_));
    documentos_.push_back(std::move(doc));
    return documentos_.back().get();
}

// The whole layout as one text document.
void PaginasReporte::UnDocumento(const QString& html) {
    QTextDocument* doc = NuevoDocumento(html);
    const int n = qMax(1, doc->pageCount());
    for (int i = 0; i < n; ++i) paginas_.push_back(Pagina{static_cast<int>(documentos_.size()) - 1, i});
}

bool PaginasReporte::PorVentanas(const QString& html) {
    Partes partes;
    if (!Separa(html, partes)) return false;
    const int n = static_cast<int>(partes.filas.size());
    const QString cierre = QStringLiteral("\n</table>\n</body>\n</html>\n");
    auto pagina = [this](qreal y) { return static_cast<int>(std::floor(y / alto_)); };

    int desde = 0;          // the window's first line
    int paginaInicio = 0;   // the page of the printout the window's first page is
    int tomadas = 0;        // pages of the printout taken so far
    int tamano = 100;       // lines of a window
    for (;;) {
        const int hasta = std::min(n, desde + tamano);
        const bool completa = hasta == n;
        QString texto = desde == 0 ? partes.prefijo : partes.cabeza + partes.apertura;
        for (int i = desde; i < hasta; ++i) texto += partes.filas.at(i);
        texto += completa ? partes.sufijo : cierre;
        QTextDocument* doc = NuevoDocumento(texto);
        const int indice = static_cast<int>(documentos_.size()) - 1;
        const int paginasDoc = std::max(1, doc->pageCount());
        QTextTable* tabla = TablaNumero(*doc, desde == 0 ? partes.tablasAntes : 0);
        const int lineas = hasta - desde;
        if (!tabla || tabla->rows() != partes.filasTitulo + lineas) return false;

        // The page each line starts on and the page it ends on.
        QAbstractTextDocumentLayout* diseno = doc->documentLayout();
        std::vector<int> inicio(static_cast<size_t>(lineas)), fin(static_cast<size_t>(lineas));
        for (int r = 0; r < lineas; ++r) {
            const int fila = partes.filasTitulo + r;
            inicio[static_cast<size_t>(r)] =
                pagina(diseno->blockBoundingRect(tabla->cellAt(fila, 0).firstCursorPosition().block()).top());
            int ultima = inicio[static_cast<size_t>(r)];
            for (int c = 0; c < tabla->columns(); ++c) {
                const QRectF caja = diseno->blockBoundingRect(tabla->cellAt(fila, c).lastCursorPosition().block());
                ultima = std::max(ultima, pagina(caja.bottom() - 0.01));
            }
            fin[static_cast<size_t>(r)] = ultima;
        }

        const int primera = tomadas - paginaInicio;
        const int ultimaTomada = completa ? paginasDoc - 1 : inicio.back() - 1;
        if (ultimaTomada < primera) {
            // Not one new page yet: the same window with more lines.
            documentos_.pop_back();
            tamano *= 2;
            continue;
        }
        for (int q = primera; q <= ultimaTomada; ++q) paginas_.push_back(Pagina{indice, q});
        tomadas = paginaInicio + ultimaTomada + 1;
        if (completa) return true;

        // The last page taken that opens with a whole line starts the next window.
        int siguiente = -1;
        int paginaSiguiente = -1;
        for (int q = ultimaTomada; q >= 1 && siguiente < 0; --q) {
            const auto it = std::lower_bound(inicio.begin(), inicio.end(), q);
            if (it == inicio.end() || *it != q || it == inicio.begin()) continue;
            const int r = static_cast<int>(it - inicio.begin());
            if (fin[static_cast<size_t>(r - 1)] < q) {
                siguiente = r;
                paginaSiguiente = q;
            }
        }
        if (siguiente < 0) {
            tamano *= 2;
            continue;
        }
        desde += siguiente;
        paginaInicio += paginaSiguiente;
        // Some five pages of lines (as many as the pages just taken held): the
        // page laid out twice, where a window starts, is then a fifth of the work.
        tamano = std::max(100, 5 * siguiente / paginaSiguiente + 10);
    }
}

void PaginasReporte::PintaPagina(QPainter& p, int pagina, int copia, const QString& identificacion) const {
    const Pagina& pg = paginas_.at(static_cast<size_t>(pagina));
    QTextDocument& doc = *documentos_.at(static_cast<size_t>(pg.documento));
    p.save();
    p.translate(0, -pg.numero * alto_);
    doc.drawContents(&p, QRectF(0, pg.numero * alto_, ancho_, alto_));
    p.restore();
    p.save();
    QFont letraPie(QStringLiteral("DejaVu Sans"));
    letraPie.setPointSizeF(7);
    p.setFont(letraPie);
    const QRectF franja(0, alto_, ancho_, pie_);
    p.drawText(franja, Qt::AlignLeft | Qt::AlignBottom, EtiquetaCopia(copia));
    p.drawText(franja, Qt::AlignHCenter | Qt::AlignBottom, identificacion);
    p.drawText(franja, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("Página %1 de %2").arg(pagina + 1).arg(Paginas()));
    p.restore();
}

int PaginasReporte::Pinta(QPagedPaintDevice* dispositivo, const QString& html, const QString& identificacion, int copias,
                          bool unDocumento) {
    QPainter p;
    if (!p.begin(dispositivo)) return -1;
    const PaginasReporte paginas(html, dispositivo, unDocumento);
    for (int c = 0; c < copias; ++c)
        for (int i = 0; i < paginas.Paginas(); ++i) {
            if (c > 0 || i > 0) dispositivo->newPage();
            paginas.PintaPagina(p, i, c, identificacion);
        }
    p.end();
    return paginas.Paginas();
}

QString PaginasReporte::EtiquetaCopia(int copia) {
    switch (copia) {
    case 0: return QStringLiteral("ORIGINAL");
    case 1: return QStringLiteral("DUPLICADO");
    case 2: return QStringLiteral("TRIPLICADO");
    default: return QStringLiteral("COPIA %1").arg(copia + 1);
    }
}
