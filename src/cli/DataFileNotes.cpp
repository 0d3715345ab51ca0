#include "cli/DataFileNotes.h"

#include "cli/TextOut.h"

namespace varnel::cli {

std::string SayDataFileProblems(const DataFileReport& report) {
    std::string errors;
    for (const DataFileProblem& p : report.problems) {
        if (p.level == DataFileProblem::Level::Error) errors += p.text + "\n";
        else err << "varnel: " << p.text << "\n";
    }
    return errors;
}

}  // namespace varnel::cli
