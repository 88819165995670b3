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
        ImageButton*& button;
        QLabel*& title;
        QLabel*& description;
        const char* buttonName;
        const char* titleName;
        const char* descriptionName;
        QString titleText;
        QString descriptionText;
        QString file;
    };
    const Document documents[] = {
        {btn1, ReadMe1, Label2, "btn1", "ReadMe1", "Label2",
         QStringLiteral("ReadMe Informações e Considerações"),
         QStringLiteral("Consulte este ReadMe para considerações gerais sobre meus softwares."),
         QStringLiteral("ReadMe_Informacoes-e-consideracoes.pdf")},
        {btn2, Label7, Label1, "btn2", "Label7", "Label1", QStringLiteral("ReadMe Licença de Utilização"),
         QStringLiteral("Consulte este ReadMe para informações sobre a licença de uso e atualização."),
         QStringLiteral("ReadMe_Licenca-de-utilizacao.pdf")},
        {btn3, Label9, Label8, "btn3", "Label9", "Label8", QStringLiteral("ReadMe Características e Versão"),
         QStringLiteral("Consulte este ReadMe para ver as características do software e da versão."),
         QStringLiteral("ReadMe_Caracteristicas-da-versao.pdf")},
    };
    int top = 1800;
    for (const Document& document : documents) {
        document.button = new ImageButton(QString::fromLatin1(document.buttonName),
                                          picture(QStringLiteral(":/icons/button-readme.svg")),
                                          QStringLiteral(" Abrir o %1").arg(document.titleText), this);
        document.button->setGeometry(twips::rect(360, top, 570, 570));
        attachPressEffect(document.button);
        const QString path = m_shippedFolder + QStringLiteral("/ReadMe/") + document.file;
        connect(document.button, &QAbstractButton::clicked, this, [this, path] { OpenFile(path); });

        document.title =
            makeLabel(document.titleName, document.titleText, twips::rect(1110, top, 5250, 270), this);
        document.title->setFont(sansSerif(12, true));
        setTextColour(document.title, colours::windowFrame());
        document.description = makeLabel(document.descriptionName, document.descriptionText,
                                         twips::rect(1110, top + 285, 5250, 480), this);
        document.description->setWordWrap(true);
        document.description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setTextColour(document.description, QColor(0x55, 0x60, 0x70));
        top += 1110;
    }

    Label5 = makeLabel("Label5", QStringLiteral("ATENÇÃO:"), twips::rect(480, 5265, 5640, 270), this);
    Label5->setFont(sansSerif(12, true));
    setTextColour(Label5, colours::statusRed());
    Label4 =
        makeLabel("Label4",
                  QStringLiteral("Leia os ReadMes com atenção antes de tentar fazer qualquer alteração nos "
                                 "arquivos do aplicativo (imagens ou banco de dados). Procedimentos errados "
                                 "podem comprometer o funcionamento ou inutilizar o software."),
                  twips::rect(480, 5565, 5640, 960), this);
    Label4->setWordWrap(true);
    Label4->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextColour(Label4, colours::windowFrame());
}

void HelpPage::OpenFile(const QString& path) {
    const QString shown = QDir::toNativeSeparators(path);
    if (!m_opener.exists(path)) {
        prompt::message(this, PromptIcon::Warning, QStringLiteral("Ajuda"),
                        QStringLiteral("O documento não foi encontrado:\n%1").arg(shown));
        return;
    }
    if (!m_opener.open(path))
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
