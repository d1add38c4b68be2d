#include "editors/media/images/library/FrameMediaLibrary.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/ImageSave.h"
#include "catalog/Tolvex.h"
#include "catalog/media/BinaryObjectStore.h"
#include "catalog/media/MediaFiles.h"
#include "common/CommonGui.h"
#include "common/Exceptions.h"
#include "catalog/Singletons.h"
#include "common/Translation.h"
#include "editors/framework/DialogWriteChannel.h"
#include "editors/framework/EditingServices.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/media/images/FrameImageContainer.h"
#include "editors/media/images/ImageHtmlPanel.h"
#include "editors/media/images/ImagePreviewModel.h"
#include "gui/UiText.h"
#include "publishing/ImportMedia.h"
#include "storage/NameValueLines.h"

#include <QCheckBox>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

using UiText::Q;
using UiText::S;

namespace {

constexpr int kExportFolderProperty = 721;
constexpr int kLargeSizeProperty = 703;
constexpr int kThumbnailSizeProperty = 705;

QWidget* Panel(QWidget* parent, const char* name)
{
    auto* panel = new QWidget(parent);
    panel->setObjectName(name);
    return panel;
}

bool IsYes(const std::vector<std::string>* params, const char* name)
{
    return params && ValueOfName(*params, name) == "yes";
}

}  // namespace

TFrameMediaLibrary::TFrameMediaLibrary(TFrameSite& site, TMediaKind kind) : TFrameTreeDataEditor(site), kind_(kind)
{
    setObjectName(kind == TMediaKind::Images ? "TFrameImageDB" : "TFrameObjectDB");
    BuildRightPanel();
    if (auto* bottom = findChild<QWidget*>("pnlTreeDataBottom")) {
        // Items come into the library through Import; the item's own buttons are on the right.
        for (const char* name : {"btnTreeDataNew", "btnTreeDataEdit", "btnTreeDataDelete"})
            if (auto* button = bottom->findChild<QPushButton*>(name))
                button->hide();
        btnImport_ = new QPushButton(kind == TMediaKind::Images ? tr("&Import Image") : tr("&Import"), bottom);
        btnImport_->setObjectName("btnImport");
        btnDeleteUnreferenced_ = new QPushButton(tr("Delete All &Unreferenced"), bottom);
        btnDeleteUnreferenced_->setObjectName("btnDeleteUnreferenced");
        auto* row = static_cast<QHBoxLayout*>(bottom->layout());
        row->insertWidget(4, btnImport_);
        row->insertWidget(5, btnDeleteUnreferenced_);
        connect(btnImport_, &QPushButton::clicked, this, [this] { Import(); });
        connect(btnDeleteUnreferenced_, &QPushButton::clicked, this, [this] { DeleteUnreferenced(); });
    }
}

TFrameMediaLibrary::~TFrameMediaLibrary() = default;

void TFrameMediaLibrary::BuildRightPanel()
{
    QWidget* client = findChild<QWidget*>("pnlTreeViewClient");
    pnlRight_ = Panel(client, "pnlMediaRight");
    client->layout()->addWidget(pnlRight_);
    auto* right = new QVBoxLayout(pnlRight_);
    right->setContentsMargins(6, 0, 0, 0);

    pnlPreview_ = Panel(pnlRight_, "pnlPreview");
    new QVBoxLayout(pnlPreview_);
    pnlPreview_->layout()->setContentsMargins(0, 0, 0, 0);
    right->addWidget(pnlPreview_, 1);

    pnlInfo_ = Panel(pnlRight_, "pnlObjectInfo");
    auto* info = new QFormLayout(pnlInfo_);
    info->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    lblOriginalFileName_ = new QLabel(pnlInfo_);
    lblOriginalFileName_->setObjectName("lblOriginalFileName");
    lblOriginalFileName_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblFileSize_ = new QLabel(pnlInfo_);
    lblFileSize_->setObjectName("lblFileSize");
    info->addRow(tr("Original File Name:"), lblOriginalFileName_);
    info->addRow(tr("File Size (bytes):"), lblFileSize_);
    right->addWidget(pnlInfo_);

    pnlNames_ = Panel(pnlRight_, "pnlNames");
    auto* names = new QFormLayout(pnlNames_);
    names->setContentsMargins(0, 0, 0, 0);
    names->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    names->setRowWrapPolicy(QFormLayout::WrapAllRows);  // the names get the panel's whole width
    edtCaption_ = new QLineEdit(pnlNames_);
    edtCaption_->setObjectName("edtCaption");
    edtAltFileName_ = new QLineEdit(pnlNames_);
    edtAltFileName_->setObjectName("edtAltFileName");
    edtAltFileName_->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[-0-9A-Za-z_]*"), edtAltFileName_));
    names->addRow(tr("Caption:"), edtCaption_);
    names->addRow(kind_ == TMediaKind::Images ? tr("Alternative Image File Name:") : tr("Alternative File Name:"),
                  edtAltFileName_);
    right->addWidget(pnlNames_);

    pnlScale_ = Panel(pnlRight_, "pnlScale");
    auto* scale = new QHBoxLayout(pnlScale_);
    scale->setContentsMargins(0, 0, 0, 0);
    cbScale_ = new QCheckBox(tr("&Scale image to (pixels)"), pnlScale_);
    cbScale_->setObjectName("cbScale");
    sbScaleSize_ = new QSpinBox(pnlScale_);
    sbScaleSize_->setObjectName("sbScaleSize");
    sbScaleSize_->setRange(0, 20000);
    cbScaleType_ = new QComboBox(pnlScale_);
    cbScaleType_->setObjectName("cbScaleType");
    cbScaleType_->addItems({tr("Maximal"), tr("Vertical"), tr("Horizontal")});
    scale->addWidget(cbScale_);
    scale->addWidget(sbScaleSize_);
    scale->addWidget(cbScaleType_);
    scale->addStretch();
    right->addWidget(pnlScale_);

    pnlHtml_ = new TImageHtmlPanel(html_, pnlRight_);
    right->addWidget(pnlHtml_);

    pnlObject_ = Panel(pnlRight_, "pnlObject");
    auto* object = new QHBoxLayout(pnlObject_);
    object->setContentsMargins(0, 0, 0, 0);
    cbInsertAsObject_ = new QCheckBox(tr("Insert as an &object"), pnlObject_);
    cbInsertAsObject_->setObjectName("cbInsertAsObject");
    sbObjectWidth_ = new QSpinBox(pnlObject_);
    sbObjectWidth_->setObjectName("sbObjectWidth");
    sbObjectHeight_ = new QSpinBox(pnlObject_);
    sbObjectHeight_->setObjectName("sbObjectHeight");
    for (QSpinBox* box : {sbObjectWidth_, sbObjectHeight_})
        box->setRange(0, 10000);
    sbObjectWidth_->setValue(640);
    sbObjectHeight_->setValue(480);
    object->addWidget(cbInsertAsObject_);
    object->addWidget(new QLabel(tr("Width:"), pnlObject_));
    object->addWidget(sbObjectWidth_);
    object->addWidget(new QLabel(tr("Height:"), pnlObject_));
    object->addWidget(sbObjectHeight_);
    object->addStretch();
    right->addWidget(pnlObject_);

    pnlOperations_ = Panel(pnlRight_, "pnlOperations");
    auto* operations = new QHBoxLayout(pnlOperations_);
    operations->setContentsMargins(0, 0, 0, 0);
    btnDelete_ = new QPushButton(tr("&Delete"), pnlOperations_);
    btnDelete_->setObjectName("btnDelete");
    btnExport_ = new QPushButton(tr("E&xport..."), pnlOperations_);
    btnExport_->setObjectName("btnExport");
    operations->addWidget(btnDelete_);
    operations->addWidget(btnExport_);
    operations->addStretch();
    right->addWidget(pnlOperations_);

    pnlFolder_ = Panel(pnlRight_, "pnlFolder");
    auto* folder = new QHBoxLayout(pnlFolder_);
    folder->setContentsMargins(0, 0, 0, 0);
    btnDeleteFolder_ = new QPushButton(tr("Delete &Folder"), pnlFolder_);
    btnDeleteFolder_->setObjectName("btnDeleteFolder");
    folder->addWidget(btnDeleteFolder_);
    folder->addStretch();
    right->addWidget(pnlFolder_);
    if (kind_ == TMediaKind::BinaryObjects)
        right->addStretch(1);

    connect(btnDelete_, &QPushButton::clicked, this, [this] { DeleteSelected(); });
    connect(btnDeleteFolder_, &QPushButton::clicked, this, [this] { DeleteSelected(); });
    connect(btnExport_, &QPushButton::clicked, this, [this] { Export(); });
    connect(edtCaption_, &QLineEdit::editingFinished, this, [this] { StoreNameEdits(); });
    connect(edtAltFileName_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (loadingNames_ || !Library() || !Library()->SetAltFileName(shownId_, S(text)))
            return;
        SetModified();
        GetContext()->ShowSavePanel(true);
    });
    connect(cbInsertAsObject_, &QCheckBox::toggled, this, [this](bool on) {
        sbObjectWidth_->setEnabled(on);
        sbObjectHeight_->setEnabled(on);
    });
    cbInsertAsObject_->toggled(false);
}

bool TFrameMediaLibrary::IsManager() const
{
    const std::string name = GetUIEditor() ? GetUIEditor()->GetName() : std::string();
    return name == "ImagesManager" || name == "BinaryObjectsManager";
}

TFrameTreeDataEditorModel::TSettings TFrameMediaLibrary::Settings()
{
    TFrameTreeDataEditorModel::TSettings settings = TMediaLibraryModel::SettingsOf(kind_);
    settings.ShowBottomPanel = true;
    if (!IsManager())
        settings.WatchedKind = 0;
    return settings;
}

std::unique_ptr<TFrameTreeDataEditorModel> TFrameMediaLibrary::CreateModel(const TSiteModelContext& context,
                                                                          TFrameTreeDataEditorModel::TSettings settings)
{
    return std::make_unique<TMediaLibraryModel>(context, kind_, std::move(settings));
}

void TFrameMediaLibrary::InitControls()
{
    TFrameTreeDataEditor::InitControls();
    if (QWidget* client = findChild<QWidget*>("pnlTreeViewClient"))
        client->show();
    if (auto* splitter = findChild<QSplitter*>()) {
        // The picture and its names need as much room as the tree.
        const int half = std::max(200, splitter->width() / 2);
        splitter->setSizes({half, half});
    }
    const std::vector<std::string>* params = GetContext()->GetParams();
    if (params)
        sbScaleSize_->setValue(std::atoi(ValueOfName(*params, "MainImageSize").c_str()));
    showHtml_ = kind_ == TMediaKind::Images && !IsManager() && IsYes(params, "ShowHtmlAttributes");
    if (showHtml_) {
        html_.ReadDefaults(*GetContext());
        pnlHtml_->ShowValues();
    }
    if (!IsManager()) {
        // The dialog picks; organising the library is the manager's.
        if (auto* view = findChild<QAbstractItemView*>("tvTreeData")) {
            view->setEditTriggers(QAbstractItemView::NoEditTriggers);
            view->setDragEnabled(false);
        }
        if (auto* newFolder = findChild<QPushButton*>("btnTreeDataNewFolder"))
            newFolder->hide();
        if (auto* help = findChild<QPushButton*>("btnTreeDataHelp"))
            help->hide();
    }
    UpdateButtons();
}

void TFrameMediaLibrary::UpdateButtons()
{
    TFrameTreeDataEditor::UpdateButtons();
    if (!btnImport_)
        return;
    TMediaLibraryModel* library = Library();
    const int selected = SelectedId();
    if (library && selected != shownId_) {
        StoreNameEdits();
        shownId_ = selected;
        ShowSelected();
    }
    const bool manager = IsManager();
    const bool item = library && library->IsMediaItem(selected);
    const bool folder = library && library->IsFolder(selected);
    const bool images = kind_ == TMediaKind::Images;
    const std::vector<std::string>* params = GetContext() ? GetContext()->GetParams() : nullptr;
    pnlPreview_->setVisible(images && item);
    pnlInfo_->setVisible(!images && item);
    pnlOperations_->setVisible(item);
    btnDelete_->setVisible(manager);
    // A picture goes with its copies below it (when nothing else uses them).
    btnDelete_->setEnabled(item || (library && library->ChildIds(selected).empty()));
    pnlFolder_->setVisible(manager && folder);
    pnlNames_->setVisible(manager && item);
    pnlScale_->setVisible(images && item && !manager && IsYes(params, "AllowDBScale"));
    pnlHtml_->setVisible(showHtml_ && item);
    const bool embeddable =
        !images && item && !manager && TBinaryObjectStore::IsEmbeddable(S(lblOriginalFileName_->text()));
    pnlObject_->setVisible(embeddable);
    btnImport_->setVisible(manager);
    btnDeleteUnreferenced_->setVisible(manager);
    btnDeleteUnreferenced_->setEnabled(library && !library->ChildIds(library->Settings().TreeRoot).empty());
}

void TFrameMediaLibrary::ShowSelected()
{
    TMediaLibraryModel* library = Library();
    const bool item = library && library->IsMediaItem(shownId_);
    const TFrameTreeDataEditorModel::TNode* node = library ? library->Find(shownId_) : nullptr;
    if (kind_ == TMediaKind::Images) {
        if (item && shownId_ > 0) {
            if (!preview_) {
                preview_ = new TFrameImageContainer(pnlPreview_);
                preview_->setObjectName("frmImagePreview");
                pnlPreview_->layout()->addWidget(preview_);
                preview_->Setup(TFrameImageContainer::TInfo::Bottom, TImagePreviewModel::ServicesOf(*GetContext()),
                                true, true);
            }
            preview_->LoadImageItem(library->DataItemIdOf(shownId_), "");
            const int size = sbScaleSize_->value();
            const TImagePreviewModel& shown = preview_->Model();
            const int type = cbScaleType_->currentIndex();
            const bool exceeds = size > 0 && ((type != 2 && shown.Height() > size) ||
                                              (type != 1 && shown.Width() > size));
            cbScale_->setChecked(exceeds);
        } else if (preview_) {
            delete preview_;
        }
    } else {
        const TMediaLibraryModel::TObjectFacts facts =
            item ? library->ObjectFacts(shownId_) : TMediaLibraryModel::TObjectFacts();
        lblOriginalFileName_->setText(Q(facts.FileName));
        lblFileSize_->setText(item ? QString::number(facts.Bytes) : QString());
    }
    if (std::vector<std::string>* params = GetContext() ? GetContext()->GetParams() : nullptr)
        if (item && shownId_ > 0)
            editor_params::SetValue(*params, "CurrentImageItemId", std::to_string(library->DataItemIdOf(shownId_)));
    loadingNames_ = true;
    edtCaption_->setText(item && node ? Q(node->Name) : QString());
    edtAltFileName_->setText(item ? Q(library->AltFileName(shownId_)) : QString());
    loadingNames_ = false;
    if (!IsManager() && GetContext())
        GetContext()->SetModified(item);
}

void TFrameMediaLibrary::StoreNameEdits()
{
    TMediaLibraryModel* library = Library();
    if (!library || !pnlNames_->isVisible() || !library->IsMediaItem(shownId_))
        return;
    const std::string caption = S(edtCaption_->text());
    const TFrameTreeDataEditorModel::TNode* node = library->Find(shownId_);
    if (node && node->Name != caption)
        library->Rename(shownId_, caption);
    if (library->SetAltFileName(shownId_, S(edtAltFileName_->text()))) {
        SetModified();
        GetContext()->ShowSavePanel(true);
    }
}

void TFrameMediaLibrary::ShowError(const std::string& text) { GetContext()->Services().Gui.ShowError(text, false); }

void TFrameMediaLibrary::DeleteSelected()
{
    TMediaLibraryModel* library = Library();
    if (!library || !IsManager() || IsEditingCaption())
        return;
    TCommonGui& gui = GetContext()->Services().Gui;
    const std::string error = library->DeleteNode(SelectedId(), [&gui](const std::string& question) {
        return gui.AskQuestion(question, "", false) == mrYes;
    });
    if (!error.empty())
        ShowError(error);
    UpdateButtons();
}

void TFrameMediaLibrary::DeleteUnreferenced()
{
    TMediaLibraryModel* library = Library();
    if (!library)
        return;
    TCommonGui& gui = GetContext()->Services().Gui;
    const std::string question = kind_ == TMediaKind::Images
                                     ? "Do you really want to delete all unreferenced images?"
                                     : "Do you really want to delete all unreferenced objects?";
    if (gui.AskQuestion(question) != mrYes)
        return;
    gui.BeginWait();
    int count = 0;
    try {
        count = library->DeleteUnreferenced();
    } catch (...) {
        gui.EndWait();
        throw;
    }
    gui.EndWait();
    gui.ShowInformation(count == 0 ? library->NothingToDeleteText() : library->DeletedText(count), false);
    UpdateButtons();
}

void TFrameMediaLibrary::Export()
{
    TMediaLibraryModel* library = Library();
    const int selected = SelectedId();
    if (!library || !library->IsMediaItem(selected) || selected <= 0)
        return;
    TTolvexControlClass& context = *GetContext();
    const int dataId = library->DataItemIdOf(selected);
    std::string proposed;
    if (kind_ == TMediaKind::Images)
        proposed = TMediaFiles::ExportFileName(library->AltFileName(selected), std::to_string(dataId),
                                               TMediaFiles::MimeSubtype(library->ImageMimeType(selected)));
    else
        proposed = TMediaFiles::ExportFileName(library->ObjectFacts(selected).FileName, std::to_string(dataId), "");
    std::string folder = context.GetCatalogOption(kExportFolderProperty);
    std::error_code error;
    if (folder.empty() || !std::filesystem::is_directory(folder, error))
        folder = S(QDir::homePath());
    std::string fileName;
    if (!context.Services().Gui.SelectSaveFile("Export", folder, proposed, "All files (*.*)|*.*", fileName))
        return;
    try {
        if (kind_ == TMediaKind::Images)
            context.SetCatalogOption(kExportFolderProperty, std::filesystem::path(fileName).parent_path().string());
        TMediaFiles::ExportStored(context.GetConnection(), context.GetCatalogCode(), dataId, fileName);
    } catch (const ECriticalTolvexException& failure) {
        ShowError(failure.what());
    }
}

void TFrameMediaLibrary::Import()
{
    TMediaLibraryModel* library = Library();
    if (!library || !IsManager())
        return;
    const bool images = kind_ == TMediaKind::Images;
    const QStringList chosen = QFileDialog::getOpenFileNames(
        this, images ? tr("Import Images") : tr("Import"), QString(),
        images ? tr("Pictures (*.jpg *.jpeg *.png *.gif *.bmp);;All files (*)") : tr("All files (*)"));
    if (chosen.isEmpty())
        return;
    std::vector<std::string> files;
    for (const QString& file : chosen)
        files.push_back(S(file));
    TTolvexControlClass* context = GetContext();
    TImportMedia::TServices services{
        [context](const std::string& name, std::vector<std::string>& params) { return context->RunDialog(name, params); },
        context->Services().Gui, [](const std::string& line) { qInfo("%s", line.c_str()); }};
    const std::string folder = library->ImportFolderName(SelectedId());
    const TImportMedia::TResult result =
        images ? TImportMedia::ImportImages(services, files, folder, context->GetCatalogOption(kThumbnailSizeProperty),
                                            context->GetCatalogOption(kLargeSizeProperty))
               : TImportMedia::ImportBinaryObjects(services, files, folder);
    if (!result.Skipped.empty()) {
        std::string list;
        for (const std::string& file : result.Skipped)
            list += "\n" + file;
        context->Services().Gui.ShowWarning(
            TTranslation::OrEnglish(Translation).Translate("These files are no pictures the program can read:") + list,
            false);
    }
    if (result.Imported > 0) {
        SetModified();
        LoadFromObjects(false);
    }
}

bool TFrameMediaLibrary::Save()
{
    StoreNameEdits();
    if (!IsManager()) {
        if (!SaveDialogAnswers())
            return false;
        return TFrameTreeDataEditor::Save();
    }
    if (TMediaLibraryModel* library = Library())
        library->BeginStore();
    const bool saved = TFrameTreeDataEditor::Save();
    if (TMediaLibraryModel* library = Library())
        library->FinishStore();
    return saved;
}

bool TFrameMediaLibrary::SaveDialogAnswers()
{
    TMediaLibraryModel* library = Library();
    TTolvexControlClass& context = *GetContext();
    std::vector<std::string>* params = context.GetParams();
    const int selected = SelectedId();
    if (!library || !params || !library->IsMediaItem(selected) || selected <= 0)
        return true;
    using editor_params::SetValue;
    const int chosen = library->DataItemIdOf(selected);
    const TFrameTreeDataEditorModel::TNode* node = library->Find(selected);
    if (kind_ == TMediaKind::BinaryObjects) {
        const TMediaLibraryModel::TObjectFacts facts = library->ObjectFacts(selected);
        SetValue(*params, "Caption", node ? node->Name : std::string());
        SetValue(*params, "FileName", facts.FileName);
        SetValue(*params, "AltFileName", library->AltFileName(selected));
        SetValue(*params, "ObjectItemId", std::to_string(chosen));
        SetValue(*params, "ObjectMimeType", facts.MimeType);
        SetValue(*params, "ObjectBytes", std::to_string(facts.Bytes));
        if (pnlObject_->isVisible() && cbInsertAsObject_->isChecked() && sbObjectWidth_->value() > 0 &&
            sbObjectHeight_->value() > 0) {
            SetValue(*params, "InsertAsObject", "yes");
            SetValue(*params, "ObjectWidth", std::to_string(sbObjectWidth_->value()));
            SetValue(*params, "ObjectHeight", std::to_string(sbObjectHeight_->value()));
        }
        return true;
    }
    if (!preview_)
        return true;
    TCatalogData& data = *context.Data();
    TCatalog& catalog = context.Services().Root.Catalog();
    const TImageSave::TServices services{catalog, data, context.GetObjectFactory(), &data.GetFolders(), ::Translation};
    int imageId = chosen;
    int width = preview_->Model().Width();
    int height = preview_->Model().Height();
    std::int64_t bytes = preview_->Model().Bytes();
    std::string mimeType = library->ImageMimeType(selected);
    std::string altName = library->AltFileName(selected);
    if (pnlScale_->isVisible() && cbScale_->isChecked() && sbScaleSize_->value() > 0) {
        // A smaller main copy below the chosen picture, always fitted as Maximal.
        bool made = false;
        TImageSave made_copy(services, context.GetConnection());
        TDialogWriteChannel(context).CommitItems({chosen}, [&](TAbstractDBConnection& connection) {
            TImageSave save(services, connection);
            made = save.CreateMainFromImage(chosen, sbScaleSize_->value());
            if (made) {
                made_copy.LastItemId = save.LastItemId;
                made_copy.LastWidth = save.LastWidth;
                made_copy.LastHeight = save.LastHeight;
                made_copy.LastBytes = save.LastBytes;
                made_copy.LastMimeType = save.LastMimeType;
            }
            return save.CreatedItems();
        });
        if (!made) {
            ShowError(TTranslation::OrEnglish(Translation).Translate("The picture cannot be scaled."));
            return false;
        }
        imageId = made_copy.LastItemId;
        width = made_copy.LastWidth;
        height = made_copy.LastHeight;
        bytes = made_copy.LastBytes;
        mimeType = made_copy.LastMimeType;
        altName.clear();
    }
    TImageSave reader(services, context.GetConnection());
    SetValue(*params, "ImageItemId", std::to_string(imageId));
    SetValue(*params, "ThumbnailImageItemId", std::to_string(reader.GetThumbnailItemId(imageId)));
    SetValue(*params, "LargeImageItemId", std::to_string(reader.GetLargeItemId(imageId)));
    SetValue(*params, "ImageMimeType", mimeType);
    SetValue(*params, "Caption", preview_->Model().Name());
    SetValue(*params, "AltFileName", altName.empty() ? library->AltFileName(selected) : altName);
    SetValue(*params, "ImageWidth", std::to_string(width));
    SetValue(*params, "ImageHeight", std::to_string(height));
    SetValue(*params, "ImageBytes", std::to_string(bytes));
    if (showHtml_)
        html_.Answer(context, *params);
    return true;
}

void TFrameMediaLibrary::Cancel()
{
    if (TMediaLibraryModel* library = Library())
        library->DropNames();
    TFrameTreeDataEditor::Cancel();
    shownId_ = -1;
    UpdateButtons();
}

void TFrameMediaLibrary::TabShown()
{
    TFrameTreeDataEditor::TabShown();
    shownId_ = -1;
    UpdateButtons();
}

bool TFrameMediaLibrary::CanLeaveTab()
{
    // In the images manager the image editor tab needs a picture to edit.
    if (!IsManager() || kind_ != TMediaKind::Images || !GetUIEditor() ||
        GetUIEditor()->CurrentTabName() != "ImageEditor-database")
        return true;
    TMediaLibraryModel* library = Library();
    if (library && library->IsMediaItem(SelectedId()) && SelectedId() > 0) {
        if (std::vector<std::string>* params = GetContext()->GetParams())
            editor_params::SetValue(*params, "CurrentImageItemId", std::to_string(library->DataItemIdOf(SelectedId())));
        return true;
    }
    ShowError(TTranslation::OrEnglish(Translation).Translate("Select an image."));
    return false;
}
