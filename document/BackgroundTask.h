#pragma once
// CBackgroundTask: work handed to the second processor. The task starts on a
// thread of its own while the caller goes on; Wait() joins it and passes on
// what it threw. The destructor joins too, so a task never outlives what it
// refers to. Where no thread can be started, or the memory to start one is
// not there, the task runs at once instead.
#include <exception>
#include <functional>
#include <memory>
#include <new>
#include <thread>

class CBackgroundTask {
public:
    explicit CBackgroundTask(std::function<void()> task);
    ~CBackgroundTask();
    CBackgroundTask(const CBackgroundTask&) = delete;
    CBackgroundTask& operator=(const CBackgroundTask&) = delete;

    // Returns when the task has ended; rethrows its exception, if any.
    void Wait();

private:
    void Run();

    std::function<void()> m_task;
    std::exception_ptr m_error;
    std::thread m_thread;
};

// Does part(half, first, last) for the items 0 to n - 1: part(0, 0, n / 2)
// here and part(1, n / 2, n) on a second thread when n reaches minimum,
// part(0, 0, n) alone otherwise, also when the second thread's task finds
// no memory to be set up in. Returns when every part has ended.
template <class Part>
void ForBothHalves(int n, int minimum, Part part)
{
    const int middle = n / 2;
    std::unique_ptr<CBackgroundTask> second;
    if (n >= minimum) {
        try {
            second.reset(new CBackgroundTask([&] { part(1, middle, n); }));
        } catch (const std::bad_alloc&) {
            // No second task: this thread does both halves.
        }
    }
    if (!second) {
        part(0, 0, n);
        return;
    }
    part(0, 0, middle);
    second->Wait();
}
