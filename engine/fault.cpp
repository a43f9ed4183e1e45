#include "fault.h"

namespace quorvel {

std::string FaultMessage(const Fault& fault)
{
    switch (fault.kind) {
    case FaultKind::TooLong: return "表达式超过32766个字符错";
    case FaultKind::ValueNotNumber: return "变量" + fault.subject + "的值不是数字错";
    case FaultKind::OperandNotNumber: return "数字" + fault.subject + "无效错";
    case FaultKind::Overflow: return "数值溢出错";
    case FaultKind::SqrNegative: return "负数不能开平方错";
    case FaultKind::LogNotPositive: return "对数的参数必须大于0错";
    case FaultKind::PowerNotReal: return "乘方没有实数结果错";
    case FaultKind::IntDivOperandRange: return "整除的操作数超出范围错";
    case FaultKind::IntDivDivisorRounds: return "整除的除数取整后为0错";
    case FaultKind::IntDivQuotientRange: return "整除的结果超出范围错";
    case FaultKind::CountOutOfRange: return "记号数超出范围错";
    }
    return "计算错";
}

}  // namespace quorvel
