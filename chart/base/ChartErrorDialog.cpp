#include "chart/base/ChartErrorDialog.h"

#include <iostream>
#include <mutex>

namespace norvex::chart {

namespace {

struct DialogState {
    std::mutex mutex;
    ChartErrorDialog::Display display;
    std::string last;
    int count = 0;
};

DialogState& state() {
    static DialogState s;
    return s;
}

// One line for the error stream: the rich-text line breaks become spaces.
std::string oneLine(const std::string& message) {
    static const std::string tag = "[NEWLINE]";
    std::string out;
    out.reserve(message.size());
    for (size_t i = 0; i < message.size();) {
        if (message.compare(i, tag.size(), tag) == 0) {
            out += ' ';
            i += tag.size();
            continue;
        }
        char c = message[i++];
        out += (c == '\n' || c == '\r') ? ' ' : c;
    }
    return out;
}

}  // namespace

void ChartErrorDialog::show(const std::string& message) {
    Display display;
    {
        std::lock_guard<std::mutex> lock(state().mutex);
        state().last = message;
        ++state().count;
        display = state().display;
    }
    if (display)
        display(message);
    else
        printLine(message);
}

void ChartErrorDialog::printLine(const std::string& message) { std::cerr << oneLine(message) << std::endl; }

void ChartErrorDialog::setDisplay(Display display) {
    std::lock_guard<std::mutex> lock(state().mutex);
    state().display = std::move(display);
}

std::string ChartErrorDialog::getLastMessage() {
    std::lock_guard<std::mutex> lock(state().mutex);
    return state().last;
}

int ChartErrorDialog::getMessageCount() {
    std::lock_guard<std::mutex> lock(state().mutex);
    return state().count;
}

void ChartErrorDialog::clear() {
    std::lock_guard<std::mutex> lock(state().mutex);
    state().last.clear();
    state().count = 0;
}

}  // namespace norvex::chart
