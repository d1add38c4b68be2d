#pragma once
// What the two property tabs of template items share: the name edit, the
// version (an edit on the styles database, where the editors are opened
// with the parameter "Styles", read-only elsewhere), the item id and the
// "Make Default" button, over a TTemplatePropertiesModel. The tabs add
// their own rows below.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class TFrameSite;
class TTemplatePropertiesModel;

class TTemplateFrameBase : public QWidget, public TTolvexFrameEditor {
public:
    ~TTemplateFrameBase() override;

    QPushButton* MakeDefaultButton() const { return btnMakeDefault_; }

protected:
    TTemplateFrameBase(TFrameSite& site, const char* objectName, bool master);

    // Builds the shared rows; the tab adds its own to Form() after.
    void InitSharedControls();
    // Reads the model and shows the shared values; false when the item lacks
    // one of its objects (nothing is shown then).
    bool LoadShared();
    // The shared values into the model, the name change told to the tree.
    // False when the frame has nothing to store.
    bool PrepareStore();
    bool VersionEditable() const;
    void SetNameEditText(const std::string& name) override;
    void Changed();

    QFormLayout* Form() const { return form_; }
    TTemplatePropertiesModel& Model() const { return *model_; }
    std::unique_ptr<TTemplatePropertiesModel> model_;

private:
    bool master_;
    QFormLayout* form_ = nullptr;
    QLineEdit* edtName_ = nullptr;
    QLineEdit* edtVersion_ = nullptr;
    QLabel* lblVersion_ = nullptr;
    QLabel* lblItemId_ = nullptr;
    QPushButton* btnMakeDefault_ = nullptr;
    bool nameEdited_ = false;
};
