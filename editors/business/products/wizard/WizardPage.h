#pragma once
// What the product wizard's pages share: the wizard's parameter list (the
// item editor's, where the pages collect their values) and the page's
// header line in bold above its controls.
#include <QString>

#include <string>
#include <vector>

class QVBoxLayout;
class QWidget;
class TTolvexFrameEditor;

namespace wizard_page {

// The wizard's parameter list; null when the editor has none.
std::vector<std::string>* Params(TTolvexFrameEditor& frame);
std::string Value(TTolvexFrameEditor& frame, const std::string& key);
void SetValue(TTolvexFrameEditor& frame, const std::string& key, const std::string& value);
// The page's layout, with the header line first when there is one.
QVBoxLayout* PageLayout(QWidget& page, const QString& header);

}  // namespace wizard_page
