#include "WiringAbout.h"

#include "UserDialogs.h"
#include "WiringMain.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QTextBrowser>
#include <QVBoxLayout>

TFrmAbout::TFrmAbout(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("关于本软件"));
    auto *label = new QLabel(this);
    label->setObjectName(QStringLiteral("AboutText"));
    label->setTextFormat(Qt::RichText);
    label->setOpenExternalLinks(true);
    label->setText(
        QStringLiteral("<h2>%1</h2><p>版本 V1.0</p>"
                       "<p>家装电气线路设计：方案、电气线路设计图、配电箱线路图、配置单与设计报告。</p>"
                       "<p>Varneth 开发组</p>"
                       "<p>主页：<a href=\"%2\">%2</a><br>"
                       "技术支持：<a href=\"mailto:support@varneth.example\">"
                       "support@varneth.example</a></p>")
            .arg(IUserDialogs::ApplicationTitle(), TFrmMain::HomePage()));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(buttons);
}

QString TFrmHelp::HelpText()
{
    return QStringLiteral(
        "<h3>使用帮助</h3>"
        "<p><b>方案配置</b>：填写方案名称、客户与设计师资料，选择户型图（必须放在程序目录的 "
        "background 子目录下），按“创建文件”建立方案；“打开文件”打开已有方案，"
        "“保存文件”保存方案，“关闭文件”关闭方案。</p>"
        "<p><b>电气线路设计图</b>：从左侧图例栏按住图例拖到户型图上。家用电器和灯会自动带出"
        "对应的开关或插座，并用连线相连；图例之间可用工具栏的“连接”连线。</p>"
        "<p><b>配电箱线路图</b>：从左侧“断路器”组拖放断路器，从“辅助元件”组拖放"
        "“水平电线”“垂直电线”“文字”，或拖放一个推荐方案作为起点；"
        "“保存为推荐方案”把当前配电箱线路图存为新的推荐方案。"
        "双击文字或电线（或右键选择“属性设置”）可修改其内容、字体、线宽和颜色。</p>"
        "<p><b>工具栏</b>：创建、打开、保存、另存为、打印、退出；剪切、复制、粘贴、删除、锁定、"
        "全选；缩小、放大、移动；置前、置后、连接；帮助。右键单击图例或空白处可打开快捷菜单。</p>"
        "<p><b>图例编号</b>：一个字母表示产品类别，后跟两位数字："
        "A 开关，B 插座，C 弱电，D 家用电器，F 灯；K 断路器，L 辅助元件。"
        "例如 B01 为第一种插座。配置单按图例统计开关、插座、弱电和配电箱元件的数量，"
        "家用电器和灯只画出不计数。</p>");
}

TFrmHelp::TFrmHelp(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("帮助"));
    auto *text = new QTextBrowser(this);
    text->setObjectName(QStringLiteral("HelpText"));
    text->setHtml(HelpText());
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
    resize(520, 420);
}
