// The named integer constants shared by the widgets and their parameter
// converters: shadow styles, nine-way alignment, label positions, scroll-bar
// display policies, text case, combo-box styles, check-box indicators, outliner
// folder states, and a few markers and key values.
#pragma once

#include <cstdint>

namespace norvex::ombu {

struct OmbuEnum {
    // Shadow styles of a component's frame (see Shadow).
    static constexpr int SHADOW_NONE = 0;
    static constexpr int SHADOW_ETCHED_IN = 1;
    static constexpr int SHADOW_ETCHED_OUT = 2;
    static constexpr int SHADOW_IN = 3;
    static constexpr int SHADOW_OUT = 4;
    static constexpr int SHADOW_PLAIN = 5;
    static constexpr int SHADOW_FRAME_IN = 6;
    static constexpr int SHADOW_FRAME_OUT = 7;
    static constexpr int CONTROL_SHADOW_IN = 8;
    static constexpr int CONTROL_SHADOW_OUT = 9;

    // Nine-way alignment, and the horizontal-only aliases.
    static constexpr int TOPLEFT = 0;
    static constexpr int TOPCENTER = 1;
    static constexpr int TOPRIGHT = 2;
    static constexpr int MIDDLELEFT = 3;
    static constexpr int MIDDLECENTER = 4;
    static constexpr int MIDDLERIGHT = 5;
    static constexpr int BOTTOMLEFT = 6;
    static constexpr int BOTTOMCENTER = 7;
    static constexpr int BOTTOMRIGHT = 8;
    static constexpr int LEFT = 0;
    static constexpr int CENTER = 1;
    static constexpr int RIGHT = 2;

    // Position of a caption relative to its image.
    static constexpr int STRING_LEFT = 0;
    static constexpr int STRING_RIGHT = 1;
    static constexpr int STRING_TOP = 2;
    static constexpr int STRING_BOTTOM = 3;
    static constexpr int STRING_CENTER = 4;

    // When scroll bars are shown.
    static constexpr int DISPLAY_AS_NEEDED = 0;
    static constexpr int DISPLAY_ALWAYS = 1;
    static constexpr int DISPLAY_NONE = 2;
    static constexpr int DISPLAY_VERTICAL_ONLY = 3;
    static constexpr int DISPLAY_HORIZONTAL_ONLY = 4;

    // Text case.
    static constexpr int CASE_AS_IS = 0;
    static constexpr int CASE_LOWER = 1;
    static constexpr int CASE_UPPER = 2;

    // Combo-box styles.
    static constexpr int COMBOBOX_SIMPLE = 0;
    static constexpr int COMBOBOX_DROPDOWN = 1;
    static constexpr int COMBOBOX_DROPDOWN_LIST = 2;

    // Check-box indicators.
    static constexpr int INDICATOR_FILL = 0;
    static constexpr int INDICATOR_CHECK = 1;
    static constexpr int INDICATOR_CIRCLE = 2;
    static constexpr int INDICATOR_CROSS = 3;
    static constexpr int INDICATOR_DIAMOND = 4;
    static constexpr int INDICATOR_IMAGE = 5;

    // Outliner folder states.
    static constexpr int FOLDER_CLOSED = 1;
    static constexpr int FOLDER_OPEN_NONE = 2;
    static constexpr int FOLDER_OPEN_FOLDERS = 3;
    static constexpr int FOLDER_OPEN_ITEMS = 4;
    static constexpr int FOLDER_OPEN_ALL = 5;

    // Keys.
    static constexpr int BELL = 7;
    static constexpr int ENTER = 10;
    static constexpr int DELETE = 127;

    // Markers. -999 marks "not set" or "not found"; the keyword "variable" of the
    // value grammar reads as VARIABLE.
    static constexpr int MAXINT = 2147483647;
    static constexpr int NOTFOUND = -999;
    static constexpr int NOVALUE = -999;
    static constexpr int DEFAULT = -999;
    static constexpr int VARIABLE = -998;
    // A size given as "the font's height" rather than in pixels.
    static constexpr int FONT_HEIGHT = -997;

    // Colour sources: the page's colour, or the parent's.
    static constexpr int COLOR_PAGE = -996;
    static constexpr int COLOR_INHERIT = -995;

    // Shapes (tabs and the like).
    static constexpr int RECTANGLE = 0;
    static constexpr int SLANTED = 1;

    // Orientation.
    static constexpr int HORIZONTAL = 0;
    static constexpr int VERTICAL = 1;

    // The third state of a check box.
    static constexpr int INDETERMINATE = 2;

    // Thickness of a scroll bar in pixels.
    static constexpr int SB_SIZE = 16;

    // Directions and placements. Arrow directions are LEFT, DOWN, RIGHT and UP.
    static constexpr int DOWN = 1;
    static constexpr int UP = 3;
    static constexpr int BOTTOM = 3;
    static constexpr int SPLIT = 4;

    // Units of a text selection.
    static constexpr int SELECT_CHAR = 0;
    static constexpr int SELECT_WORD = 1;
    static constexpr int SELECT_LINE = 2;
    static constexpr int SELECT_PARAGRAPH = 3;
    static constexpr int SELECT_ALL = 4;
};

}  // namespace norvex::ombu
