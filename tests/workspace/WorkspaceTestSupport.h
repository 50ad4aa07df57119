#pragma once

// A main window over a throw-away program folder, with scripted answers to
// its message boxes and file dialogs.

#include "GraphControl.h"
#include "GraphFont.h"
#include "IniFile.h"
#include "JpegCodec.h"
#include "BitmapCodec.h"
#include "UserDialogs.h"
#include "WiringCustomer.h"
#include "WiringMain.h"
#include "QStringPrinter.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <vector>

// Records every message box and answers questions and file dialogs from
// queues. An unexpected question or dialog fails the test and is cancelled.
class TScriptedDialogs : public IUserDialogs {
public:
    struct TMessage {
        QString Text;
        TIcon Icon;
        bool Question = false;
        TButton Default = Ok;
    };

    std::vector<TMessage> Messages;
    std::deque<TButton> Answers;
    std::deque<QString> Files;    // open and save dialogs
    std::deque<QString> Pictures; // picture dialogs
    QStringList FileFilters;
    QStringList PictureStarts;
    // Colour dialogs: the colour chosen, or none for a cancel; and the
    // colour each dialog started with.
    std::deque<std::optional<TColor>> Colors;
    std::vector<TColor> ColorStarts;
    // Font dialogs: each answer edits the font it is given (false: cancel).
    std::deque<std::function<bool(TFont &font)>> Fonts;
    std::vector<QString> FontStartNames;
    // Answers to the print and page setup dialogs, in order: each may set
    // the printer up and says whether the user confirmed.
    std::deque<std::function<bool(QPrinter &)>> PrinterAnswers;

    void Tell(QWidget *, const QString &text, TIcon icon) override
    {
        Messages.push_back({text, icon, false, Ok});
    }
    TButton Ask(QWidget *, const QString &text, TIcon icon, TButton defaultButton) override
    {
        Messages.push_back({text, icon, true, defaultButton});
        if (Answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text.toStdString();
            return No;
        }
        const TButton answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    QString OpenFile(QWidget *, const QString &filter, const QString &) override
    {
        FileFilters << filter;
        return NextFile("open");
    }
    QString SaveFile(QWidget *, const QString &filter, const QString &) override
    {
        FileFilters << filter;
        return NextFile("save");
    }
    QString OpenPicture(QWidget *, const QString &start) override
    {
        PictureStarts << start;
        if (Pictures.empty()) {
            ADD_FAILURE() << "unexpected picture dialog";
            return QString();
        }
        const QString answer = Pictures.front();
        Pictures.pop_front();
        return answer;
    }

    bool ChooseColor(QWidget *, TColor &color) override
    {
        ColorStarts.push_back(color);
        if (Colors.empty()) {
            ADD_FAILURE() << "unexpected colour dialog";
            return false;
        }
        const std::optional<TColor> answer = Colors.front();
        Colors.pop_front();
        if (answer)
            color = *answer;
        return answer.has_value();
    }
    bool ChooseFont(QWidget *, TFont &font) override
    {
        FontStartNames.push_back(font.Name());
        if (Fonts.empty()) {
            ADD_FAILURE() << "unexpected font dialog";
            return false;
        }
        const auto answer = Fonts.front();
        Fonts.pop_front();
        return answer(font);
    }
    bool Print(QWidget *, QPrinter &printer) override { return NextPrinter("print", printer); }
    bool PageSetup(QWidget *, QPrinter &printer) override
    {
        return NextPrinter("page setup", printer);
    }

    QStringList Texts() const
    {
        QStringList texts;
        for (const TMessage &message : Messages)
            texts << message.Text;
        return texts;
    }
    // The one message shown since the last Clear().
    const TMessage &Only() const
    {
        static const TMessage none{QStringLiteral("<no message>"), Information};
        EXPECT_EQ(Messages.size(), 1u) << Texts().join(u" | ").toStdString();
        return Messages.empty() ? none : Messages.back();
    }
    void Clear() { Messages.clear(); }

private:
    bool NextPrinter(const char *kind, QPrinter &printer)
    {
        if (PrinterAnswers.empty()) {
            ADD_FAILURE() << "unexpected " << kind << " dialog";
            return false;
        }
        const auto answer = PrinterAnswers.front();
        PrinterAnswers.pop_front();
        return answer(printer);
    }
    QString NextFile(const char *kind)
    {
        if (Files.empty()) {
            ADD_FAILURE() << "unexpected " << kind << " dialog";
            return QString();
        }
        const QString answer = Files.front();
        Files.pop_front();
        return answer;
    }
};

inline const QString FloorPlanRuleMessage =
    QStringLiteral("请重新选择户型图，户型图必须存放在程序主目录的 background 子目录下！");

inline QByteArray ReadBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes);
}

inline QImage FloorPlanImage(QRgb colour)
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Every file and folder below root, relative, sorted.
inline QStringList TreeOf(const QString &root)
{
    QStringList entries;
    const QDir dir(root);
    const std::function<void(const QString &)> walk = [&](const QString &path) {
        for (const QFileInfo &info :
             QDir(path).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        {
            entries << dir.relativeFilePath(info.absoluteFilePath());
            if (info.isDir())
                walk(info.absoluteFilePath());
        }
    };
    walk(root);
    entries.sort();
    return entries;
}

// A library of four symbols under a program folder: a lamp that brings its
// switch, the switch, a socket, and a breaker of the distribution box (codes
// F01, A01, B01, K01), with plain pictures in iconstore/20 and iconstore/150.
inline void WriteFourSymbolLibrary(const QString &app, QRgb pictureColour)
{
    QDir(app).mkpath(QStringLiteral("iconstore/20"));
    QDir(app).mkpath(QStringLiteral("iconstore/150"));
    const struct {
        const char16_t *caption, *system, *type, *ref, *code;
    } icons[] = {
        {u"吸顶灯", u"电器线路", u"灯", u"一开单控", u"F01"},
        {u"一开单控", u"电器线路", u"开关", u"", u"A01"},
        {u"五孔插座", u"电器线路", u"插座", u"", u"B01"},
        {u"C16断路器", u"配电箱", u"漏电保护器", u"", u"K01"},
    };
    QImage picture(20, 20, QImage::Format_RGB32);
    picture.fill(pictureColour);
    QString xml = QStringLiteral("<iconstore>");
    for (const auto &icon : icons) {
        const QString code = QString::fromUtf16(icon.code);
        for (const char *folder : {"iconstore/20/", "iconstore/150/"})
            WriteBytes(app + QLatin1String(folder) + code + QStringLiteral(".bmp"),
                       BitmapCodec::Encode24(picture));
        xml += QStringLiteral("<icon><caption>%1</caption><system>%2</system><type>%3</type>"
                              "<comment>说明</comment><smallimage>%4.bmp</smallimage>"
                              "<largeimage>%4.bmp</largeimage><ref>%5</ref><code>%4</code>"
                              "</icon>")
                   .arg(QString::fromUtf16(icon.caption), QString::fromUtf16(icon.system),
                        QString::fromUtf16(icon.type), code, QString::fromUtf16(icon.ref));
    }
    WriteBytes(app + QStringLiteral("iconstore.xml"), (xml + "</iconstore>").toUtf8());
}

class WorkspaceTest : public ::testing::Test {
protected:
    QTemporaryDir Dir;
    QString App; // the program folder, ending in '/'
    TScriptedDialogs Dialogs;
    std::unique_ptr<TFrmMain> Window;

    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        App = Dir.path() + u'/';
        QDir(App).mkpath(QStringLiteral("background"));
        QDir(App).mkpath(QStringLiteral("projects"));
        WriteBytes(App + QStringLiteral("iconstore.xml"), "<iconstore/>");
        WriteBytes(Plan(), JpegCodec::Encode(FloorPlanImage(qRgb(200, 220, 240))));
        WriteBytes(Plan2(), BitmapCodec::Encode24(FloorPlanImage(qRgb(240, 220, 200))));
    }
    void TearDown() override { Window.reset(); }

    void Start() { Window = std::make_unique<TFrmMain>(App, &Dialogs); }

    QString Plan() const { return App + QStringLiteral("background/plan.jpg"); }
    QString Plan2() const { return App + QStringLiteral("background/plan2.bmp"); }
    QString ProjectFile(const QString &name, const char *extension = ".ini") const
    {
        return App + QStringLiteral("projects/") + name + u'/' + name + QLatin1String(extension);
    }
    QAction *Act(const char *name) const
    {
        QAction *action = Window->Action(QLatin1String(name));
        EXPECT_NE(action, nullptr) << name;
        return action;
    }
    bool SaveEnabled() const
    {
        const bool action = Window->Action(QStringLiteral("actFileSave"))->isEnabled();
        EXPECT_EQ(action, Window->btnSaveFile->isEnabled()) << "the button follows its command";
        return action;
    }
    QLineEdit *Field(const char *name) const
    {
        auto *field = Window->findChild<QLineEdit *>(QLatin1String(name));
        EXPECT_NE(field, nullptr) << name;
        return field;
    }

    // Page 0, as typed by the designer.
    void FillPage0(const QString &name, const QString &floorPlan)
    {
        Window->EdtProjectName->setText(name);
        Window->EdtCustomerName->setText(QStringLiteral("张三"));
        Window->EdtCustomerPhone->setText(QStringLiteral("010-12345678"));
        Window->EdtCustomerAddress->setText(QStringLiteral("北京市海淀区中关村大街1号"));
        Window->EdtCustomerEmail->setText(QStringLiteral("zhang@example.cn"));
        Window->EdtDesignerCompany->setText(QStringLiteral("瓦尼斯电气"));
        Window->EdtDesignerName->setText(QStringLiteral("李四"));
        Window->EdtBackgroundPath->setText(floorPlan);
        Window->EdtProjectComment->setPlainText(QStringLiteral("厨房插座加密"));
    }
    // Creates a project from page 0 and expects it to succeed.
    void CreateOnPage0(const QString &name, const QString &floorPlan = QString())
    {
        FillPage0(name, floorPlan.isEmpty() ? Plan() : floorPlan);
        Window->btnCreateFile->click();
        ASSERT_TRUE(Dialogs.Messages.empty()) << Dialogs.Texts().join(u" | ").toStdString();
        ASSERT_TRUE(Window->ProjectOpen);
    }
    // Closes the open project; answer is given when a question is expected.
    void CloseProject(std::optional<IUserDialogs::TButton> answer = std::nullopt)
    {
        if (answer)
            Dialogs.Answers.push_back(*answer);
        Window->btnCloseFile->click();
    }
    void Open(const QString &settingsFile)
    {
        Dialogs.Files.push_back(settingsFile);
        Act("actFileOpen")->trigger();
    }
    // Makes a closed project on disk and returns its settings file.
    QString MakeProject(const QString &name, const QString &floorPlan = QString())
    {
        CreateOnPage0(name, floorPlan);
        CloseProject();
        Dialogs.Clear();
        return ProjectFile(name);
    }
    // Drives the creation dialog: fill is run on the dialog once it is
    // shown, then "创建文件" is pressed. Returns whether the dialog accepted;
    // a dialog left open by a failed check is cancelled.
    bool CreateThroughDialog(const std::function<void(TFrmCustomer &)> &fill)
    {
        TFrmCustomer *dialog = Window->FrmCustomer;
        bool stayedOpen = false;
        QTimer::singleShot(0, dialog, [&] {
            fill(*dialog);
            dialog->BitBtnOkClick();
            if (dialog->isVisible()) {
                stayedOpen = true;
                dialog->reject();
            }
        });
        Act("actFileCreate")->trigger();
        return !stayedOpen;
    }
    static void FillDialog(TFrmCustomer &dialog, const QString &name, const QString &floorPlan)
    {
        dialog.EdtProjectName->setText(name);
        dialog.EdtCustomerName->setText(QStringLiteral("王五"));
        dialog.EdtCustomerPhone->setText(QStringLiteral("13800000000"));
        dialog.EdtCustomerAddress->setText(QStringLiteral("上海市浦东新区"));
        dialog.EdtCustomerEmail->setText(QStringLiteral("wang@example.cn"));
        dialog.EdtDesignerCompany->setText(QStringLiteral("瓦尼斯"));
        dialog.EdtDesignerName->setText(QStringLiteral("赵六"));
        dialog.EdtBackgroundPath->setText(floorPlan);
        dialog.EdtProjectComment->setPlainText(QStringLiteral("第一行\n第二行"));
    }
    // The settings file as on disk now.
    static QString Key(const QString &file, const char *section, const char *key)
    {
        return TIniFile(file).ReadString(QLatin1String(section), QLatin1String(key));
    }
    // Every "section/key=value" of a settings file, in file order.
    static QStringList Entries(const QString &file)
    {
        QStringList entries;
        const TIniFile settings(file);
        for (const QString &section : settings.Sections())
            for (const QString &key : settings.Keys(section))
                entries << section + u'/' + key + u'=' + settings.ReadString(section, key);
        return entries;
    }
    // Whether a diagram file loads as a diagram.
    static bool LoadsAsDiagram(const QString &file, int *objectCount = nullptr)
    {
        TGraphControl graph;
        try {
            graph.LoadFromFile(file);
        } catch (const std::exception &) {
            return false;
        }
        if (objectCount)
            *objectCount = graph.Objects().Count();
        return true;
    }
};
