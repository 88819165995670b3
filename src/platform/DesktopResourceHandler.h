#pragma once

#include "ResourceHandler.h"

namespace zantor {

// Programs start by themselves and applications' entries as the desktop's menus start
// them, both with their arguments; documents and folders go to the desktop's default
// application for them.
class DesktopResourceHandler final : public ResourceHandler {
public:
    bool exists(const QString& path) const override;
    bool open(const QString& path, const QStringList& arguments) override;
    bool openWebAddress(const QString& url) override;
};

} // namespace zantor
