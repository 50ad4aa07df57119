#include "GraphComponentFormat.h"

#include "GraphLink.h"
#include "GraphNode.h"
#include "GraphStream.h"
#include "GraphStreamNames.h"
#include "GraphStreamableObject.h"

#include <string_view>
#include <unordered_map>

using namespace GraphStreamNames;

namespace GraphComponentFormat {

namespace {

const QByteArray BlockSignature("TPF0");

void WriteColor(TValueWriter &w, TColor color)
{
    const QByteArray name = ColorName(color);
    if (name.isEmpty())
        w.WriteInteger(int32_t(color));
    else
        w.WriteIdent(name);
}

void WriteProperty(TValueWriter &w, const char *name)
{
    w.WriteShortString(QByteArrayView(name));
}

void WriteCommon(TValueWriter &w, const TGraphObject &g)
{
    if (!g.Text().isEmpty()) {
        WriteProperty(w, "G.Text");
        w.WriteText(g.Text());
    }
    if (g.Brush().Color() != clWhite) {
        WriteProperty(w, "G.Brush.Color");
        WriteColor(w, g.Brush().Color());
    }
    if (g.Brush().Style() != bsSolid) {
        WriteProperty(w, "G.Brush.Style");
        w.WriteIdent(BrushStyleNames[g.Brush().Style()]);
    }
    if (g.Pen().Color() != clBlack) {
        WriteProperty(w, "G.Pen.Color");
        WriteColor(w, g.Pen().Color());
    }
    if (g.Pen().Mode() != pmCopy) {
        WriteProperty(w, "G.Pen.Mode");
        w.WriteIdent(PenModeNames[g.Pen().Mode()]);
    }
    if (g.Pen().Style() != psSolid) {
        WriteProperty(w, "G.Pen.Style");
        w.WriteIdent(PenStyleNames[g.Pen().Style()]);
    }
    if (g.Pen().Width() != 1) {
        WriteProperty(w, "G.Pen.Width");
        w.WriteInteger(g.Pen().Width());
    }
    if (!g.ParentFont()) {
        const TFont &font = g.Font();
        WriteProperty(w, "G.Font.Charset");
        const QByteArray charset = CharsetName(font.Charset());
        if (charset.isEmpty())
            w.WriteInteger(font.Charset());
        else
            w.WriteIdent(charset);
        WriteProperty(w, "G.Font.Color");
        WriteColor(w, font.Color());
        WriteProperty(w, "G.Font.Height");
        w.WriteInteger(font.Height());
        if (!font.Name().isEmpty()) {
            WriteProperty(w, "G.Font.Name");
            w.WriteText(font.Name());
        }
        if (font.Pitch() != fpDefault) {
            WriteProperty(w, "G.Font.Pitch");
            w.WriteIdent(FontPitchNames[font.Pitch()]);
        }
        WriteProperty(w, "G.Font.Style");
        QList<QByteArray> styles;
        for (size_t i = 0; i < FontStyleNames.size(); ++i)
            if (font.Style() & (1 << i))
                styles << FontStyleNames[i];
        w.WriteSet(styles);
        WriteProperty(w, "G.ParentFont");
        w.WriteBoolean(false);
    }
    if (!g.Visible()) {
        WriteProperty(w, "G.Visible");
        w.WriteBoolean(false);
    }
    if (g.Tag() != 0) {
        WriteProperty(w, "G.Tag");
        w.WriteInteger(g.Tag());
    }
    const std::pair<const char *, const QString *> icons[] = {
        {"G.IconCaption", &g.IconCaption()},
        {"G.IconSystem", &g.IconSystem()},
        {"G.IconType", &g.IconType()},
        {"G.IconSmallImagePath", &g.IconSmallImagePath()},
        {"G.IconLargeImagePath", &g.IconLargeImagePath()},
        {"G.IconComment", &g.IconComment()},
    };
    for (const auto &[name, value] : icons)
        if (!value->isEmpty()) {
            WriteProperty(w, name);
            w.WriteText(*value);
        }
}

void WriteNode(TValueWriter &w, const TGraphNode &node)
{
    const std::pair<const char *, int> bounds[] = {{"G.Left", node.Left()},
                                                   {"G.Top", node.Top()},
                                                   {"G.Width", node.Width()},
                                                   {"G.Height", node.Height()}};
    for (const auto &[name, value] : bounds) {
        WriteProperty(w, name);
        w.WriteInteger(value);
    }
    if (node.Alignment() != taCenter) {
        WriteProperty(w, "G.Alignment");
        w.WriteIdent(AlignmentNames[node.Alignment()]);
    }
    if (node.IsCodeNode()) {
        WriteProperty(w, "G.IsCodeNode");
        w.WriteBoolean(true);
    }
    if (node.Margin() != 8) {
        WriteProperty(w, "G.Margin");
        w.WriteInteger(node.Margin());
    }
    if (node.Background().HasGraphic()) {
        WriteProperty(w, "G.Background.Data");
        w.WriteBinary(node.Background().StreamData());
    }
    if (node.Degree() != 0) {
        WriteProperty(w, "G.Degree");
        w.WriteInteger(node.Degree());
    }
    if (node.IsLeftRightMirror()) {
        WriteProperty(w, "G.IsLeftRightMirror");
        w.WriteBoolean(true);
    }
    if (node.IsTopBottomMirror()) {
        WriteProperty(w, "G.IsTopBottomMirror");
        w.WriteBoolean(true);
    }
}

void WriteLink(TValueWriter &w, const TGraphLink &link)
{
    if (link.Kind() != lkUndirected) {
        WriteProperty(w, "G.Kind");
        w.WriteIdent(LinkKindNames[link.Kind()]);
    }
    if (link.ArrowSize() != 4) {
        WriteProperty(w, "G.ArrowSize");
        w.WriteInteger(link.ArrowSize());
    }
    if (link.FromNode()) {
        WriteProperty(w, "G.FromNode");
        w.WriteInteger(int32_t(link.FromNodeID()));
    }
    if (link.ToNode()) {
        WriteProperty(w, "G.ToNode");
        w.WriteInteger(int32_t(link.ToNodeID()));
    }
}

} // namespace

void Write(TValueWriter &w, const TGraphObject &object)
{
    w.WriteBytes(BlockSignature);
    w.WriteShortString(TGraphStreamableObject::ClassName);
    w.WriteShortString(QByteArray());
    WriteProperty(w, "ID");
    w.WriteInteger(int32_t(object.ID()));
    WriteCommon(w, object);
    if (object.IsLink())
        WriteLink(w, static_cast<const TGraphLink &>(object));
    else
        WriteNode(w, static_cast<const TGraphNode &>(object));
    w.WriteByte(0);
    w.WriteByte(0);
}

// --- Reading ---

namespace {

// The inner message of a value that does not suit its property.
struct InvalidValue {};

class TPropertyReader {
public:
    TPropertyReader(TValueReader &reader, TValueType tag) : r(reader), tag(tag) {}

    TDecodedPictures *Pictures() const { return r.DecodedPictures(); }

    int64_t Integer()
    {
        if (!TValueReader::IsIntegerTag(tag))
            throw InvalidValue();
        return r.ReadIntegerPayload(tag);
    }
    TColor Color()
    {
        if (tag == vaIdent) {
            const auto color = ColorByName(r.ReadShortView());
            if (!color)
                throw InvalidValue();
            return *color;
        }
        return TColor(Integer());
    }
    int Charset()
    {
        if (tag == vaIdent) {
            const auto charset = CharsetByName(r.ReadShortView());
            if (!charset)
                throw InvalidValue();
            return *charset;
        }
        return int(uint8_t(Integer()));
    }
    int Enum(const std::vector<QByteArray> &names)
    {
        if (tag != vaIdent)
            throw InvalidValue();
        const auto value = EnumValue(names, r.ReadShortView());
        if (!value)
            throw InvalidValue();
        return *value;
    }
    bool Boolean()
    {
        if (tag == vaFalse || tag == vaTrue)
            return tag == vaTrue;
        if (tag == vaIdent) {
            const QByteArrayView name = r.ReadShortView();
            if (name.compare("True", Qt::CaseInsensitive) == 0)
                return true;
            if (name.compare("False", Qt::CaseInsensitive) == 0)
                return false;
        }
        throw InvalidValue();
    }
    QString Text()
    {
        if (!TValueReader::IsTextTag(tag))
            throw InvalidValue();
        return r.ReadTextPayload(tag);
    }
    TFontStyles FontStyles()
    {
        if (tag != vaSet)
            throw InvalidValue();
        TFontStyles styles = 0;
        for (const QByteArray &member : r.ReadSetPayload()) {
            const auto value = EnumValue(FontStyleNames, member);
            if (!value)
                throw InvalidValue();
            styles |= TFontStyles(1 << *value);
        }
        return styles;
    }
    QByteArray Binary()
    {
        if (tag != vaBinary)
            throw InvalidValue();
        return r.ReadBinaryPayload();
    }

private:
    TValueReader &r;
    TValueType tag;
};

enum Kind { Any, NodeOnly, LinkOnly };
using Setter = void (*)(TPropertyReader &, TGraphStreamableObject &);
struct Property {
    Kind kind;
    Setter set;
};

TGraphNode &Node(TGraphStreamableObject &c)
{
    return *static_cast<TGraphNode *>(c.G());
}

TGraphLink &Link(TGraphStreamableObject &c)
{
    return *static_cast<TGraphLink *>(c.G());
}

using TPropertyMap = std::unordered_map<std::string_view, Property>;

// Every property a block may carry, by its lower-case path.
const TPropertyMap &Properties()
{
    using R = TPropertyReader;
    using C = TGraphStreamableObject;
    static const TPropertyMap properties = {
        {"id", {Any, [](R &v, C &c) { c.SetID(uint32_t(v.Integer())); }}},
        {"name", {Any, [](R &v, C &c) { c.SetName(v.Text()); }}},
        {"tag", {Any, [](R &v, C &c) { c.SetTag(int32_t(v.Integer())); }}},
        {"left", {Any, [](R &v, C &c) { c.SetLeft(int32_t(v.Integer())); }}},
        {"top", {Any, [](R &v, C &c) { c.SetTop(int32_t(v.Integer())); }}},
        {"g.text", {Any, [](R &v, C &c) { c.G()->SetText(v.Text()); }}},
        {"g.brush.color", {Any, [](R &v, C &c) { c.G()->Brush().SetColor(v.Color()); }}},
        {"g.brush.style",
         {Any, [](R &v, C &c) { c.G()->Brush().SetStyle(TBrushStyle(v.Enum(BrushStyleNames))); }}},
        {"g.pen.color", {Any, [](R &v, C &c) { c.G()->Pen().SetColor(v.Color()); }}},
        {"g.pen.mode",
         {Any, [](R &v, C &c) { c.G()->Pen().SetMode(TPenMode(v.Enum(PenModeNames))); }}},
        {"g.pen.style",
         {Any, [](R &v, C &c) { c.G()->Pen().SetStyle(TPenStyle(v.Enum(PenStyleNames))); }}},
        {"g.pen.width", {Any, [](R &v, C &c) { c.G()->Pen().SetWidth(int(v.Integer())); }}},
        {"g.font.charset",
         {Any, [](R &v, C &c) { c.G()->Font().SetCharset(uint8_t(v.Charset())); }}},
        {"g.font.color", {Any, [](R &v, C &c) { c.G()->Font().SetColor(v.Color()); }}},
        {"g.font.height", {Any, [](R &v, C &c) { c.G()->Font().SetHeight(int(v.Integer())); }}},
        {"g.font.name", {Any, [](R &v, C &c) { c.G()->Font().SetName(v.Text()); }}},
        {"g.font.pitch",
         {Any, [](R &v, C &c) { c.G()->Font().SetPitch(TFontPitch(v.Enum(FontPitchNames))); }}},
        {"g.font.size", {Any, [](R &v, C &c) { c.G()->Font().SetSize(int(v.Integer())); }}},
        {"g.font.style", {Any, [](R &v, C &c) { c.G()->Font().SetStyle(v.FontStyles()); }}},
        {"g.parentfont", {Any, [](R &v, C &c) { c.G()->SetParentFont(v.Boolean()); }}},
        {"g.visible", {Any, [](R &v, C &c) { c.G()->SetVisible(v.Boolean()); }}},
        {"g.tag", {Any, [](R &v, C &c) { c.G()->SetTag(int32_t(v.Integer())); }}},
        {"g.iconcaption", {Any, [](R &v, C &c) { c.G()->SetIconCaption(v.Text()); }}},
        {"g.iconsystem", {Any, [](R &v, C &c) { c.G()->SetIconSystem(v.Text()); }}},
        {"g.icontype", {Any, [](R &v, C &c) { c.G()->SetIconType(v.Text()); }}},
        {"g.iconsmallimagepath",
         {Any, [](R &v, C &c) { c.G()->SetIconSmallImagePath(v.Text()); }}},
        {"g.iconlargeimagepath",
         {Any, [](R &v, C &c) { c.G()->SetIconLargeImagePath(v.Text()); }}},
        {"g.iconcomment", {Any, [](R &v, C &c) { c.G()->SetIconComment(v.Text()); }}},
        {"g.left", {NodeOnly, [](R &v, C &c) { Node(c).SetLeft(int(v.Integer())); }}},
        {"g.top", {NodeOnly, [](R &v, C &c) { Node(c).SetTop(int(v.Integer())); }}},
        {"g.width", {NodeOnly, [](R &v, C &c) { Node(c).SetWidth(int(v.Integer())); }}},
        {"g.height", {NodeOnly, [](R &v, C &c) { Node(c).SetHeight(int(v.Integer())); }}},
        {"g.alignment",
         {NodeOnly, [](R &v, C &c) { Node(c).SetAlignment(TAlignment(v.Enum(AlignmentNames))); }}},
        {"g.iscodenode", {NodeOnly, [](R &v, C &c) { Node(c).SetIsCodeNode(v.Boolean()); }}},
        {"g.margin", {NodeOnly, [](R &v, C &c) { Node(c).SetMargin(int(v.Integer())); }}},
        {"g.background.data",
         {NodeOnly,
          [](R &v, C &c) { Node(c).Background().LoadStreamData(v.Binary(), v.Pictures()); }}},
        {"g.degree", {NodeOnly, [](R &v, C &c) { Node(c).SetDegree(int(v.Integer())); }}},
        {"g.isleftrightmirror",
         {NodeOnly, [](R &v, C &c) { Node(c).SetIsLeftRightMirror(v.Boolean()); }}},
        {"g.istopbottommirror",
         {NodeOnly, [](R &v, C &c) { Node(c).SetIsTopBottomMirror(v.Boolean()); }}},
        {"g.kind",
         {LinkOnly, [](R &v, C &c) { Link(c).SetKind(TLinkKind(v.Enum(LinkKindNames))); }}},
        {"g.arrowsize",
         {LinkOnly, [](R &v, C &c) { Link(c).SetArrowSize(TArrowSize(v.Integer())); }}},
        {"g.fromnode",
         {LinkOnly, [](R &v, C &c) { Link(c).SetFromNodeID(uint32_t(v.Integer())); }}},
        {"g.tonode",
         {LinkOnly, [](R &v, C &c) { Link(c).SetToNodeID(uint32_t(v.Integer())); }}},
    };
    return properties;
}

// Paths that lead to an object rather than a value.
bool IsObjectPath(const QByteArray &path, bool isLink)
{
    return path == "g" || path == "g.brush" || path == "g.pen" || path == "g.font" ||
           (!isLink && path == "g.background");
}

bool Applies(Kind kind, bool isLink)
{
    return kind == Any || (kind == LinkOnly) == isLink;
}

[[noreturn]] void PropertyError(const QByteArray &path, const QString &reason)
{
    throw EStreamError(QStringLiteral("Error reading %1.%2: %3")
                           .arg(QLatin1String(TGraphStreamableObject::ClassName),
                                QString::fromLatin1(path), reason));
}

// The first part of the path that names nothing.
QByteArray UnknownPart(const QByteArray &path, bool isLink)
{
    const QList<QByteArray> parts = path.split('.');
    QByteArray prefix;
    for (const QByteArray &part : parts) {
        prefix = prefix.isEmpty() ? part.toLower() : prefix + '.' + part.toLower();
        const auto it = Properties().find(std::string_view(prefix.constData(), prefix.size()));
        const bool known = IsObjectPath(prefix, isLink) ||
                           (it != Properties().end() && Applies(it->second.kind, isLink));
        if (!known)
            return part;
    }
    return parts.last();
}

void ReadProperty(TValueReader &reader, TGraphStreamableObject &carrier, QByteArrayView name)
{
    const bool isLink = carrier.G()->IsLink();
    // Paths are at most 255 bytes; lowered in place of an allocation.
    char lower[256];
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char c = name[i];
        lower[i] = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    }
    const auto it = Properties().find(std::string_view(lower, size_t(name.size())));
    if (it == Properties().end() || !Applies(it->second.kind, isLink)) {
        const QByteArray path = name.toByteArray();
        if (IsObjectPath(path.toLower(), isLink))
            PropertyError(path, QStringLiteral("Invalid property value"));
        PropertyError(path, QStringLiteral("Property %1 does not exist")
                                .arg(QString::fromLatin1(UnknownPart(path, isLink))));
    }
    TPropertyReader value(reader, reader.ReadTag());
    try {
        it->second.set(value, carrier);
    } catch (const InvalidValue &) {
        PropertyError(name.toByteArray(), QStringLiteral("Invalid property value"));
    }
}

} // namespace

void Read(TValueReader &reader, TGraphStreamableObject &carrier)
{
    if (reader.ReadView(4) != BlockSignature)
        throw EStreamError(QStringLiteral("Invalid stream format"));
    reader.ReadShortView();
    carrier.SetName(reader.Codec().FromGBK(reader.ReadShortView()));
    for (QByteArrayView path = reader.ReadShortView(); !path.isEmpty();
         path = reader.ReadShortView())
        ReadProperty(reader, carrier, path);
    if (reader.ReadByte() != 0)
        throw EStreamError(QStringLiteral("Invalid stream format"));
}

} // namespace GraphComponentFormat
