#include "shell/CatalogWindowUI.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogTreeHost.h"
#include "catalog/TreeManager.h"
#include "catalog/Catalog.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "catalog/ui/CatalogTreeView.h"
#include "common/Translation.h"
#include "shell/GuiControl.h"
#include "shell/MainWindow.h"
#include "shell/UiText.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QLayout>
#include <QTreeWidget>

TCatalogWindowUI::TCatalogWindowUI(TTolvex& root, TCatalogData& data, TCommonGui& gui, TfrmMain& window,
                                   TGUIControl* guiControl)
    : root_(root), data_(data), gui_(gui), window_(window), guiControl_(guiControl)
{
}

TCatalogWindowUI::~TCatalogWindowUI()
{
    Clear();
}

std::uint16_t TCatalogWindowUI::WebTreeOptions(int catalogType)
{
    // Catalogs of type 4 show the tag name of an unnamed item's global id.
    return catalogType == 4 ? 0x4128 : 0x0128;
}

void TCatalogWindowUI::Build()
{
    if (webTree_)
        return;
    TGUIControl* control = guiControl_;
    TCatalogTreeHost::TServices services{data_,
                                         root_.Catalog(),
                                         data_.GetQueries(),
                                         data_.GetCopier(),
                                         data_.GetBookkeeping(),
                                         gui_,
                                         ::Translation,
                                         &root_.GlobalDefinition(),
                                         [control](const std::string& name) {
                                             return control && control->FindCachedImage(name) >= 0;
                                         }};
    host_ = std::make_unique<TCatalogTreeHost>(services);
    TAbstractDBConnection& connection = data_.GetConnectionFactory().GetConnection();
    const std::string code = data_.GetCatalogCode();

    webTree_ = std::make_unique<TTreeManager>(*host_);
    webTree_->Attach(connection, "", code);
    webTree_->Setup(kWebTreeRoot, WebTreeOptions(data_.GetCatalogType()), 0, nullptr);
    templatesTree_ = std::make_unique<TTreeManager>(*host_);
    templatesTree_->Attach(connection, "", code);
    templatesTree_->Setup(kTemplatesTreeRoot, kTemplatesTreeOptions, 0, nullptr);

    webView_ = MakeView(*webTree_, window_.tvMainWebTree);
    webView_->setObjectName("tvMainWebTreeView");
    templatesView_ = MakeView(*templatesTree_, window_.tvMainTemplates);
    templatesView_->setObjectName("tvMainTemplatesView");
    window_.pnlMainLeftTemplatesClient = templatesView_;
}

TCatalogTreeView* TCatalogWindowUI::MakeView(TTreeManager& manager, QWidget* placeholder)
{
    TGUIControl* control = guiControl_;
    auto images = [control](const QString& name) {
        const int index = control ? control->FindCachedImage(UiText::S(name)) : -1;
        return index >= 0 ? control->CachedIcon(index) : QIcon();
    };
    QWidget* pane = placeholder->parentWidget();
    auto* view = new TCatalogTreeView(manager, images, pane);
    view->setHeaderHidden(true);
    view->setFrameShape(QFrame::NoFrame);
    if (QLayout* layout = pane->layout())
        layout->replaceWidget(placeholder, view);
    view->setHidden(placeholder->isHidden());  // a collapsed pane stays collapsed
    placeholder->hide();
    QObject::connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, view,
                     [this, &manager] { ShowSelected(manager); });
    return view;
}

void TCatalogWindowUI::ShowSelected(TTreeManager& manager)
{
    const int itemId = manager.GetCurrentItemId();
    if (itemId <= 0)
        return;
    if (!CanLeave(true))
        return;
    const std::string name = data_.GetItemName(itemId, manager.GetConnection(), data_.GetCurrentLangCode());
    const std::string text = name + " (" + std::to_string(itemId) + ")";
    window_.lblMainEditorEmpty->setText(UiText::Q(text));
}

void TCatalogWindowUI::SelectWebTreeItem(int itemId)
{
    if (webTree_)
        webTree_->SelectItem(itemId);
}

bool TCatalogWindowUI::CanLeave(bool)
{
    return true;  // no item editor holds unsaved changes yet
}

void TCatalogWindowUI::Clear()
{
    // Views first: they follow their managers until they are gone.
    auto restore = [](TCatalogTreeView*& view, QWidget* placeholder) {
        if (!view)
            return;
        if (QLayout* layout = view->parentWidget()->layout())
            layout->replaceWidget(view, placeholder);
        placeholder->setHidden(view->isHidden());
        delete view;
        view = nullptr;
    };
    restore(webView_, window_.tvMainWebTree);
    restore(templatesView_, window_.tvMainTemplates);
    window_.pnlMainLeftTemplatesClient = window_.tvMainTemplates;
    webTree_.reset();
    templatesTree_.reset();
    host_.reset();
    window_.lblMainEditorEmpty->setText(UiText::Q(::Translation ? ::Translation->Translate(
                                                                     "Select a page in the web tree to edit it.")
                                                               : "Select a page in the web tree to edit it."));
}
