// The hotel and service models on real catalogs: seasons refused when they
// end before they start and kept while a room's price uses them; room
// prices refused when not numbers or for a season priced already; captions
// with a room's name; packages and custom templates that store only what
// was changed.
#include "editors/site/SiteModelFixture.h"

#include "editors/business/ItemWrites.h"
#include "editors/business/hotels/HospitalityEditors.h"
#include "editors/business/hotels/RoomPricesModel.h"
#include "editors/business/hotels/SeasonsModel.h"
#include "editors/business/services/CustomTemplatesModel.h"
#include "editors/business/services/ServicePackagesModel.h"
#include "storage/AbstractCObject.h"
#include "storage/NameValueLines.h"

#include <gtest/gtest.h>

namespace {

constexpr int kRoomsPage = 100002;

std::vector<std::string> Season(const std::string& name, int fromDay, int fromMonth, int toDay, int toMonth)
{
    return {"SeasonName=" + name, "FromDay=" + std::to_string(fromDay), "FromMonth=" + std::to_string(fromMonth),
            "FromYear=2027", "ToDay=" + std::to_string(toDay), "ToMonth=" + std::to_string(toMonth), "ToYear=2027"};
}

TEST(SeasonsModel, RefusesASeasonEndingBeforeItStartsAndOneARoomPriceUses)
{
    TSiteModelFixture site(5);
    TSeasonsModel seasons(site.Context(2001));
    seasons.Load();
    EXPECT_TRUE(seasons.Rows().empty());
    EXPECT_EQ(seasons.Add(Season("Backwards", 10, 5, 1, 5)), "The season ends before it starts.");
    EXPECT_EQ(seasons.Add(Season("", 1, 5, 10, 5)), "Enter the season name");
    int summer = 0;
    ASSERT_EQ(seasons.Add(Season("Summer", 1, 6, 31, 8), &summer), "");
    ASSERT_EQ(seasons.Rows().size(), 1u);
    EXPECT_EQ(seasons.Rows()[0].Name, "Summer");
    EXPECT_NE(seasons.Rows()[0].From.find("1, 2027"), std::string::npos) << seasons.Rows()[0].From;
    EXPECT_EQ(seasons.Change(summer, Season("Summer", 1, 6, 1, 5)), "The season ends before it starts.");
    site.Save();

    // A room's price for the season keeps it.
    const int room = site.AddItem(6003, kRoomsPage, "Double");
    TRoomPricesModel prices(site.Context(room));
    ASSERT_EQ(prices.Apply(0, {"Season=" + std::to_string(summer), "Currency=EUR", "Single=90", "Double=120"}), "");
    site.Save();
    seasons.Load();
    EXPECT_EQ(seasons.Delete(summer), "Cannot delete the season. Remove the season from price first.");
    EXPECT_EQ(seasons.Rows().size(), 1u);
}

TEST(SeasonsModel, EditParamsCarryTheStoredValues)
{
    TSiteModelFixture site(5);
    TSeasonsModel seasons(site.Context(2001));
    int winter = 0;
    ASSERT_EQ(seasons.Add(Season("Winter", 2, 1, 28, 2), &winter), "");
    const std::vector<std::string> params = seasons.EditParams(winter);
    EXPECT_EQ(ValueOfName(params, "InitSeasonName"), "Winter");
    EXPECT_EQ(ValueOfName(params, "InitFromDay"), "2");
    EXPECT_EQ(ValueOfName(params, "InitToMonth"), "2");
}

TEST(RoomPricesModel, RefusesWhatIsNoPriceAndASecondPriceForASeason)
{
    TSiteModelFixture site(5);
    const int season = site.AddItem(6009, 21, "Summer");
    const int room = site.AddItem(6003, kRoomsPage, "Double");
    TRoomPricesModel prices(site.Context(room));
    const std::string s = "Season=" + std::to_string(season);
    struct TCase {
        std::vector<std::string> Answer;
        std::string Error;
    } cases[] = {
        {{"Season=0", "Single=1"}, "Choose the season."},
        {{s, "Single=ninety"}, "The price \"Single\" is not a number."},
        {{s, "Single=90", "Extra=12,5.1"}, "The price \"Extra Person\" is not a number."},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(prices.Apply(0, c.Answer), c.Error);
    EXPECT_TRUE(prices.Rows().empty());

    ASSERT_EQ(prices.Apply(0, {s, "Currency=EUR", "Single=90", "Double=0", "Extra=12.5"}), "");
    ASSERT_EQ(prices.Rows().size(), 1u);
    EXPECT_EQ(prices.Rows()[0].SeasonName, "Summer");
    EXPECT_EQ(prices.Rows()[0].Double, "") << "a price of 0 shows as none";
    EXPECT_EQ(ValueOfName(prices.EditParams(prices.Rows()[0].InstanceId), "Extra"), "12.5");
    EXPECT_EQ(prices.Apply(0, {s, "Single=80"}), "The room has a price for the season \"Summer\" already.");
    // Changing the one price of the season is no second price.
    EXPECT_EQ(prices.Apply(prices.Rows()[0].InstanceId, {s, "Single=80"}), "");
    prices.Delete(prices.Rows()[0].InstanceId);
    EXPECT_TRUE(prices.Rows().empty());
}

TEST(HospitalityCaptions, NameTheItemOrTheKind)
{
    struct TCase {
        const char* WithName;
        const char* Plain;
        bool HasName;
        const char* Name;
        bool Double;
        const char* Expected;
    } cases[] = {
        {"Room: $1", "Room", true, "Sea view", false, "Room: Sea view"},
        {"Room: $1", "Room", false, "", false, "Room"},
        {"$1", "Rooms && Rates", true, "Bed & Breakfast & more", true, "Bed && Breakfast && more"},
        {"$1", "Rooms && Rates", false, "", true, "Rooms && Rates"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(THospitalityItemManager::Caption(c.WithName, c.Plain, c.HasName, c.Name, c.Double), c.Expected);
}

// A service with a name and an identifier, committed.
int AddService(TSiteModelFixture& site, const std::string& name, const std::string& guid, bool package = false)
{
    const int id = site.AddItem(3301, 100001, name);
    TAbstractCObject* service = site.Objects().GetObject(id, "Service");
    service->SetLangString("GUID", site.Data().GetDefaultLangCode(), guid, 0);
    service->SetLangBoolean("IsPackage", site.Data().GetDefaultLangCode(), package, 0);
    site.Save();
    return id;
}

TEST(ServicePackagesModel, OffersServicesThatAreNoPackagesAndRefusesAnEntryWithoutOne)
{
    TSiteModelFixture site(1);
    AddService(site, "Hosting", "AAA");
    AddService(site, "Bundle", "BBB", true);
    const int mail = AddService(site, "Mail", "CCC");
    const int package = AddService(site, "Starter", "DDD");
    const TServicePackagesModel::TCandidates candidates =
        TServicePackagesModel::Candidates(site.Context(package));
    std::vector<std::string> names;
    for (const auto& candidate : candidates)
        names.push_back(candidate.second);
    EXPECT_EQ(names, (std::vector<std::string>{"Hosting", "Mail", "Starter"}));

    TServicePackagesModel model(site.Context(package));
    model.Load();
    EXPECT_EQ(model.Apply(0, {"ServiceGUID=", "Restrictions=x"}), "Service GUID must not be empty");
    EXPECT_TRUE(model.Entries().empty());
    model.SetPackage(true);
    ASSERT_EQ(model.Apply(0, {"ServiceGUID=CCC", "Restrictions=one"}), "");
    EXPECT_TRUE(model.IsPackage()) << "an entry keeps what was ticked";
    model.Store();
    site.Save();

    // The contained service deleted: its entry shows its identifier and no name.
    site.Catalog().DeleteItem(mail, TSiteModelFixture::kCode, site.MainConnection(), false, false,
                              TDeleteChildren::Cascade);
    site.Cancel();
    TServicePackagesModel again(site.Context(package));
    again.Load();
    ASSERT_EQ(again.Entries().size(), 1u);
    EXPECT_EQ(again.Entries()[0].Guid, "CCC");
    EXPECT_EQ(again.Entries()[0].Name, "");
    EXPECT_TRUE(again.IsPackage());
}

TEST(CustomTemplatesModel, StoresOnlyChangedTypesAndFindsTheLineOfAFault)
{
    TSiteModelFixture site(1);
    const int service = AddService(site, "Hosting", "AAA");
    TCustomTemplatesModel model(site.Context(service));
    model.Load();
    ASSERT_EQ(model.Rows().size(), 4u);
    EXPECT_FALSE(model.Rows()[0].Text.empty()) << "the default text";
    model.Store();
    site.Save();
    EXPECT_EQ(site.CountOnMain("SELECT COUNT(*) FROM CObjectInstances WHERE CatalogCode = :CatalogCode AND ClassId "
                               "= 1014"),
              0);

    model.SetText(1, "<a>\n<b>\n</a>");
    TCustomTemplatesModel::TXmlFault fault;
    EXPECT_EQ(model.FirstFault(fault), 1);
    EXPECT_EQ(fault.Line, 3);
    EXPECT_FALSE(fault.Reason.empty());
    model.SetText(1, "<a/>");
    model.SetUsed(1, true);
    EXPECT_EQ(model.FirstFault(fault), -1);
    model.Store();
    site.Save();
    TCustomTemplatesModel reread(site.Context(service));
    reread.Load();
    EXPECT_TRUE(reread.Rows()[1].Used);
    EXPECT_EQ(reread.Rows()[1].Text, "<a/>");
    EXPECT_FALSE(reread.Rows()[0].Used);
}

}  // namespace
