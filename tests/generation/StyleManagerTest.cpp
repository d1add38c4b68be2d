// The style manager over a created catalog: the dialog's set-up from the
// catalog's current master template, cancelling, loading as one unit of
// work that a failure at any step undoes completely, finding the current
// style, and marking newer style versions.
#include "StyleFixture.h"

#include "common/Exceptions.h"

namespace {

constexpr int kHarbor = 600901;
constexpr int kMeadow = 600902;

TAbstractDBConnection& DefinitionConnection(TStyleProgram& program)
{
    return program.Root().Catalog().GetDefinition().GetDefinitionDatabase(kOpenCatalogType)->GetConnection();
}

int FindCurrentStyle(TStyleProgram& program)
{
    return program.Manager().FindCurrentStyle(program.Data(), program.StyleCode(), nullptr,
                                              DefinitionConnection(program), program.Connection());
}

}  // namespace

TEST(StyleManagerTest, StyleCatalogCodeIsTHashAndTheType)
{
    EXPECT_EQ(TStyleManager::GetStyleCatalogCode(1), "t#1");
    EXPECT_EQ(TStyleManager::GetStyleCatalogCode(12), "t#12");
}

TEST(StyleManagerTest, DialogStartsFromTheCurrentMasterAndCancellingChangesNothing)
{
    TStyleProgram program(1);
    const std::string before = DumpDatabase(program.CatalogFile());
    for (int mode : {0, 1}) {
        program.Dialog().shown.clear();
        EXPECT_FALSE(program.Manager().SelectStyle(mode, true)) << "no answer queued: cancelled";
        EXPECT_EQ(program.Dialog().shown, (std::vector<std::string>{
                                              "StyleDialog mode " + std::to_string(mode) +
                                              " master 600101 color 600111 font 600112 background 600121"}));
    }
    EXPECT_TRUE(DumpDatabase(program.CatalogFile()) == before) << "rows before and after differ";
    EXPECT_FALSE(program.fixture.Log().Has("PostReopenCatalog"));
    EXPECT_FALSE(program.fixture.Log().Has("ExecuteAction Action=MainPageEditor&ItemId=-1"));

    // Chosen: the item being edited is left first, and the reopening asked for only when wanted.
    program.Dialog().answers = {true};
    program.Dialog().styleId = kMeadow;
    EXPECT_TRUE(program.Manager().SelectStyle(0, false));
    EXPECT_TRUE(program.fixture.Log().Has("ExecuteAction Action=MainPageEditor&ItemId=-1"));
    EXPECT_FALSE(program.fixture.Log().Has("PostReopenCatalog"));
    EXPECT_FALSE(DumpDatabase(program.CatalogFile()) == before);
}

TEST(StyleManagerTest, MasterWithoutItsObjectOpensTheDialogWithSchemesZero)
{
    TStyleProgram program(1);
    ExecOnFile(program.CatalogFile(), "DELETE FROM CNumbers WHERE ItemId = 600101 AND ClassId = 501; "
                                      "DELETE FROM CObjectInstances WHERE ItemId = 600101 AND ClassId = 501;");
    EXPECT_FALSE(program.Manager().SelectStyle(1, false));
    EXPECT_EQ(program.Dialog().shown,
              (std::vector<std::string>{"StyleDialog mode 1 master 600101 color 0 font 0 background 0"}));
}

TEST(StyleManagerTest, NothingLoadsWithoutCatalogOrSelection)
{
    TStyleProgram program(1);
    program.Manager().SetSelection({}, {"600101"}, {"color=1"});
    EXPECT_FALSE(program.Manager().LoadStyle()) << "no items selected";
    program.Root().CloseCatalog();
    program.Manager().SetSelection({"600102"}, {}, {});
    EXPECT_FALSE(program.Manager().LoadStyle());
    EXPECT_FALSE(program.Manager().SelectStyle(1, true));
    EXPECT_TRUE(program.Dialog().shown.empty()) << "no dialog without a catalog";
}

TEST(StyleManagerTest, SelectionIsSortedWithoutDuplicates)
{
    TStyleProgram program(1);
    program.Manager().SetSelection({"600201", "600101", "600201", "600111"}, {"600202", "600101", "600202"},
                                   {"color=1", "font=2", "background=0"});
    EXPECT_EQ(program.Manager().ItemIds(), (std::vector<std::string>{"600101", "600111", "600201"}));
    EXPECT_EQ(program.Manager().DefaultTemplateIds(), (std::vector<std::string>{"600101", "600202"}));
    EXPECT_EQ(program.Manager().Params(), (std::vector<std::string>{"color=1", "font=2", "background=0"}));
}

// A failure at each step of the load: the copy, the default templates, the
// marking of versions. Each leaves the catalog exactly as it was.
struct TFailureCase {
    const char* name;
    const char* trigger;
};

class StyleLoadFailure : public ::testing::TestWithParam<TFailureCase> {};

TEST_P(StyleLoadFailure, LeavesTheCatalogAsItWas)
{
    TStyleProgram program(1);
    // A newer version of Harbor's master in the style catalog, so that loading Meadow marks it.
    ExecOnFile(program.DefinitionFile(), "UPDATE CStrings SET StringValue = '9.0' WHERE CatalogCode = 't#1' AND "
                                         "ItemId = 600101 AND ClassId = 505 AND MemberId = 1");
    ExecOnFile(program.CatalogFile(), GetParam().trigger);
    const std::string before = DumpDatabase(program.CatalogFile());

    program.Dialog().answers = {true};
    program.Dialog().styleId = kMeadow;
    EXPECT_THROW(program.Manager().SelectStyle(1, true), ETolvexException);
    EXPECT_TRUE(DumpDatabase(program.CatalogFile()) == before) << "rows before and after differ";
    EXPECT_FALSE(program.fixture.Log().Has("PostReopenCatalog"));

    // Without the fault the same load goes through: nothing was left locked.
    ExecOnFile(program.CatalogFile(), "DROP TRIGGER injected");
    program.ApplyStyle(kMeadow);
    EXPECT_EQ(FindCurrentStyle(program), kMeadow);
    EXPECT_EQ(program.CatalogValue("SELECT StringValue FROM CStrings WHERE ItemId = 600101 AND ClassId = 505 AND "
                                   "MemberId = 2"),
              "9.0")
        << "the newer version is not offered again";
}

INSTANTIATE_TEST_SUITE_P(
    Steps, StyleLoadFailure,
    ::testing::Values(
        TFailureCase{"CopyHalfWay", "CREATE TRIGGER injected BEFORE INSERT ON CText WHEN NEW.ItemId = 600203 "
                                    "BEGIN SELECT RAISE(ABORT, 'injected fault'); END;"},
        TFailureCase{"DefaultTemplates", "CREATE TRIGGER injected BEFORE INSERT ON CNumbers WHEN NEW.ClassId = 513 "
                                         "BEGIN SELECT RAISE(ABORT, 'injected fault'); END;"},
        TFailureCase{"MarkingVersions", "CREATE TRIGGER injected BEFORE INSERT ON CStrings WHEN NEW.ClassId = 505 "
                                        "AND NEW.MemberId = 2 BEGIN SELECT RAISE(ABORT, 'injected fault'); END;"}),
    [](const ::testing::TestParamInfo<TFailureCase>& info) { return std::string(info.param.name); });

TEST(StyleManagerTest, ChosenSchemesReachTheCopiedMasterAndNoneIsBackgroundZero)
{
    TStyleProgram program(1);
    // Atelier's master with Meadow's sheets and the background "(none)", id 0.
    program.Manager().SetSelection({"600103"}, {"600103"}, {"color=600113", "font=600114", "background=0"});
    ASSERT_TRUE(program.Manager().LoadStyle());
    const TStyleManager::TCurrentScheme scheme =
        program.Manager().ReadCurrentScheme(program.Data(), program.Connection());
    EXPECT_EQ(scheme.MasterTemplateId, 600103);
    EXPECT_EQ(scheme.ColorScheme, 600113);
    EXPECT_EQ(scheme.FontScheme, 600114);
    EXPECT_EQ(scheme.BackgroundImageCode, 0);
}

TEST(StyleManagerTest, CurrentStyleIsTheBestScoreFirstOfEqualsOrTheFirstStyle)
{
    TStyleProgram program(1);
    EXPECT_EQ(FindCurrentStyle(program), kHarbor) << "a new catalog has the first style";

    // A fourth style on Harbor's master with Meadow's sheets, after the others.
    ExecOnFile(program.DefinitionFile(),
               "INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, NotVisible, OrderNum, "
               "DontDelete, DontSort, IsSynchronized) VALUES ('t#1', 600904, 510, 510, 600904, 0, 400, 0, 0, 0);"
               "INSERT INTO CObjectInstances (CatalogCode, ItemId, ClassId, ParentInstanceId, InstanceId) "
               "VALUES ('t#1', 600904, 510, 0, 2);"
               "INSERT INTO CNumbers (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
               "MemberType, NumberValue) VALUES ('t#1', 600904, 510, 2, 3, 'XXX', 0, 102, 600101), "
               "('t#1', 600904, 510, 2, 4, 'XXX', 0, 102, 600113), ('t#1', 600904, 510, 2, 5, 'XXX', 0, 102, "
               "600114);");
    // Harbor: 500 + 50 + 25 + 10 + defaults; the new one 500 + defaults none.
    EXPECT_EQ(FindCurrentStyle(program), kHarbor);

    // The catalog's master with Meadow's sheets: the new style scores 575, Harbor 510 + defaults (7 x 5).
    ExecOnFile(program.CatalogFile(), "UPDATE CNumbers SET NumberValue = 600113 WHERE ItemId = 600101 AND "
                                      "ClassId = 501 AND MemberId = 1; UPDATE CNumbers SET NumberValue = 600114 "
                                      "WHERE ItemId = 600101 AND ClassId = 501 AND MemberId = 2;");
    EXPECT_EQ(FindCurrentStyle(program), 600904);

    // Equal scores: the first child of item 510. Harbor loses its default templates' points.
    ExecOnFile(program.DefinitionFile(),
               "DELETE FROM CStrings WHERE CatalogCode = 't#1' AND ItemId = 600901 AND ClassId = 510 AND "
               "MemberId = 2; UPDATE CNumbers SET NumberValue = 600113 WHERE CatalogCode = 't#1' AND ItemId = "
               "600901 AND ClassId = 510 AND MemberId = 4; UPDATE CNumbers SET NumberValue = 600114 WHERE "
               "CatalogCode = 't#1' AND ItemId = 600901 AND ClassId = 510 AND MemberId = 5; DELETE FROM CNumbers "
               "WHERE CatalogCode = 't#1' AND ItemId = 600901 AND ClassId = 510 AND MemberId = 6;");
    ExecOnFile(program.CatalogFile(), "UPDATE CNumbers SET NumberValue = 0 WHERE ItemId = 600101 AND "
                                      "ClassId = 501 AND MemberId = 3;");
    EXPECT_EQ(FindCurrentStyle(program), kHarbor);

    // No style with the catalog's master: the first style.
    ExecOnFile(program.CatalogFile(), "UPDATE CNumbers SET NumberValue = 1 WHERE ClassId = 513 AND "
                                      "ItemId = 600001 AND MemberId = 1;");
    EXPECT_EQ(FindCurrentStyle(program), kHarbor);

    // No styles at all: 0. Link copies of styles do not count.
    ExecOnFile(program.DefinitionFile(), "UPDATE Items SET LinkedItemId = 600901 WHERE CatalogCode = 't#1' AND "
                                         "ParentItemId = 510 AND ItemId <> 600901; DELETE FROM Items WHERE "
                                         "CatalogCode = 't#1' AND ItemId = 600901;");
    EXPECT_EQ(FindCurrentStyle(program), 0);
}

TEST(StyleManagerTest, NewerVersionsAreMarkedComparedAsNumbers)
{
    TStyleProgram program(1);
    struct Case {
        int itemId;
        const char* offered;  // in the style catalog
        const char* own;      // in the catalog
        bool marked;
    } cases[] = {
        {600101, "1.5", "1.0", true},
        {600111, "2.10", "2.5", false},  // 2.10 is less than 2.5
        {600112, "2.0", "2.0", false},
        {600201, "1", "abc", true},      // not a number counts as 0
        {600301, "abc", "0.5", false},
    };
    for (const Case& c : cases) {
        ExecOnFile(program.DefinitionFile(), "UPDATE CStrings SET StringValue = '" + std::string(c.offered) +
                                                 "' WHERE CatalogCode = 't#1' AND ItemId = " + std::to_string(c.itemId) +
                                                 " AND ClassId = 505 AND MemberId = 1");
        ExecOnFile(program.CatalogFile(), "UPDATE CStrings SET StringValue = '" + std::string(c.own) +
                                              "' WHERE ItemId = " + std::to_string(c.itemId) +
                                              " AND ClassId = 505 AND MemberId = 1");
    }
    program.Manager().MarkNewerStyleVersions(program.Connection());
    for (const Case& c : cases)
        EXPECT_EQ(program.CatalogValue("SELECT StringValue FROM CStrings WHERE ItemId = " + std::to_string(c.itemId) +
                                       " AND ClassId = 505 AND MemberId = 2"),
                  c.marked ? c.offered : "")
            << c.itemId;
}

TEST(StyleManagerTest, FirstStyleOfANewCatalogIsChosenWhileOpeningAndAFailureOpensNothing)
{
    TRootFixture fixture;
    TTestCatalog bare;
    bare.code = "bare";
    bare.styleVersion = "-";
    const std::string file = fixture.MakeCatalog(bare);
    ExecOnFile(file, "CREATE TRIGGER injected BEFORE INSERT ON CText BEGIN SELECT RAISE(ABORT, 'injected fault'); "
                     "END;");
    const std::string before = DumpDatabase(file);

    fixture.Shell().style.answers = {true};
    EXPECT_THROW(fixture.Open("bare", "admin", "secret"), ETolvexException);
    EXPECT_FALSE(fixture.Root().Catalog().IsOpen()) << "no half-open catalog";
    EXPECT_TRUE(DumpDatabase(file) == before) << "rows before and after differ";
    EXPECT_EQ(fixture.Shell().style.shown,
              (std::vector<std::string>{"StyleDialog mode 0 master 0 color 0 font 0 background 0"}));

    ExecOnFile(file, "DROP TRIGGER injected");
    fixture.Shell().style.answers = {true};
    fixture.Shell().style.styleId = kMeadow;
    EXPECT_EQ(fixture.Open("bare", "admin", "secret"), "");
    ASSERT_TRUE(fixture.Log().Has("PostReopenCatalog"));
    fixture.Root().ReopenCatalog();
    ASSERT_TRUE(fixture.Root().Catalog().IsOpen()) << "with a style the catalog opens";
    TCatalogData& data = *fixture.Data();
    TAbstractDBConnection& definition =
        fixture.Root().Catalog().GetDefinition().GetDefinitionDatabase(kOpenCatalogType)->GetConnection();
    EXPECT_EQ(fixture.Root().StyleManager().FindCurrentStyle(data, "t#1", nullptr, definition,
                                                             data.GetConnectionFactory().GetConnection()),
              kMeadow);
}
