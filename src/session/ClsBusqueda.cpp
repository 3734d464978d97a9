#include "session/ClsBusqueda.h"

#include "session/ClsArchivoIni.h"
#include "session/ClsConexion.h"
#include "session/ClsFunciones.h"
#include "session/ErrorEjecucion.h"
#include "session/FrmBusqueda.h"
#include "session/Instancia.h"
#include "session/Modal.h"
#include "session/ModGlobal.h"
#include "session/Recordset.h"

#include <QRegularExpression>

#include <memory>
#include <vector>

namespace {
bool EsSelect(const QString& texto) {
    static const QRegularExpression re(QStringLiteral("^\\s*SELECT\\s"), QRegularExpression::CaseInsensitiveOption);
    return re.match(texto).hasMatch();
}

QStringList Lista(const QString& texto) {
    QStringList partes;
    for (const QString& p : texto.split(QLatin1Char(','))) partes << p.trimmed();
    if (partes.size() == 1 && partes.first().isEmpty()) partes.clear();
    return partes;
}
} // namespace

bool ClsBusqueda::EsNombreValido(const QString& nombre) {
    static const QRegularExpression re(QStringLiteral(
        "^(?:[A-Za-z_][A-Za-z0-9_]*|\\[[^\\[\\]]+\\])(?:\\.(?:[A-Za-z_][A-Za-z0-9_]*|\\[[^\\[\\]]+\\]))*$"));
    return re.match(nombre).hasMatch();
}

ClsBusqueda::Definicion ClsBusqueda::LeeDefinicion(const QString& archivo, const QString& tabla) {
    Definicion d;
    if (archivo.trimmed().isEmpty() || tabla.trimmed().isEmpty()) return d;
    const ClsArchivoIni& ini = ArchivoIni();
    d.columnas = Lista(ini.LeeValor(archivo, tabla, QStringLiteral("Columnas"), {}));
    if (d.columnas.isEmpty()) return d;
    for (const QString& c : std::as_const(d.columnas))
        if (!EsNombreValido(c)) return d;  // a broken definition is not used
    const QStringList titulos = Lista(ini.LeeValor(archivo, tabla, QStringLiteral("Titulos"), {}));
    for (int i = 0; i < d.columnas.size(); ++i) {
        const QString t = i < titulos.size() ? titulos[i] : QString();
        d.titulos << (t.isEmpty() ? d.columnas[i] : t);
    }
    const QString clave = ini.LeeValor(archivo, tabla, QStringLiteral("Clave"), {}).trimmed();
    for (const QString& c : std::as_const(d.columnas))
        if (c.compare(clave, Qt::CaseInsensitive) == 0) d.clave = c;
    d.distintos = ini.LeeValor(archivo, tabla, QStringLiteral("Distintos"), {}).trimmed().compare(
                      QLatin1String("SI"), Qt::CaseInsensitive) == 0;
    d.valida = true;
    return d;
}

ClsBusqueda::Consulta ClsBusqueda::ArmaConsulta(const QString& tablaOSentencia, const QStringList& titulos) const {
    Consulta c;
    if (EsSelect(tablaOSentencia)) {
        c.sentencia = tablaOSentencia;
        c.titulos = titulos;
        return c;
    }
    const QString tabla = tablaOSentencia.trimmed();
    if (!EsNombreValido(tabla))
        throw ErrorEjecucion(ErrorEjecucion::LlamadaNoValida,
                             QStringLiteral("La búsqueda no admite la tabla \"%1\".").arg(tablaOSentencia));
    const Definicion d = LeeDefinicion(ArchivoDefiniciones, tabla);
    if (d.valida) {
        c.sentencia = QStringLiteral("SELECT ") + (d.distintos ? QStringLiteral("DISTINCT ") : QString()) +
                      d.columnas.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") + tabla;
        // A defined key orders the list.
        if (!d.clave.isEmpty()) c.sentencia += QStringLiteral(" ORDER BY ") + d.clave;
        c.titulos = titulos.isEmpty() ? d.titulos : titulos;
        c.clave = d.clave;
        c.definida = true;
    } else {
        c.sentencia = QStringLiteral("SELECT * FROM ") + tabla;
        c.titulos = titulos;
    }
    return c;
}

void ClsBusqueda::Muestra(const QString& tablaOSentencia, const QStringList& titulos) {
    // Every search starts afresh: the captions a caller added are taken for
    // this search only, and no earlier choice survives.
    const QStringList titulosDados = titulos;
    columnas_.clear();
    seleccion_.clear();
    fila_.clear();

    Consulta consulta = ArmaConsulta(tablaOSentencia, titulosDados);
    Recordset rs;
    try {
        rs = Conexion().AbreRecordset(consulta.sentencia, 0, 1, -1);
    } catch (const ErrorEjecucion&) {
        if (!consulta.definida) throw;
        // A definition that does not match the table (a column this database
        // lacks) is not used: the table's own columns are shown. A table that
        // cannot be read at all still fails here.
        consulta = Consulta{QStringLiteral("SELECT * FROM ") + tablaOSentencia.trimmed(), titulosDados, {}, false};
        rs = Conexion().AbreRecordset(consulta.sentencia, 0, 1, -1);
    }

    const int campos = rs.CantidadCampos();
    QStringList nombres;
    for (int i = 0; i < campos; ++i) nombres << rs.NombreCampo(i);
    // With captions, the captioned columns are shown (the rest are still read
    // into Fila); without them, every column under its own name.
    const int visibles = consulta.titulos.isEmpty() ? campos : static_cast<int>(qMin<qsizetype>(campos, consulta.titulos.size()));
    QStringList encabezados = consulta.titulos.isEmpty() ? nombres : consulta.titulos.mid(0, visibles);

    const ClsFunciones& f = Funciones();
    std::vector<QVariantList> valores;
    std::vector<QVector<QString>> textos;
    if (!rs.Vacio()) {
        while (!rs.Eof()) {
            QVariantList v;
            QVector<QString> t;
            v.reserve(campos);
            t.reserve(visibles);
            for (int i = 0; i < campos; ++i) {
                const QVariant valor = f.ValorCampo(rs.Campo(i));
                v.append(valor);
                if (i < visibles) t.append(valor.toString());
            }
            valores.push_back(std::move(v));
            textos.push_back(std::move(t));
            rs.MoveNext();
        }
    }
    rs.Cierra();

    auto frm = std::make_unique<FrmBusqueda>();
    frm->Carga(encabezados, std::move(textos));
    AplicaEstiloFormulario(frm.get());
    Funciones().PreparaFormulario(frm.get());
    Modal::Ejecuta(frm.get());
    const int elegida = frm->result() == QDialog::Accepted ? frm->FilaElegida() : -1;
    if (elegida < 0 || elegida >= static_cast<int>(valores.size())) return;

    fila_ = valores[static_cast<size_t>(elegida)];
    // The key: the caller's key column when the result has it, else the
    // definition's, else the first column. A chosen row always answers with a
    // non-empty selection (its first non-empty value, or its position).
    int clave = -1;
    for (const QString& nombre : {CampoClave.trimmed(), consulta.clave}) {
        if (nombre.isEmpty()) continue;
        clave = static_cast<int>(nombres.indexOf(QRegularExpression(
            QLatin1Char('^') + QRegularExpression::escape(nombre) + QLatin1Char('$'), QRegularExpression::CaseInsensitiveOption)));
        if (clave >= 0) break;
    }
    if (clave < 0) clave = 0;
    seleccion_ = clave < fila_.size() ? fila_[clave].toString() : QString();
    for (int i = 0; seleccion_.trimmed().isEmpty() && i < fila_.size(); ++i) seleccion_ = fila_[i].toString();
    if (seleccion_.trimmed().isEmpty()) seleccion_ = QString::number(elegida + 1);
}

ClsBusqueda& Busqueda() { return InstanciaUnica<ClsBusqueda>::Obtiene(false); }
