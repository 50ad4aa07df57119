#pragma once

#include <QString>
#include <QStringList>

// The fixed texts of the report pages.
namespace ReportTexts {

// Advice on switches and sockets (page 1): line 0 is the bold heading.
const QStringList &WiringAdvice();
// Advice on wire sections and breakers (last page): line 0 is the bold heading.
const QStringList &GuardAdvice();
// "第 2 页  共 3 页".
QString PageNumber(int page, int pageCount);
// "第一页", "第二页", ...: the preview's page tabs.
QString PageTabCaption(int page);

} // namespace ReportTexts
