#pragma once
// The progress window of long tasks: a caption and three text lines. The
// window itself belongs to the ui library, which installs it as the view;
// without a view (tests, runs without a display) the texts are only kept.
#include <QString>
#include <QStringList>

class VistaProgreso {
public:
    virtual ~VistaProgreso() = default;
    virtual void Muestra(const QString& titulo) = 0;
    virtual void Avanza(const QString& l1, const QString& l2, const QString& l3) = 0;
    virtual void Oculta() = 0;
};

class ClsProgreso {
public:
    ~ClsProgreso();
    void Muestra(const QString& titulo, bool modal = false);
    void Avanza(bool refrescar, const QString& linea1, const QString& linea2 = {}, const QString& linea3 = {});
    void Oculta();
    void EstableceVisible(bool visible);  // the suite's "Visible = False"
    bool Visible() const { return visible_; }

    QString Titulo() const { return titulo_; }
    QStringList Lineas() const { return lineas_; }
    int Avances() const { return avances_; }

    // The window factory the ui library installs (nullptr: no window).
    using FabricaVista = VistaProgreso* (*)();
    static void EstableceFabricaVista(FabricaVista f);

private:
    VistaProgreso* vista_ = nullptr;
    QString titulo_;
    QStringList lineas_{QString(), QString(), QString()};
    int avances_ = 0;
    bool visible_ = false;
};

ClsProgreso& Progreso();
