#pragma once

#include <QTimer>
#include <QWidget>

class QIcon;
class QLabel;

namespace zantor {

class BorderShape;

// A short message with a countdown, 3, 2, 1, that closes itself three seconds after it
// was made. The caller places it, gives it its width and its message and shows it.
class CountingNotice : public QWidget {
    Q_OBJECT
public:
    // The notice belongs to `owner` and goes with it.
    CountingNotice(const QIcon& icon, QWidget* owner);

    // The notice and its parts this wide, in pixels.
    void setNoticeWidth(int width);
    void setMessage(const QString& text);

private:
    void countDown();
    // The message in the largest type that fits the notice's width.
    void fitMessage();

    QLabel* m_message;
    QLabel* m_count;
    BorderShape* m_border;
    QTimer m_countTimer;
    int m_counter = 0;

    friend class CountingNoticePeer;
};

} // namespace zantor
