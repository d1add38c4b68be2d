#pragma once
// The WYSIWYG template editor's page: a master or body template's XSL shown
// as an editable page in the design view (text formats, alignment, lists,
// pictures through the image dialog), stored back as XSL when the item is
// saved. A template whose unedited round trip through the browser would
// change it is shown read-only with the reason; an edited design that
// cannot be written as XSL is refused and nothing is stored.
#include "editors/framework/TolvexFrameEditor.h"
#include "editors/media/templates/visual/TemplateDesignModel.h"

#include <QWidget>

#include <functional>
#include <string>

class QAction;
class QLabel;
class QToolBar;
class TDesignView;
class TFrameSite;

class TFrameTemplateHtmlEditor : public QWidget, public TTolvexFrameEditor {
    Q_OBJECT
public:
    explicit TFrameTemplateHtmlEditor(TFrameSite& site);
    ~TFrameTemplateHtmlEditor() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;
    void TabShown() override;
    bool Save() override;

    TDesignView* View() const { return view_; }
    const TTemplateDesignModel& Model() const { return model_; }
    // The template was shown and its round trip checked.
    bool IsChecked() const { return checked_; }
    // "Insert Picture": the image dialog, then the picture at the selection.
    void InsertPicture();
    // Runs an editing command ("bold", "justifyCenter", ...) on the selection.
    void RunCommand(const char* command);
    // How long storing waits for the view to answer (20 s).
    void SetReadTimeout(int milliseconds) { readTimeoutMs_ = milliseconds; }

signals:
    // The round trip of the template shown was checked.
    void Checked();

private:
    std::string SourceCode();
    void Show();
    // Reads the design as a tree; Done gets false when the view gave none.
    void ReadTree(std::function<void(bool, const TDesignNode&)> done);
    void ApplyState();

    TTemplateDesignModel model_;
    TDesignView* view_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QLabel* status_ = nullptr;
    bool checked_ = false;
    bool edited_ = false;
    // Set by StoreToObjects when the design could not be stored; Save then fails.
    std::string refusal_;
    int readTimeoutMs_ = 20000;
    // Counts loads, so that a late answer about an earlier one is dropped.
    int load_ = 0;
};
