#include "platform/ApplicationEntries.h"
#include "platform/DesktopResourceHandler.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace zantor;

namespace {

void writeFile(const QString& path, const QByteArray& bytes, QFile::Permissions permissions) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();
    QVERIFY(file.setPermissions(permissions));
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Stands in for the desktop's default applications: keeps every file address the
// desktop is asked to open.
class DesktopRecorder : public QObject {
    Q_OBJECT
public:
    DesktopRecorder() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~DesktopRecorder() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

} // namespace

class DesktopResourceHandlerTest : public QObject {
    Q_OBJECT
private slots:
    void aProgramStartsInItsOwnFolderWithItsArgumentsAndNoShellInBetween() {
        QTemporaryDir root;
        // Spaces and shell characters in the name are part of the name.
        const QString folder = root.filePath(QStringLiteral("my tools; $(x)"));
        QVERIFY(QDir().mkpath(folder));
        const QString log = root.filePath(QStringLiteral("ran.log"));
        const QString program = folder + QStringLiteral("/run me & 'now'.sh");
        writeFile(program,
                  "#!/bin/sh\necho \"$# $(pwd)\" > '" + log.toUtf8() + "'\nprintf '[%s]' \"$@\" >> '" +
                      log.toUtf8() + "'\n",
                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // Our own folder is elsewhere: the program must not inherit it.
        QVERIFY(QDir::setCurrent(root.path()));

        DesktopRecorder desktop;
        DesktopResourceHandler handler;
        QVERIFY(handler.open(program, {"a b", "$HOME", "*"}));
        QTRY_COMPARE(fileBytes(log), QByteArray("3 ") + folder.toUtf8() + "\n[a b][$HOME][*]");
        QVERIFY(desktop.opened.isEmpty());
    }

    // Documents and folders go to the desktop's application for them; so does a
    // document that only carries the execute bit, as everything on a FAT drive does.
    void documentsAndFoldersGoToTheirApplication_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("executeBit");
        QTest::newRow("document") << "relatório final.odt" << QByteArray("PK\x03\x04") << false;
        QTest::newRow("document with the execute bit")
            << "notas.txt" << QByteArray("não é um programa\n") << true;
        QTest::newRow("folder") << "Músicas" << QByteArray() << false;
    }

    void documentsAndFoldersGoToTheirApplication() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, executeBit);
        QTemporaryDir root;
        const QString path = root.filePath(name);
        if (bytes.isEmpty()) {
            QVERIFY(QDir().mkpath(path));
        } else {
            writeFile(path, bytes,
                      QFile::ReadOwner | QFile::WriteOwner |
                          (executeBit ? QFile::ExeOwner : QFile::Permissions()));
        }
        DesktopRecorder desktop;
        DesktopResourceHandler handler;
        QVERIFY(handler.exists(path));
        QVERIFY(handler.open(path, {"ignorado"}));
        QCOMPARE(desktop.opened, QList<QUrl>({QUrl::fromLocalFile(path)}));
    }

    // An application's entry starts as the desktop's menus start it: the arguments are the
    // files or URIs its field code takes, relative paths from the home folder; without a
    // field code it gets none. It is missing when its program is not installed here.
    void anApplicationsEntryStartsThroughTheDesktop_data() {
        QTest::addColumn<QByteArray>("exec");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("recorded");
        QTest::newRow("files") << QByteArray("%F") << QStringList({"notas.txt", "/tmp/a b", "file:///x"})
                               << QByteArray("[HOME/notas.txt][/tmp/a b][/x]");
        QTest::newRow("one URI at a time")
            << QByteArray("--abrir %u") << QStringList({"https://example.org/a?b=1"})
            << QByteArray("[--abrir][https://example.org/a?b=1]");
        QTest::newRow("no field code")
            << QByteArray("--sempre") << QStringList({"/tmp/ignorado"}) << QByteArray("[--sempre]");
        QTest::newRow("field code, no arguments") << QByteArray("%U") << QStringList() << QByteArray("[]");
    }

    void anApplicationsEntryStartsThroughTheDesktop() {
        QFETCH(QByteArray, exec);
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, recorded);
        QTemporaryDir root;
        qputenv("HOME", root.path().toUtf8());
        const QString log = root.filePath(QStringLiteral("argv.log"));
        const QString program = root.filePath(QStringLiteral("registra"));
        writeFile(program,
                  "#!/bin/sh\nprintf '[%s]' \"$@\" > '" + log.toUtf8() + ".part'\nmv '" + log.toUtf8() +
                      ".part' '" + log.toUtf8() + "'\n",
                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // Entries are often marked executable, to be trusted on a desktop: still no program.
        const QString entry = root.filePath(QStringLiteral("registra.desktop"));
        writeFile(entry,
                  "[Desktop Entry]\nType=Application\nName=Registra\nExec=" + program.toUtf8() + " " + exec +
                      "\n",
                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        DesktopRecorder desktop;
        DesktopResourceHandler handler;
        QVERIFY(handler.exists(entry));
        QVERIFY(handler.open(entry, arguments));
        QTRY_VERIFY(QFile::exists(log));
        QCOMPARE(fileBytes(log), QByteArray(recorded).replace("HOME", root.path().toUtf8()));
        QVERIFY(desktop.opened.isEmpty());
    }

    void anEntryIsMissingWhenItsProgramIsNot_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("entry");
        QTest::addColumn<bool>("exists");
        QTest::newRow("installed") << QByteArray("Type=Application\nExec=true\n") << true << true;
        QTest::newRow("program gone")
            << QByteArray("Type=Application\nExec=/nao/existe/programa %f\n") << true << false;
        QTest::newRow("program not on the path")
            << QByteArray("Type=Application\nExec=zantor-programa-que-nao-existe\n") << true << false;
        QTest::newRow("TryExec not installed")
            << QByteArray("Type=Application\nTryExec=zantor-programa-que-nao-existe\nExec=true\n") << true
            << false;
        // Not an application: a document like any other, for its own application to open.
        QTest::newRow("a link") << QByteArray("Type=Link\nURL=https://example.org\n") << false << true;
    }

    void anEntryIsMissingWhenItsProgramIsNot() {
        QFETCH(QByteArray, text);
        QFETCH(bool, entry);
        QFETCH(bool, exists);
        QTemporaryDir root;
        const QString path = root.filePath(QStringLiteral("app.desktop"));
        writeFile(path, "[Desktop Entry]\nName=App\n" + text, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(applications::isEntry(path), entry);
        QCOMPARE(DesktopResourceHandler().exists(path), exists);
        if (entry && !exists)
            QVERIFY(!DesktopResourceHandler().open(path, {}));
    }

    void anEntryIsNamedInPortugueseWhereItCanBe_data() {
        QTest::addColumn<QByteArray>("names");
        QTest::addColumn<QString>("name");
        QTest::newRow("Brazilian first")
            << QByteArray("Name=Text Editor\nName[pt]=Editor\nName[pt_BR]=Editor de Texto\n")
            << "Editor de Texto";
        QTest::newRow("then Portuguese")
            << QByteArray("Name=Text Editor\nName[de]=Texteditor\nName[pt]=Editor\n") << "Editor";
        QTest::newRow("then untranslated")
            << QByteArray("Name=Text Editor\nName[es]=Editor de texto\n") << "Text Editor";
    }

    void anEntryIsNamedInPortugueseWhereItCanBe() {
        QFETCH(QByteArray, names);
        QFETCH(QString, name);
        QTemporaryDir root;
        const QString path = root.filePath(QStringLiteral("app.desktop"));
        writeFile(path, "[Desktop Entry]\nType=Application\nExec=true\n" + names,
                  QFile::ReadOwner | QFile::WriteOwner);
        // Whatever language the session speaks.
        qputenv("LANGUAGE", "de");
        QCOMPARE(applications::name(path), name);
    }
};

QTEST_GUILESS_MAIN(DesktopResourceHandlerTest)
#include "tst_desktop_resource_handler.moc"
