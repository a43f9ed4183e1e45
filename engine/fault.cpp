#include "fault.h"

#include "texts.h"
#include "tokenizer.h"

namespace quorvel {

std::string FaultMessage(const Fault& fault)
{
    switch (fault.kind) {
    case FaultKind::TooLong: return texts::kTooLong.With(std::to_string(kMaxTextLength));
    case FaultKind::ValueNotNumber: return texts::kValueNotNumber.With(fault.subject);
    case FaultKind::OperandNotNumber: return texts::kOperandNotNumber.With(fault.subject);
    case FaultKind::Overflow: return texts::kOverflow;
    case FaultKind::SqrNegative: return texts::kSqrNegative;
    case FaultKind::LogNotPositive: return texts::kLogNotPositive;
    case FaultKind::PowerNotReal: return texts::kPowerNotReal;
    case FaultKind::IntDivOperandRange: return texts::kIntDivOperandRange;
    case FaultKind::IntDivDivisorRounds: return texts::kIntDivDivisorRounds;
    case FaultKind::IntDivQuotientRange: return texts::kIntDivQuotientRange;
    case FaultKind::CountOutOfRange: return texts::kCountOutOfRange;
    case FaultKind::None: break;
    }
    return {};
}

}  // namespace quorvel
