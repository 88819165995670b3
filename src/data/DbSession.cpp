#include "DbSession.h"

#include "DatabaseError.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>

namespace zantor {

namespace {

QString nextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("zantor-%1").arg(counter.fetch_add(1));
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
    // Commands started together take turns: each waits this long for another's lock.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    if (!db.open()) {
        const QString reason = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
        throw DatabaseError(path, QStringLiteral("Não foi possível abrir o arquivo (%1).").arg(reason));
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

namespace {

QString failureText(bool forReading) {
    return forReading ? QStringLiteral("Não foi possível ler os dados (%1).")
                      : QStringLiteral("Não foi possível gravar os dados (%1).");
}

} // namespace

QSqlQuery DbSession::prepared(const QString& sql, bool forReading) {
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        fail(failureText(forReading).arg(query.lastError().text()));
    return query;
}

void DbSession::runPrepared(QSqlQuery& query, const QVariantList& values, bool forReading) {
    for (qsizetype i = 0; i < values.size(); ++i)
        query.bindValue(int(i), values[i]);
    if (!query.exec())
        fail(failureText(forReading).arg(query.lastError().text()));
}

QSqlQuery DbSession::run(const QString& sql, const QVariantList& values, bool forReading) {
    QSqlQuery query = prepared(sql, forReading);
    runPrepared(query, values, forReading);
    return query;
}

void DbSession::finishReading(const QSqlQuery& query) const {
    if (query.lastError().isValid())
        fail(QStringLiteral("Não foi possível ler os dados (%1).").arg(query.lastError().text()));
}

QVector<QSqlRecord> DbSession::select(const QString& sql, const QVariantList& values) {
    QVector<QSqlRecord> rows;
    forEachRow(sql, values, [&rows](const QSqlQuery& query) { rows.append(query.record()); });
    return rows;
}

void DbSession::execute(const QString& sql, const QVariantList& values) {
    run(sql, values, false);
}

void DbSession::executeForEach(const QString& sql, const QVector<QVariantList>& rows) {
    QSqlQuery query = prepared(sql, false);
    for (const QVariantList& values : rows)
        runPrepared(query, values, false);
}

void DbSession::begin() {
    run(QStringLiteral("BEGIN IMMEDIATE"), {}, false);
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
