#!/usr/bin/env python3
"""Writes the catalog-type definitions as XML files.

Reads catalog_types.py (next to this script) and, through templates.py, the
lists of the shipped templates and styles (data/templates/items.tsv,
data/styles/styles.tsv); checks them against the catalog description
(data/catalogsxml/source/catalog_description.py) and the tree images
(data/catalogtypes/icons/, drawn by make_icons.py), and writes, one folder
up:

  catalog_<N>.xml     one definition catalog "t#N" per catalog type
  USED-MEMBERS.txt    every class member the files use, and the item types
                      and names they rely on that the description lacks

The program's data build turns each XML file into the definition database
"catalog_<N>" (catalog/CatalogTypeData.h); README.md one folder up describes
the file format. Run it after changing catalog_types.py and commit its
output:

  python3 data/catalogtypes/source/make_catalogtypes.py

It refuses to write anything when a check fails.
"""

import os
import sys
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))
OUT_DIR = os.path.dirname(HERE)
REPO = os.path.dirname(os.path.dirname(OUT_DIR))
ICON_DIR = os.path.join(OUT_DIR, "icons")

sys.dont_write_bytecode = True  # no __pycache__ beside the sources
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(REPO, "data", "catalogsxml", "source"))
import catalog_description as cd  # noqa: E402
import catalog_types as ct  # noqa: E402
import templates as tpl  # noqa: E402

# ------------------------------------------------------------ plug-in names
# The names the program's built-in registry creates: its fixed table (exact
# names, and names that contain or begin with a text), the registered item
# editors and item managers, and the registered frames ("*": any name that
# begins with the text before it).
EXACT_NAMES = set("""
CommonOptions AdditionalFieldsMngr CommonCompany ContactEditor AddressEditor BasicCompanyEditor
CommonWebPage CommonWebPageMetaTags CommonPageProperties SimplePageProperties CommonWebPreview HtmlEditor
HtmlPageEditor CommonPriceSchedules CommonAllStories CommonCodes CommonUNSPSCCompany CommonEBayCompany
CommonZarivuroCompany CommonHarmonizedCompany CommonUNSPSCOther CommonEBayOther CommonZarivuroOther
CommonHarmonizedOther CommonInit CommonAllStoriesChanger CommonImage CommonBinaryObject CommonInsertTable
TolvexAboutViewer CommonPriceScheduleDetail CommonSelectPage CommonPageLinks CommonItemOptions
CommonJSPSourcesEditor CommonHtmlSourcesEditor CommonCSSSourcesEditor CommonJavaScriptSourcesEditor
CommonMasterTemplateEditor CommonTemplatePropertiesEditor CommonEnterHyperlink CommonSelectPageOrHyperlink
OptionChooser SelectItemOption CommonReportsTemplateEditor CommonReportsNewEditor
CommonReportsCustomizationEditor PreviewTemplate TemplateHTMLEditor CommonJavaScriptPropertiesEditor
CoCManagement ApprovedWholesaleBuyersList ItemProperties ImageEdit PreDefinedStyleEditor Service eBayOptions
eBayEditor LinkToCatalog ImagesEditor ServiceGroupEditor ServiceFieldEditor StyleKeyValueEditor
StyleItemTypeEditor StyleInitializeEditor ImagesManager BinaryObjectsManager ProductBasicEditor
ProductImagesEditor ProductAllImagesEditor ProductMainProductImagesEditor ListAllProducts ProductEditor
ProductPriceEdit ProductInfo eBayPrices ProductSearchLimits ZarivuroSupplierInfo
ZarivuroSupplierExportInfoEdit ZarivuroSupplierCertificateEdit ZarivuroSupplierReferenceEdit
ProductMultiColor AllRoomsEditor HotelEditor RoomEditor AllRoomsChanger ZOZHotelEditor ZOZRoomEditor
HotelOptions ZOZEditSeason ZOZEditPrice HotelFacilities HotelSeasons RestaurantProperties AllVendorList
AllVendorsChanger VendorInfo VendorInfoContainer
StyleActionEditor WizardProductAddEditor
EditItemTypeEditor EditUserInterface ErrorMessageEditor EditCodes ShoppingCarts ServicePackages PackageEdit
ServiceInit CatalogTypeEditor FroogleOptionsEditor AllCompanyInfoEditor SearchResult ProductSimplifiedEditor
""".split())
CONTAINS_NAMES = ["CommonHtmlEditor", "CommonImageEditor", "IncludedToCatalogs", "CommonTreeList", "WebForm",
                  "ListDataEditor"]
PREFIX_NAMES = ["CommonXmlSourcesEditor", "LinkedImage", "EditorContainer", "ObjectEditor", "CustomTemplateEditor"]
MANAGER_NAMES = set("""
CommonItemManager CommonInfoPageItemManager TemplateItemManager CommonInitItemManagerUnit
CommonPriceSchedulesItemManager CommonStoryItemManager CommonAllStoriesItemManager CommonOptionsItemManager
CommonInsertTableItemManager TolvexAboutItemManager HomeItemManager CompanyItemManager ProductLineItemManager
ProductItemManager ProductListItemManager AllRoomsItemManager RoomItemManager HotelItemManager
RoomsRatesItemManager RestaurantItemManager VendorListItemManager VendorItemManager
""".split())

KIND_RANGES = {"String": (1, 49), "Text": (50, 99), "Number": (100, 199), "Date": (200, 249), "Binary": (250, 299)}


class CheckError(Exception):
    pass


def check(condition, message):
    if not condition:
        raise CheckError(message)


def is_editor_name(name):
    return (name in EXACT_NAMES or any(part in name for part in CONTAINS_NAMES)
            or any(name.startswith(prefix) for prefix in PREFIX_NAMES))


def is_manager_name(name):
    return name in MANAGER_NAMES or "ParamsManager" in name


# ------------------------------------------------------------ the description
MEMBERS = {}       # (class id, member id) -> (member type, class tag, member tag, description)
CLASS_TAGS = {}
for klass in cd.CLASSES:
    CLASS_TAGS[klass.class_id] = klass.tag
    for member in klass.members:
        MEMBERS[(klass.class_id, member.member_id)] = (member.member_type, klass.tag, member.tag,
                                                       member.description)
ITEM_TYPE_TAGS = {number: tag for (number, tag, _) in cd.ITEM_TYPES}
ICONS = sorted(f[:-4] for f in os.listdir(ICON_DIR) if f.endswith(".bmp"))


def kind_of(member_type):
    for kind, (low, high) in KIND_RANGES.items():
        if low <= member_type <= high:
            return kind
    raise CheckError(f"member type {member_type} has no value table")


# ------------------------------------------------------------ definition items


class Builder:
    """Turns one catalog type of catalog_types.py into the items of its
    definition catalog."""

    def __init__(self, catalog_type):
        self.type = catalog_type
        self.templates = tpl.TemplateSet(catalog_type)
        self.items = []
        self.used = {}  # (class, member) -> kind

    def add(self, item):
        self.items.append(item)

    def build(self):
        t = self.type
        self.add(ct.folder(ct.ACTIONS_ROOT, 0, "Actions", 29))
        self.add(ct.folder(ct.KEY_VALUES_ROOT, 0, "Key Values", 30))
        self.add(ct.folder(ct.ITEM_TYPES_ROOT, 0, "Item Types", 31))
        self.add(ct.folder(ct.TREE_IMAGES_ROOT, 0, "Tree Images", 640000))
        self.add(self.header())
        self.add(self.init_lists())
        for action_id, text in sorted(t.actions.items()):
            self.add(self.action(action_id, text))
        for n, (filter_name, key, value) in enumerate(t.filters, start=1):
            self.add(ct.Item(300000 + n, 804, 30, f"{filter_name}_{key}", order=n * 100,
                             objects=[ct.names(f"{filter_name}_{key}"),
                                      (804, [("String", 1, filter_name), ("String", 2, key), ("String", 3, value)])]))
        for n, item_type in enumerate(t.item_types, start=1):
            self.add(self.item_type(310000 + n, n, item_type))
        for n, icon in enumerate(ICONS, start=1):
            self.add(ct.Item(640000 + n, 301, 640000, icon, order=n * 100,
                             objects=[ct.names(icon),
                                      (5, [("Number", 1, 16), ("Number", 2, 16),
                                           ("Binary", 6, ("image/bmp", f"icons/{icon}.bmp"))])]))
        self.items += t.items + self.templates.all_items()
        self.set_home_body()
        return self.items

    def set_home_body(self):
        """The home page that has a body template of its own names it."""
        body = self.templates.home_body()
        if body is None:
            return
        home = [item for item in self.type.items if item.item_id == tpl.HOME_PAGE]
        check(home, f"catalog type {self.type.number}: a home-page body template but no home page")
        page = [values for (class_id, values) in home[0].objects if class_id == 2]
        check(page, f"catalog type {self.type.number}: the home page has no web-page object")
        page[0].append(("Number", 2, body))

    def header(self):
        t = self.type
        values = [("Number", 1, t.order), ("String", 2, t.name), ("String", 3, t.description),
                  ("Number", 4, 1 if t.listed else 0), ("Number", 5, t.start_action),
                  ("Text", 6, tpl.FileText(tpl.DEFAULT_BODY)), ("String", 8, t.version), ("Number", 9, t.number)]
        return ct.Item(ct.HEADER_ITEM, ct.IT_HEADER, 8, t.name, order=806, dont_delete=True,
                       objects=[ct.names(t.name), (806, values)])

    def init_lists(self):
        t = self.type
        values = []
        include = t.include + self.templates.include()
        for member, ids in ((1, include), (2, t.init_pages), (3, t.update), (4, t.delete)):
            values += [("String", member, str(item_id), "XXX", n) for n, item_id in enumerate(ids)]
        return ct.Item(ct.INIT_ITEM, ct.IT_INIT_LISTS, 8, "Initialisation Lists", order=521, dont_delete=True,
                       objects=[ct.names("Initialisation Lists"), (521, values)])

    def action(self, action_id, text):
        verb = text.split("&")[0].split("=", 1)[1]
        name = f"{verb} ({action_id})"
        return ct.Item(290000 + action_id, 801, 29, name, order=action_id,
                       objects=[ct.names(name), (801, [("Number", 1, action_id), ("String", 2, text)])])

    def item_type(self, item_id, position, d):
        objects = [ct.names(d.description),
                   (810, [("Number", 1, d.item_type), ("String", 2, d.description)]),
                   (807, [("String", 2, d.manager), ("String", 3, d.default_tab), ("String", 4, d.first_tab),
                          ("String", 5, d.edit_tab), ("Number", 6, d.parent), ("String", 7, d.image),
                          ("Number", 8, d.flags), ("String", 9, d.params)])]
        if d.sort:
            objects.append((803, [("Number", 5, d.sort)]))
        orders = {}
        for e in d.editors:
            orders[e.kind] = orders.get(e.kind, 0) + 10
            objects.append((802, [("String", 2, e.name), ("Number", 3, e.kind), ("String", 4, e.params),
                                  ("String", 5, e.condition), ("Number", 6, orders[e.kind])]))
        for child in d.children:
            objects.append((805, [("Number", 2, child)]))
        for kind, folder_id in sorted(d.templates.items()):
            if folder_id == ct.PAGE_BODY:
                folder_id = self.templates.body_folder(d.item_type)
            objects.append((808, [("Number", 2, kind), ("Number", 3, folder_id)]))
        for n, e in enumerate(d.ui, start=1):
            objects.append((809, [("Number", 1, e.kind), ("Number", 3, e.action), ("String", 4, e.caption),
                                  ("String", 5, e.hint), ("String", 6, e.location), ("String", 7, e.image),
                                  ("String", 8, e.condition), ("String", 9, e.greyed), ("Number", 10, n * 10)]))
        return ct.Item(item_id, 810, 31, d.description, order=position * 100, objects=objects)


# ------------------------------------------------------------ checks


def check_type(builder, items, definition_types):
    t = builder.type
    label = f"catalog type {t.number}"
    ids = set()
    for item in items:
        check(item.item_id not in ids, f"{label}: item {item.item_id} twice")
        ids.add(item.item_id)
    for item in items:
        check(item.parent == 0 or item.parent in ids, f"{label}: item {item.item_id} has no parent {item.parent}")
        check(item.item_type in definition_types, f"{label}: item {item.item_id} has an undefined item type "
                                                  f"{item.item_type}")
        for code in (item.expanded_image, item.collapsed_image):
            check(not code or code in ICONS, f"{label}: item {item.item_id} names a missing image {code}")
        instances = set()
        for n, (class_id, values) in enumerate(item.objects, start=1):
            check(class_id in CLASS_TAGS, f"{label}: item {item.item_id}: no class {class_id}")
            for value in values:
                kind, member = value[0], value[1]
                key = (class_id, member)
                check(key in MEMBERS, f"{label}: item {item.item_id}: class {class_id} has no member {member}")
                check(kind_of(MEMBERS[key][0]) == kind,
                      f"{label}: item {item.item_id}: member {class_id}.{member} is no {kind} member")
            instances.add(n)
    for item_id in t.include + builder.templates.include() + t.init_pages + t.update + t.delete:
        check(item_id in ids, f"{label}: the initialisation lists name a missing item {item_id}")
    actions = set(t.actions)
    check(10 in actions, f"{label}: no action 10")
    check(t.start_action == 0 or t.start_action in actions, f"{label}: no start action {t.start_action}")
    numbers = [d.item_type for d in t.item_types]
    check(len(numbers) == len(set(numbers)), f"{label}: an item type is defined twice")
    for d in t.item_types:
        where = f"{label}, item type {d.item_type}"
        check(not d.manager or is_manager_name(d.manager), f"{where}: unknown item manager {d.manager}")
        check(not d.image or d.image in ICONS, f"{where}: missing image {d.image}")
        for e in d.editors:
            check(is_editor_name(e.name), f"{where}: unknown editor {e.name}")
        for kind, folder_id in d.templates.items():
            if folder_id == ct.PAGE_BODY:
                folder_id = builder.templates.body_folder(d.item_type)
            check(folder_id in ids, f"{where}: template folder {folder_id} of kind {kind} is missing")
        if d.item_type in builder.templates.page_types():
            check(d.templates.get(1) == ct.PAGE_BODY,
                  f"{where}: items.tsv gives the type a body template, but it has no page templates")
        for child in d.children:
            check(child in numbers, f"{where}: child type {child} is not defined")
        for e in d.ui:
            check(e.action == 0 or e.action in actions, f"{where}: UI element names a missing action {e.action}")
            check(not e.image or e.image in ICONS, f"{where}: UI element names a missing image {e.image}")
        toolbar = [e for e in d.ui if e.kind == 2 and d.item_type == 0 and not e.location]
        check(len(toolbar) <= 9, f"{where}: more than nine catalog buttons")
    for filter_name, key, value in t.filters:
        check(value, f"{label}: key value {filter_name}_{key} is empty")


# ------------------------------------------------------------ XML


def escape(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


def attribute(text):
    return escape(text).replace('"', "&quot;")


def cdata(text):
    return "<![CDATA[" + text.replace("]]>", "]]]]><![CDATA[>") + "]]>"


DEFAULT_TYPES = {"String": 1, "Text": 51, "Number": 101, "Date": 203, "Binary": 251}


def value_xml(class_id, value, used):
    kind, member, data = value[0], value[1], value[2]
    lang = value[3] if len(value) > 3 else "XXX"
    index = value[4] if len(value) > 4 else 0
    if data in ("", 0, None):
        return None  # empty texts and zero numbers are never stored
    member_type = MEMBERS[(class_id, member)][0]
    used[(class_id, member)] = kind
    attrs = f' member="{member}"'
    if index:
        attrs += f' index="{index}"'
    if lang != "XXX":
        attrs += f' lang="{lang}"'
    if member_type != DEFAULT_TYPES[kind]:
        attrs += f' type="{member_type}"'
    if kind == "Binary":
        mime, file_name = data
        return f'<Binary{attrs} mime="{attribute(mime)}" file="{attribute(file_name)}"/>'
    if isinstance(data, tpl.FileText):
        return f'<{kind}{attrs} file="{attribute(data.attribute())}"/>'
    if kind == "Number":
        text = str(data)
    elif kind == "Text":
        text = cdata(data)
    else:
        text = escape(str(data))
    return f"<{kind}{attrs}>{text}</{kind}>"


def item_xml(item, used):
    flags = (1 if item.dont_delete else 0) | (2 if item.dont_sort else 0)
    attrs = (f'id="{item.item_id}" type="{item.item_type}" parent="{item.parent}" order="{item.order}" '
             f'visible="{1 if item.visible else 0}" flags="{flags}" linked="0"')
    if item.expanded_image:
        attrs += f' expandedImage="{attribute(item.expanded_image)}"'
    if item.collapsed_image:
        attrs += f' collapsedImage="{attribute(item.collapsed_image)}"'
    lines = [f"  <Item {attrs}>"]
    for instance, (class_id, values) in enumerate(item.objects, start=1):
        rendered = [v for v in (value_xml(class_id, value, used) for value in values) if v]
        if not rendered:
            lines.append(f'    <Object class="{class_id}" instance="{instance}"/>')
            continue
        lines.append(f'    <Object class="{class_id}" instance="{instance}">')
        lines += [f"      {v}" for v in rendered]
        lines.append("    </Object>")
    lines.append("  </Item>")
    return "\n".join(lines)


def catalog_xml(t, items, used):
    head = ['<?xml version="1.0" encoding="UTF-8"?>',
            f"<!-- Definition of catalog type {t.number}, \"{escape(t.name)}\". Written by "
            "source/make_catalogtypes.py from source/catalog_types.py: edit those, not this file. -->",
            f'<CatalogDefinition catalogType="{t.number}" code="t#{t.number}">']
    body = [item_xml(item, used) for item in sorted(items, key=lambda i: i.item_id)]
    return "\n".join(head + body + ["</CatalogDefinition>", ""])


# ------------------------------------------------------------ USED-MEMBERS.txt


def used_members_text(used, catalog_types):
    lines = [
        "# Class members used by the catalog-type definitions (data/catalogtypes/catalog_*.xml).",
        "# Written by source/make_catalogtypes.py. Every member is checked against the catalog",
        "# description (data/catalogsxml/source/catalog_description.py): it exists there with a",
        "# member type of the value kind given here.",
        "#",
        "# class\tmember\tkind\tclass tag.member tag: meaning",
    ]
    for (class_id, member), kind in sorted(used.items()):
        member_type, class_tag, member_tag, description = MEMBERS[(class_id, member)]
        lines.append(f"{class_id}\t{member}\t{kind}\t{class_tag}.{member_tag}: {description}")
    defined = {}
    for t in catalog_types:
        for d in t.item_types:
            defined.setdefault(d.item_type, d.description)
    missing = [(n, desc) for n, desc in sorted(defined.items()) if n > 0 and n not in ITEM_TYPE_TAGS]
    lines += ["", "# Item types the definitions use that the catalog description's item types lack",
              "# (GlobalItemTypes): item type and meaning."]
    lines += [f"{n}\t{desc}" for (n, desc) in missing]
    tags = sorted({value for t in catalog_types for text in t.actions.values()
                   for field in text.split("&") if field.startswith("ByItemType=")
                   for value in [field.split("=", 1)[1]]})
    unknown = [tag for tag in tags if tag not in ITEM_TYPE_TAGS.values()]
    lines += ["", "# Item-type tag names the search kinds name (ByItemType) that the catalog description",
              "# lacks; each must name one of the item types above."]
    lines += [f"{tag}\t{dict((d.description, d.item_type) for t in catalog_types for d in t.item_types).get(tag, '')}"
              for tag in unknown]
    return "\n".join(lines) + "\n"


# ------------------------------------------------------------ main


def main():
    built = []
    used = {}
    type4 = next(t for t in ct.CATALOG_TYPES if t.number == 4)
    type4_numbers = {d.item_type for d in type4.item_types}
    try:
        for t in ct.CATALOG_TYPES:
            builder = Builder(t)
            items = builder.build()
            own = {d.item_type for d in t.item_types}
            check_type(builder, items, own | type4_numbers)
            built.append((t, items))
        texts = {f"catalog_{t.number}.xml": catalog_xml(t, items, used) for (t, items) in built}
        for tag in {f.split("=", 1)[1] for t in ct.CATALOG_TYPES for text in t.actions.values()
                    for f in text.split("&") if f.startswith("ByClassId=")}:
            check(tag in CLASS_TAGS.values(), f"a search kind names an unknown class {tag}")
    except (CheckError, tpl.TemplateError) as error:
        print(f"make_catalogtypes: {error}", file=sys.stderr)
        return 1
    for name, text in texts.items():
        ET.fromstring(text.encode("utf-8"))  # well-formed
        with open(os.path.join(OUT_DIR, name), "w", encoding="utf-8", newline="\n") as f:
            f.write(text)
    with open(os.path.join(OUT_DIR, "USED-MEMBERS.txt"), "w", encoding="utf-8", newline="\n") as f:
        f.write(used_members_text(used, ct.CATALOG_TYPES))
    print(f"{len(texts)} catalog types written to {OUT_DIR}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
