#include "ReportTexts.h"

namespace ReportTexts {

const QStringList &WiringAdvice()
{
    static const QStringList lines = {
        QStringLiteral("选择开关、插座的要点"),
        QStringLiteral(
            "1、开关在、插座以及导线截面必须按照家用电器的工作电流和照明灯具电流来选择。"),
        QStringLiteral("2、照明灯具由开关控制，开关的额定电流必须大于其控制所有灯具的总电流，选择16"
                       "A的开关比较保险。"),
        QStringLiteral("3、电源插座须设分支回路"),
        QStringLiteral("4、空调电源插座："),
        QStringLiteral("   ◆一个空调回路中，插座不要超过2个。"),
        QStringLiteral("   ◆1.5匹以上空调应该选用16A插座。"),
        QStringLiteral("   ◆1.5匹以下空调可以选用10A插座。"),
        QStringLiteral("   ◆壁挂式空调电源插座安装高度一般不低于2.2米。"),
        QStringLiteral("   ◆大容量柜式空调宜单独设供电回路及电源插座。"),
        QStringLiteral("5、厨房、卫生间因家用电器较多，宜单独设电源插座回路。"),
        QStringLiteral("6、较大功率的电热水器（ 1500W）应单独设电源插座回路。"),
        QStringLiteral(
            "7、卧室、起居室等以照明用电为主的房间可按照数量的多少设二至三个电源插座回路。"),
        QStringLiteral("8、卫生间的插座应加防溅盒，还必须做局部的等电位联接，以提高用电的安全性。"),
        QStringLiteral("9、厨房电源插座的数量要考虑到日后家用电器的增加，应预留插座。"),
        QStringLiteral(
            "10、安装高度低于1."
            "8米的插座，必须采用带有保护门的插座。主要用于保护孩童的人身安全，避免因淘气遭电击。"),
        QStringLiteral("知识小库："),
        QStringLiteral("   ◆安全性是选择家居电气产品的首要因素。"),
    };
    return lines;
}

const QStringList &GuardAdvice()
{
    static const QStringList lines = {
        QStringLiteral("装修中导线截面的选择"),
        QStringLiteral("  "
                       "1、进户线采用铜芯导线，普通住宅的截面不应少于10平方毫米。中档住宅为16平方毫"
                       "米，高档住宅为25平方"),
        QStringLiteral("     毫米。"),
        QStringLiteral("  "
                       "2、分支回路采用铜芯导线，截面不应小于2."
                       "5平方毫米。照明回路采用铜芯导线，截面可选平方毫米。"),
        QStringLiteral("  3、厨房卫生间电源插座回路用2.5平方毫米铜芯导线。"),
        QStringLiteral("  4、空调回路宜选择4平方毫米铜芯导线。"),
        QStringLiteral("选择家用小型断路器及漏电开关的要点"),
        QStringLiteral("      "
                       "家居用电应按照照明回路、电源插座回路、空调回路，分开布线。这样当其中一个回"
                       "路出现故障时，其他"),
        QStringLiteral("  回路仍可正常供电，不会给正常生活带来过多的影响。"),
        QStringLiteral("      插座回路须安装漏电开关，防止因家用电器漏电造成人身电击事故。"),
        QStringLiteral(
            "  1、插座回路一般选择16A/30mA的漏电保护断路器，照明回路一般选择10A－16A小型断路器。"),
        QStringLiteral(
            "  2、空调回路一般选择16A－25A小型断路器, 壁挂式空调电源插座支路可以不装漏电开关。"),
        QStringLiteral("  3、住户配电箱总开关选择32－40A小型断路器或隔离开关。"),
        QStringLiteral("  "
                       "4、断路器类型可采用双极或1P＋N（相线＋中性线）断路器，当线路出现短路或漏电"
                       "故障时，断路器可立即切"),
        QStringLiteral("     断电源的相（火）线和中性（零）线，确保人身安全及用电设备安全。"),
    };
    return lines;
}

QString PageNumber(int page, int pageCount)
{
    return QStringLiteral("第 %1 页  共 %2 页").arg(page).arg(pageCount);
}

QString PageTabCaption(int page)
{
    static const QString digits = QStringLiteral("零一二三四五六七八九");
    QString number;
    if (page < 10)
        number = digits[page];
    else if (page < 100)
        number = (page >= 20 ? QString(digits[page / 10]) : QString()) + u'十' +
                 (page % 10 ? QString(digits[page % 10]) : QString());
    else
        number = QString::number(page);
    return u'第' + number + u'页';
}

} // namespace ReportTexts
