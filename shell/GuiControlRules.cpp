#include "shell/GuiControlRules.h"

#include "common/ItemDescription.h"
#include "common/ParamList.h"

#include <charconv>
#include <cmath>

namespace GuiControlRules {

namespace {

std::vector<std::string> SplitCommas(const std::string& list)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t comma = list.find(',', start);
        parts.push_back(list.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos)
            return parts;
        start = comma + 1;
    }
}

int DecimalOr0(const std::string& text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end ? value : 0;
}

bool StartsWith(const std::string& text, const char* prefix)
{
    return text.rfind(prefix, 0) == 0;
}

}  // namespace

bool CheckCondition(const std::string& condition, const int* nodeItemId, const std::string& catalogCode)
{
    if (condition.empty())
        return true;
    for (const std::string& field : TParamList::SplitFields(condition, '&', true)) {
        if (StartsWith(field, "ItemId=")) {
            const int itemId = nodeItemId ? *nodeItemId : 0;
            bool found = false;
            for (const std::string& entry : SplitCommas(field.substr(7)))
                found = found || DecimalOr0(TParamList::UrlDecode(entry)) == itemId;
            if (!found)
                return false;
        } else if (StartsWith(field, "CatalogCode=")) {
            bool found = false;
            for (const std::string& entry : SplitCommas(field.substr(12)))
                found = found || entry == catalogCode;
            if (!found)
                return false;
        }
    }
    return true;
}

std::vector<int> StatusPanelWidths(int barWidth, int panelCount)
{
    std::vector<int> widths;
    if (panelCount <= 0)
        return widths;
    const int rest = barWidth - 110;
    if (panelCount == 1)
        return {110};
    if (panelCount == 2)
        return {rest, 110};
    widths.push_back((2 * rest) / 3);
    for (int i = 1; i < panelCount - 1; ++i)
        widths.push_back((rest / 3) / (panelCount - 2));
    widths.push_back(110);
    return widths;
}

int WebTreePanelHeight(int leftPaneHeight, int dockHeight, int splitterHeight, double share)
{
    return static_cast<int>(std::nearbyint((leftPaneHeight - dockHeight - splitterHeight) * share));
}

int BeforePlacementIndex(const std::vector<bool>& entryIsDynamic)
{
    for (size_t i = 0; i < entryIsDynamic.size(); ++i)
        if (!entryIsDynamic[i])
            return static_cast<int>(i);
    return static_cast<int>(entryIsDynamic.size());
}

std::string LanguageCodeOfMenuEntry(const std::string& actionString)
{
    const size_t at = actionString.rfind('=');
    return at == std::string::npos ? actionString : actionString.substr(at + 1, 8);
}

TWebTreeButtons WebTreeButtons(const TTreeNodeFacts& f)
{
    TWebTreeButtons b;
    if (!f.Node)
        return b;
    const TItemDescription& node = *f.Node;
    b.DeleteEnabled = !(node.Flags & ifNotDeletable) && !f.HasChildren;
    b.MoveUpEnabled = !f.IsFirst && node.OrderNum > 0 && (!f.Previous || f.Previous->OrderNum > 0);
    b.MoveDownEnabled = f.HasParent && !f.IsLast && node.OrderNum > 0;
    b.SortShown = f.HasChildren;
    b.SortPressed = !(node.Flags & ifManualOrder);
    b.MoveShown = f.Parent != nullptr;
    if (f.Parent && !(f.Parent->Flags & ifManualOrder)) {
        b.MoveUpEnabled = b.MoveDownEnabled = false;
        b.MoveUpHint = b.MoveDownHint = "Sorted Alphabetically";
    }
    return b;
}

TWebTreePopup WebTreePopup(const TTreeNodeFacts& f)
{
    TWebTreePopup p;
    if (!f.Node)
        return p;
    const TItemDescription& node = *f.Node;
    const bool manual = node.Flags & ifManualOrder;
    p.DeletePage = !(node.Flags & ifNotDeletable);
    p.MovePageUp = manual && !f.IsFirst && node.OrderNum > 0 && (!f.Previous || f.Previous->OrderNum > 0);
    p.MovePageDown = manual && node.OrderNum > 0 && f.HasParent && !f.IsLast;
    p.Sort = f.HasChildren && manual;
    return p;
}

std::vector<std::string> ContextHelpAliases(const std::string& controlName, const std::string& parentName,
                                            bool hasControl, const std::string& editorKeyword)
{
    std::vector<std::string> aliases;
    const std::string suffix = controlName.empty() ? std::string() : "." + controlName;
    if (hasControl && !parentName.empty())
        aliases.push_back(parentName + suffix);
    if (editorKeyword.empty())
        return aliases;
    if (hasControl && !suffix.empty())
        aliases.push_back(editorKeyword + suffix);
    aliases.push_back(editorKeyword);
    if (const std::size_t dot = editorKeyword.find('.'); dot != std::string::npos)
        aliases.push_back(editorKeyword.substr(dot + 1));
    return aliases;
}

}  // namespace GuiControlRules
