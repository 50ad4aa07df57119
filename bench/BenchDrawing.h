#pragma once

#include <QByteArray>

class TGraphControl;

// The drawing the paint and report benchmarks measure: a 4,000 x 3,000 JPEG
// floor plan with symbols, their companions and links spread over it.
namespace BenchDrawing {

enum class TSymbolPicture { Bitmap, Metafile };

QByteArray FloorPlanJpeg();
// About that many objects, as drops place them: a symbol, its companion 80
// units lower and the link between them, spread evenly over the floor plan.
// The symbols show a 20 x 20 picture, a bitmap or a metafile as the bundled
// library writes them.
void FillSymbols(TGraphControl &graph, int objects, TSymbolPicture kind = TSymbolPicture::Bitmap);
// The diagram the loading and saving benchmarks measure: half nodes, half
// links. The nodes alternate between symbols (a code and the six symbol
// fields) and text labels, with Chinese and Latin text; each links to the next.
void FillMixed(TGraphControl &graph, int objects);

} // namespace BenchDrawing
