#pragma once
// What the properties tabs of a web page share: the name, the alternative
// file name, the page's address and the "Visible Page" box, over a
// TPagePropertiesModel. A save checks the values first and points at the
// refused control; a renamed page tells the item editor its new name, so
// that the tree nodes follow.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class TFrameSite;
class TPagePropertiesModel;
struct TSiteModelContext;

class TPagePropertiesFrameBase : public QWidget, public TTolvexFrameEditor {
public:
    TPagePropertiesFrameBase(TFrameSite& site, const char* objectName, const QString& nameCaption);
    ~TPagePropertiesFrameBase() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;
    bool Save() override;
    void AfterSave() override;

protected:
    virtual std::unique_ptr<TPagePropertiesModel> CreateModel(const TSiteModelContext& context) = 0;
    // The frame's own rows, below the common ones.
    virtual void AddRows(QFormLayout& form) = 0;
    virtual void LoadRows() = 0;
    virtual void StoreRows() = 0;
    // The id the tree renames: the opened item's or its tree place's.
    virtual int RenamedItemId() const = 0;
    TPagePropertiesModel* Model() const { return model_.get(); }
    void Changed();
    void SetNameEditText(const std::string& name) override;

private:
    // A model of the frame's item in the content language, writing through the context.
    std::unique_ptr<TPagePropertiesModel> NewModel();
    // The name typed shows in the editor's caption at once.
    void ShowNameInCaption();
    void ShowUrl();

    QString nameCaption_;
    std::unique_ptr<TPagePropertiesModel> model_;
    QLineEdit* edtName_ = nullptr;
    QLineEdit* edtAltFileName_ = nullptr;
    QLabel* lblPageUrl_ = nullptr;
    QCheckBox* chkVisible_ = nullptr;
};
