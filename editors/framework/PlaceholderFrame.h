#pragma once
// The page of an editor that the program does not have yet: it shows on
// its site which editor it stands for, reads and writes nothing.
#include "editors/framework/TolvexFrameViewer.h"

#include <string>

class TFrameSite;

class TPlaceholderFrame : public TTolvexFrameViewer {
public:
    // What: the editor's name and class, e.g. "CommonPageLinks (TPageLinksEditor)".
    TPlaceholderFrame(TFrameSite& site, std::string what);

    void InitControls() override;
    // The text the site shows.
    static std::string MessageFor(const std::string& what);

private:
    TFrameSite& site_;
    std::string what_;
};
