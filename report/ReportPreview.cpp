#include "ReportPreview.h"

#include "ReportTexts.h"

#include <QLabel>
#include <QPixmap>
#include <QScrollArea>

namespace {
constexpr int SpecifiedPages = 3;
}

TReportPreview::TReportPreview(QWidget *parent) : QTabWidget(parent)
{
    setObjectName(QStringLiteral("PageControlSub"));
    setTabPosition(QTabWidget::South);
    SetPageCount(SpecifiedPages);
}

void TReportPreview::AddPage()
{
    const int page = count() + 1;
    auto *scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("ScrollBox%1").arg(page));
    scroll->setWidgetResizable(false);
    scroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll->setBackgroundRole(QPalette::Dark);
    auto *image = new QLabel;
    image->setObjectName(QStringLiteral("ImagePage%1").arg(page));
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll->setWidget(image);
    FImages.push_back(image);
    addTab(scroll, ReportTexts::PageTabCaption(page));
}

void TReportPreview::SetPageCount(int n)
{
    n = std::max(n, SpecifiedPages);
    const QSignalBlocker quiet(this);
    while (count() < n)
        AddPage();
    while (count() > n) {
        QWidget *page = widget(count() - 1);
        removeTab(count() - 1);
        FImages.pop_back();
        delete page;
    }
}

QLabel *TReportPreview::ImagePage(int page) const
{
    return page >= 1 && page <= int(FImages.size()) ? FImages[size_t(page - 1)] : nullptr;
}

void TReportPreview::SetPageImage(int page, const QImage &image)
{
    QLabel *label = ImagePage(page);
    if (!label) return;
    label->setPixmap(QPixmap::fromImage(image));
    label->setFixedSize(image.size());
}

void TReportPreview::Clear()
{
    SetPageCount(SpecifiedPages);
    for (QLabel *image : FImages) {
        image->clear();
        image->setFixedSize(0, 0);
    }
}
