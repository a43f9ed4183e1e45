#include "calculation.h"

#include <stdexcept>

#include "fault.h"
#include "utf.h"

namespace quorvel::cli {

namespace {

nlohmann::ordered_json Array(const RowList& list)
{
    auto a = nlohmann::ordered_json::array();
    for (const std::string& row : list.Rows()) a.push_back(row);
    return a;
}

}  // namespace

Result Calculate(const Request& request)
{
    Result r;
    WindowModel& w = r.window;
    w.text1 = Utf8ToUtf16(request.expression);
    Text1_Change(w, &r.tokens);
    if (!request.click) return r;

    for (const auto& [name, value] : request.values) {
        bool found = false;
        for (int k = 0; k < w.list2.Count(); ++k) {
            if (w.list2.Read(k) != name) continue;
            w.list3.Write(k, value);
            found = true;
        }
        if (!found) {
            r.error = "表达式中没有变量" + name;
            return r;
        }
    }
    if (request.rows) {
        if (static_cast<int>(request.rows->size()) != w.list2.Count()) {
            r.error = "rows 应有" + std::to_string(w.list2.Count()) + "行";
            return r;
        }
        for (size_t k = 0; k < request.rows->size(); ++k) w.list3.Write(static_cast<int>(k), (*request.rows)[k]);
    }
    r.tokens = w.list1;  // kept when tokenizing fails
    Command1_Click(w, &r.tokens);
    return r;
}

int Severity(const WindowModel& w)
{
    if (w.failure) return 2;
    if (!w.title.empty()) return 1;
    return w.label1 == kDivisorZero ? 2 : 0;
}

const std::string& Message(const WindowModel& w)
{
    return Severity(w) == 1 ? w.title : w.label1;
}

nlohmann::ordered_json ToJson(const Request& request, const Result& result)
{
    nlohmann::ordered_json j;
    j["expression"] = request.expression;
    if (!result.error.empty()) {
        j["error"] = result.error;
        return j;
    }
    const WindowModel& w = result.window;
    j["title"] = w.title;
    j["result"] = w.label1;
    j["failure"] = w.failure ? nlohmann::ordered_json(*w.failure) : nlohmann::ordered_json(nullptr);
    j["tokens"] = Array(result.tokens);
    j["names"] = Array(w.list2);
    j["values"] = Array(w.list3);
    j["list1"] = Array(w.list1);
    return j;
}

Request ParseJsonRequest(const std::string& line)
{
    const auto j = nlohmann::json::parse(line, nullptr, false);
    if (j.is_discarded()) throw std::invalid_argument("不是JSON对象");
    if (!j.is_object()) throw std::invalid_argument("不是JSON对象");
    const auto expr = j.find("expression");
    if (expr == j.end() || !expr->is_string()) throw std::invalid_argument("缺少字符串expression");
    Request r;
    r.expression = expr->get<std::string>();
    if (const auto v = j.find("values"); v != j.end()) {
        if (!v->is_object()) throw std::invalid_argument("values必须是对象");
        for (const auto& [name, value] : v->items()) {
            if (value.is_string()) r.values.emplace_back(name, value.get<std::string>());
            else if (value.is_number()) r.values.emplace_back(name, value.dump());
            else throw std::invalid_argument("变量" + name + "的值必须是字符串");
        }
        r.click = true;
    }
    if (const auto v = j.find("rows"); v != j.end()) {
        if (!v->is_array()) throw std::invalid_argument("rows必须是数组");
        std::vector<std::string> rows;
        for (const auto& value : *v) {
            if (!value.is_string()) throw std::invalid_argument("rows的每一行必须是字符串");
            rows.push_back(value.get<std::string>());
        }
        r.rows = std::move(rows);
        r.click = true;
    }
    return r;
}

}  // namespace quorvel::cli
