#include "GraphFont.h"

#include "GraphMath.h"

#include <mutex>

namespace {

const QString SerifStandIn = QStringLiteral("Noto Serif CJK SC");

// The faces drawings name, and what stands in for them here.
void InstallFontSubstitutions()
{
    static std::once_flag once;
    std::call_once(once, [] {
        const QStringList serif = {SerifStandIn, QStringLiteral("Noto Sans CJK SC")};
        QFont::insertSubstitutions(QStringLiteral("新宋体"), serif);
        QFont::insertSubstitutions(QStringLiteral("宋体"), serif);
        QFont::insertSubstitutions(QStringLiteral("SimSun"), serif);
        QFont::insertSubstitutions(QStringLiteral("NSimSun"), serif);
    });
}

} // namespace

TFont::TFont()
    : FName(QStringLiteral("新宋体")), FHeight(-13), FColor(clWindowText),
      FCharset(DEFAULT_CHARSET)
{
}

void TFont::FontChanged()
{
    FQFont.reset();
    Changed();
}

int TFont::Size() const
{
    return -GraphMath::MulDiv(FHeight, 72, PixelsPerInch);
}

void TFont::SetName(const QString &value)
{
    if (FName == value)
        return;
    FName = value;
    FontChanged();
}

void TFont::SetHeight(int value)
{
    if (FHeight == value)
        return;
    FHeight = value;
    FontChanged();
}

void TFont::SetSize(int points)
{
    SetHeight(-GraphMath::MulDiv(points, PixelsPerInch, 72));
}

void TFont::SetColor(TColor value)
{
    if (FColor == value)
        return;
    FColor = value;
    FontChanged();
}

void TFont::SetCharset(uint8_t value)
{
    if (FCharset == value)
        return;
    FCharset = value;
    FontChanged();
}

void TFont::SetPitch(TFontPitch value)
{
    if (FPitch == value)
        return;
    FPitch = value;
    FontChanged();
}

void TFont::SetStyle(TFontStyles value)
{
    if (FStyle == value)
        return;
    FStyle = value;
    FontChanged();
}

void TFont::Assign(const TFont &source)
{
    FName = source.FName;
    FHeight = source.FHeight;
    FColor = source.FColor;
    FCharset = source.FCharset;
    FPitch = source.FPitch;
    FStyle = source.FStyle;
    FontChanged();
}

bool TFont::operator==(const TFont &other) const
{
    return FName == other.FName && FHeight == other.FHeight && FColor == other.FColor &&
           FCharset == other.FCharset && FPitch == other.FPitch && FStyle == other.FStyle;
}

QFont TFont::WindowFont(int pixelSize)
{
    // Named by its stand-in: Qt finds an installed family at once, while for
    // a family it does not know it searches fontconfig's fallbacks for each
    // script laid out, milliseconds of the first page's start.
    QFont font(SerifStandIn);
    font.setPixelSize(pixelSize);
    return font;
}

const QFont &TFont::ToQFont() const
{
    if (FQFont)
        return *FQFont;
    InstallFontSubstitutions();
    QFont font(FName.isEmpty() ? QStringLiteral("新宋体") : FName);
    // A positive height is the cell height; a negative one the character
    // height. Both become pixel sizes, which do not depend on the screen.
    font.setPixelSize(std::max(1, FHeight < 0 ? -FHeight : FHeight));
    font.setBold(FStyle & fsBold);
    font.setItalic(FStyle & fsItalic);
    font.setUnderline(FStyle & fsUnderline);
    font.setStrikeOut(FStyle & fsStrikeOut);
    if (FPitch == fpFixed)
        font.setFixedPitch(true);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    FQFont = font;
    return *FQFont;
}
