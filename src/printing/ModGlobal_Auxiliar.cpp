// Print staging: the rows of Aux_MV_Cpte that the voucher report reads.
#include "printing/ModImpresion.h"

#include "session/ClsConexion.h"
#include "session/ClsFunciones.h"
#include "session/ClsProgreso.h"
#include "session/ClsSesion.h"
#include "session/ModGlobal.h"
#include "session/SqlLiteral.h"
#include "session/Trampa.h"

#include <memory>

namespace {

QString Tx(const QString& v) { return SqlLiteral::Texto(v); }
QString TextoDe(const QVariant& v) { return Funciones().ValorCampo(v).toString(); }

// A comma list of SQL literals (keys as quoted texts, or numbers), rewritten
// literal by literal so that nothing but literals reaches the statement.
QString ListaLiterales(const QString& lista, bool soloNumeros) {
    QStringList piezas;
    int i = 0;
    const int n = lista.size();
    auto refusa = [&] {
        throw ErrorEjecucion(ErrorEjecucion::LlamadaNoValida,
                             QStringLiteral("La lista de comprobantes a imprimir no es válida: %1").arg(lista));
    };
    while (i < n) {
        while (i < n && lista.at(i).isSpace()) ++i;
        if (i >= n) break;
        if (lista.at(i) == QLatin1Char('\'')) {
            if (soloNumeros) refusa();
            QString valor;
            ++i;
            bool cerrado = false;
            while (i < n) {
                if (lista.at(i) == QLatin1Char('\'')) {
                    if (i + 1 < n && lista.at(i + 1) == QLatin1Char('\'')) {
                        valor += QLatin1Char('\'');
                        i += 2;
                        continue;
                    }
                    cerrado = true;
                    ++i;
                    break;
                }
                valor += lista.at(i++);
            }
            if (!cerrado) refusa();
            piezas << SqlLiteral::Texto(valor);
        } else {
            int j = lista.indexOf(QLatin1Char(','), i);
            if (j < 0) j = n;
            const QString numero = lista.mid(i, j - i).trimmed();
            if (!SqlLiteral::EsNumero(numero)) refusa();
            piezas << SqlLiteral::Numero(numero);
            i = j;
        }
        while (i < n && lista.at(i).isSpace()) ++i;
        if (i < n) {
            if (lista.at(i) != QLatin1Char(',')) refusa();
            ++i;
        }
    }
    if (piezas.isEmpty()) refusa();
    return piezas.join(QLatin1Char(','));
}

// Val of a text written back as text, without a leading blank.
QString ValComoTexto(const QString& texto) { return QString::number(ValorNumerico(texto), 'g', 15); }

// One staging runs inside one transaction; whatever ends it (the last
// statement, or the operator leaving after an error) commits what was written.
// When the caller has a transaction open already, the rows are written inside it.
class TransaccionStaging {
public:
    TransaccionStaging() {
        if (Conexion().EnTransaccion()) return;
        Conexion().IniciaTransaccion();
        activa_ = true;
    }
    ~TransaccionStaging() {
        if (!activa_) return;
        try {
            Conexion().ConfirmaTransaccion();
        } catch (const ErrorEjecucion&) {
            Conexion().DeshaceTransaccion();
        }
    }
    // A commit that fails stays to be done: "retry" commits again. A
    // transaction the connection has already undone is a failure of its own,
    // never a staging that went through.
    void Confirma() {
        if (!activa_) return;
        if (!Conexion().EnTransaccion())
            throw ErrorEjecucion(ErrorEjecucion::ErrorBaseDatos,
                                 QStringLiteral("La transacción de la impresión se deshizo: el comprobante no se preparó."));
        Conexion().ConfirmaTransaccion();
        activa_ = false;
    }
    TransaccionStaging(const TransaccionStaging&) = delete;
    TransaccionStaging& operator=(const TransaccionStaging&) = delete;

private:
    bool activa_ = false;
};

} // namespace

bool GeneraAuxiliarComprobantes(QString& TC, const QString& SucDesde, const QString& NroDesde,
                                const QString& LetraDesde, const QString& ComplementoDesde, int LineasTitulo,
                                const QString& SucHasta, const QString& NroHasta, const QString& LetraHasta,
                                const QString& ComplementoHasta, const QString& ListaId,
                                const QString& ListaIdComprobante) {
    const AmbitoConfiguracion configuracion;  // one reading of the configuration for the whole run
    const QString procedimiento = QStringLiteral("GeneraAuxiliarComprobantes");
    bool fallida = false;
    Trampa trampa(procedimiento, [procedimiento, &fallida](const ErrorEjecucion& e) {
        Progreso().EstableceVisible(false);
        const int respuesta = Trampa::Informa(e, procedimiento);
        if (respuesta != Trampa::Reintentar) fallida = true;
        return respuesta;
    });
    // Declared before the trap's body runs so that leaving after an error still commits.
    std::unique_ptr<TransaccionStaging> transaccion;

    const bool completa = ConTrampa(trampa, [&](Trampa& t) {
        const bool sinImportesOT =
            t.Paso([] { return Cfg(QStringLiteral("NoMostrarImportesEnOT")); }).trimmed().compare(QLatin1String("SI"), Qt::CaseInsensitive) == 0;
        TC = Funciones().RellenaTexto(TC, 4);
        const QString T = TC;
        const QString tipo = T.trimmed().toUpper();
        const bool esPresupuestoOT = tipo == QLatin1String("PR") || tipo == QLatin1String("OT");
        const QString clave = Sesion().Terminal() + QLatin1Char('|') + Sesion().Usuario();

        QString W;
        if (!ListaIdComprobante.isEmpty()) {
            W = t.Paso([&] {
                return QStringLiteral(" WHERE TC = ") + Tx(T) + QStringLiteral(" AND IdComprobante IN ( ") +
                       ListaLiterales(ListaIdComprobante, false) + QStringLiteral(")");
            });
        } else if (!ListaId.trimmed().isEmpty()) {
            W = t.Paso([&] {
                return QStringLiteral(" WHERE TC = ") + Tx(T) + QStringLiteral(" AND ID IN(") +
                       ListaLiterales(ListaId, true) + QStringLiteral(")");
            });
        } else {
            W = t.Paso([&] {
                const QString D = (SucDesde + NroDesde + LetraDesde).trimmed();
                const QString H = (SucHasta + NroHasta + LetraHasta).trimmed();
                QString U;
                if (D.isEmpty() && H.isEmpty())
                    U.clear();
                else if (H.isEmpty())
                    U = QStringLiteral(" AND IDCOMPROBANTE <= ") + Tx(D) + QStringLiteral(" AND IDCOMPLEMENTO <= ") +
                        ValComoTexto(ComplementoDesde);
                else
                    U = QStringLiteral(" AND IDCOMPROBANTE <= ") + Tx(H) + QStringLiteral(" AND IDCOMPLEMENTO <= ") +
                        ValComoTexto(ComplementoHasta);
                return QStringLiteral(" WHERE TC = ") + Tx(T) + QStringLiteral(" AND IDCOMPROBANTE >= ") + Tx(D) +
                       QStringLiteral(" AND IDCOMPLEMENTO >= ") + SqlLiteral::Numero(ComplementoDesde) + U;
            });
        }

        t.Paso([] { Progreso().Muestra(QStringLiteral("Imprimiendo Comprobantes")); });
        t.Paso([&] { transaccion = std::make_unique<TransaccionStaging>(); });
        Recordset cptes = t.Paso([&] { return Conexion().AbreRecordset(QStringLiteral("SELECT * FROM V_MV_CPTE ") + W); });

        t.Paso([] { Progreso().Avanza(true, QStringLiteral("Verificando Datos ")); });
        t.Paso([&] {
            Conexion().EjecutaSql(QStringLiteral("DELETE Aux_MV_Cpte where USUARIO = ") + Tx(clave.trimmed()) +
                                  QStringLiteral(" "));
        });

        int n = 0;
        const QString avance = SucDesde + NroDesde + LetraDesde;
        const int lineasTitulo = LineasTitulo < 1 ? 1 : LineasTitulo;

        while (!cptes.Eof()) {
            const QString id = t.Paso([&] { return TextoDe(cptes.Campo(QStringLiteral("IdComprobante"))); }).trimmed();
            const QString Suc = id.mid(0, 4), Num = id.mid(4, 8), Let = id.mid(12, 1);
            const QString complemento = t.Paso([&] { return TextoDe(cptes.Campo(QStringLiteral("IdComplemento"))); });
            const QString complSql = t.Paso([&] { return SqlLiteral::Numero(complemento); });
            const QString cpte = Suc + Num + Let;
            const QString WC = QStringLiteral(" WHERE TC = ") + Tx(T) + QStringLiteral(" AND IDCOMPROBANTE = ") +
                               Tx(cpte.trimmed()) + QStringLiteral(" AND IDCOMPLEMENTO = ") + complSql;
            // The key's literals, written once for all the voucher's rows.
            const QString claveSql = Tx(clave), tipoSql = Tx(T), cpteSql = Tx(cpte);
            const QString valoresClave = claveSql + QLatin1Char(',') + tipoSql + QLatin1Char(',') + cpteSql +
                                         QLatin1Char(',') + complSql + QLatin1Char(',');

            auto bloqueTitulo = [&](const QString& titulo) {
                for (int fila = 0; fila < lineasTitulo; ++fila) {
                    if (fila == lineasTitulo / 2) {
                        t.Paso([&] {
                            Conexion().EjecutaSql(
                                QStringLiteral("INSERT INTO Aux_MV_Cpte (Usuario, TC , IdComprobante , IdComplemento , Tipo , Seccion) VALUES (") +
                                valoresClave + QStringLiteral("'M',") + Tx(titulo) + QStringLiteral(")"));
                        });
                    } else {
                        t.Paso([] { Progreso().Avanza(true, QStringLiteral("Generando Informe")); });
                        t.Paso([&] {
                            Conexion().EjecutaSql(
                                QStringLiteral("INSERT INTO Aux_MV_Cpte(Usuario,TC,IdComprobante,IdComplemento,Tipo) VALUES (") +
                                valoresClave + QStringLiteral("'3')"));
                        });
                    }
                    t.Paso([] { Progreso().Avanza(true, QStringLiteral("Actualizando")); });
                }
            };
            auto linea = [&](const QString& tipoFila, const QStringList& columnas) {
                static const QString kColumnas[7] = {QStringLiteral("Columna1"), QStringLiteral("Columna2"),
                                                     QStringLiteral("Columna3"), QStringLiteral("Columna4"),
                                                     QStringLiteral("Columna5"), QStringLiteral("Columna6"),
                                                     QStringLiteral("Columna7")};
                t.Paso([&] {
                    CamposSql.clear();
                    CamposSql.append({QStringLiteral("Usuario"), claveSql});
                    CamposSql.append({QStringLiteral("TC"), tipoSql});
                    CamposSql.append({QStringLiteral("IdComprobante"), cpteSql});
                    CamposSql.append({QStringLiteral("IdComplemento"), complSql});
                    CamposSql.append({QStringLiteral("Tipo"), Tx(tipoFila)});
                    for (int c = 0; c < 7; ++c) CamposSql.append({kColumnas[c], Tx(columnas.value(c))});
                    QString sentencia = QStringLiteral("INSERT INTO AUX_MV_CPTE ");
                    Conexion().ArmaInsert(sentencia, CamposSql);
                    Conexion().EjecutaSql(sentencia);
                });
            };
            auto nota = [&](const QString& filtro, const QString& columna) {
                Recordset obs = t.Paso([&] {
                    return Conexion().AbreRecordset(QStringLiteral("SELECT * FROM V_MV_CPTE_Observ ") + WC + filtro);
                });
                t.Paso([] { Progreso().Avanza(true, QStringLiteral("Generando Informe")); });
                if (!obs.Eof()) {
                    const QString texto = t.Paso([&] { return TextoDe(obs.Campo(QStringLiteral("Observacion"))); });
                    t.Paso([&] {
                        Conexion().EjecutaSql(QStringLiteral("INSERT INTO Aux_MV_Cpte (Usuario,TC,IdComprobante,IdComplemento,Tipo,") +
                                              columna + QStringLiteral(") VALUES (") + valoresClave +
                                              QStringLiteral("'',") + Tx(texto) + QStringLiteral(")"));
                    });
                }
            };
            auto campo = [&](Recordset& rs, const char* nombre) {
                return t.Paso([&] { return TextoDe(rs.Campo(QLatin1String(nombre))); });
            };
            auto moneda = [&](Recordset& rs, const char* nombre) {
                return t.Paso([&] { return FmtMoneda(Funciones().ValorCampo(rs.Campo(QLatin1String(nombre))), -1); });
            };

            // 1. Header note.
            nota(QStringLiteral(" AND Tipo_Obs = 'EN' "), QStringLiteral("Encabezado"));

            // 2. Tasks.
            Recordset tareas = t.Paso([&] {
                return Conexion().AbreRecordset(QStringLiteral("SELECT * FROM V_MV_CPTETAREAS ") + WC + QStringLiteral(" ORDER BY ID "));
            });
            if (!tareas.Eof()) {
                bloqueTitulo(esPresupuestoOT ? QStringLiteral("Detalles de Tareas a Realizar")
                                             : QStringLiteral("Detalles de Tareas Realizadas"));
                while (!tareas.Eof()) {
                    ++n;
                    const QString horas = (tipo == QLatin1String("OT") && sinImportesOT)
                                              ? QString(6, QLatin1Char(' '))
                                              : t.Paso([&] { return MinutosAHoras(Funciones().ValorCampo(tareas.Campo(QStringLiteral("Horas")))); });
                    const QString idTarea = campo(tareas, "IdTarea").trimmed();
                    const QString descripcion = campo(tareas, "Descripcion").trimmed();
                    linea(QStringLiteral("TA"), {idTarea, descripcion, QStringLiteral(" "), horas,
                                                 moneda(tareas, "ValorHora"), moneda(tareas, "Total"),
                                                 moneda(tareas, "ValorHora_S_IVA")});
                    t.Paso([&] { Progreso().Avanza(true, QString::number(n) + QStringLiteral(" - ") + avance, idTarea, descripcion); });
                    t.Paso([&] { tareas.MoveNext(); });
                }
            }

            // 3. Supplies.
            Recordset insumos = t.Paso([&] {
                return Conexion().AbreRecordset(QStringLiteral("SELECT * FROM V_MV_CPTEINSUMOS ") + WC + QStringLiteral(" ORDER BY ID"));
            });
            if (!insumos.Eof()) {
                bloqueTitulo(esPresupuestoOT ? QStringLiteral("Insumos - Materiales a Utilizar - Productos")
                                             : QStringLiteral("Insumos - Materiales Utilizados - Productos"));
                while (!insumos.Eof()) {
                    const QString idArticulo = campo(insumos, "IdArticulo").trimmed();
                    const QString descripcion = campo(insumos, "Descripcion").trimmed();
                    t.Paso([&] { Progreso().Avanza(true, QString::number(n) + QStringLiteral(" - ") + avance, idArticulo, descripcion); });
                    linea(QStringLiteral("IN"), {idArticulo, descripcion, campo(insumos, "IdUnidad"), campo(insumos, "Cantidad"),
                                                 moneda(insumos, "Importe"), moneda(insumos, "Total"),
                                                 moneda(insumos, "Importe_S_IVA")});
                    t.Paso([&] { insumos.MoveNext(); });
                }
            }

            // 4. Other concepts.
            Recordset conceptos = t.Paso([&] {
                return Conexion().AbreRecordset(QStringLiteral("SELECT * FROM V_MV_CPTE_Observ ") + WC +
                                                QStringLiteral(" AND Tipo_Obs = 'OC' ") + QStringLiteral(" ORDER BY ID"));
            });
            if (!conceptos.Eof()) {
                bloqueTitulo(QStringLiteral("Otros Conceptos - Observaciones - Comentarios"));
                while (!conceptos.Eof()) {
                    ++n;
                    linea(QStringLiteral("OC"), {QString(), campo(conceptos, "Observacion").trimmed(), QString(), QString(),
                                                 QString(), moneda(conceptos, "Importe"), moneda(conceptos, "Importe_S_IVA")});
                    t.Paso([&] { Progreso().Avanza(true, QString::number(n) + QStringLiteral(" - ") + avance); });
                    t.Paso([&] { conceptos.MoveNext(); });
                }
            }

            // 5. Footer note.
            nota(QStringLiteral(" AND (Tipo_Obs = 'PP')"), QStringLiteral("PieDePagina"));

            t.Paso([&] { cptes.MoveNext(); });
        }

        t.Paso([&] {
            if (transaccion) transaccion->Confirma();
        });
        CamposSql.clear();
        Progreso().Oculta();
    });
    transaccion.reset();  // left after an error: the rows written so far are committed
    return completa && !fallida;
}
