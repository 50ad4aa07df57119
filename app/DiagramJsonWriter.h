#pragma once

#include <QByteArray>
#include <vector>

class TGraphObject;

// Graph objects as lines of compact JSON, byte for byte what QJsonDocument
// writes for DiagramObjectToJson, without building documents: a dump of a
// large diagram spends its time here. One writer serves many objects and
// keeps its buffers and the order of the members from one to the next.
class TDiagramJsonWriter {
public:
    // Appends the object's JSON, without a line end.
    void Append(QByteArray &out, const TGraphObject &object);

private:
    // Starts the value of a member; the value is then appended to FValues.
    void Key(const char *key);
    void Number(const char *key, qint64 value);
    void Boolean(const char *key, bool value);
    void Latin1(const char *key, const QByteArray &value);
    void Text(const char *key, const QString &value);
    void WriteMembers(QByteArray &out);

    struct TEntry {
        const char *Key;
        qsizetype Start;
    };
    QByteArray FValues; // the values of the object being written, one after another
    std::vector<TEntry> FEntries;
    std::vector<const char *> FOrderKeys; // the keys the order below was made for
    std::vector<int> FOrder;              // the entries by key, as QJsonObject keeps them
};
