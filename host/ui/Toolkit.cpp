#include "host/ui/Toolkit.h"

#include <chrono>
#include <future>

#include "host/ui/Component.h"
#include "host/graphics/Image.h"
#include "host/runtime/URL.h"

namespace host {

EventQueue::EventQueue() : thread_([this] { run(); }) {}

EventQueue::~EventQueue() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    cv_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void EventQueue::run() {
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock lock(mutex_);
            cv_.wait(lock, [this] { return stop_ || !tasks_.empty(); });
            if (tasks_.empty()) {
                busy_ = false;
                idle_.notify_all();
                if (stop_) return;
                continue;
            }
            task = std::move(tasks_.front());
            tasks_.pop_front();
            busy_ = true;
        }
        try {
            task();
        } catch (const std::exception& e) {
            // An event handler's failure must not end the dispatch thread.
            std::fprintf(stderr, "Exception on the event thread: %s\n", e.what());
        }
        {
            std::lock_guard lock(mutex_);
            busy_ = false;
            if (tasks_.empty()) idle_.notify_all();
        }
    }
}

void EventQueue::postEvent(const std::shared_ptr<Component>& target, std::shared_ptr<AWTEvent> e) {
    std::weak_ptr<Component> weak = target;
    invokeLater([weak, e] {
        if (auto t = weak.lock()) t->dispatchEvent(*e);
    });
}

void EventQueue::invokeLater(std::function<void()> task) {
    {
        std::lock_guard lock(mutex_);
        if (stop_) return;
        tasks_.push_back(std::move(task));
    }
    cv_.notify_one();
}

void EventQueue::invokeAndWait(std::function<void()> task) {
    if (isDispatchThread()) {
        task();
        return;
    }
    std::promise<void> done;
    auto fut = done.get_future();
    invokeLater([&] {
        try {
            task();
        } catch (...) {
            done.set_exception(std::current_exception());
            return;
        }
        done.set_value();
    });
    fut.get();
}

bool EventQueue::isDispatchThread() const { return std::this_thread::get_id() == thread_.get_id(); }

void EventQueue::waitUntilIdle() {
    if (isDispatchThread()) return;
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return stop_ || (tasks_.empty() && !busy_); });
}

Toolkit& Toolkit::getDefaultToolkit() {
    static Toolkit toolkit;
    return toolkit;
}

Dimension Toolkit::getScreenSize() const {
    std::lock_guard lock(mutex_);
    return screen_;
}

void Toolkit::setScreenSize(Dimension d) {
    std::lock_guard lock(mutex_);
    screen_ = d;
}

std::shared_ptr<Image> Toolkit::getImage(const std::string& fileOrUrl) {
    try {
        return getImage(URL::hasScheme(fileOrUrl) ? URL(fileOrUrl) : URL::fromFile(fileOrUrl));
    } catch (const std::exception& e) {
        return Image::failed(std::string("Error loading image ") + fileOrUrl + ": " + e.what());
    }
}

std::shared_ptr<Image> Toolkit::getImage(const URL& url) {
    try {
        if (url.isFile()) return Image::load(url.toLocalPath());
        return Image::decode(url.openStream(), url.toString());
    } catch (const std::exception& e) {
        return Image::failed(std::string("Error loading image ") + url.toString() + ": " + e.what());
    }
}

EventQueue& Toolkit::getSystemEventQueue() {
    std::lock_guard lock(mutex_);
    if (!queue_) queue_ = std::make_unique<EventQueue>();
    return *queue_;
}

int64_t Toolkit::currentTimeMillis() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

}  // namespace host
