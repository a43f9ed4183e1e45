// The expression-file loader on arbitrary file contents: NUL bytes, invalid
// UTF-8, lone CRs and LFs, long lines, many lines. The bytes are written to
// a file and loaded into a window; the window must end exactly as a window
// that was given the joined lines one by one, the file must be unchanged,
// and "1+2" must still give 3. Input: a flags byte, then the file contents.
//   flags bits 0-1: 0, 1 an ordinary file; 2 the name of a folder; 3 a name
//                   below an ordinary file (neither can be opened)
//   bit 2: load into a window that has calculated 6*7, else a fresh one
//   bit 3: the contents repeated up to the next byte + 1 times (at most
//          256 KiB, fewer for many lines)
//   bit 4: save the loaded text and load the saved file again
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringDecoder>

#include "checks.h"
#include "expression_file.h"
#include "fields.h"
#include "window_model.h"

namespace {

using namespace quorvel;
using fuzz::Require;

constexpr size_t kMaxBytes = size_t{256} * 1024;

// One folder per process, removed at exit.
const QString& Folder()
{
    static const QString* folder = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/quorvel-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        auto* name = new QString(QString::fromStdString(pattern));
        QDir(*name).mkdir("folder");
        std::atexit([] { QDir(Folder()).removeRecursively(); });
        return name;
    }();
    return *folder;
}

std::string Name(const char* leaf) { return (Folder() + "/" + leaf).toStdString(); }

bool Write(const std::string& name, const std::string& bytes)
{
    QFile f(QString::fromStdString(name));
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           f.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

std::string Read(const std::string& name)
{
    QFile f(QString::fromStdString(name));
    if (!f.open(QIODevice::ReadOnly)) return "<unreadable>";
    return f.readAll().toStdString();
}

// The window as the user sees it, and what the next rnd draw gives.
bool SameWindow(WindowModel& a, WindowModel& b)
{
    return a.title == b.title && a.text1 == b.text1 && a.label1 == b.label1 && a.failure == b.failure &&
           a.list1 == b.list1 && a.list2 == b.list2 && a.list3 == b.list3 && a.list3Index == b.list3Index &&
           a.text2 == b.text2 && a.rnd.Next(1) == b.rnd.Next(1);
}

std::string Describe(const WindowModel& w)
{
    return "title " + fuzz::Quote(w.title) + ", text1 " + fuzz::Show(w.text1) + ", label1 " + fuzz::Quote(w.label1) +
           ", list1 " + fuzz::Show(w.list1);
}

WindowModel Start(bool calculated)
{
    WindowModel w;
    if (calculated) SetText1(w, u"6*7");
    return w;
}

// What loading the text must amount to: lines end at CR LF or a lone CR,
// are joined with nothing between, and each joined text that differs from
// the box is assigned to it; the first failing cycle ends the load.
void LoadByHand(WindowModel& w, const std::u16string& text)
{
    std::u16string joined;
    std::u16string line;
    int number = 0;
    auto endLine = [&]() -> bool {
        ++number;
        joined += line;
        line.clear();
        if (joined == w.text1) return true;
        w.text1 = joined;
        // Checking every cycle of a file of thousands of lines would cost
        // more than the cycles; the first lines and every 64th are enough.
        if (number <= 8 || number % 64 == 0) {
            const fuzz::Before before(w);
            RowList tokens;
            Text1_Change(w, &tokens);
            fuzz::CheckCycle(w, before, tokens, true, "a cycle of the load");
        } else {
            Text1_Change(w);
        }
        if (!w.failure) return true;
        w.label1 = "载入第" + std::to_string(number) + "行时" + *w.failure;
        return false;
    };
    for (size_t k = 0; k < text.size(); ++k) {
        if (text[k] != u'\r') {
            line += text[k];
            continue;
        }
        if (k + 1 < text.size() && text[k + 1] == u'\n') ++k;
        if (!endLine()) return;
    }
    if (!line.empty()) endLine();
}

std::u16string Decoded(const std::string& bytes)
{
    QStringDecoder decode(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    const QString text = decode(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return text.toStdU16String();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Fields in(data, size);
    const std::uint8_t flags = in.Byte();
    const std::uint8_t times = (flags & 8) ? in.Byte() : 0;
    std::string bytes = in.Rest();
    if (flags & 8) {
        // Every line end runs a cycle on all the text before it: lines times
        // length is kept to what a run of thousands of inputs can afford.
        const std::string unit = bytes;
        const auto ends = static_cast<size_t>(std::count(unit.begin(), unit.end(), '\r'));
        for (size_t k = 1; k <= times; ++k) {
            const size_t size = unit.size() * (k + 1);
            if (size > kMaxBytes || (ends * (k + 1) + 1) * size > 1'000'000) break;
            bytes += unit;
        }
    }

    const std::string file = Name("expr.txt");
    Require(Write(file, bytes), "cannot write the test file");
    WindowModel w = Start(flags & 4);

    if ((flags & 3) >= 2) {
        // Neither a folder nor a name below a file opens; only Label1 tells.
        const std::string name = (flags & 3) == 2 ? Name("folder") : file + "/below";
        Require(!IsOrdinaryFile(name), "a folder or a name below a file counts as an ordinary file");
        WindowModel expected = Start(flags & 4);
        expected.label1 = kCannotOpen;
        TransferExpressionFile(kLoadFile, w, name);
        Require(SameWindow(w, expected), "a failed open changed the window: " + Describe(w));
        fuzz::CheckStillUsable(w, "after a failed open");
        return 0;
    }

    Require(IsOrdinaryFile(file), "the test file is no ordinary file");
    TransferExpressionFile(kLoadFile, w, file);
    WindowModel expected = Start(flags & 4);
    LoadByHand(expected, Decoded(bytes));
    if (!SameWindow(w, expected))
        fuzz::Fail("the load differs from the lines given one by one\n  loaded:   " + Describe(w) +
                   "\n  expected: " + Describe(expected) + "\n  failure: " + (w.failure ? *w.failure : "(none)"));
    Require(Read(file) == bytes, "loading changed the file");

    if (flags & 16) {
        const std::string saved = Name("saved.txt");
        const WindowModel before = w;
        TransferExpressionFile(kSaveFile, w, saved);
        // QString::fromStdU16String would drop a leading U+FEFF; the save keeps it.
        const QStringView text(w.text1.data(), static_cast<qsizetype>(w.text1.size()));
        Require(w.label1 == before.label1, "a save changed Label1: " + w.label1);
        const std::string line = "\"" + text.toUtf8().toStdString() + "\"\r\n";
        Require(Read(saved) == line, "the saved file is not the quoted line:\n  saved:    " + fuzz::Quote(Read(saved)) +
                                         "\n  expected: " + fuzz::Quote(line));
        WindowModel again;
        TransferExpressionFile(kLoadFile, again, saved);
        Require(again.text1 == u"\"" + w.text1 + u"\"", "the saved file loads as another text");
        fuzz::CheckStillUsable(again, "after loading the saved file");
    }
    fuzz::CheckStillUsable(w, "after the load");
    return 0;
}
