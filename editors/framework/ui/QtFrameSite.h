#pragma once
// A tab page (or the host panel's single page) as a widget: frames of the
// Qt side are placed into Container() (a vertical layout fills it); a page
// without a frame shows its message in a centred label.
#include "editors/framework/FrameSite.h"

#include <QWidget>

class QLabel;

class TQtFrameSite : public QWidget, public TFrameSite {
    Q_OBJECT
public:
    explicit TQtFrameSite(QWidget* parent = nullptr);

    void ShowMessage(const std::string& text) override;
    // Adds a frame's widget to the page, filling it.
    void Place(QWidget* frame);
    QWidget* Container() { return this; }
    // The site of a frame (null for a site that is not a widget).
    static TQtFrameSite* Of(TFrameSite& site) { return dynamic_cast<TQtFrameSite*>(&site); }
    // Places Frame into Site when the site is a widget (what every frame's
    // constructor does; a site without widgets, in headless use, takes none).
    static void PlaceInto(TFrameSite& site, QWidget* frame)
    {
        if (TQtFrameSite* page = Of(site))
            page->Place(frame);
    }

private:
    QLabel* message_ = nullptr;
};
