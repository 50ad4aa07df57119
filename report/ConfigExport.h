#pragma once

#include <QByteArray>
#include <QString>
#include <stdexcept>
#include <vector>

struct TConfigItem;

// An export that could not be written; the message names the file.
class EConfigExportError : public std::runtime_error {
public:
    explicit EConfigExportError(const QString &message) : std::runtime_error(message.toStdString())
    {
    }
};

// The configuration list taken to a spreadsheet. Columns in this order:
// "编号" (Code), "产品名称" (Caption), "数量" (Quantity), "图例" (ImagePath;
// the workbook also shows the picture in that cell).
namespace ConfigExport {

enum class TCsvStyle {
    Plain,      // UTF-8 without byte-order mark, LF line ends
    Spreadsheet // UTF-8 with byte-order mark, CRLF line ends
};

// One field quoted as RFC 4180 asks when it holds a comma, quote or line break.
QString CsvField(const QString &text);
QByteArray Csv(const std::vector<TConfigItem> &items, TCsvStyle style);

// Write the file completely or leave an older one of that name untouched.
void WriteCsv(const std::vector<TConfigItem> &items, const QString &fileName);
void WriteWorkbook(const std::vector<TConfigItem> &items, const QString &fileName);
// By the name's extension: ".xlsx" (any letter case) a workbook, else CSV.
void Write(const std::vector<TConfigItem> &items, const QString &fileName);

} // namespace ConfigExport
