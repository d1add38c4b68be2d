"""The templates and styles of the catalog types' style catalogs.

The templates themselves live in data/templates/ and data/styles/;
data/templates/items.tsv says which file is which template item (item type,
catalog types, folder, name, the page types it is the default for) and
data/styles/styles.tsv which items make up each style. This module turns
those lists into the items of one catalog type's definition catalog:

  - the template folders (item type 2 below the templates root, item 5), each
    with its class-513 object that names the folder's default template;
  - one item per template, its source read from its file by the builder
    (`<Text ... file="../templates/...">`), with its version; masters name
    their style sheets and background, body templates that page their lists
    say so; backgrounds are pictures (class 5) marked as backgrounds;
  - the styles (item type 510 under item 510) with the items they load and
    the templates they make default;
  - which template folder each page type takes its body template from.

Item ids are fixed here, not counted from the lists: catalogs keep the ids of
the items they copied, and the style check compares versions by item id, so
an id must never move when a line is added to a list.
"""

import os
import struct
import xml.etree.ElementTree as ET

import catalog_types as ct

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.dirname(os.path.dirname(HERE))   # data/
DEFINITIONS = os.path.dirname(HERE)              # data/catalogtypes/, where the XML files are

VERSION = "1.0"

# The body template that serves page types without one of their own; it is
# also the catalog type's default body template (class 806 "BodyTemplate").
DEFAULT_BODY = "templates/shared/info.xsl"

# Template folders by their path in items.tsv ("/" between levels).
FOLDER_IDS = {
    "Master Templates": ct.MASTER_FOLDER,
    "Body Templates": ct.BODY_FOLDER,
    "Common Templates": ct.COMMON_FOLDER,
    "Common Templates/Languages": 600004,
    "Report Templates": ct.REPORT_FOLDER,
    "Style Sheets": ct.STYLE_SHEETS_FOLDER,
    "Style Images": 600007,
    "Body Templates/Information Page": 600011,
    "Body Templates/Contact Page": 600012,
    "Body Templates/Stories": 600013,
    "Body Templates/Product Line": 600014,
    "Body Templates/Product": 600015,
    "Body Templates/All Products": 600016,
    "Body Templates/Member Catalogs": 600017,
    "Body Templates/Member Catalog": 600018,
    "Body Templates/Hotel": 600019,
    "Body Templates/Rooms": 600020,
    "Body Templates/Room": 600021,
    "Body Templates/Partner Category": 600022,
}
# Folders every type has, whatever templates it ships.
ALWAYS_FOLDERS = ["Master Templates", "Body Templates", "Common Templates", "Report Templates", "Style Sheets"]

# Template items by their file below data/.
ITEM_IDS = {
    "styles/harbor/master.xsl": 600101,
    "styles/meadow/master.xsl": 600102,
    "styles/atelier/master.xsl": 600103,
    "styles/harbor/colors.css": 600111,
    "styles/harbor/fonts.css": 600112,
    "styles/meadow/colors.css": 600113,
    "styles/meadow/fonts.css": 600114,
    "styles/atelier/colors.css": 600115,
    "styles/atelier/fonts.css": 600116,
    "styles/harbor/background.png": 600121,
    "styles/meadow/background.png": 600122,
    "styles/atelier/background.png": 600123,
    "templates/shared/info.xsl": 600201,
    "templates/shared/contact.xsl": 600202,
    "templates/shared/storylist.xsl": 600203,
    "templates/1/productline.xsl": 600204,
    "templates/1/product.xsl": 600205,
    "templates/1/productlist.xsl": 600206,
    "templates/2/vendorlist.xsl": 600207,
    "templates/2/vendor.xsl": 600208,
    "templates/8/hotel.xsl": 600209,
    "templates/8/rooms.xsl": 600210,
    "templates/8/room.xsl": 600211,
    "templates/12/category.xsl": 600212,
    "templates/shared/common.xsl": 600301,
    "templates/shared/resources/EN.xml": 600302,
    "templates/shared/resources/DE.xml": 600303,
    "templates/shared/resources/FR.xml": 600304,
    "templates/shared/resources/ES.xml": 600305,
    "templates/reports/common.xsl": 600401,
    "templates/reports/productlist-pdf.xsl": 600402,
    "templates/reports/productlist-html.xsl": 600403,
    "templates/reports/productlist-form.xsl": 600404,
    "templates/reports/productlist-pdf-create.xsl": 600405,
    "templates/reports/productlist-html-create.xsl": 600406,
}

# Style items (children of item 510) by their name in styles.tsv.
STYLE_IDS = {"Harbor": 600901, "Meadow": 600902, "Atelier": 600903}

# Item types of template items and the class that holds their source.
MASTER, BODY, RESOURCE, COLOUR_SHEET, FONT_SHEET, COMMON, PICTURE = 501, 502, 503, 504, 505, 512, 301
REPORT, REPORT_COMMON, REPORT_FORM, REPORT_CREATION_FORM = 514, 518, 517, 519
SOURCE_CLASS = {MASTER: 503, BODY: 503, RESOURCE: 503, COMMON: 503, COLOUR_SHEET: 504, FONT_SHEET: 504,
                REPORT: 503, REPORT_COMMON: 503, REPORT_FORM: 503, REPORT_CREATION_FORM: 503}
# Report templates, their common templates and their forms: a new catalog
# copies them all (they belong to no style).
REPORT_TYPES = (REPORT, REPORT_COMMON, REPORT_FORM, REPORT_CREATION_FORM)

# Page-types words of items.tsv besides item-type numbers.
ALL_PAGES = "all"          # the master of every page type
HOME_ROOT = "HomeRoot"     # the home page's own body template
HOME_PAGE = 100001


class FileText:
    """A text value whose text is a file below data/; the definition names it
    relative to its own folder."""

    def __init__(self, relative):
        self.relative = relative

    def path(self):
        return os.path.join(DATA, self.relative)

    def attribute(self):
        return os.path.relpath(self.path(), DEFINITIONS).replace(os.sep, "/")


class ShippedItem:
    def __init__(self, line, fields):
        self.line = line
        self.file = fields[0]
        self.item_type = int(fields[1])
        self.catalog_types = {int(n) for n in fields[2].split(",") if n.strip()}
        self.folder = fields[3]
        self.name = fields[4]
        self.page_types = [p.strip() for p in fields[5].split(",") if p.strip()]
        self.item_id = ITEM_IDS.get(self.file)


class Style:
    def __init__(self, line, fields):
        self.line = line
        self.name = fields[0]
        self.master = fields[1]
        self.colours = split_list(fields[2])
        self.fonts = split_list(fields[3])
        self.backgrounds = split_list(fields[4])
        self.description = fields[5]
        self.item_id = STYLE_IDS.get(self.name)


class TemplateError(Exception):
    pass


def check(condition, message):
    if not condition:
        raise TemplateError(message)


def split_list(text):
    return [part.strip() for part in text.split(",") if part.strip()]


def read_list(relative, columns):
    """The lines of a tab-separated list below data/ that are no comments, with
    their line numbers."""
    rows = []
    with open(os.path.join(DATA, relative), encoding="utf-8") as f:
        for number, line in enumerate(f, start=1):
            line = line.rstrip("\r\n")
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            check(len(fields) == columns, f"{relative}, line {number}: {len(fields)} columns, not {columns}")
            rows.append((f"{relative}, line {number}", fields))
    return rows


def read_items():
    items = [ShippedItem(line, fields) for line, fields in read_list("templates/items.tsv", 6)]
    files = [item.file for item in items]
    for item in items:
        check(item.item_id is not None, f"{item.line}: {item.file} has no item id in templates.py")
        check(files.count(item.file) == 1, f"{item.line}: {item.file} is listed twice")
        check(item.folder in FOLDER_IDS or item.folder in ITEM_IDS,
              f"{item.line}: folder {item.folder} has no item id in templates.py")
        check(item.item_type in SOURCE_CLASS or item.item_type == PICTURE,
              f"{item.line}: item type {item.item_type} is no template item type")
        for word in item.page_types:
            check(word.isdigit() or word in (ALL_PAGES, HOME_ROOT), f"{item.line}: unknown page type {word}")
        check_file(item)
    for file in ITEM_IDS:
        check(file in files, f"templates.py names {file}, which items.tsv does not list")
    ids = list(ITEM_IDS.values()) + list(FOLDER_IDS.values()) + list(STYLE_IDS.values())
    check(len(ids) == len(set(ids)), "templates.py gives an item id twice")
    check(all(600000 < i < 700000 for i in ids), "template item ids lie between 600000 and 700000")
    return items


def check_file(item):
    path = os.path.join(DATA, item.file)
    check(os.path.isfile(path) and os.path.getsize(path) > 0, f"{item.line}: {item.file} is missing or empty")
    if item.item_type == PICTURE:
        png_size(path)
    elif item.file.endswith((".xsl", ".xml")):
        try:
            ET.parse(path)
        except ET.ParseError as error:
            raise TemplateError(f"{item.line}: {item.file} is no well-formed XML: {error}")


def png_size(path):
    """Width and height of a PNG file."""
    with open(path, "rb") as f:
        head = f.read(24)
    check(head[:8] == b"\x89PNG\r\n\x1a\n" and head[12:16] == b"IHDR", f"{path} is no PNG picture")
    return struct.unpack(">II", head[16:24])


def read_styles(items):
    by_file = {item.file: item for item in items}
    styles = [Style(line, fields) for line, fields in read_list("styles/styles.tsv", 6)]
    for style in styles:
        check(style.item_id is not None, f"{style.line}: style {style.name} has no item id in templates.py")
        check(style.description, f"{style.line}: style {style.name} has no description")
        for files, item_type in (([style.master], MASTER), (style.colours, COLOUR_SHEET),
                                 (style.fonts, FONT_SHEET), (style.backgrounds, PICTURE)):
            check(files or item_type == PICTURE, f"{style.line}: style {style.name} lacks an item of type {item_type}")
            for file in files:
                check(file in by_file and by_file[file].item_type == item_type,
                      f"{style.line}: {file} is no item of type {item_type} in items.tsv")
    check(len({s.name for s in styles}) == len(styles), "styles.tsv names a style twice")
    return styles


_LISTS = []


def shipped():
    """The items and styles of the two lists, read and checked once."""
    if not _LISTS:
        items = read_items()
        _LISTS.extend([items, read_styles(items)])
    return _LISTS

# ------------------------------------------------------------------ one catalog type

def is_shared(item):
    return item.file.startswith(("templates/shared/", "styles/"))


class TemplateSet:
    """The templates and styles of one catalog type: the items that
    items.tsv lists for the type (or for the type named by its
    templates_of, or the shared ones)."""

    def __init__(self, catalog_type):
        self.type = catalog_type
        items, styles = shipped()
        source = catalog_type.templates_of
        if source == ct.SHARED_TEMPLATES:
            self.items = [item for item in items if is_shared(item)]
        else:
            self.items = [item for item in items if source in item.catalog_types]
        self.by_file = {item.file: item for item in self.items}
        self.styles = [style for style in styles if style.master in self.by_file]
        label = f"catalog type {catalog_type.number}"
        check(self.styles, f"{label}: no style")
        check(DEFAULT_BODY in self.by_file, f"{label}: no default body template {DEFAULT_BODY}")
        check(any(item.item_type == COMMON for item in self.items), f"{label}: no common templates")
        masters = [item for item in self.items if item.item_type == MASTER and ALL_PAGES in item.page_types]
        check(len(masters) == 1, f"{label}: not exactly one master template is the default of all pages")
        self.default_master = masters[0]
        self.default_style = next(s for s in self.styles if s.master == self.default_master.file)
        named = [p for item in self.of_type(BODY) for p in item.page_types]
        check(len(named) == len(set(named)), f"{label}: a page type has two default body templates")

    # ---- ids

    def folder_paths(self):
        paths = set(ALWAYS_FOLDERS)
        for item in self.items:
            if item.folder in ITEM_IDS:
                continue  # below another template
            parts = item.folder.split("/")
            paths.update("/".join(parts[:n]) for n in range(1, len(parts) + 1))
        return sorted(paths, key=lambda p: FOLDER_IDS[p])

    def ids(self, files):
        return [self.by_file[f].item_id for f in files if f in self.by_file]

    def of_type(self, item_type):
        return [item for item in self.items if item.item_type == item_type]

    def body_folder(self, item_type):
        """The template folder whose default is the body template of a page type."""
        for item in self.of_type(BODY):
            if str(item_type) in item.page_types:
                return FOLDER_IDS[item.folder]
        return FOLDER_IDS[self.by_file[DEFAULT_BODY].folder]

    def page_types(self):
        """Item-type numbers that items name as the page types of their default."""
        return {int(p) for item in self.items for p in item.page_types if p.isdigit()}

    def home_body(self):
        """The home page's own body template, or None."""
        bodies = [item.item_id for item in self.of_type(BODY) if HOME_ROOT in item.page_types]
        check(len(bodies) <= 1, f"catalog type {self.type.number}: two home-page body templates")
        return bodies[0] if bodies else None

    def style_include(self, style):
        """What loading the style copies: its master, sheets and background,
        the common templates, the language resources and the body templates."""
        ids = self.ids([style.master] + style.colours + style.fonts + style.backgrounds)
        return ids + [item.item_id for item in self.of_type(COMMON) + self.of_type(RESOURCE) + self.of_type(BODY)]

    def style_defaults(self, style):
        """What loading the style makes default in its folder: its master and the body templates."""
        return self.ids([style.master]) + [item.item_id for item in self.of_type(BODY)]

    def include(self):
        """What a new catalog copies: every template folder and the default
        style's items (the catalog starts with that style loaded)."""
        ids = [FOLDER_IDS[p] for p in self.folder_paths()]
        reports = [item.item_id for item in self.items if item.item_type in REPORT_TYPES]
        return ids + self.style_include(self.default_style) + reports

    # ---- items

    def all_items(self):
        items = [self.folder(path) for path in self.folder_paths()]
        items += [self.template(n, item) for n, item in enumerate(self.items, start=1)]
        items.append(ct.folder(ct.STYLES_ROOT, 0, "Styles", ct.STYLES_ROOT))
        items += [self.style(n, style) for n, style in enumerate(self.styles, start=1)]
        return items

    def folder_default(self, path):
        """The default template of a folder: the item in it that is the default
        of some page type; 0 when none is."""
        defaults = [item.item_id for item in self.items if item.folder == path and item.page_types]
        check(len(defaults) <= 1, f"catalog type {self.type.number}: folder {path} has two default templates")
        return defaults[0] if defaults else 0

    def folder(self, path):
        parent = FOLDER_IDS["/".join(path.split("/")[:-1])] if "/" in path else 5
        name = path.split("/")[-1]
        return ct.Item(FOLDER_IDS[path], 2, parent, name, order=FOLDER_IDS[path] % 1000, dont_delete=True,
                       objects=[ct.names(name), (513, [("Number", 1, self.folder_default(path))])],
                       expanded_image="folder_open", collapsed_image="template_folder")

    def template(self, position, item):
        objects = [ct.names(item.name)]
        if item.item_type == PICTURE:
            width, height = png_size(os.path.join(DATA, item.file))
            objects.append((5, [("Number", 1, width), ("Number", 2, height),
                                ("Binary", 6, ("image/png", FileText(item.file).attribute())),
                                ("Number", 7, 1)]))
        else:
            objects.append((SOURCE_CLASS[item.item_type], [("Text", 1, FileText(item.file))]))
            objects.append((505, [("String", 1, VERSION)]))
        if item.item_type == MASTER:
            style = next((s for s in self.styles if s.master == item.file), None)
            check(style, f"{item.line}: master template {item.file} belongs to no style of styles.tsv")
            objects.append((501, [("Number", 1, self.first(style.colours)), ("Number", 2, self.first(style.fonts)),
                                  ("Number", 3, self.first(style.backgrounds))]))
        elif item.item_type == BODY:
            objects.append((502, self.paging(item)))
        parent = ITEM_IDS[item.folder] if item.folder in ITEM_IDS else FOLDER_IDS[item.folder]
        return ct.Item(item.item_id, item.item_type, parent, item.name, order=position * 100, objects=objects)

    def first(self, files):
        ids = self.ids(files)
        return ids[0] if ids else 0

    @staticmethod
    def paging(item):
        """A body template that shows its list a page at a time says so; the
        transformer then passes the items per page (9, the default)."""
        with open(os.path.join(DATA, item.file), encoding="utf-8") as f:
            paged = 'call-template name="pager"' in f.read()
        return [("Number", 2, 1)] if paged else []

    def style(self, position, style):
        include = self.style_include(style)
        defaults = self.style_defaults(style)
        values = [("String", 1, str(i), "XXX", n) for n, i in enumerate(include)]
        values += [("String", 2, str(i), "XXX", n) for n, i in enumerate(defaults)]
        values += [("Number", 3, self.first([style.master])), ("Number", 4, self.first(style.colours)),
                   ("Number", 5, self.first(style.fonts)), ("Number", 6, self.first(style.backgrounds))]
        for member, files in ((7, style.colours), (8, style.fonts), (9, style.backgrounds)):
            values += [("String", member, str(i), "XXX", n) for n, i in enumerate(self.ids(files))]
        return ct.Item(style.item_id, ct.IT_STYLE, ct.STYLES_ROOT, style.name, order=position * 100,
                       objects=[ct.names(style.name), (510, values), (16, [("Text", 1, style.description)])])
