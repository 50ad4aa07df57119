#include "Schemes.h"

#include "SymbolCatalogue.h"
#include "SymbolPictures.h"

#include "GraphControl.h"
#include "GraphLink.h"
#include "GraphNode.h"
#include "LineNode.h"
#include "RectangularNode.h"

#include <QDir>
#include <algorithm>
#include <vector>

// The recommended schemes are distribution-box drawings. Every node in them
// is what the program itself would make when the user drops the same item,
// so a scheme applied to a project edits, counts and prints like a drawing
// made by hand.

namespace {

// Palette tags of the drawing tools, which their nodes keep as Tag.
constexpr int HorizontalWireTag = 10000;
constexpr int VerticalWireTag = 20000;
constexpr int TextTag = 50000;

struct Circuit {
    const char *purpose; // "客厅插座回路"
    const char *breaker; // code of the breaker
    const char *rating;  // as the label shows it: "C20 30mA"
    const char *cable;
};

struct Scheme {
    const char *name;
    std::vector<const char *> supply; // series devices from the incoming line, main switch first
    const char *incoming;
    std::vector<Circuit> circuits;
};

// Every branch breaker is rated below the main switch, and every device of
// the supply carries at least the main switch's current: a 63 A main switch
// is not followed by a 40 A protector. Socket, kitchen and bathroom
// circuits have 30 mA residual-current protection; lighting and air
// conditioning have plain 1P+N breakers, which break the neutral too.
const std::vector<Scheme> &Schemes()
{
    static const std::vector<Scheme> schemes = {
        {"一室一厅",
         {"K13"},
         "进线 BV-3×10",
         {
             {"照明回路", "K16", "C16", "BV-3×2.5"},
             {"插座回路", "K10", "C20 30mA", "BV-3×4"},
             {"厨房回路", "K10", "C20 30mA", "BV-3×4"},
             {"卫生间回路", "K09", "C16 30mA", "BV-3×4"},
             {"空调回路", "K17", "C20", "BV-3×4"},
         }},
        {"两室一厅",
         {"K14"},
         "进线 BV-3×16",
         {
             {"照明回路", "K16", "C16", "BV-3×2.5"},
             {"客厅插座回路", "K10", "C20 30mA", "BV-3×4"},
             {"卧室插座回路", "K10", "C20 30mA", "BV-3×4"},
             {"厨房回路", "K11", "C25 30mA", "BV-3×4"},
             {"卫生间回路", "K10", "C20 30mA", "BV-3×4"},
             {"客厅空调回路", "K18", "C25", "BV-3×4"},
             {"卧室空调回路", "K16", "C16", "BV-3×2.5"},
         }},
        {"三室两厅",
         {"K14", "K19"},
         "进线 BV-3×16",
         {
             {"照明回路一", "K16", "C16", "BV-3×2.5"},
             {"照明回路二", "K16", "C16", "BV-3×2.5"},
             {"客厅插座回路", "K10", "C20 30mA", "BV-3×4"},
             {"卧室插座回路", "K10", "C20 30mA", "BV-3×4"},
             {"厨房回路", "K11", "C25 30mA", "BV-3×4"},
             {"卫生间回路", "K11", "C25 30mA", "BV-3×4"},
             {"客厅空调回路", "K18", "C25", "BV-3×6"},
             {"主卧空调回路", "K16", "C16", "BV-3×2.5"},
             {"次卧空调回路", "K16", "C16", "BV-3×2.5"},
             {"书房空调回路", "K16", "C16", "BV-3×2.5"},
         }},
    };
    return schemes;
}

class SchemeBuilder {
public:
    explicit SchemeBuilder(const QString &smallPictures) : FSmallPictures(smallPictures) {}

    TGraphControl graph;

    // A symbol node as a drop of the library entry makes it.
    TGraphNode *Symbol(const QString &code, int left, int top)
    {
        const SymbolEntry &entry = SymbolByCode(code);
        const QString type = QString::fromUtf8(entry.type);
        const int width = type == QStringLiteral("漏电保护器") ? 100 : 40;
        TGraphNode *node =
            graph.InsertNode(TRect(left, top, left + width, top + 40), &TIconNode::Class);
        // Loaded from the library file, so the node keeps it as a bitmap, as a drop does.
        node->Background().LoadFromFile(QDir(FSmallPictures).filePath(SmallImageName(entry)));
        node->SetTag(SymbolIndex(code));
        node->SetIsCodeNode(true);
        node->SetText(QString::fromUtf8(entry.code));
        node->Font().SetSize(10);
        node->Font().SetStyle(fsBold);
        node->Font().SetColor(0x00FF0000);
        node->SetAlignment(taCenter);
        node->SetMargin(3);
        node->SetIconCaption(QString::fromUtf8(entry.caption));
        node->SetIconSystem(QString::fromUtf8(entry.system));
        node->SetIconType(type);
        node->SetIconComment(QString::fromUtf8(entry.comment));
        node->SetIconSmallImagePath(SmallImageName(entry));
        node->SetIconLargeImagePath(LargeImageName(entry));
        return node;
    }

    TGraphNode *HorizontalWire(int left, int top, int width)
    {
        TGraphNode *node =
            graph.InsertNode(TRect(left, top, left + width, top + 40), &THLineNode::Class);
        node->SetTag(HorizontalWireTag);
        return node;
    }

    TGraphNode *VerticalWire(int left, int top, int height)
    {
        TGraphNode *node =
            graph.InsertNode(TRect(left, top, left + 40, top + height), &TVLineNode::Class);
        node->SetTag(VerticalWireTag);
        return node;
    }

    TGraphNode *Label(int left, int top, int width, const QString &text,
                      TAlignment alignment = taLeftJustify)
    {
        TGraphNode *node =
            graph.InsertNode(TRect(left, top, left + width, top + 40), &TTextNode::Class);
        node->SetTag(TextTag);
        node->SetText(text);
        node->SetAlignment(alignment);
        return node;
    }

private:
    QString FSmallPictures;
};

// A breaker standing in a vertical drop, turned as the designer's
// "右旋转90度" turns it, so the supply enters at the top; its picture is
// drawn standing, at the node's size, so the rating reads upright.
TGraphNode *StandingBreaker(SchemeBuilder &b, const QString &code, int lineX, int top)
{
    TGraphNode *node = b.Symbol(code, lineX - 20, top);
    node->SetBoundsRect(TRect(lineX - 20, top, lineX + 20, top + 100));
    node->Background().LoadFromData(TPicture::Metafile,
                                    StandingBreakerMetafile(SymbolByCode(code)));
    node->SetDegree(270);
    return node;
}

// The single-line diagram of the distribution box: the incoming line runs
// through the supply devices to a feeder that comes down onto a horizontal
// busbar; from the busbar one drop per circuit goes down through its
// breaker to the circuit's label. Wire pieces draw their line along their
// middle, so a piece of 40 units across is placed 20 units off its line.
void Build(SchemeBuilder &b, const Scheme &scheme)
{
    const int count = int(scheme.circuits.size());
    const int pitch = 120;
    const int margin = 40;
    const int devices = int(scheme.supply.size());
    const int supplyWidth = 110 + 60 + devices * 100 + (devices - 1) * 60 + 40;
    // The feeder comes down between the middle two drops.
    const int firstDrop = margin + pitch / 2;
    int feeder = firstDrop + (count / 2) * pitch - pitch / 2;
    const int shift = std::max(0, margin + supplyWidth - feeder);
    feeder += shift;
    const int dropsLeft = firstDrop + shift;
    const int lastDrop = dropsLeft + (count - 1) * pitch;
    const int width = std::max(lastDrop + pitch / 2 + margin, feeder + 240);
    const int supplyY = 110, busY = 220, breakerTop = busY + 50;

    TGraphNode *title = b.Label(
        0, 10, width, QString::fromUtf8(scheme.name) + QStringLiteral("配电箱系统图"), taCenter);
    title->Font().SetSize(14);
    title->Font().SetStyle(fsBold);

    // The supply, left to right, ending at the feeder.
    int x = feeder - supplyWidth;
    b.Label(x, supplyY - 20, 110, QString::fromUtf8(scheme.incoming), taRightJustify);
    x += 110;
    b.HorizontalWire(x, supplyY - 20, 60);
    x += 60;
    for (int i = 0; i < devices; ++i) {
        if (i > 0) {
            b.HorizontalWire(x, supplyY - 20, 60);
            x += 60;
        }
        const QString code = QString::fromUtf8(scheme.supply[size_t(i)]);
        b.Symbol(code, x, supplyY - 20);
        b.Label(x - 30, supplyY - 60, 160, QString::fromUtf8(SymbolByCode(code).caption),
                taCenter);
        x += 100;
    }
    b.HorizontalWire(x, supplyY - 20, feeder - x);
    b.VerticalWire(feeder - 20, supplyY, busY - supplyY);

    // The busbar, one piece between each two neighbouring junctions.
    std::vector<int> junctions{feeder};
    for (int i = 0; i < count; ++i)
        junctions.push_back(dropsLeft + i * pitch);
    std::sort(junctions.begin(), junctions.end());
    junctions.erase(std::unique(junctions.begin(), junctions.end()), junctions.end());
    for (size_t i = 1; i < junctions.size(); ++i)
        b.HorizontalWire(junctions[i - 1], busY - 20, junctions[i] - junctions[i - 1])
            ->Pen().SetWidth(3);

    for (int i = 0; i < count; ++i) {
        const Circuit &circuit = scheme.circuits[size_t(i)];
        const int lineX = dropsLeft + i * pitch;
        b.VerticalWire(lineX - 20, busY, breakerTop - busY);
        StandingBreaker(b, QString::fromUtf8(circuit.breaker), lineX, breakerTop);
        b.VerticalWire(lineX - 20, breakerTop + 100, 50);
        b.Label(lineX - pitch / 2 + 4, breakerTop + 155, pitch - 8,
                QStringLiteral("WL%1 %2 %3 %4")
                    .arg(i + 1)
                    .arg(QString::fromUtf8(circuit.purpose), QString::fromUtf8(circuit.rating),
                         QString::fromUtf8(circuit.cable)),
                taCenter)
            ->SetHeight(80);
    }

    // The neutral and protective-earth bars, right of the supply.
    const int barLeft = width - 170;
    b.Symbol(QStringLiteral("L01"), barLeft, 50);
    b.Label(barLeft + 40, 50, 100, QStringLiteral("零线排 N"));
    b.Symbol(QStringLiteral("L02"), barLeft, 100);
    b.Label(barLeft + 40, 100, 100, QStringLiteral("地线排 PE"));

    b.Label(margin, breakerTop + 250, width - 2 * margin,
            QStringLiteral("注：插座、厨房、卫生间回路装30mA漏电保护；照明、空调回路用1P+N断路器；"
                           "导线均为铜芯BV线。"),
            taLeftJustify);
}

} // namespace

void WriteSchemes(const QString &smallPictures, const QString &folder)
{
    QDir().mkpath(folder);
    for (const Scheme &scheme : Schemes()) {
        SchemeBuilder builder(smallPictures);
        Build(builder, scheme);
        builder.graph.SaveToFile(
            QDir(folder).filePath(QString::fromUtf8(scheme.name) + QStringLiteral(".prj")));
    }
}
