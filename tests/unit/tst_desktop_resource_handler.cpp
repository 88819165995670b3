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
    void aProgramStartsInItsOwnFolderWithNoShellInBetween() {
        QTemporaryDir root;
        // Spaces and shell characters in the name are part of the name.
        const QString folder = root.filePath(QStringLiteral("my tools; $(x)"));
        QVERIFY(QDir().mkpath(folder));
        const QString log = root.filePath(QStringLiteral("ran.log"));
        const QString program = folder + QStringLiteral("/run me & 'now'.sh");
        writeFile(program, "#!/bin/sh\necho \"$# $(pwd)\" > '" + log.toUtf8() + "'\n",
                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // Our own folder is elsewhere: the program must not inherit it.
        QVERIFY(QDir::setCurrent(root.path()));

        DesktopRecorder desktop;
        DesktopResourceHandler handler;
        QVERIFY(handler.open(program));
        QTRY_COMPARE(fileBytes(log), QByteArray("0 ") + folder.toUtf8() + "\n");
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
        QVERIFY(handler.open(path));
        QCOMPARE(desktop.opened, QList<QUrl>({QUrl::fromLocalFile(path)}));
    }
};

QTEST_GUILESS_MAIN(DesktopResourceHandlerTest)
#include "tst_desktop_resource_handler.moc"
