#pragma once
// A one-line label for a text of any length, such as a caption that shows
// an item's name: it asks for no more room than a short text needs and
// draws what does not fit shortened with "…", the whole text in its tool
// tip. text() keeps the whole text.
#include <QLabel>

class TElidedLabel : public QLabel {
public:
    explicit TElidedLabel(const QString& text = QString(), QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // Whether the text is drawn shortened at the label's present width.
    bool IsElided() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QRect TextArea() const;
};
