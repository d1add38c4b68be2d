"""The catalog-type definitions, written for people.

This file is the source of data/catalogtypes/catalog_<N>.xml; run
make_catalogtypes.py after changing it and commit both.

Every catalog type N is a definition catalog "t#N": its header (item 806),
its actions (items under 29), its key values (items under 30), its item types
(items under 31) with their editors, templates, child types, sort groups and
user-interface elements, its tree images (items under 640000), its
initialisation lists (item 521), and the items that new catalogs of the type
copy: the tree roots, the catalog's own records, the templates and the first
pages.

Names used below:
    editor kinds   0 the item's tabs; 1 editors nested by the product,
                   member-catalog and restaurant description containers;
                   2 editors nested by the codes container and the
                   restaurant's main-dishes description; 3 editors nested by
                   the product's "Images" tab; 101 the right-hand editor of
                   the product list; 200 editors nested by the eBay tab
    UI elements    kind 1 menu entry, 2 toolbar or tree button, 3 "Select
                   Tree" entry, 4 search kind; item type 0 = the whole
                   catalog, -1 = tree nodes of every type
    template kinds 0 master, 1 body, 2 colour style sheet, 3 font style
                   sheet, 4 report

The templates and styles themselves come from data/templates/items.tsv and
data/styles/styles.tsv through templates.py; here a page type only says
that it has page templates (PAGE_TEMPLATES), and a catalog type which
catalog type's templates it carries (templates_of).
"""

# ------------------------------------------------------------------ records


class Editor:
    """One UI editor of an item type (class 802)."""

    def __init__(self, name, condition="", params="", kind=0):
        self.name = name
        self.condition = condition
        self.params = params
        self.kind = kind


class UI:
    """One UI element (class 809)."""

    def __init__(self, kind, action, caption, location="", image="", condition="",
                 greyed="", hint=""):
        self.kind = kind
        self.action = action
        self.caption = caption
        self.location = location
        self.image = image
        self.condition = condition
        self.greyed = greyed
        self.hint = hint


class ItemType:
    """One item-type definition (item type 810 under item 31)."""

    def __init__(self, item_type, description, manager="", params="", default_tab="",
                 first_tab="", edit_tab="", parent=0, image="", flags=0, sort=0,
                 editors=(), children=(), templates=None, ui=()):
        self.item_type = item_type
        self.description = description
        self.manager = manager
        self.params = params
        self.default_tab = default_tab
        self.first_tab = first_tab
        self.edit_tab = edit_tab
        self.parent = parent
        self.image = image
        self.flags = flags
        self.sort = sort
        self.editors = list(editors)
        self.children = list(children)
        self.templates = dict(templates or {})
        self.ui = list(ui)


class Item:
    """A plain item of the definition catalog with its objects.

    objects: list of (class id, [values]); a value is
    (kind, member, value[, lang[, index]]) with kind one of "String", "Text",
    "Number", "Date", "Binary"; for "Binary" the value is (mime, file).
    """

    def __init__(self, item_id, item_type, parent, name="", order=0, visible=True,
                 dont_delete=False, dont_sort=False, objects=(), expanded_image="",
                 collapsed_image=""):
        self.item_id = item_id
        self.item_type = item_type
        self.parent = parent
        self.name = name
        self.order = order
        self.visible = visible
        self.dont_delete = dont_delete
        self.dont_sort = dont_sort
        self.objects = list(objects)
        self.expanded_image = expanded_image
        self.collapsed_image = collapsed_image


class CatalogType:
    def __init__(self, number, name, description, order, listed, start_action=0,
                 actions=None, filters=(), item_types=(), items=(), include=(),
                 init_pages=(), update=(), delete=(), version="1", templates_of=None):
        self.number = number
        self.name = name
        self.description = description
        self.order = order
        self.listed = listed
        self.start_action = start_action
        self.actions = dict(actions or {})
        self.filters = list(filters)
        self.item_types = list(item_types)
        self.items = list(items)
        self.include = list(include)
        self.init_pages = list(init_pages)
        self.update = list(update)
        self.delete = list(delete)
        self.version = version
        # The catalog type whose templates the type carries (a number of
        # items.tsv's catalog-types column), or SHARED_TEMPLATES.
        self.templates_of = number if templates_of is None else templates_of


# ------------------------------------------------------------------ ids

# Roots of the definition records.
ACTIONS_ROOT, KEY_VALUES_ROOT, ITEM_TYPES_ROOT, TREE_IMAGES_ROOT = 29, 30, 31, 640000
HEADER_ITEM, INIT_ITEM = 806, 521

# Item types that the catalog description does not name yet (listed in
# USED-MEMBERS.txt for it).
IT_PRICE_SCHEDULES = 12      # editor of the price schedules (root item 12)
IT_OPTION_LIBRARY = 13       # editor of the option library (root item 13)
IT_CUSTOM_FIELDS = 18        # editor of the custom-field definitions (root item 18)
IT_WHOLESALE_BUYERS = 22     # editor of the approved wholesale buyers (root item 22)
IT_STYLE = 510               # predefined style (children of item 510)
IT_HEADER = 806              # catalog-type header (item 806)
IT_ERROR_MESSAGE = 811       # error message of a definition
IT_INIT_LISTS = 820          # initialisation lists (item 521)
IT_INIT_DIALOG = 1002        # initial settings of a new catalog (dialog)
IT_ABOUT = 1003              # information page shown at start
IT_HOME = 2004               # home page that presents the company
IT_SERVICE_GROUP = 3302      # group of services
IT_SERVICE_FIELD_DIALOG = 3306
IT_RESTAURANT = 6010
IT_CERTIFICATE_DIALOG = 8102
IT_REFERENCE_DIALOG = 8103
IT_EXPORT_DIALOG = 8104

# Template folders (item type 2 below item 5) that item types name; the
# templates and the other folders are in templates.py. 600000-700000 is the
# range of template items.
MASTER_FOLDER, BODY_FOLDER, COMMON_FOLDER, REPORT_FOLDER = 600001, 600002, 600003, 600005
STYLE_SHEETS_FOLDER = 600006
STYLES_ROOT = 510

# The body-template folder of a page type: make_catalogtypes.py puts in the
# folder whose default is the page type's own body template (items.tsv), or
# else the folder of the type's default body template.
PAGE_BODY = "page body"
PAGE_TEMPLATES = {0: MASTER_FOLDER, 1: PAGE_BODY}

# CatalogType.templates_of: the shared templates and the styles alone (the
# files below data/templates/shared/ and data/styles/).
SHARED_TEMPLATES = "shared"

# Item types of templates: what a template folder may hold.
TEMPLATE_TYPES = [501, 502, 503, 504, 505, 506, 512, 514, 518]

# Item-type flag words.
HTML = 0x01
JSP, PHP, ASP, SHTML = 0x02, 0x04, 0x08, 0x10
HIDDEN = 0x20            # not shown in the web tree

# Sort groups: pages before products before other items of a parent.
SORT_PAGES, SORT_PRODUCTS, SORT_OTHER = 1, 2, 3

# ------------------------------------------------------------------ actions
# One table of every action string; each type takes the ids it needs.
# Ids: 1 start action (initial settings), 10 information page (run at open
# while catalog property 709 is "yes").
ACTIONS = {
    1: "Action=NewWindowEditor&ItemType=1002&Post=yes",
    10: "Action=MainPageEditor&ItemType=1003",
    11: "Action=MainPageEditor&ItemType=1001&Check=yes",
    12: "Action=MainPageEditor&ItemId=2001&Check=yes",
    13: "Action=SelectFirstItem&Check=yes",
    14: "Action=NewWindowEditor&ItemType=1002",
    15: "Action=ProgramSettings",
    16: "Action=NewCatalogFromHost",
    17: "Action=RefreshMainPageEditor",
    18: "Action=LastWebTreeItem",
    # new items at the selected place of the web tree
    20: "Action=AddNewPossibleItem&ItemType=3001",
    21: "Action=AddNewPossibleItem&ItemType=3003",
    22: "Action=AddNewPossibleLinkedItem&ItemType=4002&ParentItemId=11",
    23: "Action=AddNewPossibleItem&ItemType=4001",
    24: "Action=AddNewPossibleLinkedItem&ItemType=3002&ParentItemId=10",
    25: "Action=AddNewPossibleLinkedItem&ItemType=5002&ParentItemId=20",
    26: "Action=AddNewPossibleItem&ItemType=5001",
    27: "Action=AddNewChildItem&ItemType=6003&ParentItemId=100002",
    28: "Action=AddNewPossibleItem&ItemType=3301",
    29: "Action=AddNewPossibleItem&ItemType=3302",
    30: "Action=PublishLocally&Check=yes",
    31: "Action=PublishByFtp&Check=yes",
    32: "Action=PublishOnTolvex&Check=yes",
    33: "Action=PreviewLocally",
    34: "Action=PreviewOnFtp",
    35: "Action=PreviewOnTolvex",
    36: "Action=CoCManagement&Check=yes",
    37: "Action=AccessWebServices",
    38: "Action=AddNewPossibleItem&ItemType=6010",
    39: "Action=AddNewPossibleItem&ItemType=401",
    40: "Action=ApplyNewStyle&Check=yes",
    41: "Action=Import&Type=Story&Check=yes",
    42: "Action=Export&Type=Froogle&Check=yes",
    43: "Action=ApplyNewStyleForChildren&Check=yes",
    44: "Action=UploadStyle&Check=yes",
    45: "Action=DownloadStyle&Check=yes",
    46: "Action=UpdateReportMenu",
    # the templates tree on another root
    50: "Action=SelectTree&ItemId=5&Caption=Templates",
    51: "Action=SelectTree&ItemId=3&Caption=Images",
    52: "Action=SelectTree&ItemId=4&Caption=Binary+Objects",
    53: "Action=SelectTree&ItemId=10&Caption=Stories",
    54: "Action=SelectTree&ItemId=12&Caption=Price+Schedules",
    55: "Action=SelectTree&ItemId=13&Caption=Product+Options",
    56: "Action=SelectTree&ItemId=9&Caption=Catalog+Information",
    57: "Action=SelectTree&ItemId=21&Caption=Seasons",
    58: "Action=SelectTree&ItemId=20&Caption=Member+Catalogs",
    59: "Action=SelectTree&ItemId=17&Caption=Reports",
    # search kinds
    60: "Action=MainPageEditor&EditorName=SearchResult&ByItemType=InfoPage&ByClassId=CommonNames&ByClassId=CommonDesign",
    61: "Action=MainPageEditor&EditorName=SearchResult&ByItemType=ProductPage&ByClassId=Product&ByClassId=CommonNames",
    62: "Action=MainPageEditor&EditorName=SearchResult&ByItemType=StoryPage&ByClassId=CommonNames",
    63: "Action=MainPageEditor&EditorName=SearchResult&ByItemType=Image&ByClassId=CommonNames",
    64: "Action=MainPageEditor&EditorName=SearchResult&ByItemType=VendorPage&ByClassId=CommonNames&ByClassId=CoCMember",
    65: "Action=MainPageEditor&EditorName=SearchResult&ByItemType=Room&ByClassId=CommonNames&ByClassId=RoomInfo",
    66: "Action=MainPageEditor&EditorName=SearchResult&ByItemType=Restaurant&ByClassId=CommonNames&ByClassId=Restaurant",
    67: "Action=MainPageEditor&EditorName=SearchResult&ByItemType=CategoryPage&ByClassId=CommonNames",
    68: "Action=MainPageEditor&EditorName=SearchResult&ByItemType=Service&ByClassId=CommonNames&ByClassId=Service",
    69: "Action=MainPageEditor&EditorName=SearchResult&ByItemType=ItemTypeDefinition&ByClassId=CommonNames&ByClassId=ItemType",
    # editors of lists and libraries
    70: "Action=MainPageEditor&ItemType=11&Check=yes",
    71: "Action=MainPageEditor&ItemType=12&Check=yes",
    72: "Action=MainPageEditor&ItemType=13&Check=yes",
    73: "Action=MainPageEditor&ItemType=18&Check=yes",
    74: "Action=MainPageEditor&EditorName=ImagesManager&Check=yes",
    75: "Action=MainPageEditor&EditorName=BinaryObjectsManager&Check=yes",
    76: "Action=MainPageEditor&ItemType=10&Check=yes",
    77: "Action=MainPageEditor&ItemType=20&Check=yes",
    78: "Action=MainPageEditor&ItemType=22&Check=yes",
    79: "Action=MainPageEditor&ItemType=6002&Check=yes",
    80: "Action=MainPageEditor&ItemId=16000&ItemType=16000&Check=yes",
    81: "Action=MainPageEditor&ItemType=606&Check=yes",
    # hosting-service tables (the maker's own definition catalogs)
    90: "Action=UploadGlobalTables&Check=yes",
    91: "Action=DownloadGlobalTables&Check=yes",
    92: "Action=UploadTolvexReferences&Check=yes",
    93: "Action=DownloadTolvexReferences&Check=yes",
    94: "Action=UploadZarivuro&Check=yes",
    95: "Action=DownloadZarivuro&Check=yes",
    96: "Action=UploadEbay&Check=yes",
    97: "Action=DownloadEbay&Check=yes",
    98: "Action=UploadUnspsc&Check=yes",
    99: "Action=DownloadUnspsc&Check=yes",
    100: "Action=UploadHarmonized&Check=yes",
    101: "Action=DownloadHarmonized&Check=yes",
    # definition records (catalog type 4)
    110: "Action=AddNewChildItem&ItemType=801&ParentItemId=29",
    111: "Action=AddNewChildItem&ItemType=804&ParentItemId=30",
    112: "Action=AddNewChildItem&ItemType=810&ParentItemId=31",
    113: "Action=AddNewChildItem&ItemType=510&ParentItemId=510",
    114: "Action=MainPageEditor&ItemId=806&Check=yes",
    115: "Action=MainPageEditor&ItemId=521&Check=yes",
    116: "Action=SelectTree&ItemId=29&Caption=Actions",
    117: "Action=SelectTree&ItemId=30&Caption=Key+Values",
    118: "Action=SelectTree&ItemId=31&Caption=Item+Types",
    119: "Action=SelectTree&ItemId=640000&Caption=Tree+Images",
    120: "Action=SelectTree&ItemId=8&Caption=Catalog+Type",
    121: "Action=SelectTree&ItemId=510&Caption=Styles",
    122: "Action=AddNewChildItem&ItemType=301&ParentItemId=640000",
    # the product wizard: a whole new product in an editor window, placed below the home page
    130: "Action=WizardWindowEditor&ItemType=4002&EditorType=WizardProductAddEditor",
}

# ------------------------------------------------------------------ editor sets


def page_editors(extra_first=(), extra_last=()):
    """The tabs of a web page: design, properties, meta tags, links, preview."""
    return (list(extra_first) + [
        Editor("HtmlEditor"),
        Editor("CommonPageProperties", "Advanced"),
        Editor("SimplePageProperties", "Simplified"),
        Editor("CommonWebPageMetaTags", "Advanced"),
        Editor("CommonPageLinks", "Advanced"),
    ] + list(extra_last) + [Editor("CommonWebPreview")])


PAGE_TABS = dict(default_tab="HTMLEditor-html", first_tab="PagePropertiesEditor-properties",
                 edit_tab="HTMLEditor-html")


def page_type(item_type, description, manager, image, children=(), editors=None, ui=(),
              parent=0, sort=SORT_PAGES):
    return ItemType(item_type, description, manager, image=image, flags=HTML, sort=sort,
                    parent=parent, editors=editors or page_editors(), children=children,
                    templates=PAGE_TEMPLATES, ui=ui, **PAGE_TABS)


def dialog_type(item_type, description, editor, manager="", params=""):
    return ItemType(item_type, description, manager, editors=[Editor(editor, params=params)])


def common_item_types():
    """Item types every real catalog type has: libraries, templates, dialogs,
    source pages, the catalog's own records."""
    source = [Editor("HtmlPageEditor"), Editor("CommonPageProperties"), Editor("CommonWebPreview")]
    template_editors = [Editor("CommonTemplatePropertiesEditor"), Editor("CommonXmlSourcesEditor")]
    return [
        ItemType(2, "Folder", image="folder", sort=SORT_OTHER,
                 editors=[Editor("ItemProperties")], children=[2, 301, 304] + TEMPLATE_TYPES),
        ItemType(301, "Image", image="image", editors=[Editor("ImageEdit"), Editor("ItemProperties")],
                 default_tab="ImageEditor-basic", edit_tab="ImageEditor-basic", children=[301]),
        ItemType(304, "Binary object", image="binary", editors=[Editor("ItemProperties")]),
        # source pages
        ItemType(401, "HTML page", "CommonInfoPageItemManager", image="source_page", flags=HTML,
                 sort=SORT_PAGES, editors=source, children=[401]),
        ItemType(402, "ASP page", "CommonInfoPageItemManager", image="source_page", flags=ASP,
                 sort=SORT_PAGES, editors=source),
        ItemType(403, "JSP page", "CommonInfoPageItemManager", image="source_page", flags=JSP,
                 sort=SORT_PAGES, editors=source),
        ItemType(404, "PHP page", "CommonInfoPageItemManager", image="source_page", flags=PHP,
                 sort=SORT_PAGES, editors=source),
        ItemType(405, "SHTML page", "CommonInfoPageItemManager", image="source_page", flags=SHTML,
                 sort=SORT_PAGES, editors=source),
        # templates
        ItemType(501, "Master template", "TemplateItemManager", image="master_template",
                 default_tab="MasterTemplate-basic",
                 templates={0: MASTER_FOLDER, 2: STYLE_SHEETS_FOLDER, 3: STYLE_SHEETS_FOLDER},
                 editors=[Editor("CommonMasterTemplateEditor"), Editor("TemplateHTMLEditor", "Advanced"),
                          Editor("CommonXmlSourcesEditor"), Editor("PreviewTemplate")],
                 children=[504, 505, 506, 517]),
        ItemType(502, "Body template", "TemplateItemManager", image="body_template",
                 default_tab="TemplateProperties-basic", templates={1: BODY_FOLDER},
                 editors=[Editor("CommonTemplatePropertiesEditor"), Editor("TemplateHTMLEditor", "Advanced"),
                          Editor("CommonXmlSourcesEditor"), Editor("PreviewTemplate")],
                 children=[517]),
        ItemType(503, "Language resource", "TemplateItemManager", image="common_template",
                 editors=template_editors),
        ItemType(504, "Colour style sheet", "TemplateItemManager", image="style_sheet",
                 templates={2: STYLE_SHEETS_FOLDER}, editors=[Editor("CommonTemplatePropertiesEditor"),
                                                  Editor("CommonCSSSourcesEditor")]),
        ItemType(505, "Font style sheet", "TemplateItemManager", image="style_sheet",
                 templates={3: STYLE_SHEETS_FOLDER}, editors=[Editor("CommonTemplatePropertiesEditor"),
                                                  Editor("CommonCSSSourcesEditor")]),
        ItemType(506, "Script", "TemplateItemManager", image="script",
                 editors=[Editor("CommonJavaScriptPropertiesEditor"), Editor("CommonJavaScriptSourcesEditor")]),
        ItemType(512, "Common templates of pages", "TemplateItemManager", image="common_template",
                 editors=template_editors),
        ItemType(513, "Template folder", image="template_folder", sort=SORT_OTHER,
                 editors=[Editor("ItemProperties")], children=[501, 502, 503, 504, 505, 506, 512, 513, 514, 518]),
        ItemType(514, "Report template", "TemplateItemManager", image="report",
                 templates={4: REPORT_FOLDER},
                 editors=[Editor("CommonReportsTemplateEditor"), Editor("CommonXmlSourcesEditor")],
                 children=[517, 519]),
        ItemType(517, "Settings page of a template", "TemplateItemManager", image="common_template",
                 editors=[Editor("CommonTemplatePropertiesEditor"), Editor("CommonXmlSourcesEditor")]),
        ItemType(518, "Common templates of reports", "TemplateItemManager", image="common_template",
                 editors=template_editors),
        ItemType(519, "Creation form of a report template", "TemplateItemManager", image="common_template",
                 editors=[Editor("CommonTemplatePropertiesEditor"), Editor("CommonXmlSourcesEditor")]),
        ItemType(7001, "Report", image="report", flags=0x80,
                 editors=[Editor("CommonReportsNewEditor"), Editor("ItemProperties")]),
        ItemType(7003, "HTML report", image="report", flags=HTML,
                 editors=[Editor("CommonReportsNewEditor"), Editor("ItemProperties")]),
        # the catalog's own records
        ItemType(601, "Catalog languages", image="language", editors=[Editor("ItemProperties")]),
        ItemType(602, "User", image="user", editors=[Editor("ItemProperties")]),
        ItemType(604, "Catalog information", image="company", editors=[Editor("ItemProperties")]),
        ItemType(603, "Catalog property", image="settings", editors=[Editor("ItemProperties")]),
        ItemType(1001, "Catalog options", "CommonOptionsItemManager", image="settings",
                 default_tab="OptionsEditor-options",
                 editors=[Editor("CommonOptions"), Editor("FroogleOptionsEditor")]),
        ItemType(IT_INIT_DIALOG, "Initial settings", "CommonInitItemManagerUnit", image="settings",
                 editors=[Editor("CommonInit")]),
        ItemType(IT_ABOUT, "Information page", "TolvexAboutItemManager", image="home",
                 editors=[Editor("TolvexAboutViewer")]),
        # dialogs of the HTML editor
        dialog_type(201, "Dialog: insert table", "CommonInsertTable", "CommonInsertTableItemManager"),
        dialog_type(202, "Dialog: picture", "CommonImage"),
        dialog_type(203, "Dialog: select page", "CommonSelectPage"),
        dialog_type(204, "Dialog: enter hyperlink", "CommonEnterHyperlink"),
        dialog_type(205, "Dialog: select page or hyperlink", "CommonSelectPageOrHyperlink"),
        dialog_type(207, "Dialog: insert binary object", "CommonBinaryObject"),
        dialog_type(210, "Dialog: edit HTML source", "CommonHtmlSourcesEditor"),
    ]


def product_item_types(line_children, with_zarivuro=False):
    """Products, product lines, options, prices and custom fields."""
    codes_company = ["CommonUNSPSCCompany", "CommonHarmonizedCompany", "CommonEBayCompany"]
    codes_other = ["CommonUNSPSCOther", "CommonHarmonizedOther", "CommonEBayOther"]
    if with_zarivuro:
        codes_company.insert(0, "CommonZarivuroCompany")
        codes_other.insert(0, "CommonZarivuroOther")
    product_editors = [
        Editor("ProductBasicEditor"),
        Editor("HtmlEditor", "Advanced"),
        Editor("CommonPageProperties", "Advanced"),
        Editor("SimplePageProperties", "Simplified"),
        Editor("CommonCodes", "Advanced"),
        Editor("eBayEditor", "Advanced"),
        Editor("ProductSearchLimits", "Advanced"),
        Editor("ProductMultiColor", "Advanced"),
        Editor("CommonWebPreview"),
        # the "Images" tab of the product
        Editor("ProductAllImagesEditor", kind=3),
        # the right-hand editor of the product list
        Editor("ProductInfo", kind=101),
        # the eBay tab
        Editor("eBayPrices", kind=200),
    ] + [Editor(name, kind=2) for name in codes_other]
    return [
        ItemType(11, "All products", "ProductListItemManager", image="product_line",
                 templates=PAGE_TEMPLATES, editors=[Editor("ListAllProducts")]),
        ItemType(IT_PRICE_SCHEDULES, "Price schedules", "CommonPriceSchedulesItemManager", image="price",
                 editors=[Editor("CommonPriceSchedules")]),
        ItemType(IT_OPTION_LIBRARY, "Product options", image="option",
                 editors=[Editor("CommonItemOptions")]),
        ItemType(IT_CUSTOM_FIELDS, "Custom fields", "ParamsManagerCustomFields", image="field",
                 editors=[Editor("AdditionalFieldsMngr")]),
        ItemType(302, "Product option", image="option", editors=[Editor("OptionChooser")],
                 children=[302]),
        ItemType(306, "Custom field", image="field", editors=[Editor("ItemProperties")]),
        ItemType(2002, "Price schedule", "CommonPriceSchedulesItemManager", image="price",
                 editors=[Editor("CommonPriceScheduleDetail")], children=[2002]),
        dialog_type(208, "Dialog: edit price", "ProductPriceEdit"),
        dialog_type(209, "Dialog: select item option", "SelectItemOption"),
        page_type(4001, "Product line page", "ProductLineItemManager", "product_line",
                  children=line_children,
                  editors=page_editors(extra_last=[Editor("ListAllProducts", "Advanced")]),
                  ui=[UI(2, 22, "New Product", image="product_new"),
                      UI(2, 23, "New Product Line", image="product_line"),
                      UI(1, 22, "New Product"), UI(1, 23, "New Product Line")]),
        ItemType(4002, "Product", "ProductItemManager", image="product", flags=HTML,
                 sort=SORT_PRODUCTS, parent=11, templates=PAGE_TEMPLATES,
                 default_tab="ProductBasicEditor-basic", first_tab="ProductBasicEditor-basic",
                 edit_tab="ProductBasicEditor-basic", editors=product_editors),
    ]


def replace_types(base, replacements):
    """Base item types with those of the same number replaced, new ones appended."""
    by_number = {t.item_type: t for t in replacements}
    result = [by_number.pop(t.item_type, t) for t in base]
    return result + [t for t in replacements if t.item_type in by_number]


def company_type(editors, manager="CompanyItemManager"):
    return ItemType(2001, "Company", manager, image="company", templates=PAGE_TEMPLATES,
                    default_tab="CompanyEditor-basic", editors=editors)


def story_item_types():
    return [
        ItemType(10, "All stories", "CommonAllStoriesItemManager", image="story",
                 templates=PAGE_TEMPLATES, editors=[Editor("CommonAllStories")]),
        page_type(3002, "Story", "CommonStoryItemManager", "story", parent=10,
                  editors=page_editors(extra_last=[Editor("CommonAllStoriesChanger")])),
    ]


def info_page_types(children):
    return [
        page_type(3001, "Information page", "CommonInfoPageItemManager", "page", children=children,
                  ui=[UI(2, 20, "New Page", image="page_new"), UI(1, 20, "New Page")]),
        page_type(3003, "Contact page", "CommonInfoPageItemManager", "contact", children=children,
                  editors=page_editors(extra_first=[Editor("AllCompanyInfoEditor")])),
    ]


# ------------------------------------------------------------------ UI of the whole catalog


def menu(action, caption, path, order_name="", image="", extra="", placement=""):
    location = f"MenuPath={path}"
    if placement:
        location += f"&Placement={placement}"
    if order_name:
        location += f"&Name={order_name}"
    return UI(1, action, caption, location=location, image=image, greyed=extra)


def catalog_menus(new_items=(), views=(), imports=(), exports=(), publish_extra=()):
    """Menus of an open catalog: Catalog (with a "New" submenu), View,
    Import, Export, Publish and Help."""
    elements = [
        menu(0, "New", "Catalog", order_name="CatalogNew", placement="before"),
    ]
    elements += [menu(a, c, "CatalogNew", image=i, extra="IfPossible") for (a, c, i) in new_items]
    elements += [
        menu(11, "Catalog Options...", "Catalog", image="settings"),
        menu(12, "Company Information...", "Catalog", image="company"),
        menu(14, "Initial Settings...", "Catalog"),
        menu(40, "Apply New Style...", "Catalog"),
    ]
    elements += [menu(a, c, "View", image=i) for (a, c, i) in views]
    elements += [menu(74, "Images Library", "View", image="image"),
                 menu(75, "Binary Objects Library", "View", image="binary")]
    elements += [menu(a, c, "Import") for (a, c) in imports]
    elements += [menu(a, c, "Export") for (a, c) in exports]
    elements += [
        menu(30, "Publish Locally...", "Publish", image="publish"),
        menu(31, "Publish by FTP...", "Publish"),
        menu(32, "Publish on Hosting Service...", "Publish"),
    ] + [menu(a, c, "Publish") for (a, c) in publish_extra] + [
        menu(33, "Preview Local Site", "Publish", image="preview"),
        menu(34, "Preview FTP Site", "Publish"),
        menu(35, "Preview on Hosting Service", "Publish"),
        menu(37, "Hosting Service Account", "Publish"),
        menu(10, "Information Page", "Help", image="home"),
    ]
    return elements


def toolbar(*buttons):
    return [UI(2, a, c, image=i) for (a, c, i) in buttons]


def select_trees(*entries):
    return [UI(3, a, c, image=i) for (a, c, i) in entries]


def search_kinds(*kinds):
    return [UI(4, a, f"{c}==={v}") for (a, c, v) in kinds]


def whole_catalog(ui, editors=None, templates=PAGE_TEMPLATES):
    """The detail of item type 0: the catalog's own UI elements, the editors
    of item types without editors of their own, and the templates used to
    preview templates that are neither master nor body templates."""
    return ItemType(0, "Whole catalog", editors=editors or [Editor("ItemProperties")],
                    templates=templates, ui=ui)


# ------------------------------------------------------------------ key values

def common_filters():
    return [
        ("CommonXmlSourcesEditor", "TabCaption", "XSL Source"),
        ("CommonCSSSourcesEditor", "TabCaption", "CSS Source"),
        ("CommonJavaScriptSourcesEditor", "TabCaption", "Script Source"),
        ("CommonHtmlSourcesEditor", "TabCaption", "HTML Source"),
        ("CommonInfoPageItemManager", "StatusBarText", "Page: $1"),
        ("CommonStoryItemManager", "StatusBarText", "Story: $1"),
        ("CompanyItemManager", "StatusBarText", "Company information"),
        ("TemplateItemManager", "StatusBarText", "Template: $1"),
    ]


def list_data_filters(editor, tab, class_tag, dialog_type_number, columns, question=""):
    """The key values of a list-data editor: its tab, class, dialog and columns."""
    rows = [(editor, "ListDataTabName", tab), (editor, "ClassXmlTag", class_tag),
            (editor, "EditItemType", str(dialog_type_number))]
    if question:
        rows.append((editor, "DeleteQuestion", question))
    for n, (member, caption) in enumerate(columns, start=1):
        rows.append((editor, f"MemberXmlTagForColumn{n}", f"{member}={caption}"))
    return rows


# ------------------------------------------------------------------ items


def names(name, lang="XXX"):
    return (1, [("String", 1, name, lang)])


def folder(item_id, parent, name, order=0, item_type=2):
    return Item(item_id, item_type, parent, name, order=order, dont_delete=True,
                objects=[names(name)], expanded_image="folder_open", collapsed_image="folder")


def property_item(number, value):
    return Item(number, 603, 8, objects=[(603, [("String", 1, value)])])


def page(item_id, item_type, parent, name, order, top_html="", extra_objects=()):
    objects = [names(name), (2, []), (8, []), (9, [])]
    design = [("Text", 1, top_html)] if top_html else []
    objects.append((4, design))
    objects += list(extra_objects)
    return Item(item_id, item_type, parent, name, order=order, objects=objects)


# Catalog properties a new catalog starts with: image sizes, index files,
# FTP update method, measurement units, no shopping cart, full-size images
# kept as uploaded.
DEFAULT_PROPERTIES = [
    (702, "240"), (703, "640"), (704, "100"), (705, "120"), (711, "index.html"),
    (713, "changed"), (716, "index.html"), (724, "kg"), (725, "cm"), (731, "no"), (732, "yes"),
]


def base_items(catalog_type, roots=()):
    """Roots, catalog records and properties of every type (templates.py adds
    the templates and styles).

    The records that creating a catalog fills (administrator 602, company
    2001, catalog information 604, creation date 613) carry the object that
    creation writes into as instance 1, and none of the values creation
    writes, so that creation adds them without meeting a value it would
    duplicate."""
    items = [
        folder(1, 0, "Web Pages", 1),
        folder(3, 0, "Images", 3),
        folder(4, 0, "Binary Objects", 4),
        folder(5, 0, "Templates", 5),
        folder(6, 0, "Languages", 6),
        folder(7, 0, "Users", 7),
        folder(8, 0, "Catalog Properties", 8),
        folder(9, 0, "Catalog Information", 9),
        folder(17, 0, "Reports", 17),
    ] + [folder(i, 0, n, i) for (i, n) in roots] + [
        Item(601, 601, 6, "Languages", dont_delete=True,
             objects=[names("Languages"), (601, [("String", 1, "EN", "XXX", 0), ("String", 2, "EN")])]),
        Item(602, 602, 7, "Administrator", dont_delete=True, objects=[(602, []), names("Administrator")]),
        Item(604, 604, 9, "Catalog Information", dont_delete=True,
             objects=[(604, [("Number", 1, catalog_type)] if catalog_type else []),
                      names("Catalog Information")]),
        Item(613, 2, 9, "Catalog Creation", dont_delete=True,
             objects=[(613, []), names("Catalog Creation")]),
        Item(2001, 2001, 9, "Company", dont_delete=True,
             objects=[(3, []), names("Company"), (15, []), (14, [])]),
    ]
    items += [property_item(n, v) for (n, v) in DEFAULT_PROPERTIES]
    return items


def base_include(roots=()):
    """Items every new catalog copies from its type's definition, besides the
    template folders and the default style's items (templates.py)."""
    ids = [1, 3, 4, 5, 6, 7, 8, 9, 17] + [i for (i, _) in roots]
    ids += [601, 602, 604, 613, 2001]
    ids += [n for (n, _) in DEFAULT_PROPERTIES]
    return ids


def welcome(what):
    return (f"<p>Welcome to our web site. Here you find {what}.</p>")


# ------------------------------------------------------------------ the types

BASE_SELECT_TREES = [(50, "Templates", "template_folder"), (51, "Images", "image"),
                     (52, "Binary Objects", "binary"), (56, "Catalog Information", "company"),
                     (59, "Reports", "report")]
BASE_TOOLBAR = [(13, "Home Page", "home"), (30, "Publish Locally", "publish"), (33, "Preview Local Site", "preview")]
BASE_ACTIONS = [1, 10, 11, 12, 13, 14, 17, 18, 30, 31, 32, 33, 34, 35, 37, 40, 43, 46, 50, 51, 52, 56, 59,
                60, 63, 74, 75]


def actions(*ids):
    return {i: ACTIONS[i] for i in sorted(set(BASE_ACTIONS) | set(ids))}


def type0():
    """The definition in force while no catalog is open: only the commands
    that work without a catalog."""
    ui = [
        menu(16, "New Catalog from Hosting Service...", "Catalog", image="publish", placement="before"),
        menu(15, "Program Settings...", "View", image="settings"),
    ]
    # The catalog buttons are filled when a catalog opens; these two serve a
    # shell that shows buttons while none is open.
    ui += toolbar((16, "New Catalog from Hosting Service", "publish"), (15, "Program Settings", "settings"))
    # The search kinds keep the search box in place; a search needs an open
    # catalog and then uses that catalog's kinds.
    ui += search_kinds((60, "Pages", "InfoPage"), (61, "Products", "ProductPage"))
    return CatalogType(
        0, "No catalog", "The menus and commands offered while no catalog is open", 99, False,
        actions={i: ACTIONS[i] for i in (10, 15, 16, 60, 61)},
        filters=common_filters(),
        item_types=[whole_catalog(ui)] + common_item_types() + [company_type([Editor("CommonCompany")])],
        items=base_items(0),
        include=base_include())


def type1():
    """The general business site: pages, products with prices and options,
    stories, services."""
    roots = [(10, "Stories"), (11, "All Products"), (12, "Price Schedules"), (13, "Product Options"),
             (18, "Custom Fields")]
    ui = catalog_menus(
        new_items=[(20, "Page", "page_new"), (21, "Contact Page", "contact"), (23, "Product Line", "product_line"),
                   (22, "Product", "product_new"), (24, "Story", "story"), (28, "Service", "service"),
                   (29, "Service Group", "folder"), (39, "HTML Page", "source_page")],
        views=[(70, "All Products", "product"), (71, "Price Schedules", "price"), (72, "Product Options", "option"),
               (73, "Custom Fields", "field"), (76, "All Stories", "story")],
        imports=[(41, "Story...")],
        exports=[(42, "Product Feed...")],
        publish_extra=[(44, "Upload Style to Hosting Service..."), (45, "Download Style from Hosting Service...")])
    ui.append(menu(130, "Product Wizard...", "CatalogNew", image="product_new"))
    ui += toolbar(BASE_TOOLBAR[0], (20, "New Page", "page_new"), (22, "New Product", "product_new"),
                  (70, "All Products", "product"), *BASE_TOOLBAR[1:])
    ui += select_trees(*BASE_SELECT_TREES, (0, "-", ""), (53, "Stories", "story"),
                       (54, "Price Schedules", "price"), (55, "Product Options", "option"))
    ui += search_kinds((60, "Pages", "InfoPage"), (61, "Products", "ProductPage"), (62, "Stories", "StoryPage"),
                       (68, "Services", "Service"), (63, "Images", "Image"))
    service_fields = "ListDataEditorServiceFields"
    item_types = [whole_catalog(ui)] + common_item_types() + product_item_types([4001, 4002, 3001, 3002, 3003, 401]) + story_item_types()
    item_types += info_page_types(children=[3001, 3003, 3002, 4001, 4002, 401, 3301, IT_SERVICE_GROUP])
    item_types += [
        company_type([Editor("CommonCompany"), Editor("ShoppingCarts"), Editor("eBayOptions", "Advanced"),
                      Editor("CommonCodes", "Advanced"), Editor("IncludedToCatalogs", "Advanced")]
                     + [Editor(n, kind=2) for n in ("CommonUNSPSCCompany", "CommonHarmonizedCompany",
                                                    "CommonEBayCompany")]),
        ItemType(IT_SERVICE_GROUP, "Service group", "ParamsManagerServiceGroup", image="folder",
                 sort=SORT_OTHER, flags=HTML, templates=PAGE_TEMPLATES,
                 editors=[Editor("ServiceGroupEditor"), Editor("CommonWebPreview")], children=[3301]),
        ItemType(3301, "Service", "ParamsManagerService", image="service", flags=HTML, sort=SORT_PRODUCTS,
                 templates=PAGE_TEMPLATES, default_tab="Service-basic", first_tab="Service-basic",
                 editors=[Editor("Service"), Editor("ServicePackages", "Advanced"), Editor("ServiceInit", "Advanced"),
                          Editor(service_fields, "Advanced"), Editor("CustomTemplateEditorService", "Advanced"),
                          Editor("CommonWebPreview")]),
        dialog_type(IT_SERVICE_FIELD_DIALOG, "Dialog: service field", "ServiceFieldEditor"),
    ]
    items = base_items(1, roots) + [
        page(100001, 4001, 1, "Home", 100000100, welcome("our products and services")),
        page(100002, 4001, 1, "Products", 100000200),
        page(100003, 3001, 1, "About Us", 100000300),
        page(100004, 3003, 1, "Contact Us", 100000400),
    ]
    filters = common_filters() + [
        ("ProductItemManager", "StatusBarText", "Product: $1"),
        ("ProductLineItemManager", "StatusBarText", "Product line: $1"),
        ("ParamsManagerService", "ItemCaption", "Service: $1"),
        ("ParamsManagerService", "NoNameItemCaption", "Service"),
        ("ParamsManagerService", "NewItemName", "New Service"),
        ("ParamsManagerServiceGroup", "ItemCaption", "Service Group: $1"),
        ("ParamsManagerServiceGroup", "NoNameItemCaption", "Service Group"),
        ("ParamsManagerServiceGroup", "NewItemName", "New Service Group"),
        ("CustomTemplateEditorService", "TabCaption", "Custom Templates"),
    ] + list_data_filters(service_fields, "Fields", "ServiceField", IT_SERVICE_FIELD_DIALOG,
                          [("FieldName", "Name"), ("FieldTag", "Tag"), ("FieldType", "Type"),
                           ("Description", "Description")],
                          "Do you really want to delete the field?")
    # The custom fields' editor is captioned by the definition.
    filters.append(("ParamsManagerCustomFields", "NoNameItemCaption", "Custom Fields"))
    return CatalogType(
        1, "General business site",
        "Web site of a business: pages, products with prices and options, stories and services",
        1, True, start_action=1,
        actions=actions(20, 21, 22, 23, 24, 28, 29, 39, 41, 42, 44, 45, 53, 54, 55, 61, 62, 68, 70, 71, 72, 73, 76,
                        130),
        filters=filters, item_types=item_types, items=items,
        include=base_include(roots), init_pages=[100001, 100002, 100003, 100004])


def type2():
    """A catalog network: a catalog of member catalogs."""
    roots = [(20, "Member Catalogs"), (22, "Approved Wholesale Buyers")]
    ui = catalog_menus(
        new_items=[(20, "Page", "page_new"), (21, "Contact Page", "contact"), (26, "Member List Page", "list"),
                   (25, "Member Catalog", "vendor")],
        views=[(77, "All Member Catalogs", "vendor"), (78, "Approved Wholesale Buyers", "user"),
               (80, "Intermediate Catalogs", "list")],
        publish_extra=[(36, "Republish All Members..."), (44, "Upload Style to Hosting Service..."),
                       (45, "Download Style from Hosting Service...")])
    ui += toolbar(BASE_TOOLBAR[0], (20, "New Page", "page_new"), (25, "New Member Catalog", "vendor"),
                  (77, "All Member Catalogs", "vendor"), *BASE_TOOLBAR[1:])
    ui += select_trees(*BASE_SELECT_TREES, (0, "-", ""), (58, "Member Catalogs", "vendor"))
    ui += search_kinds((60, "Pages", "InfoPage"), (64, "Member Catalogs", "VendorPage"), (63, "Images", "Image"))
    item_types = [whole_catalog(ui)] + common_item_types()
    item_types += info_page_types(children=[3001, 3003, 5001, 5002, 401])
    item_types += [
        company_type([Editor("CommonCompany"), Editor("IncludedToCatalogs", "Advanced")]),
        ItemType(20, "All member catalogs", "VendorListItemManager", image="vendor",
                 editors=[Editor("AllVendorList")]),
        ItemType(IT_WHOLESALE_BUYERS, "Approved wholesale buyers", image="user",
                 editors=[Editor("ApprovedWholesaleBuyersList")]),
        page_type(5001, "Member list page", "VendorListItemManager", "list",
                  children=[5001, 5002, 3001, 3003, 401],
                  editors=page_editors(extra_last=[Editor("AllVendorsChanger")]),
                  ui=[UI(2, 25, "New Member Catalog", image="vendor"), UI(1, 25, "New Member Catalog")]),
        ItemType(5002, "Member catalog", "VendorItemManager", image="vendor", flags=HTML, sort=SORT_PRODUCTS,
                 parent=20, templates=PAGE_TEMPLATES, default_tab="CoCMember-container",
                 first_tab="CoCMember-container", edit_tab="CoCMember-container",
                 editors=page_editors(extra_first=[Editor("VendorInfoContainer")])
                 + [Editor("VendorInfo", kind=1), Editor("LinkToCatalog", kind=1)]),
        ItemType(607, "Approved wholesale buyer", image="user", editors=[Editor("ItemProperties")]),
        dialog_type(606, "Dialog: republish all members", "CoCManagement"),
        ItemType(16000, "Intermediate catalogs", image="list",
                 editors=[Editor("IncludedToCatalogsIntermediate")]),
    ]
    items = base_items(2, roots) + [
        page(100001, 5001, 1, "Home", 100000100, welcome("the catalogs of our members")),
        page(100003, 3001, 1, "About Us", 100000300),
        page(100004, 3003, 1, "Contact Us", 100000400),
    ]
    filters = common_filters() + [("VendorItemManager", "StatusBarText", "Member catalog: $1")]
    return CatalogType(
        2, "Catalog network", "A catalog of member catalogs published together", 2, True, start_action=1,
        actions=actions(20, 21, 25, 26, 36, 44, 45, 58, 64, 77, 78, 80, 81),
        filters=filters, item_types=item_types, items=items,
        include=base_include(roots), init_pages=[100001, 100003, 100004])


# The catalog options of hotels and restaurants: the options and users tabs.
HOSPITALITY_OPTIONS = ItemType(1001, "Catalog options", "CommonOptionsItemManager", image="settings",
                               default_tab="OptionsEditor-options", editors=[Editor("HotelOptions")])


def hotel_type(number, name, description, order, hotel_editors, room_editors, rooms_manager,
               season_editors=(), extra_types=(), extra_actions=()):
    """A hotel site: the hotel is the company item, rooms live under the
    "Rooms & Rates" page (item 100002), seasons under item 21."""
    roots = [(21, "Seasons")]
    ui = catalog_menus(
        new_items=[(20, "Page", "page_new"), (21, "Contact Page", "contact"), (27, "Room", "room")],
        views=[(79, "All Rooms", "room")])
    ui += toolbar(BASE_TOOLBAR[0], (12, "Hotel", "hotel"), (27, "New Room", "room"),
                  (79, "All Rooms", "room"), *BASE_TOOLBAR[1:])
    ui += select_trees(*BASE_SELECT_TREES, (0, "-", ""), (57, "Seasons", "season"))
    ui += search_kinds((60, "Pages", "InfoPage"), (65, "Rooms", "Room"), (63, "Images", "Image"))
    item_types = [whole_catalog(ui)] + replace_types(common_item_types(), [HOSPITALITY_OPTIONS])
    item_types += info_page_types(children=[3001, 3003, 401])
    item_types += [
        ItemType(2001, "Hotel", "HotelItemManager", image="hotel", templates=PAGE_TEMPLATES,
                 default_tab="Hotel-info", first_tab="Hotel-info", editors=hotel_editors),
        page_type(IT_HOME, "Home page", "HomeItemManager", "home", children=[3001, 3003, 6002, 401]),
        page_type(6002, "Rooms and rates", rooms_manager, "room", children=[6003],
                  editors=page_editors(extra_first=[Editor("AllRoomsEditor")]),
                  ui=[UI(2, 27, "New Room", image="room"), UI(1, 27, "New Room")]),
        ItemType(6003, "Room", "RoomItemManager", image="room", flags=HTML, sort=SORT_PRODUCTS, parent=100002,
                 templates=PAGE_TEMPLATES, default_tab="Room-info", first_tab="Room-info", edit_tab="Room-info",
                 editors=room_editors + [Editor("AllRoomsChanger"), Editor("CommonWebPreview")]),
        ItemType(6009, "Season", image="season", editors=season_editors or [Editor("ItemProperties")]),
    ] + list(extra_types)
    items = base_items(number, roots) + [
        page(100001, IT_HOME, 1, "Home", 100000100, welcome("our hotel, its rooms and rates")),
        page(100002, 6002, 1, "Rooms & Rates", 100000200),
        page(100003, 3001, 1, "Location", 100000300),
        page(100004, 3003, 1, "Contact Us", 100000400),
    ]
    filters = common_filters() + [("HotelItemManager", "StatusBarText", "Hotel: $1"),
                                  ("RoomItemManager", "StatusBarText", "Room: $1")]
    return CatalogType(
        number, name, description, order, True, start_action=1,
        actions=actions(20, 21, 27, 57, 65, 79, *extra_actions),
        filters=filters, item_types=item_types, items=items,
        include=base_include(roots), init_pages=[100001, 100002, 100003, 100004],
        templates_of=8)  # every hotel type carries the hotel templates


def type3():
    return hotel_type(
        3, "Hotel", "Web site of a hotel: hotel information, rooms, seasons and rates", 4,
        hotel_editors=[Editor("HotelEditor"), Editor("HotelSeasons")],
        room_editors=[Editor("RoomEditor")], rooms_manager="AllRoomsItemManager")


def type5():
    return hotel_type(
        5, "Hotel booking site", "Web site of a hotel with booking: hotel information with meta tags, "
        "payment forms, seasons and room prices per season", 5,
        hotel_editors=[Editor("ZOZHotelEditor")],
        room_editors=[Editor("ZOZRoomEditor")], rooms_manager="RoomsRatesItemManager",
        extra_types=[dialog_type(6007, "Dialog: season", "ZOZEditSeason"),
                     dialog_type(6008, "Dialog: room price", "ZOZEditPrice")])


def type8():
    return hotel_type(
        8, "Hotel association member", "Web site of a hotel or guesthouse of the hotel association: hotel "
        "information, facilities of the house, payment forms and room prices", 6,
        hotel_editors=[Editor("ZOZHotelEditor", params="vido"), Editor("HotelFacilities")],
        room_editors=[Editor("RoomEditor", params="vido"), Editor("HotelFacilities", "Advanced")],
        rooms_manager="RoomsRatesItemManager",
        extra_types=[dialog_type(6007, "Dialog: season", "ZOZEditSeason"),
                     dialog_type(6008, "Dialog: room price", "ZOZEditPrice")])


def type7():
    """Restaurants: the company presents its restaurants, each with its
    information, photos, descriptions and map."""
    ui = catalog_menus(new_items=[(20, "Page", "page_new"), (21, "Contact Page", "contact"),
                                  (38, "Restaurant", "restaurant")])
    ui += toolbar(BASE_TOOLBAR[0], (20, "New Page", "page_new"), (38, "New Restaurant", "restaurant"),
                  *BASE_TOOLBAR[1:])
    ui += select_trees(*BASE_SELECT_TREES)
    ui += search_kinds((60, "Pages", "InfoPage"), (66, "Restaurants", "Restaurant"), (63, "Images", "Image"))
    item_types = [whole_catalog(ui)] + replace_types(common_item_types(), [HOSPITALITY_OPTIONS])
    item_types += info_page_types(children=[3001, 3003, IT_RESTAURANT, 401])
    item_types += [
        company_type([Editor("CommonCompany")]),
        page_type(IT_HOME, "Home page", "HomeItemManager", "home", children=[3001, 3003, IT_RESTAURANT, 401],
                  ui=[UI(2, 38, "New Restaurant", image="restaurant"), UI(1, 38, "New Restaurant")]),
        ItemType(IT_RESTAURANT, "Restaurant", "RestaurantItemManager", image="restaurant", flags=HTML,
                 sort=SORT_PRODUCTS, templates=PAGE_TEMPLATES, default_tab="Restaurant-basic",
                 first_tab="Restaurant-basic", edit_tab="Restaurant-basic",
                 editors=[Editor("RestaurantProperties"), Editor("CommonPageProperties", "Advanced"),
                          Editor("SimplePageProperties", "Simplified"), Editor("CommonWebPreview"),
                          Editor("CommonHtmlEditorDescription", params="class=CommonDesign&member=TopHTMLValue",
                                 kind=1),
                          Editor("CommonHtmlEditorMainDishes",
                                 params="class=CommonDesign&member=BottomHTMLValue", kind=2)]),
    ]
    items = base_items(7) + [
        page(100001, IT_HOME, 1, "Home", 100000100, welcome("our restaurants")),
        page(100003, 3001, 1, "About Us", 100000300),
        page(100004, 3003, 1, "Contact Us", 100000400),
    ]
    filters = common_filters() + [("RestaurantItemManager", "StatusBarText", "Restaurant: $1")]
    return CatalogType(
        7, "Restaurants", "Web site presenting restaurants: information, photos, menus and maps", 7, True,
        start_action=1, actions=actions(20, 21, 38, 66), filters=filters, item_types=item_types,
        items=items, include=base_include(), init_pages=[100001, 100003, 100004],
        templates_of=SHARED_TEMPLATES)


def type12():
    """A supplier of the partner trade portal: products sorted into the
    portal's categories (category pages under item 100002, kept in step by
    the program), and the supplier profile with its export records,
    certificates and references."""
    roots = [(11, "All Products"), (12, "Price Schedules"), (13, "Product Options"), (18, "Custom Fields")]
    exports_editor = "ListDataEditorSupplierExport"
    certificates_editor = "ListDataEditorSupplierCertificates"
    references_editor = "ListDataEditorSupplierReferences"
    ui = catalog_menus(
        new_items=[(20, "Page", "page_new"), (21, "Contact Page", "contact"), (23, "Product Line", "product_line"),
                   (22, "Product", "product_new")],
        views=[(70, "All Products", "product"), (71, "Price Schedules", "price"), (72, "Product Options", "option"),
               (73, "Custom Fields", "field")],
        exports=[(42, "Product Feed...")])
    ui.append(menu(130, "Product Wizard...", "CatalogNew", image="product_new"))
    ui += toolbar(BASE_TOOLBAR[0], (12, "Supplier Profile", "company"), (22, "New Product", "product_new"),
                  (70, "All Products", "product"), *BASE_TOOLBAR[1:])
    ui += select_trees(*BASE_SELECT_TREES, (0, "-", ""), (54, "Price Schedules", "price"),
                       (55, "Product Options", "option"))
    ui += search_kinds((61, "Products", "ProductPage"), (67, "Categories", "CategoryPage"),
                       (60, "Pages", "InfoPage"), (63, "Images", "Image"))
    item_types = [whole_catalog(ui)] + common_item_types() + product_item_types(
        [4001, 4002, 3001, 3003, 401], with_zarivuro=True)
    item_types += info_page_types(children=[3001, 3003, 4001, 4002, 401])
    item_types += [
        company_type([Editor("CommonCompany"), Editor("ZarivuroSupplierInfo"), Editor(exports_editor),
                      Editor(certificates_editor), Editor(references_editor), Editor("CommonCodes"),
                      Editor("IncludedToCatalogs", "Advanced")]
                     + [Editor(n, kind=2) for n in ("CommonZarivuroCompany", "CommonUNSPSCCompany",
                                                    "CommonHarmonizedCompany", "CommonEBayCompany")]),
        page_type(8006, "Partner category page", "CommonInfoPageItemManager", "category",
                  children=[4002], sort=SORT_OTHER),
        dialog_type(IT_EXPORT_DIALOG, "Dialog: supplier export record", "ZarivuroSupplierExportInfoEdit"),
        dialog_type(IT_CERTIFICATE_DIALOG, "Dialog: supplier certificate or award", "ZarivuroSupplierCertificateEdit"),
        dialog_type(IT_REFERENCE_DIALOG, "Dialog: supplier reference", "ZarivuroSupplierReferenceEdit"),
    ]
    items = base_items(12, roots) + [
        page(100001, 4001, 1, "Home", 100000100, welcome("our company and its products")),
        page(100002, 4001, 1, "Product Categories", 100000200),
        page(100003, 3001, 1, "Company Profile", 100000300),
        page(100004, 3003, 1, "Contact Us", 100000400),
    ]
    filters = common_filters() + [
        ("ProductItemManager", "StatusBarText", "Product: $1"),
        ("ProductLineItemManager", "StatusBarText", "Product line: $1"),
    ] + list_data_filters(exports_editor, "Export", "ZUDISupplierExport", IT_EXPORT_DIALOG,
                          [("ProductCode", "Product"), ("Year", "Year"), ("Volume", "Volume"), ("Unit", "Unit"),
                           ("CountryCode", "Country"), ("Note", "Note")],
                          "Do you really want to delete the export record?") \
        + list_data_filters(certificates_editor, "Certificates and Awards", "ZUDISupplierCertificateAward",
                            IT_CERTIFICATE_DIALOG, [("Name", "Name"), ("Year", "Year"), ("Type", "Type"),
                                                    ("Description", "Description")]) \
        + list_data_filters(references_editor, "References", "ZUDISupplierReferences", IT_REFERENCE_DIALOG,
                            [("Name", "Name"), ("Address", "Address"), ("Type", "Type")])
    # The custom fields' editor is captioned by the definition.
    filters.append(("ParamsManagerCustomFields", "NoNameItemCaption", "Custom Fields"))
    return CatalogType(
        12, "Partner portal supplier",
        "Web site of a supplier of the partner trade portal: products in the portal's categories and the "
        "supplier profile", 3, True, start_action=1,
        actions=actions(20, 21, 22, 23, 42, 54, 55, 61, 67, 70, 71, 72, 73, 130),
        filters=filters, item_types=item_types, items=items,
        include=base_include(roots), init_pages=[100001, 100002, 100003, 100004])


def type4():
    """The maker's own type: a style catalog "t#N" opened to edit a catalog
    type's definition, styles and templates, and to maintain the shared
    tables of the hosting service."""
    ui = [
        menu(0, "New", "Catalog", order_name="DefinitionNew", placement="before"),
        menu(110, "Action", "DefinitionNew", image="action"),
        menu(111, "Key Value", "DefinitionNew", image="key_value"),
        menu(112, "Item Type", "DefinitionNew", image="item_type"),
        menu(113, "Style", "DefinitionNew", image="style_sheet"),
        menu(122, "Tree Image", "DefinitionNew", image="image"),
        menu(114, "Catalog Type...", "Catalog", image="settings"),
        menu(115, "Initialisation Lists...", "Catalog"),
        menu(74, "Images Library", "View", image="image"),
        menu(0, "Hosting Service Tables", "Publish", order_name="HostTables"),
        menu(90, "Upload Global Tables", "HostTables"), menu(91, "Download Global Tables", "HostTables"),
        menu(92, "Upload References", "HostTables"), menu(93, "Download References", "HostTables"),
        menu(94, "Upload Partner Categories", "HostTables"), menu(95, "Download Partner Categories", "HostTables"),
        menu(96, "Upload eBay Categories", "HostTables"), menu(97, "Download eBay Categories", "HostTables"),
        menu(98, "Upload UNSPSC Codes", "HostTables"), menu(99, "Download UNSPSC Codes", "HostTables"),
        menu(100, "Upload Harmonized Codes", "HostTables"), menu(101, "Download Harmonized Codes", "HostTables"),
        menu(44, "Upload Style to Hosting Service...", "Publish"),
        menu(45, "Download Style from Hosting Service...", "Publish"),
        menu(10, "Information Page", "Help", image="home"),
    ]
    ui += toolbar((118, "Item Types", "item_type"), (116, "Actions", "action"), (117, "Key Values", "key_value"),
                  (114, "Catalog Type", "settings"))
    ui += select_trees((118, "Item Types", "item_type"), (116, "Actions", "action"), (117, "Key Values", "key_value"),
                       (119, "Tree Images", "image"), (120, "Catalog Type", "settings"), (0, "-", ""),
                       (50, "Templates", "template_folder"), (121, "Styles", "style_sheet"), (51, "Images", "image"))
    ui += search_kinds((69, "Item Types", "ItemTypeDefinition"), (63, "Images", "Image"))
    record_ui = [UI(1, 110, "New Action"), UI(1, 111, "New Key Value"), UI(1, 112, "New Item Type")]
    item_types = [whole_catalog(ui)] + replace_types(common_item_types(), [
        ItemType(801, "Action", "ParamsManagerAction", image="action", sort=SORT_OTHER,
                 default_tab="ActionProperties-basic", editors=[Editor("StyleActionEditor")]),
        ItemType(804, "Key value", "ParamsManagerKeyValue", image="key_value", sort=SORT_OTHER,
                 editors=[Editor("StyleKeyValueEditor")]),
        ItemType(810, "Item type definition", "ParamsManagerItemType", image="item_type", sort=SORT_OTHER,
                 default_tab="ItemType-basic", editors=[Editor("StyleItemTypeEditor")]),
        ItemType(IT_HEADER, "Catalog type", image="settings", editors=[Editor("CatalogTypeEditor")]),
        ItemType(IT_INIT_LISTS, "Initialisation lists", image="list", editors=[Editor("StyleInitializeEditor")]),
        ItemType(IT_ERROR_MESSAGE, "Error message", image="key_value", editors=[Editor("ErrorMessageEditor")]),
        ItemType(IT_STYLE, "Predefined style", image="style_sheet",
                 editors=[Editor("PreDefinedStyleEditor"), Editor("ItemProperties")]),
        ItemType(516, "Style preview page", image="preview",
                 editors=[Editor("ObjectEditorStylePreview"), Editor("ItemProperties")]),
        ItemType(603, "Catalog property", image="settings",
                 editors=[Editor("ObjectEditorCatalogProperty"), Editor("ItemProperties")]),
        # folders (the roots of the records among them) offer the new records
        # in their pop-up menu
        ItemType(2, "Folder", image="folder", sort=SORT_OTHER, editors=[Editor("ItemProperties")],
                 children=[2, 301, 304, 801, 804, 810, IT_STYLE] + TEMPLATE_TYPES, ui=record_ui),
        # the partner portal's category table is kept on the company's codes tab
        company_type([Editor("CommonCompany"), Editor("CommonZarivuroCompany")]),
    ])
    filters = common_filters() + [
        ("ParamsManagerAction", "ItemCaption", "Action: $1"),
        ("ParamsManagerAction", "NewItemName", "New Action"),
        ("ParamsManagerKeyValue", "ItemCaption", "Key Value: $1"),
        ("ParamsManagerKeyValue", "NewItemName", "New Key Value"),
        ("ParamsManagerItemType", "ItemCaption", "Item Type: $1"),
        ("ParamsManagerItemType", "NewItemName", "New Item Type"),
        ("ObjectEditorCatalogProperty", "TabCaption", "Property Value"),
        ("ObjectEditorCatalogProperty", "ClassXmlTag", "CatalogProperty"),
        ("ObjectEditorStylePreview", "TabCaption", "Preview Page"),
        ("ObjectEditorStylePreview", "ClassXmlTag", "StylePreview"),
    ]
    return CatalogType(
        4, "Catalog type definitions",
        "The maker's tool: a catalog type's definition, styles and templates, and the hosting service's tables",
        90, False,
        actions={i: ACTIONS[i] for i in (10, 44, 45, 50, 51, 63, 69, 74, *range(90, 102), *range(110, 123))},
        filters=filters, item_types=item_types, items=base_items(4), include=base_include(),
        templates_of=0)  # the templates of the definition in force without a catalog


CATALOG_TYPES = [type0(), type1(), type2(), type3(), type4(), type5(), type7(), type8(), type12()]
