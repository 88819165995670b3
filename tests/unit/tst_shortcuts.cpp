#include "platform/Shortcuts.h"
#include "settings/ShortcutCommands.h"
#include "support/TemporaryHome.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace zantor;

namespace {

const Shortcuts kShortcuts(QStringLiteral("/opt/zantor/Zantor"),
                           QStringLiteral("/opt/zantor/IMG/shortcut-icon.svg"));

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

ShortcutFlags flagsOf(const char* desktop, const char* menu, const char* startup) {
    return {QString::fromLatin1(desktop), QString::fromLatin1(menu), QString::fromLatin1(startup)};
}

} // namespace

Q_DECLARE_METATYPE(ShortcutPlace)

class ShortcutsTest : public QObject {
    Q_OBJECT
private slots:
    void createWritesAnExecutableEntryInEachPlace_data() {
        QTest::addColumn<ShortcutPlace>("place");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("line");
        QTest::newRow("desktop") << ShortcutPlace::Desktop << "Desktop"
                                 << "Atalho criado no desktop.\r\n";
        QTest::newRow("menu") << ShortcutPlace::Menu << ".local/share/applications"
                              << "Atalho criado no menu iniciar.\r\n";
        QTest::newRow("startup") << ShortcutPlace::Startup << ".config/autostart"
                                 << "Atalho criado na pasta iniciar com o Windows.";
    }
    void createWritesAnExecutableEntryInEachPlace() {
        QFETCH(ShortcutPlace, place);
        QFETCH(QString, where);
        QFETCH(QString, line);
        TemporaryHome home;
        ShortcutTicks ticked{};
        ticked[std::size_t(place)] = true;
        ShortcutFlags flags;

        const ShortcutReport report = createShortcuts(kShortcuts, ticked, flags);
        QCOMPARE(report.text, line);
        QVERIFY(!report.failed);
        QCOMPARE(flags[place], QStringLiteral("1"));
        const QString entry = home.path(where + QStringLiteral("/Zantor.desktop"));
        QCOMPARE(fileBytes(entry), kShortcuts.entryText());
        QVERIFY(QFileInfo(entry).isExecutable());
        const QList<QByteArray> lines = kShortcuts.entryText().split('\n');
        QVERIFY(lines.contains("Exec=/opt/zantor/Zantor"));
        QVERIFY(lines.contains("Icon=/opt/zantor/IMG/shortcut-icon.svg"));
        // Only the ticked place.
        for (const ShortcutPlace other : kShortcutPlaces)
            QCOMPARE(Shortcuts::exists(other), other == place);
    }

    void reportsHaveALinePerTickedPlaceInPlaceOrder_data() {
        QTest::addColumn<bool>("deleting");
        QTest::addColumn<QString>("report");
        QTest::newRow("create") << false
                                << "Atalho criado no desktop.\r\nAtalho criado no menu iniciar.\r\n"
                                   "Atalho criado na pasta iniciar com o Windows.";
        QTest::newRow("delete") << true
                                << "Atalho deletado do desktop.\r\nAtalho deletado do menu iniciar.\r\n"
                                   "Atalho deletado da pasta iniciar.";
    }
    void reportsHaveALinePerTickedPlaceInPlaceOrder() {
        QFETCH(bool, deleting);
        QFETCH(QString, report);
        TemporaryHome home;
        ShortcutFlags flags;
        const ShortcutTicks all{true, true, true};
        QCOMPARE(createShortcuts(kShortcuts, all, flags).text.isEmpty(), false);
        QCOMPARE(flags.atalhos(), QStringLiteral("1\x1f"
                                                 "1\x1f"
                                                 "1"));
        if (deleting) {
            QCOMPARE(deleteShortcuts(all, flags).text, report);
            QCOMPARE(flags.atalhos(), QStringLiteral("0\x1f"
                                                     "0\x1f"
                                                     "0"));
            for (const ShortcutPlace place : kShortcutPlaces)
                QVERIFY(!Shortcuts::exists(place));
        } else {
            QCOMPARE(createShortcuts(kShortcuts, all, flags).text, report);
        }
        // Nothing ticked: nothing to say.
        QVERIFY(createShortcuts(kShortcuts, {}, flags).text.isEmpty());
        QVERIFY(deleteShortcuts({}, flags).text.isEmpty());
    }

    void createReplacesAnExistingEntry() {
        TemporaryHome home;
        const QString entry = home.path(QStringLiteral(".local/share/applications/Zantor.desktop"));
        writeFile(entry, "[Desktop Entry]\nExec=/old/place/Zantor\n");
        ShortcutFlags flags;
        QCOMPARE(createShortcuts(kShortcuts, {false, true, false}, flags).text,
                 QStringLiteral("Atalho criado no menu iniciar.\r\n"));
        QCOMPARE(fileBytes(entry), kShortcuts.entryText());
    }

    void deletingAMissingEntrySaysSoAndKeepsTheFlag() {
        TemporaryHome home;
        writeFile(home.path(QStringLiteral(".config/autostart/Zantor.desktop")), "x");
        ShortcutFlags flags = flagsOf("1", "1", "1");
        const ShortcutReport report = deleteShortcuts({true, true, true}, flags);
        QCOMPARE(report.text, QStringLiteral("Erro ao apagar. Arquivo não existe mais no desktop.\r\n"
                                             "Erro ao apagar. Arquivo não existe mais no menu iniciar.\r\n"
                                             "Atalho deletado da pasta iniciar."));
        QVERIFY(!report.failed);
        QCOMPARE(flags.atalhos(), QStringLiteral("1\x1f"
                                                 "1\x1f"
                                                 "0"));
    }

    void aPlaceThatCannotBeWrittenOrDeletedIsReportedAndKeepsItsFlag() {
        TemporaryHome home;
        // A file where the menu folder should be, a folder where the desktop entry is.
        writeFile(home.path(QStringLiteral(".local/share/applications")), "not a folder");
        QVERIFY(QDir().mkpath(home.path(QStringLiteral("Desktop/Zantor.desktop/inside"))));
        ShortcutFlags flags = flagsOf("1", "0", "0");

        ShortcutReport report = createShortcuts(kShortcuts, {false, true, true}, flags);
        QVERIFY(report.failed);
        const QStringList lines = report.text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].startsWith(
                     QStringLiteral("Erro ao criar o atalho no menu iniciar: não foi possível criar a "
                                    "pasta ")),
                 qPrintable(lines[0]));
        QCOMPARE(lines[1], QStringLiteral("Atalho criado na pasta iniciar com o Windows."));
        QCOMPARE(flags.atalhos(), QStringLiteral("1\x1f"
                                                 "0\x1f"
                                                 "1"));

        report = deleteShortcuts({true, false, false}, flags);
        QVERIFY(report.failed);
        QVERIFY2(report.text.startsWith(QStringLiteral("Erro ao apagar o atalho do desktop: ")),
                 qPrintable(report.text));
        QCOMPARE(flags.lblDesktop, QStringLiteral("1"));
    }

    void remakeFollowsTheBoxesSilently() {
        TemporaryHome home;
        ShortcutFlags flags;
        createShortcuts(kShortcuts, {true, false, true}, flags);
        flags = flagsOf("0", "1", "0");
        const ShortcutReport report = remakeShortcuts(kShortcuts, {false, true, false}, flags);
        QVERIFY(report.text.isEmpty());
        QCOMPARE(flags.atalhos(), QStringLiteral("0\x1f"
                                                 "1\x1f"
                                                 "0"));
        QVERIFY(!Shortcuts::exists(ShortcutPlace::Desktop));
        QVERIFY(Shortcuts::exists(ShortcutPlace::Menu));
        QVERIFY(!Shortcuts::exists(ShortcutPlace::Startup));
    }

    // Whatever the program's folder is called, the entry is valid and starts it.
    void entriesPassTheDesktopFileValidator_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QByteArray>("exec");
        QTest::newRow("plain") << "/opt/zantor" << QByteArray("Exec=/opt/zantor/Zantor");
        QTest::newRow("spaces") << "/home/ana/Meus programas"
                                << QByteArray("Exec=\"/home/ana/Meus programas/Zantor\"");
        QTest::newRow("shell characters")
            << "/srv/a$b \"c\" 100%" << QByteArray("Exec=\"/srv/a\\\\$b \\\\\"c\\\\\" 100%%/Zantor\"");
        QTest::newRow("backslash") << "/srv/back\\slash"
                                   << QByteArray("Exec=\"/srv/back\\\\\\\\slash/Zantor\"");
    }
    void entriesPassTheDesktopFileValidator() {
        QFETCH(QString, folder);
        QFETCH(QByteArray, exec);
        const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        QVERIFY2(!validator.isEmpty(), "desktop-file-validate (desktop-file-utils) is not installed");
        TemporaryHome home;
        const Shortcuts shortcuts(folder + QStringLiteral("/Zantor"),
                                  folder + QStringLiteral("/IMG/shortcut-icon.svg"));
        QVERIFY(shortcuts.write(ShortcutPlace::Menu).isEmpty());
        QVERIFY(shortcuts.entryText().split('\n').contains(exec));

        QProcess validate;
        validate.start(validator, {Shortcuts::entryPath(ShortcutPlace::Menu)});
        QVERIFY(validate.waitForFinished(60000));
        const QByteArray said = validate.readAllStandardOutput() + validate.readAllStandardError();
        QVERIFY2(validate.exitCode() == 0 && !said.contains("error"), said.constData());
    }
};

QTEST_GUILESS_MAIN(ShortcutsTest)
#include "tst_shortcuts.moc"
