-- Tables of the catalog-description database (setting 9, default "catalogs").
-- Create them, then apply the record-set XML files of this folder (each one
-- empties its table and inserts the rows). GlobalTables, the table list with
-- the catalog tables' creation statements, belongs to the same database but
-- is written by the code that owns those statements, not from this folder.
-- Text is compared and sorted without case, as the program expects.
-- Written by source/make_catalogsxml.py.

CREATE TABLE GlobalClasses (
  ClassId INTEGER NOT NULL,
  ClassXmlTag TEXT COLLATE NOCASE,
  PRIMARY KEY (ClassId)
);

CREATE TABLE GlobalClassMembers (
  ClassId INTEGER NOT NULL,
  MemberId INTEGER NOT NULL,
  MemberType INTEGER,
  Additional INTEGER,
  MemberXmlTag TEXT COLLATE NOCASE,
  Description TEXT COLLATE NOCASE,
  InitValue TEXT COLLATE NOCASE,
  AdditionalText TEXT COLLATE NOCASE,
  SqlText TEXT COLLATE NOCASE,
  IsRequired INTEGER,
  IsList INTEGER,
  IsOnlyList INTEGER,
  IsMultiple INTEGER,
  IsUniqueInArray INTEGER,
  IsMultiLang INTEGER,
  UseDefLangForNull INTEGER,
  OrderNum INTEGER,
  PRIMARY KEY (ClassId, MemberId)
);

CREATE TABLE GlobalClassMemberList (
  ClassId INTEGER NOT NULL,
  MemberId INTEGER NOT NULL,
  LangCode TEXT COLLATE NOCASE NOT NULL,
  DataCode TEXT COLLATE NOCASE NOT NULL,
  DataValue TEXT COLLATE NOCASE,
  AltDataValue TEXT COLLATE NOCASE,
  AddDataValue TEXT COLLATE NOCASE,
  OrderNum INTEGER,
  PRIMARY KEY (ClassId, MemberId, LangCode, DataCode)
);

CREATE TABLE GlobalClassMessages (
  ClassId INTEGER NOT NULL,
  MemberId INTEGER NOT NULL,
  LangCode TEXT COLLATE NOCASE NOT NULL,
  MessageType INTEGER NOT NULL,
  MessageValue TEXT COLLATE NOCASE,
  PRIMARY KEY (ClassId, MemberId, LangCode, MessageType)
);

CREATE TABLE GlobalItemIds (
  ItemId INTEGER NOT NULL,
  XmlTagName TEXT COLLATE NOCASE,
  PRIMARY KEY (ItemId)
);

CREATE TABLE GlobalItemTypes (
  ItemType INTEGER NOT NULL,
  XmlTagName TEXT COLLATE NOCASE,
  Description TEXT COLLATE NOCASE,
  PRIMARY KEY (ItemType)
);
