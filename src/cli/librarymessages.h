#pragma once
// Keeps what Qt's image plugins and the libraries behind them (libpng,
// libjpeg) say during one of the tool's own image reads or writes off
// standard error, so that every error of the tool stays one line; what they
// said can be added to that line. Qt's warnings, libpng's and libjpeg's
// among them, are caught by a message handler; libpng's errors, which it
// prints itself, by sending standard error to a temporary file meanwhile.

#include <QtGlobal>

#include <cstdio>
#include <string>

namespace orbelle::cli {

class LibraryMessages {
  public:
    enum class Catch {
        QtMessages,                ///< Qt's messages only (safe beside other threads)
        QtMessagesAndStandardError ///< also whatever is printed to standard error
    };

    explicit LibraryMessages(Catch what = Catch::QtMessagesAndStandardError);
    ~LibraryMessages();
    LibraryMessages(const LibraryMessages&) = delete;
    LibraryMessages& operator=(const LibraryMessages&) = delete;

    /// Ends the catching and returns what was said, one message after the
    /// other, separated by "; ", without line ends; empty when nothing was.
    std::string finish();

  private:
    QtMessageHandler m_previous = nullptr;
    std::FILE* m_capture = nullptr;
    int m_savedError = -1;
    bool m_finished = false;
    std::string m_text;
};

/// " (what)" when what is not empty, else "": the tail of a one-line error.
std::string saidInParentheses(const std::string& what);

} // namespace orbelle::cli
