#pragma once
// How a text is fitted into the box it prints in: it wraps at spaces and after
// the "/" of joined names, never inside a word; when it does not fit, the font
// steps down half a point at a time to a floor; at the floor it is shortened
// by rules a reader follows: a joined pair of portions keeps its first name
// ("Tazria/Metzora" -> "Tazria"), and a word or line that still does not fit
// ends in an ellipsis ("Thessalo…"). A corner at the top right (a day number)
// stays free: the lines beside it are shorter, and a word too long for them
// starts below it.
//
// The measuring is the caller's (it knows the fonts); everything here is
// plain arithmetic on the widths it reports. Lengths are twips.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

struct TextMeasure {
    // Width of a text set at a size (points).
    std::function<double(std::string_view text, double points)> width;
    // Height of one line at a size.
    std::function<double(double points)> lineHeight;
};

struct FitRequest {
    double size = 10;   // the text's own size (points)
    double floor = 5;   // the smallest size it may step down to (a larger size never steps)
    double width = 0;   // the room across
    double height = 0;  // the room down; 0: as high as the text needs
    // A text taller than its room at the floor: grow past the room (a table
    // row that grows) rather than drop lines.
    bool grow = false;
    double cornerWidth = 0;   // kept free at the top right, beside the first lines
    double cornerHeight = 0;
};

struct FittedLine {
    std::string text;
    double top = 0;   // from the box's top
    double room = 0;  // the width this line had (less beside the corner)
};

struct FittedText {
    double size = 0;  // points
    std::vector<FittedLine> lines;
    double height = 0;  // from the box's top to the last line's bottom
    bool shortened = false;
};

inline constexpr double kFitStep = 0.5;  // points
inline constexpr const char* kEllipsis = "\xE2\x80\xA6";

FittedText FitText(std::string_view text, const FitRequest& request, const TextMeasure& measure);

// The widest piece of a text that no line break may split.
double WidestWord(std::string_view text, double points, const TextMeasure& measure);

// A text's unbreakable pieces measured at one size, for estimating how many
// lines it takes in a width without laying it out.
struct MeasuredText {
    struct Word {
        double width = 0;
        bool spaceBefore = false;
    };
    std::vector<std::vector<Word>> paragraphs;
    double space = 0;
    double lineHeight = 0;
};
MeasuredText MeasureText(std::string_view text, double points, const TextMeasure& measure);
// Lines the text takes wrapped into a width (a word wider than it takes a line of its own).
int LineCount(const MeasuredText& text, double width);

// The text with every word wider than the room shortened by the same rules (a
// joined pair to its first name, then an ellipsis); everything else, its
// spaces and line breaks included, stays for the reader's own wrapping.
std::string ShortenWideWords(std::string_view text, double room, double points, const TextMeasure& measure);

// The longest start of a text that fits the room with an ellipsis after it,
// cut between characters (never inside one, nor before a combining mark);
// the ellipsis alone when no character fits.
std::string WithEllipsis(std::string_view text, double room, double points, const TextMeasure& measure);

}  // namespace varnel
