// Undo and redo: each drawing keeps its own history, the commands act on
// the current drawing, and the unsaved mark follows the histories, so that
// taking every step back to the saved drawing leaves nothing to save.
#include "WiringMain.h"

#include "GraphControl.h"
#include "GraphHistory.h"
#include "IniFile.h"

#include <QAction>
#include <QKeySequence>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

const QString UndoCaption = QStringLiteral("撤销");
const QString RedoCaption = QStringLiteral("重做");

QString Captioned(const QString &caption, const QString &step)
{
    return step.isEmpty() ? caption : caption + u' ' + step;
}

} // namespace

void TFrmMain::SetUpHistory()
{
    for (TGraphControl *graph : {gcWiring, gcGuard}) {
        auto history = std::make_unique<TGraphHistory>(graph);
        history->OnChange = [this] { UpdateUndoActions(); };
        // The floor-plan field and the settings key go with the floor plan.
        history->CaptureExtras = [this] {
            return QStringList{EdtBackgroundPath->text(),
                               ProjectSettings
                                   ? ProjectSettings->ReadString(CustomerSection, FloorPlanKey)
                                   : QString()};
        };
        history->RestoreExtras = [this](const QStringList &extras) {
            if (extras.size() != 2)
                return;
            const QSignalBlocker quiet(EdtBackgroundPath);
            EdtBackgroundPath->setText(extras[0]);
            if (ProjectSettings)
                ProjectSettings->WriteString(CustomerSection, FloorPlanKey, extras[1]);
        };
        FHistories.push_back(std::move(history));
    }

    // Made with the other commands and placed after the specified items.
    QAction *undo = Action(QStringLiteral("actEditUndo"));
    QAction *redo = Action(QStringLiteral("actEditRedo"));
    undo->setShortcuts(QKeySequence::Undo);
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(undo, &QAction::triggered, this, [this] { Run([this] { ReplayStep(true); }); });
    connect(redo, &QAction::triggered, this, [this] { Run([this] { ReplayStep(false); }); });
    UpdateUndoActions();
}

TGraphHistory *TFrmMain::HistoryOf(const TGraphControl *graph) const
{
    for (const auto &history : FHistories)
        if (history->Graph() == graph)
            return history.get();
    return nullptr;
}

void TFrmMain::UpdateUndoActions()
{
    QAction *undo = Action(QStringLiteral("actEditUndo"));
    QAction *redo = Action(QStringLiteral("actEditRedo"));
    if (!undo || !redo)
        return; // still building the window
    const TGraphHistory *history = ProjectOpen ? HistoryOf(ActiveGraph) : nullptr;
    const bool canUndo = history && history->CanUndo();
    const bool canRedo = history && history->CanRedo();
    undo->setEnabled(canUndo);
    redo->setEnabled(canRedo);
    undo->setText(Captioned(UndoCaption, canUndo ? history->UndoName() : QString()));
    redo->setText(Captioned(RedoCaption, canRedo ? history->RedoName() : QString()));
}

void TFrmMain::ReplayStep(bool undo)
{
    TGraphHistory *history = ProjectOpen ? HistoryOf(ActiveGraph) : nullptr;
    if (!history)
        return;
    CloseHint();
    undo ? history->Undo() : history->Redo();
    // The lock shows in its command's tick.
    const QSignalBlocker quiet(Action(QStringLiteral("actEditLock")));
    Action(QStringLiteral("actEditLock"))->setChecked(ActiveGraph->LockNodes());
    RefreshModified();
}

void TFrmMain::ClearHistories()
{
    for (const auto &history : FHistories)
        history->Clear();
    UpdateUndoActions();
}

void TFrmMain::MarkUnrecordedChange()
{
    FUnrecordedChanges = true;
    SetModified(true);
}

void TFrmMain::RefreshModified()
{
    bool saved = !FUnrecordedChanges;
    for (const auto &history : FHistories)
        saved = saved && history->IsClean();
    SetModified(!saved);
}
