#include "DiagramJson.h"

#include "GraphLink.h"
#include "GraphNode.h"
#include "GraphStreamNames.h"

#include <QJsonArray>

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
