#include "history.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLockFile>
#include <QSaveFile>

#include "qt_text.h"
#include "tokenizer.h"

namespace quorvel {

namespace {

// Far beyond 1000 entries of the longest expression: anything larger is no
// history of ours.
constexpr qint64 kMaxFileSize = 256LL * 1024 * 1024;

void Push(std::vector<std::u16string>& entries, const std::u16string& text)
{
    if (!entries.empty() && entries.back() == text) return;
    entries.push_back(text);
    if (entries.size() > static_cast<size_t>(History::kMaxEntries))
        entries.erase(entries.begin(), entries.end() - History::kMaxEntries);
}

}  // namespace

QString History::DefaultFile()
{
    // Relative paths in XDG_STATE_HOME are invalid and ignored.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state)) {
        const QString home = qEnvironmentVariable("HOME");
        if (!QDir::isAbsolutePath(home)) return {};
        state = home + QStringLiteral("/.local/state");
    }
    return state + QStringLiteral("/quorvel/history.json");
}

History::History(QString file) : file_(std::move(file)) {}

bool History::Read(std::vector<std::u16string>& entries) const
{
    QFile file(file_);
    if (!file.exists()) return true;  // nothing kept yet
    if (file.size() > kMaxFileSize || !file.open(QIODevice::ReadOnly)) return false;
    QJsonParseError error{};
    const QJsonDocument json = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !json.isArray()) return false;
    std::vector<std::u16string> read;
    const QJsonArray array = json.array();
    for (const auto& entry : array) {
        if (!entry.isString()) return false;
        read.push_back(entry.toString().toStdU16String());
    }
    entries = std::move(read);
    return true;
}

bool History::Write(const std::vector<std::u16string>& entries) const
{
    QJsonArray array;
    for (const std::u16string& entry : entries) array.append(Q(entry));
    const QByteArray bytes = QJsonDocument(array).toJson(QJsonDocument::Compact) + '\n';
    // The old file is replaced only by a complete new one.
    QSaveFile file(file_);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() && file.commit();
}

void History::Add(const std::u16string& text)
{
    if (text.empty() || text.size() > static_cast<size_t>(kMaxTextLength)) return;
    if (!file_.isEmpty()) {
        // What other windows added meanwhile is kept; while the file works,
        // it holds every entry this window added.
        QLockFile lock(file_ + QStringLiteral(".lock"));
        std::vector<std::u16string> kept;
        if (QDir().mkpath(QFileInfo(file_).absolutePath()) && lock.tryLock(2000) && Read(kept)) {
            Push(kept, text);
            if (!Write(kept)) file_.clear();
            entries_ = std::move(kept);
            read_ = true;
            return;
        }
        file_.clear();
    }
    Push(entries_, text);
}

const std::vector<std::u16string>& History::Entries()
{
    // Until then only Add has touched the file, and it sets read_.
    if (!read_ && !file_.isEmpty() && !Read(entries_)) file_.clear();
    read_ = true;
    return entries_;
}

void History::Clear()
{
    entries_.clear();
    if (!file_.isEmpty() && QFile::exists(file_)) {
        QLockFile lock(file_ + QStringLiteral(".lock"));
        if (!lock.tryLock(2000) || !Write({})) file_.clear();
    }
}

}  // namespace quorvel
