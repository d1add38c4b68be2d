#pragma once
// The UI editors of the HTML editing pages:
//  - TSourcesEditor: one source page ("SourcesEditor-basic");
//  - THTMLEditor: the design's top and bottom HTML, visual ("Design") and
//    as source ("HTML"), alternative views of one value;
//  - THTMLDataEditor ("HtmlPageEditor"): a page item's whole source, the
//    same two views for an HTML page, the source view alone for a page
//    whose code runs on a server;
//  - TCommonHtmlEditor ("CommonHtmlEditor..."): one member named by its
//    parameters, shown without a tab.
#include "editors/framework/TolvexUIEditor.h"

#include <string>

class TSourcesEditor : public TTolvexUIEditor {
public:
    using TTolvexUIEditor::TTolvexUIEditor;
    void CreatePages() override;
};

class THTMLEditor : public TTolvexUIEditor {
public:
    THTMLEditor(std::string name, std::string params);
    void CreatePages() override;
};

class THTMLDataEditor : public TTolvexUIEditor {
public:
    THTMLDataEditor(std::string name, std::string params);
    void CreatePages() override;
};

class TCommonHtmlEditor : public TTolvexUIEditor {
public:
    using TTolvexUIEditor::TTolvexUIEditor;
    void CreatePages() override;
    bool IsSingleFrame() const override { return true; }
};

// The named dialogs of the insertions: insert table, hyperlink, page
// picker, and page picker or hyperlink on two tabs.
class TInsertTableRef : public TTolvexUIEditor {
public:
    using TTolvexUIEditor::TTolvexUIEditor;
    void CreatePages() override;
    bool IsSingleFrame() const override { return true; }
    void GetPreferredSize(int& width, int& height) const override;
};

class TEnterHyperlinkRef : public TTolvexUIEditor {
public:
    using TTolvexUIEditor::TTolvexUIEditor;
    void CreatePages() override;
    bool IsSingleFrame() const override { return true; }
    void GetPreferredSize(int& width, int& height) const override;
};

class TSelectPageRef : public TTolvexUIEditor {
public:
    using TTolvexUIEditor::TTolvexUIEditor;
    void CreatePages() override;
    bool IsSingleFrame() const override { return true; }
    void GetPreferredSize(int& width, int& height) const override;
};

class TSelectPageOrHyperlinkRef : public TTolvexUIEditor {
public:
    TSelectPageOrHyperlinkRef(std::string name, std::string params);
    void CreatePages() override;
    void GetPreferredSize(int& width, int& height) const override;
};
