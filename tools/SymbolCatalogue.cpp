#include "SymbolCatalogue.h"

#include <stdexcept>

// Product codes are a letter for the kind of product and a two-digit number:
//   A switch, B socket, C low-voltage item, D household appliance, F lamp
// (the letters the help text explains to users), and for the
// distribution-box family
//   K breaker (miniature, residual-current, main switch, protector),
//   L auxiliary part of the box (busbars, terminals, meter, rail, box),
//   S recommended-scheme icon.
// Codes are never reused, so a code printed on an old bill of materials
// still names the same product.

namespace {

constexpr const char *Wiring = "电器线路";
constexpr const char *Box = "配电箱";

constexpr const char *Appliance = "家用电器";
constexpr const char *Lamp = "灯";
constexpr const char *Switch = "开关";
constexpr const char *Socket = "插座";
constexpr const char *LowVoltage = "弱电系列";
constexpr const char *Scheme = "推荐方案";
constexpr const char *Breaker = "漏电保护器";
constexpr const char *Auxiliary = "辅助元件";

// Companion captions, spelled once so that a ref cannot drift from the
// caption it names.
constexpr const char *OneGang = "一开单控开关";
constexpr const char *TwoGang = "二开单控开关";
constexpr const char *TwoWay = "一开双控开关";
constexpr const char *Dimmer = "调光开关";
constexpr const char *SpeedControl = "调速开关";
constexpr const char *Indicator = "带指示灯开关";
constexpr const char *Delay = "声光控延时开关";
constexpr const char *FivePin = "10A五孔插座";
constexpr const char *AirCon = "16A空调插座";
constexpr const char *Splash = "防溅水插座";
constexpr const char *SwitchedFive = "带开关五孔插座";
constexpr const char *ThreePin = "10A三孔插座";
constexpr const char *Heavy = "16A带开关三孔插座";
constexpr const char *Kitchen = "厨房电器插座";
constexpr const char *SwitchedSplash = "带开关防溅水插座";
constexpr const char *BathHeaterSwitch = "浴霸开关";

// The order is the library order: wiring groups first, as the palettes
// show them, then the distribution-box groups.
constexpr SymbolEntry Catalogue[] = {
    // Household appliances: each brings the socket it is plugged into.
    {"D01", "电冰箱", Wiring, Appliance,
     "家用电冰箱，功率约150W，长期通电运行，宜单独使用一个10A三孔插座，插座安装高度0.3米。",
     ThreePin},
    {"D02", "壁挂式空调", Wiring, Appliance,
     "壁挂式分体空调（1～1.5匹），启动电流大，须使用16A空调插座，插座安装高度1.8米。", AirCon},
    {"D03", "柜式空调", Wiring, Appliance,
     "立柜式分体空调（2～3匹），须使用16A空调插座并单独设回路，插座安装高度0.3米。", AirCon},
    {"D04", "洗衣机", Wiring, Appliance,
     "滚筒或波轮洗衣机，用在卫生间或阳台的潮湿环境，使用带开关防溅水插座，安装高度1.3米。",
     SwitchedSplash},
    {"D05", "电视机", Wiring, Appliance,
     "液晶电视机，挂墙安装时电源插座与电视插座并排安装在电视背后，高度约1.1米。", FivePin},
    {"D06", "电热水器", Wiring, Appliance,
     "储水式电热水器，功率2～3kW，使用16A带开关三孔插座并加防溅盒，安装高度1.8～2.0米。", Heavy},
    {"D07", "抽油烟机", Wiring, Appliance,
     "吸油烟机，插座安装在烟机罩内或其上方，10A三孔插座，安装高度2.0～2.2米。", ThreePin},
    {"D08", "微波炉", Wiring, Appliance,
     "微波炉，功率约1kW，使用厨房电器插座，安装在台面上方1.1米或电器柜内。", Kitchen},
    {"D09", "电脑", Wiring, Appliance,
     "台式电脑及显示器，书桌旁设10A五孔插座并配网络插座，安装高度0.3米。", FivePin},
    {"D10", "电饭煲", Wiring, Appliance,
     "电饭煲，功率约800W，使用厨房电器插座，安装在橱柜台面上方1.1米。", Kitchen},
    {"D11", "洗碗机", Wiring, Appliance,
     "嵌入式洗碗机，使用带开关五孔插座，安装在水槽下方橱柜内，高度0.5米，远离水管。", SwitchedFive},
    {"D12", "浴霸", Wiring, Appliance,
     "取暖浴霸，灯暖或风暖，功率约2kW，卫生间吊顶安装，由门外的浴霸开关分别控制照明、换气和取暖，"
     "宜单独设回路。",
     BathHeaterSwitch},
    {"D13", "排气扇", Wiring, Appliance,
     "卫生间或厨房排气扇，功率约30W，使用防溅水插座，安装在吊顶内或窗边高处。", Splash},
    {"D14", "饮水机", Wiring, Appliance, "饮水机，加热功率约500W，使用10A五孔插座，安装高度0.3米。",
     FivePin},
    {"D15", "电烤箱", Wiring, Appliance,
     "嵌入式电烤箱，功率约2.5kW，使用16A带开关三孔插座，安装在电器柜内。", Heavy},

    // Lamps: each brings the switch that works it.
    {"F01", "吸顶灯", Wiring, Lamp,
     "吸顶灯，贴顶安装，用于卧室、书房、阳台等房间的主照明，由一开单控开关控制。", OneGang},
    {"F02", "吊灯", Wiring, Lamp,
     "多头吊灯，用于客厅或餐厅，灯具较重时须用预埋吊钩固定，可分组由二开单控开关控制。", TwoGang},
    {"F03", "筒灯", Wiring, Lamp, "嵌入式LED筒灯，开孔直径75～100毫米，装于吊顶内作辅助照明。",
     OneGang},
    {"F04", "射灯", Wiring, Lamp, "LED射灯，用于照亮背景墙或装饰画，可配调光开关调节亮度。",
     Dimmer},
    {"F05", "壁灯", Wiring, Lamp, "壁灯，安装高度1.8～2.0米，用于走廊、床头或客厅墙面的局部照明。",
     OneGang},
    {"F06", "日光灯", Wiring, Lamp, "T5或T8日光灯管，用于储藏室、阳台或厨房的一般照明。", OneGang},
    {"F07", "镜前灯", Wiring, Lamp, "卫生间镜前灯，安装在镜子上方，高度约1.9米，宜选用防潮型灯具。",
     OneGang},
    {"F08", "防潮灯", Wiring, Lamp,
     "防水防潮吸顶灯，用于卫生间、厨房，开关装在门外并带指示灯，便于夜间寻找。", Indicator},
    {"F09", "床头壁灯", Wiring, Lamp,
     "卧室床头壁灯，安装高度1.2～1.4米，门口与床头两地控制，使用一开双控开关。", TwoWay},
    {"F10", "楼道灯", Wiring, Lamp,
     "楼道或入户走廊吸顶灯，由声光控延时开关控制，人来灯亮，人走延时熄灭。", Delay},
    {"F11", "灯带", Wiring, Lamp, "LED灯带，暗藏于吊顶灯槽内，配驱动电源，可由调光开关调节亮度。",
     Dimmer},
    {"F12", "吊扇灯", Wiring, Lamp,
     "带照明的吊扇，安装于预埋吊钩，层高不低于2.8米，配调速开关控制风速。", SpeedControl},
    {"F13", "平板灯", Wiring, Lamp,
     "集成吊顶LED平板灯，300×600毫米，用于厨房和卫生间，开关带指示灯。", Indicator},

    // Switches, 10A 250V, mounted 1.3 m high and 0.15 to 0.2 m from the door frame.
    {"A01", "一开单控开关", Wiring, Switch,
     "10A 250V一开单控开关，在一处控制一路灯具，安装高度1.3米，距门框0.15～0.2米。", ""},
    {"A02", "二开单控开关", Wiring, Switch,
     "10A 250V二开单控开关，分别控制两路灯具，安装高度1.3米，距门框0.15～0.2米。", ""},
    {"A03", "三开单控开关", Wiring, Switch,
     "10A 250V三开单控开关，分别控制三路灯具，常用于客厅，安装高度1.3米。", ""},
    {"A04", "四开单控开关", Wiring, Switch,
     "10A 250V四开单控开关，分别控制四路灯具，用于客厅、餐厅灯光较多的场合，安装高度1.3米。", ""},
    {"A05", "一开双控开关", Wiring, Switch,
     "10A "
     "250V一开双控开关，两只配合在两处控制同一路灯具，用于卧室门口与床头、楼梯上下，安装高度1."
     "3米。",
     ""},
    {"A06", "二开双控开关", Wiring, Switch,
     "10A 250V二开双控开关，两处分别控制两路灯具，用于大客厅或复式楼梯，安装高度1.3米。", ""},
    {"A07", "调光开关", Wiring, Switch,
     "旋钮调光开关，最大负载300W，用于可调光的白炽灯、LED射灯及灯带，安装高度1.3米。", ""},
    {"A08", "调速开关", Wiring, Switch, "吊扇调速开关，无级调速，最大负载250W，安装高度1.3米。",
     ""},
    {"A09", "带指示灯开关", Wiring, Switch,
     "10A 250V一开单控开关，带荧光指示灯，夜间可见，用于卫生间门外或排气扇控制，安装高度1.3米。",
     ""},
    {"A10", "声光控延时开关", Wiring, Switch,
     "声光控延时开关，白天不动作，夜间有声响时接通并延时约60秒关断，用于楼道和门厅。", ""},
    {"A11", "浴霸开关", Wiring, Switch,
     "浴霸专用四开开关，分别控制照明、换气和两组取暖，带防溅盒，装在卫生间门外，安装高度1.3米。",
     ""},

    // Sockets, 250V; ordinary ones 0.3 m above the floor.
    {"B01", "10A五孔插座", Wiring, Socket,
     "10A 250V二三极插座（五孔），用于一般家用电器，安装高度0.3米，安全型带保护门。", ""},
    {"B02", "16A空调插座", Wiring, Socket,
     "16A 250V三孔插座，用于空调，壁挂机安装高度1.8米，柜机安装高度0.3米，每台空调单独一个。", ""},
    {"B03", "防溅水插座", Wiring, Socket,
     "10A五孔插座加防溅盒，用于卫生间等潮湿场所，安装高度1.5米，远离淋浴区。", ""},
    {"B04", "带开关五孔插座", Wiring, Socket,
     "10A五孔插座带一开单控开关，不拔插头即可断电，用于厨房小家电、洗碗机等，安装高度0.5～1.1米。",
     ""},
    {"B05", "10A三孔插座", Wiring, Socket,
     "10A 250V三孔插座，用于电冰箱、抽油烟机等只用三极插头的电器。", ""},
    {"B06", "16A带开关三孔插座", Wiring, Socket,
     "16A 250V三孔插座带开关，用于电热水器、电烤箱等大功率电器，热水器处安装高度1.8～2.0米。", ""},
    {"B07", "厨房电器插座", Wiring, Socket,
     "10A五孔插座，装在橱柜台面上方1.1米，供微波炉、电饭煲等厨房电器使用，每段台面不少于两个。",
     ""},
    {"B08", "二孔插座", Wiring, Socket, "10A 250V二极插座，用于不带接地的小电器，安装高度0.3米。",
     ""},
    {"B09", "地面插座", Wiring, Socket,
     "地面弹起式五孔插座，铜面板，用于客厅或书房中间的用电点，预埋底盒与地面齐平。", ""},
    {"B10", "带开关防溅水插座", Wiring, Socket,
     "10A五孔插座带开关和防溅盒，用于洗衣机、浴霸，安装高度1.3米。", ""},
    {"B11", "USB五孔插座", Wiring, Socket,
     "10A五孔插座带两个USB充电口（5V 2.1A），用于床头、书桌，安装高度0.3～0.7米。", ""},

    // Low-voltage items, 0.3 m above the floor unless said.
    {"C01", "电视插座", Wiring, LowVoltage,
     "有线电视终端插座（TV），75欧姆，与电源插座并排安装在电视背后，高度约1.1米。", ""},
    {"C02", "网络插座", Wiring, LowVoltage,
     "超五类或六类网络信息插座（TO），RJ45接口，安装高度0.3米。", ""},
    {"C03", "电话插座", Wiring, LowVoltage,
     "电话插座（TP），RJ11接口，用于客厅和主卧床头，安装高度0.3米或0.5米。", ""},
    {"C04", "音响插座", Wiring, LowVoltage,
     "音箱接线插座，双位香蕉头接口，用于家庭影院环绕音箱，安装高度0.3米或按音箱位置。", ""},
    {"C05", "门铃", Wiring, LowVoltage,
     "电子门铃，室内机装在门厅墙上，高度1.8米，门外按钮高度1.4米。", ""},
    {"C06", "可视对讲", Wiring, LowVoltage,
     "楼宇可视对讲室内分机，可与单元门口机通话并开锁，安装在门厅，高度1.4～1.5米。", ""},
    {"C07", "信息箱", Wiring, LowVoltage,
     "家居弱电信息箱，集中安装光猫、路由器及电视、电话、网络分配模块，暗装于门厅，底边距地0."
     "5米，内设电源插座。",
     ""},
    {"C08", "网络电话双口插座", Wiring, LowVoltage,
     "双口信息插座，一个网络口（TO）和一个电话口（TP），用于书房和卧室，安装高度0.3米。", ""},
    {"C09", "烟雾报警器", Wiring, LowVoltage,
     "独立式光电感烟火灾探测报警器，吸顶安装于厨房外、卧室和走廊，距墙不小于0.5米。", ""},

    // Recommended schemes of the distribution box.
    {"S01", "一室一厅方案", Box, Scheme,
     "一室一厅推荐方案：总开关2P "
     "C40，照明、插座、厨房、卫生间、空调五个回路，插座类回路带30mA漏电保护。",
     ""},
    {"S02", "两室一厅方案", Box, Scheme,
     "两室一厅推荐方案：总开关2P "
     "C63，照明、插座、厨房、卫生间和两个空调共七个回路，插座类回路带30mA漏电保护。",
     ""},
    {"S03", "三室两厅方案", Box, Scheme,
     "三室两厅推荐方案：总开关2P C63加过欠压保护，照明、插座、厨房、卫生间和多个空调共十个回路。",
     ""},

    // Breakers, 230/400V, breaking capacity 6 kA, on a 35 mm rail.
    {"K01", "1P断路器C10", Box, Breaker,
     "1P微型断路器，额定电流10A，C型脱扣曲线，分断能力6kA，用于小负荷照明回路。", ""},
    {"K02", "1P断路器C16", Box, Breaker,
     "1P微型断路器，额定电流16A，C型脱扣曲线，分断能力6kA，用于照明回路或单台空调。", ""},
    {"K03", "1P断路器C20", Box, Breaker,
     "1P微型断路器，额定电流20A，C型脱扣曲线，分断能力6kA，用于普通插座回路或空调回路。", ""},
    {"K04", "1P断路器C25", Box, Breaker,
     "1P微型断路器，额定电流25A，C型脱扣曲线，分断能力6kA，用于柜式空调或厨房回路。", ""},
    {"K05", "1P断路器C32", Box, Breaker,
     "1P微型断路器，额定电流32A，C型脱扣曲线，分断能力6kA，用于大功率电器回路。", ""},
    {"K06", "2P断路器C16", Box, Breaker,
     "2P微型断路器，额定电流16A，相线和零线同时断开，用于空调回路。", ""},
    {"K07", "2P断路器C25", Box, Breaker,
     "2P微型断路器，额定电流25A，相线和零线同时断开，用于柜式空调或电热水器回路。", ""},
    {"K08", "2P断路器C32", Box, Breaker,
     "2P微型断路器，额定电流32A，相线和零线同时断开，用于分户支路或大功率回路。", ""},
    {"K09", "1P+N漏电断路器C16", Box, Breaker,
     "1P+N漏电断路器，额定电流16A，漏电动作电流30mA，动作时间不大于0.1秒，用于卫生间回路。", ""},
    {"K10", "1P+N漏电断路器C20", Box, Breaker,
     "1P+N漏电断路器，额定电流20A，漏电动作电流30mA，用于普通插座回路和厨房回路。", ""},
    {"K11", "2P漏电断路器C25", Box, Breaker,
     "2P漏电断路器，额定电流25A，漏电动作电流30mA，用于电热水器或厨房大功率回路。", ""},
    {"K12", "2P漏电断路器C32", Box, Breaker,
     "2P漏电断路器，额定电流32A，漏电动作电流30mA，用于多个插座回路的总保护。", ""},
    {"K13", "2P总开关C40", Box, Breaker,
     "2P总开关（隔离型断路器），额定电流40A，装在配电箱进线处，一次切断全户电源，用于一室一厅。",
     ""},
    {"K14", "2P总开关C63", Box, Breaker,
     "2P总开关（隔离型断路器），额定电流63A，装在配电箱进线处，用于两室及以上户型。", ""},
    {"K15", "2P过欠压保护器40A", Box, Breaker,
     "2P自复式过欠压保护器，额定电流40A，电压高于270V或低于170V时自动断开，恢复正常后自动合闸。",
     ""},

    // Auxiliary parts of the distribution box.
    {"L01", "零线排", Box, Auxiliary,
     "零线（N）汇流排，黄铜，蓝色绝缘座，装在导轨上，各回路零线在此汇接。", ""},
    {"L02", "地线排", Box, Auxiliary,
     "保护地线（PE）汇流排，黄铜，直接固定在箱体上，各回路黄绿双色地线在此汇接。", ""},
    {"L03", "接线端子", Box, Auxiliary, "导轨式接线端子，2.5～10平方毫米，用于进线或分支线的连接。",
     ""},
    {"L04", "单相电能表", Box, Auxiliary,
     "单相电子式电能表，5(60)A，220V，计量全户用电量，由供电部门安装于表箱内。", ""},
    {"L05", "导轨", Box, Auxiliary,
     "35毫米标准安装导轨（DIN导轨），镀锌钢，用于安装断路器和接线端子。", ""},
    {"L06", "配电箱箱体", Box, Auxiliary,
     "家用强电配电箱，暗装，12～20回路，底边距地1.6～1.8米，带透明翻盖。", ""},
    {"L07", "浪涌保护器", Box, Auxiliary,
     "2P电源浪涌保护器，最大放电电流40kA，装在总开关下口，防雷击和操作过电压。", ""},
    // Added later: at the end, so the indices placed symbols keep as
    // their Tag go on naming the same entries.
    {"D16", "电磁炉", Wiring, Appliance,
     "嵌入式电磁炉，功率约2～3.5kW，使用16A带开关三孔插座，装在灶台下方橱柜内，宜走厨房单独回路。",
     Heavy},
    {"D17", "消毒柜", Wiring, Appliance,
     "嵌入式消毒碗柜，功率约600W，使用带开关五孔插座，装在灶台下方橱柜内，高度0.5米。",
     SwitchedFive},
    {"D18", "燃气壁挂炉", Wiring, Appliance,
     "燃气采暖热水两用壁挂炉，电功率约150W，使用10A三孔插座，插座装在炉体侧下方，高度约1.5米，"
     "须可靠接地。",
     ThreePin},
    {"D19", "电动晾衣架", Wiring, Appliance,
     "阳台吊顶电动晾衣架，带照明和风干，功率约300W，使用防溅水插座，装在吊顶旁高处。", Splash},
    {"F14", "台灯", Wiring, Lamp,
     "书桌或床头台灯，插头供电，旁边设10A五孔插座，安装高度0.3米或桌面上方0.2米。", FivePin},
    {"F15", "落地灯", Wiring, Lamp,
     "客厅沙发旁或卧室落地灯，插头供电，就近设10A五孔插座，安装高度0.3米。", FivePin},
    {"F16", "小夜灯", Wiring, Lamp,
     "走廊、卧室或卫生间门口的LED小夜灯，功率不大于1W，装在距地0.3米处，由带指示灯开关控制。",
     Indicator},
    {"F17", "应急照明灯", Wiring, Lamp,
     "自带蓄电池的应急照明灯，停电时自动点亮不少于90分钟，装在门厅或楼梯口，高度2.2米以上，"
     "平时由一开单控开关控制。",
     OneGang},
    {"A12", "中途开关", Wiring, Switch,
     "10A 250V中途开关（多控中间开关），装在两只一开双控开关之间，实现三处及以上控制同一路灯具，"
     "安装高度1.3米。",
     ""},
    {"A13", "三开双控开关", Wiring, Switch,
     "10A 250V三开双控开关，两处分别控制三路灯具，用于客厅与餐厅、复式楼梯上下，安装高度1.3米。",
     ""},
    {"A14", "空白面板", Wiring, Switch,
     "86型空白面板，封住预留或暂不使用的底盒，内部线头须用绝缘胶布包好，不得带电外露。", ""},
    {"C10", "燃气泄漏报警器", Wiring, LowVoltage,
     "家用可燃气体探测报警器，天然气装在距顶0.3米以内，液化石油气装在距地0.3米以内，距燃气灶1～"
     "4米，可联动切断阀。",
     ""},
    {"C11", "网络摄像机", Wiring, LowVoltage,
     "室内网络摄像机，PoE或5V供电，装在门厅或客厅墙角高处2.2～2.5米，预留网络插座和电源。", ""},
    {"C12", "门磁感应器", Wiring, LowVoltage,
     "无线门磁感应器，磁体装门扇、主体装门框，间隙不大于10毫米，入户门打开时报警或联动照明。", ""},
    {"C13", "窗磁感应器", Wiring, LowVoltage,
     "无线窗磁感应器，装在外窗窗扇与窗框上，低楼层每扇可开启外窗各一只，窗户打开时报警。", ""},
    {"K16", "1P+N断路器C16", Box, Breaker,
     "1P+N微型断路器，额定电流16A，C型脱扣，相线保护、零线同时断开，家用分支回路常用，"
     "用于照明和壁挂空调回路，配BV-2.5导线。",
     ""},
    {"K17", "1P+N断路器C20", Box, Breaker,
     "1P+N微型断路器，额定电流20A，C型脱扣，零线同时断开，用于空调或一般插座回路，配BV-4导线。", ""},
    {"K18", "1P+N断路器C25", Box, Breaker,
     "1P+N微型断路器，额定电流25A，C型脱扣，零线同时断开，用于柜式空调回路，配BV-4或BV-6导线。",
     ""},
    {"K19", "2P过欠压保护器63A", Box, Breaker,
     "2P自复式过欠压保护器，额定电流63A，与63A总开关配套，电压高于270V或低于170V时自动断开，"
     "恢复正常后自动合闸。",
     ""},
    {"K20", "2P漏电开关40A", Box, Breaker,
     "2P剩余电流动作开关（不带过流保护），额定电流40A，漏电动作电流30mA，作多个插座回路的总漏电保护，"
     "其下各回路须另设断路器。",
     ""},
};

} // namespace

std::span<const SymbolEntry> SymbolCatalogue()
{
    return Catalogue;
}

int SymbolIndex(const QString &code)
{
    for (int i = 0; i < int(std::size(Catalogue)); ++i)
        if (code == QLatin1String(Catalogue[i].code)) return i;
    throw std::invalid_argument("no symbol with code " + code.toStdString());
}

const SymbolEntry &SymbolByCode(const QString &code)
{
    return Catalogue[SymbolIndex(code)];
}

QString SmallImageName(const SymbolEntry &entry)
{
    return QLatin1String(entry.code) + QLatin1String(".emf");
}

// The large pictures are line drawings on white, which JPEG would smear;
// a 150 x 150 bitmap is only 66 KB.
QString LargeImageName(const SymbolEntry &entry)
{
    return QLatin1String(entry.code) + QLatin1String(".bmp");
}
