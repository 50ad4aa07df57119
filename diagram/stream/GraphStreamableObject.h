#pragma once

#include <QString>
#include <cstdint>

class TGraphObject;

// The carrier of one graph object through the diagram stream: a component
// whose published properties are its own identifier and, under "G", the
// object's. It lives only while one object is read or written.
class TGraphStreamableObject {
public:
    explicit TGraphStreamableObject(TGraphObject *object = nullptr) : FG(object) {}

    static constexpr const char *ClassName = "TGraphStreamableObject";

    // Component name and tag: accepted on reading, never stored.
    const QString &Name() const { return FName; }
    void SetName(const QString &value) { FName = value; }
    int32_t Tag() const { return FTag; }
    void SetTag(int32_t value) { FTag = value; }

    uint32_t ID() const { return FID; }
    void SetID(uint32_t value) { FID = value; }
    TGraphObject *G() const { return FG; }
    void SetG(TGraphObject *object) { FG = object; }
    // "Left" and "Top" both read and write the spare integer; not stored.
    int32_t Left() const { return FSpare; }
    void SetLeft(int32_t value) { FSpare = value; }
    int32_t Top() const { return FSpare; }
    void SetTop(int32_t value) { FSpare = value; }

private:
    QString FName;
    int32_t FTag = 0;
    uint32_t FID = 0;
    TGraphObject *FG;
    int32_t FSpare = 0;
};
