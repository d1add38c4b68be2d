#pragma once
// The service editors' tabs whose controls each show one member
// (TFrameMemberForm):
//  - TFrameServiceProperties: name, identifier (a new service gets a
//    generated one of 32 hexadecimal digits), description, activity,
//    confirmation, package and catalog restrictions;
//  - TFrameTolvexServices: the price terms, the recurring ones enabled only
//    for a subscription and the period limits only when it ends;
//  - TFrameServicesGroup: a service group's name and exclusivity.
#include "editors/business/FrameMemberForm.h"

class QRadioButton;
class TInternalPluginsManager;

class TFrameServiceProperties : public TFrameMemberForm {
public:
    explicit TFrameServiceProperties(TFrameSite& site);

    // A new identifier: 32 upper-case hexadecimal digits.
    static std::string NewGuid();
    // Refuses an empty identifier and one another service has.
    bool Save() override;
    // The refusal of an identifier for the service (translated); empty when it may be stored.
    static std::string CheckGuid(const TSiteModelContext& context, const std::string& guid);

protected:
    void AfterLoad() override;
    void FieldChanged(const std::string& control) override;
};

class TFrameTolvexServices : public TFrameMemberForm {
public:
    explicit TFrameTolvexServices(TFrameSite& site);
    // "One Time Service" or "Subscribtion/Recurring Service" in place of the member's check box.
    void InitControls() override;

protected:
    void AfterLoad() override;
    void FieldChanged(const std::string& control) override;

private:
    void UpdateEnabling();
    void KindChosen(bool oneTime);

    QRadioButton* rbOneTime_ = nullptr;
    QRadioButton* rbRecurring_ = nullptr;
};

class TFrameServicesGroup : public TFrameMemberForm {
public:
    explicit TFrameServicesGroup(TFrameSite& site);
};

// The initial state of an ordered service: statuses, kind, expiry, quantity.
class TFrameInitService : public TFrameMemberForm {
public:
    explicit TFrameInitService(TFrameSite& site);
};

void RegisterServiceEditors(TInternalPluginsManager& registry);
