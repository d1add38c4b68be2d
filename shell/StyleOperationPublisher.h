#pragma once
// Runs a style operation in a runner window: the operation's log lines go to
// the window's log, the window's cancel reaches the operation, and the
// operation's own texts are the run's standard texts.
#include "generation/StyleOperation.h"
#include "publishing/TolvexPublisher.h"

#include <memory>

class TStyleOperationPublisher : public TTolvexPublisher, private TStyleOperation::TRun {
public:
    TStyleOperationPublisher(std::unique_ptr<TStyleOperation> operation, std::vector<std::string>& params,
                             TAbstractDBConnection& connection, const TPublisherEnvironment& environment);

    void Execute() override;
    std::string GetText(int kind) const override;

private:
    // ---- TStyleOperation::TRun ----
    TAbstractDBConnection& Connection() override { return connection_; }
    void Log(const std::string& line) override { WriteLog(line); }
    bool Cancelled() override { return IsCancelled(); }

    std::unique_ptr<TStyleOperation> operation_;
};
