#pragma once
// TFramePagePropetiesEditorModel: the full "Web Page Properties" tab without
// widgets: besides name, file name and visibility, the page's master, body
// and server-side script templates and (in the advanced mode) whether the
// page or its children are left out of publishing. Alternative file names
// keep only letters, digits, "-" and "_".
#include "editors/site/page/PagePropertiesModel.h"

#include <vector>

class TFramePagePropetiesEditorModel : public TPagePropertiesModel {
public:
    enum TTemplateKind { tkMaster = 0, tkBody = 1, tkScript = 5 };
    struct TTemplateChoice {
        std::string Caption;
        int TemplateId = 0;  // 0: the default template
    };

    TFramePagePropetiesEditorModel(const TSiteModelContext& context, bool advancedMode);

    bool ShowsPublishingBoxes() const { return advancedMode_; }
    // The templates offered for a kind, the default first; empty (the choice
    // hidden) when the item type's folder has none.
    std::vector<TTemplateChoice> TemplateChoices(TTemplateKind kind) const;
    // The chosen template's id; -1 when the stored one is not offered (no selection, stored as 0).
    int SelectedTemplate(TTemplateKind kind) const;
    void SelectTemplate(TTemplateKind kind, int templateId);

    void SetAltFileName(const std::string& text) override;
    bool DontPublishItem() const { return dontPublishItem_; }
    bool DontPublishChildren() const { return dontPublishChildren_; }
    void SetDontPublish(bool item, bool children);

protected:
    bool HasObjects() const override;
    void LoadObjects() override;
    void StoreObjects() override;

private:
    static const char* MemberOf(TTemplateKind kind);
    int& Selected(TTemplateKind kind);

    bool advancedMode_;
    int master_ = 0, body_ = 0, script_ = 0;
    bool dontPublishItem_ = false, dontPublishChildren_ = false;
};
