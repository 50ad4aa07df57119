#include "DiagramJson.h"

#include "GraphLink.h"
#include "GraphNode.h"
#include "GraphStreamNames.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>

using namespace GraphStreamNames;

namespace {

QJsonValue ColorValue(TColor color)
{
    const QByteArray name = ColorName(color);
    return name.isEmpty() ? QJsonValue(qint64(color)) : QJsonValue(QString::fromLatin1(name));
}

QJsonValue Name(const std::vector<QByteArray> &names, int value)
{
    if (value >= 0 && value < int(names.size()))
        return QString::fromLatin1(names[value]);
    return value;
}

QJsonValue PictureValue(const TPicture &picture)
{
    if (!picture.HasGraphic())
        return QJsonValue::Null;
    return QJsonObject{{"class", picture.GraphicClassName()},
                       {"bytes", qint64(picture.Data().size())},
                       {"width", picture.Width()},
                       {"height", picture.Height()}};
}

} // namespace

QJsonObject DiagramObjectToJson(const TGraphObject &g)
{
    QJsonObject json;
    json["class"] = g.ClassType()->ClassName();
    json["ID"] = qint64(g.ID());
    json["Text"] = g.Text();
    json["Brush.Color"] = ColorValue(g.Brush().Color());
    json["Brush.Style"] = Name(BrushStyleNames, g.Brush().Style());
    json["Pen.Color"] = ColorValue(g.Pen().Color());
    json["Pen.Mode"] = Name(PenModeNames, g.Pen().Mode());
    json["Pen.Style"] = Name(PenStyleNames, g.Pen().Style());
    json["Pen.Width"] = g.Pen().Width();
    const QByteArray charset = CharsetName(g.Font().Charset());
    json["Font.Charset"] = charset.isEmpty() ? QJsonValue(g.Font().Charset())
                                             : QJsonValue(QString::fromLatin1(charset));
    json["Font.Color"] = ColorValue(g.Font().Color());
    json["Font.Height"] = g.Font().Height();
    json["Font.Name"] = g.Font().Name();
    json["Font.Pitch"] = Name(FontPitchNames, g.Font().Pitch());
    QJsonArray styles;
    for (size_t i = 0; i < FontStyleNames.size(); ++i)
        if (g.Font().Style() & (1 << i))
            styles.append(QString::fromLatin1(FontStyleNames[i]));
    json["Font.Style"] = styles;
    json["ParentFont"] = g.ParentFont();
    json["Visible"] = g.Visible();
    json["Tag"] = g.Tag();
    json["IconCaption"] = g.IconCaption();
    json["IconSystem"] = g.IconSystem();
    json["IconType"] = g.IconType();
    json["IconSmallImagePath"] = g.IconSmallImagePath();
    json["IconLargeImagePath"] = g.IconLargeImagePath();
    json["IconComment"] = g.IconComment();
    if (g.IsLink()) {
        const auto &link = static_cast<const TGraphLink &>(g);
        json["Kind"] = Name(LinkKindNames, link.Kind());
        json["ArrowSize"] = link.ArrowSize();
        json["FromNode"] = link.FromNode() ? QJsonValue(qint64(link.FromNodeID())) : QJsonValue();
        json["ToNode"] = link.ToNode() ? QJsonValue(qint64(link.ToNodeID())) : QJsonValue();
    } else {
        const auto &node = static_cast<const TGraphNode &>(g);
        json["Left"] = node.Left();
        json["Top"] = node.Top();
        json["Width"] = node.Width();
        json["Height"] = node.Height();
        json["Alignment"] = Name(AlignmentNames, node.Alignment());
        json["IsCodeNode"] = node.IsCodeNode();
        json["Margin"] = node.Margin();
        json["Background"] = PictureValue(node.Background());
        json["Degree"] = node.Degree();
        json["IsLeftRightMirror"] = node.IsLeftRightMirror();
        json["IsTopBottomMirror"] = node.IsTopBottomMirror();
    }
    return json;
}

// --- One line of JSON ---

namespace {

// The members of one JSON object, written in the order QJsonObject keeps
// them: by key.
class TJsonMembers {
public:
    void Add(const char *key, QByteArray value) { FMembers.push_back({key, std::move(value)}); }
    void Add(const char *key, qint64 value) { Add(key, QByteArray::number(value)); }
    void Add(const char *key, int value) { Add(key, QByteArray::number(value)); }
    void Add(const char *key, bool value) { Add(key, QByteArray(value ? "true" : "false")); }
    void AddNull(const char *key) { Add(key, QByteArray("null")); }
    void Add(const char *key, const QString &value) { Add(key, Quoted(value)); }
    void AddLatin1(const char *key, const QByteArray &value) { Add(key, '"' + value + '"'); }

    QByteArray Join()
    {
        std::sort(FMembers.begin(), FMembers.end(),
                  [](const auto &a, const auto &b) { return qstrcmp(a.first, b.first) < 0; });
        QByteArray json("{");
        for (const auto &[key, value] : FMembers) {
            if (json.size() > 1)
                json += ',';
            json += '"';
            json += key;
            json += "\":";
            json += value;
        }
        json += '}';
        return json;
    }

    // A string as QJsonDocument writes it: UTF-8 with quotes, backslashes
    // and control characters escaped. Lone surrogates, which Qt escapes by
    // its own rules, are left to its writer.
    static QByteArray Quoted(const QString &text)
    {
        QByteArray json;
        json.reserve(text.size() + 2);
        json += '"';
        qsizetype plain = 0; // start of the characters not yet written
        const auto flush = [&](qsizetype end) {
            if (end > plain)
                json += QStringView(text).mid(plain, end - plain).toUtf8();
        };
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t u = text[i].unicode();
            if (u >= 0xD800 && u <= 0xDFFF) {
                const bool paired = u < 0xDC00 && i + 1 < text.size() &&
                                    text[i + 1].unicode() >= 0xDC00 &&
                                    text[i + 1].unicode() <= 0xDFFF;
                if (!paired) {
                    const QByteArray array =
                        QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
                    return array.mid(1, array.size() - 2);
                }
                ++i;
                continue;
            }
            if (u >= 0x20 && u != u'"' && u != u'\\')
                continue;
            flush(i);
            plain = i + 1;
            json += '\\';
            switch (u) {
            case u'"':
                json += '"';
                break;
            case u'\\':
                json += '\\';
                break;
            case u'\b':
                json += 'b';
                break;
            case u'\f':
                json += 'f';
                break;
            case u'\n':
                json += 'n';
                break;
            case u'\r':
                json += 'r';
                break;
            case u'\t':
                json += 't';
                break;
            default:
                json += "u00";
                json += "0123456789abcdef"[u >> 4];
                json += "0123456789abcdef"[u & 0xF];
            }
        }
        flush(text.size());
        json += '"';
        return json;
    }

private:
    std::vector<std::pair<const char *, QByteArray>> FMembers;
};

QByteArray ColorJson(TColor color)
{
    const QByteArray name = ColorName(color);
    return name.isEmpty() ? QByteArray::number(qint64(color)) : '"' + name + '"';
}

QByteArray NameJson(const std::vector<QByteArray> &names, int value)
{
    if (value >= 0 && value < int(names.size()))
        return '"' + names[value] + '"';
    return QByteArray::number(value);
}

QByteArray PictureJson(const TPicture &picture)
{
    if (!picture.HasGraphic())
        return QByteArray("null");
    TJsonMembers members;
    members.Add("class", picture.GraphicClassName());
    members.Add("bytes", qint64(picture.Data().size()));
    members.Add("width", picture.Width());
    members.Add("height", picture.Height());
    return members.Join();
}

} // namespace

QByteArray DiagramObjectToJsonLine(const TGraphObject &g)
{
    TJsonMembers json;
    json.Add("class", QString(g.ClassType()->ClassName()));
    json.Add("ID", qint64(g.ID()));
    json.Add("Text", g.Text());
    json.Add("Brush.Color", ColorJson(g.Brush().Color()));
    json.Add("Brush.Style", NameJson(BrushStyleNames, g.Brush().Style()));
    json.Add("Pen.Color", ColorJson(g.Pen().Color()));
    json.Add("Pen.Mode", NameJson(PenModeNames, g.Pen().Mode()));
    json.Add("Pen.Style", NameJson(PenStyleNames, g.Pen().Style()));
    json.Add("Pen.Width", g.Pen().Width());
    const QByteArray charset = CharsetName(g.Font().Charset());
    json.Add("Font.Charset",
             charset.isEmpty() ? QByteArray::number(g.Font().Charset()) : '"' + charset + '"');
    json.Add("Font.Color", ColorJson(g.Font().Color()));
    json.Add("Font.Height", g.Font().Height());
    json.Add("Font.Name", g.Font().Name());
    json.Add("Font.Pitch", NameJson(FontPitchNames, g.Font().Pitch()));
    QByteArray styles("[");
    for (size_t i = 0; i < FontStyleNames.size(); ++i)
        if (g.Font().Style() & (1 << i))
            styles += (styles.size() > 1 ? ",\"" : "\"") + FontStyleNames[i] + '"';
    json.Add("Font.Style", styles + ']');
    json.Add("ParentFont", g.ParentFont());
    json.Add("Visible", g.Visible());
    json.Add("Tag", g.Tag());
    json.Add("IconCaption", g.IconCaption());
    json.Add("IconSystem", g.IconSystem());
    json.Add("IconType", g.IconType());
    json.Add("IconSmallImagePath", g.IconSmallImagePath());
    json.Add("IconLargeImagePath", g.IconLargeImagePath());
    json.Add("IconComment", g.IconComment());
    if (g.IsLink()) {
        const auto &link = static_cast<const TGraphLink &>(g);
        json.Add("Kind", NameJson(LinkKindNames, link.Kind()));
        json.Add("ArrowSize", int(link.ArrowSize()));
        if (link.FromNode())
            json.Add("FromNode", qint64(link.FromNodeID()));
        else
            json.AddNull("FromNode");
        if (link.ToNode())
            json.Add("ToNode", qint64(link.ToNodeID()));
        else
            json.AddNull("ToNode");
    } else {
        const auto &node = static_cast<const TGraphNode &>(g);
        json.Add("Left", node.Left());
        json.Add("Top", node.Top());
        json.Add("Width", node.Width());
        json.Add("Height", node.Height());
        json.Add("Alignment", NameJson(AlignmentNames, node.Alignment()));
        json.Add("IsCodeNode", node.IsCodeNode());
        json.Add("Margin", node.Margin());
        json.Add("Background", PictureJson(node.Background()));
        json.Add("Degree", node.Degree());
        json.Add("IsLeftRightMirror", node.IsLeftRightMirror());
        json.Add("IsTopBottomMirror", node.IsTopBottomMirror());
    }
    return json.Join();
}
