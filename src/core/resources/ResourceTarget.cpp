#include "core/resources/ResourceTarget.h"

#include <filesystem>
#include <unistd.h>

#include "core/common/Files.h"
#include "core/common/Profile.h"

namespace varnel {
namespace {

std::string WebAddressIn(const std::string& text) {
    const std::string lower = ToLowerAscii(text);
    size_t start = std::string::npos;
    for (const char* scheme : {"http://", "https://"}) start = std::min(start, lower.find(scheme));
    std::string prefix;
    if (start == std::string::npos) {
        start = lower.find("www.");
        if (start == std::string::npos) return {};
        prefix = "https://";
    }
    const size_t end = text.find_first_of(" \t", start);
    return prefix + text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace

bool IsExecutableFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

ResourceTarget ClassifyResource(const std::string& fileurl) {
    const std::string text = TrimBlanks(fileurl);
    if (FileExists(text)) return {IsExecutableFile(text) ? ResourceKind::Program : ResourceKind::File, text};
    std::string address = WebAddressIn(text);
    if (!address.empty()) return {ResourceKind::WebAddress, std::move(address)};
    return {};
}

std::string WhyNothingToOpen(const std::string& fileurl) {
    const std::string text = TrimBlanks(fileurl);
    if (text.empty()) return {};
    std::error_code ec;
    if (std::filesystem::is_directory(text, ec)) return "'" + text + "' is a folder, not a file.";
    if (text.find("://") != std::string::npos)
        return "'" + text + "' is not a web address that can be opened (one with http:// or https://).";
    if (text.find_first_of("/\\") != std::string::npos || text.front() == '~')
        return "The file '" + text + "' does not exist or cannot be read.";
    return "'" + text + "' is neither an existing file nor a web address (one with http://, https:// or www.).";
}

}  // namespace varnel
