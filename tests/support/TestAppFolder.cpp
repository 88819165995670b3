#include "TestAppFolder.h"

#include "data/DatabaseSetup.h"
#include "data/DbSession.h"

#include <QDir>
#include <QFile>

namespace {

void copyFolder(const QString& from, const QString& to) {
    QDir().mkpath(to);
    const QDir source(from);
    for (const QString& name : source.entryList(QDir::Files))
        QFile::copy(source.filePath(name), QDir(to).filePath(name));
}

} // namespace

TestAppFolder::TestAppFolder() {
    copyFolder(QStringLiteral(ZANTOR_SOURCE_DIR "/BD"), m_dir.filePath(QStringLiteral("BD")));
    copyFolder(QStringLiteral(ZANTOR_SOURCE_DIR "/IMG"), m_dir.filePath(QStringLiteral("IMG")));
}

void TestAppFolder::createDatabases() const {
    zantor::createMissingDatabases(databases(), folders().seedFolder());
}

int TestAppFolder::addGroup(const QString& titulo1, const QString& texto1, const QString& texto2,
                            const QVariant& categoria, const QVariant& ordem, const QString& qtd,
                            const QString& dataUpd) const {
    createDatabases();
    zantor::DbSession db(databases().groups);
    db.execute(QStringLiteral("insert into Tabela1 (titulo1,texto1,texto2,qtd,dataUpd,categoria,ordem) "
                              "values (?,?,?,?,?,?,?)"),
               {titulo1, texto1, texto2, qtd, dataUpd, categoria, ordem});
    return db.select(QStringLiteral("select max(id) as id from Tabela1")).first().value(0).toInt();
}

void TestAppFolder::setSettings(const QVariantMap& columns) const {
    createDatabases();
    zantor::DbSession db(databases().settings);
    for (auto it = columns.begin(); it != columns.end(); ++it)
        db.execute(QStringLiteral("update Tabela1 set [%1]=? where id=1").arg(it.key()), {it.value()});
}
