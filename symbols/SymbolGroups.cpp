#include "SymbolGroups.h"

#include <array>

namespace SymbolGroups {

namespace {

struct Group {
    const char16_t *type;
    const char16_t *caption;
};

// The groups of each palette, in their order.
constexpr std::array<Group, 5> WiringGroups = {{
    {u"家用电器", u"家用电器"},
    {u"灯", u"灯"},
    {u"开关", u"开关"},
    {u"插座", u"插座"},
    {u"弱电系列", u"弱电系列"},
}};

constexpr std::array<Group, 3> BoxGroups = {{
    {u"推荐方案", u"断路器配置方案"},
    {u"漏电保护器", u"断路器"},
    {u"辅助元件", u"辅助元件"},
}};

template <size_t N>
TSymbolGroup Find(const std::array<Group, N> &groups, TSymbolGroup::Palette palette,
                  const QString &type)
{
    for (size_t i = 0; i < N; ++i)
        if (type == QStringView(groups[i].type))
            return TSymbolGroup{palette, int(i), QString::fromUtf16(groups[i].caption)};
    return TSymbolGroup{palette, -1, QString()};
}

} // namespace

const QString &WiringSystem()
{
    static const QString system = QStringLiteral("电器线路");
    return system;
}

TSymbolGroup Of(const QString &system, const QString &type)
{
    if (system == WiringSystem())
        return Find(WiringGroups, TSymbolGroup::Wiring, type);
    return Find(BoxGroups, TSymbolGroup::DistributionBox, type);
}

} // namespace SymbolGroups
