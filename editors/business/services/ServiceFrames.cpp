#include "editors/business/services/ServiceFrames.h"

#include "catalog/InternalPluginsManager.h"
#include "editors/business/services/FrameCustomTemplate.h"
#include "editors/business/services/FrameServiceFieldEditor.h"
#include "editors/business/services/ServicePackageFrames.h"
#include "editors/framework/FrameClass.h"
#include "editors/site/SiteTabsEditor.h"
#include "catalog/CatalogData.h"
#include "catalog/Singletons.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Translation.h"
#include "editors/framework/TolvexUIEditor.h"
#include "editors/site/SiteFrameContext.h"
#include "gui/UiText.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QUuid>

namespace {

TMemberField Name(const char* caption)
{
    TMemberField name = MemberField("edtName", caption, "CommonNames", "ItemName");
    name.OnlyWhenChanged = true;
    return name;
}

TMemberField Period(const char* control, const char* caption, const char* member, bool infinite)
{
    TMemberField period = MemberField(control, caption, "Service", member, TMemberField::Choice);
    period.Choices = {{"Day", "day"}, {"Week", "week"}, {"Month", "month"}, {"Quater", "quater"}, {"Year", "year"}};
    if (infinite)
        period.Choices.push_back({"Infinite", "infinite"});
    return period;
}

std::vector<TMemberField> PropertiesFields()
{
    return {Name("Service name"),
            MemberField("edtGuid", "Service GUID", "Service", "GUID"),
            MemberField("memDescription", "Description", "Service", "Description", TMemberField::Memo),
            MemberField("chkActive", "Is Active Service", "Service", "IsNotActive", TMemberField::InvertedBoolean),
            MemberField("chkAskConfirmation", "Confirmate usage of the service", "Service", "AskConfirmation",
                        TMemberField::Boolean),
            MemberField("edtConfirmation", "Confirmate string", "Service", "Confirmation"),
            MemberField("chkOnlyInPackages", "Allowed only in packages", "Service", "AllowOnlyInPackages",
                        TMemberField::Boolean),
            MemberField("edtOnlyForCatalog", "Available Only For Catalog", "Service", "OnlyForCatalog")};
}

std::vector<TMemberField> PriceFields()
{
    TMemberField currency = MemberField("cbCurrency", "Currency", "Service", "CurrencyCode", TMemberField::Choice);
    currency.Currencies = true;
    currency.DefaultProperty = 706;
    return {MemberField("chkOneTime", "One Time Service (otherwise a subscription/recurring service)", "Service",
                        "IsOneTimeService", TMemberField::Boolean),
            MemberField("edtCost", "Cost", "Service", "Cost", TMemberField::Amount),
            currency,
            MemberField("edtUnits", "Units", "Service", "Units"),
            Period("cbPeriod", "Time Period", "Period", true),
            MemberField("chkMultiple", "Allow Multiply Instances of the Service", "Service", "AllowMultipleInstances",
                        TMemberField::Boolean),
            MemberField("chkEnds", "Subscription will end after certain number of periods", "Service", "",
                        TMemberField::Boolean),
            MemberField("edtMinPeriods", "Minimum periods", "Service", "MinPeriods", TMemberField::Integer),
            MemberField("edtMaxPeriods", "Maximum periods", "Service", "MaxPeriods", TMemberField::Integer),
            MemberField("edtInstallationCost", "Installation cost", "Service", "InstallationCost",
                        TMemberField::Amount),
            MemberField("edtFreeTrialNumPeriods", "Free trial: number of periods", "Service", "FreeTrialNumPeriods",
                        TMemberField::Integer),
            Period("cbFreeTrialPeriod", "Free trial: time period", "FreeTrialPeriod", false),
            MemberField("edtTrialNumPeriods", "Trial: number of periods", "Service", "TrialNumPeriods",
                        TMemberField::Integer),
            Period("cbTrialPeriod", "Trial: time period", "TrialPeriod", false),
            MemberField("edtTrialCost", "Trial: cost", "Service", "TrialCost", TMemberField::Amount)};
}

bool Checked(QWidget* control)
{
    auto* box = qobject_cast<QCheckBox*>(control);
    return box && box->isChecked();
}

}  // namespace

// ---- properties --------------------------------------------------------------------------------

TFrameServiceProperties::TFrameServiceProperties(TFrameSite& site)
    : TFrameMemberForm(site, "TFrameServiceProperties", PropertiesFields())
{
    NameField = "edtName";
}

std::string TFrameServiceProperties::NewGuid()
{
    return QUuid::createUuid().toString(QUuid::Id128).toUpper().toStdString();
}

void TFrameServiceProperties::AfterLoad()
{
    SetFieldEnabled("edtConfirmation", Checked(Control("chkAskConfirmation")));
    if (Model()->HasObject("edtGuid") && Model()->Value("edtGuid").empty()) {
        // A service without an identifier gets one, saved with the next save.
        SetFieldText("edtGuid", NewGuid());
        TrackChanges = true;
        SetModified();
    }
}

std::string TFrameServiceProperties::CheckGuid(const TSiteModelContext& context, const std::string& guid)
{
    const TTranslation& text = TTranslation::OrEnglish(Translation);
    if (common_detail::Trim(guid).empty())
        return text.Format("Service GUID must not be empty", {});
    std::vector<std::string> ids;
    context.Data.GetQueries().GetItemIdsOfType(3301, ids, true, context.Connection, context.CatalogCode);
    for (const std::string& id : ids) {
        const int other = std::atoi(id.c_str());
        if (other == context.ItemId)
            continue;
        TAbstractCObject* service = context.Objects.GetObject(other, "Service");
        if (service && common_detail::SameText(service->GetLangString("GUID", context.LangCode, 0), guid))
            return text.Format("Another service has the GUID \"$1\".", {guid});
    }
    return {};
}

bool TFrameServiceProperties::Save()
{
    if (Model() && IsModified() && Model()->HasObject("edtGuid")) {
        const std::string error = CheckGuid(SiteModelContextOf(*this), Model()->Value("edtGuid"));
        if (!error.empty()) {
            ShowFrameError(error);
            GetUIEditor()->SetInvalidControl(Control("edtGuid"));
            return false;
        }
    }
    return TFrameMemberForm::Save();
}

void TFrameServiceProperties::FieldChanged(const std::string& control)
{
    if (control == "chkAskConfirmation")
        SetFieldEnabled("edtConfirmation", Checked(Control(control)));
}

// ---- price terms -----------------------------------------------------------------------------

TFrameTolvexServices::TFrameTolvexServices(TFrameSite& site)
    : TFrameMemberForm(site, "TFrameTolvexServices", PriceFields())
{
}

void TFrameTolvexServices::InitControls()
{
    TFrameMemberForm::InitControls();
    rbOneTime_ = new QRadioButton(tr("One Time Service"), this);
    rbOneTime_->setObjectName("rbOneTime");
    rbRecurring_ = new QRadioButton(tr("Subscribtion/Recurring Service"), this);
    rbRecurring_->setObjectName("rbRecurring");
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(rbOneTime_);
    kinds->addWidget(rbRecurring_);
    kinds->addStretch();
    QWidget* box = Control("chkOneTime");
    Form->setRowVisible(box, false);
    Form->insertRow(0, QString(), kinds);
    connect(rbOneTime_, &QRadioButton::clicked, this, [this] { KindChosen(true); });
    connect(rbRecurring_, &QRadioButton::clicked, this, [this] { KindChosen(false); });
}

void TFrameTolvexServices::KindChosen(bool oneTime)
{
    if (auto* box = qobject_cast<QCheckBox*>(Control("chkOneTime")))
        box->setChecked(oneTime);
    if (Model())
        Model()->SetValue("chkOneTime", oneTime ? "1" : "0");
    SetModified();
    UpdateEnabling();
}

void TFrameTolvexServices::AfterLoad()
{
    const bool oneTime = Checked(Control("chkOneTime"));
    rbOneTime_->setChecked(oneTime);
    rbRecurring_->setChecked(!oneTime);
    // The end of the subscription is no member of its own: a maximum above 0.
    // A subscription that does not end keeps no period limits.
    const bool ends = std::atoi(Model()->Value("edtMaxPeriods").c_str()) > 0;
    if (auto* box = qobject_cast<QCheckBox*>(Control("chkEnds")))
        box->setChecked(ends);
    if (!ends) {
        SetFieldText("edtMinPeriods", "0");
        SetFieldText("edtMaxPeriods", "0");
    }
    UpdateEnabling();
}

void TFrameTolvexServices::FieldChanged(const std::string& control)
{
    if (control == "chkEnds" && !Checked(Control(control))) {
        // A subscription that does not end keeps no period limits.
        SetFieldText("edtMinPeriods", "0");
        SetFieldText("edtMaxPeriods", "0");
    }
    UpdateEnabling();
}

void TFrameTolvexServices::UpdateEnabling()
{
    const bool recurring = !Checked(Control("chkOneTime"));
    for (const char* control : {"cbPeriod", "chkEnds", "edtFreeTrialNumPeriods", "cbFreeTrialPeriod",
                                "edtTrialNumPeriods", "cbTrialPeriod", "edtTrialCost"})
        SetFieldEnabled(control, recurring);
    const bool ends = recurring && Checked(Control("chkEnds"));
    for (const char* control : {"edtMinPeriods", "edtMaxPeriods", "edtInstallationCost"})
        SetFieldEnabled(control, ends);
}

// ---- groups ----------------------------------------------------------------------------------

TFrameServicesGroup::TFrameServicesGroup(TFrameSite& site)
    : TFrameMemberForm(site, "TFrameServicesGroup",
                       {Name("Group name"), MemberField("chkExclusive", "Group contains mutually exclusive services",
                                                        "ServiceGroup", "IsExclusive", TMemberField::Boolean)})
{
    NameField = "edtName";
}

// ---- initialisation ----------------------------------------------------------------------------

namespace {

TMemberField Status(const char* control, const char* caption, const char* member, const char* listClass,
                    const char* listMember)
{
    TMemberField status = MemberField(control, caption, "InitService", member, TMemberField::NumberChoice);
    status.ChoicesOf = {listClass, listMember};
    return status;
}

std::vector<TMemberField> InitFields()
{
    TMemberField expiry = MemberField("cbExpirationPeriod", "Expiration After: period", "InitService",
                                      "ExpirationPeriod", TMemberField::Choice);
    expiry.Choices = {{"None", ""},        {"Day", "day"},   {"Week", "week"},         {"Month", "month"},
                      {"Quater", "quater"}, {"Year", "year"}, {"Infinite", "infinite"}};
    TMemberField guid = MemberField("edtServiceGuid", "Service GUID", "InitService", "ServiceGUID");
    guid.Trimmed = true;
    return {MemberField("edtServiceProviderGuid", "Service Provider GUID", "InitService", "ServiceProviderGUID"),
            guid,
            Status("cbInitStatus", "Initial Status", "InitStatus", "TransactionStatus", "Status"),
            Status("cbPaymentStatus", "Payment Status", "InitPaymentStatus", "TransactionStatus", "PaymentStatus"),
            Status("cbShippingStatus", "Shipping Status", "InitShippingStatus", "TransactionStatus",
                   "ShippingStatus"),
            Status("cbOrderedItemType", "Type of Service", "OrderedItemType", "OrderedItem", "ItemType"),
            MemberField("edtExpirationTerm", "Expiration After", "InitService", "ExpirationTerm",
                        TMemberField::Integer),
            expiry,
            MemberField("edtQuantity", "Quantity", "InitService", "Quantity", TMemberField::Integer)};
}

}  // namespace

TFrameInitService::TFrameInitService(TFrameSite& site) : TFrameMemberForm(site, "TFrameInitService", InitFields()) {}

// ---- registration ----------------------------------------------------------------------------

namespace {

const TFrameClassOf<TFrameServiceProperties> kProperties("", "TFrameServiceProperties");
const TFrameClassOf<TFrameTolvexServices> kPrice("", "TFrameTolvexServices");
const TFrameClassOf<TFrameServicesGroup> kGroup("", "TFrameServicesGroup");
const TFrameClassOf<TFrameServiceFieldEditor> kField("", "TFrameServiceFieldEditor");

}  // namespace

void RegisterServiceEditors(TInternalPluginsManager& registry)
{
    const std::set<int> base = {0, 1, 3, 4};
    registry.RegisterBuiltinClass("TTolvexServiceEditor", [base](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(new TSiteTabsEditor(
            name, params, {{"Service", "Service-basic", &kProperties, {}}, {"Price", "Service-price", &kPrice, {}}},
            base));
    });
    registry.RegisterBuiltinClass("TServiceGroupEditor", [base](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(new TSiteTabsEditor(
            name, params, {{"Service Group", "ServiceGroup-properties", &kGroup, {}}}, base));
    });
    registry.RegisterBuiltinClass("TTolvexServiceFieldEditor", [base](const std::string& name,
                                                                      const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(
            new TSiteTabsEditor(name, params, {{"Service", "Service-basic", &kField, {}}}, base, true));
    });
    registry.RegisterFrameClass(std::make_unique<TFrameClassOf<TFrameServicePackages>>(
        "ServicePackages", "TFrameServicePackages", "Package Services", "ServicePackages-basic", false));
    registry.RegisterFrameClass(std::make_unique<TFrameClassOf<TFramePackageEdit>>(
        "PackageEdit", "TFramePackageEdit", "Package Edit", "PackageEdit-basic", true));
    registry.RegisterFrameClass(std::make_unique<TFrameClassOf<TFrameInitService>>(
        "ServiceInit", "TFrameInitService", "Init Service", "ServiceInit-basic", false));
    // The tab's caption is the definition's "TabCaption" of the editor's name.
    registry.RegisterFrameClass(std::make_unique<TFrameClassOf<TFrameCustomTemplate>>(
        "CustomTemplateEditor*", "TFrameCustomTemplate", "", "CustomTemplateEditor-basic", false));
}
