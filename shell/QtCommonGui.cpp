#include "shell/QtCommonGui.h"

#include "gui/HelpRequests.h"
#include "shell/ChangePassword.h"
#include "gui/MsgBoxChoose.h"
#include "shell/SelectType.h"
#include "gui/UiText.h"

#include <QApplication>
#include <QFileDialog>
#include <QProgressDialog>
#include <QStringList>
#include <QThread>

using UiText::Q;
using UiText::S;
using UiText::Tr;
using UiText::TrIf;

TQtCommonGui::TQtCommonGui() = default;

TQtCommonGui::~TQtCommonGui()
{
    delete progress_;
    while (waitDepth_ > 0)
        EndWait();
}

std::unique_ptr<TfrmMessageBox> TQtCommonGui::NewBox(const std::string& helpTopic, int icon, int buttons)
{
    auto box = std::make_unique<TfrmMessageBox>(parent_);
    if (THelpRequests* help = help_)
        box->SetHelpHandler([help](const std::vector<std::string>& aliases) { help->ShowHelpForAliases(aliases); });
    box->SetHelpTopic(helpTopic);
    box->SetIcon(icon);
    box->SetButtons(buttons);
    return box;
}

QString TQtCommonGui::QuestionCaption(const std::string& caption, bool translate)
{
    return caption.empty() ? Tr("Question") : TrIf(caption, translate);
}

void TQtCommonGui::ShowError(const std::string& message, bool translate, const std::string& helpTopic)
{
    auto box = NewBox(helpTopic, miError, mbOk);
    box->SetMessage(TrIf(message, translate), Tr("Error"));
    box->ShowBox();
}

void TQtCommonGui::ShowWarning(const std::string& message, bool translate, const std::string& helpTopic)
{
    auto box = NewBox(helpTopic, miWarning, mbOk);
    box->SetMessage(TrIf(message, translate), Tr("Error"));
    box->ShowBox();
}

void TQtCommonGui::ShowInformation(const std::string& message, bool translate, const std::string& helpTopic)
{
    auto box = NewBox(helpTopic, miInformation, mbOk);
    box->SetMessage(TrIf(message, translate), Tr("Information"));
    box->ShowBox();
}

int TQtCommonGui::AskQuestion(const std::string& message, const std::string& caption, bool translate,
                              const std::string& helpTopic, int flags)
{
    // Yes/No, or Yes/No/Cancel for flags 3; the default-button bits stay.
    const int buttons = ((flags & 7) == mbYesNoCancel ? mbYesNoCancel : mbYesNo) | (flags & ~7);
    auto box = NewBox(helpTopic, miQuestion, buttons);
    box->SetMessage(TrIf(message, translate), QuestionCaption(caption, translate));
    return box->ShowBox();
}

int TQtCommonGui::AskQuestionWithCheckBox(const std::string& message, const std::string& checkBoxText,
                                          bool& checked, const std::string& caption, bool translate,
                                          const std::string& helpTopic)
{
    auto box = NewBox(helpTopic, miQuestion, mbYesNo);
    box->SetMessage(TrIf(message, translate), QuestionCaption(caption, translate));
    box->SetCheckBoxText(TrIf(checkBoxText, translate), false);
    const int answer = box->ShowBox();
    checked = box->IsChecked();
    return answer;
}

int TQtCommonGui::AskYesNoCancel(const std::string& message, const std::string& caption, bool translate,
                                 const std::string& helpTopic)
{
    auto box = NewBox(helpTopic, miQuestion, mbYesNoCancel);
    box->SetMessage(TrIf(message, translate), QuestionCaption(caption, translate));
    return box->ShowBox();
}

bool TQtCommonGui::InputValue(const std::string& caption, const std::string& prompt, std::string& value,
                              bool translate, const std::string& helpTopic)
{
    auto box = NewBox(helpTopic, miNone, mbOkCancel);
    box->SetMessage(TrIf(prompt, translate), TrIf(caption, translate));
    box->SetInputValue(Q(value));
    if (box->ShowBox() != mrOk)
        return false;
    value = S(box->InputValue());
    return true;
}

bool TQtCommonGui::InputValueWithCheckBox(const std::string& caption, const std::string& checkBoxText,
                                          const std::string& prompt, std::string& value, bool& checked,
                                          bool translate, const std::string& helpTopic)
{
    auto box = NewBox(helpTopic, miNone, mbOkCancel);
    box->SetMessage(TrIf(prompt, translate), TrIf(caption, translate));
    box->SetCheckBoxText(Q(checkBoxText), checked);  // the check-box text is never translated
    box->SetInputValue(Q(value));
    if (box->ShowBox() != mrOk)
        return false;
    value = S(box->InputValue());
    checked = box->IsChecked();
    return true;
}

int TQtCommonGui::AskChoice(const std::string& firstText, const std::string& secondText, const std::string& caption)
{
    TfrmMsgBoxChoose dialog(Q(firstText), Q(secondText), Q(caption), parent_);
    return dialog.exec();
}

bool TQtCommonGui::ChangePassword(std::string& password)
{
    TfrmChangePassword dialog(Q(password), [this] { ShowError("Passwords don\\`t match", true, ""); }, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const std::string typed = S(dialog.Password());
    if (typed == password)
        return false;
    password = typed;
    return true;
}

bool TQtCommonGui::SelectItemType(const std::vector<std::string>& typeList, std::string& itemType, int& firstId,
                                  int& lastId, bool namesAsCaptions, bool showIdPanel)
{
    std::vector<std::pair<std::string, std::string>> entries;
    for (const std::string& line : typeList) {
        const size_t eq = line.find('=');
        const std::string name = line.substr(0, eq);
        const std::string value = eq == std::string::npos ? std::string() : line.substr(eq + 1);
        entries.emplace_back(namesAsCaptions ? name : value, namesAsCaptions ? value : name);
    }
    TfrmSelectType dialog(entries, itemType, showIdPanel, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    itemType = dialog.SelectedValue();
    dialog.Ids(firstId, lastId);
    return true;
}

QString TQtCommonGui::QtFilter(const std::string& filter)
{
    const QStringList parts = Q(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString mask = parts[i + 1];
        mask.replace(';', ' ');
        const QString& caption = parts[i];
        filters << (caption.contains('(') ? caption.left(caption.indexOf('(')).trimmed() : caption) + " (" + mask +
                       ")";
    }
    return filters.join(";;");
}

bool TQtCommonGui::SelectSaveFile(const std::string& title, const std::string& initialDir,
                                  const std::string& proposedName, const std::string& filter, std::string& fileName)
{
    const QString start = initialDir.empty() ? Q(proposedName) : Q(initialDir) + "/" + Q(proposedName);
    const QString chosen = QFileDialog::getSaveFileName(parent_, Tr(title), start, QtFilter(filter));
    if (chosen.isEmpty())
        return false;
    fileName = S(chosen);
    return true;
}

bool TQtCommonGui::SelectOpenFile(const std::string& title, const std::string& initialDir, const std::string& filter,
                                  std::string& fileName)
{
    const QString chosen = QFileDialog::getOpenFileName(parent_, Tr(title), Q(initialDir), QtFilter(filter));
    if (chosen.isEmpty())
        return false;
    fileName = S(chosen);
    return true;
}

// The cursor is the window thread's: work on another thread (a catalog
// conversion beside its progress window) neither sets nor restores it.
namespace {
bool OnWindowThread()
{
    return QThread::currentThread() == QCoreApplication::instance()->thread();
}
}  // namespace

void TQtCommonGui::BeginWait()
{
    if (!OnWindowThread())
        return;
    ++waitDepth_;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void TQtCommonGui::EndWait()
{
    if (!OnWindowThread() || waitDepth_ == 0)
        return;
    --waitDepth_;
    QApplication::restoreOverrideCursor();
}

void TQtCommonGui::ProgressStart(const std::string& caption, int total)
{
    delete progress_;
    progress_ = new QProgressDialog(Tr(caption), Tr("Cancel"), 0, total, parent_);
    progress_->setWindowTitle(Tr("Progress"));
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(500);
    progress_->setValue(0);
}

bool TQtCommonGui::ProgressStep(int position, const std::string& text)
{
    if (!progress_)
        return true;
    if (!text.empty())
        progress_->setLabelText(Q(text));
    progress_->setValue(position);
    QApplication::processEvents();
    return !progress_->wasCanceled();
}

void TQtCommonGui::ProgressEnd()
{
    delete progress_;
    progress_ = nullptr;
}

void TQtCommonGui::ProcessMessages()
{
    QApplication::processEvents();
}
