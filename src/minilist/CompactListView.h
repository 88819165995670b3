#pragma once

#include <QListView>

namespace zantor {

// The compact window's list of group titles, every row the same height.
class CompactListView : public QListView {
    Q_OBJECT
public:
    CompactListView(int rowHeight, QWidget* parent);

protected:
    // A row's tool-tip opens beside the window, never over its bottom bar, where it
    // would take the next click.
    bool viewportEvent(QEvent* event) override;
};

} // namespace zantor
