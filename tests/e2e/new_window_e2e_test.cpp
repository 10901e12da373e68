// Under openbox with protection on: a window the window manager maps, at once or only after several
// ticks, is never asked about as a hidden task; one left unmapped is.
#include "e2e/running_torvane.h"
#include "support/x11_child.h"
#include "support/xvfb_server.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

TEST(NewWindowE2e, AWindowTheWindowManagerMapsIsNeverAskedAboutAsHidden) {
    XvfbServer server;
    Openbox openbox(server.display());
    platform::X11WindowSystem x(server.display());
    RunningTorvane torvane(server.display(), withSettings(firstStartSettings({26}))); // "Start Protection" on
    const auto asked = [&] {
        const auto all = x.topLevelWindows();
        return std::any_of(all.begin(), all.end(), [](const auto& w) { return w.visible && w.title == "Task Action"; });
    };
    // The caption grows its status at the first tick, after the settings started protection.
    ASSERT_TRUE(waitUntil([&] { return findWindowByPrefix(x, "Torvane  ").has_value(); }, 20000));

    for (const QString mapAfterMs : {"0", "600"}) {
        X11Child child(server.display(), {"--window", "--utf8", "New window " + mapAfterMs, "--map-after", mapAfterMs});
        // The grace for new windows and three ticks after it: bounds, not speed checks.
        EXPECT_FALSE(waitUntil(asked, 2500)) << "asked about a window mapped after " << mapAfterMs.toStdString();
    }
    X11Child hidden(server.display(), {"--window", "--utf8", "Window left unmapped", "--unmapped"});
    EXPECT_TRUE(waitUntil(asked, 10000));
}
