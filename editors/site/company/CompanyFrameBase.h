#pragma once
// What the company frames share: a form of captioned fields, each showing
// one member of the company record (a line, a memo, the country list, the
// city or state edit that becomes a list for the catalog types that choose
// from one). The frame's model (a TCompanyInfoModel) reads and writes the
// record; the frame only copies between it and the controls.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QFormLayout;
class TCompanyInfoModel;
class TFrameSite;
struct TSiteModelContext;

class TCompanyFrameBase : public QWidget, public TTolvexFrameEditor {
public:
    enum TFieldKind { fkLine, fkMemo, fkCountry, fkCity, fkState };
    struct TField {
        std::string Member;
        std::string Caption;
        TFieldKind Kind = fkLine;
    };

    TCompanyFrameBase(TFrameSite& site, const char* objectName, std::vector<TField> fields);
    ~TCompanyFrameBase() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

protected:
    virtual std::unique_ptr<TCompanyInfoModel> CreateModel(const TSiteModelContext& context) = 0;
    // Rows a frame adds below the fields (the logo and icon of the basic tab).
    virtual void AddExtraRows(QFormLayout& /*form*/) {}
    virtual void LoadExtra() {}
    TCompanyInfoModel* Model() const { return model_.get(); }
    void Changed();

private:
    struct TControl;
    void Fill(TControl& control);
    void Read(const TControl& control);

    std::vector<TField> fields_;
    std::vector<TControl> controls_;
    std::unique_ptr<TCompanyInfoModel> model_;
};
