// How closely the launcher keeps its pace: opens one group of real files through the
// Launcher and prints how far each hand-over fell from its slot, the moment one delay
// per resource after the command.

#include "data/DatabasePaths.h"
#include "data/DatabaseSetup.h"
#include "data/DbSession.h"
#include "data/ItemListCodec.h"
#include "platform/ResourceHandler.h"
#include "state/Launcher.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace zantor;

namespace {

constexpr int kResources = 200;
constexpr int kDelayMs = 20;

// Checks the files for real and notes when each one is handed over; the run's last
// hand-over ends the measurement.
class TimingHandler final : public ResourceHandler {
public:
    explicit TimingHandler(const QElapsedTimer& clock)
        : m_clock(clock) {}

    bool exists(const QString& path) const override { return QFileInfo::exists(path); }
    bool open(const QString&, const QStringList&) override {
        handOverNs.push_back(m_clock.nsecsElapsed());
        if (handOverNs.size() == kResources)
            QCoreApplication::quit();
        return true;
    }
    // The benchmark's group holds files only.
    bool openWebAddress(const QString& url) override { return open(url, {}); }

    std::vector<qint64> handOverNs;

private:
    const QElapsedTimer& m_clock;
};

int makeGroup(const QTemporaryDir& root, const DatabasePaths& paths) {
    QVector<GroupItem> items;
    QDir().mkpath(root.filePath(QStringLiteral("files")));
    for (int i = 0; i < kResources; ++i) {
        const QString path = root.filePath(QStringLiteral("files/recurso %1.txt").arg(i));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        items.append({QStringLiteral("Recurso %1").arg(i), path});
    }
    const StoredItemList stored = writeItemList(items);
    DbSession db(paths.groups);
    db.execute(QStringLiteral("insert into Tabela1 (titulo1,texto1,texto2,qtd,dataUpd,categoria,ordem) "
                              "values (?,?,?,?,?,?,?)"),
               {QStringLiteral("Bench"), stored.texto1, stored.texto2, stored.qtd,
                QStringLiteral("01/01/2026"), 1, 0});
    return db.select(QStringLiteral("select max(id) from Tabela1")).first().value(0).toInt();
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir root;
    const DatabasePaths paths = DatabasePaths::inFolder(root.filePath(QStringLiteral("BD")));
    createMissingDatabases(paths, QStringLiteral(ZANTOR_SOURCE_DIR "/BD"));
    const int groupId = makeGroup(root, paths);

    QElapsedTimer clock;
    TimingHandler handler(clock);
    Launcher launcher(paths.groups, handler);
    clock.start();
    launcher.openGroups({groupId}, kDelayMs);
    QCoreApplication::exec();

    std::vector<double> deviationsMs;
    for (std::size_t k = 0; k < handler.handOverNs.size(); ++k) {
        const qint64 slotNs = qint64(k + 1) * kDelayMs * 1000000;
        deviationsMs.push_back(double(handler.handOverNs[k] - slotNs) / 1e6);
    }
    const auto [earliest, latest] = std::minmax_element(deviationsMs.begin(), deviationsMs.end());
    std::vector<double> sorted = deviationsMs;
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted.size() % 2 ? sorted[sorted.size() / 2]
                                            : (sorted[sorted.size() / 2 - 1] + sorted[sorted.size() / 2]) / 2;
    const double worst = std::max(-*earliest, *latest);

    std::printf("%zu resources, %d ms apart; deviation of each hand-over from its slot:\n",
                deviationsMs.size(), kDelayMs);
    std::printf("  median %.3f ms\n  worst  %.3f ms (earliest %+.3f ms, latest %+.3f ms)\n", median, worst,
                *earliest, *latest);
    std::printf("  last hand-over at %.3f ms, its slot at %d ms\n", double(handler.handOverNs.back()) / 1e6,
                kResources * kDelayMs);
    return 0;
}
