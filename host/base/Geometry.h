// Small geometry value types of the toolkit.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace host {

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

struct Dimension {
    int width = 0, height = 0;
    bool operator==(const Dimension&) const = default;
};

struct Insets {
    int top = 0, left = 0, bottom = 0, right = 0;
    bool operator==(const Insets&) const = default;
};

struct Rectangle {
    int x = 0, y = 0, width = 0, height = 0;

    bool operator==(const Rectangle&) const = default;
    bool isEmpty() const { return width <= 0 || height <= 0; }
    // Classic containment: x <= px < x + width.
    bool contains(int px, int py) const {
        return width > 0 && height > 0 && px >= x && py >= y &&
               int64_t(px) < int64_t(x) + width && int64_t(py) < int64_t(y) + height;
    }
    bool intersects(const Rectangle& r) const { return !intersection(r).isEmpty(); }
    Rectangle intersection(const Rectangle& r) const {
        int64_t x1 = std::max<int64_t>(x, r.x), y1 = std::max<int64_t>(y, r.y);
        int64_t x2 = std::min<int64_t>(int64_t(x) + width, int64_t(r.x) + r.width);
        int64_t y2 = std::min<int64_t>(int64_t(y) + height, int64_t(r.y) + r.height);
        return {int(x1), int(y1), int(std::max<int64_t>(0, x2 - x1)), int(std::max<int64_t>(0, y2 - y1))};
    }
    Rectangle unionWith(const Rectangle& r) const {
        int x1 = std::min(x, r.x), y1 = std::min(y, r.y);
        int x2 = std::max(x + width, r.x + r.width), y2 = std::max(y + height, r.y + r.height);
        return {x1, y1, x2 - x1, y2 - y1};
    }
    void translate(int dx, int dy) { x += dx; y += dy; }
    void setBounds(int nx, int ny, int w, int h) { x = nx; y = ny; width = w; height = h; }
    std::string toString() const {
        return "Rectangle[x=" + std::to_string(x) + ",y=" + std::to_string(y) +
               ",width=" + std::to_string(width) + ",height=" + std::to_string(height) + "]";
    }
};

struct Polygon {
    std::vector<int> xpoints, ypoints;
    int npoints() const { return int(xpoints.size()); }
    void addPoint(int x, int y) { xpoints.push_back(x); ypoints.push_back(y); }
    Rectangle getBounds() const {
        if (xpoints.empty()) return {};
        auto [x0, x1] = std::minmax_element(xpoints.begin(), xpoints.end());
        auto [y0, y1] = std::minmax_element(ypoints.begin(), ypoints.end());
        return {*x0, *y0, *x1 - *x0, *y1 - *y0};
    }
};

}  // namespace host
