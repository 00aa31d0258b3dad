#include "cli/librarymessages.h"

#include <QString>

#include <mutex>

#include <unistd.h>

namespace orbelle::cli {
namespace {

std::mutex g_mutex;
std::string g_said;

void collect(QtMsgType, const QMessageLogContext&, const QString& message) {
    const std::lock_guard lock(g_mutex);
    if (!g_said.empty()) {
        g_said += "; ";
    }
    g_said += message.simplified().toStdString();
}

// Appends the lines of text to said, one message each.
void appendLines(std::string& said, const std::string& text) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) {
            line.pop_back();
        }
        if (!line.empty()) {
            if (!said.empty()) {
                said += "; ";
            }
            said += line;
        }
        start = end + 1;
    }
}

} // namespace

LibraryMessages::LibraryMessages(Catch what) {
    {
        const std::lock_guard lock(g_mutex);
        g_said.clear();
    }
    m_previous = qInstallMessageHandler(collect);
    if (what == Catch::QtMessagesAndStandardError) {
        std::fflush(stderr);
        m_capture = std::tmpfile();
        if (m_capture != nullptr) {
            m_savedError = ::dup(STDERR_FILENO);
            if (m_savedError < 0 || ::dup2(::fileno(m_capture), STDERR_FILENO) < 0) {
                std::fclose(m_capture);
                m_capture = nullptr;
            }
        }
    }
}

LibraryMessages::~LibraryMessages() { (void)finish(); }

std::string LibraryMessages::finish() {
    if (m_finished) {
        return m_text;
    }
    m_finished = true;
    qInstallMessageHandler(m_previous);
    {
        const std::lock_guard lock(g_mutex);
        m_text = g_said;
        g_said.clear();
    }
    if (m_capture != nullptr) {
        std::fflush(stderr);
        ::dup2(m_savedError, STDERR_FILENO);
        ::close(m_savedError);
        std::string printed;
        std::rewind(m_capture);
        char buffer[512];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, m_capture)) > 0 &&
               printed.size() < 4096) {
            printed.append(buffer, got);
        }
        std::fclose(m_capture);
        m_capture = nullptr;
        appendLines(m_text, printed);
    }
    return m_text;
}

std::string saidInParentheses(const std::string& what) {
    return what.empty() ? std::string() : " (" + what + ")";
}

} // namespace orbelle::cli
