-- Demo company: Taller Eléctrico San Martín S.R.L., Córdoba.
-- Load after schema.sql.

------------------------------------------------------------------------------
-- Settings
------------------------------------------------------------------------------
INSERT INTO TA_CONFIGURACION (CLAVE, Valor) VALUES
 ('NOMBRE', 'Taller Eléctrico San Martín S.R.L.'),
 ('CALLE', 'Av. General San Martín'),
 ('NUMERO', '1450'),
 ('PISO', 'PB'),
 ('Departamento', 'A'),
 ('LOCALIDAD', 'Córdoba'),
 ('CPOSTAL', 'X5000'),
 ('TELEFONO', '(0351) 423-5678'),
 ('CUIT', '30-71234567-9'),
 ('CONDIVA', 'RI'),
 (' cantidaddecimales ', '2'),
 ('SolapaServicios', 'mano de obra'),
 ('SolapaArticulos', 'insumos utilizados'),
 ('SolapaOConceptos', ''),
 ('NoUsaServicios', 'NO'),
 ('NoUsaArticulos', 'NO'),
 ('NoUsaOtrosConceptos', 'NO'),
 ('  Cuenta_Caja  ', '1.1.01.001'),
 ('Cuenta_Cheques3ros', '1.1.03.001'),
 ('TituloBancos', '1.1.02'),
 ('DepositoDefault', '0001'),
 ('MotivoStockDefault', 'VTA'),
 ('NombreArticulos', 'código artículo'),
 ('NoMostrarImportesEnOT', 'no'),
 ('UsaReferenciaPresupuestos', 'SI'),
 ('V_ListaPreciosPorItemArticulos', 'NO'),
 ('V_DescuentoPorArticulos', 'NO');

INSERT INTO TA_CONDIVA (Codigo, DESCRIPCION) VALUES
 ('RI', 'RESPONSABLE INSCRIPTO'),
 ('MT', 'RESPONSABLE MONOTRIBUTO'),
 ('EX', 'EXENTO'),
 ('CF', 'CONSUMIDOR FINAL');

-- Report files for workstation PUESTO01, user admin (type in its four-character form).
INSERT INTO TA_REPORTES (NOMBRE, Archivo) VALUES
 ('FC  -A|PUESTO01|admin', 'FacturaA.rpt'),
 ('FC  -B|PUESTO01|admin', 'FacturaB.rpt'),
 ('CB|PUESTO01|admin', 'ReciboCobranza.rpt');

INSERT INTO V_TA_CPTE (CODIGO, DESCRIPCION, SISTEMA, ES, Signo) VALUES
 ('FC',   'FACTURA',                 'VENTAS',  'S',  1),
 ('PR',   'PRESUPUESTO',             'VENTAS',  NULL, 0),
 ('OT',   'ORDEN DE TRABAJO',        'VENTAS',  'S',  0),
 ('ND',   'NOTA DE CREDITO',         'VENTAS',  'E', -1),
 ('NC',   'NOTA DE DEBITO',          'VENTAS',  'S',  1),
 ('RM',   'REMITO',                  'VENTAS',  'S',  0),
 ('NP',   'NOTA DE PEDIDO',          'VENTAS',  NULL, 0),
 ('CB',   'COBRANZA',                'VENTAS',  NULL, 0),
 ('CBCT', 'COBRANZA CONTADO',        'VENTAS',  NULL, 0),
 ('FCC',  'FACTURA DE COMPRA',       'COMPRAS', 'E',  1),
 ('NDC',  'NOTA DE CREDITO COMPRAS', 'COMPRAS', 'S', -1),
 ('NCC',  'NOTA DE DEBITO COMPRAS',  'COMPRAS', 'E',  1),
 ('RMC',  'REMITO DE COMPRAS',       'COMPRAS', 'E',  0),
 ('PG',   'PAGO A PROVEEDORES',      'COMPRAS', NULL, 0),
 ('AJS',  'AJUSTE DE STOCK',         'STOCK',   'E',  0);

INSERT INTO V_TA_BANCOS (IDBANCO, DESCRIPCION) VALUES
 ('0007', 'BANCO DE GALICIA Y BUENOS AIRES'),
 ('0011', 'BANCO DE LA NACION ARGENTINA'),
 ('0014', 'BANCO DE LA PROVINCIA DE BUENOS AIRES'),
 ('0020', 'BANCO DE CORDOBA'),
 ('0072', 'BANCO SANTANDER ARGENTINA');

INSERT INTO V_TA_UNIDAD (IdUnidad, Descripcion) VALUES
 ('UN', 'Unidad'), ('MT', 'Metro'), ('LT', 'Litro'), ('KG', 'Kilogramo');

INSERT INTO V_ta_Rubros (IdRubro, Descripcion) VALUES
 ('ELEC', 'Material eléctrico'), ('HERR', 'Herramientas'),
 ('ILUM', 'Iluminación'), ('PINT', 'Pinturería');

INSERT INTO V_ta_TipoArticulo (Tipo, Descripcion) VALUES
 ('IN', 'Insumo'), ('PT', 'Producto terminado'), ('RE', 'Repuesto');

INSERT INTO v_ta_tareas (IdTarea, Descripcion, ValorHora, ValorHora_S_IVA, Exento) VALUES
 ('T001', 'Instalación eléctrica', 12100.00, 10000.00, 0),
 ('T002', 'Revisión de tablero', 9680.00, 8000.00, 0),
 ('T003', 'Mano de obra general', 8470.00, 7000.00, 0),
 ('T004', 'Service de mantenimiento', 10890.00, 9000.00, 0);

------------------------------------------------------------------------------
-- Accounts
------------------------------------------------------------------------------
INSERT INTO VT_CLIENTES (CODIGO, NOMBRE, DOMICILIO, LOCALIDAD, CPOSTAL, TELEFONO, CUIT, CONDIVA, IdLista, ExentoServicios, ExentoInsumos) VALUES
 ('C0001', 'Ferretería Los Andes S.R.L.', 'Bv. Chacabuco 820', 'Córdoba', 'X5000', '(0351) 471-2200', '30-70811223-4', 'RI', '0001', 0, 0),
 ('C0002', 'Construcciones del Plata S.A.', 'Ruta 9 Km 695', 'Villa María', 'X5900', '(0353) 452-1010', '30-68990011-7', 'RI', '0002', 0, 0),
 ('C0003', 'María Fernández', 'Obispo Trejo 345 3º B', 'Córdoba', 'X5000', '(0351) 15-555-0123', NULL, 'CF', '0001', 0, 0),
 ('C0004', 'Cooperativa Agrícola La Paloma', 'Calle 25 de Mayo 77', 'Río Cuarto', 'X5800', '(0358) 464-3000', '30-50012345-1', 'EX', '0002', 1, 1);

INSERT INTO VT_PROVEEDORES (CODIGO, NOMBRE, DOMICILIO, LOCALIDAD, CPOSTAL, TELEFONO, CUIT, CONDIVA) VALUES
 ('P0001', 'Distribuidora Eléctrica Rosario S.A.', 'Av. Pellegrini 2100', 'Rosario', 'S2000', '(0341) 440-9090', '30-61234987-2', 'RI'),
 ('P0002', 'Herramientas Bahía S.R.L.', 'Brown 455', 'Bahía Blanca', 'B8000', '(0291) 455-7788', '30-70998877-5', 'RI'),
 ('P0003', 'Pinturas del Centro', 'Av. Colón 3200', 'Córdoba', 'X5003', '(0351) 488-1212', '20-22333444-6', 'MT');

------------------------------------------------------------------------------
-- Articles, prices, stock
------------------------------------------------------------------------------
INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IdUnidad, IdRubro, Tipo, CUENTAPROVEEDOR, Costo, USASERIE, USALOTE, Exento) VALUES
 ('CAB-001', 'Cable tipo D''Alessandro 2x1,5 mm', 'MT', 'ELEC', 'IN', 'P0001', 850.00, 0, 1, 0),
 ('LAM-010', 'Lámpara LED 12 W luz fría', 'UN', 'ILUM', 'PT', 'P0001', 1320.50, 0, 0, 0),
 ('TAL-200', 'Taladro percutor 750 W', 'UN', 'HERR', 'PT', 'P0002', 61000.00, 1, 0, 0),
 ('BAT-050', 'Batería 12 V 7 Ah', 'UN', 'ELEC', 'RE', 'P0002', 33500.00, 1, 1, 0),
 ('PIN-100', 'Pintura látex interior 20 l', 'LT', 'PINT', 'IN', 'P0003', 41200.00, 0, 1, 0),
 ('DIS-016', 'Disyuntor diferencial 2x40 A', 'UN', 'ELEC', 'IN', NULL, 18900.00, 0, 0, 0);

INSERT INTO V_MA_PRECIOS (IdListaPrecioArticulo, Descripcion, IdArticulo, Precio, ListaConIVA) VALUES
 ('0001', 'Lista minorista', 'CAB-001', 1452.00, 1),
 ('0001', 'Lista minorista', 'LAM-010', 2299.00, 1),
 ('0001', 'Lista minorista', 'TAL-200', 96800.00, 1),
 ('0001', 'Lista minorista', 'BAT-050', 54450.00, 1),
 ('0001', 'Lista minorista', 'PIN-100', 65340.00, 1),
 ('0001', 'Lista minorista', 'DIS-016', 30250.00, 1),
 ('0002', 'Lista mayorista', 'CAB-001', 1200.00, 0),
 ('0002', 'Lista mayorista', 'TAL-200', 80000.00, 0);

-- Stock movements (the stock on hand is their balance): the opening count of
-- the deposits with the storage positions, a purchase of cable and drills, and
-- the sale on invoice 0001-00000025-A.
INSERT INTO V_MV_STOCK (TC, IdComprobante, IdComplemento, Secuencia, Fecha, IdDeposito, IdArticulo, Descripcion, NroLote, NroSerie, IdUnidad, Cantidad, CuentaProveedor, IdMotivoStock, PrecioVenta, Costo, Tc_Origen, IdComprobante_Origen, IdPosicion) VALUES
 ('AJS', '000100000001X', 0, 1, '2024-05-01', '0001', 'CAB-001', 'Cable tipo D''Alessandro 2x1,5 mm', 'L002', NULL, 'MT', 300.00, 'P0001', 'INV', 0.00, 850.00, NULL, NULL, 'A-01-02'),
 ('AJS', '000100000001X', 0, 2, '2024-05-01', '0002', 'CAB-001', 'Cable tipo D''Alessandro 2x1,5 mm', 'L002', NULL, 'MT', 50.00, 'P0001', 'INV', 0.00, 850.00, NULL, NULL, 'B-03-01'),
 ('AJS', '000100000001X', 0, 3, '2024-05-01', '0001', 'TAL-200', 'Taladro percutor 750 W', NULL, 'S0003', 'UN', 1.00, 'P0002', 'INV', 0.00, 61000.00, NULL, NULL, 'C-02-01'),
 ('AJS', '000100000001X', 0, 4, '2024-05-01', '0001', 'TAL-200', 'Taladro percutor 750 W', NULL, 'S0004', 'UN', 1.00, 'P0002', 'INV', 0.00, 61000.00, NULL, NULL, 'C-02-01'),
 ('AJS', '000100000001X', 0, 5, '2024-05-01', '0001', 'BAT-050', 'Batería 12 V 7 Ah', 'L010', 'B0001', 'UN', 1.00, 'P0002', 'INV', 0.00, 33500.00, NULL, NULL, 'C-04-01'),
 ('AJS', '000100000001X', 0, 6, '2024-05-01', '0001', 'BAT-050', 'Batería 12 V 7 Ah', 'L010', 'B0002', 'UN', 1.00, 'P0002', 'INV', 0.00, 33500.00, NULL, NULL, 'C-04-01'),
 ('AJS', '000100000001X', 0, 7, '2024-05-01', '0001', 'BAT-050', 'Batería 12 V 7 Ah', 'L011', 'B0003', 'UN', 1.00, 'P0002', 'INV', 0.00, 33500.00, NULL, NULL, 'C-04-01'),
 ('AJS', '000100000001X', 0, 8, '2024-05-01', '0001', 'BAT-050', 'Batería 12 V 7 Ah', 'L011', 'B0004', 'UN', 1.00, 'P0002', 'INV', 0.00, 33500.00, NULL, NULL, 'C-04-02'),
 ('AJS', '000100000001X', 0, 9, '2024-05-01', '0001', 'PIN-100', 'Pintura látex interior 20 l', 'L-2024-03', NULL, 'LT', 20.00, 'P0003', 'INV', 0.00, 41200.00, NULL, NULL, 'D-01-01'),
 ('AJS', '000100000001X', 0, 10, '2024-05-01', '0001', 'LAM-010', 'Lámpara LED 12 W luz fría', NULL, NULL, 'UN', 48.00, 'P0001', 'INV', 0.00, 1320.50, NULL, NULL, 'A-05-01'),
 ('AJS', '000100000001X', 0, 11, '2024-05-01', '0001', 'DIS-016', 'Disyuntor diferencial 2x40 A', NULL, NULL, 'UN', 12.00, NULL, 'INV', 0.00, 18900.00, NULL, NULL, 'A-06-01'),
 -- a battery returned to the supplier after the count: its position is emptied
 ('AJS', '000100000002X', 0, 1, '2024-05-15', '0001', 'BAT-050', 'Batería 12 V 7 Ah', 'L011', 'B0004', 'UN', -1.00, 'P0002', 'DEV', 0.00, 33500.00, NULL, NULL, NULL),
 ('FCC', '000300001234A', NULL, 1, '2024-05-20', '0001', 'CAB-001', 'Cable tipo DAlessandro 2x1,5 mm', 'L001', NULL, 'MT', 200.00, 'P0001', 'CPA', 0.00, 850.00, 'RMC', '000300000777R', 'A-01-01'),
 ('FCC', '000300001234A', NULL, 2, '2024-05-20', '0001', 'TAL-200', 'Taladro percutor 750 W', NULL, 'S0001', 'UN', 1.00, 'P0001', 'CPA', 0.00, 61000.00, 'RMC', '000300000777R', 'C-02-01'),
 ('FCC', '000300001234A', NULL, 3, '2024-05-20', '0001', 'TAL-200', 'Taladro percutor 750 W', NULL, 'S0002', 'UN', 1.00, 'P0001', 'CPA', 0.00, 61000.00, 'RMC', '000300000777R', 'C-02-01'),
 ('FC', '000100000025A', 0, 1, '2024-06-10', '0001', 'CAB-001', 'Cable tipo DAlessandro 2x1,5 mm', 'L001', NULL, 'MT', -25.00, 'P0001', 'VTA', 1452.00, 850.00, 'PR', '000100000007X', NULL),
 ('FC', '000100000025A', 0, 2, '2024-06-10', '0001', 'TAL-200', 'Taladro percutor 750 W', NULL, 'S0001', 'UN', -1.00, 'P0002', 'VTA', 96800.00, 61000.00, 'PR', '000100000007X', NULL),
 ('FC', '000100000025A', 0, 3, '2024-06-10', '0001', 'TAL-200', 'Taladro percutor 750 W', NULL, 'S0002', 'UN', -1.00, 'P0002', 'VTA', 96800.00, 61000.00, 'PR', '000100000007X', NULL),
 ('FC', '000100000025A', 0, 4, '2024-06-10', '0001', 'BAT-050', 'Batería 12 V 7 Ah', 'L010', 'B0001', 'UN', -1.00, 'P0002', 'VTA', 54450.00, 33500.00, 'PR', '000100000007X', NULL);

------------------------------------------------------------------------------
-- Sales vouchers
------------------------------------------------------------------------------
INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, Fecha, FECHAESTFIN, Cuenta, Nombre, DOMICILIO, LOCALIDAD, CONDICIONIVA, IdLista, CLASEPRECIO, Anulada, APROBADO, FINALIZADA, Importe, Comentarios, TCORIGEN, COMPROBANTEORIGEN, COMPLEMENTOORIGEN) VALUES
 -- invoice A with services, articles (lot, serial, both), other concepts and notes
 ('FC', '000100000025A', 0, '2024-06-10', '2024-07-10', 'C0001', 'Ferretería Los Andes S.R.L.', 'Bv. Chacabuco 820', 'Córdoba', 'RESPONSABLE INSCRIPTO', '0001', 'MINORISTA', 0, 1, 1, 341497.50, 'Instalación local Bv. Chacabuco', 'PR', '000100000007X', 0),
 -- annulled invoice
 ('FC', '000100000026A', 0, '2024-06-11', '2024-07-11', 'C0002', 'Construcciones del Plata S.A.', 'Ruta 9 Km 695', 'Villa María', 'RESPONSABLE INSCRIPTO', '0002', 'MAYORISTA', 1, 0, 0, 9680.00, 'Anulada por error de cuenta', NULL, NULL, NULL),
 -- invoice B to a final consumer, made from delivery note 0001-00000040-R
 ('FC', '000100000012B', 0, '2024-06-12', NULL, 'C0003', 'María Fernández', 'Obispo Trejo 345 3º B', 'Córdoba', 'CONSUMIDOR FINAL', '0001', NULL, NULL, 0, 1, 39318.50, NULL, 'RM', '000100000040R', 0),
 -- budgets: converted, approved and pending, not approved, annulled
 ('PR', '000100000007X', 0, '2024-05-28', '2024-06-15', 'C0001', 'Ferretería Los Andes S.R.L.', 'Bv. Chacabuco 820', 'Córdoba', 'RESPONSABLE INSCRIPTO', '0001', 'MINORISTA', 0, 1, 0, 338000.00, 'Obra Bv. Chacabuco', NULL, NULL, NULL),
 ('PR', '000100000008X', 0, '2024-06-03', '2024-06-30', 'C0002', 'Construcciones del Plata S.A.', 'Ruta 9 Km 695', 'Villa María', 'RESPONSABLE INSCRIPTO', '0002', 'MAYORISTA', 0, 1, 0, 120400.00, 'Ref. obra barrio Las Acacias', NULL, NULL, NULL),
 ('PR', '000100000009X', 0, '2024-06-05', '2024-07-05', 'C0004', 'Cooperativa Agrícola La Paloma', 'Calle 25 de Mayo 77', 'Río Cuarto', 'EXENTO', '0002', 'MAYORISTA', 0, 0, 0, 54000.00, 'Tablero galpón 3', NULL, NULL, NULL),
 ('PR', '000100000010X', 0, '2024-06-06', NULL, 'C0003', 'María Fernández', 'Obispo Trejo 345 3º B', 'Córdoba', 'CONSUMIDOR FINAL', '0001', NULL, 1, 0, 0, 15000.00, NULL, NULL, NULL, NULL),
 -- work orders: finished (real charges), and one with complement 1 still open
 ('OT', '000100000101X', 0, '2024-06-01', '2024-06-08', 'C0001', 'Ferretería Los Andes S.R.L.', 'Bv. Chacabuco 820', 'Córdoba', 'RESPONSABLE INSCRIPTO', '0001', 'MINORISTA', 0, 1, 1, 41745.00, 'Mantenimiento tablero general', NULL, NULL, NULL),
 ('OT', '000100000102X', 1, '2024-06-14', '2024-06-21', 'C0002', 'Construcciones del Plata S.A.', 'Ruta 9 Km 695', 'Villa María', 'RESPONSABLE INSCRIPTO', '0002', 'MAYORISTA', 0, 1, 0, 58563.00, 'Instalación obrador', NULL, NULL, NULL),
 -- credit note (code ND) and debit note (code NC) on invoice 25
 ('ND', '000100000003A', 0, '2024-06-18', NULL, 'C0001', 'Ferretería Los Andes S.R.L.', 'Bv. Chacabuco 820', 'Córdoba', 'RESPONSABLE INSCRIPTO', '0001', 'MINORISTA', 0, 0, 1, 2299.00, 'Devolución lámpara', 'FC', '000100000025A', 0),
 ('NC', '000100000004A', 0, '2024-06-20', NULL, 'C0001', 'Ferretería Los Andes S.R.L.', 'Bv. Chacabuco 820', 'Córdoba', 'RESPONSABLE INSCRIPTO', '0001', 'MINORISTA', 0, 0, 1, 4235.00, 'Intereses por pago fuera de término', 'FC', '000100000025A', 0),
 -- delivery notes: invoiced, and pending
 ('RM', '000100000040R', 0, '2024-06-12', NULL, 'C0003', 'María Fernández', 'Obispo Trejo 345 3º B', 'Córdoba', 'CONSUMIDOR FINAL', '0001', NULL, 0, 0, 1, 30250.00, NULL, NULL, NULL, NULL),
 ('RM', '000100000041R', 0, '2024-06-19', NULL, 'C0002', 'Construcciones del Plata S.A.', 'Ruta 9 Km 695', 'Villa María', 'RESPONSABLE INSCRIPTO', '0002', 'MAYORISTA', 0, 0, 0, 193600.00, 'Entrega en obrador', NULL, NULL, NULL),
 -- pending customer order
 ('NP', '000100000005X', 0, '2024-06-21', '2024-06-28', 'C0002', 'Construcciones del Plata S.A.', 'Ruta 9 Km 695', 'Villa María', 'RESPONSABLE INSCRIPTO', '0002', 'MAYORISTA', 0, 1, 0, 65340.00, 'Pintura para oficinas', NULL, NULL, NULL);

INSERT INTO V_MV_CPTETAREAS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IdTarea, Descripcion, Horas, ValorHora, ValorHora_S_IVA, Total, DescripcionAdicional, Exento) VALUES
 ('FC', '000100000025A', 0, 'T001', 'Instalación eléctrica', 135, 12100.00, 10000.00, 27225.00, 'Incluye cableado de 3 bocas', 0),
 ('FC', '000100000025A', 0, 'T002', 'Revisión de tablero', 90, 9680.00, 8000.00, 14520.00, NULL, 0),
 ('FC', '000100000025A', 0, 'T003', 'Mano de obra general', 45, 8470.00, 7000.00, 6352.50, NULL, 0),
 ('FC', '000100000026A', 0, 'T002', 'Revisión de tablero', 60, 9680.00, 8000.00, 9680.00, NULL, 0),
 ('FC', '000100000012B', 0, 'T003', NULL, 30, 8470.00, 7000.00, NULL, NULL, 0),
 ('PR', '000100000007X', 0, 'T001', 'Instalación eléctrica', 180, 12100.00, 10000.00, 36300.00, NULL, 0),
 ('PR', '000100000008X', 0, 'T001', 'Instalación eléctrica', 240, 12100.00, 10000.00, 48400.00, 'Tendido en obrador', 0),
 ('PR', '000100000009X', 0, 'T002', 'Revisión de tablero', 300, 10800.00, 10800.00, 54000.00, NULL, 1),
 ('OT', '000100000101X', 0, 'T001', 'Instalación eléctrica', 60, 12100.00, 10000.00, 12100.00, NULL, 0),
 ('OT', '000100000101X', 0, 'T002', 'Revisión de tablero', 120, 9680.00, 8000.00, 19360.00, NULL, 0),
 ('OT', '000100000102X', 1, 'T004', 'Service de mantenimiento', 210, 10890.00, 9000.00, 38115.00, NULL, 0);

INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IdArticulo, Descripcion, IdListaPrecioArticulo, IdUnidad, Cantidad, PorcDtoArticulo, Importe, Importe_S_IVA, Impuestos, Total, Nro_Lote, Nro_Serie, Exento, IdDeposito) VALUES
 ('FC', '000100000025A', 0, 'CAB-001', 'Cable tipo D''Alessandro 2x1,5 mm', '0001', 'MT', 25, 0, 1452.00, 1200.00, 252.00, 36300.00, '|L001|', NULL, 0, '0001'),
 ('FC', '000100000025A', 0, 'TAL-200', 'Taladro percutor 750 W', '0001', 'UN', 2, 0, 96800.00, 80000.00, 16800.00, 193600.00, NULL, '|S0001|S0002|', 0, '0001'),
 ('FC', '000100000025A', 0, 'BAT-050', 'Batería 12 V 7 Ah', '0001', 'UN', 1, 0, 54450.00, 45000.00, 9450.00, 54450.00, '|L010|', '|B0001|', 0, '0001'),
 ('FC', '000100000012B', 0, 'DIS-016', 'Disyuntor diferencial 2x40 A', '0001', 'UN', 1, 0, 30250.00, 25000.00, 5250.00, 30250.00, NULL, NULL, 0, '0001'),
 ('FC', '000100000012B', 0, 'LAM-010', 'Lámpara LED 12 W luz fría', '0001', 'UN', 2.5, 0, 2299.00, 2299.00, 0.00, 5747.50, NULL, NULL, 1, '0001'),
 ('PR', '000100000007X', 0, 'TAL-200', 'Taladro percutor 750 W', '0001', 'UN', 3, 0, 96800.00, 80000.00, 16800.00, 290400.00, NULL, NULL, 0, '0001'),
 ('PR', '000100000008X', 0, 'CAB-001', 'Cable tipo D''Alessandro 2x1,5 mm', '0002', 'MT', 60, 0, 1200.00, 1200.00, 0.00, 72000.00, NULL, NULL, 0, '0001'),
 ('OT', '000100000101X', 0, 'DIS-016', 'Disyuntor diferencial 2x40 A', '0001', 'UN', 1, 0, 8470.00, 7000.00, 1470.00, 8470.00, NULL, NULL, 0, '0001'),
 ('OT', '000100000102X', 1, 'PIN-100', 'Pintura látex interior 20 l', '0002', 'LT', 1, 0, 20448.00, 16900.00, 3548.00, 20448.00, '|L-2024-03|', NULL, 0, '0001'),
 ('ND', '000100000003A', 0, 'LAM-010', 'Lámpara LED 12 W luz fría', '0001', 'UN', 1, 0, 2299.00, 1900.00, 399.00, 2299.00, NULL, NULL, 0, '0001'),
 ('RM', '000100000040R', 0, 'DIS-016', 'Disyuntor diferencial 2x40 A', '0001', 'UN', 1, 0, 30250.00, 25000.00, 5250.00, 30250.00, NULL, NULL, 0, '0001'),
 ('RM', '000100000041R', 0, 'TAL-200', 'Taladro percutor 750 W', '0001', 'UN', 2, 0, 96800.00, 80000.00, 16800.00, 193600.00, NULL, '|S0003|S0004|', 0, '0001'),
 ('NP', '000100000005X', 0, 'PIN-100', 'Pintura látex interior 20 l', '0001', 'LT', 1, 0, 65340.00, 54000.00, 11340.00, 65340.00, NULL, NULL, 0, '0001');

INSERT INTO V_MV_CPTE_Observ (TC, IDCOMPROBANTE, IDCOMPLEMENTO, TIPO_OBS, Observacion, Importe, Importe_S_IVA) VALUES
 ('FC', '000100000025A', 0, 'EN', 'Trabajo realizado según presupuesto 0001-00000007', NULL, NULL),
 ('FC', '000100000025A', 0, 'OC', 'Flete y acarreo de materiales', 6050.00, 5000.00),
 ('FC', '000100000025A', 0, 'OC', 'Viáticos del técnico', 3000.00, 3000.00),
 ('FC', '000100000025A', 0, 'PP', 'Garantía de 6 meses sobre la mano de obra. Gracias por su compra.', NULL, NULL),
 ('FC', '000100000012B', 0, 'OC', 'Recargo por visita fuera de horario', 3321.00, 2744.63),
 ('FC', '000100000012B', 0, 'OC', NULL, NULL, NULL),
 ('PR', '000100000007X', 0, 'OC', 'Andamio (alquiler una semana)', 11300.00, 9338.84),
 ('OT', '000100000101X', 0, 'OC', 'Traslado de equipo', 1815.00, 1500.00),
 ('OT', '000100000102X', 1, 'EN', 'Coordinar ingreso con el capataz', NULL, NULL),
 ('NC', '000100000004A', 0, 'OC', 'Intereses por pago fuera de término', 4235.00, 3500.00);

-- Time recorded on work order 0001-00000101-X: task T001 planned 60 minutes, logged 120.
INSERT INTO V_MV_DIARIOS (Fecha, IDTAREA, TC, IDCOMPROBANTE, IDCOMPLEMENTO, IdEmpleado, Minutos) VALUES
 ('2024-06-03', 'T001', 'OT', '000100000101X', 0, 'E01', 70),
 ('2024-06-04', 'T001', 'OT', '000100000101X', 0, 'E02', 50),
 ('2024-06-04', 'T002', 'OT', '000100000101X', 0, 'E01', 90),
 ('2024-06-15', 'T004', 'OT', '000100000102X', 1, 'E02', 120);

INSERT INTO V_MV_CREALES (CUENTA, Fecha, Concepto, Debe_Haber, Importe, Observaciones) VALUES
 ('C0001', '2024-06-05', 'Materiales retirados del depósito', 'D', 50.00, 'Retiró el encargado'),
 ('C0001', '2024-06-09', 'Bonificación acordada', 'H', 20.00, NULL),
 ('C0002', '2024-06-16', 'Horas extra obrador', 'D', 12350.75, 'Autorizado por el cliente');

INSERT INTO V_MV_CPTEACCIONES (TC, IdComprobante, IdComplemento, Tipo_accion, FECHAHORA, Usuario, PC, SYSTEMUSER) VALUES
 ('FC', '000100000025A', 0, 'A', '2024-06-10 10:32:05', 'admin', 'PUESTO01', ''),
 ('FC', '000100000026A', 0, 'A', '2024-06-11 09:15:40', 'lgomez', 'PUESTO02', ''),
 ('FC', '000100000026A', 0, 'M', '2024-06-11 17:02:11', 'admin', 'PUESTO01', '');

INSERT INTO V_MV_CPTETERCEROS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, Fecha, Cuenta, Nombre, Importe, FECHAENVIADO, FECHARECIBIDO) VALUES
 ('FC', '000100000025A', 0, '2024-06-10', 'C0001', 'Ferretería Los Andes S.R.L.', 341497.50, '2024-06-10 11:00:00', '2024-06-10 11:04:30'),
 ('OT', '000100000102X', 1, '2024-06-14', 'C0002', 'Construcciones del Plata S.A.', 58563.00, '2024-06-14 16:20:00', NULL);

------------------------------------------------------------------------------
-- Purchasing vouchers
------------------------------------------------------------------------------
INSERT INTO C_MV_CPTE (TC, IDCOMPROBANTE, CUENTA, Fecha, Vencimiento, Nombre, DOMICILIO, LOCALIDAD, CONDICIONIVA, Anulada, Importe, Comentarios, TCORIGEN, COMPROBANTEORIGEN) VALUES
 ('FCC', '000300001234A', 'P0001', '2024-05-20', '2024-06-19', 'Distribuidora Eléctrica Rosario S.A.', 'Av. Pellegrini 2100', 'Rosario', 'RESPONSABLE INSCRIPTO', 0, 353320.00, 'Compra cable y taladros', 'RMC', '000300000777R'),
 -- same number from another supplier: only the supplier account tells them apart
 ('FCC', '000300001234A', 'P0002', '2024-05-22', '2024-06-21', 'Herramientas Bahía S.R.L.', 'Brown 455', 'Bahía Blanca', 'RESPONSABLE INSCRIPTO', 0, 52030.00, 'Reparación de herramientas', NULL, NULL),
 ('NDC', '000300000055A', 'P0001', '2024-05-27', NULL, 'Distribuidora Eléctrica Rosario S.A.', 'Av. Pellegrini 2100', 'Rosario', 'RESPONSABLE INSCRIPTO', 0, 12100.00, 'Bonificación por volumen', 'FCC', '000300001234A'),
 ('NCC', '000300000056A', 'P0001', '2024-05-29', '2024-06-28', 'Distribuidora Eléctrica Rosario S.A.', 'Av. Pellegrini 2100', 'Rosario', 'RESPONSABLE INSCRIPTO', 0, 3630.00, 'Diferencia de flete', 'FCC', '000300001234A'),
 ('RMC', '000300000777R', 'P0001', '2024-05-18', NULL, 'Distribuidora Eléctrica Rosario S.A.', 'Av. Pellegrini 2100', 'Rosario', 'RESPONSABLE INSCRIPTO', 0, 0.00, NULL, NULL, NULL),
 ('RMC', '000400000778R', 'P0003', '2024-06-17', NULL, 'Pinturas del Centro', 'Av. Colón 3200', 'Córdoba', 'RESPONSABLE MONOTRIBUTO', 0, 0.00, 'Pendiente de factura', NULL, NULL);

INSERT INTO C_MV_CPTETAREAS (TC, IDCOMPROBANTE, CUENTA, IdTarea, Descripcion, Horas, ValorHora, ValorHora_S_IVA, Total, DescripcionAdicional, Exento) VALUES
 ('FCC', '000300001234A', 'P0002', 'T004', 'Service de mantenimiento', 240, 12100.00, 10000.00, 48400.00, 'No se muestra en compras', 0);

INSERT INTO C_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, CUENTA, IdArticulo, Descripcion, IdListaPrecioArticulo, IdUnidad, Cantidad, PorcDtoArticulo, Importe, Importe_S_IVA, Impuestos, Total, Nro_Lote, Nro_Serie, Exento, IdDeposito) VALUES
 ('FCC', '000300001234A', 'P0001', 'CAB-001', 'Cable tipo D''Alessandro 2x1,5 mm', NULL, 'MT', 200, 0, 1028.50, 850.00, 178.50, 205700.00, '|L001|', NULL, 0, '0001'),
 ('FCC', '000300001234A', 'P0001', 'TAL-200', 'Taladro percutor 750 W', NULL, 'UN', 2, 0, 73810.00, 61000.00, 12810.00, 147620.00, NULL, '|S0001|S0002|', 0, '0001'),
 ('FCC', '000300001234A', 'P0002', 'BAT-050', 'Batería 12 V 7 Ah', NULL, 'UN', 0, 0, 0.00, 0.00, 0.00, 0.00, NULL, NULL, 0, '0001'),
 ('NDC', '000300000055A', 'P0001', 'CAB-001', 'Cable tipo D''Alessandro 2x1,5 mm', NULL, 'MT', 10, 0, 1210.00, 1000.00, 210.00, 12100.00, '|L001|', NULL, 0, '0001'),
 ('RMC', '000300000777R', 'P0001', 'CAB-001', 'Cable tipo D''Alessandro 2x1,5 mm', NULL, 'MT', 200, 0, NULL, NULL, NULL, NULL, '|L001|', NULL, 0, '0001'),
 ('RMC', '000300000777R', 'P0001', 'TAL-200', 'Taladro percutor 750 W', NULL, 'UN', 2, 0, NULL, NULL, NULL, NULL, NULL, '|S0001|S0002|', 0, '0001'),
 ('RMC', '000400000778R', 'P0003', 'PIN-100', 'Pintura látex interior 20 l', NULL, 'LT', 20, 0, NULL, NULL, NULL, NULL, '|L-2024-03|', NULL, 0, '0001');

INSERT INTO C_MV_CPTE_Observ (TC, IDCOMPROBANTE, CUENTA, TIPO_OBS, Observacion, Importe, Importe_S_IVA) VALUES
 ('FCC', '000300001234A', 'P0002', 'OC', 'Envío por transporte', 3630.00, 3000.00),
 ('FCC', '000300001234A', 'P0002', 'EN', 'Orden de reparación 4411', NULL, NULL),
 ('FCC', '000300001234A', 'P0002', 'PP', 'Garantía del service: 90 días', NULL, NULL),
 ('NCC', '000300000056A', 'P0001', 'OC', 'Diferencia de flete', 3630.00, 3000.00);

------------------------------------------------------------------------------
-- Accounting entries of collections and payments
-- Cash 1.1.01.001, cheques 1.1.03.001, banks 1.1.02.xxx
------------------------------------------------------------------------------
INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CUENTA, DEBE_HABER, Importe, ChPropio, NroComprobanteBancario, IdBanco, Vencimiento, CABIMPORTE, DETALLE) VALUES
 -- collection 0001-00000150-X from C0001: cash, a customer's cheque, an own cheque
 -- (number longer than 8, bank name longer than 25, amount with 5 integer digits)
 ('2024', 6, 301, 1, '2024-06-25', 'CB', '0001', '00000150', 'X', '1.1.01.001', 'D', 50000.00, 0, NULL, NULL, NULL, 182500.75, 'Cobranza FC 0001-00000025-A'),
 ('2024', 6, 301, 2, '2024-06-25', 'CB', '0001', '00000150', 'X', '1.1.03.001', 'D', 120000.00, 0, '00123456', '0011', '2024-07-15', 182500.75, 'Cobranza FC 0001-00000025-A'),
 ('2024', 6, 301, 3, '2024-06-25', 'CB', '0001', '00000150', 'X', '1.1.03.001', 'D', 12500.75, 1, '0009876543', '0014', '2024-07-30', 182500.75, 'Cobranza FC 0001-00000025-A'),
 ('2024', 6, 301, 4, '2024-06-25', 'CB', '0001', '00000150', 'X', 'C0001', 'H', 182500.75, 0, NULL, NULL, NULL, 182500.75, 'Cobranza FC 0001-00000025-A'),
 -- cash collection 0001-00000151-X from C0003: cash 150.50 and a cheque of 25;
 -- the bank transfer line is not a payment mean of a collection
 ('2024', 6, 302, 2, '2024-06-26', 'CBCT', '0001', '00000151', 'X', '1.1.03.001', 'D', 25.00, 0, '77001122', '0020', '2024-07-05', 475.50, 'Cobranza contado FC 0001-00000012-B'),
 ('2024', 6, 302, 1, '2024-06-26', 'CBCT', '0001', '00000151', 'X', '1.1.01.001', 'D', 150.50, 0, NULL, NULL, NULL, 475.50, 'Cobranza contado FC 0001-00000012-B'),
 ('2024', 6, 302, 3, '2024-06-26', 'CBCT', '0001', '00000151', 'X', '1.1.02.001', 'D', 300.00, 0, 'TRF5521', '0020', NULL, 475.50, 'Cobranza contado FC 0001-00000012-B'),
 ('2024', 6, 302, 4, '2024-06-26', 'CBCT', '0001', '00000151', 'X', 'C0003', 'H', 475.50, 0, NULL, NULL, NULL, 475.50, 'Cobranza contado FC 0001-00000012-B'),
 -- annulled collection 0001-00000152-X: shown, with the blinking annulled label
 ('2024', 6, 303, 1, '2024-06-27', 'CB', '0001', '00000152', 'X', '1.1.03.001', 'D', 8000.00, 0, '00555001', '0072', '2024-07-20', 0.00, 'Cobranza anulada'),
 ('2024', 6, 303, 2, '2024-06-27', 'CB', '0001', '00000152', 'X', '1.1.03.001', 'D', 2000.00, 0, '00555002', NULL, '2024-07-20', 0.00, 'Cobranza anulada'),
 ('2024', 6, 303, 3, '2024-06-27', 'CB', '0001', '00000152', 'X', 'C0002', 'H', 10000.00, 0, NULL, NULL, NULL, 0.00, 'Cobranza anulada'),
 -- annulled collection 0001-00000153-X: refused at once ("ya fue anulado")
 ('2024', 6, 304, 1, '2024-06-28', 'CB', '0001', '00000153', 'X', '1.1.01.001', 'D', 5000.00, 0, NULL, NULL, NULL, 0.00, 'Cobranza anulada'),
 ('2024', 6, 304, 2, '2024-06-28', 'CB', '0001', '00000153', 'X', 'C0004', 'H', 5000.00, 0, NULL, NULL, NULL, 0.00, 'Cobranza anulada'),
 -- payment 0002-00000088-X to P0001: cash, own cheque, bank transfer
 ('2024', 6, 312, 1, '2024-06-28', 'PG', '0002', '00000088', 'X', 'P0001', 'D', 250000.00, 0, NULL, NULL, NULL, 250000.00, 'Pago FCC 0003-00001234-A'),
 ('2024', 6, 312, 2, '2024-06-28', 'PG', '0002', '00000088', 'X', '1.1.01.001', 'H', 30000.00, 0, NULL, NULL, NULL, 250000.00, 'Pago FCC 0003-00001234-A'),
 ('2024', 6, 312, 3, '2024-06-28', 'PG', '0002', '00000088', 'X', '1.1.03.001', 'H', 120000.00, 1, '00004521', '0007', '2024-07-30', 250000.00, 'Pago FCC 0003-00001234-A'),
 ('2024', 6, 312, 4, '2024-06-28', 'PG', '0002', '00000088', 'X', '1.1.02.002', 'H', 100000.00, 0, 'TRF88120', '0007', '2024-06-28', 250000.00, 'Pago FCC 0003-00001234-A'),
 -- payment with the same number to P0002, in another entry
 ('2024', 6, 313, 1, '2024-06-28', 'PG', '0002', '00000088', 'X', 'P0002', 'D', 52030.00, 0, NULL, NULL, NULL, 52030.00, 'Pago FCC 0003-00001234-A Bahía'),
 ('2024', 6, 313, 2, '2024-06-28', 'PG', '0002', '00000088', 'X', '1.1.01.001', 'H', 52030.00, 0, NULL, NULL, NULL, 52030.00, 'Pago FCC 0003-00001234-A Bahía'),
 -- payment 0002-00000089-X to P0003 in cash, with an unrelated withholding line
 ('2024', 7, 15, 1, '2024-07-02', 'PG', '0002', '00000089', 'X', 'P0003', 'D', 41200.00, 0, NULL, NULL, NULL, 41200.00, 'Pago RMC 0004-00000778-R'),
 ('2024', 7, 15, 2, '2024-07-02', 'PG', '0002', '00000089', 'X', '2.1.04.003', 'H', 824.00, 0, NULL, NULL, NULL, 41200.00, 'Pago RMC 0004-00000778-R'),
 ('2024', 7, 15, 3, '2024-07-02', 'PG', '0002', '00000089', 'X', '1.1.01.001', 'H', 40376.00, 0, NULL, NULL, NULL, 41200.00, 'Pago RMC 0004-00000778-R');

------------------------------------------------------------------------------
-- Voucher history and relations: work order 0001-00000111-X of C0001,
-- finished and over its planned cost (task T003 planned 60 minutes, logged
-- 150); a delivery note generated from it (annulled) and the invoice that
-- replaced it; the action log of the three.
------------------------------------------------------------------------------
INSERT INTO V_MV_CPTE (TC, IDCOMPROBANTE, IDCOMPLEMENTO, Fecha, FECHAESTFIN, Cuenta, Nombre, DOMICILIO, LOCALIDAD, CONDICIONIVA, IdLista, CLASEPRECIO, Anulada, APROBADO, FINALIZADA, Importe, Comentarios, TCORIGEN, COMPROBANTEORIGEN, COMPLEMENTOORIGEN) VALUES
 ('OT', '000100000111X', 0, '2024-06-04', '2024-06-07', 'C0001', 'Ferretería Los Andes S.R.L.', 'Bv. Chacabuco 820', 'Córdoba', 'RESPONSABLE INSCRIPTO', '0001', 'MINORISTA', 0, 1, 1, 22990.00, 'Reparación bomba de agua', NULL, NULL, NULL),
 ('RM', '000100000046R', 0, '2024-06-07', NULL, 'C0001', 'Ferretería Los Andes S.R.L.', 'Bv. Chacabuco 820', 'Córdoba', 'RESPONSABLE INSCRIPTO', '0001', 'MINORISTA', 1, 0, 1, 8470.00, 'Anulado: dirección de entrega errónea', 'OT', '000100000111X', 0),
 ('FC', '000100000031A', 0, '2024-06-08', '2024-07-08', 'C0001', 'Ferretería Los Andes S.R.L.', 'Bv. Chacabuco 820', 'Córdoba', 'RESPONSABLE INSCRIPTO', '0001', 'MINORISTA', 0, 1, 1, 22990.00, 'Reparación bomba de agua s/OT 0001-00000111-X', 'OT', '000100000111X', 0);

INSERT INTO V_MV_CPTETAREAS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IdTarea, Descripcion, Horas, ValorHora, ValorHora_S_IVA, Total, DescripcionAdicional, Exento) VALUES
 ('OT', '000100000111X', 0, 'T003', 'Mano de obra general', 60, 8470.00, 7000.00, 8470.00, 'Desarme y limpieza', 0),
 ('OT', '000100000111X', 0, 'T001', 'Instalación eléctrica', 30, 12100.00, 10000.00, 6050.00, NULL, 0),
 ('FC', '000100000031A', 0, 'T003', 'Mano de obra general', 60, 8470.00, 7000.00, 8470.00, NULL, 0),
 ('FC', '000100000031A', 0, 'T001', 'Instalación eléctrica', 30, 12100.00, 10000.00, 6050.00, NULL, 0);

INSERT INTO V_MV_CPTEINSUMOS (TC, IDCOMPROBANTE, IDCOMPLEMENTO, IdArticulo, Descripcion, IdListaPrecioArticulo, IdUnidad, Cantidad, PorcDtoArticulo, Importe, Importe_S_IVA, Impuestos, Total, Nro_Lote, Nro_Serie, Exento, IdDeposito) VALUES
 ('OT', '000100000111X', 0, 'DIS-016', 'Disyuntor diferencial 2x40 A', '0001', 'UN', 1, 0, 8470.00, 7000.00, 1470.00, 8470.00, NULL, NULL, 0, '0001'),
 ('RM', '000100000046R', 0, 'DIS-016', 'Disyuntor diferencial 2x40 A', '0001', 'UN', 1, 0, 8470.00, 7000.00, 1470.00, 8470.00, NULL, NULL, 0, '0001'),
 ('FC', '000100000031A', 0, 'DIS-016', 'Disyuntor diferencial 2x40 A', '0001', 'UN', 1, 0, 8470.00, 7000.00, 1470.00, 8470.00, NULL, NULL, 0, '0001');

INSERT INTO V_MV_DIARIOS (Fecha, IDTAREA, TC, IDCOMPROBANTE, IDCOMPLEMENTO, IdEmpleado, Minutos) VALUES
 ('2024-06-05', 'T003', 'OT', '000100000111X', 0, 'E01', 90),
 ('2024-06-06', 'T003', 'OT', '000100000111X', 0, 'E02', 60),
 ('2024-06-06', 'T001', 'OT', '000100000111X', 0, 'E01', 30);

INSERT INTO V_MV_CREALES (CUENTA, Fecha, Concepto, Debe_Haber, Importe, Observaciones) VALUES
 ('C0001', '2024-06-06', 'Trabajo d''urgencia fuera de horario', 'D', 3500.00, 'Autorizó el Sr. Núñez');

INSERT INTO V_MV_CPTEACCIONES (TC, IdComprobante, IdComplemento, Tipo_accion, FECHAHORA, Usuario, PC, SYSTEMUSER) VALUES
 ('OT', '000100000111X', 0, 'A', '2024-06-04T08:12:30', 'lgomez', 'PUESTO02', ''),
 ('OT', '000100000111X', 0, 'M', '2024-06-06T17:45:00', 'admin', 'PUESTO01', ''),
 ('RM', '000100000046R', 0, 'A', '2024-06-07T09:01:10', 'admin', 'PUESTO01', ''),
 ('RM', '000100000046R', 0, 'M', '2024-06-07T11:20:00', 'lgomez', 'PUESTO02', ''),
 ('FC', '000100000031A', 0, 'A', '2024-06-08T10:05:00', 'admin', 'PUESTO01', ''),
 ('FC', '000100000031A', 0, 'M', '2024-06-08T10:31:45', 'mrodríguez', 'CAJA-01', '');
