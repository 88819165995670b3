#include "platform/WholeFile.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>

using namespace zantor;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class WholeFileTest : public QObject {
    Q_OBJECT
private slots:
    // A disk that fills up during the write: the old file stays whole, nothing is left
    // beside it, and the user reads the system's reason.
    void aWriteCutShortSaysWhyAndKeepsTheOldFile_data() {
        QTest::addColumn<LinkAtName>("link");
        QTest::newRow("a path the user named") << LinkAtName::Follow;
        QTest::newRow("a name Zantor owns") << LinkAtName::Replace;
    }
    void aWriteCutShortSaysWhyAndKeepsTheOldFile() {
        QFETCH(LinkAtName, link);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("grupos.json"));
        const QByteArray old = "old backup\n";
        QCOMPARE(writeWholeFile(path, old, {}, link), QString());
        QString failure;
        {
            const FileSizeLimit limit(64 * 1024);
            failure = writeWholeFile(path, QByteArray(200 * 1024, 'x'), {}, link);
        }
        QVERIFY2(failure.startsWith(QStringLiteral("não foi possível gravar %1 (").arg(path)),
                 qPrintable(failure));
        QVERIFY2(failure.endsWith(QStringLiteral("(%1)").arg(qt_error_string(EFBIG))), qPrintable(failure));
        QCOMPARE(fileBytes(path), old);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"grupos.json"}));
    }
};

QTEST_GUILESS_MAIN(WholeFileTest)
#include "tst_whole_file.moc"
