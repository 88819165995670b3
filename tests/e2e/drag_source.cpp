// Stands in for a file manager or a browser in the end-to-end tests: a small window that
// drags what its command line names as soon as the mouse goes down on it. It prints
// "aceito" or "recusado" each time the window under the pointer changes its answer to
// the drag, so that a test lets go only once the drop will be taken.
//   zantor_drag_source [--link <url> <title>]... [<path>]...
// A link goes as a browser drags one: its address in the URL list, and its address and
// title as _NETSCAPE_URL. (Browsers send the title as text/x-moz-url too, but a Qt
// program cannot: on X11, Qt serves that type from the URL list, without titles.)
#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QUrl>
#include <cstdio>

class DragSource : public QLabel {
public:
    DragSource(QList<QUrl> urls, QString linkTitles)
        : QLabel(QStringLiteral("Arraste daqui"))
        , m_urls(std::move(urls))
        , m_linkTitles(std::move(linkTitles)) {
        setAlignment(Qt::AlignCenter);
    }

protected:
    void mousePressEvent(QMouseEvent*) override {
        auto* mime = new QMimeData;
        mime->setUrls(m_urls);
        if (!m_linkTitles.isEmpty())
            mime->setData(QStringLiteral("_NETSCAPE_URL"), m_linkTitles.toUtf8());
        auto* drag = new QDrag(this);
        drag->setMimeData(mime);
        connect(drag, &QDrag::actionChanged, [](Qt::DropAction action) {
            std::puts(action == Qt::IgnoreAction ? "recusado" : "aceito");
            std::fflush(stdout);
        });
        drag->exec(Qt::CopyAction);
    }

private:
    QList<QUrl> m_urls;
    QString m_linkTitles;
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QList<QUrl> urls;
    QString linkTitles;
    const QStringList arguments = QApplication::arguments().mid(1);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == QStringLiteral("--link") && i + 2 < arguments.size()) {
            urls << QUrl(arguments[i + 1]);
            linkTitles += arguments[i + 1] + QLatin1Char('\n') + arguments[i + 2] + QLatin1Char('\n');
            i += 2;
        } else {
            urls << QUrl::fromLocalFile(arguments[i]);
        }
    }
    DragSource source(urls, linkTitles);
    source.setWindowTitle(QStringLiteral("Origem do arrasto"));
    source.resize(160, 80);
    source.show();
    return QApplication::exec();
}
