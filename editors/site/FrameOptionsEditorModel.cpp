#include "editors/site/options/FrameOptionsEditorModel.h"

#include "catalog/CatalogData.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/CommonFunctions.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Translation.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"

namespace {

constexpr int kMainImageSize = 702;
constexpr int kFullImageSize = 703;
constexpr int kLogoImageSize = 704;
constexpr int kThumbnailImageSize = 705;
constexpr int kDefaultPage = 708;
constexpr int kCart = 731;
constexpr int kStoreOriginalSize = 732;
constexpr int kPayPalAccount = 734;
constexpr int kFirstPageId = 100001;

using TCart = TFrameOptionsEditorModel::TCart;

// The stored word of each fixed cart choice.
const std::pair<TCart, const char*> kCartWords[] = {{TFrameOptionsEditorModel::ctNone, "no"},
                                                    {TFrameOptionsEditorModel::ctPayPal, "paypal"},
                                                    {TFrameOptionsEditorModel::ctPayPalBuyItNow, "paypalbuyitnow"},
                                                    {TFrameOptionsEditorModel::ctRequestForQuote, "rfq"},
                                                    {TFrameOptionsEditorModel::ctCustom, "yes"}};

bool IsPositiveInteger(const std::string& text)
{
    const std::string trimmed = common_detail::Trim(text);
    if (trimmed.empty() || trimmed.size() > 9)
        return false;
    for (const char c : trimmed)
        if (!common_detail::IsAsciiDigit(c))
            return false;
    return std::stoi(trimmed) > 0;
}

const TTranslation& Texts() { return TTranslation::OrEnglish(Translation); }

}  // namespace

std::vector<std::string> TFrameOptionsEditorModel::TabNames(bool advancedMode, int userRole)
{
    std::vector<std::string> tabs{"OptionsEditor-options", "OptionsEditor-localize"};
    if (advancedMode)
        tabs.push_back("OptionsEditor-advanced");
    if (userRole == 0)
        tabs.push_back("OptionsEditor-users");
    return tabs;
}

std::vector<std::pair<std::string, TCart>> TFrameOptionsEditorModel::CartChoices(bool advancedMode)
{
    std::vector<std::pair<std::string, TCart>> choices{{"No shopping cart", ctNone}, {"Paypal", ctPayPal}};
    if (advancedMode) {
        choices.push_back({"Paypal \"Buy It Now\"", ctPayPalBuyItNow});
        choices.push_back({"Request For Quote", ctRequestForQuote});
        choices.push_back({"Custom shopping cart", ctCustom});
        choices.push_back({"Other Shopping Cart", ctOther});
    }
    return choices;
}

TFrameOptionsEditorModel::TFrameOptionsEditorModel(const TSiteModelContext& context, const std::string& userName,
                                                   int userRole)
    : context_(context), writes_(TSiteDatabaseWrites::Direct(context)), userName_(userName), userRole_(userRole)
{
}

std::string TFrameOptionsEditorModel::PasswordButtonCaption() const
{
    return Texts().Format("Change password for user \"$1\"", {userName_});
}

std::string TFrameOptionsEditorModel::Property(int propertyId) const
{
    return writes_.GetCatalogOption(propertyId);
}

void TFrameOptionsEditorModel::SetProperty(int propertyId, const std::string& value)
{
    writes_.SetCatalogOption(propertyId, value);
}

void TFrameOptionsEditorModel::Load()
{
    values_ = TValues();
    values_.MainImageSize = Property(kMainImageSize);
    values_.ThumbnailImageSize = Property(kThumbnailImageSize);
    values_.FullImageSize = Property(kFullImageSize);
    values_.LogoImageSize = Property(kLogoImageSize);
    values_.StoreOriginalSize = Property(kStoreOriginalSize) == "yes";
    // The two choices exclude each other; a catalog that has both stores
    // its full-size images as uploaded (732), so that choice shows.
    values_.StoreDefaultSize = !values_.StoreOriginalSize && std::atoi(values_.FullImageSize.c_str()) > 0;
    values_.DefaultPageId = std::atoi(Property(kDefaultPage).c_str());
    const std::string cart = Property(kCart);
    values_.Cart = cart.empty() ? ctNone : ctOther;
    for (const auto& [choice, word] : kCartWords)
        if (cart == word)
            values_.Cart = choice;
    if (values_.Cart == ctOther)
        values_.OtherCartName = cart;
    values_.PayPalAccount = Property(kPayPalAccount);
    modified_ = false;
}

void TFrameOptionsEditorModel::SetValues(const TValues& values)
{
    const bool originalTicked = values.StoreOriginalSize && !values_.StoreOriginalSize;
    const bool defaultTicked = values.StoreDefaultSize && !values_.StoreDefaultSize;
    values_ = values;
    if (originalTicked)
        values_.StoreDefaultSize = false;
    else if (defaultTicked)
        values_.StoreOriginalSize = false;
    modified_ = true;
}

std::string TFrameOptionsEditorModel::DefaultPageName() const
{
    const int id = values_.DefaultPageId != 0 ? values_.DefaultPageId : kFirstPageId;
    return context_.Data.GetItemName(id, context_.Connection, context_.LangCode);
}

void TFrameOptionsEditorModel::SelectDefaultPage(int pageId)
{
    if (pageId == 0)
        return;
    values_.DefaultPageId = pageId;
    modified_ = true;
}

std::string TFrameOptionsEditorModel::ChangePassword(const std::string& password, std::string& information)
{
    information.clear();
    if (!CanChangePassword())
        return std::string();
    if (static_cast<int>(password.size()) < kMinPasswordLength)
        return Texts().Format("Password must be at least $1 chars", {std::to_string(kMinPasswordLength)});
    newPassword_ = password;
    passwordChanged_ = true;
    modified_ = true;
    if (userRole_ < 3)
        information = Texts().Translate(
            "Password has been changed. You must also change your password on host from your Vendor Control Panel");
    return std::string();
}

void TFrameOptionsEditorModel::Store()
{
    if (!modified_)
        return;
    for (const auto& [propertyId, text] : {std::pair<int, std::string>{kMainImageSize, values_.MainImageSize},
                                           {kThumbnailImageSize, values_.ThumbnailImageSize},
                                           {kLogoImageSize, values_.LogoImageSize}})
        if (IsPositiveInteger(text))
            SetProperty(propertyId, common_detail::Trim(text));
    SetProperty(kFullImageSize, values_.StoreDefaultSize && IsPositiveInteger(values_.FullImageSize)
                                    ? common_detail::Trim(values_.FullImageSize)
                                    : "0");
    std::string cart = values_.OtherCartName;
    for (const auto& [choice, word] : kCartWords)
        if (values_.Cart == choice)
            cart = word;
    SetProperty(kCart, cart);
    SetProperty(kPayPalAccount, values_.PayPalAccount);
    SetProperty(kStoreOriginalSize, values_.StoreOriginalSize ? "yes" : "no");
    SetProperty(kDefaultPage, std::to_string(values_.DefaultPageId));
    if (passwordChanged_) {
        const int userItem = context_.Data.GetQueries().FindUserItem(userName_, context_.Connection);
        if (TAbstractCObject* user = userItem ? context_.Objects.GetObject(userItem, "Users") : nullptr) {
            user->SetString("Passwd", TCommonFunctions().ScramblePassword(newPassword_), 0);
            passwordStored_ = true;
        }
        passwordChanged_ = false;
    }
    stored_ = true;
    modified_ = false;
}

void TFrameOptionsEditorModel::AfterSave()
{
    if (passwordStored_ && RootObject)
        RootObject->SetUserCredentials(userName_, newPassword_);
    passwordStored_ = false;
    newPassword_.clear();
    // The cached home page is forgotten once the new default page is committed.
    if (stored_ && RootObject)
        RootObject->ResetHomePageId();
    stored_ = false;
}
