// A form layout on the grid: even columns hold labels, odd columns the controls
// they describe. Labels are aligned against their control; per-component flags
// decide which controls stretch.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "ombu/NxGridLayout.h"

namespace norvex::ombu {

class NxAlignerLayout : public NxGridLayout {
public:
    // Two columns, gaps of 5.
    NxAlignerLayout();
    NxAlignerLayout(int cols, int hgap, int vgap);

    // The alignment given to label widgets; -999 (unset) means MIDDLERIGHT.
    int getLabelDefaultAlignment();
    // One of the nine alignments; otherwise std::invalid_argument ("invalid alignment: 12").
    void setLabelDefaultAlignment(int alignment);
    // How a label sits beside its control: 4 centred, 5 bottoms aligned, else at the top.
    int getLabelVerticalAlignment(host::Component* c);
    void setLabelVerticalAlignment(host::Component* c, int alignment);
    // Whether a control in the last column stretches to the parent's right inset.
    bool getResizeWidth(host::Component* c);
    void setResizeWidth(host::Component* c, bool b);
    // Whether a control takes its cell's height.
    bool getResizeHeight(host::Component* c);
    void setResizeHeight(host::Component* c, bool b);
    bool isLabel(int col) const { return col % 2 == 0; }

    void reshape(int col, int row, int index, host::Component& c, int x, int y, int w, int h) override;

protected:
    // Gives a label widget its horizontal alignment. The label widget's class supplies
    // this (the layout knows labels only by class name).
    virtual void alignLabel(host::Component& label, int alignment);

private:
    // Entries are keyed by the component's hash code and remember the component, so
    // that a component created later at the same address does not inherit them.
    template <class V>
    struct Entry {
        std::weak_ptr<host::Object> owner;  // empty for a component not held by a shared_ptr
        bool shared;
        const host::Object* raw;
        V value;
    };
    template <class V>
    using Table = std::unordered_map<std::string, Entry<V>>;
    template <class V>
    static const V* find(const std::unique_ptr<Table<V>>& t, host::Component* c);
    template <class V>
    static void put(std::unique_ptr<Table<V>>& t, host::Component* c, V v);

    std::recursive_mutex mutex_;
    std::unique_ptr<Table<int>> alignment;
    std::unique_ptr<Table<bool>> resize_width;
    std::unique_ptr<Table<bool>> resize_height;
    int default_alignment = -999;
};

}  // namespace norvex::ombu
