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
    std::unordered_map<std::string_view, std::string> texts;
    std::optional<Fault> fault;
    for (int k = 0; k < nameList.Count(); ++k) {
        const std::string& name = nameList.Read(k);
        const std::optional<double> value = TextToNumber(valueList.Read(k));
        if (!value) {
            fault = Fault{FaultKind::ValueNotNumber, name};
            break;
        }
        texts.try_emplace(name, NumberToText(*value));
    }
    if (texts.empty()) return fault;
    std::vector<std::string>& rows = tokenList.MutableRows();
    for (size_t i = 1; i < rows.size(); ++i) {
        if (!IsVariable(rows[i])) continue;
        if (auto it = texts.find(rows[i]); it != texts.end()) rows[i] = it->second;
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
