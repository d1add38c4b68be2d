// The predefined style model on the shipped style catalog of type 1: what
// the lists offer and mark, and what a save writes (only what was changed,
// ids the lists cannot show kept, each id once).
#include "../StyleCatalogFixture.h"

#include "editors/media/styles/PreDefinedStyleModel.h"
#include "common/CommonFunctionsDetail.h"
#include "storage/TolvexObject.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using TList = TPreDefinedStyleModel::TList;
using TCombo = TPreDefinedStyleModel::TCombo;
using TRow = TPreDefinedStyleModel::TRow;

constexpr int kHarbor = 600901;
constexpr int kStyleClass = 510;
constexpr int kIncludeStyles = 1;
constexpr int kDefaultStyles = 2;
constexpr int kMasterTemplateItemId = 3;
constexpr int kColorCssItemId = 4;
constexpr int kBackgrounds = 9;

int RowOf(const TPreDefinedStyleModel& model, TList list, int itemId)
{
    const std::vector<TRow>& rows = model.Rows(list);
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].ItemId == itemId)
            return static_cast<int>(i);
    return -1;
}

std::vector<int> Ids(const std::vector<TRow>& rows)
{
    std::vector<int> ids;
    for (const TRow& row : rows)
        ids.push_back(row.ItemId);
    return ids;
}

bool Has(const std::vector<std::string>& values, int id)
{
    return std::count(values.begin(), values.end(), std::to_string(id)) == 1;
}

class PreDefinedStyleModelTest : public ::testing::Test {
protected:
    int AddNamed(int itemType, int parent, const std::string& name)
    {
        const int id = styles.AddItem(itemType, parent);
        std::unique_ptr<TTolvexObject> names =
            styles.Catalog().GetObjectFactory().CreateObjectTyped(id, 1, 0, styles.MainConnection(), styles.Code());
        names->SetLangString("ItemName", "XXX", name, 0);
        names->Save();
        return id;
    }

    TStyleCatalogFixture styles{1};
};

TEST_F(PreDefinedStyleModelTest, ListsTheCatalogsCandidatesMarkedFromTheStyle)
{
    // Two body templates whose names differ in case only in their order, an
    // image flagged as a background with 2, and a template image (type 507).
    const int beta = AddNamed(502, 600002, "beta sheet");
    const int alpha = AddNamed(502, 600002, "Alpha sheet");
    const int templateImage = AddNamed(507, 600007, "Template image");
    const int background = AddNamed(301, 3, "Sky");
    styles.Exec("INSERT INTO CNumbers (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                "MemberType, NumberValue) VALUES (:Code, " + std::to_string(background) + ", 5, 1, 7, 'XXX', 0, 104, 2)");

    TPreDefinedStyleModel model(styles.Context(kHarbor));
    model.Load();
    ASSERT_TRUE(model.HasStyle());

    const std::vector<TRow>& items = model.Rows(TList::Items);
    for (const TRow& row : items)
        EXPECT_GT(row.ItemId, 100) << "roots and records below 101 are never offered";
    EXPECT_EQ(RowOf(model, TList::Items, templateImage), -1);
    EXPECT_EQ(RowOf(model, TList::Items, background), -1) << "images are offered on their own tab";
    EXPECT_NE(RowOf(model, TList::Images, background), -1);
    EXPECT_LT(RowOf(model, TList::Items, alpha), RowOf(model, TList::Items, beta)) << "names compared without case";
    EXPECT_TRUE(std::is_sorted(items.begin(), items.end(), [](const TRow& a, const TRow& b) {
        return common_detail::LowerCase(a.TypeCaption) < common_detail::LowerCase(b.TypeCaption);
    }));

    const TRow& master = items[RowOf(model, TList::Items, 600101)];
    EXPECT_TRUE(master.Checked);
    EXPECT_TRUE(master.IsDefault);
    const TRow& colour = items[RowOf(model, TList::Items, 600111)];
    EXPECT_TRUE(colour.Checked);
    EXPECT_FALSE(colour.IsDefault);
    EXPECT_TRUE(model.Rows(TList::Images)[RowOf(model, TList::Images, 600121)].Checked);

    EXPECT_EQ(Ids(model.Rows(TList::Backgrounds)), (std::vector<int>{600121, 600122, 600123, background}));
    EXPECT_EQ(model.Choices(TCombo::Color).front().Value, 0) << "\"(none)\" comes first";
    EXPECT_EQ(model.Selected(TCombo::Master), 600101);
    EXPECT_EQ(model.Choices(TCombo::Master)[model.SelectedIndex(TCombo::Master)].Value, 600101);
    EXPECT_FALSE(model.IsModified());
}

TEST_F(PreDefinedStyleModelTest, ASaveWritesWhatChangedAndKeepsWhatTheListsCannotShow)
{
    // An id no list shows (a root) in both lists, and a master the combo does not list.
    styles.Exec("INSERT INTO CStrings (CatalogCode, ItemId, ClassId, InstanceId, MemberId, LangCode, IndexId, "
                "MemberType, StringValue) VALUES (:Code, 600901, 510, 2, 1, 'XXX', 50, 1, '10'), "
                "(:Code, 600901, 510, 2, 2, 'XXX', 50, 1, '10')");
    styles.Exec("UPDATE CNumbers SET NumberValue = 777777 WHERE CatalogCode = :Code AND ItemId = 600901 "
                "AND ClassId = 510 AND MemberId = 3");
    const std::vector<std::string> backgroundsBefore = styles.Strings(kHarbor, kStyleClass, kBackgrounds);

    TPreDefinedStyleModel model(styles.Context(kHarbor));
    model.Load();
    EXPECT_EQ(model.Selected(TCombo::Master), 777777);
    EXPECT_NE(model.SelectedIndex(TCombo::Master), -1) << "a stored id the list lacks still shows";

    // Checked and default: in both lists. Default but not checked: in neither.
    // Unchecked: out of both.
    const int both = RowOf(model, TList::Items, 600113);
    const int defaultOnly = RowOf(model, TList::Items, 600114);
    const int dropped = RowOf(model, TList::Items, 600201);
    ASSERT_GE(std::min({both, defaultOnly, dropped}), 0);
    model.SetChecked(TList::Items, both, true);
    model.ToggleDefault(both);
    model.ToggleDefault(defaultOnly);
    model.SetChecked(TList::Items, dropped, false);
    model.Select(TCombo::Color, 0);  // "(none)"
    ASSERT_TRUE(model.IsModified());
    model.Store();
    styles.Save();

    const std::vector<std::string> included = styles.Strings(kHarbor, kStyleClass, kIncludeStyles);
    const std::vector<std::string> defaults = styles.Strings(kHarbor, kStyleClass, kDefaultStyles);
    EXPECT_TRUE(Has(included, 600113));
    EXPECT_TRUE(Has(defaults, 600113));
    EXPECT_FALSE(Has(included, 600114));
    EXPECT_FALSE(Has(defaults, 600114));
    EXPECT_FALSE(Has(included, 600201));
    EXPECT_FALSE(Has(defaults, 600201));
    EXPECT_TRUE(Has(included, 10)) << "an id no list shows stays";
    EXPECT_TRUE(Has(defaults, 10));
    EXPECT_TRUE(Has(included, 600101));
    EXPECT_EQ(included.front(), "600101") << "the stored order stays";
    EXPECT_EQ(styles.Numbers(kHarbor, kStyleClass, kMasterTemplateItemId), std::vector<std::string>{"777777"})
        << "a combo left alone keeps its id";
    const std::vector<std::string> colour = styles.Numbers(kHarbor, kStyleClass, kColorCssItemId);
    EXPECT_TRUE(colour.empty() || colour == std::vector<std::string>{"0"}) << "\"(none)\" stores 0";
    EXPECT_EQ(styles.Strings(kHarbor, kStyleClass, kBackgrounds), backgroundsBefore) << "an untouched list";

    // Read again, the saved marks show.
    TPreDefinedStyleModel again(styles.Context(kHarbor));
    again.Load();
    const TRow& row = again.Rows(TList::Items)[RowOf(again, TList::Items, 600113)];
    EXPECT_TRUE(row.Checked && row.IsDefault);
    EXPECT_EQ(again.Selected(TCombo::Color), 0);
}

TEST_F(PreDefinedStyleModelTest, ToggledBackAndForthWritesNothing)
{
    const std::vector<std::string> before = styles.Strings(kHarbor, kStyleClass, kIncludeStyles);
    TPreDefinedStyleModel model(styles.Context(kHarbor));
    model.Load();
    const int row = RowOf(model, TList::Items, 600101);
    model.SetChecked(TList::Items, row, false);
    model.SetChecked(TList::Items, row, true);
    EXPECT_FALSE(model.IsModified());
    model.Store();
    styles.Save();
    EXPECT_EQ(styles.Strings(kHarbor, kStyleClass, kIncludeStyles), before);
}

}  // namespace
