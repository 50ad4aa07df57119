// Crash recovery: while the open project has unsaved changes its drawings
// and page-0 fields are kept every two minutes (and before risky commands)
// in the user's data folder; a save or a clean close removes them, and the
// next start offers what a crash left behind.
#include "WiringMain.h"

#include "GraphControl.h"
#include "RecoveryStore.h"

#include <QDebug>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

namespace {

constexpr int RecoveryInterval = 2 * 60 * 1000;

} // namespace

void TFrmMain::SetUpRecovery()
{
    FRecovery = std::make_unique<TRecoveryStore>(TRecoveryStore::DefaultFolder());
    FRecoveryTimer = new QTimer(this);
    FRecoveryTimer->setInterval(RecoveryInterval);
    connect(FRecoveryTimer, &QTimer::timeout, this, [this] {
        if (ProjectOpen && Modified)
            KeepForRecovery();
    });
    FRecoveryTimer->start();
}

void TFrmMain::SetRecoveryFolder(const QString &folder)
{
    FRecovery = std::make_unique<TRecoveryStore>(folder);
}

void TFrmMain::SetRecoveryInterval(int milliseconds)
{
    FRecoveryTimer->setInterval(milliseconds);
}

QString TFrmMain::RecoveryFileOf(const QString &projectPath) const
{
    return FRecovery->FileOf(projectPath);
}

std::vector<QLineEdit *> TFrmMain::ProjectFields() const
{
    return {EdtProjectName,   EdtCustomerName,    EdtCustomerPhone, EdtCustomerAddress,
            EdtCustomerEmail, EdtDesignerCompany, EdtDesignerName,  EdtBackgroundPath};
}

bool TFrmMain::KeepForRecovery()
{
    if (!ProjectOpen || ProjectPath.isEmpty())
        return false;
    TRecoveredProject project;
    project.ProjectPath = ProjectPath;
    project.SchemeName = QFileInfo(ProjectPath).completeBaseName();
    project.Time = QDateTime::currentDateTime();
    for (const QLineEdit *field : ProjectFields())
        project.Fields << field->text();
    project.Fields << EdtProjectComment->toPlainText();
    try {
        project.Wiring = gcWiring->SaveToBytes();
        project.Guard = gcGuard->SaveToBytes();
        FRecovery->Save(project);
    } catch (const std::exception &error) {
        // Told once: a message every two minutes would stop the designer's work.
        qWarning("Cannot keep the project for recovery: %s", error.what());
        if (!FRecoveryFailureTold) {
            FRecoveryFailureTold = true;
            Tell(QStringLiteral("无法自动保存恢复文件，程序异常退出时未保存的修改将会丢失：\n%1")
                     .arg(QString::fromStdString(error.what())),
                 IUserDialogs::Warning);
        }
        return false;
    }
    FRecoveryFailureTold = false;
    return true;
}

void TFrmMain::DiscardRecovery()
{
    if (!ProjectPath.isEmpty())
        FRecovery->Remove(ProjectPath);
}

bool TFrmMain::OfferRecovery()
{
    if (ProjectOpen)
        return false;
    for (const TRecoveredProject &project : FRecovery->List()) {
        const QString question =
            QStringLiteral("方案“%1”有未保存的修改（自动保存于 %2），程序上次没有正常退出。\n"
                           "是否恢复这些修改？")
                .arg(project.SchemeName,
                     project.Time.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
        if (FDialogs->Ask(this, question, IUserDialogs::Question, IUserDialogs::Yes) !=
            IUserDialogs::Yes)
            continue; // kept until that project is next saved
        bool restored = false;
        Run([&] { restored = RestoreRecovery(project); });
        return restored;
    }
    return false;
}

bool TFrmMain::RestoreRecovery(const TRecoveredProject &project)
{
    if (!QFileInfo(project.ProjectPath).isFile()) {
        Tell(QStringLiteral("方案文件 %1 已不存在，无法恢复。").arg(project.ProjectPath),
             IUserDialogs::Warning);
        return false;
    }
    if (!OpenProjectFile(project.ProjectPath, TDrawings::Empty))
        return false;
    try {
        gcWiring->LoadFromBytes(project.Wiring);
        gcGuard->LoadFromBytes(project.Guard);
    } catch (...) {
        // Nothing half restored: the project stays as it was saved.
        btnCloseFileClick();
        throw;
    }
    const std::vector<QLineEdit *> fields = ProjectFields();
    for (size_t i = 0; i < fields.size() && int(i) < project.Fields.size(); ++i)
        fields[i]->setText(project.Fields[int(i)]);
    if (project.Fields.size() > int(fields.size()))
        EdtProjectComment->setPlainText(project.Fields[int(fields.size())]);
    ClearHistories();
    MarkUnrecordedChange();
    return true;
}
