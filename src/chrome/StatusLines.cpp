#include "StatusLines.h"

#include <QLabel>
#include <QTimer>

namespace zantor {

namespace {

void setLineText(QLabel* line, const QString& text) {
    line->setText(text);
    line->setAccessibleName(text.isEmpty() ? QStringLiteral("Mensagens") : text);
}

} // namespace

StatusLines::StatusLines(QTimer& timer)
    : m_timer(timer) {
    m_timer.setObjectName(QStringLiteral("messageTimer"));
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &StatusLines::clear);
}

void StatusLines::add(QLabel* line) {
    m_lines.append(line);
    setLineText(line, QString());
}

void StatusLines::show(QLabel* line, const QString& text, int ms) {
    line->setVisible(true);
    setLineText(line, text);
    m_timer.start(ms);
}

void StatusLines::clear() {
    for (QLabel* line : std::as_const(m_lines))
        setLineText(line, QString());
}

} // namespace zantor
