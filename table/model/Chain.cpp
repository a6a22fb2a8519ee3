#include "table/model/Chain.h"

#include <algorithm>
#include <atomic>

namespace norvex::table {

namespace {
std::atomic<int> max_size{1000};
}

int Chain::getMaxSize() { return max_size.load(); }
void Chain::changeMaxSize(int m) { max_size.store(m); }

Chain::Chain(int size) {
    if (size >= getMaxSize()) {
        chain.emplace(size);
        positions.clear();
        return;
    }
    size = std::max(size, 0);
    values.assign(size_t(size), 0);
    positions.assign(size_t(size) + 1, 0);
    values_len = size;
}

Chain Chain::fromValues(const std::vector<int>& vals) {
    Chain c;
    if (int(vals.size()) >= getMaxSize()) {
        c.chain.emplace(vals);
        c.positions.clear();
        return c;
    }
    c.values = vals;
    c.values_len = int(vals.size());
    c.positions.assign(vals.size() + 1, 0);
    c.calcPositions(0);
    return c;
}

Chain Chain::filled(int n, int value) {
    Chain c;
    if (n > 0) c.setValue(0, n - 1, value);
    return c;
}

void Chain::toRunForm() {
    values.resize(size_t(values_len));
    chain.emplace(values);
    values = {};
    positions = {};
    values_len = 0;
}

int Chain::getValue(int pos) const {
    if (chain) return chain->getRunLen(pos);
    return pos >= 0 && pos < values_len ? values[size_t(pos)] : -1;
}

int64_t Chain::getPosition(int pos) const {
    if (chain) return chain->getRunSum(pos);
    return positions[size_t(std::clamp(pos, 0, values_len))];
}

int Chain::indexAt(int64_t pixel) const {
    if (chain) return chain->indexAt(pixel);
    if (pixel < 0 || pixel >= positions[size_t(values_len)]) return -1;
    auto end = positions.begin() + values_len + 1;
    return int(std::upper_bound(positions.begin(), end, pixel) - positions.begin()) - 1;
}

void Chain::calcPositions(int pos) {
    if (chain) return;
    pos = std::clamp(pos, 0, values_len);
    int64_t v = positions[size_t(pos)];
    for (int i = pos; i < values_len; ++i) {
        positions[size_t(i)] = v;
        v += values[size_t(i)];
    }
    positions[size_t(values_len)] = v;
}

void Chain::setSize(int size) {
    if (chain || size <= int(values.size())) return;
    // Geometric growth keeps repeated appends linear.
    const size_t cap = std::max<size_t>(size_t(size), values.size() + std::max<size_t>(INCR, values.size() / 2));
    values.resize(cap, 0);
    positions.resize(cap + 1, 0);
}

void Chain::setValue(int start, int end, int value) {
    if (!chain && end >= getMaxSize()) toRunForm();
    if (chain) {
        chain->setRunLen(start, end, value);
        return;
    }
    if (start < 0 || end < start || start > values_len) return;
    setSize(end + 1);
    std::fill(values.begin() + start, values.begin() + end + 1, value);
    values_len = std::max(values_len, end + 1);
    calcPositions(start);
}

bool Chain::remove(int start, int end) {
    if (chain) return chain->remove(start, end);
    if (start < 0 || end < start || end >= values_len) return false;
    values.erase(values.begin() + start, values.begin() + end + 1);
    positions.erase(positions.begin() + start + 1, positions.begin() + end + 2);
    values_len -= end - start + 1;
    calcPositions(start);
    return true;
}

bool Chain::move(int source, int num, int destination) {
    if (chain) return chain->move(source, num, destination);
    const int n = values_len;
    if (num < 1 || source < 0 || source > n - num || destination < 0 || destination > n) return false;
    if (destination >= source && destination <= source + num) return true;  // already in place
    auto first = values.begin();
    if (destination < source)
        std::rotate(first + destination, first + source, first + source + num);
    else
        std::rotate(first + source, first + source + num, first + destination);
    calcPositions(std::min(source, destination));
    return true;
}

bool Chain::insert(const Chain& new_chain, int pos) {
    if (pos < 0 || pos > size() || new_chain.size() == 0) return false;
    if (!chain && (new_chain.chain || values_len + new_chain.size() > getMaxSize())) toRunForm();
    if (chain) {
        if (new_chain.chain) return chain->insert(*new_chain.chain, pos);
        if (pos == chain->size()) {  // appending: no run array to rebuild
            for (int v : new_chain.getArray()) chain->append(v);
            return true;
        }
        return chain->insert(ChainUtil(new_chain.getArray()), pos);
    }
    const std::vector<int> added = new_chain.getArray();
    values.resize(size_t(values_len));
    values.insert(values.begin() + pos, added.begin(), added.end());
    values_len = int(values.size());
    positions.resize(size_t(values_len) + 1, 0);
    calcPositions(pos);
    return true;
}

void Chain::append(int value) {
    if (!chain && values_len + 1 > getMaxSize()) toRunForm();
    if (chain) {
        chain->append(value);
        return;
    }
    setSize(values_len + 1);
    values[size_t(values_len)] = value;
    positions[size_t(values_len) + 1] = positions[size_t(values_len)] + value;
    ++values_len;
}

std::vector<int> Chain::getArray() const {
    if (chain) return chain->getArray();
    return std::vector<int>(values.begin(), values.begin() + values_len);
}

}  // namespace norvex::table
