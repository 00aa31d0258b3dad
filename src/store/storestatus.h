#pragma once
// The outcome of a store operation: success, or a failure with a message for
// the user that names the file and the system's reason. Store code reports
// every failure this way; it never throws and never fails silently.

#include <string>
#include <utility>

namespace orbelle {

class [[nodiscard]] StoreStatus {
  public:
    /// A successful outcome.
    static StoreStatus success() { return StoreStatus(); }

    /// A failure. `message` is the full text for a message box; `errorNumber`
    /// is the errno value behind it, 0 when the failure is not a system error.
    static StoreStatus failure(std::string message, int errorNumber = 0) {
        StoreStatus status;
        status.m_ok = false;
        status.m_message = std::move(message);
        status.m_errorNumber = errorNumber;
        return status;
    }

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }

    /// Empty on success.
    const std::string& message() const { return m_message; }

    /// The errno value of a failed system call, 0 otherwise.
    int errorNumber() const { return m_errorNumber; }

  private:
    StoreStatus() = default;

    bool m_ok = true;
    std::string m_message;
    int m_errorNumber = 0;
};

/// A value together with the status of the operation that produced it; the
/// value is meaningful only when the status is a success.
template <typename T> struct [[nodiscard]] StoreResult {
    StoreStatus status = StoreStatus::success();
    T value{};

    bool ok() const { return status.ok(); }
};

} // namespace orbelle
