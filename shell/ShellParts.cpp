#include "shell/ShellParts.h"

#include "catalog/CatalogUpgrader.h"
#include "catalog/Tolvex.h"
#include "catalog/ui/frmConversionProgress.h"
#include "editors/framework/ui/EditorWait.h"
#include "shell/MainWindow.h"

namespace {

// The conversion thread uses the catalog services while the progress window
// turns the event loop: the main window's posted messages (which open,
// reopen or close catalogs) wait until it has ended, as they wait for an
// editor's nested loop.
class TShellConversionWindow : public TQtConversionWindow {
public:
    using TQtConversionWindow::TQtConversionWindow;
    void Run(const std::string& catalogCode, const std::function<void(TConversionProgress&)>& work) override
    {
        TEditorWait wait;
        TQtConversionWindow::Run(catalogCode, work);
    }
};

}  // namespace

TShellParts::TShellParts(const TBase& b)
    : Gui(b.Gui),
      Window(b.Window),
      Open(b.Root),
      Host(*this),
      Processor(Host),
      ControlOwner(std::make_unique<TGUIControl>(b.Root, b.Window, Processor, b.Find)),
      Control(*ControlOwner),
      Dialogs(b.Root, b.Gui, b.Help, b.Window, b.EnvironmentCheck),
      Publishing(Open, b.Gui, b.Window, Control, Dialogs, Processor),
      Trees(Open, b.Gui, b.QtGui, b.Window, Control, b.Help, Dialogs),
      Search(Open, b.Gui, b.Window, Control, Processor, Trees),
      Commands({Open, b.Gui, b.Window, Control, Processor, b.Find, b.Help, Dialogs, Publishing})
{
    // A catalog made from the host's is filled by the synchronisation; a
    // cancelled or failed download deletes it again, so no error text here.
    Trees.SetStyleExchange([this](int templateId, bool import) {
        Publishing.ExchangeTemplateWithStyles(templateId, import);
    });
    Dialogs.SetHostDownload([this] {
        Publishing.DownloadDatabaseFromHost();
        return std::string();
    });
    // A catalog of the previous generation converts in a window with its log and a Cancel.
    b.Root.Upgrader().SetConversionWindow(std::make_unique<TShellConversionWindow>(&b.Window));
}
