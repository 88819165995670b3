#pragma once

#include <QColor>
#include <QWidget>

namespace zantor {

// One line of a borderless window's drawn frame: a rectangle as large as the window,
// drawn `inset` pixels in from its edge. It never takes the mouse.
class BorderShape : public QWidget {
    Q_OBJECT
public:
    BorderShape(const QString& name, QColor colour, int inset, QWidget* window);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour;
    int m_inset;
};

} // namespace zantor
