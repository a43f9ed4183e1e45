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
    for (int i = 1; i < tokenList.Count(); ++i) {
        const std::string& row = tokenList.Read(i);
        if (!IsVariable(row)) continue;
        if (!lastText || lastName != row) {
            const auto it = texts.find(row);
            if (it == texts.end()) continue;
            lastName = it->first;
            lastText = &it->second;
        }
        tokenList.Write(i, *lastText);
    }
    return fault;
}

}  // namespace quorvel
