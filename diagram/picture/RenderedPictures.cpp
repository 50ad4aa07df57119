#include "RenderedPictures.h"

TRenderedPictures::TRenderedPictures(qint64 maxBytes) : FCache(maxBytes) {}

const QImage *TRenderedPictures::Find(quint64 identity, QSize size,
                                      const std::weak_ptr<const void> &keeper)
{
    TEntry *entry = FCache.object({identity, size.width(), size.height()});
    if (!entry)
        return nullptr;
    if (entry->Kept && (entry->Keeper.expired() || entry->Keeper.owner_before(keeper) ||
                        keeper.owner_before(entry->Keeper)))
        return nullptr;
    return &entry->Pixels;
}

const QImage &TRenderedPictures::Insert(quint64 identity, QSize size, QImage image,
                                        std::weak_ptr<const void> keeper)
{
    const qint64 cost = std::max<qint64>(image.sizeInBytes(), 1);
    const TKey key{identity, size.width(), size.height()};
    const bool kept = !keeper.expired();
    auto *entry = new TEntry{std::move(image), std::move(keeper), kept};
    if (cost > FCache.maxCost()) {
        FLast = std::move(entry->Pixels);
        delete entry;
        return FLast;
    }
    FCache.insert(key, entry, cost);
    return entry->Pixels;
}
