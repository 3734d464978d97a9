-- Taleruna voucher inquiry: database objects read and written by the program,
-- PostgreSQL dialect (15 or later, built with ICU). The same tables, columns
-- and views as db/schema.sql, with the same meaning:
--   - every text column is bpchar COLLATE ci_trim: bpchar (character without a
--     length) keeps what is stored and ignores trailing blanks when it
--     compares, and ci_trim is a nondeterministic ICU collation at strength 2,
--     which ignores letter case (not accents), so TC = 'FC  ' finds 'fc'.
--     Keys, unique constraints, GROUP BY and DISTINCT follow the same rule;
--   - amounts are numeric(19,4), flags smallint holding 0/1, dates date,
--     moments timestamp(0);
--   - ID columns are identity columns (the embedded database's AUTOINCREMENT);
--   - the stock on hand (STK_SERIES_Y_LOTES) is kept by triggers on
--     V_MV_STOCK, as there.
-- Identifiers are written unquoted, so PostgreSQL folds them to lower case and
-- the program's statements find them however they spell them; the one name
-- with a blank, "NUMERO ASIENTO", is quoted as the connection layer writes
-- the bracketed [NUMERO ASIENTO].
-- Load with creabd --dsn (see README), which also loads db/demo.sql.

CREATE COLLATION IF NOT EXISTS ci_trim (provider = icu, locale = 'und-u-ks-level2', deterministic = false);


------------------------------------------------------------------------------
-- Reference tables
------------------------------------------------------------------------------

-- Suite settings, one row per key. CLAVE may carry blanks around it; lookups
-- trim it. Value "SI" is the yes of flag keys.
CREATE TABLE TA_CONFIGURACION (
    CLAVE       bpchar COLLATE ci_trim NOT NULL,
    Valor       bpchar COLLATE ci_trim
);
CREATE INDEX IX_TA_CONFIGURACION_CLAVE ON TA_CONFIGURACION (CLAVE);

-- VAT conditions (Responsable Inscripto, Monotributo, ...).
CREATE TABLE TA_CONDIVA (
    Codigo      bpchar COLLATE ci_trim NOT NULL PRIMARY KEY,
    DESCRIPCION bpchar COLLATE ci_trim
);

-- Report files by report key; the key is the voucher type and letter followed
-- by "|" and the workstation|user the assignment belongs to.
CREATE TABLE TA_REPORTES (
    NOMBRE      bpchar COLLATE ci_trim NOT NULL PRIMARY KEY,
    Archivo     bpchar COLLATE ci_trim
);

-- Voucher types of every subsystem: ES tells whether the type's articles enter
-- ('E') or leave ('S') stock, Signo its sign for the VAT book, SISTEMA the
-- owning subsystem (VENTAS, COMPRAS, STOCK).
CREATE TABLE V_TA_CPTE (
    CODIGO      bpchar COLLATE ci_trim NOT NULL PRIMARY KEY,
    DESCRIPCION bpchar COLLATE ci_trim,
    SISTEMA     bpchar COLLATE ci_trim,
    ES          bpchar COLLATE ci_trim,
    Signo       INTEGER
);

-- Lookup name bound to the key fields of ordinary vouchers; lists the voucher
-- types with their subsystem.
CREATE VIEW V_TA_COMPROBANTES AS
    SELECT CODIGO, DESCRIPCION, SISTEMA FROM V_TA_CPTE;

-- Banks that issue cheques and hold the company's accounts.
CREATE TABLE V_TA_BANCOS (
    IDBANCO     bpchar COLLATE ci_trim NOT NULL PRIMARY KEY,
    DESCRIPCION bpchar COLLATE ci_trim
);

-- Units of measure of the articles.
CREATE TABLE V_TA_UNIDAD (
    IdUnidad    bpchar COLLATE ci_trim NOT NULL PRIMARY KEY,
    Descripcion bpchar COLLATE ci_trim
);

-- Article categories.
CREATE TABLE V_ta_Rubros (
    IdRubro     bpchar COLLATE ci_trim NOT NULL PRIMARY KEY,
    Descripcion bpchar COLLATE ci_trim
);

-- Article types (supply, finished product, spare part ...).
CREATE TABLE V_ta_TipoArticulo (
    Tipo        bpchar COLLATE ci_trim NOT NULL PRIMARY KEY,
    Descripcion bpchar COLLATE ci_trim
);

-- Tasks (services) that vouchers charge by the hour.
CREATE TABLE v_ta_tareas (
    IdTarea         bpchar COLLATE ci_trim NOT NULL PRIMARY KEY,
    Descripcion     bpchar COLLATE ci_trim,
    ValorHora       numeric(19,4),
    ValorHora_S_IVA numeric(19,4),
    Exento          smallint DEFAULT 0
);

------------------------------------------------------------------------------
-- Accounts
------------------------------------------------------------------------------

-- Customers.
CREATE TABLE VT_CLIENTES (
    CODIGO          bpchar COLLATE ci_trim NOT NULL PRIMARY KEY,
    NOMBRE          bpchar COLLATE ci_trim,
    DOMICILIO       bpchar COLLATE ci_trim,
    LOCALIDAD       bpchar COLLATE ci_trim,
    CPOSTAL         bpchar COLLATE ci_trim,
    TELEFONO        bpchar COLLATE ci_trim,
    CUIT            bpchar COLLATE ci_trim,
    CONDIVA         bpchar COLLATE ci_trim,
    IdLista         bpchar COLLATE ci_trim,
    ExentoServicios smallint DEFAULT 0,
    ExentoInsumos   smallint DEFAULT 0
);

-- Suppliers; CODIGO is the supplier account that keys purchasing vouchers.
CREATE TABLE VT_PROVEEDORES (
    CODIGO      bpchar COLLATE ci_trim NOT NULL PRIMARY KEY,
    NOMBRE      bpchar COLLATE ci_trim,
    DOMICILIO   bpchar COLLATE ci_trim,
    LOCALIDAD   bpchar COLLATE ci_trim,
    CPOSTAL     bpchar COLLATE ci_trim,
    TELEFONO    bpchar COLLATE ci_trim,
    CUIT        bpchar COLLATE ci_trim,
    CONDIVA     bpchar COLLATE ci_trim
);

------------------------------------------------------------------------------
-- Articles, prices and stock
------------------------------------------------------------------------------

-- Article master: default supplier, unit cost, serial and lot tracking.
CREATE TABLE V_MA_ARTICULOS (
    IDARTICULO      bpchar COLLATE ci_trim NOT NULL PRIMARY KEY,
    DESCRIPCION     bpchar COLLATE ci_trim,
    IdUnidad        bpchar COLLATE ci_trim,
    IdRubro         bpchar COLLATE ci_trim,
    Tipo            bpchar COLLATE ci_trim,
    CUENTAPROVEEDOR bpchar COLLATE ci_trim,
    Costo           numeric(19,4),
    USASERIE        smallint DEFAULT 0,
    USALOTE         smallint DEFAULT 0,
    Exento          smallint DEFAULT 0
);

-- Article prices by price list.
CREATE TABLE V_MA_PRECIOS (
    IdListaPrecioArticulo bpchar COLLATE ci_trim NOT NULL,
    Descripcion           bpchar COLLATE ci_trim,
    IdArticulo            bpchar COLLATE ci_trim NOT NULL,
    Precio                numeric(19,4),
    ListaConIVA           smallint DEFAULT 1,
    PRIMARY KEY (IdListaPrecioArticulo, IdArticulo)
);

-- Stock movements, one row per article line, lot or serial posted by a
-- voucher. Written by the stock posting.
CREATE TABLE V_MV_STOCK (
    ID                   integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
    TC                   bpchar COLLATE ci_trim NOT NULL,
    IdComprobante        bpchar COLLATE ci_trim NOT NULL,
    IdComplemento        INTEGER,
    Secuencia            INTEGER,
    Fecha                DATE,
    IdDeposito           bpchar COLLATE ci_trim,
    IdArticulo           bpchar COLLATE ci_trim,
    Descripcion          bpchar COLLATE ci_trim,
    NroLote              bpchar COLLATE ci_trim,
    NroSerie             bpchar COLLATE ci_trim,
    IdUnidad             bpchar COLLATE ci_trim,
    Cantidad             numeric(19,4),
    CuentaProveedor      bpchar COLLATE ci_trim,
    IdMotivoStock        bpchar COLLATE ci_trim,
    PrecioVenta          numeric(19,4),
    Costo                numeric(19,4),
    Tc_Origen            bpchar COLLATE ci_trim,
    IdComprobante_Origen bpchar COLLATE ci_trim,
    IdPosicion           bpchar COLLATE ci_trim
);
CREATE INDEX IX_V_MV_STOCK_CPTE ON V_MV_STOCK (TC, IdComprobante, Secuencia);

-- Stock on hand by article, deposit, lot and serial, kept by the database
-- itself as the balance of the movements: every movement inserted, changed or
-- deleted in V_MV_STOCK moves its position here in the same statement, so the
-- stock read is always what was posted. NroLote is NULL for articles without
-- lots, NroSerie for those without serials. IdPosicion is the storage position
-- the movements last recorded (an exit posted without one keeps it).
CREATE TABLE STK_SERIES_Y_LOTES (
    IDARTICULO  bpchar COLLATE ci_trim NOT NULL,
    IdDeposito  bpchar COLLATE ci_trim,
    NroLote     bpchar COLLATE ci_trim,
    NroSerie    bpchar COLLATE ci_trim,
    IdPosicion  bpchar COLLATE ci_trim,
    CANTIDAD    numeric(19,4) NOT NULL DEFAULT 0
);
CREATE INDEX IX_STK_SERIES_Y_LOTES_ART ON STK_SERIES_Y_LOTES (IDARTICULO, IdDeposito, NroLote, NroSerie);

-- The trigger functions compare with IS NOT DISTINCT FROM where the embedded
-- database writes IS: a NULL lot or deposit is a position of its own.
CREATE FUNCTION stk_mueve(p_articulo bpchar, p_deposito bpchar, p_lote bpchar, p_serie bpchar,
                          p_posicion bpchar, p_cantidad numeric) RETURNS void
LANGUAGE plpgsql AS $$
BEGIN
    IF p_articulo IS NULL THEN
        RETURN;
    END IF;
    UPDATE STK_SERIES_Y_LOTES
       SET CANTIDAD = ROUND(CANTIDAD + COALESCE(p_cantidad, 0), 4),
           IdPosicion = COALESCE(p_posicion, IdPosicion)
     WHERE IDARTICULO = p_articulo AND IdDeposito IS NOT DISTINCT FROM p_deposito
       AND NroLote IS NOT DISTINCT FROM p_lote AND NroSerie IS NOT DISTINCT FROM p_serie;
    IF NOT FOUND THEN
        INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IdDeposito, NroLote, NroSerie, IdPosicion, CANTIDAD)
        VALUES (p_articulo, p_deposito, p_lote, p_serie, p_posicion, ROUND(COALESCE(p_cantidad, 0), 4));
    END IF;
END;
$$;

CREATE FUNCTION stk_saca(p_articulo bpchar, p_deposito bpchar, p_lote bpchar, p_serie bpchar,
                         p_cantidad numeric) RETURNS void
LANGUAGE plpgsql AS $$
BEGIN
    UPDATE STK_SERIES_Y_LOTES
       SET CANTIDAD = ROUND(CANTIDAD - COALESCE(p_cantidad, 0), 4)
     WHERE IDARTICULO = p_articulo AND IdDeposito IS NOT DISTINCT FROM p_deposito
       AND NroLote IS NOT DISTINCT FROM p_lote AND NroSerie IS NOT DISTINCT FROM p_serie;
END;
$$;

CREATE FUNCTION tr_v_mv_stock() RETURNS trigger
LANGUAGE plpgsql AS $$
BEGIN
    IF TG_OP IN ('DELETE', 'UPDATE') THEN
        PERFORM stk_saca(OLD.IdArticulo, OLD.IdDeposito, OLD.NroLote, OLD.NroSerie, OLD.Cantidad);
    END IF;
    IF TG_OP IN ('INSERT', 'UPDATE') THEN
        PERFORM stk_mueve(NEW.IdArticulo, NEW.IdDeposito, NEW.NroLote, NEW.NroSerie, NEW.IdPosicion, NEW.Cantidad);
    END IF;
    RETURN NULL;
END;
$$;

CREATE TRIGGER TR_V_MV_STOCK_ALTA AFTER INSERT ON V_MV_STOCK
    FOR EACH ROW EXECUTE FUNCTION tr_v_mv_stock();
CREATE TRIGGER TR_V_MV_STOCK_BAJA AFTER DELETE ON V_MV_STOCK
    FOR EACH ROW EXECUTE FUNCTION tr_v_mv_stock();
-- A changed movement: its old values leave their position, its new ones enter theirs.
CREATE TRIGGER TR_V_MV_STOCK_CAMBIO AFTER UPDATE OF IdArticulo, IdDeposito, NroLote, NroSerie, Cantidad, IdPosicion ON V_MV_STOCK
    FOR EACH ROW EXECUTE FUNCTION tr_v_mv_stock();

------------------------------------------------------------------------------
-- Sales vouchers (prefix V_): invoices, budgets, work orders, credit and debit
-- notes, delivery notes, orders. Keyed by TC, IDCOMPROBANTE (branch 4 digits,
-- number 8 digits, letter) and IDCOMPLEMENTO.
------------------------------------------------------------------------------

-- Sales voucher headers. TCORIGEN/COMPROBANTEORIGEN/COMPLEMENTOORIGEN name the
-- voucher this one was generated from.
CREATE TABLE V_MV_CPTE (
    ID                integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
    TC                bpchar COLLATE ci_trim NOT NULL,
    IDCOMPROBANTE     bpchar COLLATE ci_trim NOT NULL,
    IDCOMPLEMENTO     INTEGER NOT NULL DEFAULT 0,
    Fecha             DATE,
    FECHAESTFIN       DATE,
    Cuenta            bpchar COLLATE ci_trim,
    Nombre            bpchar COLLATE ci_trim,
    DOMICILIO         bpchar COLLATE ci_trim,
    LOCALIDAD         bpchar COLLATE ci_trim,
    CONDICIONIVA      bpchar COLLATE ci_trim,
    IdLista           bpchar COLLATE ci_trim,
    CLASEPRECIO       bpchar COLLATE ci_trim,
    Anulada           smallint DEFAULT 0,
    APROBADO          smallint DEFAULT 0,
    FINALIZADA        smallint DEFAULT 0,
    Importe           numeric(19,4),
    Comentarios       bpchar COLLATE ci_trim,
    TCORIGEN          bpchar COLLATE ci_trim,
    COMPROBANTEORIGEN bpchar COLLATE ci_trim,
    COMPLEMENTOORIGEN INTEGER,
    UNIQUE (TC, IDCOMPROBANTE, IDCOMPLEMENTO)
);
CREATE INDEX IX_V_MV_CPTE_ORIGEN ON V_MV_CPTE (TCORIGEN, COMPROBANTEORIGEN);
CREATE INDEX IX_V_MV_CPTE_CUENTA ON V_MV_CPTE (Cuenta, TC);
-- The voucher chooser's order (newest number first, complements in order)
-- read straight from the index when the rows are read through a cursor; a
-- statement that asks for every row at once is planned as a scan and a sort,
-- which is cheaper for the whole result.
CREATE INDEX IX_V_MV_CPTE_SELECTOR ON V_MV_CPTE (TC, IDCOMPROBANTE DESC, IDCOMPLEMENTO);

-- Service lines of sales vouchers; Horas is the time in minutes.
CREATE TABLE V_MV_CPTETAREAS (
    ID                   integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
    TC                   bpchar COLLATE ci_trim NOT NULL,
    IDCOMPROBANTE        bpchar COLLATE ci_trim NOT NULL,
    IDCOMPLEMENTO        INTEGER NOT NULL DEFAULT 0,
    IdTarea              bpchar COLLATE ci_trim,
    Descripcion          bpchar COLLATE ci_trim,
    Horas                INTEGER,
    ValorHora            numeric(19,4),
    ValorHora_S_IVA      numeric(19,4),
    Total                numeric(19,4),
    DescripcionAdicional bpchar COLLATE ci_trim,
    Exento               smallint DEFAULT 0
);
CREATE INDEX IX_V_MV_CPTETAREAS_CPTE ON V_MV_CPTETAREAS (TC, IDCOMPROBANTE, IDCOMPLEMENTO);

-- Article (supply) lines of sales vouchers; Nro_Lote and Nro_Serie hold the
-- line's lot and serial lists (|L1|L2|).
CREATE TABLE V_MV_CPTEINSUMOS (
    ID                    integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
    TC                    bpchar COLLATE ci_trim NOT NULL,
    IDCOMPROBANTE         bpchar COLLATE ci_trim NOT NULL,
    IDCOMPLEMENTO         INTEGER NOT NULL DEFAULT 0,
    IdArticulo            bpchar COLLATE ci_trim,
    Descripcion           bpchar COLLATE ci_trim,
    IdListaPrecioArticulo bpchar COLLATE ci_trim,
    IdUnidad              bpchar COLLATE ci_trim,
    Cantidad              numeric(19,4),
    PorcDtoArticulo       numeric(19,4),
    Importe               numeric(19,4),
    Importe_S_IVA         numeric(19,4),
    Impuestos             numeric(19,4),
    Total                 numeric(19,4),
    Nro_Lote              bpchar COLLATE ci_trim,
    Nro_Serie             bpchar COLLATE ci_trim,
    Exento                smallint DEFAULT 0,
    IdDeposito            bpchar COLLATE ci_trim
);
CREATE INDEX IX_V_MV_CPTEINSUMOS_CPTE ON V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO);

-- Observation lines of sales vouchers. TIPO_OBS: 'EN' header note, 'PP' footer
-- note, 'OC' other concept (a charged line with amounts).
CREATE TABLE V_MV_CPTE_Observ (
    ID            integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
    TC            bpchar COLLATE ci_trim NOT NULL,
    IDCOMPROBANTE bpchar COLLATE ci_trim NOT NULL,
    IDCOMPLEMENTO INTEGER NOT NULL DEFAULT 0,
    TIPO_OBS      bpchar COLLATE ci_trim NOT NULL,
    Observacion   bpchar COLLATE ci_trim,
    Importe       numeric(19,4),
    Importe_S_IVA numeric(19,4)
);
CREATE INDEX IX_V_MV_CPTE_Observ_CPTE ON V_MV_CPTE_Observ (TC, IDCOMPROBANTE, IDCOMPLEMENTO, TIPO_OBS);

-- Time records of the technicians against the tasks of work orders (minutes).
CREATE TABLE V_MV_DIARIOS (
    ID            integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
    Fecha         DATE,
    IDTAREA       bpchar COLLATE ci_trim NOT NULL,
    TC            bpchar COLLATE ci_trim NOT NULL,
    IDCOMPROBANTE bpchar COLLATE ci_trim NOT NULL,
    IDCOMPLEMENTO INTEGER NOT NULL DEFAULT 0,
    IdEmpleado    bpchar COLLATE ci_trim,
    Minutos       INTEGER
);
CREATE INDEX IX_V_MV_DIARIOS_CPTE ON V_MV_DIARIOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDTAREA);

-- Real-charge entries of a customer: 'D' charge, 'H' discharge.
CREATE TABLE V_MV_CREALES (
    ID            integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
    CUENTA        bpchar COLLATE ci_trim NOT NULL,
    Fecha         DATE,
    Concepto      bpchar COLLATE ci_trim,
    Debe_Haber    bpchar COLLATE ci_trim,
    Importe       numeric(19,4),
    Observaciones bpchar COLLATE ci_trim
);

-- Action log of vouchers: who created ('A'), modified ('M') or deleted ('B')
-- a voucher, when and from which workstation. Written by the program.
CREATE TABLE V_MV_CPTEACCIONES (
    ID            integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
    TC            bpchar COLLATE ci_trim NOT NULL,
    IdComprobante bpchar COLLATE ci_trim NOT NULL,
    IdComplemento INTEGER,
    Tipo_accion   bpchar COLLATE ci_trim,
    FECHAHORA     timestamp(0),
    Usuario       bpchar COLLATE ci_trim,
    PC            bpchar COLLATE ci_trim,
    SYSTEMUSER    bpchar COLLATE ci_trim
);

-- Vouchers exchanged with third parties (sent and received), by internal number.
CREATE TABLE V_MV_CPTETERCEROS (
    ID            integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
    TC            bpchar COLLATE ci_trim,
    IDCOMPROBANTE bpchar COLLATE ci_trim,
    IDCOMPLEMENTO INTEGER NOT NULL DEFAULT 0,
    Fecha         DATE,
    Cuenta        bpchar COLLATE ci_trim,
    Nombre        bpchar COLLATE ci_trim,
    Importe       numeric(19,4),
    FECHAENVIADO  timestamp(0),
    FECHARECIBIDO timestamp(0)
);

------------------------------------------------------------------------------
-- Purchasing vouchers (prefix C_): invoices, credit and debit notes, delivery
-- notes from suppliers. Keyed by TC, IDCOMPROBANTE and CUENTA (the supplier).
------------------------------------------------------------------------------

-- Purchasing voucher headers.
CREATE TABLE C_MV_CPTE (
    ID                integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
    TC                bpchar COLLATE ci_trim NOT NULL,
    IDCOMPROBANTE     bpchar COLLATE ci_trim NOT NULL,
    CUENTA            bpchar COLLATE ci_trim NOT NULL,
    Fecha             DATE,
    Vencimiento       DATE,
    Nombre            bpchar COLLATE ci_trim,
    DOMICILIO         bpchar COLLATE ci_trim,
    LOCALIDAD         bpchar COLLATE ci_trim,
    CONDICIONIVA      bpchar COLLATE ci_trim,
    Anulada           smallint DEFAULT 0,
    Importe           numeric(19,4),
    Comentarios       bpchar COLLATE ci_trim,
    TCORIGEN          bpchar COLLATE ci_trim,
    COMPROBANTEORIGEN bpchar COLLATE ci_trim,
    UNIQUE (TC, IDCOMPROBANTE, CUENTA)
);
CREATE INDEX IX_C_MV_CPTE_ORIGEN ON C_MV_CPTE (TCORIGEN, COMPROBANTEORIGEN);

-- Service lines of purchasing vouchers (minutes in Horas).
CREATE TABLE C_MV_CPTETAREAS (
    ID                   integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
    TC                   bpchar COLLATE ci_trim NOT NULL,
    IDCOMPROBANTE        bpchar COLLATE ci_trim NOT NULL,
    CUENTA               bpchar COLLATE ci_trim NOT NULL,
    IdTarea              bpchar COLLATE ci_trim,
    Descripcion          bpchar COLLATE ci_trim,
    Horas                INTEGER,
    ValorHora            numeric(19,4),
    ValorHora_S_IVA      numeric(19,4),
    Total                numeric(19,4),
    DescripcionAdicional bpchar COLLATE ci_trim,
    Exento               smallint DEFAULT 0
);
CREATE INDEX IX_C_MV_CPTETAREAS_CPTE ON C_MV_CPTETAREAS (TC, IDCOMPROBANTE, CUENTA);

-- Article lines of purchasing vouchers.
CREATE TABLE C_MV_CPTEINSUMOS (
    ID                    integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
    TC                    bpchar COLLATE ci_trim NOT NULL,
    IDCOMPROBANTE         bpchar COLLATE ci_trim NOT NULL,
    CUENTA                bpchar COLLATE ci_trim NOT NULL,
    IdArticulo            bpchar COLLATE ci_trim,
    Descripcion           bpchar COLLATE ci_trim,
    IdListaPrecioArticulo bpchar COLLATE ci_trim,
    IdUnidad              bpchar COLLATE ci_trim,
    Cantidad              numeric(19,4),
    PorcDtoArticulo       numeric(19,4),
    Importe               numeric(19,4),
    Importe_S_IVA         numeric(19,4),
    Impuestos             numeric(19,4),
    Total                 numeric(19,4),
    Nro_Lote              bpchar COLLATE ci_trim,
    Nro_Serie             bpchar COLLATE ci_trim,
    Exento                smallint DEFAULT 0,
    IdDeposito            bpchar COLLATE ci_trim
);
CREATE INDEX IX_C_MV_CPTEINSUMOS_CPTE ON C_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, CUENTA);

-- Observation and other-concept lines of purchasing vouchers (TIPO_OBS as in
-- the sales table).
CREATE TABLE C_MV_CPTE_Observ (
    ID            integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
    TC            bpchar COLLATE ci_trim NOT NULL,
    IDCOMPROBANTE bpchar COLLATE ci_trim NOT NULL,
    CUENTA        bpchar COLLATE ci_trim NOT NULL,
    TIPO_OBS      bpchar COLLATE ci_trim NOT NULL,
    Observacion   bpchar COLLATE ci_trim,
    Importe       numeric(19,4),
    Importe_S_IVA numeric(19,4)
);
CREATE INDEX IX_C_MV_CPTE_Observ_CPTE ON C_MV_CPTE_Observ (TC, IDCOMPROBANTE, CUENTA, TIPO_OBS);

------------------------------------------------------------------------------
-- Accounting entries
------------------------------------------------------------------------------

-- Lines of the accounting entries produced by vouchers; collections and
-- payments are shown from these. An entry is identified by PERIODO,
-- MES_OPERATIVO and "NUMERO ASIENTO"; the producing voucher by TC, SUCURSAL,
-- NUMERO and LETRA. Lines on the cheque account carry the cheque's number,
-- bank and due date; CABIMPORTE is the voucher's total, repeated on every line
-- (0 once the voucher is annulled).
CREATE TABLE MV_ASIENTOS (
    ID                     integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
    PERIODO                bpchar COLLATE ci_trim NOT NULL,
    MES_OPERATIVO          INTEGER NOT NULL,
    "NUMERO ASIENTO"       INTEGER NOT NULL,
    SECUENCIA              INTEGER NOT NULL,
    FECHA                  DATE,
    TC                     bpchar COLLATE ci_trim NOT NULL,
    SUCURSAL               bpchar COLLATE ci_trim NOT NULL,
    NUMERO                 bpchar COLLATE ci_trim NOT NULL,
    LETRA                  bpchar COLLATE ci_trim NOT NULL,
    CUENTA                 bpchar COLLATE ci_trim NOT NULL,
    DEBE_HABER             bpchar COLLATE ci_trim,
    Importe                numeric(19,4),
    ChPropio               smallint DEFAULT 0,
    NroComprobanteBancario bpchar COLLATE ci_trim,
    IdBanco                bpchar COLLATE ci_trim,
    Vencimiento            DATE,
    CABIMPORTE             numeric(19,4),
    DETALLE                bpchar COLLATE ci_trim
);
CREATE INDEX IX_MV_ASIENTOS_CPTE ON MV_ASIENTOS (TC, SUCURSAL, NUMERO, LETRA);
CREATE INDEX IX_MV_ASIENTOS_ASIENTO ON MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO");

------------------------------------------------------------------------------
-- Print staging
------------------------------------------------------------------------------

-- Printed lines of the voucher being printed, one row per report line, keyed
-- by Usuario (workstation|user). The voucher report reads one key's rows in ID
-- order. Tipo: '' note, '3' spacer, 'M' section heading, 'TA' task, 'IN'
-- supply, 'OC' other concept.
CREATE TABLE Aux_MV_Cpte (
    ID            integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,
    Usuario       bpchar COLLATE ci_trim,
    TC            bpchar COLLATE ci_trim,
    IdComprobante bpchar COLLATE ci_trim,
    IdComplemento INTEGER,
    Tipo          bpchar COLLATE ci_trim,
    Columna1      bpchar COLLATE ci_trim,
    Columna2      bpchar COLLATE ci_trim,
    Columna3      bpchar COLLATE ci_trim,
    Columna4      bpchar COLLATE ci_trim,
    Columna5      bpchar COLLATE ci_trim,
    Columna6      bpchar COLLATE ci_trim,
    Columna7      bpchar COLLATE ci_trim,
    Encabezado    bpchar COLLATE ci_trim,
    PieDePagina   bpchar COLLATE ci_trim,
    Seccion       bpchar COLLATE ci_trim
);
CREATE INDEX IX_Aux_MV_Cpte_Usuario ON Aux_MV_Cpte (Usuario);

------------------------------------------------------------------------------
-- Pending vouchers: not annulled and not yet taken up by a non-annulled
-- voucher generated from them.
------------------------------------------------------------------------------

-- Sales delivery notes not yet invoiced.
CREATE VIEW V_RemitosPendientes AS
    SELECT r.ID, r.TC, r.IDCOMPROBANTE, r.IDCOMPLEMENTO, r.Cuenta AS CUENTA,
           r.Nombre, r.Fecha AS FECHA, r.Anulada AS ANULADA, r.APROBADO,
           r.Importe, r.Comentarios AS comentarios
      FROM V_MV_CPTE r
     WHERE r.TC = 'RM' AND COALESCE(r.Anulada, 0) = 0
       AND NOT EXISTS (SELECT 1 FROM V_MV_CPTE d
                        WHERE d.TCORIGEN = r.TC
                          AND d.COMPROBANTEORIGEN = r.IDCOMPROBANTE
                          AND COALESCE(d.COMPLEMENTOORIGEN, 0) = r.IDCOMPLEMENTO
                          AND COALESCE(d.Anulada, 0) = 0);

-- Supplier delivery notes not yet invoiced.
CREATE VIEW C_RemitosPendientes AS
    SELECT r.ID, r.TC, r.IDCOMPROBANTE, r.CUENTA, r.Nombre, r.Fecha AS FECHA,
           r.Anulada AS ANULADA, r.Importe, r.Comentarios AS comentarios
      FROM C_MV_CPTE r
     WHERE r.TC = 'RMC' AND COALESCE(r.Anulada, 0) = 0
       AND NOT EXISTS (SELECT 1 FROM C_MV_CPTE d
                        WHERE d.TCORIGEN = r.TC
                          AND d.COMPROBANTEORIGEN = r.IDCOMPROBANTE
                          AND d.CUENTA = r.CUENTA
                          AND COALESCE(d.Anulada, 0) = 0);

-- Work orders not yet invoiced.
CREATE VIEW V_OT_Pendientes AS
    SELECT r.ID, r.TC, r.IDCOMPROBANTE, r.IDCOMPLEMENTO, r.Cuenta AS CUENTA,
           r.Nombre, r.Fecha AS FECHA, r.Anulada AS ANULADA, r.APROBADO,
           r.FINALIZADA, r.Importe, r.Comentarios AS comentarios
      FROM V_MV_CPTE r
     WHERE r.TC = 'OT' AND COALESCE(r.Anulada, 0) = 0
       AND NOT EXISTS (SELECT 1 FROM V_MV_CPTE d
                        WHERE d.TCORIGEN = r.TC
                          AND d.COMPROBANTEORIGEN = r.IDCOMPROBANTE
                          AND COALESCE(d.COMPLEMENTOORIGEN, 0) = r.IDCOMPLEMENTO
                          AND COALESCE(d.Anulada, 0) = 0);

-- Customer orders not yet delivered or invoiced.
CREATE VIEW V_NP_PENDIENTES AS
    SELECT r.ID, r.TC, r.IDCOMPROBANTE, r.IDCOMPLEMENTO, r.Cuenta AS CUENTA,
           r.Nombre, r.Fecha AS FECHA, r.Anulada AS ANULADA, r.APROBADO,
           r.Importe, r.Comentarios AS comentarios
      FROM V_MV_CPTE r
     WHERE r.TC = 'NP' AND COALESCE(r.Anulada, 0) = 0
       AND NOT EXISTS (SELECT 1 FROM V_MV_CPTE d
                        WHERE d.TCORIGEN = r.TC
                          AND d.COMPROBANTEORIGEN = r.IDCOMPROBANTE
                          AND COALESCE(d.COMPLEMENTOORIGEN, 0) = r.IDCOMPLEMENTO
                          AND COALESCE(d.Anulada, 0) = 0);

-- Budgets not yet turned into a work order or an invoice (approved or not;
-- the chooser asks for the approved ones).
CREATE VIEW V_PR_PENDIENTES AS
    SELECT r.ID, r.TC, r.IDCOMPROBANTE, r.IDCOMPLEMENTO, r.Cuenta AS CUENTA,
           r.Nombre, r.Fecha AS FECHA, r.Anulada AS ANULADA, r.APROBADO,
           r.Importe, r.Comentarios AS comentarios
      FROM V_MV_CPTE r
     WHERE r.TC = 'PR' AND COALESCE(r.Anulada, 0) = 0
       AND NOT EXISTS (SELECT 1 FROM V_MV_CPTE d
                        WHERE d.TCORIGEN = r.TC
                          AND d.COMPROBANTEORIGEN = r.IDCOMPROBANTE
                          AND COALESCE(d.COMPLEMENTOORIGEN, 0) = r.IDCOMPLEMENTO
                          AND COALESCE(d.Anulada, 0) = 0);
