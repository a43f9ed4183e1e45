#include "token_class.h"

#include <array>
#include <utility>

namespace quorvel {

Function FunctionNamed(std::string_view t)
{
    static constexpr std::array<std::pair<std::string_view, Function>, 22> kNames{{
        {"int", Function::Int}, {"INT", Function::Int},
        {"fix", Function::Fix}, {"FIX", Function::Fix},
        {"abs", Function::Abs}, {"ABS", Function::Abs},
        {"sin", Function::Sin}, {"SIN", Function::Sin},
        {"cos", Function::Cos}, {"COS", Function::Cos},
        {"tan", Function::Tan}, {"TAn", Function::Tan},
        {"atn", Function::Atn}, {"ATN", Function::Atn},
        {"sqr", Function::Sqr}, {"SQR", Function::Sqr},
        {"exp", Function::Exp}, {"EXP", Function::Exp},
        {"log", Function::Log}, {"LOG", Function::Log},
        {"rnd", Function::Rnd}, {"RND", Function::Rnd},
    }};
    if (t.size() != 3) return Function::None;
    for (const auto& [name, f] : kNames)
        if (name == t) return f;
    return Function::None;
}

}  // namespace quorvel
