#include "shell/TolvexProgress.h"

void TTolvexProgress::Init(const std::string& catalogCode, TAbstractDBConnection* connection, QLabel* stepLabel,
                           QLabel* itemLabel, QProgressBar* progressBar)
{
    catalogCode_ = catalogCode;
    connection_ = connection;
    stepLabel_ = stepLabel;
    itemLabel_ = itemLabel;
    progressBar_ = progressBar;
}
