#include "ombu/outliner/OutlinerTreeText.h"

#include <string_view>

#include "ombu/NxComponent.h"
#include "util/NxVector.h"

namespace norvex::ombu {

using host::Value;

namespace {

struct Line {
    int width;          // leading blanks
    std::string_view text;  // trimmed
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

Line split(const std::string& s) {
    size_t b = 0;
    while (b < s.size() && isBlank(s[b])) ++b;
    size_t e = s.size();
    while (e > b && (isBlank(s[e - 1]) || s[e - 1] == '\r' || s[e - 1] == '\n')) --e;
    return {int(b), std::string_view(s).substr(b, e - b)};
}

// Whether the text ends with the folder mark that is not escaped.
bool endsWithMark(std::string_view t) {
    std::string_view mark = OutlinerTreeText::FOLDER_MARK;
    if (t.size() < mark.size() || t.substr(t.size() - mark.size()) != mark) return false;
    return t.size() == mark.size() || t[t.size() - mark.size() - 1] != '\\';
}

std::string escapeCell(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        if (c == ',' || c == '\\') out += '\\';
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        out += c;
    }
    return out;
}

}  // namespace

Value OutlinerTreeText::readLabel(host::Component* comp, const std::string& text) {
    if (text.empty()) return {};
    auto conv = NxComponent::getConverter();
    auto cells = conv->toVector(comp, text, ',', true);
    if (!cells || cells->size() == 0) return {};
    std::vector<Value> values;
    for (const auto& cell : cells->elements()) {
        if (cell.isString()) {
            auto plain = conv->removeEscape(cell.toString());
            values.emplace_back(plain ? Value(*plain) : Value(std::string()));
        } else {
            values.push_back(cell);
        }
    }
    if (values.size() == 1) return values[0];
    return Value(std::make_shared<util::NxVector>(values));
}

NxOutlinerFolderNodePtr OutlinerTreeText::read(host::Component* comp, const std::vector<std::string>& text) {
    std::vector<Line> lines;
    lines.reserve(text.size());
    bool allIndented = true;
    for (const auto& s : text) {
        Line l = split(s);
        if (l.text.empty()) continue;  // blank lines carry nothing
        if (l.width == 0) allIndented = false;
        lines.push_back(l);
    }
    if (lines.empty()) return nullptr;

    auto labelOf = [&](std::string_view t) {
        if (endsWithMark(t)) {
            t.remove_suffix(std::string_view(FOLDER_MARK).size());
            while (!t.empty() && isBlank(t.back())) t.remove_suffix(1);
        }
        return readLabel(comp, std::string(t));
    };

    size_t first = 0;
    NxOutlinerFolderNodePtr root;
    if (allIndented) {
        root = host::create<NxOutlinerFolderNode>(Value());
        root->indent = -1;
    } else {
        root = host::create<NxOutlinerFolderNode>(labelOf(lines[0].text));
        root->indent = 0;
        first = 1;
    }

    // First pass: each line's parent (index into lines, -1 for the root) by a stack
    // of the lines still open, so that every line is pushed and popped once.
    size_t n = lines.size();
    std::vector<long> parentOf(n, -1);
    std::vector<char> hasChildren(n, 0);
    std::vector<size_t> open;
    for (size_t i = first; i < n; ++i) {
        while (!open.empty() && lines[open.back()].width >= lines[i].width) open.pop_back();
        if (!open.empty()) {
            parentOf[i] = long(open.back());
            hasChildren[open.back()] = 1;
        }
        open.push_back(i);
    }

    // Second pass: the nodes, in order, appended straight to their parents (new nodes
    // cannot form a cycle, so no ancestry check is needed).
    std::vector<NxOutlinerNode*> made(n, nullptr);
    for (size_t i = first; i < n; ++i) {
        NxOutlinerFolderNode* parent =
            parentOf[i] < 0 ? root.get() : static_cast<NxOutlinerFolderNode*>(made[size_t(parentOf[i])]);
        Value label = labelOf(lines[i].text);
        NxOutlinerNodePtr node;
        if (hasChildren[i] || endsWithMark(lines[i].text))
            node = host::create<NxOutlinerFolderNode>(label);
        else
            node = host::create<NxOutlinerNode>(label);
        node->indent = parent->indent + 1;
        node->parent = parent;
        parent->children.push_back(node);
        made[i] = node.get();
    }
    return root;
}

std::string OutlinerTreeText::writeLabel(const Value& label) {
    auto conv = NxComponent::getConverter();
    if (auto v = label.isObject() ? host::cast<util::NxVector>(label.asObject()) : nullptr) {
        std::string out;
        int count = v->size();
        for (int i = 0; i < count; ++i) {
            if (i) out += ',';
            Value cell = v->elementAt(i);
            if (!cell.isNull()) out += escapeCell(cell.isString() ? cell.toString() : conv->toString(cell));
        }
        return out;
    }
    if (label.isNull()) return {};
    return escapeCell(label.isString() ? label.toString() : conv->toString(label));
}

std::vector<std::string> OutlinerTreeText::write(const NxOutlinerNode* root) {
    std::vector<std::string> out;
    if (!root) return out;
    std::vector<std::pair<const NxOutlinerNode*, int>> work{{root, 0}};
    while (!work.empty()) {
        auto [node, depth] = work.back();
        work.pop_back();
        std::string line(size_t(depth), ' ');
        std::string label = writeLabel(node->getLabel());
        // An item whose text ends like the folder mark keeps it escaped.
        if (!node->isFolder() && endsWithMark(label)) label.insert(label.size() - std::string_view(FOLDER_MARK).size(), "\\");
        line += label;
        if (node->isFolder()) {
            const auto& children = static_cast<const NxOutlinerFolderNode*>(node)->getChildren();
            if (children.empty()) line += label.empty() ? FOLDER_MARK : std::string(" ") + FOLDER_MARK;
            for (size_t i = children.size(); i-- > 0;) work.emplace_back(children[i].get(), depth + 1);
        }
        out.push_back(std::move(line));
    }
    return out;
}

}  // namespace norvex::ombu
