#pragma once
// What the page XML builder finds the same on every page of one publishing
// run: the menu rows below an item and the elements a menu entry writes
// (every page of a site carries the same menu). It lives as long as the
// templates service's run (TTemplates::TRun), so that edits made between
// runs are seen by the next run. Elements are kept in a document of their
// own and copied into each page; elements with namespaces are not kept
// (a copy could declare them again). The pages of the run keep their names
// in the kept document's dictionary (Names), so that a copy takes the
// names over as they are instead of looking each one up again.
#include <functional>
#include <map>
#include <string>
#include <vector>

typedef struct _xmlDoc xmlDoc;
typedef struct _xmlNode xmlNode;
typedef struct _xmlDict xmlDict;

class TXmlBuilderRunCache {
public:
    TXmlBuilderRunCache();
    ~TXmlBuilderRunCache();
    TXmlBuilderRunCache(const TXmlBuilderRunCache&) = delete;
    TXmlBuilderRunCache& operator=(const TXmlBuilderRunCache&) = delete;

    // The ids remembered under Key; Read() remembered the first time.
    const std::vector<int>& Ids(const std::string& key, const std::function<std::vector<int>()>& read);

    // Appends copies of the elements remembered under Key to Target; false
    // when nothing is remembered under it.
    bool CopyElements(const std::string& key, xmlDoc* document, xmlNode* target) const;
    // Remembers copies of First and the siblings that follow it (all when
    // First is null, nothing then) under Key, unless one of them uses namespaces.
    void RememberElements(const std::string& key, const xmlNode* first);
    // The dictionary of the kept elements' names, for the run's page documents.
    xmlDict* Names() const;

private:
    xmlDoc* doc_;
    std::map<std::string, std::vector<int>> ids_;
    std::map<std::string, std::vector<xmlNode*>> elements_;
};
