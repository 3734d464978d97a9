// Toolbar and closing of the inquiry form: reprint on screen or printer,
// search, refresh and exit; unloading ends the session and the program.
#include "inquiry/FrmConsCpteGenerico.h"

#include "printing/ModImpresion.h"
#include "session/Dialogos.h"
#include "session/ModGlobal.h"
#include "session/Trampa.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QThread>

#include <cmath>

namespace {

// Val of a key field formatted with `digitos` zeros ("" and "abc" give 0).
QString Ceros(const QString& campo, int digitos) {
    const double v = ValorNumerico(campo.trimmed());
    const long long n = std::llround(v);
    const QString cifras = QStringLiteral("%1").arg(n < 0 ? -n : n, digitos, 10, QLatin1Char('0'));
    return n < 0 ? QLatin1Char('-') + cifras : cifras;
}

} // namespace

bool FrmConsCpteGenerico::EsImprimible(const QString& tc) {
    const QString t = tc.trimmed().toUpper();
    return t == QLatin1String("FC") || t == QLatin1String("NC") || t == QLatin1String("ND") || t == QLatin1String("RM");
}

void FrmConsCpteGenerico::Toolbar1_ButtonClick(int indice) {
    const AccionUsuario accion;
    // The voucher identity every button computes.
    QString TC = FNTC();
    const QString Suc = Ceros(txtfields[0]->text(), 4);
    const QString Nro = Ceros(txtfields[1]->text(), 8);
    const QString Letra = txtfields[2]->text().trimmed();
    const QString SucNroLetra = Suc + Nro + Letra;
    const QString IdComplemento = QStringLiteral("0");

    switch (indice) {
    case 1:
    case 2: {
        if (!EsImprimible(TC)) return;
        // An empty screen has nothing to print (staging 0000-00000000 would
        // only clear the workstation's rows and run an empty report), and
        // after a refused key the key fields name no voucher on screen.
        if ((Suc == QLatin1String("0000") && Nro == QLatin1String("00000000")) || !mostrado_) {
            Dialogos::MsgBox(QStringLiteral("No hay ningún comprobante en pantalla para imprimir."), Dialogos::Botones::Aceptar,
                             Dialogos::Icono::Exclamacion, QStringLiteral("Aviso al Operador!!!"));
            return;
        }
        int Destino = indice == 2 ? 1 : 0;
        const QString nombreReporte = TC.trimmed();
        // A staging that met an error (already reported) left no whole
        // voucher of this run to print: part of it, or an earlier run's rows.
        if (!GeneraAuxiliarComprobantes(TC, Suc, Nro, Letra, IdComplemento, 3, QString(), QString(), QString(), QString(),
                                        QString(), QString()))
            return;
        QStringList Orden{QString()};
        QString Seleccion;
        ImprimirComprobante(TC, SucNroLetra, IdComplemento, nombreReporte, Orden, Seleccion, QStringList{QString()},
                            Destino, 0);
        break;
    }
    case 3:
        IndiceCampoActual = 0;
        CmdConsultar();
        break;
    case 5:
        Inicializa(true);
        break;
    case 7:
        close();  // runs Form_Unload through closeEvent
        break;
    default:
        break;  // 4, 6 and any other index: no action
    }
}

void FrmConsCpteGenerico::Form_Unload() {
    IgnorandoErrores([&](Trampa& t) {
        t.Paso([] { FinalizaSistema(); });
        t.Paso([this] { hide(); });
        // The program's reference is dropped by the window itself (main sets
        // it to be deleted when closed). Leaving the event loop ends the
        // program: main returns with status 0. (Unloaded outside any event
        // loop, there is no loop to leave and the caller carries on.)
        t.Paso([] {
            if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(0);
        });
    });
}
