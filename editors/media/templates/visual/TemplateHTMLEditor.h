#pragma once
// The UI editor "TemplateHTMLEditor": one tab, "WYSIWYG Editor", with the
// WYSIWYG template editor of a master or body template.
#include "editors/framework/TolvexUIEditor.h"

class TTemplateHTMLEditor : public TTolvexUIEditor {
public:
    TTemplateHTMLEditor(std::string name, std::string params);
    void CreatePages() override;
};
