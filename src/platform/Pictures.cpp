#include "Pictures.h"

#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <memory>

namespace zantor {

namespace {

class SvgPictureEngine : public QIconEngine {
public:
    explicit SvgPictureEngine(QString path)
        : m_path(std::move(path)) {}

    QIconEngine* clone() const override { return new SvgPictureEngine(m_path); }
    QString key() const override { return QStringLiteral("zantor-svg"); }
    bool isNull() override { return !renderer().isValid(); }

    // As Qt's SVG icons: the picture's own proportions, within the size asked for.
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        if (mode != QIcon::Normal)
            return styled().actualSize(size, mode, state);
        if (!renderer().isValid())
            return {};
        const QSize own = renderer().defaultSize();
        return own.isEmpty() ? size : own.scaled(size, Qt::KeepAspectRatio);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        if (mode != QIcon::Normal)
            return styled().pixmap(size, mode, state);
        // A file that is no picture gives none, as Qt's own icons do.
        const QSize drawn = actualSize(size, mode, state);
        if (!drawn.isValid())
            return {};
        const quint64 key = (quint64(quint32(drawn.width())) << 32) | quint32(drawn.height());
        if (const auto cached = m_drawn.constFind(key); cached != m_drawn.cend())
            return *cached;
        QPixmap pixmap(drawn);
        pixmap.fill(Qt::transparent);
        if (!drawn.isEmpty()) {
            QPainter painter(&pixmap);
            renderer().render(&painter, QRectF(QPointF(0, 0), drawn));
        }
        m_drawn.insert(key, pixmap);
        return pixmap;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        if (mode != QIcon::Normal) {
            styled().paint(painter, rect, Qt::AlignCenter, mode, state);
            return;
        }
        // Filling the box as Qt's do, even where the picture's proportions leave it a
        // pixel short of it.
        const qreal scale = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        painter->drawPixmap(rect, pixmap(rect.size() * scale, mode, state));
    }

private:
    QSvgRenderer& renderer() {
        if (!m_renderer)
            m_renderer = std::make_unique<QSvgRenderer>(m_path);
        return *m_renderer;
    }
    QIcon& styled() {
        if (m_styled.isNull())
            m_styled = QIcon(m_path);
        return m_styled;
    }

    QString m_path;
    std::unique_ptr<QSvgRenderer> m_renderer;
    QHash<quint64, QPixmap> m_drawn;
    QIcon m_styled;
};

} // namespace

QIcon picture(const QString& path) {
    if (!path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        return QIcon(path);
    return QIcon(new SvgPictureEngine(path));
}

} // namespace zantor
