#pragma once

#include <QByteArray>
#include <QImage>
#include <memory>

// 8-bit RGB PNG pictures of drawings, written with zlib alone, from rows
// given a band at a time so a large picture need not be held whole. Alpha
// is dropped (a 32-bit RGB image holds none). Each row is filtered with
// "Up" and deflated at the fastest level: a drawing is mostly rows
// repeating the one above and runs of one colour, which that packs nearly
// as tightly as adaptive filtering at the default level in a fraction of
// the time.
class TPngEncoder {
public:
    TPngEncoder(int width, int height);
    ~TPngEncoder();
    TPngEncoder(const TPngEncoder &) = delete;
    TPngEncoder &operator=(const TPngEncoder &) = delete;

    // Adds the first rows of a band as the picture's next rows.
    void AddRows(const QImage &band, int rows);
    // The file, once every row has been added.
    QByteArray Finish();

    // The PNG file of a whole picture.
    static QByteArray Encode(const QImage &image);

private:
    class TDeflater;

    int FWidth, FHeight, FAdded = 0;
    QByteArray FOut;
    std::unique_ptr<TDeflater> FDeflater;
    std::vector<unsigned char> FPrevious, FRow, FFiltered;
};
