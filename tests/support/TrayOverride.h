#pragma once

#include "chrome/TrayAvailability.h"

// Decides for the desktop whether it shows tray icons while it lives.
struct TrayOverride {
    explicit TrayOverride(bool available) { zantor::tray::overrideAvailability(available); }
    ~TrayOverride() { zantor::tray::overrideAvailability(std::nullopt); }
    TrayOverride(const TrayOverride&) = delete;
    TrayOverride& operator=(const TrayOverride&) = delete;
};
