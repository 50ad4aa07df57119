#include "QStringPrinter.h"
#include "WorkspaceTestSupport.h"

#include "ColorSwatch.h"
#include "GraphLink.h"
#include "GraphNode.h"
#include "LineNode.h"
#include "RectangularNode.h"
#include "WiringDesignProp.h"
#include "WiringLineProp.h"
#include "WiringTextProp.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>

namespace {

// A project open on the distribution-box page, with helpers to put text
// labels and wire pieces on it and to work a dialog while it is shown.
class PropertyDialogTest : public WorkspaceTest {
protected:
    TGraphControl *Guard = nullptr;

    void SetUp() override
    {
        WorkspaceTest::SetUp();
        Start();
        CreateOnPage0(QStringLiteral("属性"));
        Window->PageControl->setCurrentIndex(2);
        Guard = Window->ActiveGraph;
    }

    TGraphNode *Add(TGraphObjectClassRef cls, int left, const QString &text = QString())
    {
        TGraphNode *node = Guard->InsertNode(TRect(left, 10, left + 100, 50), cls);
        node->SetText(text);
        return node;
    }
    void Select(const std::vector<TGraphObject *> &objects)
    {
        for (TGraphObject *object : Guard->Objects().Snapshot())
            object->SetSelected(false);
        for (TGraphObject *object : objects)
            object->SetSelected(true);
    }
    // Runs command; work is done on the modal dialog it shows, which must be
    // a T unless T is QDialog. Returns the object name of the dialog shown
    // (empty when none was).
    template <class T = QDialog>
    QString WithDialog(const std::function<void()> &command,
                       const std::function<void(T &)> &work = nullptr)
    {
        QString shown;
        bool done = false;
        QTimer::singleShot(0, Window.get(), [&] {
            done = true;
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            shown = dialog->objectName();
            T *typed = qobject_cast<T *>(dialog);
            if (typed && work)
                work(*typed);
            if (dialog->isVisible())
                dialog->reject();
        });
        command();
        while (!done)
            QCoreApplication::processEvents();
        return shown;
    }
    void Modified(bool expected) { EXPECT_EQ(Window->Modified, expected); }
};

// --- Drawing area ---

TEST_F(PropertyDialogTest, DrawingAreaDialogLoadsAppliesAndCancelsWithoutMarkingTheProject)
{
    Guard->SetGridSize(12);
    Guard->SetColor(clWhite);
    Guard->SetMarkerColor(clNavy);
    Guard->SetGridColor(clSilver);
    Guard->SetSnapToGrid(false);
    Guard->SetShowGrid(false);
    const QString shown = WithDialog<TFrmDesignerProperties>(
        [this] { Act("actSetBase")->trigger(); },
        [&](TFrmDesignerProperties &d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("选项"));
            EXPECT_FALSE(d.SnapToGrid->isChecked());
            EXPECT_FALSE(d.ShowGrid->isChecked());
            EXPECT_EQ(d.GridSize->value(), 12);
            EXPECT_EQ(d.BackgroundColor->Color(), clWhite);
            EXPECT_EQ(d.MarkerColor->Color(), clNavy);
            EXPECT_EQ(d.GridColor->Color(), clSilver);
            // Near the right edge of the screen, 116 pixels from its top.
            const QRect screen = d.screen()->geometry();
            EXPECT_EQ(d.x(), screen.right() + 1 - d.frameGeometry().width() - 20);
            EXPECT_EQ(d.y(), screen.top() + 116);

            // The grid size stays within 4 to 128.
            d.GridSize->setValue(3);
            EXPECT_EQ(d.GridSize->value(), 4);
            d.GridSize->setValue(200);
            EXPECT_EQ(d.GridSize->value(), 128);

            // A swatch's colour dialog starts at its colour; a cancel keeps it.
            Dialogs.Colors = {clRed, std::nullopt};
            d.SwatchClick(d.GridColor);
            d.SwatchClick(d.MarkerColor);
            EXPECT_EQ(Dialogs.ColorStarts, (std::vector<TColor>{clSilver, clNavy}));
            EXPECT_EQ(d.GridColor->Color(), clRed);
            EXPECT_EQ(d.MarkerColor->Color(), clNavy);

            // "应用" applies at once; "取消" then keeps what was applied.
            d.ShowGrid->setChecked(true);
            d.GridSize->setValue(20);
            d.btnApply->click();
            EXPECT_TRUE(Guard->ShowGrid());
            EXPECT_EQ(Guard->GridSize(), 20);
            EXPECT_EQ(Guard->GridColor(), clRed);
            d.SnapToGrid->setChecked(true);
            d.btnCancel->click();
        });
    EXPECT_EQ(shown, QStringLiteral("FrmDesignerProperties"));
    EXPECT_TRUE(Guard->ShowGrid());
    EXPECT_FALSE(Guard->SnapToGrid()) << "changed after 应用, then cancelled";
    Modified(false);
    EXPECT_EQ(Window->gcWiring->GridSize(), 10) << "only the current drawing";

    // "确定" applies.
    WithDialog<TFrmDesignerProperties>([this] { Act("actSetBase")->trigger(); },
                                       [](TFrmDesignerProperties &d) {
                                           d.SnapToGrid->setChecked(true);
                                           d.btnOK->click();
                                       });
    EXPECT_TRUE(Guard->SnapToGrid());
    Modified(false);
}

// --- Choosing the dialog ---

TEST_F(PropertyDialogTest, PropertiesOpenTheDialogThatTheWholeSelectionShares)
{
    TGraphNode *text1 = Add(&TTextNode::Class, 0, QStringLiteral("一"));
    TGraphNode *text2 = Add(&TTextNode::Class, 120, QStringLiteral("二"));
    TGraphNode *hwire = Add(&THLineNode::Class, 240);
    TGraphNode *vwire = Add(&TVLineNode::Class, 360);
    TGraphNode *symbol = Add(&TIconNode::Class, 480);
    Guard->SetCommandMode(cmLinkNodes);
    TGraphLink *link = Guard->LinkNodes(text1, text2);
    Guard->SetCommandMode(cmEdit);
    ASSERT_NE(link, nullptr);
    const struct {
        const char *name;
        std::vector<TGraphObject *> selection;
        const char *dialog;
    } cases[] = {
        {"nothing", {}, ""},
        {"links only", {link}, ""},
        {"a symbol", {symbol}, ""},
        {"text and wire", {text1, hwire}, ""},
        {"text and link", {text1, link}, ""},
        {"two labels", {text1, text2}, "FrmTextProp"},
        {"horizontal and vertical wires", {hwire, vwire}, "FrmLineProp"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Select(c.selection);
        EXPECT_EQ(WithDialog([this] { Act("actSetProp")->trigger(); }), QLatin1String(c.dialog));
    }
    EXPECT_TRUE(Dialogs.Messages.empty());
}

// In the wiring drawing the object menu hides "属性设置"; a double click
// still reaches the labels' properties.
TEST_F(PropertyDialogTest, DoubleClickOpensTheTextDialogInEitherDrawing)
{
    for (const int page : {1, 2}) {
        SCOPED_TRACE(page);
        Window->PageControl->setCurrentIndex(page);
        TGraphControl *graph = Window->ActiveGraph;
        TGraphNode *label = graph->InsertNode(TRect(0, 0, 100, 40), &TTextNode::Class);
        TGraphNode *symbol = graph->InsertNode(TRect(200, 0, 240, 40), &TIconNode::Class);
        Window->pmObjPopup();
        for (TGraphObject *object : graph->Objects().Snapshot())
            object->SetSelected(false);
        label->SetSelected(true);
        EXPECT_EQ(WithDialog([&] { graph->OnObjectDblClick(graph, label); }),
                  QStringLiteral("FrmTextProp"));
        label->SetSelected(false);
        symbol->SetSelected(true);
        EXPECT_EQ(WithDialog([&] { graph->OnObjectDblClick(graph, symbol); }), QString());
    }
}

// --- Text labels ---

TEST_F(PropertyDialogTest, OneLabelTakesEveryValueOfTheTextDialog)
{
    TGraphNode *label = Add(&TTextNode::Class, 0, QStringLiteral("旧\r\n文字"));
    label->SetAlignment(taRightJustify);
    label->SetMargin(7);
    Select({label});
    Window->SetModified(false);
    WithDialog<TFrmTextProp>([this] { Act("actSetProp")->trigger(); },
                             [&](TFrmTextProp &d) {
                                 EXPECT_EQ(d.windowTitle(), QStringLiteral("设置文字属性"));
                                 EXPECT_EQ(d.NodeText->toPlainText(), QStringLiteral("旧\n文字"));
                                 EXPECT_EQ(d.AlignmentItems->checkedId(), 2);
                                 EXPECT_EQ(d.UpDownMargin->value(), 7);
                                 d.NodeText->setPlainText(QStringLiteral("客厅\n照明"));
                                 d.AlignmentItems->button(0)->click();
                                 d.UpDownMargin->setValue(200);
                                 EXPECT_EQ(d.UpDownMargin->value(), 100);
                                 Dialogs.Fonts = {[](TFont &font) {
                                     font.SetName(QStringLiteral("宋体"));
                                     font.SetSize(14);
                                     font.SetColor(clRed);
                                     return true;
                                 }};
                                 d.BitBtn1->click();
                                 d.btnOK->click();
                             });
    EXPECT_EQ(label->Text(), QStringLiteral("客厅\r\n照明"));
    EXPECT_EQ(label->Alignment(), taLeftJustify);
    EXPECT_EQ(label->Margin(), 100);
    EXPECT_EQ(label->Font().Name(), QStringLiteral("宋体"));
    EXPECT_EQ(label->Font().Size(), 14);
    EXPECT_EQ(label->Font().Color(), clRed);
    Modified(true);

    // "确定" without a change still gives the label its values.
    Window->SetModified(false);
    WithDialog<TFrmTextProp>([this] { Act("actSetProp")->trigger(); },
                             [](TFrmTextProp &d) { d.btnOK->click(); });
    EXPECT_EQ(label->Text(), QStringLiteral("客厅\r\n照明"));
    Modified(true);
}

TEST_F(PropertyDialogTest, SeveralLabelsTakeOnlyTheValuesTheDesignerChanged)
{
    std::vector<TGraphObject *> labels;
    for (int i = 0; i < 5; ++i) {
        TGraphNode *label = Add(&TTextNode::Class, 120 * i, QStringLiteral("标签%1").arg(i));
        label->SetMargin(i);
        labels.push_back(label);
    }
    const auto text = [&](int i) { return static_cast<TGraphNode *>(labels[i])->Text(); };
    const auto node = [&](int i) { return static_cast<TGraphNode *>(labels[i]); };
    Select(labels);

    // Only the font: every text and margin stays its own.
    WithDialog<TFrmTextProp>([this] { Act("actSetProp")->trigger(); },
                             [&](TFrmTextProp &d) {
                                 EXPECT_EQ(d.NodeText->toPlainText(), QStringLiteral("标签0"))
                                     << "the first one's";
                                 Dialogs.Fonts = {[](TFont &font) {
                                     font.SetStyle(fsItalic);
                                     return true;
                                 }};
                                 d.BitBtn1Click();
                                 d.btnOK->click();
                             });
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(text(i), QStringLiteral("标签%1").arg(i));
        EXPECT_EQ(node(i)->Margin(), i);
        EXPECT_EQ(node(i)->Font().Style(), fsItalic);
    }

    // Only the text, by "应用", then a cancelled font dialog and "取消".
    WithDialog<TFrmTextProp>([this] { Act("actSetProp")->trigger(); },
                             [&](TFrmTextProp &d) {
                                 d.NodeText->setPlainText(QStringLiteral("同一"));
                                 d.BitBtn4->click();
                                 Dialogs.Fonts = {[](TFont &font) {
                                     font.SetStyle(fsBold); // changed in the dialog, then cancelled
                                     return false;
                                 }};
                                 d.BitBtn1Click();
                                 d.btnCancel->click();
                             });
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(text(i), QStringLiteral("同一"));
        EXPECT_EQ(node(i)->Margin(), i);
        EXPECT_EQ(node(i)->Font().Style(), fsItalic);
    }
}

TEST_F(PropertyDialogTest, TextThatCodePage936CannotHoldIsRefusedBeforeAnythingChanges)
{
    TGraphNode *label = Add(&TTextNode::Class, 0, QStringLiteral("原文"));
    Select({label});
    Window->SetModified(false);
    bool stayedOpen = false;
    WithDialog<TFrmTextProp>([this] { Act("actSetProp")->trigger(); },
                             [&](TFrmTextProp &d) {
                                 d.NodeText->setPlainText(QStringLiteral("吉\U00020BB7祥😀"));
                                 d.AlignmentItems->button(0)->click();
                                 d.btnOK->click();
                                 stayedOpen = d.isVisible();
                             });
    EXPECT_TRUE(stayedOpen);
    const auto &message = Dialogs.Only();
    EXPECT_TRUE(message.Text.contains(QStringLiteral("文字内容"))) << message.Text.toStdString();
    EXPECT_TRUE(message.Text.contains(QStringLiteral("\U00020BB7😀")));
    EXPECT_EQ(label->Text(), QStringLiteral("原文"));
    EXPECT_EQ(label->Alignment(), taCenter);
    Modified(false);
}

// --- Wire pieces ---

TEST_F(PropertyDialogTest, WireDialogSetsWidthAndColourWithItsSample)
{
    TGraphNode *wire = Add(&THLineNode::Class, 0);
    TPen pen;
    pen.SetWidth(3);
    pen.SetColor(clGreen);
    wire->SetPen(pen);
    Select({wire});
    WithDialog<TFrmLineProp>([this] { Act("actSetProp")->trigger(); },
                             [&](TFrmLineProp &d) {
                                 EXPECT_EQ(d.windowTitle(), QStringLiteral("设置电线属性"));
                                 EXPECT_EQ(d.UpDownMargin->value(), 3);
                                 EXPECT_EQ(d.Panel1->Color(), clGreen);
                                 EXPECT_EQ(d.egShape->height(), 3);
                                 EXPECT_EQ(d.egShape->width(), 273);
                                 d.UpDownMargin->setValue(12);
                                 EXPECT_EQ(d.UpDownMargin->value(), 10);
                                 EXPECT_EQ(d.egShape->height(), 10);
                                 Dialogs.Colors = {clRed};
                                 d.Panel1Click();
                                 EXPECT_EQ(Dialogs.ColorStarts.back(), clGreen);
                                 EXPECT_EQ(d.Panel1->Color(), clRed);
                                 EXPECT_EQ(d.egShape->palette().color(QPalette::Window),
                                           QColor(Qt::red));
                                 d.btnOK->click();
                             });
    EXPECT_EQ(wire->Pen().Width(), 10);
    EXPECT_EQ(wire->Pen().Color(), clRed);
    Modified(true);
}

TEST_F(PropertyDialogTest, RecolouringSeveralWiresKeepsTheirWidths)
{
    std::vector<TGraphObject *> wires;
    for (int i = 0; i < 3; ++i) {
        TGraphNode *wire = Add(i == 1 ? &TVLineNode::Class : &THLineNode::Class, 120 * i);
        TPen pen;
        pen.SetWidth(i + 1);
        wire->SetPen(pen);
        wires.push_back(wire);
    }
    Select(wires);
    WithDialog<TFrmLineProp>([this] { Act("actSetProp")->trigger(); },
                             [&](TFrmLineProp &d) {
                                 Dialogs.Colors = {clBlue};
                                 d.Panel1Click();
                                 d.btnOK->click();
                             });
    for (int i = 0; i < 3; ++i) {
        const TPen &pen = static_cast<TGraphNode *>(wires[i])->Pen();
        EXPECT_EQ(pen.Width(), i + 1);
        EXPECT_EQ(pen.Color(), clBlue);
    }
}

} // namespace
