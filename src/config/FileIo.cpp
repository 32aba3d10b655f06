#include "FileIo.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <random>
#include <string>

namespace tarvel {

namespace fs = std::filesystem;

namespace {

// fopen keeps the exclusive-create mode "x" that fstream lacks before C++23.
std::FILE* OpenFile(const fs::path& path, const char* mode) {
#ifdef _WIN32
    const std::string narrow(mode);
    return _wfopen(path.c_str(), std::wstring(narrow.begin(), narrow.end()).c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Creates a new file of a fresh name in the target's folder; never opens an existing one.
std::FILE* CreateBeside(const fs::path& target, fs::path& created) {
    static std::mt19937_64 names{std::random_device{}()};
    for (int attempt = 0; attempt < 16; ++attempt) {
        created = target;
        created += ".tmp" + std::to_string(names() % 1000000000ULL);
        if (std::FILE* file = OpenFile(created, "wbx"))
            return file;
        if (errno != EEXIST)
            break;
    }
    return nullptr;
}

} // namespace

std::optional<std::vector<std::uint8_t>> ReadFilePrefix(const fs::path& path, std::size_t limit) {
    std::unique_ptr<std::FILE, FileCloser> file(OpenFile(path, "rb"));
    if (!file)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(limit + 1);
    std::size_t total = 0;
    while (total < bytes.size()) {
        const auto got = std::fread(bytes.data() + total, 1, bytes.size() - total, file.get());
        if (got == 0)
            break;
        total += got;
    }
    if (std::ferror(file.get()))
        return std::nullopt;
    bytes.resize(total);
    return bytes;
}

bool WriteFileReplacing(const fs::path& requested, std::span<const std::uint8_t> bytes) {
    std::error_code ec;
    fs::path target = requested;
    if (fs::is_symlink(target, ec)) {
        const auto resolved = fs::canonical(target, ec);
        if (!ec)
            target = resolved;
    }

    fs::path temporary;
    std::FILE* file = CreateBeside(target, temporary);
    if (!file)
        return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = std::fflush(file) == 0 && written;
    written = std::fclose(file) == 0 && written; // a full disk may only show here
    if (written) {
        const auto old = fs::status(target, ec);
        if (!ec && fs::is_regular_file(old))
            fs::permissions(temporary, old.permissions(), ec);
        fs::rename(temporary, target, ec);
        written = !ec;
    }
    if (!written)
        fs::remove(temporary, ec);
    return written;
}

} // namespace tarvel
