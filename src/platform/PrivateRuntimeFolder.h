#pragma once

#include <QString>

namespace zantor {

// A folder for the running program's own lock and socket that only this user can reach:
// "zantor" in the desktop session's runtime folder, else "zantor-run" in the user's
// cache folder (outside a session, as in a script run by cron). Zantor makes it with
// mode 0700 and takes it only while it is a real folder of this user's that nobody else
// can enter: a lock that others could reach would let two copies run at once. Empty
// when there is no such folder.
QString privateRuntimeFolder();
// Whether `folder` is one that privateRuntimeFolder() takes, were `user` (a user id) this
// user: made if it is missing, a real folder (not a link) that `user` owns and nobody
// else may enter.
bool isPrivateFolder(const QString& folder, uint user);

} // namespace zantor
