#include "editors/media/binary/FrameObjectDisk.h"

#include "catalog/Tolvex.h"
#include "catalog/CatalogData.h"
#include "catalog/media/BinaryObjectStore.h"
#include "common/CommonGui.h"
#include "common/Exceptions.h"
#include "catalog/Singletons.h"
#include "common/Translation.h"
#include "editors/framework/DialogWriteChannel.h"
#include "editors/framework/EditingServices.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/media/images/ImageInsertModel.h"
#include "gui/UiText.h"
#include "storage/NameValueLines.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

#include <filesystem>

using UiText::Q;
using UiText::S;

TFrameObjectDisk::TFrameObjectDisk(TFrameSite& site)
{
    setObjectName("TFrameObjectDisk");
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    edtFileName_ = new QLineEdit(this);
    edtFileName_->setObjectName("edtObjectFileName");
    btnChoose_ = new QPushButton(tr("..."), this);
    btnChoose_->setObjectName("btnChoose");
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(edtFileName_, 1);
    fileRow->addWidget(btnChoose_);
    auto* fileLabel = new QLabel(tr("Object &File Name:"), this);
    fileLabel->setBuddy(edtFileName_);
    form->addRow(fileLabel, fileRow);
    edtCaption_ = new QLineEdit(this);
    edtCaption_->setObjectName("edtCaption");
    form->addRow(tr("&Caption:"), edtCaption_);
    edtAltFileName_ = new QLineEdit(this);
    edtAltFileName_->setObjectName("edtAltFileName");
    edtAltFileName_->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[-0-9A-Za-z_]*"), edtAltFileName_));
    form->addRow(tr("&Alternative File Name:"), edtAltFileName_);

    pnlObject_ = new QWidget(this);
    pnlObject_->setObjectName("pnlObject");
    auto* object = new QHBoxLayout(pnlObject_);
    object->setContentsMargins(0, 0, 0, 0);
    cbInsertAsObject_ = new QCheckBox(tr("Insert as an &object"), pnlObject_);
    cbInsertAsObject_->setObjectName("cbInsertAsObject");
    sbWidth_ = new QSpinBox(pnlObject_);
    sbWidth_->setObjectName("sbObjectWidth");
    sbHeight_ = new QSpinBox(pnlObject_);
    sbHeight_->setObjectName("sbObjectHeight");
    for (QSpinBox* box : {sbWidth_, sbHeight_})
        box->setRange(0, 10000);
    sbWidth_->setValue(640);
    sbHeight_->setValue(480);
    object->addWidget(cbInsertAsObject_);
    object->addWidget(new QLabel(tr("Width:"), pnlObject_));
    object->addWidget(sbWidth_);
    object->addWidget(new QLabel(tr("Height:"), pnlObject_));
    object->addWidget(sbHeight_);
    object->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(pnlObject_);
    layout->addStretch();

    connect(btnChoose_, &QPushButton::clicked, this, [this] { Choose(); });
    connect(edtFileName_, &QLineEdit::textEdited, this, [this] {
        SetModified();
        UpdateControls();
    });
    connect(edtCaption_, &QLineEdit::textEdited, this, [this] { SetModified(); });
    connect(edtAltFileName_, &QLineEdit::textEdited, this, [this] { SetModified(); });
    connect(cbInsertAsObject_, &QCheckBox::toggled, this, [this] { UpdateControls(); });
    TQtFrameSite::PlaceInto(site, this);
}

void TFrameObjectDisk::InitControls()
{
    GetContext()->SetCaption(S(tr("Insert Binary Object")));
    nameLang_ = GetContext()->GetCurrentLangCode();
    if (const std::vector<std::string>* params = GetContext()->GetParams()) {
        const std::string file = ValueOfName(*params, "InitFileName");
        if (!file.empty())
            FileChosen(file);
    }
    UpdateControls();
}

void TFrameObjectDisk::TabShown()
{
    TTolvexFrameEditor::TabShown();
    GetContext()->SetCaption(S(tr("Insert Object")));
    GetContext()->SetModified(FileExists());
}

bool TFrameObjectDisk::FileExists() const
{
    std::error_code error;
    return std::filesystem::is_regular_file(S(edtFileName_->text()), error);
}

void TFrameObjectDisk::StoreToObjects(bool)
{
    names_[nameLang_] = S(edtCaption_->text());
}

void TFrameObjectDisk::LoadFromObjects(bool)
{
    nameLang_ = GetContext()->GetCurrentLangCode();
    const auto found = names_.find(nameLang_);
    edtCaption_->setText(found == names_.end() ? QString() : Q(found->second));
}

void TFrameObjectDisk::Choose()
{
    std::string fileName;
    if (!GetContext()->Services().Gui.SelectOpenFile("Select File", "", "All files (*.*)|*", fileName))
        return;
    FileChosen(fileName);
    SetModified();
    GetContext()->SetModified(true);
}

void TFrameObjectDisk::FileChosen(const std::string& fileName)
{
    const std::filesystem::path path(fileName);
    edtFileName_->setText(Q(fileName));
    names_[nameLang_] = path.filename().string();
    edtCaption_->setText(Q(path.filename().string()));
    edtAltFileName_->setText(Q(TImageInsertModel::FilterAltFileName(path.stem().string())));
    UpdateControls();
}

void TFrameObjectDisk::UpdateControls()
{
    const std::vector<std::string>* params = GetContext() ? GetContext()->GetParams() : nullptr;
    pnlObject_->setVisible(TBinaryObjectStore::IsEmbeddable(S(edtFileName_->text())) && params &&
                           ValueOfName(*params, "DontShowInsert") != "yes");
    sbWidth_->setEnabled(cbInsertAsObject_->isChecked());
    sbHeight_->setEnabled(cbInsertAsObject_->isChecked());
}

bool TFrameObjectDisk::Save()
{
    if (!FileExists())
        return TTolvexFrameEditor::Save();
    StoreToObjects(false);
    TTolvexControlClass& context = *GetContext();
    TCommonGui& gui = context.Services().Gui;
    std::vector<std::string> ownParams;
    std::vector<std::string>& params = context.GetParams() ? *context.GetParams() : ownParams;
    TCatalogData& data = *context.Data();
    const TBinaryObjectStore::TServices services{context.Services().Root.Catalog(), context.GetObjectFactory(),
                                                 &data.GetFolders()};

    TBinaryObjectStore::TRequest request;
    request.FileName = S(edtFileName_->text());
    for (const auto& [lang, name] : names_)
        if (!name.empty())
            request.Names.push_back(lang + "=" + name);
    request.AltFileName = TImageInsertModel::FilterAltFileName(S(edtAltFileName_->text()));
    request.FolderName = ValueOfName(params, "FolderName");
    request.LangCode = context.GetCurrentLangCode();
    const std::string caption = S(edtCaption_->text());
    const int sameName = TBinaryObjectStore(services, context.GetConnection(), context.GetCatalogCode()).FindByCaption(caption);
    if (sameName != 0) {
        const std::string question = TTranslation::OrEnglish(Translation)
                                         .Format("You already have an object with caption \"$1\". Replace with this object?",
                                                 {caption});
        const int answer = gui.AskYesNoCancel(question, "", false, "");
        if (answer == mrCancel)
            return false;
        if (answer == mrYes)
            request.ReplaceItemId = sameName;
    }
    TBinaryObjectStore::TResult stored;
    try {
        TDialogWriteChannel(context).CommitItems(
            request.ReplaceItemId ? std::vector<int>{request.ReplaceItemId} : std::vector<int>{},
            [&](TAbstractDBConnection& connection) {
                stored = TBinaryObjectStore(services, connection, context.GetCatalogCode()).Store(request);
                return stored.Created;
            });
    } catch (const ECriticalTolvexException& error) {
        gui.ShowError(error.what(), false);
        return false;
    }
    using editor_params::SetValue;
    SetValue(params, "Caption", caption);
    SetValue(params, "FileName", stored.FileName);
    SetValue(params, "AltFileName", request.AltFileName);
    SetValue(params, "ObjectItemId", std::to_string(stored.ItemId));
    SetValue(params, "ObjectMimeType", stored.MimeType);
    SetValue(params, "ObjectBytes", std::to_string(stored.Bytes));
    if (pnlObject_->isVisible() && cbInsertAsObject_->isChecked() && sbWidth_->value() > 0 && sbHeight_->value() > 0) {
        SetValue(params, "InsertAsObject", "yes");
        SetValue(params, "ObjectWidth", std::to_string(sbWidth_->value()));
        SetValue(params, "ObjectHeight", std::to_string(sbHeight_->value()));
    }
    return TTolvexFrameEditor::Save();
}
