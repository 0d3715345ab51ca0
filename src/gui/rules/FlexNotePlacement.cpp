#include "gui/rules/FlexNotePlacement.h"

namespace varnel {

NoteSize NoteSizeForText(int textWidth, int textHeight) {
    return {textWidth + kNoteExtraWidth, textHeight + kNoteExtraHeight};
}

NotePlacement PlaceNote(const NotePlacementInput& in) {
    NotePlacement p;
    p.width = in.noteWidth;
    p.height = in.textHeight + kNoteExtraHeight;
    p.left = in.gridLeft + in.colPos + in.colWidth + kNoteGap;
    p.top = in.gridTop + in.rowPos + kNoteDrop;
    // Past the right edge: the note's right edge meets the cell's left edge.
    if (p.left + p.width > in.screenLeft + in.screenWidth) p.left = p.left - p.width - in.colWidth - kNoteGap;
    if (p.top + p.height > in.screenTop + in.screenHeight - kNoteBottomMargin)
        p.top = in.screenTop + in.screenHeight - p.height - kNoteBottomMargin;
    return p;
}

}  // namespace varnel
