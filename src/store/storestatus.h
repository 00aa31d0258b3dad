#pragma once
// The outcome of a store operation: success, or a failure given as a code,
// the file it concerns and the system's error number, with whatever else the
// wording needs. Store code reports every failure this way; it never throws
// and never fails silently. Each front end words a failure in its own
// language.

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>

namespace orbelle {

enum class StoreError {
    None,
    CannotRead,         ///< the file could not be opened or read: errorNumber() says why
    NotRegularFile,     ///< the file is a folder, a device or a pipe
    TooLarge,           ///< the file is longer than limit() bytes
    CannotWrite,        ///< the file could not be written: errorNumber() says why
    LinkNotFollowed,    ///< a file of the program's own is a link: left alone, not written
    NotRegularTarget,   ///< the file to replace is a folder, device, pipe or socket: left alone
    CannotCreateFolder, ///< path() is the folder: errorNumber() says why
    NotSettingsFile,    ///< no settings file line (wrong field count or failing sum)
    NoHistoryLines,     ///< an import source is empty or holds no history line
    NoFavoriteLines,    ///< an import source is empty or holds no folder or favorite
    NotImage,           ///< no picture could be decoded: detail() is the decoder's reason
    NoImageSettings,    ///< an image without a valid settings line
    NoSuchFolder,       ///< limit() is the number of the folder asked for
    NameNotText,        ///< a name holds bytes that are no UTF-8 character
    NameControl,        ///< a name holds a control character
    NameCannotConvert,  ///< no converter to code page 932: errorNumber() says why
    NameCharacter,      ///< detail() is a character code page 932 cannot hold
    NameTooLong,        ///< the name takes limit() bytes in code page 932
};

class [[nodiscard]] StoreStatus {
  public:
    /// A successful outcome.
    static StoreStatus success() { return StoreStatus(); }

    /// A failure concerning `path` (empty for a name); `errorNumber` is the
    /// errno value behind it, 0 when the failure is not a system error.
    static StoreStatus failure(StoreError error, std::filesystem::path path = {},
                               int errorNumber = 0) {
        StoreStatus status;
        status.m_error = error;
        status.m_path = std::move(path);
        status.m_errorNumber = errorNumber;
        return status;
    }

    /// The failure with a number the wording names (a size, a folder number).
    StoreStatus withLimit(std::uintmax_t limit) && {
        m_limit = limit;
        return std::move(*this);
    }

    /// The failure with a text the wording names (a character).
    StoreStatus withDetail(std::string detail) && {
        m_detail = std::move(detail);
        return std::move(*this);
    }

    bool ok() const { return m_error == StoreError::None; }
    explicit operator bool() const { return ok(); }

    StoreError error() const { return m_error; }

    /// The file or folder concerned; empty on success and for names.
    const std::filesystem::path& path() const { return m_path; }

    /// The errno value of a failed system call, 0 otherwise.
    int errorNumber() const { return m_errorNumber; }

    std::uintmax_t limit() const { return m_limit; }
    const std::string& detail() const { return m_detail; }

  private:
    StoreStatus() = default;

    StoreError m_error = StoreError::None;
    std::filesystem::path m_path;
    int m_errorNumber = 0;
    std::uintmax_t m_limit = 0;
    std::string m_detail;
};

/// A value together with the status of the operation that produced it; the
/// value is meaningful only when the status is a success.
template <typename T> struct [[nodiscard]] StoreResult {
    StoreStatus status = StoreStatus::success();
    T value{};

    bool ok() const { return status.ok(); }
};

} // namespace orbelle
