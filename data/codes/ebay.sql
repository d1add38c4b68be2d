-- eBay categories: a small subset of the eBay US category tree for browsing
-- and tests (its real category ids). Replace this file with the full
-- category list to ship the whole tree.
--
-- CategoryLevel 1 is the top level; a top-level category is its own parent
-- (CategoryParentId = CategoryId). Every other row names its parent, one
-- level up. Only categories without children may be chosen for an item.

CREATE TABLE EBayCategory (
  CategoryId       INTEGER NOT NULL PRIMARY KEY,
  CategoryName     TEXT COLLATE NOCASE,
  CategoryParentId INTEGER,
  CategoryLevel    INTEGER
);

CREATE INDEX EBayCategoryParent ON EBayCategory (CategoryParentId, CategoryLevel);

INSERT INTO EBayCategory (CategoryId, CategoryName, CategoryParentId, CategoryLevel) VALUES
  (1, 'Collectibles', 1, 1),
  (99, 'Everything Else', 99, 1),
  (220, 'Toys & Hobbies', 220, 1),
  (267, 'Books', 267, 1),
  (281, 'Jewelry & Watches', 281, 1),
  (293, 'Consumer Electronics', 293, 1),
  (550, 'Art', 550, 1),
  (619, 'Musical Instruments & Gear', 619, 1),
  (625, 'Cameras & Photo', 625, 1),
  (888, 'Sporting Goods', 888, 1),
  (1249, 'Video Games & Consoles', 1249, 1),
  (2984, 'Baby', 2984, 1),
  (11233, 'Music', 11233, 1),
  (11450, 'Clothing, Shoes & Accessories', 11450, 1),
  (11700, 'Home & Garden', 11700, 1),
  (15032, 'Cell Phones & Accessories', 15032, 1),
  (20081, 'Antiques', 20081, 1),
  (58058, 'Computers/Tablets & Networking', 58058, 1),
  (34, 'Advertising', 1, 2),
  (222, 'Diecast & Toy Vehicles', 220, 2),
  (246, 'Action Figures & Accessories', 220, 2),
  (631, 'Tools & Workshop Equipment', 11700, 2),
  (1059, 'Men''s Clothing', 11450, 2),
  (1492, 'Fishing', 888, 2),
  (3034, 'Women''s Shoes', 11450, 2),
  (3197, 'Furniture', 11700, 2),
  (3676, 'Keyboards, Mice & Pointers', 58058, 2),
  (7294, 'Cycling', 888, 2),
  (9355, 'Cell Phones & Smartphones', 15032, 2),
  (9394, 'Cell Phone Accessories', 15032, 2),
  (10033, 'Home Decor', 11700, 2),
  (13777, 'Decorative Collectibles', 1, 2),
  (14324, 'Watches, Parts & Accessories', 281, 2),
  (15273, 'Fitness, Running & Yoga', 888, 2),
  (15724, 'Women''s Clothing', 11450, 2),
  (16034, 'Camping & Hiking', 888, 2),
  (19169, 'Building Toys', 220, 2),
  (20625, 'Kitchen, Dining & Bar', 11700, 2),
  (80053, 'Monitors, Projectors & Accs', 58058, 2),
  (93427, 'Men''s Shoes', 11450, 2),
  (159043, 'Golf', 888, 2),
  (159912, 'Yard, Garden & Outdoor Living', 11700, 2),
  (171485, 'Tablets & eBook Readers', 58058, 2),
  (171957, 'Desktops & All-In-Ones', 58058, 2),
  (175672, 'Laptops & Netbooks', 58058, 2),
  (178893, 'Smart Watches', 15032, 2),
  (177, 'PC Laptops & Netbooks', 175672, 3),
  (179, 'PC Desktops & All-In-Ones', 171957, 3),
  (11483, 'Jeans', 1059, 3),
  (11554, 'Jeans', 15724, 3),
  (15687, 'T-Shirts', 1059, 3),
  (31387, 'Wristwatches', 14324, 3),
  (53159, 'Tops & Blouses', 15724, 3),
  (57988, 'Coats & Jackets', 1059, 3),
  (57990, 'Casual Button-Down Shirts', 1059, 3),
  (63861, 'Dresses', 15724, 3),
  (63862, 'Coats, Jackets & Vests', 15724, 3),
  (111418, 'Apple Desktops & All-In-Ones', 171957, 3),
  (111422, 'Apple Laptops', 175672, 3);
