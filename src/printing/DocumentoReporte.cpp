#include "printing/DocumentoReporte.h"

#include "printing/FormulaSeleccion.h"
#include "session/ClsConexion.h"
#include "session/ClsFunciones.h"
#include "session/ModGlobal.h"
#include "session/SqlLiteral.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <memory>

#include <kainjow/mustache.hpp>

namespace km = kainjow::mustache;

namespace {

std::string U8(const QString& s) { return s.toStdString(); }

// A value as it is printed: the layout is HTML, which runs blanks together, so
// every blank that follows another one (or starts the value) becomes a
// non-breaking blank; the text keeps its blanks and can still wrap at single ones.
std::string Dato(const QString& v) {
    QString r;
    r.reserve(v.size());
    bool blancoAntes = true;
    for (const QChar c : v) {
        const bool blanco = c == QLatin1Char(' ');
        r += (blanco && blancoAntes) ? QChar(0x00A0) : c;
        blancoAntes = blanco;
    }
    return U8(r);
}

// The column names as the select list writes them, the names after AS first:
// a server may hand them back in another letter case (PostgreSQL folds an
// unquoted name to lower case) and the layout names them as written.
QStringList NombresEscritos(const QString& campos) {
    QStringList nombres;
    static const QRegularExpression alias(QStringLiteral("\\bAS\\s+([A-Za-z_][A-Za-z0-9_]*)"),
                                          QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression palabra(QStringLiteral("[A-Za-z_][A-Za-z0-9_]*"));
    for (const QRegularExpression* e : {&alias, &palabra})
        for (auto it = e->globalMatch(campos); it.hasNext();) nombres << it.next().captured(e == &alias ? 1 : 0);
    return nombres;
}

km::data Valor(const QString& v) {
    const QString t = v.trimmed();
    if (t.compare(QLatin1String("SI"), Qt::CaseInsensitive) == 0) return km::data(true);
    if (t.compare(QLatin1String("NO"), Qt::CaseInsensitive) == 0) return km::data(false);
    return km::data(U8(v));
}

// Names usable in a template: as given, and without blanks ("Condicion IVA" -> CondicionIVA).
void Pon(km::data& obj, const QString& nombre, const km::data& valor) {
    obj.set(U8(nombre), valor);
    QString sin = nombre;
    sin.remove(QLatin1Char(' '));
    if (sin != nombre) obj.set(U8(sin), valor);
}

} // namespace

DocumentoReporte::Resultado DocumentoReporte::Arma(const DefinicionReporte& definicion, const QStringList& formulas,
                                                   const QStringList& orden, const QString& seleccion) {
    Resultado r;
    const QStringList tablas = definicion.Tablas();
    const FormulaSeleccion::Resultado cond = FormulaSeleccion::Condicion(seleccion, tablas);
    if (!cond.valida) {
        r.mensaje = cond.error;
        return r;
    }
    const FormulaSeleccion::Resultado ord = FormulaSeleccion::Orden(orden, tablas);
    if (!ord.valida) {
        r.mensaje = ord.error;
        return r;
    }
    r.sentencia = QStringLiteral("SELECT ") + definicion.Campos + QStringLiteral(" FROM ") + definicion.Origen;
    if (!cond.sql.isEmpty()) r.sentencia += QStringLiteral(" WHERE ") + cond.sql;
    if (!ord.sql.isEmpty()) r.sentencia += QStringLiteral(" ORDER BY ") + ord.sql;

    km::data contexto;
    km::data valoresFormula;
    for (const QString& f : formulas) {
        QString nombre, valor;
        if (FormulaSeleccion::SeparaFormula(f, nombre, valor)) Pon(valoresFormula, nombre, km::data(Dato(valor)));
    }
    contexto.set("formulas", valoresFormula);
    km::data valoresReporte;
    for (auto it = definicion.Valores.cbegin(); it != definicion.Valores.cend(); ++it) {
        Pon(valoresReporte, it.key(), Valor(it.value()));
        Pon(valoresReporte, QStringLiteral("hay") + it.key(), km::data(!it.value().trimmed().isEmpty()));
    }
    contexto.set("reporte", valoresReporte);

    km::data lineas{km::data::type::list};
    km::data notasEncabezado{km::data::type::list};
    km::data notasPie{km::data::type::list};
    std::unique_ptr<km::data> cpte;
    bool hayDetalle = false;

    Recordset rs = Conexion().AbreRecordset(r.sentencia);
    QStringList nombres;
    const QStringList escritos = NombresEscritos(definicion.Campos);
    for (int i = 0; i < rs.CantidadCampos(); ++i) {
        QString n = rs.NombreCampo(i);
        for (const QString& e : escritos)
            if (e.compare(n, Qt::CaseInsensitive) == 0) {
                n = e;
                break;
            }
        nombres << n;
    }
    auto esImporte = [&](const QString& n) {
        for (const QString& i : definicion.Importes)
            if (i.compare(n, Qt::CaseInsensitive) == 0) return true;
        return false;
    };
    // The voucher's totals are read once per voucher (by its key columns),
    // not once per printed line.
    std::vector<int> clave;
    if (!definicion.Totales.isEmpty()) {
        for (const QString& k : definicion.ClaveTotales) {
            int hallada = -1;
            for (int i = 0; i < nombres.size(); ++i)
                if (nombres.at(i).compare(k, Qt::CaseInsensitive) == 0) hallada = i;
            if (hallada < 0) {
                r.mensaje = QStringLiteral("La columna %1 de ClaveTotales no está en los Campos del reporte %2.")
                                .arg(k, definicion.Archivo);
                return r;
            }
            clave.push_back(hallada);
        }
    }
    QHash<QString, QList<QPair<QString, QString>>> totales;
    auto totalesDe = [&](const Recordset& fila) -> const QList<QPair<QString, QString>>& {
        QString llave;
        QString donde;
        for (size_t j = 0; j < clave.size(); ++j) {
            const QVariant v = fila.Campo(clave[j]);
            const QString columna = definicion.TotalesDe + QLatin1Char('.') + definicion.ClaveTotales.at(static_cast<qsizetype>(j));
            const QString condicion = v.isNull() ? columna + QStringLiteral(" IS NULL")
                                                 : columna + QStringLiteral(" = ") + SqlLiteral::Texto(v.toString());
            donde += (j ? QStringLiteral(" AND ") : QString()) + condicion;
            llave += condicion + QLatin1Char('\n');
        }
        auto it = totales.find(llave);
        if (it != totales.end()) return *it;
        QList<QPair<QString, QString>> valores;
        Recordset t = Conexion().AbreRecordset(QStringLiteral("SELECT ") + definicion.Totales + QStringLiteral(" FROM ") +
                                               definicion.TotalesDe + QStringLiteral(" WHERE ") + donde);
        for (int i = 0; i < t.CantidadCampos(); ++i) {
            const QString n = t.NombreCampo(i);
            QString texto;
            if (!t.Eof()) {
                const QVariant v = Funciones().ValorCampo(t.Campo(i));
                texto = esImporte(n) ? FmtMoneda(v, -1) : v.toString();
            }
            valores << qMakePair(n, texto);
        }
        return *totales.insert(llave, valores);
    };
    while (!rs.Eof()) {
        km::data fila;
        QString tipo, encabezado, pie;
        for (int i = 0; i < nombres.size(); ++i) {
            const QString& n = nombres.at(i);
            const QVariant v = Funciones().ValorCampo(rs.Campo(i));
            const QString texto = esImporte(n) ? FmtMoneda(v, -1) : v.toString();
            fila.set(U8(n), Dato(texto));
            fila.set(U8(QStringLiteral("hay") + n), !texto.trimmed().isEmpty());
            if (n.compare(QLatin1String("Tipo"), Qt::CaseInsensitive) == 0) tipo = texto.trimmed().toUpper();
            if (n.compare(QLatin1String("Encabezado"), Qt::CaseInsensitive) == 0) encabezado = texto;
            if (n.compare(QLatin1String("PieDePagina"), Qt::CaseInsensitive) == 0) pie = texto;
            if (n.compare(QLatin1String("IdComprobante"), Qt::CaseInsensitive) == 0) {
                const QString id = texto.trimmed();
                fila.set("Sucursal", U8(id.mid(0, 4)));
                fila.set("Numero", U8(id.mid(4, 8)));
                fila.set("Letra", U8(id.mid(12, 1)));
                fila.set("NumeroImpreso", U8(id.mid(0, 4) + QLatin1Char('-') + id.mid(4, 8)));
            }
        }
        if (!clave.empty())
            for (const auto& [n, texto] : totalesDe(rs)) {
                fila.set(U8(n), Dato(texto));
                fila.set(U8(QStringLiteral("hay") + n), !texto.trimmed().isEmpty());
            }
        const bool espacio = tipo == QLatin1String("3");
        const bool seccion = tipo == QLatin1String("M");
        const bool tarea = tipo == QLatin1String("TA");
        const bool insumo = tipo == QLatin1String("IN");
        const bool concepto = tipo == QLatin1String("OC");
        fila.set("esEspacio", espacio);
        fila.set("esSeccion", seccion);
        fila.set("esTarea", tarea);
        fila.set("esInsumo", insumo);
        fila.set("esConcepto", concepto);
        fila.set("esDetalle", tarea || insumo || concepto);
        if (r.filas == 0) {
            cpte = std::make_unique<km::data>(fila);
            for (int i = 0; i < nombres.size(); ++i)
                if (nombres.at(i).compare(QLatin1String("IdComprobante"), Qt::CaseInsensitive) == 0) {
                    const QString id = Funciones().ValorCampo(rs.Campo(i)).toString().trimmed();
                    QString tc;
                    for (int j = 0; j < nombres.size(); ++j)
                        if (nombres.at(j).compare(QLatin1String("TC"), Qt::CaseInsensitive) == 0)
                            tc = Funciones().ValorCampo(rs.Campo(j)).toString().trimmed();
                    r.identificacion = (tc.isEmpty() ? QString() : tc + QLatin1Char('-')) + id.mid(0, 4) +
                                       QLatin1Char('-') + id.mid(4, 8) + QLatin1Char('-') + id.mid(12, 1);
                }
        }
        ++r.filas;
        if (tipo.isEmpty() && !encabezado.trimmed().isEmpty()) {
            notasEncabezado.push_back(km::data("texto", km::data(Dato(encabezado))));
        } else if (tipo.isEmpty() && !pie.trimmed().isEmpty()) {
            notasPie.push_back(km::data("texto", km::data(Dato(pie))));
        } else if (espacio || seccion || tarea || insumo || concepto) {
            hayDetalle = hayDetalle || tarea || insumo || concepto;
            lineas.push_back(fila);
        }
        rs.MoveNext();
    }
    if (r.identificacion.isEmpty()) r.identificacion = QFileInfo(definicion.Archivo).completeBaseName();
    contexto.set("cpte", cpte ? *cpte : km::data());
    contexto.set("lineas", lineas);
    contexto.set("hayLineas", hayDetalle);
    contexto.set("notasEncabezado", notasEncabezado);
    contexto.set("notasPie", notasPie);

    km::mustache plantilla(U8(definicion.Plantilla));
    if (!plantilla.is_valid()) {
        r.mensaje = QStringLiteral("La plantilla del reporte %1 no es válida: %2")
                        .arg(definicion.Archivo, QString::fromStdString(plantilla.error_message()));
        return r;
    }
    r.html = QString::fromStdString(plantilla.render(contexto));
    if (!plantilla.is_valid()) {
        r.mensaje = QStringLiteral("La plantilla del reporte %1 no es válida: %2")
                        .arg(definicion.Archivo, QString::fromStdString(plantilla.error_message()));
        return r;
    }
    r.ok = true;
    return r;
}
