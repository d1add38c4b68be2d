#include "editors/site/html/FrameSourcesDataEditor.h"

#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/site/html/SourcesEditorWidget.h"
#include "storage/AbstractCObject.h"

std::string PageSourceClassOf(int itemType)
{
    switch (itemType) {
    case 401: return "HtmlData";
    case 402: return "ASPData";
    case 403: return "JSPData";
    case 404: return "PHPData";
    case 405: return "SHtmlData";
    default: return {};
    }
}

bool IsServerSidePage(int itemType) { return itemType >= 402 && itemType <= 405; }

TSourceEditorMode TFrameSourcesDataEditor::ChooseMode()
{
    // The colouring follows the editor's name and the class; the value is always the member's.
    const std::string name = GetUIEditor() ? GetUIEditor()->GetName() : std::string();
    TSourceEditorMode mode = TSourceEditorMode::Choose(name, DataClassTag, DataMemberTag, true);
    mode.ClassTag = DataClassTag;
    mode.MemberTag = DataMemberTag;
    mode.TopOnly = true;
    return mode;
}

void TFrameSourcesDataEditor::LoadFromObjects(bool)
{
    TrackChanges = false;
    EditedSinceLoad = false;
    TAbstractCObject* object = DataClassTag.empty() ? nullptr : GetObject(DataClassTag);
    Editor()->SetTopText(object ? object->GetLangString(DataMemberTag, ContentLangCode(), 0) : "");
    TrackChanges = true;
}

void TFrameSourcesDataEditor::StoreToObjects(bool)
{
    if (!EditedSinceLoad || ContentLangCode().empty() || DataClassTag.empty())
        return;
    if (TAbstractCObject* object = GetObject(DataClassTag))
        object->SetLangString(DataMemberTag, ContentLangCode(), Editor()->Mode().StoredText(Editor()->TopText()), 0);
}

void TFrameSourcesPageEditor::InitControls()
{
    const std::string pageClass = PageSourceClassOf(GetContext()->GetItemType());
    if (!pageClass.empty())
        DataClassTag = pageClass;
    DataMemberTag = "SourceCode";
    TFrameSourcesDataEditor::InitControls();
}
