#include "ImagePicture.h"

#include <QAccessibleWidget>
#include <QPainter>

namespace zantor {

namespace {

// Screen readers learn that the widget is a picture, as they would of a label
// showing one.
QAccessibleInterface* pictureInterface(const QString& className, QObject* object) {
    if (className == QLatin1String("zantor::ImagePicture") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    return nullptr;
}

} // namespace

ImagePicture::ImagePicture(const QString& name, const QString& accessibleName, QWidget* parent)
    : QWidget(parent) {
    static const bool factoryInstalled = (QAccessible::installFactory(pictureInterface), true);
    Q_UNUSED(factoryInstalled);
    setObjectName(name);
    setAccessibleName(accessibleName);
}

void ImagePicture::setIcon(const QIcon& icon) {
    m_icon = icon;
    update();
}

void ImagePicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_icon.paint(&painter, rect());
}

} // namespace zantor
