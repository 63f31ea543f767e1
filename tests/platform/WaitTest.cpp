#include "platform/Wait.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

using namespace vela::platform;

TEST(Wait, TimersFireWhileWaitingAndTheConditionEndsTheWait)
{
    bool fired = false;
    QTimer::singleShot(20, [&] { fired = true; });
    EXPECT_TRUE(waitUntil([&] { return fired; }, 5000));
    EXPECT_FALSE(waitUntil([] { return false; }, 30));
}
