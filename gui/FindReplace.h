#pragma once
// The shared find and replace dialogs. They work on the control that had
// the focus when they were opened: a single-line edit, a multi-line edit,
// or a control that searches itself (TFindTarget: the browser and the HTML
// editors, the catalog trees). The last find text, the direction and the
// match-case choice are kept for the program's run.
#include <QDialog>
#include <QPointer>
#include <QString>

#include <functional>
#include <string>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TCommonGui;

// A control that finds text itself; Find returns false when nothing was found.
class TFindTarget {
public:
    virtual ~TFindTarget() = default;
    virtual bool FindText(const QString& text, bool down, bool matchCase) = 0;
    // Whether it can replace text (the trees cannot).
    virtual bool CanReplace() const { return false; }
    // Text access for replacing, in QString positions: a target that can
    // replace answers these three (ReadText true), the replace dialog then
    // works on it as on an edit control.
    virtual bool ReadText(QString& /*text*/, qsizetype& /*selStart*/, qsizetype& /*selLength*/) const
    {
        return false;
    }
    virtual void WriteText(qsizetype /*start*/, qsizetype /*length*/, const QString& /*replacement*/) {}
    virtual void SelectText(qsizetype /*start*/, qsizetype /*length*/) {}
};

class TFindReplace;

class TfrmFindReplace : public QDialog {
    Q_OBJECT
public:
    TfrmFindReplace(TFindReplace& owner, bool replace, bool withOptions, QWidget* parent);
    QLineEdit* FindEdit() const { return find_; }
    QLineEdit* ReplaceEdit() const { return replace_; }
    QCheckBox* MatchCase() const { return matchCase_; }
    QRadioButton* Down() const { return down_; }
    QPushButton* FindNextButton() const { return findNext_; }
    QPushButton* ReplaceButton() const { return replaceButton_; }
    QPushButton* ReplaceAllButton() const { return replaceAll_; }

private:
    QLineEdit* find_;
    QLineEdit* replace_ = nullptr;
    QCheckBox* matchCase_;
    QRadioButton* down_;
    QRadioButton* up_;
    QPushButton* findNext_;
    QPushButton* replaceButton_ = nullptr;
    QPushButton* replaceAll_ = nullptr;
};

class TFindReplace {
public:
    TFindReplace(TCommonGui& gui, QWidget* window);
    ~TFindReplace();

    // Ctrl+F: the find dialog for the focused control (a tree gets a
    // dialog without direction and match case, for the rest of the run).
    void ShowFindDialog(QWidget* target);
    void ShowReplaceDialog(QWidget* target);
    // Runs the last search again; nothing before a search was entered.
    void FindNext();
    bool HasFindText() const { return !lastFind_.isEmpty(); }

    // The dialogs' events.
    void Find(const QString& text, bool down, bool matchCase);
    void ReplaceOne(const QString& text, const QString& replacement, bool matchCase);
    void ReplaceAll(const QString& text, const QString& replacement, bool matchCase);

    TfrmFindReplace* FindDialog() const { return findDialog_; }
    TfrmFindReplace* ReplaceDialog() const { return replaceDialog_; }
    // The find and replace of the main window, which the editors inside it
    // share (their context menus' Find, Replace and Search); null while no
    // main window has one.
    static TFindReplace* Current();
    static bool IsSearchable(QWidget* target);
    // The widget find and replace work on when `focus` has the focus.
    static QWidget* SearchableFor(QWidget* focus);

private:
    void Remember(const QString& text, bool down, bool matchCase);
    void NotFound(const QString& text);

    TCommonGui& gui_;
    QPointer<QWidget> window_;
    QPointer<QWidget> target_;
    QPointer<TfrmFindReplace> findDialog_;
    QPointer<TfrmFindReplace> replaceDialog_;
    QString lastFind_;
    bool searchDown_ = true;
    bool matchCase_ = false;
};
