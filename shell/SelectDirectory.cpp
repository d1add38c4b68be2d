#include "shell/SelectDirectory.h"

#include "gui/HelpRequests.h"
#include "catalog/Singletons.h"
#include "common/CommonGui.h"
#include "common/Translation.h"
#include "publishing/FolderCheck.h"
#include "gui/UiText.h"

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;
using UiText::Tr;

namespace {

// Icons and types by the kind of entry alone. The default provider finds a
// file's type by its content when its name does not tell it, and a file of
// a virtual file system (a kernel log under /proc) can block that read for
// ever, and with it the dialog, which waits for the model's thread.
class TPlainIconProvider : public QAbstractFileIconProvider {
public:
    QIcon icon(IconType type) const override
    {
        return QApplication::style()->standardIcon(type == File ? QStyle::SP_FileIcon : QStyle::SP_DirIcon);
    }
    QIcon icon(const QFileInfo& info) const override { return icon(info.isDir() ? Folder : File); }
    QString type(const QFileInfo& info) const override
    {
        return info.isDir() ? QStringLiteral("Folder") : QStringLiteral("File");
    }
};

}  // namespace

TfrmSelectDirectory::TfrmSelectDirectory(const std::string& initialFolder, const std::string& helpAlias,
                                         TCommonGui& gui, THelpRequests* help, QWidget* parent)
    : QDialog(parent), gui_(gui)
{
    setObjectName("frmSelectDirectory");
    setWindowTitle(Tr("Select Directory ..."));
    auto* layout = new QVBoxLayout(this);
    model_ = new QFileSystemModel(this);
    // One provider for every picker: the model only borrows it.
    static TPlainIconProvider iconProvider;
    model_->setIconProvider(&iconProvider);
    model_->setOption(QFileSystemModel::DontUseCustomDirectoryIcons);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    model_->setRootPath(QDir::rootPath());
    tree_ = new QTreeView(this);
    tree_->setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column)
        tree_->hideColumn(column);
    tree_->header()->hide();
    layout->addWidget(tree_, 1);
    path_ = new QLineEdit(this);
    layout->addWidget(path_);
    auto* buttons = new QDialogButtonBox(this);
    create_ = buttons->addButton(Tr("Create Folder"), QDialogButtonBox::ActionRole);
    ok_ = buttons->addButton(QDialogButtonBox::Ok);
    ok_->setText(Tr("Ok"));
    buttons->addButton(QDialogButtonBox::Cancel)->setText(Tr("Cancel"));
    if (!helpAlias.empty()) {
        help_ = buttons->addButton(QDialogButtonBox::Help);
        help_->setText(Tr("Help"));
        connect(help_, &QPushButton::clicked, this, [help, helpAlias] {
            if (help)
                help->ShowHelpForAlias(helpAlias);
        });
    }
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &TfrmSelectDirectory::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(create_, &QPushButton::clicked, this, &TfrmSelectDirectory::CreateFolder);
    connect(path_, &QLineEdit::textChanged, this, &TfrmSelectDirectory::PathChanged);
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                const QString folder = model_->filePath(current);
                if (QDir::cleanPath(path_->text()) != folder)
                    path_->setText(folder);
            });
    // A remembered folder that cannot be used (gone, or a system folder) is not shown again.
    const QString initial = Q(initialFolder);
    const bool usable = !initial.isEmpty() && QFileInfo(initial).isDir() && !TFolderCheck::IsOnVirtualFileSystem(initialFolder);
    OpenOn(usable ? initial : QDir::homePath());
    resize(440, 480);
}

void TfrmSelectDirectory::OpenOn(const QString& folder)
{
    const QModelIndex index = model_->index(QDir::cleanPath(folder));
    tree_->setCurrentIndex(index);
    tree_->scrollTo(index);
    tree_->expand(index);
    path_->setText(QDir::cleanPath(folder));
}

void TfrmSelectDirectory::PathChanged()
{
    const QString typed = QDir::cleanPath(path_->text());
    const bool exists = !path_->text().isEmpty() && QFileInfo(typed).isDir();
    ok_->setEnabled(exists);
    create_->setEnabled(!exists && !path_->text().isEmpty());
    if (exists && model_->filePath(tree_->currentIndex()) != typed)
        tree_->setCurrentIndex(model_->index(typed));
}

void TfrmSelectDirectory::CreateFolder()
{
    const QString typed = QDir::cleanPath(path_->text());
    if (!QDir().mkpath(typed)) {
        const std::string message = ::Translation
                                        ? ::Translation->Format("Cannot create directory \"$1\"", {S(typed)})
                                        : "Cannot create directory \"" + S(typed) + "\"";
        gui_.ShowError(message, false, "");
        return;
    }
    OpenOn(typed);
    PathChanged();
}

void TfrmSelectDirectory::accept()
{
    // A folder that cannot take files is refused here, so the user can choose another.
    const std::string problem = TFolderCheck::Problem(CurrentFolder(), ::Translation);
    if (!problem.empty()) {
        gui_.ShowError(problem, false, "");
        return;
    }
    QDialog::accept();
}

std::string TfrmSelectDirectory::CurrentFolder() const
{
    return S(model_->filePath(tree_->currentIndex()));
}

std::string SelectDirectoryDialog(const std::string& initialFolder, const std::string& helpAlias, TCommonGui& gui,
                                  THelpRequests* help, QWidget* parent)
{
    TfrmSelectDirectory dialog(initialFolder, helpAlias, gui, help, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.CurrentFolder() : std::string();
}
