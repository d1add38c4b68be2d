#pragma once
// The markup the HTML editor inserts for the answers of its dialogs:
// pictures (with caption table, alignment and pop-up of the large copy),
// pop-up picture links, binary objects (links, Flash objects, applets),
// tables, hyperlinks, anchors and links to catalog pages. Addresses are
// relative to the page's language folder: pictures "../images/" + file
// name, binary objects "../bin/" + file name, catalog pages their page file
// name. Every text and attribute value taken from an answer is XML-escaped,
// so that no answer can open a tag or leave its attribute.
//
// An empty result means "insert nothing" (the dialog was answered without
// what the insertion needs).
#include "editors/site/html/dialogs/DialogParams.h"

#include <string>

class TTranslation;

// A table to insert.
struct THtmlTable {
    int Rows = 0;
    int Columns = 0;
    std::string Caption;
    // Attributes of the TABLE element and of every cell, each starting with a blank
    // when not empty.
    std::string TableAttributes;
    std::string CellAttributes;
};

// A link to write around a text selection.
struct THtmlLink {
    // "href", or "name" for an anchor.
    std::string Attribute = "href";
    std::string Address;
    std::string Caption;
    std::string Title;
    bool AddSpace = false;
    bool NewWindow = false;
};

class THtmlInsertions {
public:
    explicit THtmlInsertions(const TTranslation* translation = nullptr) : translation_(translation) {}

    // The file of a picture as publishing names it (the alternative name,
    // else the id, "." and the extension of the MIME type), URL-encoded.
    static std::string PictureFileName(const std::string& altFileName, const std::string& itemId,
                                       const std::string& mimeType);
    // The file of a binary object: the alternative name, else the id, then
    // "." and the extension of the MIME type (the file name's as fallback).
    static std::string ObjectFileName(const std::string& altFileName, const std::string& itemId,
                                      const std::string& mimeType, const std::string& fileName);

    // The answers of the picture dialog ("HtmlImage").
    std::string Picture(const TDialogParams& answers) const;
    // The address of a pop-up picture (answers of "Image"); empty without a picture.
    static std::string PopupImageAddress(const TDialogParams& answers);
    // The link that opens a pop-up picture in the whole window around the
    // text (plain text, escaped here).
    static std::string PopupImageLink(const std::string& address, const std::string& text);
    // The answers of the binary-object dialog ("InsertBinaryObject").
    std::string Object(const TDialogParams& answers) const;

    // The table the answers of "InsertTable" ask for; Rows and Columns 0
    // when either was not above 0.
    static THtmlTable TableFromAnswers(const TDialogParams& answers);
    // Markup of a table with empty cells; empty for no rows or columns.
    static std::string Table(const THtmlTable& table);

    // The link of the hyperlink dialog's answers ("EnterHyperlink"); an
    // empty address when no URL was entered.
    static THtmlLink HyperlinkFromAnswers(const TDialogParams& answers);
    // The link of the page picker's answers ("SelectPage") to the page file
    // name PageAddress; empty address when no page was chosen.
    static THtmlLink PageLinkFromAnswers(const TDialogParams& answers, const std::string& pageAddress);
    // An anchor named Name around the selected (plain) text.
    static THtmlLink Anchor(const std::string& name, const std::string& selectedText);
    // Markup of a link around a text selection; the caption is the address
    // when empty. Empty for a link without address, except an anchor.
    static std::string Link(const THtmlLink& link);

private:
    std::string Translated(const std::string& tmpl, long long bytes, const std::string& file = {}) const;

    const TTranslation* translation_;
};
