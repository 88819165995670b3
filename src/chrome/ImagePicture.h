#pragma once

#include <QIcon>
#include <QWidget>

namespace zantor {

// A picture that is drawn from its icon at paint time, so it stays crisp on a screen
// of any scale, also after the window moves to another one.
class ImagePicture : public QWidget {
    Q_OBJECT
public:
    ImagePicture(const QString& name, const QString& accessibleName, QWidget* parent);

    void setIcon(const QIcon& icon);
    const QIcon& icon() const { return m_icon; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QIcon m_icon;
};

} // namespace zantor
