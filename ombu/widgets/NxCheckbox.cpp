#include "ombu/widgets/NxCheckbox.h"

#include <algorithm>
#include <iostream>
#include <stdexcept>

#include "host/graphics/Image.h"
#include "host/page/Applet.h"
#include "host/runtime/URL.h"
#include "host/ui/Toolkit.h"
#include "ombu/OmbuUtil.h"
#include "ombu/Shadow.h"
#include "ombu/widgets/CheckboxIndicators.h"
#include "ombu/widgets/NxCheckboxGroup.h"

namespace norvex::ombu {

using host::Color;
using host::Lock;
using host::Value;

NxCheckbox::NxCheckbox() : NxCheckbox(nullptr, "") {}

NxCheckbox::NxCheckbox(host::Applet* applet, const std::string& name) : NxLabel(applet, name) {
    if (!applet && name.empty()) setName(nextName("checkbox"));
    alignment = OmbuEnum::MIDDLELEFT;
    traversable = true;
    highlight = 2;
}

NxCheckbox::~NxCheckbox() = default;

const std::vector<std::string>& NxCheckbox::indicatorNames() {
    static const std::vector<std::string> names{"INDICATOR_FILL",  "INDICATOR_CHECK",   "INDICATOR_CIRCLE",
                                                "INDICATOR_CROSS", "INDICATOR_DIAMOND", "INDICATOR_IMAGE"};
    return names;
}

void NxCheckbox::getParameters() {
    NxLabel::getParameters();
    auto conv = getConverter();
    static const std::vector<int> kinds{0, 1, 2, 3, 4, 5};
    if (auto s = getParam("indicator")) setIndicator(conv->toEnum(s, "indicator", indicatorNames(), kinds, indicator));
    if (auto list = conv->toStringList(getParam("indicatorImageList"))) setIndicatorImageURLList(*list);
    if (auto s = getParam("numStates")) {
        try {
            setNumStates(conv->toInt(s, num_states));
        } catch (const std::invalid_argument& e) {
            std::cerr << e.what() << '\n';
        }
    }
    if (auto c = conv->toColor(getParam("selectColor"))) setSelectColor(c);
    if (auto c = conv->toColor(getParam("unselectColor"))) setUnselectColor(c);
    if (auto s = getParam("state")) {
        std::string v = util::text::toLower(util::text::trimmed(*s));
        int st = v == "on" ? 1 : v == "off" ? 0 : conv->toInt(s, -1);
        if (st >= 0 && st < num_states)
            setState(st);
        else
            std::cerr << "Invalid State value in NxCheckbox: " << *s << '\n';
    }
}

void NxCheckbox::setIndicator(int kind) {
    if (kind < OmbuEnum::INDICATOR_FILL || kind > OmbuEnum::INDICATOR_IMAGE)
        throw std::invalid_argument("Invalid Indicator value in NxCheckbox");
    Lock guard(mutex());
    indicator_set = true;
    if (kind == indicator) return;
    indicator = kind;
    setLabelSize();
    layout();
    repaint();
}

void NxCheckbox::setIndicatorImageList(const std::vector<std::shared_ptr<host::Image>>& list) {
    Lock guard(mutex());
    image_list = list;
    setLabelSize();
    layout();
    repaint();
}

void NxCheckbox::setIndicatorImageURLList(const std::vector<std::string>& list) {
    std::vector<std::shared_ptr<host::Image>> images;
    for (const auto& name : list) {
        if (applet)
            images.push_back(applet->getImage(applet->getDocumentBase(), name));
        else
            images.push_back(host::Toolkit::getDefaultToolkit().getImage(name));
    }
    {
        Lock guard(mutex());
        image_url_list = list;
    }
    setIndicatorImageList(images);
}

void NxCheckbox::setNumStates(int n) {
    // A box needs at least one state: the next state is taken modulo the count.
    if (n < 1) throw std::invalid_argument("Invalid NumStates value in NxCheckbox");
    auto groupLock = lockGroup();
    NxCheckboxGroup* g;
    {
        Lock guard(mutex());
        num_states = n;
        if (state < n) return;
        storeState(0);
        g = group;
    }
    if (g) g->boxStateChanged(this, 0);
}

void NxCheckbox::setSelectColor(const host::OptColor& c) {
    Lock guard(mutex());
    select_color = c;
    repaint();
}

void NxCheckbox::setUnselectColor(const host::OptColor& c) {
    Lock guard(mutex());
    unselect_color = c;
    repaint();
}

std::unique_lock<std::recursive_mutex> NxCheckbox::lockGroup() {
    // The group pointer only changes under the group's lock and ours; read it under
    // ours, then take the group's lock first as the order requires.
    for (;;) {
        NxCheckboxGroup* g;
        {
            Lock guard(mutex());
            g = group;
        }
        if (!g) return {};
        std::unique_lock lock(g->mutex());
        Lock guard(mutex());
        if (group == g) return lock;
    }
}

void NxCheckbox::storeState(int s) {
    if (s == state) return;
    state = s;
    repaint();
}

void NxCheckbox::setState(int s) {
    if (s < 0 || s >= num_states) throw std::invalid_argument("Invalid State value in NxCheckbox");
    auto groupLock = lockGroup();
    NxCheckboxGroup* g;
    {
        Lock guard(mutex());
        g = group;
        if (g && g->getRadioBehavior() && g->current == this && s == 0) s = 1;
        storeState(s);
    }
    // The group turns the previous box off; box locks are never nested.
    if (g) g->boxStateChanged(this, s);
}

void NxCheckbox::setState(int s, bool notify) {
    if (!notify) {
        setState(s);
        return;
    }
    if (s < 0 || s >= num_states) throw std::invalid_argument("Invalid State value in NxCheckbox");
    {
        Lock guard(mutex());
        old_state = state;
        new_state = s;
    }
    clickAction(nullptr);
}

void NxCheckbox::setCheckboxGroup(NxCheckboxGroup* g) {
    NxCheckboxGroup* old;
    {
        Lock guard(mutex());
        old = group;
    }
    if (old == g) return;
    if (old) old->unmanage(this);
    if (g) g->manage(std::static_pointer_cast<NxCheckbox>(shared_from_this()));
}

std::vector<int> NxCheckbox::getSelectedIndexes() const {
    if (state != 0) return {0};
    return {};
}

std::vector<Value> NxCheckbox::getSelectedObjects() {
    Lock guard(mutex());
    if (state != 0) return {label};
    return {};
}

void NxCheckbox::addItemListener(NxItemListener* l) {
    std::lock_guard lock(listenersMutex);
    if (l && std::find(itemListeners.begin(), itemListeners.end(), l) == itemListeners.end())
        itemListeners.push_back(l);
}

void NxCheckbox::removeItemListener(NxItemListener* l) {
    std::lock_guard lock(listenersMutex);
    itemListeners.erase(std::remove(itemListeners.begin(), itemListeners.end(), l), itemListeners.end());
}

std::shared_ptr<NxCheckboxGroup> NxCheckbox::makeGroup(const std::vector<Value>& labels,
                                                       const std::vector<Value>& values, bool radio_behavior) {
    auto g = host::create<NxCheckboxGroup>(nullptr, "");
    g->setRadioBehavior(radio_behavior);
    size_t n = std::min(labels.size(), values.size());
    for (size_t i = 0; i < n; ++i) {
        auto box = host::create<NxCheckbox>(nullptr, "");
        box->setLabel(labels[i]);
        box->setUserData(values[i]);
        g->add(box);
    }
    return g;
}

void NxCheckbox::clickAction(host::Event*) {
    int from, to;
    Value item;
    {
        auto groupLock = lockGroup();
        int target;
        {
            Lock guard(mutex());
            armed = false;
            from = old_state;
            target = new_state;
        }
        setState(target);
        Lock guard(mutex());
        to = state;
        item = label;
    }
    if (from == to) return;  // pressing the box that is on in a radio group changes nothing
    NxItemEvent event(this, host::ItemEvent::ITEM_STATE_CHANGED, item,
                      to == 0 ? host::ItemEvent::DESELECTED : host::ItemEvent::SELECTED);
    std::vector<NxItemListener*> listeners;
    {
        std::lock_guard lock(listenersMutex);
        listeners = itemListeners;
    }
    for (auto* l : listeners) l->itemStateChanged(event);
    NxCheckboxGroup* g;
    {
        Lock guard(mutex());
        g = group;
    }
    if (g) g->fireItemEvent(event);
}

bool NxCheckbox::mouseDown(host::Event& e, int x, int y) {
    if (OmbuUtil::getMouseButton(e) != 1 || armed || !contains(x, y)) return false;
    // Takes the focus; true only for the click that closed a drop-down list.
    if (NxComponent::mouseDown(e, x, y)) return true;
    auto groupLock = lockGroup();
    Lock guard(mutex());
    old_state = state;
    bool keepsOn = group && group->getRadioBehavior() && group->current == this && state == 1;
    new_state = keepsOn ? state : (state + 1) % num_states;
    armed = true;
    storeState(new_state);
    return true;
}

bool NxCheckbox::mouseUp(host::Event& e, int x, int y) {
    if (!armed) return NxLabel::mouseUp(e, x, y);
    if (contains(x, y)) {
        clickAction(&e);
    } else {
        // Released outside: the press never happened.
        auto groupLock = lockGroup();
        Lock guard(mutex());
        armed = false;
        storeState(old_state);
        repaint();
    }
    return true;
}

bool NxCheckbox::keyDown(host::Event& e, int key) {
    if (key != ' ') return NxLabel::keyDown(e, key);
    {
        auto groupLock = lockGroup();
        Lock guard(mutex());
        old_state = state;
        bool keepsOn = group && group->getRadioBehavior() && group->current == this && state == 1;
        new_state = keepsOn ? state : (state + 1) % num_states;
    }
    clickAction(&e);
    return true;
}

void NxCheckbox::setIndicatorSize() {
    ind_width = ind_height = CheckboxIndicators::SIZE;
    if (indicator == OmbuEnum::INDICATOR_IMAGE && !image_list.empty() && image_list[0] &&
        image_list[0]->getWidth() > 0) {
        ind_width = image_list[0]->getWidth();
        ind_height = image_list[0]->getHeight();
    }
}

void NxCheckbox::setLabelSize() {
    text_width = OmbuUtil::getWidth(label, this);
    text_height = OmbuUtil::getHeight(label, this);
    setIndicatorSize();
    label_width = text_width + ind_width + label_offset;
    label_height = std::max(ind_height, text_height);
}

void NxCheckbox::layout() {
    Lock guard(mutex());
    NxLabel::layout();
    if (needs_layout || !hasPeer()) return;
    // label_rect holds the box of indicator and text; split it.
    host::Rectangle box = label_rect;
    ind_x = box.x;
    ind_y = box.y + std::max(0, (box.height - ind_height) / 2);
    label_rect = {box.x + ind_width + label_offset, box.y + (box.height - text_height) / 2, text_width, text_height};
}

void NxCheckbox::paintComponent(host::Graphics& g) {
    if (needs_layout) layout();
    if (needs_layout) return;
    if (!isEnabled()) g.setColor(OmbuUtil::darker(Color::lightGray));
    drawValue(g, label);
    drawIndicator(g);
}

void NxCheckbox::drawIndicator(host::Graphics& g) {
    Color bg = getBackground().value_or(Color::lightGray);
    Color fg = getForeground().value_or(Color::black);
    bool on = state == 1, mixed = state >= 2;
    switch (indicator) {
        case OmbuEnum::INDICATOR_FILL: {
            Color fill = (on ? select_color : unselect_color).value_or(bg);
            g.setColor(fill);
            g.fillRect(ind_x, ind_y, ind_width, ind_height);
            Shadow::draw(g, on || mixed ? OmbuEnum::SHADOW_IN : OmbuEnum::SHADOW_OUT, 2, ind_x, ind_y, ind_width,
                         ind_height, bg, fg);
            break;
        }
        case OmbuEnum::INDICATOR_CHECK:
        case OmbuEnum::INDICATOR_CROSS:
            CheckboxIndicators::drawBox(g, ind_x, ind_y, unselect_color.value_or(bg));
            if (on || mixed) {
                if (indicator == OmbuEnum::INDICATOR_CHECK)
                    CheckboxIndicators::drawCheck(g, ind_x, ind_y, mixed);
                else
                    CheckboxIndicators::drawCross(g, ind_x, ind_y, mixed);
            }
            break;
        case OmbuEnum::INDICATOR_CIRCLE:
            CheckboxIndicators::drawCircle(g, ind_x, ind_y, unselect_color.value_or(bg), on, mixed,
                                           select_color.value_or(Color::black));
            break;
        case OmbuEnum::INDICATOR_DIAMOND: {
            Color bright = OmbuUtil::brighter(bg), dark = OmbuUtil::darker(bg);
            if (on)
                CheckboxIndicators::drawDiamond(g, ind_x, ind_y, dark, select_color.value_or(dark), bright);
            else if (mixed)
                CheckboxIndicators::drawDiamond(g, ind_x, ind_y, dark, bright, bright);
            else
                CheckboxIndicators::drawDiamond(g, ind_x, ind_y, bright, unselect_color.value_or(bg), dark);
            break;
        }
        default:
            if (state < int(image_list.size()) && image_list[size_t(state)])
                g.drawImage(image_list[size_t(state)].get(), ind_x, ind_y);
            break;
    }
}

int NxCheckbox::preferredWidth() { return label_width; }
int NxCheckbox::preferredHeight() { return label_height; }

}  // namespace norvex::ombu
