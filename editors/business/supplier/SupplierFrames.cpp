#include "editors/business/supplier/SupplierFrames.h"

#include "catalog/Catalog.h"
#include "catalog/InternalPluginsManager.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "editors/business/FrameImageMemberTab.h"
#include "editors/framework/FrameClass.h"
#include "editors/framework/TolvexControlClass.h"
#include "editors/framework/ui/QtFrameSite.h"
#include "editors/site/SiteFrameContext.h"
#include "editors/site/SiteTabsEditor.h"
#include "gui/UiText.h"
#include "storage/ObjectFactory.h"
#include "storage/NameValueLines.h"
#include "storage/References.h"
#include "storage/TolvexObject.h"
#include "storage/TolvexObjectContext.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include <cstdlib>

using UiText::Q;
using UiText::S;
using supplier_rows::TKind;

namespace {

constexpr const char* kProfile = "ZUDISupplierProfile";

std::vector<TMemberField> ProfileFields()
{
    return {
        MemberField("cbTypeOfActivity", "Type of &activity:", kProfile, "TypeOfActivity", TMemberField::Choice),
        MemberField("cbLegalStatus", "&Legal status:", kProfile, "LegalStatus", TMemberField::Choice),
        MemberField("edtYearOfFoundation", "&Year of foundation:", kProfile, "YearOfFoundation",
                    TMemberField::Integer),
        MemberField("edtTotalNumberOfEmployees", "&Number of employees:", kProfile, "TotalNumberOfEmployees",
                    TMemberField::Integer),
        MemberField("memOtherInfo", "&Other information:", kProfile, "OtherInfo", TMemberField::Memo),
    };
}

struct TRowControl {
    const char* Key;
    const char* Caption;
    enum { Line, Year, Memo, Choice, Product } Kind;
    const char* ChoicesClass = nullptr;  // allowed values of its member "Type"; null: the countries
};

std::vector<TRowControl> RowControls(TKind kind)
{
    switch (kind) {
    case TKind::Export:
        return {{"ProductCode", "&Product:", TRowControl::Product},
                {"Year", "&Year:", TRowControl::Year},
                {"Volume", "&Volume:", TRowControl::Line},
                {"Unit", "&Unit:", TRowControl::Line},
                {"CountryCode", "&Country:", TRowControl::Choice},
                {"Note", "&Note:", TRowControl::Memo}};
    case TKind::Certificate:
        return {{"Name", "&Name:", TRowControl::Line},
                {"Year", "&Year:", TRowControl::Year},
                {"Type", "&Type:", TRowControl::Choice, "ZUDISupplierCertificateAward"},
                {"Description", "&Description:", TRowControl::Memo}};
    case TKind::Reference:
        break;
    }
    return {{"Name", "&Name:", TRowControl::Line},
            {"Address", "&Address:", TRowControl::Line},
            {"Type", "&Type:", TRowControl::Choice, "ZUDISupplierReferences"}};
}

}  // namespace

// ---- the profile ---------------------------------------------------------------------------------

TFrameSupplierInfo::TFrameSupplierInfo(TFrameSite& site) : TFrameMemberForm(site, "TFrameSupplierInfo", ProfileFields())
{
}

void TFrameSupplierInfo::InitControls()
{
    TFrameMemberForm::InitControls();
    // The image dialog is asked for nothing in particular.
    NestEditor(PageBelowFields("pnlSupplierImage"), TFrameImageMemberTab::kEditorName,
               "class=ZUDISupplierProfile&member=SupplierImage&foldername=&savelarge=no&tabcaption=Image"
               "&tabname=Image-SupplierImage");
}

// ---- the row dialogs -----------------------------------------------------------------------------

TSupplierRowDialog::TSupplierRowDialog(TFrameSite& site, const char* objectName, TKind kind) : kind_(kind)
{
    setObjectName(objectName);
    TQtFrameSite::PlaceInto(site, this);
}

QWidget* TSupplierRowDialog::Control(const std::string& key) const
{
    const auto found = controls_.find(key);
    return found == controls_.end() ? nullptr : found->second;
}

void TSupplierRowDialog::InitControls()
{
    Form = new QFormLayout(this);
    Form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    std::vector<std::string> none;
    std::vector<std::string>& params = GetContext()->GetParams() ? *GetContext()->GetParams() : none;
    for (const TRowControl& row : RowControls(kind_)) {
        const QString value = Q(ValueOfName(params, row.Key));
        QWidget* control = nullptr;
        QWidget* field = nullptr;
        switch (row.Kind) {
        case TRowControl::Line:
        case TRowControl::Year: {
            auto* edit = new QLineEdit(value, this);
            if (row.Kind == TRowControl::Year) {
                // Digits only, as many as a year has.
                edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,4}"), edit));
                edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance("00000000"));
            }
            control = edit;
            break;
        }
        case TRowControl::Product: {
            auto* edit = new QLineEdit(value, this);
            edit->setReadOnly(true);
            auto* pick = new QPushButton(QStringLiteral("..."), this);
            pick->setObjectName("btnSelectProduct");
            pick->setToolTip(tr("Choose the product"));
            pick->setMaximumWidth(pick->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
            connect(pick, &QPushButton::clicked, this, [this] { PickProduct(); });
            field = new QWidget(this);
            auto* line = new QHBoxLayout(field);
            line->setContentsMargins(0, 0, 0, 0);
            line->addWidget(edit, 1);
            line->addWidget(pick);
            control = edit;
            break;
        }
        case TRowControl::Memo: {
            auto* memo = new QPlainTextEdit(value, this);
            memo->setTabChangesFocus(true);
            memo->setMinimumHeight(memo->fontMetrics().lineSpacing() * 4);
            control = memo;
            break;
        }
        case TRowControl::Choice: {
            auto* combo = new QComboBox(this);
            // The allowed values are language-neutral.
            const std::vector<std::string> lines = row.ChoicesClass ? MemberListValues(row.ChoicesClass, "Type", "XXX")
                                                                    : RootObject->References().GetCountries();
            for (const TMemberField::TChoice& choice : CodeTextChoices(lines))
                combo->addItem(Q(choice.Caption), Q(choice.Code));
            combo->setCurrentIndex(std::max(0, combo->findData(value)));
            control = combo;
            break;
        }
        }
        control->setObjectName(QString("edt") + row.Key);
        controls_[row.Key] = control;
        Form->addRow(tr(row.Caption), field ? field : control);
    }
    SetModified();
}

void TSupplierRowDialog::PickProduct()
{
    std::vector<std::string> params = {"AllowItemType=3000", "AllowItemType=4001", "AllowItemType=4002"};
    TTolvexControlClass& context = *GetContext();
    if (!context.RunDialog("selectpage", params))
        return;
    const int pageId = std::atoi(ValueOfName(params, "PageId").c_str());
    if (pageId == 0)
        return;
    TTolvexObjectContext& objects = RootObject->ObjectContext();
    std::unique_ptr<TTolvexObject> product = RootObject->Catalog().GetObjectFactory().GetObjectTyped(
        pageId, objects.GetClassId("Product"), context.GetConnection(), context.GetCatalogCode());
    if (!product)
        return;
    const std::string lang = context.GetCurrentLangCode();
    static_cast<QLineEdit*>(Control("ProductCode"))
        ->setText(Q(supplier_rows::ProductCaption(product->GetLangString("Name", lang, 0),
                                                  product->GetLangString("Code", "XXX", 0))));
}

bool TSupplierRowDialog::Save()
{
    std::vector<std::string>* params = GetContext()->GetParams();
    if (!params)
        return true;
    std::vector<std::pair<std::string, std::string>> values;
    for (const std::string& key : supplier_rows::Keys(kind_)) {
        QWidget* control = Control(key);
        std::string text;
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            text = S(edit->text());
        else if (auto* memo = qobject_cast<QPlainTextEdit*>(control))
            text = S(memo->toPlainText());
        else if (auto* combo = qobject_cast<QComboBox*>(control))
            text = S(combo->currentData().toString());
        values.emplace_back(key, text);
    }
    const std::string problem = supplier_rows::Apply(kind_, values, *params);
    if (problem.empty())
        return true;
    ShowFrameError(GetContext()->Translate(problem));
    return false;
}

// ---- registration ---------------------------------------------------------------------------------

namespace {

const TFrameClassOf<TFrameSupplierInfo> kInfoFrame("", "TFrameSupplierInfo");
const TFrameClassOf<TFrameZUDISupplierExport> kExportFrame("", "TFrameZUDISupplierExport");
const TFrameClassOf<TFrameZUDICertificate> kCertificateFrame("", "TFrameZUDICertificate");
const TFrameClassOf<TFrameZUDIReferences> kReferenceFrame("", "TFrameZUDIReferences");

void RegisterTab(TInternalPluginsManager& registry, const char* className, TSiteTabsEditor::TTab tab, bool single)
{
    registry.RegisterBuiltinClass(className, [=](const std::string& name, const std::string& params) {
        return std::unique_ptr<TAbstractPluginClass>(
            new TSiteTabsEditor(name, params, {tab}, std::set<int>{0, 1, 3, 4}, single));
    });
}

}  // namespace

void RegisterSupplierEditors(TInternalPluginsManager& registry)
{
    RegisterTab(registry, "TSupplierInfoEditor", {"Supplier Info", "SupplierInfo-basic", &kInfoFrame, {}}, false);
    RegisterTab(registry, "TBTCASupplierExportInfo",
                {"Supplier Export", "ZUDISupplierExport-basic", &kExportFrame, {}}, true);
    RegisterTab(registry, "TBTCASupplierCertificate",
                {"Certificate", "ZUDISupplierCertificate-basic", &kCertificateFrame, {}}, true);
    RegisterTab(registry, "TBTCASupplierReferences",
                {"Supplier References", "ZUDISupplierReferences-basic", &kReferenceFrame, {}}, true);
}
