#include "DecodedPictures.h"

#include "GraphPicture.h"

TDecodedPictures::TDecodedPictures() = default;
TDecodedPictures::~TDecodedPictures() = default;

const TPicture *TDecodedPictures::Find(const QByteArray &payload) const
{
    const auto it = FByPayload.constFind(payload);
    return it == FByPayload.cend() ? nullptr : it->get();
}

void TDecodedPictures::Keep(const QByteArray &payload, const TPicture &picture)
{
    auto &kept = FByPayload[payload];
    if (!kept)
        kept = std::make_shared<TPicture>();
    kept->Assign(picture);
}
