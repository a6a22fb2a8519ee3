// The chart component: a container of the header, the chart area and the footer,
// with the ordered list of data views. Batches changes so that many property
// changes cause one recalculation and one repaint, and tells listeners of changes,
// paints and picks.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chart/NxLegend.h"
#include "chart/NxTitle.h"
#include "chart/area/NxChartArea.h"
#include "chart/interact/ChartInteraction.h"
#include "chart/interact/InteractiveChart.h"
#include "chart/model/ChartDataView.h"
#include "host/ui/AWTEvent.h"
#include "ombu/NxContainer.h"

namespace host {
class Image;
}

namespace norvex::chart {

class NxChart;
class NxChartLabel;
class ChartDwell;

struct NxChartEvent {
    NxChart* chart;
    NxAxis* axis;
};

struct NxPickEvent {
    NxChart* chart;
    NxDataIndex pickResult;
    const NxDataIndex& getPickResult() const { return pickResult; }
};

class NxChartListener {
public:
    virtual ~NxChartListener() = default;
    virtual void changeChart(const NxChartEvent&) {}
    virtual void paintChart(NxChart&) {}
};
using NxChartAdapter = NxChartListener;

class NxPickListener {
public:
    virtual ~NxPickListener() = default;
    virtual void pick(const NxPickEvent& e) = 0;
};

class NxChart : public ombu::NxContainer,
                public ChartHost,
                public InteractiveChart,
                public host::MouseListener,
                public host::MouseMotionListener,
                public host::KeyListener {
    HOST_CREATABLE(NxChart, "norvex.chart.NxChart", ombu::NxContainer)
public:
    static constexpr int NONE = -1, PLOT = 0, SCATTER_PLOT = 1, POLAR = 2, RADAR = 3, FILLED_RADAR = 4, HILO = 5,
                         HILO_OPEN_CLOSE = 6, CANDLE = 7, AREA = 8, BAR = 9, STACKING_BAR = 10, PIE = 11;
    static constexpr int EAST = 1, WEST = 2, NORTH = 16, SOUTH = 32, NORTHEAST = 17, NORTHWEST = 18,
                         SOUTHEAST = 33, SOUTHWEST = 34;

    NxChart();
    explicit NxChart(int type);
    NxChart(host::Applet* applet, const std::string& name);
    ~NxChart() override;

    void initialize() override;
    // The chart's own parameters after the container's (only for this exact class).
    void getParameters() override;

    NxTitle& getHeader() { return *header; }
    NxTitle& getFooter() { return *footer; }
    NxLegend& getLegend() { return *legend; }
    NxChartArea& getChartAreaRegion() override { return *chartArea; }
    const NxChartAreaPtr& getChartAreaPtr() const { return chartArea; }

    // DataViewParent
    int getNumData() const override { return int(data.size()); }
    std::shared_ptr<ChartDataView> getDataView(int index) const override;
    bool getIsBatched() const override { return isBatched; }
    using ombu::NxContainer::update;
    void update() override;
    AxisArea* getChartArea() const override { return chartArea.get(); }
    // ChartHost
    bool isInRecalc() const override { return inRecalc; }
    host::Component* asComponent() override { return this; }

    std::vector<std::shared_ptr<ChartDataView>> getDataViews() const { return data; }
    // Creates a new view of the chart's first type and stores it at index.
    std::shared_ptr<ChartDataView> addDataView(int index);
    // 0 <= index <= count ("Invalid ChartDataView index in NxChart."); null removes view index.
    void setDataView(int index, std::shared_ptr<ChartDataView> view);
    void setDataView(const std::vector<std::shared_ptr<ChartDataView>>& views);
    std::shared_ptr<ChartDataView> findDataView(const std::string& name) const;
    std::shared_ptr<ChartDataView> findData(const NxAxis* axis) const;
    // std::out_of_range outside the views.
    void removeDataView(int index);
    // Gives every series without a style the next default one.
    void ensureStyles();

    void setIsBatched(bool b) override;
    void setChanged(bool b) override;
    void setChanged(bool b, bool updateParent);
    // The chart's own flag or any region's.
    bool getChanged() const;
    bool isChanged() const { return getChanged(); }
    void recalc();

    void layout() override;
    host::Dimension preferredSize() override;
    host::Dimension minimumSize() override { return preferredSize(); }
    host::Insets insets() override { return margins; }
    int getTopMargin() const { return margins.top; }
    int getLeftMargin() const { return margins.left; }
    int getBottomMargin() const { return margins.bottom; }
    int getRightMargin() const { return margins.right; }
    void setTopMargin(int v);
    void setLeftMargin(int v);
    void setBottomMargin(int v);
    void setRightMargin(int v);
    int getOffset() const { return offset; }
    void setOffset(int v);
    void setPreferredSize(int w, int h);

    bool getAllowUserChanges() const { return allowUserChanges; }
    void setAllowUserChanges(bool b) { allowUserChanges = b; }
    void setDoubleBuffer(bool b);

    // p in chart coordinates; the chart area's pick for the view (null: any view).
    std::optional<NxDataIndex> pick(host::Point p, const std::shared_ptr<ChartDataView>& view);
    // Chart coordinates of a data point, or nothing.
    std::optional<host::Point> unpick(const std::shared_ptr<ChartDataView>& view, int series, int point);

    void addChartListener(NxChartListener* l);
    void removeChartListener(NxChartListener* l);
    void sendEvent(NxAxis* axis);
    void addPickListener(NxPickListener* l);
    void removePickListener(NxPickListener* l);
    void sendPickEvent(const NxDataIndex& di) override;

    // ---- interaction (the handlers live in chart/interact) ----
    // Appends a new trigger (button 1, ZOOM) and returns it.
    std::shared_ptr<EventTrigger> addTrigger();
    // "Invalid EventTrigger index." outside the list; set appends at the count.
    std::shared_ptr<EventTrigger> getTrigger(int i) const;
    void setTrigger(int i, std::shared_ptr<EventTrigger> t);
    void removeTrigger(int i);
    int getNumTriggers() const;
    std::shared_ptr<EventTrigger> findMatchingTrigger(int modifiers) const;
    int getResetKey() const { return interaction.getResetKey(); }
    void setResetKey(int k) { interaction.setResetKey(k); }
    int getCancelKey() const { return interaction.getCancelKey(); }
    void setCancelKey(int k) { interaction.setCancelKey(k); }
    // The key ("a") that opens the axis selector window when one is installed.
    int getAxisSelectKey() const { return interaction.getAxisSelectKey(); }
    void setAxisSelectKey(int k) { interaction.setAxisSelectKey(k); }
    ChartInteraction& getInteraction() { return interaction; }
    // Nothing for a null axis or a span below the axis' precision error; tells the
    // chart listeners; with update the chart repaints at once.
    void zoom(double start, double end, const NxAxisPtr& axis, bool update) override;
    // The axis' span times factor, about its centre.
    void scale(double factor, const NxAxisPtr& axis, bool update);
    void translateStart(const NxAxisPtr& axis) override;
    void translate(double delta, const NxAxisPtr& axis, bool update) override;
    // Axes and 3-D view back to where they were before the first interaction.
    void reset();
    // Stops the gesture under way and undoes it.
    void cancel();
    // A programmatic rotation: start (fast drawing), each step repaints, end.
    void rotateStart();
    void rotate();
    void rotateEnd();
    void showError(const std::string& message) override;

    // Input from the regions (the chart listens to each). Points arrive in the
    // region's coordinates.
    void mousePressed(host::MouseEvent& e) override;
    void mouseReleased(host::MouseEvent& e) override;
    void mouseExited(host::MouseEvent& e) override;
    void mouseDragged(host::MouseEvent& e) override;
    void mouseMoved(host::MouseEvent& e) override;
    void keyPressed(host::KeyEvent& e) override;
    // The hyperlink under the pointer, if any.
    const std::optional<std::string>& getHyperlink() const { return hyperlink; }

    // A picture of the chart as currently laid out.
    std::shared_ptr<host::Image> snapshot();
    void paint(host::Graphics& g) override;

    // Chart labels (children stacked above the chart area) and dwell labels.
    // A label is added once; it listens to the chart's change events.
    void addChartLabel(const std::shared_ptr<NxChartLabel>& label);
    void removeChartLabel(const std::shared_ptr<NxChartLabel>& label);
    std::vector<std::shared_ptr<NxChartLabel>> getChartLabels() const;
    // Only dwell labels that are children of this chart are registered, once each.
    void addToDwellLabels(NxChartLabel* label);
    void removeFromDwellLabels(NxChartLabel* label);
    // Sizes and places every chart label and hands the chart area their connectors.
    void updateChartLabels();
    // The dwell scan for a pointer at (x, y) in chart coordinates, and its leaving.
    void dwellPointerMoved(int x, int y);
    void dwellPointerExited();
    // Runs when the dwell timer expires (on the timer's thread).
    void timerExpired();
    // The dwell state, null until the first dwell label is registered.
    ChartDwell* getDwell() const { return dwell.get(); }

    // Number of repaints the chart started (batching tests and diagnostics).
    int getUpdateCount() const { return updateCount; }

private:
    void init(int type);
    void reorderDataViews();
    void setMargin(int& field, int v);
    host::Dimension titleSize(NxTitle& t);
    std::vector<ChartCanvas*> regions() const;
    // The legend's origin in the working rectangle (W x H) by its anchor.
    host::Point placeLegend(int W, int H, const host::Dimension& ld, int hf, int ff, int headerHeight,
                            int footerHeight);

    NxChartAreaPtr chartArea;
    NxTitlePtr footer, header;
    NxLegendPtr legend;
    bool isBatched = false;
    bool allowUserChanges = false;
    std::vector<NxChartListener*> listeners;
    std::vector<NxPickListener*> pickListeners;
    std::vector<std::shared_ptr<ChartDataView>> data;
    host::Insets margins{1, 1, 1, 1};
    host::Dimension prefSize{-1, -1};
    int offset = 5;
    bool changed = true;
    std::atomic<bool> inRecalc{false};  // read by regions changed on other threads
    int firstType = PLOT;
    int updateCount = 0;
    ChartInteraction interaction{*this};
    std::optional<std::string> hyperlink;
    bool linkPressed = false;
    host::Point linkPress;
    // The link of rich text under p in region c, if any.
    std::optional<std::string> linkAt(host::Component* c, host::Point p) const;
    void setHyperlink(std::optional<std::string> link);
    // A region's point in the chart area's coordinates.
    host::Point toArea(const host::MouseEvent& e) const;
    std::unique_ptr<ChartDwell> dwell;
};

using NxChartPtr = std::shared_ptr<NxChart>;

}  // namespace norvex::chart
