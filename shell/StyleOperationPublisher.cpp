#include "shell/StyleOperationPublisher.h"

TStyleOperationPublisher::TStyleOperationPublisher(std::unique_ptr<TStyleOperation> operation,
                                                   std::vector<std::string>& params,
                                                   TAbstractDBConnection& connection,
                                                   const TPublisherEnvironment& environment)
    : TTolvexPublisher(params, connection, environment), operation_(std::move(operation))
{
}

void TStyleOperationPublisher::Execute()
{
    success_ = operation_->Execute(*this);
}

std::string TStyleOperationPublisher::GetText(int kind) const
{
    return operation_->GetText(kind);
}
