#pragma once

#include <QCache>
#include <QImage>
#include <QSize>
#include <QtGlobal>
#include <memory>

// Pictures rendered at the size they are shown at on a raster device, kept
// for the next frame: a drawing shows the same few symbol pictures many
// times, and stretching a bitmap or playing a metafile costs many times what
// placing its pixels does. Shared by all objects of a drawing and bounded
// in memory; the least recently shown go first.
class TRenderedPictures {
public:
    explicit TRenderedPictures(qint64 maxBytes = 64 << 20);

    // The picture kept for this identity and size, or null. An identity
    // names the decoded picture (a shared image's cache key, a metafile's
    // address); a keeper, when given, must still be alive for the entry to
    // count, so an address taken again by another picture finds nothing.
    const QImage *Find(quint64 identity, QSize size, const std::weak_ptr<const void> &keeper = {});
    // Keeps a rendered picture and returns it.
    const QImage &Insert(quint64 identity, QSize size, QImage image,
                         std::weak_ptr<const void> keeper = {});
    void Clear() { FCache.clear(); }

private:
    struct TKey {
        quint64 Identity;
        int Width, Height;
        bool operator==(const TKey &) const = default;
        friend size_t qHash(const TKey &key, size_t seed = 0)
        {
            return qHashMulti(seed, key.Identity, key.Width, key.Height);
        }
    };
    struct TEntry {
        QImage Pixels;
        std::weak_ptr<const void> Keeper;
        bool Kept = false;
    };

    QCache<TKey, TEntry> FCache;
    QImage FLast; // what Insert returns when the picture is too large to keep
};
