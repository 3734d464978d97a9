#pragma once
// The pages of a report run: the layout's HTML laid out for a page of the
// definition, a few pages at a time (see the .cpp), and painted page by page
// with the copy's name, the voucher and the page number at the foot of every
// page.
#include <QSizeF>
#include <QString>

#include <memory>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QPaintDevice;
class QTextDocument;

class PaginasReporte {
public:
    // Lays `html` out for the page of `dispositivo` (its page layout and
    // resolution: text is measured as it will be printed). With `unDocumento`
    // the whole layout is one text document (slow for long vouchers; the
    // reference the windows are checked against).
    PaginasReporte(const QString& html, QPagedPaintDevice* dispositivo, bool unDocumento = false);
    ~PaginasReporte();
    PaginasReporte(const PaginasReporte&) = delete;
    PaginasReporte& operator=(const PaginasReporte&) = delete;

    int Paginas() const { return static_cast<int>(paginas_.size()); }
    // The printable area of one page in device pixels (body and foot).
    QSizeF Area() const { return QSizeF(ancho_, alto_ + pie_); }

    // Paints page `pagina` (from 0) of copy `copia` (0 = ORIGINAL) with its
    // origin at the top left corner of the printable area.
    void PintaPagina(QPainter& p, int pagina, int copia, const QString& identificacion) const;

    // Paints `copias` copies, each its own set of pages. The pages of one
    // copy, or -1 when the device cannot be painted on.
    static int Pinta(QPagedPaintDevice* dispositivo, const QString& html, const QString& identificacion, int copias,
                     bool unDocumento = false);

    static QString EtiquetaCopia(int copia);

private:
    struct Pagina {
        int documento = 0;  // in documentos_
        int numero = 0;     // the page of that document
    };
    void UnDocumento(const QString& html);
    bool PorVentanas(const QString& html);
    QTextDocument* NuevoDocumento(const QString& html);

    QPaintDevice* dispositivo_ = nullptr;
    qreal ancho_ = 0;
    qreal alto_ = 0;  // the body of a page, above the foot
    qreal pie_ = 0;
    std::vector<std::unique_ptr<QTextDocument>> documentos_;
    std::vector<Pagina> paginas_;
};
