#!/usr/bin/env python3
"""Renders every page kind of the shipped templates in every shipped style
into a folder, to look at in a browser, and optionally screenshots them.

The pages come from the hand-written page documents of
tests/generation/fixtures (the same ones the template tests render), put
through the style's master, the page kind's body template and the common
templates with xsltproc, the way the transformer does it: a generated style
sheet that includes the three, the page's parameters, the language resource
and the page's own top and bottom text. Each style gets a folder

    OUT/<style>/<LANG>/<page>.html    the pages
    OUT/<style>/css/504001.css        the style's colour sheet
    OUT/<style>/css/505001.css        the style's font sheet
    OUT/<style>/images/               its background and grey stand-ins for the pictures

With --shots, every page is also screenshot with headless Chromium at 1280
and 390 pixels wide into OUT/shots/<style>-<page>-<width>.png.

    python3 bench/template_pages.py /tmp/pages [--lang DE] [--shots]

Needs xsltproc; --shots needs chromium.
"""
import argparse
import concurrent.futures
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DATA = os.path.join(ROOT, "data")
FIXTURES = os.path.join(ROOT, "tests", "generation", "fixtures")
STYLES = ["harbor", "meadow", "atelier"]

TOP = "<p>Our own <strong>words</strong> above.</p>"
BOTTOM = "<p>And our own words below.</p>"

# name, body template below data/templates, page document, the page's own texts
PAGES = [
    ("productline", "1/productline.xsl", "productline.xml", True),
    ("product", "1/product.xsl", "product.xml", True),
    ("productlist", "1/productlist.xsl", "productlist.xml", True),
    ("info", "shared/info.xsl", "info.xml", True),
    ("contact", "shared/contact.xsl", "contact.xml", True),
    ("contact-notext", "shared/contact.xsl", "contact.xml", False),
    ("storylist", "shared/storylist.xsl", "storylist.xml", True),
    ("vendorlist", "2/vendorlist.xsl", "vendorlist.xml", True),
    ("vendor", "2/vendor.xsl", "vendor.xml", True),
    ("hotel", "8/hotel.xsl", "hotel.xml", False),
    ("rooms", "8/rooms.xsl", "rooms.xml", True),
    ("room", "8/room.xsl", "room.xml", False),
    ("category", "12/category.xsl", "category.xml", True),
]


def escape(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;").replace('"', "&quot;")


def out_xsl(lang, has_resource, own_text):
    params = [("lang", lang), ("out", "html"), ("linkext", "html"), ("dynamicext", "jsp"),
              ("staticext", "html"), ("css", "504001"), ("css2", "505001"), ("bgimage", "610001.png"),
              ("pagenum", "1"), ("countonpage", "9"), ("host", "0"), ("publish", "preview"),
              ("dynamic", "0"), ("charset", ""), ("year", "2026"), ("day", "10"), ("month", "12"),
              ("monthname", "December")]
    x = ['<?xml version ="1.0" encoding="utf-8"?>\n'
         '<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">'
         '<xsl:output method="html" encoding="utf-8" indent="no"/>'
         '<xsl:include href="master.xsl"/><xsl:include href="body.xsl"/><xsl:include href="common.xsl"/>']
    x += ['<xsl:param name="%s">%s</xsl:param>' % (name, escape(value)) for name, value in params]
    if has_resource:
        x.append("<xsl:variable name=\"resource\" select=\"document( '%s.xml' )\"/>" % lang)
    else:
        x.append('<xsl:variable name="resource" select="empty"/>')
    for name, html in (("top", TOP), ("bottom", BOTTOM)):
        x.append('<xsl:template name="%s"><xsl:text disable-output-escaping="yes">%s</xsl:text></xsl:template>'
                 % (name, escape(html) if own_text else ""))
    x.append("</xsl:stylesheet>\n")
    return "".join(x)


def page_document(fixture):
    """The page fixture with the site-wide part the master's rules write appended to its root."""
    with open(os.path.join(FIXTURES, "pages", fixture), encoding="utf-8") as f:
        page = f.read()
    with open(os.path.join(FIXTURES, "site.xml"), encoding="utf-8") as f:
        site = f.read()
    site = site[site.index("<Site>") + 6:site.index("</Site>")]
    end = page.rindex("</Page>")
    return page[:end] + site + page[end:]


def write_png(path, width, height):
    """A grey-blue stand-in picture with a diagonal shade."""
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        for x in range(width):
            t = (x + y) * 60 // (width + height)
            rows.extend((150 + t, 165 + t, 180 + t))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(rows), 6))
                  + chunk(b"IEND", b""))


def render(work, style, body, fixture, lang, own_text):
    for name, source in (("master.xsl", "styles/%s/master.xsl" % style), ("body.xsl", "templates/" + body),
                         ("common.xsl", "templates/shared/common.xsl")):
        shutil.copy(os.path.join(DATA, source), os.path.join(work, name))
    resource = os.path.join(DATA, "templates", "shared", "resources", lang + ".xml")
    has_resource = os.path.exists(resource)
    if has_resource:
        shutil.copy(resource, os.path.join(work, lang + ".xml"))
    with open(os.path.join(work, "out.xsl"), "w", encoding="utf-8") as f:
        f.write(out_xsl(lang, has_resource, own_text))
    with open(os.path.join(work, "out.xml"), "w", encoding="utf-8") as f:
        f.write(page_document(fixture))
    result = subprocess.run(["xsltproc", "--nonet", "out.xsl", "out.xml"], cwd=work, capture_output=True)
    if result.returncode != 0 or result.stderr:
        sys.exit("%s %s: %s" % (style, body, result.stderr.decode(errors="replace")))
    return result.stdout.decode("utf-8")


def stand_in_pictures(html, folder):
    """Writes a stand-in for every picture of the page, at the size its tag names."""
    for tag in re.findall(r"<img [^>]*>", html):
        src = re.search(r'src="\.\./images/([^"]+)"', tag)
        if not src or os.path.exists(os.path.join(folder, src.group(1))):
            continue
        width = re.search(r'width="(\d+)"', tag)
        height = re.search(r'height="(\d+)"', tag)
        w, h = (int(width.group(1)), int(height.group(1))) if width and height else (400, 300)
        write_png(os.path.join(folder, src.group(1)), min(w, 1200), min(h, 1200))


def screenshot(page, png, width, height):
    with tempfile.TemporaryDirectory() as profile:
        subprocess.run(["chromium", "--headless", "--no-sandbox", "--disable-gpu",
                        "--disable-background-networking", "--disable-component-update", "--disable-sync",
                        "--no-first-run", "--hide-scrollbars", "--user-data-dir=" + profile,
                        "--window-size=%d,%d" % (width, height), "--screenshot=" + png, "file://" + page],
                       check=True, capture_output=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("out")
    parser.add_argument("--lang", default="EN")
    parser.add_argument("--shots", action="store_true", help="screenshot every page at 1280 and 390 px wide")
    parser.add_argument("--only", default="", help="comma-separated page names to render")
    args = parser.parse_args()
    only = set(filter(None, args.only.split(",")))
    out = os.path.abspath(args.out)
    shots = []
    for style in STYLES:
        folder = os.path.join(out, style)
        for sub in (args.lang, "css", "images"):
            os.makedirs(os.path.join(folder, sub), exist_ok=True)
        shutil.copy(os.path.join(DATA, "styles", style, "colors.css"), os.path.join(folder, "css", "504001.css"))
        shutil.copy(os.path.join(DATA, "styles", style, "fonts.css"), os.path.join(folder, "css", "505001.css"))
        shutil.copy(os.path.join(DATA, "styles", style, "background.png"), os.path.join(folder, "images", "610001.png"))
        for name, body, fixture, own_text in PAGES:
            if only and name not in only:
                continue
            with tempfile.TemporaryDirectory() as work:
                html = render(work, style, body, fixture, args.lang, own_text)
            page = os.path.join(folder, args.lang, name + ".html")
            with open(page, "w", encoding="utf-8") as f:
                f.write(html)
            stand_in_pictures(html, os.path.join(folder, "images"))
            for width, height in ((1280, 1400), (390, 2200)):
                shots.append((page, os.path.join(out, "shots", "%s-%s-%d.png" % (style, name, width)), width, height))
            print(page)
    if args.shots:
        os.makedirs(os.path.join(out, "shots"), exist_ok=True)
        with concurrent.futures.ThreadPoolExecutor(max_workers=4) as pool:
            for done in pool.map(lambda shot: screenshot(*shot) or shot[1], shots):
                print(done)


if __name__ == "__main__":
    main()
