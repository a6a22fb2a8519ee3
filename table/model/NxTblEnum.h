// The table's shared integer constants: wild-card indexes, markers and the values of
// every enumerated property.
#pragma once

namespace norvex::table {

struct NxTblEnum {
    // Row and column keys.
    static constexpr int ALL = -998;       // every row or column, labels included
    static constexpr int ALLCELLS = -997;  // every cell row or column, labels excluded
    static constexpr int LABEL = -1;       // the label row or label column
    static constexpr int NOVALUE = -999;   // no value; the unset integer
    static constexpr int NOTFOUND = -999;
    static constexpr int REMOVE = -996;
    static constexpr int REPEAT_ROW = -995;     // colour from the repeat list by row
    static constexpr int REPEAT_COLUMN = -994;  // colour from the repeat list by column

    // Alignment.
    static constexpr int TOPLEFT = 0, TOPCENTER = 1, TOPRIGHT = 2, MIDDLELEFT = 3, MIDDLECENTER = 4,
                         MIDDLERIGHT = 5, BOTTOMLEFT = 6, BOTTOMCENTER = 7, BOTTOMRIGHT = 8;
    static constexpr int LEFT = 0, CENTER = 1, RIGHT = 2;
    // Border sides (a bit set).
    static constexpr int BORDERSIDE_NONE = 0, BORDERSIDE_LEFT = 1, BORDERSIDE_TOP = 2, BORDERSIDE_BOTTOM = 4,
                         BORDERSIDE_RIGHT = 8, BORDERSIDE_ALL = 15;
    // Border types.
    static constexpr int BORDER_NONE = 0, BORDER_ETCHED_IN = 1, BORDER_ETCHED_OUT = 2, BORDER_IN = 3,
                         BORDER_OUT = 4, BORDER_PLAIN = 5, BORDER_FRAME_IN = 6, BORDER_FRAME_OUT = 7;
    // Data types.
    static constexpr int TYPE_BOOLEAN = 0, TYPE_DATE = 1, TYPE_DOUBLE = 2, TYPE_FLOAT = 3, TYPE_INTEGER = 4,
                         TYPE_STRING = 5;
    // String case.
    static constexpr int CASE_AS_IS = 0, CASE_LOWER = 1, CASE_UPPER = 2;
    // Placement.
    static constexpr int PLACE_TOP = 0, PLACE_BOTTOM = 1, PLACE_LEFT = 1, PLACE_RIGHT = 0;
    // Scroll bars.
    static constexpr int SBDISPLAY_AS_NEEDED = 0, SBDISPLAY_ALWAYS = 1, SBDISPLAY_NEVER = 2;
    static constexpr int SBPOSITION_CELLS = 0, SBPOSITION_SIDE = 1;
    static constexpr int ATTACH_CELLS = 0, ATTACH_SIDE = 1;
    static constexpr int SB_SIZE = 16;
    // Jump scrolling.
    static constexpr int JUMP_NONE = 0, JUMP_HORIZONTAL = 1, JUMP_VERTICAL = 2, JUMP_ALL = 3;
    // Interactive resizing.
    static constexpr int RESIZE_NONE = 0, RESIZE_ALL = 1, RESIZE_COLUMN = 2, RESIZE_ROW = 4;
    // Selection and validation policies, mode.
    static constexpr int SELECT_NONE = 0, SELECT_SINGLE = 1, SELECT_RANGE = 2, SELECT_MULTIRANGE = 3;
    static constexpr int VALIDATE_NEVER = 0, VALIDATE_USER_EDIT = 1, VALIDATE_SET = 2, VALIDATE_ALWAYS = 3;
    static constexpr int MODE_TABLE = 0, MODE_LIST = 1;
    // Size markers and limits.
    static constexpr int AS_IS = 33000, VARIABLE = 33001;
    static constexpr int MAXINT = 2147483647, MAXDIMENSION = 65534;
    // Label styles.
    static constexpr int STYLE_BUTTON = 1, STYLE_SORT = 2;
};

// Change flags: what a property change requires of measuring, layout and painting.
struct PropertyEnum {
    static constexpr int COLUMNS = 0x2, FROZEN_COLUMNS = 0x4, FROZEN_ROWS = 0x8, LEFT_COLUMN = 0x10,
                         MARGINS = 0x20, RESET = 0x40, RESIZE = 0x80, ROWS = 0x100, SHADOW_THICKNESS = 0x200,
                         TOP_ROW = 0x400, CELL_HEIGHT = 0x1000, CELL_WIDTH = 0x2000,
                         COLUMN_LABEL_HEIGHT = 0x4000, COLUMN_WIDTHS = 0x8000, DRAW_CELL = 0x10000,
                         FONT = 0x20000, REDISPLAY = 0x40000, RELAYOUT = 0x80000, ROW_HEIGHTS = 0x100000,
                         ROW_LABEL_WIDTH = 0x200000, VISIBLE_COLUMNS = 0x400000, VISIBLE_ROWS = 0x800000;
};

}  // namespace norvex::table
