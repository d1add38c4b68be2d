#pragma once
// The option library as a tree with its buttons, shared by the library's own
// tab (names edited in place, values moved up and down) and by the dialog
// that picks an option (values shown grey). Every decision is
// TOptionLibraryModel's; this widget only shows it and asks the user.
#include <QWidget>

#include <functional>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TOptionLibraryModel;

class TOptionLibraryTree : public QWidget {
public:
    TOptionLibraryTree(QWidget* parent, TOptionLibraryModel& model, bool chooser);

    // Called after every change the model made.
    std::function<void()> Changed;

    void Fill(int selectId);
    int SelectedId() const;
    QTreeWidget* Tree() const { return tvOptions_; }

    void AddOption();
    void AddValue();
    void Edit();
    void Delete();
    void Move(int step);

private:
    QTreeWidgetItem* ItemOf(int itemId) const;
    bool IsEditingCaption() const;
    void Renamed(QTreeWidgetItem* item);
    void UpdateButtons();
    void Done(int selectId);

    TOptionLibraryModel& model_;
    bool chooser_;
    bool filling_ = false;
    QTreeWidget* tvOptions_ = nullptr;
    QPushButton* btnAddOption_ = nullptr;
    QPushButton* btnAddValue_ = nullptr;
    QPushButton* btnEdit_ = nullptr;
    QPushButton* btnDelete_ = nullptr;
    QPushButton* btnUp_ = nullptr;
    QPushButton* btnDown_ = nullptr;
};
