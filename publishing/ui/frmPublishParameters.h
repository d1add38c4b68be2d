#pragma once
// The modal dialog "Publish Parameters" of local publishing: the language
// ("[All possible]" or one catalog language), the index file name, "Make
// server-side scripts" and the page to publish ("(All Pages)" or the one
// chosen with "..."). What it offers comes from TPublishParameters; the
// answers are read back by the caller after "Start".
#include "publishing/PublishParameters.h"
#include "publishing/ui/PublishDialogParts.h"

#include <QDialog>

#include <string>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QPushButton;
class TTranslation;

class TfrmPublishParameters : public QDialog {
    Q_OBJECT
public:
    TfrmPublishParameters(const TPublishParameters& choices, TPublishPageField::TChooser chooser,
                          const TTranslation* translation, QWidget* parent = nullptr);

    // The answers: empty language for every language, the index file name as typed, 0 for every page.
    std::string LangCode() const;
    std::string IndexFileName() const;
    bool ServerSideScripts() const;
    int PageId() const;

    QComboBox* LanguageBox() const { return language_; }
    QLineEdit* IndexEdit() const { return index_; }
    QCheckBox* ScriptsBox() const { return scripts_; }
    TPublishPageField* PageField() const { return page_; }
    QPushButton* StartButton() const { return start_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QComboBox* language_ = nullptr;
    QLineEdit* index_ = nullptr;
    QCheckBox* scripts_ = nullptr;
    TPublishPageField* page_ = nullptr;
    QPushButton* start_ = nullptr;
};
