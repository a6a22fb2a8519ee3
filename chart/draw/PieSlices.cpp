#include "chart/draw/PieSlices.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "chart/model/ChartDataViewSeries.h"
#include "chart/model/NxPieChartFormat.h"

namespace norvex::chart {

namespace {
int nearest(double v) { return int(std::floor(v + 0.5)); }
}  // namespace

std::vector<int> PieData::angles() const {
    std::vector<int> out;
    if (allZero || !(total > 0)) return out;
    out.reserve(slices.size());
    double cum = 0;
    for (size_t k = 0; k < slices.size(); ++k) {
        cum += slices[k].value;
        // The end of each slice is rounded, not its extent: rounding every extent
        // alone would let many small slices overrun (or fall short of) the circle.
        int a = k + 1 == slices.size() ? 360 : std::clamp(nearest(cum / total * 360.0), 0, 360);
        out.push_back(std::max(a, out.empty() ? 0 : out.back()));
    }
    return out;
}

std::pair<int, int> PieSlices::pieLayout(int n, int width, int height) {
    if (n <= 0) return {0, 0};
    width = std::max(width, 0);
    height = std::max(height, 0);
    int perRow = n;
    if (height != 0) perRow = nearest(std::min(std::sqrt(double(n)) * width / height, double(n)));
    perRow = std::clamp(perRow, 1, n);
    double balance = n % perRow == 0 ? 1.0 : double(n % perRow) / perRow;
    // Prefer a divisor (every row full), else the fullest last row.
    for (int m = perRow; m >= 2; --m) {
        double t = double(n % m) / m;
        if (t > balance || t == 0) {
            perRow = m;
            balance = t;
            if (t == 0) break;
        }
    }
    int rows = n / perRow + (n % perRow != 0 ? 1 : 0);
    return {rows, perRow};
}

bool PieSlices::computeOtherSlice(const std::vector<std::shared_ptr<ChartDataViewSeries>>& series, int point,
                                  double hole, const NxPieChartFormat& format, PieData& data) {
    data = PieData();
    std::vector<PieSlice> s;
    s.reserve(series.size());
    for (size_t i = 0; i < series.size(); ++i) {
        const auto& sr = series[i];
        if (!sr || !sr->getIsShowing()) continue;
        double v = sr->getY(point);
        if (v == hole || std::isnan(v)) continue;
        // A negative value is a zero slice; an infinite one cannot be a share.
        if (v < 0 || std::isinf(v)) v = 0;
        PieSlice slice;
        slice.series = int(i);
        slice.value = v;
        slice.exploded = format.isExploded(point, int(i));
        data.total += v;
        s.push_back(slice);
    }
    data.allZero = !(data.total > 0);

    int order = format.getSortOrder();
    if (order == NxPieChartFormat::ASCENDING_ORDER)
        std::stable_sort(s.begin(), s.end(), [](const PieSlice& a, const PieSlice& b) { return a.value < b.value; });
    else if (order == NxPieChartFormat::DESCENDING_ORDER)
        std::stable_sort(s.begin(), s.end(), [](const PieSlice& a, const PieSlice& b) { return a.value > b.value; });
    for (auto& slice : s) slice.fraction = data.allZero ? 0 : slice.value / data.total;

    if (data.allZero) {
        data.slices = std::move(s);
        return false;
    }

    // Candidates for the other slice, smallest first.
    int n = int(s.size());
    std::vector<int> candidates(static_cast<size_t>(n));
    std::iota(candidates.begin(), candidates.end(), 0);
    if (order == NxPieChartFormat::DESCENDING_ORDER)
        std::reverse(candidates.begin(), candidates.end());
    else if (order == NxPieChartFormat::DATA_ORDER)
        std::stable_sort(candidates.begin(), candidates.end(),
                         [&](int a, int b) { return s[size_t(a)].value < s[size_t(b)].value; });

    int minSlices = std::min(format.getMinSlices(), n);
    double t = format.getThresholdValue() * 0.01;
    bool percentile = format.getThresholdMethod() == NxPieChartFormat::PIE_PERCENTILE;
    std::vector<bool> merged(size_t(n), false);
    int remaining = n;
    PieSlice other;
    other.series = NxPieChartFormat::OTHER_SLICE;
    for (int idx : candidates) {
        // Merging leaves remaining - 1 slices plus the other slice.
        if (remaining < minSlices) break;
        double f = s[size_t(idx)].fraction;
        bool merge = percentile ? other.fraction + f < t : f < t;
        if (!merge) break;
        merged[size_t(idx)] = true;
        other.fraction += f;
        other.value += s[size_t(idx)].value;
        --remaining;
    }
    for (int i = 0; i < n; ++i)
        if (!merged[size_t(i)]) data.slices.push_back(s[size_t(i)]);
    if (remaining == n) return false;
    other.exploded = format.isExploded(point, NxPieChartFormat::OTHER_SLICE);
    data.hasOther = true;
    data.otherPosition = int(data.slices.size());
    data.slices.push_back(other);
    return true;
}

}  // namespace norvex::chart
