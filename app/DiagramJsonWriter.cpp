#include "DiagramJsonWriter.h"

#include "GraphLink.h"
#include "GraphNode.h"
#include "GraphStreamNames.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <charconv>

using namespace GraphStreamNames;

namespace {

void AppendNumber(QByteArray &out, qint64 value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end - digits);
}

// A string as QJsonDocument writes it: UTF-8 with quotes, backslashes and
// control characters escaped. Lone surrogates, which Qt escapes by its own
// rules, are left to its writer.
void AppendQuoted(QByteArray &out, const QString &text)
{
    const qsizetype begin = out.size();
    out += '"';
    qsizetype plain = 0; // start of the characters not yet written
    const auto flush = [&](qsizetype end) {
        if (end > plain)
            out += QStringView(text).mid(plain, end - plain).toUtf8();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u >= 0xD800 && u <= 0xDFFF) {
            const bool paired = u < 0xDC00 && i + 1 < text.size() &&
                                text[i + 1].unicode() >= 0xDC00 && text[i + 1].unicode() <= 0xDFFF;
            if (!paired) {
                const QByteArray array =
                    QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
                out.truncate(begin);
                out += array.mid(1, array.size() - 2);
                return;
            }
            ++i;
            continue;
        }
        if (u >= 0x20 && u != u'"' && u != u'\\')
            continue;
        flush(i);
        plain = i + 1;
        out += '\\';
        switch (u) {
        case u'"':
            out += '"';
            break;
        case u'\\':
            out += '\\';
            break;
        case u'\b':
            out += 'b';
            break;
        case u'\f':
            out += 'f';
            break;
        case u'\n':
            out += 'n';
            break;
        case u'\r':
            out += 'r';
            break;
        case u'\t':
            out += 't';
            break;
        default:
            out += "u00";
            out += "0123456789abcdef"[u >> 4];
            out += "0123456789abcdef"[u & 0xF];
        }
    }
    flush(text.size());
    out += '"';
}

void AppendLatin1(QByteArray &out, const QByteArray &name)
{
    out += '"';
    out += name;
    out += '"';
}

void AppendColor(QByteArray &out, TColor color)
{
    const QByteArray name = ColorName(color);
    if (name.isEmpty())
        AppendNumber(out, qint64(color));
    else
        AppendLatin1(out, name);
}

void AppendName(QByteArray &out, const std::vector<QByteArray> &names, int value)
{
    if (value >= 0 && value < int(names.size()))
        AppendLatin1(out, names[value]);
    else
        AppendNumber(out, value);
}

// Members by key: bytes, class, height, width.
void AppendPicture(QByteArray &out, const TPicture &picture)
{
    if (!picture.HasGraphic()) {
        out += "null";
        return;
    }
    out += "{\"bytes\":";
    AppendNumber(out, picture.Data().size());
    out += ",\"class\":";
    AppendQuoted(out, picture.GraphicClassName());
    out += ",\"height\":";
    AppendNumber(out, picture.Height());
    out += ",\"width\":";
    AppendNumber(out, picture.Width());
    out += '}';
}

} // namespace

void TDiagramJsonWriter::Key(const char *key)
{
    FEntries.push_back({key, FValues.size()});
}

void TDiagramJsonWriter::Number(const char *key, qint64 value)
{
    Key(key);
    AppendNumber(FValues, value);
}

void TDiagramJsonWriter::Boolean(const char *key, bool value)
{
    Key(key);
    FValues += value ? "true" : "false";
}

void TDiagramJsonWriter::Latin1(const char *key, const QByteArray &value)
{
    Key(key);
    AppendLatin1(FValues, value);
}

void TDiagramJsonWriter::Text(const char *key, const QString &value)
{
    Key(key);
    AppendQuoted(FValues, value);
}

void TDiagramJsonWriter::Append(QByteArray &out, const TGraphObject &g)
{
    FValues.truncate(0);
    FEntries.clear();
    Latin1("class", QByteArray(g.ClassType()->Name));
    Number("ID", g.ID());
    Text("Text", g.Text());
    Key("Brush.Color");
    AppendColor(FValues, g.Brush().Color());
    Key("Brush.Style");
    AppendName(FValues, BrushStyleNames, g.Brush().Style());
    Key("Pen.Color");
    AppendColor(FValues, g.Pen().Color());
    Key("Pen.Mode");
    AppendName(FValues, PenModeNames, g.Pen().Mode());
    Key("Pen.Style");
    AppendName(FValues, PenStyleNames, g.Pen().Style());
    Number("Pen.Width", g.Pen().Width());
    const QByteArray charset = CharsetName(g.Font().Charset());
    if (charset.isEmpty())
        Number("Font.Charset", g.Font().Charset());
    else
        Latin1("Font.Charset", charset);
    Key("Font.Color");
    AppendColor(FValues, g.Font().Color());
    Number("Font.Height", g.Font().Height());
    Text("Font.Name", g.Font().Name());
    Key("Font.Pitch");
    AppendName(FValues, FontPitchNames, g.Font().Pitch());
    Key("Font.Style");
    FValues += '[';
    bool first = true;
    for (size_t i = 0; i < FontStyleNames.size(); ++i)
        if (g.Font().Style() & (1 << i)) {
            if (!first)
                FValues += ',';
            first = false;
            AppendLatin1(FValues, FontStyleNames[i]);
        }
    FValues += ']';
    Boolean("ParentFont", g.ParentFont());
    Boolean("Visible", g.Visible());
    Number("Tag", g.Tag());
    Text("IconCaption", g.IconCaption());
    Text("IconSystem", g.IconSystem());
    Text("IconType", g.IconType());
    Text("IconSmallImagePath", g.IconSmallImagePath());
    Text("IconLargeImagePath", g.IconLargeImagePath());
    Text("IconComment", g.IconComment());
    if (g.IsLink()) {
        const auto &link = static_cast<const TGraphLink &>(g);
        Key("Kind");
        AppendName(FValues, LinkKindNames, link.Kind());
        Number("ArrowSize", link.ArrowSize());
        Key("FromNode");
        if (link.FromNode())
            AppendNumber(FValues, link.FromNodeID());
        else
            FValues += "null";
        Key("ToNode");
        if (link.ToNode())
            AppendNumber(FValues, link.ToNodeID());
        else
            FValues += "null";
    } else {
        const auto &node = static_cast<const TGraphNode &>(g);
        Number("Left", node.Left());
        Number("Top", node.Top());
        Number("Width", node.Width());
        Number("Height", node.Height());
        Key("Alignment");
        AppendName(FValues, AlignmentNames, node.Alignment());
        Boolean("IsCodeNode", node.IsCodeNode());
        Number("Margin", node.Margin());
        Key("Background");
        AppendPicture(FValues, node.Background());
        Number("Degree", node.Degree());
        Boolean("IsLeftRightMirror", node.IsLeftRightMirror());
        Boolean("IsTopBottomMirror", node.IsTopBottomMirror());
    }
    WriteMembers(out);
}

void TDiagramJsonWriter::WriteMembers(QByteArray &out)
{
    // Nodes and links each add the same keys every time: sorted once.
    const bool sameKeys =
        FOrderKeys.size() == FEntries.size() &&
        std::equal(FEntries.begin(), FEntries.end(), FOrderKeys.begin(),
                   [](const TEntry &entry, const char *key) { return entry.Key == key; });
    if (!sameKeys) {
        FOrderKeys.clear();
        for (const TEntry &entry : FEntries)
            FOrderKeys.push_back(entry.Key);
        FOrder.resize(FEntries.size());
        for (size_t i = 0; i < FOrder.size(); ++i)
            FOrder[i] = int(i);
        std::sort(FOrder.begin(), FOrder.end(),
                  [this](int a, int b) { return qstrcmp(FEntries[a].Key, FEntries[b].Key) < 0; });
    }
    out += '{';
    for (size_t i = 0; i < FOrder.size(); ++i) {
        const int index = FOrder[i];
        const qsizetype start = FEntries[index].Start;
        const qsizetype end =
            size_t(index) + 1 < FEntries.size() ? FEntries[index + 1].Start : FValues.size();
        if (i > 0)
            out += ',';
        out += '"';
        out += FEntries[index].Key;
        out += "\":";
        out.append(FValues.constData() + start, end - start);
    }
    out += '}';
}
