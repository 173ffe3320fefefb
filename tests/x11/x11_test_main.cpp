#include "X11Session.h"
#include "support/LoopbackOnlyNetwork.h"
#include "support/OffscreenApplication.h"

#include <QAccessible>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <optional>

// The tests that need a real X server start their own (and the buses a screen reader uses) before
// the application is made. Only listing the tests needs none.
int main(int argc, char *argv[])
{
    keepTrafficOnThisMachine();
    bool listing = false;
    for (int i = 1; i < argc; ++i)
        listing = listing || std::strcmp(argv[i], "--gtest_list_tests") == 0;
    std::optional<X11Session> session;
    if (!listing) {
        session.emplace();
        if (!session->hasDisplay())
            std::fprintf(stderr, "X11 tests skipped: %s\n", qPrintable(session->whyNot()));
    }
    int result = 0;
    {
        OffscreenApplication app(argc, argv);
        // Qt's accessibility comes on once it has found the accessibility bus.
        if (session && session->hasAccessibilityBus())
            static_cast<void>(QTest::qWaitFor([] { return QAccessible::isActive(); }, 10000));
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    return result;
}
