// The import of a group file: any document is refused with a message or imported, a
// refused one leaves the groups as they were, and what an import stored exports to a
// file whose import, into another empty database, stores the same rows.
#include "FuzzCheck.h"
#include "data/DatabaseError.h"
#include "data/DatabaseSetup.h"
#include "data/DbSession.h"
#include "data/GroupExchange.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <memory>

using namespace zantor;
using zantor::fuzz::check;
using zantor::fuzz::checkEqual;

namespace {

const QDate kToday(2026, 3, 9);

struct Databases {
    QTemporaryDir folder;
    DatabasePaths paths;

    explicit Databases(const QString& base)
        : folder(base + QStringLiteral("/zantor-fuzz-XXXXXX"))
        , paths(DatabasePaths::inFolder(folder.path())) {
        createMissingDatabases(paths, QStringLiteral(ZANTOR_SOURCE_DIR "/BD"));
    }

    void empty() const {
        DbSession db(paths.groups);
        db.execute(QStringLiteral("delete from Tabela1"));
    }

    // Every stored column but the id, in the custom order; a Null shows as such.
    QStringList rows() const {
        DbSession db(paths.groups);
        QStringList rows;
        for (const QSqlRecord& row :
             db.select(QStringLiteral("select titulo1,texto1,texto2,qtd,dataUpd,categoria,ordem,texto3 from "
                                      "Tabela1 order by ordem, id"))) {
            QStringList columns;
            for (int i = 0; i < row.count(); ++i)
                columns << (row.isNull(i) ? QStringLiteral("<Null>") : row.value(i).toString());
            rows << columns.join(QLatin1Char('|'));
        }
        return rows;
    }
};

std::unique_ptr<Databases> first;
std::unique_ptr<Databases> second;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication application(*argc, *argv);
    // Memory is where a database of throwaway rows belongs: the fuzzer stores thousands a
    // second.
    const QString base =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    first = std::make_unique<Databases>(base);
    second = std::make_unique<Databases>(base);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray json(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        first->empty();
        try {
            importGroups(first->paths, json, kToday);
        } catch (const ExchangeFormatError&) {
            checkEqual(first->rows(), QStringList(), "a refused file stored nothing");
            return 0;
        }
        const GroupExport exported = exportGroups(first->paths);
        second->empty();
        try {
            importGroups(second->paths, exported.json, kToday);
        } catch (const ExchangeFormatError& error) {
            qCritical().noquote() << error.message() << "\n" << exported.json;
            check(false, "an export is taken back by the import");
        }
        checkEqual(second->rows(), first->rows(), "the rows of an import of the export");
        checkEqual(exported.groupCount, int(first->rows().size()), "every group exported");
    } catch (const DatabaseError& error) {
        qCritical().noquote() << error.userMessage();
        check(false, "the databases take every imported group");
    }
    return 0;
}
