#include "common/CommonApp.h"

void TCommonApp::SetAppDir(const std::string& dir)
{
    appDir_ = dir;
    while (appDir_.size() > 1 && appDir_.back() == '/')
        appDir_.pop_back();
}
