#include "editors/media/images/ImageEditor.h"

#include "editors/framework/EditorParams.h"
#include "editors/framework/FrameClass.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/media/images/FrameImageDisk.h"
#include "editors/media/images/FrameImageInet.h"
#include "editors/media/images/library/FrameMediaLibrary.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

const TFrameClassOf<TFrameImageDisk> kDiskFrame("", "TFrameImageDisk");
const TFrameClassOf<TFrameImageInet> kInetFrame("", "TFrameImageInet");
const TFrameClassOf<TFrameImageDB> kDatabaseFrame("", "TFrameImageDB");

}  // namespace

TImageEditor::TImageEditor(std::string name, std::string params) : TTolvexUIEditor(std::move(name), std::move(params))
{
    ActiveTabOnly = true;
}

void TImageEditor::CreatePages()
{
    const std::vector<std::string>* params = GetContext()->GetParams();
    AddTab("Image From Disk", "ImageEditor-disk", &kDiskFrame);
    if (!params || ValueOfName(*params, "DontShowDatabaseList") != "yes")
        AddTab("Image From Database", "ImageEditor-database", &kDatabaseFrame);
    AddTab("Image From Internet", "ImageEditor-inet", &kInetFrame);
}

void TImageEditor::GetPreferredSize(int& width, int& height) const
{
    // Two columns (the options and the picture) need more room than 550 pixels.
    width = 760;
    int mainHeight = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->inherits("QMainWindow") && top->isVisible())
            mainHeight = std::max(mainHeight, top->height());
    height = std::max(400, mainHeight);
}
