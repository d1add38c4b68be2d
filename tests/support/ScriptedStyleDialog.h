#pragma once
// A style dialog for tests: every showing takes the next queued answer
// (none queued: cancelled). On OK it chooses the style of the script (0:
// the first style of the style catalog) with the colour, font and
// background of the script (0: the style's own defaults) and collects what
// the window's dialog collects: the style's member 1 and the chosen sheets
// and background as items to copy, member 2 as default templates, and the
// lines "color=", "font=", "background=".
#include "generation/StyleDialog.h"
#include "storage/AbstractDBConnection.h"
#include "storage/AbstractDBQuery.h"
#include "storage/QueryGuard.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

struct TStyleScript {
    std::deque<bool> answers;
    int styleId = 0;
    int color = 0;
    int font = 0;
    int background = 0;
    // One line per Setup: "StyleDialog mode M master X color C font F background B".
    std::vector<std::string> shown;
    // Also told "StyleDialog mode M" at every Setup, when set.
    std::function<void(const std::string&)> record;
};

class TScriptedStyleDialog : public TStyleDialog {
public:
    explicit TScriptedStyleDialog(TStyleScript& script) : script_(script) {}

    void Setup(int mode, TAbstractDBConnection& definitionConnection, int masterTemplateId, int colorScheme,
               int fontScheme, int backgroundImageCode) override
    {
        connection_ = &definitionConnection;
        if (script_.record)
            script_.record("StyleDialog mode " + std::to_string(mode));
        script_.shown.push_back("StyleDialog mode " + std::to_string(mode) + " master " +
                                std::to_string(masterTemplateId) + " color " + std::to_string(colorScheme) +
                                " font " + std::to_string(fontScheme) + " background " +
                                std::to_string(backgroundImageCode));
    }
    bool Execute() override
    {
        if (script_.answers.empty())
            return false;
        const bool answer = script_.answers.front();
        script_.answers.pop_front();
        return answer;
    }
    void CollectSelection(std::vector<std::string>& itemIds, std::vector<std::string>& defaultTemplateIds,
                          std::vector<std::string>& params) override
    {
        itemIds.clear();
        defaultTemplateIds.clear();
        params.clear();
        const std::string code = Text("SELECT CatalogCode FROM Items WHERE ItemId = 510 AND CatalogCode LIKE 't#%'");
        const std::string style =
            script_.styleId != 0
                ? std::to_string(script_.styleId)
                : Text("SELECT ItemId FROM Items WHERE CatalogCode = '" + code +
                       "' AND ParentItemId = 510 AND ItemId = LinkedItemId ORDER BY OrderNum, ItemId");
        const std::string member = "SELECT StringValue FROM CStrings WHERE CatalogCode = '" + code +
                                   "' AND ItemId = " + style + " AND ClassId = 510 AND MemberId = ";
        const auto number = [&](int memberId, int chosen) {
            return chosen != 0 ? std::to_string(chosen)
                               : Text("SELECT CAST(NumberValue AS INTEGER) AS V FROM CNumbers WHERE CatalogCode = '" +
                                      code + "' AND ItemId = " + style + " AND ClassId = 510 AND MemberId = " +
                                      std::to_string(memberId));
        };
        const std::string color = number(4, script_.color);
        const std::string font = number(5, script_.font);
        const std::string background = number(6, script_.background);
        params = {"color=" + color, "font=" + font, "background=" + background};
        itemIds = Texts(member + "1 ORDER BY IndexId");
        for (const std::string& id : {font, color, background})
            itemIds.push_back(id);
        defaultTemplateIds = Texts(member + "2 ORDER BY IndexId");
    }

private:
    std::vector<std::string> Texts(const std::string& sql)
    {
        std::vector<std::string> values;
        TQueryGuard query(*connection_);
        query->SetSQL(sql);
        for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
        {
            const TVariant value = rows.Field(0);
            values.push_back(value.Kind() == TVariantKind::Integer ? std::to_string(value.AsInteger())
                             : value.Kind() == TVariantKind::Text  ? value.AsText()
                                                                   : std::string("0"));
        }
        return values;
    }
    std::string Text(const std::string& sql)
    {
        const std::vector<std::string> values = Texts(sql);
        return values.empty() ? std::string("0") : values.front();
    }

    TStyleScript& script_;
    TAbstractDBConnection* connection_ = nullptr;
};
