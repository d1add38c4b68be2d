#pragma once
// Maps an old code or page number of a converted catalog (as text) to the
// new item id; 0 or -1 when there is no new id. The caller's own data travels
// in the function object.
#include <functional>
#include <string>

using TLWIdMap = std::function<int(const std::string& oldCode)>;
