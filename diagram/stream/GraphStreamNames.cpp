#include "GraphStreamNames.h"

#include <utility>

namespace GraphStreamNames {

namespace {

using Entry = std::pair<const char *, uint32_t>;

const std::vector<Entry> Colors = {
    {"clBlack", 0x000000},     {"clMaroon", 0x000080},     {"clGreen", 0x008000},
    {"clOlive", 0x008080},     {"clNavy", 0x800000},       {"clPurple", 0x800080},
    {"clTeal", 0x808000},      {"clGray", 0x808080},       {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},       {"clLime", 0x00FF00},       {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},      {"clFuchsia", 0xFF00FF},    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},     {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},     {"clMedGray", 0xA4A0A0},    {"clNone", 0x1FFFFFFF},
    {"clDefault", 0x20000000},
    {"clScrollBar", 0xFF000000 + 0},
    {"clBackground", 0xFF000000 + 1},
    {"clActiveCaption", 0xFF000000 + 2},
    {"clInactiveCaption", 0xFF000000 + 3},
    {"clMenu", 0xFF000000 + 4},
    {"clWindow", 0xFF000000 + 5},
    {"clWindowFrame", 0xFF000000 + 6},
    {"clMenuText", 0xFF000000 + 7},
    {"clWindowText", 0xFF000000 + 8},
    {"clCaptionText", 0xFF000000 + 9},
    {"clActiveBorder", 0xFF000000 + 10},
    {"clInactiveBorder", 0xFF000000 + 11},
    {"clAppWorkSpace", 0xFF000000 + 12},
    {"clHighlight", 0xFF000000 + 13},
    {"clHighlightText", 0xFF000000 + 14},
    {"clBtnFace", 0xFF000000 + 15},
    {"clBtnShadow", 0xFF000000 + 16},
    {"clGrayText", 0xFF000000 + 17},
    {"clBtnText", 0xFF000000 + 18},
    {"clInactiveCaptionText", 0xFF000000 + 19},
    {"clBtnHighlight", 0xFF000000 + 20},
    {"cl3DDkShadow", 0xFF000000 + 21},
    {"cl3DLight", 0xFF000000 + 22},
    {"clInfoText", 0xFF000000 + 23},
    {"clInfoBk", 0xFF000000 + 24},
    {"clHotLight", 0xFF000000 + 26},
    {"clGradientActiveCaption", 0xFF000000 + 27},
    {"clGradientInactiveCaption", 0xFF000000 + 28},
    {"clMenuHighlight", 0xFF000000 + 29},
    {"clMenuBar", 0xFF000000 + 30},
};

const std::vector<Entry> Charsets = {
    {"ANSI_CHARSET", 0},        {"DEFAULT_CHARSET", 1},    {"SYMBOL_CHARSET", 2},
    {"MAC_CHARSET", 77},        {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129},
    {"JOHAB_CHARSET", 130},     {"GB2312_CHARSET", 134},   {"CHINESEBIG5_CHARSET", 136},
    {"GREEK_CHARSET", 161},     {"TURKISH_CHARSET", 162},  {"HEBREW_CHARSET", 177},
    {"ARABIC_CHARSET", 178},    {"BALTIC_CHARSET", 186},   {"RUSSIAN_CHARSET", 204},
    {"THAI_CHARSET", 222},      {"EASTEUROPE_CHARSET", 238}, {"OEM_CHARSET", 255},
};

QByteArray NameOf(const std::vector<Entry> &table, uint32_t value)
{
    for (const auto &[name, v] : table)
        if (v == value)
            return QByteArray::fromRawData(name, qstrlen(name)); // the tables outlive it
    return QByteArray();
}

std::optional<uint32_t> ValueOf(const std::vector<Entry> &table, QByteArrayView name)
{
    for (const auto &[n, value] : table)
        if (name.compare(QByteArrayView(n), Qt::CaseInsensitive) == 0)
            return value;
    return std::nullopt;
}

} // namespace

const std::vector<QByteArray> AlignmentNames = {"taLeftJustify", "taRightJustify", "taCenter"};
const std::vector<QByteArray> LinkKindNames = {"lkUndirected", "lkDirected", "lkBidirected"};
const std::vector<QByteArray> PenModeNames = {
    "pmBlack", "pmWhite",      "pmNop",        "pmNot",         "pmCopy",        "pmNotCopy",
    "pmMergePenNot", "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge",
    "pmMask",  "pmNotMask",    "pmXor",        "pmNotXor"};
const std::vector<QByteArray> PenStyleNames = {"psSolid", "psDash",  "psDot",        "psDashDot",
                                               "psDashDotDot", "psClear", "psInsideFrame"};
const std::vector<QByteArray> BrushStyleNames = {"bsSolid",    "bsClear",     "bsHorizontal",
                                                 "bsVertical", "bsFDiagonal", "bsBDiagonal",
                                                 "bsCross",    "bsDiagCross"};
const std::vector<QByteArray> FontPitchNames = {"fpDefault", "fpVariable", "fpFixed"};
const std::vector<QByteArray> FontStyleNames = {"fsBold", "fsItalic", "fsUnderline",
                                                "fsStrikeOut"};

QByteArray ColorName(TColor color)
{
    return NameOf(Colors, color);
}

std::optional<TColor> ColorByName(QByteArrayView name)
{
    return ValueOf(Colors, name);
}

QByteArray CharsetName(int charset)
{
    return NameOf(Charsets, uint32_t(charset));
}

std::optional<int> CharsetByName(QByteArrayView name)
{
    if (const auto value = ValueOf(Charsets, name))
        return int(*value);
    return std::nullopt;
}

std::optional<int> EnumValue(const std::vector<QByteArray> &names, QByteArrayView name)
{
    for (size_t i = 0; i < names.size(); ++i)
        if (QByteArrayView(names[i]).compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return std::nullopt;
}

} // namespace GraphStreamNames
