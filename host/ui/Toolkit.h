// The toolkit: screen facts, image loading, and the event queue with its
// dispatch thread. This build is headless; a screen backend plugs in through
// WindowBackend without changes to components.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "host/ui/AWTEvent.h"
#include "host/base/Geometry.h"

namespace host {

class Component;
class Image;
class URL;

// Runs tasks and dispatches events on one thread, in order.
class EventQueue {
public:
    EventQueue();
    ~EventQueue();

    // Dispatches the event to its source component on the dispatch thread; the
    // event is dropped when the component is gone by then.
    void postEvent(const std::shared_ptr<Component>& target, std::shared_ptr<AWTEvent> e);
    void invokeLater(std::function<void()> task);
    // Runs the task on the dispatch thread and waits for it (runs at once when called there).
    void invokeAndWait(std::function<void()> task);
    bool isDispatchThread() const;
    // Waits until every task posted so far has run.
    void waitUntilIdle();

private:
    void run();
    std::mutex mutex_;
    std::condition_variable cv_, idle_;
    std::deque<std::function<void()>> tasks_;
    bool busy_ = false;
    bool stop_ = false;
    std::thread thread_;
};

class Toolkit {
public:
    static Toolkit& getDefaultToolkit();

    Dimension getScreenSize() const;
    void setScreenSize(Dimension d);  // for tests and tools
    int getScreenResolution() const { return 72; }
    bool isHeadless() const { return true; }

    // Loads an image from a file path or URL text; a broken image on failure (never null).
    std::shared_ptr<Image> getImage(const std::string& fileOrUrl);
    std::shared_ptr<Image> getImage(const URL& url);

    EventQueue& getSystemEventQueue();
    void sync() {}
    void beep() {}

    // Milliseconds since the epoch (event time stamps).
    static int64_t currentTimeMillis();

private:
    Toolkit() = default;
    mutable std::mutex mutex_;
    Dimension screen_{1280, 1024};
    std::unique_ptr<EventQueue> queue_;
};

}  // namespace host
