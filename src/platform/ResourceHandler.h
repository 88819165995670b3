#pragma once

#include <QString>
#include <QStringList>

namespace zantor {

// Where opened resources go: the desktop in the program, a recorder in the tests.
class ResourceHandler {
public:
    virtual ~ResourceHandler();
    // True for an existing file or folder; an application's entry also needs its
    // program installed here.
    virtual bool exists(const QString& path) const = 0;
    // Hands an existing resource to whatever opens it and returns at once; a program or
    // an application's entry starts with `arguments`. False when the desktop refused it:
    // no application for it, or a program that cannot start.
    virtual bool open(const QString& path, const QStringList& arguments) = 0;
    // Hands a web address (a URL with a scheme other than file) to the desktop's
    // handler for its scheme. False when the desktop refused it.
    virtual bool openWebAddress(const QString& url) = 0;
};

} // namespace zantor
