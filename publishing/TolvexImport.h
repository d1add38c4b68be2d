#pragma once
// The base of every importer: the long-operation base with the run's
// standard texts worded for its family.
#include "publishing/TolvexPublisher.h"

class TTolvexImport : public TTolvexPublisher {
public:
    using TTolvexPublisher::TTolvexPublisher;

    std::string GetText(int kind) const override;
};
