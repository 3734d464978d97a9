#pragma once
// The table view of a GrillaFlex: columns as wide as the model's twips at the
// screen's logical resolution (1440 twips to the inch), width 0 hidden, the
// fixed rows as column headings, read-only cells, and Ctrl+C copying the
// selected cells as tab-separated text for a spreadsheet. The grid's current
// cell follows the view's.
#include <QTableView>

class GrillaFlex;
class QPaintDevice;

class VistaGrilla : public QTableView {
    Q_OBJECT
public:
    explicit VistaGrilla(QWidget* padre = nullptr);

    void EstableceGrilla(GrillaFlex* grilla);
    GrillaFlex* Grilla() const { return grilla_; }

    // The selected cells as text: rows by line feeds, cells by tabs (hidden
    // columns left out; a gap in the selection gives empty cells).
    QString TextoSeleccion() const;
    void CopiaSeleccion() const;

    // Twips and pixels at a device's logical resolution.
    static int TwipsAPixeles(int twips, int dpi);
    static int PixelesATwips(int pixeles, int dpi);
    // Width of a text in the widget's font, in twips (the suite's TextWidth).
    static int AnchoTextoTwips(const QWidget* obj, const QString& texto);

protected:
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void AplicaAncho(int col);
    void AplicaAnchos();

    GrillaFlex* grilla_ = nullptr;
};
