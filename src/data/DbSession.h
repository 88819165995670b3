#pragma once

#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariantList>
#include <QVector>
#include <utility>

namespace zantor {

// One database operation: open the file, run one query or a few statements, close it
// again when the session goes out of scope. Every failure throws DatabaseError.
class DbSession {
public:
    enum class OpenMode { ExistingFile, CreateFile };

    explicit DbSession(const QString& path, OpenMode mode = OpenMode::ExistingFile);
    ~DbSession();
    DbSession(const DbSession&) = delete;
    DbSession& operator=(const DbSession&) = delete;

    // Values are bound to the `?` placeholders in order; nothing is joined into the SQL.
    QVector<QSqlRecord> select(const QString& sql, const QVariantList& values = {});
    // Hands each row to `onRow` as the query stands on it: for long lists, where a
    // record per row would cost more than the reading itself.
    template <typename OnRow> void forEachRow(const QString& sql, const QVariantList& values, OnRow&& onRow) {
        QSqlQuery query = run(sql, values, true);
        while (query.next())
            onRow(std::as_const(query));
        finishReading(query);
    }
    void execute(const QString& sql, const QVariantList& values = {});
    // The one statement once for each list of values, prepared once: for many rows.
    void executeForEach(const QString& sql, const QVector<QVariantList>& rows);

    // Runs `work` in one transaction: all of it lands, or none of it. The transaction
    // takes the write lock at its start, waiting its turn while another process writes,
    // so that nothing can come between what `work` reads and what it writes. Taken only
    // at the first write, after a read, the lock could not be waited for: SQLite says
    // "database is locked" at once there rather than risk a deadlock.
    template <typename Work> void inTransaction(Work&& work) {
        begin();
        try {
            work();
        } catch (...) {
            rollback();
            throw;
        }
        commit();
    }

private:
    QSqlQuery prepared(const QString& sql, bool forReading);
    void runPrepared(QSqlQuery& query, const QVariantList& values, bool forReading);
    QSqlQuery run(const QString& sql, const QVariantList& values, bool forReading);
    void finishReading(const QSqlQuery& query) const;
    void begin();
    void commit();
    void rollback();
    [[noreturn]] void fail(const QString& reason) const;

    QString m_path;
    QString m_connection;
};

// A column read as text; a Null reads as "".
QString columnText(const QSqlRecord& record, const QString& column);

} // namespace zantor
