#include "ResourceHandler.h"

namespace zantor {

// Defined here so that the interface's vtable lives in one object file.
ResourceHandler::~ResourceHandler() = default;

} // namespace zantor
