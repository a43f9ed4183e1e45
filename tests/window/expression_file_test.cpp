#include "expression_file.h"

#include <csignal>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "fault.h"
#include "temp_files.h"

namespace quorvel {
namespace {

using test::Listing;
using test::ReadBytes;
using test::Utf8;
using test::WriteBytes;

// Everything of the window that file work could touch.
auto Visible(const WindowModel& w)
{
    return std::tuple(w.title, w.text1, w.label1, w.list1, w.list2, w.list3, w.list3Index, w.text2);
}

// A window that has run one cycle and carries a result, so that a change by
// a failed transfer would show.
WindowModel Calculated()
{
    WindowModel w;
    SetText1(w, u"6*7");
    return w;
}

class ExpressionFileTest : public ::testing::Test {
protected:
    QString Path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    QTemporaryDir dir;
};

// --- saving ---------------------------------------------------------------

struct SaveCase {
    const char* name;
    std::u16string text;
    std::string bytes;
};

class SaveTest : public ExpressionFileTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveTest, WritesTheQuotedLineExactlyOverAnyOldContent)
{
    const SaveCase& c = GetParam();
    const QString file = Path("expr.txt");
    ASSERT_TRUE(WriteBytes(file, std::string(100, 'o') + "\r\nold\r\n"));
    WindowModel w;
    SetText1(w, c.text);
    const auto before = Visible(w);

    TransferExpressionFile(kSaveFile, w, Utf8(file));

    EXPECT_EQ(ReadBytes(file), c.bytes);
    EXPECT_EQ(Visible(w), before);
    EXPECT_EQ(Listing(dir.path()), QStringList{"expr.txt"});
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SaveTest,
    ::testing::Values(SaveCase{"product", u"2*x", "\x22\x32\x2A\x78\x22\x0D\x0A"},
                      SaveCase{"empty", u"", "\x22\x22\x0D\x0A"},
                      SaveCase{"quotesUnescaped", u"a\"b", "\"a\"b\"\r\n"},
                      SaveCase{"quotedAgain", u"\"2*x\"", "\"\"2*x\"\"\r\n"},
                      SaveCase{"lineBreaksKept", u"1\n+\r2", "\"1\n+\r2\"\r\n"},
                      SaveCase{"chineseInUtf8", u"变量x", "\"\xE5\x8F\x98\xE9\x87\x8F" "x\"\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExpressionFileTest, OtherModesDoNothing)
{
    const QString file = Path("expr.txt");
    ASSERT_TRUE(WriteBytes(file, "\"9\"\r\n"));
    for (std::int16_t mode : {std::int16_t{-1}, std::int16_t{2}, std::int16_t{256}}) {
        WindowModel w = Calculated();
        const auto before = Visible(w);
        TransferExpressionFile(mode, w, Utf8(file));
        EXPECT_EQ(Visible(w), before) << mode;
        EXPECT_EQ(ReadBytes(file), "\"9\"\r\n") << mode;
    }
    WindowModel w = Calculated();
    TransferExpressionFile(3, w, Utf8(Path("absent")));
    EXPECT_FALSE(QFile::exists(Path("absent")));
}

// --- failed saves -----------------------------------------------------------

struct FailedSaveCase {
    const char* name;
    // Prepares the folder and returns the name to save to.
    QString (*prepare)(const QString& dir);
};

class FailedSaveTest : public ExpressionFileTest, public ::testing::WithParamInterface<FailedSaveCase> {};

TEST_P(FailedSaveTest, ReportsAndLeavesTheFolderAsItWas)
{
    ASSERT_TRUE(WriteBytes(Path("keep.txt"), "\"old\"\r\n"));
    const QString target = GetParam().prepare(dir.path());
    const QStringList listing = Listing(dir.path());
    WindowModel w = Calculated();
    auto expected = Visible(w);
    std::get<2>(expected) = kCannotSave;

    TransferExpressionFile(kSaveFile, w, Utf8(target));

    EXPECT_EQ(Visible(w), expected);
    EXPECT_EQ(Listing(dir.path()), listing);
    EXPECT_EQ(ReadBytes(Path("keep.txt")), "\"old\"\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Targets, FailedSaveTest,
    ::testing::Values(
        FailedSaveCase{"missingFolder", [](const QString& d) { return d + "/no/such/folder/expr.txt"; }},
        FailedSaveCase{"parentIsAFile", [](const QString& d) { return d + "/keep.txt/expr.txt"; }},
        FailedSaveCase{"targetIsAFolder",
                       [](const QString& d) {
                           QDir(d).mkdir("folder");
                           WriteBytes(d + "/folder/inside", "x");
                           return d + "/folder";
                       }},
        FailedSaveCase{"emptyName", [](const QString&) { return QString(); }}),
    [](const auto& info) { return std::string(info.param.name); });

// A write that fails halfway: the file-size limit holds for root as well.
TEST_F(ExpressionFileTest, SaveThatFailsWhileWritingKeepsTheOldFile)
{
    const QString file = Path("expr.txt");
    ASSERT_TRUE(WriteBytes(file, "\"old\"\r\n"));
    WindowModel w;
    SetText1(w, u"7" + std::u16string(5000, u' '));

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 1024;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    TransferExpressionFile(kSaveFile, w, Utf8(file));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(w.label1, kCannotSave);
    EXPECT_EQ(ReadBytes(file), "\"old\"\r\n");
    EXPECT_EQ(Listing(dir.path()), QStringList{"expr.txt"});
}

TEST_F(ExpressionFileTest, SaveIntoAReadOnlyFolderKeepsTheOldFile)
{
    if (test::RunningAsRoot()) GTEST_SKIP() << "root writes into read-only folders";
    const QString sub = Path("ro");
    ASSERT_TRUE(QDir(dir.path()).mkdir("ro"));
    ASSERT_TRUE(WriteBytes(sub + "/expr.txt", "\"old\"\r\n"));
    ASSERT_EQ(chmod(sub.toLocal8Bit().constData(), 0555), 0);
    WindowModel w = Calculated();
    TransferExpressionFile(kSaveFile, w, Utf8(sub + "/expr.txt"));
    chmod(sub.toLocal8Bit().constData(), 0755);
    EXPECT_EQ(w.label1, kCannotSave);
    EXPECT_EQ(ReadBytes(sub + "/expr.txt"), "\"old\"\r\n");
}

// --- loading ----------------------------------------------------------------

struct LoadCase {
    const char* name;
    std::string bytes;
    std::u16string text1;
    std::string label1;  // after the last cycle
};

class LoadTest : public ExpressionFileTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadTest, JoinsTheLinesIntoText1)
{
    const LoadCase& c = GetParam();
    const QString file = Path("expr.txt");
    ASSERT_TRUE(WriteBytes(file, c.bytes));
    WindowModel w;

    TransferExpressionFile(kLoadFile, w, Utf8(file));

    EXPECT_EQ(w.text1, c.text1);
    EXPECT_EQ(w.label1, c.label1);
    EXPECT_FALSE(w.failure.has_value());
    EXPECT_EQ(ReadBytes(file), c.bytes);  // loading only reads
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadTest,
    ::testing::Values(LoadCase{"crLfLines", "1\r\n+\r\n2\r\n", u"1+2", "3"},
                      LoadCase{"loneCrLines", "1\r+\r2\r", u"1+2", "3"},
                      LoadCase{"mixedLineEnds", "1\r+\r\n2", u"1+2", "3"},
                      LoadCase{"noFinalLineEnd", "4*2", u"4*2", "8"},
                      LoadCase{"loneLfIsACharacter", "1\n+\n2\n", u"1\n+\n2\n", "3"},
                      LoadCase{"lfBeforeCr", "1\n\r+2", u"1\n+2", "3"},
                      LoadCase{"crCrLf", "1\r\r\n+2", u"1+2", "3"},
                      LoadCase{"blankLines", "\r\n\r\n5\r\n\r\n", u"5", "5"},
                      LoadCase{"savedFile", "\"2*x\"\r\n", u"\"2*x\"", "0"},
                      LoadCase{"savedTwice", "\"\"2*x\"\"\r\n", u"\"\"2*x\"\"", "0"},
                      LoadCase{"byteOrderMarkKept", "\xEF\xBB\xBF" "3", u"\uFEFF3", "3"},
                      LoadCase{"chinese", "\xE5\x8F\x98" "1+1", u"变1+1", "2"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExpressionFileTest, LoadedSavedFileGivesTheSameTokensAndResetsValues)
{
    const QString file = Path("expr.txt");
    WindowModel w;
    SetText1(w, u"2*x");
    TransferExpressionFile(kSaveFile, w, Utf8(file));
    List3_Click(w, 0);
    SetText2(w, "5");
    Command1_Click(w);
    ASSERT_EQ(w.label1, "10");

    WindowModel loaded;
    RowList tokens;
    TransferExpressionFile(kLoadFile, loaded, Utf8(file));
    Command1_Click(loaded, &tokens);
    EXPECT_EQ(loaded.text1, u"\"2*x\"");
    EXPECT_EQ(tokens, (RowList{"3", "2", "*", "x"}));
    EXPECT_EQ(loaded.list2, RowList{"x"});
    EXPECT_EQ(loaded.list3, RowList{"0"});
    EXPECT_EQ(loaded.label1, "0");

    TransferExpressionFile(kSaveFile, loaded, Utf8(file));
    EXPECT_EQ(ReadBytes(file), "\"\"2*x\"\"\r\n");
}

TEST_F(ExpressionFileTest, SavedEmptyExpressionLoadsAsTwoQuotes)
{
    const QString file = Path("expr.txt");
    WindowModel w;
    TransferExpressionFile(kSaveFile, w, Utf8(file));
    WindowModel loaded;
    TransferExpressionFile(kLoadFile, loaded, Utf8(file));
    EXPECT_EQ(loaded.text1, u"\"\"");
    EXPECT_EQ(loaded.list1, RowList{"0"});
    EXPECT_NE(loaded.title, "Quorvel");  // the check ran and named the missing first token
    EXPECT_FALSE(loaded.title.empty());
}

TEST_F(ExpressionFileTest, EmptyFileOrUnchangedTextRunsNoCycle)
{
    const QString file = Path("expr.txt");
    for (const std::string bytes : {"", "\r\n", "\r\r\n\r"}) {
        ASSERT_TRUE(WriteBytes(file, bytes));
        WindowModel w;
        TransferExpressionFile(kLoadFile, w, Utf8(file));
        EXPECT_EQ(w.title, "Quorvel") << "a cycle ran for " << testing::PrintToString(bytes);
        EXPECT_EQ(w.list1.Count(), 0);
    }
    ASSERT_TRUE(WriteBytes(file, "6*7"));
    WindowModel w = Calculated();
    w.label1 = "marker";
    TransferExpressionFile(kLoadFile, w, Utf8(file));
    EXPECT_EQ(w.label1, "marker");
}

// The load stops at the first line whose cycle fails: Text1 holds the lines
// up to it, and Label1 names the line.
TEST_F(ExpressionFileTest, FailingCycleStopsTheLoadAtItsLine)
{
    const QString file = Path("expr.txt");
    ASSERT_TRUE(WriteBytes(file, "1+\r\nsqr(_4)\r\n+2\r\n"));
    WindowModel w;
    TransferExpressionFile(kLoadFile, w, Utf8(file));
    EXPECT_EQ(w.text1, u"1+sqr(_4)");
    ASSERT_TRUE(w.failure.has_value());
    EXPECT_EQ(w.label1, LoadStoppedMessage(2, *w.failure));
    EXPECT_EQ(w.label1.rfind("载入第2行时", 0), 0u);

    // The window stays usable.
    SetText1(w, u"1+2");
    EXPECT_EQ(w.label1, "3");
}

TEST_F(ExpressionFileTest, OverLongFileStopsAtTheLineThatMakesItTooLong)
{
    const QString file = Path("expr.txt");
    const std::string spaces(20000, ' ');
    ASSERT_TRUE(WriteBytes(file, "1" + spaces + "\r\n" + spaces + "\r\n+1\r\n"));
    WindowModel w;
    TransferExpressionFile(kLoadFile, w, Utf8(file));
    EXPECT_EQ(w.text1.size(), 40001u);
    EXPECT_EQ(w.label1, LoadStoppedMessage(2, FaultMessage(Fault{FaultKind::TooLong, {}})));
}

struct UnreadableCase {
    const char* name;
    QString (*prepare)(const QString& dir);
    const char* message;
};

class UnreadableTest : public ExpressionFileTest, public ::testing::WithParamInterface<UnreadableCase> {};

TEST_P(UnreadableTest, ReportsAndChangesNothingElse)
{
    const UnreadableCase& c = GetParam();
    const QString name = c.prepare(dir.path());
    WindowModel w = Calculated();
    auto expected = Visible(w);
    std::get<2>(expected) = c.message;

    TransferExpressionFile(kLoadFile, w, Utf8(name));

    EXPECT_EQ(Visible(w), expected);
    SetText1(w, u"2+2");  // usable afterwards
    EXPECT_EQ(w.label1, "4");
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadableTest,
    ::testing::Values(
        UnreadableCase{"missing", [](const QString& d) { return d + "/absent.txt"; }, kCannotOpen},
        UnreadableCase{"folder",
                       [](const QString& d) {
                           QDir(d).mkdir("folder.txt");
                           return d + "/folder.txt";
                       },
                       kCannotOpen},
        // An ordinary file by its listing whose first read fails.
        UnreadableCase{"readError", [](const QString&) { return QString("/proc/self/mem"); }, kCannotRead}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExpressionFileTest, FileWithoutReadPermission)
{
    if (test::RunningAsRoot()) GTEST_SKIP() << "root reads files whatever their permission bits";
    const QString file = Path("locked.txt");
    ASSERT_TRUE(WriteBytes(file, "1+1"));
    ASSERT_EQ(chmod(file.toLocal8Bit().constData(), 0), 0);
    WindowModel w = Calculated();
    TransferExpressionFile(kLoadFile, w, Utf8(file));
    EXPECT_EQ(w.label1, kCannotOpen);
    EXPECT_EQ(w.text1, u"6*7");
}

// --- the existence test of the open button ----------------------------------

TEST_F(ExpressionFileTest, OrdinaryFilesAreThePlainVisibleOnes)
{
    ASSERT_TRUE(WriteBytes(Path("plain.txt"), "1"));
    ASSERT_TRUE(WriteBytes(Path(".hidden.txt"), "1"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    ASSERT_TRUE(QFile::link(Path("plain.txt"), Path("link.txt")));
    ASSERT_EQ(mkfifo(Path("fifo").toLocal8Bit().constData(), 0600), 0);

    const std::vector<std::pair<QString, bool>> cases = {
        {Path("plain.txt"), true},  {Path("link.txt"), true}, {Path(".hidden.txt"), false},
        {Path("folder"), false},    {Path("fifo"), false},    {Path("absent.txt"), false},
        {QString(), false},         {"/dev/null", false},
    };
    for (const auto& [name, ordinary] : cases) EXPECT_EQ(IsOrdinaryFile(Utf8(name)), ordinary) << Utf8(name);
}

}  // namespace
}  // namespace quorvel
