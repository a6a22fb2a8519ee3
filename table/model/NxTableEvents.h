// The table's events, their listener interfaces and the adapters of the two-method
// listeners. Every event has the table as its source; the fields listeners may change
// (value, store, doit, next cell, new sizes) are read back by the table afterwards.
#pragma once

#include <algorithm>
#include <memory>
#include <vector>

#include "host/base/Geometry.h"
#include "host/runtime/Value.h"
#include "host/ui/AWTEvent.h"
#include "ombu/NxEventListener.h"

namespace host {
class Component;
class Event;
}

namespace norvex::table {

class NxCreateComponentEvent : public host::AWTEvent {
    HOST_OBJECT(NxCreateComponentEvent, "norvex.table.NxCreateComponentEvent", host::AWTEvent)
public:
    static constexpr int ID = 5001;
    NxCreateComponentEvent(host::Object* src, int r, int c, host::Component* source_component)
        : AWTEvent(src, ID), row(r), column(c), source_component(source_component) {}
    int row, column;
    host::Component* source_component;
    std::shared_ptr<host::Component> component;  // set by the listener
};

class NxDisplayComponentEvent : public host::AWTEvent {
    HOST_OBJECT(NxDisplayComponentEvent, "norvex.table.NxDisplayComponentEvent", host::AWTEvent)
public:
    static constexpr int ID = 5002;
    NxDisplayComponentEvent(host::Object* src, int r, int c, host::Component* comp)
        : AWTEvent(src, ID), row(r), column(c), component(comp) {}
    int row, column;
    host::Component* component;
};

class NxTraverseCellEvent : public host::AWTEvent {
    HOST_OBJECT(NxTraverseCellEvent, "norvex.table.NxTraverseCellEvent", host::AWTEvent)
public:
    static constexpr int ID = 5003;
    NxTraverseCellEvent(host::Object* src, int r, int c, int nr, int nc, host::Value p)
        : AWTEvent(src, ID), row(r), column(c), next_row(nr), next_column(nc), param(std::move(p)) {}
    int row, column;
    int next_row, next_column;  // settable
    host::Value param;
};

class NxEnterCellEvent : public host::AWTEvent {
    HOST_OBJECT(NxEnterCellEvent, "norvex.table.NxEnterCellEvent", host::AWTEvent)
public:
    static constexpr int ID = 5004;
    NxEnterCellEvent(host::Object* src, int r, int c, host::Value p)
        : AWTEvent(src, ID), row(r), column(c), param(std::move(p)) {}
    int row, column;
    host::Value param;
};

class NxResizeCellEvent : public host::AWTEvent {
    HOST_OBJECT(NxResizeCellEvent, "norvex.table.NxResizeCellEvent", host::AWTEvent)
public:
    static constexpr int ID = 5005;
    NxResizeCellEvent(host::Object* src, int r, int c, host::Value p, int height, int width)
        : AWTEvent(src, ID), row(r), column(c), param(std::move(p)), current_row_height(height),
          current_column_width(width), new_row_height(height), new_column_width(width) {}
    int row, column;
    host::Value param;
    int current_row_height, current_column_width;
    int new_row_height, new_column_width;  // settable
    bool doit = true;
};

class NxScrollEvent : public host::AWTEvent {
    HOST_OBJECT(NxScrollEvent, "norvex.table.NxScrollEvent", host::AWTEvent)
public:
    static constexpr int ID = 5006;
    NxScrollEvent(host::Object* src, host::Component* sb, int v, host::Event* e, int dir)
        : AWTEvent(src, ID), scrollbar(sb), value(v), event(e), direction(dir) {}
    host::Component* scrollbar;
    int value;  // settable
    host::Event* event;
    int direction;
};

class NxSelectEvent : public host::AWTEvent {
    HOST_OBJECT(NxSelectEvent, "norvex.table.NxSelectEvent", host::AWTEvent)
public:
    static constexpr int ID = 5007;
    static constexpr int INITIAL = 0, EXTEND = 1;
    static constexpr int SELECTED = 1, DESELECTED = 2;
    NxSelectEvent(host::Object* src, host::Event* e, int r, int c, int stg, int change, host::Value p)
        : AWTEvent(src, ID), event(e), row(r), column(c), stage(stg), state_change(change), param(std::move(p)) {}
    host::Event* event;
    int row, column;  // settable
    int stage, state_change;
    host::Value param;
    bool doit = true;
};

class NxSortEvent : public host::AWTEvent {
    HOST_OBJECT(NxSortEvent, "norvex.table.NxSortEvent", host::AWTEvent)
public:
    static constexpr int ID = 5008;
    NxSortEvent(host::Object* src, int c, std::vector<int> rows) : AWTEvent(src, ID), column(c), new_rows(std::move(rows)) {}
    int column;
    std::vector<int> new_rows;
};

class NxValidateCellEvent : public host::AWTEvent {
    HOST_OBJECT(NxValidateCellEvent, "norvex.table.NxValidateCellEvent", host::AWTEvent)
public:
    static constexpr int ID = 5010;
    NxValidateCellEvent(host::Object* src, int r, int c, bool ch, int type, host::Value v)
        : AWTEvent(src, ID), row(r), column(c), changed(ch), datatype(type), value(std::move(v)) {}
    int row, column;
    bool changed;
    int datatype;
    host::Value value;  // settable: the value stored
    bool doit = true;   // false rejects the value
};

class NxValueEvent : public host::AWTEvent {
    HOST_OBJECT(NxValueEvent, "norvex.table.NxValueEvent", host::AWTEvent)
public:
    static constexpr int ID = 5011;
    NxValueEvent(host::Object* src, int r, int c) : AWTEvent(src, ID), row(r), column(c) {}
    int row, column;
    host::Value value;   // settable: the value supplied
    bool store = false;  // settable: keep the supplied value in the table
};

class NxPaintEvent : public host::AWTEvent {
    HOST_OBJECT(NxPaintEvent, "norvex.table.NxPaintEvent", host::AWTEvent)
public:
    static constexpr int ID = 5013;
    NxPaintEvent(host::Object* src, host::Rectangle expose, int sr, int er, int sc, int ec)
        : AWTEvent(src, ID), expose_rect(expose), start_row(sr), end_row(er), start_column(sc), end_column(ec) {}
    host::Rectangle expose_rect;
    int start_row, end_row, start_column, end_column;
};

// Listener interfaces.
struct NxCreateComponentListener : ombu::NxEventListener {
    virtual void createComponent(NxCreateComponentEvent& e) = 0;
};
struct NxDisplayComponentListener : ombu::NxEventListener {
    virtual void displayComponent(NxDisplayComponentEvent& e) = 0;
};
struct NxTraverseCellListener : ombu::NxEventListener {
    virtual void traverseCell(NxTraverseCellEvent& e) = 0;
};
struct NxEnterCellListener : ombu::NxEventListener {
    virtual void enterCellBegin(NxEnterCellEvent& e) = 0;
    virtual void enterCellEnd(NxEnterCellEvent& e) = 0;
};
struct NxResizeCellListener : ombu::NxEventListener {
    virtual void resizeCellBegin(NxResizeCellEvent& e) = 0;
    virtual void resizeCellEnd(NxResizeCellEvent& e) = 0;
};
struct NxScrollListener : ombu::NxEventListener {
    virtual void scrollBegin(NxScrollEvent& e) = 0;
    virtual void scrollEnd(NxScrollEvent& e) = 0;
};
struct NxSelectListener : ombu::NxEventListener {
    virtual void selectBegin(NxSelectEvent& e) = 0;
    virtual void selectEnd(NxSelectEvent& e) = 0;
};
struct NxSortListener : ombu::NxEventListener {
    virtual void sort(NxSortEvent& e) = 0;
};
struct NxValidateCellListener : ombu::NxEventListener {
    virtual void validateCellBegin(NxValidateCellEvent& e) = 0;
    virtual void validateCellEnd(NxValidateCellEvent& e) = 0;
};
struct NxCellValueListener : ombu::NxEventListener {
    virtual void cellValue(NxValueEvent& e) = 0;
};
struct NxLabelValueListener : ombu::NxEventListener {
    virtual void rowLabelValue(NxValueEvent& e) = 0;
    virtual void columnLabelValue(NxValueEvent& e) = 0;
};
struct NxPaintListener : ombu::NxEventListener {
    virtual void paintBegin(NxPaintEvent& e) = 0;
    virtual void paintEnd(NxPaintEvent& e) = 0;
};

// Adapters: empty methods, override what you need.
struct NxEnterCellAdapter : NxEnterCellListener {
    void enterCellBegin(NxEnterCellEvent&) override {}
    void enterCellEnd(NxEnterCellEvent&) override {}
};
struct NxLabelValueAdapter : NxLabelValueListener {
    void rowLabelValue(NxValueEvent&) override {}
    void columnLabelValue(NxValueEvent&) override {}
};
struct NxPaintAdapter : NxPaintListener {
    void paintBegin(NxPaintEvent&) override {}
    void paintEnd(NxPaintEvent&) override {}
};
struct NxResizeCellAdapter : NxResizeCellListener {
    void resizeCellBegin(NxResizeCellEvent&) override {}
    void resizeCellEnd(NxResizeCellEvent&) override {}
};
struct NxScrollAdapter : NxScrollListener {
    void scrollBegin(NxScrollEvent&) override {}
    void scrollEnd(NxScrollEvent&) override {}
};
struct NxSelectAdapter : NxSelectListener {
    void selectBegin(NxSelectEvent&) override {}
    void selectEnd(NxSelectEvent&) override {}
};
struct NxValidateCellAdapter : NxValidateCellListener {
    void validateCellBegin(NxValidateCellEvent&) override {}
    void validateCellEnd(NxValidateCellEvent&) override {}
};

// A list of listeners that does not own them; each is held once.
template <class L>
class ListenerList {
public:
    void add(L* l) {
        if (l && std::find(list_.begin(), list_.end(), l) == list_.end()) list_.push_back(l);
    }
    void remove(L* l) { list_.erase(std::remove(list_.begin(), list_.end(), l), list_.end()); }
    bool empty() const { return list_.empty(); }
    // A copy, so listeners may remove themselves while being called.
    std::vector<L*> snapshot() const { return list_; }

private:
    std::vector<L*> list_;
};

}  // namespace norvex::table
