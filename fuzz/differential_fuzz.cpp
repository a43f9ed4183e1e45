// The engine's window model against the literal row-by-row model. The first
// byte picks how the case is run, the rest drives the expression generator:
//   bits 0-1: 0, 1 a text change and two clicks with the generated values;
//             2 typing: a text change for every prefix (texts up to 80 code
//               units), then a click; 3 the bytes themselves as UTF-16LE text
//               (no generator), a change and a click with value rows "1", "2", ...
//   bit 2: both windows first run another generated case, so the case starts
//          from the rows that one left behind
// Any difference in the title, Label1, the failure, the selection, a row of
// List1, List2, List3 or of the token snapshot prints both sides and traps.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "checks.h"
#include "expression_generator.h"
#include "fields.h"
#include "literal_model.h"
#include "window_model.h"

namespace {

using namespace quorvel;
using fuzz::Quote;
using fuzz::Show;

struct Side {
    WindowModel w;
    RowList tokens;
    std::string thrown;
};

using Handler = void (*)(WindowModel&, RowList*);

void Run(Side& side, Handler handler)
{
    side.tokens = RowList{};
    side.thrown.clear();
    try {
        handler(side.w, &side.tokens);
    } catch (const std::exception& e) {
        side.thrown = e.what();
    }
}

std::optional<std::string> Difference(const Side& engine, const Side& model)
{
    auto field = [](const char* name, const std::string& e, const std::string& m) {
        return std::string(name) + "\n    engine: " + e + "\n    model:  " + m;
    };
    const WindowModel& p = engine.w;
    const WindowModel& q = model.w;
    if (engine.thrown != model.thrown) return field("exception", Quote(engine.thrown), Quote(model.thrown));
    if (p.title != q.title) return field("title", Quote(p.title), Quote(q.title));
    if (p.label1 != q.label1) return field("label1", Quote(p.label1), Quote(q.label1));
    if (p.failure != q.failure)
        return field("failure", p.failure ? Quote(*p.failure) : "(none)", q.failure ? Quote(*q.failure) : "(none)");
    if (p.list3Index != q.list3Index) return field("list3Index", std::to_string(p.list3Index), std::to_string(q.list3Index));
    if (p.list1 != q.list1) return field("list1", Show(p.list1), Show(q.list1));
    if (p.list2 != q.list2) return field("list2", Show(p.list2), Show(q.list2));
    if (p.list3 != q.list3) return field("list3", Show(p.list3), Show(q.list3));
    if (engine.tokens != model.tokens) return field("tokens", Show(engine.tokens), Show(model.tokens));
    return std::nullopt;
}

struct Pair {
    Side engine, model;

    void Cycle(bool textChange, const std::string& what, const literal::Case& c)
    {
        Run(engine, textChange ? static_cast<Handler>(quorvel::Text1_Change) : quorvel::Command1_Click);
        Run(model, textChange ? static_cast<Handler>(literal::Text1_Change) : literal::Command1_Click);
        if (auto diff = Difference(engine, model)) {
            std::string values;
            for (const std::string& v : c.values) values += (values.empty() ? "" : ", ") + Quote(v);
            std::fprintf(stderr, "\n==== engine and literal model differ ====\ntext (%zu code units): %s\nvalues: [%s]\n"
                                 "cycle: %s\nfield: %s\n",
                         c.text.size(), Show(c.text).c_str(), values.c_str(), what.c_str(), diff->c_str());
            std::fflush(stderr);
            __builtin_trap();
        }
    }

    void SetText(const std::u16string& text)
    {
        engine.w.text1 = text;
        model.w.text1 = text;
    }

    void WriteValues(const std::vector<std::string>& values)
    {
        for (WindowModel* w : {&engine.w, &model.w}) {
            const int rows = std::min(static_cast<int>(values.size()), w->list3.Count());
            for (int k = 0; k < rows; ++k) w->list3.Write(k, values[static_cast<size_t>(k)]);
        }
    }

    void Calculate(const literal::Case& c)
    {
        SetText(c.text);
        Cycle(true, "Text1_Change", c);
        WriteValues(c.values);
        Cycle(false, "Command1_Click after writing the values", c);
        Cycle(false, "second Command1_Click", c);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const std::uint8_t mode = data[0];
    Pair pair;

    if ((mode & 3) == 3) {
        fuzz::Fields in(data + 1, size - 1);
        literal::Case c{fuzz::CodeUnits(in.Rest()), {}};
        for (int k = 1; k <= 8; ++k) c.values.push_back(std::to_string(k));
        pair.Calculate(c);
        return 0;
    }

    literal::SpanSource bytes(data + 1, size - 1);
    if (mode & 4) pair.Calculate(literal::GenerateCase(bytes));
    const literal::Case c = literal::GenerateCase(bytes);
    if ((mode & 3) == 2 && c.text.size() <= 80) {
        for (size_t length = 0; length <= c.text.size(); ++length) {
            pair.SetText(c.text.substr(0, length));
            pair.Cycle(true, "Text1_Change after typing " + std::to_string(length) + " code units", c);
        }
        pair.WriteValues(c.values);
        pair.Cycle(false, "Command1_Click after typing", c);
        return 0;
    }
    pair.Calculate(c);
    return 0;
}
