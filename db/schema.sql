-- Taleruna voucher inquiry: database objects read and written by the program.
-- SQLite dialect. Every text column uses CI_TRIM, the collation the connection
-- layer registers on each connection: case-insensitive, trailing blanks ignored,
-- so 'FC' and 'FC  ' are the same voucher type.
-- Dates are stored as ISO text ('YYYY-MM-DD', 'YYYY-MM-DD HH:MM:SS'); money as
-- DECIMAL(19,4); flags as BIT holding 0/1.

PRAGMA foreign_keys = OFF;

------------------------------------------------------------------------------
-- Reference tables
------------------------------------------------------------------------------

-- Suite settings, one row per key. CLAVE may carry blanks around it; lookups
-- trim it. Value "SI" is the yes of flag keys.
CREATE TABLE TA_CONFIGURACION (
    CLAVE       TEXT COLLATE CI_TRIM NOT NULL,
    Valor       TEXT COLLATE CI_TRIM
);
CREATE INDEX IX_TA_CONFIGURACION_CLAVE ON TA_CONFIGURACION (CLAVE);

-- VAT conditions (Responsable Inscripto, Monotributo, ...).
CREATE TABLE TA_CONDIVA (
    Codigo      TEXT COLLATE CI_TRIM NOT NULL PRIMARY KEY,
    DESCRIPCION TEXT COLLATE CI_TRIM
);

-- Report files by report key; the key is the voucher type and letter followed
-- by "|" and the workstation|user the assignment belongs to.
CREATE TABLE TA_REPORTES (
    NOMBRE      TEXT COLLATE CI_TRIM NOT NULL PRIMARY KEY,
    Archivo     TEXT COLLATE CI_TRIM
);

-- Voucher types of every subsystem: ES tells whether the type's articles enter
-- ('E') or leave ('S') stock, Signo its sign for the VAT book, SISTEMA the
-- owning subsystem (VENTAS, COMPRAS, STOCK).
CREATE TABLE V_TA_CPTE (
    CODIGO      TEXT COLLATE CI_TRIM NOT NULL PRIMARY KEY,
    DESCRIPCION TEXT COLLATE CI_TRIM,
    SISTEMA     TEXT COLLATE CI_TRIM,
    ES          TEXT COLLATE CI_TRIM,
    Signo       INTEGER
);

-- Lookup name bound to the key fields of ordinary vouchers; lists the voucher
-- types with their subsystem.
CREATE VIEW V_TA_COMPROBANTES AS
    SELECT CODIGO, DESCRIPCION, SISTEMA FROM V_TA_CPTE;

-- Banks that issue cheques and hold the company's accounts.
CREATE TABLE V_TA_BANCOS (
    IDBANCO     TEXT COLLATE CI_TRIM NOT NULL PRIMARY KEY,
    DESCRIPCION TEXT COLLATE CI_TRIM
);

-- Units of measure of the articles.
CREATE TABLE V_TA_UNIDAD (
    IdUnidad    TEXT COLLATE CI_TRIM NOT NULL PRIMARY KEY,
    Descripcion TEXT COLLATE CI_TRIM
);

-- Article categories.
CREATE TABLE V_ta_Rubros (
    IdRubro     TEXT COLLATE CI_TRIM NOT NULL PRIMARY KEY,
    Descripcion TEXT COLLATE CI_TRIM
);

-- Article types (supply, finished product, spare part ...).
CREATE TABLE V_ta_TipoArticulo (
    Tipo        TEXT COLLATE CI_TRIM NOT NULL PRIMARY KEY,
    Descripcion TEXT COLLATE CI_TRIM
);

-- Tasks (services) that vouchers charge by the hour.
CREATE TABLE v_ta_tareas (
    IdTarea         TEXT COLLATE CI_TRIM NOT NULL PRIMARY KEY,
    Descripcion     TEXT COLLATE CI_TRIM,
    ValorHora       DECIMAL(19,4),
    ValorHora_S_IVA DECIMAL(19,4),
    Exento          BIT DEFAULT 0
);

------------------------------------------------------------------------------
-- Accounts
------------------------------------------------------------------------------

-- Customers.
CREATE TABLE VT_CLIENTES (
    CODIGO          TEXT COLLATE CI_TRIM NOT NULL PRIMARY KEY,
    NOMBRE          TEXT COLLATE CI_TRIM,
    DOMICILIO       TEXT COLLATE CI_TRIM,
    LOCALIDAD       TEXT COLLATE CI_TRIM,
    CPOSTAL         TEXT COLLATE CI_TRIM,
    TELEFONO        TEXT COLLATE CI_TRIM,
    CUIT            TEXT COLLATE CI_TRIM,
    CONDIVA         TEXT COLLATE CI_TRIM,
    IdLista         TEXT COLLATE CI_TRIM,
    ExentoServicios BIT DEFAULT 0,
    ExentoInsumos   BIT DEFAULT 0
);

-- Suppliers; CODIGO is the supplier account that keys purchasing vouchers.
CREATE TABLE VT_PROVEEDORES (
    CODIGO      TEXT COLLATE CI_TRIM NOT NULL PRIMARY KEY,
    NOMBRE      TEXT COLLATE CI_TRIM,
    DOMICILIO   TEXT COLLATE CI_TRIM,
    LOCALIDAD   TEXT COLLATE CI_TRIM,
    CPOSTAL     TEXT COLLATE CI_TRIM,
    TELEFONO    TEXT COLLATE CI_TRIM,
    CUIT        TEXT COLLATE CI_TRIM,
    CONDIVA     TEXT COLLATE CI_TRIM
);

------------------------------------------------------------------------------
-- Articles, prices and stock
------------------------------------------------------------------------------

-- Article master: default supplier, unit cost, serial and lot tracking.
CREATE TABLE V_MA_ARTICULOS (
    IDARTICULO      TEXT COLLATE CI_TRIM NOT NULL PRIMARY KEY,
    DESCRIPCION     TEXT COLLATE CI_TRIM,
    IdUnidad        TEXT COLLATE CI_TRIM,
    IdRubro         TEXT COLLATE CI_TRIM,
    Tipo            TEXT COLLATE CI_TRIM,
    CUENTAPROVEEDOR TEXT COLLATE CI_TRIM,
    Costo           DECIMAL(19,4),
    USASERIE        BIT DEFAULT 0,
    USALOTE         BIT DEFAULT 0,
    Exento          BIT DEFAULT 0
);

-- Article prices by price list.
CREATE TABLE V_MA_PRECIOS (
    IdListaPrecioArticulo TEXT COLLATE CI_TRIM NOT NULL,
    Descripcion           TEXT COLLATE CI_TRIM,
    IdArticulo            TEXT COLLATE CI_TRIM NOT NULL,
    Precio                DECIMAL(19,4),
    ListaConIVA           BIT DEFAULT 1,
    PRIMARY KEY (IdListaPrecioArticulo, IdArticulo)
);

-- Stock movements, one row per article line, lot or serial posted by a
-- voucher. Written by the stock posting.
CREATE TABLE V_MV_STOCK (
    ID                   INTEGER PRIMARY KEY AUTOINCREMENT,
    TC                   TEXT COLLATE CI_TRIM NOT NULL,
    IdComprobante        TEXT COLLATE CI_TRIM NOT NULL,
    IdComplemento        INTEGER,
    Secuencia            INTEGER,
    Fecha                DATE,
    IdDeposito           TEXT COLLATE CI_TRIM,
    IdArticulo           TEXT COLLATE CI_TRIM,
    Descripcion          TEXT COLLATE CI_TRIM,
    NroLote              TEXT COLLATE CI_TRIM,
    NroSerie             TEXT COLLATE CI_TRIM,
    IdUnidad             TEXT COLLATE CI_TRIM,
    Cantidad             DECIMAL(19,4),
    CuentaProveedor      TEXT COLLATE CI_TRIM,
    IdMotivoStock        TEXT COLLATE CI_TRIM,
    PrecioVenta          DECIMAL(19,4),
    Costo                DECIMAL(19,4),
    Tc_Origen            TEXT COLLATE CI_TRIM,
    IdComprobante_Origen TEXT COLLATE CI_TRIM,
    IdPosicion           TEXT COLLATE CI_TRIM
);
CREATE INDEX IX_V_MV_STOCK_CPTE ON V_MV_STOCK (TC, IdComprobante, Secuencia);

-- Stock on hand by article, deposit, lot and serial, kept by the database
-- itself as the balance of the movements: every movement inserted, changed or
-- deleted in V_MV_STOCK moves its position here in the same statement, so the
-- stock read is always what was posted. NroLote is NULL for articles without
-- lots, NroSerie for those without serials. IdPosicion is the storage position
-- the movements last recorded (an exit posted without one keeps it).
CREATE TABLE STK_SERIES_Y_LOTES (
    IDARTICULO  TEXT COLLATE CI_TRIM NOT NULL,
    IdDeposito  TEXT COLLATE CI_TRIM,
    NroLote     TEXT COLLATE CI_TRIM,
    NroSerie    TEXT COLLATE CI_TRIM,
    IdPosicion  TEXT COLLATE CI_TRIM,
    CANTIDAD    DECIMAL(19,4) NOT NULL DEFAULT 0
);
CREATE INDEX IX_STK_SERIES_Y_LOTES_ART ON STK_SERIES_Y_LOTES (IDARTICULO, IdDeposito, NroLote, NroSerie);

CREATE TRIGGER TR_V_MV_STOCK_ALTA AFTER INSERT ON V_MV_STOCK
BEGIN
    UPDATE STK_SERIES_Y_LOTES
       SET CANTIDAD = ROUND(CANTIDAD + COALESCE(NEW.Cantidad, 0), 4),
           IdPosicion = COALESCE(NEW.IdPosicion, IdPosicion)
     WHERE IDARTICULO = NEW.IdArticulo AND IdDeposito IS NEW.IdDeposito
       AND NroLote IS NEW.NroLote AND NroSerie IS NEW.NroSerie;
    INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IdDeposito, NroLote, NroSerie, IdPosicion, CANTIDAD)
    SELECT NEW.IdArticulo, NEW.IdDeposito, NEW.NroLote, NEW.NroSerie, NEW.IdPosicion, ROUND(COALESCE(NEW.Cantidad, 0), 4)
     WHERE NEW.IdArticulo IS NOT NULL AND NOT EXISTS (
           SELECT 1 FROM STK_SERIES_Y_LOTES
            WHERE IDARTICULO = NEW.IdArticulo AND IdDeposito IS NEW.IdDeposito
              AND NroLote IS NEW.NroLote AND NroSerie IS NEW.NroSerie);
END;

CREATE TRIGGER TR_V_MV_STOCK_BAJA AFTER DELETE ON V_MV_STOCK
BEGIN
    UPDATE STK_SERIES_Y_LOTES
       SET CANTIDAD = ROUND(CANTIDAD - COALESCE(OLD.Cantidad, 0), 4)
     WHERE IDARTICULO = OLD.IdArticulo AND IdDeposito IS OLD.IdDeposito
       AND NroLote IS OLD.NroLote AND NroSerie IS OLD.NroSerie;
END;

-- A changed movement: its old values leave their position, its new ones enter theirs.
CREATE TRIGGER TR_V_MV_STOCK_CAMBIO AFTER UPDATE OF IdArticulo, IdDeposito, NroLote, NroSerie, Cantidad, IdPosicion ON V_MV_STOCK
BEGIN
    UPDATE STK_SERIES_Y_LOTES
       SET CANTIDAD = ROUND(CANTIDAD - COALESCE(OLD.Cantidad, 0), 4)
     WHERE IDARTICULO = OLD.IdArticulo AND IdDeposito IS OLD.IdDeposito
       AND NroLote IS OLD.NroLote AND NroSerie IS OLD.NroSerie;
    UPDATE STK_SERIES_Y_LOTES
       SET CANTIDAD = ROUND(CANTIDAD + COALESCE(NEW.Cantidad, 0), 4),
           IdPosicion = COALESCE(NEW.IdPosicion, IdPosicion)
     WHERE IDARTICULO = NEW.IdArticulo AND IdDeposito IS NEW.IdDeposito
       AND NroLote IS NEW.NroLote AND NroSerie IS NEW.NroSerie;
    INSERT INTO STK_SERIES_Y_LOTES (IDARTICULO, IdDeposito, NroLote, NroSerie, IdPosicion, CANTIDAD)
    SELECT NEW.IdArticulo, NEW.IdDeposito, NEW.NroLote, NEW.NroSerie, NEW.IdPosicion, ROUND(COALESCE(NEW.Cantidad, 0), 4)
     WHERE NEW.IdArticulo IS NOT NULL AND NOT EXISTS (
           SELECT 1 FROM STK_SERIES_Y_LOTES
            WHERE IDARTICULO = NEW.IdArticulo AND IdDeposito IS NEW.IdDeposito
              AND NroLote IS NEW.NroLote AND NroSerie IS NEW.NroSerie);
END;

------------------------------------------------------------------------------
-- Sales vouchers (prefix V_): invoices, budgets, work orders, credit and debit
-- notes, delivery notes, orders. Keyed by TC, IDCOMPROBANTE (branch 4 digits,
-- number 8 digits, letter) and IDCOMPLEMENTO.
------------------------------------------------------------------------------

-- Sales voucher headers. TCORIGEN/COMPROBANTEORIGEN/COMPLEMENTOORIGEN name the
-- voucher this one was generated from.
CREATE TABLE V_MV_CPTE (
    ID                INTEGER PRIMARY KEY AUTOINCREMENT,
    TC                TEXT COLLATE CI_TRIM NOT NULL,
    IDCOMPROBANTE     TEXT COLLATE CI_TRIM NOT NULL,
    IDCOMPLEMENTO     INTEGER NOT NULL DEFAULT 0,
    Fecha             DATE,
    FECHAESTFIN       DATE,
    Cuenta            TEXT COLLATE CI_TRIM,
    Nombre            TEXT COLLATE CI_TRIM,
    DOMICILIO         TEXT COLLATE CI_TRIM,
    LOCALIDAD         TEXT COLLATE CI_TRIM,
    CONDICIONIVA      TEXT COLLATE CI_TRIM,
    IdLista           TEXT COLLATE CI_TRIM,
    CLASEPRECIO       TEXT COLLATE CI_TRIM,
    Anulada           BIT DEFAULT 0,
    APROBADO          BIT DEFAULT 0,
    FINALIZADA        BIT DEFAULT 0,
    Importe           DECIMAL(19,4),
    Comentarios       TEXT COLLATE CI_TRIM,
    TCORIGEN          TEXT COLLATE CI_TRIM,
    COMPROBANTEORIGEN TEXT COLLATE CI_TRIM,
    COMPLEMENTOORIGEN INTEGER,
    UNIQUE (TC, IDCOMPROBANTE, IDCOMPLEMENTO)
);
CREATE INDEX IX_V_MV_CPTE_ORIGEN ON V_MV_CPTE (TCORIGEN, COMPROBANTEORIGEN);
CREATE INDEX IX_V_MV_CPTE_CUENTA ON V_MV_CPTE (Cuenta, TC);
-- The voucher chooser's order (newest number first, complements in order)
-- read straight from the index, without a sort step.
CREATE INDEX IX_V_MV_CPTE_SELECTOR ON V_MV_CPTE (TC, IDCOMPROBANTE DESC, IDCOMPLEMENTO);

-- Service lines of sales vouchers; Horas is the time in minutes.
CREATE TABLE V_MV_CPTETAREAS (
    ID                   INTEGER PRIMARY KEY AUTOINCREMENT,
    TC                   TEXT COLLATE CI_TRIM NOT NULL,
    IDCOMPROBANTE        TEXT COLLATE CI_TRIM NOT NULL,
    IDCOMPLEMENTO        INTEGER NOT NULL DEFAULT 0,
    IdTarea              TEXT COLLATE CI_TRIM,
    Descripcion          TEXT COLLATE CI_TRIM,
    Horas                INTEGER,
    ValorHora            DECIMAL(19,4),
    ValorHora_S_IVA      DECIMAL(19,4),
    Total                DECIMAL(19,4),
    DescripcionAdicional TEXT COLLATE CI_TRIM,
    Exento               BIT DEFAULT 0
);
CREATE INDEX IX_V_MV_CPTETAREAS_CPTE ON V_MV_CPTETAREAS (TC, IDCOMPROBANTE, IDCOMPLEMENTO);

-- Article (supply) lines of sales vouchers; Nro_Lote and Nro_Serie hold the
-- line's lot and serial lists (|L1|L2|).
CREATE TABLE V_MV_CPTEINSUMOS (
    ID                    INTEGER PRIMARY KEY AUTOINCREMENT,
    TC                    TEXT COLLATE CI_TRIM NOT NULL,
    IDCOMPROBANTE         TEXT COLLATE CI_TRIM NOT NULL,
    IDCOMPLEMENTO         INTEGER NOT NULL DEFAULT 0,
    IdArticulo            TEXT COLLATE CI_TRIM,
    Descripcion           TEXT COLLATE CI_TRIM,
    IdListaPrecioArticulo TEXT COLLATE CI_TRIM,
    IdUnidad              TEXT COLLATE CI_TRIM,
    Cantidad              DECIMAL(19,4),
    PorcDtoArticulo       DECIMAL(19,4),
    Importe               DECIMAL(19,4),
    Importe_S_IVA         DECIMAL(19,4),
    Impuestos             DECIMAL(19,4),
    Total                 DECIMAL(19,4),
    Nro_Lote              TEXT COLLATE CI_TRIM,
    Nro_Serie             TEXT COLLATE CI_TRIM,
    Exento                BIT DEFAULT 0,
    IdDeposito            TEXT COLLATE CI_TRIM
);
CREATE INDEX IX_V_MV_CPTEINSUMOS_CPTE ON V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO);

-- Observation lines of sales vouchers. TIPO_OBS: 'EN' header note, 'PP' footer
-- note, 'OC' other concept (a charged line with amounts).
CREATE TABLE V_MV_CPTE_Observ (
    ID            INTEGER PRIMARY KEY AUTOINCREMENT,
    TC            TEXT COLLATE CI_TRIM NOT NULL,
    IDCOMPROBANTE TEXT COLLATE CI_TRIM NOT NULL,
    IDCOMPLEMENTO INTEGER NOT NULL DEFAULT 0,
    TIPO_OBS      TEXT COLLATE CI_TRIM NOT NULL,
    Observacion   TEXT COLLATE CI_TRIM,
    Importe       DECIMAL(19,4),
    Importe_S_IVA DECIMAL(19,4)
);
CREATE INDEX IX_V_MV_CPTE_Observ_CPTE ON V_MV_CPTE_Observ (TC, IDCOMPROBANTE, IDCOMPLEMENTO, TIPO_OBS);

-- Time records of the technicians against the tasks of work orders (minutes).
CREATE TABLE V_MV_DIARIOS (
    ID            INTEGER PRIMARY KEY AUTOINCREMENT,
    Fecha         DATE,
    IDTAREA       TEXT COLLATE CI_TRIM NOT NULL,
    TC            TEXT COLLATE CI_TRIM NOT NULL,
    IDCOMPROBANTE TEXT COLLATE CI_TRIM NOT NULL,
    IDCOMPLEMENTO INTEGER NOT NULL DEFAULT 0,
    IdEmpleado    TEXT COLLATE CI_TRIM,
    Minutos       INTEGER
);
CREATE INDEX IX_V_MV_DIARIOS_CPTE ON V_MV_DIARIOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IDTAREA);

-- Real-charge entries of a customer: 'D' charge, 'H' discharge.
CREATE TABLE V_MV_CREALES (
    ID            INTEGER PRIMARY KEY AUTOINCREMENT,
    CUENTA        TEXT COLLATE CI_TRIM NOT NULL,
    Fecha         DATE,
    Concepto      TEXT COLLATE CI_TRIM,
    Debe_Haber    TEXT COLLATE CI_TRIM,
    Importe       DECIMAL(19,4),
    Observaciones TEXT COLLATE CI_TRIM
);

-- Action log of vouchers: who created ('A'), modified ('M') or deleted ('B')
-- a voucher, when and from which workstation. Written by the program.
CREATE TABLE V_MV_CPTEACCIONES (
    ID            INTEGER PRIMARY KEY AUTOINCREMENT,
    TC            TEXT COLLATE CI_TRIM NOT NULL,
    IdComprobante TEXT COLLATE CI_TRIM NOT NULL,
    IdComplemento INTEGER,
    Tipo_accion   TEXT COLLATE CI_TRIM,
    FECHAHORA     DATETIME,
    Usuario       TEXT COLLATE CI_TRIM,
    PC            TEXT COLLATE CI_TRIM,
    SYSTEMUSER    TEXT COLLATE CI_TRIM
);

-- Vouchers exchanged with third parties (sent and received), by internal number.
CREATE TABLE V_MV_CPTETERCEROS (
    ID            INTEGER PRIMARY KEY AUTOINCREMENT,
    TC            TEXT COLLATE CI_TRIM,
    IDCOMPROBANTE TEXT COLLATE CI_TRIM,
    IDCOMPLEMENTO INTEGER NOT NULL DEFAULT 0,
    Fecha         DATE,
    Cuenta        TEXT COLLATE CI_TRIM,
    Nombre        TEXT COLLATE CI_TRIM,
    Importe       DECIMAL(19,4),
    FECHAENVIADO  DATETIME,
    FECHARECIBIDO DATETIME
);

------------------------------------------------------------------------------
-- Purchasing vouchers (prefix C_): invoices, credit and debit notes, delivery
-- notes from suppliers. Keyed by TC, IDCOMPROBANTE and CUENTA (the supplier).
------------------------------------------------------------------------------

-- Purchasing voucher headers.
CREATE TABLE C_MV_CPTE (
    ID                INTEGER PRIMARY KEY AUTOINCREMENT,
    TC                TEXT COLLATE CI_TRIM NOT NULL,
    IDCOMPROBANTE     TEXT COLLATE CI_TRIM NOT NULL,
    CUENTA            TEXT COLLATE CI_TRIM NOT NULL,
    Fecha             DATE,
    Vencimiento       DATE,
    Nombre            TEXT COLLATE CI_TRIM,
    DOMICILIO         TEXT COLLATE CI_TRIM,
    LOCALIDAD         TEXT COLLATE CI_TRIM,
    CONDICIONIVA      TEXT COLLATE CI_TRIM,
    Anulada           BIT DEFAULT 0,
    Importe           DECIMAL(19,4),
    Comentarios       TEXT COLLATE CI_TRIM,
    TCORIGEN          TEXT COLLATE CI_TRIM,
    COMPROBANTEORIGEN TEXT COLLATE CI_TRIM,
    UNIQUE (TC, IDCOMPROBANTE, CUENTA)
);
CREATE INDEX IX_C_MV_CPTE_ORIGEN ON C_MV_CPTE (TCORIGEN, COMPROBANTEORIGEN);

-- Service lines of purchasing vouchers (minutes in Horas).
CREATE TABLE C_MV_CPTETAREAS (
    ID                   INTEGER PRIMARY KEY AUTOINCREMENT,
    TC                   TEXT COLLATE CI_TRIM NOT NULL,
    IDCOMPROBANTE        TEXT COLLATE CI_TRIM NOT NULL,
    CUENTA               TEXT COLLATE CI_TRIM NOT NULL,
    IdTarea              TEXT COLLATE CI_TRIM,
    Descripcion          TEXT COLLATE CI_TRIM,
    Horas                INTEGER,
    ValorHora            DECIMAL(19,4),
    ValorHora_S_IVA      DECIMAL(19,4),
    Total                DECIMAL(19,4),
    DescripcionAdicional TEXT COLLATE CI_TRIM,
    Exento               BIT DEFAULT 0
);
CREATE INDEX IX_C_MV_CPTETAREAS_CPTE ON C_MV_CPTETAREAS (TC, IDCOMPROBANTE, CUENTA);

-- Article lines of purchasing vouchers.
CREATE TABLE C_MV_CPTEINSUMOS (
    ID                    INTEGER PRIMARY KEY AUTOINCREMENT,
    TC                    TEXT COLLATE CI_TRIM NOT NULL,
    IDCOMPROBANTE         TEXT COLLATE CI_TRIM NOT NULL,
    CUENTA                TEXT COLLATE CI_TRIM NOT NULL,
    IdArticulo            TEXT COLLATE CI_TRIM,
    Descripcion           TEXT COLLATE CI_TRIM,
    IdListaPrecioArticulo TEXT COLLATE CI_TRIM,
    IdUnidad              TEXT COLLATE CI_TRIM,
    Cantidad              DECIMAL(19,4),
    PorcDtoArticulo       DECIMAL(19,4),
    Importe               DECIMAL(19,4),
    Importe_S_IVA         DECIMAL(19,4),
    Impuestos             DECIMAL(19,4),
    Total                 DECIMAL(19,4),
    Nro_Lote              TEXT COLLATE CI_TRIM,
    Nro_Serie             TEXT COLLATE CI_TRIM,
    Exento                BIT DEFAULT 0,
    IdDeposito            TEXT COLLATE CI_TRIM
);
CREATE INDEX IX_C_MV_CPTEINSUMOS_CPTE ON C_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, CUENTA);

-- Observation and other-concept lines of purchasing vouchers (TIPO_OBS as in
-- the sales table).
CREATE TABLE C_MV_CPTE_Observ (
    ID            INTEGER PRIMARY KEY AUTOINCREMENT,
    TC            TEXT COLLATE CI_TRIM NOT NULL,
    IDCOMPROBANTE TEXT COLLATE CI_TRIM NOT NULL,
    CUENTA        TEXT COLLATE CI_TRIM NOT NULL,
    TIPO_OBS      TEXT COLLATE CI_TRIM NOT NULL,
    Observacion   TEXT COLLATE CI_TRIM,
    Importe       DECIMAL(19,4),
    Importe_S_IVA DECIMAL(19,4)
);
CREATE INDEX IX_C_MV_CPTE_Observ_CPTE ON C_MV_CPTE_Observ (TC, IDCOMPROBANTE, CUENTA, TIPO_OBS);

------------------------------------------------------------------------------
-- Accounting entries
------------------------------------------------------------------------------

-- Lines of the accounting entries produced by vouchers; collections and
-- payments are shown from these. An entry is identified by PERIODO,
-- MES_OPERATIVO and [NUMERO ASIENTO]; the producing voucher by TC, SUCURSAL,
-- NUMERO and LETRA. Lines on the cheque account carry the cheque's number,
-- bank and due date; CABIMPORTE is the voucher's total, repeated on every line
-- (0 once the voucher is annulled).
CREATE TABLE MV_ASIENTOS (
    ID                     INTEGER PRIMARY KEY AUTOINCREMENT,
    PERIODO                TEXT COLLATE CI_TRIM NOT NULL,
    MES_OPERATIVO          INTEGER NOT NULL,
    [NUMERO ASIENTO]       INTEGER NOT NULL,
    SECUENCIA              INTEGER NOT NULL,
    FECHA                  DATE,
    TC                     TEXT COLLATE CI_TRIM NOT NULL,
    SUCURSAL               TEXT COLLATE CI_TRIM NOT NULL,
    NUMERO                 TEXT COLLATE CI_TRIM NOT NULL,
    LETRA                  TEXT COLLATE CI_TRIM NOT NULL,
    CUENTA                 TEXT COLLATE CI_TRIM NOT NULL,
    DEBE_HABER             TEXT COLLATE CI_TRIM,
    Importe                DECIMAL(19,4),
    ChPropio               BIT DEFAULT 0,
    NroComprobanteBancario TEXT COLLATE CI_TRIM,
    IdBanco                TEXT COLLATE CI_TRIM,
    Vencimiento            DATE,
    CABIMPORTE             DECIMAL(19,4),
    DETALLE                TEXT COLLATE CI_TRIM
);
CREATE INDEX IX_MV_ASIENTOS_CPTE ON MV_ASIENTOS (TC, SUCURSAL, NUMERO, LETRA);
CREATE INDEX IX_MV_ASIENTOS_ASIENTO ON MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO]);

------------------------------------------------------------------------------
-- Print staging
------------------------------------------------------------------------------

-- Printed lines of the voucher being printed, one row per report line, keyed
-- by Usuario (workstation|user). The voucher report reads one key's rows in ID
-- order. Tipo: '' note, '3' spacer, 'M' section heading, 'TA' task, 'IN'
-- supply, 'OC' other concept.
CREATE TABLE Aux_MV_Cpte (
    ID            INTEGER PRIMARY KEY AUTOINCREMENT,
    Usuario       TEXT COLLATE CI_TRIM,
    TC            TEXT COLLATE CI_TRIM,
    IdComprobante TEXT COLLATE CI_TRIM,
    IdComplemento INTEGER,
    Tipo          TEXT COLLATE CI_TRIM,
    Columna1      TEXT COLLATE CI_TRIM,
    Columna2      TEXT COLLATE CI_TRIM,
    Columna3      TEXT COLLATE CI_TRIM,
    Columna4      TEXT COLLATE CI_TRIM,
    Columna5      TEXT COLLATE CI_TRIM,
    Columna6      TEXT COLLATE CI_TRIM,
    Columna7      TEXT COLLATE CI_TRIM,
    Encabezado    TEXT COLLATE CI_TRIM,
    PieDePagina   TEXT COLLATE CI_TRIM,
    Seccion       TEXT COLLATE CI_TRIM
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
