#include "util/NxRectUtil.h"

#include <algorithm>
#include <cstdlib>

#include "host/runtime/Vector.h"
#include "util/NxRectSort.h"
#include "util/Nxqsort.h"

namespace norvex::util {

namespace {

const host::Rectangle& rectOf(const host::Value& v) {
    static const host::Rectangle none;
    auto n = v.as<NxRectNode>();
    return n ? n->rect : none;
}

int64_t right(const host::Rectangle& r) { return int64_t(r.x) + r.width; }
int64_t bottom(const host::Rectangle& r) { return int64_t(r.y) + r.height; }

}  // namespace

bool NxRectSortLR::compare(const host::Value& a, const host::Value& b) { return rectOf(a).x > rectOf(b).x; }

bool NxRectSortTB::compare(const host::Value& a, const host::Value& b) { return rectOf(a).y > rectOf(b).y; }

void NxRectUtil::rl_init(const host::Rectangle& r, NxRectList& rl) {
    rl.clear();
    appendrect(r, rl);
}

void NxRectUtil::appendrect(const host::Rectangle& r, NxRectList& rl) {
    appendrectnode(std::make_shared<NxRectNode>(r), rl);
}

void NxRectUtil::appendrectnode(const NxRectNodePtr& node, NxRectList& rl) {
    if (!node) return;
    node->next = nullptr;
    if (!rl.head) {
        rl.head = node;
    } else {
        rl.tail->next = node;
    }
    rl.tail = node.get();
}

void NxRectUtil::rl_remove(const host::Rectangle& r, NxRectList& rl) {
    NxRectList out;
    for (NxRectNode* n = rl.head.get(); n; n = n->next.get()) appendremaining(n->rect, r, out);
    rl.head = std::move(out.head);
    rl.tail = out.tail;
}

void NxRectUtil::appendremaining(const host::Rectangle& r1, const host::Rectangle& r2, NxRectList& rl) {
    if (includesrect(r2, r1)) return;
    if (!r1.intersects(r2)) {
        appendrect(r1, rl);
        return;
    }
    // Work in 64 bits: the rectangles may lie anywhere in the 32-bit plane.
    int64_t nx = r1.x, ny = r1.y, nw = r1.width, nh = r1.height;
    auto add = [&rl](int64_t x, int64_t y, int64_t w, int64_t h) {
        appendrect(host::Rectangle{int(x), int(y), int(w), int(h)}, rl);
    };
    if (r2.y > ny) {
        add(nx, ny, nw, r2.y - ny);
        nh -= r2.y - ny;
        ny = r2.y;
    }
    if (ny + nh > bottom(r2)) {
        add(nx, bottom(r2), nw, ny + nh - bottom(r2));
        nh = bottom(r2) - ny;
    }
    if (r2.x > nx) {
        add(nx, ny, r2.x - nx, nh);
        nw -= r2.x - nx;
        nx = r2.x;
    }
    if (nx + nw > right(r2)) add(right(r2), ny, nx + nw - right(r2), nh);
}

bool NxRectUtil::includesrect(const host::Rectangle& r1, const host::Rectangle& r2) {
    return r2.x >= r1.x && r2.y >= r1.y && right(r2) <= right(r1) && bottom(r2) <= bottom(r1);
}

host::Rectangle NxRectUtil::bounding(const host::Rectangle& r1, const host::Rectangle& r2) {
    if (isnull(r1)) return r2;
    if (isnull(r2)) return r1;
    int64_t x1 = std::min(r1.x, r2.x), y1 = std::min(r1.y, r2.y);
    int64_t x2 = std::max(right(r1), right(r2)), y2 = std::max(bottom(r1), bottom(r2));
    return {int(x1), int(y1), int(x2 - x1), int(y2 - y1)};
}

void NxRectUtil::intersect(const host::Rectangle* r1, const host::Rectangle* r2, host::Rectangle* r3) {
    if (!r3) return;
    if (!r1 || !r2 || isnull(*r1) || isnull(*r2)) {
        *r3 = host::Rectangle{};
        return;
    }
    *r3 = r1->intersection(*r2);
}

bool NxRectUtil::isnull(const host::Rectangle& r) { return r.width == 0 || r.height == 0; }

void NxRectUtil::normalize(NxRectList& rl) {
    for (NxRectNode* n = rl.head.get(); n; n = n->next.get()) {
        host::Rectangle& r = n->rect;
        if (r.width < 0) {
            r.x = int(int64_t(r.x) + r.width);
            r.width = int(-int64_t(r.width));
        }
        if (r.height < 0) {
            r.y = int(int64_t(r.y) + r.height);
            r.height = int(-int64_t(r.height));
        }
    }
}

void NxRectUtil::sort(NxRectList& rl, int sortorder) {
    if (!rl.head) return;
    auto nodes = std::make_shared<host::Vector>();
    for (NxRectNodePtr n = rl.head; n; n = n->next) nodes->addElement(host::Value(n));
    std::shared_ptr<NxSortInterface> cmp;
    if (sortorder == SORT_TB) cmp = std::make_shared<NxRectSortTB>();
    else cmp = std::make_shared<NxRectSortLR>();
    Nxqsort(nodes, cmp).sort(0, Nxqsort::ASCENDING);
    std::vector<host::Value> sorted = nodes->elements();
    // Unlink first so that relinking never forms a cycle.
    for (const auto& v : sorted) v.as<NxRectNode>()->next = nullptr;
    rl.clear();
    for (const auto& v : sorted) appendrectnode(v.as<NxRectNode>(), rl);
}

std::vector<NxRectListPtr> NxRectUtil::make(NxRectList& rl) {
    std::vector<NxRectListPtr> bands;
    if (!rl.head) return bands;
    // Detach the nodes, then deal them into bands of equal y.
    std::vector<NxRectNodePtr> nodes;
    for (NxRectNodePtr n = rl.head; n; n = n->next) nodes.push_back(n);
    NxRectListPtr band;
    int bandY = 0;
    for (const auto& n : nodes) {
        if (!band || n->rect.y != bandY) {
            band = std::make_shared<NxRectList>();
            bands.push_back(band);
            bandY = n->rect.y;
        }
        appendrectnode(n, *band);
    }
    rl.clear();
    for (auto& b : bands) sort(*b, SORT_LR);
    bands.push_back(std::make_shared<NxRectList>());
    return bands;
}

host::Rectangle NxRectUtil::largest_rect(NxRectList& rl) {
    normalize(rl);
    sort(rl, SORT_TB);
    std::vector<NxRectListPtr> bands = make(rl);
    if (bands.empty() || !bands[0]->head) return host::Rectangle{};
    NxPointRect best(bands[0]->head->rect);
    for (std::size_t i = 0; i < bands.size(); ++i) {
        for (NxRectNode* n = bands[i]->head.get(); n; n = n->next.get()) {
            NxPointRect current(n->rect);
            search_lg_rect(bands, i, n, current, best);
        }
    }
    // Give the pieces back to the list, top to bottom and left to right.
    for (auto& b : bands) {
        std::vector<NxRectNodePtr> nodes;
        for (NxRectNodePtr n = b->head; n; n = n->next) nodes.push_back(n);
        b->clear();
        for (auto& n : nodes) appendrectnode(n, rl);
    }
    return best.toRectangle();
}

void NxRectUtil::search_lg_rect(const std::vector<NxRectListPtr>& bands, std::size_t i, NxRectNode* node,
                                NxPointRect& current, NxPointRect& best) {
    if (i >= bands.size() || !bands[i]->head) return;
    for (NxRectNode* m = node; m; m = m->next.get()) calc_lg_rect(NxPointRect(m->rect), current, best);
    for (std::size_t j = i + 1; j < bands.size() && bands[j]->head; ++j) {
        for (NxRectNode* m = bands[j]->head.get(); m; m = m->next.get()) {
            NxPointRect d = current;
            calc_lg_rect(NxPointRect(m->rect), d, best);
            search_lg_rect(bands, j, m, d, best);
        }
    }
}

void NxRectUtil::calc_lg_rect(const NxPointRect& r, NxPointRect& current, NxPointRect& best) {
    const NxPointRect& c = current;
    if (c == r) {
        if (c.metric() > best.metric()) best = current;
        return;
    }
    NxPointRect cand;
    if (std::llabs(c.y2 - r.y1) == 1) {
        cand = NxPointRect(std::max(r.x1, c.x1), c.y1, std::min(r.x2, c.x2), r.y2);
        if (cand.x2 < cand.x1) return;
    } else if (std::llabs(c.x2 - r.x1) == 1) {
        cand = NxPointRect(c.x1, std::max(r.y1, c.y1), r.x2, std::min(r.y2, c.y2));
        if (cand.y2 < cand.y1) return;
    } else {
        return;
    }
    current = cand;
    if (cand.metric() > best.metric()) best = cand;
}

}  // namespace norvex::util
