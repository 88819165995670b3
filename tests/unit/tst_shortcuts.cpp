#include "platform/Shortcuts.h"
#include "settings/ShortcutCommands.h"
#include "support/FileSizeLimit.h"
#include "support/TemporaryHome.h"

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
        const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        QVERIFY2(!validator.isEmpty(), "desktop-file-validate (desktop-file-utils) is not installed");
        TemporaryHome home;
        const Shortcuts shortcuts(folder + QStringLiteral("/Zantor"),
                                  folder + QStringLiteral("/IMG/shortcut-icon.svg"));
        QCOMPARE(shortcuts.write(ShortcutPlace::Menu), QString());
        QVERIFY(shortcuts.entryText(ShortcutPlace::Menu).split('\n').contains(exec.toUtf8()));

        QProcess validate;
        validate.start(validator, {shortcuts.entryPath(ShortcutPlace::Menu)});
        QVERIFY(validate.waitForFinished(60000));
        const QByteArray said = validate.readAllStandardOutput() + validate.readAllStandardError();
        QVERIFY2(validate.exitCode() == 0 && !said.contains("error"), said.constData());
    }

    // A key file reader drops the spaces a value starts with, and a NUL ends it: a group's
    // title keeps its spaces, and what the format cannot hold shows as the replacement
    // character, not as a title cut short.
    void aGroupsTitleIsWrittenAsItReadsBack_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("name");
        const QString unheld(QChar::ReplacementCharacter);
        QTest::newRow("plain") << "Trabalho"
                               << "Name=Trabalho";
        QTest::newRow("spaces around") << "  Manhã  "
                                       << "Name=\\s\\sManhã  ";
        QTest::newRow("a NUL") << QStringLiteral("Dia") + QChar(0) + QStringLiteral("noite")
                               << "Name=Dia" + unheld + "noite";
        QTest::newRow("a form feed first") << "\fTarde"
                                           << "Name=" + unheld + "Tarde";
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
