// The chart's dwell labels: labels hidden until the pointer rests on their data
// point. Pointer moves over the chart area run one scan each (a repeated position
// is ignored) that picks once per view, hides the labels whose point is not under
// the pointer and arms the one timer for the first label whose point is.
//
// When the timer expires its worker picks at the resting position and has the label
// shown on the event thread (where painting reads visibility), unless the pointer
// moved on meanwhile. The dwell state is guarded by the component-tree lock; the
// timer's worker tries that lock until it has it or the chart is closing,
// so a chart destroyed while its timer runs never waits on a lock its own
// destruction holds.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "host/base/Geometry.h"
#include "host/ui/AWTEvent.h"

namespace host {
class OneShotTimer;
}

namespace norvex::chart {

class NxChart;
class NxChartLabel;

class ChartDwell : public host::MouseMotionListener, public host::MouseListener {
public:
    // Listens to the pointer over the chart's area.
    explicit ChartDwell(NxChart& chart);
    // Stops listening and ends the timer's worker; hold no lock the worker takes.
    ~ChartDwell() override;
    ChartDwell(const ChartDwell&) = delete;
    ChartDwell& operator=(const ChartDwell&) = delete;

    // The caller holds the component-tree lock.
    void add(NxChartLabel* label);
    void remove(NxChartLabel* label);
    std::vector<NxChartLabel*> getLabels() const;
    NxChartLabel* getCurrent() const;
    host::Point getPointer() const;

    // The pointer at (x, y) in the chart's coordinates.
    void pointerMoved(int x, int y);
    void pointerExited();
    // The timer's action.
    void expired();

    // Scans run and picks made (tests and diagnostics).
    int getScanCount() const { return scans.load(); }
    int getPickCount() const { return picks.load(); }
    // Null until the first label with a delay is armed.
    host::OneShotTimer* getTimer() const { return timer.get(); }

    void mouseMoved(host::MouseEvent& e) override;
    void mouseDragged(host::MouseEvent&) override {}
    void mouseExited(host::MouseEvent& e) override;

private:
    // Under the tree lock; the areas to repaint are gathered for flushRepaints.
    void scan(int x, int y);
    void hide(NxChartLabel* label);
    void show(NxChartLabel* label);
    // Repaints the gathered areas, holding no lock.
    void flushRepaints();

    NxChart& chart;
    std::vector<NxChartLabel*> labels;  // children of the chart, not owned
    NxChartLabel* current = nullptr;
    bool armed = false;
    uint64_t generation = 0;  // changes with every scan, exit and removal of the current label
    int dwellPointerX = -1, dwellPointerY = -1;
    bool seenPointer = false;
    std::atomic<int> scans{0}, picks{0};
    std::atomic<bool> closing{false};
    std::vector<host::Rectangle> repaints;
    std::unique_ptr<host::OneShotTimer> timer;
};

}  // namespace norvex::chart
