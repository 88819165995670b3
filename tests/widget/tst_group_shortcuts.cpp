#include "chrome/ImageButton.h"
#include "dialogs/DeleteConfirmation.h"
#include "editor/GroupEditor.h"
#include "main/GroupListView.h"
#include "main/GroupShortcutMenu.h"
#include "main/MainWindow.h"
#include "platform/Shortcuts.h"
#include "support/RecordingPrompt.h"
#include "support/TemporaryHome.h"
#include "support/TestAppFolder.h"
#include "support/TestMain.h"
#include "support/TestZantor.h"
#include "support/WindowPeers.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>

using namespace zantor;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The files a group's entry leaves in a place's folder: the entry and its hidden picture.
QStringList groupFiles(const QString& folder, int id) {
    return QDir(folder).entryList(
        {QStringLiteral("zantor-grupo-%1.desktop").arg(id), QStringLiteral(".zantor-grupo-%1.*").arg(id)},
        QDir::Files | QDir::Hidden, QDir::Name);
}

QString validatorSays(const QString& entry) {
    QProcess validate;
    validate.start(QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")), {entry});
    if (!validate.waitForFinished(60000))
        return QStringLiteral("desktop-file-validate did not finish");
    const QString said =
        QString::fromUtf8(validate.readAllStandardOutput() + validate.readAllStandardError());
    return validate.exitCode() == 0 && !said.contains(QStringLiteral("error")) ? QString() : said;
}

// The menu a right click on the row opens, as the user sees it.
GroupShortcutMenu* rightClickRow(MainWindow& window, int row) {
    // A menu closed before is only gone once its deletion has been handled.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QWidget* viewport = peer(window).groupList()->viewport();
    const QPoint at = peer(window).groupList()->visualRect(window.state().groups.index(row, 0)).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
    QApplication::sendEvent(viewport, &click);
    return window.findChild<GroupShortcutMenu*>();
}

// The menu's entry of that text, as the user reads it.
QAction* entry(const GroupShortcutMenu& menu, const QString& text) {
    for (QAction* action : menu.actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

QAction* desktopEntry(const GroupShortcutMenu& menu) {
    return entry(menu, QStringLiteral("Atalho na área de trabalho"));
}
QAction* menuEntry(const GroupShortcutMenu& menu) {
    return entry(menu, QStringLiteral("No menu de aplicativos"));
}
QAction* loginEntry(const GroupShortcutMenu& menu) {
    return entry(menu, QStringLiteral("Abrir ao entrar na sessão"));
}

QList<bool> ticks(const GroupShortcutMenu& menu) {
    return {desktopEntry(menu)->isChecked(), menuEntry(menu)->isChecked(), loginEntry(menu)->isChecked()};
}

} // namespace

class GroupShortcutsTest : public QObject {
    Q_OBJECT
private slots:
    // Made from the right-click menu, valid, renamed with the group and gone with it.
    void aGroupsEntriesFollowTheGroup() {
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty(),
                 "desktop-file-validate (desktop-file-utils) is not installed");
        TemporaryHome home;
        TestAppFolder app;
        app.addGroup(QStringLiteral("Antes"), QStringLiteral("a"), QStringLiteral("/a"), 0);
        const int id = app.addGroup(QStringLiteral("Manhã; e-mail"), QStringLiteral("Correio"),
                                    QStringLiteral("https://example.org/correio"), 5);
        RecordingPrompt prompt;
        TestZantor zantor(app.path());
        MainWindow& window = zantor.mainWindow();
        const QString desktop = Shortcuts::folder(ShortcutPlace::Desktop);
        const QString login = Shortcuts::folder(ShortcutPlace::Startup);

        GroupShortcutMenu* menu = rightClickRow(window, 1);
        QVERIFY(menu && menu->isVisible());
        QCOMPARE(ticks(*menu), QList<bool>({false, false, false}));
        loginEntry(*menu)->trigger();
        desktopEntry(*menu)->trigger();
        menu->close();
        QCOMPARE(peer(window).messageLine()->text(), QStringLiteral("Atalho criado."));
        const QString entry = QStringLiteral("%1/zantor-grupo-%2.desktop").arg(login).arg(id);
        QCOMPARE(groupFiles(login, id),
                 QStringList({QStringLiteral(".zantor-grupo-%1.svg").arg(id), QFileInfo(entry).fileName()}));
        QCOMPARE(groupFiles(desktop, id).size(), 2);
        QCOMPARE(groupFiles(Shortcuts::folder(ShortcutPlace::Menu), id), QStringList());
        const QByteArray text = fileBytes(entry);
        QVERIFY2(text.contains("\nName=Manhã; e-mail\n"), text.constData());
        QVERIFY2(text.contains(
                     QStringLiteral("\nExec=%1/Zantor --abrir-id %2\n").arg(app.path()).arg(id).toUtf8()),
                 text.constData());
        QVERIFY2(
            text.contains(QStringLiteral("\nIcon=%1/.zantor-grupo-%2.svg\n").arg(login).arg(id).toUtf8()),
            text.constData());
        // The category's own picture, copied.
        QCOMPARE(fileBytes(QStringLiteral("%1/.zantor-grupo-%2.svg").arg(login).arg(id)),
                 fileBytes(app.path() + QStringLiteral("/IMG/cat-internet-42.svg")));
        QCOMPARE(validatorSays(entry), QString());

        // The ticks follow the disk, not the clicks.
        QVERIFY(QFile::remove(QStringLiteral("%1/zantor-grupo-%2.desktop").arg(desktop).arg(id)));
        menu = rightClickRow(window, 1);
        QVERIFY(menu);
        QCOMPARE(ticks(*menu), QList<bool>({false, false, true}));
        menuEntry(*menu)->trigger();
        menu->close();

        // A rename in the editor renames the entries.
        peer(window).groupList()->selectionModel()->select(window.state().groups.index(1, 0),
                                                           QItemSelectionModel::ClearAndSelect |
                                                               QItemSelectionModel::Rows);
        peer(window).updateButton()->click();
        GroupEditor* editor = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* page = qobject_cast<GroupEditor*>(widget); page && page->isVisible())
                editor = page;
        }
        QVERIFY(editor);
        peer(*editor).groupTitle()->setText(QStringLiteral("Tarde"));
        peer(*editor).saveButton()->click();
        QVERIFY2(fileBytes(entry).contains("\nName=Tarde\n"), fileBytes(entry).constData());
        QVERIFY(fileBytes(QStringLiteral("%1/zantor-grupo-%2.desktop")
                              .arg(Shortcuts::folder(ShortcutPlace::Menu))
                              .arg(id))
                    .contains("\nName=Tarde\n"));
        QCOMPARE(validatorSays(entry), QString());

        // A deletion removes them, pictures and all.
        peer(window).groupList()->selectionModel()->select(window.state().groups.index(1, 0),
                                                           QItemSelectionModel::ClearAndSelect |
                                                               QItemSelectionModel::Rows);
        peer(window).deleteButton()->click();
        auto* confirmation = window.findChild<DeleteConfirmation*>();
        QVERIFY(confirmation);
        peer(*confirmation).yesButton()->click();
        for (const ShortcutPlace place : kShortcutPlaces)
            QCOMPARE(groupFiles(Shortcuts::folder(place), id), QStringList());
        QVERIFY(prompt.messages.isEmpty());
    }
};

ZANTOR_TEST_MAIN(GroupShortcutsTest)
#include "tst_group_shortcuts.moc"
