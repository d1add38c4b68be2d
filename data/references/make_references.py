#!/usr/bin/env python3
"""Writes the generated tables of the reference database as plain SQL.

Reads Debian's iso-codes data (package "iso-codes", no network) and writes,
next to this script:

  languages.sql         Languages         (ISO 639-1 languages + "XXX")
  countries.sql         Countries         (ISO 3166-1)
  currencies.sql        Currencies        (ISO 4217, circulating currencies)
  country_currency.sql  CountryCurrency   (currencies used in each country)
  regions.sql           Regions, RegionCountry (continents)

Run it again after an update of iso-codes and commit its output:

  python3 data/references/make_references.py [--iso-dir DIR]

The tables it checks itself: every country has a region and, except
Antarctica, at least one currency that is in the currency table.
"""

import argparse
import json
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_ISO_DIR = "/usr/share/iso-codes/json"
ROWS_PER_INSERT = 100

# ---------------------------------------------------------------- languages

# Clearer English names where the ISO list gives several names or an
# inverted form.
LANGUAGE_NAMES = {
    "bh": "Bihari", "bn": "Bengali", "ca": "Catalan", "cu": "Church Slavic",
    "dv": "Divehi", "el": "Greek", "es": "Spanish", "gd": "Scottish Gaelic",
    "ht": "Haitian Creole", "ia": "Interlingua", "ie": "Interlingue",
    "ii": "Sichuan Yi", "ki": "Kikuyu", "kj": "Kuanyama", "kl": "Greenlandic",
    "km": "Khmer", "ky": "Kyrgyz", "lb": "Luxembourgish", "li": "Limburgish",
    "nb": "Norwegian Bokmål", "nd": "North Ndebele", "nl": "Dutch",
    "nn": "Norwegian Nynorsk", "nr": "South Ndebele", "nv": "Navajo",
    "ny": "Chichewa", "oc": "Occitan", "os": "Ossetian", "pa": "Punjabi",
    "ps": "Pashto", "ro": "Romanian", "si": "Sinhala", "st": "Southern Sotho",
    "to": "Tongan", "ug": "Uyghur", "za": "Zhuang",
}

# The language's name in its own language.
NATIVE_NAMES = {
    "af": "Afrikaans", "am": "አማርኛ", "an": "Aragonés", "ar": "العربية",
    "as": "অসমীয়া", "ay": "Aymar aru", "az": "Azərbaycan dili",
    "ba": "Башҡорт", "be": "Беларуская", "bg": "Български", "bn": "বাংলা",
    "bo": "བོད་ཡིག", "br": "Brezhoneg", "bs": "Bosanski", "ca": "Català",
    "ce": "Нохчийн", "co": "Corsu", "cs": "Čeština", "cv": "Чӑвашла",
    "cy": "Cymraeg", "da": "Dansk", "de": "Deutsch", "dv": "ދިވެހި",
    "dz": "རྫོང་ཁ", "el": "Ελληνικά", "en": "English", "eo": "Esperanto",
    "es": "Español", "et": "Eesti", "eu": "Euskara", "fa": "فارسی",
    "fi": "Suomi", "fj": "Vosa Vakaviti", "fo": "Føroyskt", "fr": "Français",
    "fy": "Frysk", "ga": "Gaeilge", "gd": "Gàidhlig", "gl": "Galego",
    "gn": "Avañe'ẽ", "gu": "ગુજરાતી", "gv": "Gaelg", "ha": "Hausa",
    "he": "עברית", "hi": "हिन्दी", "hr": "Hrvatski", "ht": "Kreyòl ayisyen",
    "hu": "Magyar", "hy": "Հայերեն", "ia": "Interlingua",
    "id": "Bahasa Indonesia", "ig": "Asụsụ Igbo", "is": "Íslenska",
    "it": "Italiano", "iu": "ᐃᓄᒃᑎᑐᑦ", "ja": "日本語", "jv": "Basa Jawa",
    "ka": "ქართული", "kk": "Қазақ тілі", "kl": "Kalaallisut", "km": "ខ្មែរ",
    "kn": "ಕನ್ನಡ", "ko": "한국어", "ku": "Kurdî", "kv": "Коми",
    "kw": "Kernewek", "ky": "Кыргызча", "la": "Latina",
    "lb": "Lëtzebuergesch", "lg": "Luganda", "li": "Limburgs",
    "ln": "Lingála", "lo": "ລາວ", "lt": "Lietuvių", "lv": "Latviešu",
    "mg": "Malagasy", "mi": "Māori", "mk": "Македонски", "ml": "മലയാളം",
    "mn": "Монгол", "mr": "मराठी", "ms": "Bahasa Melayu", "mt": "Malti",
    "my": "မြန်မာ", "nb": "Norsk bokmål", "ne": "नेपाली", "nl": "Nederlands",
    "nn": "Norsk nynorsk", "no": "Norsk", "oc": "Occitan",
    "om": "Afaan Oromoo", "or": "ଓଡ଼ିଆ", "os": "Ирон", "pa": "ਪੰਜਾਬੀ",
    "pl": "Polski", "ps": "پښتو", "pt": "Português", "qu": "Runa Simi",
    "rm": "Rumantsch", "ro": "Română", "ru": "Русский",
    "rw": "Ikinyarwanda", "sa": "संस्कृतम्", "sc": "Sardu", "sd": "سنڌي",
    "se": "Davvisámegiella", "si": "සිංහල", "sk": "Slovenčina",
    "sl": "Slovenščina", "sm": "Gagana Samoa", "sn": "chiShona",
    "so": "Soomaali", "sq": "Shqip", "sr": "Српски", "st": "Sesotho",
    "su": "Basa Sunda", "sv": "Svenska", "sw": "Kiswahili", "ta": "தமிழ்",
    "te": "తెలుగు", "tg": "Тоҷикӣ", "th": "ไทย", "ti": "ትግርኛ",
    "tk": "Türkmençe", "tl": "Tagalog", "tn": "Setswana",
    "to": "Lea faka-Tonga", "tr": "Türkçe", "tt": "Татарча",
    "ug": "ئۇيغۇرچە", "uk": "Українська", "ur": "اردو", "uz": "Oʻzbekcha",
    "vi": "Tiếng Việt", "wa": "Walon", "wo": "Wolof", "xh": "isiXhosa",
    "yi": "ייִדיש", "yo": "Yorùbá", "zh": "中文", "zu": "isiZulu",
}

# Windows character-set name and ANSI code page of a language. Languages
# without an ANSI code page get "DEFAULT" and 0.
CHARSETS = {
    ("ANSI", 1252): "af br ca co cy da de en eo es eu fi fo fr fy ga gd gl gv "
                    "ia id ie io is it kw la lb li ms nb nl nn no oc pt rm sc "
                    "so sv sw wa ",
    ("EASTEUROPE", 1250): "bs cs hr hu pl ro sk sl sq",
    ("RUSSIAN", 1251): "ba be bg ce cv kk kv ky mk mn os ru sr tg tt uk uz",
    ("GREEK", 1253): "el",
    ("TURKISH", 1254): "az tr",
    ("HEBREW", 1255): "he yi",
    ("ARABIC", 1256): "ar fa ps sd ug ur",
    ("BALTIC", 1257): "et lt lv",
    ("VIETNAMESE", 1258): "vi",
    ("THAI", 874): "th",
    ("JAPANESE", 932): "ja",
    ("WANSUNG", 949): "ko",
    ("GB2312", 936): "zh",
}

# The code that stands for "no particular language" in the catalog data;
# listed so that language combos can show it as their empty choice.
NO_LANGUAGE = ("XXX", "XXX", "(Not specified)")

# ---------------------------------------------------------------- currencies

# ISO 4217 codes that are no money a price is quoted in: funds, precious
# metals, bond units, drawing rights, the testing and "no currency" codes.
NOT_MONEY = {
    "BOV", "CHE", "CHW", "CLF", "COU", "MXV", "USN", "UYI", "UYW",
    "XAG", "XAU", "XBA", "XBB", "XBC", "XBD", "XDR", "XPD", "XPT", "XSU",
    "XTS", "XUA", "XXX",
}

# Currencies in use in each country (ISO 3166-1 alpha-2), the country's own
# currency first.
CURRENCY_COUNTRIES = {
    "EUR": "AD AT AX BE BL CY DE EE ES FI FR GF GP GR HR IE IT LT LU LV MC "
           "ME MF MQ MT NL PM PT RE SI SK SM TF VA YT",
    "USD": "AS BQ EC FM GU IO MH MP PA PR PW SV TC TL UM US VG VI ZW",
    "XCD": "AG AI DM GD KN LC MS VC",
    "XOF": "BF BJ CI GW ML NE SN TG",
    "XAF": "CF CG CM GA GQ TD",
    "XPF": "NC PF WF",
    "AUD": "AU CC CX HM KI NF NR TV",
    "NZD": "CK NU NZ PN TK",
    "GBP": "GB GG GS IM JE",
    "NOK": "BV NO SJ",
    "DKK": "DK FO GL",
    "CHF": "CH LI",
    "INR": "BT IN",
    "ZAR": "LS NA SZ ZA",
    "ANG": "CW SX",
    "MAD": "EH MA",
    "ILS": "IL PS",
    "JOD": "JO PS",
    "AED": "AE", "AFN": "AF", "ALL": "AL", "AMD": "AM", "AOA": "AO",
    "ARS": "AR", "AWG": "AW", "AZN": "AZ", "BAM": "BA", "BBD": "BB",
    "BDT": "BD", "BGN": "BG", "BHD": "BH", "BIF": "BI", "BMD": "BM",
    "BND": "BN", "BOB": "BO", "BRL": "BR", "BSD": "BS", "BTN": "BT",
    "BWP": "BW", "BYN": "BY", "BZD": "BZ", "CAD": "CA", "CDF": "CD",
    "CLP": "CL", "CNY": "CN", "COP": "CO", "CRC": "CR", "CUP": "CU",
    "CVE": "CV", "CZK": "CZ", "DJF": "DJ", "DOP": "DO", "DZD": "DZ",
    "EGP": "EG", "ERN": "ER", "ETB": "ET", "FJD": "FJ", "FKP": "FK",
    "GEL": "GE", "GHS": "GH", "GIP": "GI", "GMD": "GM", "GNF": "GN",
    "GTQ": "GT", "GYD": "GY", "HKD": "HK", "HNL": "HN", "HTG": "HT",
    "HUF": "HU", "IDR": "ID", "IQD": "IQ", "IRR": "IR", "ISK": "IS",
    "JMD": "JM", "JPY": "JP", "KES": "KE", "KGS": "KG", "KHR": "KH",
    "KMF": "KM", "KPW": "KP", "KRW": "KR", "KWD": "KW", "KYD": "KY",
    "KZT": "KZ", "LAK": "LA", "LBP": "LB", "LKR": "LK", "LRD": "LR",
    "LSL": "LS", "LYD": "LY", "MDL": "MD", "MGA": "MG", "MKD": "MK",
    "MMK": "MM", "MNT": "MN", "MOP": "MO", "MRU": "MR", "MUR": "MU",
    "MVR": "MV", "MWK": "MW", "MXN": "MX", "MYR": "MY", "MZN": "MZ",
    "NAD": "NA", "NGN": "NG", "NIO": "NI", "NPR": "NP", "OMR": "OM",
    "PAB": "PA", "PEN": "PE", "PGK": "PG", "PHP": "PH", "PKR": "PK",
    "PLN": "PL", "PYG": "PY", "QAR": "QA", "RON": "RO", "RSD": "RS",
    "RUB": "RU", "RWF": "RW", "SAR": "SA", "SBD": "SB", "SCR": "SC",
    "SDG": "SD", "SEK": "SE", "SGD": "SG", "SHP": "SH", "SLE": "SL",
    "SOS": "SO", "SRD": "SR", "SSP": "SS", "STN": "ST", "SYP": "SY",
    "SZL": "SZ", "THB": "TH", "TJS": "TJ", "TMT": "TM", "TND": "TN",
    "TOP": "TO", "TRY": "TR", "TTD": "TT", "TWD": "TW", "TZS": "TZ",
    "UAH": "UA", "UGX": "UG", "UYU": "UY", "UZS": "UZ", "VES": "VE",
    "VND": "VN", "VUV": "VU", "WST": "WS", "YER": "YE", "ZMW": "ZM",
    "ZWL": "ZW",
}

# Countries that use no currency of their own.
NO_CURRENCY = {"AQ"}

# ---------------------------------------------------------------- regions

REGIONS = [  # code, name, countries
    ("AF", "Africa",
     "AO BF BI BJ BW CD CF CG CI CM CV DJ DZ EG EH ER ET GA GH GM GN GQ GW "
     "KE KM LR LS LY MA MG ML MR MU MW MZ NA NE NG RE RW SC SD SH SL SN SO "
     "SS ST SZ TD TG TN TZ UG YT ZA ZM ZW"),
    ("AN", "Antarctica", "AQ BV GS HM TF"),
    ("AS", "Asia",
     "AE AF AM AZ BD BH BN BT CC CN CX GE HK ID IL IN IO IQ IR JO JP KG KH "
     "KP KR KW KZ LA LB LK MM MN MO MV MY NP OM PH PK PS QA SA SG SY TH TJ "
     "TL TM TR TW UZ VN YE"),
    ("EU", "Europe",
     "AD AL AT AX BA BE BG BY CH CY CZ DE DK EE ES FI FO FR GB GG GI GR HR "
     "HU IE IM IS IT JE LI LT LU LV MC MD ME MK MT NL NO PL PT RO RS RU SE "
     "SI SJ SK SM UA VA"),
    ("NA", "North America",
     "AG AI AW BB BL BM BQ BS BZ CA CR CU CW DM DO GD GL GP GT HN HT JM KN "
     "KY LC MF MQ MS MX NI PA PM PR SV SX TC TT US VC VG VI"),
    ("OC", "Oceania",
     "AS AU CK FJ FM GU KI MH MP NC NF NR NU NZ PF PG PN PW SB TK TO TV UM "
     "VU WF WS"),
    ("SA", "South America", "AR BO BR CL CO EC FK GF GY PE PY SR UY VE"),
]

# ---------------------------------------------------------------- schema

LANGUAGES_TABLE = """
CREATE TABLE Languages (
  LanguageCode       TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
  LanguageCode3      TEXT COLLATE NOCASE DEFAULT '',
  LanguageName       TEXT COLLATE NOCASE,
  LanguageNameNative TEXT COLLATE NOCASE DEFAULT '',
  Charset            TEXT COLLATE NOCASE DEFAULT '',
  WebCharset         TEXT COLLATE NOCASE DEFAULT 'utf-8',
  WinCodePage        INTEGER DEFAULT 0
);"""

COUNTRIES_TABLE = """
CREATE TABLE Countries (
  CountryCode TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
  CountryName TEXT COLLATE NOCASE
);"""

CURRENCIES_TABLE = """
CREATE TABLE Currencies (
  CurrencyCode TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
  CurrencyName TEXT COLLATE NOCASE
);"""

COUNTRY_CURRENCY_TABLE = """
CREATE TABLE CountryCurrency (
  CountryCode  TEXT COLLATE NOCASE NOT NULL,
  CurrencyCode TEXT COLLATE NOCASE NOT NULL,
  PRIMARY KEY (CountryCode, CurrencyCode)
);"""

REGIONS_TABLE = """
CREATE TABLE Regions (
  RegionCode TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
  RegionName TEXT COLLATE NOCASE,
  OrderNum   INTEGER DEFAULT 0
);"""

REGION_COUNTRY_TABLE = """
CREATE TABLE RegionCountry (
  RegionCode  TEXT COLLATE NOCASE NOT NULL,
  CountryCode TEXT COLLATE NOCASE NOT NULL,
  PRIMARY KEY (RegionCode, CountryCode)
);"""

# ---------------------------------------------------------------- helpers


def sql_text(value):
    return "'" + value.replace("'", "''") + "'"


def sql_value(value):
    return str(value) if isinstance(value, int) else sql_text(value)


def char_refs(text):
    """Every character as a decimal character reference, the form in which
    the program stores native language names."""
    return "".join("&#%d;" % ord(ch) for ch in text)


def insert_statements(table, columns, rows):
    lines = []
    for start in range(0, len(rows), ROWS_PER_INSERT):
        chunk = rows[start:start + ROWS_PER_INSERT]
        lines.append("INSERT INTO %s (%s) VALUES" % (table, ", ".join(columns)))
        values = ["  (" + ", ".join(sql_value(v) for v in row) + ")"
                  for row in chunk]
        lines.append(",\n".join(values) + ";")
        lines.append("")
    return lines


def write_sql(path, title, tables):
    """tables: (CREATE TABLE statement, table name, columns, rows) each."""
    lines = [
        "-- %s" % title,
        "-- Generated by make_references.py from Debian's iso-codes data;",
        "-- edit the script, not this file.",
        "",
    ]
    for create, table, columns, rows in tables:
        lines += [create.strip(), ""]
        lines += insert_statements(table, columns, rows)
    write_file(path, "\n".join(lines))


def write_file(path, text):
    temp = path + ".tmp"
    with open(temp, "w", encoding="utf-8", newline="\n") as out:
        out.write(text)
    os.replace(temp, path)


def load(iso_dir, name, key):
    with open(os.path.join(iso_dir, name), encoding="utf-8") as f:
        return json.load(f)[key]


def fail(message):
    sys.exit("make_references.py: " + message)

# ---------------------------------------------------------------- tables


def language_rows(iso_dir):
    charset_of = {}
    for (charset, page), codes in CHARSETS.items():
        for code in codes.split():
            if code in charset_of:
                fail("language %s has two character sets" % code)
            charset_of[code] = (charset, page)
    rows = []
    for lang in load(iso_dir, "iso_639-2.json", "639-2"):
        code = lang.get("alpha_2")
        if not code:
            continue
        name = LANGUAGE_NAMES.get(code, lang["name"].split(";")[0].strip())
        charset, page = charset_of.get(code, ("DEFAULT", 0))
        rows.append((code.upper(), lang["alpha_3"].upper(), name,
                     char_refs(NATIVE_NAMES.get(code, "")), charset,
                     "utf-8", page))
    for table in (LANGUAGE_NAMES, NATIVE_NAMES, charset_of):
        unknown = set(table) - {r[0].lower() for r in rows}
        if unknown:
            fail("unknown language codes: %s" % sorted(unknown))
    code, code3, name = NO_LANGUAGE
    rows.append((code, code3, name, "", "DEFAULT", "utf-8", 0))
    return sorted(rows)


def country_rows(iso_dir):
    rows = [(c["alpha_2"], c.get("common_name", c["name"]))
            for c in load(iso_dir, "iso_3166-1.json", "3166-1")]
    return sorted(rows)


def currency_rows(iso_dir):
    rows = [(c["alpha_3"], c["name"])
            for c in load(iso_dir, "iso_4217.json", "4217")
            if c["alpha_3"] not in NOT_MONEY]
    return sorted(rows)


def country_currency_rows(countries, currencies):
    known_currencies = {code for code, _ in currencies}
    known_countries = {code for code, _ in countries}
    rows = set()
    for currency, codes in CURRENCY_COUNTRIES.items():
        if currency not in known_currencies:
            fail("currency %s is not in the currency table" % currency)
        for country in codes.split():
            if country not in known_countries:
                fail("unknown country %s for %s" % (country, currency))
            rows.add((country, currency))
    without = known_countries - {c for c, _ in rows} - NO_CURRENCY
    if without:
        fail("countries without a currency: %s" % sorted(without))
    return sorted(rows)


def region_rows(countries):
    known = {code for code, _ in countries}
    regions, members, seen = [], [], {}
    for order, (code, name, codes) in enumerate(REGIONS, start=1):
        regions.append((code, name, order))
        for country in codes.split():
            if country not in known:
                fail("unknown country %s in region %s" % (country, code))
            if country in seen:
                fail("country %s in regions %s and %s"
                     % (country, seen[country], code))
            seen[country] = code
            members.append((code, country))
    missing = known - set(seen)
    if missing:
        fail("countries without a region: %s" % sorted(missing))
    return regions, sorted(members)

# ---------------------------------------------------------------- main


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--iso-dir", default=DEFAULT_ISO_DIR,
                        help="folder of the iso-codes JSON files")
    parser.add_argument("--out-dir", default=HERE,
                        help="folder the SQL files are written to")
    args = parser.parse_args()

    languages = language_rows(args.iso_dir)
    countries = country_rows(args.iso_dir)
    currencies = currency_rows(args.iso_dir)
    country_currencies = country_currency_rows(countries, currencies)
    regions, region_countries = region_rows(countries)

    out = args.out_dir
    write_sql(os.path.join(out, "languages.sql"),
              "Languages: ISO 639-1 languages and the placeholder code XXX.",
              [(LANGUAGES_TABLE, "Languages",
                ["LanguageCode", "LanguageCode3", "LanguageName",
                 "LanguageNameNative", "Charset", "WebCharset",
                 "WinCodePage"], languages)])
    write_sql(os.path.join(out, "countries.sql"),
              "Countries: ISO 3166-1 alpha-2 codes and English short names.",
              [(COUNTRIES_TABLE, "Countries",
                ["CountryCode", "CountryName"], countries)])
    write_sql(os.path.join(out, "currencies.sql"),
              "Currencies: ISO 4217 codes and names of circulating "
              "currencies.",
              [(CURRENCIES_TABLE, "Currencies",
                ["CurrencyCode", "CurrencyName"], currencies)])
    write_sql(os.path.join(out, "country_currency.sql"),
              "CountryCurrency: the currencies in use in each country.",
              [(COUNTRY_CURRENCY_TABLE, "CountryCurrency",
                ["CountryCode", "CurrencyCode"], country_currencies)])
    write_sql(os.path.join(out, "regions.sql"),
              "Regions: continents; RegionCountry: the countries of each.",
              [(REGIONS_TABLE, "Regions",
                ["RegionCode", "RegionName", "OrderNum"], regions),
               (REGION_COUNTRY_TABLE, "RegionCountry",
                ["RegionCode", "CountryCode"], region_countries)])

if __name__ == "__main__":
    main()
