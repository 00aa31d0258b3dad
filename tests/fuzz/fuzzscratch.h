#pragma once
// What the fuzz targets share: a check that stops the run, and for the store
// targets a scratch folder for the files every run writes.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

namespace orbelle::fuzz {

inline void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// A scratch folder for the store files of every run, removed at exit; in
// memory (/dev/shm) where there is such a folder, as every run writes files.
class ScratchFolder {
  public:
    ScratchFolder() {
        const std::filesystem::path base = ::access("/dev/shm", W_OK | X_OK) == 0
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::string name = (base / "orbelle-fuzz-XXXXXX").string();
        require(::mkdtemp(name.data()) != nullptr);
        m_path = name;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }

  private:
    std::filesystem::path m_path;
};

} // namespace orbelle::fuzz
