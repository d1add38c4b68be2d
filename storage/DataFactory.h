#pragma once
// TTolvexDataFactory: one item cache (TTolvexItemFactory) per catalog code,
// all on the connection of their object collection.
#include <memory>
#include <string>
#include <vector>

class TAbstractDBConnection;
class TTolvexItemFactory;
class TTolvexObjectContext;

class TTolvexDataFactory {
public:
    TTolvexDataFactory(TTolvexObjectContext& context, TAbstractDBConnection& connection);
    ~TTolvexDataFactory();
    TTolvexDataFactory(const TTolvexDataFactory&) = delete;
    TTolvexDataFactory& operator=(const TTolvexDataFactory&) = delete;

    // The item factory of the code (letter case counts), made on first use.
    TTolvexItemFactory& GetItemFactory(const std::string& catalogCode);
    // Saves the item factories of the code (all for an empty code) until one
    // fails; true when none failed.
    bool SaveAll(const std::string& catalogCode);
    void DiscardChanges(const std::string& catalogCode);
    // WriteAll and ForgetWrittenRemovals of every item factory (see TTolvexItemFactory).
    bool WriteAll();
    void ForgetWrittenRemovals();
    // Frees every item factory with its items.
    void Clear();

private:
    TTolvexObjectContext& context_;
    TAbstractDBConnection& connection_;
    std::vector<std::unique_ptr<TTolvexItemFactory>> itemFactories_;
};
