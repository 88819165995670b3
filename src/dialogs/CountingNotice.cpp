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
    , lblMensagem(makeLabel("lblMensagem", QColor(64, 64, 64), kMessagePixelSize, false, this))
    , lblCount(makeLabel("lblCount", QColor(0x8a, 0x94, 0xa3), 13, true, this))
    , shpMe(new BorderShape(QStringLiteral("shpMe"), QColor(0x3b, 0x4a, 0x5e), 0, this)) {
    setObjectName(QStringLiteral("CountingNotice"));
    setWindowTitle(QStringLiteral("Zantor"));
    setAttribute(Qt::WA_DeleteOnClose);
    // A notice confirms; it never takes the keyboard from the window the user works in.
    setAttribute(Qt::WA_ShowWithoutActivating);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    resize(twips::size(1890, 585));
    lblMensagem->setGeometry(twips::rect(0, 60, 1535, 275));
    lblCount->setGeometry(twips::rect(60, 315, 1755, 195));
    setWindowIcon(icon);
    shpMe->setGeometry(0, 0, width() + twips::toPixels(30), height());

    m_counter = kCountdownSeconds;
    lblCount->setText(QString::number(m_counter));
    TimerCount.setObjectName(QStringLiteral("TimerCount"));
    TimerCount.setInterval(1000);
    connect(&TimerCount, &QTimer::timeout, this, &CountingNotice::countDown);
    TimerCount.start();
}

void CountingNotice::setNoticeWidth(int width) {
    resize(width, height());
    for (QWidget* part : std::initializer_list<QWidget*>{lblMensagem, lblCount, shpMe})
        part->resize(width, part->height());
    fitMessage();
}

void CountingNotice::setMessage(const QString& text) {
    lblMensagem->setText(text);
    fitMessage();
}

void CountingNotice::fitMessage() {
    // The narrowest notice, under the narrowest compact window, is 88 pixels wide.
    constexpr int kMargin = 4;
    QFont font = lblMensagem->font();
    font.setPixelSize(kMessagePixelSize);
    while (font.pixelSize() > kSmallestMessagePixelSize &&
           QFontMetrics(font).horizontalAdvance(lblMensagem->text()) > lblMensagem->width() - kMargin)
        font.setPixelSize(font.pixelSize() - 1);
    lblMensagem->setFont(font);
}

void CountingNotice::countDown() {
    --m_counter;
    lblCount->setText(QString::number(m_counter));
    if (m_counter < 1) {
        TimerCount.stop();
        m_counter = 0;
        close();
    }
}

} // namespace zantor
