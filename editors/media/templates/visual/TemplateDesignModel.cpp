#include "editors/media/templates/visual/TemplateDesignModel.h"

#include "common/CommonFunctions.h"
#include "common/WellKnownIds.h"
#include "editors/site/html/DesignDocument.h"

namespace {

std::string Joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

}  // namespace

void TTemplateDesignModel::Load(const std::string& xsl, int itemType)
{
    xsl_ = xsl;
    itemType_ = itemType;
    reason_.clear();
    const bool isTemplate = itemType == kMasterTemplateType || itemType == kBodyTemplateType;
    if (!isTemplate || xsl.empty()) {
        document_.clear();
        state_ = TState::Blank;
        return;
    }
    const std::string html = TConverterHtml2Xsl::EditableHtml(xsl, itemType);
    document_ = WholeDocument() ? html : TDesignDocument::Document(html, "", true, "");
    state_ = TState::Loading;
}

bool TTemplateDesignModel::WholeDocument() const { return itemType_ == kMasterTemplateType; }

void TTemplateDesignModel::CheckRoundTrip(const TDesignNode& unedited)
{
    if (state_ == TState::Blank)
        return;
    TConverterHtml2Xsl::TResult result;
    std::string difference;
    if (!TConverterHtml2Xsl::Convert(xsl_, itemType_, unedited, result)) {
        difference = WholeDocument() ? "it has no template matching \"/\"" : "it has no template named \"body\"";
    } else if (!result.RejectedNames.empty()) {
        difference = "it holds names that XSL cannot hold: " + Joined(result.RejectedNames);
    } else if (TConverterHtml2Xsl::SameStyleSheet(xsl_, result.Xsl, difference)) {
        state_ = TState::Editable;
        reason_.clear();
        return;
    }
    state_ = TState::ReadOnly;
    reason_ = "This template is shown read-only: the web browser's HTML parser would change it, so saving it "
              "from the visual editor would damage it (" +
              difference + "). Edit it in the source editor.";
}

bool TTemplateDesignModel::Converted(const TDesignNode& edited, std::string& xsl, std::string& refusal) const
{
    refusal.clear();
    if (state_ != TState::Editable) {
        refusal = reason_.empty() ? "The template cannot be edited visually." : reason_;
        return false;
    }
    TConverterHtml2Xsl::TResult result;
    if (!TConverterHtml2Xsl::Convert(xsl_, itemType_, edited, result)) {
        refusal = "The template's body cannot be found.";
        return false;
    }
    if (!result.RejectedNames.empty()) {
        refusal = "The edited template holds names that XSL cannot hold (" + Joined(result.RejectedNames) +
                  "). It was not stored.";
        return false;
    }
    int position = 0;
    std::string reason;
    if (!TCommonFunctions::CheckXml(result.Xsl, position, reason)) {
        refusal = "The edited template is no well-formed XML (" + reason + "). It was not stored.";
        return false;
    }
    xsl = std::move(result.Xsl);
    return true;
}
