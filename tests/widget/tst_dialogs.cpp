#include "chrome/ClickableLabel.h"
#include "chrome/ImageButton.h"
#include "chrome/ImagePicture.h"
#include "data/DbSession.h"
#include "dialogs/AboutPage.h"
#include "dialogs/DeleteConfirmation.h"
#include "dialogs/HelpPage.h"
#include "dialogs/MakerAddress.h"
#include "main/GroupListView.h"
#include "main/MainWindow.h"
#include "support/AccessibleControls.h"
#include "support/ChromePeers.h"
#include "support/RecordingPrompt.h"
#include "support/RecordingResourceHandler.h"
#include "support/TestAppFolder.h"
#include "support/TestMain.h"
#include "support/TestZantor.h"
#include "support/WindowPeers.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace zantor;

namespace {

// Groups "g00", "g01", ... whose stored custom order runs backwards, so that a list in
// custom order could never pass for the alphabetical one it was started with.
QVector<int> addGroups(const TestAppFolder& app, int count) {
    QVector<int> ids;
    for (int i = 0; i < count; ++i)
        ids.append(app.addGroup(QStringLiteral("g%1").arg(i, 2, 10, QLatin1Char('0')), {}, {}, 1, count - i));
    return ids;
}

int storedGroupCount(const TestAppFolder& app) {
    DbSession db(app.databases().groups);
    return db.select(QStringLiteral("select count(*) from Tabela1")).first().value(0).toInt();
}

void selectRows(MainWindow& window, const QVector<int>& rows) {
    for (int row : rows)
        peer(window).groupList()->selectionModel()->select(
            window.state().groups.index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

QStringList shownTitles(MainWindow& window) {
    QStringList titles;
    for (int row = 0; row < window.state().groups.rowCount(); ++row)
        titles << window.state().groups.title(row);
    return titles;
}

DeleteConfirmation* openConfirmation(MainWindow& window) {
    peer(window).deleteButton()->click();
    auto* confirmation = window.findChild<DeleteConfirmation*>();
    if (confirmation && !confirmation->isVisible())
        return nullptr;
    return confirmation;
}

template <typename Page> Page* openPage(ImageButton* command) {
    command->click();
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* page = qobject_cast<Page*>(widget))
            return page;
    }
    return nullptr;
}

// The page hands back to the main window and is gone a moment later.
void closePage(InfoPageWindow* page) {
    const QPointer<InfoPageWindow> watched(page);
    TitledWindowPeer(*page).closeButton()->click();
    QTRY_VERIFY(watched.isNull());
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void yesDeletesTheSelectedGroupsAndRebuildsTheList_data() {
        QTest::addColumn<int>("groups");
        QTest::addColumn<QVector<int>>("selectedRows");
        QTest::addColumn<bool>("covered");
        QTest::newRow("three of ten") << 10 << QVector<int>{1, 4, 7} << true;
        QTest::newRow("the only group") << 1 << QVector<int>{0} << true;
        QTest::newRow("eleven left") << 12 << QVector<int>{5} << false;
    }
    void yesDeletesTheSelectedGroupsAndRebuildsTheList() {
        QFETCH(int, groups);
        QFETCH(QVector<int>, selectedRows);
        QFETCH(bool, covered);
        TestAppFolder app;
        const QVector<int> ids = addGroups(app, groups);
        {
            DbSession db(app.databases().groups);
            db.execute(QStringLiteral("create table deleted (id integer)"));
            db.execute(QStringLiteral("create trigger keep_order after delete on Tabela1 begin insert into "
                                      "deleted values (old.id); end"));
        }
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        selectRows(window, selectedRows);

        DeleteConfirmation* confirmation = openConfirmation(window);
        QVERIFY(confirmation);
        QCOMPARE(confirmation->windowModality(), Qt::ApplicationModal);
        QCOMPARE(peer(*confirmation).question()->text(),
                 QStringLiteral("Deseja realmente apagar este(s) item(ns)?"));
        QCOMPARE(prompt.beeps, 1);
        QStringList expectedTitles = shownTitles(window);
        peer(*confirmation).yesButton()->click();

        // One statement per group, from the last selected row up.
        QVariantList expectedDeletions;
        for (auto row = selectedRows.crbegin(); row != selectedRows.crend(); ++row) {
            expectedDeletions << ids[*row];
            expectedTitles.removeAt(*row);
        }
        QVariantList deletions;
        DbSession db(app.databases().groups);
        for (const QSqlRecord& record : db.select(QStringLiteral("select id from deleted order by rowid")))
            deletions << record.value(0);
        QCOMPARE(deletions, expectedDeletions);

        // The one model shows what is left, in the order the window started with.
        const int left = groups - selectedRows.size();
        QCOMPARE(shownTitles(window), expectedTitles);
        QCOMPARE(window.state().groups.groupCount(), left);
        QCOMPARE(peer(window).groupCount()->text(), QStringLiteral("%1 ítens").arg(left));
        QCOMPARE(peer(window).listCover()->isVisibleTo(&window), covered);
        QCOMPARE(peer(window).headerCover()->isVisibleTo(&window), covered);
        QCOMPARE(peer(window).messageLine()->text(), QStringLiteral("Item(ns) deletado(s) com sucesso."));
        QCOMPARE(prompt.beeps, 2);
        QTRY_VERIFY(!window.findChild<DeleteConfirmation*>());
    }

    void everyOtherAnswerKeepsEveryGroup_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("status");
        QTest::newRow("Não") << "Não" << QString();
        QTest::newRow("Escape") << "Escape" << QString();
        QTest::newRow("Sim with nothing selected") << "Sim"
                                                   << "É preciso selecionar pelo menos 1 item.";
    }
    void everyOtherAnswerKeepsEveryGroup() {
        QFETCH(QString, answer);
        QFETCH(QString, status);
        TestAppFolder app;
        addGroups(app, 3);
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        selectRows(window, {0, 2});
        DeleteConfirmation* confirmation = openConfirmation(window);
        QVERIFY(confirmation);
        if (answer == QStringLiteral("Escape")) {
            QTest::keyClick(confirmation, Qt::Key_Escape);
        } else if (answer == QStringLiteral("Não")) {
            peer(*confirmation).noButton()->click();
        } else {
            peer(window).groupList()->clearSelection();
            peer(*confirmation).yesButton()->click();
        }
        QTRY_VERIFY(!window.findChild<DeleteConfirmation*>());
        QCOMPARE(storedGroupCount(app), 3);
        QCOMPARE(window.state().groups.rowCount(), 3);
        QCOMPARE(peer(window).groupCount()->text(), QStringLiteral("3 grupos"));
        QCOMPARE(peer(window).messageLine()->text(), status);
    }

    // The details of the deleted group go with it; the list and the details panel read a
    // stored backslash-n alike, as a line break.
    void aTitleStoredWithBackslashNShowsItsLineBreak() {
        TestAppFolder app;
        app.addGroup(QStringLiteral("a apagar"), QStringLiteral("item apagado"));
        app.addGroup(QStringLiteral("Linha\\ndupla"), QStringLiteral("um\\ndois"));
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        window.showGroupDetails(window.state().groups.index(0, 0));
        QCOMPARE(peer(window).groupTitle()->text(), QStringLiteral("a apagar"));
        peer(*openConfirmation(window)).yesButton()->click();
        QCOMPARE(window.state().groups.rowCount(), 1);
        const QModelIndex title = window.state().groups.index(0, GroupListModel::GroupColumn);
        QCOMPARE(title.data().toString(), QStringLiteral(" Linha\r\ndupla"));
        QCOMPARE(title.siblingAtColumn(GroupListModel::ItemsColumn).data().toString(),
                 QStringLiteral("um\r\ndois"));
        QVERIFY(!peer(window).groupList()->selectionModel()->hasSelection());
        for (const QLabel* value : {peer(window).groupTitle(), peer(window).groupDate(),
                                    peer(window).itemCount(), peer(window).categoryName()})
            QCOMPARE(value->text(), QStringLiteral("..."));
        QCOMPARE(peer(window).itemNames()->toPlainText(), QStringLiteral("...\n"));
        QVERIFY(peer(window).categoryPicture()->icon().isNull());

        window.showGroupDetails(title);
        QCOMPARE(peer(window).groupTitle()->text(), QStringLiteral("Linha\r\ndupla"));
        QCOMPARE(peer(window).itemNames()->toPlainText(), QStringLiteral("um\ndois"));
    }

    void aFailingDeletionDeletesNothingAndSaysSo() {
        TestAppFolder app;
        const QVector<int> ids = addGroups(app, 4);
        {
            DbSession db(app.databases().groups);
            db.execute(QStringLiteral("create trigger protect before delete on Tabela1 when old.id = %1 "
                                      "begin select raise(abort, 'grupo protegido'); end")
                           .arg(ids[1]));
        }
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        // The last row goes first; the protected one fails the whole deletion.
        selectRows(window, {0, 1, 3});
        peer(*openConfirmation(window)).yesButton()->click();
        QCOMPARE(storedGroupCount(app), 4);
        QCOMPARE(window.state().groups.rowCount(), 4);
        QCOMPARE(prompt.messages.size(), 1);
        QVERIFY(prompt.messages.first().text.contains(QStringLiteral("ZT_Itens.db")));
        QVERIFY(prompt.messages.first().text.contains(QStringLiteral("Nenhum grupo foi apagado.")));
        QVERIFY(peer(window).messageLine()->text().isEmpty());
        QTRY_VERIFY(!window.findChild<DeleteConfirmation*>());
    }

    void helpButtonsOpenTheirDocument_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("document");
        QTest::addColumn<bool>("present");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("message");
        const QString information = QStringLiteral("Abrir o ReadMe Informações e Considerações");
        const QString licence = QStringLiteral("Abrir o ReadMe Licença de Utilização");
        const QString features = QStringLiteral("Abrir o ReadMe Características e Versão");
        QTest::newRow("information") << information << "ReadMe_Informacoes-e-consideracoes.pdf" << true
                                     << true << QString();
        QTest::newRow("licence") << licence << "ReadMe_Licenca-de-utilizacao.pdf" << true << true
                                 << QString();
        QTest::newRow("features") << features << "ReadMe_Caracteristicas-da-versao.pdf" << true << true
                                  << QString();
        QTest::newRow("missing") << licence << "ReadMe_Licenca-de-utilizacao.pdf" << false << false
                                 << "O documento não foi encontrado";
        QTest::newRow("no viewer") << features << "ReadMe_Caracteristicas-da-versao.pdf" << true << false
                                   << "Não foi possível abrir o documento";
    }
    void helpButtonsOpenTheirDocument() {
        QFETCH(QString, button);
        QFETCH(QString, document);
        QFETCH(bool, present);
        QFETCH(bool, opens);
        QFETCH(QString, message);
        TestAppFolder app;
        const QString path = app.path() + QStringLiteral("/ReadMe/") + document;
        RecordingResourceHandler desktop;
        if (present)
            desktop.existing.insert(path);
        if (!opens)
            desktop.refused.insert(path);
        RecordingPrompt prompt;
        TestZantor zantor(app.path(), &desktop);
        MainWindow& window = zantor.mainWindow();
        auto* help = openPage<HelpPage>(peer(window).helpButton());
        QVERIFY(help);
        QCOMPARE(PageHostWindowPeer(window).lastPageName(), QStringLiteral("HelpPage"));
        QCOMPARE(InfoPageWindowPeer(*help).heading()->text(), QStringLiteral("Ajuda"));

        accessibleControl<ImageButton>(help, button)->click();
        QCOMPARE(desktop.openedPaths(), present ? QStringList{path} : QStringList{});
        QCOMPARE(prompt.messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QVERIFY(prompt.messages.first().text.startsWith(message));
        closePage(help);
    }

    void aboutAddressSinksWithItsPictureAndOpens_data() {
        QTest::addColumn<bool>("pressPicture");
        QTest::newRow("address") << false;
        QTest::newRow("picture") << true;
    }
    void aboutAddressSinksWithItsPictureAndOpens() {
        QFETCH(bool, pressPicture);
        TestAppFolder app;
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        auto* about = openPage<AboutPage>(peer(window).aboutButton());
        QVERIFY(about);
        QCOMPARE(PageHostWindowPeer(window).lastPageName(), QStringLiteral("AboutPage"));
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QList<QUrl> opened;
        about->openAddress = [&opened](const QUrl& address) {
            opened << address;
            return true;
        };
        QCOMPARE(peer(*about).address()->text(), QString::fromLatin1(kMakerAddress));
        QCOMPARE(peer(*about).version()->text(), QStringLiteral("Versão: 1.0   •  Setembro/2024"));

        QWidget* pressed =
            pressPicture ? static_cast<QWidget*>(peer(*about).siteButton()) : peer(*about).address();
        const QPoint picture = peer(*about).siteButton()->pos();
        const QPoint address = peer(*about).address()->pos();
        const QPoint centre = pressed->rect().center();
        QTest::mousePress(pressed, Qt::LeftButton, {}, centre);
        // 15 twips: one pixel right and down, both together.
        QCOMPARE(peer(*about).siteButton()->pos(), picture + QPoint(1, 1));
        QCOMPARE(peer(*about).address()->pos(), address + QPoint(1, 1));
        QTest::mouseRelease(pressed, Qt::LeftButton, {}, centre);
        QCOMPARE(peer(*about).siteButton()->pos(), picture);
        QCOMPARE(peer(*about).address()->pos(), address);
        QCOMPARE(opened, QList<QUrl>{QUrl(QString::fromLatin1(kMakerAddress))});
        closePage(about);
    }

    // The windows still there when the program ends go with it: also a page that has
    // handed back and waits to be unloaded.
    void everyWindowGoesWithTheProgram() {
        TestAppFolder app;
        RecordingPrompt prompt;
        auto zantor = std::make_unique<TestZantor>(app.path());
        MainWindow& window = zantor->mainWindow();
        QPointer<HelpPage> help = openPage<HelpPage>(peer(window).helpButton());
        QVERIFY(help);
        TitledWindowPeer(*help).closeButton()->click();
        QPointer<AboutPage> about = openPage<AboutPage>(peer(window).aboutButton());
        QVERIFY(about && help);
        zantor.reset();
        QVERIFY(!help);
        QVERIFY(!about);
    }
};

ZANTOR_TEST_MAIN(DialogsTest)
#include "tst_dialogs.moc"
