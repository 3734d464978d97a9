#include "printing/PaginasReporte.h"

#include <QAbstractTextDocumentLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>

PaginasReporte::PaginasReporte(const QString& html, QPagedPaintDevice* dispositivo) : dispositivo_(dispositivo) {
    const int resolucion = dispositivo->logicalDpiY();
    const QRectF area = dispositivo->pageLayout().paintRectPixels(resolucion);
    ancho_ = area.width();
    pie_ = resolucion * 0.3;
    alto_ = area.height() - pie_;
    UnDocumento(html);
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

int PaginasReporte::Pinta(QPagedPaintDevice* dispositivo, const QString& html, const QString& identificacion, int copias) {
    QPainter p;
    if (!p.begin(dispositivo)) return -1;
    const PaginasReporte paginas(html, dispositivo);
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
