#pragma once
// Where the cell note goes: beside its cell, flipped to the cell's left at the
// screen's right edge and lifted above the screen's bottom edge. Twips.
namespace varnel {

inline constexpr int kNoteExtraWidth = 300;   // beyond the text's width
inline constexpr int kNoteExtraHeight = 550;  // beyond the text's height
inline constexpr int kNoteGap = 200;          // between the cell and the note
inline constexpr int kNoteDrop = 300;         // below the cell's top
inline constexpr int kNoteBottomMargin = 300; // kept free above the screen's bottom

struct NoteSize {
    int width = 0;
    int height = 0;
};
// The note's size for a text of the given extent.
NoteSize NoteSizeForText(int textWidth, int textHeight);

struct NotePlacementInput {
    int gridLeft = 0;    // the grid's left and top on the screen
    int gridTop = 0;
    int colPos = 0;      // the cell's column position and width, row position, within the grid
    int colWidth = 0;
    int rowPos = 0;
    int noteWidth = 0;   // the note's current width
    int textHeight = 0;  // the text's height
    int screenLeft = 0;  // the screen the cell is on
    int screenTop = 0;
    int screenWidth = 0;
    int screenHeight = 0;
};
struct NotePlacement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
NotePlacement PlaceNote(const NotePlacementInput& in);

}  // namespace varnel
