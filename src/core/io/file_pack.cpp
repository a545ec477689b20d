#include "io/file_pack.h"

#include "io/binary_stream.h"

#include <algorithm>
#include <cstdint>

namespace dalvex {

namespace {
constexpr std::string_view kPackMark = "DALVEXPACK1\n";
} // namespace

bool isPackPath(std::string_view path) {
    if (path.empty() || path.find_first_of(std::string_view("\\\0", 2)) != std::string_view::npos) return false;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t slash = std::min(path.find('/', start), path.size());
        const std::string_view name = path.substr(start, slash - start);
        if (name.empty() || name == "." || name == "..") return false;
        start = slash + 1;
    }
    return true;
}

std::string packFiles(const std::vector<PackedFile>& files) {
    BinaryWriter out;
    out.raw(kPackMark);
    out.i32(static_cast<int32_t>(files.size()));
    for (const PackedFile& file : files) {
        out.u16(static_cast<uint16_t>(file.path.size()));
        out.raw(file.path);
        out.i64(static_cast<int64_t>(file.bytes.size()));
        out.raw(file.bytes);
    }
    return out.bytes();
}

std::optional<std::vector<PackedFile>> unpackFiles(std::string_view pack) {
    BinaryReader in(pack);
    if (in.raw(kPackMark.size()) != kPackMark) return std::nullopt;
    const int32_t count = in.i32();
    if (count < 0) return std::nullopt;
    std::vector<PackedFile> files;
    for (int32_t i = 0; i < count && in.ok(); ++i) {
        PackedFile file;
        file.path = std::string(in.raw(in.u16()));
        const int64_t size = in.i64();
        if (!isPackPath(file.path) || size < 0 || static_cast<uint64_t>(size) > in.remaining())
            return std::nullopt;
        file.bytes = std::string(in.raw(static_cast<std::size_t>(size)));
        files.push_back(std::move(file));
    }
    if (!in.ok() || in.remaining() != 0) return std::nullopt;
    return files;
}

} // namespace dalvex
