#pragma once

#include <QString>

namespace zantor {

// The exit statuses of Zantor's command line, as its help text lists them.
namespace exit_status {
constexpr int kSuccess = 0;
// A file that cannot be read or written, or a running copy that does not answer.
constexpr int kFailure = 1;
// A database that cannot be read or written, as at the start of the program.
constexpr int kDatabase = 2;
constexpr int kNoSuchGroup = 3;
constexpr int kSeveralGroups = 4;
// The sysexits.h codes for a wrong command line and for input data that is wrong.
constexpr int kUsage = 64;
constexpr int kBadData = 65;
// The sysexits.h code for a service that is not there: no display to show windows on.
constexpr int kNoDisplay = 69;
} // namespace exit_status

// What a command has to tell: its exit status, its standard output and its standard
// error. A running copy answers with one of these for the copy that asked.
struct CommandResult {
    int status = exit_status::kSuccess;
    QString output;
    QString errors;

    static CommandResult failure(int status, const QString& errors) { return {status, {}, errors}; }
    bool operator==(const CommandResult&) const = default;
};

} // namespace zantor
