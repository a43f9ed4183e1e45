#include "expression_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include "qt_text.h"
#include "texts.h"

namespace quorvel {

namespace {

FileLoad Failed(WindowModel& w, Load what)
{
    w.label1 = LoadMessage(what);
    w.outcome = Outcome::Failure;
    return {what};
}

}  // namespace

std::string_view LoadMessage(Load what)
{
    switch (what) {
    case Load::CannotOpen: return texts::kCannotOpen;
    case Load::CannotRead: return texts::kCannotRead;
    case Load::Loaded:
    case Load::NotOrdinary:
    case Load::Empty: break;
    }
    return {};
}

std::string_view SaveMessage(Save what)
{
    switch (what) {
    case Save::CannotSave: return texts::kCannotSave;
    case Save::Saved: break;
    }
    return {};
}

// The whole file is read before Text1 is touched, so a read error leaves the
// window as it was, and no cycle runs while the file is open.
FileLoad LoadExpressionFile(WindowModel& w, const std::string& fileName)
{
    QFile file(Q(fileName));
    if (!file.open(QIODevice::ReadOnly)) return Failed(w, Load::CannotOpen);
    const QByteArray bytes = file.readAll();
    const bool readFailed = file.error() != QFileDevice::NoError;
    file.close();
    if (readFailed) return Failed(w, Load::CannotRead);

    const QString decoded = DecodeExpressionFile(bytes);
    const std::u16string_view text(reinterpret_cast<const char16_t*>(decoded.utf16()),
                                   static_cast<size_t>(decoded.size()));
    if (text.empty()) return {Load::Empty};

    // Every line runs its own text-change cycle, even when the text stays the
    // same; a cycle that fails is superseded by the next, so the window ends
    // with the cycle of the whole text and nothing of the file is cut off.
    Outcome last = Outcome::NotRun;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find(u'\r', pos);
        if (end == std::u16string_view::npos) end = text.size();
        // Text1 grows by the line: no copy of all the lines before it.
        if (pos == 0) w.text1.assign(text.substr(0, end));
        else w.text1.append(text.substr(pos, end - pos));
        pos = end + 1;                                       // past the CR
        if (pos < text.size() && text[pos] == u'\n') ++pos;  // and the LF of a CR LF
        last = Text1_Change(w);
    }
    return {Load::Loaded, last};
}

Save SaveExpressionFile(WindowModel& w, const std::string& fileName)
{
    QStringEncoder encode(QStringConverter::System);
    QByteArray line = encode(QStringView(w.text1.data(), static_cast<qsizetype>(w.text1.size())));
    line.prepend('"');
    line.append("\"\r\n");

    // The named file is replaced only by commit(); a QSaveFile destroyed
    // before that removes its temporary file and leaves the old one alone.
    // The explicit flush matters: Qt 6.4's commit() renames even when its
    // own final flush fails, which would replace the file with a cut one.
    // Where the folder cannot take the temporary file, the file itself is
    // written in place (a shared file in someone else's folder).
    QSaveFile file(Q(fileName));
    file.setDirectWriteFallback(true);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(line) == line.size() && file.flush();
    if (written && file.commit()) return Save::Saved;
    w.label1 = SaveMessage(Save::CannotSave);
    w.outcome = Outcome::Failure;
    return Save::CannotSave;
}

QString DecodeExpressionFile(const QByteArray& bytes)
{
    // Stateless: a sequence cut short at the end is an error, not held back.
    const auto flags = QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless;
    QStringDecoder system(QStringConverter::System, flags);
    QString read = system(bytes);
    if (!system.hasError()) return read;
    QStringDecoder gb18030("GB18030", flags);
    if (!gb18030.isValid()) return read;
    QString fallback = gb18030(bytes);
    return gb18030.hasError() ? read : fallback;
}

bool IsOrdinaryFile(const std::string& fileName)
{
    if (fileName.empty()) return false;
    const QFileInfo info(Q(fileName));
    return info.isFile() && !info.isHidden();
}

void TransferExpressionFile(std::int16_t mode, WindowModel& w, const std::string& fileName)
{
    if (mode == kLoadFile) LoadExpressionFile(w, fileName);
    if (mode == kSaveFile) SaveExpressionFile(w, fileName);
}

}  // namespace quorvel
