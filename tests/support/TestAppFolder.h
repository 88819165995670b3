#pragma once

#include "data/AppFolders.h"

#include <QString>
#include <QTemporaryDir>
#include <QVariantMap>

// A temporary app folder laid out like the one beside the executable: the seed SQL in
// BD and the pictures in IMG. The databases are made when the program first starts, or
// at once with createDatabases().
class TestAppFolder {
public:
    TestAppFolder();

    QString path() const { return m_dir.path(); }
    zantor::AppFolders folders() const { return zantor::AppFolders::forProgramFolder(path()); }
    zantor::DatabasePaths databases() const { return folders().databasePaths(); }
    void createDatabases() const;

    // Adds a group with its texts as stored; returns its id.
    int addGroup(const QString& titulo1, const QString& texto1 = {}, const QString& texto2 = {},
                 const QVariant& categoria = 1, const QVariant& ordem = 0,
                 const QString& qtd = QStringLiteral("1"),
                 const QString& dataUpd = QStringLiteral("01/02/2026")) const;
    // Sets settings columns of row 1, for example {"ordemPosts", "1"}.
    void setSettings(const QVariantMap& columns) const;

private:
    QTemporaryDir m_dir;
};
