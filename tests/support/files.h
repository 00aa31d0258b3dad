#pragma once
// Whole-file reads and writes for tests that set up or inspect files.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace orbelle::test {

/// The bytes of a file, or nothing when it cannot be read.
inline QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// Replaces a whole file; false when it cannot be written.
[[nodiscard]] inline bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

/// The bytes of a file as a string, empty when it cannot be read.
inline std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

} // namespace orbelle::test
