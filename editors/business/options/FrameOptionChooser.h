#pragma once
// The dialog with which a product picks an option ("Select Option Name"):
// the option library's tree, where options and values may also be added or
// deleted; Ok answers "OptionItemId", the option of the selected node (the
// option itself, or the option of a selected value).
#include "editors/framework/TolvexFrameViewer.h"

#include <QWidget>

#include <memory>

class TFrameSite;
class TOptionLibraryModel;
class TOptionLibraryTree;

class TFrameOptionChooser : public QWidget, public TTolvexFrameViewer {
public:
    explicit TFrameOptionChooser(TFrameSite& site);
    ~TFrameOptionChooser() override;

    void InitControls() override;
    bool Save() override;

    TOptionLibraryTree* Tree() const { return tree_; }

private:
    std::unique_ptr<TOptionLibraryModel> model_;
    TOptionLibraryTree* tree_ = nullptr;
};
