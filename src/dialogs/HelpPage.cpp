#include "HelpPage.h"

#include "chrome/ImageButton.h"
#include "chrome/Prompt.h"
#include "chrome/SystemColours.h"
#include "chrome/TextStyle.h"
#include "chrome/Twips.h"
#include "platform/Pictures.h"
#include "platform/ResourceHandler.h"

#include <QDir>
#include <QLabel>
#include <QPainter>

namespace zantor {

namespace {
// The attention note stands in a soft box at the foot of the page.
const QRect kAttentionBox = twips::rect(240, 5130, 6120, 1470);
} // namespace

HelpPage::HelpPage(PageHostWindow& host, const QString& shippedFolder, ResourceHandler& opener)
    : InfoPageWindow(host, QStringLiteral("HelpPage"), QStringLiteral("Ajuda"))
    , m_shippedFolder(shippedFolder)
    , m_opener(opener) {
    struct Document {
        const char* buttonName;
        const char* titleName;
        const char* descriptionName;
        QString title;
        QString description;
        QString file;
    };
    const Document documents[] = {
        {"informationButton", "informationTitle", "informationDescription",
         QStringLiteral("ReadMe Informações e Considerações"),
         QStringLiteral("Consulte este ReadMe para considerações gerais sobre meus softwares."),
         QStringLiteral("ReadMe_Informacoes-e-consideracoes.pdf")},
        {"licenceButton", "licenceTitle", "licenceDescription",
         QStringLiteral("ReadMe Licença de Utilização"),
         QStringLiteral("Consulte este ReadMe para informações sobre a licença de uso e atualização."),
         QStringLiteral("ReadMe_Licenca-de-utilizacao.pdf")},
        {"featuresButton", "featuresTitle", "featuresDescription",
         QStringLiteral("ReadMe Características e Versão"),
         QStringLiteral("Consulte este ReadMe para ver as características do software e da versão."),
         QStringLiteral("ReadMe_Caracteristicas-da-versao.pdf")},
    };
    int top = 1800;
    for (const Document& document : documents) {
        auto* button = new ImageButton(QString::fromLatin1(document.buttonName),
                                       picture(QStringLiteral(":/icons/button-readme.svg")),
                                       QStringLiteral(" Abrir o %1").arg(document.title), this);
        button->setGeometry(twips::rect(360, top, 570, 570));
        attachPressEffect(button);
        const QString path = m_shippedFolder + QStringLiteral("/ReadMe/") + document.file;
        connect(button, &QAbstractButton::clicked, this, [this, path] { openDocument(path); });

        QLabel* title =
            makeLabel(document.titleName, document.title, twips::rect(1110, top, 5250, 270), this);
        title->setFont(sansSerif(12, true));
        setTextColour(title, colours::windowFrame());
        QLabel* description = makeLabel(document.descriptionName, document.description,
                                        twips::rect(1110, top + 285, 5250, 480), this);
        description->setWordWrap(true);
        description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setTextColour(description, QColor(0x55, 0x60, 0x70));
        top += 1110;
    }

    QLabel* attention =
        makeLabel("attentionTitle", QStringLiteral("ATENÇÃO:"), twips::rect(480, 5265, 5640, 270), this);
    attention->setFont(sansSerif(12, true));
    setTextColour(attention, colours::statusRed());
    QLabel* advice =
        makeLabel("attentionText",
                  QStringLiteral("Leia os ReadMes com atenção antes de tentar fazer qualquer alteração nos "
                                 "arquivos do aplicativo (imagens ou banco de dados). Procedimentos errados "
                                 "podem comprometer o funcionamento ou inutilizar o software."),
                  twips::rect(480, 5565, 5640, 960), this);
    advice->setWordWrap(true);
    advice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextColour(advice, colours::windowFrame());
}

void HelpPage::openDocument(const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    if (!m_opener.exists(path)) {
        prompt::message(this, PromptIcon::Warning, QStringLiteral("Ajuda"),
                        QStringLiteral("O documento não foi encontrado:\n%1").arg(shown));
        return;
    }
    if (!m_opener.open(path, {}))
        prompt::message(
            this, PromptIcon::Warning, QStringLiteral("Ajuda"),
            QStringLiteral("Não foi possível abrir o documento:\n%1\n\nVerifique se há um leitor de PDF "
                           "instalado.")
                .arg(shown));
}

void HelpPage::paintEvent(QPaintEvent* event) {
    InfoPageWindow::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0xf0, 0xd0, 0xc8));
    painter.setBrush(QColor(0xfd, 0xf3, 0xf0));
    painter.drawRoundedRect(QRectF(kAttentionBox).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
}

} // namespace zantor
