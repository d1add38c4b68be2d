#pragma once
// The "Colors" tab of a product: the colours it comes in, one row each with
// a swatch and its "RGB Value" (six hexadecimal digits, red first). Add and
// Edit pick a colour with the colour dialog; Delete asks first. The list is
// TMultiColorModel's, stored into the product's technical details with the save.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class QPushButton;
class QTreeWidget;
class TFrameSite;
class TMultiColorModel;

class TFrameMultiColorEditor : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameMultiColorEditor(TFrameSite& site);
    ~TFrameMultiColorEditor() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

    // "RRGGBB" of a colour and back (an invalid colour for a text that is none).
    static QString Hex(const QColor& color);
    static QColor FromHex(const QString& hex);

private:
    void Fill(int selectRow);
    int SelectedRow() const;
    void AddColor();
    void EditColor();
    void DeleteColor();
    void UpdateButtons();

    std::unique_ptr<TMultiColorModel> model_;
    QTreeWidget* lvColors_ = nullptr;
    QPushButton* btnAdd_ = nullptr;
    QPushButton* btnEdit_ = nullptr;
    QPushButton* btnDelete_ = nullptr;
};
