#include "publishing/PublishCoCManagement.h"

#include "catalog/CatalogData.h"
#include "catalog/Tolvex.h"
#include "common/CommonGui.h"
#include "common/Exceptions.h"
#include "common/IniSettings.h"
#include "common/ParamList.h"
#include "publishing/HttpClient.h"

TPublishCoCManagement::TPublishCoCManagement(std::vector<std::string>& params, TAbstractDBConnection& connection,
                                             const TPublisherEnvironment& environment)
    : TTolvexPublisher(params, connection, environment)
{
    CreateHttpClient();
    if (const TIniSettings* settings = Settings())
        cocUrl_ = settings->GetString(siPublishOnTolvexHost) + settings->GetString(siPublishCoCManagementScript);
}

std::string TPublishCoCManagement::GetText(int kind) const
{
    switch (kind) {
    case 1: return "Do you want to cancel process?";
    case 2: return "Start CoC management";
    case 3: return "Successfully finished.";
    case 5: return "Finished and $1 error(s) occur";
    case 7: return "Errors occurred during the operation";
    default: return TTolvexPublisher::GetText(kind);
    }
}

void TPublishCoCManagement::SetAccount(const std::string& userName, const std::string& password)
{
    accountSet_ = true;
    userName_ = userName;
    password_ = password;
}

void TPublishCoCManagement::SetRequestTimeout(long seconds)
{
    httpClient_->SetLimits(THttpClient::kDefaultMaxBytes, seconds);
}

std::string TPublishCoCManagement::RequestUrl()
{
    std::string code;
    std::string user = userName_;
    std::string password = password_;
    if (TCatalogData* open = OpenCatalog())
        code = open->GetCatalogCode();
    if (!accountSet_ && Root()) {
        user = Root()->GetUserName();
        password = Root()->GetPassword();
    }
    const auto encoded = [](const std::string& value) { return TParamList::UrlEncode(value, true); };
    return cocUrl_ + "?catalogcode=" + encoded(code) + "&username=" + encoded(user) + "&password=" +
           encoded(password) + "&action=" + encoded(Param("action")) + "&actionvalue=" +
           encoded(Param("actionvalue"));
}

void TPublishCoCManagement::Execute()
{
    success_ = false;
    if (cancelled_)
        return;
    const std::string url = RequestUrl();
    RunRetryableStep(
        [&] {
            responseStream_->str(std::string());
            responseStream_->clear();
            THttpResponse response;
            try {
                const TWaitCursor wait(Gui());
                response = httpClient_->Get(url, *responseStream_);
            } catch (const ETolvexException& error) {
                if (!cancelled_)
                    WriteLog(Format("Error: $1", {error.what()}), 3);
                throw;
            }
            success_ = response.StatusCode >= 200 && response.StatusCode <= 299;
            return true;
        },
        Tr(GetText(7)));
}

namespace catalog_network {

std::vector<std::string> ManagementParams(const std::string& memberId, const std::string& memberCode)
{
    std::vector<std::string> params{"memberid=" + memberId};
    if (memberId != "0")
        params.push_back("actionvalue=" + memberCode);
    return params;
}

}  // namespace catalog_network
