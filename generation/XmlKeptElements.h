#pragma once
// The elements a publishing run writes the same into many page documents
// (the entries of a menu), kept in a document of their own under a key.
// Put() places them into a page document: a page document that returned
// what it borrows (see TPageDocument) is lent the kept elements themselves,
// linked into its tree until it is freed, so that no page allocates, copies
// and frees the same elements again; any other document gets copies. A key
// whose elements are all in use is kept once more, so every page borrows.
//
// Only elements a transform cannot change are lent: elements without
// namespaces and without blank text (which a style sheet may strip from
// the document it transforms). Elements with namespaces are not kept at all
// (a copy could declare them again).
//
// Names: the dictionary of the kept elements' names, which the run's page
// documents share, so that names are taken over as they are.
//
// Thread safety: one object serves one thread's pages; a kept page
// document may be freed on another thread, so lending and returning are locked.
#include <list>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

typedef struct _xmlDoc xmlDoc;
typedef struct _xmlNode xmlNode;
typedef struct _xmlDict xmlDict;

class TXmlKeptElements {
public:
    TXmlKeptElements();
    ~TXmlKeptElements();
    TXmlKeptElements(const TXmlKeptElements&) = delete;
    TXmlKeptElements& operator=(const TXmlKeptElements&) = delete;

    xmlDict* Names() const;

    // Remembers copies of First and the siblings that follow it under Key.
    void Remember(const std::string& key, const xmlNode* first);
    // Appends the elements kept under Key to Target of Document, lent or
    // copied; false when nothing is kept under it.
    bool Put(const std::string& key, xmlDoc* document, xmlNode* target);

    // Document may borrow kept elements from now on: it calls Return()
    // before it is freed.
    void AcceptBorrower(xmlDoc* document);
    // Takes back what Document borrows.
    void Return(xmlDoc* document);

private:
    struct TSet {
        std::vector<xmlNode*> nodes;
        xmlDoc* lentTo = nullptr;
        // Returned by a document about to be freed: the nodes still name it
        // as theirs until Own() or the next lending makes them right.
        bool stale = false;
    };
    struct TEntry {
        std::list<TSet> sets;
        bool lendable = false;
    };
    TSet& FreeSet(TEntry& entry);
    // Makes Set's nodes name the kept document as theirs again.
    void Own(TSet& set);

    mutable std::mutex mutex_;
    xmlDoc* doc_;
    std::unordered_map<std::string, TEntry> elements_;
    std::unordered_map<xmlDoc*, std::vector<TSet*>> loans_;
};
