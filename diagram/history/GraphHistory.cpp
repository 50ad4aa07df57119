#include "GraphHistory.h"

#include "GraphControl.h"

#include <QDebug>

TGraphHistory::TGraphHistory(TGraphControl *graph) : FGraph(graph)
{
    FGraph->SetEditRecorder(this);
}

TGraphHistory::~TGraphHistory()
{
    if (FGraph->EditRecorder() == this)
        FGraph->SetEditRecorder(nullptr);
}

QStringList TGraphHistory::Extras(TGraphEditScope scope) const
{
    return scope != TGraphEditScope::Objects && CaptureExtras ? CaptureExtras() : QStringList();
}

// --- Steps ---

void TGraphHistory::BeginStep(const QString &name, TGraphEditScope scope)
{
    if (FReplaying)
        return;
    if (FDepth++ > 0)
        return;
    try {
        FOpen = std::make_unique<TGraphEditStep>(FGraph, name, scope, Extras(scope));
    } catch (...) {
        FOpen.reset();
        Forget();
    }
}

void TGraphHistory::EndStep()
{
    if (FReplaying || FDepth == 0 || --FDepth > 0)
        return;
    std::unique_ptr<TGraphEditStep> step = std::move(FOpen);
    if (!step)
        return; // the state before could not be taken
    // Called from destructors: whatever fails here only costs the history.
    try {
        const bool changed = step->Finish(Extras(step->Scope()));
        if (step->Incomplete()) {
            qWarning("Undo history: \"%s\" changed objects it did not announce",
                     qUtf8Printable(step->Name()));
            Forget();
        } else if (changed) {
            Push(std::move(step));
        }
    } catch (...) {
        Forget();
    }
}

void TGraphHistory::Push(std::unique_ptr<TGraphEditStep> step)
{
    while (int(FSteps.size()) > FCurrent) {
        FMemory -= FSteps.back()->MemoryUsed();
        FSteps.pop_back();
    }
    if (FClean > FCurrent)
        FClean = -1; // the saved drawing was among the steps dropped
    FMemory += step->MemoryUsed();
    FSteps.push_back(std::move(step));
    ++FCurrent;
    Trim();
    Changed();
}

void TGraphHistory::Trim()
{
    size_t dropped = 0;
    while (FMemory > FMemoryLimit && dropped + 1 < FSteps.size() && int(dropped) < FCurrent) {
        FMemory -= FSteps[dropped]->MemoryUsed();
        ++dropped;
    }
    if (dropped == 0)
        return;
    FSteps.erase(FSteps.begin(), FSteps.begin() + dropped);
    FCurrent -= int(dropped);
    FClean = FClean >= int(dropped) ? FClean - int(dropped) : -1;
}

void TGraphHistory::SetMemoryLimit(size_t bytes)
{
    FMemoryLimit = bytes;
    Trim();
}

// --- Taking back and doing again ---

QString TGraphHistory::UndoName() const
{
    return CanUndo() ? FSteps[FCurrent - 1]->Name() : QString();
}

QString TGraphHistory::RedoName() const
{
    return CanRedo() ? FSteps[FCurrent]->Name() : QString();
}

void TGraphHistory::Undo()
{
    if (CanUndo())
        Replay(true);
}

void TGraphHistory::Redo()
{
    if (CanRedo())
        Replay(false);
}

void TGraphHistory::Replay(bool undo)
{
    TGraphEditStep &step = *FSteps[undo ? FCurrent - 1 : FCurrent];
    FReplaying = true;
    try {
        const QStringList &extras = undo ? step.Undo() : step.Redo();
        FReplaying = false;
        FCurrent += undo ? -1 : 1;
        if (step.Scope() != TGraphEditScope::Objects && RestoreExtras)
            RestoreExtras(extras);
    } catch (...) {
        FReplaying = false;
        Forget();
        throw;
    }
    Changed();
}

// --- Changes outside the steps ---

void TGraphHistory::ObjectAdded(TGraphObject *object)
{
    if (FOpen && !FReplaying)
        FOpen->ObjectAdded(object);
}

void TGraphHistory::ObjectRemoved(TGraphObject *object, int formerIndex)
{
    if (FOpen && !FReplaying)
        FOpen->ObjectRemoved(object, formerIndex);
}

void TGraphHistory::ObjectReordered(TGraphObject *object)
{
    if (FReplaying)
        return;
    if (FOpen)
        FOpen->ObjectReordered(object);
    else
        Forget();
}

void TGraphHistory::ObjectChanged(TGraphObject *object)
{
    if (FReplaying)
        return;
    if (FOpen)
        FOpen->ObjectChanged(object);
    else if (FDepth == 0)
        Forget();
}

void TGraphHistory::Forget()
{
    if (FSteps.empty() && FClean == -1)
        return;
    FSteps.clear();
    FCurrent = 0;
    FClean = -1;
    FMemory = 0;
    Changed();
}

void TGraphHistory::Clear()
{
    FSteps.clear();
    FCurrent = 0;
    FClean = 0;
    FMemory = 0;
    Changed();
}

void TGraphHistory::Changed()
{
    if (OnChange)
        OnChange();
}
