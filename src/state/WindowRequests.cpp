#include "WindowRequests.h"

namespace zantor {

// Defined here so that the interface's vtable lives in one object file.
WindowRequests::~WindowRequests() = default;

} // namespace zantor
