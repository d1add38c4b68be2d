#pragma once
// The hotel, room and restaurant editors: item managers that caption their
// items, the HTML member tabs of the hotel's descriptions, and the
// registration of every hospitality plug-in (UI editors with their tabs).
#include "editors/framework/TolvexItemManager.h"
#include "editors/site/html/FrameHtmlDataEditor.h"

class TInternalPluginsManager;

// "Room: $1", "Hotel: $1", "Restaurant: $1", "$1" (rooms and rates, "&"
// doubled): the item's name in the template, or the plain caption without
// a name object.
class THospitalityItemManager : public TTolvexItemManager {
public:
    THospitalityItemManager(std::string name, std::string params, std::string withName, std::string plain,
                            std::string newItem, bool doubleAmpersands = false);
    std::string GetCaption(TTolvexControlClass& context) override;
    std::string GetNewItemCaption(TTolvexControlClass& context) override;

    // Template with "$1" the name ("&" doubled when asked), or Plain without a name.
    static std::string Caption(const std::string& withName, const std::string& plain, bool hasName,
                               const std::string& name, bool doubleAmpersands);

private:
    std::string withName_;
    std::string plain_;
    std::string newItem_;
    bool doubleAmpersands_;
};

// One HTML member of the hotel's "HotelInfo" on a tab of its own.
class THotelHtmlFrame : public TFrameHtmlDataEditor {
public:
    THotelHtmlFrame(TFrameSite& site, const char* objectName, const char* member);
};

void RegisterHospitalityEditors(TInternalPluginsManager& registry);
