#include "BorderlessWindow.h"

#include "BorderShape.h"
#include "ImageButton.h"
#include "ImagePicture.h"
#include "SystemColours.h"
#include "Twips.h"

#include <QAbstractButton>
#include <QCursor>
#include <QMouseEvent>
#include <QWindow>

namespace zantor {

BorderlessWindow::BorderlessWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint)
    , shpMe(new BorderShape(QStringLiteral("shpMe"), QColor(0x3b, 0x4a, 0x5e), 0, this))
    , shpMe2(new BorderShape(QStringLiteral("shpMe2"), QColor(0xff, 0xff, 0xff), 1, this))
    , shpMe3(new BorderShape(QStringLiteral("shpMe3"), QColor(0xd3, 0xdb, 0xe6), 2, this)) {
    QPalette background = palette();
    background.setColor(QPalette::Window, colours::windowBackground());
    setPalette(background);
    setAutoFillBackground(true);

    m_hoverTimer.setInterval(100);
    connect(&m_hoverTimer, &QTimer::timeout, this, &BorderlessWindow::updateHoverImages);
}

void BorderlessWindow::sizeBorderShapes() {
    for (BorderShape* shape : {shpMe, shpMe2, shpMe3}) {
        shape->setGeometry(rect());
        shape->raise();
    }
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
}

TitleBarButton BorderlessWindow::addTitleBarButton(const QString& normalName, const QString& litName,
                                                   const QString& picture, const QString& name, QRect place) {
    auto* normal = new ImagePicture(normalName, name, this);
    normal->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(picture)));
    normal->setGeometry(place);
    auto* lit = new ImageButton(litName, QIcon(QStringLiteral(":/icons/%1-on.svg").arg(picture)), name, this);
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

bool BorderlessWindow::mouseOverControl(const QWidget* control) const {
    return mouseOverControl(control, QCursor::pos());
}

void BorderlessWindow::updateHoverImages() {
    for (const HoverPair& pair : std::as_const(m_hoverPairs)) {
        const bool over = mouseOverControl(pair.normal);
        pair.lit->setVisible(over);
        pair.normal->setVisible(!over);
    }
}

namespace {

void sink(QWidget* control, QString& top, QString& left) {
    top = QString::number(twips::fromPixels(control->y()));
    left = QString::number(twips::fromPixels(control->x()));
    control->move(control->pos() + QPoint(1, 1));
}

void rise(QWidget* control, const QString& top, const QString& left) {
    control->move(twips::toPixels(left.toDouble()), twips::toPixels(top.toDouble()));
}

} // namespace

void BorderlessWindow::desceBotao(QWidget* button) {
    sink(button, lblPosTop, lblPosLeft);
}

void BorderlessWindow::sobeBotao(QWidget* button) {
    rise(button, lblPosTop, lblPosLeft);
}

void BorderlessWindow::desceBotao2(QWidget* control) {
    sink(control, lblPosTop2, lblPosLeft2);
}

void BorderlessWindow::sobeBotao2(QWidget* control) {
    rise(control, lblPosTop2, lblPosLeft2);
}

void BorderlessWindow::attachPressEffect(QAbstractButton* button) {
    connect(button, &QAbstractButton::pressed, this, [this, button] { desceBotao(button); });
    // A button that went down keeps the mouse until release, wherever the pointer is
    // by then, so it always comes back.
    connect(button, &QAbstractButton::released, this, [this, button] { sobeBotao(button); });
}

void BorderlessWindow::mousePressEvent(QMouseEvent* event) {
    // Any button on the surface moves the window, as a title bar would.
    if (windowHandle() && windowHandle()->startSystemMove()) {
        event->accept();
        return;
    }
    m_manualDrag = true;
    m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    event->accept();
}

void BorderlessWindow::mouseMoveEvent(QMouseEvent* event) {
    if (m_manualDrag)
        move(event->globalPosition().toPoint() - m_dragOffset);
    QWidget::mouseMoveEvent(event);
}

void BorderlessWindow::mouseReleaseEvent(QMouseEvent* event) {
    m_manualDrag = false;
    QWidget::mouseReleaseEvent(event);
}

void BorderlessWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    updateHoverImages();
    m_hoverTimer.start();
}

void BorderlessWindow::hideEvent(QHideEvent* event) {
    // A window in the tray or behind a page window wakes nobody.
    m_hoverTimer.stop();
    QWidget::hideEvent(event);
}

} // namespace zantor
