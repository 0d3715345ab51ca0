#pragma once
// The lines an oracle command prints (hebcal over a range of years), read
// through one pipe: each line without its line end goes to the reader.
#include <cstdio>
#include <functional>
#include <string>

namespace varnel::testing {

// The command's exit status as pclose gives it, or -1 when it could not start.
inline int ForEachCommandLine(const std::string& command, const std::function<void(const std::string&)>& read) {
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return -1;
    char buffer[256];
    std::string line;
    while (std::fgets(buffer, sizeof buffer, pipe)) {
        line = buffer;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        read(line);
    }
    return pclose(pipe);
}

}  // namespace varnel::testing
