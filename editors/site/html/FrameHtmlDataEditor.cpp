#include "editors/site/html/FrameHtmlDataEditor.h"

#include "catalog/CatalogData.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/site/html/FrameSourcesDataEditor.h"
#include "editors/site/html/HtmlEditorWidget.h"
#include "editors/site/html/HtmlInsertionCommands.h"
#include "storage/AbstractCObject.h"
#include "storage/ObjectCollection.h"

void TFrameHtmlDataEditor::InitControls()
{
    TFrameHtmlEditor::InitControls();
    ShowTopOnly();
}

TAbstractCObject* TFrameHtmlDataEditor::DataObject()
{
    if (DataItemId == 0)
        DataItemId = GetContext()->GetItemId();
    if (DataClassTag.empty())
        return nullptr;
    return GetContext()->GetObjectCollection().GetObject(DataItemId, DataClassTag);
}

void TFrameHtmlDataEditor::LoadFromObjects(bool)
{
    TrackChanges = false;
    EditedSinceLoad = false;
    TAbstractCObject* object = DataObject();
    const std::string value = object ? object->GetLangString(DataMemberTag, ContentLangCode(), 0) : "";
    if (WholeDocument)
        Editor()->LoadWholeDocument(value, ContentLangCode());
    else
        Editor()->LoadParts(value, "", PageStyle.Css, PageStyle.BackgroundFile, ContentLangCode());
    TrackChanges = true;
}

void TFrameHtmlDataEditor::StoreToObjects(bool)
{
    if (!Editor() || ContentLangCode().empty() || !WasEdited())
        return;
    TAbstractCObject* object = DataObject();
    if (!object)
        return;
    auto value = std::make_shared<std::string>();
    const bool read = WaitForRead([&](std::function<void()> finished) {
        if (WholeDocument)
            Editor()->ReadDocument([value, finished](const std::string& document) {
                *value = document;
                finished();
            });
        else
            Editor()->ReadParts([value, finished](const std::string& top, const std::string&) {
                *value = top;
                finished();
            });
    });
    if (read)
        object->SetLangString(DataMemberTag, ContentLangCode(), *value, 0);
    else
        ViewsUnread = true;
}

void TFrameHtmlDataEditor::EditHtmlSource()
{
    // The other languages come from and go to the opened item's object of the class.
    TAbstractCObject* object = DataClassTag.empty() ? nullptr : GetObject(DataClassTag);
    if (!object)
        return;
    TCatalogData* data = GetContext()->Data();
    if (!data || !StoreViews())
        return;
    if (!Commands().EditHtmlSource(*object, DataMemberTag, data->GetLanguages()))
        return;
    SetModified();
    LoadFromObjects(false);
}

void TFrameHtmlPageEditor::InitControls()
{
    WholeDocument = true;
    const std::string pageClass = PageSourceClassOf(GetContext()->GetItemType());
    if (!pageClass.empty())
        DataClassTag = pageClass;
    DataMemberTag = "SourceCode";
    TFrameHtmlDataEditor::InitControls();
}

void TFrameCommonHtmlEditor::InitControls()
{
    const std::vector<std::string> params =
        editor_params::Split(GetUIEditor() ? GetUIEditor()->GetParams() : std::string());
    DataClassTag = ValueOfName(params, "class");
    DataMemberTag = ValueOfName(params, "member");
    TTolvexControlClass& context = *GetContext();
    const std::string itemId = ValueOfName(params, "itemid");
    DataItemId = itemId.empty() || !context.Data()
                     ? context.GetItemId()
                     : context.Data()->ResolveItemId(itemId, context.GetItemId(), context.GetTreeItemId());
    SourceEditEnabled = true;
    TFrameHtmlDataEditor::InitControls();
}
