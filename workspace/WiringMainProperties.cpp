#include "WiringMain.h"

#include "GraphControl.h"
#include "GraphLink.h"
#include "LineNode.h"
#include "RectangularNode.h"
#include "WiringDesignProp.h"
#include "WiringLineProp.h"
#include "WiringTextProp.h"

// The property commands: the drawing area of the current drawing, and the
// text labels or wire pieces selected in it.

namespace {

std::vector<TGraphNode *> SelectionAsNodes(TGraphControl *graph)
{
    std::vector<TGraphNode *> nodes;
    graph->SelectedObjects().ForEach(
        [&](TGraphObject *object) { nodes.push_back(static_cast<TGraphNode *>(object)); });
    return nodes;
}

} // namespace

void TFrmMain::actSetBaseExecute()
{
    if (ActiveGraph)
        TFrmDesignerProperties::EditDrawingArea(this, *FDialogs, ActiveGraph);
}

void TFrmMain::actSetPropExecute()
{
    if (!ActiveGraph)
        return;
    TGraphControl *graph = ActiveGraph;
    const int n = graph->SelectedCount();
    if (n == 0 || graph->SelectedCount(&TGraphLink::Class) == n)
        return;
    // The dialog is chosen by the class every selected object shares;
    // symbols and mixed selections have no property dialog.
    if (graph->SelectedCount(&TTextNode::Class) == n)
        TFrmTextProp::EditTextNodes(this, *FDialogs, SelectionAsNodes(graph));
    else if (graph->SelectedCount(&THLineNode::Class) == n)
        TFrmLineProp::EditWireNodes(this, *FDialogs, SelectionAsNodes(graph));
}
