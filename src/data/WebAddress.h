#pragma once

#include <QString>

namespace zantor {

// An item's address is a path unless it starts with a URL scheme and "://" (http, ftp,
// smb, svn+ssh, s3, ...) or is a "mailto:", "magnet:", "tel:", "sms:" or "news:" address.
// Such an address goes to the desktop as
// it is, with no existence test. A file:// URL names a local path and is none of these;
// neither is a drive letter ("C:\...").
bool isWebAddress(const QString& address);

// The local path a file:// URL names; any other address is its own path.
QString localPath(const QString& address);

} // namespace zantor
