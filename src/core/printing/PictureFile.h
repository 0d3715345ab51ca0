#pragma once
// A picture file read whole for embedding: JPEG or PNG bytes and the pixel
// size stored in them. The program's pictures are read by Qt's image readers;
// writers get them through a loader.
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

// How a writer gets a document's picture: false when there is none to embed.
using PictureLoader = std::function<bool(const std::string& path, PictureFile& out)>;

// ".jpg" or ".png".
inline const char* PictureExtension(PictureFile::Kind kind) {
    return kind == PictureFile::Kind::Png ? ".png" : ".jpg";
}

}  // namespace varnel
