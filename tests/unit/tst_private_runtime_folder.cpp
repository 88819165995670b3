#include "platform/PrivateRuntimeFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

using namespace zantor;

namespace {

// What stands where the folder is wanted before the start.
enum class Before { Nothing, Folder, Link };

} // namespace

Q_DECLARE_METATYPE(Before)

class PrivateRuntimeFolderTest : public QObject {
    Q_OBJECT
private slots:
    // Another user who could reach the lock could make two copies run on the same
    // databases: only a real folder of this user's that nobody else may enter is taken.
    void onlyAFolderNobodyElseCanEnterIsPrivate_data() {
        QTest::addColumn<Before>("before");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("anotherOwner");
        QTest::addColumn<bool>("isPrivate");
        QTest::newRow("none yet: made") << Before::Nothing << 0 << false << true;
        QTest::newRow("ours") << Before::Folder << 0700 << false << true;
        QTest::newRow("ours, the group may enter") << Before::Folder << 0750 << false << false;
        QTest::newRow("ours, the group may write") << Before::Folder << 0770 << false << false;
        QTest::newRow("ours, others may enter") << Before::Folder << 0701 << false << false;
        QTest::newRow("another user's") << Before::Folder << 0700 << true << false;
        QTest::newRow("a link to a folder of ours") << Before::Link << 0700 << false << false;
    }

    void onlyAFolderNobodyElseCanEnterIsPrivate() {
        QFETCH(Before, before);
        QFETCH(int, mode);
        QFETCH(bool, anotherOwner);
        QFETCH(bool, isPrivate);
        QTemporaryDir root;
        const QString folder = root.filePath(QStringLiteral("zantor"));
        const QByteArray path = QFile::encodeName(folder);
        const QString target = root.filePath(QStringLiteral("elsewhere"));
        switch (before) {
        case Before::Nothing:
            break;
        case Before::Folder:
            QVERIFY(::mkdir(path.constData(), 0700) == 0 && ::chmod(path.constData(), mode_t(mode)) == 0);
            break;
        case Before::Link:
            QVERIFY(::mkdir(QFile::encodeName(target).constData(), mode_t(mode)) == 0);
            QVERIFY(QFile::link(target, folder));
            break;
        }
        // The owner is checked as an ordinary user too: the folder is ours, the user
        // asking is someone else.
        const uint user = ::getuid() + (anotherOwner ? 1 : 0);
        QCOMPARE(isPrivateFolder(folder, user), isPrivate);
        if (before == Before::Nothing) {
            struct stat status {};
            QVERIFY(::lstat(path.constData(), &status) == 0);
            QCOMPARE(status.st_mode & 0777, mode_t(0700));
        }
    }

    // The session's runtime folder first; outside a session (cron), or where the
    // session's is not private, the cache folder.
    void theSessionsFolderIsTakenWhenItCanBe_data() {
        QTest::addColumn<bool>("session");
        QTest::addColumn<int>("runtimeMode");
        QTest::addColumn<bool>("oursOpenToOthers");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("the session's") << true << 0700 << false << "run/zantor";
        QTest::newRow("the session's, open to others") << true << 0755 << false << "run/zantor";
        QTest::newRow("ours there, open to others") << true << 0700 << true << "cache/zantor-run";
        QTest::newRow("no session, as under cron") << false << 0700 << false << "cache/zantor-run";
    }

    void theSessionsFolderIsTakenWhenItCanBe() {
        QFETCH(bool, session);
        QFETCH(int, runtimeMode);
        QFETCH(bool, oursOpenToOthers);
        QFETCH(QString, chosen);
        QTemporaryDir root;
        const QString runtime = root.filePath(QStringLiteral("run"));
        QVERIFY(QDir().mkdir(runtime));
        QVERIFY(::chmod(QFile::encodeName(runtime).constData(), mode_t(runtimeMode)) == 0);
        const QByteArray ours = QFile::encodeName(runtime + QStringLiteral("/zantor"));
        if (oursOpenToOthers)
            QVERIFY(::mkdir(ours.constData(), 0700) == 0 && ::chmod(ours.constData(), 0777) == 0);
        const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        const QByteArray savedCache = qgetenv("XDG_CACHE_HOME");
        session ? qputenv("XDG_RUNTIME_DIR", runtime.toUtf8()) : qunsetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_CACHE_HOME", root.filePath(QStringLiteral("cache")).toUtf8());
        const QString folder = privateRuntimeFolder();
        qputenv("XDG_RUNTIME_DIR", savedRuntime);
        qputenv("XDG_CACHE_HOME", savedCache);
        QCOMPARE(folder, root.filePath(chosen));
    }
};

QTEST_GUILESS_MAIN(PrivateRuntimeFolderTest)
#include "tst_private_runtime_folder.moc"
