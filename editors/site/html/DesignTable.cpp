#include "editors/site/html/DesignTable.h"

#include "editors/site/html/DesignDocument.h"

namespace {

const char* CommandName(TTableCommand command)
{
    switch (command) {
    case TTableCommand::InsertRow: return "insertRow";
    case TTableCommand::InsertColumn: return "insertColumn";
    case TTableCommand::DeleteRow: return "deleteRow";
    case TTableCommand::DeleteColumn: return "deleteColumn";
    case TTableCommand::MergeCells: return "mergeCells";
    case TTableCommand::SplitCell: return "splitCell";
    }
    return "";
}

}  // namespace

std::string TDesignTable::CommandScript(TTableCommand command)
{
    return std::string("tolvexDesign.run(\"") + CommandName(command) + "\")";
}

std::string TDesignTable::StatusScript() { return "tolvexDesign.status()"; }

std::string TDesignTable::InsertHtmlScript(const std::string& html)
{
    return "tolvexDesign.insertHtml(" + TDesignDocument::ScriptString(html) + ")";
}
