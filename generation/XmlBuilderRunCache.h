#pragma once
// What the page XML builder finds the same on every page of one publishing
// run: the menu rows below an item and the elements a menu entry writes
// (every page of a site carries the same menu). It lives as long as the
// templates service's run (TTemplates::TRun), so that edits made between
// runs are seen by the next run. The elements are kept by a
// TXmlKeptElements, which the run's page documents share (Kept()): they
// keep their names in its dictionary and borrow its elements.
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

typedef struct _xmlDoc xmlDoc;
typedef struct _xmlNode xmlNode;
typedef struct _xmlDict xmlDict;
class TXmlKeptElements;

class TXmlBuilderRunCache {
public:
    TXmlBuilderRunCache();
    ~TXmlBuilderRunCache();
    TXmlBuilderRunCache(const TXmlBuilderRunCache&) = delete;
    TXmlBuilderRunCache& operator=(const TXmlBuilderRunCache&) = delete;

    // The ids remembered under Key; Read() remembered the first time.
    const std::vector<int>& Ids(const std::string& key, const std::function<std::vector<int>()>& read);

    // Appends the elements remembered under Key to Target (lent or copied,
    // see TXmlKeptElements); false when nothing is remembered under it.
    bool CopyElements(const std::string& key, xmlDoc* document, xmlNode* target);
    // Remembers copies of First and the siblings that follow it (all when
    // First is null, nothing then) under Key, unless one of them uses namespaces.
    void RememberElements(const std::string& key, const xmlNode* first);
    // The dictionary of the kept elements' names, for the run's page documents.
    xmlDict* Names() const;
    // The kept elements, for the run's page documents to borrow.
    const std::shared_ptr<TXmlKeptElements>& Kept() const { return kept_; }

private:
    std::shared_ptr<TXmlKeptElements> kept_;
    std::unordered_map<std::string, std::vector<int>> ids_;
};
