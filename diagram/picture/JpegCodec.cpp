#include "JpegCodec.h"

#include "PictureLimits.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace JpegCodec {

namespace {

// libjpeg reports fatal errors through a callback that must not return.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void ErrorExit(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager *>(info->err)->jump, 1);
}

void Silent(j_common_ptr) {}

} // namespace

QImage Decode(const QByteArray &jpeg)
{
    if (jpeg.size() < 4)
        return QImage();
    jpeg_decompress_struct info;
    ErrorManager error;
    info.err = jpeg_std_error(&error.base);
    error.base.error_exit = ErrorExit;
    error.base.output_message = Silent;
    QImage image;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return QImage();
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(jpeg.constData()),
                 static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&info, TRUE);
    if (qint64(info.image_width) * info.image_height > PictureLimits::MaxPixels) {
        jpeg_destroy_decompress(&info);
        return QImage();
    }
    info.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&info);
    if (qint64(info.output_width) * info.output_height > PictureLimits::MaxPixels) {
        jpeg_destroy_decompress(&info);
        return QImage();
    }
    image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return image;
}

QByteArray Encode(const QImage &source, int quality)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct info;
    ErrorManager error;
    info.err = jpeg_std_error(&error.base);
    error.base.error_exit = ErrorExit;
    error.base.output_message = Silent;
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        return QByteArray();
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(image.width());
    info.image_height = JDIMENSION(image.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<uchar *>(image.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray result(reinterpret_cast<const char *>(buffer), qsizetype(size));
    std::free(buffer);
    return result;
}

} // namespace JpegCodec
