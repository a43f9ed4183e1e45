#pragma once
// Temporary files for the file tests: exact bytes in, exact bytes out.
#include <string>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

namespace quorvel::test {

inline bool WriteBytes(const QString& path, const std::string& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    return f.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

inline std::string ReadBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<unreadable>";
    return f.readAll().toStdString();
}

// Names in the folder, so that a failed save can be seen to leave no
// temporary file behind.
inline QStringList Listing(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

inline std::string Utf8(const QString& s) { return s.toStdString(); }

inline bool RunningAsRoot() { return ::geteuid() == 0; }

}  // namespace quorvel::test
