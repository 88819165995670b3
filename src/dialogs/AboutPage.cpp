#include "AboutPage.h"

#include "MakerAddress.h"
#include "chrome/ClickableLabel.h"
#include "chrome/ImageButton.h"
#include "chrome/ImagePicture.h"
#include "chrome/Prompt.h"
#include "chrome/SystemColours.h"
#include "chrome/TextStyle.h"
#include "chrome/Twips.h"
#include "platform/Pictures.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>

namespace zantor {

namespace {
const QColor kLinkColour(0x2f, 0x6f, 0xb5);
}

AboutPage::AboutPage(PageHostWindow& host)
    : InfoPageWindow(host, QStringLiteral("AboutPage"), QStringLiteral("Sobre o programa"))
    , openAddress([](const QUrl& address) { return QDesktopServices::openUrl(address); }) {
    const auto centred = [this](const char* name, const QString& text, QRect geometry) {
        QLabel* label = makeLabel(name, text, geometry, this);
        label->setAlignment(Qt::AlignCenter);
        return label;
    };
    // The logo stands large in the middle of this page.
    logo()->setGeometry(twips::rect(2580, 1800, 1440, 1440));

    QLabel* maker = centred("makerName", QStringLiteral("Kelmar"), twips::rect(240, 3360, 6120, 300));
    maker->setFont(sansSerif(14, true));
    setTextColour(maker, colours::activeBorder().darker(130));
    QLabel* program = centred("programName", QStringLiteral("Zantor"), twips::rect(240, 3630, 6120, 600));
    program->setFont(sansSerif(32, true));
    setTextColour(program, kLinkColour);
    m_version = centred("version", QStringLiteral("Versão: %1   •  Setembro/2024").arg(ZANTOR_VERSION),
                        twips::rect(240, 4260, 6120, 270));
    setTextColour(m_version, colours::windowFrame());

    // An empty line drawn as a thin rule between the program and its maker.
    QLabel* separator = makeLabel("separator", QString(), twips::rect(1800, 4830, 3000, 15), this);
    separator->setAccessibleName(QStringLiteral("Separador"));
    separator->setAutoFillBackground(true);
    QPalette rule = separator->palette();
    rule.setColor(QPalette::Window, QColor(0xd3, 0xdb, 0xe6));
    separator->setPalette(rule);

    const QString address = QString::fromLatin1(kMakerAddress);
    m_siteButton =
        new ImageButton(QStringLiteral("siteButton"), picture(QStringLiteral(":/icons/button-site.svg")),
                        QStringLiteral(" Visitar a página do autor"), this);
    m_address = new ClickableLabel(address, this);
    m_address->setObjectName(QStringLiteral("makerAddress"));
    m_address->setAccessibleName(address);
    m_address->setToolTip(m_siteButton->toolTip());
    m_address->setCursor(Qt::PointingHandCursor);
    QFont link = sansSerif(12);
    link.setUnderline(true);
    m_address->setFont(link);
    setTextColour(m_address, kLinkColour);
    // The picture and the address stand centred together, however long the address.
    const int pictureSize = twips::toPixels(420);
    const int gap = twips::toPixels(90);
    const int addressWidth = m_address->fontMetrics().horizontalAdvance(address) + 2;
    const int left = (width() - pictureSize - gap - addressWidth) / 2;
    m_siteButton->setGeometry(left, twips::toPixels(5100), pictureSize, pictureSize);
    m_address->setGeometry(left + pictureSize + gap, twips::toPixels(5160), addressWidth,
                           twips::toPixels(300));

    QLabel* invitation =
        centred("invitation", QStringLiteral("Clique no link acima e conheça mais sobre meu trabalho."),
                twips::rect(240, 5670, 6120, 270));
    setTextColour(invitation, QColor(0x55, 0x60, 0x70));

    for (QWidget* control : {static_cast<QWidget*>(m_siteButton), static_cast<QWidget*>(m_address)})
        control->installEventFilter(this);
    connect(m_siteButton, &QAbstractButton::clicked, this, &AboutPage::openMakerAddress);
    connect(m_address, &ClickableLabel::clicked, this, &AboutPage::openMakerAddress);
}

bool AboutPage::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool pair = watched == m_siteButton || watched == m_address;
    if (!pair || (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease))
        return InfoPageWindow::eventFilter(watched, event);
    if (type == QEvent::MouseButtonPress && !m_pairSunk) {
        sinkButton(m_siteButton);
        sinkPartner(m_address);
        m_pairSunk = true;
    } else if (type == QEvent::MouseButtonRelease && m_pairSunk) {
        raiseButton(m_siteButton);
        raisePartner(m_address);
        m_pairSunk = false;
    }
    // Any button sinks the pair; only the left one goes on to open the address, and
    // the others must not start dragging the window.
    return static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton;
}

void AboutPage::openMakerAddress() {
    const QString address = QString::fromLatin1(kMakerAddress);
    if (!openAddress(QUrl(address)))
        prompt::message(this, PromptIcon::Warning, QStringLiteral("Sobre o programa"),
                        QStringLiteral("Não foi possível abrir o endereço:\n%1").arg(address));
}

} // namespace zantor
