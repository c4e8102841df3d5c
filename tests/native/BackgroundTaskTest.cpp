#include "document/BackgroundTask.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <thread>

TEST(BackgroundTask, WaitPassesOnWhatTheTaskThrew)
{
    CBackgroundTask task([] { throw std::runtime_error("read failed"); });
    EXPECT_THROW(task.Wait(), std::runtime_error);
}

TEST(BackgroundTask, TaskEndsBeforeTheObjectDoes)
{
    bool done = false;
    {
        CBackgroundTask task([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            done = true;
        });
    }
    EXPECT_TRUE(done);
}
