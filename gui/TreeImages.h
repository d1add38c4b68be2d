#pragma once
// The tree images of the loaded catalog definition as icons, by name: the
// main window's trees and the editors that show tree entries draw them.
#include <QIcon>

#include <string>

class TTreeImages {
public:
    virtual ~TTreeImages() = default;
    // The image of that name (exact); a null icon when there is none.
    virtual QIcon TreeImage(const std::string& name) const = 0;
};
