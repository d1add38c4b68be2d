#pragma once
// The visual HTML editor's window part: the page's top and bottom parts,
// each a design view, one above the other with a splitter; the text,
// alignment, actions, borders and image toolbars and the context menu
// (editing, the table commands, cell and element properties, Save Photo).
// Insertions run through THtmlInsertionCommands; every command lands at
// the selection of the part entered last. Loading and storing the parts,
// and keeping the user's choices (Show Borders, Show all possible
// attributes) in the settings, is the frame's.
#include "editors/site/html/DesignContextMenu.h"
#include "editors/site/html/DesignTable.h"
#include "editors/site/html/HtmlInsertionCommands.h"

#include <QUrl>
#include <QWidget>

#include <functional>
#include <string>

class QAction;
class QFont;
class QLabel;
class QMenu;
class QSplitter;
class QToolBar;
class TCommonGui;
class TDesignView;
class TfrmProperties;

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
    // A complete document in the top part (its head kept), for editors of a
    // whole page's source; read back with ReadDocument.
    void LoadWholeDocument(const std::string& document, const std::string& languageCode);
    void ReadDocument(std::function<void(const std::string& document)> done);
    // Only the top part shows and fills the editor.
    void ShowTopOnly();
    // Whether either part saw an edit since it was loaded.
    void ReadEdited(std::function<void(bool edited)> done);
    // Both parts' HTML as stored.
    void ReadParts(std::function<void(const std::string& top, const std::string& bottom)> done);

    TDesignView* TopView() const { return top_; }
    TDesignView* BottomView() const { return bottom_; }
    // The part entered last (the top one unless the bottom one was).
    TDesignView* ActiveView() const;
    void SetBottomActive(bool bottom) { bottomActive_ = bottom; }

    // The commands of the toolbars.
    struct TToolbarActions {
        QAction* ChangeFont = nullptr;
        QAction* Bold = nullptr;
        QAction* Italic = nullptr;
        QAction* Underline = nullptr;
        QAction* SelectCssStyle = nullptr;  // its menu lists the page's style classes
        QAction* AlignLeft = nullptr;
        QAction* Center = nullptr;
        QAction* Justify = nullptr;
        QAction* AlignRight = nullptr;
        QAction* UnorderedList = nullptr;
        QAction* OrderedList = nullptr;
        QAction* InsertPicture = nullptr;
        QAction* InsertTable = nullptr;
        QAction* InsertObject = nullptr;
        QAction* OpenHtmlFile = nullptr;
        QAction* ImportHtmlFromWeb = nullptr;
        QAction* HorizontalLine = nullptr;
        QAction* InsertLineBreak = nullptr;
        QAction* InsertHyperlink = nullptr;
        QAction* InsertAnchor = nullptr;
        QAction* InsertLinkToPage = nullptr;
        QAction* InsertPopupImage = nullptr;
        QAction* EditSource = nullptr;
        QAction* ShowBorders = nullptr;  // checkable
        QAction* Shadow = nullptr;
    };
    const TToolbarActions& Actions() const { return toolbar_; }
    QMenu* StyleMenu() const { return styles_; }
    // Gives the selection of the active part the style-sheet class.
    void ApplyCssClass(const std::string& className);

    // The dialogs the editor opens; tests answer them in place of the user.
    struct TDialogs {
        std::function<bool(TfrmProperties&)> Properties;
        // The file a picture is saved to; empty when cancelled.
        std::function<QString(const QString& fileName, const QString& filter)> SavePath;
        std::function<bool(QFont&)> Font;
    };
    TDialogs& Dialogs() { return dialogs_; }
    // Saves the catalog picture named FileName to Target ("Save Photo");
    // without it the picture is not saved.
    void SetPhotoSaver(std::function<bool(const std::string& fileName, const std::string& target)> saver)
    {
        photoSaver_ = std::move(saver);
    }

    // Dotted outlines of tables and cells in both parts.
    void SetShowBorders(bool on);
    // The check box of the properties dialog starts in this state.
    void SetShowAllAttributes(bool on) { showAllAttributes_ = on; }
    // The table commands at the selection of the active part.
    void RunTableCommand(TTableCommand command);
    // The attributes of the enclosing element of the tag (a selected
    // control's own for an empty tag) in the properties dialog.
    void ShowElementProperties(const std::string& tagName);
    void ChangeFont();
    void Justify();
    // "Shadow": a shadow on the selected picture, or off again.
    void ToggleShadow();
    void SavePhoto();
    // "Properties": a link's dialog, the font, or the selected control's attributes.
    void ShowProperties();
    // Updates the context menu for the active part's selection and shows it
    // at Where; Shown follows once it is up to date.
    void ShowContextMenu(const QPoint& where, std::function<void()> shown = {});
    QMenu* ContextMenu() const { return context_; }
    // The commands of the context menu; Table is the entry of its table submenu.
    struct TMenuActions {
        QAction* Undo = nullptr;
        QAction* Cut = nullptr;
        QAction* Copy = nullptr;
        QAction* Paste = nullptr;
        QAction* SelectAll = nullptr;
        QAction* Search = nullptr;
        QAction* Table = nullptr;
        QAction* InsertNewTable = nullptr;
        QAction* MergeCells = nullptr;
        QAction* SplitCell = nullptr;
        QAction* InsertRow = nullptr;
        QAction* InsertColumn = nullptr;
        QAction* DeleteRow = nullptr;
        QAction* DeleteColumn = nullptr;
        QAction* CellProperties = nullptr;
        QAction* RowProperties = nullptr;
        QAction* RemoveHyperlink = nullptr;
        QAction* InsertPopupImage = nullptr;
        QAction* SavePhoto = nullptr;
        QAction* Properties = nullptr;
        QAction* EditSource = nullptr;
    };
    const TMenuActions& MenuActions() const { return menu_; }

signals:
    void Ready();
    void Modified();
    // "Edit Html Source Code": the frame edits every language's source.
    void EditSourceRequested();
    // The user switched "Show Borders" or "Show all possible attributes":
    // the frame keeps the choice for new editors.
    void ShowBordersChanged(bool on);
    void ShowAllAttributesChanged(bool on);

private:
    void BuildToolbars();
    QAction* AddAction(QToolBar* bar, const char* caption, std::function<void()> run,
                       const char* shortText = nullptr);
    void InsertLink(int kind);
    void InsertPopupImage();
    void InsertTable();
    // "Open HTML File", "Import HTML From Web".
    void ImportHtml(bool fromWeb);
    // The preview-host address a part is shown at, in the language last loaded.
    QUrl PartAddress(bool top) const;
    void FillCssClasses(const std::string& pageCss);
    void BuildContextMenu();
    void ApplyMenuState(const TDesignMenuState& state);
    void OpenProperties(TDesignView* view, const QVariantMap& found);

    TCommonGui& gui_;
    THtmlInsertionCommands* commands_;
    QToolBar* format_;
    QToolBar* actions_;
    QToolBar* borders_;
    QMenu* context_ = nullptr;
    TToolbarActions toolbar_;
    TMenuActions menu_;
    TDesignMenuState menuState_;
    TDesignSelectionStatus lastStatus_;
    TDialogs dialogs_;
    std::function<bool(const std::string&, const std::string&)> photoSaver_;
    bool showAllAttributes_ = false;
    QMenu* styles_;
    QSplitter* splitter_;
    TDesignView* top_;
    TDesignView* bottom_;
    QLabel* topLabel_;
    QLabel* bottomLabel_;
    bool bottomActive_ = false;
    // What the parts were last loaded with, for a part loaded anew.
    struct TShown {
        std::string Css;
        std::string Background;
        std::string LanguageCode;
        bool WholeDocument = false;
    } shown_;
};
