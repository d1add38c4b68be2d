#pragma once
// The "Style" tab of a predefined style item in a style catalog: the style's
// master template, colour and font style sheets and background; the catalog
// items and images loaded with it (items can be marked as defaults); and the
// colour sheets, font sheets and backgrounds it offers, as check-box lists.
// A picture of the selected image shows beside the images. The decisions are
// TPreDefinedStyleModel's; its values reach the item's object when the frame
// stores. Each list row keeps its item id under Qt::UserRole + 1 of its
// first column.
#include "editors/framework/TolvexFrameEditor.h"
#include "editors/media/styles/PreDefinedStyleModel.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class TFrameSite;

class TFramePreDefinedStyle : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFramePreDefinedStyle(TFrameSite& site);
    ~TFramePreDefinedStyle() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

private:
    using TList = TPreDefinedStyleModel::TList;
    using TCombo = TPreDefinedStyleModel::TCombo;

    QTreeWidget* NewList(const char* name, const QStringList& columns);
    QWidget* ListPage(const QString& label, QTreeWidget* list, QWidget* beside = nullptr);
    QTreeWidget* ListOf(TList list) const;
    QComboBox* ComboOf(TCombo combo) const;
    void FillList(TList list);
    void FillCombo(TCombo combo);
    void RowChecked(TList list, QTreeWidgetItem* item);
    void SetDefault();
    void ShowPicture();

    std::unique_ptr<TPreDefinedStyleModel> model_;
    QTabWidget* pcStyle_ = nullptr;
    QComboBox* cbMasterTemplate_ = nullptr;
    QComboBox* cbColorCss_ = nullptr;
    QComboBox* cbFontCss_ = nullptr;
    QComboBox* cbBackgroundImage_ = nullptr;
    QTreeWidget* lvLoadItems_ = nullptr;
    QTreeWidget* lvLoadImages_ = nullptr;
    QTreeWidget* lvColorCss_ = nullptr;
    QTreeWidget* lvFontCss_ = nullptr;
    QTreeWidget* lvBackgrounds_ = nullptr;
    QPushButton* btnSetDefault_ = nullptr;
    QWidget* pnlImage_ = nullptr;
    QLabel* lblImageInfo_ = nullptr;
    QLabel* imgPicture_ = nullptr;
    QWidget* tabLoadImages_ = nullptr;
};
