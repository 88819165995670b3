#include "data/AppFolders.h"
#include "support/TemporaryHome.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zantor;

// Which copy keeps its databases where: a portable one beside its executable, an
// installed one (or a portable one it cannot write to) in the user's data folder.
class AppFoldersTest : public QObject {
    Q_OBJECT
private slots:
    void foldersFollowTheLayoutBesideTheProgram_data() {
        QTest::addColumn<QString>("programFolder");
        QTest::addColumn<bool>("withBd");
        QTest::addColumn<bool>("bdWritable");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("shipped");
        QTest::addColumn<bool>("databasesBesideProgram");
        QTest::newRow("portable") << "build" << true << true << "build/Zantor"
                                  << "build" << true;
        QTest::newRow("portable, read-only") << "media" << true << false << "media/Zantor"
                                             << "media" << false;
        QTest::newRow("installed") << "usr/bin" << false << false << "usr/bin/zantor"
                                   << "usr/share/zantor" << false;
    }
    void foldersFollowTheLayoutBesideTheProgram() {
        QFETCH(QString, programFolder);
        QFETCH(bool, withBd);
        QFETCH(bool, bdWritable);
        QFETCH(QString, program);
        QFETCH(QString, shipped);
        QFETCH(bool, databasesBesideProgram);
        TemporaryHome home;
        QTemporaryDir root;
        const QString folder = root.filePath(programFolder);
        const QString bd = folder + QStringLiteral("/BD");
        QVERIFY(QDir().mkpath(withBd ? bd : folder));
        if (withBd && !bdWritable) {
            QVERIFY(QFile::setPermissions(bd, QFile::ReadOwner | QFile::ExeOwner));
            if (QFileInfo(bd).isWritable())
                QSKIP("this user writes into read-only folders (root)");
        }

        const AppFolders folders = AppFolders::forProgramFolder(folder);
        QCOMPARE(folders.program, root.filePath(program));
        QCOMPARE(folders.shipped, root.filePath(shipped));
        QCOMPARE(folders.seedFolder(), root.filePath(shipped) + QStringLiteral("/BD/"));
        QCOMPARE(folders.pictureFolder(), root.filePath(shipped) + QStringLiteral("/IMG/"));
        const QString databases =
            databasesBesideProgram ? bd : home.path(QStringLiteral(".local/share/Zantor/BD"));
        QCOMPARE(folders.databasePaths().groups, databases + QStringLiteral("/ZT_Itens.db"));
    }
};

QTEST_GUILESS_MAIN(AppFoldersTest)
#include "tst_app_folders.moc"
