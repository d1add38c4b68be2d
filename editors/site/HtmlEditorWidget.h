#pragma once
// The visual HTML editor's window part: the page's top and bottom parts,
// each a design view, one above the other with a splitter; a formatting
// toolbar and an actions toolbar whose insertions run through
// THtmlInsertionCommands and land at the selection of the part entered
// last. Loading and storing the parts is the frame's.
#include "editors/site/HtmlInsertionCommands.h"

#include <QUrl>
#include <QWidget>

#include <functional>
#include <string>

class QAction;
class QMenu;
class QSplitter;
class QToolBar;
class TCommonGui;
class TDesignView;

class THtmlEditorWidget : public QWidget {
    Q_OBJECT
public:
    // Commands may be null: the insertions are then unavailable.
    THtmlEditorWidget(TCommonGui& gui, THtmlInsertionCommands* commands, QWidget* parent = nullptr);

    // Shows both parts with the page's style sheet; LanguageCode names the
    // preview folder their addresses resolve in. Ready follows when both show.
    void LoadParts(const std::string& topHtml, const std::string& bottomHtml, const std::string& pageCss,
                   const std::string& backgroundFile, const std::string& languageCode);
    bool IsReady() const;
    // Both parts' HTML as stored.
    void ReadParts(std::function<void(const std::string& top, const std::string& bottom)> done);

    TDesignView* TopView() const { return top_; }
    TDesignView* BottomView() const { return bottom_; }
    // The part entered last (the top one unless the bottom one was).
    TDesignView* ActiveView() const;
    void SetBottomActive(bool bottom) { bottomActive_ = bottom; }
    QAction* Action(const QString& caption) const;
    QMenu* StyleMenu() const { return styles_; }
    // Gives the selection of the active part the style-sheet class.
    void ApplyCssClass(const std::string& className);

signals:
    void Ready();
    void Modified();
    // "Edit Html Source Code": the frame edits every language's source.
    void EditSourceRequested();

private:
    void BuildToolbars();
    QAction* AddAction(QToolBar* bar, const char* caption, std::function<void()> run,
                       const char* shortText = nullptr);
    void InsertLink(int kind);
    void InsertPopupImage();
    void InsertTable();
    void FillCssClasses(const std::string& pageCss);

    TCommonGui& gui_;
    THtmlInsertionCommands* commands_;
    QToolBar* format_;
    QToolBar* actions_;
    QMenu* styles_;
    QSplitter* splitter_;
    TDesignView* top_;
    TDesignView* bottom_;
    bool bottomActive_ = false;
};
