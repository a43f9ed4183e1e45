#pragma once
// The engine and the row-by-row model side by side: the worked tables run
// through both, so the model the differential test trusts is itself held to
// the same rows.
#include <array>

#include "binding.h"
#include "evaluator.h"
#include "literal_model.h"
#include "syntax_check.h"
#include "tokenizer.h"
#include "window_model.h"

namespace quorvel::test {

struct Implementation {
    const char* name;
    decltype(&quorvel::Tokenize) tokenize;
    decltype(&quorvel::CheckSyntax) checkSyntax;
    decltype(&quorvel::Evaluate) evaluate;
    decltype(&quorvel::CollectVariables) collectVariables;
    decltype(&quorvel::ResetValues) resetValues;
    decltype(&quorvel::ApplyValues) applyValues;
    decltype(&quorvel::Text1_Change) text1Change;
    decltype(&quorvel::Command1_Click) command1Click;
};

inline const std::array<Implementation, 2>& Implementations()
{
    static const std::array<Implementation, 2> both{{
        {"engine", &quorvel::Tokenize, &quorvel::CheckSyntax, &quorvel::Evaluate, &quorvel::CollectVariables,
         &quorvel::ResetValues, &quorvel::ApplyValues, &quorvel::Text1_Change, &quorvel::Command1_Click},
        {"row-by-row model", &literal::Tokenize, &literal::CheckSyntax, &literal::Evaluate, &literal::CollectVariables,
         &literal::ResetValues, &literal::ApplyValues, &literal::Text1_Change, &literal::Command1_Click},
    }};
    return both;
}

}  // namespace quorvel::test
