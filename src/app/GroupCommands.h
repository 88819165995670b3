#pragma once

#include "CommandResult.h"
#include "data/DatabasePaths.h"
#include "state/GroupShortcuts.h"

#include <QStringList>
#include <QVector>
#include <optional>

namespace zantor {

// The commands that need nothing but the databases. Each answers with what to print and
// its exit status; none throws.

// One group per line, in the list's order: the title, a TAB, the item titles.
CommandResult listGroupsCommand(const DatabasePaths& paths);
// Every group into a JSON file, or to the standard output for "-". The file is written
// whole, or an old one stays as it was and the command fails.
// Each group carries which of its desktop entries exist.
CommandResult exportGroupsCommand(const DatabasePaths& paths, const QString& file,
                                  const GroupShortcuts& shortcuts);

// The bytes of the file to import ("-" reads the standard input, and a pipe works as
// well as a file), or what to say when it cannot be read or is far too large for a
// group file. The copy that was started reads it, with the caller's working folder and
// permissions; a running copy only ever gets the bytes.
struct ImportFile {
    QByteArray json;
    std::optional<CommandResult> failure;
};
ImportFile readImportFile(const QString& file);
// The groups of such bytes added as new groups; nothing is written unless all of them
// can be. With `shortcuts`, the new groups also get the desktop entries the file asks
// for; without, none.
CommandResult importGroupsCommand(const DatabasePaths& paths, const QByteArray& json,
                                  const GroupShortcuts* shortcuts);

// The groups the titles of --abrir name, in the order given. When a title names no group
// or several, `ids` is empty and `result` says which and lists the candidates.
struct GroupChoice {
    QVector<int> ids;
    CommandResult result;
};
GroupChoice chooseGroups(const QString& groupsPath, const QStringList& titles);
// The groups of --abrir-id, in the order given; as chooseGroups, nothing when one id
// names no group (ids are never reused: a deleted group's id names none).
GroupChoice groupsWithIds(const QString& groupsPath, const QVector<int>& ids);

} // namespace zantor
