#pragma once
// The visual editor of one part of a page: a web view in design mode. The
// page's own scripts are switched off, so markup the user types, pastes or
// loads never runs; the program edits the document from its own script
// world (execCommand, the body's HTML). Addresses are resolved against the
// preview host, so the page's style sheets and pictures show.
#include <QUrl>
#include <QWebEngineView>

#include <functional>
#include <memory>
#include <string>

class TCommonGui;
class TPageChannel;

class TDesignView : public QWebEngineView {
    Q_OBJECT
public:
    explicit TDesignView(TCommonGui& gui, QWidget* parent = nullptr);

    // Shows a whole document at the address Base (a preview-host address of
    // the part, "tolvex://preview/EN/dhtmlTop.html"); Ready follows.
    void LoadDocument(const std::string& document, const QUrl& base);
    bool IsReady() const { return ready_; }

    // The body's HTML as stored, handed to Done.
    void ReadBodyHtml(std::function<void(const std::string&)> done);
    // Puts HTML at the selection (replacing it); nothing for blank HTML.
    // A failure shows "Cannot execute the task". Done gets the outcome.
    void InsertHtml(const std::string& html, std::function<void(bool)> done = {});
    // An editing command of the document ("bold", "justifyCenter", ...).
    void ExecCommand(const std::string& command, const std::string& value = {},
                     std::function<void(bool)> done = {});

    ~TDesignView() override;

    // Runs a script in the program's own world; Done gets its result, and
    // is never called once the view is going.
    void RunScript(const QString& script, std::function<void(const QVariant&)> done = {});

signals:
    void Ready();
    // The user changed the document.
    void Modified();

private:

    TCommonGui& gui_;
    TPageChannel* channel_;
    bool ready_ = false;
    // False from the start of the destruction: the engine may answer late.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
