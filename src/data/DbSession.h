#pragma once

#include <QSqlRecord>
#include <QString>
#include <QVariantList>
#include <QVector>

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
    void execute(const QString& sql, const QVariantList& values = {});

    // Runs `work` in one transaction: all of it lands, or none of it.
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
    void begin();
    void commit();
    void rollback();
    [[noreturn]] void fail(const QString& reason) const;

    QString m_path;
    QString m_connection;
};

// A column read as text; a Null reads as "".
QString columnText(const QSqlRecord& record, const QString& column);

// The collation that gives alphabetical order as a Portuguese reader expects: letter
// case and accents do not split the list. Use it as `ORDER BY column COLLATE PTBR`.
inline constexpr const char* kAlphabeticalCollation = "PTBR";

} // namespace zantor
