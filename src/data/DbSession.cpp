#include "DbSession.h"

#include "DatabaseError.h"

#include <QCollator>
#include <QFileInfo>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>
#include <sqlite3.h>

namespace zantor {

namespace {

QString nextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("zantor-%1").arg(counter.fetch_add(1));
}

int compareAlphabetically(void* collator, int leftBytes, const void* left, int rightBytes,
                          const void* right) {
    const QStringView a(static_cast<const char16_t*>(left), leftBytes / 2);
    const QStringView b(static_cast<const char16_t*>(right), rightBytes / 2);
    return static_cast<QCollator*>(collator)->compare(a, b);
}

void deleteCollator(void* collator) {
    delete static_cast<QCollator*>(collator);
}

bool registerAlphabeticalCollation(const QSqlDatabase& db) {
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return false;
    sqlite3* sqlite = *static_cast<sqlite3* const*>(handle.data());
    auto* collator = new QCollator(QLocale(QLocale::Portuguese, QLocale::Brazil));
    collator->setCaseSensitivity(Qt::CaseInsensitive);
    return sqlite3_create_collation_v2(sqlite, kAlphabeticalCollation, SQLITE_UTF16_ALIGNED, collator,
                                       compareAlphabetically, deleteCollator) == SQLITE_OK;
}

} // namespace

DbSession::DbSession(const QString& path, OpenMode mode)
    : m_path(path)
    , m_connection(nextConnectionName()) {
    // SQLite would quietly make an empty file where a database is missing; an
    // existing database must be there already.
    if (mode == OpenMode::ExistingFile && !QFileInfo(path).isFile())
        throw DatabaseError(path, QStringLiteral("O arquivo não foi encontrado."));

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));
    if (!db.open()) {
        const QString reason = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
        throw DatabaseError(path, QStringLiteral("Não foi possível abrir o arquivo (%1).").arg(reason));
    }
    if (!registerAlphabeticalCollation(db)) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
        throw DatabaseError(path, QStringLiteral("Não foi possível preparar a ordem alfabética."));
    }
}

DbSession::~DbSession() {
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

void DbSession::fail(const QString& reason) const {
    throw DatabaseError(m_path, reason);
}

QVector<QSqlRecord> DbSession::select(const QString& sql, const QVariantList& values) {
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        fail(QStringLiteral("Não foi possível ler os dados (%1).").arg(query.lastError().text()));
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        fail(QStringLiteral("Não foi possível ler os dados (%1).").arg(query.lastError().text()));
    QVector<QSqlRecord> rows;
    while (query.next())
        rows.append(query.record());
    if (query.lastError().isValid())
        fail(QStringLiteral("Não foi possível ler os dados (%1).").arg(query.lastError().text()));
    return rows;
}

void DbSession::execute(const QString& sql, const QVariantList& values) {
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!query.prepare(sql))
        fail(QStringLiteral("Não foi possível gravar os dados (%1).").arg(query.lastError().text()));
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        fail(QStringLiteral("Não foi possível gravar os dados (%1).").arg(query.lastError().text()));
}

void DbSession::begin() {
    if (!QSqlDatabase::database(m_connection, false).transaction())
        fail(QStringLiteral("Não foi possível iniciar a gravação."));
}

void DbSession::commit() {
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.commit()) {
        const QString reason = db.lastError().text();
        db.rollback();
        fail(QStringLiteral("Não foi possível concluir a gravação (%1).").arg(reason));
    }
}

void DbSession::rollback() {
    QSqlDatabase::database(m_connection, false).rollback();
}

QString columnText(const QSqlRecord& record, const QString& column) {
    const QVariant value = record.value(column);
    return value.isNull() ? QString() : value.toString();
}

} // namespace zantor
