#include "printing/DefinicionReporte.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

QString LeeTexto(const QString& ruta, bool& ok) {
    QFile f(ruta);
    ok = f.open(QIODevice::ReadOnly);
    if (!ok) return {};
    return QString::fromUtf8(f.readAll());
}

QStringList Lista(const QString& v) {
    QStringList r;
    for (const QString& p : v.split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (!p.trimmed().isEmpty()) r << p.trimmed();
    return r;
}

QString ExisteEn(const QStringList& carpetas, const QString& nombre) {
    if (nombre.isEmpty() || nombre.contains(QLatin1String(".."))) return {};
    QStringList candidatos{nombre};
    if (QFileInfo(nombre).suffix().isEmpty()) candidatos << nombre + QStringLiteral(".rpt");
    for (const QString& c : carpetas) {
        if (c.isEmpty()) continue;
        const QDir dir(c);
        for (const QString& n : candidatos) {
            // Letter case is ignored, as names in TA_REPORTES are.
            const QStringList hallados = dir.entryList(QDir::Files);
            for (const QString& h : hallados)
                if (h.compare(n, Qt::CaseInsensitive) == 0) return dir.filePath(h);
        }
    }
    return {};
}

} // namespace

namespace {

// The [Reporte] and [Datos] keys of one file, after those of the file it
// inherits from ("Hereda = otro.rpt", at most a few levels deep).
bool LeeSecciones(const QString& ruta, QMap<QString, QString>& valores, QMap<QString, QString>& datos, QString& error,
                  int nivel) {
    if (nivel > 4) {
        error = QStringLiteral("La definición del reporte %1 hereda de demasiados niveles.").arg(ruta);
        return false;
    }
    bool ok = false;
    const QString texto = LeeTexto(ruta, ok);
    if (!ok) {
        error = QStringLiteral("No se puede leer la definición del reporte %1.").arg(ruta);
        return false;
    }
    QMap<QString, QString> propiosValores, propiosDatos;
    QString seccion;
    QString* ultimo = nullptr;
    const QStringList lineas = texto.split(QLatin1Char('\n'));
    for (int i = 0; i < lineas.size(); ++i) {
        QString linea = lineas.at(i);
        if (linea.endsWith(QLatin1Char('\r'))) linea.chop(1);
        const QString recortada = linea.trimmed();
        if (recortada.isEmpty() || recortada.startsWith(QLatin1Char(';')) || recortada.startsWith(QLatin1Char('#'))) continue;
        if (recortada.startsWith(QLatin1Char('[')) && recortada.endsWith(QLatin1Char(']'))) {
            seccion = recortada.mid(1, recortada.size() - 2).trimmed().toLower();
            ultimo = nullptr;
            continue;
        }
        // An indented line continues the value above it (long statements).
        if (linea.at(0).isSpace() && ultimo) {
            *ultimo += QLatin1Char(' ') + recortada;
            continue;
        }
        const qsizetype igual = linea.indexOf(QLatin1Char('='));
        if (igual < 0) {
            error = QStringLiteral("La línea %1 de %2 no es Clave = Valor.").arg(i + 1).arg(ruta);
            return false;
        }
        const QString clave = linea.left(igual).trimmed();
        const QString valor = linea.mid(igual + 1).trimmed();
        if (seccion == QLatin1String("reporte")) {
            propiosValores[clave] = valor;
            ultimo = &propiosValores[clave];
        } else if (seccion == QLatin1String("datos")) {
            propiosDatos[clave.toLower()] = valor;
            ultimo = &propiosDatos[clave.toLower()];
        } else {
            error = QStringLiteral("La línea %1 de %2 está fuera de las secciones [Reporte] y [Datos].").arg(i + 1).arg(ruta);
            return false;
        }
    }
    const QString padre = propiosValores.value(QStringLiteral("Hereda"));
    if (!padre.isEmpty()) {
        if (padre.contains(QLatin1String("..")) || padre.contains(QLatin1Char('/'))) {
            error = QStringLiteral("La definición del reporte %1 hereda de %2, que no está en su carpeta.").arg(ruta, padre);
            return false;
        }
        if (!LeeSecciones(QFileInfo(ruta).absoluteDir().filePath(padre), valores, datos, error, nivel + 1)) return false;
    }
    for (auto it = propiosValores.cbegin(); it != propiosValores.cend(); ++it) valores[it.key()] = it.value();
    for (auto it = propiosDatos.cbegin(); it != propiosDatos.cend(); ++it) datos[it.key()] = it.value();
    return true;
}

} // namespace

bool DefinicionReporte::Carga(const QString& ruta, DefinicionReporte& d, QString& error) {
    d = DefinicionReporte{};
    d.Archivo = ruta;
    QMap<QString, QString> datos;
    if (!LeeSecciones(ruta, d.Valores, datos, error, 0)) return false;
    d.Valores.remove(QStringLiteral("Hereda"));
    bool ok = false;
    d.Origen = datos.value(QStringLiteral("origen"));
    d.Campos = datos.value(QStringLiteral("campos"));
    d.Importes = Lista(datos.value(QStringLiteral("importes")));
    d.Totales = datos.value(QStringLiteral("totales"));
    d.TotalesDe = datos.value(QStringLiteral("totalesde"));
    d.ClaveTotales = Lista(datos.value(QStringLiteral("clavetotales")));
    if (d.Origen.isEmpty() || d.Campos.isEmpty()) {
        error = QStringLiteral("La definición del reporte %1 no indica Origen y Campos en [Datos].").arg(ruta);
        return false;
    }
    // The header never carries a statement of its own: only a FROM list and a column list.
    static const QRegularExpression prohibido(QStringLiteral("[;]|--|/\\*|\\b(INSERT|UPDATE|DELETE|DROP|ALTER|CREATE|EXEC|ATTACH)\\b"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression nombre(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    bool nombres = d.Totales.isEmpty() || nombre.match(d.TotalesDe).hasMatch();
    for (const QString& k : d.ClaveTotales) nombres = nombres && nombre.match(k).hasMatch();
    if (!d.Totales.isEmpty() && (!nombres || d.ClaveTotales.isEmpty())) {
        error = QStringLiteral("La definición del reporte %1 indica Totales sin TotalesDe (una tabla) y ClaveTotales (sus columnas).")
                    .arg(ruta);
        return false;
    }
    if (prohibido.match(d.Origen).hasMatch() || prohibido.match(d.Campos).hasMatch() ||
        prohibido.match(d.Totales).hasMatch()) {
        error = QStringLiteral("La definición del reporte %1 tiene en [Datos] algo más que tablas y columnas.").arg(ruta);
        return false;
    }
    if (d.Valores.contains(QStringLiteral("Pagina"))) d.Pagina = d.Valores.value(QStringLiteral("Pagina"));
    d.Apaisada = d.Valores.value(QStringLiteral("Orientacion")).compare(QLatin1String("Horizontal"), Qt::CaseInsensitive) == 0;
    const QStringList m = Lista(d.Valores.value(QStringLiteral("Margenes")));
    if (m.size() == 4) d.MargenesMm = QMarginsF(m[0].toDouble(), m[1].toDouble(), m[2].toDouble(), m[3].toDouble());
    const QString plantilla = d.Valores.value(QStringLiteral("Plantilla"));
    if (plantilla.isEmpty() || plantilla.contains(QLatin1String(".."))) {
        error = QStringLiteral("La definición del reporte %1 no indica su Plantilla.").arg(ruta);
        return false;
    }
    const QString rutaPlantilla = QFileInfo(ruta).absoluteDir().filePath(plantilla);
    d.Plantilla = LeeTexto(rutaPlantilla, ok);
    if (!ok) {
        error = QStringLiteral("No se puede leer la plantilla %1 del reporte %2.").arg(rutaPlantilla, ruta);
        return false;
    }
    return true;
}

QStringList DefinicionReporte::Tablas() const {
    QStringList r;
    static const QRegularExpression primera(QStringLiteral("^\\s*([A-Za-z_][A-Za-z0-9_]*)"));
    static const QRegularExpression unida(QStringLiteral("\\bJOIN\\s+([A-Za-z_][A-Za-z0-9_]*)"),
                                          QRegularExpression::CaseInsensitiveOption);
    const auto m = primera.match(Origen);
    if (m.hasMatch()) r << m.captured(1);
    auto it = unida.globalMatch(Origen);
    while (it.hasNext()) r << it.next().captured(1);
    return r;
}

QString DefinicionReporte::Resuelve(const QStringList& carpetas, const QString& nombre, const QString& seleccion) {
    const QString n = nombre.trimmed();
    if (n.contains(QLatin1Char('/')) || n.contains(QLatin1Char('\\'))) {
        // A path (as TA_REPORTES may hold): only its file name is looked up.
        return Resuelve(carpetas, QFileInfo(QString(n).replace(QLatin1Char('\\'), QLatin1Char('/'))).fileName(), seleccion);
    }
    QString r = ExisteEn(carpetas, n);
    if (!r.isEmpty()) return r;
    QString sinBlancos = n;
    sinBlancos.remove(QLatin1Char(' '));
    r = ExisteEn(carpetas, sinBlancos);
    if (!r.isEmpty()) return r;

    QString tipo, letra;
    static const QRegularExpression tipoLetra(QStringLiteral("^([A-Za-z0-9]+)(?:-([A-Za-z]))?$"));
    const auto m = tipoLetra.match(sinBlancos);
    if (m.hasMatch() && !m.captured(2).isEmpty()) {
        tipo = m.captured(1);
        letra = m.captured(2);
    } else {
        static const QRegularExpression tc(QStringLiteral("\\{\\s*[A-Za-z_0-9]+\\.TC\\s*\\}\\s*=\\s*'([^']*)'"),
                                           QRegularExpression::CaseInsensitiveOption);
        static const QRegularExpression id(QStringLiteral("\\{\\s*[A-Za-z_0-9]+\\.IDCOMPROBANTE\\s*\\}\\s*=\\s*'([^']*)'"),
                                           QRegularExpression::CaseInsensitiveOption);
        const auto mt = tc.match(seleccion);
        if (mt.hasMatch()) tipo = mt.captured(1).trimmed();
        const auto mi = id.match(seleccion);
        if (mi.hasMatch() && mi.captured(1).trimmed().size() >= 13) letra = mi.captured(1).trimmed().mid(12, 1);
        if (tipo.isEmpty() && m.hasMatch()) tipo = m.captured(1);
    }
    if (tipo.isEmpty()) return {};
    if (!letra.isEmpty()) {
        r = ExisteEn(carpetas, tipo + QLatin1Char('-') + letra + QStringLiteral(".rpt"));
        if (!r.isEmpty()) return r;
    }
    return ExisteEn(carpetas, tipo + QStringLiteral(".rpt"));
}
