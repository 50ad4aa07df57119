#include "ConfigExport.h"

#include "ConfigItem.h"
#include "XlsxLibrary.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cstdio>

namespace ConfigExport {

namespace {

const QString Headers[] = {QStringLiteral("编号"), QStringLiteral("产品名称"),
                           QStringLiteral("数量"), QStringLiteral("图例")};

QStringList Row(const TConfigItem &item)
{
    return {item.Code, item.Caption, QString::number(item.Quantity), item.ImagePath};
}

QString CsvLine(const QStringList &fields)
{
    QStringList quoted;
    for (const QString &field : fields)
        quoted << CsvField(field);
    return quoted.join(u',');
}

} // namespace

QString CsvField(const QString &text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QByteArray Csv(const std::vector<TConfigItem> &items, TCsvStyle style)
{
    const QString end =
        style == TCsvStyle::Spreadsheet ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QString text = CsvLine(QStringList(std::begin(Headers), std::end(Headers))) + end;
    for (const TConfigItem &item : items)
        text += CsvLine(Row(item)) + end;
    QByteArray bytes = text.toUtf8();
    if (style == TCsvStyle::Spreadsheet) bytes.prepend("\xEF\xBB\xBF");
    return bytes;
}

void WriteCsv(const std::vector<TConfigItem> &items, const QString &fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(Csv(items, TCsvStyle::Spreadsheet)) < 0 ||
        !file.commit())
        throw EConfigExportError(QStringLiteral("Cannot create file \"%1\". %2")
                                     .arg(QDir::toNativeSeparators(fileName), file.errorString()));
}

namespace {

// The 20-pixel legend as PNG bytes; empty without a picture.
QByteArray LegendPng(const QImage &picture)
{
    if (picture.isNull()) return QByteArray();
    QImage small(20, 20, QImage::Format_RGB32);
    small.fill(Qt::white);
    {
        QPainter painter(&small);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(small.rect(), picture);
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    small.save(&buffer, "PNG");
    return png;
}

// The workbook's sheet, filled in the order of the list, a total under "数量".
class TWorkbookWriter {
public:
    TWorkbookWriter(const TXlsxLibrary &xlsx, const QString &fileName)
        : FXlsx(xlsx), FBook(FXlsx.workbook_new(QFile::encodeName(fileName).constData()))
    {
        if (!FBook)
            throw EConfigExportError(QStringLiteral("Cannot create file \"%1\".")
                                         .arg(QDir::toNativeSeparators(fileName)));
        FSheet = FXlsx.workbook_add_worksheet(FBook, "配置单");
        FBold = FXlsx.workbook_add_format(FBook);
        FXlsx.format_set_bold(FBold);
        FLegend = FXlsx.workbook_add_format(FBook);
        FXlsx.format_set_indent(FLegend, 3); // leaves room for the picture
        FXlsx.format_set_align(FLegend, LXW_ALIGN_VERTICAL_CENTER);
        FCentred = FXlsx.workbook_add_format(FBook);
        FXlsx.format_set_align(FCentred, LXW_ALIGN_VERTICAL_CENTER);
    }
    ~TWorkbookWriter()
    {
        if (FBook)
            FXlsx.workbook_close(FBook); // only after a failure: the caller drops the file
    }

    void Fill(const std::vector<TConfigItem> &items)
    {
        FXlsx.worksheet_set_column(FSheet, 0, 0, 10, nullptr);
        FXlsx.worksheet_set_column(FSheet, 1, 1, 40, nullptr);
        FXlsx.worksheet_set_column(FSheet, 2, 2, 8, nullptr);
        FXlsx.worksheet_set_column(FSheet, 3, 3, 24, nullptr);
        for (lxw_col_t col = 0; col < 4; ++col)
            FXlsx.worksheet_write_string(FSheet, 0, col, Utf8(Headers[col]), FBold);
        lxw_row_t row = 1;
        for (const TConfigItem &item : items)
            WriteItem(row++, item);
        FXlsx.worksheet_write_string(FSheet, row, 1, Utf8(QStringLiteral("合计")), FBold);
        double total = 0;
        for (const TConfigItem &item : items)
            total += item.Quantity;
        const QString formula =
            items.empty() ? QStringLiteral("=0") : QStringLiteral("=SUM(C2:C%1)").arg(row);
        FXlsx.worksheet_write_formula_num(FSheet, row, 2, Utf8(formula), FBold, total);
    }

    // Writes the file; false when it could not be written.
    bool Close()
    {
        const lxw_error error = FXlsx.workbook_close(FBook);
        FBook = nullptr;
        return error == LXW_NO_ERROR;
    }

private:
    const char *Utf8(const QString &text)
    {
        FText = text.toUtf8();
        return FText.constData();
    }

    void WriteItem(lxw_row_t row, const TConfigItem &item)
    {
        FXlsx.worksheet_set_row(FSheet, row, 18,
                                FCentred); // 24 pixels: room for the 20-pixel picture
        FXlsx.worksheet_write_string(FSheet, row, 0, Utf8(item.Code), FCentred);
        FXlsx.worksheet_write_string(FSheet, row, 1, Utf8(item.Caption), FCentred);
        FXlsx.worksheet_write_number(FSheet, row, 2, item.Quantity, FCentred);
        FXlsx.worksheet_write_string(FSheet, row, 3, Utf8(item.ImagePath), FLegend);
        FPictures.push_back(LegendPng(item.Picture));
        const QByteArray &png = FPictures.back();
        if (png.isEmpty()) return;
        lxw_image_options options = {};
        options.x_offset = 2;
        options.y_offset = 2;
        options.object_position = LXW_OBJECT_MOVE_DONT_SIZE;
        FXlsx.worksheet_insert_image_buffer_opt(
            FSheet, row, 3, reinterpret_cast<const unsigned char *>(png.constData()),
            size_t(png.size()), &options);
    }

    const TXlsxLibrary &FXlsx;
    lxw_workbook *FBook;
    lxw_worksheet *FSheet = nullptr;
    lxw_format *FBold = nullptr;
    lxw_format *FLegend = nullptr;
    lxw_format *FCentred = nullptr;
    QByteArray FText;
    // The picture bytes must live until the workbook is written.
    std::vector<QByteArray> FPictures;
};

} // namespace

void WriteWorkbook(const std::vector<TConfigItem> &items, const QString &fileName)
{
    QString missing;
    const TXlsxLibrary *xlsx = TXlsxLibrary::Get(missing);
    if (!xlsx)
        throw EConfigExportError(
            QStringLiteral("无法导出 Excel 工作簿：找不到 libxlsxwriter（%1）。").arg(missing));
    const QFileInfo target(fileName);
    const QString error =
        QStringLiteral("Cannot create file \"%1\".").arg(QDir::toNativeSeparators(fileName));
    // Written beside the target under another name, then put in its place.
    QTemporaryFile partial(target.absolutePath() + QStringLiteral("/.varneth-XXXXXX.xlsx"));
    if (!partial.open()) throw EConfigExportError(error);
    partial.close();
    {
        TWorkbookWriter writer(*xlsx, partial.fileName());
        writer.Fill(items);
        if (!writer.Close()) throw EConfigExportError(error);
    }
    // rename() replaces an older file in one step.
    if (std::rename(QFile::encodeName(partial.fileName()).constData(),
                    QFile::encodeName(fileName).constData()) != 0)
        throw EConfigExportError(error);
    partial.setAutoRemove(false);
    QFile::setPermissions(fileName, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                        QFile::ReadOther);
}

void Write(const std::vector<TConfigItem> &items, const QString &fileName)
{
    if (QFileInfo(fileName).suffix().compare(u"xlsx", Qt::CaseInsensitive) == 0)
        WriteWorkbook(items, fileName);
    else
        WriteCsv(items, fileName);
}

} // namespace ConfigExport
