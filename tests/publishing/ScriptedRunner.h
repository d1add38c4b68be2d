#pragma once
// A runner window for tests: records the log lines with their levels, the
// progress, the transfer counts and the notices, and answers the continue
// dialog from a queue (an empty queue answers as nobody would: the
// countdown runs out and Retry is pressed automatically). OnProcessMessages
// lets a test act while the operation lets the window work (a Cancel press).
#include "publishing/PublisherRunner.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

class TScriptedRunner : public TPublisherRunner {
public:
    struct TLine {
        std::string Text;
        int Level = 1;
    };
    std::vector<TLine> lines;
    std::vector<std::string> questions;
    std::deque<int> answers;
    int progressMax = -1;
    int progressSteps = 0;
    long long sent = 0, received = 0;
    std::vector<std::pair<int, int>> dataChanged;
    int reopenRequests = 0;
    std::function<void()> onProcessMessages;

    void AppendLogLine(const std::string& text, int level) override { lines.push_back({text, level}); }
    void ProcessMessages() override
    {
        if (onProcessMessages)
            onProcessMessages();
    }
    void SetProgressMax(int count) override { progressMax = count; }
    void StepProgress() override { ++progressSteps; }
    void ShowTransferCounts(long long s, long long r) override
    {
        sent = s;
        received = r;
    }
    TContinueResult AskContinue(const std::string& errorText) override
    {
        questions.push_back(errorText);
        if (answers.empty())
            return {caRetry, true};
        const int answer = answers.front();
        answers.pop_front();
        return {answer, false};
    }
    void PostDataChanged(int itemId, int kind) override { dataChanged.emplace_back(itemId, kind); }
    void PostReopenCatalog() override { ++reopenRequests; }

    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const TLine& line : lines)
            texts.push_back(line.Text);
        return texts;
    }
    std::string Last() const { return lines.empty() ? std::string() : lines.back().Text; }
    bool Has(const std::string& text) const
    {
        for (const TLine& line : lines)
            if (line.Text == text)
                return true;
        return false;
    }
};
