#include "CommandIconEngine.h"

#include <QPainter>

namespace {

constexpr qreal DisabledOpacity = 0.3;

} // namespace

TCommandIconEngine::TCommandIconEngine(TSource kind, const QString &name) : FKind(kind), FName(name)
{
}

QIcon &TCommandIconEngine::Source()
{
    if (!FSource)
        FSource = FKind == SvgFile ? QIcon(FName) : QIcon::fromTheme(FName);
    return *FSource;
}

QPixmap TCommandIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    if (FKind == ThemeIcon)
        return Source().pixmap(size, mode, state);
    const bool faint = mode == QIcon::Disabled;
    const auto key = std::make_pair((qint64(size.width()) << 32) | quint32(size.height()), faint);
    if (const auto found = FDrawn.find(key); found != FDrawn.end())
        return found->second;
    const QPixmap normal = Source().pixmap(size, QIcon::Normal, state);
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
    if (FKind == ThemeIcon)
        return Source().actualSize(size, mode, state);
    // The symbolic pictures are square and scale to any size.
    const int side = qMin(size.width(), size.height());
    return QSize(side, side);
}

QIconEngine *TCommandIconEngine::clone() const
{
    return new TCommandIconEngine(FKind, FName);
}

QString TCommandIconEngine::key() const
{
    return QStringLiteral("TCommandIconEngine");
}
