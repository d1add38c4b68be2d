#pragma once
// The base of every converter of previous-generation catalogs: the long-operation base with the run's
// standard texts worded for its family.
#include "publishing/TolvexPublisher.h"

class TTolvexConvert : public TTolvexPublisher {
public:
    using TTolvexPublisher::TTolvexPublisher;

    std::string GetText(int kind) const override;
};
