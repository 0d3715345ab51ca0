// Fuzz target: the profile (INI) reader and the writer's rewrite of a text.
// Whatever the text, a value written with the writer reads back as written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/Profile.h"
#include "core/common/TextDecoding.h"

using namespace varnel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text = DecodeText(std::string_view(reinterpret_cast<const char*>(data), size));
    const ProfileFile file = ProfileFile::Parse(text);
    for (const std::string& section : file.SectionNames())
        for (const std::string& key : file.KeysOf(section))
            if (file.Get(section, key).size() > 4 * kProfileValueLimit) std::abort();  // values are cut

    // Set a key of the first section (or a new one) and read it back.
    const std::vector<std::string> sections = file.SectionNames();
    std::string section = sections.empty() ? "Pesach" : TrimBlanks(sections.front());
    std::vector<std::string> keys = sections.empty() ? std::vector<std::string>{} : file.KeysOf(sections.front());
    std::string key = keys.empty() ? "File1" : TrimBlanks(keys.front());
    // Names the writer could not write back as one line are not what a program writes.
    if (section.empty() || key.empty() || section.find_first_of("[]\r\n") != std::string::npos ||
        key.find_first_of("=;[\r\n") != std::string::npos)
        return 0;
    const std::string value = "written value";
    const std::string rewritten = RewriteProfileText(text, section, key, &value);
    if (ProfileFile::Parse(rewritten).Get(section, key) != value) std::abort();
    ProfileFile::Parse(RewriteProfileText(rewritten, section, key, nullptr));
    return 0;
}
