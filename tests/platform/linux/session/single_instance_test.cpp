#include "platform/linux/session/single_instance.h"

#include <gtest/gtest.h>

namespace {

TEST(SingleInstance, OneNamePerDisplay) {
    const std::pair<const char*, const char*> cases[] = {
        {":0", "a.B.Display_0"}, {":0.0", "a.B.Display_0"},           {":0.1", "a.B.Display_0"},
        {":1", "a.B.Display_1"}, {"host:10.0", "a.B.Displayhost_10"},
    };
    for (const auto& [display, name] : cases)
        EXPECT_EQ(platform::SingleInstance::busName("a.B", display), name) << display;
}

} // namespace
