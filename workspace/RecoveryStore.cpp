#include "RecoveryStore.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
#include <stdexcept>

namespace {

const QByteArray Magic("VRNR");
constexpr quint32 Version = 1;
const QString Extension = QStringLiteral(".recovery");

} // namespace

TRecoveryStore::TRecoveryStore(QString folder) : FFolder(std::move(folder)) {}

QString TRecoveryStore::DefaultFolder()
{
    // Beside the user's projects of an installed program, whatever folder
    // the program's data comes from.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/varneth/recovery");
}

QString TRecoveryStore::FileOf(const QString &projectPath) const
{
    const QByteArray key = QFileInfo(projectPath).absoluteFilePath().toUtf8();
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex();
    return FFolder + u'/' + QString::fromLatin1(hash.left(16)) + Extension;
}

void TRecoveryStore::Save(const TRecoveredProject &project) const
{
    if (!QDir().mkpath(FFolder))
        throw std::runtime_error(
            QStringLiteral("Cannot create folder \"%1\"").arg(FFolder).toStdString());
    QSaveFile file(FileOf(project.ProjectPath));
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error(file.errorString().toStdString());
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_6_0);
    out.writeRawData(Magic.constData(), int(Magic.size()));
    out << Version << QFileInfo(project.ProjectPath).absoluteFilePath() << project.SchemeName
        << project.Time.toMSecsSinceEpoch() << project.Fields << project.Wiring << project.Guard;
    if (out.status() != QDataStream::Ok || !file.commit())
        throw std::runtime_error(QStringLiteral("Cannot write \"%1\": %2")
                                     .arg(file.fileName(), file.errorString())
                                     .toStdString());
}

void TRecoveryStore::Remove(const QString &projectPath) const
{
    QFile::remove(FileOf(projectPath));
}

std::vector<TRecoveredProject> TRecoveryStore::List() const
{
    std::vector<TRecoveredProject> found;
    const QDir folder(FFolder);
    for (const QFileInfo &info :
         folder.entryInfoList({QLatin1Char('*') + Extension}, QDir::Files)) {
        QFile file(info.absoluteFilePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QDataStream in(&file);
        in.setVersion(QDataStream::Qt_6_0);
        QByteArray magic(Magic.size(), '\0');
        quint32 version = 0;
        qint64 time = 0;
        TRecoveredProject project;
        if (in.readRawData(magic.data(), int(magic.size())) != Magic.size() || magic != Magic)
            continue;
        in >> version;
        if (version != Version)
            continue;
        in >> project.ProjectPath >> project.SchemeName >> time >> project.Fields >>
            project.Wiring >> project.Guard;
        if (in.status() != QDataStream::Ok)
            continue; // cut short: not a recovery to offer
        project.Time = QDateTime::fromMSecsSinceEpoch(time);
        project.FileName = info.absoluteFilePath();
        found.push_back(std::move(project));
    }
    std::sort(
        found.begin(), found.end(),
        [](const TRecoveredProject &a, const TRecoveredProject &b) { return a.Time > b.Time; });
    return found;
}
