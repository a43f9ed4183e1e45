#include "form1.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "expression_file.h"
#include "fault.h"
#include "scripted_dialog.h"
#include "temp_files.h"

namespace quorvel {
namespace {

class Form1Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    template <class W = QWidget>
    W* Control(const char* name)
    {
        auto* w = form.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QLineEdit* Text1() { return Control<QLineEdit>("Text1"); }
    QLineEdit* Text2() { return Control<QLineEdit>("Text2"); }
    QString Label1() { return Control<QLabel>("Label1")->text(); }

    // The rows as the list control shows them.
    QStringList Rows(const char* list)
    {
        const QAbstractItemModel* m = Control<QListView>(list)->model();
        QStringList rows;
        for (int r = 0; r < m->rowCount(); ++r) rows << m->data(m->index(r, 0)).toString();
        return rows;
    }

    void ClickRow(const char* list, int row)
    {
        auto* view = Control<QListView>(list);
        const QRect rect = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    }

    void Type(QWidget* w, const QString& keys) { QTest::keyClicks(w, keys); }

    test::ScriptedDialog dialog;
    int beeps = 0;
    Form1 form{&dialog, [this] { ++beeps; }};
};

TEST_F(Form1Test, StartsEmptyWithTheProductTitleAndFocusInTheExpressionBox)
{
    EXPECT_EQ(form.windowTitle(), "Quorvel");
    EXPECT_EQ(Text1()->text(), "");
    EXPECT_EQ(QApplication::focusWidget(), Text1());
    EXPECT_EQ(Text2()->text(), "0");
    EXPECT_EQ(Label1(), "");
    for (const char* list : {"List1", "List2", "List3"}) EXPECT_TRUE(Rows(list).isEmpty()) << list;
    EXPECT_EQ(beeps, 0);
}

TEST_F(Form1Test, ControlsStandWhereTheLayoutPutsThem)
{
    struct Place {
        const char* name;
        const char* className;
        QString caption;
        int left, top, width, height;  // twips
    };
    const Place places[] = {
        {"Command3_0", "QPushButton", "打开", 120, 120, 615, 375},
        {"Command3_1", "QPushButton", "保存", 840, 120, 615, 375},
        {"Text1", "QLineEdit", "", 1560, 120, 4935, 375},
        {"Label2", "QLabel", "计算结果=", 120, 600, 855, 255},
        {"Label1", "QLabel", "", 960, 600, 4815, 255},
        {"Label3", "QLabel", "变量\uFF1A 赋值", 240, 960, 1215, 255},
        {"List2", "QListView", "", 120, 1320, 615, 2220},
        {"List3", "QListView", "", 840, 1320, 615, 2220},
        {"Text2", "QLineEdit", "0", 1560, 1320, 735, 270},
        {"Command1", "QPushButton", "计算", 1560, 1680, 735, 375},
        {"List1", "QListView", "", 5880, 720, 615, 2940},
    };
    for (const Place& p : places) {
        QWidget* w = Control(p.name);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->inherits(p.className)) << p.name;
        EXPECT_TRUE(w->isVisible()) << p.name;
        EXPECT_EQ(w->geometry(), QRect(p.left / 15, p.top / 15, p.width / 15, p.height / 15)) << p.name;
        QString caption;
        if (auto* b = qobject_cast<QPushButton*>(w)) caption = b->text();
        if (auto* l = qobject_cast<QLabel*>(w)) caption = l->text();
        if (auto* e = qobject_cast<QLineEdit*>(w)) caption = e->text();
        EXPECT_EQ(caption, p.caption) << p.name;
        if (auto* v = qobject_cast<QListView*>(w)) {
            EXPECT_TRUE(v->uniformItemSizes()) << p.name;
        }
    }
    EXPECT_EQ(form.size(), QSize(440, 248));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
}

TEST_F(Form1Test, TabVisitsTheControlsInTabIndexOrder)
{
    const QStringList order = {"List1", "List2", "List3", "Text2", "Command1", "Command3_0", "Command3_1", "Text1"};
    QStringList visited;
    for (int i = 0; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, order);
}

TEST_F(Form1Test, TypingRunsACycleAfterEveryChange)
{
    Type(Text1(), "2*(x+1)");
    EXPECT_EQ(form.windowTitle(), "");
    EXPECT_EQ(Label1(), "2");
    EXPECT_EQ(Rows("List1"), QStringList({"7", "2"}));
    EXPECT_EQ(Rows("List2"), QStringList{"x"});
    EXPECT_EQ(Rows("List3"), QStringList{"0"});

    // A failed check names the problem in the title and keeps the result.
    Type(Text1(), "+");
    EXPECT_NE(form.windowTitle(), "");
    EXPECT_EQ(form.windowTitle().toStdString(), form.Model().title);
    EXPECT_EQ(Label1(), "2");
    EXPECT_EQ(Rows("List1"), QStringList({"8", "2", "*", "(", "0", "+", "1", ")", "+"}));

    QTest::keyClick(Text1(), Qt::Key_Backspace);
    EXPECT_EQ(form.windowTitle(), "");
    EXPECT_EQ(Label1(), "2");
}

TEST_F(Form1Test, SelectEditAndCalculate)
{
    Type(Text1(), "1/x");
    ASSERT_EQ(Label1(), kDivisorZero);

    ClickRow("List3", 0);
    EXPECT_EQ(Control<QListView>("List3")->currentIndex().row(), 0);
    EXPECT_EQ(Text2()->text(), "0");

    QTest::keyClick(Text2(), Qt::Key_Backspace);
    Type(Text2(), "4");
    EXPECT_EQ(Rows("List3"), QStringList{"4"});
    EXPECT_EQ(Label1(), kDivisorZero);  // not until "计算"

    QTest::mouseClick(Control<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_EQ(Label1(), "0.25");
    EXPECT_EQ(Rows("List3"), QStringList{"4"});
    EXPECT_EQ(Control<QListView>("List3")->currentIndex().row(), 0);  // still selected
    QTest::mouseClick(Control<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_EQ(Label1(), "0.25");

    // A new expression resets the values and the selection.
    Type(Text1(), "+y");
    EXPECT_EQ(Rows("List3"), QStringList({"0", "0"}));
    EXPECT_FALSE(Control<QListView>("List3")->currentIndex().isValid());
    EXPECT_EQ(beeps, 0);
}

TEST_F(Form1Test, SelectingRowsShowsEachAndChangesNone)
{
    Type(Text1(), "a+b+c");
    ClickRow("List3", 1);
    Type(Text2(), "5");
    EXPECT_EQ(Rows("List3"), QStringList({"0", "05", "0"}));
    ClickRow("List3", 0);
    EXPECT_EQ(Text2()->text(), "0");
    ClickRow("List3", 1);
    EXPECT_EQ(Text2()->text(), "05");
    QTest::keyClick(Control<QListView>("List3"), Qt::Key_Down);  // the keyboard selects too
    EXPECT_EQ(Text2()->text(), "0");
    EXPECT_EQ(Rows("List3"), QStringList({"0", "05", "0"}));
}

TEST_F(Form1Test, EditWithoutASelectionLeavesTheValues)
{
    Type(Text1(), "x*y");
    Type(Text2(), "7");
    EXPECT_EQ(Text2()->text(), "07");
    EXPECT_EQ(Rows("List3"), QStringList({"0", "0"}));

    // A new text with as many variables also drops the selection.
    ClickRow("List3", 1);
    Text1()->setText("x*z");
    EXPECT_FALSE(Control<QListView>("List3")->currentIndex().isValid());
    EXPECT_TRUE(Control<QListView>("List3")->selectionModel()->selectedIndexes().isEmpty());
    Type(Text2(), "8");
    EXPECT_EQ(Rows("List3"), QStringList({"0", "0"}));
}

TEST_F(Form1Test, ValueBoxTakesDigitsPointAndBackspaceOnly)
{
    Type(Text1(), "x");
    ClickRow("List3", 0);
    const QList<QPair<Qt::Key, QString>> rejected = {
        {Qt::Key_A, "a"},     {Qt::Key_A, "A"},          {Qt::Key_Minus, "-"},        {Qt::Key_Plus, "+"},
        {Qt::Key_Space, " "}, {Qt::Key_Return, "\r"},   {Qt::Key_Escape, "\x1b"},    {Qt::Key_E, "e"},
    };
    for (const auto& [key, text] : rejected) {
        QKeyEvent press(QEvent::KeyPress, key, text == "A" ? Qt::ShiftModifier : Qt::NoModifier, text);
        QApplication::sendEvent(Text2(), &press);
    }
    EXPECT_EQ(beeps, rejected.size());
    EXPECT_EQ(Text2()->text(), "0");
    EXPECT_EQ(Rows("List3"), QStringList{"0"});

    Type(Text2(), "1.2.3");
    EXPECT_EQ(Text2()->text(), "01.2.3");
    QTest::keyClick(Text2(), Qt::Key_Backspace);
    EXPECT_EQ(Rows("List3"), QStringList{"01.2."});
    QTest::keyClick(Text2(), Qt::Key_5, Qt::KeypadModifier);
    EXPECT_EQ(Rows("List3"), QStringList{"01.2.5"});
    EXPECT_EQ(beeps, rejected.size());

    // Stored as typed; only the calculation finds it is no number.
    QTest::mouseClick(Control<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_EQ(Label1().toStdString(), FaultMessage(Fault{FaultKind::ValueNotNumber, "x"}));
}

TEST_F(Form1Test, ShortcutsEditingKeysAndPasteAreNotFiltered)
{
    Type(Text1(), "x");
    ClickRow("List3", 0);
    Type(Text2(), "12");
    QTest::keyClick(Text2(), Qt::Key_Home);
    QTest::keyClick(Text2(), Qt::Key_Delete);
    QTest::keyClick(Text2(), Qt::Key_End);
    QTest::keyClick(Text2(), Qt::Key_Left);
    EXPECT_EQ(Text2()->text(), "12");
    EXPECT_EQ(Text2()->cursorPosition(), 1);

    QTest::keySequence(Text2(), QKeySequence::SelectAll);
    QTest::keySequence(Text2(), QKeySequence::Copy);
    EXPECT_EQ(QApplication::clipboard()->text(), "12");
    QTest::keySequence(Text2(), QKeySequence::Cut);
    EXPECT_EQ(Text2()->text(), "");
    EXPECT_EQ(Rows("List3"), QStringList{""});

    QApplication::clipboard()->setText("-3e2");
    QTest::keySequence(Text2(), QKeySequence::Paste);
    EXPECT_EQ(Text2()->text(), "-3e2");
    EXPECT_EQ(Rows("List3"), QStringList{"-3e2"});
    QTest::keySequence(Text2(), QKeySequence::Undo);
    EXPECT_EQ(Text2()->text(), "");
    EXPECT_EQ(beeps, 0);
}

TEST_F(Form1Test, OverLongExpressionGetsTheTooLongMessage)
{
    const QString text(40000, '1');
    Text1()->setText(text);
    EXPECT_EQ(Text1()->text().size(), 40000);
    EXPECT_EQ(Label1().toStdString(), FaultMessage(Fault{FaultKind::TooLong, {}}));
    Text1()->setText(QString(32766, '1'));
    EXPECT_NE(Label1().toStdString(), FaultMessage(Fault{FaultKind::TooLong, {}}));
}

TEST_F(Form1Test, ResultLabelIsSelectableButOutsideTheTabChain)
{
    auto* label = Control<QLabel>("Label1");
    EXPECT_TRUE(label->textInteractionFlags() & Qt::TextSelectableByMouse);
    EXPECT_FALSE(label->focusPolicy() & Qt::TabFocus);
}

TEST_F(Form1Test, OpenAndSaveThroughTheButtons)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("expr.txt");
    ASSERT_TRUE(test::WriteBytes(file, "1\r\n+\r\n2\r\n"));
    dialog.answers = {test::Utf8(file), test::Utf8(dir.filePath("out.txt")), test::Utf8(dir.filePath("no/out.txt"))};

    QTest::mouseClick(Control<QPushButton>("Command3_0"), Qt::LeftButton);
    EXPECT_EQ(Text1()->text(), "1+2");
    EXPECT_EQ(Label1(), "3");
    EXPECT_EQ(Rows("List1"), QStringList({"3", "3"}));
    EXPECT_EQ(form.windowTitle(), "");

    QTest::mouseClick(Control<QPushButton>("Command3_1"), Qt::LeftButton);
    EXPECT_EQ(test::ReadBytes(dir.filePath("out.txt")), "\"1+2\"\r\n");

    QTest::mouseClick(Control<QPushButton>("Command3_1"), Qt::LeftButton);
    EXPECT_EQ(Label1(), kCannotSave);
    EXPECT_EQ(Text1()->text(), "1+2");

    ASSERT_EQ(dialog.shown.size(), 3u);
    EXPECT_EQ(dialog.shown[0].call, "ShowOpen");
    EXPECT_EQ(dialog.shown[1].call, "ShowSave");
}

}  // namespace
}  // namespace quorvel

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
