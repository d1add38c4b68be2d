#include "editors/site/options/FrameFroogleModel.h"

#include "catalog/Tolvex.h"
#include "common/Exceptions.h"
#include "publishing/FroogleSettings.h"

namespace {

TTolvex& Root()
{
    if (!RootObject)
        throw EDeveloperTolvexException("The product feed settings need the program's root object");
    return *RootObject;
}

}  // namespace

TFrameFroogleModel::TFrameFroogleModel(const TSiteModelContext& context)
    : context_(context), writes_(TSiteDatabaseWrites::Direct(context))
{
}

void TFrameFroogleModel::Load()
{
    modified_ = false;
    if (stored_) {
        values_ = *stored_;
        return;
    }
    // Read afresh, not from the object collection: the settings are written
    // with the save beside the collection, which would keep the old values.
    const TFroogleSettings settings = TFroogleSettings::Load(Root(), context_.Connection, context_.LangCode);
    values_ = {settings.FTPSite, settings.UserName, settings.Password};
}

void TFrameFroogleModel::SetValues(const TValues& values)
{
    values_ = values;
    modified_ = true;
}

void TFrameFroogleModel::Store()
{
    if (!modified_)
        return;
    stored_ = values_;
    TFroogleSettings settings;
    settings.FTPSite = values_.FTPSite;
    settings.UserName = values_.UserName;
    settings.Password = values_.Password;
    TTolvex* root = &Root();
    const std::string lang = context_.LangCode;
    writes_.Write([root, settings, lang](TAbstractDBConnection& connection) { settings.Store(*root, connection, lang); });
    modified_ = false;
}
