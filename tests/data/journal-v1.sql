-- The order journal as its first layout (version 1) made it; tests/data/journal-v1.sqlite is made from
-- this file with: sqlite3 journal-v1.sqlite < journal-v1.sql

CREATE TABLE orders (
  number INTEGER PRIMARY KEY,
  number_text TEXT NOT NULL,
  customer TEXT NOT NULL,
  phone TEXT NOT NULL,
  address TEXT NOT NULL,
  order_date INTEGER NOT NULL,
  ready_date INTEGER NOT NULL,
  assembly_cost INTEGER NOT NULL,
  delivery_cost INTEGER NOT NULL,
  discount REAL NOT NULL,
  items_total INTEGER NOT NULL,
  grand_total INTEGER NOT NULL,
  system TEXT NOT NULL,
  handle_profile TEXT NOT NULL,
  color TEXT NOT NULL,
  width INTEGER NOT NULL,
  height INTEGER NOT NULL,
  door_count INTEGER NOT NULL,
  file_path TEXT NOT NULL,
  status INTEGER NOT NULL DEFAULT 0,
  saved_at INTEGER NOT NULL
);
CREATE TABLE versions (
  id INTEGER PRIMARY KEY,
  number INTEGER NOT NULL REFERENCES orders(number),
  saved_at INTEGER NOT NULL,
  file_path TEXT NOT NULL,
  grand_total INTEGER NOT NULL,
  bytes BLOB NOT NULL
);
CREATE INDEX versions_of_order ON versions(number, id);
CREATE TABLE status_changes (
  id INTEGER PRIMARY KEY,
  number INTEGER NOT NULL REFERENCES orders(number),
  status INTEGER NOT NULL,
  changed_at INTEGER NOT NULL
);
CREATE INDEX status_changes_of_order ON status_changes(number, id);
CREATE TABLE counter (
  id INTEGER PRIMARY KEY CHECK (id = 1),
  next_number INTEGER NOT NULL
);
INSERT INTO counter (id, next_number) VALUES (1, 1);

-- Three orders as the first journal recorded them: Cyrillic names, phones written three ways.
INSERT INTO orders VALUES (41, '00041', 'Иванов Пётр Сергеевич', '8 (912) 345-67-89', 'Екатеринбург, ул. Ленина, 5',
  1700000000, 1700600000, 1500, 0, 5.0, 10000000, 9650000, 'Далвекс', 'DX01', 'Белый глянец', 32000, 25000, 4,
  '/home/dealer/Заказы/00041.dlx', 1, 1700000100);
INSERT INTO orders VALUES (42, '00042', 'ЁЛКИН Семён', '+7 343 210 00 11', 'Пермь, Комсомольский пр., 12',
  1700100000, 1700700000, 0, 800, 0.0, 5000000, 5080000, 'Борвик', 'JB001', 'Серебро', 30000, 20000, 3,
  '/home/dealer/Заказы/00042.dlx', 0, 1700100100);
INSERT INTO orders VALUES (43, '00043', 'Smith John', '2101122', 'Тюмень', 1700200000, 1700800000, 0, 0, 0.0, 0, 0,
  'Борвик', 'JB001', 'Серебро', 30000, 20000, 3, '/home/dealer/Заказы/00043.dlx', 0, 1700200100);
INSERT INTO versions (number, saved_at, file_path, grand_total, bytes) VALUES
  (41, 1700000050, '/home/dealer/Заказы/00041.dlx', 9000000, X'0100ff'),
  (41, 1700000100, '/home/dealer/Заказы/00041.dlx', 9650000, X'0200ff'),
  (42, 1700100100, '/home/dealer/Заказы/00042.dlx', 5080000, X'0300ff'),
  (43, 1700200100, '/home/dealer/Заказы/00043.dlx', 0, X'04');
INSERT INTO status_changes (number, status, changed_at) VALUES
  (41, 0, 1700000050), (41, 1, 1700000200), (42, 0, 1700100100), (43, 0, 1700200100);
UPDATE counter SET next_number = 44;
PRAGMA user_version = 1;
