#pragma once
// "About": the product name, its version, links to the maker's home page
// and support mail, the program's folders, and "System Information", which
// shows the environment check's lines. F1 shows the help of context 299.
#include <QDialog>

#include <functional>
#include <string>

class QLabel;
class QPushButton;
class TEnvironmentCheck;
class THelpRequests;

class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    struct TContent {
        std::string Version;
        std::string HomePage;
        std::string SupportAddress;
        // Lines naming the program's folders.
        std::string Folders;
        // Null: "System Information" is disabled.
        const TEnvironmentCheck* Environment = nullptr;
        // Null: F1 shows no help.
        THelpRequests* Help = nullptr;
        std::function<void(const std::string&)> OpenUrl;
    };
    explicit TfrmAbout(TContent content, QWidget* parent = nullptr);

    QLabel* lblVersion;
    QLabel* lblFolders;
    QPushButton* btnSystemInformation;
    QPushButton* btnOk;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TContent content_;
};
