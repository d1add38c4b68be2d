#!/usr/bin/env python3
"""Writes the catalog-description tables as record-set XML files.

Reads catalog_description.py (next to this script) and writes, one folder up:

  SCHEMA.sql                 CREATE TABLE statements of the tables below
  GlobalClasses.xml          classes
  GlobalClassMembers.xml     members of the classes
  GlobalClassMemberList.xml  value lists of list members
  GlobalClassMessages.xml    captions (type 1) and hints (type 2) of members
  GlobalItemIds.xml          symbolic names of well-known item ids
  GlobalItemTypes.xml        item types with their symbolic names

and tests/storage/fixtures/named-classes.txt (every class and member, for the
test that walks them against the classes list).

Each XML file is what the program's own export of the table writes: a
"StoredRecordset" document (ISO-8859-1, other characters as character
references) with one "delete" action for the whole table followed by one
"insert" action per row, rows in key order, a line break after each action.
Importing a file therefore replaces the table.

Run it after changing catalog_description.py and commit its output:

  python3 data/catalogsxml/source/make_catalogsxml.py

It refuses to write anything when the description breaks one of its rules
(see check_description), and afterwards loads the written files into an
in-memory SQLite database created from SCHEMA.sql to prove they import.
"""

import os
import re
import sqlite3
import sys
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))
OUT_DIR = os.path.dirname(HERE)
REPO = os.path.dirname(os.path.dirname(OUT_DIR))
FIXTURE = os.path.join(REPO, "tests", "storage", "fixtures", "named-classes.txt")

sys.path.insert(0, HERE)
import catalog_description as cd  # noqa: E402

# ------------------------------------------------------------ tables
# (column, SQL type, is key); columns in the order the files write them.
TABLES = {
    "GlobalClasses": [
        ("ClassId", "INTEGER", True),
        ("ClassXmlTag", "TEXT", False),
    ],
    "GlobalClassMembers": [
        ("ClassId", "INTEGER", True),
        ("MemberId", "INTEGER", True),
        ("MemberType", "INTEGER", False),
        ("Additional", "INTEGER", False),
        ("MemberXmlTag", "TEXT", False),
        ("Description", "TEXT", False),
        ("InitValue", "TEXT", False),
        ("AdditionalText", "TEXT", False),
        ("SqlText", "TEXT", False),
        ("IsRequired", "INTEGER", False),
        ("IsList", "INTEGER", False),
        ("IsOnlyList", "INTEGER", False),
        ("IsMultiple", "INTEGER", False),
        ("IsUniqueInArray", "INTEGER", False),
        ("IsMultiLang", "INTEGER", False),
        ("UseDefLangForNull", "INTEGER", False),
        ("OrderNum", "INTEGER", False),
    ],
    "GlobalClassMemberList": [
        ("ClassId", "INTEGER", True),
        ("MemberId", "INTEGER", True),
        ("LangCode", "TEXT", True),
        ("DataCode", "TEXT", True),
        ("DataValue", "TEXT", False),
        ("AltDataValue", "TEXT", False),
        ("AddDataValue", "TEXT", False),
        ("OrderNum", "INTEGER", False),
    ],
    "GlobalClassMessages": [
        ("ClassId", "INTEGER", True),
        ("MemberId", "INTEGER", True),
        ("LangCode", "TEXT", True),
        ("MessageType", "INTEGER", True),
        ("MessageValue", "TEXT", False),
    ],
    "GlobalItemIds": [
        ("ItemId", "INTEGER", True),
        ("XmlTagName", "TEXT", False),
    ],
    "GlobalItemTypes": [
        ("ItemType", "INTEGER", True),
        ("XmlTagName", "TEXT", False),
        ("Description", "TEXT", False),
    ],
}

FLAG_COLUMNS = [  # flag letter -> column
    ("r", "IsRequired"), ("L", "IsList"), ("o", "IsOnlyList"), ("m", "IsMultiple"),
    ("u", "IsUniqueInArray"), ("l", "IsMultiLang"), ("d", "UseDefLangForNull"),
]

CAPTION, HINT = 1, 2

TYPE_RANGES = [(1, 49), (50, 99), (100, 149), (150, 199), (200, 249), (250, 299)]

# Members whose tag says they hold the item id of an image item; they must
# have member type 106, which the clean-up of unreferenced images reads.
IMAGE_TAG = re.compile(r"(Image|ImageCode|ImageId|ItemId|Photo|Photos|Logo|Logotype|Icon|Images|Map)$")
NOT_IMAGE = {  # tags matching the pattern that hold no image item id
    (4010, "OptionItemId"), (1004, "OptionItemId"), (510, "MasterTemplateItemId"),
    (510, "ColorCssItemId"), (510, "FontCssItemId"), (513, "TemplateItemId"),
    (516, "PreviewItemId"), (102, "PageItemId"), (608, "ItemId"),
    (807, "ImageCode"), (809, "ImageCode"), (807, "ParentItemId"), (808, "ParentItemId"),
    (5, "IsBackgroundImage"),
}

XML_NAME = re.compile(r"^[A-Za-z_][A-Za-z0-9_.-]*$")


# ------------------------------------------------------------ rows
def class_rows():
    return [{"ClassId": c.class_id, "ClassXmlTag": c.tag} for c in cd.CLASSES]


def member_rows():
    rows = []
    for c in cd.CLASSES:
        for order, m in enumerate(c.members, start=1):
            row = {
                "ClassId": c.class_id, "MemberId": m.member_id, "MemberType": m.member_type,
                "Additional": 0, "MemberXmlTag": m.tag, "Description": m.description,
                "InitValue": m.init, "AdditionalText": m.additional_text, "SqlText": m.sql,
                "OrderNum": order,
            }
            for letter, column in FLAG_COLUMNS:
                row[column] = 1 if letter in m.flags else 0
            rows.append(row)
    return rows


def list_rows():
    rows = []
    for c in cd.CLASSES:
        for m in c.members:
            for order, (code, text) in enumerate(m.values, start=1):
                rows.append({
                    "ClassId": c.class_id, "MemberId": m.member_id, "LangCode": m.values_lang,
                    "DataCode": code, "DataValue": text, "AltDataValue": "", "AddDataValue": "",
                    "OrderNum": order,
                })
    return rows


def message_rows():
    rows = []
    for c in cd.CLASSES:
        for m in c.members:
            caption, hint = cd.MESSAGES.get((c.tag, m.tag), ("", ""))
            for kind, text in ((CAPTION, caption), (HINT, hint)):
                if text:
                    rows.append({"ClassId": c.class_id, "MemberId": m.member_id, "LangCode": "EN",
                                 "MessageType": kind, "MessageValue": text})
    return rows


def item_id_rows():
    return [{"ItemId": i, "XmlTagName": tag} for i, tag in cd.ITEM_IDS]


def item_type_rows():
    return [{"ItemType": t, "XmlTagName": tag, "Description": text} for t, tag, text in cd.ITEM_TYPES]


def all_tables():
    return {
        "GlobalClasses": class_rows(),
        "GlobalClassMembers": member_rows(),
        "GlobalClassMemberList": list_rows(),
        "GlobalClassMessages": message_rows(),
        "GlobalItemIds": item_id_rows(),
        "GlobalItemTypes": item_type_rows(),
    }


def sort_key(table):
    """Key order as the database gives it: numbers numerically, texts without case."""
    keys = [name for name, _, is_key in TABLES[table] if is_key]

    def key(row):
        return tuple(row[k].lower() if isinstance(row[k], str) else row[k] for k in keys)
    return key


# ------------------------------------------------------------ checks
def check_description():
    errors = []

    def fail(text):
        errors.append(text)

    class_ids, class_tags = set(), set()
    for c in cd.CLASSES:
        if c.class_id in class_ids:
            fail(f"class id {c.class_id} twice")
        if c.tag.lower() in class_tags:
            fail(f"class tag {c.tag} twice (tags are looked up without case)")
        class_ids.add(c.class_id)
        class_tags.add(c.tag.lower())
        if not XML_NAME.match(c.tag):
            fail(f"class tag {c.tag!r} is no XML name")
        member_ids, member_tags = set(), set()
        for m in c.members:
            where = f"{c.tag}.{m.tag}"
            if m.member_id in member_ids:
                fail(f"{where}: member id {m.member_id} twice in class {c.class_id}")
            if m.tag in member_tags:
                fail(f"{where}: member tag twice in class {c.class_id}")
            member_ids.add(m.member_id)
            member_tags.add(m.tag)
            if m.member_id <= 0:
                fail(f"{where}: member id must be positive")
            if not XML_NAME.match(m.tag):
                fail(f"{where}: member tag is no XML name")
            if not any(lo <= m.member_type <= hi for lo, hi in TYPE_RANGES):
                fail(f"{where}: member type {m.member_type} outside the value-table ranges")
            unknown = set(m.flags) - {letter for letter, _ in FLAG_COLUMNS}
            if unknown:
                fail(f"{where}: unknown flags {sorted(unknown)}")
            if "u" in m.flags and "m" not in m.flags:
                fail(f"{where}: IsUniqueInArray needs IsMultiple")
            if "d" in m.flags and "l" not in m.flags:
                fail(f"{where}: UseDefLangForNull needs IsMultiLang")
            if ("L" in m.flags) != bool(m.values):
                fail(f"{where}: a list member needs list values and only a list member has them")
            if m.values:
                lang_ok = m.values_lang != "XXX" if "l" in m.flags else m.values_lang == "XXX"
                if not lang_ok:
                    fail(f"{where}: list values of a {'language-dependent' if 'l' in m.flags else 'language-independent'}"
                         f" member stored under {m.values_lang}")
                codes = [code.lower() for code, _ in m.values]
                if len(codes) != len(set(codes)):
                    fail(f"{where}: list code twice")
                if m.member_type >= 100 and not all(re.fullmatch(r"-?\d+", c) for c in codes):
                    fail(f"{where}: codes of a number member must be decimal numbers")
            if m.member_type == cd.ITEM_OF and not m.additional_text:
                fail(f"{where}: member type 107 needs the class tag in AdditionalText")
            if m.additional_text and m.additional_text.lower() not in {x.tag.lower() for x in cd.CLASSES}:
                fail(f"{where}: AdditionalText {m.additional_text} names no class")
            image_like = IMAGE_TAG.search(m.tag) and (c.class_id, m.tag) not in NOT_IMAGE
            if image_like and m.member_type != cd.IMAGE:
                fail(f"{where}: holds an image item id and must have member type 106")
            if m.member_type == cd.IMAGE and not image_like:
                fail(f"{where}: member type 106 on a member that is not an image reference")

    members = {(c.tag, m.tag) for c in cd.CLASSES for m in c.members}
    for where in cd.MESSAGES:
        if where not in members:
            fail(f"message of {where[0]}.{where[1]}, which is no member")

    for name, rows, key in (("item id", cd.ITEM_IDS, 0), ("item type", cd.ITEM_TYPES, 0)):
        numbers = [r[key] for r in rows]
        tags = [r[1].lower() for r in rows]
        if len(numbers) != len(set(numbers)):
            fail(f"{name} listed twice")
        if len(tags) != len(set(tags)):
            fail(f"{name} XML tag twice (looked up without case)")
        for r in rows:
            if not XML_NAME.match(r[1]):
                fail(f"{name} tag {r[1]!r} is no XML name")
    return errors


# ------------------------------------------------------------ writing
def xml_text(text):
    """Escapes for element text and attribute values; non-ASCII as character references."""
    out = []
    for ch in text:
        code = ord(ch)
        if ch == "&":
            out.append("&amp;")
        elif ch == "<":
            out.append("&lt;")
        elif ch == ">":
            out.append("&gt;")
        elif ch == '"':
            out.append("&quot;")
        elif code < 32 and ch not in "\t\n\r":
            out.append(" ")  # the format turns other control characters into spaces
        elif code > 126:
            out.append(f"&#{code};")
        else:
            out.append(ch)
    return "".join(out)


def field_xml(name, value, is_key):
    pk = ' PK="1"' if is_key else ""
    if value is None or value == "":
        return f'<{name}{pk} IsNull="1"/>'
    return f"<{name}{pk}>{xml_text(str(value))}</{name}>"


def table_xml(table, rows):
    columns = TABLES[table]
    lines = ['<?xml version="1.0" encoding="iso-8859-1"?>\r\n',
             f'<StoredRecordset><Action Table="{table}" Method="delete"/>\r\n']
    for row in sorted(rows, key=sort_key(table)):
        fields = "".join(field_xml(name, row[name], is_key) for name, _, is_key in columns)
        lines.append(f'<Action Table="{table}" Method="insert">{fields}</Action>\r\n')
    lines.append("</StoredRecordset>\r\n")
    return "".join(lines).encode("ascii")


def schema_sql():
    parts = [
        "-- Tables of the catalog-description database (setting 9, default \"catalogs\").\n",
        "-- Create them, then apply the record-set XML files of this folder (each one\n",
        "-- empties its table and inserts the rows). GlobalTables, the table list with\n",
        "-- the catalog tables' creation statements, belongs to the same database but\n",
        "-- is written by the code that owns those statements, not from this folder.\n",
        "-- Text is compared and sorted without case, as the program expects.\n",
        "-- Written by source/make_catalogsxml.py.\n",
    ]
    for table, columns in TABLES.items():
        lines = []
        for name, sql_type, is_key in columns:
            collate = " COLLATE NOCASE" if sql_type == "TEXT" else ""
            not_null = " NOT NULL" if is_key else ""
            lines.append(f"  {name} {sql_type}{collate}{not_null}")
        keys = ", ".join(name for name, _, is_key in columns if is_key)
        lines.append(f"  PRIMARY KEY ({keys})")
        parts.append(f"\nCREATE TABLE {table} (\n" + ",\n".join(lines) + "\n);\n")
    return "".join(parts)


def fixture_text():
    lines = [
        "# Every class and member of the catalog description that the program names,",
        "# one per line, fields separated by a tab:",
        "#   class   <ClassId>  <ClassXmlTag>",
        "#   member  <ClassId>  <MemberId>  <MemberXmlTag>",
        "# Written by data/catalogsxml/source/make_catalogsxml.py from the same source",
        "# as the shipped data/catalogsxml files.",
    ]
    for c in sorted(cd.CLASSES, key=lambda x: x.class_id):
        lines.append(f"class\t{c.class_id}\t{c.tag}")
        for m in sorted(c.members, key=lambda x: x.member_id):
            lines.append(f"member\t{c.class_id}\t{m.member_id}\t{m.tag}")
    return "\n".join(lines) + "\n"


def write_file(path, data):
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


# ------------------------------------------------------------ import proof
def import_into_sqlite():
    """Creates the tables from SCHEMA.sql and applies every file like the program's import."""
    db = sqlite3.connect(":memory:")
    with open(os.path.join(OUT_DIR, "SCHEMA.sql"), encoding="ascii") as f:
        db.executescript(f.read())
    for table in TABLES:
        root = ET.parse(os.path.join(OUT_DIR, table + ".xml")).getroot()
        assert root.tag == "StoredRecordset"
        for action in root:
            assert action.tag == "Action" and action.get("Table") == table
            if action.get("Method") == "delete":
                assert len(action) == 0
                db.execute(f"DELETE FROM {table}")
                continue
            assert action.get("Method") == "insert"
            names = [f.tag for f in action]
            values = ["" if f.get("IsNull") == "1" else (f.text or "") for f in action]
            marks = ",".join("?" for _ in names)
            db.execute(f"INSERT INTO {table} ({','.join(names)}) VALUES ({marks})", values)
    return db


def prove_import(db, tables):
    for table, rows in tables.items():
        count = db.execute(f"SELECT COUNT(*) FROM {table}").fetchone()[0]
        assert count == len(rows), (table, count, len(rows))
    orphans = db.execute(
        "SELECT COUNT(*) FROM GlobalClassMembers WHERE ClassId NOT IN (SELECT ClassId FROM GlobalClasses)"
    ).fetchone()[0]
    assert orphans == 0, "members without class"
    orphans = db.execute(
        "SELECT COUNT(*) FROM GlobalClassMemberList l WHERE NOT EXISTS (SELECT 1 FROM GlobalClassMembers m"
        " WHERE m.ClassId = l.ClassId AND m.MemberId = l.MemberId AND m.IsList = 1)"
    ).fetchone()[0]
    assert orphans == 0, "list values of members that are no list members"
    # the classes list's member statement of the program
    loaded = db.execute(
        "SELECT a.* FROM GlobalClassMembers a WHERE a.ClassId IN (SELECT b.ClassId FROM GlobalClasses b)"
        " ORDER BY a.ClassId, a.OrderNum").fetchall()
    assert len(loaded) == len(tables["GlobalClassMembers"])


def main():
    errors = check_description()
    if errors:
        for e in errors:
            print("error:", e, file=sys.stderr)
        return 1
    tables = all_tables()
    write_file(os.path.join(OUT_DIR, "SCHEMA.sql"), schema_sql().encode("ascii"))
    for table, rows in tables.items():
        write_file(os.path.join(OUT_DIR, table + ".xml"), table_xml(table, rows))
    os.makedirs(os.path.dirname(FIXTURE), exist_ok=True)
    write_file(FIXTURE, fixture_text().encode("ascii"))
    prove_import(import_into_sqlite(), tables)
    print(f"{len(tables['GlobalClasses'])} classes, {len(tables['GlobalClassMembers'])} members, "
          f"{len(tables['GlobalClassMemberList'])} list values, {len(tables['GlobalClassMessages'])} messages, "
          f"{len(tables['GlobalItemIds'])} item ids, {len(tables['GlobalItemTypes'])} item types")
    return 0


if __name__ == "__main__":
    sys.exit(main())
