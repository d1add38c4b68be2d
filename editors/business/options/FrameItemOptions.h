#pragma once
// The option library's tab ("Options" of the options root): options and
// their values in a tree, added, renamed (in place or through Edit),
// deleted and reordered through TOptionLibraryModel. A save posts the
// data-changed notice of kind 1003, on which the products' Options tabs
// read the library again.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class TFrameSite;
class TOptionLibraryModel;
class TOptionLibraryTree;

class TFrameItemOptions : public QWidget, public TTolvexFrameEditor {
public:
    static constexpr int kOptionsChanged = 1003;

    explicit TFrameItemOptions(TFrameSite& site);
    ~TFrameItemOptions() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool) override {}
    void AfterSave() override;
    void Cancel() override;

    TOptionLibraryModel& Model() { return *model_; }

private:
    std::unique_ptr<TOptionLibraryModel> model_;
    TOptionLibraryTree* tree_ = nullptr;
};
