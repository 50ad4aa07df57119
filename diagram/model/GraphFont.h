#pragma once

#include "GraphColor.h"
#include "GraphicsObject.h"

#include <QFont>
#include <QString>
#include <cstdint>
#include <optional>

enum TFontPitch : uint8_t {
    fpDefault,
    fpVariable,
    fpFixed,
};

// Font styles as a set: one bit per member, in the stream's member order.
enum TFontStyle : uint8_t {
    fsBold = 1 << 0,
    fsItalic = 1 << 1,
    fsUnderline = 1 << 2,
    fsStrikeOut = 1 << 3,
};
using TFontStyles = uint8_t;

constexpr uint8_t DEFAULT_CHARSET = 1;
constexpr uint8_t GB2312_CHARSET = 134;

// A font as the diagram stores it. Sizes are laid out at a fixed 96 pixels
// per inch, so a drawing measures the same on every screen: Height is the
// negative character height in pixels, Size the point size it stands for.
class TFont : public TGraphicsObject {
public:
    static constexpr int PixelsPerInch = 96;

    TFont();

    const QString &Name() const { return FName; }
    int Height() const { return FHeight; }
    int Size() const;
    TColor Color() const { return FColor; }
    uint8_t Charset() const { return FCharset; }
    TFontPitch Pitch() const { return FPitch; }
    TFontStyles Style() const { return FStyle; }

    void SetName(const QString &value);
    void SetHeight(int value);
    void SetSize(int points);
    void SetColor(TColor value);
    void SetCharset(uint8_t value);
    void SetPitch(TFontPitch value);
    void SetStyle(TFontStyles value);

    // Copies every value and reports one change, equal or not.
    void Assign(const TFont &source);
    bool operator==(const TFont &other) const;

    // The Qt font that lays text out like this one at 96 dpi. The classic
    // Chinese faces are mapped to an installed CJK serif face.
    const QFont &ToQFont() const;
    // "新宋体" at the given pixel size, as the windows' own texts use it,
    // standing for the same face as in drawings.
    static QFont WindowFont(int pixelSize);

private:
    void FontChanged();

    QString FName;
    int FHeight;
    TColor FColor;
    uint8_t FCharset;
    TFontPitch FPitch = fpDefault;
    TFontStyles FStyle = 0;
    // The Qt font for these values, made when first asked for.
    mutable std::optional<QFont> FQFont;
};
