#pragma once
// A short job run in the progress window: the job gets the catalog code,
// the connection it works on, the two text lines and the bar of the window,
// and runs until done or cancelled. Jobs derive from TTolvexProgress and
// override Run and GetCaption; their loop tests IsCancelled after each item
// and lets the window process its events.
#include <string>

class QLabel;
class QProgressBar;
class TAbstractDBConnection;

class TAbstractProgress {
public:
    virtual ~TAbstractProgress() = default;
    virtual void Init(const std::string& catalogCode, TAbstractDBConnection* connection, QLabel* stepLabel,
                      QLabel* itemLabel, QProgressBar* progressBar) = 0;
    virtual bool Run() = 0;
    virtual void Cancel() = 0;
    virtual void GetCaption(std::string& caption) = 0;
    virtual bool IsCancelled() = 0;
};

class TTolvexProgress : public TAbstractProgress {
public:
    void Init(const std::string& catalogCode, TAbstractDBConnection* connection, QLabel* stepLabel,
              QLabel* itemLabel, QProgressBar* progressBar) override;
    // The job; true on success. The base does nothing and answers false.
    bool Run() override { return false; }
    void Cancel() override { cancelled_ = true; }
    void GetCaption(std::string& caption) override { caption.clear(); }
    bool IsCancelled() override { return cancelled_; }

protected:
    std::string catalogCode_;
    TAbstractDBConnection* connection_ = nullptr;
    QLabel* stepLabel_ = nullptr;
    QLabel* itemLabel_ = nullptr;
    QProgressBar* progressBar_ = nullptr;

private:
    bool cancelled_ = false;
};
