#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

namespace zantor {

// Every file Zantor writes goes through here: it ends up holding `bytes` whole, or the
// file that was there stays as it was. Empty when done, else why not, in words for the
// user. `permissions`, when given, are the new file's.
QString writeWholeFile(const QString& path, const QByteArray& bytes,
                       QFileDevice::Permissions permissions = {});

} // namespace zantor
