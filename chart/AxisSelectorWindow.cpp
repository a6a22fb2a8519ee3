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

// Drops the previous chart's groups and builds the dialog's contents for this chart.
void fill(WindowState& s, const std::shared_ptr<NxChart>& chart) {
    auto& d = *s.dialog;
    for (int v = 0; v < 2; ++v)
        if (s.groups[v]) s.groups[v]->removeItemListener(&s.choosers[v]);
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
        s.groups[v] = group;
        columns->add(column(vertical ? "Vertical axis" : "Horizontal axis", group));
    }
    auto buttons = host::create<host::Panel>();
    buttons->add(s.ok);
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
    std::shared_ptr<host::Dialog> d;
    OnCreated created;
    {
        std::lock_guard lock(s.mutex);
        if (!s.installed) return false;
        bool fresh = !s.dialog;
        if (fresh) {
            s.dialog = host::create<host::Dialog>(nullptr, "Axes", false);
            s.dialog->setLayout(std::make_shared<host::BorderLayout>(0, 8));
            s.dialog->setBackground(host::SystemColor::control);
            s.dialog->setForeground(host::SystemColor::controlText);
            s.ok = host::create<ombu::NxButton>(nullptr, "ok");
            s.ok->setText("OK");
            s.ok->addActionListener(&s.closer);
            created = s.onCreated;
        }
        d = s.dialog;
        fill(s, chart);
        d->pack();
        d->validate();
        d->setVisible(true);
        d->repaint();
    }
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
