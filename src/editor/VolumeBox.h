#pragma once

#include <QComboBox>
#include <memory>

namespace zantor {

// A box of the mounted volumes, each standing for its root folder. The volumes are
// read off the interface thread: a network mount that stopped answering would
// otherwise freeze the window for as long as the system waits on it. One reading serves
// every box that asks while it goes on, so that such a mount holds up one thread, not one
// per editor opened. Until they are read, the box holds the root of the file system
// alone.
class VolumeBox : public QComboBox {
    Q_OBJECT
public:
    explicit VolumeBox(QWidget* parent = nullptr);
    ~VolumeBox() override;

    // Shows the volume that holds `path`, without picking it.
    void showVolumeOf(const QString& path);
    QString currentRoot() const;

signals:
    // The user chose a volume, also the one already shown.
    void volumePicked(const QString& root);
    // The mounted volumes are in the box.
    void volumesListed();

private:
    struct Volume {
        QString root;
        QString label;
    };
    struct Mailbox;
    class Reader;

    static QVector<Volume> readVolumes();
    void takeVolumes(const QVector<Volume>& volumes);
    void addVolume(const Volume& volume);

    std::shared_ptr<Mailbox> m_mailbox;
    QString m_shownPath;
};

} // namespace zantor
