#!/usr/bin/env python3
"""Loads the SQL sources of the reference and code databases into
in-memory SQLite databases, the way the build does, and checks the rules
that the program's queries rely on.

  python3 data/references/check_sql.py

Prints one line per problem and exits with 1 when there is any.
"""

import glob
import os
import sqlite3
import sys

DATA = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
problems = []


def check(condition, message):
    if not condition:
        problems.append(message)


def load(paths):
    db = sqlite3.connect(":memory:")
    for path in paths:
        with open(path, encoding="utf-8") as f:
            db.executescript(f.read())
    return db


def rows(db, sql, params=()):
    return db.execute(sql, params).fetchall()


def check_references():
    db = load(sorted(glob.glob(os.path.join(DATA, "references", "*.sql"))))
    check(rows(db, "SELECT COUNT(*) FROM Languages WHERE LanguageCode = 'XXX'")
          == [(1,)], "Languages: no placeholder XXX")
    check(rows(db, "SELECT COUNT(*) FROM Languages WHERE WebCharset <> 'utf-8'"
               " OR LanguageCode <> UPPER(LanguageCode) COLLATE BINARY"
               " OR LanguageCode3 <> UPPER(LanguageCode3) COLLATE BINARY")
          == [(0,)], "Languages: web charset not utf-8 or code not upper case")
    for table, column in (("CountryCurrency", "CountryCode"),
                          ("RegionCountry", "CountryCode")):
        check(rows(db, "SELECT COUNT(*) FROM %s WHERE %s NOT IN"
                       " (SELECT CountryCode FROM Countries)" % (table, column))
              == [(0,)], "%s: unknown country" % table)
    check(rows(db, "SELECT COUNT(*) FROM CountryCurrency WHERE CurrencyCode"
                   " NOT IN (SELECT CurrencyCode FROM Currencies)") == [(0,)],
          "CountryCurrency: unknown currency")
    check(rows(db, "SELECT COUNT(*) FROM AllReferences WHERE RefType = 15 AND"
                   " (LangCode <> 'XXX' OR RefValue NOT IN"
                   " (SELECT CurrencyCode FROM Currencies))") == [(0,)],
          "AllReferences 15: not language XXX or unknown currency")
    check(rows(db, "SELECT COUNT(*) FROM AllReferences WHERE RefType = 12"
                   " AND LangCode = 'EN'") == [(12,)],
          "AllReferences 12: no twelve English month names")
    types = {t for (t,) in rows(db, "SELECT DISTINCT RefType FROM AllReferences")}
    check(types == set(range(1, 16)), "AllReferences: lists %s" % sorted(types))
    check(rows(db, "SELECT COUNT(*) FROM AllReferences WHERE"
                   " LangCode <> UPPER(LangCode) COLLATE BINARY"
                   " OR LENGTH(RefCode) > 32") == [(0,)],
          "AllReferences: lower-case language or code over 32 characters")
    units = dict(rows(db, "SELECT Id, UnitType FROM Units"))
    for unit, kind in (("cm", 1), ("m", 1), ("in", 1), ("ft", 1),
                       ("kg", 2), ("lbs", 2), ("g", 2), ("oz", 2)):
        check(units.get(unit) == kind, "Units: %s missing or wrong type" % unit)


def check_code_tree(name, table, parts, empty):
    db = load([os.path.join(DATA, "codes", name + ".sql")])
    columns = ", ".join(parts)
    for row in rows(db, "SELECT %s FROM %s" % (columns, table)):
        filled = [p for p in row if p != empty]
        check(all(len(p) == 2 and p.isdigit() for p in filled),
              "%s: code part not two digits in %s" % (name, row))
        check(list(row[:len(filled)]) == filled,
              "%s: a level set below an empty one in %s" % (name, row))
        if len(filled) > 1:
            parent = filled[:-1] + [empty] * (len(parts) - len(filled) + 1)
            where = " AND ".join("%s = ?" % p for p in parts)
            check(rows(db, "SELECT COUNT(*) FROM %s WHERE %s"
                           % (table, where), parent) == [(1,)],
                  "%s: no parent for %s" % (name, row))


def check_category_tree(name, table, leaf_column):
    db = load([os.path.join(DATA, "codes", name + ".sql")])
    by_id = {r[0]: r for r in rows(
        db, "SELECT CategoryId, CategoryParentId, CategoryLevel FROM %s" % table)}
    for cid, parent, level in by_id.values():
        check(cid >= 1, "%s: id below 1" % name)
        if level == 1:
            check(parent == cid, "%s: top category %d not its own parent"
                  % (name, cid))
        else:
            check(parent in by_id and by_id[parent][2] == level - 1,
                  "%s: parent of %d not one level up" % (name, cid))
    if leaf_column:
        for cid, leaf, children in rows(
                db, "SELECT a.CategoryId, a.%s, (SELECT COUNT(*) FROM %s b"
                    " WHERE b.CategoryParentId = a.CategoryId AND"
                    " b.CategoryId <> a.CategoryId) FROM %s a"
                    % (leaf_column, table, table)):
            check((leaf == 1) == (children == 0),
                  "%s: leaf flag of %d does not match its children"
                  % (name, cid))
    return by_id


def main():
    check_references()
    check_code_tree("unspsc", "unspsc",
                    ["Segment", "Family", "Class", "Commodity"], "00")
    check_code_tree("harmonized", "Harmonized",
                    ["Segment", "Family", "Class"], "")
    check_category_tree("ebay", "EBayCategory", None)
    zarivuro = check_category_tree("zarivuro", "ZUDICategories",
                                   "LeafCategory")
    top = [cid for cid, (_, _, level) in zarivuro.items() if level == 1]
    check(top == [1], "zarivuro: the only top category must be id 1")
    check(max(zarivuro) < 10000, "zarivuro: ids must stay below 10000")
    for problem in problems:
        print(problem)
    print("%d problem(s)" % len(problems))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
