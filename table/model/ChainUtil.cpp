#include "table/model/ChainUtil.h"

#include <algorithm>

namespace norvex::table {

namespace {
constexpr int UNSET = -999;

int64_t runTotal(const Run& r) { return r.sum + int64_t(r.value) * r.length(); }
}  // namespace

ChainUtil::ChainUtil(int size) {
    if (size > 0) runs_.push_back(Run{0, UNSET, 0, size - 1});
}

ChainUtil::ChainUtil(const std::vector<int>& values) {
    for (int v : values) append(v);
    resetCache();
}

int ChainUtil::binarySearch(int pos) const {
    auto it = std::upper_bound(runs_.begin(), runs_.end(), pos, [](int p, const Run& r) { return p < r.start; });
    return std::max(0, int(it - runs_.begin()) - 1);
}

int ChainUtil::fetchIndex(int pos) const {
    const int n = int(runs_.size());
    if (pos <= runs_[0].end) return 0;
    if (pos >= runs_[n - 1].start) return n - 1;
    int found = -1;
    if (last_run_ >= 0 && last_run_ < n) {
        // Painting walks indices in order: try the cached run and its neighbours first.
        for (int k : {last_run_, last_run_ + 1, last_run_ - 1}) {
            if (k >= 0 && k < n && pos >= runs_[k].start && pos <= runs_[k].end) {
                found = k;
                break;
            }
        }
    }
    if (found < 0) found = binarySearch(pos);
    last_pos_ = pos;
    last_run_ = found;
    return found;
}

int ChainUtil::getRunLen(int pos) const {
    if (runs_.empty()) return -1;
    return runs_[fetchIndex(pos)].value;
}

int64_t ChainUtil::getRunSum(int pos) const {
    if (runs_.empty() || pos <= 0) return 0;
    if (pos >= size()) return getTotal();
    const Run& r = runs_[fetchIndex(pos)];
    return r.sum + int64_t(r.value) * (pos - r.start);
}

int64_t ChainUtil::getTotal() const { return runs_.empty() ? 0 : runTotal(runs_.back()); }

int ChainUtil::indexAt(int64_t pixel) const {
    if (runs_.empty() || pixel < 0 || pixel >= getTotal()) return -1;
    auto it = std::upper_bound(runs_.begin(), runs_.end(), pixel, [](int64_t p, const Run& r) { return p < r.sum; });
    const Run& r = *(it - 1);
    if (r.value <= 0) return r.start;
    return int(std::min<int64_t>(r.end, r.start + (pixel - r.sum) / r.value));
}

int ChainUtil::splitAt(int idx) {
    if (idx >= size()) return int(runs_.size());
    int k = fetchIndex(idx);
    if (runs_[k].start == idx) return k;
    Run right = runs_[k];
    right.start = idx;
    right.sum = runs_[k].sum + int64_t(runs_[k].value) * (idx - runs_[k].start);
    runs_[k].end = idx - 1;
    runs_.insert(runs_.begin() + k + 1, right);
    resetCache();
    return k + 1;
}

void ChainUtil::renumberFrom(int k) {
    for (int i = std::max(k, 0); i < int(runs_.size()); ++i) {
        Run& r = runs_[i];
        const int len = r.length();
        if (i == 0) {
            r.start = 0;
            r.sum = 0;
        } else {
            const Run& prev = runs_[i - 1];
            r.start = prev.end + 1;
            r.sum = runTotal(prev);
        }
        r.end = r.start + len - 1;
    }
}

void ChainUtil::mergeAt(int k) {
    if (k <= 0 || k >= int(runs_.size()) || runs_[k - 1].value != runs_[k].value) return;
    runs_[k - 1].end = runs_[k].end;
    runs_.erase(runs_.begin() + k);
}

void ChainUtil::setRunLen(int start, int end, int value) {
    const int len = size();
    if (start < 0 || end < start || start > len) return;
    if (end >= len) {
        // Grow the sequence; the new indices are overwritten just below.
        Run grown{getTotal(), value, len, end};
        runs_.push_back(grown);
        mergeAt(int(runs_.size()) - 1);
    }
    const int i = splitAt(start);
    const int j = splitAt(end + 1);
    runs_.erase(runs_.begin() + i, runs_.begin() + j);
    runs_.insert(runs_.begin() + i, Run{0, value, start, end});
    renumberFrom(i);
    mergeAt(i + 1);
    mergeAt(i);
    resetCache();
}

bool ChainUtil::remove(int start, int end, ChainUtil* scrap) {
    if (start < 0 || end < start || end >= size()) return false;
    const int i = splitAt(start);
    const int j = splitAt(end + 1);
    if (scrap) {
        scrap->runs_.assign(runs_.begin() + i, runs_.begin() + j);
        scrap->renumberFrom(0);
        scrap->resetCache();
    }
    runs_.erase(runs_.begin() + i, runs_.begin() + j);
    renumberFrom(i);
    mergeAt(i);
    resetCache();
    return true;
}

bool ChainUtil::insert(const ChainUtil& ins, int pos) {
    if (ins.runs_.empty() || pos < 0 || pos > size()) return false;
    const std::vector<Run> added = ins.runs_;  // a copy: ins may be this chain
    const int i = splitAt(pos);
    runs_.insert(runs_.begin() + i, added.begin(), added.end());
    renumberFrom(i);
    mergeAt(i + int(added.size()));
    mergeAt(i);
    resetCache();
    return true;
}

bool ChainUtil::move(int source, int num, int destination) {
    const int n = size();
    if (num < 1 || source < 0 || source > n - num || destination < 0 || destination > n) return false;
    if (destination >= source && destination <= source + num) return true;  // already in place
    if (destination > source) destination -= num;
    ChainUtil scrap;
    remove(source, source + num - 1, &scrap);
    insert(scrap, destination);
    return true;
}

void ChainUtil::append(int value) {
    if (runs_.empty()) {
        runs_.push_back(Run{0, value, 0, 0});
    } else if (runs_.back().value == value) {
        ++runs_.back().end;
    } else {
        const Run& last = runs_.back();
        runs_.push_back(Run{runTotal(last), value, last.end + 1, last.end + 1});
    }
    last_run_ = int(runs_.size()) - 1;
    last_pos_ = runs_.back().end;
}

std::vector<int> ChainUtil::getArray() const {
    std::vector<int> out;
    out.reserve(size_t(size()));
    for (const Run& r : runs_) out.insert(out.end(), size_t(r.length()), r.value);
    return out;
}

ChainUtil ChainUtil::clone() const {
    ChainUtil c;
    c.runs_ = runs_;
    return c;
}

}  // namespace norvex::table
