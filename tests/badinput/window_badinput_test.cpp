// Bad input through the window on the offscreen platform: expressions and
// values entered into its boxes, files chosen through its open and save
// buttons. Every row starts from a window that has calculated 6*7, checks
// what the controls show, that no file changed unless a save succeeded, and
// that 1+2 still gives 3 afterwards.
#include <fcntl.h>
#include <unistd.h>

#include <functional>
#include <map>
#include <optional>
#include <string>

#include <QApplication>
#include <QClipboard>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "expression_file.h"
#include "form1.h"
#include "scripted_dialog.h"
#include "temp_files.h"

namespace quorvel {
namespace {

const QString kTooLong = "表达式超过32766个字符错";
const QString kValueX = "变量x的值不是数字错";
const QString kFirstToken = "错误:第一个字符串类型只能是(,正,负常数,变量";

QString Repeat(const QString& unit, int times) { return unit.repeated(times); }

QString Utf16(std::u16string_view s) { return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size())); }

// Every file below a folder with its bytes.
std::map<QString, QByteArray> Snapshot(const QString& dir)
{
    std::map<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = it.next();
        QFile f(name);
        files[name] = it.fileInfo().isFile() && f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<folder>");
    }
    return files;
}

// Root writes wherever the permission bits say no, but not into /proc or /sys.
bool CanCreateIn(const char* dir)
{
    const std::string probe = std::string(dir) + "/quorvel-badinput-probe";
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

class WindowBadInput : public ::testing::Test {
public:
    void SetUp() override
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        QTest::keyClicks(Text1(), "6*7");
        ASSERT_EQ(Label1(), "42");
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

    // As a user would: select the row, empty the box, paste the value (the
    // key filter lets only digits and "." be typed).
    void EnterValue(int row, const QString& value)
    {
        ClickRow("List3", row);
        ASSERT_EQ(Control<QListView>("List3")->currentIndex().row(), row);
        QTest::keySequence(Text2(), QKeySequence::SelectAll);
        if (value.isEmpty()) {
            QTest::keyClick(Text2(), Qt::Key_Backspace);
        } else {
            QApplication::clipboard()->setText(value);
            QTest::keySequence(Text2(), QKeySequence::Paste);
        }
        ASSERT_EQ(Text2()->text(), value);
    }

    void ExpectStillCalculates()
    {
        Text1()->setText("1+2");
        EXPECT_EQ(Label1(), "3");
        EXPECT_EQ(form.windowTitle(), "");
        EXPECT_EQ(Rows("List1"), QStringList({"3", "3"}));
        EXPECT_TRUE(Rows("List2").isEmpty());
        EXPECT_TRUE(Rows("List3").isEmpty());
    }

protected:
    test::ScriptedDialog dialog;
    Form1 form{&dialog, [] {}};
};

// --- expressions and values ---------------------------------------------------

struct EntryRow {
    const char* name;
    QString text;         // short ones are typed key by key, long ones pasted
    QStringList values;   // entered into the value rows before "计算"; none: no click
    QString label1;
    QString title;
    bool keepsLists = false;  // List1..3 still show what 6*7 left
};

void PrintTo(const EntryRow& row, std::ostream* os) { *os << row.name; }

class Entries : public WindowBadInput, public ::testing::WithParamInterface<EntryRow> {};

TEST_P(Entries, ShowTheMessageAndStayUsable)
{
    const EntryRow& row = GetParam();
    const QStringList lists[] = {Rows("List1"), Rows("List2"), Rows("List3")};
    const bool typed = row.text.size() <= 40 && row.text == row.text.toLatin1();
    if (typed) {
        Text1()->clear();
        QTest::keyClicks(Text1(), row.text);
    } else {
        Text1()->setText(row.text);
    }
    ASSERT_EQ(Text1()->text(), row.text);
    if (!row.values.isEmpty()) {
        ASSERT_EQ(Rows("List3").size(), row.values.size());
        for (int k = 0; k < row.values.size(); ++k) EnterValue(k, row.values[k]);
        EXPECT_EQ(Rows("List3"), row.values);
        QTest::mouseClick(Control<QPushButton>("Command1"), Qt::LeftButton);
    }

    EXPECT_EQ(Label1(), row.label1);
    EXPECT_EQ(form.windowTitle(), row.title);
    EXPECT_EQ(Label1().toStdString(), form.Model().label1);
    if (row.keepsLists) {
        EXPECT_EQ(Rows("List1"), lists[0]);
        EXPECT_EQ(Rows("List2"), lists[1]);
        EXPECT_EQ(Rows("List3"), lists[2]);
    }
    ExpectStillCalculates();
}

INSTANTIATE_TEST_SUITE_P(Failures, Entries, ::testing::Values(
    EntryRow{"overflowOfAValue", "x*10", {"1e308"}, "数值溢出错", ""},
    EntryRow{"rootOfANegative", "sqr(_1)", {}, "负数不能开平方错", ""},
    EntryRow{"logOfZero", "log(0)", {}, "对数的参数必须大于0错", ""},
    EntryRow{"zeroToANegativePower", "0^_1", {}, "乘方没有实数结果错", ""},
    EntryRow{"rootOfANegativeBase", "_8^0.5", {}, "乘方没有实数结果错", ""},
    EntryRow{"expBeyondADouble", "exp(710)", {}, "数值溢出错", ""},
    EntryRow{"quotientOfAHugeValue", "x\\2", {"1e10"}, "整除的操作数超出范围错", ""},
    EntryRow{"divisorRoundingToZero", "7\\0.4", {}, "整除的除数取整后为0错", ""},
    EntryRow{"quotientBeyond32Bits", "_2147483648\\_1", {}, "整除的结果超出范围错", ""}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Values, Entries, ::testing::Values(
    EntryRow{"empty", "x+1", {""}, kValueX, ""},
    EntryRow{"point", "x+1", {"."}, kValueX, ""},
    EntryRow{"twoPoints", "x+1", {"1.2.3"}, kValueX, ""},
    EntryRow{"minusAlone", "x+1", {"-"}, kValueX, ""},
    EntryRow{"surroundingSpaces", "x+1", {" 5 "}, kValueX, ""},
    EntryRow{"beyondADouble", "x+1", {"1e999"}, kValueX, ""},
    EntryRow{"notANumber", "x+1", {"nan"}, kValueX, ""},
    EntryRow{"infinity", "x+1", {"inf"}, kValueX, ""},
    EntryRow{"hexadecimal", "x+1", {"0x10"}, kValueX, ""},
    EntryRow{"tenThousandDigits", "x+1", {QString(10000, '7')}, kValueX, ""},
    EntryRow{"tenThousandCharactersOfATinyValue", "x+1", {"0." + QString(9997, '0') + "1"}, "1", ""},
    EntryRow{"secondValueIsNoNumber", "x*y", {"2", "inf"}, kValueX, ""}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Texts, Entries, ::testing::Values(
    EntryRow{"sumOf32766", Repeat("1+", 16382) + "1 ", {}, "16383", ""},
    EntryRow{"length32767", Repeat("1+", 16383) + "1", {}, kTooLong, "", true},
    EntryRow{"hundredThousand", Repeat("x+", 50000), {}, kTooLong, "", true},
    EntryRow{"loneSurrogates", Utf16(u"1+") + QChar(0xD800) + "2" + QChar(0xDFFF), {}, "3", ""},
    EntryRow{"everyClassMixed", Utf16(u" 1_2.5.0,+\t\"x\"中*\n(\u3000_.5Ａ-SIN(0))é^2"), {"2"}, "13", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// --- files through the open and save buttons ----------------------------------

struct FileRow {
    const char* name;
    int button;  // 0 open, 1 save
    // Prepares the folder and returns the name the dialog answers, or an
    // empty optional with a reason in skip when the row cannot run here.
    std::function<std::optional<QString>(const QString& dir, std::string& skip)> prepare;
    QString label1;
    QString title;
    std::function<void(WindowBadInput&)> more = {};  // further checks, or empty
    bool keepsText1AndLists = false;
};

void PrintTo(const FileRow& row, std::ostream* os) { *os << row.name; }

// Writes bytes into dir/name and answers that name.
auto File(const char* name, const QByteArray& bytes)
{
    return [name, bytes](const QString& dir, std::string&) -> std::optional<QString> {
        const QString path = dir + "/" + name;
        if (!test::WriteBytes(path, bytes.toStdString())) return std::nullopt;
        return path;
    };
}

auto Fixed(const QString& name) { return [name](const QString&, std::string&) -> std::optional<QString> { return name; }; }

// A name in a folder that refuses new files to root as well.
auto IntoUnwritable(const char* dir, const char* leaf)
{
    return [dir, leaf](const QString&, std::string& skip) -> std::optional<QString> {
        if (CanCreateIn(dir)) {
            skip = std::string("this system lets root create files in ") + dir;
            return std::nullopt;
        }
        return QString::fromLatin1(dir) + "/" + leaf;
    };
}

QByteArray AllBytes()
{
    QByteArray b;
    for (int c = 0; c < 256; ++c) b.append(static_cast<char>(c));
    return b;
}

class Files : public WindowBadInput, public ::testing::WithParamInterface<FileRow> {
protected:
    QTemporaryDir dir;
};

TEST_P(Files, ShowTheOutcomeAndChangeNoFileUnlessSaved)
{
    const FileRow& row = GetParam();
    ASSERT_TRUE(dir.isValid());
    std::string skip;
    const std::optional<QString> name = row.prepare(dir.path(), skip);
    if (!skip.empty()) GTEST_SKIP() << skip;
    ASSERT_TRUE(name.has_value());
    QFile outside(*name);
    const bool outsideFolder = !name->startsWith(dir.path());
    const QByteArray outsideBefore = outsideFolder && outside.open(QIODevice::ReadOnly) ? outside.read(1 << 16) : "";
    outside.close();
    const auto files = Snapshot(dir.path());
    const QString text1 = Text1()->text();
    const QStringList lists[] = {Rows("List1"), Rows("List2"), Rows("List3")};

    dialog.answers = {name->toStdString()};
    QTest::mouseClick(Control<QPushButton>(row.button == 0 ? "Command3_0" : "Command3_1"), Qt::LeftButton);
    ASSERT_EQ(dialog.shown.size(), 1u);

    EXPECT_EQ(Label1(), row.label1);
    EXPECT_EQ(form.windowTitle(), row.title);
    if (row.keepsText1AndLists) {
        EXPECT_EQ(Text1()->text(), text1);
        EXPECT_EQ(Rows("List1"), lists[0]);
        EXPECT_EQ(Rows("List2"), lists[1]);
        EXPECT_EQ(Rows("List3"), lists[2]);
    }
    if (row.more) row.more(*this);
    EXPECT_TRUE(Snapshot(dir.path()) == files) << "a file in the folder changed";
    if (outsideFolder && outside.open(QIODevice::ReadOnly)) {
        EXPECT_EQ(outside.read(1 << 16), outsideBefore);
    }
    if (row.button == 1 && outsideBefore.isEmpty()) {
        EXPECT_FALSE(QFile::exists(*name)) << "a failed save left a file";
    }
    ExpectStillCalculates();
}

INSTANTIATE_TEST_SUITE_P(Open, Files, ::testing::Values(
    // Bytes 0..255: line one (up to the CR at 13) has no token; line two
    // holds ( ) * + - . / the digits, the capitals, \ ^ _ and the small
    // letters among separators, and every byte from 128 on is invalid UTF-8.
    FileRow{"everyByteValue", 0, File("bytes.bin", AllBytes()), "42", "错误:第2个字符它必需是( 正,负数,变量",
            [](WindowBadInput& t) {
                EXPECT_EQ(t.Rows("List1"), QStringList({"13", "(", ")", "*", "+", "-", "0.", "/", "0123456789", "0",
                                                        "\\", "^", "-1", "0"}));
                EXPECT_EQ(t.Rows("List2"), QStringList({"abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ"}));
                EXPECT_FALSE(t.Text1()->text().contains('\r'));
            }},
    FileRow{"nulsAroundAnExpression", 0, File("nul.bin", QByteArray("\0\x01\x02" "1+2\xff\xfe\x80\0", 10)), "3", ""},
    // An overlong "/", an encoded surrogate and a code beyond U+10FFFF are
    // no characters of the expression.
    FileRow{"invalidUtf8Sequences", 0, File("bad.txt", "\xc0\xaf" "1\xed\xa0\x80+\xf4\x90\x80\x80" "2"), "3", ""},
    FileRow{"oneMegabyteOnOneLine", 0, File("big.txt", QByteArray("1+").repeated(1 << 19)),
            "载入第1行时" + kTooLong, "",
            [](WindowBadInput& t) { EXPECT_EQ(t.Text1()->text().size(), 1 << 20); }},
    FileRow{"oneMegabyteOfLineFeeds", 0, File("lf.txt", QByteArray("1\n").repeated(1 << 19)),
            "载入第1行时" + kTooLong, ""},
    // Each line adds a space and runs a cycle; the text is too long at line 32767.
    FileRow{"hundredThousandLines", 0, File("lines.txt", QByteArray(" \r\n").repeated(100000)),
            "载入第32767行时" + kTooLong, kFirstToken,
            [](WindowBadInput& t) { EXPECT_EQ(t.Text1()->text(), QString(32767, ' ')); }},
    FileRow{"hundredThousandEmptyLinesThenASum", 0,
            File("empty.txt", QByteArray("\r\n").repeated(99999) + "1+2\r\n"), "3", ""},
    FileRow{"hundredThousandLoneCarriageReturns", 0, File("cr.txt", QByteArray("\r").repeated(100000) + "4*2"),
            "8", ""},
    // Listed as an ordinary file, but reading it fails (for root too).
    FileRow{"readFails", 0, Fixed("/proc/self/mem"), "读取文件错", "", {}, true},
    FileRow{"folder", 0, [](const QString& d, std::string&) -> std::optional<QString> {
                QDir(d).mkdir("folder.txt");
                return d + "/folder.txt";
            }, "42", "", {}, true},
    FileRow{"nameBelowAFile", 0, [](const QString& d, std::string&) -> std::optional<QString> {
                test::WriteBytes(d + "/plain.txt", "1+1");
                return d + "/plain.txt/expr.txt";
            }, "42", "", {}, true}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Save, Files, ::testing::Values(
    FileRow{"intoProc", 1, IntoUnwritable("/proc", "quorvel-expr.txt"), "无法保存文件错", "", {}, true},
    FileRow{"intoSys", 1, IntoUnwritable("/sys", "quorvel-expr.txt"), "无法保存文件错", "", {}, true},
    FileRow{"overAFileInProc", 1,
            [](const QString& d, std::string& skip) -> std::optional<QString> {
                if (!QFile::exists("/proc/version")) skip = "no /proc/version";
                return IntoUnwritable("/proc", "version")(d, skip);
            },
            "无法保存文件错", "", {}, true}),
    [](const auto& info) { return std::string(info.param.name); });

// The one change a file may see: a successful save, here of a text too long
// to calculate and holding a lone surrogate, which is written as U+FFFD; the
// saved file loads back and calculates.
TEST_F(WindowBadInput, SavingAnOverLongTextWritesItAndLoadsBack)
{
    QTemporaryDir dir;
    const QString text = "1+" + QString(QChar(0xD800)) + "2" + QString(32767, ' ');
    Text1()->setText(text);
    ASSERT_EQ(Label1(), kTooLong);
    const QString saved = dir.filePath("saved.txt");
    dialog.answers = {saved.toStdString(), saved.toStdString()};

    QTest::mouseClick(Control<QPushButton>("Command3_1"), Qt::LeftButton);
    EXPECT_EQ(Label1(), kTooLong);
    const std::string expected = "\"1+\xEF\xBF\xBD" "2" + std::string(32767, ' ') + "\"\r\n";
    EXPECT_TRUE(test::ReadBytes(saved) == expected);
    EXPECT_EQ(Snapshot(dir.path()).size(), 1u);

    QTest::mouseClick(Control<QPushButton>("Command3_0"), Qt::LeftButton);
    EXPECT_EQ(Text1()->text(), "\"1+\uFFFD" "2" + QString(32767, ' ') + "\"");
    EXPECT_EQ(Label1(), "载入第1行时" + kTooLong);
    ExpectStillCalculates();
}

// The loader itself on names the open button never hands it.
TEST(LoaderBadInput, NamesThatAreNoOrdinaryFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(test::WriteBytes(dir.filePath("plain.txt"), "1+1"));
    struct Case {
        QString name;
        std::string label1;
    };
    const Case cases[] = {
        {dir.filePath("plain.txt/expr.txt"), kCannotOpen},
        {"/dev/null", "42"},  // opens and is empty: no cycle
    };
    for (const Case& c : cases) {
        WindowModel w;
        SetText1(w, u"6*7");
        const WindowModel before = w;
        TransferExpressionFile(kLoadFile, w, c.name.toStdString());
        EXPECT_EQ(w.label1, c.label1) << c.name.toStdString();
        EXPECT_EQ(w.text1, before.text1);
        EXPECT_EQ(w.title, before.title);
        EXPECT_EQ(w.list1, before.list1);
        SetText1(w, u"1+2");
        EXPECT_EQ(w.label1, "3");
    }
    EXPECT_EQ(test::ReadBytes(dir.filePath("plain.txt")), "1+1");
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
