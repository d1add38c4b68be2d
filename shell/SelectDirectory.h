#pragma once
// "Select Directory ...": the program's folder picker. A folder tree, the
// path of the chosen folder (typed or picked), "Create Folder" for a typed
// folder that does not exist yet, and "Help" when a help alias was given.
// "Ok" is enabled exactly while the typed folder exists, and accepts only a
// folder files can be written into. The folders are listed by their entries
// alone: no file is ever opened to find its type or icon.
#include <QDialog>

#include <string>
#include <vector>

class QFileSystemModel;
class QLineEdit;
class QPushButton;
class QTreeView;
class TCommonGui;
class THelpRequests;

class TfrmSelectDirectory : public QDialog {
    Q_OBJECT
public:
    // Help (may be null) answers the Help button and must outlive the dialog.
    TfrmSelectDirectory(const std::string& initialFolder, const std::string& helpAlias, TCommonGui& gui,
                        THelpRequests* help, QWidget* parent = nullptr);

    // The tree's current folder.
    std::string CurrentFolder() const;
    QLineEdit* PathEdit() const { return path_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CreateButton() const { return create_; }
    QPushButton* HelpButton() const { return help_; }
    void CreateFolder();

public slots:
    // Refuses a folder no files can be written into (TFolderCheck) with a message; the dialog stays.
    void accept() override;

private:
    void OpenOn(const QString& folder);
    void PathChanged();

    TCommonGui& gui_;
    QFileSystemModel* model_;
    QTreeView* tree_;
    QLineEdit* path_;
    QPushButton* ok_;
    QPushButton* create_;
    QPushButton* help_ = nullptr;
};

// Shows the picker; the chosen folder on "Ok", empty otherwise.
std::string SelectDirectoryDialog(const std::string& initialFolder, const std::string& helpAlias, TCommonGui& gui,
                                  THelpRequests* help = nullptr, QWidget* parent = nullptr);
