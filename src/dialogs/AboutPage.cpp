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
    imgLogo->setGeometry(twips::rect(2580, 1800, 1440, 1440));

    Label1 = centred("Label1", QStringLiteral("Kelmar"), twips::rect(240, 3360, 6120, 300));
    Label1->setFont(sansSerif(14, true));
    setTextColour(Label1, colours::activeBorder().darker(130));
    Label2 = centred("Label2", QStringLiteral("Zantor"), twips::rect(240, 3630, 6120, 600));
    Label2->setFont(sansSerif(32, true));
    setTextColour(Label2, kLinkColour);
    lblVersao = centred("lblVersao", QStringLiteral("Versão: %1   •  Setembro/2024").arg(ZANTOR_VERSION),
                        twips::rect(240, 4260, 6120, 270));
    setTextColour(lblVersao, colours::windowFrame());

    // An empty line drawn as a thin rule between the program and its maker.
    Label17 = makeLabel("Label17", QString(), twips::rect(1800, 4830, 3000, 15), this);
    Label17->setAccessibleName(QStringLiteral("Separador"));
    Label17->setAutoFillBackground(true);
    QPalette rule = Label17->palette();
    rule.setColor(QPalette::Window, QColor(0xd3, 0xdb, 0xe6));
    Label17->setPalette(rule);

    const QString address = QString::fromLatin1(kMakerAddress);
    btnSite = new ImageButton(QStringLiteral("btnSite"), picture(QStringLiteral(":/icons/button-site.svg")),
                              QStringLiteral(" Visitar a página do autor"), this);
    lblAutor = new ClickableLabel(address, this);
    lblAutor->setObjectName(QStringLiteral("lblAutor"));
    lblAutor->setAccessibleName(address);
    lblAutor->setToolTip(btnSite->toolTip());
    lblAutor->setCursor(Qt::PointingHandCursor);
    QFont link = sansSerif(12);
    link.setUnderline(true);
    lblAutor->setFont(link);
    setTextColour(lblAutor, kLinkColour);
    // The picture and the address stand centred together, however long the address.
    const int pictureSize = twips::toPixels(420);
    const int gap = twips::toPixels(90);
    const int addressWidth = lblAutor->fontMetrics().horizontalAdvance(address) + 2;
    const int left = (width() - pictureSize - gap - addressWidth) / 2;
    btnSite->setGeometry(left, twips::toPixels(5100), pictureSize, pictureSize);
    lblAutor->setGeometry(left + pictureSize + gap, twips::toPixels(5160), addressWidth,
                          twips::toPixels(300));

    Label15 = centred("Label15", QStringLiteral("Clique no link acima e conheça mais sobre meu trabalho."),
                      twips::rect(240, 5670, 6120, 270));
    setTextColour(Label15, QColor(0x55, 0x60, 0x70));

    for (QWidget* control : {static_cast<QWidget*>(btnSite), static_cast<QWidget*>(lblAutor)})
        control->installEventFilter(this);
    connect(btnSite, &QAbstractButton::clicked, this, &AboutPage::openMakerAddress);
    connect(lblAutor, &ClickableLabel::clicked, this, &AboutPage::openMakerAddress);
}

bool AboutPage::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
        return InfoPageWindow::eventFilter(watched, event);
    if (type == QEvent::MouseButtonPress && !m_pairSunk) {
        desceBotao(btnSite);
        desceBotao2(lblAutor);
        m_pairSunk = true;
    } else if (type == QEvent::MouseButtonRelease && m_pairSunk) {
        sobeBotao(btnSite);
        sobeBotao2(lblAutor);
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
