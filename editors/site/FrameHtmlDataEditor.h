#pragma once
// Visual editors of one HTML member instead of the design's two parts:
// only the top part shows; it holds the member DataMemberTag of the object
// of class DataClassTag of item DataItemId (0: the opened item) in the
// content language.
//  - TFrameHtmlPageEditor edits the whole "SourceCode" of a page item
//    (HTML, ASP, JSP, PHP, SHTML) as a complete document, head included;
//  - TFrameCommonHtmlEditor edits the member its UI editor's parameters
//    name ("class", "member", "itemid").
#include "editors/site/html/FrameHtmlEditor.h"

#include <string>

class TFrameHtmlDataEditor : public TFrameHtmlEditor {
public:
    using TFrameHtmlEditor::TFrameHtmlEditor;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

    std::string DataClassTag;
    std::string DataMemberTag;
    int DataItemId = 0;
    // The value is a complete document rather than a body's HTML.
    bool WholeDocument = false;

protected:
    void EditHtmlSource() override;

private:
    TAbstractCObject* DataObject();
};

class TFrameHtmlPageEditor : public TFrameHtmlDataEditor {
public:
    using TFrameHtmlDataEditor::TFrameHtmlDataEditor;
    void InitControls() override;
};

class TFrameCommonHtmlEditor : public TFrameHtmlDataEditor {
public:
    using TFrameHtmlDataEditor::TFrameHtmlDataEditor;
    void InitControls() override;
};
