#include "json_lines.h"

#include <stdexcept>

#include <nlohmann/json.hpp>

#include "texts.h"
#include "utf.h"

namespace quorvel::cli {

namespace {

nlohmann::ordered_json Array(const RowList& list)
{
    auto a = nlohmann::ordered_json::array();
    for (const std::string& row : list.Rows()) a.push_back(row);
    return a;
}

std::string Dump(const nlohmann::ordered_json& j)
{
    return j.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace

std::string JsonLine(const Request& request, const Result& result)
{
    nlohmann::ordered_json j;
    j["expression"] = request.expression;
    if (result.error) {
        j["error"] = *result.error;
        return Dump(j);
    }
    const WindowModel& w = result.window;
    j["title"] = w.title;
    j["result"] = w.label1;
    j["failure"] = result.outcome == Outcome::Failure ? nlohmann::ordered_json(w.label1) : nlohmann::ordered_json(nullptr);
    j["tokens"] = Array(result.tokens);
    j["names"] = Array(w.list2);
    j["values"] = Array(w.list3);
    j["list1"] = Array(w.list1);
    j["reading"] = result.reading ? nlohmann::ordered_json(Utf16ToUtf8(*result.reading)) : nlohmann::ordered_json(nullptr);
    return Dump(j);
}

std::string JsonErrorLine(const std::string& why, const std::string& line)
{
    nlohmann::ordered_json j;
    j["error"] = why;
    j["line"] = line;
    return Dump(j);
}

Request ParseJsonRequest(const std::string& line)
{
    const auto j = nlohmann::json::parse(line, nullptr, false);
    if (j.is_discarded()) throw std::invalid_argument(texts::kNotJsonObject);
    if (!j.is_object()) throw std::invalid_argument(texts::kNotJsonObject);
    const auto expr = j.find("expression");
    if (expr == j.end() || !expr->is_string()) throw std::invalid_argument(texts::kNoExpressionString);
    Request r;
    r.expression = expr->get<std::string>();
    if (const auto v = j.find("values"); v != j.end()) {
        if (!v->is_object()) throw std::invalid_argument(texts::kValuesNotObject);
        for (const auto& [name, value] : v->items()) {
            if (value.is_string()) r.values.emplace_back(name, value.get<std::string>());
            else if (value.is_number()) r.values.emplace_back(name, value.dump());
            else throw std::invalid_argument(texts::kValueNotString.With(name));
        }
        r.click = true;
    }
    if (const auto v = j.find("rows"); v != j.end()) {
        if (!v->is_array()) throw std::invalid_argument(texts::kRowsNotArray);
        std::vector<std::string> rows;
        for (const auto& value : *v) {
            if (!value.is_string()) throw std::invalid_argument(texts::kRowNotString);
            rows.push_back(value.get<std::string>());
        }
        r.rows = std::move(rows);
        r.click = true;
    }
    return r;
}

}  // namespace quorvel::cli
