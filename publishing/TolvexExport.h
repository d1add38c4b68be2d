#pragma once
// The base of every exporter: the long-operation base with the run's
// standard texts worded for its family.
#include "publishing/TolvexPublisher.h"

#include <functional>
#include <vector>

class TTolvexExport : public TTolvexPublisher {
public:
    using TTolvexPublisher::TTolvexPublisher;

    std::string GetText(int kind) const override;

protected:
    using TTreeVisitor = std::function<void(int itemId, int itemType)>;
    // Walks the open catalog's tree below ParentId depth first, in tree
    // order: Visit(itemId, itemType) for each item, then its children. A
    // folder met again (a loop in a damaged tree) is not entered twice; the
    // walk stops once the run is cancelled.
    void VisitTree(int parentId, const TTreeVisitor& visit);

private:
    void VisitFolder(int parentId, const TTreeVisitor& visit, std::vector<int>& seen);
};
