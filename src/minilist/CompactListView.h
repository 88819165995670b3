#pragma once

#include <QListView>

namespace zantor {

// The compact window's list of group titles, every row the same height.
class CompactListView : public QListView {
    Q_OBJECT
public:
    CompactListView(int rowHeight, QWidget* parent);
};

} // namespace zantor
