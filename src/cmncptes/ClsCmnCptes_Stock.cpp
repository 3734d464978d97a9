// Voucher sign and stock posting: one V_MV_STOCK movement per article line,
// per serial or per lot-and-serial pair of the line's lists.
#include "cmncptes/ClsCmnCptes.h"

#include "cmncptes/GrillaFlex.h"
#include "cmncptes/ListaSerieLote.h"
#include "session/ClsConexion.h"
#include "session/ClsFunciones.h"
#include "session/Dialogos.h"
#include "session/ModGlobal.h"
#include "session/SqlLiteral.h"
#include "session/TransaccionSql.h"
#include "session/Trampa.h"

#include <QHash>
#include <algorithm>
#include <memory>

namespace {

// Articles grid columns read by the posting.
constexpr int ColCodigo = 0;
constexpr int ColDescripcion = 1;
constexpr int ColUnidad = 3;
constexpr int ColCantidad = 4;
constexpr int ColImporte = 6;
constexpr int ColNroLote = 13;
constexpr int ColNroSerie = 14;
constexpr int ColCantidadInsumo = 20;

// The movement counter is the suite's 16-bit integer.
int Contador16(long long v) {
    if (v > 32767 || v < -32768)
        throw ErrorEjecucion(ErrorEjecucion::Desbordamiento,
                             QStringLiteral("Desbordamiento: el contador de movimientos del comprobante supera 32767."));
    return static_cast<int>(v);
}

QString Ajusta(const QString& texto, int ancho) { return Funciones().RellenaTexto(texto, ancho); }

// A text literal fitted to a width, or NULL when blank.
QString TextoONulo(const QString& valor, int ancho) {
    const QString v = valor.trimmed();
    return v.isEmpty() ? QStringLiteral("NULL") : SqlLiteral::Texto(Ajusta(v, ancho));
}

void MensajeTipo(const QString& texto) {
    Dialogos::MsgBox(texto, Dialogos::Botones::Aceptar, Dialogos::Icono::Critico, QStringLiteral("Aviso al operador!!!"));
}

} // namespace

int ClsCmnCptes::ObtieneSignoComprobante(const QString& TC, bool LibroIVA) {
    int signo = 0;
    ConTrampa(QStringLiteral("ObtieneSignoComprobante"), [&](Trampa& t) {
        const QString sql = QStringLiteral("SELECT * FROM V_TA_CPTE WHERE CODIGO=") +
                            SqlLiteral::Texto(Ajusta(TC.trimmed(), 4));
        Recordset rs = t.Paso([&] { return Conexion().AbreRecordset(sql, 0, 1, -1); });
        if (rs.Eof()) {
            MensajeTipo(QStringLiteral("El Tipo de Comprobante informado no existe en la tabla de comprobantes"));
            return;
        }
        if (LibroIVA) {
            signo = t.Paso([&] {
                const double v = Funciones().TextoANumero(Funciones().ValorCampo(rs.Campo(QStringLiteral("Signo"))));
                return Contador16(static_cast<long long>(RedondeoPar(v)));
            });
            return;
        }
        const QString es = t.Paso([&] { return Funciones().ValorCampo(rs.Campo(QStringLiteral("ES"))).toString().trimmed(); });
        if (es.compare(QLatin1String("E"), Qt::CaseInsensitive) == 0) signo = 1;
        else if (es.compare(QLatin1String("S"), Qt::CaseInsensitive) == 0) signo = -1;
        else MensajeTipo(QStringLiteral("El Tipo de Comprobante informado no Tiene informado el signo, o no afecta Stock"));
    });
    return signo;
}

void ClsCmnCptes::ActualizaStock(GrillaFlex* MSFlexGrid2, const QString& TC, const QString& SucNroLetra,
                                 const QString& IdComplemento, const QString& Fecha, QString& IdDeposito,
                                 QString& IdDepositoDestino, QString& IdMotivoStock, QString& TCOrigen,
                                 QString& ComprobanteOrigen, bool EsTransferencia, const QString& Cuenta,
                                 bool GeneraSentenciaSQL, QString& SqlTemp) {
    // Declared before the trap's body so that leaving after an error undoes
    // every movement this call wrote.
    std::unique_ptr<TransaccionSql> transaccion;
    const bool completo = ConTrampa(QStringLiteral("ActualizaStock"), [&](Trampa& t) {
        const ClsFunciones& f = Funciones();
        ClsConexion& cn = Conexion();

        // --- preparation, once per call ------------------------------------
        const QString tcOrigen = Ajusta(TCOrigen.trimmed(), 4);
        TCOrigen = tcOrigen.trimmed().isEmpty() ? QStringLiteral("NULL") : SqlLiteral::Texto(tcOrigen);
        ComprobanteOrigen = ComprobanteOrigen.trimmed().isEmpty() ? QStringLiteral("NULL") : SqlLiteral::Texto(ComprobanteOrigen);
        const int signoTipo = ObtieneSignoComprobante(TC, false);
        const bool compras = t.Paso([&] {
            return cn.ObtieneDescripcion(QStringLiteral("V_TA_CPTE"), TC.trimmed(), QStringLiteral("SISTEMA"), QStringLiteral("Codigo"), 8)
                       .toString()
                       .trimmed()
                       .compare(QLatin1String("COMPRAS"), Qt::CaseInsensitive) == 0;
        });
        const bool esOP = TC.trimmed().compare(QLatin1String("OP"), Qt::CaseInsensitive) == 0;
        if (!IdDeposito.trimmed().isEmpty())
            IdDeposito = SqlLiteral::Texto(Ajusta(IdDeposito.trimmed(), 4));
        else
            IdDeposito = SqlLiteral::Texto(Ajusta(t.Paso([] { return Cfg(QStringLiteral("DepositoDefault")); }), 4));
        IdDepositoDestino = IdDepositoDestino.trimmed().isEmpty() ? QStringLiteral("NULL")
                                                                  : SqlLiteral::Texto(Ajusta(IdDepositoDestino.trimmed(), 4));
        if (!IdMotivoStock.trimmed().isEmpty())
            IdMotivoStock = SqlLiteral::Texto(Ajusta(IdMotivoStock, 4));
        else if (IdMotivoStock.isEmpty())
            IdMotivoStock = SqlLiteral::Texto(Ajusta(t.Paso([] { return Cfg(QStringLiteral("MotivoStockDefault")); }), 4));
        else
            IdMotivoStock = QStringLiteral("NULL");
        const int pasadas = (EsTransferencia || esOP) ? 2 : 1;
        const QString tc4 = SqlLiteral::Texto(Ajusta(TC.trimmed(), 4));
        int contador = 0;
        if (esOP) {
            IdDepositoDestino = IdDeposito;
            contador = t.Paso([&] {
                Recordset rs = cn.AbreRecordset(QStringLiteral("SELECT MAX(SECUENCIA) AS MAX_SECUENCIA FROM V_MV_STOCK WHERE TC = ") +
                                                tc4 + QStringLiteral(" AND IDCOMPROBANTE = ") + SqlLiteral::Texto(SucNroLetra));
                const int maximo = Contador16(static_cast<long long>(RedondeoPar(f.TextoANumero(f.ValorCampo(rs.Campo(0))))));
                return maximo != 0 ? maximo + 1 : 0;
            });
        }
        // The literals every movement shares.
        const QString complemento = compras ? QString() : t.Paso([&] { return SqlLiteral::Literal(IdComplemento, QString()); });
        const QString comprobante = SqlLiteral::Texto(SucNroLetra);
        const QString fecha = SqlLiteral::Texto(Fecha);
        const bool porDefault = Cuenta.trimmed().compare(QLatin1String("PorDefault"), Qt::CaseInsensitive) == 0;
        const QString cuenta = porDefault ? QString() : t.Paso([&] { return SqlLiteral::Literal(Cuenta, QString()); });
        // Article master values, read once per article in this call.
        QHash<QString, QString> costos, proveedores;
        auto costo = [&](const QString& articulo) {
            auto it = costos.constFind(articulo);
            if (it != costos.constEnd()) return *it;
            const QString v = SqlLiteral::Numero(f.TextoAMoneda(
                cn.ObtieneDescripcion(QStringLiteral("V_MA_ARTICULOS"), articulo, QStringLiteral("Costo"), QStringLiteral("idarticulo"), 8)));
            costos.insert(articulo, v);
            return v;
        };
        auto proveedor = [&](const QString& articulo) {
            auto it = proveedores.constFind(articulo);
            if (it != proveedores.constEnd()) return *it;
            const QString c = cn.ObtieneDescripcion(QStringLiteral("V_MA_ARTICULOS"), Ajusta(articulo, 25),
                                                    QStringLiteral("CUENTAPROVEEDOR"), QStringLiteral("IDARTICULO"), 8)
                                  .toString()
                                  .trimmed();
            const QString v = c.isEmpty() ? QStringLiteral("NULL") : SqlLiteral::Texto(c);
            proveedores.insert(articulo, v);
            return v;
        };

        if (!GeneraSentenciaSQL) t.Paso([&] { transaccion = std::make_unique<TransaccionSql>(cn); });

        // --- posting ---------------------------------------------------------
        GrillaFlex* g = MSFlexGrid2;
        const int filas = g ? g->Rows() : 0;
        for (int pasada = 1; pasada <= pasadas; ++pasada) {
            const int signo = (EsTransferencia || esOP) ? (pasada == 1 ? 1 : -1) : signoTipo;
            const QString deposito = (pasadas == 2 && pasada == 2) ? IdDepositoDestino : IdDeposito;
            for (int fila = 1; fila < filas; ++fila) {
                const Moneda cantidadLinea = t.Paso([&] { return f.TextoAMoneda(g->TextMatrix(fila, ColCantidad)); });
                const QString articulo = g->TextMatrix(fila, ColCodigo).trimmed();
                if (cantidadLinea.EsCero() || articulo.isEmpty()) continue;
                if (esOP) {
                    const bool entra = g->TextMatrix(fila, ColCantidadInsumo).trimmed() == QLatin1String("-1");
                    if (entra != (pasada == 1)) continue;
                }
                const QString listaLotes = g->TextMatrix(fila, ColNroLote);
                const QString listaSeries = g->TextMatrix(fila, ColNroSerie);
                // A malformed list is reported here, under this procedure, so
                // that leaving stops the whole posting.
                ListaSerieLote::Piezas lotes, series;
                long pares = 0;
                t.Paso([&] {
                    lotes = ListaSerieLote::Recorre(listaLotes);
                    series = ListaSerieLote::Recorre(listaSeries);
                    if (signo == 1) pares = ListaSerieLote::Cuenta(listaSeries, listaLotes);
                    else if (signo == -1) pares = ListaSerieLote::Cuenta(listaLotes, QString());
                });
                const double linea = cantidadLinea.ADouble();
                const QString descripcion = SqlLiteral::Texto(g->TextMatrix(fila, ColDescripcion).trimmed());
                const QString unidad = TextoONulo(g->TextMatrix(fila, ColUnidad), 4);
                const QString precio = t.Paso([&] { return SqlLiteral::Numero(f.TextoAMoneda(g->TextMatrix(fila, ColImporte))); });
                const QString idArticulo = SqlLiteral::Texto(Ajusta(articulo, 25));

                long j = 0;
                for (;;) {
                    contador = t.Paso([&] { return Contador16(static_cast<long long>(contador) + 1); });
                    ++j;
                    double cantidadMov = f.TextoANumero(g->TextMatrix(fila, ColCantidad));
                    QString lote, serie;
                    bool escribe = true;
                    if (signo == 1) {
                        t.Paso([&] {
                            lote = lotes.Pieza(j).trimmed();
                            serie = series.Pieza(j).trimmed();
                        });
                    } else if (signo == -1) {
                        const QString pieza = t.Paso([&] { return lotes.Pieza(j); });
                        if (!pieza.trimmed().isEmpty()) {
                            ListaSerieLote::SeparaPar(pieza, lote, serie);
                            cantidadMov = t.Paso([&] { return f.TextoANumero(series.Pieza(j)); });
                            if (cantidadMov == 0) escribe = false;
                        }
                    }
                    if (escribe) {
                        double q = linea;
                        const bool conCodigo = !lote.isEmpty() || !serie.isEmpty();
                        // An entry of several units posts one unit a movement;
                        // the last one takes what is left of a fractional
                        // quantity, so the movements always add up to the line.
                        if (signo == 1 && pares > 1) q = std::min(1.0, linea - static_cast<double>(j - 1));
                        else if (signo == -1 && conCodigo) q = cantidadMov;
                        q = signo * q;

                        CamposSql.clear();
                        auto campo = [](const char* nombre, const QString& valor) {
                            CamposSql.append(TipoCampoSql{QString::fromLatin1(nombre), valor});
                        };
                        campo("TC", tc4);
                        campo("IdComprobante", comprobante);
                        if (!compras) campo("IdComplemento", complemento);
                        campo("Secuencia", SqlLiteral::Literal(contador, QString()));
                        campo("Fecha", fecha);
                        campo("IdDeposito", deposito);
                        campo("IdArticulo", idArticulo);
                        campo("Descripcion", descripcion);
                        campo("NroLote", TextoONulo(lote, 25));
                        campo("NroSerie", TextoONulo(serie, 25));
                        campo("IdUnidad", unidad);
                        campo("Cantidad", t.Paso([&] { return SqlLiteral::Numero(QVariant(q)); }));
                        campo("CuentaProveedor", porDefault ? t.Paso([&] { return proveedor(articulo); }) : cuenta);
                        campo("IdMotivoStock", IdMotivoStock);
                        campo("PrecioVenta", precio);
                        campo("Costo", t.Paso([&] { return costo(articulo); }));
                        campo("Tc_Origen", TCOrigen);
                        campo("IdComprobante_Origen", ComprobanteOrigen);
                        QString sentencia = QStringLiteral("INSERT INTO V_MV_STOCK ");
                        t.Paso([&] { cn.ArmaInsert(sentencia, CamposSql); });
                        if (GeneraSentenciaSQL) SqlTemp += QChar(13) + sentencia;
                        else t.Paso([&] { cn.EjecutaSql(sentencia); });
                    }
                    if (signo == 1 && j < linea && pares > 1) continue;
                    if (signo == -1 && j < pares && pares > 1) continue;
                    break;
                }
            }
        }
        if (transaccion) t.Paso([&] { transaccion->Confirma(); });
    });
    if (!completo) transaccion.reset();
}
