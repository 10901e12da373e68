#include "support/x11_test_display.h"

#include <gtest/gtest.h>
#include <xcb/xcb.h>

using platform::X11WindowSystem;

namespace {

struct Expected {
    const char* name;
    QStringList arguments; // of one --window
    QString title;
    bool visible;
};

} // namespace

TEST(X11Enumeration, TitlesAndVisibilityOfEachKindOfWindow) {
    const QString longTitle = QString(300, QChar(u'x'));
    const std::vector<Expected> cases = {
        {"mapped UTF-8", {"--utf8", "Ünïcødé 標題 😀"}, QStringLiteral("Ünïcødé 標題 😀"), true},
        {"unmapped Latin-1", {"--latin1", "Café crème", "--unmapped"}, QStringLiteral("Café crème"), false},
        {"WM_NAME in UTF-8", {"--wm-name-utf8", "Ωmega"}, QStringLiteral("Ωmega"), true},
        {"compound text", {"--wm-name-ctext", "Fa\\e-A\\xe7ade"}, QStringLiteral("Façade"), true},
        // Other scripts as toolkits write them; read alike, two titles would match one kill list entry.
        {"Greek", {"--wm-name-ctext", "\\e-F\\xc5\\xeb\\xeb\\xe7\\xed\\xe9\\xea\\xdc"}, "Ελληνικά", true},
        {"Cyrillic", {"--wm-name-ctext", "\\e-L\\xc0\\xe3\\xe1\\xe1\\xda\\xd8\\xd9"}, "Русский", true},
        {"Japanese",
         {"--wm-name-ctext", "\\e$)B\\xc6\\xfc\\xcb\\xdc\\xb8\\xec\\xa5\\xbf\\xa1\\xbc"},
         "日本語ター",
         true},
        {"Japanese in GL", {"--wm-name-ctext", "\\e$(B\\x46\\x7c\\x4b\\x5c\\e(B!"}, "日本!", true},
        {"empty _NET_WM_NAME falls back", {"--utf8", "", "--latin1", "Fallback"}, QStringLiteral("Fallback"), true},
        {"_NET_WM_NAME wins", {"--utf8", "Net name", "--latin1", "Old name"}, QStringLiteral("Net name"), true},
        {"300 characters", {"--utf8", longTitle}, longTitle.left(256), true},
        {"no title", {}, QString(), true},
        {"unmapped without title", {"--unmapped"}, QString(), false},
        {"managed normal", {"--managed", "normal", "--utf8", "Framed"}, QStringLiteral("Framed"), true},
        {"managed iconic", {"--managed", "iconic", "--utf8", "Iconified"}, QStringLiteral("Iconified"), true},
        {"managed withdrawn", {"--managed", "withdrawn", "--latin1", "Gone away"}, QStringLiteral("Gone away"), false},
        {"client two levels down", {"--managed", "normal", "--deep", "--utf8", "Deep"}, QStringLiteral("Deep"), true},
        {"own WM_STATE iconic, unmapped", {"--wm-state", "iconic", "--unmapped", "--utf8", "Own"}, "Own", true},
        {"own WM_STATE withdrawn, mapped", {"--wm-state", "withdrawn", "--utf8", "Own2"}, "Own2", false},
    };
    QStringList arguments;
    for (const Expected& c : cases)
        arguments << "--window" << c.arguments;
    X11Child child = startChild(arguments);
    ASSERT_EQ(child.windows().size(), cases.size());

    X11WindowSystem windows(testDisplay().display());
    const auto all = windows.topLevelWindows();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        // Frames are never listed: the client inside them is.
        EXPECT_FALSE(child.windows()[i].top != child.windows()[i].client && findWindow(all, child.windows()[i].top));
        const auto found = findWindow(all, child.windows()[i].client);
        ASSERT_TRUE(found);
        EXPECT_EQ(found->title, cases[i].title);
        EXPECT_EQ(found->visible, cases[i].visible);
    }
}

TEST(X11Enumeration, CutNeverLeavesHalfASurrogatePair) {
    // 255 letters and an emoji: the 256th and 257th code units are one character.
    X11Child child = startChild({"--window", "--utf8", QString(255, u'a') + QStringLiteral("😀b")});
    X11WindowSystem windows(testDisplay().display());
    const auto found = findWindow(windows.topLevelWindows(), child.windows()[0].client);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->title, QString(255, u'a'));
}

TEST(X11Enumeration, TwoWindowsWithOneTitleAreTwoEntries) {
    X11Child child = startChild({"--window", "--utf8", "Twin", "--window", "--utf8", "Twin"});
    X11WindowSystem windows(testDisplay().display());
    const auto all = windows.topLevelWindows();
    const auto twins = std::count_if(all.begin(), all.end(), [](const auto& w) { return w.title == "Twin"; });
    EXPECT_EQ(twins, 2);
    EXPECT_TRUE(findWindow(all, child.windows()[0].client));
    EXPECT_TRUE(findWindow(all, child.windows()[1].client));
}

TEST(X11Enumeration, TopOfTheStackingOrderComesFirst) {
    X11Child child = startChild({"--window", "--utf8", "First", "--window", "--managed", "normal", "--utf8", "Second",
                                 "--window", "--utf8", "Third"});
    X11WindowSystem windows(testDisplay().display());
    auto positions = [&] {
        const auto all = windows.topLevelWindows();
        std::vector<std::ptrdiff_t> at;
        for (const auto& w : child.windows()) {
            const auto it =
                std::find_if(all.begin(), all.end(), [&](const auto& info) { return info.handle == w.client; });
            at.push_back(it == all.end() ? -1 : it - all.begin());
        }
        return at;
    };
    // A new window opens above its elder siblings.
    auto at = positions();
    ASSERT_GE(at[0], 0);
    EXPECT_LT(at[2], at[1]);
    EXPECT_LT(at[1], at[0]);

    // Raising the first (and then the framed second) puts it at the very top.
    for (std::size_t raised : {0u, 1u}) {
        xcb_connection_t* c = windows.connection();
        const std::uint32_t above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(c, child.windows()[raised].top, XCB_CONFIG_WINDOW_STACK_MODE, &above);
        xcb_flush(c);
        EXPECT_EQ(windows.topLevelWindows().front().handle, child.windows()[raised].client);
    }
}

TEST(X11Enumeration, WindowsOfAKilledClientDisappear) {
    X11WindowSystem windows(testDisplay().display());
    std::uint32_t handle = 0;
    {
        X11Child child = startChild({"--window", "--utf8", "Short-lived"});
        handle = child.windows()[0].client;
        ASSERT_TRUE(findWindow(windows.topLevelWindows(), handle));
    }
    EXPECT_TRUE(eventually([&] { return !findWindow(windows.topLevelWindows(), handle); }));
}
