#pragma once
// A tool bar whose buttons show their captions beside their icons while
// they all fit into its width, and only their icons (the caption in the
// tip) when they do not, so that no button hides behind the overflow arrow
// of a narrow pane.
#include <QToolBar>

class TFittingToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit TFittingToolBar(QWidget* parent);

    // The width the bar needs to show every visible button with its caption.
    int WidthWithCaptions() const;

protected:
    void actionEvent(QActionEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Fit();
};
