#pragma once

#include "CommandResult.h"

#include <QByteArray>
#include <QStringList>
#include <QVector>
#include <functional>
#include <optional>

namespace zantor {

// What a later start asks of the running copy. The two may be different versions of
// Zantor, so the lines they exchange keep their words and shape from one version to the
// next: a copy reads any other's requests and answers.
struct InstanceRequest {
    enum class Kind {
        // Brings the running copy's window to the front.
        Show,
        OpenByTitles,
        OpenByIds,
        // Adds the groups of an export file.
        Import,
        // A kind this copy does not know, or a line that is no request at all.
        Unknown,
    };

    explicit InstanceRequest(Kind kind = Kind::Unknown)
        : kind(kind) {}
    // `activationToken` is the later start's own (see display::activationTokenOfThisStart()).
    static InstanceRequest show(const QString& activationToken = {});
    static InstanceRequest openTitles(const QStringList& titles);
    static InstanceRequest openIds(const QVector<int>& ids);
    static InstanceRequest importGroups(const QByteArray& file, bool withShortcuts);

    bool operator==(const InstanceRequest&) const = default;

    Kind kind;
    QStringList titles;
    QVector<int> ids;
    QByteArray importFile;
    bool withShortcuts = false;
    // An unknown kind as it was sent, so that the answer can name it.
    QString unknownKind;
    // What the desktop gave the later start to bring a window to the front with; empty
    // where it gave nothing, and from a copy too old to send it.
    QString activationToken;
};

// Every request and every answer is one line of JSON, read and written here alone.
namespace instance_protocol {
// Each line ends with its line break.
QByteArray encodeRequest(const InstanceRequest& request);
// The same line in pieces, handed to `send` one after the other until it returns false:
// an import's file is encoded a piece at a time, never copied whole. False when `send`
// did.
bool sendRequest(const InstanceRequest& request, const std::function<bool(const QByteArray&)>& send);
QByteArray encodeAnswer(const CommandResult& answer);
// Each takes a line without its break.
InstanceRequest decodeRequest(const QByteArray& line);
// Nothing when the line is no answer.
std::optional<CommandResult> decodeAnswer(const QByteArray& line);
CommandResult unknownRequestAnswer(const InstanceRequest& request);
} // namespace instance_protocol

} // namespace zantor
