#include "editors/site/company/FrameCompanyEditorModel.h"

#include "storage/MemberValueText.h"

namespace {

constexpr const char* kLogo = "CompanyLogoImage";
constexpr const char* kIcon = "CompanyIcon";

}  // namespace

TFrameCompanyEditorModel::TFrameCompanyEditorModel(const TSiteModelContext& context, int frameItemId,
                                                   const std::string& editorName)
    : TCompanyInfoModel(context, {"CompanyName", "CompanyDescription", kLogo, kIcon}, frameItemId, editorName)
{
}

int TFrameCompanyEditorModel::LogoImageId() const { return TMemberValueText::ReadInteger(Value(kLogo)); }

int TFrameCompanyEditorModel::IconImageId() const { return TMemberValueText::ReadInteger(Value(kIcon)); }

void TFrameCompanyEditorModel::SelectLogo(int imageItemId)
{
    if (imageItemId != 0)
        SetValue(kLogo, std::to_string(imageItemId));
}

void TFrameCompanyEditorModel::DeleteLogo() { SetValue(kLogo, "0"); }

void TFrameCompanyEditorModel::SelectIcon(int imageItemId)
{
    if (imageItemId != 0)
        SetValue(kIcon, std::to_string(imageItemId));
}

void TFrameCompanyEditorModel::DeleteIcon() { SetValue(kIcon, "0"); }
