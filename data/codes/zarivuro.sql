-- Partner trade-portal (Zarivuro) categories: a small category tree for
-- browsing and tests. The portal keeps its own list; a supplier catalog can
-- edit it, and the hosting service sends the current one.
--
-- The tree has one root, "All Categories" (id 1, CategoryLevel 1, its own
-- parent); the portal's main categories are its children on level 2. The
-- page generation writes the tree from level 1 under parent 1, and the codes
-- editor walks up the parents until id 1, so both need this root.
-- LeafCategory is 1 for a category without children: only those can be
-- chosen for an item and get a category page. Ids stay below 10000, because
-- a category page's item id is the category id modulo 10000 plus 110000.
-- CatalogCode names the catalog that maintains a row; the rows shipped here
-- belong to none and carry the empty text.

CREATE TABLE ZUDICategories (
  CategoryId       INTEGER NOT NULL PRIMARY KEY,
  CategoryName     TEXT COLLATE NOCASE,
  CategoryParentId INTEGER,
  CategoryLevel    INTEGER,
  LeafCategory     INTEGER DEFAULT 0,
  CatalogCode      TEXT COLLATE NOCASE DEFAULT ''
);

CREATE INDEX ZUDICategoriesParent ON ZUDICategories (CategoryParentId, CategoryLevel);

INSERT INTO ZUDICategories (CategoryId, CategoryName, CategoryParentId, CategoryLevel, LeafCategory, CatalogCode) VALUES
  (1, 'All Categories', 1, 1, 0, ''),
  (100, 'Agriculture & Food', 1, 2, 0, ''),
  (200, 'Apparel & Textiles', 1, 2, 0, ''),
  (300, 'Computers & Electronics', 1, 2, 0, ''),
  (400, 'Home & Garden', 1, 2, 0, ''),
  (500, 'Industrial Supplies', 1, 2, 0, ''),
  (600, 'Office & School Supplies', 1, 2, 0, ''),
  (700, 'Health & Beauty', 1, 2, 0, ''),
  (800, 'Travel & Hospitality', 1, 2, 0, ''),
  (900, 'Business Services', 1, 2, 0, ''),
  (101, 'Coffee & Tea', 100, 3, 1, ''),
  (102, 'Fruit & Vegetables', 100, 3, 1, ''),
  (103, 'Wine & Spirits', 100, 3, 1, ''),
  (104, 'Dairy & Eggs', 100, 3, 1, ''),
  (201, 'Men''s Clothing', 200, 3, 1, ''),
  (202, 'Women''s Clothing', 200, 3, 1, ''),
  (203, 'Children''s Clothing', 200, 3, 1, ''),
  (204, 'Fabrics & Yarns', 200, 3, 1, ''),
  (301, 'Computers & Laptops', 300, 3, 1, ''),
  (302, 'Phones & Accessories', 300, 3, 1, ''),
  (303, 'Consumer Electronics', 300, 3, 1, ''),
  (310, 'Electronic Components', 300, 3, 0, ''),
  (401, 'Furniture', 400, 3, 1, ''),
  (402, 'Kitchenware', 400, 3, 1, ''),
  (403, 'Garden Supplies', 400, 3, 1, ''),
  (501, 'Machinery', 500, 3, 1, ''),
  (502, 'Tools & Hardware', 500, 3, 1, ''),
  (503, 'Packaging Materials', 500, 3, 1, ''),
  (601, 'Paper Products', 600, 3, 1, ''),
  (602, 'Writing Instruments', 600, 3, 1, ''),
  (701, 'Cosmetics', 700, 3, 1, ''),
  (702, 'Personal Care', 700, 3, 1, ''),
  (801, 'Hotels & Lodging', 800, 3, 1, ''),
  (802, 'Restaurants & Catering', 800, 3, 1, ''),
  (901, 'Consulting', 900, 3, 1, ''),
  (902, 'Logistics & Transport', 900, 3, 1, ''),
  (311, 'Memory & Storage', 310, 4, 1, ''),
  (312, 'Processors', 310, 4, 1, ''),
  (313, 'Power Supplies', 310, 4, 1, '');
