// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the one image of an icon file, without the file's header and
// directory: the form an icon image takes as a Windows resource.
// Usage: snomel-icon-image ICON-FILE IMAGE-FILE
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::uint32_t u32At(const std::vector<unsigned char> &bytes, std::size_t offset) {
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
           static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: snomel-icon-image ICON-FILE IMAGE-FILE\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<unsigned char> icon{std::istreambuf_iterator<char>(in), {}};
    // Header (reserved 0, type 1, count 1), then one 16-byte directory entry
    // giving the image's size and offset.
    if (icon.size() < 22 || icon[2] != 1 || icon[4] != 1 || icon[5] != 0) {
        std::fprintf(stderr, "snomel-icon-image: %s is not an icon file with one image\n", argv[1]);
        return 1;
    }
    const std::uint32_t size = u32At(icon, 14), offset = u32At(icon, 18);
    if (offset < 22 || offset > icon.size() || size > icon.size() - offset) {
        std::fprintf(stderr, "snomel-icon-image: the image of %s lies outside the file\n", argv[1]);
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out.write(reinterpret_cast<const char *>(icon.data() + offset), size);
    if (!out) {
        std::fprintf(stderr, "snomel-icon-image: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
