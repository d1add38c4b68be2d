#pragma once
// The browser's cookie store, as the helper functions read and expire
// cookies in it. The Qt shell implements it over its web engine's store.
#include <string>

class TCookieStore {
public:
    virtual ~TCookieStore() = default;

    // Reads the value of the cookie Name that the store would send to Url;
    // false when there is none.
    virtual bool GetCookie(const std::string& url, const std::string& name,
                           std::string& value) = 0;
    // Sets the cookie Name for Url. Data is the cookie's value followed by
    // its attributes ("value;expires=..."); an expiry in the past deletes it.
    // False when the store refused it.
    virtual bool SetCookie(const std::string& url, const std::string& name,
                           const std::string& data) = 0;
};
