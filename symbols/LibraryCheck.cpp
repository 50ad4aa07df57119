#include "LibraryCheck.h"

#include "GraphPicture.h"
#include "SymbolGroups.h"
#include "iconstore.h"

#include <QDir>
#include <QHash>

namespace LibraryCheck {

namespace {

QString PictureProblem(const QString &path)
{
    try {
        TPicture picture;
        picture.LoadFromFile(path);
        if (picture.Empty())
            return QStringLiteral("the picture is empty");
    } catch (const std::exception &error) {
        return QString::fromStdString(error.what());
    }
    return QString();
}

} // namespace

QStringList Problems(const TIconstore &library, const QString &appPath)
{
    QStringList problems;
    const QDir app(appPath);
    QHash<QString, int> codes;
    for (int i = 0; i < library.IconCount(); ++i) {
        const IXMLIconType *icon = library.Icon(i);
        const QString name = QStringLiteral("icon %1 (%2)").arg(i).arg(icon->Caption());
        if (icon->Caption().isEmpty())
            problems << name + QStringLiteral(": no caption");
        if (!SymbolGroups::Of(icon->System(), icon->Type()).IsValid())
            problems << name + QStringLiteral(": type \"%1\" of system \"%2\" is in no palette group")
                                   .arg(icon->Type(), icon->System());
        if (icon->Code().isEmpty())
            problems << name + QStringLiteral(": no code");
        else if (codes.contains(icon->Code()))
            problems << name + QStringLiteral(": code %1 is also the code of icon %2")
                                   .arg(icon->Code())
                                   .arg(codes[icon->Code()]);
        else
            codes.insert(icon->Code(), i);
        if (!icon->Ref().isEmpty() && library.IndexOfCaption(icon->Ref()) < 0)
            problems << name + QStringLiteral(": ref \"%1\" names no caption").arg(icon->Ref());
        const struct {
            const char *element;
            QString folder;
            QString file;
        } pictures[] = {{"smallimage", QStringLiteral("iconstore/20/"), icon->SmallImage()},
                        {"largeimage", QStringLiteral("iconstore/150/"), icon->LargeImage()}};
        for (const auto &picture : pictures) {
            if (picture.file.isEmpty()) {
                problems << name + QStringLiteral(": no %1").arg(QLatin1String(picture.element));
                continue;
            }
            const QString problem = PictureProblem(app.filePath(picture.folder + picture.file));
            if (!problem.isEmpty())
                problems << name + QStringLiteral(": %1 %2: %3")
                                       .arg(QLatin1String(picture.element), picture.file, problem);
        }
    }
    return problems;
}

} // namespace LibraryCheck
