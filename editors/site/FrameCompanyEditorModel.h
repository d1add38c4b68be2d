#pragma once
// TFrameCompanyEditorModel: the company's "Basic" tab without widgets: name,
// description, logo and icon (image item ids, 0 for none).
#include "editors/site/company/CompanyInfoModel.h"

class TFrameCompanyEditorModel : public TCompanyInfoModel {
public:
    TFrameCompanyEditorModel(const TSiteModelContext& context, int frameItemId, const std::string& editorName);

    int LogoImageId() const;
    int IconImageId() const;
    // The image item chosen in the "logoimage" dialog; 0 changes nothing.
    void SelectLogo(int imageItemId);
    void DeleteLogo();
    // The image item chosen in the "iconimage" dialog; 0 changes nothing.
    void SelectIcon(int imageItemId);
    void DeleteIcon();
    bool CanDeleteLogo() const { return LogoImageId() != 0 && !IsReadOnly(); }
    bool CanDeleteIcon() const { return IconImageId() != 0 && !IsReadOnly(); }
};
