#include "data/DbSession.h"
#include "platform/Shortcuts.h"
#include "settings/ShortcutCommands.h"
#include "state/GroupShortcuts.h"
#include "support/FileSizeLimit.h"
#include "support/TemporaryHome.h"
#include "support/TestAppFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace zantor;

namespace {

const Shortcuts kShortcuts(QStringLiteral("/opt/zantor/Zantor"),
                           QStringLiteral("/opt/zantor/IMG/shortcut-icon.svg"));
const ShortcutTicks kAllPlaces{true, true, true};

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// What desktop-file-validate finds wrong with the entry; empty when nothing.
QString validatorSays(const QString& entry) {
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty())
        return QStringLiteral("desktop-file-validate (desktop-file-utils) is not installed");
    QProcess validate;
    validate.start(validator, {entry});
    if (!validate.waitForFinished(60000))
        return QStringLiteral("desktop-file-validate did not finish");
    const QString said =
        QString::fromUtf8(validate.readAllStandardOutput() + validate.readAllStandardError());
    return validate.exitCode() == 0 && !said.contains(QStringLiteral("error")) ? QString() : said;
}

ShortcutFlags flags(const char* desktop, const char* menu, const char* startup) {
    return {QString::fromLatin1(desktop), QString::fromLatin1(menu), QString::fromLatin1(startup)};
}

} // namespace

class ShortcutsTest : public QObject {
    Q_OBJECT
private slots:
    void createWritesOrReplacesAnExecutableEntryInTheTickedPlace_data() {
        QTest::addColumn<int>("place");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("report");
        QTest::newRow("desktop") << 0 << "Desktop"
                                 << "Atalho criado no desktop.\r\n";
        QTest::newRow("menu") << 1 << ".local/share/applications"
                              << "Atalho criado no menu de aplicativos.\r\n";
        QTest::newRow("startup") << 2 << ".config/autostart"
                                 << "Atalho criado para iniciar com a sessão.";
    }
    void createWritesOrReplacesAnExecutableEntryInTheTickedPlace() {
        QFETCH(int, place);
        QFETCH(QString, folder);
        QFETCH(QString, report);
        TemporaryHome home;
        // An entry from an older place of the program is replaced.
        const QString entry = home.path(folder + QStringLiteral("/Zantor.desktop"));
        writeFile(entry, "[Desktop Entry]\nExec=/old/place/Zantor\n");
        ShortcutTicks ticked{};
        ticked[place] = true;
        ShortcutFlags stored;
        QCOMPARE(createShortcuts(kShortcuts, ticked, stored).text, report);
        QCOMPARE(stored[kShortcutPlaces[place]], QStringLiteral("1"));
        QCOMPARE(fileBytes(entry), kShortcuts.entryText(kShortcutPlaces[place]));
        QVERIFY(QFileInfo(entry).isExecutable());
        QVERIFY(
            fileBytes(entry).contains("\nIcon=/opt/zantor/IMG/shortcut-icon.svg\nExec=/opt/zantor/Zantor\n"));
        for (int other = 0; other < int(kShortcutPlaces.size()); ++other)
            QCOMPARE(kShortcuts.exists(kShortcutPlaces[other]), other == place);
    }

    // A disk that fills up while the entry is written: the old entry stays whole, and the
    // report says the new one was not made.
    void anEntryCutShortLeavesTheOldOne() {
        TemporaryHome home;
        const QString entry = home.path(QStringLiteral(".local/share/applications/Zantor.desktop"));
        const QByteArray old = "[Desktop Entry]\nExec=/old/place/Zantor\n";
        writeFile(entry, old);
        ShortcutFlags stored = flags("0", "1", "0");
        {
            const FileSizeLimit limit(old.size() + 8);
            const ShortcutReport report = createShortcuts(kShortcuts, {false, true, false}, stored);
            QVERIFY(report.failed);
            QVERIFY2(
                report.text.startsWith(QStringLiteral("Erro ao criar o atalho no menu de aplicativos: ")),
                qPrintable(report.text));
        }
        QCOMPARE(fileBytes(entry), old);
        QCOMPARE(QDir(QFileInfo(entry).path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({"Zantor.desktop"}));
    }

    void reportsHaveALinePerTickedPlace() {
        TemporaryHome home;
        ShortcutFlags stored;
        QCOMPARE(createShortcuts(kShortcuts, kAllPlaces, stored).text,
                 QStringLiteral("Atalho criado no desktop.\r\nAtalho criado no menu de aplicativos.\r\n"
                                "Atalho criado para iniciar com a sessão."));
        QCOMPARE(deleteShortcuts(kShortcuts, kAllPlaces, stored).text,
                 QStringLiteral("Atalho deletado do desktop.\r\nAtalho deletado do menu de aplicativos.\r\n"
                                "Atalho para iniciar com a sessão deletado."));
        QCOMPARE(stored.atalhos(), flags("0", "0", "0").atalhos());
        // Nothing ticked, nothing to say.
        QVERIFY(createShortcuts(kShortcuts, {}, stored).text.isEmpty());
        QVERIFY(deleteShortcuts(kShortcuts, {}, stored).text.isEmpty());
    }

    void deletingAMissingEntrySaysSoAndKeepsTheFlag() {
        TemporaryHome home;
        writeFile(home.path(QStringLiteral(".config/autostart/Zantor.desktop")), "x");
        ShortcutFlags stored = flags("1", "1", "1");
        QCOMPARE(deleteShortcuts(kShortcuts, kAllPlaces, stored).text,
                 QStringLiteral("Erro ao apagar. Arquivo não existe mais no desktop.\r\n"
                                "Erro ao apagar. Arquivo não existe mais no menu de aplicativos.\r\n"
                                "Atalho para iniciar com a sessão deletado."));
        QCOMPARE(stored.atalhos(), flags("1", "1", "0").atalhos());
    }

    void aPlaceThatCannotBeWrittenOrDeletedIsReportedAndKeepsItsFlag() {
        TemporaryHome home;
        // A file where the menu folder should be, a folder where the desktop entry is.
        writeFile(home.path(QStringLiteral(".local/share/applications")), "not a folder");
        QVERIFY(QDir().mkpath(home.path(QStringLiteral("Desktop/Zantor.desktop/inside"))));
        ShortcutFlags stored = flags("1", "0", "0");
        ShortcutReport report = createShortcuts(kShortcuts, {false, true, true}, stored);
        QVERIFY(report.failed);
        QVERIFY2(report.text.startsWith(
                     QStringLiteral("Erro ao criar o atalho no menu de aplicativos: não foi possível "
                                    "criar a pasta ")),
                 qPrintable(report.text));
        QVERIFY(report.text.endsWith(QStringLiteral(".\r\nAtalho criado para iniciar com a sessão.")));
        QCOMPARE(stored.atalhos(), flags("1", "0", "1").atalhos());

        report = deleteShortcuts(kShortcuts, {true, false, false}, stored);
        QVERIFY(report.failed);
        QVERIFY2(report.text.startsWith(QStringLiteral("Erro ao apagar o atalho do desktop: ")),
                 qPrintable(report.text));
        QCOMPARE(stored.desktop, QStringLiteral("1"));
    }

    void remakeFollowsTheBoxesSilently() {
        TemporaryHome home;
        ShortcutFlags stored;
        createShortcuts(kShortcuts, {true, false, true}, stored);
        stored = flags("0", "1", "0");
        QCOMPARE(remakeShortcuts(kShortcuts, {false, true, false}, stored).text, QString());
        QCOMPARE(stored.atalhos(), flags("0", "1", "0").atalhos());
        QVERIFY(!kShortcuts.exists(ShortcutPlace::Desktop));
        QVERIFY(kShortcuts.exists(ShortcutPlace::Menu));
        QVERIFY(!kShortcuts.exists(ShortcutPlace::Startup));
    }

    // Whatever the program's folder is called, the entry is valid and starts it.
    void entriesPassTheDesktopFileValidator_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("exec");
        QTest::newRow("plain") << "/opt/zantor"
                               << "Exec=/opt/zantor/Zantor";
        QTest::newRow("spaces") << "/home/ana/Meus programas"
                                << "Exec=\"/home/ana/Meus programas/Zantor\"";
        QTest::newRow("shell characters") << "/srv/a$b \"c\" 100%"
                                          << "Exec=\"/srv/a\\\\$b \\\\\"c\\\\\" 100%%/Zantor\"";
        QTest::newRow("backslash") << "/srv/back\\slash"
                                   << "Exec=\"/srv/back\\\\\\\\slash/Zantor\"";
    }
    void entriesPassTheDesktopFileValidator() {
        QFETCH(QString, folder);
        QFETCH(QString, exec);
        TemporaryHome home;
        const Shortcuts shortcuts(folder + QStringLiteral("/Zantor"),
                                  folder + QStringLiteral("/IMG/shortcut-icon.svg"));
        QCOMPARE(shortcuts.write(ShortcutPlace::Menu), QString());
        QVERIFY(shortcuts.entryText(ShortcutPlace::Menu).split('\n').contains(exec.toUtf8()));
        QCOMPARE(validatorSays(shortcuts.entryPath(ShortcutPlace::Menu)), QString());
    }

    // Zantor owns the names of its entries: a link planted there, dangling or not, is seen as
    // what stands at the name, goes when the entry goes, and is replaced by the entry; its
    // target is never written.
    void aLinkAtAnEntrysNameIsReplacedNeverFollowed_data() {
        QTest::addColumn<bool>("group");
        QTest::addColumn<bool>("atPicture");
        QTest::addColumn<bool>("dangling");
        QTest::newRow("own entry to a file") << false << false << false;
        QTest::newRow("own entry dangling") << false << false << true;
        QTest::newRow("group entry to a file") << true << false << false;
        QTest::newRow("group entry dangling") << true << false << true;
        QTest::newRow("group picture to a file") << true << true << false;
        QTest::newRow("group picture dangling") << true << true << true;
    }
    void aLinkAtAnEntrysNameIsReplacedNeverFollowed() {
        QFETCH(bool, group);
        QFETCH(bool, atPicture);
        QFETCH(bool, dangling);
        TemporaryHome home;
        QTemporaryDir elsewhere;
        const QString picture = elsewhere.filePath(QStringLiteral("grupo.svg"));
        writeFile(picture, "<svg/>");
        const Shortcuts shortcuts =
            group ? Shortcuts::forGroup(QStringLiteral("/opt/zantor/Zantor"), 7, QStringLiteral("G"), picture)
                  : kShortcuts;
        const ShortcutPlace place = ShortcutPlace::Desktop;
        const QString entry = shortcuts.entryPath(place);
        const QString name =
            atPicture ? QFileInfo(entry).path() + QStringLiteral("/.zantor-grupo-7.svg") : entry;
        const QString target = elsewhere.filePath(QStringLiteral("alvo"));
        const QByteArray kept = "kept by the user\n";
        const auto plant = [&] {
            if (!dangling) {
                writeFile(target, kept);
                QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner));
            }
            QDir().mkpath(QFileInfo(name).path());
            QVERIFY(QFile::link(target, name));
        };
        const auto targetUntouched = [&] {
            if (dangling)
                return !QFileInfo::exists(target);
            return fileBytes(target) == kept &&
                   QFile::permissions(target) ==
                       (QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        };

        plant();
        if (!atPicture)
            QVERIFY(shortcuts.exists(place));
        QCOMPARE(shortcuts.remove(place), QString());
        QVERIFY(!QFileInfo(name).isSymLink() && !QFileInfo::exists(name));
        QVERIFY(targetUntouched());
        QVERIFY(!shortcuts.exists(place));

        plant();
        QCOMPARE(shortcuts.write(place), QString());
        const QFileInfo written(name);
        QVERIFY(!written.isSymLink() && written.isFile());
        QCOMPARE(fileBytes(name), atPicture ? QByteArray("<svg/>") : shortcuts.entryText(place));
        QVERIFY(targetUntouched());
    }

    // The texts of an entry stay on their line and read back as shown: control characters
    // are written out visibly, a leading space is kept, and no entry goes without a name.
    void entryNamesAndCommentsReadBackOnOneLine_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("comment");
        QTest::newRow("plain") << "Trabalho" << QByteArray("Name=Trabalho")
                               << QByteArray("Comment=Abre o grupo \"Trabalho\" do Zantor");
        QTest::newRow("terminal escape")
            << QStringLiteral("a\x1b]0;x\x07"
                              "b")
            << QByteArray("Name=a\\\\x1b]0;x\\\\x07b")
            << QByteArray("Comment=Abre o grupo \"a\\\\x1b]0;x\\\\x07b\" do Zantor");
        QTest::newRow("nul") << QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b"))
                             << QByteArray("Name=a\\\\x00b")
                             << QByteArray("Comment=Abre o grupo \"a\\\\x00b\" do Zantor");
        QTest::newRow("line break") << "um\nExec=/bin/false" << QByteArray("Name=um\\\\nExec=/bin/false")
                                    << QByteArray(
                                           "Comment=Abre o grupo \"um\\\\nExec=/bin/false\" do Zantor");
        QTest::newRow("leading space") << " Manhã" << QByteArray("Name=\\sManhã")
                                       << QByteArray("Comment=Abre o grupo \" Manhã\" do Zantor");
        QTest::newRow("empty") << "" << QByteArray("Name=Grupo 7")
                               << QByteArray("Comment=Abre o grupo \"Grupo 7\" do Zantor");
        QTest::newRow("blank") << "   " << QByteArray("Name=Grupo 7")
                               << QByteArray("Comment=Abre o grupo \"Grupo 7\" do Zantor");
    }
    void entryNamesAndCommentsReadBackOnOneLine() {
        QFETCH(QString, title);
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, comment);
        TemporaryHome home;
        QTemporaryDir pictures;
        const QString picture = pictures.filePath(QStringLiteral("grupo.svg"));
        writeFile(picture, "<svg/>");
        const Shortcuts group = Shortcuts::forGroup(QStringLiteral("/opt/zantor/Zantor"), 7, title, picture);
        const QByteArray text = group.entryText(ShortcutPlace::Menu);
        const QList<QByteArray> lines = text.split('\n');
        QVERIFY2(lines.contains(name), text.constData());
        QVERIFY2(lines.contains(comment), text.constData());
        QCOMPARE(std::count_if(lines.begin(), lines.end(),
                               [](const QByteArray& line) { return line.startsWith("Exec="); }),
                 1);
        QCOMPARE(group.write(ShortcutPlace::Menu), QString());
        QCOMPARE(validatorSays(group.entryPath(ShortcutPlace::Menu)), QString());
    }

    // A rename rewrites the entries the group has and makes none of those the user removed.
    void aRefreshRewritesOnlyTheEntriesThatExist_data() {
        QTest::addColumn<QList<bool>>("places");
        QTest::newRow("desktop") << QList<bool>({true, false, false});
        QTest::newRow("menu and login") << QList<bool>({false, true, true});
        QTest::newRow("none") << QList<bool>({false, false, false});
    }
    void aRefreshRewritesOnlyTheEntriesThatExist() {
        QFETCH(QList<bool>, places);
        TemporaryHome home;
        TestAppFolder app;
        const int id = app.addGroup(QStringLiteral("Antes"), QStringLiteral("a"), QStringLiteral("/a"));
        const GroupShortcuts shortcuts(app.folders());
        for (std::size_t i = 0; i < kShortcutPlaces.size(); ++i)
            QCOMPARE(shortcuts.set(id, kShortcutPlaces[i], true), QString());
        const Shortcuts entries = Shortcuts::forGroup({}, id, {}, {});
        for (std::size_t i = 0; i < kShortcutPlaces.size(); ++i) {
            if (!places[int(i)])
                QCOMPARE(shortcuts.set(id, kShortcutPlaces[i], false), QString());
        }
        DbSession(app.databases().groups)
            .execute(QStringLiteral("update Tabela1 set titulo1='Depois' where id=?"), {id});
        QCOMPARE(shortcuts.refresh(id), QString());
        for (std::size_t i = 0; i < kShortcutPlaces.size(); ++i) {
            const QString entry = entries.entryPath(kShortcutPlaces[i]);
            QCOMPARE(QFileInfo::exists(entry), places[int(i)]);
            if (places[int(i)])
                QVERIFY(fileBytes(entry).contains("\nName=Depois\n"));
        }
    }

    // A key file reader drops the spaces a value starts with, and a NUL ends it: a group's
    // title keeps its spaces, and a control character shows written out, not as a title
    // cut short.
    void aGroupsTitleIsWrittenAsItReadsBack_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "Trabalho"
                               << "Name=Trabalho";
        QTest::newRow("spaces around") << "  Manhã  "
                                       << "Name=\\s\\sManhã  ";
        QTest::newRow("a NUL") << QStringLiteral("Dia") + QChar(0) + QStringLiteral("noite")
                               << "Name=Dia\\\\x00noite";
        QTest::newRow("a form feed first") << "\fTarde"
                                           << "Name=\\\\x0cTarde";
    }
    void aGroupsTitleIsWrittenAsItReadsBack() {
        QFETCH(QString, title);
        QFETCH(QString, name);
        const Shortcuts group = Shortcuts::forGroup(QStringLiteral("/opt/zantor/Zantor"), 4, title,
                                                    QStringLiteral("/opt/zantor/IMG/a.svg"));
        QVERIFY(
            QString::fromUtf8(group.entryText(ShortcutPlace::Menu)).split(QLatin1Char('\n')).contains(name));
    }

    // GNOME's desktop starts only entries marked trusted: where gio is there, Zantor's
    // desktop entries are marked, the others are not.
    void desktopEntriesAreMarkedTrustedWhereGioIsThere() {
        TemporaryHome home;
        QTemporaryDir tools;
        const QString log = tools.filePath(QStringLiteral("gio.log"));
        const QString gio = tools.filePath(QStringLiteral("gio"));
        writeFile(gio, "#!/bin/sh\necho \"$@\" >> '" + log.toUtf8() + "'\n");
        QVERIFY(QFile::setPermissions(gio, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", tools.path().toUtf8() + ':' + path);
        const QString picture = tools.filePath(QStringLiteral("grupo.svg"));
        writeFile(picture, "<svg/>");
        const Shortcuts& own = kShortcuts;
        const Shortcuts group =
            Shortcuts::forGroup(QStringLiteral("/opt/zantor/Zantor"), 7, QStringLiteral("G"), picture);
        QCOMPARE(own.write(ShortcutPlace::Menu), QString());
        QCOMPARE(group.write(ShortcutPlace::Startup), QString());
        QCOMPARE(own.write(ShortcutPlace::Desktop), QString());
        QCOMPARE(group.write(ShortcutPlace::Desktop), QString());
        qputenv("PATH", path);
        const auto marked = [&] {
            QStringList lines =
                QString::fromUtf8(fileBytes(log)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            lines.sort();
            return lines;
        };
        QTRY_COMPARE(
            marked(),
            QStringList(
                {QStringLiteral("set %1 metadata::trusted true").arg(own.entryPath(ShortcutPlace::Desktop)),
                 QStringLiteral("set %1 metadata::trusted true")
                     .arg(group.entryPath(ShortcutPlace::Desktop))}));
    }
};

QTEST_GUILESS_MAIN(ShortcutsTest)
#include "tst_shortcuts.moc"
