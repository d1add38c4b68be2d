#pragma once
// The hotel, room and restaurant tabs whose controls each show one member
// (TFrameMemberForm with the fields of HospitalityFields), with their
// particulars:
//  - TFrameHotelInfo, TFrameZOZHotelInfo (the allotment only with instant
//    confirmation), TFrameVIDOHotelInfo, TFrameHotelMeta;
//  - TFrameHotelFacilities (the company item's in the association's catalogs);
//  - TFrameRoomInfo (a new room named as its item manager names new rooms;
//    the room code in the association's catalogs, the category elsewhere);
//  - TFrameRoomPrice (high and low season prices in the room's object);
//  - TFrameRestaurantProperties (information and address of a restaurant).
#include "editors/business/FrameMemberForm.h"

class TFrameHotelInfo : public TFrameMemberForm {
public:
    explicit TFrameHotelInfo(TFrameSite& site);
};

class TFrameZOZHotelInfo : public TFrameMemberForm {
public:
    explicit TFrameZOZHotelInfo(TFrameSite& site);

protected:
    void AfterLoad() override;
    void FieldChanged(const std::string& control) override;
    void AfterStore() override;
};

class TFrameVIDOHotelInfo : public TFrameMemberForm {
public:
    explicit TFrameVIDOHotelInfo(TFrameSite& site);
};

class TFrameHotelMeta : public TFrameMemberForm {
public:
    explicit TFrameHotelMeta(TFrameSite& site);
};

class TFrameHotelFacilities : public TFrameMemberForm {
public:
    explicit TFrameHotelFacilities(TFrameSite& site);

protected:
    int EditedItemId() override;
};

class TFrameRoomInfo : public TFrameMemberForm {
public:
    explicit TFrameRoomInfo(TFrameSite& site);
    void InitControls() override;
};

class TFrameRoomPrice : public TFrameMemberForm {
public:
    explicit TFrameRoomPrice(TFrameSite& site);
    // The two seasons' rows side by side, one column a season.
    void InitControls() override;
};

// Inner pages: "Info" (with the address), the photos, the descriptions
// (the item's editors of kinds 1 and 2) and the map; it opens on "Info".
class TFrameRestaurantProperties : public TFrameMemberForm {
public:
    explicit TFrameRestaurantProperties(TFrameSite& site);
    void InitControls() override;
};
