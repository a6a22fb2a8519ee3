#include "ombu/NxAlignerLayout.h"

#include <vector>

#include "ombu/OmbuEnum.h"
#include "util/NxUtilConverter.h"

namespace norvex::ombu {

namespace {

const std::vector<int>& nineAlignments() {
    static const std::vector<int> v{0, 1, 2, 3, 4, 5, 6, 7, 8};
    return v;
}

std::string keyOf(host::Component* c) { return std::to_string(c->hashCode()); }

}  // namespace

NxAlignerLayout::NxAlignerLayout() : NxAlignerLayout(2, 5, 5) {}

NxAlignerLayout::NxAlignerLayout(int cols, int hgap, int vgap) : NxGridLayout(0, cols, hgap, vgap) {}

template <class V>
const V* NxAlignerLayout::find(const std::unique_ptr<Table<V>>& t, host::Component* c) {
    if (!t || !c) return nullptr;
    auto it = t->find(keyOf(c));
    if (it == t->end()) return nullptr;
    const Entry<V>& e = it->second;
    if (e.shared ? e.owner.lock().get() != c : e.raw != c) return nullptr;
    return &e.value;
}

template <class V>
void NxAlignerLayout::put(std::unique_ptr<Table<V>>& t, host::Component* c, V v) {
    if (!c) return;
    if (!t) {
        t = std::make_unique<Table<V>>();
        t->reserve(5);
    }
    std::weak_ptr<host::Object> owner = c->weak_from_this();
    bool shared = !owner.expired();
    (*t)[keyOf(c)] = Entry<V>{std::move(owner), shared, c, v};
}

int NxAlignerLayout::getLabelDefaultAlignment() {
    std::lock_guard lock(mutex_);
    return default_alignment;
}

void NxAlignerLayout::setLabelDefaultAlignment(int a) {
    std::lock_guard lock(mutex_);
    util::NxUtilConverter::checkEnum(a, "alignment", nineAlignments());
    default_alignment = a;
}

int NxAlignerLayout::getLabelVerticalAlignment(host::Component* c) {
    const int* v = find(alignment, c);
    return v ? *v : OmbuEnum::MIDDLECENTER;
}

void NxAlignerLayout::setLabelVerticalAlignment(host::Component* c, int a) {
    util::NxUtilConverter::checkEnum(a, "alignment", nineAlignments());
    put(alignment, c, a);
}

bool NxAlignerLayout::getResizeWidth(host::Component* c) {
    const bool* v = find(resize_width, c);
    return v && *v;
}

void NxAlignerLayout::setResizeWidth(host::Component* c, bool b) { put(resize_width, c, b); }

bool NxAlignerLayout::getResizeHeight(host::Component* c) {
    const bool* v = find(resize_height, c);
    return v && *v;
}

void NxAlignerLayout::setResizeHeight(host::Component* c, bool b) { put(resize_height, c, b); }

void NxAlignerLayout::alignLabel(host::Component&, int) {}

void NxAlignerLayout::reshape(int col, int, int index, host::Component& c, int x, int y, int w, int h) {
    host::Dimension pref = c.preferredSize();
    bool label = isLabel(col);
    int height = (!label && getResizeHeight(&c)) ? h : pref.height;
    host::Container* parent = c.getParent();
    if (!label) {
        int width = w;
        if (col == grid_cols - 1) {
            if (getResizeWidth(&c) && parent)
                width = parent->getWidth() - parent->insets().right - x;
            else
                width = pref.width;
        }
        c.reshape(x, y, width, height);
        return;
    }
    if (c.getClassName() == "norvex.ombu.NxLabel") {
        int d = getLabelDefaultAlignment();
        alignLabel(c, d != -999 ? d : OmbuEnum::MIDDLERIGHT);
    }
    int controlHeight = h;
    if (parent) {
        if (auto next = parent->getComponent(index + 1); next && !getResizeHeight(next.get()))
            controlHeight = next->preferredSize().height;
    }
    int dy = 0;
    int valign = getLabelVerticalAlignment(&c);
    if (valign == OmbuEnum::MIDDLECENTER)
        dy = (controlHeight - height) / 2;
    else if (valign == OmbuEnum::MIDDLERIGHT)
        dy = controlHeight - height;
    c.reshape(x, y + dy, w, height);
}

}  // namespace norvex::ombu
