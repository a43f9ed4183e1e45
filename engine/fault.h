#pragma once
// The conditions under which a step of the calculation cannot complete, and
// the message the window shows for each (texts.h).
#include <string>

namespace quorvel {

enum class FaultKind {
    None,                 // no fault: a computation that may fail did not
    TooLong,              // expression text beyond kMaxTextLength characters
    ValueNotNumber,       // a value row that is not a number; subject: the variable
    OperandNotNumber,     // a token row that is not a number; subject: the token
    Overflow,             // a result beyond the largest double
    SqrNegative,          // sqr of a negative value
    LogNotPositive,       // log of a value not above 0
    PowerNotReal,         // a power with no finite real value
    IntDivOperandRange,   // "\" operand outside the 32-bit range
    IntDivDivisorRounds,  // "\" divisor that rounds to 0
    IntDivQuotientRange,  // -2147483648 \ -1
    CountOutOfRange,      // a token count outside the 16-bit range
};

struct Fault {
    FaultKind kind;
    std::string subject;
    bool operator==(const Fault&) const = default;
};

std::string FaultMessage(const Fault& fault);

}  // namespace quorvel
