#include "core/printing/PictureFile.h"

#include "core/common/Files.h"

namespace varnel {
namespace {

unsigned Byte(const std::string& s, size_t i) { return static_cast<unsigned char>(s[i]); }
unsigned Big16(const std::string& s, size_t i) { return Byte(s, i) << 8 | Byte(s, i + 1); }
unsigned long Big32(const std::string& s, size_t i) {
    return static_cast<unsigned long>(Big16(s, i)) << 16 | Big16(s, i + 2);
}

bool PngSize(const std::string& s, int& width, int& height) {
    static const char kSignature[] = "\x89PNG\r\n\x1a\n";
    if (s.size() < 24 || s.compare(0, 8, kSignature, 8) != 0 || s.compare(12, 4, "IHDR") != 0) return false;
    const unsigned long w = Big32(s, 16), h = Big32(s, 20);
    if (w == 0 || h == 0 || w > 65535 || h > 65535) return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

// Walks the markers up to the first start-of-frame, which holds the size.
bool JpegSize(const std::string& s, int& width, int& height) {
    if (s.size() < 4 || Byte(s, 0) != 0xFF || Byte(s, 1) != 0xD8) return false;
    size_t i = 2;
    while (i + 4 <= s.size()) {
        if (Byte(s, i) != 0xFF) return false;
        const unsigned marker = Byte(s, i + 1);
        if (marker == 0xFF) {  // fill byte
            ++i;
            continue;
        }
        if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
            i += 2;
            continue;
        }
        const unsigned length = Big16(s, i + 2);
        if (length < 2) return false;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (i + 9 > s.size()) return false;
            height = static_cast<int>(Big16(s, i + 5));
            width = static_cast<int>(Big16(s, i + 7));
            return width > 0 && height > 0;
        }
        i += 2 + length;
    }
    return false;
}

}  // namespace

bool ParsePictureBytes(std::string bytes, PictureFile& out) {
    PictureFile file;
    if (PngSize(bytes, file.width, file.height)) file.kind = PictureFile::Kind::Png;
    else if (JpegSize(bytes, file.width, file.height)) file.kind = PictureFile::Kind::Jpeg;
    else return false;
    file.bytes = std::move(bytes);
    out = std::move(file);
    return true;
}

bool ReadPictureFile(const std::string& path, PictureFile& out) {
    std::string bytes;
    if (path.empty() || !ReadWholeFile(path, bytes)) return false;
    return ParsePictureBytes(std::move(bytes), out);
}

const char* PictureExtension(PictureFile::Kind kind) { return kind == PictureFile::Kind::Png ? ".png" : ".jpg"; }

}  // namespace varnel
