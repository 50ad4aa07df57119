#pragma once

#include "GraphEditRecorder.h"
#include "GraphEditStep.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class TGraphControl;

// The undo history of one drawing: the steps a designer took, in order,
// with the place of the drawing among them. It records through the
// drawing's edit recorder, so the drawing's own actions (drags, keys) and
// the application's commands become steps alike.
//
// A change made outside any step cannot be taken back; it also makes the
// earlier steps unsafe to take back, so the history forgets them.
class TGraphHistory : public TGraphEditRecorder {
public:
    // Installs itself as the drawing's recorder until destroyed.
    explicit TGraphHistory(TGraphControl *graph);
    ~TGraphHistory() override;
    TGraphHistory(const TGraphHistory &) = delete;
    TGraphHistory &operator=(const TGraphHistory &) = delete;

    TGraphControl *Graph() const { return FGraph; }

    // Brackets a designer action. Nested brackets join the outermost,
    // whose name and scope count.
    void BeginStep(const QString &name, TGraphEditScope scope = TGraphEditScope::Objects);
    void EndStep();
    bool StepOpen() const { return FOpen != nullptr; }

    bool CanUndo() const { return FCurrent > 0 && !FOpen; }
    bool CanRedo() const { return FCurrent < int(FSteps.size()) && !FOpen; }
    QString UndoName() const;
    QString RedoName() const;
    // Takes back the last step, or does the next one again. An error on
    // the way leaves the drawing as far as it got and forgets the history.
    void Undo();
    void Redo();

    int StepCount() const { return int(FSteps.size()); }
    // Forgets every step; the drawing as it stands counts as saved.
    void Clear();
    // The drawing as it stands is saved.
    void SetClean() { FClean = FCurrent; }
    // Whether the drawing stands as when it was last saved.
    bool IsClean() const { return FClean == FCurrent; }

    size_t MemoryUsed() const { return FMemory; }
    // The oldest steps go once the history holds more than this.
    void SetMemoryLimit(size_t bytes);

    // Told after every change of the history (a step added, taken back,
    // done again, or the history forgotten).
    std::function<void()> OnChange;
    // The application's own state kept with steps of the Settings scope
    // (the floor-plan field), and put back with them.
    std::function<QStringList()> CaptureExtras;
    std::function<void(const QStringList &)> RestoreExtras;

    // TGraphEditRecorder
    void BeginEdit(const QString &name) override { BeginStep(name); }
    void EndEdit() override { EndStep(); }
    void ObjectAdded(TGraphObject *object) override;
    void ObjectRemoved(TGraphObject *object, int formerIndex) override;
    void ObjectReordered(TGraphObject *object) override;
    void ObjectChanged(TGraphObject *object) override;

private:
    QStringList Extras(TGraphEditScope scope) const;
    void Push(std::unique_ptr<TGraphEditStep> step);
    void Forget();
    void Replay(bool undo);
    void Trim();
    void Changed();

    TGraphControl *FGraph;
    std::vector<std::unique_ptr<TGraphEditStep>> FSteps;
    int FCurrent = 0; // steps before it are done, from it on undone
    int FClean = 0;   // the place of the saved drawing; -1 when none is
    std::unique_ptr<TGraphEditStep> FOpen;
    int FDepth = 0;
    bool FReplaying = false;
    size_t FMemory = 0;
    size_t FMemoryLimit = size_t(256) << 20;
};

// Brackets a designer action in a drawing's history (if there is one),
// also when the action ends by an exception.
class TGraphHistoryStep {
public:
    TGraphHistoryStep(TGraphHistory *history, const QString &name,
                      TGraphEditScope scope = TGraphEditScope::Objects)
        : FHistory(history)
    {
        if (FHistory)
            FHistory->BeginStep(name, scope);
    }
    ~TGraphHistoryStep()
    {
        if (FHistory)
            FHistory->EndStep();
    }
    TGraphHistoryStep(const TGraphHistoryStep &) = delete;
    TGraphHistoryStep &operator=(const TGraphHistoryStep &) = delete;

private:
    TGraphHistory *FHistory;
};
