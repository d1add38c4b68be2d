-- Units: units of measure of product specifications.
-- Id is the code stored in a product's DimensionsUnit or WeightUnit and in
-- the catalog properties of the default units (725 dimension, 724 weight);
-- "cm", "m", "in", "ft", "kg", "lbs", "g" and "oz" are also the codes that
-- converted catalogs of the previous program generation carry.
-- UnitType 1 is a dimension unit; every other type is a weight unit.
-- The lists are shown in OrderNum order.

CREATE TABLE Units (
  Id       TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
  UnitName TEXT COLLATE NOCASE,
  UnitType INTEGER,
  OrderNum INTEGER DEFAULT 0
);

INSERT INTO Units (Id, UnitName, UnitType, OrderNum) VALUES
  ('cm',  'Centimeters', 1, 1),
  ('mm',  'Millimeters', 1, 2),
  ('m',   'Meters',      1, 3),
  ('in',  'Inches',      1, 4),
  ('ft',  'Feet',        1, 5),
  ('kg',  'Kilograms',   2, 11),
  ('g',   'Grams',       2, 12),
  ('lbs', 'Pounds',      2, 13),
  ('oz',  'Ounces',      2, 14);
