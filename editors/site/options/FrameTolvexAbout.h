#pragma once
// The information page shown in the editor pane: the program's page
// "about/tolvex.htm" in a web view, "Continue" to go on to the catalog's
// first item, and whether the catalog opens on its home page from now on.
// The decisions are TFrameTolvexAboutModel's.
#include "editors/framework/TolvexFrameViewer.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QPushButton;
class QWebEngineView;
class TFrameSite;
class TFrameTolvexAboutModel;

class TFrameTolvexAbout : public QWidget, public TTolvexFrameViewer {
public:
    explicit TFrameTolvexAbout(TFrameSite& site);
    ~TFrameTolvexAbout() override;

    void InitControls() override;

    QWebEngineView* View() const { return wbTolvexAbout_; }

private:
    std::unique_ptr<TFrameTolvexAboutModel> model_;
    QWebEngineView* wbTolvexAbout_;
    QPushButton* btnTolvexAboutContinue_;
    QCheckBox* cbTolvexAboutGoHome_;
};
