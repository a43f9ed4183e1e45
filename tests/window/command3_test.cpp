#include "command3.h"

#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "scripted_dialog.h"
#include "temp_files.h"

namespace quorvel {
namespace {

using test::ReadBytes;
using test::ScriptedDialog;
using test::Utf8;
using test::WriteBytes;

auto Visible(const WindowModel& w)
{
    return std::tuple(w.title, w.text1, w.label1, w.list1, w.list2, w.list3, w.list3Index, w.text2);
}

class Command3Test : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return Utf8(dir.filePath(QString::fromUtf8(name))); }
    bool Write(const char* name, const std::string& bytes) const
    {
        return WriteBytes(dir.filePath(QString::fromUtf8(name)), bytes);
    }
    QTemporaryDir dir;
    ScriptedDialog dialog;
    WindowModel w;
};

TEST_F(Command3Test, OpenShowsTheOpenDialogAndLoadsTheChosenFile)
{
    ASSERT_TRUE(Write("expr.txt", "\"1+\"\r\n2\r\n"));
    dialog.answers = {Path("expr.txt")};

    Command3_Click(0, w, dialog);

    ASSERT_EQ(dialog.shown.size(), 1u);
    EXPECT_EQ(dialog.shown[0].call, "ShowOpen");
    EXPECT_EQ(dialog.shown[0].title, "打开");
    EXPECT_FALSE(dialog.shown[0].cancelError);
    EXPECT_EQ(dialog.shown[0].filter, "所有文本 (*.txt)");
    EXPECT_EQ(w.text1, u"\"1+\"2");
    EXPECT_EQ(w.label1, "3");
}

TEST_F(Command3Test, SaveShowsTheSaveDialogAndWritesTheNameAsChosen)
{
    SetText1(w, u"2*x");
    const auto before = Visible(w);
    dialog.answers = {Path("no_suffix")};

    Command3_Click(1, w, dialog);

    ASSERT_EQ(dialog.shown.size(), 1u);
    EXPECT_EQ(dialog.shown[0].call, "ShowSave");
    EXPECT_EQ(dialog.shown[0].title, "另存为");
    EXPECT_FALSE(dialog.shown[0].cancelError);
    EXPECT_EQ(dialog.shown[0].filter, "所有文件 (*.txt)");
    EXPECT_EQ(ReadBytes(dir.filePath("no_suffix")), "\"2*x\"\r\n");
    EXPECT_FALSE(QFile::exists(dir.filePath("no_suffix.txt")));
    EXPECT_EQ(Visible(w), before);
}

// Cancelling after an earlier choice must not reuse that name.
TEST_F(Command3Test, CancelDoesNoFileWork)
{
    ASSERT_TRUE(Write("expr.txt", "9"));
    SetText1(w, u"6*7");
    dialog.answers = {Path("expr.txt"), "", Path("expr.txt"), ""};
    Command3_Click(0, w, dialog);
    ASSERT_EQ(w.text1, u"9");
    SetText1(w, u"6*7");
    const auto before = Visible(w);

    Command3_Click(0, w, dialog);
    EXPECT_EQ(Visible(w), before);

    Command3_Click(1, w, dialog);
    ASSERT_EQ(ReadBytes(dir.filePath("expr.txt")), "\"6*7\"\r\n");
    ASSERT_TRUE(Write("expr.txt", "9"));
    Command3_Click(1, w, dialog);
    EXPECT_EQ(ReadBytes(dir.filePath("expr.txt")), "9");
    EXPECT_EQ(dialog.shown.size(), 4u);
}

TEST_F(Command3Test, OpenIgnoresNamesThatAreNotOrdinaryFiles)
{
    ASSERT_TRUE(Write(".hidden.txt", "1+1"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.txt"));
    SetText1(w, u"6*7");
    const auto before = Visible(w);
    for (const char* name : {".hidden.txt", "folder.txt", "absent.txt"}) {
        dialog.answers = {Path(name)};
        Command3_Click(0, w, dialog);
        EXPECT_EQ(Visible(w), before) << name;  // no message either
    }
}

TEST_F(Command3Test, OtherIndexesShowNoDialog)
{
    SetText1(w, u"6*7");
    const auto before = Visible(w);
    dialog.answers = {Path("expr.txt")};
    for (std::int16_t index : {std::int16_t{-1}, std::int16_t{2}, std::int16_t{32767}}) Command3_Click(index, w, dialog);
    EXPECT_TRUE(dialog.shown.empty());
    EXPECT_EQ(Visible(w), before);
    EXPECT_FALSE(QFile::exists(dir.filePath("expr.txt")));
}

}  // namespace
}  // namespace quorvel
