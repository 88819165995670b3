#pragma once

#include <QPoint>
#include <QSet>
#include <QString>
#include <QTimer>
#include <QVector>
#include <QWidget>
#include <optional>

class QAbstractButton;

namespace zantor {

class BorderShape;
class ImageButton;
class ImagePicture;

// A title-bar command: its picture at rest, and the lit picture that takes the click.
struct TitleBarButton {
    ImagePicture* normal;
    ImageButton* lit;
};

// What every borderless Zantor window shares: the drawn border, dragging by the
// surface, image buttons that sink while pressed, title-bar images that light up under
// the pointer, minimising, and the keyboard: Tab and Shift+Tab go through the controls
// in reading order (the title-bar commands too, lit while they have the focus), Enter
// presses the command that has the focus, and Esc closes the window where it asks so.
class BorderlessWindow : public QWidget {
    Q_OBJECT
public:
    explicit BorderlessWindow(QWidget* parent = nullptr);

    // Gives the border shapes the window's size; call after every change of size.
    void sizeBorderShapes();

    // Shows the window at `place`, and keeps it there while it is being mapped.
    void showAt(QPoint place);

    // Shows `lit` in place of `normal` while the pointer is over `normal`; only the lit
    // image takes clicks, so its command acts only while it is lit.
    void addHoverPair(QWidget* normal, QWidget* lit);
    // A title-bar command named `normalName` at rest and `litName` lit, drawn from
    // ":/icons/<picture>.svg" and ":/icons/<picture>-on.svg", at `place` in pixels.
    // `name` is its tool-tip and what screen readers say.
    TitleBarButton addTitleBarButton(const QString& normalName, const QString& litName,
                                     const QString& picture, const QString& name, QRect place);
    // Strictly inside the control's screen rectangle: its edge pixels do not count.
    static bool mouseOverControl(const QWidget* control, QPoint cursor);

    // The 100 ms poll of the pointer while it may be over a title-bar image, to look at.
    const QTimer& hoverTimer() const { return m_hoverTimer; }

    // The pressed-button effect: the button sinks one pixel (15 twips) right and down
    // while held and goes back exactly where it was.
    void sinkButton(QWidget* button);
    void raiseButton(QWidget* button);
    // The same for a second control that sinks together with the first.
    void sinkPartner(QWidget* control);
    void raisePartner(QWidget* control);
    // Gives an image button the pressed-button effect, for every mouse button.
    void attachPressEffect(QAbstractButton* button);

    // Esc closes a page or a dialog; the windows that hold the program keep it for
    // themselves.
    void setClosesOnEscape(bool closes) { m_closesOnEscape = closes; }

protected:
    void updateHoverImages();

    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct HoverPair {
        QWidget* normal;
        QWidget* lit;
    };

    bool pressIsOnControl(QPoint position) const;
    // The pointer may be over an image: poll it until it has left the window and
    // nothing is lit.
    void watchPointer();
    // Lit by the pointer; a command that has the keyboard's focus stays lit regardless.
    bool anyImageLit() const;
    // Lit while the pointer is over it or it holds the window's focus.
    void lightPair(const HoverPair& pair, bool pointerOver);

    // The drawn border: three lines, the outermost first.
    BorderShape* m_outerBorder;
    BorderShape* m_middleBorder;
    BorderShape* m_innerBorder;
    // Where the pressed button and its partner stood before they sank.
    QPoint m_buttonPlace;
    QPoint m_partnerPlace;

    QVector<HoverPair> m_hoverPairs;
    QSet<QObject*> m_pressEffectButtons;
    bool m_closesOnEscape = false;
    QTimer m_hoverTimer;
    // Reading the pointer is a round trip to the display server: a tick reads it only
    // after the pointer or the window moved.
    bool m_pointerMayHaveMoved = false;
    // Where showAt() put the window, until the window is on screen.
    std::optional<QPoint> m_placeWhileMapping;
    // Where the surface was pressed, until the pointer has gone far enough to move the
    // window.
    std::optional<QPoint> m_pressedAt;
    // Set while the window is moved by hand because the window manager would not.
    bool m_manualDrag = false;
    QPoint m_dragOffset;

    friend class BorderlessWindowPeer;
};

} // namespace zantor
