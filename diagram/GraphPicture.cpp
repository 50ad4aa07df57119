#include "GraphPicture.h"

#include <QPainter>

void TPicture::SetGraphic(const QString &className, const QByteArray &data, const QImage &image)
{
    FClassName = className;
    FData = data;
    FImage = image;
    Changed();
}

void TPicture::SetImage(const QImage &image)
{
    SetGraphic(image.isNull() ? QString() : QStringLiteral("TBitmap"), QByteArray(), image);
}

void TPicture::Clear()
{
    if (FImage.isNull() && FData.isEmpty() && FClassName.isEmpty())
        return;
    FClassName.clear();
    FData.clear();
    FImage = QImage();
    Changed();
}

void TPicture::Assign(const TPicture &source)
{
    if (&source == this)
        return;
    FClassName = source.FClassName;
    FData = source.FData;
    FImage = source.FImage;
    Changed();
}

void TPicture::Draw(QPainter &painter, const QRect &rect) const
{
    if (FImage.isNull() || rect.isEmpty())
        return;
    painter.drawImage(rect, FImage);
}
