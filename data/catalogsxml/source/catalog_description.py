"""The catalog description: classes, members, value lists, messages, item
types and well-known item ids.

This file is the source of the record-set XML files one folder up; run
make_catalogsxml.py after changing it and commit both.

Member types (the value table follows from the range):
    1-49 short text (CStrings)       50-99 long text (CText)
    100-149 integer (CNumbers)       150-199 number with fraction (CNumbers)
    200-249 date and time (CDates)   250-299 binary data (CBinary)
The types below are the ones the page XML gives a form of their own.

Member flags, written as letters:
    m  IsMultiple        several values, told apart by IndexId
    l  IsMultiLang       one value set per language ("XXX" otherwise)
    r  IsRequired
    L  IsList            values are codes of the member's value list
    o  IsOnlyList        only codes of the list are accepted
    d  UseDefLangForNull an empty value shows the default language's value
    u  IsUniqueInArray   a multiple member takes no second equal value
"""

# ------------------------------------------------------------ member types
TEXT = 1          # short text, a text node in page XML
PASSWORD = 9      # short text that page XML leaves empty
PLAIN = 51        # long text, a text node in page XML
HTML = 52         # HTML text, CDATA in page XML; "../images/" links count as used images
SOURCE = 53       # source code (XSL, CSS, script, page source), CDATA; links count too
INTEGER = 101     # whole number
ITEM = 102        # item id; renumbered with the items, counts as a reference
BOOLEAN = 104     # 1 or 0
SUBOBJECT = 105   # instance id of a sub-object of the same item
IMAGE = 106       # item id of an image item; unreferenced images are cleaned up by it
ITEM_OF = 107     # item id; page XML nests the item's object of the class in AdditionalText
NUMBER = 152      # number with fraction
AMOUNT = 153      # money amount, two decimals in page XML
DATE = 201        # date
DATETIME = 203    # date and time
BINARY = 251      # bytes of a file with its MIME type
PICTURE = 252     # bytes of a picture with its MIME type


class Member:
    def __init__(self, member_id, tag, member_type, flags="", description="",
                 init="", additional_text="", sql="", values=None,
                 values_lang="XXX"):
        self.member_id = member_id
        self.tag = tag
        self.member_type = member_type
        self.flags = flags
        self.description = description
        self.init = init
        self.additional_text = additional_text
        self.sql = sql
        # value list: (code, text) pairs, in the order shown
        self.values = values or []
        self.values_lang = values_lang


class Class:
    def __init__(self, class_id, tag, description, members):
        self.class_id = class_id
        self.tag = tag
        self.description = description
        self.members = members


M = Member
C = Class

# ------------------------------------------------------------ value lists
PAYMENT_FORMS = [
    ("cash", "Cash"), ("visa", "Visa"), ("mastercard", "MasterCard"),
    ("amex", "American Express"), ("diners", "Diners Club"),
    ("maestro", "Maestro"), ("banktransfer", "Bank transfer"),
    ("cheque", "Cheque"),
]

EBAY_SITES = [
    ("0", "United States"), ("2", "Canada"), ("3", "United Kingdom"),
    ("15", "Australia"), ("16", "Austria"), ("23", "Belgium (French)"),
    ("71", "France"), ("77", "Germany"), ("100", "eBay Motors"),
    ("101", "Italy"), ("123", "Belgium (Dutch)"), ("146", "Netherlands"),
    ("186", "Spain"), ("193", "Switzerland"), ("201", "Hong Kong"),
    ("203", "India"), ("205", "Ireland"), ("207", "Malaysia"),
    ("210", "Canada (French)"), ("211", "Philippines"), ("212", "Poland"),
    ("216", "Singapore"),
]

TRANSITIONS = [
    ("0", "(none)"), ("1001", "Blend"), ("1", "Box in"), ("2", "Box out"), ("3", "Circle in"),
    ("4", "Circle out"), ("5", "Wipe up"), ("6", "Wipe down"), ("7", "Wipe right"), ("8", "Wipe left"),
    ("9", "Vertical blinds"), ("10", "Horizontal blinds"), ("11", "Checkerboard across"),
    ("12", "Checkerboard down"), ("13", "Random dissolve"), ("14", "Split vertical in"),
    ("15", "Split vertical out"), ("16", "Split horizontal in"), ("17", "Split horizontal out"),
    ("18", "Strips left down"), ("19", "Strips left up"), ("20", "Strips right down"),
    ("21", "Strips right up"), ("22", "Random bars horizontal"), ("23", "Random bars vertical"),
    ("24", "Random transition from above possible values"),
]

TRANSITION_TIMES = [("2", "Short"), ("4", "Medium"), ("6", "Long")]

PERIODS = [("day", "Day"), ("week", "Week"), ("month", "Month"), ("quater", "Quater"), ("year", "Year")]

# ------------------------------------------------------------ classes
CLASSES = [
    # ---- common item data ------------------------------------------------
    C(1, "CommonNames", "Names of an item: its name per language and its alternative file name", [
        M(1, "ItemName", TEXT, "ld", "Name of the item per language; a name under XXX serves every language"),
        M(2, "AltFileName", TEXT, "ld", "Alternative file name under which the published site stores the item (letters, digits, - and _)"),
    ]),
    C(2, "CommonWebPage", "Web page settings: templates, visibility, title and description", [
        M(1, "MasterTemplate", ITEM, "", "Master template item of the page; 0 = the item type's default"),
        M(2, "BodyTemplate", ITEM, "", "Body template item of the page; 0 = the item type's default"),
        M(3, "LinkedJSP", ITEM, "", "Server-side script page published instead of the page for outputs other than html; 0 = none"),
        M(4, "NotVisible", BOOLEAN, "", "The page is left out of the navigation"),
        M(5, "Title", TEXT, "ld", "Page title (meta tags)"),
        M(6, "MetaDescription", TEXT, "ld", "Page description (meta description)"),
        M(7, "NotUseParentProperties", BOOLEAN, "", "The page keeps its own title and description instead of the parent's"),
    ]),
    C(3, "CommonCompanyInfo", "Company record of the catalog's company item 2001", [
        M(1, "CompanyName", TEXT, "ld", "Company name"),
        M(2, "CompanyDescription", PLAIN, "ld", "Company description"),
        M(3, "CompanyLogoImage", IMAGE, "", "Image item of the company logo; 0 = none"),
        M(4, "CompanyIcon", IMAGE, "", "Image item of the company icon; 0 = none"),
        M(5, "CompanyAddressLine1", TEXT, "", "Address line 1"),
        M(6, "CompanyAddressLine2", TEXT, "", "Address line 2"),
        M(7, "CompanyCountry", TEXT, "", "Country code of the references"),
        M(8, "CompanyAddressCity", TEXT, "", "City"),
        M(9, "CompanyAddressState", TEXT, "", "State or province (text or code of reference list 14)"),
        M(10, "CompanyAddressPostalCode", TEXT, "", "Postal code"),
        M(11, "CompanyAlternateURL", TEXT, "", "Alternate web address"),
        M(12, "CompanyContactName", TEXT, "", "Contact name"),
        M(14, "CompanyTechnicalContact", TEXT, "", "Technical contact"),
        M(13, "CompanyEmail", TEXT, "", "E-mail address"),
        M(15, "CompanyPhone", TEXT, "", "Phone"),
        M(16, "CompanyFax", TEXT, "", "Fax"),
    ]),
    C(4, "CommonDesign", "Top and bottom HTML of a page or the body of a story", [
        M(1, "TopHTMLValue", HTML, "ld", "HTML between the body tags shown at the top of the page"),
        M(2, "BottomHTMLValue", HTML, "ld", "HTML between the body tags shown at the bottom of the page"),
    ]),
    C(5, "Image", "Picture of an image item (item type 301)", [
        M(1, "ImageWidth", INTEGER, "", "Width of the stored picture in pixels"),
        M(2, "ImageHeight", INTEGER, "", "Height of the stored picture in pixels"),
        M(3, "ThumbnailItemId", IMAGE, "", "Image item of the thumbnail copy; 0 = none"),
        M(4, "LargeItemId", IMAGE, "", "Image item of the large copy; 0 = none"),
        M(6, "ImageData", PICTURE, "", "The encoded picture with its MIME type"),
        M(7, "IsBackgroundImage", BOOLEAN, "", "The picture is meant as a page background"),
    ]),
    C(6, "CommonPriceSchedule", "Price schedule (item type 2002)", [
        M(1, "CurrencyCode", TEXT, "", "Currency code of the schedule's prices"),
        M(2, "PriceVisibility", INTEGER, "L", "Who sees the prices",
          values=[("0", "Public"), ("1", "Approved buyers"), ("2", "Buyers registered with the hosting service"),
                  ("3", "Hidden")]),
        M(3, "Calculated", BOOLEAN, "", "The schedule is calculated from its base schedule"),
        M(4, "CalculatedType", INTEGER, "L", "Operation of the calculation",
          values=[("0", "Add"), ("1", "Substract"), ("2", "Multiply"), ("3", "Divide")]),
        M(5, "CalculatedValue", NUMBER, "", "Operand of the calculation"),
    ]),
    C(7, "CommonSource", "Source address of an item taken from the web", [
        M(1, "SourceURL", TEXT, "", "Address the item was downloaded from"),
    ]),
    C(8, "CommonKeywords", "Keywords of a page", [
        M(1, "MetaKeywords", TEXT, "ld", "Keywords of the page, one or more lines"),
        M(2, "UseParentKeywords", INTEGER, "L", "Whether the parent's keywords are included",
          values=[("0", "Include parent's keywords"), ("1", "Do not include parent's keywords")]),
        M(3, "NotUseParentProperties", BOOLEAN, "", "The page keeps its own keywords instead of the parent's"),
    ]),
    C(9, "PublishingSettings", "Publishing switches of a page", [
        M(1, "DontPublishItem", BOOLEAN, "", "The page is not published"),
        M(2, "DontPublishChildren", BOOLEAN, "", "The page's children are not published"),
    ]),
    C(10, "WebDocument", "Document facts of a page (meta tags)", [
        M(1, "Author", TEXT, "", "Author"),
        M(2, "AuthorEmail", TEXT, "", "Author's e-mail address"),
        M(3, "Copyright", TEXT, "", "Copyright"),
        M(4, "Publisher", TEXT, "", "Publisher"),
        M(5, "PublisherEmail", TEXT, "", "Publisher's e-mail address"),
        M(6, "Placename", TEXT, "", "Place name"),
        M(7, "Contributors", TEXT, "", "Contributors"),
        M(8, "Class", TEXT, "", "Document class (code of reference list 1)"),
        M(9, "Rights", TEXT, "", "Document rights (code of reference list 2)"),
        M(10, "Type", TEXT, "", "Document type (code of reference list 7)"),
        M(11, "State", TEXT, "", "Document state (code of reference list 5)"),
        M(12, "Distribution", TEXT, "", "Distribution (code of reference list 6)"),
        M(13, "Rating", TEXT, "", "Rating (code of reference list 4)"),
        M(14, "Classification", TEXT, "", "Classification (code of reference list 8)"),
        M(15, "NotUseParentProperties", BOOLEAN, "", "The page keeps its own document facts"),
    ]),
    C(11, "WebDocumentOther", "Refresh, referral and expiry of a page (meta tags)", [
        M(1, "Refresh", TEXT, "", "Refresh after, seconds"),
        M(2, "RefreshURL", TEXT, "", "Address loaded at the refresh"),
        M(3, "ReferalURL", TEXT, "", "Referral address"),
        M(4, "ReferalGenerator", BOOLEAN, "", "Write the generator meta tag"),
        M(5, "ReferalPragma", BOOLEAN, "", "Write the no-cache pragma"),
        M(6, "Expires", TEXT, "L", "Kind of expiry; empty: none",
          values=[("1", "Absolute date"), ("2", "RFC 850 text")]),
        M(7, "ExpiresValue", TEXT, "", "Expiry date or RFC 850 text"),
        M(8, "NotUseParentProperties", BOOLEAN, "", "The page keeps its own values for this group"),
    ]),
    C(12, "SearchEngine", "Search-engine hints of a page (meta tags)", [
        M(1, "AtomzAbstract", TEXT, "ld", "Abstract for search engines"),
        M(2, "AtomzTarget", TEXT, "", "Target for search engines"),
        M(3, "Revisit", TEXT, "L", "Revisit every n days",
          values=[(d, d) for d in ("1", "3", "5", "7", "15", "30", "60", "90", "180")]),
        M(4, "Robot", TEXT, "", "Robot searching (code of reference list 9)"),
        M(5, "CacheControl", TEXT, "", "Cache control (code of reference list 3)"),
        M(6, "NotUseParentProperties", BOOLEAN, "", "The page keeps its own values for this group"),
    ]),
    C(13, "DocumentLanguages", "Language and character set of a page (meta tags)", [
        M(1, "Language", TEXT, "l", "Document language code"),
        M(2, "LanguageOther", TEXT, "l", "Other document language"),
        M(3, "Charset", TEXT, "l", "Character set (code of reference list 11)"),
        M(4, "CharsetOther", TEXT, "l", "Other character set"),
        M(5, "Dialect", TEXT, "l", "Dialect (code of reference list 10)"),
        M(6, "DialectOther", TEXT, "l", "Other dialect"),
        M(7, "CharsetWindowTarget", BOOLEAN, "", "Write the window-target meta tag"),
        M(8, "NotUseParentProperties", BOOLEAN, "", "The page keeps its own values for this group"),
    ]),
    C(14, "IEEffects", "Page transition effects", [
        M(1, "Enter", INTEGER, "L", "Transition when the page is entered", values=TRANSITIONS),
        M(2, "EnterTime", NUMBER, "L", "Duration of the enter transition in seconds", values=TRANSITION_TIMES),
        M(3, "Exit", INTEGER, "L", "Transition when the page is left", values=TRANSITIONS),
        M(4, "ExitTime", NUMBER, "L", "Duration of the exit transition in seconds", values=TRANSITION_TIMES),
        M(5, "NotUseParentProperties", BOOLEAN, "", "The page keeps its own values for this group"),
    ]),
    C(15, "ChatSettings", "Live-chat service of the company item", [
        M(1, "ChatName", TEXT, "L", "Chat service; empty: none", values=[("boldchat", "BoldChat")]),
        M(2, "ChatId", TEXT, "", "Account id at the chat service"),
    ]),
    C(16, "CommonComments", "Short description of a style item", [
        M(1, "ShortComment", PLAIN, "", "Description shown in the style dialog"),
    ]),
    C(17, "HtmlData", "Stored source of an HTML page (item type 401)", [
        M(1, "SourceCode", SOURCE, "ld", "The whole HTML document"),
    ]),
    C(18, "ASPData", "Stored source of an ASP page (item type 402)", [
        M(1, "SourceCode", SOURCE, "ld", "The page's ASP source"),
    ]),
    C(19, "JSPData", "Stored source of a JSP page (item type 403)", [
        M(1, "SourceCode", SOURCE, "ld", "The page's JSP source"),
    ]),
    C(20, "PHPData", "Stored source of a PHP page (item type 404)", [
        M(1, "SourceCode", SOURCE, "ld", "The page's PHP source"),
    ]),
    C(21, "ShtmlData", "Stored source of an SHTML page (item type 405)", [
        M(1, "SourceCode", SOURCE, "ld", "The page's SHTML source"),
    ]),

    # ---- page links --------------------------------------------------------
    C(101, "Links", "Link groups of a page", [
        M(1, "LinkGroup", SUBOBJECT, "m", "Instance ids of the page's LinkGroup sub-objects"),
    ]),
    C(102, "LinkObject", "One custom link of a link group (values per language)", [
        M(1, "IsPageLink", BOOLEAN, "l", "The link leads to a page of the catalog"),
        M(2, "PageItemId", ITEM_OF, "l", "The linked page; its names are nested in page XML", additional_text="CommonNames"),
        M(3, "URL", TEXT, "l", "Address of a link to any address"),
        M(4, "Caption", TEXT, "l", "Caption of a link to any address"),
    ]),
    C(103, "LinkGroup", "One link group of a page with its custom links", [
        M(1, "LinkGroup", TEXT, "", "Name of the link group, as the templates' generation rules name it"),
        M(2, "LinkStyles", INTEGER, "ld", "0 default links, 1 default and custom links, 2 parent's links, 3 only custom links"),
        M(3, "Link", SUBOBJECT, "ml", "Instance ids of the group's LinkObject sub-objects, in order, per language"),
    ]),

    # ---- libraries -------------------------------------------------------
    C(304, "BinaryObject", "File of a binary-object item (item type 304)", [
        M(1, "BinaryDataFileName", TEXT, "", "Original file name without folder"),
        M(2, "BinaryData", BINARY, "", "The file's bytes with their MIME type"),
    ]),
    C(306, "AdditionalField", "Definition of a product custom field (item type 306)", [
        M(1, "XmlTag", TEXT, "", "XML tag of the field"),
    ]),
    C(307, "LinkToImage", "Link to an image item", [
        M(1, "Image", IMAGE, "", "The linked image item; 0 = none"),
    ]),

    # ---- templates and styles -----------------------------------------
    C(501, "MasterTemplate", "Style of a master template (item type 501)", [
        M(1, "ColorScheme", ITEM, "", "Colour style sheet item (item type 504); 0 = none"),
        M(2, "FontScheme", ITEM, "", "Font style sheet item (item type 505); 0 = none"),
        M(3, "BackgroundImageCode", IMAGE, "", "Background image item; 0 = none"),
    ]),
    C(502, "BodyTemplate", "Settings of a body template (item type 502)", [
        M(1, "ItemOnPage", INTEGER, "", "Items per page; 0 = 9"),
        M(2, "HasItemOnPage", BOOLEAN, "", "The template shows its items on several pages"),
        M(3, "NeedCustomTemplate", BOOLEAN, "", "The page's style sheet includes custom.xsl"),
    ]),
    C(503, "XmlData", "XSL or XML source of a template item", [
        M(1, "SourceCode", SOURCE, "", "The template's XSL source (XML for language resources)"),
    ]),
    C(504, "CSSData", "Source of a style-sheet item (item types 504 and 505)", [
        M(1, "SourceCode", SOURCE, "", "The CSS text"),
    ]),
    C(505, "Version", "Version of a template, style or script item", [
        M(1, "Version", TEXT, "", "Version number as text, with \".\" as decimal separator"),
        M(2, "DontAskUpToVersion", TEXT, "", "Version of the style catalog the user declined to update to"),
        M(3, "WasModifiedByUser", BOOLEAN, "", "The item was changed by the user"),
    ]),
    C(506, "JavaScript", "Source of a script item (item type 506)", [
        M(1, "SourceCode", SOURCE, "", "The JavaScript text"),
    ]),
    C(510, "PreDefinedStyle", "A predefined style of a style catalog (children of item 510)", [
        M(1, "IncludeStyles", TEXT, "mu", "Ids of the items and images loaded with the style"),
        M(2, "DefaultStyles", TEXT, "mu", "Ids of the loaded templates that become the catalog's default templates"),
        M(3, "MasterTemplateItemId", ITEM, "", "Master template of the style (item type 501); 0 = none"),
        M(4, "ColorCssItemId", ITEM, "", "Default colour style sheet (item type 504); 0 = none"),
        M(5, "FontCssItemId", ITEM, "", "Default font style sheet (item type 505); 0 = none"),
        M(6, "BackgroundImage", IMAGE, "", "Default background image; 0 = none"),
        M(7, "ColorStyles", TEXT, "mu", "Ids of the colour style sheets offered"),
        M(8, "FontStyles", TEXT, "mu", "Ids of the font style sheets offered"),
        M(9, "Backgrounds", TEXT, "mu", "Ids of the background images offered"),
    ]),
    C(513, "TemplateFolder", "Template folder", [
        M(1, "TemplateItemId", ITEM, "", "Default template of the folder"),
    ]),
    C(516, "StylePreview", "Preview page of a style catalog (item type 516)", [
        M(1, "PreviewItemId", ITEM, "", "Page shown as preview"),
        M(2, "PreviewItemType", INTEGER, "", "Item type of the page shown"),
    ]),
    C(518, "TemplateSettings", "One setting of a template (one instance per setting)", [
        M(1, "SettingsName", TEXT, "", "Name of the setting (form field)"),
        M(2, "SettingsValue", TEXT, "", "Value of the setting"),
    ]),
    C(521, "InitCatalog", "Initialisation and upgrade lists of a catalog type's definition (item 521)", [
        M(1, "IncludeItem", TEXT, "mu", "Ids of the items copied into a new catalog"),
        M(2, "InitPageStructure", TEXT, "mu", "Ids of the initial pages copied unless a web site is imported"),
        M(3, "UpdateItem", TEXT, "mu", "Ids of the items added to existing catalogs on upgrade"),
        M(4, "DeleteItem", TEXT, "mu", "Ids of the items deleted from existing catalogs on upgrade"),
    ]),

    # ---- catalog bookkeeping ----------------------------------------
    C(601, "Languages", "Data languages of the catalog (item 601)", [
        M(1, "LangCode", TEXT, "m", "One value per catalog language, in list order"),
        M(2, "DefaultLangCode", TEXT, "", "Default data language"),
    ]),
    C(602, "Users", "Login user of the catalog (item type 602 under item 7)", [
        M(1, "UserName", TEXT, "", "Login name"),
        M(2, "Passwd", PASSWORD, "", "Password, plain or in the scrambled form beginning with $"),
        M(3, "Description", TEXT, "", "Description of the user"),
        M(4, "Role", TEXT, "L", "Role of the user; another word than those listed gives the least rights",
          values=[("Admin", "Administrator"), ("Power", "Power User"), ("Publisher", "Publisher"),
                  ("User", "User"), ("Clerk", "Clerk"), ("Guest", "Guest")]),
    ]),
    C(603, "CatalogProperty", "Value of a catalog property (item type 603 under item 8, item id = property number)", [
        M(1, "PropertyValue", TEXT, "", "The property's value"),
    ]),
    C(604, "CatalogInfo", "Identity of the catalog (item 604)", [
        M(1, "CatalogType", INTEGER, "", "Catalog type number"),
        M(2, "CatalogUniqId", TEXT, "", "The catalog's unique id at the hosting service"),
    ]),
    C(606, "CoCMember", "Member catalog of a catalog network (item type 5002)", [
        M(1, "CatalogCode", TEXT, "", "Catalog code of the member catalog"),
        M(2, "CatalogType", INTEGER, "", "Catalog type of the member catalog"),
        M(3, "RegenerateIfChanged", BOOLEAN, "", "Regenerate the page at the host when the member's data changed"),
    ]),
    C(607, "ApprovedWholesaleBuyer", "Approved wholesale buyer (item type 607)", [
        M(1, "WholesaleBuyerCode", TEXT, "", "Buyer code; equals the item's name"),
    ]),
    C(608, "LinkToCatalogItem", "Link of a member catalog to its company item", [
        M(1, "CatalogCode", TEXT, "", "Catalog code of the member catalog"),
        M(2, "ClassId", INTEGER, "", "Class of the linked object (3)"),
        M(3, "ItemId", INTEGER, "", "Item in the member catalog (2001)"),
    ]),
    C(609, "IncludedToCatalog", "Catalogs a catalog belongs to", [
        M(1, "CatalogCode", TEXT, "mu", "Catalog codes, in order"),
    ]),
    C(613, "CatalogCreation", "Creation of the catalog (item 613)", [
        M(613001, "CreationDate", DATETIME, "", "Date and time the catalog was created"),
    ]),

    # ---- catalog-type definitions (style catalogs t#N) ---------------
    C(801, "CatalogActions", "Action of a catalog-type definition (item type 801 under item 29)", [
        M(1, "ActionId", INTEGER, "", "Action id"),
        M(2, "Action", TEXT, "", "Action string"),
    ]),
    C(802, "CatalogEditors", "Editor of an item-type definition (one instance per editor)", [
        M(2, "PluginName", TEXT, "", "Plug-in name of the UI editor"),
        M(3, "EditorsType", INTEGER, "", "Editor kind: which editor set of the item type"),
        M(4, "Params", TEXT, "", "Parameter string of the editor"),
        M(5, "Condition", TEXT, "", "Condition under which the editor is shown"),
        M(6, "OrderNum", INTEGER, "", "Order of the editor"),
    ]),
    C(803, "CatalogItemOrders", "Sort group of an item-type definition", [
        M(5, "StartOrderNum", INTEGER, "", "Sort group: start of the type's order-number range"),
    ]),
    C(804, "CatalogKeyParams", "Key value of a catalog-type definition (item type 804 under item 30)", [
        M(1, "Filter", TEXT, "", "Filter, usually an editor name"),
        M(2, "Key", TEXT, "", "Key"),
        M(3, "Value", TEXT, "", "Value"),
    ]),
    C(805, "CatalogChildTypes", "Allowed child type of an item-type definition (one instance per type)", [
        M(2, "ChildItemType", INTEGER, "", "Item type the type's items may contain"),
    ]),
    C(806, "CatalogDescription", "Header of a catalog-type definition (item 806)", [
        M(1, "OrderNum", INTEGER, "", "Sort order of the catalog type"),
        M(2, "CatalogName", TEXT, "", "Name of the catalog type"),
        M(3, "CatalogDescription", TEXT, "", "Description of the catalog type"),
        M(4, "Listed", BOOLEAN, "", "The type is offered for new catalogs"),
        M(5, "InitAction", INTEGER, "", "Id of the action run when a new catalog opens"),
        M(6, "BodyTemplate", SOURCE, "", "Default body template of the type (XSL)"),
        M(8, "DataVersion", TEXT, "", "Version of the definition's data; catalogs below it are upgraded"),
        M(9, "CatalogType", INTEGER, "", "Catalog type number"),
    ]),
    C(807, "CatalogItemTypes", "Item manager, tabs and flags of an item-type definition", [
        M(2, "PluginName", TEXT, "", "Plug-in name of the item manager"),
        M(3, "DefaultTab", TEXT, "", "Tab shown when the remembered tab is missing"),
        M(4, "NewItemTab", TEXT, "", "Tab shown first when an item is opened afresh"),
        M(5, "EditItemTab", TEXT, "", "Tab opened for an item chosen from a list"),
        M(6, "ParentItemId", ITEM, "", "Parent of the data items of the type's linked places"),
        M(7, "ImageCode", TEXT, "", "Tree image of the type"),
        M(8, "IsPage", INTEGER, "", "Flag word: 1 html, 2 jsp, 4 php, 8 asp, 0x10 shtml, 0x20 not in the main tree, 0x80 pdf, 0x100 doc, 0x200 remove old before generation, 0x400 page templates for scripts"),
        M(9, "Params", TEXT, "", "Parameter string handed to the item manager"),
    ]),
    C(808, "CatalogTemplates", "Template folder of an item-type definition (one instance per kind)", [
        M(2, "TemplateType", INTEGER, "L", "Kind of template",
          values=[("0", "Master Template"), ("1", "Body Template"), ("2", "Color Css"), ("3", "Font CSS"),
                  ("4", "Report"), ("5", "JSP"), ("6", "Dynamic Script")]),
        M(3, "ParentItemId", ITEM, "", "Template folder item of that kind"),
    ]),
    C(809, "CatalogUIElements", "Menu entry, button, Select Tree entry or search kind of an item-type definition", [
        M(1, "ElementType", INTEGER, "L", "Kind of element",
          values=[("1", "Menu Item"), ("2", "Toolbar Button"), ("3", "Select Tree"), ("4", "Search Item")]),
        M(3, "ActionId", INTEGER, "", "Action run by the element"),
        M(4, "Caption", TEXT, "", "Caption"),
        M(5, "Hint", TEXT, "", "Hint"),
        M(6, "Location", TEXT, "", "Parameters: MenuPath, Placement, Name"),
        M(7, "ImageCode", TEXT, "", "Image name"),
        M(8, "Condition", TEXT, "", "Condition under which the element is shown"),
        M(9, "Greyed", TEXT, "", "Condition under which the element is greyed"),
        M(10, "OrderNum", INTEGER, "", "Order of the element"),
    ]),
    C(810, "ItemType", "Item-type definition (item type 810 under item 31)", [
        M(1, "ItemTypeId", INTEGER, "", "The item type defined"),
        M(2, "Description", TEXT, "", "Description of the type"),
    ]),
    C(811, "ErrorMessage", "Error message of a catalog-type definition", [
        M(1, "PhraseKey", TEXT, "", "Key of the message"),
        M(2, "TranslatedPhrase", TEXT, "", "The message; {n} stands for the n-th argument"),
    ]),

    # ---- shop ------------------------------------------------------------
    C(1004, "Price", "One price row of a product (sub-object of Prices)", [
        M(1, "PriceValue", AMOUNT, "", "The price; 0 for a request for quote"),
        M(2, "PriceSchedule", ITEM, "", "Price schedule item of the row"),
        M(3, "QuantityAtStock", INTEGER, "", "Quantity in stock"),
        M(4, "MinimumQuantity", INTEGER, "", "Minimum order quantity; 0 = none"),
        M(5, "IsMinimumQuantity", BOOLEAN, "", "A minimum order quantity applies"),
        M(6, "IsRequestForQuote", BOOLEAN, "", "Request for quote instead of a price"),
        M(8, "OptionItemId", ITEM, "m", "Option value items of the row's combination; none = all combinations"),
    ]),
    C(1014, "CustomXslTemplate", "Custom XSL template of a service (one instance per template type)", [
        M(1, "TemplateType", INTEGER, "L", "Template type",
          values=[("1", "Service description"), ("2", "Order form"), ("3", "Order confirmation"),
                  ("4", "Service status")]),
        M(2, "UseTemplate", BOOLEAN, "", "The template is used"),
        M(3, "Template", SOURCE, "", "The XSL text"),
    ]),
    C(1015, "ServicePackage", "Service contained in a package (instances on the package's service item)", [
        M(1, "ServiceGUID", TEXT, "", "GUID of the contained service"),
        M(2, "Restrictions", TEXT, "", "Restrictions"),
        M(3, "FreeTrialRestrictions", TEXT, "", "Restrictions during the free trial"),
        M(4, "TrialRestrictions", TEXT, "", "Restrictions during the trial"),
    ]),
    C(1511, "FroogleSettings", "Product feed settings (item 1511)", [
        M(1, "UserName", TEXT, "", "User name at the shopping search service"),
        M(2, "Password", PASSWORD, "", "Password at the shopping search service"),
        M(3, "FTPSite", TEXT, "", "FTP host the feed is uploaded to"),
    ]),
    C(2011, "PaypalSettings", "PayPal shopping-cart settings of the company item", [
        M(1, "Custom", TEXT, "", "Custom value passed to PayPal"),
        M(2, "NoNote", BOOLEAN, "", "The buyer is not asked for a note"),
        M(3, "NoShipping", BOOLEAN, "", "The buyer is not asked for a shipping address"),
        M(4, "PaypalLogo", IMAGE, "", "Image item of the logo shown at PayPal; 0 = none"),
        M(5, "Shipping", AMOUNT, "", "Shipping cost"),
        M(6, "Shipping2", AMOUNT, "", "Shipping cost of each further item"),
    ]),

    # ---- services ------------------------------------------------------
    C(3301, "Service", "Sellable service (item type 3301)", [
        M(1, "GUID", TEXT, "", "GUID of the service: 32 hexadecimal digits"),
        M(2, "Description", TEXT, "ld", "Description"),
        M(3, "IsNotActive", BOOLEAN, "", "The service is not active"),
        M(4, "AskConfirmation", BOOLEAN, "", "The buyer confirms the usage"),
        M(5, "Confirmation", TEXT, "ld", "Confirmation text"),
        M(6, "AllowOnlyInPackages", BOOLEAN, "", "Sold only in packages"),
        M(7, "OnlyForCatalog", TEXT, "", "Catalog code the service is limited to"),
        M(8, "IsOneTimeService", BOOLEAN, "", "One-time service instead of a subscription"),
        M(9, "Cost", AMOUNT, "", "Cost per period"),
        M(10, "CurrencyCode", TEXT, "", "Currency code"),
        M(11, "Units", TEXT, "ld", "Units"),
        M(12, "Period", TEXT, "L", "Time period of the price", values=PERIODS + [("infinite", "Infinite")]),
        M(13, "AllowMultipleInstances", BOOLEAN, "", "A buyer may order the service more than once"),
        M(14, "MinPeriods", INTEGER, "", "Minimum number of periods; 0 = open"),
        M(15, "MaxPeriods", INTEGER, "", "Maximum number of periods; 0 = open"),
        M(16, "InstallationCost", AMOUNT, "", "Installation cost"),
        M(17, "FreeTrialNumPeriods", INTEGER, "", "Periods of the free trial"),
        M(18, "FreeTrialPeriod", TEXT, "L", "Period of the free trial", values=PERIODS),
        M(19, "TrialNumPeriods", INTEGER, "", "Periods of the trial"),
        M(20, "TrialPeriod", TEXT, "L", "Period of the trial", values=PERIODS),
        M(21, "TrialCost", AMOUNT, "", "Cost of the trial"),
        M(22, "IsPackage", BOOLEAN, "", "The service is a package of services"),
    ]),
    C(3302, "ServiceGroup", "Group of services", [
        M(1, "IsExclusive", BOOLEAN, "", "The group's services exclude each other"),
    ]),
    C(3303, "InitService", "Initial state of an ordered instance of a service", [
        M(1, "ServiceProviderGUID", TEXT, "", "GUID of the service provider"),
        M(2, "ExpirationTerm", INTEGER, "", "Number of periods until expiry"),
        M(3, "ExpirationPeriod", TEXT, "L", "Period until expiry; empty: none",
          values=PERIODS + [("infinite", "Infinite")]),
        M(4, "Quantity", INTEGER, "", "Quantity"),
        M(5, "ServiceGUID", TEXT, "", "GUID of the service"),
        M(6, "InitStatus", INTEGER, "", "Initial status (code of TransactionStatus.Status)"),
        M(7, "InitPaymentStatus", INTEGER, "", "Initial payment status (code of TransactionStatus.PaymentStatus)"),
        M(8, "InitShippingStatus", INTEGER, "", "Initial shipping status (code of TransactionStatus.ShippingStatus)"),
        M(9, "OrderedItemType", INTEGER, "", "Type of the ordered item (code of OrderedItem.ItemType)"),
    ]),
    C(3304, "TransactionStatus", "Status codes of an order; only its value lists are used", [
        M(1, "Status", INTEGER, "L", "Status of an order",
          values=[("1", "Pending"), ("2", "Active"), ("3", "Suspended"), ("4", "Cancelled"), ("5", "Expired")]),
        M(2, "PaymentStatus", INTEGER, "L", "Payment status of an order",
          values=[("1", "Not paid"), ("2", "Paid"), ("3", "Refunded")]),
        M(3, "ShippingStatus", INTEGER, "L", "Shipping status of an order",
          values=[("1", "Not shipped"), ("2", "Shipped"), ("3", "Delivered")]),
    ]),
    C(3305, "OrderedItem", "Ordered item; only its value list is used", [
        M(1, "ItemType", INTEGER, "L", "Kind of the ordered item",
          values=[("1", "Service"), ("2", "Package"), ("3", "Product")]),
    ]),
    C(3306, "ServiceField", "Data field of a service that the buyer fills in (one instance per field)", [
        M(1, "FieldName", TEXT, "", "Name of the field"),
        M(2, "FieldTag", TEXT, "", "XML tag of the field"),
        M(3, "FieldType", TEXT, "", "Type of the field"),
        M(4, "Description", TEXT, "", "Description of the field"),
    ]),

    # ---- products ------------------------------------------------------
    C(4004, "Product", "Product data (product pages)", [
        M(1, "Code", TEXT, "", "Product code"),
        M(2, "Name", TEXT, "ld", "Product name"),
        M(3, "Description", TEXT, "ld", "Product description"),
        M(4, "History", TEXT, "ld", "Product history"),
    ]),
    C(4005, "ProductSpecs", "Product specifications", [
        M(1, "Width", TEXT, "", "Width"),
        M(2, "Length", TEXT, "", "Length"),
        M(3, "Height", TEXT, "", "Height"),
        M(4, "Diameter", TEXT, "", "Diameter"),
        M(5, "DimensionsUnit", TEXT, "", "Unit id of the dimensions (references' dimension units)"),
        M(6, "Weight", TEXT, "", "Weight"),
        M(7, "WeightUnit", TEXT, "", "Unit id of the weight (references' weight units)"),
        M(8, "Material", TEXT, "ld", "Material"),
        M(9, "PackingDetails", TEXT, "ld", "Packing details"),
        M(10, "DominantColor", TEXT, "", "Dominant colour (Pantone), free text"),
        M(11, "Keywords", TEXT, "ld", "Keywords"),
        M(12, "Comments", TEXT, "", "Internal notes"),
        M(13, "DominantRGB", TEXT, "", "Dominant colour: six hexadecimal digits, blue first"),
        M(14, "RGB", TEXT, "m", "Colours of the product: six hexadecimal digits each, red first"),
    ]),
    C(4006, "ProductShipping", "Product shipping data", [
        M(1, "MonthlyCapacity", TEXT, "", "Monthly production capacity"),
        M(2, "PreparationTimeToShip", TEXT, "", "Preparation time to ship, days"),
        M(3, "StorageLocation", TEXT, "", "Storage location"),
        M(4, "TaxClass", TEXT, "", "Tax class"),
        M(5, "DateIntroduced", DATE, "", "Date the product was introduced; 0 = unknown"),
    ]),
    C(4007, "ProductImages", "Images of a product", [
        M(1, "MainImage", IMAGE, "", "Main image item; 0 = none"),
        M(2, "ThumbnailImage", IMAGE, "", "Thumbnail image item; 0 = none"),
        M(3, "LargeImage", IMAGE, "", "Full-size image item; 0 = none"),
        M(4, "NotUseMainImageThumbnail", BOOLEAN, "", "The thumbnail is not the main image's thumbnail copy"),
    ]),
    C(4008, "ProductAdditionalField", "Value of a custom field of a product (one instance per field)", [
        M(1, "AdditionalField", ITEM, "", "Custom-field definition item (item type 306)"),
        M(2, "FieldData", TEXT, "ld", "The value"),
    ]),
    C(4009, "ProductOptions", "Options of a product", [
        M(1, "HasOptions", BOOLEAN, "", "The product has options"),
        M(2, "Options", ITEM, "mu", "Option items (item type 302), in the order added"),
        M(3, "OptionObjects", SUBOBJECT, "m", "ProductOption sub-objects, one per combination with a stock code"),
    ]),
    C(4010, "ProductOption", "Stock code of one option combination (sub-object of ProductOptions)", [
        M(1, "OptionItemId", ITEM, "m", "Option value items of the combination"),
        M(2, "SKU", TEXT, "", "Stock-keeping unit"),
    ]),
    C(4011, "Prices", "Price rows of a product", [
        M(1, "HasPricesForEachOption", BOOLEAN, "", "Different prices for different options"),
        M(2, "Price", SUBOBJECT, "m", "Price sub-objects, one per row"),
    ]),
    C(4012, "MultipleAdditionalImages", "Additional images of a product", [
        M(1, "AdditionalImage", IMAGE, "m", "Additional image items"),
    ]),
    C(4013, "ProductSearchLimits", "Search-result limits of a product", [
        M(1, "ThumbnailSize", INTEGER, "", "Thumbnail size in pixels"),
        M(2, "ProductNameLength", INTEGER, "", "Length of the product name in characters"),
    ]),
    C(4014, "eBayPrice", "eBay listing data of a product; its value lists on item 2001 fill the eBay options", [
        M(1, "MinimalBid", AMOUNT, "", "Minimum bid"),
        M(2, "Quantity", INTEGER, "", "Number of items offered"),
        M(3, "ReservedPrice", AMOUNT, "", "Reserve price; 0 = none"),
        M(4, "BuyItNowPrice", AMOUNT, "", "Buy It Now price; 0 = none"),
        M(5, "DontUseDefaultSettings", BOOLEAN, "", "The product's own settings apply"),
        M(6, "PayPalAccount", TEXT, "", "PayPal account (e-mail address)"),
        M(7, "Duration", INTEGER, "L", "Listing duration in days",
          values=[("1", "1 day"), ("3", "3 days"), ("5", "5 days"), ("7", "7 days"), ("10", "10 days")]),
        M(8, "CounterType", INTEGER, "L", "Listing counter",
          values=[("0", "None"), ("1", "Andale Style"), ("2", "Green LED"), ("3", "Hidden")]),
        M(9, "SiteId", INTEGER, "L", "eBay site id", values=EBAY_SITES),
        M(10, "CurrencyCode", TEXT, "", "Currency of the site"),
        M(11, "AcceptablePaymentMethods", TEXT, "mLu", "Accepted payment methods",
          values=[("ebaypayment", "eBay Payment (See In Description)"), ("paypal", "PayPal"),
                  ("cashondelivery", "Cash On Delivery"), ("personalchecks", "Personal Checks")]),
    ]),
    C(4015, "eBayImages", "eBay pictures of a product", [
        M(1, "GalleryImage", IMAGE, "", "Gallery image item; 0 = none"),
        M(2, "IsFeaturedGallery", BOOLEAN, "", "Featured in the gallery"),
        M(3, "PhotoImages", IMAGE, "m", "Further photo image items"),
    ]),

    # ---- hospitality ---------------------------------------------------
    C(6001, "HotelInfo", "Hotel information", [
        M(1, "HotelName", TEXT, "ld", "Name of the hotel"),
        M(2, "Proximity", TEXT, "ld", "Proximity"),
        M(3, "LocationShort", PLAIN, "ld", "Short description of the location"),
        M(4, "Rating", TEXT, "L", "Hotel type or rating",
          values=[("1", "1 star"), ("2", "2 stars"), ("3", "3 stars"), ("4", "4 stars"), ("5", "5 stars"),
                  ("guesthouse", "Guesthouse"), ("apartment", "Apartment"), ("hostel", "Hostel")]),
        M(5, "ServiceChargePercent", TEXT, "", "Service charge, per cent"),
        M(6, "BreakfastIncluded", TEXT, "L", "Breakfast",
          values=[("yes", "Breakfast included"), ("no", "Breakfast not included"),
                  ("extra", "Breakfast at extra charge")]),
        M(7, "FullboarIncluded", BOOLEAN, "", "Full board included in the room price"),
        M(8, "InstantConfirmation", BOOLEAN, "", "Instant confirmation available"),
        M(9, "NumberRooms", INTEGER, "", "Number of rooms"),
        M(10, "NumberSmokingRooms", INTEGER, "", "Number of smoking rooms"),
        M(11, "NumberRoomsForInstantConfirmation", INTEGER, "", "Rooms allotted for instant confirmation"),
        M(12, "Payments", TEXT, "mLu", "Accepted payment forms", values=PAYMENT_FORMS),
        M(13, "FacilitiesAvailable", TEXT, "mLu", "Facilities",
          values=[("parking", "Parking"), ("garage", "Garage"), ("restaurant", "Restaurant"), ("bar", "Bar"),
                  ("pool", "Swimming pool"), ("fitness", "Fitness room"), ("sauna", "Sauna"),
                  ("internet", "Internet access"), ("aircon", "Air conditioning"), ("lift", "Lift"),
                  ("conference", "Conference room"), ("pets", "Pets allowed"),
                  ("wheelchair", "Wheelchair access")]),
        M(14, "FacilitiesOther", PLAIN, "ld", "Other facilities"),
        M(15, "Language", TEXT, "mLu", "Languages spoken",
          values=[("EN", "English"), ("DE", "German"), ("FR", "French"), ("ES", "Spanish"),
                  ("IT", "Italian"), ("NL", "Dutch"), ("PT", "Portuguese"), ("RU", "Russian"),
                  ("PL", "Polish")]),
        M(16, "LanguageOther", TEXT, "ld", "Other languages spoken"),
        M(17, "PriceNotes", PLAIN, "ld", "Notes on the prices"),
        M(18, "HtmlDescription", HTML, "ld", "Description of the hotel"),
        M(19, "FacilitiesDescription", HTML, "ld", "Description of the facilities"),
        M(20, "RoomDescription", HTML, "ld", "Description of the rooms"),
        M(21, "LocationDescription", HTML, "ld", "Description of the location"),
        M(22, "Logotype", IMAGE, "", "Logo image item; 0 = none"),
        M(23, "HotelPhoto", IMAGE, "", "Photo image item; 0 = none"),
        M(24, "HotelCityCode", TEXT, "", "City code of reference list 13"),
    ]),
    C(6002, "ZOZHotelInfo", "Hotel information of the hotel-association editors", [
        M(1, "OnlyCurrencyForLanguage", TEXT, "l", "Currency shown for the language; empty = any available"),
        M(2, "Title", PLAIN, "ld", "Page title"),
        M(3, "MetaKeywords", PLAIN, "ld", "Keywords"),
        M(4, "MetaDescription", PLAIN, "ld", "Description"),
    ]),
    C(6003, "RoomInfo", "Room information and fixed-period room prices", [
        M(1, "RoomCategory", TEXT, "L", "Room category",
          values=[("single", "Single room"), ("double", "Double room"), ("twin", "Twin room"),
                  ("triple", "Triple room"), ("family", "Family room"), ("suite", "Suite"),
                  ("apartment", "Apartment")]),
        M(2, "Smoking", TEXT, "L", "Smoking",
          values=[("nonsmoking", "Non-smoking"), ("smoking", "Smoking")]),
        M(3, "SpecialNotes", PLAIN, "ld", "Notes"),
        M(4, "OtherCharacteristics", TEXT, "ld", "Other characteristics"),
        M(5, "RoomCode", TEXT, "", "Room code"),
        M(6, "NumRooms", INTEGER, "", "Number of rooms in this category"),
        M(7, "Breakfast", BOOLEAN, "", "Breakfast included"),
        M(8, "Characteristics", TEXT, "mLu", "Characteristics",
          values=[("bath", "Private bathroom"), ("shower", "Shower"), ("tv", "Television"),
                  ("phone", "Telephone"), ("minibar", "Minibar"), ("balcony", "Balcony"),
                  ("aircon", "Air conditioning"), ("safe", "Safe"), ("internet", "Internet access")]),
        M(9, "RoomPhoto", IMAGE, "", "Photo image item; 0 = none"),
        M(10, "AdditionalPhotos", IMAGE, "m", "Further photo image items"),
        M(11, "Currency", TEXT, "", "Currency code of the prices"),
        M(12, "Rates", TEXT, "ld", "Rates for"),
        M(13, "Price1", AMOUNT, "", "Price of period 1 (high season)"),
        M(14, "Price1Text", TEXT, "ld", "Description of price 1"),
        M(15, "Price1Ext", AMOUNT, "", "Extra price of period 1"),
        M(16, "Price1ExtText", TEXT, "ld", "Description of the extra price of period 1"),
        M(17, "PriceValidStart1", TEXT, "", "Start of period 1"),
        M(18, "PriceValidEnd1", TEXT, "", "End of period 1"),
        M(19, "PriceValidPeople1", INTEGER, "", "Number of persons the rate applies to"),
        M(20, "PriceAdd1", AMOUNT, "", "Price for an additional person, period 1"),
        M(21, "Price2", AMOUNT, "", "Price of period 2 (low season)"),
        M(22, "Price2Text", TEXT, "ld", "Description of price 2"),
        M(23, "Price2Ext", AMOUNT, "", "Extra price of period 2"),
        M(24, "Price2ExtText", TEXT, "ld", "Description of the extra price of period 2"),
        M(25, "PriceValidStart2", TEXT, "", "Start of period 2"),
        M(26, "PriceValidEnd2", TEXT, "", "End of period 2"),
        M(27, "PriceAdd2", AMOUNT, "", "Price for an additional person, period 2"),
    ]),
    C(6004, "RoomSeasonPrice", "Price of a room in one season (instances on the room item)", [
        M(1, "Season", ITEM, "", "Season item (item type 6009)"),
        M(2, "Currency", TEXT, "", "Currency code"),
        M(3, "SinglePrice", AMOUNT, "", "Single-room price"),
        M(4, "DoublePrice", AMOUNT, "", "Double-room price"),
        M(5, "ExtraPersonPrice", AMOUNT, "", "Extra-person price (twin-room price in catalog type 8)"),
        M(6, "TriplePrice", AMOUNT, "", "Triple-room price"),
        M(7, "QuadroPrice", AMOUNT, "", "Quadruple-room price"),
    ]),
    C(6005, "VIDOHotelInfo", "Hotel information of the association's guesthouses", [
        M(1, "CheckInTime", TEXT, "", "Check-in time"),
        M(2, "CheckOutTime", TEXT, "", "Check-out time"),
        M(3, "OwnerProcessBooking", BOOLEAN, "", "The hotel handles booking requests itself"),
    ]),
    C(6009, "ZOZSeason", "Dates of a season (item type 6009)", [
        M(1, "FromDay", INTEGER, "", "First day"),
        M(2, "FromMonth", INTEGER, "", "First month"),
        M(3, "FromYear", INTEGER, "", "First year"),
        M(4, "ToDay", INTEGER, "", "Last day"),
        M(5, "ToMonth", INTEGER, "", "Last month"),
        M(6, "ToYear", INTEGER, "", "Last year"),
    ]),
    C(6010, "Restaurant", "Restaurant information", [
        M(1, "RestaurantName", TEXT, "ld", "Name of the restaurant"),
        M(2, "OpeningHours", TEXT, "ld", "Opening hours"),
        M(3, "ContactPerson", TEXT, "", "Contact person"),
        M(4, "ContactPersonTitle", TEXT, "", "Title of the contact person"),
        M(5, "Email", TEXT, "", "E-mail address"),
        M(6, "AlternateURL", TEXT, "", "Alternate web address"),
        M(7, "Payments", TEXT, "mlLu", "Accepted payment forms", values=PAYMENT_FORMS, values_lang="EN"),
        M(8, "AddressCountry", TEXT, "", "Country"),
        M(9, "AddressProvince", TEXT, "", "Province (code of reference list 14)"),
        M(10, "AddressCity", TEXT, "", "City"),
        M(11, "AddressLine1", TEXT, "", "Address line 1"),
        M(12, "AddressLine2", TEXT, "", "Address line 2"),
        M(13, "Phone", TEXT, "", "Phone"),
        M(14, "Fax", TEXT, "", "Fax"),
        M(15, "RestaurantPhoto", IMAGE, "", "Photo image item; 0 = none"),
        M(16, "MainDishesPhoto", IMAGE, "", "Photo of the main dishes; 0 = none"),
        M(17, "RestaurantMap", IMAGE, "", "Map image item; 0 = none"),
    ]),
    C(6011, "Hotel", "Hotel logo (the example of an image-editor parameter string)", [
        M(1, "Logo", IMAGE, "", "Logo image item; 0 = none"),
    ]),

    # ---- reports -------------------------------------------------------
    C(7001, "Report", "Report item (item types 7001 and 7003)", [
        M(1, "ReportTemplate", ITEM, "", "Report template the report is made from (its report type); master template of the report"),
        M(2, "ReportBodyTemplateId", ITEM, "", "Body template of the report"),
        M(3, "CreateParameters", PLAIN, "", "Data submitted in the creation form"),
        M(4, "CustomizedParameters", PLAIN, "", "Data submitted in the customization form"),
    ]),

    # ---- classification codes ------------------------------------------
    C(8001, "ZUDIProductCategories", "Partner-portal categories of an item", [
        M(2, "CategoryId", INTEGER, "mu", "Category ids of the partner category table"),
    ]),
    C(8002, "UNSPSC", "UNSPSC codes of an item", [
        M(1, "UNSPSCCode", TEXT, "mu", "Eight-character codes: segment, family, class, commodity"),
    ]),
    C(8003, "Harmonized", "Harmonized System codes of an item", [
        M(1, "HarmonizedCode", TEXT, "mu", "Six-character codes"),
    ]),
    C(8004, "eBay", "eBay categories of an item (at most two)", [
        M(1, "CategoryId", INTEGER, "mu", "eBay category ids"),
    ]),

    # ---- partner-portal supplier profile -----------------------------
    C(8101, "ZUDISupplierProfile", "Supplier profile for the partner portal", [
        M(1, "TypeOfActivity", TEXT, "L", "Type of activity",
          values=[("manufacturer", "Manufacturer"), ("trading", "Trading company"),
                  ("distributor", "Distributor"), ("agent", "Agent"), ("service", "Service provider")]),
        M(2, "LegalStatus", TEXT, "L", "Legal status",
          values=[("sole", "Sole proprietorship"), ("partnership", "Partnership"),
                  ("limited", "Limited company"), ("corporation", "Corporation"),
                  ("cooperative", "Cooperative"), ("state", "State-owned enterprise")]),
        M(3, "YearOfFoundation", INTEGER, "", "Year of foundation"),
        M(4, "TotalNumberOfEmployees", INTEGER, "", "Total number of employees"),
        M(5, "OtherInfo", PLAIN, "ld", "Other information"),
        M(6, "SupplierImage", IMAGE, "", "Image item of the supplier; 0 = none"),
    ]),
    C(8102, "ZUDISupplierCertificateAward", "Certificate or award of a supplier (one instance per row)", [
        M(1, "Name", TEXT, "", "Name"),
        M(2, "Year", INTEGER, "", "Year, four digits"),
        M(3, "Type", TEXT, "L", "Kind of the row",
          values=[("certificate", "Certificate"), ("award", "Award")]),
        M(4, "Description", TEXT, "", "Description"),
    ]),
    C(8103, "ZUDISupplierReferences", "Reference of a supplier (one instance per row)", [
        M(1, "Name", TEXT, "", "Name"),
        M(2, "Address", TEXT, "", "Address"),
        M(3, "Type", TEXT, "L", "Kind of the reference",
          values=[("customer", "Customer"), ("supplier", "Supplier"), ("bank", "Bank"),
                  ("partner", "Business partner")]),
    ]),
    C(8104, "ZUDISupplierExport", "Export record of a supplier (one instance per row)", [
        M(1, "ProductCode", TEXT, "", "Product name, with its code in brackets"),
        M(2, "Year", INTEGER, "", "Year, four digits"),
        M(3, "Volume", TEXT, "", "Volume"),
        M(4, "Unit", TEXT, "", "Unit of the volume"),
        M(5, "CountryCode", TEXT, "", "Country code of the references"),
        M(6, "Note", TEXT, "", "Note"),
    ]),

    # ---- preview ---------------------------------------------------------
    C(10005, "WholesaleBuyerLogin", "Logged-in wholesale buyer of a page preview", [
        M(1, "Id", INTEGER, "", "Buyer id; -1010101 = undefined"),
        M(2, "Login", TEXT, "", "Login name"),
    ]),
]

# ------------------------------------------------------------ messages
# Caption (message type 1) and hint (message type 2) of a member, in "EN":
# the label and the hint that editors show for the member's control. The
# captions are those the editors give the controls.
MESSAGES = {
    ("CommonNames", "ItemName"): ("Name", "Name of the item, shown in the trees and on the pages"),
    ("CommonNames", "AltFileName"): (
        "Alternative File Name",
        "File name of the published page or file in place of its item id; letters, digits, - and _ only"),
    ("CommonWebPage", "MasterTemplate"): ("Master Template", ""),
    ("CommonWebPage", "BodyTemplate"): ("Body Template", ""),
    ("CommonWebPage", "LinkedJSP"): ("Server-Side Script Template", ""),
    ("CommonWebPage", "Title"): ("Title", ""),
    ("CommonWebPage", "MetaDescription"): ("Description", ""),
    ("CommonKeywords", "MetaKeywords"): ("Keywords", ""),
    ("CommonCompanyInfo", "CompanyName"): ("Company Name", ""),
    ("CommonCompanyInfo", "CompanyDescription"): ("Company Description", ""),
    ("CommonCompanyInfo", "CompanyAddressLine1"): ("Address Line 1", ""),
    ("CommonCompanyInfo", "CompanyAddressLine2"): ("Address Line 2", ""),
    ("CommonCompanyInfo", "CompanyCountry"): ("Country", ""),
    ("CommonCompanyInfo", "CompanyAddressCity"): ("City", ""),
    ("CommonCompanyInfo", "CompanyAddressState"): ("State/Province", ""),
    ("CommonCompanyInfo", "CompanyAddressPostalCode"): ("Postal Code", ""),
    ("CommonCompanyInfo", "CompanyAlternateURL"): ("Alternate Web Address", ""),
    ("CommonCompanyInfo", "CompanyContactName"): ("Contact Name", ""),
    ("CommonCompanyInfo", "CompanyTechnicalContact"): ("Technical Contact", ""),
    ("CommonCompanyInfo", "CompanyEmail"): ("Email", ""),
    ("CommonCompanyInfo", "CompanyPhone"): ("Phone", ""),
    ("CommonCompanyInfo", "CompanyFax"): ("Fax", ""),
    ("WebDocument", "Class"): ("Document class", ""),
    ("WebDocument", "Rights"): ("Document rights", ""),
    ("WebDocument", "Type"): ("Document type", ""),
    ("WebDocument", "State"): ("Document state", ""),
    ("WebDocument", "Distribution"): ("Distribution", ""),
    ("WebDocument", "Rating"): ("Rating", ""),
    ("WebDocument", "Classification"): ("Classification", ""),
    ("WebDocumentOther", "Refresh"): ("Refresh after, seconds", ""),
    ("WebDocumentOther", "RefreshURL"): ("Refresh URL", ""),
    ("SearchEngine", "Revisit"): ("Revisit every (days)", ""),
    ("SearchEngine", "Robot"): ("Robot searching", ""),
    ("SearchEngine", "CacheControl"): ("Cache control", ""),
    ("DocumentLanguages", "Language"): ("Language", ""),
    ("DocumentLanguages", "Charset"): ("Charset", ""),
    ("DocumentLanguages", "Dialect"): ("Dialect", ""),
    ("IEEffects", "Enter"): ("Enter Effect", ""),
    ("IEEffects", "EnterTime"): ("Enter Time", ""),
    ("IEEffects", "Exit"): ("Exit Effect", ""),
    ("IEEffects", "ExitTime"): ("Exit Time", ""),
    ("Version", "Version"): ("Version", ""),
    ("Users", "UserName"): ("Login Name", ""),
    ("Users", "Description"): ("Description", ""),
    ("Users", "Role"): ("Role", ""),
    ("PreDefinedStyle", "MasterTemplateItemId"): ("Master Template", ""),
    ("PreDefinedStyle", "ColorCssItemId"): ("Color CSS", ""),
    ("PreDefinedStyle", "FontCssItemId"): ("Font CSS", ""),
    ("PreDefinedStyle", "BackgroundImage"): ("Background Image", ""),
    ("CatalogActions", "ActionId"): ("ID", ""),
    ("CatalogActions", "Action"): ("Command", ""),
    ("Product", "Code"): ("Product Code", ""),
    ("Product", "Name"): ("Product Name", ""),
    ("Product", "Description"): ("Description", ""),
    ("Product", "History"): ("History", ""),
    ("ProductShipping", "MonthlyCapacity"): ("Monthly Production Capacity", ""),
    ("ProductShipping", "PreparationTimeToShip"): ("Preparation Time to Ship (days)", ""),
    ("ProductShipping", "StorageLocation"): ("Storage Location", ""),
    ("ProductShipping", "TaxClass"): ("Tax Class", ""),
    ("ProductShipping", "DateIntroduced"): ("Date Introduced", ""),
    ("ProductSpecs", "Length"): ("Length", ""),
    ("ProductSpecs", "Width"): ("Width", ""),
    ("ProductSpecs", "Height"): ("Height", ""),
    ("ProductSpecs", "Diameter"): ("Diameter", ""),
    ("ProductSpecs", "DimensionsUnit"): ("Dimensions Unit", ""),
    ("ProductSpecs", "Weight"): ("Weight", ""),
    ("ProductSpecs", "WeightUnit"): ("Weight Unit", ""),
    ("ProductSpecs", "Material"): ("Material", ""),
    ("ProductSpecs", "PackingDetails"): ("Packing Details", ""),
    ("ProductSpecs", "DominantColor"): ("Dominant Color (Pantone)", ""),
    ("ProductSpecs", "Keywords"): ("Keywords", ""),
    ("ProductSpecs", "Comments"): ("Internal Notes", ""),
    ("eBayPrice", "MinimalBid"): ("Minimum Bid", ""),
    ("eBayPrice", "ReservedPrice"): ("Reserved Price", ""),
    ("eBayPrice", "BuyItNowPrice"): ("\"Buy It Now\" Price", ""),
    ("eBayPrice", "Quantity"): ("Quantity", ""),
    ("eBayPrice", "CurrencyCode"): ("Currency", ""),
    ("eBayPrice", "Duration"): ("Duration in days", ""),
    ("eBayPrice", "CounterType"): ("Counter", ""),
    ("eBayPrice", "SiteId"): ("Site", ""),
    ("Service", "GUID"): ("Service GUID", ""),
    ("Service", "Description"): ("Description", ""),
    ("Service", "AskConfirmation"): ("Confirmate usage of the service", ""),
    ("Service", "Confirmation"): ("Confirmate string", ""),
    ("Service", "AllowOnlyInPackages"): ("Allowed only in packages", ""),
    ("Service", "OnlyForCatalog"): ("Available Only For Catalog", ""),
    ("Service", "Cost"): ("Cost", ""),
    ("Service", "CurrencyCode"): ("Currency", ""),
    ("Service", "Units"): ("Units", ""),
    ("Service", "Period"): ("Time Period", ""),
    ("Service", "AllowMultipleInstances"): ("Allow Multiply Instances of the Service", ""),
    ("Service", "MinPeriods"): ("Minimum periods", ""),
    ("Service", "MaxPeriods"): ("Maximum periods", ""),
    ("Service", "IsPackage"): ("This is a package", ""),
    ("ServiceGroup", "IsExclusive"): ("Group contains mutually exclusive services", ""),
    ("HotelInfo", "FullboarIncluded"): ("Full board included in room price", ""),
    ("HotelInfo", "InstantConfirmation"): ("Instant confirmation available", ""),
    ("VIDOHotelInfo", "OwnerProcessBooking"): ("Hotel/Guesthouse will handle booking requests", ""),
    ("RoomInfo", "Breakfast"): ("Breakfast included", ""),
    ("Prices", "HasPricesForEachOption"): ("Has different prices for different options", ""),
    ("ProductOptions", "HasOptions"): ("The product has options", ""),
}

# ------------------------------------------------------------ item types
# (item type, XmlTagName, Description)
ITEM_TYPES = [
    (2, "Folder", "Folder"),
    (10, "StoryList", "All stories"),
    (11, "ProductList", "All products"),
    (12, "PriceSchedules", "Price schedules"),
    (13, "ProductOptions", "Product options"),
    (18, "CustomFields", "Custom fields"),
    (20, "VendorList", "All member catalogs"),
    (22, "ApprovedWholesaleBuyers", "Approved wholesale buyers"),
    (201, "InsertTableDialog", "Dialog: insert table"),
    (202, "ImageDialog", "Dialog: picture"),
    (203, "SelectPageDialog", "Dialog: select page"),
    (204, "HyperlinkDialog", "Dialog: enter hyperlink"),
    (205, "PageOrHyperlinkDialog", "Dialog: select page or hyperlink"),
    (207, "BinaryObjectDialog", "Dialog: insert binary object"),
    (208, "PriceDialog", "Dialog: edit price"),
    (209, "ItemOptionDialog", "Dialog: select item option"),
    (210, "HtmlSourceDialog", "Dialog: edit HTML source"),
    (301, "Image", "Image"),
    (302, "ItemOption", "Product option"),
    (304, "BinaryObject", "Binary object"),
    (306, "AdditionalField", "Custom field"),
    (401, "HtmlPage", "HTML page"),
    (402, "AspPage", "ASP page"),
    (403, "JspPage", "JSP page"),
    (404, "PhpPage", "PHP page"),
    (405, "ShtmlPage", "SHTML page"),
    (501, "MasterTemplate", "Master template"),
    (502, "BodyTemplate", "Body template"),
    (503, "LanguageResource", "Language resource"),
    (504, "ColorStyleSheet", "Colour style sheet"),
    (505, "FontStyleSheet", "Font style sheet"),
    (506, "Script", "Script"),
    (510, "PredefinedStyle", "Predefined style"),
    (512, "PageCommonTemplates", "Common templates of pages"),
    (513, "TemplateFolder", "Template folder"),
    (514, "ReportTemplate", "Report template"),
    (516, "StylePreviewPage", "Style preview page"),
    (517, "TemplateSettingsPage", "Settings page of a template"),
    (518, "ReportCommonTemplates", "Common templates of reports"),
    (519, "ReportCreationForm", "Creation form of a report template"),
    (521, "ReportType", "Report type"),
    (601, "Languages", "Catalog languages"),
    (602, "Users", "User"),
    (603, "CatalogProperty", "Catalog property"),
    (604, "CatalogInfo", "Catalog information"),
    (606, "CoCManagementDialog", "Dialog: catalog network management"),
    (607, "ApprovedWholesaleBuyer", "Approved wholesale buyer"),
    (801, "CatalogAction", "Action"),
    (804, "CatalogKeyValue", "Key value"),
    (806, "CatalogType", "Catalog type"),
    (810, "ItemTypeDefinition", "Item type definition"),
    (811, "ErrorMessage", "Error message"),
    (820, "InitialisationLists", "Initialisation lists"),
    (1001, "CatalogOptions", "Catalog options"),
    (1002, "InitialSettings", "Initial settings"),
    (1003, "InformationPage", "Information page"),
    (1511, "FroogleSettings", "Product feed settings"),
    (2001, "Company", "Company"),
    (2002, "PriceSchedule", "Price schedule"),
    (2004, "HomePage", "Home page"),
    (3001, "InfoPage", "Information page"),
    (3002, "StoryPage", "Story"),
    (3003, "ContactPage", "Contact page"),
    (3301, "Service", "Service"),
    (3302, "ServiceGroup", "Service group"),
    (3306, "ServiceFieldDialog", "Dialog: service field"),
    (4001, "ProductLinePage", "Product line page"),
    (4002, "ProductPage", "Product"),
    (5001, "VendorListPage", "Member catalogs page"),
    (5002, "VendorPage", "Member catalog"),
    (6002, "AllRooms", "All rooms"),
    (6003, "Room", "Room"),
    (6007, "SeasonDialog", "Dialog: season"),
    (6008, "RoomPriceDialog", "Dialog: room price"),
    (6009, "Season", "Season"),
    (6010, "Restaurant", "Restaurant"),
    (7001, "Report", "Report"),
    (7003, "HtmlReport", "HTML report"),
    (8006, "CategoryPage", "Partner category page"),
    (8102, "SupplierCertificateDialog", "Dialog: supplier certificate or award"),
    (8103, "SupplierReferenceDialog", "Dialog: supplier reference"),
    (8104, "SupplierExportDialog", "Dialog: supplier export record"),
    (16000, "IncludedToCatalogs", "Catalogs the catalog belongs to"),
]

# ------------------------------------------------------------ item ids
# (item id, XmlTagName)
ITEM_IDS = [
    (1, "WebTreeRoot"),
    (3, "ImagesRoot"),
    (4, "BinaryObjectsRoot"),
    (5, "TemplatesRoot"),
    (6, "LanguagesRoot"),
    (7, "UsersRoot"),
    (8, "PropertiesRoot"),
    (9, "CatalogInfoRoot"),
    (10, "StoriesRoot"),
    (11, "ProductsRoot"),
    (12, "PriceSchedulesRoot"),
    (13, "ItemOptionsRoot"),
    (17, "ReportsRoot"),
    (18, "AdditionalItemsRoot"),
    (20, "CoCRoot"),
    (21, "SeasonsRoot"),
    (22, "WholesaleBuyersRoot"),
    (29, "ActionsRoot"),
    (30, "KeyValuesRoot"),
    (31, "ItemTypesRoot"),
    (510, "StylesRoot"),
    (521, "InitCatalog"),
    (601, "Languages"),
    (602, "Administrator"),
    (604, "CatalogInfo"),
    (613, "CatalogCreation"),
    (806, "CatalogDescription"),
    (1511, "FroogleSettings"),
    (2001, "Company"),
    (16000, "IncludedToCatalogs"),
    (100001, "HomeRoot"),
    (100002, "SecondPage"),
    (640000, "TreeImagesRoot"),
]
