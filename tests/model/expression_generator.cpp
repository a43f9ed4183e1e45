#include "expression_generator.h"

#include <array>
#include <string_view>

namespace quorvel::literal {

unsigned ByteSource::Below(unsigned n)
{
    if (n <= 1) return 0;
    if (n <= 256) return Next() % n;
    const unsigned wide = (static_cast<unsigned>(Next()) << 8) | Next();
    return wide % n;
}

namespace {

using Pieces = std::vector<std::u16string>;

template <typename T, size_t N>
T Pick(ByteSource& bytes, const std::array<T, N>& pool)
{
    return pool[bytes.Below(static_cast<unsigned>(N))];
}

std::u16string Widen(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

constexpr std::array<std::string_view, 22> kFunctions{
    "int", "INT", "fix", "FIX", "abs", "ABS", "sin", "SIN", "cos", "COS", "tan",
    "TAn", "atn", "ATN", "sqr", "SQR", "exp", "EXP", "log", "LOG", "rnd", "RND"};

// Names that look like functions but are variables.
constexpr std::array<std::string_view, 14> kNearMisses{
    "TAN", "Tan", "tAN", "Sin", "sIN", "Log", "sinx", "in", "sqrt", "Int", "RNd", "ab", "Exp", "lg"};

constexpr std::array<std::string_view, 12> kVariables{
    "x", "y", "z", "a", "b", "c", "X", "Y", "rate", "n", "TAN", "Sin"};

constexpr std::array<char, 6> kOperators{'/', '^', '*', '\\', '+', '-'};

// Numbers as typed, including the forms the tokenizer folds or drops.
constexpr std::array<std::string_view, 33> kEdgeNumbers{
    "0", "00", "007", "0.0", "0.4", "0.5", "2.5", "3.5", "6.5", "7.5", "5.", ".5", ".", "0.1",
    "0.2", "1..2", "1.2.3", "12_3", "710", "1024", "2147483647", "2147483648", "99999999999999999999",
    "123456789012345678", "0.000001", "1.5", "10", "3", "2", "1", "16", "9", "0.30000000000000004"};

// Negative numbers as typed with "_".
constexpr std::array<std::string_view, 12> kNegatives{
    "_5", "_0", "_.", "_", "_0.5", "_.5", "__5", "_5_", "_1", "_2147483648", "_8", "_0.0"};

// Characters that take no part in tokens. Several share their low byte with
// a token character (中 and "-", Ĩ and "(", ı and "1", ş and "_", Ů and ".").
constexpr std::array<std::u16string_view, 24> kStray{
    u" ", u" ", u",", u"\"", u"'", u"\t", u"\n", u"\r", u"中", u"Ａ", u"é", u"[", u"`", u"$", u"=", u"　",
    u"Ĩ", u"ĩ", u"ı", u"ş", u"Ů", u"š", u"😀", std::u16string_view(u"\0", 1)};

constexpr std::array<std::string_view, 28> kValueNumbers{
    "0", "1", "2", "3", "-1", "-3", "2.5", "0.5", "0.4", "-0.5", ".5", "5.", "007", "2.50", "1e308",
    "-1e308", "1.7976931348623157e308", "1e-320", "4.9e-324", "710", "2147483648", "-2147483649",
    "123456789012345678", "0.1", "1e15", "1e-5", "10", "-0.0000001"};

constexpr std::array<std::string_view, 16> kValueOdd{
    "", ".", "1.2.3", "-", "1e999", "abc", " 5 ", "-0", "0.0", "+5", "5e", "nan", "inf", "1,5", "-.", "0x10"};

constexpr std::array<std::string_view, 30> kTargeted{
    "2*3\\(1-1)", "a*(b+c)", "1/(3-3)+5", "1/(2-2)", "7\\0.4", "7\\2.5", "6.5\\2", "1/_0", "1/0.0",
    "_8^0.5", "0^_1", "exp(710)", "sqr(_1)", "log(0)", "log(_2)", "2^1024", "x*x*x", "x+x",
    "_2147483648\\_1", "2147483648\\1", "sqr(16)+1", "1+sqr(16)", "rnd(1)*2", "rnd(_1)+rnd(0)",
    "2*(3+(4-1))", "int(10/3*3)", "(1)(2)", "abs(2-5)*2", "x/y\\z", "TAn(b)*t"};

class Builder {
public:
    explicit Builder(ByteSource& bytes) : bytes_(bytes) {}

    Pieces Expression(int budget)
    {
        budget_ = budget;
        // A few names per case, so that names repeat.
        const unsigned nameCount = 1 + bytes_.Below(3);
        for (unsigned k = 0; k < nameCount; ++k) names_.push_back(Widen(Name()));
        // A favourite operator makes long runs of one kind.
        favourite_ = kOperators[bytes_.Below(6)];
        Pieces out;
        Chain(0, out);
        return out;
    }

    int VariablesEmitted() const { return variables_; }

    std::u16string AnyPiece()
    {
        switch (bytes_.Below(9)) {
        case 0: return std::u16string(1, kOperators[bytes_.Below(6)]);
        case 1: return u"(";
        case 2: return u")";
        case 3: return Widen(Pick(bytes_, kFunctions));
        case 4: return Widen(Pick(bytes_, kNearMisses));
        case 5: return Widen(Pick(bytes_, kNegatives));
        case 6: return std::u16string(Pick(bytes_, kStray));
        case 7: return Widen(Name());
        default: return Number();
        }
    }

private:
    std::string_view Name()
    {
        if (bytes_.Percent(70)) return Pick(bytes_, kVariables);
        return Pick(bytes_, kNearMisses);
    }

    std::u16string Number()
    {
        const unsigned r = bytes_.Below(100);
        if (r < 40) return Widen(std::to_string(bytes_.Below(10)));
        if (r < 65) return Widen(std::to_string(bytes_.Below(1000)));
        if (r < 88) {
            std::string d = std::to_string(bytes_.Below(100)) + "." + std::to_string(bytes_.Below(1000));
            return Widen(d);
        }
        return Widen(Pick(bytes_, kEdgeNumbers));
    }

    char Operator()
    {
        if (bytes_.Percent(35)) return favourite_;
        return kOperators[bytes_.Below(6)];
    }

    void Operand(int depth, Pieces& out)
    {
        const unsigned r = bytes_.Below(100);
        if (depth < 6 && budget_ > 4 && r < 22) {
            if (bytes_.Percent(40)) out.push_back(Widen(Pick(bytes_, kFunctions)));
            out.push_back(u"(");
            --budget_;
            Chain(depth + 1, out);
            out.push_back(u")");
            --budget_;
            return;
        }
        --budget_;
        if (r < 60) {
            out.push_back(Number());
        } else if (r < 72) {
            out.push_back(Widen(Pick(bytes_, kNegatives)));
        } else {
            ++variables_;
            if (bytes_.Percent(85)) {
                out.push_back(names_[bytes_.Below(static_cast<unsigned>(names_.size()))]);
            } else {
                out.push_back(Widen(Name()));
            }
        }
    }

    void Chain(int depth, Pieces& out)
    {
        Operand(depth, out);
        // Deeper groups hold shorter chains; the budget ends every chain.
        const unsigned limit = depth == 0 ? 40 : 8;
        const unsigned links = bytes_.Below(limit);
        for (unsigned k = 0; k < links || (depth == 0 && budget_ > 0 && bytes_.Percent(60)); ++k) {
            if (budget_ <= 1) break;
            const char op = Operator();
            out.push_back(std::u16string(1, op));
            --budget_;
            if (op == '^' && bytes_.Percent(60)) {
                // Mostly small exponents, so that chains of powers stay finite.
                out.push_back(bytes_.Percent(80) ? Widen(std::to_string(bytes_.Below(4))) : u"0.5");
                --budget_;
                continue;
            }
            Operand(depth, out);
        }
    }

    ByteSource& bytes_;
    int budget_ = 0;
    int variables_ = 0;
    char favourite_ = '+';
    std::vector<std::u16string> names_;
};

bool WordChar(char16_t c)
{
    return (c >= u'0' && c <= u'9') || c == u'.' || c == u'_' || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// Pieces that would run together are kept apart, usually by a space.
std::u16string Render(ByteSource& bytes, const Pieces& pieces, unsigned strayChance)
{
    std::u16string text;
    for (const std::u16string& piece : pieces) {
        if (piece.empty()) continue;
        const bool mustSeparate = !text.empty() && WordChar(text.back()) && WordChar(piece.front());
        if (mustSeparate || (!text.empty() && bytes.Percent(strayChance))) {
            text += bytes.Percent(70) ? std::u16string_view(u" ") : Pick(bytes, kStray);
        }
        text += piece;
    }
    return text;
}

void Mutate(ByteSource& bytes, Builder& builder, Pieces& pieces)
{
    const unsigned count = 1 + bytes.Below(3);
    for (unsigned m = 0; m < count; ++m) {
        const auto size = static_cast<unsigned>(pieces.size());
        const unsigned at = bytes.Below(size + 1);
        switch (bytes.Below(6)) {
        case 0:
            if (at < size) pieces.erase(pieces.begin() + at);
            break;
        case 1:
            if (at < size) pieces.insert(pieces.begin() + at, pieces[at]);
            break;
        case 2: pieces.insert(pieces.begin() + at, builder.AnyPiece()); break;
        case 3:
            if (at + 1 < size) std::swap(pieces[at], pieces[at + 1]);
            break;
        case 4: pieces.resize(at); break;
        default:
            if (at < size) pieces[at] = Widen(bytes.Percent(50) ? Pick(bytes, kNearMisses) : Pick(bytes, kFunctions));
            break;
        }
    }
}

std::u16string CharacterSoup(ByteSource& bytes)
{
    static constexpr std::u16string_view kAlphabet = u"0123456789._xyzXsinTAn()*\\/+-^ ,\"\t\n中ＡĨĩışŮ";
    std::u16string text;
    const unsigned length = bytes.Below(40);
    for (unsigned k = 0; k < length; ++k) text += kAlphabet[bytes.Below(static_cast<unsigned>(kAlphabet.size()))];
    return text;
}

// Texts at and beyond the longest the token list can take.
std::u16string LongText(ByteSource& bytes)
{
    static constexpr std::array<size_t, 4> kLengths{32766, 32767, 32768, 40000};
    const size_t length = kLengths[bytes.Below(4)];
    std::u16string text = Widen(Pick(bytes, kTargeted));
    text.resize(length, bytes.Percent(50) ? u' ' : u'\t');
    return text;
}

std::vector<std::string> Values(ByteSource& bytes, int variables)
{
    std::vector<std::string> values;
    const unsigned oddChance = bytes.Percent(20) ? 35 : 0;
    const int count = bytes.Percent(80) ? variables + static_cast<int>(bytes.Below(3)) - 1
                                        : static_cast<int>(bytes.Below(6));
    for (int k = 0; k < count; ++k) {
        const unsigned r = bytes.Below(100);
        if (bytes.Percent(oddChance)) {
            values.emplace_back(Pick(bytes, kValueOdd));
        } else if (r < 45) {
            values.push_back(std::to_string(static_cast<int>(bytes.Below(21)) - 5));
        } else {
            values.emplace_back(Pick(bytes, kValueNumbers));
        }
    }
    return values;
}

}  // namespace

Case GenerateCase(ByteSource& bytes)
{
    Case c;
    Builder builder(bytes);
    int variables = 0;
    const unsigned mode = bytes.Below(1000);
    if (mode < 10) {
        // empty text
    } else if (mode < 12) {
        c.text = LongText(bytes);
        variables = 3;
    } else if (mode < 90) {
        c.text = CharacterSoup(bytes);
        variables = 3;
    } else if (mode < 180) {
        Pieces pieces;
        const unsigned count = bytes.Below(30);
        for (unsigned k = 0; k < count; ++k) pieces.push_back(builder.AnyPiece());
        c.text = Render(bytes, pieces, 10);
        variables = 3;
    } else if (mode < 300) {
        // A hand-picked edge, sometimes inside a longer expression.
        Pieces pieces{Widen(Pick(bytes, kTargeted))};
        if (bytes.Percent(40)) {
            Pieces more = builder.Expression(1 + static_cast<int>(bytes.Below(12)));
            more.push_back(std::u16string(1, kOperators[bytes.Below(6)]));
            if (bytes.Percent(50)) more.push_back(u"(");
            pieces.insert(pieces.begin(), more.begin(), more.end());
            if (more.back() == u"(") pieces.push_back(u")");
        }
        if (bytes.Percent(15)) Mutate(bytes, builder, pieces);
        c.text = Render(bytes, pieces, 5);
        variables = 4 + builder.VariablesEmitted();
    } else {
        const bool large = bytes.Percent(12);
        const int budget = large ? 60 + static_cast<int>(bytes.Below(340)) : 1 + static_cast<int>(bytes.Below(60));
        Pieces pieces = builder.Expression(budget);
        if (bytes.Percent(15)) Mutate(bytes, builder, pieces);
        c.text = Render(bytes, pieces, bytes.Percent(20) ? 15 : 0);
        variables = builder.VariablesEmitted();
    }
    c.values = Values(bytes, variables);
    return c;
}

std::string ToUtf8(std::u16string_view text)
{
    std::string out;
    for (size_t k = 0; k < text.size(); ++k) {
        char32_t c = text[k];
        if (c >= 0xD800 && c <= 0xDBFF && k + 1 < text.size() && text[k + 1] >= 0xDC00 && text[k + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[k + 1] - 0xDC00);
            ++k;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace quorvel::literal
