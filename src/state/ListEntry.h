#pragma once

#include <QString>

namespace zantor {

// One row of the small lists the windows share: a text and the id it stands for.
struct ListEntry {
    QString text;
    int id = 0;

    friend bool operator==(const ListEntry&, const ListEntry&) = default;
};

} // namespace zantor
