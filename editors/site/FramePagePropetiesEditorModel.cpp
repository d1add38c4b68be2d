#include "editors/site/page/FramePagePropetiesEditorModel.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/CatalogDefinition.h"
#include "catalog/CatalogPageGeneration.h"
#include "catalog/Singletons.h"
#include "common/Translation.h"
#include "generation/Templates.h"
#include "storage/AbstractCObject.h"

#include <algorithm>
#include <cstdlib>

TFramePagePropetiesEditorModel::TFramePagePropetiesEditorModel(const TSiteModelContext& context, bool advancedMode)
    : TPagePropertiesModel(context), advancedMode_(advancedMode)
{
}

const char* TFramePagePropetiesEditorModel::MemberOf(TTemplateKind kind)
{
    return kind == tkMaster ? "MasterTemplate" : kind == tkBody ? "BodyTemplate" : "LinkedJSP";
}

int& TFramePagePropetiesEditorModel::Selected(TTemplateKind kind)
{
    return kind == tkMaster ? master_ : kind == tkBody ? body_ : script_;
}

std::vector<TFramePagePropetiesEditorModel::TTemplateChoice>
TFramePagePropetiesEditorModel::TemplateChoices(TTemplateKind kind) const
{
    const int folder = Context().Catalog.GetDefinition().GetItemTypeTemplateId(Context().ItemType, kind);
    std::vector<std::string> lines;
    if (folder != 0)
        Context().Data.GetPageGeneration().GetTemplates().GetTemplateList(lines, folder, Context().Connection);
    std::vector<TTemplateChoice> choices;
    if (lines.empty())
        return choices;
    const TTranslation& texts = TTranslation::OrEnglish(Translation);
    choices.push_back({texts.Translate(kind == tkScript ? "[Default Script]" : "[Default Template]"), 0});
    for (const std::string& line : lines) {
        const std::size_t equals = line.rfind('=');
        if (equals != std::string::npos)
            choices.push_back({line.substr(0, equals), std::atoi(line.c_str() + equals + 1)});
    }
    return choices;
}

int TFramePagePropetiesEditorModel::SelectedTemplate(TTemplateKind kind) const
{
    return const_cast<TFramePagePropetiesEditorModel*>(this)->Selected(kind);
}

void TFramePagePropetiesEditorModel::SelectTemplate(TTemplateKind kind, int templateId)
{
    Selected(kind) = templateId;
    MarkModified();
}

void TFramePagePropetiesEditorModel::SetAltFileName(const std::string& text)
{
    TPagePropertiesModel::SetAltFileName(FilterFileName(text));
}

void TFramePagePropetiesEditorModel::SetDontPublish(bool item, bool children)
{
    dontPublishItem_ = item;
    dontPublishChildren_ = children;
    MarkModified();
}

bool TFramePagePropetiesEditorModel::HasObjects() const
{
    return TPagePropertiesModel::HasObjects() && Object("PublishingSettings");
}

void TFramePagePropetiesEditorModel::LoadObjects()
{
    TAbstractCObject& page = *Object("CommonWebPage");
    for (TTemplateKind kind : {tkMaster, tkBody, tkScript}) {
        const int id = page.GetInteger(MemberOf(kind), 0);
        const std::vector<TTemplateChoice> choices = TemplateChoices(kind);
        const bool offered = std::any_of(choices.begin(), choices.end(),
                                         [id](const TTemplateChoice& choice) { return choice.TemplateId == id; });
        Selected(kind) = offered ? id : -1;
    }
    TAbstractCObject& publishing = *Object("PublishingSettings");
    dontPublishItem_ = publishing.GetBoolean("DontPublishItem", 0);
    dontPublishChildren_ = publishing.GetBoolean("DontPublishChildren", 0);
}

void TFramePagePropetiesEditorModel::StoreObjects()
{
    TAbstractCObject& page = *Object("CommonWebPage");
    page.SetBoolean("NotVisible", !IsVisible(), 0);
    for (TTemplateKind kind : {tkMaster, tkBody, tkScript})
        page.SetNumber(MemberOf(kind), std::max(0, Selected(kind)), 0);
    TAbstractCObject& publishing = *Object("PublishingSettings");
    publishing.SetBoolean("DontPublishItem", dontPublishItem_, 0);
    publishing.SetBoolean("DontPublishChildren", dontPublishChildren_, 0);
}
