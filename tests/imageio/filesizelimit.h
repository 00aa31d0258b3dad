#pragma once
// Limits the size of files this process writes, as a nearly full disk does;
// the limit is lifted again at the end of the scope. SIGXFSZ is ignored
// meanwhile, so a write beyond the limit fails with EFBIG.

#include <csignal>
#include <sys/resource.h>

namespace orbelle::test {

class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace orbelle::test
