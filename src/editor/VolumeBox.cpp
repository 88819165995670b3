#include "VolumeBox.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <mutex>
#include <thread>

namespace zantor {

// Where the reading leaves its result for one box. The box may be gone by the time the
// volumes are read (a dead mount can take minutes): the reading then drops them.
struct VolumeBox::Mailbox {
    std::mutex mutex;
    VolumeBox* receiver = nullptr;

    void deliver(const QVector<Volume>& volumes) {
        const std::lock_guard lock(mutex);
        if (VolumeBox* box = receiver)
            QMetaObject::invokeMethod(
                box, [box, volumes] { box->takeVolumes(volumes); }, Qt::QueuedConnection);
    }
};

// The one reading of the volumes: a box that asks while it goes on waits for its result
// instead of starting another.
class VolumeBox::Reader {
public:
    static void ask(std::shared_ptr<Mailbox> mailbox) {
        // Never destroyed: a reading stuck on a dead mount may still finish while the
        // program ends.
        static Reader& reader = *new Reader;
        const std::lock_guard lock(reader.m_mutex);
        reader.m_waiting.append(std::move(mailbox));
        if (reader.m_reading)
            return;
        reader.m_reading = true;
        // Detached, so that a reading stuck on a dead mount never holds up the end of the
        // program; the reader and the mailboxes outlive both sides.
        std::thread([&reader = reader] {
            const QVector<Volume> volumes = readVolumes();
            QVector<std::shared_ptr<Mailbox>> waiting;
            {
                const std::lock_guard lock(reader.m_mutex);
                waiting = std::exchange(reader.m_waiting, {});
                reader.m_reading = false;
            }
            for (const std::shared_ptr<Mailbox>& mailbox : std::as_const(waiting))
                mailbox->deliver(volumes);
        }).detach();
    }

private:
    std::mutex m_mutex;
    bool m_reading = false;
    QVector<std::shared_ptr<Mailbox>> m_waiting;
};

VolumeBox::VolumeBox(QWidget* parent)
    : QComboBox(parent)
    , m_mailbox(std::make_shared<Mailbox>()) {
    addVolume({QDir::rootPath(), QString()});
    connect(this, &QComboBox::activated, this,
            [this](int index) { emit volumePicked(itemData(index).toString()); });

    m_mailbox->receiver = this;
    Reader::ask(m_mailbox);
}

VolumeBox::~VolumeBox() {
    const std::lock_guard lock(m_mailbox->mutex);
    m_mailbox->receiver = nullptr;
}

QVector<VolumeBox::Volume> VolumeBox::readVolumes() {
    QVector<Volume> volumes;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
        // Files mounted over files (as containers do) are no place to pick from.
        if (storage.isValid() && storage.isReady() && QFileInfo(storage.rootPath()).isDir())
            volumes.append({storage.rootPath(), storage.name()});
    }
    std::sort(volumes.begin(), volumes.end(),
              [](const Volume& a, const Volume& b) { return a.root < b.root; });
    return volumes;
}

void VolumeBox::takeVolumes(const QVector<Volume>& volumes) {
    if (!volumes.isEmpty()) {
        clear();
        for (const Volume& volume : volumes)
            addVolume(volume);
        showVolumeOf(m_shownPath);
    }
    emit volumesListed();
}

void VolumeBox::addVolume(const Volume& volume) {
    const QString text =
        volume.label.isEmpty() ? volume.root : QStringLiteral("%1 [%2]").arg(volume.root, volume.label);
    addItem(text, volume.root);
}

void VolumeBox::showVolumeOf(const QString& path) {
    m_shownPath = path;
    // The deepest volume root that holds the path.
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < count(); ++i) {
        const QString root = itemData(i).toString();
        const bool holds =
            path == root || path.startsWith(root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/'));
        if (holds && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    setCurrentIndex(best);
}

QString VolumeBox::currentRoot() const {
    return currentData().toString();
}

} // namespace zantor
