#include "chart/draw/PointEdit.h"

#include "chart/model/NxAxis.h"

namespace norvex::chart {

void PointEdit::start(std::optional<host::Point> previous, std::optional<host::Point> following) {
    prev = previous;
    next = following;
    pos.reset();
}

void PointEdit::show(std::optional<host::Point> own, int x, int y, bool inverted) {
    if (!pos) {
        if (!own) return;
        pos = inverted ? host::Point{x, own->y} : host::Point{own->x, y};
    } else if (inverted) {
        pos->x = x;
    } else {
        pos->y = y;
    }
}

std::optional<double> PointEdit::end(NxAxis& valueAxis, bool inverted) {
    if (!pos) return std::nullopt;
    double value = valueAxis.toData(inverted ? pos->x : pos->y);
    pos.reset();
    return value;
}

ChartFeedback PointEdit::feedback() const {
    ChartFeedback f;
    if (!pos) return f;
    if (prev) f.lines.emplace_back(*prev, *pos);
    if (next) f.lines.emplace_back(*next, *pos);
    return f;
}

}  // namespace norvex::chart
