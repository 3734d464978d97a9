#include "session/InstalaUi.h"

#include "session/ClsProgreso.h"
#include "session/Dialogos.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QElapsedTimer>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool SinOperadorEnPantalla() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return true;
    const QString p = QGuiApplication::platformName();
    return p == QLatin1String("offscreen") || p == QLatin1String("minimal") || !qEnvironmentVariableIsEmpty("CI");
}

namespace {

QMessageBox::Icon IconoQt(Dialogos::Icono i) {
    switch (i) {
    case Dialogos::Icono::Critico: return QMessageBox::Critical;
    case Dialogos::Icono::Pregunta: return QMessageBox::Question;
    case Dialogos::Icono::Exclamacion: return QMessageBox::Warning;
    case Dialogos::Icono::Informacion: return QMessageBox::Information;
    case Dialogos::Icono::Ninguno: break;
    }
    return QMessageBox::NoIcon;
}

class RespondedorEscritorio : public Dialogos::RespondedorMensajes, public Dialogos::RespondedorErrores {
public:
    int Responde(const Dialogos::Mensaje& m) override {
        if (SinOperadorEnPantalla()) return Dialogos::SinOperador(m);
        QMessageBox caja(IconoQt(m.icono), m.titulo, m.texto, QMessageBox::NoButton, QApplication::activeWindow());
        using B = Dialogos::Botones;
        struct Par { QMessageBox::StandardButton b; int r; };
        QList<Par> pares;
        switch (m.botones) {
        case B::Aceptar: pares = {{QMessageBox::Ok, Dialogos::Aceptar}}; break;
        case B::AceptarCancelar: pares = {{QMessageBox::Ok, Dialogos::Aceptar}, {QMessageBox::Cancel, Dialogos::Cancelar}}; break;
        case B::SiNo: pares = {{QMessageBox::Yes, Dialogos::Si}, {QMessageBox::No, Dialogos::No}}; break;
        case B::SiNoCancelar:
            pares = {{QMessageBox::Yes, Dialogos::Si}, {QMessageBox::No, Dialogos::No}, {QMessageBox::Cancel, Dialogos::Cancelar}};
            break;
        case B::AnularReintentarIgnorar:
            pares = {{QMessageBox::Abort, Dialogos::Anular}, {QMessageBox::Retry, Dialogos::Reintentar},
                     {QMessageBox::Ignore, Dialogos::Ignorar}};
            break;
        }
        for (const Par& p : pares) caja.addButton(p.b);
        caja.setDefaultButton(pares.first().b);
        const auto pulsado = static_cast<QMessageBox::StandardButton>(caja.exec());
        for (const Par& p : pares)
            if (p.b == pulsado) return p.r;
        return Dialogos::RespuestaSinOperador(m.botones);
    }

    int Responde(const Dialogos::ErrorInformado& e) override {
        if (SinOperadorEnPantalla()) return Dialogos::SinOperador(e);
        QMessageBox caja(QMessageBox::Critical, QStringLiteral("Taleruna - Error"),
                         QStringLiteral("Se produjo un error en %1.\n\nError %2: %3")
                             .arg(e.procedimiento.isEmpty() ? QStringLiteral("el programa") : e.procedimiento)
                             .arg(e.numero)
                             .arg(e.descripcion),
                         QMessageBox::NoButton, QApplication::activeWindow());
        QPushButton* reintentar = caja.addButton(QStringLiteral("&Reintentar"), QMessageBox::AcceptRole);
        QPushButton* ignorar = caja.addButton(QStringLiteral("&Ignorar"), QMessageBox::ActionRole);
        QPushButton* salir = caja.addButton(QStringLiteral("&Salir"), QMessageBox::RejectRole);
        caja.setDefaultButton(salir);
        caja.setEscapeButton(salir);
        caja.exec();
        if (caja.clickedButton() == reintentar) return 4;
        if (caja.clickedButton() == ignorar) return 5;
        return 0;
    }
};

class VentanaProgreso : public VistaProgreso {
public:
    VentanaProgreso() {
        ventana_.setObjectName(QStringLiteral("FrmProgreso"));
        ventana_.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        ventana_.setMinimumWidth(420);
        auto* lay = new QVBoxLayout(&ventana_);
        for (int i = 0; i < 3; ++i) {
            lineas_[i] = new QLabel(&ventana_);
            lineas_[i]->setObjectName(QStringLiteral("lblLinea%1").arg(i + 1));
            lay->addWidget(lineas_[i]);
        }
        barra_ = new QProgressBar(&ventana_);
        barra_->setRange(0, 0);
        lay->addWidget(barra_);
    }
    void Muestra(const QString& titulo) override {
        ventana_.setWindowTitle(titulo);
        for (QLabel* l : lineas_) l->clear();
        if (!SinOperadorEnPantalla() || QGuiApplication::platformName() == QLatin1String("offscreen")) ventana_.show();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    void Avanza(const QString& l1, const QString& l2, const QString& l3) override {
        // Repaint at most every 50 ms so a long staging is not slowed by the
        // window; the labels take the latest texts when it repaints (between
        // repaints nobody can see them).
        if (!reloj_.isValid() || reloj_.elapsed() > 50) {
            lineas_[0]->setText(l1);
            lineas_[1]->setText(l2);
            lineas_[2]->setText(l3);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            reloj_.restart();
        }
    }
    void Oculta() override { ventana_.hide(); }

private:
    QDialog ventana_;
    QLabel* lineas_[3]{};
    QProgressBar* barra_ = nullptr;
    QElapsedTimer reloj_;
};

VistaProgreso* CreaVentanaProgreso() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
    return new VentanaProgreso;
}

} // namespace

bool CargaTraduccionesQt() {
    if (!QCoreApplication::instance()) return false;
    QLocale idioma;
    if (idioma.language() != QLocale::Spanish) idioma = QLocale(QLocale::Spanish);
    static QTranslator* traductor = nullptr;
    if (traductor) {
        QCoreApplication::removeTranslator(traductor);
        delete traductor;
        traductor = nullptr;
    }
    auto* nuevo = new QTranslator(QCoreApplication::instance());
    const QString carpeta = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!nuevo->load(idioma, QStringLiteral("qtbase"), QStringLiteral("_"), carpeta) &&
        !nuevo->load(idioma, QStringLiteral("qt"), QStringLiteral("_"), carpeta)) {
        delete nuevo;
        return false;
    }
    QCoreApplication::installTranslator(nuevo);
    traductor = nuevo;
    return true;
}

void InstalaUi() {
    static RespondedorEscritorio escritorio;
    Dialogos::EstableceRespondedorMensajes(&escritorio);
    Dialogos::EstableceRespondedorErrores(&escritorio);
    ClsProgreso::EstableceFabricaVista(&CreaVentanaProgreso);
}
