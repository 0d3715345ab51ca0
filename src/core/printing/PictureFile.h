#pragma once
// A picture file read whole for embedding: JPEG or PNG bytes and the pixel
// size read from the file's own header.
#include <functional>
#include <string>

namespace varnel {

struct PictureFile {
    enum class Kind { Jpeg, Png };
    Kind kind = Kind::Jpeg;
    std::string bytes;
    int width = 0;  // pixels
    int height = 0;
};

// Reads a JPEG or PNG file; false for a missing file, another format or a
// header without a size.
bool ReadPictureFile(const std::string& path, PictureFile& out);
// The same for bytes already in memory.
bool ParsePictureBytes(std::string bytes, PictureFile& out);

// How a writer gets a document's picture: the plain reader above, or one that
// also converts other formats.
using PictureLoader = std::function<bool(const std::string& path, PictureFile& out)>;

// ".jpg" or ".png".
const char* PictureExtension(PictureFile::Kind kind);

}  // namespace varnel
