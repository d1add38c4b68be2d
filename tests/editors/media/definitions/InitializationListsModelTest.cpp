// The initialisation lists model on the shipped style catalog of type 1
// (item 521): each item once per list, the roots and well-known items
// refused for "Delete From Existing", captions of ids the catalog lacks, and
// lists written only by the save, only when changed.
#include "../StyleCatalogFixture.h"

#include "editors/media/definitions/InitializationListsModel.h"
#include "storage/GlobalDefinition.h"

#include <gtest/gtest.h>

namespace {

using TModel = TInitializationListsModel;
using TList = TModel::TList;
using TAddResult = TModel::TAddResult;

constexpr int kLists = 521;

std::vector<int> Ids(const std::vector<TModel::TRow>& rows)
{
    std::vector<int> ids;
    for (const TModel::TRow& row : rows)
        ids.push_back(row.ItemId);
    return ids;
}

bool Lists(const std::vector<std::string>& values, int id)
{
    return std::count(values.begin(), values.end(), std::to_string(id)) == 1;
}

class InitializationListsModelTest : public ::testing::Test {
protected:
    TModel NewModel() { return TModel(styles.Context(kLists), styles.Program().GlobalDefinition()); }
    TStyleCatalogFixture styles{1};
};

TEST_F(InitializationListsModelTest, AnItemIsListedOncePerListAndTheDeleteListRefusesWellKnownItems)
{
    TModel model = NewModel();
    model.Load();
    ASSERT_TRUE(model.HasLists());
    ASSERT_TRUE(Lists(styles.Strings(kLists, 521, 1), 600101));
    EXPECT_EQ(model.Add(TList::Insert, 600101, "Harbor"), TAddResult::AlreadyListed);
    EXPECT_EQ(model.Add(TList::Update, 600101, "Harbor"), TAddResult::Added) << "another list may hold it";
    EXPECT_EQ(model.Add(TList::Update, 600101, "Harbor"), TAddResult::AlreadyListed);

    const struct {
        int id;
        TAddResult expected;
        const char* why;
    } cases[] = {
        {1, TAddResult::Refused, "the web tree's root"},
        {5, TAddResult::Refused, "the templates' root"},
        {2001, TAddResult::Refused, "the company item"},
        {100001, TAddResult::Refused, "the home page"},
        {601, TAddResult::Refused, "the catalog's languages"},
        {600201, TAddResult::Added, "a body template"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(model.Add(TList::Delete, c.id, "x"), c.expected) << c.why;
    EXPECT_EQ(Ids(model.Rows(TList::Delete)), std::vector<int>{600201});
}

TEST_F(InitializationListsModelTest, CaptionsOfIdsTheCatalogLacks)
{
    styles.Exec("INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                "MemberType, StringValue) VALUES (:Code, 521, 521, 2, 3, 'XXX', 0, 1, '16000'), "
                "(:Code, 521, 521, 2, 3, 'XXX', 1, 1, '987654'), (:Code, 521, 521, 2, 3, 'XXX', 2, 1, '16000')");
    TModel model = NewModel();
    model.Load();
    const std::vector<TModel::TRow>& rows = model.Rows(TList::Update);
    ASSERT_EQ(Ids(rows), (std::vector<int>{16000, 987654})) << "a repeated id shows once";
    EXPECT_EQ(rows[0].Caption, styles.Program().GlobalDefinition().GetItemIdName(16000));
    EXPECT_FALSE(rows[0].Caption.empty());
    EXPECT_EQ(rows[1].Caption, "987654");
    EXPECT_EQ(model.Rows(TList::Insert).front().Caption, "Web Pages");
}

TEST_F(InitializationListsModelTest, ListsAreWrittenByTheSaveOnlyAndACancelRestoresThem)
{
    const std::vector<std::string> pages = styles.Strings(kLists, 521, 2);
    const std::vector<std::string> inserted = styles.Strings(kLists, 521, 1);
    {
        TModel model = NewModel();
        model.Load();
        model.Remove(TList::Insert, 0);
        model.Store();
        styles.Cancel();
    }
    EXPECT_EQ(styles.Strings(kLists, 521, 1), inserted);

    TModel model = NewModel();
    model.Load();
    const int removed = model.Rows(TList::Insert)[1].ItemId;
    model.Remove(TList::Insert, 1);
    model.Add(TList::Delete, 600201, "Body");
    model.Add(TList::Delete, 600202, "Body 2");
    model.UndoStack().undo();
    model.SetDataVersion("2");
    model.Store();
    styles.Save();
    EXPECT_FALSE(Lists(styles.Strings(kLists, 521, 1), removed));
    EXPECT_EQ(styles.Strings(kLists, 521, 1).size(), inserted.size() - 1);
    EXPECT_EQ(styles.Strings(kLists, 521, 4), std::vector<std::string>{"600201"});
    EXPECT_EQ(styles.Strings(kLists, 521, 2), pages) << "the initial pages are left alone";
    EXPECT_EQ(styles.Strings(806, 806, 8), std::vector<std::string>{"2"});

    TModel again = NewModel();
    again.Load();
    const std::vector<int> shown = Ids(again.Rows(TList::Insert));
    EXPECT_EQ(std::count(shown.begin(), shown.end(), removed), 0);
    EXPECT_EQ(again.DataVersion(), "2");
}

}  // namespace
