#pragma once
// The lock a parallel publishing run holds while the open catalog's shared
// services are asked (by the workers and by the publisher's thread). It is
// recursive: a worker holding it for the length of a query on a shared
// connection may meet another shared service while it reads (an item name
// resolved while an object is loaded, say).
#include <mutex>

using TSharedServicesLock = std::recursive_mutex;
using TSharedServicesGuard = std::lock_guard<TSharedServicesLock>;
