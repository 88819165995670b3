#include "BorderlessWindow.h"

#include "BorderShape.h"
#include "ImageButton.h"
#include "ImagePicture.h"
#include "ReadingOrder.h"
#include "SystemColours.h"
#include "Twips.h"
#include "platform/Pictures.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QWindow>
#include <algorithm>

namespace zantor {

BorderlessWindow::BorderlessWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint)
    , m_outerBorder(new BorderShape(QStringLiteral("outerBorder"), QColor(0x3b, 0x4a, 0x5e), 0, this))
    , m_middleBorder(new BorderShape(QStringLiteral("middleBorder"), QColor(0xff, 0xff, 0xff), 1, this))
    , m_innerBorder(new BorderShape(QStringLiteral("innerBorder"), QColor(0xd3, 0xdb, 0xe6), 2, this)) {
    setPalette(colours::windowPalette(palette()));
    setAutoFillBackground(true);

    m_hoverTimer.setObjectName(QStringLiteral("hoverTimer"));
    m_hoverTimer.setInterval(100);
    connect(&m_hoverTimer, &QTimer::timeout, this, &BorderlessWindow::updateHoverImages);
}

void BorderlessWindow::sizeBorderShapes() {
    for (BorderShape* shape : {m_outerBorder, m_middleBorder, m_innerBorder}) {
        shape->setGeometry(rect());
        shape->raise();
    }
}

void BorderlessWindow::showAt(QPoint place) {
    m_placeWhileMapping = place;
    move(place);
    show();
}

void BorderlessWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    // The images moved under the pointer.
    if (m_hoverTimer.isActive())
        m_pointerMayHaveMoved = true;
    if (!m_placeWhileMapping)
        return;
    // A window manager that takes a window back (openbox does) may report a stale
    // place, (0, 0), as the window maps: the window stands where it was put, but Qt
    // would believe the report, and a stored position would be wrong. Put it again.
    if (windowHandle() && windowHandle()->isExposed())
        m_placeWhileMapping.reset();
    else if (isVisible() && event->pos() != *m_placeWhileMapping)
        move(*m_placeWhileMapping);
}

void BorderlessWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    sizeBorderShapes();
}

void BorderlessWindow::addHoverPair(QWidget* normal, QWidget* lit) {
    m_hoverPairs.append(HoverPair{normal, lit});
    lit->hide();
    normal->show();
    // The normal look never takes a click; the pointer falls through to the lit image
    // or to the window surface.
    normal->setAttribute(Qt::WA_TransparentForMouseEvents);
    // The lit image goes out when the keyboard leaves it.
    lit->installEventFilter(this);
}

void BorderlessWindow::lightPair(const HoverPair& pair, bool pointerOver) {
    const bool lit = pointerOver || focusWidget() == pair.lit;
    pair.lit->setVisible(lit);
    pair.normal->setVisible(!lit);
}

TitleBarButton BorderlessWindow::addTitleBarButton(const QString& normalName, const QString& litName,
                                                   const QString& picture, const QString& name, QRect place) {
    auto* normal = new ImagePicture(normalName, name, this);
    normal->setIcon(zantor::picture(QStringLiteral(":/icons/%1.svg").arg(picture)));
    normal->setGeometry(place);
    auto* lit = new ImageButton(litName, zantor::picture(QStringLiteral(":/icons/%1-on.svg").arg(picture)),
                                name, this);
    lit->setGeometry(place);
    addHoverPair(normal, lit);
    return {normal, lit};
}

bool BorderlessWindow::mouseOverControl(const QWidget* control, QPoint cursor) {
    const QPoint topLeft = control->mapToGlobal(QPoint(0, 0));
    const int x1 = topLeft.x();
    const int y1 = topLeft.y();
    const int x2 = x1 + control->width();
    const int y2 = y1 + control->height();
    return x1 < cursor.x() && cursor.x() < x2 && y1 < cursor.y() && cursor.y() < y2;
}

void BorderlessWindow::updateHoverImages() {
    // A pointer at rest changes nothing, unless a lit image is left: the pointer may
    // have gone straight from it out of the window without the window hearing of it.
    if (!m_pointerMayHaveMoved && !anyImageLit())
        return;
    m_pointerMayHaveMoved = false;
    const QPoint cursor = QCursor::pos();
    for (const HoverPair& pair : std::as_const(m_hoverPairs))
        lightPair(pair, mouseOverControl(pair.normal, cursor));
    if (!rect().contains(mapFromGlobal(cursor)))
        m_hoverTimer.stop();
}

void BorderlessWindow::watchPointer() {
    if (m_hoverPairs.isEmpty())
        return;
    m_pointerMayHaveMoved = true;
    if (!m_hoverTimer.isActive())
        m_hoverTimer.start();
}

bool BorderlessWindow::anyImageLit() const {
    return std::any_of(m_hoverPairs.cbegin(), m_hoverPairs.cend(), [this](const HoverPair& pair) {
        return pair.lit->isVisible() && focusWidget() != pair.lit;
    });
}

namespace {

void sink(QWidget* control, QPoint& place) {
    place = control->pos();
    control->move(place + QPoint(1, 1));
}

} // namespace

void BorderlessWindow::sinkButton(QWidget* button) {
    sink(button, m_buttonPlace);
}

void BorderlessWindow::raiseButton(QWidget* button) {
    button->move(m_buttonPlace);
}

void BorderlessWindow::sinkPartner(QWidget* control) {
    sink(control, m_partnerPlace);
}

void BorderlessWindow::raisePartner(QWidget* control) {
    control->move(m_partnerPlace);
}

void BorderlessWindow::attachPressEffect(QAbstractButton* button) {
    m_pressEffectButtons.insert(button);
    button->installEventFilter(this);
}

bool BorderlessWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // The native window hears every move of the pointer over it, whichever child is
    // under the pointer, and even after an entry went unheard.
    if (watched == windowHandle()) {
        if (type == QEvent::MouseMove)
            watchPointer();
        return QWidget::eventFilter(watched, event);
    }
    if (type == QEvent::FocusOut) {
        for (const HoverPair& pair : std::as_const(m_hoverPairs)) {
            if (pair.lit == watched)
                lightPair(pair, pair.lit->underMouse());
        }
    }
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    if ((!press && type != QEvent::MouseButtonRelease) || !m_pressEffectButtons.contains(watched))
        return QWidget::eventFilter(watched, event);
    auto* button = static_cast<QAbstractButton*>(watched);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    // Any mouse button sinks it, the first one down; it comes back when the last one is
    // up. A button that went down keeps the mouse until release, wherever the pointer
    // is by then, so it always comes back.
    if (press && mouse->buttons() == mouse->button())
        sinkButton(button);
    else if (!press && mouse->buttons() == Qt::NoButton)
        raiseButton(button);
    // Only the left button clicks. The others stop here: passed up, they would start
    // dragging the window from a button.
    return mouse->button() != Qt::LeftButton;
}

bool BorderlessWindow::pressIsOnControl(QPoint position) const {
    for (const QWidget* widget = childAt(position); widget && widget != this;
         widget = widget->parentWidget()) {
        if (qobject_cast<const QAbstractButton*>(widget) ||
            qobject_cast<const QAbstractScrollArea*>(widget) ||
            qobject_cast<const QAbstractSlider*>(widget) || qobject_cast<const QComboBox*>(widget) ||
            qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget))
            return true;
    }
    return false;
}

void BorderlessWindow::mousePressEvent(QMouseEvent* event) {
    // A press on a control that the control let through (a right click on a check
    // box, say) is no grip on the window.
    if (pressIsOnControl(event->position().toPoint())) {
        event->accept();
        return;
    }
    // Any button on the surface moves the window, as a title bar would, once the pointer
    // has gone the platform's drag distance with it held: a tap is no drag, and a window
    // manager that took the move on the press would hold the window to the pointer after
    // a quick click.
    m_pressedAt = event->globalPosition().toPoint();
    m_dragOffset = *m_pressedAt - frameGeometry().topLeft();
    event->accept();
}

void BorderlessWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pointer = event->globalPosition().toPoint();
    if (m_pressedAt && event->buttons() != Qt::NoButton &&
        (pointer - *m_pressedAt).manhattanLength() >= QApplication::startDragDistance()) {
        m_pressedAt.reset();
        m_manualDrag = !(windowHandle() && windowHandle()->startSystemMove());
    }
    if (m_manualDrag)
        move(pointer - m_dragOffset);
    QWidget::mouseMoveEvent(event);
}

void BorderlessWindow::mouseReleaseEvent(QMouseEvent* event) {
    m_pressedAt.reset();
    m_manualDrag = false;
    QWidget::mouseReleaseEvent(event);
}

void BorderlessWindow::enterEvent(QEnterEvent* event) {
    watchPointer();
    QWidget::enterEvent(event);
}

void BorderlessWindow::leaveEvent(QEvent* event) {
    // The pointer is off the window: nothing on it is lit, and nothing needs watching
    // until it comes back. The pointer position alone would miss this where it stops
    // updating, as over a native Wayland window next to an XWayland one, or where
    // another window covers this one.
    for (const HoverPair& pair : std::as_const(m_hoverPairs))
        lightPair(pair, false);
    m_hoverTimer.stop();
    QWidget::leaveEvent(event);
}

bool BorderlessWindow::focusNextPrevChild(bool next) {
    // A title-bar command is hidden behind its picture at rest: it counts where its
    // picture shows.
    const auto reachable = [this](QWidget* control) {
        if (!control->isEnabled())
            return false;
        for (const HoverPair& pair : std::as_const(m_hoverPairs)) {
            if (pair.lit == control)
                return pair.normal->isVisibleTo(this) || pair.lit->isVisibleTo(this);
        }
        return control->isVisibleTo(this);
    };
    QList<QWidget*> stops = controlsInReadingOrder(this);
    stops.removeIf([&](QWidget* control) { return !reachable(control); });
    if (stops.isEmpty())
        return false;
    // The focus may be inside a control made of several widgets.
    qsizetype at = -1;
    for (QWidget* widget = focusWidget(); widget && widget != this && at < 0; widget = widget->parentWidget())
        at = stops.indexOf(widget);
    const qsizetype count = stops.size();
    QWidget* chosen = stops[at < 0 ? (next ? 0 : count - 1) : (at + (next ? 1 : count - 1)) % count];
    for (const HoverPair& pair : std::as_const(m_hoverPairs)) {
        if (pair.lit == chosen) {
            pair.lit->show();
            pair.normal->hide();
        }
    }
    chosen->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void BorderlessWindow::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    // Enter presses the command that has the focus, as Space does; a box or a choice
    // is ticked by Space alone.
    auto* command = qobject_cast<QAbstractButton*>(focusWidget());
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && command && !command->isCheckable() &&
        command->isEnabled()) {
        command->click();
        return;
    }
    if (key == Qt::Key_Escape && m_closesOnEscape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void BorderlessWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The keyboard starts at the first control below the title bar, unless the window
    // chose one.
    if (!focusWidget()) {
        for (QWidget* control : controlsInReadingOrder(this)) {
            const bool titleBarCommand =
                std::any_of(m_hoverPairs.cbegin(), m_hoverPairs.cend(),
                            [control](const HoverPair& pair) { return pair.lit == control; });
            if (!titleBarCommand && control->isVisibleTo(this) && control->isEnabled()) {
                control->setFocus(Qt::OtherFocusReason);
                break;
            }
        }
    }
    windowHandle()->installEventFilter(this);
    // A window that maps under a resting pointer may hear of no entry: look once.
    watchPointer();
    updateHoverImages();
}

void BorderlessWindow::hideEvent(QHideEvent* event) {
    // A window in the tray or behind a page window wakes nobody.
    m_hoverTimer.stop();
    QWidget::hideEvent(event);
}

} // namespace zantor
