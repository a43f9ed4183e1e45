// The window on the offscreen platform, driven through its widgets a row of
// window.tsv at a time, and the parts beneath it that a row cannot reach.
#include <sys/resource.h>

#include <clocale>
#include <csignal>
#include <map>
#include <sstream>

#include <QAccessible>
#include <QApplication>
#include <QInputMethodEvent>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QScrollBar>
#include <QToolTip>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "cycle.h"
#include "expression_file.h"
#include "filter_key.h"
#include "form1.h"
#include "history.h"
#include "scripted_dialog.h"
#include "table.h"
#include "utf.h"

namespace quorvel {
namespace {

using test::Bytes;

QString Q(const std::string& s) { return QString::fromStdU16String(Utf8ToUtf16(s)); }

// Key by key; a character no key of its own types comes with its text, as
// a keyboard layout or xdotool sends it.
void Type(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80) QTest::keyClick(widget, c.toLatin1());
        else QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}
std::string U8(const QString& s) { return Utf16ToUtf8(s.toStdU16String()); }

class Window : public ::testing::TestWithParam<test::Row> {
protected:
    void SetUp() override
    {
        getrlimit(RLIMIT_FSIZE, &fileSize);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    void TearDown() override { setrlimit(RLIMIT_FSIZE, &fileSize); }

    template <class W = QLineEdit>
    W* Find(const char* name) { return form.findChild<W*>(name); }

    // Relative names are in the row's own folder.
    QString Path(const std::string& name) { return name[0] == '/' ? Q(name) : dir.filePath(Q(name)); }

    // t: types into Text1, s: sets it as the program would, im: commits it as
    // an input method does, P: pastes it; k: types into Text2,
    // K: sends it a key sequence, p: pastes over all of it; r: clicks a row of
    // List3, down moves there by keyboard; c clicks 计算; o: and v: open and
    // save with the dialog answering that name, O: and S: the same by Ctrl+O
    // and Ctrl+S; key: sends a key sequence to Text1, tab a Tab to the focus,
    // close closes the window and shows it again, clip: fills the clipboard,
    // menu: chooses the item of Text1's own menu that starts so,
    // f: types into the focus, click: clicks a control, drop: drops files (a,b) on
    // Text1; w:NAME=BYTES writes a file, m: makes a folder, limit caps file
    // sizes at 1 KiB.
    void Step(const std::string& step)
    {
        const std::string op = step.substr(0, step.find(':')), raw = step.substr(std::min(step.size(), op.size() + 1));
        const std::string arg = Bytes(raw);
        if (op == "t") Type(Find("Text1"), Q(arg));
        else if (op == "im") {
            QInputMethodEvent commit;
            commit.setCommitString(Q(arg));
            QApplication::sendEvent(Find("Text1"), &commit);
        } else if (op == "P") {
            QApplication::clipboard()->setText(Q(arg));
            QTest::keySequence(Find("Text1"), QKeySequence::Paste);
        }
        else if (op == "s") Find("Text1")->setText(Q(arg));
        else if (op == "k") Type(Find("Text2"), Q(arg));
        else if (op == "K") QTest::keySequence(Find("Text2"), QKeySequence(Q(arg)));
        else if (op == "p") {
            QApplication::clipboard()->setText(Q(arg));
            QTest::keySequence(Find("Text2"), QKeySequence::SelectAll);
            QTest::keySequence(Find("Text2"), QKeySequence::Paste);
        } else if (op == "r") {
            auto* list = Find<QListView>("List3");
            const QRect row = list->visualRect(list->model()->index(std::stoi(arg), 0));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        } else if (op == "down") QTest::keyClick(Find<QListView>("List3"), Qt::Key_Down);
        else if (op == "c") QTest::mouseClick(Find<QPushButton>("Command1"), Qt::LeftButton);
        else if (op == "O" || op == "S") {
            dialog.answers.push_back(U8(Path(arg)));
            QTest::keySequence(Find("Text1"), op == "O" ? QKeySequence::Open : QKeySequence::Save);
        } else if (op == "key") QTest::keySequence(Find("Text1"), QKeySequence(Q(arg)));
        else if (op == "tab") QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        else if (op == "close") {
            form.close();
            form.show();
        }
        else if (op == "clip") QApplication::clipboard()->setText(Q(arg));
        else if (op == "menu") {
            // The menu runs its own event loop: the item is chosen from inside it.
            QTimer inside;
            QObject::connect(&inside, &QTimer::timeout, [arg] {
                QWidget* menu = QApplication::activePopupWidget();
                for (QAction* a : menu ? menu->actions() : QList<QAction*>())
                    if (U8(a->text()).starts_with(arg)) a->trigger();
                if (menu) menu->close();
            });
            inside.start(0);
            QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(5, 5), QPoint(5, 5));
            QApplication::sendEvent(Find("Text1"), &event);
        }
        else if (op == "f") Type(QApplication::focusWidget(), Q(arg));
        else if (op == "click") QTest::mouseClick(Find<QWidget>(arg.c_str()), Qt::LeftButton, {}, QPoint(3, 3));
        else if (op == "drop") {
            QMimeData mime;
            QList<QUrl> urls;
            for (const QString& name : Q(arg).split(',')) urls << QUrl::fromLocalFile(Path(U8(name)));
            mime.setUrls(urls);
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
            QApplication::sendEvent(Find("Text1"), &enter);
            // As a drag goes: nothing drops where the entry was refused.
            if (enter.isAccepted()) QApplication::sendEvent(Find("Text1"), &drop);
        }
        else if (op == "o" || op == "v") {
            dialog.answers.push_back(arg.empty() ? "" : U8(Path(arg)));
            QTest::mouseClick(Find<QPushButton>(op == "o" ? "Command3_0" : "Command3_1"), Qt::LeftButton);
        } else if (op == "w") {
            QFile file(Path(raw.substr(0, raw.find('='))));
            const std::string bytes = Bytes(raw.substr(raw.find('=') + 1));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size()));
        } else if (op == "m") ASSERT_TRUE(QDir(dir.path()).mkdir(Q(arg)));
        else if (op == "limit") {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit small{1024, fileSize.rlim_max};
            ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        } else FAIL() << "unknown step " << step;
    }

    // The rows as shown, "~" for an empty one, the selected one in brackets.
    std::string Rows(const char* name)
    {
        auto* list = Find<QListView>(name);
        std::string shown;
        for (int r = 0; r < list->model()->rowCount(); ++r) {
            const QModelIndex index = list->model()->index(r, 0);
            std::string row = U8(index.data().toString());
            if (row.empty()) row = "~";
            if (list->selectionModel()->isSelected(index)) row = "[" + row + "]";
            shown += (r ? " " : "") + row;
        }
        return shown;
    }

    std::string Files()
    {
        QStringList names;
        for (const QFileInfo& f : QDir(dir.path()).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name))
            names << f.fileName() + (f.isDir() ? "/" : "");
        return U8(names.join(' '));
    }

    std::string Out()
    {
        QFile out(dir.filePath("out.txt"));
        return QFileInfo(out).isFile() && out.open(QIODevice::ReadOnly) ? out.readAll().toStdString() : "-";
    }

    rlimit fileSize{};
    QTemporaryDir dir;
    test::ScriptedDialog dialog;
    int beeps = 0;
    Form1 form{&dialog, [this] { ++beeps; }};
};

TEST_P(Window, ShowsWhatTheStepsLeave)
{
    std::istringstream steps(GetParam()["steps"]);
    for (std::string step; steps >> step && !HasFatalFailure();) Step(step);
    const std::map<std::string, std::string> shown = {
        {"Text1", U8(Find("Text1")->text())}, {"Label1", U8(Find<QLabel>("Label1")->text())},
        {"title", U8(form.windowTitle())},    {"List1", Rows("List1")},
        {"List2", Rows("List2")},             {"List3", Rows("List3")},
        {"Text2", U8(Find("Text2")->text())}, {"beeps", std::to_string(beeps)},
        {"files", Files()},                   {"out", Out()},
        {"clipboard", U8(QApplication::clipboard()->text())}, {"described", U8(Find("Text1")->accessibleDescription())},
    };
    for (const auto& [column, value] : shown) {
        const std::string& want = GetParam()[column];
        EXPECT_TRUE(want == "*" || value == Bytes(want))
            << column << " shows " << value.substr(0, 300) << "\n  instead of " << Bytes(want).substr(0, 300);
    }
    for (const std::string& s : dialog.shown)
        EXPECT_TRUE(s == "open 打开 所有文本 (*.txt)" || s == "save 另存为 所有文件 (*.txt)") << s;
    EXPECT_TRUE(dialog.answers.empty()) << "a button showed no dialog";
}

INSTANTIATE_TEST_SUITE_P(Rows, Window, ::testing::ValuesIn(test::Table("window.tsv")), test::RowName);

TEST_F(Window, TabGoesRoundTheControlsFromText1)
{
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 8; ++i, visited << QApplication::focusWidget()->objectName())
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(visited.join(' '), "Text1 List1 List2 List3 Text2 Command1 Command3_0 Command3_1 Text1");
}

// Right to left, as Qt's -reverse asks: every control's place mirrored.
TEST_F(Window, RightToLeftMirrorsEveryPlace)
{
    std::map<QString, QRect> leftToRight;
    for (const QWidget* w : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        leftToRight[w->objectName()] = w->geometry();
    QApplication::setLayoutDirection(Qt::RightToLeft);  // as -reverse does
    const Form1 mirrored(&dialog);
    for (const auto& [name, here] : leftToRight)
        for (const Form1* window : {static_cast<const Form1*>(&form), &mirrored})
            EXPECT_EQ(window->findChild<QWidget*>(name)->geometry(),
                      QRect(form.width() - 1 - here.right(), here.y(), here.width(), here.height())) << U8(name);
    QApplication::setLayoutDirection(Qt::LeftToRight);
}

TEST_F(Window, ListsScrollTogetherAndEveryControlSaysWhatItIs)
{
    Find("Text1")->setText("a+b+c+d+e+f+g+h+i+j+k+l+m+n+o+p+q+r+s+t");
    QApplication::processEvents();  // the lists lay out their new rows
    QScrollBar* names = Find<QListView>("List2")->verticalScrollBar();
    QScrollBar* values = Find<QListView>("List3")->verticalScrollBar();
    values->setValue(values->maximum());
    EXPECT_GT(names->value(), 0);
    EXPECT_EQ(names->value(), values->value());
    names->setValue(1);
    EXPECT_EQ(values->value(), 1);

    Find("Text1")->setText("8-2+1");
    const std::pair<const char*, const char*> spoken[] = {
        {"Text1", "表达式"}, {"Label1", "计算结果：5"}, {"List2", "变量名"}, {"List3", "变量值"}, {"Text2", "值"}, {"List1", "记号"}};
    for (const auto& [name, said] : spoken) EXPECT_EQ(U8(Find<QWidget>(name)->accessibleName()), said) << name;
    const std::pair<const char*, const char*> captions[] = {
        {"Command3_0", "打开"}, {"Command3_1", "保存"}, {"Command1", "计算"}, {"Label2", "计算结果="}, {"Label3", "变量： 赋值"}};
    for (const auto& [name, caption] : captions) EXPECT_EQ(U8(Find<QWidget>(name)->property("text").toString()), caption) << name;
}

// How the passes read the expression: in Label1's tooltip when it shows.
// While an assistive technology listens, each event reaches the speech: a
// pause, a load and a failed save are announced, and the window's name and
// the descriptions follow. (What is said when: speech.tsv; Return, a recall
// and Ctrl+C: screen_reader.sh.)
TEST_F(Window, ReadingShownAndEventsHeard)
{
    auto* label1 = Find<QLabel>("Label1");
    auto tip = [label1] {
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), label1->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(label1, &help);
        return U8(QToolTip::isVisible() ? QToolTip::text() : QString());
    };
    auto heard = [this] {
        const QList<QWidget*> notices = form.findChildren<QWidget*>(QStringLiteral("Notice"));
        return notices.isEmpty() ? std::string() : U8(notices.back()->accessibleName());
    };
    Find("Text1")->setText("8-");
    EXPECT_EQ(tip(), "");
    Find("Text1")->setText("8-2+1");
    EXPECT_EQ(tip(), "运算顺序：8-(2+1)");
    EXPECT_EQ(U8(label1->accessibleDescription()), "");
    QAccessible::setActive(true);
    EXPECT_EQ(U8(label1->accessibleDescription()), "运算顺序：8-(2+1)");
    Find("Text1")->setText("8-(");
    EXPECT_EQ(heard(), "");
    QTRY_COMPARE(heard(), std::string("错误:发现缺少)，标记的记号：("));
    EXPECT_EQ(U8(form.accessibleName()), "Quorvel 错误:发现缺少)，标记的记号：(");
    EXPECT_EQ(U8(Find("Text1")->accessibleDescription()), "错误:发现缺少)，标记的记号：(");
    Step("w:in.txt=6*7");
    Step("o:in.txt");
    EXPECT_EQ(heard(), "42");
    EXPECT_EQ(U8(form.accessibleName()), "Quorvel");
    EXPECT_EQ(U8(Find("Text1")->accessibleDescription()), "运算顺序：6*7");
    Step("v:/proc/quorvel.txt");
    EXPECT_EQ(heard(), "无法保存文件错");
    QAccessible::setActive(false);
}

// A row's whole text shows as a tooltip wherever the list cuts off some of
// the row's ink, and never where the whole row fits.
TEST_F(Window, NarrowRowsShowTheirWholeText)
{
    Find("Text1")->setText("1/3+2");
    QApplication::processEvents();
    auto* list1 = Find<QListView>("List1");
    const QModelIndex index = list1->model()->index(1, 0);
    const QRect row = list1->visualRect(index);
    // The row shown whole in a wide list: the last column of its ink.
    list1->resize(3 * row.width(), list1->height());
    const QImage whole = list1->viewport()->grab(row).toImage();
    int ink = 0;
    for (int x = 0; x < whole.width(); ++x)
        for (int y = 0; y < whole.height(); ++y) ink = whole.pixel(x, y) == whole.pixel(row.width() - 1, y) ? ink : x;
    for (int width = 2 * row.width(); width > ink / 2; --width) {
        list1->resize(width + list1->width() - list1->viewport()->width(), list1->height());
        const QPoint at(1, row.center().y());
        QHelpEvent help(QEvent::ToolTip, at, list1->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list1->viewport(), &help);
        const bool shown = QToolTip::isVisible() && U8(QToolTip::text()) == "2.33333333333333";
        EXPECT_TRUE(shown || width > ink) << width;
        EXPECT_TRUE(!shown || width < row.width()) << width;
    }
}

// The window follows the application's font as it changes, or as it stands
// at the start: its own size at the default, larger at a larger one and
// still on a 1280x800 screen, and every caption's and box's text has room
// for its ink, a box for a whole line.
TEST_F(Window, GrowsWithTheFont)
{
    Find("Text1")->setText("7.13037063466872+x");
    const QFont standard = QApplication::font();
    for (const int points : {16, 10, 9}) {
        QFont font = standard;
        font.setPointSize(points);
        QApplication::setFont(font);
        QApplication::processEvents();  // the new font reaches the controls
        EXPECT_TRUE(points == 9 ? form.size() == QSize(440, 248) : form.width() > 44 * points && form.height() > 24 * points) << points;
        EXPECT_TRUE(form.width() <= 1280 && form.height() <= 800 && Form1(&dialog).size() == form.size()) << points;
        for (QWidget* w : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            // Labels have no frame; a box's or a button's takes its width from each side.
            const int frame = qobject_cast<QLabel*>(w) ? 0 : w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
            const QSize room = w->contentsRect().size() - QSize(2 * frame, 2 * frame);
            const QSize ink = w->fontMetrics().tightBoundingRect(w->property("text").toString()).size();
            const int line = qobject_cast<QLineEdit*>(w) ? w->fontMetrics().height() : 0;
            EXPECT_TRUE(ink.width() <= room.width() && std::max(ink.height(), line) <= room.height())
                << U8(w->objectName()) << " at " << points;
        }
    }
    QApplication::setFont(standard);
}

// The contrast ratio of two colours by the WCAG formula, written apart from
// the window's own.
double Contrast(QRgb a, QRgb b)
{
    auto linear = [](int v) { return v / 255.0 <= 0.04045 ? v / 255.0 / 12.92 : std::pow((v / 255.0 + 0.055) / 1.055, 2.4); };
    auto luminance = [&](QRgb c) { return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c)); };
    return (std::max(luminance(a), luminance(b)) + 0.05) / (std::min(luminance(a), luminance(b)) + 0.05);
}

// The mark under a one-character token, seen against the unmarked box: it
// covers the token and nothing else, part of it is red and stands out from
// the box by 3:1, and its tint, the colour it shows most, shows against the
// box and keeps the token readable by 4.5:1, light or dark.
TEST_F(Window, MarkShowsUnderALoneBracket)
{
    const QPalette standard = QApplication::palette();
    QPalette dark = standard;
    dark.setColor(QPalette::Base, QColor(0x3d3d3d));
    dark.setColor(QPalette::Text, Qt::white);
    QApplication::setCursorFlashTime(0);  // no blinking between the pictures
    auto* box = Find("Text1");
    for (const QPalette& palette : {standard, dark}) {
        QApplication::setPalette(palette);
        QApplication::processEvents();
        box->clear();
        box->setText("2*(x+1");
        const QImage marked = box->grab().toImage();
        QInputMethodEvent unmark;
        QApplication::sendEvent(box, &unmark);
        const QImage plain = box->grab().toImage();
        auto cursor = [box](int at) {
            box->setCursorPosition(at);
            return box->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        };
        const int from = cursor(2).left(), to = cursor(3).right();
        const QColor base = palette.color(QPalette::Base);
        int changed = 0, outside = 0, red = 0;
        double contrast = 1;
        std::map<QRgb, int> shown;
        for (int row = 0; row < plain.height(); ++row)
            for (int column = 0; column < plain.width(); ++column) {
                const QRgb pixel = marked.pixel(column, row);
                if (pixel == plain.pixel(column, row)) continue;
                ++changed;
                outside += column < from || column > to;
                if (plain.pixel(column, row) != base.rgb()) continue;
                // Where the box shows no text: the tint and the wave alone.
                contrast = std::max(contrast, Contrast(pixel, base.rgb()));
                red = std::max(red, qRed(pixel) - std::max(qGreen(pixel), qBlue(pixel)));
                ++shown[pixel];
            }
        EXPECT_GE(changed, box->fontMetrics().horizontalAdvance('(') * box->fontMetrics().height() / 2);
        EXPECT_EQ(outside, 0);
        EXPECT_GE(contrast, 3);
        EXPECT_GE(red, 0x60);
        const QRgb tint = std::max_element(shown.begin(), shown.end(), [](auto a, auto b) { return a.second < b.second; })->first;
        EXPECT_GE(Contrast(tint, base.rgb()), 2);
        EXPECT_GE(Contrast(tint, palette.color(QPalette::Text).rgb()), 4.5);
    }
    QApplication::setPalette(standard);
}

// The open button passes on only ordinary files; the loader itself reports
// the rest.
TEST(ExpressionFile, NamesThatCannotBeOpenedLeaveTheText)
{
    QTemporaryDir dir;
    for (const QString& name : {QString(), dir.filePath("absent.txt"), dir.path()}) {
        WindowModel w;
        SetText1(w, u"6*7");
        TransferExpressionFile(kLoadFile, w, U8(name));
        EXPECT_EQ(w.label1, "无法打开文件错") << U8(name);
        EXPECT_EQ(w.text1, u"6*7");
    }
}

using Entries = std::vector<std::u16string>;

// Two windows on one file keep each other's entries; repeats, empty and
// over-long texts are not kept; the newest 1000 are.
TEST(History, KeptOnDiskForEveryWindow)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("state/quorvel/history.json");
    History a(file), b(file);
    a.Add(u"1+1");
    b.Add(u"2*3");
    a.Add(u"2*3");
    a.Add(u"");
    a.Add(std::u16string(32767, u'1'));
    const std::u16string longest(32766, u'1');
    a.Add(longest);
    EXPECT_EQ(History(file).Entries(), (Entries{u"1+1", u"2*3", longest}));
    EXPECT_EQ(a.Entries(), (Entries{u"1+1", u"2*3", longest}));
    for (int k = 0; k < 1001; ++k) b.Add(QString::number(k).toStdU16String());
    const Entries kept = History(file).Entries();
    ASSERT_EQ(kept.size(), 1000u);
    EXPECT_EQ(kept.front(), u"1");
    EXPECT_EQ(kept.back(), u"1000");
    b.Clear();
    EXPECT_EQ(History(file).Entries(), Entries{});
    EXPECT_EQ(History().Entries(), Entries{});
}

// A file that is no history of ours, or one where its folder must be, is
// left exactly as it is, the history kept in memory.
TEST(History, UnreadableFilesAreLeftAlone)
{
    const std::pair<QString, const char*> files[] = {
        {"history.json", "not json"}, {"history.json", "{\"a\": 1}"}, {"history.json", "[\"1+1\", 2]"},
        {"history.json", ""},         {"state", "not a folder"}};
    for (const auto& [name, bytes] : files) {
        QTemporaryDir dir;
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        History h(name == "state" ? f.fileName() + "/quorvel/history.json" : f.fileName());
        h.Add(u"6*7");
        EXPECT_EQ(h.Entries(), Entries{u"6*7"}) << bytes;
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll().toStdString(), bytes);
    }
    QTemporaryDir dir;
    // Huge: not read, not replaced.
    QFile huge(dir.filePath("huge.json"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(300LL << 20));
    huge.close();
    History big(huge.fileName());
    big.Add(u"1");
    EXPECT_EQ(big.Entries(), Entries{u"1"});
    EXPECT_EQ(QFileInfo(huge.fileName()).size(), 300LL << 20);
}

TEST(History, FileInTheStateFolder)
{
    const QByteArray state = qgetenv("XDG_STATE_HOME");
    for (const char* set : {"/s", "relative"}) {
        qputenv("XDG_STATE_HOME", set);
        const QString file = set[0] == '/' ? "/s/quorvel/history.json" : QDir::homePath() + "/.local/state/quorvel/history.json";
        EXPECT_EQ(History::DefaultFile(), file);
    }
    qputenv("XDG_STATE_HOME", state);
}

// A key passes when allowed, without regard to case; any other beeps.
class FilterKeyRows : public ::testing::TestWithParam<test::Row> {};
TEST_P(FilterKeyRows, PassesOrBeeps)
{
    const auto key = static_cast<std::int16_t>(test::Units(GetParam()["key"]).at(0));
    const auto backspace = static_cast<std::int16_t>(std::stoi(GetParam()["backspace"]));
    int beeps = 0;
    const std::int16_t passed = FilterKey(key, test::Units(GetParam()["allowed"]), backspace, [&] { ++beeps; });
    EXPECT_EQ(passed == key && !beeps ? "passes" : !passed && beeps == 1 ? "beeps" : "?", GetParam()["result"]);
}
INSTANTIATE_TEST_SUITE_P(Rows, FilterKeyRows, ::testing::ValuesIn(test::Table("filter_key.tsv")), test::RowName);

}  // namespace
}  // namespace quorvel

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_CTYPE, "C.UTF-8");  // case of letters beyond ASCII
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
