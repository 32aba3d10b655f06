#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

// The two settings files share these shells: a read that takes the whole file before anyone
// looks at it, and a write that never leaves the target half written.
namespace tarvel {

// Reads up to `limit` + 1 bytes, so a caller that knows the size it wants can tell a larger
// file without reading all of it. nullopt when the file can't be opened or read (a folder
// included).
std::optional<std::vector<std::uint8_t>> ReadFilePrefix(const std::filesystem::path& path,
                                                        std::size_t limit);

// Writes the bytes to a new file beside `target` and renames it over `target`. Any failure
// (folder missing or not writable, disk full, write error) removes the new file and leaves
// `target` as it was. A symbolic link is followed, so the file it names is replaced and the
// link kept; an existing file's permissions carry over to its replacement.
bool WriteFileReplacing(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);

} // namespace tarvel
