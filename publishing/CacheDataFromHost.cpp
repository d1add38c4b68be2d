#include "publishing/CacheDataFromHost.h"

#include "catalog/CatalogData.h"
#include "catalog/CatalogItemsSql.h"
#include "catalog/Tolvex.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Exceptions.h"
#include "common/ParamList.h"
#include "publishing/HostReply.h"
#include "publishing/HttpClient.h"
#include "storage/AbstractDBConnection.h"
#include "storage/NameValueLines.h"
#include "storage/RecordsetXmlContext.h"
#include "storage/XmlToRecordset.h"

#include <cstdlib>
#include <sstream>

namespace {

// What the table data of one object may reach.
const std::vector<std::string> kObjectTables{"CStrings", "CText", "CNumbers", "CDates", "CBinary",
                                             "CObjectInstances"};

// An Items row for a cached object's item, so that its objects are found
// through the item (the object factory looks them up by LinkedItemId).
void EnsureCachedItem(TAbstractDBConnection& connection, const std::string& cachedCode, int itemId)
{
    if (itemId <= 0 ||
        catalog_sql::HasRow(connection, "SELECT ItemId FROM Items WHERE CatalogCode = :CatalogCode AND ItemId = :ItemId",
                            cachedCode, {{"ItemId", itemId}}))
        return;
    catalog_sql::Exec(connection,
                      "INSERT INTO Items (CatalogCode, ItemId, ItemType, ParentItemId, LinkedItemId, IsSynchronized, "
                      "DateModified) VALUES (:CatalogCode, :ItemId, 0, 0, :ItemId, 1, :Now)",
                      cachedCode, {{"ItemId", itemId}, {"Now", catalog_sql::Now()}});
}

}  // namespace

TCacheDataFromHost::TCacheDataFromHost(std::vector<std::string>& params, TAbstractDBConnection& connection,
                                       const TPublisherEnvironment& environment)
    : TTolvexImport(params, connection, environment)
{
    CreateHttpClient();
    QueueAction = [this](const std::string& action) {
        if (Root())
            Root()->QueueAction(action, false);
    };
}

void TCacheDataFromHost::SetRequestTimeout(long seconds)
{
    httpClient_->SetLimits(THttpClient::kDefaultMaxBytes, seconds);
}

void TCacheDataFromHost::Execute()
{
    success_ = false;
    const std::string code = Param("catalogcode");
    if (cancelled_ || code.empty())
        return;
    TCatalogData* open = OpenCatalog();
    if (open && common_detail::SameText(open->GetCatalogCode(), code)) {
        WriteLog(Tr("The open catalog's own data is not taken from the host"), 3);
        return;
    }
    std::vector<std::string> map = params_;
    if (Param("fromcatalog").empty())
        map.push_back("fromcatalog=" + code);
    const std::string cachedCode = "c#" + ValueOfName(map, "fromcatalog");
    const std::string url = serverUrl_ + "?action=tabledata&catalogcode=" + TParamList::UrlEncode(code, true) +
                            "&itemid=" + TParamList::UrlEncode(Param("itemid"), true) +
                            "&classid=" + TParamList::UrlEncode(Param("classid"), true) + "&zipped=yes";
    RunRetryableStep(
        [&] {
            responseStream_->str(std::string());
            responseStream_->clear();
            lastAnswer_ = 0;
            THttpResponse response;
            try {
                response = httpClient_->Get(url, *responseStream_);
            } catch (const ETolvexException& error) {
                if (!cancelled_)
                    WriteLog(Format("Error: $1", {error.what()}), 3);
                throw;
            }
            if (response.StatusCode < 200 || response.StatusCode > 299)
                return true;
            const THostReply reply(responseStream_->str());
            if (reply.Kind() != THostReply::TKind::Plain)
                WriteLog(reply.Text(), reply.IsError() ? 3 : 1);
            if (reply.IsError() || !reply.CarriesData())
                return true;
            std::istringstream stream(reply.Body());
            TXmlToRecordset reader(connection_, RecordsetContext());
            reader.SetAllowedTables(kObjectTables);
            reader.SetRequiredCatalogCode(cachedCode);
            reader.ApplyStreamRemapped(stream, true, map);
            const std::string toItem = ValueOfName(map, "toitemid");
            EnsureCachedItem(connection_, cachedCode, std::atoi((toItem.empty() ? Param("itemid") : toItem).c_str()));
            if (CommitWhenStored)
                connection_.CommitTrans();
            success_ = true;
            QueueAction("Action=RefreshMainPageEditor&Modified=yes");
            return true;
        },
        Tr("The data could not be taken from the host"));
}
