#pragma once

// Helpers shared by the diagram stream tests: a builder that spells out the
// bytes of a diagram stream by hand, independent of the writer, and short
// ways to read and write single records.

#include "GraphControl.h"
#include "GraphLink.h"
#include "GraphNode.h"
#include "GraphStream.h"
#include "RectangularNode.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <initializer_list>

namespace StreamTest {

// Appends the pieces of a diagram stream. Each method writes exactly the
// bytes its name says; nothing is derived from the code under test.
class Bytes {
public:
    Bytes() = default;

    Bytes &Raw(std::initializer_list<int> bytes)
    {
        for (int b : bytes)
            FData.append(char(uint8_t(b)));
        return *this;
    }
    Bytes &Raw(const QByteArray &bytes)
    {
        FData.append(bytes);
        return *this;
    }
    Bytes &Int32(int64_t value)
    {
        const uint32_t v = uint32_t(value);
        return Raw(
            {int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF), int((v >> 24) & 0xFF)});
    }
    // A length byte and the characters.
    Bytes &Short(const QByteArray &text)
    {
        FData.append(char(uint8_t(text.size())));
        FData.append(text);
        return *this;
    }

    // --- Values: a tag and its payload ---
    Bytes &Int8(int value) { return Raw({0x02, value & 0xFF}); }
    Bytes &Int16(int value) { return Raw({0x03, value & 0xFF, (value >> 8) & 0xFF}); }
    Bytes &IntTag32(int64_t value) { return Raw({0x04}).Int32(value); }
    Bytes &Str(const QByteArray &ascii) { return Raw({0x06}).Short(ascii); }
    Bytes &LStr(const QByteArray &bytes) { return Raw({0x0C}).Int32(bytes.size()).Raw(bytes); }
    Bytes &Ident(const QByteArray &name) { return Raw({0x07}).Short(name); }
    Bytes &False() { return Raw({0x08}); }
    Bytes &True() { return Raw({0x09}); }
    Bytes &Binary(const QByteArray &data) { return Raw({0x0A}).Int32(data.size()).Raw(data); }
    Bytes &Set(std::initializer_list<const char *> members)
    {
        Raw({0x0B});
        for (const char *member : members)
            Short(member);
        return Raw({0x00});
    }
    // UTF-16LE text: tag, unit count, the units.
    Bytes &WStr(const QString &text)
    {
        Raw({0x12}).Int32(text.size());
        for (QChar c : text)
            Raw({c.unicode() & 0xFF, c.unicode() >> 8});
        return *this;
    }
    Bytes &Utf8Str(const QByteArray &utf8) { return Raw({0x14}).Int32(utf8.size()).Raw(utf8); }

    // --- Structure ---
    Bytes &Signature() { return Raw({0x30, 0x2E, 0x47, 0x53}); }
    // Record head: L = name length + 1, the name, a zero byte.
    Bytes &Record(const QByteArray &className)
    {
        return Int32(className.size() + 1).Raw(className).Raw({0x00});
    }
    // Block signature, carrier class name, empty component name.
    Bytes &BlockHead()
    {
        return Raw({0x54, 0x50, 0x46, 0x30}).Short("TGraphStreamableObject").Raw({0x00});
    }
    Bytes &Prop(const QByteArray &name) { return Short(name); }
    Bytes &BlockEnd() { return Raw({0x00, 0x00}); }

    // A node record with the given id and bounds and extra properties
    // before ("common") and after ("tail") the bounds.
    Bytes &NodeRecord(const QByteArray &className, int id, int left, int top, int width, int height,
                      const QByteArray &common = {}, const QByteArray &tail = {})
    {
        Record(className).BlockHead().Prop("ID").Int(id).Raw(common);
        Prop("G.Left").Int(left).Prop("G.Top").Int(top);
        Prop("G.Width").Int(width).Prop("G.Height").Int(height);
        return Raw(tail).BlockEnd();
    }
    // A link record at its defaults (red pen) between two stored ids.
    Bytes &LinkRecord(int id, int fromID, int toID, const QByteArray &common = {},
                      const QByteArray &tail = {})
    {
        Record("TGraphLink").BlockHead().Prop("ID").Int(id).Raw(common);
        Prop("G.Pen.Color").Ident("clRed").Raw(tail);
        Prop("G.FromNode").Int(fromID).Prop("G.ToNode").Int(toID);
        return BlockEnd();
    }
    // An integer by the smallest tag; used only for small, obvious values
    // in the structure (ids, bounds). The integer tag choice itself is
    // tested with Int8/Int16/IntTag32 spelled out.
    Bytes &Int(int64_t value)
    {
        if (value >= -128 && value <= 127) return Int8(int(value));
        if (value >= -32768 && value <= 32767) return Int16(int(value));
        return IntTag32(value);
    }

    const QByteArray &Data() const { return FData; }
    operator QByteArray() const { return FData; }

private:
    QByteArray FData;
};

// The worked example of the file format: two rectangles "A" and "B" and a
// red link from the first to the second, with the given identifiers.
inline QByteArray WorkedExample(int id1, int id2, int id3)
{
    Bytes b;
    b.Signature().Int32(3);
    b.NodeRecord("TRectangularNode", id1, 10, 10, 50, 30, Bytes().Prop("G.Text").Str("A"));
    b.NodeRecord("TRectangularNode", id2, 100, 10, 50, 30, Bytes().Prop("G.Text").Str("B"));
    b.LinkRecord(id3, id1, id2);
    return b;
}

// One object's record as the control writes it.
inline QByteArray RecordOf(TGraphControl &graph, TGraphObject *object)
{
    QByteArray bytes;
    TValueWriter writer(bytes);
    graph.WriteObject(writer, object);
    return bytes;
}

// A clipboard-style block (count and records, no signature) merged into
// the diagram through ReadObjects.
inline void ReadBlock(TGraphControl &graph, const QByteArray &block)
{
    TValueReader reader(block);
    graph.ReadObjects(reader);
}

// Hex dump for readable failures.
inline std::string Hex(const QByteArray &bytes)
{
    return bytes.toHex(' ').toStdString();
}

} // namespace StreamTest
