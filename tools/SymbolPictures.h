#pragma once

#include "SymbolCatalogue.h"

#include <QByteArray>
#include <QImage>

// The library pictures of a symbol, black line drawings on white.
//
// The small picture is what a placed symbol shows, stretched to its node
// (40 x 40, breakers 100 x 40) with the code written over a strip along the
// bottom, so the symbol keeps to the upper part of the picture and a
// breaker is drawn pre-squeezed to look right at 100 x 40. It is an
// enhanced metafile of 20 x 20 pixels in units of a hundredth of a pixel,
// so the shapes stay sharp at every zoom and in every export.
constexpr int SmallPictureSize = 20;
constexpr int SmallPictureUnits = 100;
QByteArray SmallSymbolMetafile(const SymbolEntry &entry);
// A breaker standing in a vertical drop of a single-line diagram, 40 x 100,
// supply at the top: the symbol turned, its pole slashes and residual-current
// or over/under-voltage mark, and the rating written upright; the bottom
// strip is left to the node's code. An enhanced metafile like the small
// pictures.
QByteArray StandingBreakerMetafile(const SymbolEntry &entry);
// 150 x 150, with the code and the name written under the symbol.
QImage LargeSymbolPicture(const SymbolEntry &entry);

// The fixed faces every generated picture writes with.
QString SansFace();
QString SerifFace();
