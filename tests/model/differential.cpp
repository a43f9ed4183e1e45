#include "differential.h"

#include <cctype>
#include <exception>

#include "functions.h"
#include "passes.h"
#include "tokenizer.h"
#include "utf.h"

namespace quorvel::literal {

unsigned Bytes::Below(std::size_t n)
{
    if (seeded) return static_cast<unsigned>(random() % n);
    unsigned wide = 0;
    for (int k = n > 256 ? 2 : 1; k > 0 && size > 0; --k, --size) wide = wide << 8 | *data++;
    return wide % static_cast<unsigned>(n);
}

namespace {

using List = std::vector<std::string_view>;

// Every function in both its spellings, and the operators, from the engine's tables.
const List kFunctions = [] {
    List names;
    for (const Function& f : AllFunctions()) names.insert(names.end(), {f.name, f.capital});
    return names;
}();
const std::string kOperators = [] {
    std::string symbols;
    for (const Operator& op : kPassOrder) symbols += op.symbol;
    return symbols;
}();
// Variables, some of them near misses of function names.
const List kNames{"x", "y", "a", "b", "X", "rate", "TAN", "Sin", "sinx", "Log", "in", "RNd"};
// Numbers as typed, with the forms the tokenizer folds; "_" for minus.
const List kNumbers{"0", "00", "007", "0.4", "0.5", "2.5", "6.5", "7.5", "5.", ".5", ".", "1..2", "1.2.3", "12_3",
                    "710", "1024", "2147483647", "2147483648", "99999999999999999999", "0.000001",
                    "0.30000000000000004", "_5", "_0", "_.", "_", "_.5", "__5", "_5_", "_2147483648", "_0.0"};
// No token characters; several share their low byte with one; lone surrogates.
const char16_t kSurrogates[] = {0xD800, 0xDC2B};
const std::vector<std::u16string_view> kStray{{kSurrogates, 1}, {kSurrogates + 1, 1}, u" ", u",", u"\"", u"\t", u"\n", u"中", u"Ａ", u"é", u"`", u"　",
                                              u"Ĩ", u"ı", u"ş", u"Ů", u"😀", {u"\0", 1}};
const List kEdges{"2*3\\(1-1)", "1/(3-3)+5", "7\\0.4", "7\\2.5", "1/_0", "_8^0.5", "0^_1", "exp(710)",
                  "sqr(_1)", "log(0)", "2^1024", "x*x*x", "_2147483648\\_1", "2147483648\\1", "sqr(16)+1",
                  "rnd(1)*2", "rnd(_1)+rnd(0)", "2*(3+(4-1))", "(1)(2)", "x/y\\a", "2*(1+1)\\(2-2)"};
const List kValues{"0", "1", "-1", "2.5", "0.4", "-0.5", ".5", "5.", "1e308", "-1e308", "1e-320", "710",
                   "2147483648", "0.1", "1e15", "", ".", "1.2.3", "-", "1e999", "abc", " 5 ", "-0", "nan"};
constexpr std::u16string_view kSoup = u"0123456789._xyzXsinTAn()*\\/+-^ ,\t中Ĩş";

class Generator {
public:
    explicit Generator(Bytes& bytes) : b_(bytes) {}

    Case Make()
    {
        const unsigned mode = b_.Below(1000);
        for (unsigned k = b_.Below(3); k < 3; ++k) names_.emplace_back(Pick(kNames));
        favourite_ = kOperators[b_.Below(kOperators.size())];
        if (mode < 150) {
            for (unsigned k = b_.Below(40); k > 0; --k) text_ += kSoup[b_.Below(kSoup.size())];
        } else {
            budget_ = b_.Percent(12) ? 60 + static_cast<int>(b_.Below(340)) : 1 + static_cast<int>(b_.Below(60));
            if (mode < 320) Put(Pick(kEdges)), Put(std::string(1, favourite_));
            Chain(0);
        }
        // Texts at and just beyond the longest the token list can take.
        if (mode == 999) text_.resize(kMaxTextLength + b_.Below(3), u' ');
        Case c{text_, {}};
        const int count = b_.Percent(80) ? variables_ + static_cast<int>(b_.Below(3)) - 1 : static_cast<int>(b_.Below(6));
        const bool odd = b_.Percent(20);
        for (int k = 0; k < count; ++k)
            c.values.push_back(odd || b_.Percent(50) ? Pick(kValues) : std::to_string(static_cast<int>(b_.Below(21)) - 5));
        return c;
    }

private:
    std::string Pick(const List& list) { return std::string(list[b_.Below(list.size())]); }

    // Pieces that would run together are kept apart, mostly by a space.
    void Put(const std::string& piece)
    {
        auto word = [](char16_t c) { return c < 128 && (std::isalnum(c) || c == '.' || c == '_'); };
        if (!text_.empty() && ((word(text_.back()) && word(piece[0])) || b_.Percent(stray_)))
            text_ += b_.Percent(70) ? u" " : kStray[b_.Below(kStray.size())];
        text_ += Utf8ToUtf16(piece);
        --budget_;
    }

    void Operand(int depth)
    {
        const unsigned r = b_.Below(100);
        if (depth < 6 && budget_ > 4 && r < 22) {
            if (b_.Percent(40)) Put(Pick(kFunctions));
            Put("(");
            Chain(depth + 1);
            Put(")");
        } else if (r < 45) {
            Put(std::to_string(b_.Below(b_.Percent(60) ? 10 : 1000)));
        } else if (r < 55) {
            Put(std::to_string(b_.Below(100)) + "." + std::to_string(b_.Below(1000)));
        } else if (r < 70) {
            Put(Pick(kNumbers));
        } else {
            ++variables_;
            Put(b_.Percent(85) ? names_[b_.Below(names_.size())] : Pick(kNames));
        }
    }

    // Deeper groups hold shorter chains; the budget ends every chain.
    void Chain(int depth)
    {
        Operand(depth);
        while (budget_ > 1 && b_.Percent(depth ? 70 : 96)) {
            const char op = b_.Percent(35) ? favourite_ : kOperators[b_.Below(kOperators.size())];
            Put(std::string(1, op));
            // Mostly small exponents, so that chains of powers stay finite.
            if (op == '^' && b_.Percent(60)) Put(b_.Percent(80) ? std::to_string(b_.Below(4)) : "0.5");
            else Operand(depth);
        }
    }

    Bytes& b_;
    int budget_ = 0, variables_ = 0;
    unsigned stray_ = b_.Percent(20) ? 15 : 0;
    char favourite_ = '+';
    std::vector<std::string> names_;
    std::u16string text_;
};

}  // namespace

Case GenerateCase(Bytes& bytes) { return Generator(bytes).Make(); }

std::string Compare(Pair& pair, const Case& c, Outcome* last)
{
    using Handler = Outcome (*)(WindowModel&, RowList*);
    const Handler handlers[2][2] = {{quorvel::Text1_Change, quorvel::Command1_Click},
                                    {literal::Text1_Change, literal::Command1_Click}};
    auto show = [](const char* name, const RowList& list) {
        std::string out = std::string("\n") + name + " (" + std::to_string(list.Count()) + " rows):";
        for (const std::string& row : list.Rows()) out += " \"" + row + "\"";
        return out;
    };
    pair.engine.text1 = pair.model.text1 = c.text;
    for (int cycle = 0; cycle < 3; ++cycle) {
        std::string seen[2];
        for (int side = 0; side < 2; ++side) {
            WindowModel& w = side ? pair.model : pair.engine;
            for (size_t k = 0; cycle > 0 && k < c.values.size() && static_cast<int>(k) < w.list3.Count(); ++k)
                w.list3.Write(static_cast<int>(k), c.values[k]);
            RowList tokens;
            Outcome outcome = Outcome::NotRun;
            try {
                outcome = handlers[side][cycle > 0](w, &tokens);
            } catch (const std::exception& e) {
                seen[side] = std::string("exception ") + e.what();
            }
            if (last) *last = outcome;
            seen[side] += "outcome " + std::to_string(static_cast<int>(outcome)) + "\ntitle " + w.title + "\nLabel1 " +
                          w.label1 + "\nselection " + std::to_string(w.list3Index) + show("List1", w.list1) +
                          show("List2", w.list2) + show("List3", w.list3) + show("tokens", tokens);
        }
        if (seen[0] == seen[1]) continue;
        std::string values;
        for (const std::string& v : c.values) values += " \"" + v + "\"";
        return "text (" + std::to_string(c.text.size()) + " code units): \"" + Utf16ToUtf8(c.text.substr(0, 300)) +
               "\"\nvalues:" + values + "\nafter cycle " + std::to_string(cycle + 1) + " of 3\n--- engine\n" +
               seen[0].substr(0, 3000) + "\n--- model\n" + seen[1].substr(0, 3000);
    }
    return "";
}

}  // namespace quorvel::literal
