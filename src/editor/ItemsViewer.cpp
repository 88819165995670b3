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
                         const QString& addresses)
    : BorderlessWindow(host) {
    setObjectName(QStringLiteral("ItemsViewer"));
    setWindowTitle(QStringLiteral("Kelmar Zantor"));
    setWindowIcon(host->windowIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(sansSerif(11));
    resize(twips::size(kWidth, kHeight));
    sizeBorderShapes();
    // Centred over the host, a little below its title.
    move(host->x() + (host->width() - width()) / 2, host->y() + twips::toPixels(kBelowHostTop));

    const TitleBarButton close = addTitleBarButton(QStringLiteral("imgFechar"), QStringLiteral("imgFecharOn"),
                                                   QStringLiteral("title-close"), QStringLiteral("Fechar"),
                                                   twips::rect(kWidth - 450, 90, 270, 270));
    imgFechar = close.normal;
    imgFecharOn = close.lit;
    connect(imgFecharOn, &QAbstractButton::clicked, this, &QWidget::close);

    lblTitGrupo = new QLabel(groupTitle, this);
    lblTitGrupo->setObjectName(QStringLiteral("lblTitGrupo"));
    lblTitGrupo->setGeometry(twips::rect(240, 245, 3975, 255));
    lblTitGrupo->setFont(sansSerif(12, true));

    txtDesc = new QPlainTextEdit(this);
    txtDesc->setObjectName(QStringLiteral("txtDesc"));
    txtDesc->setAccessibleName(QStringLiteral("Itens do grupo"));
    txtDesc->setGeometry(twips::rect(240, 515, 4030, 2685));
    txtDesc->setReadOnly(true);
    txtDesc->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Long addresses wrap anywhere, so that none hides past the box's right edge.
    txtDesc->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    txtDesc->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtDesc->setPlainText(itemListing(description, addresses));
    nameScrollBars(txtDesc);
}

QString ItemsViewer::itemListing(const QString& description, const QString& addresses) {
    const QStringList titles = titlePieces(description);
    const QStringList addressList = addressPieces(addresses);
    QString listing;
    for (qsizetype k = 0; k < titles.size() && k < addressList.size(); ++k) {
        const QString gap = k == titles.size() - 1 ? QString() : kLineEnd + kLineEnd;
        listing +=
            QString::number(k + 1) + QStringLiteral(" - ") + titles[k] + kLineEnd + addressList[k] + gap;
    }
    return listing;
}

void ItemsViewer::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

} // namespace zantor
