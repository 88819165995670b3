#include "DatabaseSetup.h"

#include "DatabaseError.h"
#include "DbSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zantor {

namespace {

QString readSeed(const QString& databasePath, const QString& seedPath) {
    QFile seed(seedPath);
    if (!seed.open(QIODevice::ReadOnly | QIODevice::Text))
        throw DatabaseError(
            databasePath,
            QStringLiteral("O arquivo não existe e o modelo para criá-lo (%1) não pôde ser lido.")
                .arg(QDir::toNativeSeparators(seedPath)));
    return QString::fromUtf8(seed.readAll());
}

void createFromSeed(const QString& databasePath, const QString& seedPath) {
    const QStringList statements = splitSqlScript(readSeed(databasePath, seedPath));
    // Build beside the target and move it into place at the end, so that a failure
    // never leaves a half-made database that the next start would take as real.
    const QString partial = databasePath + QStringLiteral(".part");
    QFile::remove(partial);
    try {
        DbSession db(partial, DbSession::OpenMode::CreateFile);
        db.inTransaction([&] {
            for (const QString& statement : statements)
                db.execute(statement);
        });
    } catch (const DatabaseError& error) {
        QFile::remove(partial);
        throw DatabaseError(databasePath, error.reason());
    }
    if (!QFile::rename(partial, databasePath)) {
        QFile::remove(partial);
        throw DatabaseError(databasePath, QStringLiteral("Não foi possível criar o arquivo."));
    }
}

} // namespace

QStringList splitSqlScript(const QString& script) {
    QStringList statements;
    QString current;
    bool inQuotes = false;
    for (qsizetype i = 0; i < script.size(); ++i) {
        const QChar c = script[i];
        // A comment runs to the end of its line; an apostrophe in it opens no text.
        if (!inQuotes && c == QLatin1Char('-') && script.mid(i, 2) == QStringLiteral("--")) {
            while (i < script.size() && script[i] != QLatin1Char('\n'))
                ++i;
            current.append(QLatin1Char('\n'));
            continue;
        }
        if (c == QLatin1Char('\''))
            inQuotes = !inQuotes;
        if (c == QLatin1Char(';') && !inQuotes) {
            if (!current.trimmed().isEmpty())
                statements.append(current.trimmed());
            current.clear();
        } else {
            current.append(c);
        }
    }
    if (!current.trimmed().isEmpty())
        statements.append(current.trimmed());
    return statements;
}

void createMissingDatabases(const DatabasePaths& paths, const QString& seedFolder) {
    const QString targets[] = {paths.settings, paths.groups, paths.categories};
    for (const QString& target : targets) {
        const QFileInfo info(target);
        if (info.exists())
            continue;
        QDir().mkpath(info.absolutePath());
        createFromSeed(target, QDir(seedFolder).filePath(info.completeBaseName() + QStringLiteral(".sql")));
    }
}

} // namespace zantor
