#include "editors/site/options/FrameAdvancedOptionsModel.h"

#include "common/WellKnownIds.h"
#include "editors/site/page/TransitionEffects.h"
#include "storage/AbstractCObject.h"
#include "storage/AbstractObjectCollection.h"
#include "storage/MemberValueText.h"

namespace {

constexpr const char* kBoldChat = "boldchat";

}  // namespace

void TFrameAdvancedOptionsModel::Load()
{
    values_ = TValues();
    modified_ = false;
    if (TAbstractCObject* chat = context_.Objects.GetObject(kCompanyItemId, "ChatSettings")) {
        values_.BoldChat = chat->GetString("ChatName", 0) == kBoldChat;
        if (values_.BoldChat)
            values_.ChatId = chat->GetString("ChatId", 0);
    }
    if (TAbstractCObject* effects = context_.Objects.GetObject(kCompanyItemId, "IEEffects")) {
        values_.Enter = effects->GetInteger("Enter", 0);
        values_.Exit = effects->GetInteger("Exit", 0);
        // Whole seconds only.
        auto time = [&](const char* member) {
            return TTransitionEffects::TextOfSeconds(TMemberValueText::TruncateToInt(effects->GetNumber(member, 0)));
        };
        values_.EnterTime = time("EnterTime");
        values_.ExitTime = time("ExitTime");
    }
}

void TFrameAdvancedOptionsModel::SetValues(const TValues& values)
{
    values_ = values;
    if (!values_.BoldChat)
        values_.ChatId.clear();
    modified_ = true;
}

void TFrameAdvancedOptionsModel::Store()
{
    if (!modified_)
        return;
    if (TAbstractCObject* chat = context_.Objects.GetObject(kCompanyItemId, "ChatSettings")) {
        chat->SetString("ChatName", values_.BoldChat ? kBoldChat : "", 0);
        chat->SetString("ChatId", values_.BoldChat ? values_.ChatId : "", 0);
    }
    if (TAbstractCObject* effects = context_.Objects.GetObject(kCompanyItemId, "IEEffects")) {
        effects->SetNumber("Enter", values_.Enter, 0);
        effects->SetNumber("Exit", values_.Exit, 0);
        effects->SetNumber("EnterTime", TTransitionEffects::SecondsOfText(values_.EnterTime), 0);
        effects->SetNumber("ExitTime", TTransitionEffects::SecondsOfText(values_.ExitTime), 0);
    }
    modified_ = false;
}
