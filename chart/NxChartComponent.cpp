#include "chart/NxChartComponent.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <iostream>
#include <stdexcept>

#include "chart/ChartConverter.h"
#include "chart/model/NxAxisTitle.h"
#include "chart/source/FileDataSource.h"
#include "chart/source/URLDataSource.h"

namespace norvex::chart {

namespace {
bool isUrl(const std::string& name) {
    std::string head = name.substr(0, 6);
    std::transform(head.begin(), head.end(), head.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return head.rfind("http:", 0) == 0 || head.rfind("https:", 0) == 0;
}
}  // namespace

NxChartComponent::NxChartComponent() { addDataView(1); }

NxChartComponent::NxChartComponent(host::Applet* applet, const std::string& name) : NxChart(applet, name) {
    addDataView(1);
}

void NxChartComponent::getParameters() {
    NxChart::getParameters();
    if (getApplet()) ChartConverter::getParams(*this);
}

ChartDataView& NxChartComponent::view(int i) const { return *getDataView(i); }
NxChartArea& NxChartComponent::area() const { return const_cast<NxChartComponent*>(this)->getChartAreaRegion(); }
NxAxis& NxChartComponent::X1Axis() const { return *area().getXAxis(0); }
NxAxis& NxChartComponent::Y1Axis() const { return *area().getYAxis(0); }
NxAxisTitle& NxChartComponent::titleOf(NxAxis& a) { return a.getTitle(); }
NxTitle& NxChartComponent::title(bool header) const {
    auto* self = const_cast<NxChartComponent*>(this);
    return header ? self->getHeader() : self->getFooter();
}

std::string NxChartComponent::numberText(double v) {
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v > 0 ? "Infinity" : "-Infinity";
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    std::string s(buf, ec == std::errc() ? end : buf);
    if (s.find_first_of(".e") == std::string::npos) s += ".0";
    return s;
}

double NxChartComponent::parseNumber(const std::string& s, const char* property) {
    size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t");
    double v = 0;
    if (b != std::string::npos) {
        const char* first = s.data() + b + (s[b] == '+' ? 1 : 0);
        const char* last = s.data() + e + 1;
        auto [ptr, ec] = std::from_chars(first, last, v);
        if (ec == std::errc() && ptr == last && std::isfinite(v)) return v;
    }
    throw std::invalid_argument(std::string("Invalid ") + property + " value in NxChartComponent");
}

std::shared_ptr<Chartable> NxChartComponent::openSource(const std::string& name) {
    try {
        if (isUrl(name)) return std::make_shared<URLDataSource>(name);
        return std::make_shared<FileDataSource>(name);
    } catch (const std::exception& e) {
        std::cerr << "Cannot read data source " << name << ": " << e.what() << "\n";
        return nullptr;
    }
}

void NxChartComponent::setDataSources(const std::vector<std::string>& names) {
    bool batched = getIsBatched();
    setIsBatched(true);
    for (auto& name : names) {
        if (findDataView(name)) continue;
        auto v = host::create<ChartDataView>();
        v->setName(name);
        if (auto src = openSource(name)) v->setDataSource(src);
        // The view keeps the name it was given, whatever the source calls itself.
        v->setName(name);
        setDataView(getNumData(), v);
    }
    if (previousSources) {
        for (auto& old : *previousSources) {
            if (std::find(names.begin(), names.end(), old) != names.end()) continue;
            // Views 1 and 2 always stay.
            for (int i = getNumData() - 1; i >= 2; --i)
                if (getDataView(i)->getName() == old) removeDataView(i);
        }
    }
    previousSources = names;
    dataSources = names;
    setChanged(true);
    setIsBatched(batched);
}

void NxChartComponent::setDataView1(const std::string& name) {
    if (name.empty() || name == dataView1) return;
    if (auto src = openSource(name)) view(0).setDataSource(src);
    dataView1 = name;
}

void NxChartComponent::setDataView2(const std::string& name) {
    if (name.empty() || name == dataView2) return;
    if (auto src = openSource(name)) view(1).setDataSource(src);
    dataView2 = name;
}

}  // namespace norvex::chart
