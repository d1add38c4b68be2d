// The decisions of a classification codes tab on a real catalog and the
// shipped code tables: what an item is given goes into its object and,
// once, into the company's list; an item holds at most two eBay categories;
// stored codes the shipped tables lack are kept through a save; a removed
// partner category leaves the company's list only when no other item uses it.
#include "editors/site/SiteModelFixture.h"

#include "catalog/Tolvex.h"
#include "catalog/codes/CodeDatabase.h"
#include "common/WellKnownIds.h"
#include "editors/business/codes/CodesEditorModel.h"
#include "editors/business/codes/CodesEditors.h"
#include "storage/AbstractCObject.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int kProductsRoot = 11;

class CodesModel : public ::testing::Test {
protected:
    // The tab of System opened on Item (the Other variant) in the session.
    struct TTab {
        TTab(CodesModel& test, TCodeSystem system, int item, bool company = false)
            : database(system, TCodeDatabase::ShippedConnection(test.site.Program().GlobalDefinition(), system)),
              tree(database),
              model(tree, company, item, kCompanyItemId, test.Services(system))
        {
            model.Load();
        }
        TCodeDatabase database;
        TCodeTree tree;
        TCodesEditorModel model;
    };

    TCodesEditorModel::TServices Services(TCodeSystem system)
    {
        TCodesEditorModel::TServices services;
        services.Object = [this, system](int itemId) -> TAbstractCObject* {
            return site.Objects().GetObject(itemId, CodeSystemInfo(system).ClassTag);
        };
        services.OtherUsers = [this](int exceptItem, int category) {
            return TCodeDatabase::CountOtherUsers(site.Connection(), TSiteModelFixture::kCode, exceptItem, category);
        };
        services.Lang = site.Data().GetDefaultLangCode();
        return services;
    }

    // What the catalog holds for the item once saved, sorted.
    std::vector<std::string> Stored(int itemId, TCodeSystem system)
    {
        const TCodeSystemInfo& info = CodeSystemInfo(system);
        TQueryGuard query(site.MainConnection());
        query->SetSQL(std::string("SELECT ") + (info.Numeric ? "NumberValue" : "StringValue") + " AS Value FROM " +
                      (info.Numeric ? "CNumbers" : "CStrings") +
                      " WHERE ItemId = :ItemId AND ClassId = :ClassId");
        query->SetParam("ItemId", itemId);
        // The classes of the code systems in the catalog description.
        query->SetParam("ClassId", system == TCodeSystem::Zarivuro     ? 8001
                                   : system == TCodeSystem::Unspsc     ? 8002
                                   : system == TCodeSystem::Harmonized ? 8003
                                                                       : 8004);
        std::vector<std::string> values;
        for (TAbstractRecordset& rows = query->Open(true); !rows.Eof(); rows.Next())
            values.push_back(info.Numeric ? std::to_string(FieldInteger(rows, "Value")) : FieldText(rows, "Value"));
        std::sort(values.begin(), values.end());
        return values;
    }

    static std::vector<std::string> Codes(const std::vector<TCodeEntry>& entries)
    {
        std::vector<std::string> codes;
        for (const TCodeEntry& entry : entries)
            codes.push_back(entry.Code);
        return codes;
    }

    TSiteModelFixture site;
    int first = site.AddItem(4002, kProductsRoot, "Copier paper");
    int second = site.AddItem(4002, kProductsRoot, "Fax paper");
};

TEST_F(CodesModel, ACodeGivenToAnItemJoinsTheCompanysListOnce)
{
    {
        TTab tab(*this, TCodeSystem::Unspsc, first);
        ASSERT_TRUE(tab.model.ShowsCompanyList());
        TCodeNode* paper = tab.tree.Locate("14111507");
        ASSERT_NE(paper, nullptr);
        EXPECT_EQ(tab.model.CheckAdd(*paper->Parent), TCodesEditorModel::TAdd::NotChoosable) << "a class";
        EXPECT_EQ(tab.model.AddFromTree(*paper), TCodesEditorModel::TAdd::Added);
        EXPECT_EQ(tab.model.AddFromTree(*paper), TCodesEditorModel::TAdd::AlreadyChosen);
        EXPECT_EQ(Codes(tab.model.Chosen()), std::vector<std::string>{"14111507"});
        EXPECT_EQ(Codes(tab.model.Company()), std::vector<std::string>{"14111507"});
        EXPECT_EQ(tab.model.Chosen().front().Name, "Printer or copier paper");
    }
    {
        TTab tab(*this, TCodeSystem::Unspsc, second);
        EXPECT_EQ(Codes(tab.model.Company()), std::vector<std::string>{"14111507"}) << "unsaved, in the session";
        EXPECT_EQ(tab.model.AddFromCompany("14111507"), TCodesEditorModel::TAdd::Added);
        EXPECT_EQ(tab.model.AddFromTree(*tab.tree.Locate("14111508")), TCodesEditorModel::TAdd::Added);
        EXPECT_EQ(Codes(tab.model.Company()), (std::vector<std::string>{"14111507", "14111508"}));
    }
    site.Save();
    EXPECT_EQ(Stored(first, TCodeSystem::Unspsc), std::vector<std::string>{"14111507"});
    EXPECT_EQ(Stored(second, TCodeSystem::Unspsc), (std::vector<std::string>{"14111507", "14111508"}));
    EXPECT_EQ(Stored(kCompanyItemId, TCodeSystem::Unspsc), (std::vector<std::string>{"14111507", "14111508"}));
}

TEST_F(CodesModel, AThirdEBayCategoryIsRefusedWhicheverWayItComes)
{
    {
        TTab company(*this, TCodeSystem::EBay, kCompanyItemId, true);
        EXPECT_FALSE(company.model.ShowsCompanyList());
        EXPECT_EQ(company.model.AddFromTree(*company.tree.Locate("177")), TCodesEditorModel::TAdd::Added);
        EXPECT_EQ(company.model.AddFromTree(*company.tree.Locate("179")), TCodesEditorModel::TAdd::Added);
        EXPECT_EQ(company.model.AddFromTree(*company.tree.Locate("99")), TCodesEditorModel::TAdd::LimitReached)
            << "the company is an item too";
    }
    {
        // The company's list is what its items hold: it may grow beyond two.
        TTab tab(*this, TCodeSystem::EBay, second);
        EXPECT_EQ(tab.model.AddFromTree(*tab.tree.Locate("11483")), TCodesEditorModel::TAdd::Added);
        EXPECT_EQ(Codes(tab.model.Company()), (std::vector<std::string>{"177", "179", "11483"}));
    }
    TTab tab(*this, TCodeSystem::EBay, first);
    EXPECT_EQ(tab.model.AddFromTree(*tab.tree.Locate("177")), TCodesEditorModel::TAdd::Added);
    EXPECT_EQ(tab.model.AddFromCompany("179"), TCodesEditorModel::TAdd::Added);
    EXPECT_FALSE(tab.model.CanChooseMore());
    EXPECT_EQ(tab.model.CheckAdd(*tab.tree.Locate("99")), TCodesEditorModel::TAdd::LimitReached);
    EXPECT_EQ(tab.model.AddFromTree(*tab.tree.Locate("99")), TCodesEditorModel::TAdd::LimitReached);
    EXPECT_EQ(tab.model.AddFromCompany("11483"), TCodesEditorModel::TAdd::LimitReached);
    tab.model.Remove("177");
    EXPECT_EQ(tab.model.AddFromCompany("11483"), TCodesEditorModel::TAdd::Added);
    EXPECT_EQ(tab.model.CheckAddFromCompany("179"), TCodesEditorModel::TAdd::AlreadyChosen);
    EXPECT_EQ(tab.model.CheckAddFromCompany("99"), TCodesEditorModel::TAdd::NotChoosable) << "not the company's";
    site.Save();
    EXPECT_EQ(Stored(first, TCodeSystem::EBay), (std::vector<std::string>{"11483", "179"}));
}

TEST_F(CodesModel, StoredCodesTheShippedTablesLackSurviveASave)
{
    site.Objects().GetObject(first, "UNSPSC")->SetLangString("UNSPSCCode", "XXX", "14111507", -1);
    site.Objects().GetObject(first, "UNSPSC")->SetLangString("UNSPSCCode", "XXX", "43211502", -1);
    site.Objects().GetObject(first, "UNSPSC")->SetLangString("UNSPSCCode", "XXX", "99887766", -1);
    site.Objects().GetObject(first, "UNSPSC")->SetLangString("UNSPSCCode", "XXX", "1411150", -1);
    site.Save();
    site.Objects().Clear();

    TTab tab(*this, TCodeSystem::Unspsc, first);
    ASSERT_EQ(tab.model.Chosen().size(), 4u) << "every stored value is shown";
    const auto unknown = std::count_if(tab.model.Chosen().begin(), tab.model.Chosen().end(),
                                       [](const TCodeEntry& e) { return !e.IsKnown(); });
    EXPECT_EQ(unknown, 3) << "the values the shipped subset lacks show as unknown";
    tab.model.Remove("14111507");
    EXPECT_EQ(tab.model.AddFromTree(*tab.tree.Locate("14111508")), TCodesEditorModel::TAdd::Added);
    site.Save();
    EXPECT_EQ(Stored(first, TCodeSystem::Unspsc),
              (std::vector<std::string>{"1411150", "14111508", "43211502", "99887766"}));
}

TEST_F(CodesModel, ARemovedPartnerCategoryLeavesTheCompanyOnlyWhenNoOtherItemUsesIt)
{
    {
        TTab tab(*this, TCodeSystem::Zarivuro, second);
        EXPECT_EQ(tab.model.AddFromTree(*tab.tree.Locate("101")), TCodesEditorModel::TAdd::Added);
    }
    TTab tab(*this, TCodeSystem::Zarivuro, first);
    EXPECT_EQ(tab.model.AddFromTree(*tab.tree.Locate("101")), TCodesEditorModel::TAdd::Added);
    EXPECT_EQ(tab.model.AddFromTree(*tab.tree.Locate("102")), TCodesEditorModel::TAdd::Added);
    site.Save();
    ASSERT_EQ(Stored(kCompanyItemId, TCodeSystem::Zarivuro), (std::vector<std::string>{"101", "102"}));

    tab.model.Remove("101");
    tab.model.Remove("102");
    EXPECT_EQ(Codes(tab.model.Company()), std::vector<std::string>{"101"}) << "the second product still uses 101";
    site.Save();
    EXPECT_EQ(Stored(first, TCodeSystem::Zarivuro), std::vector<std::string>{});
    EXPECT_EQ(Stored(kCompanyItemId, TCodeSystem::Zarivuro), std::vector<std::string>{"101"});
}

}  // namespace

TEST(CodesEditorTab, TheShippedEditorNamesGiveTheTabOfTheirCodeSystem)
{
    struct Case { const char* editor; const char* caption; const char* tab; };
    const Case cases[] = {
        {"CommonUNSPSCCompany", "UNSP/SC", "CodesEditor-unspsc"},
        {"CommonHarmonizedOther", "Harmonized System", "CodesEditor-harmonized"},
        {"CommonEBayCompany", "eBay", "CodesEditor-ebay"},
        {"CommonEBayOther", "Category", "CodesEditor-ebay"},
        {"CommonZarivuroOther", "Zarivuro", "CodesEditor-zarivuro"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TCodesEditor::TabCaption(c.editor), c.caption) << c.editor;
        EXPECT_EQ(TCodesEditor::TabName(c.editor), c.tab) << c.editor;
    }
}
