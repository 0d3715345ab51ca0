#include "app/PrintArguments.h"

#include "cli/CommandArguments.h"
#include "gui/printing/DocumentOutput.h"

namespace varnel::cli {

PaperSize ParsePaper(const std::string& text) {
    if (text.empty()) return LocalePaper();
    if (text == "a4" || text == "A4") return PaperSize::A4;
    if (text == "letter" || text == "Letter") return PaperSize::Letter;
    if (text == "a5" || text == "A5") return PaperSize::A5;
    throw UsageError("unknown paper " + Quoted(text) + " (a4, letter or a5)");
}

int ParseDpi(const std::string& text) {
    if (text.empty()) return 150;
    if (text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos)
        throw UsageError("malformed --dpi " + Quoted(text) + " (a number from 30 to 1200)");
    const int dpi = std::stoi(text);
    if (dpi < 30 || dpi > 1200) throw UsageError("--dpi outside 30..1200: " + text);
    return dpi;
}

}  // namespace varnel::cli
