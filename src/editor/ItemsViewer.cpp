#include "ItemsViewer.h"

#include "chrome/ImageButton.h"
#include "chrome/ImagePicture.h"
#include "chrome/ListStyling.h"
#include "chrome/TextStyle.h"
#include "chrome/Twips.h"
#include "data/ItemListCodec.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>

namespace zantor {

namespace {
constexpr int kWidth = 4500;
constexpr int kHeight = 3435;
constexpr int kBelowHostTop = 1530;
const QString kLineEnd = QStringLiteral("\r\n");
} // namespace

ItemsViewer::ItemsViewer(QWidget* host, const QString& groupTitle, const QString& description,
                         const QString& addresses, const QString& arguments)
    : BorderlessWindow(host) {
    setObjectName(QStringLiteral("ItemsViewer"));
    setWindowTitle(QStringLiteral("Kelmar Zantor"));
    setWindowIcon(host->windowIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(sansSerif(11));
    setFixedSize(twips::size(kWidth, kHeight));
    setClosesOnEscape(true);
    sizeBorderShapes();
    // Centred over the host, a little below its title.
    move(host->x() + (host->width() - width()) / 2, host->y() + twips::toPixels(kBelowHostTop));

    m_closeButton = addTitleBarButton(QStringLiteral("closeImage"), QStringLiteral("closeButton"),
                                      QStringLiteral("title-close"), QStringLiteral("Fechar"),
                                      twips::rect(kWidth - 450, 90, 270, 270))
                        .lit;
    connect(m_closeButton, &QAbstractButton::clicked, this, &QWidget::close);

    m_groupTitle = new QLabel(groupTitle, this);
    m_groupTitle->setObjectName(QStringLiteral("groupTitle"));
    m_groupTitle->setGeometry(twips::rect(240, 245, 3975, 255));
    m_groupTitle->setFont(sansSerif(12, true));

    m_listing = new QPlainTextEdit(this);
    m_listing->setObjectName(QStringLiteral("listing"));
    m_listing->setAccessibleName(QStringLiteral("Itens do grupo"));
    m_listing->setGeometry(twips::rect(240, 515, 4030, 2685));
    m_listing->setReadOnly(true);
    m_listing->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Long addresses wrap anywhere, so that none hides past the box's right edge.
    m_listing->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_listing->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_listing->setPlainText(itemListing(description, addresses, arguments));
    nameScrollBars(m_listing);
}

QString ItemsViewer::itemListing(const QString& description, const QString& addresses,
                                 const QString& arguments) {
    const QStringList titles = titlePieces(description);
    const QStringList addressList = addressPieces(addresses);
    const QStringList argumentList = addressPieces(arguments);
    QString listing;
    for (qsizetype k = 0; k < titles.size() && k < addressList.size(); ++k) {
        const QString gap = k == titles.size() - 1 ? QString() : kLineEnd + kLineEnd;
        listing += QString::number(k + 1) + QStringLiteral(" - ") + titles[k] + kLineEnd +
                   addressLines(addressList[k], argumentList.value(k)) + gap;
    }
    return listing;
}

QString ItemsViewer::addressLines(const QString& address, const QString& arguments) {
    return arguments.isEmpty() ? address : address + kLineEnd + QStringLiteral("Argumentos: ") + arguments;
}

void ItemsViewer::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

} // namespace zantor
