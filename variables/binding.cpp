#include "binding.h"

#include <string>
#include <unordered_map>

#include "number_text.h"
#include "token_class.h"

namespace quorvel {

void CollectVariables(const RowList& tokenList, RowList& nameList)
{
    nameList.Clear();
    for (int i = tokenList.Count() - 1; i >= 1; --i) {
        const std::string& t = tokenList.Read(i);
        if (IsVariable(t)) nameList.Append(t);
    }
}

void ResetValues(const RowList& nameList, RowList& valueList)
{
    valueList.Clear();
    valueList.Reserve(nameList.Count());
    for (int j = 0; j < nameList.Count(); ++j) valueList.Append("0");
}

std::optional<Fault> ApplyValues(RowList& tokenList, const RowList& nameList, const RowList& valueList)
{
    // One sweep over the token list: each name takes the number text of the
    // first row that names it, as long as every row before that converted.
    // A name usually repeats the row before it, which saves a look-up.
    std::unordered_map<std::string_view, std::string> texts;
    std::optional<Fault> fault;
    const std::string* previous = nullptr;
    for (int k = 0; k < nameList.Count(); ++k) {
        const std::string& name = nameList.Read(k);
        const std::optional<double> value = TextToNumber(valueList.Read(k));
        if (!value) {
            fault = Fault{FaultKind::ValueNotNumber, name};
            break;
        }
        if (previous && *previous == name) continue;
        previous = &name;
        if (!texts.contains(name)) texts.emplace(name, NumberToText(*value));
    }
    if (texts.empty()) return fault;
    // The variable of the last token replaced, which the next one often repeats.
    std::string_view lastName;
    const std::string* lastText = nullptr;
    std::vector<std::string>& rows = tokenList.MutableRows();
    for (size_t i = 1; i < rows.size(); ++i) {
        if (!IsVariable(rows[i])) continue;
        if (!lastText || lastName != rows[i]) {
            const auto it = texts.find(rows[i]);
            if (it == texts.end()) continue;
            lastName = it->first;
            lastText = &it->second;
        }
        rows[i] = *lastText;
    }
    return fault;
}

void SubstituteVariable(RowList& tokenList, std::string_view name, double value)
{
    const std::string text = NumberToText(value);
    for (int i = tokenList.Count() - 1; i >= 1; --i) {
        const std::string& t = tokenList.Read(i);
        if (IsVariable(t) && t == name) tokenList.Write(i, text);
    }
}

}  // namespace quorvel
