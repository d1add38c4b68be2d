#pragma once
// How one item type of the loaded catalog-type definition is handled: its
// item manager with parameters, its editors in order, its template folders,
// the item types it may contain, its sort group, tree image, page-kind flags
// and editor tabs. Filled by the catalog definition's loader, read through
// the catalog definition and by the GUI controller.
#include "catalog/CatalogEditor.h"
#include "catalog/CatalogTemplate.h"

#include <memory>
#include <string>
#include <vector>

class TTolvexItemTypeDetail {
public:
    TTolvexItemTypeDetail(int definitionItemId, int itemType)
        : DefinitionItemId(definitionItemId), ItemType(itemType)
    {
    }

    // Editors (class 802 instances), zero-based; null for an index out of range.
    int GetEditorCount() const { return static_cast<int>(editors_.size()); }
    TCatalogEditor* GetEditor(int index) const;
    // The editor of that instance; a new one is appended when none has it.
    TCatalogEditor& FindOrCreateEditor(int instanceId);
    // Orders the editors by Order, ascending.
    void SortEditors();

    // Template assignments (class 808 instances), as the editors.
    int GetTemplateCount() const { return static_cast<int>(templates_.size()); }
    TCatalogTemplate* GetTemplate(int index) const;
    TCatalogTemplate& FindOrCreateTemplate(int instanceId);
    // TemplateItemId of the first template of that kind; 0 when none.
    int GetTemplateItemId(int kind) const;

    // Item types the type's items may contain (class 805), one per value row.
    void AddAllowedChildType(int itemType) { allowedChildTypes_.push_back(itemType); }
    bool MayContainType(int itemType) const;
    const std::vector<int>& GetAllowedChildTypes() const { return allowedChildTypes_; }

    // Sort group (class 803): 1 pages, 2 products and the like, 3 folders; 0 none.
    int GetSortGroup() const { return sortGroup_; }
    void SetSortGroup(int sortGroup) { sortGroup_ = sortGroup; }

    // The definition item (type 810) that describes the type.
    int DefinitionItemId = 0;
    // The item type described (class 810 number member 1).
    int ItemType = 0;
    // Class 807: plug-in name of the item manager (string member 2).
    std::string ItemManagerName;
    // Tab shown when the remembered tab is missing (string member 3).
    std::string DefaultTab;
    // Tab shown first when an item is opened afresh (string member 4).
    std::string FirstTab;
    // Tab opened for an item chosen from a list or a search result (string member 5).
    std::string EditTab;
    // Parent under which the shown item of a new link copy is placed (number member 6).
    int LinkedItemParentId = 0;
    // Tree image of the type (string member 7).
    std::string ImageName;
    // Page-kind bits and further bits of the trees and publishing (number member 8).
    int Flags = 0;
    // Parameters handed to the item manager (string member 9).
    std::string ItemManagerParams;

private:
    std::vector<std::unique_ptr<TCatalogEditor>> editors_;
    std::vector<std::unique_ptr<TCatalogTemplate>> templates_;
    std::vector<int> allowedChildTypes_;
    int sortGroup_ = 0;
};
