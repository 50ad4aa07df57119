#include "CommandIconEngine.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QThreadPool>

namespace {

constexpr qreal DisabledOpacity = 0.3;

} // namespace

TCommandIconEngine::TCommandIconEngine(TSource kind, const QString &name)
{
    if (kind == SvgFile)
        FSvgFile = name;
    else
        FMake = [name] { return QIcon::fromTheme(name); };
}

TCommandIconEngine::TCommandIconEngine(std::function<QIcon()> make) : FMake(std::move(make)) {}

TCommandIconEngine::~TCommandIconEngine() = default;

QIcon &TCommandIconEngine::Made()
{
    if (!FMade)
        FMade = FMake();
    return *FMade;
}

void TCommandIconEngine::DrawAhead(const QSize &size)
{
    if (FSvgFile.isEmpty() || FAhead.valid())
        return;
    // The worker reads the file into a renderer of its own and draws into an
    // image, which, unlike a pixmap, may be made on any thread.
    auto task = std::make_shared<std::packaged_task<QImage()>>([file = FSvgFile, size] {
        QSvgRenderer renderer(file);
        return Draw(renderer, size);
    });
    FAheadSize = size;
    FAhead = task->get_future();
    QThreadPool::globalInstance()->start([task] { (*task)(); });
}

QImage TCommandIconEngine::Draw(QSvgRenderer &renderer, const QSize &size)
{
    if (!renderer.isValid() || size.isEmpty())
        return {};
    QImage drawn(size, QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    QPainter painter(&drawn);
    QSizeF picture = renderer.viewBoxF().size();
    if (picture.isEmpty())
        picture = size;
    picture.scale(size, Qt::KeepAspectRatio);
    renderer.render(&painter, QRectF(QPointF((size.width() - picture.width()) / 2,
                                             (size.height() - picture.height()) / 2),
                                     picture));
    return drawn;
}

QPixmap TCommandIconEngine::DrawSvg(const QSize &size)
{
    if (FAhead.valid() && size == FAheadSize) {
        const QImage drawn = FAhead.get(); // leaves the future empty
        return QPixmap::fromImage(drawn);
    }
    if (!FRenderer)
        FRenderer = std::make_unique<QSvgRenderer>(FSvgFile);
    return QPixmap::fromImage(Draw(*FRenderer, size));
}

QPixmap TCommandIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    if (FSvgFile.isEmpty())
        return Made().pixmap(size, mode, state);
    const bool faint = mode == QIcon::Disabled;
    const auto key = std::make_pair((qint64(size.width()) << 32) | quint32(size.height()), faint);
    if (const auto found = FDrawn.find(key); found != FDrawn.end())
        return found->second;
    const QPixmap normal = faint ? pixmap(size, QIcon::Normal, state) : DrawSvg(size);
    QPixmap drawn = normal;
    if (faint && !normal.isNull()) {
        drawn = QPixmap(normal.size());
        drawn.fill(Qt::transparent);
        QPainter painter(&drawn);
        painter.setOpacity(DisabledOpacity);
        painter.drawPixmap(0, 0, normal);
    }
    FDrawn.emplace(key, drawn);
    return drawn;
}

void TCommandIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode,
                               QIcon::State state)
{
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QPixmap drawn = pixmap(rect.size() * ratio, mode, state);
    drawn.setDevicePixelRatio(ratio);
    painter->drawPixmap(rect, drawn);
}

QSize TCommandIconEngine::actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    if (FSvgFile.isEmpty())
        return Made().actualSize(size, mode, state);
    // The symbolic pictures are square and scale to any size.
    const int side = qMin(size.width(), size.height());
    return QSize(side, side);
}

QIconEngine *TCommandIconEngine::clone() const
{
    return FSvgFile.isEmpty() ? new TCommandIconEngine(FMake)
                              : new TCommandIconEngine(SvgFile, FSvgFile);
}

QString TCommandIconEngine::key() const
{
    return QStringLiteral("TCommandIconEngine");
}
