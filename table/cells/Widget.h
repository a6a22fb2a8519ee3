// Component cells: live components shown in table cells. One series entry may cover a
// whole row, column or every cell, while a component sits in one place only, so the
// table keeps clones of the entry's component: one per visible cell that needs it,
// made on demand and reused as cells scroll out of view and others come in.
#pragma once

#include <string>
#include <vector>

#include "host/base/Geometry.h"
#include "host/runtime/Object.h"
#include "host/ui/Component.h"
#include "table/model/NxCellRange.h"

namespace host {
class Event;
class Graphics;
}  // namespace host

namespace norvex::table {

class Clip;
class NxTable;

// The value of a component-series entry: the application's component and its clones
// with the cell each clone shows (NOVALUE: unassigned).
class WidgetSeriesValue : public host::Object {
    HOST_OBJECT(WidgetSeriesValue, "norvex.table.WidgetSeriesValue", host::Object)
public:
    explicit WidgetSeriesValue(host::ComponentPtr c) : component(std::move(c)) {}
    ~WidgetSeriesValue() override { destroy(); }

    // Takes the component and every clone out of the table (safe to call twice).
    void destroy();
    std::string toString() const override;
    int cloneCount() const { return int(clones.size()); }

    host::ComponentPtr component;
    bool needs_displaycb = true;  // the display call-back runs before it is next shown
    std::vector<host::ComponentPtr> clones;
    std::vector<int> row, column;
    std::vector<bool> moved;  // (re)assigned: needs the display call-back
};

struct Widget {
    static void setValue(NxTable& table, int row, int col, const host::ComponentPtr& component);
    static host::ComponentPtr getComponent(NxTable& table, int row, int col, bool create);
    // The cell that shows component; false when none does.
    static bool getPosition(NxTable& table, const host::Component* component, NxCellPosition* cell);
    static bool componentExistsInTable(NxTable& table, const host::Component* component);
    // Places and paints the cell's component (clip pixels, cell at bounds); false when the
    // cell shows none.
    static bool draw(NxTable& table, host::Graphics& g, Clip& clip, int row, int col, const host::Rectangle& bounds);
    // A new clone of source for (row, col): from a create listener, else a new instance of
    // source's class made by name.
    static host::ComponentPtr create(NxTable& table, int row, int col, const host::ComponentPtr& source);
    // The clone slot for (row, col) of wv: assigned already, one whose cell left the view,
    // or a new one. -1 when no clone can be made.
    static int find_clone(NxTable& table, int row, int col, WidgetSeriesValue& wv);
    // True when (row, col) shows in one of the table's areas now.
    static bool isVisible(const NxTable& table, int row, int col);
    // Hides the components and clones whose cells left the view; unassigned clones wait
    // for reuse.
    static void unmanageInvisible(NxTable& table);
    // Every shown component gets the display call-back again before it is next drawn.
    static void redisplayComponents(NxTable& table);
    // True when the event's target is a component cell or inside one.
    static bool checkChild(NxTable& table, const host::Event& event);
    static bool is_child(const host::Component* ancestor, const host::Component* w);
    // Every entry of the series (for properties and tests).
    static std::vector<std::pair<NxCellPosition, WidgetSeriesValue*>> entries(NxTable& table);
};

}  // namespace norvex::table
