// What the table's drawing side does when the model changes. The model knows only this
// interface; the component installs the view that measures, lays out and paints.
#pragma once

#include "host/base/Geometry.h"

namespace host {
class Graphics;
}

namespace norvex::table {

class TableViewHooks {
public:
    virtual ~TableViewHooks() = default;
    // The measuring, layout and repaint steps of a change (flags of PropertyEnum);
    // row and column name the changed cell, or NOVALUE.
    virtual void changed(int flags, int row, int column) = 0;
    // A single cell or label value is about to be replaced (variable sizes note whether
    // the old value defined its row's height or column's width).
    virtual void valueChanging(int row, int column) = 0;
    virtual void layout() = 0;
    virtual host::Dimension preferredSize() = 0;
    // The table's own drawing (its frame); the clip areas paint themselves.
    virtual void paint(host::Graphics& g) = 0;
};

}  // namespace norvex::table
