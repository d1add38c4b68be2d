#pragma once
// A grid of the item's object of one class, member by member, configured by
// the catalog definition: the frame is registered as "ObjectEditor*" and
// reads the class from the key value "ClassXmlTag" of the editor name it is
// opened under. The first column names the member and cannot be selected;
// the second holds the value and is edited in place (binary members are
// shown, not edited). The decisions are TObjectEditorModel's.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class QTableWidget;
class TFrameSite;
class TObjectEditorModel;

class TFrameObjectEditor : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameObjectEditor(TFrameSite& site);
    ~TFrameObjectEditor() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

private:
    void Fill();

    std::string classTag_;
    std::unique_ptr<TObjectEditorModel> model_;
    QTableWidget* grdObject_ = nullptr;
};
