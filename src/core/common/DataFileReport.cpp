#include "core/common/DataFileReport.h"

#include <algorithm>

namespace varnel {

void DataFileReport::Add(DataFileProblem::Level level, std::string file, std::string text) {
    problems.push_back(DataFileProblem{level, std::move(file), std::move(text)});
}

void DataFileReport::Append(const DataFileReport& other) {
    problems.insert(problems.end(), other.problems.begin(), other.problems.end());
}

bool DataFileReport::HasErrors() const {
    return std::any_of(problems.begin(), problems.end(),
                       [](const DataFileProblem& p) { return p.level == DataFileProblem::Level::Error; });
}

bool DataFileReport::NeedsAttention() const {
    return std::any_of(problems.begin(), problems.end(),
                       [](const DataFileProblem& p) { return p.level != DataFileProblem::Level::Notice; });
}

std::string DataFileReport::Text() const {
    std::string text;
    for (const DataFileProblem& p : problems) text += p.text + "\n";
    return text;
}

}  // namespace varnel
