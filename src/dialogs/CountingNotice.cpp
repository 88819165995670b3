#include "CountingNotice.h"

#include "chrome/BorderShape.h"
#include "chrome/Twips.h"

#include <QIcon>
#include <QLabel>

namespace zantor {

namespace {

constexpr int kCountdownSeconds = 3;
constexpr int kMessagePixelSize = 11;
constexpr int kSmallestMessagePixelSize = 8;

QLabel* makeLabel(const char* name, const QColor& colour, int pixelSize, bool bold, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

} // namespace

CountingNotice::CountingNotice(const QIcon& icon, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint)
    , m_message(makeLabel("message", QColor(64, 64, 64), kMessagePixelSize, false, this))
    , m_count(makeLabel("count", QColor(0x8a, 0x94, 0xa3), 13, true, this))
    , m_border(new BorderShape(QStringLiteral("border"), QColor(0x3b, 0x4a, 0x5e), 0, this)) {
    setObjectName(QStringLiteral("CountingNotice"));
    setWindowTitle(QStringLiteral("Zantor"));
    setAttribute(Qt::WA_DeleteOnClose);
    // A notice confirms; it never takes the keyboard from the window the user works in.
    setAttribute(Qt::WA_ShowWithoutActivating);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    setFixedSize(twips::size(1890, 585));
    m_message->setGeometry(twips::rect(0, 60, 1535, 275));
    m_count->setGeometry(twips::rect(60, 315, 1755, 195));
    setWindowIcon(icon);
    m_border->setGeometry(0, 0, width() + twips::toPixels(30), height());

    m_counter = kCountdownSeconds;
    m_count->setText(QString::number(m_counter));
    m_countTimer.setObjectName(QStringLiteral("countTimer"));
    m_countTimer.setInterval(1000);
    connect(&m_countTimer, &QTimer::timeout, this, &CountingNotice::countDown);
    m_countTimer.start();
}

void CountingNotice::setNoticeWidth(int width) {
    setFixedWidth(width);
    for (QWidget* part : std::initializer_list<QWidget*>{m_message, m_count, m_border})
        part->resize(width, part->height());
    fitMessage();
}

void CountingNotice::setMessage(const QString& text) {
    m_message->setText(text);
    fitMessage();
}

void CountingNotice::fitMessage() {
    // The narrowest notice, under the narrowest compact window, is 88 pixels wide.
    constexpr int kMargin = 4;
    QFont font = m_message->font();
    font.setPixelSize(kMessagePixelSize);
    while (font.pixelSize() > kSmallestMessagePixelSize &&
           QFontMetrics(font).horizontalAdvance(m_message->text()) > m_message->width() - kMargin)
        font.setPixelSize(font.pixelSize() - 1);
    m_message->setFont(font);
}

void CountingNotice::countDown() {
    --m_counter;
    m_count->setText(QString::number(m_counter));
    if (m_counter < 1) {
        m_countTimer.stop();
        m_counter = 0;
        close();
    }
}

} // namespace zantor
