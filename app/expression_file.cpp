#include "expression_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include "cycle.h"

namespace quorvel {

namespace {

QString QName(const std::string& fileName) { return QString::fromStdString(fileName); }

// The whole file is read before Text1 is touched, so a read error leaves the
// window as it was, and no cycle runs while the file is open.
void Load(WindowModel& w, const std::string& fileName)
{
    QFile file(QName(fileName));
    if (!file.open(QIODevice::ReadOnly)) {
        w.label1 = kCannotOpen;
        return;
    }
    const QByteArray bytes = file.readAll();
    const bool readFailed = file.error() != QFileDevice::NoError;
    file.close();
    if (readFailed) {
        w.label1 = kCannotRead;
        return;
    }

    // A leading byte-order mark is text like any other byte.
    QStringDecoder decode(QStringConverter::System, QStringConverter::Flag::ConvertInitialBom);
    const QString decoded = decode(bytes);
    const std::u16string_view text(reinterpret_cast<const char16_t*>(decoded.utf16()),
                                   static_cast<size_t>(decoded.size()));

    std::u16string joined;
    joined.reserve(text.size());
    size_t pos = 0;
    for (int line = 1; pos < text.size(); ++line) {
        size_t end = text.find(u'\r', pos);
        if (end == std::u16string_view::npos) end = text.size();
        joined.append(text.substr(pos, end - pos));
        pos = end + 1;                                       // past the CR
        if (pos < text.size() && text[pos] == u'\n') ++pos;  // and the LF of a CR LF
        if (SetText1(w, joined) == Outcome::Failure) {
            w.label1 = LoadStoppedMessage(line, w.label1);
            return;
        }
    }
}

void Save(WindowModel& w, const std::string& fileName)
{
    QStringEncoder encode(QStringConverter::System);
    QByteArray line = encode(QStringView(w.text1.data(), static_cast<qsizetype>(w.text1.size())));
    line.prepend('"');
    line.append("\"\r\n");

    // The named file is replaced only by commit(); a QSaveFile destroyed
    // before that removes its temporary file and leaves the old one alone.
    // The explicit flush matters: Qt 6.4's commit() renames even when its
    // own final flush fails, which would replace the file with a cut one.
    QSaveFile file(QName(fileName));
    const bool written = file.open(QIODevice::WriteOnly) && file.write(line) == line.size() && file.flush();
    if (!written || !file.commit()) w.label1 = kCannotSave;
}

}  // namespace

std::string LoadStoppedMessage(int line, const std::string& cycleMessage)
{
    return "载入第" + std::to_string(line) + "行时" + cycleMessage;
}

bool IsOrdinaryFile(const std::string& fileName)
{
    if (fileName.empty()) return false;
    const QFileInfo info(QName(fileName));
    return info.isFile() && !info.isHidden();
}

void TransferExpressionFile(std::int16_t mode, WindowModel& w, const std::string& fileName)
{
    if (mode == kLoadFile) Load(w, fileName);
    else if (mode == kSaveFile) Save(w, fileName);
}

}  // namespace quorvel
