#include "shell/OpenCatalog.h"

#include "catalog/Catalog.h"
#include "catalog/CatalogData.h"
#include "catalog/Tolvex.h"
#include "catalog/TolvexCatalog.h"
#include "shell/CatalogWindowUI.h"

bool TOpenCatalog::IsOpen() const
{
    return root_.Catalog().IsOpen();
}

TCatalogData* TOpenCatalog::Data() const
{
    return IsOpen() ? root_.GetCatalogData() : nullptr;
}

bool TOpenCatalog::CanLeave() const
{
    TCatalogData* data = root_.GetCatalogData();
    return !data || data->CanLeave(false);
}

std::string TOpenCatalog::Code() const
{
    TTolvexCatalog* open = root_.Catalog().GetOpenCatalog();
    return open ? open->GetCatalogCode() : std::string();
}

TCatalogWindowUI* TOpenCatalog::WindowUI() const
{
    return TCatalogWindowUI::Of(root_);
}

TTolvexItemEditor* TOpenCatalog::MainEditor() const
{
    TCatalogWindowUI* ui = WindowUI();
    return ui ? ui->MainEditor() : nullptr;
}
