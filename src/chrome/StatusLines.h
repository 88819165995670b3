#pragma once

#include <QObject>
#include <QString>
#include <QVector>

class QLabel;
class QTimer;

namespace zantor {

// A window's status lines: red messages that one timer clears. A line shows its message
// to screen readers too, and says what it is for while it is empty.
class StatusLines : public QObject {
    Q_OBJECT
public:
    // `timer` is the window's message timer, which clears every line when it fires.
    explicit StatusLines(QTimer& timer);

    // A line more, empty for now.
    void add(QLabel* line);
    // Shows `text` on `line` and clears the lines `ms` from now.
    void show(QLabel* line, const QString& text, int ms);
    void clear();

private:
    QTimer& m_timer;
    QVector<QLabel*> m_lines;
};

} // namespace zantor
