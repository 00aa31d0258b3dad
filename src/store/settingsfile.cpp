#include "store/settingsfile.h"

#include "store/settingsline.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace orbelle {

std::string formatSettingsFile(const DrawSettings& settings) {
    return formatLine(LineVariant::SettingsFile, settings) + "\r\n";
}

std::optional<DrawSettings> parseSettingsFile(std::string_view content) {
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string_view::npos) {
            end = content.size();
        }
        const std::string_view line = content.substr(start, end - start);
        start = end + 1;
        if (line.find("//") != std::string_view::npos) {
            continue;
        }
        return settingsFromLine(parseLine(line), LineVariant::SettingsFile);
    }
    return std::nullopt;
}

SettingsFileRead readSettingsFile(const std::string& path) {
    SettingsFileRead read;
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec) {
        read.error = "cannot read " + path + ": " + ec.message();
        return read;
    }
    if (!std::filesystem::is_regular_file(status)) {
        read.error = "cannot read " + path + ": not a regular file";
        return read;
    }
    errno = 0;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               &std::fclose);
    if (!file) {
        read.error = "cannot read " + path + ": " + std::strerror(errno);
        return read;
    }
    // One byte more than allowed tells a file that is too long; the read stops
    // there whatever the file is.
    std::string content(kMaxSettingsFileBytes + 1, '\0');
    const std::size_t n = std::fread(content.data(), 1, content.size(), file.get());
    if (std::ferror(file.get())) {
        read.error = "cannot read " + path + ": " + std::strerror(errno);
        return read;
    }
    if (n > kMaxSettingsFileBytes) {
        read.error = path + ": not a settings file (longer than 1 MiB)";
        return read;
    }
    content.resize(n);
    read.settings = parseSettingsFile(content);
    if (!read.settings) {
        read.error = path + ": not a settings file (wrong field count or failing sum)";
    }
    return read;
}

} // namespace orbelle
