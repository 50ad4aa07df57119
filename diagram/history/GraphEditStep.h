#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class TGraphControl;
class TGraphObject;
class TPicture;

// How much of a drawing a step keeps.
enum class TGraphEditScope {
    Objects,      // the objects the action touched, and the selection
    Settings,     // and the drawing's floor plan, its name and the lock
    WholeDrawing, // every object (applying a scheme, clearing the drawing)
};

// One designer action on a drawing, kept as the state before and after of
// what it touched, so that it can be taken back and done again exactly:
// objects with their identifiers, links, places in the drawing order and
// pictures, the selection, and with a wider scope the drawing's settings.
//
// What an action may touch is known when it starts: the selected objects
// and the links of the selected nodes. Objects that join or leave the
// drawing on the way are taken as they come and go. Only what changed is
// kept, with the links of every changed node, so a step costs what the
// action changed, not the size of the drawing.
class TGraphEditStep {
public:
    // Takes the state before. extras is the application's own state that
    // goes with a step of the Settings scope.
    TGraphEditStep(TGraphControl *graph, QString name, TGraphEditScope scope, QStringList extras);
    ~TGraphEditStep();
    TGraphEditStep(const TGraphEditStep &) = delete;
    TGraphEditStep &operator=(const TGraphEditStep &) = delete;

    const QString &Name() const { return FName; }
    TGraphEditScope Scope() const { return FScope; }

    // While the action runs.
    void ObjectAdded(TGraphObject *object);
    void ObjectRemoved(TGraphObject *object, int formerIndex);
    void ObjectReordered(TGraphObject *object);
    void ObjectChanged(TGraphObject *object);

    // Takes the state after; false when the action changed nothing.
    bool Finish(QStringList extras);
    // Whether an object changed whose state before was not taken: such a
    // step cannot be taken back.
    bool Incomplete() const { return FIncomplete; }

    // The drawing, as the step left it, back as it was before; and again
    // as the step left it. Each returns the application state to show.
    const QStringList &Undo();
    const QStringList &Redo();

    // The bytes the step holds.
    size_t MemoryUsed() const;

private:
    struct TObjectState {
        uint32_t ID = 0;
        int ZOrder = 0;
        bool IsLink = false;
        uint32_t FromID = 0; // a link's nodes
        uint32_t ToID = 0;
        QByteArray Record; // class name and properties, as in the diagram file
    };
    struct TSettings;
    struct TSide {
        std::vector<TObjectState> Objects; // in drawing order
        std::vector<uint32_t> Selection;   // in selection order
        std::unique_ptr<TSettings> Settings;
        QStringList Extras;
    };
    using TStateMap = std::unordered_map<uint32_t, TObjectState>;

    TObjectState Capture(TGraphObject *object, int zOrder) const;
    void Keep(TGraphObject *object);
    // The place in the drawing order before the action of an object that
    // stands at index now.
    int PlaceBefore(int index) const;
    std::unique_ptr<TSettings> CaptureSettings() const;
    std::vector<uint32_t> CaptureSelection() const;
    std::unordered_set<uint32_t> ChangedIDs(const TStateMap &after) const;
    void AddLinksOfNodes(std::unordered_set<uint32_t> &ids, TStateMap &after,
                         const std::unordered_set<uint32_t> &added);
    static std::vector<TObjectState> InOrder(TStateMap &states,
                                             const std::unordered_set<uint32_t> &ids);
    bool SettingsEqual() const;
    // The drawing, standing as from, made to stand as to.
    void Apply(const TSide &from, const TSide &to);
    void ApplyObjects(const TSide &from, const TSide &to);

    TGraphControl *FGraph;
    QString FName;
    TGraphEditScope FScope;
    TSide FBefore;
    TSide FAfter;
    // While the action runs: the states before, by identifier, and the
    // objects that joined the drawing.
    TStateMap FKept;
    std::unordered_set<TGraphObject *> FAdded;
    std::unordered_set<uint32_t> FReordered;
    std::set<int> FGone; // places before the action of the objects gone
    bool FIncomplete = false;
};
