#pragma once
// TCustomTemplatesModel: a service's own XSL templates, one per template
// type (the list values of "TemplateType" of "CustomXslTemplate"), each
// switched on or off: objects of class 1014 in the service item. A type
// without a template shows the default custom template's text. Only a row
// the user changed (its text or its check mark) is stored, so that looking
// through the types stores nothing; a changed text must be well-formed XML.
#include "editors/site/SiteModelContext.h"

#include <string>
#include <vector>

class TCustomTemplatesModel {
public:
    static constexpr int kTemplateClass = 1014;

    struct TRow {
        std::string Code;
        std::string Caption;
        bool Used = false;
        std::string Text;
        int InstanceId = 0;  // 0: no template of the type yet
        bool Changed = false;
    };
    struct TXmlFault {
        bool Found = false;
        int Offset = 0;  // byte offset in the text
        int Line = 0;    // from 1
        std::string Reason;
    };

    explicit TCustomTemplatesModel(const TSiteModelContext& context);
    void Load();
    const std::vector<TRow>& Rows() const { return rows_; }
    void SetText(std::size_t row, const std::string& text);
    void SetUsed(std::size_t row, bool used);
    // The first changed row whose text is no well-formed XML, with its fault; -1 for none.
    int FirstFault(TXmlFault& fault) const;
    static TXmlFault Check(const std::string& text);
    void Store();

private:
    TSiteModelContext context_;
    std::vector<TRow> rows_;
};
