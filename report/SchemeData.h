#pragma once

#include <QString>

// The scheme data printed on the report: the customer's and the designer's
// data and the comment, as the project fields hold them.
struct TSchemeData {
    QString ProjectName;
    QString CustomerName;
    QString CustomerPhone;
    QString CustomerAddress;
    QString CustomerEmail;
    QString DesignerCompany;
    QString DesignerName;
    QString ProjectComment;
};
