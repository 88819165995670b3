#pragma once

#include <QAbstractButton>
#include <QIcon>

namespace zantor {

// A button that is only its picture, crisp at any scale. Its tool-tip (trimmed) is
// also its accessible name, so screen readers can say what it does; a tool-tip set later
// (one that adds the command's shortcut) leaves the name as it is. Tab reaches it, and it
// is ringed while it has the focus.
class ImageButton : public QAbstractButton {
    Q_OBJECT
public:
    ImageButton(const QString& name, const QIcon& picture, const QString& toolTip, QWidget* parent);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zantor
