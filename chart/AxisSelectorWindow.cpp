#include "chart/AxisSelectorWindow.h"

#include <mutex>
#include <string>
#include <vector>

#include "chart/NxChart.h"
#include "chart/interact/AxisSelector.h"
#include "host/ui/Toolkit.h"
#include "ombu/OmbuEnum.h"
#include "ombu/widgets/NxButton.h"
#include "ombu/widgets/NxCheckbox.h"
#include "ombu/widgets/NxCheckboxGroup.h"
#include "ombu/widgets/NxLabel.h"

namespace norvex::chart {

namespace {

// Hears a radio group of the dialog: the chosen box becomes the chart's action axis
// of that orientation. The choice runs later on the event queue, with no widget
// lock held, and finds nothing to do when the chart is gone.
struct Chooser : ombu::NxItemListener {
    bool vertical = false;
    std::weak_ptr<ombu::NxCheckboxGroup> group;
    std::weak_ptr<NxChart> chart;
    void itemStateChanged(ombu::NxItemEvent& e) override {
        if (e.getStateChange() != host::ItemEvent::SELECTED) return;
        auto g = group.lock();
        if (!g) return;
        host::Value v = g->getValue();
        if (!v.isInt()) return;
        int index = v.asInt();
        std::weak_ptr<NxChart> target = chart;
        bool vert = vertical;
        host::Toolkit::getDefaultToolkit().getSystemEventQueue().invokeLater([target, vert, index] {
            if (auto c = target.lock()) AxisSelector(c->getChartAreaRegion()).select(vert, index);
        });
    }
};

struct Closer : ombu::NxActionListener {
    void actionPerformed(ombu::NxActionEvent&) override { AxisSelectorWindow::dismiss(); }
};

struct WindowState {
    std::recursive_mutex mutex;
    bool installed = false;
    AxisSelectorWindow::OnCreated onCreated;
    std::shared_ptr<host::Dialog> dialog;
    std::shared_ptr<ombu::NxCheckboxGroup> groups[2];
    Chooser choosers[2];
    Closer closer;
    std::shared_ptr<ombu::NxButton> ok;
};

WindowState& state() {
    static WindowState s;
    return s;
}

// A column: its title above the radio group of the axes lying that way.
std::shared_ptr<host::Panel> column(const std::string& title, const std::shared_ptr<ombu::NxCheckboxGroup>& group) {
    auto panel = host::create<host::Panel>();
    panel->setLayout(std::make_shared<host::BorderLayout>(0, 4));
    auto label = host::create<ombu::NxLabel>(nullptr, "title");
    label->setText(title);
    label->setAlignment(ombu::OmbuEnum::MIDDLELEFT);
    panel->add(label, host::Value("North"));
    panel->add(group, host::Value("Center"));
    return panel;
}

// Builds the dialog's contents for this chart: its axes as two radio groups, and OK.
// Runs without the window state's lock, since it takes the dialog's own locks.
void fill(WindowState& s, host::Dialog& d, const std::shared_ptr<ombu::NxButton>& ok,
          const std::shared_ptr<NxChart>& chart, std::shared_ptr<ombu::NxCheckboxGroup> (&groups)[2]) {
    d.removeAll();
    AxisSelector selector(chart->getChartAreaRegion());
    auto columns = host::create<host::Panel>();
    columns->setLayout(std::make_shared<host::GridLayout>(1, 2, 16, 0));
    for (int v = 0; v < 2; ++v) {
        const bool vertical = v == 1;
        std::vector<host::Value> labels, values;
        auto names = selector.choices(vertical);
        for (size_t i = 0; i < names.size(); ++i) {
            labels.emplace_back(names[i]);
            values.emplace_back(int(i));
        }
        auto group = ombu::NxCheckbox::makeGroup(labels, values, true);
        for (int i = 0; i < group->numCheckboxes(); ++i)
            group->getCheckbox(i)->setIndicator(ombu::OmbuEnum::INDICATOR_CIRCLE);
        int chosen = selector.selected(vertical);
        if (chosen >= 0) group->setValue(host::Value(chosen));
        s.choosers[v].vertical = vertical;
        s.choosers[v].group = group;
        s.choosers[v].chart = chart;
        group->addItemListener(&s.choosers[v]);
        groups[v] = group;
        columns->add(column(vertical ? "Vertical axis" : "Horizontal axis", group));
    }
    auto buttons = host::create<host::Panel>();
    buttons->add(ok);
    d.add(columns, host::Value("Center"));
    d.add(buttons, host::Value("South"));
}

}  // namespace

void AxisSelectorWindow::install(OnCreated onCreated) {
    std::lock_guard lock(state().mutex);
    state().installed = true;
    state().onCreated = std::move(onCreated);
}

void AxisSelectorWindow::uninstall() {
    std::lock_guard lock(state().mutex);
    state().installed = false;
    state().onCreated = {};
}

bool AxisSelectorWindow::isInstalled() {
    std::lock_guard lock(state().mutex);
    return state().installed;
}

bool AxisSelectorWindow::open(const std::shared_ptr<NxChart>& chart) {
    auto& s = state();
    if (!chart) return false;
    {
        AxisSelector selector(chart->getChartAreaRegion());
        if (selector.candidates(false).size() < 2 && selector.candidates(true).size() < 2) return false;
    }
    // The state's lock guards only the state: the dialog's own locks are never taken
    // under it (its OK button reads the state while the dialog handles the click).
    std::shared_ptr<host::Dialog> d;
    std::shared_ptr<ombu::NxButton> ok;
    std::shared_ptr<ombu::NxCheckboxGroup> old[2];
    bool fresh = false;
    OnCreated created;
    {
        std::lock_guard lock(s.mutex);
        if (!s.installed) return false;
        fresh = !s.dialog;
        if (fresh) {
            s.dialog = host::create<host::Dialog>(nullptr, "Axes", false);
            s.ok = host::create<ombu::NxButton>(nullptr, "ok");
            created = s.onCreated;
        }
        d = s.dialog, ok = s.ok;
        old[0] = s.groups[0], old[1] = s.groups[1];
    }
    if (fresh) {
        d->setLayout(std::make_shared<host::BorderLayout>(0, 8));
        d->setBackground(host::SystemColor::control);
        d->setForeground(host::SystemColor::controlText);
        ok->setText("OK");
        ok->addActionListener(&s.closer);
    }
    for (int v = 0; v < 2; ++v)
        if (old[v]) old[v]->removeItemListener(&s.choosers[v]);
    std::shared_ptr<ombu::NxCheckboxGroup> groups[2];
    fill(s, *d, ok, chart, groups);
    {
        std::lock_guard lock(s.mutex);
        s.groups[0] = groups[0], s.groups[1] = groups[1];
    }
    d->pack();
    d->validate();
    d->setVisible(true);
    d->repaint();
    if (created) created(d);
    return true;
}

std::shared_ptr<host::Dialog> AxisSelectorWindow::dialog() {
    std::lock_guard lock(state().mutex);
    return state().dialog;
}

std::shared_ptr<ombu::NxCheckboxGroup> AxisSelectorWindow::group(bool vertical) {
    std::lock_guard lock(state().mutex);
    return state().groups[vertical ? 1 : 0];
}

void AxisSelectorWindow::dismiss() {
    std::shared_ptr<host::Dialog> d = dialog();
    if (d) d->setVisible(false);
}

}  // namespace norvex::chart
