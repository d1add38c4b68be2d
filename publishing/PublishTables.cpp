#include "publishing/PublishTables.h"

#include "catalog/CatalogData.h"
#include "catalog/Tolvex.h"
#include "common/Exceptions.h"
#include "common/ParamList.h"
#include "storage/AbstractDBConnectionFactory.h"
#include "storage/GlobalDefinition.h"
#include "storage/QueryGuard.h"
#include "storage/RecordsetToXml.h"
#include "storage/RecordsetXmlContext.h"
#include "storage/References.h"
#include "storage/SqlIdentifier.h"

#include "common/CommonFunctionsDetail.h"

namespace {

const char* const kUploadTexts[] = {
    "",
    "Do you want to cancel upload process?",
    "Start uploading",
    "Succesfully uploaded.",
    "",
    "Uploaded and $1 error(s) occur",
    "",
    "Errors occurred during the upload operation",
};
const char* const kDownloadTexts[] = {
    "",
    "Do you want to cancel download process?",
    "Start downloading",
    "Successfully downloaded.",
    "",
    "Downloaded and $1 error(s) occur",
    "",
    "Errors occurred during the download operation",
};

}  // namespace

std::string TPublishTables::GetText(int kind) const
{
    if (kind == 4 || kind == 6)
        return TTolvexPublisher::GetText(kind);
    if (kind < 1 || kind > 7)
        return {};
    return IsHostToLocal() ? kDownloadTexts[kind] : kUploadTexts[kind];
}

void TPublishTables::ReadOptions()
{
    TPublishOnTolvex::ReadOptions();
    options_ |= soChangesHostImmediately;
    const std::string sendAs = Param("SendAsCatalogCode");
    if (!sendAs.empty())
        sendAsCatalogCode_ = sendAs;
    userName_ = Param("UserName");
    password_ = Param("Password");
}

std::vector<std::string> TPublishTables::Tables() const
{
    std::vector<std::string> tables;
    for (const std::string& line : params_)
        if (common_detail::SameText(TParamList::NameOf(line), "Table") && !TParamList::ValueOf(line).empty())
            tables.push_back(TParamList::ValueOf(line));
    return tables;
}

std::unique_ptr<TAbstractDBConnection> TPublishTables::OpenDatabase()
{
    const std::string name = common_detail::LowerCase(Param("Connection"));
    TGlobalDefinition& definition = Root()->GlobalDefinition();
    if (name == "global")
        return definition.GetCatalogsDatabase().OpenSecondConnection();
    if (name == "zarivuro")
        return definition.GetZarivuroDatabase().OpenSecondConnection();
    if (name == "unspsc")
        return definition.GetUnspscDatabase().OpenSecondConnection();
    if (name == "harmonized")
        return definition.GetHarmonizedDatabase().OpenSecondConnection();
    if (name == "ebay")
        return definition.GetEBayDatabase().OpenSecondConnection();
    if (name == "tolvex")
        return Root()->References().GetReferencesDatabase().OpenSecondConnection();
    return OpenCatalog()->GetConnectionFactory().OpenSecondConnection();
}

void TPublishTables::UploadChanges()
{
    std::unique_ptr<TAbstractDBConnection> database = OpenDatabase();
    std::unique_ptr<TRecordsetToXml> packet = NewPacket(*database);
    packet->SetMode(kRecordsetWriteGlobalTables);
    for (const std::string& table : Tables()) {
        packet->AddKeyAction(table, "delete", "", "");
        TQueryGuard query(*database);
        query->SetSQL("SELECT * FROM " + QuoteSqlIdentifier(table));
        packet->AddRecordset(table, "insert", query->Open(true));
    }
    bool accepted = false;
    const TStepEnd end = RunStep(
        [&] {
            accepted = SendPacketOnce(*packet);
            return true;
        },
        Tr("The tables could not be sent to the host"));
    if (end == TStepEnd::Done)
        dataSent_ = true;
    // A refused or ignored packet: the host does not have the tables.
    if ((end == TStepEnd::Done && !accepted) || end == TStepEnd::Ignored)
        ++errorCount_;
    database->CommitTrans();
}

void TPublishTables::DownloadChanges()
{
    std::unique_ptr<TAbstractDBConnection> database = OpenDatabase();
    std::unique_ptr<TRecordsetToXml> packet = NewPacket(*database);
    packet->SetMode(kRecordsetWriteGlobalTables);
    const std::string field = Param("requestfieldname");
    const std::string value = Param("requestfieldvalue");
    const std::vector<std::string> tables = Tables();
    for (const std::string& table : tables) {
        packet->AddKeyAction(table, "requestdelete", field, value);
        packet->AddKeyAction(table, "requestinsert", field, value);
    }
    // The answer may reach only the tables asked for.
    const TStepEnd end = SendDownloadPacket(*packet, *database, kRecordsetReadGlobalDownload, tables);
    if (end == TStepEnd::Done)
        dataSent_ = true;
    else if (end == TStepEnd::Ignored)
        ++errorCount_;  // the tables stay as they were, and the run says so
    database->CommitTrans();
}

void TPublishTables::MergeChanges()
{
    throw EDeveloperTolvexException("The operation is not implemented");
}
