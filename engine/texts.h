#pragma once
// Every text the user reads, in one place: the window's captions and
// messages, the companion's usage and errors. UTF-8.
#include <string>
#include <string_view>

namespace quorvel::texts {

// A message around a name, a number or a file name.
struct Around {
    const char* before;
    const char* after;
    std::string With(std::string_view inside) const { return before + std::string(inside) + after; }
};

// The title: the syntax check's messages, one per SyntaxKind, composed in
// SyntaxMessage. N is the position of the token in the token list.
inline constexpr const char* kFirstToken = "错误:第一个字符串类型只能是(,正,负常数,变量";
inline constexpr const char* kMissingClose = "错误:发现缺少)";
inline constexpr const char* kAt = "错误:第";  // then N, then one of these
inline constexpr const char* kSurplusClose = "位发现多于的)";
inline constexpr const char* kAfterOpening = "个字符它必需是( 正,负数,变量";
inline constexpr const char* kAfterFunction = "个字符它必需(";
inline constexpr const char* kAfterOperand = "个字符它必需是纯操作符)";
inline constexpr const char* kAfterOperator = "个字符它必需是正,负数,变量(";
inline constexpr const char* kEndsWithFunction = "字符它必需是涵数前(";
inline constexpr const char* kEndsWithOperator = "结束字符它必需是正,负数,变量)";

// Label1: what stopped a calculation.
inline constexpr const char* kDivisorZero = "除数为0错";
inline constexpr Around kTooLong{"表达式超过", "个字符错"};  // around kMaxTextLength
inline constexpr Around kValueNotNumber{"变量", "的值不是数字错"};
inline constexpr Around kOperandNotNumber{"数字", "无效错"};
inline constexpr const char* kOverflow = "数值溢出错";
inline constexpr const char* kSqrNegative = "负数不能开平方错";
inline constexpr const char* kLogNotPositive = "对数的参数必须大于0错";
inline constexpr const char* kPowerNotReal = "乘方没有实数结果错";
inline constexpr const char* kIntDivOperandRange = "整除的操作数超出范围错";
inline constexpr const char* kIntDivDivisorRounds = "整除的除数取整后为0错";
inline constexpr const char* kIntDivQuotientRange = "整除的结果超出范围错";
inline constexpr const char* kCountOutOfRange = "记号数超出范围错";

// Label1: opening and saving files.
inline constexpr const char* kCannotOpen = "无法打开文件错";
inline constexpr const char* kCannotRead = "读取文件错";
inline constexpr const char* kCannotSave = "无法保存文件错";

// The file dialogs: title and filter.
inline constexpr const char* kOpenTitle = "打开";
inline constexpr const char* kOpenFilter = "所有文本 (*.txt)";
inline constexpr const char* kSaveTitle = "另存为";
inline constexpr const char* kSaveFilter = "所有文件 (*.txt)";

// The window's captions, and the names screen readers say.
inline constexpr const char* kWindowTitle = "Quorvel";  // before the first calculation
inline constexpr const char* kOpenCaption = "打开";
inline constexpr const char* kSaveCaption = "保存";
inline constexpr const char* kResultCaption = "计算结果=";
inline constexpr const char* kValuesCaption = "变量： 赋值";
inline constexpr const char* kCalculateCaption = "计算";
inline constexpr const char* kExpressionName = "表达式";
inline constexpr const char* kResultName = "计算结果：";  // then the result
inline constexpr const char* kNamesName = "变量名";
inline constexpr const char* kValuesName = "变量值";
inline constexpr const char* kValueName = "值";  // while no row is chosen
inline constexpr const char* kValueOf = " 的值";  // after the chosen row's name
inline constexpr const char* kTokensName = "记号";
inline constexpr const char* kReadingTip = "运算顺序：";  // then the reading
inline constexpr const char* kMarkedToken = "，标记的记号：";  // after a syntax message, then the token
inline constexpr const char* kCopied = "已复制";  // then what was copied
inline constexpr const char* kClearHistory = "清除历史记录";  // the expression box's context menu

// The window's command line.
inline constexpr const char* kNoDisplay =
    "quorvel: 无法打开窗口：没有可用的图形显示 (cannot open the window: no display; set DISPLAY or WAYLAND_DISPLAY)\n";
inline constexpr const char* kWindowUsage =
    "用法: quorvel [--no-history] [Qt 选项]... [[--] 文件]\n"
    "      quorvel --help | --version\n";
inline constexpr const char* kWindowHelp =
    "Quorvel 计算器窗口: 计算带变量的表达式.\n"
    "\n"
    "  文件          启动时如同\"打开\"载入这个表达式文件\n"
    "  --            其后的参数是文件名, 即使以 - 开头: quorvel -- -文件\n"
    "  --no-history  不读取也不保存历史记录; 历史记录保存在\n"
    "                $XDG_STATE_HOME/quorvel/history.json\n"
    "                (默认 ~/.local/state/quorvel/history.json)\n"
    "  --help        显示本说明\n"
    "  --version     显示版本\n"
    "\n"
    "Qt 的标准选项照常有效, 如 -style 样式, -stylesheet 文件, -platform 平台,\n"
    "-reverse (从右到左布局), -geometry 宽x高+X+Y.\n"
    "\n"
    "在表达式框中按上下方向键可调出以前的表达式.\n";
inline constexpr const char* kOneFileOnly = "只能打开一个文件";

// The companion.
inline constexpr const char* kUsage =
    "用法: quorvel-cli [--json] [--explain] 表达式 [变量=值]...\n"
    "      quorvel-cli [--json] -\n"
    "      quorvel-cli [--json] [--explain] --file 文件\n";
inline constexpr const char* kHelp =
    "计算表达式, 与 Quorvel 窗口的计算完全相同.\n"
    "\n"
    "  表达式      如同在表达式框中键入; 负数写作 _5, 函数如 sin(x)\n"
    "  变量=值     给表达式中的变量赋值, 然后如同点击\"计算\"\n"
    "  -           从标准输入逐行读取, 每行一次独立的计算\n"
    "  --file 文件 如同窗口的\"打开\"载入表达式文件 (各行相连, 每行一次计算),\n"
    "              输出最后一次计算的结果\n"
    "  --json      每次计算输出一行JSON对象; 与 - 同用时每行输入也是JSON:\n"
    "              {\"expression\": \"x+1\", \"values\": {\"x\": \"5\"}} 或\n"
    "              {\"expression\": \"x+y\", \"rows\": [\"2\", \"3\"]}\n"
    "  --explain   在结果前另起一行输出运算顺序: 六遍归约 / ^ * \\ + - 的每一步\n"
    "              加上括号, 如 8-2+1 输出 8-(2+1); 语法错误时不输出\n"
    "              (--json 的对象总有键 reading, 语法错误时为 null)\n"
    "  --help      显示本说明\n"
    "  --version   显示版本\n"
    "\n"
    "退出码: 0 结果, 1 语法错误, 2 除数为0或计算错误, 64 用法错误, 65 输入行无效,\n"
    "        66 无法载入文件.\n";
inline constexpr const char* kNoExpression = "缺少表达式";
inline constexpr const char* kUnknownOption = "未知选项 ";  // then the option
inline constexpr const char* kFileNeedsOneName = "--file 之后应恰有一个文件名";
inline constexpr const char* kNothingAfterDash = "- 之后不能再有参数";
inline constexpr const char* kNotAnAssignment = "参数应为 变量=值: ";  // then the argument
inline constexpr const char* kNoSuchVariable = "表达式中没有变量";  // then the name
inline constexpr Around kRowsWanted{"rows 应有", "行"};
inline constexpr const char* kNoSuchFile = "没有这个文件: ";  // then the name
inline constexpr const char* kEmptyFile = "文件是空的: ";     // then the name
inline constexpr const char* kNotJsonObject = "不是JSON对象";
inline constexpr const char* kNoExpressionString = "缺少字符串expression";
inline constexpr const char* kValuesNotObject = "values必须是对象";
inline constexpr Around kValueNotString{"变量", "的值必须是字符串"};
inline constexpr const char* kRowsNotArray = "rows必须是数组";
inline constexpr const char* kRowNotString = "rows的每一行必须是字符串";

}  // namespace quorvel::texts
