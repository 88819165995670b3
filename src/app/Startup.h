#pragma once

#include "data/AppFolders.h"
#include "state/SharedState.h"

#include <memory>

namespace zantor {

// What every start does before a window shows, in the program and on the command line
// alike.
namespace startup {

// Makes the databases a first start lacks, from the seeds the copy ships. Throws
// DatabaseError.
void makeDatabases(const AppFolders& folders);

// The state every window shares, loaded: the databases made, the settings and the
// categories read, the first screen of the group list filled in the stored order (the
// window coordinator reads the rest). Throws DatabaseError.
std::unique_ptr<SharedState> loadState(const QString& programFolder);
// The same for the program: a database that cannot be read ends it, after a message
// that names the file and the reason. Empty then.
std::unique_ptr<SharedState> loadStateOrSay(const QString& programFolder);

} // namespace startup

} // namespace zantor
