#pragma once
// What an item's editor in the editor pane shows of the editors the program
// does not have: every tab visited, and the editors that placeholder pages
// stand for collected from the texts they show.
#include "editors/framework/PlaceholderFrame.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QTabWidget>
#include <QWidget>

#include <set>
#include <string>
#include <utility>

// The class a placeholder stands for, from the text its page shows:
// "Name (TClass)" gives TClass, a name alone gives the name.
inline std::string StandsFor(const std::string& what)
{
    const std::size_t open = what.rfind(" (");
    if (open != std::string::npos && what.ends_with(')'))
        return what.substr(open + 2, what.size() - open - 3);
    return what;
}

// The editors the pane's placeholder pages stand for, as their pages say.
inline std::set<std::string> PlaceholdersShown(QWidget& pane)
{
    const std::string marker = "@@";
    const std::string pattern = TPlaceholderFrame::MessageFor(marker);
    const std::string before = pattern.substr(0, pattern.find(marker));
    const std::string after = pattern.substr(pattern.find(marker) + marker.size());
    std::set<std::string> found;
    for (QLabel* label : pane.findChildren<QLabel*>()) {
        const std::string text = label->text().toStdString();
        if (text.starts_with(before) && text.ends_with(after) && text.size() > before.size() + after.size())
            found.insert(text.substr(before.size(), text.size() - before.size() - after.size()));
    }
    return found;
}

// Clicks through every tab of every tab control in the pane, nested ones
// included, until a pass finds no tab it has not shown yet.
inline void VisitEveryTab(QWidget& pane)
{
    std::set<std::pair<QTabWidget*, int>> visited;
    for (bool more = true; more;) {
        more = false;
        for (QTabWidget* found : pane.findChildren<QTabWidget*>()) {
            // A tab that leaves for a list (a list changer) replaces the editor under the loop.
            const QPointer<QTabWidget> tabs(found);
            for (int i = 0; tabs && i < tabs->count(); ++i) {
                if (!visited.insert({tabs, i}).second)
                    continue;
                more = true;
                tabs->setCurrentIndex(i);
                QCoreApplication::processEvents();
            }
            if (more)
                break;  // the set of tab controls may have changed
        }
    }
}
