#pragma once
// What the list of catalogs a catalog belongs to decides, without widgets:
// the codes of the "IncludedToCatalog" object of one item, in index order.
// The plain list is the opened tree item's (the company item 2001 without
// one); the intermediate list is item 16000's, which is made (committed
// with an undo that Cancel applies) at the first Add, never merely because
// the list was looked at. Each change goes to the object at once; the
// item's save writes it.
#include "editors/business/ItemWrites.h"
#include "editors/site/SiteModelContext.h"

#include <string>
#include <vector>

class TIncludedToCatalogsModel {
public:
    TIncludedToCatalogsModel(const TSiteModelContext& context, TItemWrites writes, bool intermediate);

    bool Intermediate() const { return intermediate_; }
    // The item whose object holds the list.
    int ListItemId() const { return listItemId_; }

    void Load();
    const std::vector<std::string>& Codes() const { return codes_; }
    // Adds the text reduced to code characters; Added receives what was
    // added (empty when nothing was). The error to show, else empty.
    std::string Add(const std::string& text, std::string& added);
    // Removes the code; false when the list does not hold it.
    bool Delete(const std::string& code);
    bool IsModified() const { return modified_; }

private:
    bool ListItemExists() const;
    // Makes item 16000 when the intermediate list needs it.
    void MakeListItem();

    TSiteModelContext context_;
    TItemWrites writes_;
    bool intermediate_;
    int listItemId_;
    std::vector<std::string> codes_;
    bool modified_ = false;
};
