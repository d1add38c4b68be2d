#pragma once
// Source editors of one HTML member of the opened item: only the top
// editor shows; it holds the member DataMemberTag of the item's object of
// class DataClassTag in the content language. The page-source editor edits
// the whole "SourceCode" of an HTML, ASP, JSP, PHP or SHTML page item.
#include "editors/site/html/FrameSourcesEditor.h"

#include <string>

class TFrameSourcesDataEditor : public TFrameSourcesEditor {
public:
    using TFrameSourcesEditor::TFrameSourcesEditor;

    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

    std::string DataClassTag;
    std::string DataMemberTag;

protected:
    TSourceEditorMode ChooseMode() override;
};

class TFrameSourcesPageEditor : public TFrameSourcesDataEditor {
public:
    using TFrameSourcesDataEditor::TFrameSourcesDataEditor;
    void InitControls() override;
};

// The class that holds a page item's source ("HtmlData" for 401 ...
// "SHtmlData" for 405); empty for other item types.
std::string PageSourceClassOf(int itemType);
// The page items whose source runs on a server (ASP, JSP, PHP, SHTML: 402-405).
bool IsServerSidePage(int itemType);
