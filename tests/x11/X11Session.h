#pragma once

#include <QString>
#include <QStringList>

#include <sys/types.h>

// A real X server of the test's own (Xvnc, which switches keyboard layouts where Xvfb does not),
// and beside it a private session bus with the accessibility bus, so that Qt's accessibility is
// on as under a screen reader. Made before the QApplication: it points this process at them
// (DISPLAY, the xcb platform, the buses). Everything it starts ends with it.
class X11Session
{
public:
    X11Session();
    ~X11Session();
    X11Session(const X11Session &) = delete;
    X11Session &operator=(const X11Session &) = delete;

    // Whether the X server runs; when not, why (a missing program, say).
    bool hasDisplay() const { return m_display >= 0; }
    bool hasAccessibilityBus() const { return m_accessibilityBus != 0; }
    const QString &whyNot() const { return m_whyNot; }

    // Runs a program such as setxkbmap or xdotool against the display; true when it succeeded.
    static bool run(const QString &program, const QStringList &arguments);

private:
    void startDisplay();
    void startAccessibilityBus();

    int m_display = -1;
    pid_t m_server = 0, m_sessionBus = 0, m_accessibilityBus = 0;
    QString m_whyNot;
    QString m_runtimeFolder;
};

// The session of this test program; null while only listing its tests.
X11Session *x11Session();

// Makes layout (an XKB layout such as "us" or "th") the display's keyboard and gives the
// application time to take in the new key map. Returns why it could not (no display, no
// setxkbmap), or an empty text; a test skips with that reason.
QString useKeyboardLayout(const char *layout);
