#pragma once

#include <QByteArray>
#include <QHash>
#include <memory>

class TPicture;

// Pictures decoded while one drawing or clipboard block is read, by the
// bytes they were read from. A drawing repeats the same few symbol pictures
// hundreds of times: decoded once, they share their pixels or metafile, and
// a frame renders each of them once for all its symbols.
class TDecodedPictures {
public:
    TDecodedPictures();
    ~TDecodedPictures();

    // The picture read before from these bytes, or null.
    const TPicture *Find(const QByteArray &payload) const;
    void Keep(const QByteArray &payload, const TPicture &picture);

private:
    QHash<QByteArray, std::shared_ptr<TPicture>> FByPayload;
};
