#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

namespace zantor {

// What becomes of a symbolic link found at the path written.
enum class LinkAtName {
    // The file it points to is written: a path the user named, as any program does.
    Follow,
    // The link goes and the file takes its place; its target is never opened. For names
    // Zantor owns, where a planted link would have it overwrite whatever the link names.
    Replace,
};

// Every file Zantor writes goes through here: it ends up holding `bytes` whole, or the
// file that was there stays as it was. Empty when done, else why not, in words for the
// user, with the system's reason. `permissions`, when given, are the new file's; a
// replacing write is given them.
QString writeWholeFile(const QString& path, const QByteArray& bytes,
                       QFileDevice::Permissions permissions = {}, LinkAtName link = LinkAtName::Follow);

} // namespace zantor
