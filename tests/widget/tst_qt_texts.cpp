#include "app/QtTexts.h"
#include "chrome/Prompt.h"
#include "support/TestMain.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace zantor;

class QtTextsTest : public QObject {
    Q_OBJECT
private slots:
    void portugueseInEveryLocale_data() {
        QTest::addColumn<QString>("system");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("Brazil") << "pt_BR"
                                << "pt_BR";
        QTest::newRow("Portugal keeps its own") << "pt_PT"
                                                << "pt_PT";
        QTest::newRow("English") << "en_US"
                                 << "pt_BR";
        QTest::newRow("C") << "C"
                           << "pt_BR";
    }

    void portugueseInEveryLocale() {
        QFETCH(QString, system);
        QFETCH(QString, chosen);
        QCOMPARE(qtTextsLocale(QLocale(system)).name(), chosen);
    }

    void theChooserSpeaksPortuguese() {
        QVERIFY(installQtTranslations(*QCoreApplication::instance()));
        QWidget window;
        window.show();
        // The chooser the program opens, not the tests' stand-in.
        PromptHandler* standIn = prompt::setHandler(nullptr);
        prompt::choosePath(&window, QStringLiteral("Onde está?"), PathKind::File, QDir::tempPath(),
                           [](const QString&) {});
        prompt::setHandler(standIn);
        auto* chooser = window.findChild<QFileDialog*>();
        QVERIFY(chooser);
        // Where the desktop has a chooser of its own, Qt may use it.
        QVERIFY(!chooser->testOption(QFileDialog::DontUseNativeDialog));
        auto* buttons = chooser->findChild<QDialogButtonBox*>();
        QVERIFY(buttons);
        QStringList captions;
        for (QAbstractButton* button : buttons->buttons())
            captions << button->text().remove(QLatin1Char('&'));
        QCOMPARE(captions, QStringList({"Abrir", "Cancelar"}));
        QStringList labels;
        for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
            labels << chooser->findChild<QLabel*>(QLatin1String(name))->text().remove(QLatin1Char('&'));
        QCOMPARE(labels, QStringList({"Procurar em:", "Nome do arquivo:", "Arquivos do tipo:"}));
        chooser->close();
    }
};

ZANTOR_TEST_MAIN(QtTextsTest)
#include "tst_qt_texts.moc"
