#include "editors/media/definitions/FrameItemTypeEditor.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogQueries.h"
#include "catalog/InternalPluginsManager.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/CommonGui.h"
#include "common/ParamList.h"
#include "editors/framework/EditorParams.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexItemEditor.h"
#include "editors/media/definitions/ItemTypeDefinitionModel.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/FrameShortcut.h"
#include "gui/UiText.h"
#include "storage/AbstractPluginClass.h"
#include "storage/GlobalDefinition.h"
#include "storage/MemberValueText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

using UiText::Q;
using UiText::S;
using TModel = TItemTypeDefinitionModel;

// Where a list row keeps the key of its entry.
constexpr int kKeyRole = Qt::UserRole;
// The tree images of a definition are the children of this item.
constexpr int kTreeImagesRoot = 640000;

QStringList Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return QString::compare(Q(a), Q(b), Qt::CaseInsensitive) < 0;
    });
    QStringList list;
    for (const std::string& name : names)
        list << Q(name);
    list.removeDuplicates();
    return list;
}

}  // namespace

TFrameItemTypeEditor::TFrameItemTypeEditor(TFrameSite& site)
{
    setObjectName("TFrameItemTypeEditor");
    TQtFrameSite::PlaceInto(site, this);
}

TFrameItemTypeEditor::~TFrameItemTypeEditor()
{
    SetUndoStack(nullptr);
}

QLineEdit* TFrameItemTypeEditor::NewEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    connect(edit, &QLineEdit::textEdited, this, [this] { FieldsEdited(); });
    return edit;
}

QWidget* TFrameItemTypeEditor::ListPage(TListKind kind, const char* name, const QStringList& columns)
{
    auto* page = new QWidget(this);
    TList& list = lists_[kind];
    list.View = new QTreeWidget(page);
    list.View->setObjectName(name);
    list.View->setRootIsDecorated(false);
    list.View->setAllColumnsShowFocus(true);
    list.View->setSelectionBehavior(QAbstractItemView::SelectRows);
    list.View->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list.View->setHeaderLabels(columns);
    const QString prefix = QString::fromLatin1(name).mid(2);
    list.Add = new QPushButton(tr("&Add..."), page);
    list.Add->setObjectName("btn" + prefix + "Add");
    list.Edit = new QPushButton(tr("&Edit..."), page);
    list.Edit->setObjectName("btn" + prefix + "Edit");
    list.Delete = new QPushButton(tr("&Delete"), page);
    list.Delete->setObjectName("btn" + prefix + "Delete");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {list.Add, list.Edit, list.Delete})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(list.View, 1);
    layout->addLayout(buttons);

    connect(list.View, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
    connect(list.View, &QTreeWidget::itemDoubleClicked, this, [this, kind] { AddOrEdit(kind, true); });
    connect(list.Add, &QPushButton::clicked, this, [this, kind] { AddOrEdit(kind, false); });
    connect(list.Edit, &QPushButton::clicked, this, [this, kind] { AddOrEdit(kind, true); });
    connect(list.Delete, &QPushButton::clicked, this, [this, kind] { Delete(kind); });
    AddFrameShortcut(list.View, QKeySequence::Delete, [this, kind] { Delete(kind); });
    return page;
}

void TFrameItemTypeEditor::InitControls()
{
    // The name and the item id above the tabs.
    edtName_ = NewEdit("edtItemTypeName", this);
    NameEdit = edtName_;
    edtItemId_ = new QLineEdit(this);
    edtItemId_->setObjectName("edtItemTypeItemId");
    edtItemId_->setReadOnly(true);
    auto* top = new QFormLayout;
    top->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto addRow = [](QFormLayout* form, QWidget* owner, const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, owner);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    addRow(top, this, tr("&Name:"), edtName_);
    addRow(top, this, tr("Item ID:"), edtItemId_);

    pcItemType_ = new QTabWidget(this);
    pcItemType_->setObjectName("pcItemType");

    // "Item Type"
    auto* itemType = new QWidget(this);
    auto* typeForm = new QFormLayout(itemType);
    typeForm->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    edtItemTypeId_ = NewEdit("edtItemTypeId", itemType);
    edtCreateOrder_ = NewEdit("edtCreateOrder", itemType);
    edtDescription_ = NewEdit("edtDescription", itemType);
    addRow(typeForm, itemType, tr("&ID:"), edtItemTypeId_);
    addRow(typeForm, itemType, tr("&Create Order:"), edtCreateOrder_);
    addRow(typeForm, itemType, tr("&Description:"), edtDescription_);
    pcItemType_->addTab(itemType, tr("Item Type"));

    // "Manager"
    auto* manager = new QWidget(this);
    auto* managerForm = new QFormLayout(manager);
    managerForm->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    cbManager_ = new QComboBox(manager);
    cbManager_->setObjectName("cbManager");
    cbManager_->setEditable(true);
    cbManager_->addItems(Sorted(InternalPluginsManager().GetPluginNames(pkItemManager)));
    cbImageCode_ = new QComboBox(manager);
    cbImageCode_->setObjectName("cbImageCode");
    cbImageCode_->setEditable(true);
    for (QComboBox* combo : {cbManager_, cbImageCode_})
        connect(combo, &QComboBox::editTextChanged, this, [this] { FieldsEdited(); });
    edtParentItemId_ = NewEdit("edtParentItemId", manager);
    edtDefaultTab_ = NewEdit("edtDefaultTab", manager);
    edtNewItemTab_ = NewEdit("edtNewItemTab", manager);
    edtEditItemTab_ = NewEdit("edtEditItemTab", manager);
    edtParams_ = NewEdit("edtParams", manager);
    addRow(managerForm, manager, tr("&Manager:"), cbManager_);
    addRow(managerForm, manager, tr("&Image Code:"), cbImageCode_);
    addRow(managerForm, manager, tr("&Parent Item ID:"), edtParentItemId_);
    addRow(managerForm, manager, tr("De&fault Tab:"), edtDefaultTab_);
    addRow(managerForm, manager, tr("Ne&w Item Tab:"), edtNewItemTab_);
    addRow(managerForm, manager, tr("Edit I&tem Tab:"), edtEditItemTab_);
    addRow(managerForm, manager, tr("Para&meters:"), edtParams_);
    const std::pair<const char*, QString> boxes[] = {
        {"chkGenerateHtml", tr("Generate HTML")},
        {"chkGenerateJsp", tr("Generate JSP")},
        {"chkGeneratePhp", tr("Generate PHP")},
        {"chkShowAtMainTree", tr("Show at Main Tree")},
        {"chkGeneratePdf", tr("Generate PDF")},
        {"chkRemoveOld", tr("Remove Old Before Generation")},
        {"chkPageTemplatesForScript", tr("Use Page Templates for Script")}};
    const int bits[] = {TModel::kGenerateHtml, TModel::kGenerateJsp, TModel::kGeneratePhp, TModel::kNotInMainTree,
                        TModel::kGeneratePdf, TModel::kRemoveOldBeforeGeneration, TModel::kPageTemplatesForScript};
    auto* flags = new QGridLayout;
    for (std::size_t i = 0; i < std::size(boxes); ++i) {
        auto* box = new QCheckBox(boxes[i].second, manager);
        box->setObjectName(boxes[i].first);
        flags->addWidget(box, static_cast<int>(i / 2), static_cast<int>(i % 2));
        flagBoxes_.push_back({box, bits[i]});
        connect(box, &QCheckBox::toggled, this, [this] { FieldsEdited(); });
    }
    managerForm->addRow(flags);
    pcItemType_->addTab(manager, tr("Manager"));

    // "Templates"
    auto* templates = new QWidget(this);
    auto* templatesForm = new QFormLayout(templates);
    templatesForm->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    const std::pair<const char*, QString> kinds[] = {
        {"cbMasterTemplate", tr("Master &Template:")}, {"cbBodyTemplate", tr("&Body Template:")},
        {"cbColorCss", tr("&Color Css:")},             {"cbFontCss", tr("&Font CSS:")},
        {"cbReport", tr("&Report:")},                  {"cbJsp", tr("&JSP:")},
        {"cbDynamicScript", tr("&Dynamic Script:")}};
    for (int kind = 0; kind < TModel::kTemplateKinds; ++kind) {
        auto* combo = new QComboBox(templates);
        combo->setObjectName(kinds[kind].first);
        addRow(templatesForm, templates, kinds[kind].second, combo);
        templateCombos_.push_back(combo);
        connect(combo, &QComboBox::activated, this, [this, kind, combo](int index) {
            if (!TrackChanges || !model_ || index < 0)
                return;
            model_->SetTemplateFolder(kind, combo->itemData(index).toInt());
            SetModified();
        });
    }
    pcItemType_->addTab(templates, tr("Templates"));

    pcItemType_->addTab(ListPage(kEditors, "lvEditors",
                                 {tr("PluginName"), tr("Editor Type"), tr("Parameters"), tr("Condition"),
                                  tr("Order Number")}),
                        tr("Editors"));
    pcItemType_->addTab(ListPage(kUIElements, "lvUserInterface",
                                 {tr("Element Type"), tr("Action ID"), tr("Caption"), tr("Hint"), tr("Location"),
                                  tr("Image Code"), tr("Condition"), tr("Greyed"), tr("Order Num")}),
                        tr("User Interface"));
    pcItemType_->addTab(ListPage(kChildren, "lvChilds", {tr("Possible Child ItemType"), tr("Description")}),
                        tr("Childs"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(pcItemType_, 1);
    pcItemType_->setCurrentIndex(0);
}

void TFrameItemTypeEditor::LoadFromObjects(bool /*languageSwitch*/)
{
    TrackChanges = false;
    TTolvexControlClass& context = *GetContext();
    edtItemId_->setText(QString::number(context.GetTreeItemId()));
    model_ = std::make_unique<TItemTypeDefinitionModel>(SiteModelContextOf(*this));
    model_->Load();
    SetUndoStack(&model_->UndoStack());

    cbImageCode_->clear();
    std::vector<std::string> children;
    context.Data()->GetQueries().ListChildren(kTreeImagesRoot, children, 0, context.GetConnection(),
                                              ContentLangCode(), context.GetCatalogCode());
    std::vector<std::string> imageNames;
    for (const std::string& line : children)
        imageNames.push_back(TParamList::ValueOf(line));
    cbImageCode_->addItems(Sorted(imageNames));

    ShowFields();
    FillTemplates();
    for (TListKind kind : {kEditors, kUIElements, kChildren})
        FillLists(kind, 0);
    setEnabled(model_->HasObjects());
    TrackChanges = true;
}

void TFrameItemTypeEditor::ShowFields()
{
    const TModel::TFields& f = model_->Fields();
    edtName_->setText(Q(f.Name));
    edtItemTypeId_->setText(Q(f.ItemTypeId));
    edtCreateOrder_->setText(Q(f.StartOrderNum));
    edtDescription_->setText(Q(f.Description));
    cbManager_->setCurrentText(Q(f.PluginName));
    cbImageCode_->setCurrentText(Q(f.ImageCode));
    edtParentItemId_->setText(Q(f.ParentItemId));
    edtDefaultTab_->setText(Q(f.DefaultTab));
    edtNewItemTab_->setText(Q(f.NewItemTab));
    edtEditItemTab_->setText(Q(f.EditItemTab));
    edtParams_->setText(Q(f.Params));
    for (const auto& [box, bit] : flagBoxes_) {
        const bool set = (f.Flags & bit) != 0;
        box->setChecked(bit == TModel::kNotInMainTree ? !set : set);
    }
}

void TFrameItemTypeEditor::FieldsEdited()
{
    if (!TrackChanges || !model_)
        return;
    TModel::TFields f = model_->Fields();
    f.Name = S(edtName_->text());
    f.ItemTypeId = S(edtItemTypeId_->text());
    f.StartOrderNum = S(edtCreateOrder_->text());
    f.Description = S(edtDescription_->text());
    f.PluginName = S(cbManager_->currentText());
    f.ImageCode = S(cbImageCode_->currentText());
    f.ParentItemId = S(edtParentItemId_->text());
    f.DefaultTab = S(edtDefaultTab_->text());
    f.NewItemTab = S(edtNewItemTab_->text());
    f.EditItemTab = S(edtEditItemTab_->text());
    f.Params = S(edtParams_->text());
    f.Flags = 0;
    for (const auto& [box, bit] : flagBoxes_)
        if (box->isChecked() != (bit == TModel::kNotInMainTree))
            f.Flags |= bit;
    model_->SetFields(f);
    SetModified();
}

void TFrameItemTypeEditor::FillTemplates()
{
    for (int kind = 0; kind < TModel::kTemplateKinds; ++kind) {
        QComboBox* combo = templateCombos_[kind];
        combo->clear();
        int selected = 0;
        for (const TModel::TChoice& choice : model_->TemplateChoices(kind)) {
            if (choice.Value == model_->TemplateFolder(kind))
                selected = combo->count();
            combo->addItem(choice.Value == 0 ? tr("(none)") : Q(choice.Caption), choice.Value);
        }
        combo->setCurrentIndex(selected);
    }
}

void TFrameItemTypeEditor::FillLists(TListKind kind, int selectKey)
{
    QTreeWidget* view = lists_[kind].View;
    view->clear();
    QList<QTreeWidgetItem*> items;
    const auto add = [&](int key, const QStringList& texts) {
        auto* item = new QTreeWidgetItem(texts);
        item->setData(0, kKeyRole, key);
        items << item;
    };
    // A row shows the entry's values in the order of the dialog's fields.
    const auto texts = [](const auto& values) {
        QStringList list;
        for (const auto& field : std::decay_t<decltype(values)>::Fields())
            list << Q(values.*field.Value);
        return list;
    };
    if (kind == kEditors)
        for (const TModel::TEditor& e : model_->Editors())
            add(e.Key, texts(e.Values));
    if (kind == kUIElements)
        for (const TModel::TUIElement& e : model_->UIElements()) {
            QStringList row = texts(e.Values);
            row[0] = UiText::Tr(TModel::ElementTypeName(e.Values.ElementType));
            add(e.Key, row);
        }
    if (kind == kChildren) {
        TGlobalDefinition& global = RootObject->GlobalDefinition();
        for (const TModel::TChild& c : model_->Children())
            add(c.Key, {QString::number(c.ItemType), Q(global.GetItemTypeName(c.ItemType))});
    }
    view->addTopLevelItems(items);
    for (int column = 0; column < view->columnCount(); ++column)
        view->resizeColumnToContents(column);
    QTreeWidgetItem* selected = view->topLevelItemCount() > 0 ? view->topLevelItem(0) : nullptr;
    for (QTreeWidgetItem* item : items)
        if (selectKey != 0 && item->data(0, kKeyRole).toInt() == selectKey)
            selected = item;
    view->setCurrentItem(selected);
    UpdateButtons();
}

int TFrameItemTypeEditor::SelectedKey(TListKind kind) const
{
    QTreeWidgetItem* item = lists_[kind].View->currentItem();
    return item && item->isSelected() ? item->data(0, kKeyRole).toInt() : 0;
}

int TFrameItemTypeEditor::SelectedRow(TListKind kind) const
{
    const int key = SelectedKey(kind);
    if (key == 0 || !model_)
        return -1;
    return kind == kEditors ? model_->EditorRow(key) : kind == kUIElements ? model_->UIElementRow(key)
                                                                           : model_->ChildRow(key);
}

void TFrameItemTypeEditor::UpdateButtons()
{
    for (TListKind kind : {kEditors, kUIElements, kChildren}) {
        const bool selected = SelectedKey(kind) != 0;
        lists_[kind].Edit->setEnabled(selected);
        lists_[kind].Delete->setEnabled(selected);
    }
}

bool TFrameItemTypeEditor::RunDialog(const std::string& frameName, std::vector<std::string>& params)
{
    TTolvexControlClass& context = *GetContext();
    TTolvexItemEditor dialog(context.Services(), nullptr);
    dialog.SetConnection(&context.GetConnection());
    dialog.PrepareOpen(0, 0, "", "");
    return dialog.OpenItemWithEditor(-1, -1, -1, frameName, "", &params);
}

void TFrameItemTypeEditor::AddOrEdit(TListKind kind, bool edit)
{
    if (!model_ || !model_->HasObjects())
        return;
    const int row = edit ? SelectedRow(kind) : -1;
    if (edit && row < 0)
        return;
    int key = 0;
    if (kind == kEditors || kind == kUIElements) {
        std::vector<std::string> params = kind == kEditors ? model_->EditorParams(row) : model_->UIElementParams(row);
        if (!RunDialog(kind == kEditors ? "EditItemTypeEditor" : "EditUserInterface", params))
            return;
        key = kind == kEditors ? model_->ApplyEditor(row, params) : model_->ApplyUIElement(row, params);
    } else {
        std::vector<std::string> types = RootObject->GlobalDefinition().GetItemTypes();
        std::sort(types.begin(), types.end());
        std::string chosen = row >= 0 ? std::to_string(model_->Children()[row].ItemType) : std::string();
        int first = 0;
        int last = 0;
        if (!GetContext()->Services().Gui.SelectItemType(types, chosen, first, last, true, false))
            return;
        const int itemType = TMemberValueText::ReadInteger(chosen);
        if (itemType == 0)
            return;
        key = model_->ApplyChild(row, itemType);
        if (key == 0) {
            GetContext()->Services().Gui.ShowWarning(
                UiText::S(tr("The item type %1 is allowed already.").arg(itemType)), false);
            return;
        }
    }
    Changed(kind, key);
}

void TFrameItemTypeEditor::Delete(TListKind kind)
{
    const int row = SelectedRow(kind);
    if (!model_ || row < 0)
        return;
    if (kind == kEditors)
        model_->DeleteEditor(row);
    else if (kind == kUIElements)
        model_->DeleteUIElement(row);
    else
        model_->DeleteChild(row);
    Changed(kind, 0);
}

void TFrameItemTypeEditor::Changed(TListKind kind, int selectKey)
{
    FillLists(kind, selectKey);
    SetModified();
}

void TFrameItemTypeEditor::StoreToObjects(bool /*languageSwitch*/)
{
    if (!model_ || !model_->IsModified())
        return;
    const bool nameEdited = model_->NameEdited();
    model_->Store();
    // The tree shows the new name after the save.
    if (nameEdited)
        if (std::vector<std::string>* params = GetContext()->GetParams()) {
            editor_params::SetValue(*params, "NameChanged", model_->Fields().Name);
            editor_params::SetValue(*params, "NameChangedItemId", std::to_string(GetContext()->GetItemId()));
        }
    TrackChanges = false;
    FillTemplates();
    for (TListKind kind : {kEditors, kUIElements, kChildren})
        FillLists(kind, SelectedKey(kind));
    TrackChanges = true;
}

void TFrameItemTypeEditor::SetNameEditText(const std::string& name)
{
    const bool tracking = TrackChanges;
    TrackChanges = false;
    edtName_->setText(Q(name));
    if (model_)
        model_->NameChanged(name);
    TrackChanges = tracking;
}

void TFrameItemTypeEditor::Undo()
{
    TUndoStackTarget::Undo();
    if (!model_)
        return;
    FillTemplates();
    for (TListKind kind : {kEditors, kUIElements, kChildren})
        FillLists(kind, SelectedKey(kind));
}

void TFrameItemTypeEditor::Redo()
{
    TUndoStackTarget::Redo();
    if (!model_)
        return;
    FillTemplates();
    for (TListKind kind : {kEditors, kUIElements, kChildren})
        FillLists(kind, SelectedKey(kind));
}
