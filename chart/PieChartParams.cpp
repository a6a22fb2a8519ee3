#include "chart/PieChartParams.h"

#include <cctype>
#include <iostream>
#include <stdexcept>

#include "chart/NxChart.h"
#include "chart/model/ChartDataView.h"
#include "chart/model/NxPieChartFormat.h"
#include "chart/style/NxChartStyle.h"

namespace norvex::chart {

namespace {

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r\n"), e = s.find_last_not_of(" \t\r\n");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

// A whole positive number, or -1.
int positive(const std::string& s) {
    if (s.empty() || s.size() > 9) return -1;
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
    int v = std::stoi(s);
    return v >= 1 ? v : -1;
}

}  // namespace

std::optional<std::vector<host::Point>> PieChartParams::parseExplodeList(const std::string& text, std::string& error) {
    std::vector<host::Point> out;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t comma = text.find(',', pos);
        std::string item = trim(text.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos));
        pos = comma == std::string::npos ? text.size() + 1 : comma + 1;
        if (item.empty()) continue;
        size_t colon = item.find(':');
        int pie = colon == std::string::npos ? -1 : positive(trim(item.substr(0, colon)));
        std::string slice = colon == std::string::npos ? std::string() : trim(item.substr(colon + 1));
        int series = -1;
        for (auto& c : slice) c = char(std::toupper(static_cast<unsigned char>(c)));
        if (slice == "OTHER")
            series = NxPieChartFormat::OTHER_SLICE;
        else if (int n = positive(slice); n > 0)
            series = n - 1;
        if (pie < 1 || series == -1) {
            error = "\"" + item + "\" is not a pie:slice pair (numbers from 1, or OTHER)";
            return std::nullopt;
        }
        out.push_back({pie - 1, series});
    }
    return out;
}

void PieChartParams::getParams(NxChart& chart, ChartDataView& view) {
    if (view.getChartType() != ChartDataView::PIE) return;
    auto fmt = view.getPieChartFormat();
    util::NxConverter& conv = *ombu::NxContainer::getConverter();
    auto apply = [&](const std::string& name, const std::function<void(const std::string&)>& set) {
        auto v = chart.getParam(name);
        if (!v) return;
        try {
            set(*v);
        } catch (const std::exception& e) {
            std::cerr << "Parameter " << name << " = \"" << *v << "\": " << e.what() << "\n";
        }
    };
    apply("data.pie.thresholdMethod", [&](const std::string& s) {
        fmt->setThresholdMethod(conv.toEnum(s, "threshold method", {"SLICE_CUTOFF", "PIE_PERCENTILE"},
                                            {NxPieChartFormat::SLICE_CUTOFF, NxPieChartFormat::PIE_PERCENTILE},
                                            fmt->getThresholdMethod()));
    });
    apply("data.pie.thresholdValue",
          [&](const std::string& s) { fmt->setThresholdValue(conv.toDouble(s, fmt->getThresholdValue())); });
    apply("data.pie.sortOrder", [&](const std::string& s) {
        fmt->setSortOrder(conv.toEnum(s, "sort order", {"DATA_ORDER", "ASCENDING_ORDER", "DESCENDING_ORDER"},
                                      {NxPieChartFormat::DATA_ORDER, NxPieChartFormat::ASCENDING_ORDER,
                                       NxPieChartFormat::DESCENDING_ORDER},
                                      fmt->getSortOrder()));
    });
    apply("data.pie.minSlices", [&](const std::string& s) { fmt->setMinSlices(conv.toInt(s, fmt->getMinSlices())); });
    apply("data.pie.otherLabel", [&](const std::string& s) { fmt->setOtherLabel(s); });
    apply("data.pie.other.fill.color", [&](const std::string& s) {
        if (auto c = conv.toColor(s, std::nullopt)) fmt->getOtherStyle()->setFillColor(*c);
    });
    apply("data.pie.explodeOffset",
          [&](const std::string& s) { fmt->setExplodeOffset(conv.toInt(s, fmt->getExplodeOffset())); });
    apply("data.pie.explodeList", [&](const std::string& s) {
        std::string error;
        auto list = parseExplodeList(s, error);
        if (!list) throw std::invalid_argument(error);
        fmt->setExplodeList(list->empty() ? std::nullopt : std::move(list));
    });
}

}  // namespace norvex::chart
