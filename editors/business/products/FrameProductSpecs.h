#pragma once
// The "Specs" tab of a product in the advanced mode: every technical detail,
// the dominant colour both as free text (a Pantone name) and as a colour
// picked with "..." and shown as a sample.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class TFrameSite;
class TProductSpecsControls;
class TProductSpecsModel;

class TFrameProductSpecs : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameProductSpecs(TFrameSite& site);
    ~TFrameProductSpecs() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;

    // "BBGGRR" (blue first) of a colour and back; an invalid colour for a text that is none.
    static QString DominantHex(const QColor& color);
    static QColor FromDominantHex(const QString& hex);

private:
    void PickColor();
    void ShowSample();
    void Changed();

    TProductSpecsControls* controls_ = nullptr;
    TProductSpecsControls* notes_ = nullptr;
    std::unique_ptr<TProductSpecsModel> model_;
    QLineEdit* edtDominantColor_ = nullptr;
    QPushButton* btnColor_ = nullptr;
    QLabel* lblColorSample_ = nullptr;
};
