#pragma once
// The "Link To Catalog" tab: the catalog code an item stands for, which is
// also its name (a name given in the tree becomes the code). The refresh
// button belongs to the member's information tab and stays disabled here.
#include "editors/framework/TolvexFrameEditor.h"

#include <QWidget>

#include <memory>

class QLineEdit;
class TFrameSite;
class TLinkToCatalogModel;

class TFrameLinkToCatalog : public QWidget, public TTolvexFrameEditor {
public:
    explicit TFrameLinkToCatalog(TFrameSite& site);
    ~TFrameLinkToCatalog() override;

    void InitControls() override;
    void LoadFromObjects(bool languageSwitch) override;
    void StoreToObjects(bool languageSwitch) override;
    bool NameChanged(int itemId, const std::string& newName) override;

private:
    std::unique_ptr<TLinkToCatalogModel> model_;
    QLineEdit* edtCatalogCode_ = nullptr;
};
