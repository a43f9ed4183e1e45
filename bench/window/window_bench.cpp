// The window's own costs, through the real widgets on the offscreen
// platform: each timed step ends when every control has shown its rows.
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <string>
#include <utility>

#include "form1.h"
#include "scripted_dialog.h"

namespace quorvel {
namespace {

// An expression of exactly n characters with a variable every few
// characters, ending in digit d so that two of them differ.
QString Expression(int n, char d)
{
    const QString unit = "x+y*2-z/3+";
    QString text;
    text.reserve(n);
    while (text.size() + unit.size() < n) text += unit;
    while (text.size() < n - 1) text += '1';
    text += QChar::fromLatin1(d);
    return text;
}

// Lets the views lay out and paint what the last step changed.
void Settle() { QCoreApplication::processEvents(); }

struct Window {
    test::ScriptedDialog dialog;
    Form1 form{&dialog, [] {}};
    Window()
    {
        form.show();
        Settle();
    }
};

// Alternates two texts of the same length: with `keystroke` they differ in
// the last digit only, as when a digit is retyped, so the name and value
// lists keep their rows; otherwise the first variable becomes a number and
// every list control is rebuilt.
void Text1Change(benchmark::State& state, bool keystroke)
{
    Window w;
    auto* text1 = w.form.findChild<QLineEdit*>("Text1");
    const int n = static_cast<int>(state.range(0));
    QString texts[2] = {Expression(n, '1'), Expression(n, '2')};
    if (!keystroke) texts[1] = Expression(n, '1').replace(0, 1, '7');
    int i = 0;
    for (auto _ : state) {
        text1->setText(texts[i ^= 1]);
        Settle();
    }
    state.counters["variables"] = w.form.Model().list2.Count();
}
void BM_Text1Keystroke(benchmark::State& state) { Text1Change(state, true); }
void BM_Text1NewRows(benchmark::State& state) { Text1Change(state, false); }
BENCHMARK(BM_Text1Keystroke)
    ->Arg(4096)->Arg(8192)->Arg(16384)->Arg(32766)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Text1NewRows)
    ->Arg(4096)->Arg(8192)->Arg(16384)->Arg(32766)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

// A key typed at the end of a long expression, as the keyboard sends it:
// a full-width digit, which the box maps, then Backspace.
void BM_Text1TypedKey(benchmark::State& state)
{
    Window w;
    auto* text1 = w.form.findChild<QLineEdit*>("Text1");
    text1->setText(Expression(static_cast<int>(state.range(0)) - 1, '1'));
    text1->setFocus();
    Settle();
    const std::pair<Qt::Key, QString> keys[2] = {{Qt::Key_2, QStringLiteral("\uFF12")}, {Qt::Key_Backspace, QString()}};
    int i = 0;
    for (auto _ : state) {
        const auto& [key, text] = keys[i ^= 1];
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(text1, &press);
        Settle();
    }
    state.counters["chars"] = static_cast<double>(w.form.Model().text1.size());
}
BENCHMARK(BM_Text1TypedKey)->Arg(32766)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

// Loads files through the open button, alternating between two so that each
// load changes the text.
void LoadFiles(benchmark::State& state, const std::string (&contents)[2])
{
    QTemporaryDir dir;
    std::string names[2];
    for (int k = 0; k < 2; ++k) {
        const QString name = dir.filePath(QString("expr%1.txt").arg(k));
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly)) state.SkipWithError("cannot write the expression file");
        file.write(contents[k].data(), static_cast<qint64>(contents[k].size()));
        names[k] = name.toStdString();
    }
    Window w;
    int i = 0;
    for (auto _ : state) {
        w.dialog.answers = {names[i ^= 1]};
        w.form.findChild<QPushButton*>(QStringLiteral("Command3_0"))->click();
        Settle();
    }
    state.counters["chars"] = static_cast<double>(w.form.Model().text1.size());
}

void BM_LoadOneLongLine(benchmark::State& state)
{
    // The quotation marks that saving adds count towards the 32766.
    const std::string contents[2] = {"\"" + Expression(32764, '1').toStdString() + "\"\r\n",
                                     "\"" + Expression(32764, '2').toStdString() + "\"\r\n"};
    LoadFiles(state, contents);
}
BENCHMARK(BM_LoadOneLongLine)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

// 5,000 short lines: 5,000 text-change cycles on a growing expression.
void BM_LoadShortLines(benchmark::State& state)
{
    std::string contents[2];
    for (int k = 0; k < 2; ++k) {
        contents[k] = std::to_string(k + 1) + "\r\n";
        for (int line = 1; line < 5000; ++line) contents[k] += "+x*2\r\n";
    }
    LoadFiles(state, contents);
}
BENCHMARK(BM_LoadShortLines)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace quorvel

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
