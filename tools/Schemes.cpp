#include "Schemes.h"

#include "SymbolCatalogue.h"

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
    const char *name;    // with the rated current, as the label shows it
    const char *breaker; // code of the breaker
    const char *cable;
};

struct Scheme {
    const char *name;
    std::vector<const char *> supply; // series devices from the incoming line, main switch last
    const char *incoming;
    std::vector<Circuit> circuits;
};

const std::vector<Scheme> &Schemes()
{
    static const std::vector<Scheme> schemes = {
        {"一室一厅",
         {"K13"},
         "进线 BV-3×10",
         {
             {"照明回路 C16", "K02", "BV-3×2.5"},
             {"插座回路 C20 30mA", "K10", "BV-3×4"},
             {"厨房回路 C20 30mA", "K10", "BV-3×4"},
             {"卫生间回路 C16 30mA", "K09", "BV-3×4"},
             {"空调回路 C20", "K03", "BV-3×4"},
         }},
        {"两室一厅",
         {"K14"},
         "进线 BV-3×16",
         {
             {"照明回路 C16", "K02", "BV-3×2.5"},
             {"客厅插座回路 C20 30mA", "K10", "BV-3×4"},
             {"卧室插座回路 C20 30mA", "K10", "BV-3×4"},
             {"厨房回路 C25 30mA", "K11", "BV-3×4"},
             {"卫生间回路 C20 30mA", "K10", "BV-3×4"},
             {"客厅空调回路 C25", "K04", "BV-3×4"},
             {"卧室空调回路 C16", "K02", "BV-3×2.5"},
         }},
        {"三室两厅",
         {"K15", "K14"},
         "进线 BV-3×16",
         {
             {"照明回路一 C16", "K02", "BV-3×2.5"},
             {"照明回路二 C16", "K02", "BV-3×2.5"},
             {"客厅插座回路 C20 30mA", "K10", "BV-3×4"},
             {"卧室插座回路 C20 30mA", "K10", "BV-3×4"},
             {"厨房回路 C25 30mA", "K11", "BV-3×4"},
             {"卫生间回路 C25 30mA", "K11", "BV-3×4"},
             {"客厅空调回路 C25", "K04", "BV-3×6"},
             {"主卧空调回路 C16", "K02", "BV-3×2.5"},
             {"次卧空调回路 C16", "K02", "BV-3×2.5"},
             {"书房空调回路 C16", "K02", "BV-3×2.5"},
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

void Build(SchemeBuilder &b, const Scheme &scheme)
{
    // The breakers stand in a row under the main switch, far enough below
    // it that every link from the main switch comes down onto the top of
    // its own breaker instead of running behind its neighbours.
    const int count = int(scheme.circuits.size());
    const int pitch = count > 8 ? 110 : 120;
    const int rowWidth = count * pitch;
    const int width = std::max(rowWidth + 40, 760);
    const int rowLeft = (width - rowWidth) / 2;
    const int supplyTop = 70, rowTop = 310;

    TGraphNode *title = b.Label(
        0, 10, width, QString::fromUtf8(scheme.name) + QStringLiteral("配电箱系统图"), taCenter);
    title->Font().SetSize(14);
    title->Font().SetStyle(fsBold);

    // The supply: the incoming line, then the series devices with 30 units
    // of wire between them, the main switch last and in the middle.
    const int mainLeft = width / 2 - 50;
    const int devices = int(scheme.supply.size());
    int x = mainLeft - 130 * (devices - 1) - 60;
    b.Label(x - 110, supplyTop, 110, QString::fromUtf8(scheme.incoming), taRightJustify);
    b.HorizontalWire(x, supplyTop, 60);
    x += 60;
    TGraphNode *mainSwitch = nullptr;
    for (int i = 0; i < devices; ++i) {
        if (i > 0) {
            b.HorizontalWire(x, supplyTop, 30);
            x += 30;
        }
        mainSwitch = b.Symbol(QString::fromUtf8(scheme.supply[size_t(i)]), x, supplyTop);
        x += 100;
    }

    // The neutral and protective-earth bars in the top right corner, clear
    // of the links.
    const int barLeft = width - 170;
    b.HorizontalWire(x, supplyTop, barLeft - x);
    b.Symbol(QStringLiteral("L01"), barLeft, supplyTop);
    b.Label(barLeft + 40, supplyTop, 100, QStringLiteral("零线排 N"));
    b.Symbol(QStringLiteral("L02"), barLeft, supplyTop + 60);
    b.Label(barLeft + 40, supplyTop + 60, 100, QStringLiteral("地线排 PE"));

    for (int i = 0; i < count; ++i) {
        const Circuit &circuit = scheme.circuits[size_t(i)];
        const int left = rowLeft + i * pitch + (pitch - 100) / 2;
        TGraphNode *breaker = b.Symbol(QString::fromUtf8(circuit.breaker), left, rowTop);
        b.VerticalWire(left + 30, rowTop + 40, 60);
        b.Label(left - (pitch - 100) / 2, rowTop + 100, pitch,
                QStringLiteral("WL%1 ").arg(i + 1) + QString::fromUtf8(circuit.name) +
                    QLatin1Char(' ') + QString::fromUtf8(circuit.cable),
                taCenter)
            ->SetHeight(60);
        b.graph.LinkNodes(mainSwitch, breaker);
    }
    b.Label(rowLeft, rowTop + 180, rowWidth,
            QStringLiteral(
                "注：插座、厨房、卫生间回路装30mA漏电保护；空调回路单独设置；导线均为铜芯BV线。"),
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
