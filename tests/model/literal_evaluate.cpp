// Evaluate of the literal model: the parenthesis scan, the group reduction
// and the top level, each moving rows one at a time through RowList.
#include <cmath>
#include <variant>

#include "arithmetic.h"
#include "literal_model.h"
#include "number_text.h"
#include "token_class.h"

namespace quorvel::literal {

namespace {

constexpr char kPassOrder[] = {'/', '^', '*', '\\', '+', '-'};

// Why a reduction or a group handed control back to the caller.
enum class Stop { None, DivisorZero, Fault };

class Evaluation {
public:
    Evaluation(RowList& rows, Rnd& rnd, const EvaluateObserver& observe)
        : rows_(rows), rnd_(rnd), observe_(observe) {}

    std::optional<Fault> Run(std::string& result);

private:
    Stop Reduce(char op, int j);
    Stop ReduceGroup(int i);
    Stop TopLevel(std::string& result);
    Stop Failed(Fault fault)
    {
        fault_ = std::move(fault);
        return Stop::Fault;
    }
    void Notify(std::string_view event)
    {
        if (observe_) observe_(event, rows_);
    }

    RowList& rows_;
    Rnd& rnd_;
    const EvaluateObserver& observe_;
    int n0_ = 0;
    int n_ = 0;
    int s_ = 0;
    int e_ = 0;
    double x_ = 0;
    Fault fault_{};
};

// One reduction at the occurrence of op in row j: the left operand is read
// before the right one, and a zero divisor changes nothing.
Stop Evaluation::Reduce(char op, int j)
{
    const int l = j - 1;
    const int r = j + 1;
    const std::string left = rows_.Read(l);
    const std::optional<double> a = TextToNumber(left);
    if (!a) return Failed(Fault{FaultKind::OperandNotNumber, left});
    const std::string right = rows_.Read(r);
    const std::optional<double> b = TextToNumber(right);
    if (!b) return Failed(Fault{FaultKind::OperandNotNumber, right});
    if ((op == '/' || op == '\\') && *b == 0) return Stop::DivisorZero;
    const Computed computed = Combine(op, *a, *b);
    if (const Fault* fault = std::get_if<Fault>(&computed)) return Failed(*fault);
    x_ = std::get<double>(computed);
    rows_.Write(l, NumberToText(x_));
    Notify("reduce");
    return Stop::None;
}

// The group whose ")" stands in row i and whose "(" is row s.
Stop Evaluation::ReduceGroup(int i)
{
    e_ = i - 1;
    const bool functionGroup = IsFunctionName(rows_.Read(s_ - 1));
    const std::string firstText = rows_.Read(s_ + 1);
    const std::optional<double> first = TextToNumber(firstText);
    if (!first) return Failed(Fault{FaultKind::OperandNotNumber, firstText});
    x_ = *first;
    if (functionGroup) s_ = s_ - 1;

    for (char op : kPassOrder) {
        if (!(n_ > 2)) continue;
        const int e0 = e_;
        int j = s_;
        while (j <= e0) {
            if (!IsOccurrence(rows_.Read(j), op)) {
                ++j;
                continue;
            }
            const Stop stop = Reduce(op, j);
            if (stop != Stop::None) return stop;
            const int r = j + 1;
            if (r < e_) {
                for (int k = r + 1; k <= e_; ++k) rows_.Write(k - 2, rows_.Read(k));
                e_ = e_ - 2;
                j = s_ + 1;
                continue;
            }
            // R = e: the reduced operator and its old right operand stay
            // inside the group for the later passes.
            break;
        }
    }

    const Function f = FunctionNamed(rows_.Read(s_));
    const Computed applied = Apply(f, x_, rnd_);
    if (const Fault* fault = std::get_if<Fault>(&applied)) return Failed(*fault);
    const double v = std::get<double>(applied);
    rows_.Write(s_, IsSingle(f) ? SingleToText(static_cast<float>(v)) : NumberToText(v));

    const int width = i - s_;
    if (i < n_) {
        for (int k = i + 1; k <= n_; ++k) rows_.Write(k - width, rows_.Read(k));
        for (int k = n_; k >= n_ - width + 1; --k) rows_.Remove(k);
        n_ = n_ - width;
    } else {
        // The ")" was the last token: N keeps counting the removed rows.
        for (int k = n_; k >= s_ + 1; --k) rows_.Remove(k);
    }
    Notify("group");
    return Stop::None;
}

Stop Evaluation::TopLevel(std::string& result)
{
    x_ = 0;
    if (n_ >= 3) {
        for (char op : kPassOrder) {
            if (!(n_ >= 3)) continue;
            const int n1 = n_;
            int j = 0;
            while (j <= n1) {
                if (!IsOccurrence(rows_.Read(j), op)) {
                    ++j;
                    continue;
                }
                const Stop stop = Reduce(op, j);
                if (stop != Stop::None) return stop;
                const int r = j + 1;
                if (r < n_) {
                    // Rows past the end read as empty and writing at the
                    // count appends, so a stale N grows the list here.
                    for (int k = r + 1; k <= n_; ++k) rows_.Write(k - 2, rows_.Read(k));
                    n_ = n_ - 2;
                    Notify("move");
                    j = 1;
                    continue;
                }
                break;
            }
        }
    }

    const std::string firstText = rows_.Read(1);
    const std::optional<double> value = TextToNumber(firstText);
    if (!value) return Failed(Fault{FaultKind::OperandNotNumber, firstText});
    x_ = *value;
    for (int k = rows_.Count() - 1; k >= 1; --k) rows_.Remove(k);
    rows_.Write(1, NumberToText(x_));
    result = NumberToText(x_);
    return Stop::None;
}

std::optional<Fault> Evaluation::Run(std::string& result)
{
    const std::string row0 = rows_.Read(0);
    const std::optional<double> count = TextToNumber(row0);
    if (!count) return Fault{FaultKind::CountOutOfRange, row0};
    const double rounded = std::nearbyint(*count);
    const int rowsAfterCount = rows_.Count() - 1;
    if (rounded != rowsAfterCount || rowsAfterCount > 32766) return Fault{FaultKind::CountOutOfRange, row0};

    n0_ = static_cast<int>(rounded);
    n_ = n0_;
    s_ = 0;

    Stop stop = Stop::None;
    int i = 0;
    while (i <= n0_) {
        const char first = First(rows_.Read(i));
        if (first == '(') {
            s_ = i;
        } else if (first == ')') {
            const bool last = i == n_;
            stop = ReduceGroup(i);
            if (stop != Stop::None) break;
            if (last) break;
            i = 1;
            continue;
        }
        ++i;
    }
    if (stop == Stop::None) stop = TopLevel(result);

    switch (stop) {
    case Stop::None: return std::nullopt;
    case Stop::DivisorZero: result = kDivisorZero; return std::nullopt;
    case Stop::Fault: return fault_;
    }
    return std::nullopt;
}

}  // namespace

std::optional<Fault> EvaluateObserved(RowList& tokenList, Rnd& rnd, std::string& result,
                                      const EvaluateObserver& observe)
{
    return Evaluation(tokenList, rnd, observe).Run(result);
}

std::optional<Fault> Evaluate(RowList& tokenList, Rnd& rnd, std::string& result)
{
    return EvaluateObserved(tokenList, rnd, result, EvaluateObserver{});
}

}  // namespace quorvel::literal
