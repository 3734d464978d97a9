#include "inquiry/ExportacionPantalla.h"

#include "cmncptes/GrillaFlex.h"
#include "inquiry/FrmConsCpteGenerico.h"
#include "session/ClsControles.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <cstdio>

namespace {

// A value on one line: a CR LF pair and every control character (tabs, line
// breaks, ESC, BEL, DEL, the C1 controls) are written as one blank each, so
// no value can break the format or drive the terminal that shows it.
QString Limpio(QString v) {
    v.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar& c : v) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u < 0xA0)) c = QLatin1Char(' ');
    }
    return v;
}

QString Fila(const GrillaFlex* g, int fila) {
    QStringList celdas;
    for (int c = 0; c < g->Cols(); ++c)
        if (g->ColWidth(c) > 0) celdas << Limpio(g->TextMatrix(fila, c));
    return celdas.join(QLatin1Char('\t'));
}

} // namespace

QString ExportacionPantalla::Texto(const FrmConsCpteGenerico& f) {
    QStringList l;
    l << QStringLiteral("Ventana: ") + Limpio(f.windowTitle());
    const int i = f.CmbCpte->currentIndex();
    const QString codigo = f.EntradaCpte(i).mid(199).trimmed();
    l << QStringLiteral("Tipo: ") + (i >= 0 ? codigo + QLatin1Char('\t') + Limpio(f.CmbCpte->itemText(i)) : QString());
    const char* const campos[] = {"Sucursal", "Numero", "Letra", "PROVEEDOR"};
    const char* const rotulos[] = {"Sucursal", "Numero", "Letra", "Proveedor"};
    for (int k = 0; k < 4; ++k) {
        const int c = Controles().IndiceControl(QString::fromLatin1(campos[k]), f.txtfields);
        if (c < 0) continue;
        if (k == 3 && !f.pGestionCompras) continue;
        l << QString::fromLatin1(rotulos[k]) + QStringLiteral(": ") + Limpio(f.txtfields[c]->text());
    }
    l << QStringLiteral("Anulada: ") + (f.IntervaloTimer() > 0 ? QStringLiteral("SI") : QStringLiteral("NO"));
    const QString disp = f.TextoDisp();
    QStringList lineas;
    if (!disp.isEmpty()) {
        QString t = disp;
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        for (const QString& linea : t.split(QLatin1Char('\n'))) lineas << Limpio(linea);
    }
    l << QStringLiteral("Encabezado: %1").arg(lineas.size());
    l << lineas;
    if (!f.SSTab1->isHidden()) {
        const GrillaFlex* grillas[] = {f.MSFlexGrid1, f.MSFlexGrid2, f.MSFlexGrid3};
        for (int s = 0; s < f.SSTab1->count() && s < 3; ++s) {
            if (!f.SSTab1->isTabVisible(s)) continue;
            const GrillaFlex* g = grillas[s];
            l << QStringLiteral("Solapa: ") + Limpio(f.SSTab1->tabText(s));
            l << QStringLiteral("Filas: %1").arg(g->Rows() - g->FixedRows());
            for (int r = 0; r < g->Rows(); ++r) l << Fila(g, r);
        }
    }
    return l.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

bool ExportacionPantalla::Escribe(const FrmConsCpteGenerico& f, const QString& archivo, QString* error) {
    const QByteArray datos = Texto(f).toUtf8();
    if (archivo.isEmpty() || archivo == QLatin1String("-")) {
        // Written means flushed: a full disk shows only when the buffer goes out.
        bool ok = std::fwrite(datos.constData(), 1, static_cast<size_t>(datos.size()), stdout) ==
                  static_cast<size_t>(datos.size());
        ok = std::fflush(stdout) == 0 && ok && !std::ferror(stdout);
        if (!ok && error) *error = QStringLiteral("no se pudo escribir en la salida estándar");
        return ok;
    }
    QFile salida(archivo);
    if (!salida.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error) *error = salida.errorString();
        return false;
    }
    if (salida.write(datos) != datos.size() || !salida.flush()) {
        if (error) *error = salida.errorString();
        return false;
    }
    salida.close();
    if (salida.error() != QFileDevice::NoError) {
        if (error) *error = salida.errorString();
        return false;
    }
    return true;
}
