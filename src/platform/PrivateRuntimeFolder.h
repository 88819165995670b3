#pragma once

#include <QString>

namespace zantor {

// A folder for the running program's own lock and socket that only this user can use:
// the desktop session's runtime folder, or one of the user's own under the temporary
// folder outside a session (as in a script run by cron). Empty when there is none
// that others cannot reach, for then another user could answer in the program's place.
QString privateRuntimeFolder();

} // namespace zantor
