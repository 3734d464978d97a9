#pragma once
// Data generator of the voucher benchmarks: one sales invoice A of the demo
// customer with as many service, article and other-concept lines as asked,
// as SQL statements run after the demo data.
#include <QString>

namespace Generador {

// The voucher's key is sucursal 0009, the number given, letter A.
inline QString ClaveComprobante(int numero) { return QStringLiteral("0009%1A").arg(numero, 8, 10, QLatin1Char('0')); }

inline QString Comprobante(int numero, int articulos, int servicios, int otros) {
    const QString id = ClaveComprobante(numero);
    auto serie = [](int n, const QString& seleccion) {
        return QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) %2 FROM n;\n")
            .arg(n)
            .arg(seleccion);
    };
    QString sql = QStringLiteral(
                      "INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, Fecha, FECHAESTFIN, Cuenta, Nombre, DOMICILIO, "
                      "LOCALIDAD, CONDICIONIVA, IdLista, CLASEPRECIO, Anulada, APROBADO, FINALIZADA, Importe, Comentarios) VALUES "
                      "('FC', '%1', 0, '2024-06-10', '2024-07-10', 'C0001', 'Ferretería Los Andes S.R.L.', "
                      "'Bv. Chacabuco 820', 'Córdoba', 'RESPONSABLE INSCRIPTO', '0001', 'MINORISTA', 0, 1, 1, 9876543.21, "
                      "'Obra grande');\n")
                      .arg(id);
    QString tareas = QStringLiteral(
        "INSERT INTO V_MV_CPTETAREAS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IdTarea, Descripcion, Horas, ValorHora, "
        "ValorHora_S_IVA, Total, DescripcionAdicional) SELECT 'FC', '%1', 0, printf('T%03d', i), 'Servicio técnico ' || i, "
        "60 + i, 12100, 10000, 12100 * (60 + i) / 60.0, 'Detalle del servicio ' || i");
    QString insumos = QStringLiteral(
        "INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IdArticulo, Descripcion, IdUnidad, Cantidad, "
        "PorcDtoArticulo, Importe, Importe_S_IVA, Impuestos, Total) SELECT 'FC', '%1', 0, printf('ART-%05d', i), "
        "'Artículo de ferretería número ' || i, 'UN', 1 + i % 7, 0, 1210.5 + i, 1000.41 + i, 0, (1 + i % 7) * (1210.5 + i)");
    QString otros_ = QStringLiteral(
        "INSERT INTO V_MV_CPTE_Observ (TC, IDCOMPROBANTE, IDCOMPLEMENTO, TIPO_OBS, Observacion, Importe, Importe_S_IVA) "
        "SELECT 'FC', '%1', 0, 'OC', 'Flete y acarreo ' || i, 605 + i, 500 + i");
    if (servicios > 0) sql += serie(servicios, tareas.arg(id));
    if (articulos > 0) sql += serie(articulos, insumos.arg(id));
    if (otros > 0) sql += serie(otros, otros_.arg(id));
    return sql;
}

} // namespace Generador
