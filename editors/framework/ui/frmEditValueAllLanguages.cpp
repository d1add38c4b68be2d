#include "editors/framework/ui/frmEditValueAllLanguages.h"

#include "catalog/CatalogData.h"
#include "catalog/Singletons.h"
#include "catalog/Tolvex.h"
#include "common/Translation.h"
#include "editors/framework/TolvexControlClass.h"
#include "gui/UiText.h"
#include "storage/AbstractCObject.h"
#include "storage/ObjectCollection.h"
#include "storage/References.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using UiText::Q;

TfrmEditValueAllLanguages::TfrmEditValueAllLanguages(TTolvexControlClass& context, QWidget* owner)
    : QDialog(owner), context_(context)
{
    setObjectName("frmEditValueAllLanguages");
    setWindowTitle(Q(context.Translate("Value for all languages")));
}

void TfrmEditValueAllLanguages::Fill(int itemId, const std::string& classXmlTag, const std::string& memberXmlTag,
                                     const std::string& currentValue)
{
    itemId_ = itemId;
    classXmlTag_ = classXmlTag;
    memberXmlTag_ = memberXmlTag;
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    TAbstractCObject* object = context_.GetObjectCollection().GetObject(itemId, classXmlTag);
    TCatalogData* data = context_.Data();
    const std::string current = context_.GetCurrentLangCode();
    if (object && data) {
        int index = 0;
        for (const std::string& code : data->GetLanguages()) {
            auto* edit = new QLineEdit(this);
            edit->setObjectName(QString("fvl%1").arg(index++));
            edit->setText(Q(code == current ? currentValue : object->GetLangString(memberXmlTag, code, 0)));
            const std::string name = context_.GetReferences().GetLanguageName(code);
            form->addRow(Q(name.empty() ? code : name), edit);
            rows_.emplace_back(code, edit);
        }
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("btnAllLanguagesOk");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("btnAllLanguagesCancel");
    buttons->button(QDialogButtonBox::Help)->setObjectName("btnAllLanguagesHelp");
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        std::string value;
        if (WriteValues(value))
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { context_.ShowHelp(); });
    if (!rows_.empty())
        rows_.front().second->setFocus();
}

bool TfrmEditValueAllLanguages::WriteValues(std::string& currentValue)
{
    TAbstractCObject* object = context_.GetObjectCollection().GetObject(itemId_, classXmlTag_);
    if (!object)
        return false;
    const std::string current = context_.GetCurrentLangCode();
    for (const auto& [code, edit] : rows_) {
        const std::string text = edit->text().toUtf8().toStdString();
        object->SetLangString(memberXmlTag_, code, text, 0);
        if (code == current)
            currentValue = text;
    }
    return true;
}

QLineEdit* TfrmEditValueAllLanguages::Edit(const std::string& langCode) const
{
    for (const auto& [code, edit] : rows_)
        if (code == langCode)
            return edit;
    return nullptr;
}

bool TfrmEditValueAllLanguages::Edit(TTolvexControlClass& context, QWidget* owner, int itemId,
                                     const std::string& classXmlTag, const std::string& memberXmlTag,
                                     std::string& value)
{
    TfrmEditValueAllLanguages dialog(context, owner);
    dialog.Fill(itemId, classXmlTag, memberXmlTag, value);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (QLineEdit* edit = dialog.Edit(context.GetCurrentLangCode()))
        value = edit->text().toUtf8().toStdString();
    return true;
}
