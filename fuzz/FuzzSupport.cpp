#include "FuzzSupport.h"

#include "BitmapCodec.h"
#include "JpegCodec.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>

namespace FuzzSupport {

void StartApplication(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's warnings about damaged pictures are expected here.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    // Never destroyed: at process exit Qt's own statics may already be gone.
    static QApplication *application = new QApplication(*argc, *argv);
    Q_UNUSED(application);
}

void WriteSampleLibraryPictures(const QString &folder)
{
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QDir dir(folder);
    dir.mkpath(QStringLiteral("iconstore/20"));
    dir.mkpath(QStringLiteral("iconstore/150"));
    const std::pair<const char *, QByteArray> files[] = {
        {"iconstore/20/a.bmp", BitmapCodec::Encode24(image)},
        {"iconstore/150/a.jpg", JpegCodec::Encode(image.scaled(150, 150), 80)}};
    for (const auto &[name, bytes] : files) {
        QFile file(dir.filePath(QLatin1String(name)));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
}

} // namespace FuzzSupport
