#include "GraphControl.h"

#include "DecodedPictures.h"
#include "GraphComponentFormat.h"
#include "GraphObject.h"
#include "GraphStream.h"
#include "GraphStreamableObject.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QSaveFile>
#include <QScopeGuard>
#include <algorithm>

// Diagram files and the clipboard: records of graph objects in the
// component format, with the identifiers through which links refer to
// nodes renumbered and resolved as the objects join the diagram.

namespace {

const QByteArray Signature("0.GS");

// The smallest record: a length, a one-byte name and an empty block.
constexpr qint64 MinRecordSize = 4 + 1 + 4 + 1 + 1 + 1 + 1;

} // namespace

// --- Objects ---

void TGraphObject::WriteToStream(TValueWriter &writer)
{
    // An object on its way out may be written too (the undo history keeps
    // it): it stays on its way out.
    const TGraphObjectState previous = FState == osDestroying ? osDestroying : osNone;
    SetState(osWriting);
    struct Restore {
        TGraphObject *object;
        TGraphObjectState previous;
        ~Restore() { object->SetState(previous); }
    } restore{this, previous};
    GraphComponentFormat::Write(writer, *this);
}

void TGraphObject::ReadFromStream(TValueReader &reader)
{
    SetState(osReading);
    struct Restore {
        TGraphObject *object;
        ~Restore() { object->SetState(osNone); }
    } restore{this};
    TGraphStreamableObject carrier(this);
    GraphComponentFormat::Read(reader, carrier);
    SetStoredID(carrier.ID());
    // Its own identifier from construction counts as taken.
    SetID(Owner()->UnusedID(carrier.ID()));
}

// --- Records ---

void TGraphControl::WriteObject(TValueWriter &writer, TGraphObject *object)
{
    const QByteArray name = QByteArray(object->ClassType()->Name);
    writer.WriteInt32(int32_t(name.size() + 1));
    writer.WriteBytes(name);
    writer.WriteByte(0);
    object->WriteToStream(writer);
    writer.Drain();
}

void TGraphControl::WriteObjects(TValueWriter &writer, bool selectedOnly)
{
    const TGraphObjectList &list = selectedOnly ? FSelectedObjects : FObjects;
    writer.WriteInt32(list.Count());
    for (TGraphObject *object : list.Snapshot())
        WriteObject(writer, object);
}

TGraphObject *TGraphControl::ReadObject(TValueReader &reader)
{
    TClassNames classes;
    return ReadObject(reader, classes);
}

TGraphObject *TGraphControl::ReadObject(TValueReader &reader, TClassNames &classes)
{
    const int32_t length = reader.ReadInt32();
    QByteArrayView name = reader.ReadView(std::max(length, 0));
    const qsizetype zero = name.indexOf('\0');
    if (zero >= 0)
        name.truncate(zero);
    const auto known = std::find_if(classes.begin(), classes.end(), [name](const auto &entry) {
        return QByteArrayView(entry.first) == name;
    });
    TGraphObjectClassRef cls = nullptr;
    if (known != classes.end()) {
        cls = known->second;
    } else {
        cls = FindClass(QString::fromLatin1(name));
        classes.emplace_back(name.toByteArray(), cls);
    }
    // Abstract classes are known by name but cannot be made.
    if (!cls || cls->IsAbstract())
        throw EStreamError(QStringLiteral("Class %1 not found").arg(QString::fromLatin1(name)));
    TGraphObject *object = cls->Create(this);
    object->ReadFromStream(reader);
    return object;
}

void TGraphControl::ReadObjects(TValueReader &reader)
{
    TQuietGraphBatch batch(this);
    const int first = FObjects.Count();
    const bool changePending = FChangePending;
    try {
        ReadObjectsFrom(reader, first);
    } catch (...) {
        // A block that fails part way adds nothing: the objects read so far
        // are not yet linked to anything, so they go without a trace.
        FIndex.EndBulk(FObjects);
        if (first == 0)
            DropAllObjects();
        while (FObjects.Count() > first)
            FObjects.Last()->Free();
        FChangePending = changePending;
        throw;
    }
}

void TGraphControl::ReadObjectsFrom(TValueReader &reader, int first)
{
    const int32_t count = reader.ReadInt32();
    if (count <= 0)
        return;
    // Room for the objects, as far as the bytes left can hold them.
    const qint64 room = std::min<qint64>(count, reader.Remaining() / MinRecordSize);
    FObjects.Reserve(int(first + room));
    // Into an empty diagram (a load) the objects are indexed at once when
    // their identifiers have settled, not at every change on the way.
    if (first == 0)
        FIndex.BeginBulk();
    TClassNames classes;
    {
        TDecodedPictures pictures;
        reader.SetDecodedPictures(&pictures);
        const auto forget = qScopeGuard([&reader] { reader.SetDecodedPictures(nullptr); });
        for (int32_t i = 0; i < count; ++i)
            ReadObject(reader, classes);
    }

    // Links translate the identifiers they read into those their nodes
    // carry now, then look their nodes up.
    std::vector<TGraphObject *> read = FObjects.Snapshot();
    read.erase(read.begin(), read.begin() + first);
    for (auto it = read.rbegin(); it != read.rend(); ++it)
        (*it)->RemapStoredReferences(first);
    FStoredIDs = TStoredIDTable();
    FIndex.EndBulk(FObjects);
    for (auto it = read.rbegin(); it != read.rend(); ++it) {
        TGraphObject *object = *it;
        if (!FObjects.Contains(object))
            continue; // taken out by the removal of another
        if (object->ResolveReferences())
            object->SetStoredID(0);
        else
            object->Free();
    }
}

// --- Whole diagrams ---

QByteArray TGraphControl::SaveToBytes()
{
    QByteArray bytes;
    // Room for what most records take, so that a large diagram is not
    // copied again and again as it grows; pages not written cost nothing.
    bytes.reserve(Signature.size() + 4 + qsizetype(FObjects.Count()) * 256);
    TValueWriter writer(bytes);
    writer.WriteBytes(Signature);
    WriteObjects(writer, false);
    return bytes;
}

void TGraphControl::SaveToStream(QIODevice &stream)
{
    const QByteArray bytes = SaveToBytes();
    if (stream.write(bytes) != bytes.size())
        throw EStreamError(QStringLiteral("Stream write error"));
    FGraphModified = false;
}

void TGraphControl::LoadFromBytes(const QByteArray &bytes)
{
    TValueReader reader(bytes);
    struct Finish {
        TGraphControl *graph;
        ~Finish()
        {
            graph->EndUpdate();
            graph->FGraphModified = false;
        }
    } finish{this};
    BeginUpdate();
    Clear();
    if (reader.ReadBytes(4) != Signature)
        throw EGraphStreamError(QStringLiteral("Invalid stream content"));
    ReadObjects(reader);
}

void TGraphControl::LoadFromStream(QIODevice &stream)
{
    LoadFromBytes(stream.readAll());
}

void TGraphControl::SaveToFile(const QString &fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EStreamError(
            QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
    // Written in pieces as the records are made, not first whole in memory.
    constexpr qsizetype Piece = 1 << 20;
    QByteArray piece;
    piece.reserve(Piece + (1 << 16));
    bool written = true;
    TValueWriter writer(
        piece,
        [&](const QByteArray &bytes) { written = written && file.write(bytes) == bytes.size(); },
        Piece);
    writer.WriteBytes(Signature);
    WriteObjects(writer, false);
    writer.Drain(true);
    if (!written || !file.commit())
        throw EStreamError(
            QStringLiteral("Cannot write file \"%1\". %2").arg(fileName, file.errorString()));
    FGraphModified = false;
}

void TGraphControl::LoadFromFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EStreamError(
            QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    LoadFromStream(file);
}

// --- Clipboard ---

QString TGraphControl::ClipboardMimeType()
{
    // Qt maps this name to the registered clipboard format on Windows.
    return QStringLiteral("application/x-qt-windows-mime;value=\"Graph Control Format\"");
}

void TGraphControl::CopyToClipboard(bool selectedOnly)
{
    QByteArray block;
    TValueWriter writer(block);
    WriteObjects(writer, selectedOnly);
    auto *data = new QMimeData;
    data->setData(ClipboardMimeType(), block);
    QGuiApplication::clipboard()->setMimeData(data);
}

bool TGraphControl::PasteFromClipboard()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(ClipboardMimeType()))
        return false;
    const QByteArray block = data->data(ClipboardMimeType());
    TGraphUpdateGuard batch(this);
    TValueReader reader(block);
    const std::vector<TGraphObject *> selected = FSelectedObjects.Snapshot();
    FSelectedObjects.Clear();
    const int first = FObjects.Count();
    try {
        ReadObjects(reader);
    } catch (...) {
        for (TGraphObject *object : selected)
            object->SetSelected(true);
        throw;
    }
    for (int i = FObjects.Count() - 1; i >= first; --i)
        FObjects[i]->SetSelected(true);
    return true;
}
