#include "platform/DesktopResourceHandler.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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

        DesktopResourceHandler handler;
        handler.open(program);
        QTRY_COMPARE(fileBytes(log), QByteArray("0 ") + folder.toUtf8() + "\n");
    }
};

QTEST_GUILESS_MAIN(DesktopResourceHandlerTest)
#include "tst_desktop_resource_handler.moc"
