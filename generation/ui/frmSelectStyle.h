#pragma once
// The style selection dialog: the styles of the catalog type's style
// catalog in a tree, and for the chosen style its colour style sheets, font
// style sheets and backgrounds; with "Preview" down, a page of the catalog
// (or a sample page) rendered with the chosen combination over the
// style-preview host. After OK it hands the style manager what to copy.
// What it shows and decides is TStyleChoices'; this class is its widgets.
#include "generation/StyleDialog.h"
#include "generation/ui/StyleChoices.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QTabBar;
class QTreeWidget;
class QTreeWidgetItem;
class QWebEngineView;
class TCommonGui;
class TTolvex;
class TTranslation;

class TfrmSelectStyle : public QDialog, public TStyleDialog {
    Q_OBJECT
public:
    // Root: the program with the catalog open; all must outlive the dialog.
    // Translation may be null (texts stay English).
    TfrmSelectStyle(TTolvex& root, TCommonGui& gui, const TTranslation* translation, QWidget* parent = nullptr);
    ~TfrmSelectStyle() override;

    // ---- TStyleDialog ------------------------------------------------------------------
    void Setup(int mode, TAbstractDBConnection& definitionConnection, int masterTemplateId, int colorScheme,
               int fontScheme, int backgroundImageCode) override;
    bool Execute() override;
    void CollectSelection(std::vector<std::string>& itemIds, std::vector<std::string>& defaultTemplateIds,
                          std::vector<std::string>& params) override;

    // Shows the help of an alias ("frmSelectStyle"); nothing without it.
    void SetHelpHandler(std::function<void(const std::string& alias)> handler) { help_ = std::move(handler); }

    // The parts tests reach.
    QTreeWidget* StyleTree() const { return tree_; }
    QTreeWidget* ColorList() const { return colors_; }
    QTreeWidget* FontList() const { return fonts_; }
    QTreeWidget* BackgroundList() const { return backgrounds_; }
    QPushButton* PreviewButton() const { return previewButton_; }
    QTabBar* PreviewTabs() const { return tabs_; }
    QWebEngineView* Browser() const { return browser_; }
    QPlainTextEdit* Description() const { return info_; }
    int CurrentStyleId() const { return currentStyleId_; }
    // How many previews were generated (each one a page).
    int PreviewCount() const { return previewCount_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void accept() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class TPreviewPage;
    using TKind = TStyleChoices::TKind;

    void BuildLayout();
    void FillTree();
    void SelectBestStyle(int masterTemplateId);
    // Fills the three lists for the selected style with the wanted ids.
    void ShowChoices(int color, int font, int background);
    void FillList(QTreeWidget* list, const TStyleChoices::TChoiceList& choices, const std::string& current);
    void FillPreviewTabs();
    // The selected style's description, shown whether or not "Preview" is down.
    void ShowDescription();
    void StyleChanged();
    void ChoiceChanged();
    void RefreshPreview();
    void PreviewToggled(bool down);
    // The selected entry's id; -1 when the list has no selection.
    static int SelectedId(QTreeWidget* list);
    std::optional<TStyleChoices::TStyle> SelectedStyle();
    // Whether closing may go on (asks in the first-style mode).
    bool MayClose();
    QString Tr(const std::string& text) const;

    TTolvex& root_;
    TCommonGui& gui_;
    const TTranslation* translation_;
    std::function<void(const std::string&)> help_;
    std::unique_ptr<TStyleChoices> choices_;

    int mode_ = 1;
    int currentStyleId_ = 0;
    std::string currentColor_, currentFont_, currentBackground_;
    bool closing_ = false;
    bool allowClose_ = true;
    bool loading_ = false;
    std::vector<TStyleChoices::TPreviewTab> previewTabs_;
    int lastPreviewStyle_ = -1;
    int lastPreviewColor_ = -1, lastPreviewFont_ = -1, lastPreviewBackground_ = -1;
    int previewCount_ = 0;

    QTreeWidget* tree_ = nullptr;
    QTreeWidget* colors_ = nullptr;
    QTreeWidget* fonts_ = nullptr;
    QTreeWidget* backgrounds_ = nullptr;
    QPlainTextEdit* info_ = nullptr;
    QTabBar* tabs_ = nullptr;
    QWebEngineView* browser_ = nullptr;
    QWidget* previewArea_ = nullptr;
    QSplitter* leftPane_ = nullptr;
    QPushButton* previewButton_ = nullptr;
};
