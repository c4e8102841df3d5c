#include "document/BackgroundTask.h"

#include <system_error>
#include <utility>

CBackgroundTask::CBackgroundTask(std::function<void()> task) : m_task(std::move(task))
{
    // Either failure comes before the thread starts.
    try {
        m_thread = std::thread(&CBackgroundTask::Run, this);
    } catch (const std::system_error&) {
        Run();
    } catch (const std::bad_alloc&) {
        Run();
    }
}

CBackgroundTask::~CBackgroundTask()
{
    if (m_thread.joinable())
        m_thread.join();
}

void CBackgroundTask::Run()
{
    try {
        m_task();
    } catch (...) {
        m_error = std::current_exception();
    }
}

void CBackgroundTask::Wait()
{
    if (m_thread.joinable())
        m_thread.join();
    if (m_error)
        std::rethrow_exception(std::exchange(m_error, nullptr));
}
