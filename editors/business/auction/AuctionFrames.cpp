#include "editors/business/auction/AuctionFrames.h"

#include "catalog/InternalPluginsManager.h"
#include "editors/business/FrameImageMemberTab.h"
#include "editors/business/auction/AuctionListingModel.h"
#include "editors/business/auction/AuctionOptionsBox.h"
#include "editors/business/auction/FrameGlobalEbayOptions.h"
#include "editors/framework/FrameClass.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteDatabaseWrites.h"
#include "editors/site/SiteFrameContext.h"
#include "editors/site/SiteTabsEditor.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "gui/UiText.h"
#include "storage/References.h"
#include "storage/AbstractCObject.h"
#include "storage/ObjectCollection.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using UiText::Q;
using UiText::S;

namespace {

constexpr int kCompanyItem = 2001;

std::string CompanyCountry(TTolvexControlClass& context)
{
    TAbstractCObject* company = context.GetObjectCollection().GetObject(kCompanyItem, "CommonCompanyInfo");
    return company ? company->GetLangString("CompanyCountry", "XXX", 0) : std::string();
}

}  // namespace

// ---- prices ------------------------------------------------------------------------------------

TFrameProductEBayPrices::TFrameProductEBayPrices(TFrameSite& site)
{
    setObjectName("TFrameProductEBayPrices");
    TQtFrameSite::PlaceInto(site, this);
}

void TFrameProductEBayPrices::InitControls()
{
    siteCurrencies_ = TAuctionListing::SiteCurrencies();
    auto edit = [this](const char* name) {
        auto* line = new QLineEdit(this);
        line->setObjectName(name);
        line->setMaximumWidth(160);
        connect(line, &QLineEdit::textEdited, this, [this] { Changed(); });
        return line;
    };
    auto check = [this](const char* name, const QString& caption) {
        auto* box = new QCheckBox(caption, this);
        box->setObjectName(name);
        return box;
    };
    edtMinimalBid_ = edit("edtMinimalBid");
    chkReserved_ = check("chkReserved", tr("Reserved Price"));
    edtReserved_ = edit("edtReserved");
    chkBuyItNow_ = check("chkBuyItNow", tr("\"Buy It Now\" Price"));
    edtBuyItNow_ = edit("edtBuyItNow");
    edtQuantity_ = edit("edtQuantity");
    edtQuantity_->setEnabled(false);
    cbCurrency_ = new QComboBox(this);
    cbCurrency_->setObjectName("cbCurrency");
    cbCurrency_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (const std::string& line : RootObject->References().GetCurrencies()) {
        const std::size_t equals = line.find('=');
        cbCurrency_->addItem(Q(line.substr(0, equals)), Q(line.substr(0, equals)));
    }
    cbCurrency_->setEnabled(false);
    chkUseDefaults_ = check("chkUseDefaults", tr("Use default settings for eBay options"));
    options_ = new TAuctionOptionsBox(this);
    for (QCheckBox* box : {chkReserved_, chkBuyItNow_})
        connect(box, &QCheckBox::clicked, this, [this, box] {
            if (!box->isChecked())
                (box == chkReserved_ ? edtReserved_ : edtBuyItNow_)->clear();
            UpdateEnabling();
            Changed();
        });
    connect(chkUseDefaults_, &QCheckBox::clicked, this, [this] { UseDefaultsClicked(); });
    connect(options_, &TAuctionOptionsBox::Changed, this, [this] { Changed(); });
    connect(options_->Sites(), &QComboBox::activated, this, [this] { SiteChosen(); });

    auto* prices = new QGroupBox(tr("Prices"), this);
    auto* grid = new QGridLayout(prices);
    auto* bidLabel = new QLabel(tr("Minimum &Bid:"), prices);
    bidLabel->setBuddy(edtMinimalBid_);
    grid->addWidget(bidLabel, 0, 0);
    grid->addWidget(edtMinimalBid_, 0, 1);
    grid->addWidget(chkReserved_, 1, 0);
    grid->addWidget(edtReserved_, 1, 1);
    grid->addWidget(chkBuyItNow_, 2, 0);
    grid->addWidget(edtBuyItNow_, 2, 1);
    auto* quantityLabel = new QLabel(tr("Quantity:"), prices);
    quantityLabel->setEnabled(false);
    grid->addWidget(quantityLabel, 3, 0);
    grid->addWidget(edtQuantity_, 3, 1);
    grid->setColumnStretch(2, 1);
    options_->Form()->insertRow(1, tr("Currency:"), cbCurrency_);
    auto* listing = new QGroupBox(tr("Listing"), this);
    auto* listingLayout = new QVBoxLayout(listing);
    listingLayout->addWidget(chkUseDefaults_);
    listingLayout->addWidget(options_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prices);
    layout->addWidget(listing);
    layout->addStretch();
}

void TFrameProductEBayPrices::Changed()
{
    if (TrackChanges)
        SetModified();
}

void TFrameProductEBayPrices::UseDefaultsClicked()
{
    if (loaded_ && chkUseDefaults_->isChecked()) {
        TrackChanges = false;
        options_->Show(TAuctionOptions::Read(TSiteDatabaseWrites::Deferred(*GetContext())));
        SiteChosen();
        TrackChanges = true;
    }
    UpdateEnabling();
    Changed();
}

void TFrameProductEBayPrices::SiteChosen()
{
    const auto found = siteCurrencies_.find(options_->Read().Site);
    cbCurrency_->setCurrentIndex(found == siteCurrencies_.end() ? -1 : cbCurrency_->findData(Q(found->second)));
}

void TFrameProductEBayPrices::UpdateEnabling()
{
    edtReserved_->setEnabled(chkReserved_->isChecked());
    edtBuyItNow_->setEnabled(chkBuyItNow_->isChecked());
    options_->SetLocked(chkUseDefaults_->isChecked());
    if (QWidget* label = options_->Form()->labelForField(cbCurrency_))
        label->setEnabled(!chkUseDefaults_->isChecked());
}

void TFrameProductEBayPrices::LoadFromObjects(bool)
{
    loaded_ = false;
    TrackChanges = false;
    lang_ = GetContext()->GetCurrentLangCode();
    const TAuctionListing listing = TAuctionListing::Load(
        GetObject("eBayPrice"), lang_, TAuctionOptions::Read(TSiteDatabaseWrites::Deferred(*GetContext())));
    edtMinimalBid_->setText(Q(listing.MinimalBid));
    chkReserved_->setChecked(listing.Reserved);
    edtReserved_->setText(Q(listing.ReservedPrice));
    chkBuyItNow_->setChecked(listing.BuyItNow);
    edtBuyItNow_->setText(Q(listing.BuyItNowPrice));
    edtQuantity_->setText(Q(listing.Quantity));
    chkUseDefaults_->setChecked(listing.UseDefaults);
    options_->Show(listing.Options);
    cbCurrency_->setCurrentIndex(cbCurrency_->findData(Q(listing.Currency)));
    UpdateEnabling();
    TrackChanges = true;
    loaded_ = true;
}

void TFrameProductEBayPrices::StoreToObjects(bool)
{
    TAbstractCObject* object = IsModified() ? GetObject("eBayPrice") : nullptr;
    if (!object || lang_.empty())
        return;
    warnAfterSave_ = true;
    TAuctionListing listing;
    listing.MinimalBid = S(edtMinimalBid_->text());
    listing.Reserved = chkReserved_->isChecked();
    listing.ReservedPrice = S(edtReserved_->text());
    listing.BuyItNow = chkBuyItNow_->isChecked();
    listing.BuyItNowPrice = S(edtBuyItNow_->text());
    listing.Quantity = S(edtQuantity_->text());
    listing.UseDefaults = chkUseDefaults_->isChecked();
    listing.Options = options_->Read();
    listing.Currency = S(cbCurrency_->currentData().toString());
    listing.Store(*object, lang_);
}

bool TFrameProductEBayPrices::Save()
{
    bool saved = false;
    TAuctionListing bid;
    bid.MinimalBid = S(edtMinimalBid_->text());
    if (IsModified() && !bid.BidProblem().empty()) {
        ShowFrameError(GetContext()->Translate(bid.BidProblem()));
        GetUIEditor()->SetInvalidControl(edtMinimalBid_);
    } else {
        saved = TTolvexFrameEditor::Save();
    }
    if (warnAfterSave_)
        WarnOfDefaults();
    return saved;
}

void TFrameProductEBayPrices::WarnOfDefaults()
{
    const TAuctionOptions defaults = TAuctionOptions::Read(TSiteDatabaseWrites::Deferred(*GetContext()));
    std::string message;
    for (const std::string& line : defaults.DefaultsWarnings(CompanyCountry(*GetContext())))
        message += (message.empty() ? "" : "\n") + GetContext()->Translate(line);
    ShowFrameError(message);
}

// ---- gallery and photos -----------------------------------------------------------------------------

TFrameEBayGallery::TFrameEBayGallery(TFrameSite& site)
    : TFrameMemberForm(site, "TFrameEBayGallery",
                       {MemberField("chkFeatured", "Featured", "eBayImages", "IsFeaturedGallery", TMemberField::Boolean)})
{
}

void TFrameEBayGallery::InitControls()
{
    TFrameMemberForm::InitControls();
    NestEditor(PageBelowFields("pnlGallery"), TFrameImageMemberTab::kEditorName,
               TFrameImageMemberTab::Params("eBayImages", "GalleryImage", "eBay Gallery", false, "Gallery Image"));
}

TFrameEBayAdditionalImages::TFrameEBayAdditionalImages(TFrameSite& site) : TFrameMultipleImageDataEditor(site)
{
    setObjectName("TFrameEBayAdditionalImages");
    Config.ClassTag = "eBayImages";
    Config.Member = "PhotoImages";
    Config.FolderName = "eBay Images";
    Config.NeedLargeCopy = false;
}

// ---- registration ---------------------------------------------------------------------------------

namespace {

const TFrameClassOf<TFrameGlobalEbayOptions> kOptionsFrame("", "TFrameGlobalEbayOptions");
const TFrameClassOf<TFrameEBayEditor> kAuctionTabFrame("", "TFrameEBayEditor");
const TFrameClassOf<TFrameProductEBayPrices> kPricesFrame("", "TFrameProductEBayPrices");
const TFrameClassOf<TFrameEBayGallery> kGalleryFrame("", "TFrameEBayGallery");
const TFrameClassOf<TFrameEBayAdditionalImages> kPhotosFrame("", "TFrameEBayAdditionalImages");

void RegisterTabs(TInternalPluginsManager& registry, const char* className, std::vector<TSiteTabsEditor::TTab> tabs,
                  std::set<int> saveRoles)
{
    registry.RegisterBuiltinClass(className, [=](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(new TSiteTabsEditor(name, params, tabs, saveRoles, false));
    });
}

}  // namespace

void RegisterAuctionEditors(TInternalPluginsManager& registry)
{
    const std::set<int> everyEditingRole = {0, 1, 3, 4};
    RegisterTabs(registry, "TGlobalEbayOptionsEditor", {{"eBay Options", "Options-eBay", &kOptionsFrame, {}}}, {0, 1});
    RegisterTabs(registry, "TEBayEditor", {{"eBay", "eBay-main", &kAuctionTabFrame, {}}}, everyEditingRole);
    RegisterTabs(registry, "TProductEBayPricesEditor",
                 {{"Prices", "eBayPrices-prices", &kPricesFrame, {}},
                  {"Gallery", "eBayPrices-gallery", &kGalleryFrame, {}},
                  {"Additional Images", "eBayPrices-images", &kPhotosFrame, {}}},
                 everyEditingRole);
}
