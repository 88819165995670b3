// Stands in for a file manager in the end-to-end tests: a small window that drags the
// files and folders named on its command line as soon as the mouse goes down on it.
#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QUrl>

class DragSource : public QLabel {
public:
    explicit DragSource(QList<QUrl> urls)
        : QLabel(QStringLiteral("Arraste daqui"))
        , m_urls(std::move(urls)) {
        setAlignment(Qt::AlignCenter);
    }

protected:
    void mousePressEvent(QMouseEvent*) override {
        auto* mime = new QMimeData;
        mime->setUrls(m_urls);
        auto* drag = new QDrag(this);
        drag->setMimeData(mime);
        drag->exec(Qt::CopyAction);
    }

private:
    QList<QUrl> m_urls;
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QList<QUrl> urls;
    for (const QString& path : QApplication::arguments().mid(1))
        urls << QUrl::fromLocalFile(path);
    DragSource source(urls);
    source.setWindowTitle(QStringLiteral("Origem do arrasto"));
    source.resize(160, 80);
    source.show();
    return QApplication::exec();
}
