#include "platform/PrivateRuntimeFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

using namespace zantor;

namespace {

// What stands at <runtime>/zantor before the start.
enum class Before { Nothing, OpenToOthers, OtherUsers, Link };

} // namespace

Q_DECLARE_METATYPE(Before)

class PrivateRuntimeFolderTest : public QObject {
    Q_OBJECT
private slots:
    // Another user who could reach the lock could make two copies run on the same
    // databases: such a folder is never taken, and a private one is found elsewhere.
    void onlyAFolderNobodyElseCanEnterHoldsTheLock_data() {
        QTest::addColumn<bool>("session");
        QTest::addColumn<int>("runtimeMode");
        QTest::addColumn<Before>("before");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("the session's") << true << 0700 << Before::Nothing << "run/zantor";
        QTest::newRow("the session's, open to others") << true << 0755 << Before::Nothing << "run/zantor";
        QTest::newRow("ours, open to others") << true << 0700 << Before::OpenToOthers << "cache/zantor-run";
        QTest::newRow("ours, a link elsewhere") << true << 0700 << Before::Link << "cache/zantor-run";
        if (::getuid() == 0)
            QTest::newRow("ours, another user's") << true << 0700 << Before::OtherUsers << "cache/zantor-run";
        QTest::newRow("no session, as under cron") << false << 0700 << Before::Nothing << "cache/zantor-run";
    }

    void onlyAFolderNobodyElseCanEnterHoldsTheLock() {
        QFETCH(bool, session);
        QFETCH(int, runtimeMode);
        QFETCH(Before, before);
        QFETCH(QString, chosen);
        QTemporaryDir root;
        const QString runtime = root.filePath(QStringLiteral("run"));
        QVERIFY(QDir().mkdir(runtime));
        QVERIFY(::chmod(QFile::encodeName(runtime).constData(), mode_t(runtimeMode)) == 0);
        const QByteArray ours = QFile::encodeName(runtime + QStringLiteral("/zantor"));
        switch (before) {
        case Before::Nothing:
            break;
        case Before::OpenToOthers:
            QVERIFY(::mkdir(ours.constData(), 0700) == 0 && ::chmod(ours.constData(), 0777) == 0);
            break;
        case Before::OtherUsers:
            QVERIFY(::mkdir(ours.constData(), 0700) == 0 && ::chown(ours.constData(), 65534, 65534) == 0);
            break;
        case Before::Link:
            QVERIFY(QFile::link(root.path(), QFile::decodeName(ours)));
            break;
        }
        const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        const QByteArray savedCache = qgetenv("XDG_CACHE_HOME");
        session ? qputenv("XDG_RUNTIME_DIR", runtime.toUtf8()) : qunsetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_CACHE_HOME", root.filePath(QStringLiteral("cache")).toUtf8());
        const QString folder = privateRuntimeFolder();
        qputenv("XDG_RUNTIME_DIR", savedRuntime);
        qputenv("XDG_CACHE_HOME", savedCache);

        QCOMPARE(folder, root.filePath(chosen));
        struct stat status {};
        QVERIFY(::lstat(QFile::encodeName(folder).constData(), &status) == 0);
        QCOMPARE(status.st_mode & 0777, mode_t(0700));
    }
};

QTEST_GUILESS_MAIN(PrivateRuntimeFolderTest)
#include "tst_private_runtime_folder.moc"
