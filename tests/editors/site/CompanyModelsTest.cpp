// The company frames' models on real catalogs: the record of item 2001 read
// and written through the editing session, the logo and icon choices, the
// city and state lists of the hotel and type-8 catalogs, the all-in-one
// defaults, and a member catalog's record shown read-only and never stored.
#include "editors/site/SiteModelFixture.h"

#include "editors/site/company/FrameAllCompanyInfoModel.h"
#include "editors/site/company/FrameCompanyAddressModel.h"
#include "editors/site/company/FrameCompanyContactModel.h"
#include "editors/site/company/FrameCompanyEditorModel.h"

#include <gtest/gtest.h>

namespace {

constexpr int kCompany = 2001;

std::string CommittedCompany(TSiteModelFixture& site, const std::string& member, const std::string& code = "")
{
    auto object = site.Catalog().GetObjectFactory().GetObjectTyped(
        kCompany, 3, site.MainConnection(), code.empty() ? TSiteModelFixture::kCode : code);
    return object->GetValueText(member, site.Data().GetDefaultLangCode(), 0, false);
}

TEST(CompanyModels, TheTabsShowTheCreatedRecordAndSaveWhatWasChanged)
{
    TSiteModelFixture site;
    TFrameCompanyEditorModel basic(site.Context(kCompany), kCompany, "CommonCompany");
    TFrameCompanyAddressModel address(site.Context(kCompany), kCompany, "CommonCompany");
    TFrameCompanyContactModel contact(site.Context(kCompany), kCompany, "CommonCompany");
    basic.Load();
    address.Load();
    contact.Load();
    EXPECT_EQ(basic.Value("CompanyName"), "Acme Ltd");
    EXPECT_EQ(contact.Value("CompanyEmail"), "info@acme.test");
    EXPECT_FALSE(basic.CanDeleteLogo());
    EXPECT_FALSE(address.UsesCityList());

    basic.SetValue("CompanyDescription", "Tea and coffee");
    basic.SelectLogo(0);
    EXPECT_FALSE(basic.CanDeleteLogo()) << "no image chosen";
    basic.SelectLogo(301001);
    basic.SelectIcon(301002);
    EXPECT_TRUE(basic.CanDeleteLogo());
    address.SetValue("CompanyCountry", "DE");
    address.SetValue("CompanyAddressState", "Bavaria");
    contact.SetValue("CompanyPhone", "+49 1");
    for (TCompanyInfoModel* model : std::initializer_list<TCompanyInfoModel*>{&basic, &address, &contact})
        model->Store();
    site.Save();
    EXPECT_EQ(CommittedCompany(site, "CompanyDescription"), "Tea and coffee");
    EXPECT_EQ(CommittedCompany(site, "CompanyLogoImage"), "301001");
    EXPECT_EQ(CommittedCompany(site, "CompanyIcon"), "301002");
    EXPECT_EQ(CommittedCompany(site, "CompanyCountry"), "DE");
    EXPECT_EQ(CommittedCompany(site, "CompanyAddressState"), "Bavaria") << "an edited state is stored as typed";
    EXPECT_EQ(CommittedCompany(site, "CompanyPhone"), "+49 1");

    TFrameCompanyEditorModel again(site.Context(kCompany), kCompany, "CommonCompany");
    again.Load();
    EXPECT_EQ(again.LogoImageId(), 301001);
    again.DeleteLogo();
    EXPECT_FALSE(again.CanDeleteLogo());
    again.Store();
    site.Save();
    EXPECT_EQ(CommittedCompany(site, "CompanyLogoImage"), "0");
}

TEST(CompanyModels, CancelLeavesTheRecordAndOnlyAdministratorsAndPowerUsersSave)
{
    TSiteModelFixture site;
    TFrameCompanyContactModel contact(site.Context(kCompany), kCompany, "ContactEditor");
    contact.Load();
    contact.SetValue("CompanyEmail", "new@acme.test");
    contact.Store();
    site.Cancel();
    EXPECT_EQ(CommittedCompany(site, "CompanyEmail"), "info@acme.test");
    for (int role = 0; role <= 5; ++role)
        EXPECT_EQ(TCompanyInfoModel::CanSave(role), role <= 1) << role;
}

TEST(CompanyModels, TheAllInOneTabSavesItsDefaultsUntouched)
{
    TSiteModelFixture site;
    {
        // A catalog without company name and country.
        auto record = site.Committed(kCompany, 3);
        record->ClearMember("CompanyName", "");
        record->ClearMember("CompanyCountry", "");
        record->Save();
    }
    ASSERT_EQ(CommittedCompany(site, "CompanyName"), "");
    TFrameAllCompanyInfoModel model(site.Context(kCompany), kCompany, "AllCompanyInfoEditor");
    model.Load();
    EXPECT_TRUE(model.IsModified());
    EXPECT_EQ(model.Value("CompanyCountry"), "US");
    model.Store();
    site.Save();
    EXPECT_EQ(CommittedCompany(site, "CompanyCountry"), "US");
    EXPECT_EQ(CommittedCompany(site, "CompanyName"), TSiteModelFixture::kCode);
    EXPECT_EQ(TFrameAllCompanyInfoModel::AfterSaveAction(100001),
              "Action=MainPageEditor&TabName=PagePropertiesEditor-properties&ItemId=100001");
}

TEST(CompanyModels, AHotelCatalogChoosesItsCityFromTheListAndKeepsTheCode)
{
    TSiteModelFixture site(5);
    TFrameCompanyAddressModel address(site.Context(kCompany), kCompany, "AddressEditor");
    ASSERT_TRUE(address.UsesCityList());
    EXPECT_FALSE(address.UsesStateList());
    address.Load();
    const auto cities = TCompanyInfoModel::CityChoices();
    ASSERT_FALSE(cities.empty());
    address.SetCityCode(cities.front().Code);
    EXPECT_EQ(address.Value("CompanyAddressCity"), cities.front().Caption);
    address.Store();
    site.Save();
    EXPECT_EQ(CommittedCompany(site, "CompanyAddressCity"), cities.front().Caption);
    EXPECT_EQ(site.Committed(kCompany, 6001)->GetString("HotelCityCode", 0), cities.front().Code);

    TFrameCompanyAddressModel reloaded(site.Context(kCompany), kCompany, "AddressEditor");
    reloaded.Load();
    EXPECT_EQ(reloaded.CityCode(), cities.front().Code);
}

TEST(CompanyModels, ACatalogOfTypeEightChoosesTheStateCode)
{
    TSiteModelFixture site(8);
    TFrameCompanyAddressModel address(site.Context(kCompany), kCompany, "AddressEditor");
    EXPECT_TRUE(address.UsesStateList());
    EXPECT_FALSE(address.UsesCityList());
    const auto states = TCompanyInfoModel::StateChoices();
    ASSERT_FALSE(states.empty());
    address.Load();
    address.SetValue("CompanyAddressState", states.front().Code);
    address.Store();
    site.Save();
    EXPECT_EQ(CommittedCompany(site, "CompanyAddressState"), states.front().Code);
}

TEST(CompanyModels, AMemberCatalogsRecordIsReadUnderItsOwnCodeAndNeverStored)
{
    TSiteModelFixture site;
    const std::string memberCode = "c#m1";
    TCatalog& catalog = site.Catalog();
    ASSERT_NE(catalog.CreateItem(2, 0, 0, memberCode, site.MainConnection(), kCompany), 0);
    auto record = catalog.GetObjectFactory().CreateObjectTyped(kCompany, 3, 0, site.MainConnection(), memberCode);
    record->SetLangString("CompanyName", site.Data().GetDefaultLangCode(), "Member Inn", 0);
    record->Save();
    const int member = site.AddItem(5002, 20, "Member");
    auto cocMember = catalog.GetObjectFactory().CreateObjectTyped(member, 606, 0, site.MainConnection(),
                                                                  TSiteModelFixture::kCode);
    cocMember->SetString("CatalogCode", "m1", 0);
    cocMember->Save();

    TFrameCompanyEditorModel basic(site.Context(member), member, "VendorInfo");
    EXPECT_TRUE(basic.IsReadOnly());
    basic.Load();
    EXPECT_EQ(basic.RecordCatalogCode(), memberCode);
    EXPECT_EQ(basic.Value("CompanyName"), "Member Inn");
    basic.SetValue("CompanyName", "Changed");
    basic.SelectIcon(5);
    EXPECT_FALSE(basic.CanDeleteIcon()) << "read-only";
    basic.Store();
    site.Save();
    EXPECT_EQ(CommittedCompany(site, "CompanyName", memberCode), "Member Inn");
    EXPECT_EQ(CommittedCompany(site, "CompanyName"), "Acme Ltd");
}

}  // namespace
