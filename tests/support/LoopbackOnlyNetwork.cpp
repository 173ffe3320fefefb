#include "support/LoopbackOnlyNetwork.h"

#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The announcer's variable (net/TableDiscovery.h), named here so this file needs no Qt.
constexpr const char *kAnnounceTo = "POKDENG_ANNOUNCE_TO";

std::string lastError(const char *what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

// A new network namespace has a loopback that is down.
std::string bringLoopbackUp()
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return lastError("socket");
    ifreq request {};
    std::strncpy(request.ifr_name, "lo", IFNAMSIZ - 1);
    std::string problem;
    if (::ioctl(fd, SIOCGIFFLAGS, &request) != 0)
        problem = lastError("SIOCGIFFLAGS lo");
    else {
        request.ifr_flags = static_cast<short>(request.ifr_flags | IFF_UP | IFF_RUNNING);
        if (::ioctl(fd, SIOCSIFFLAGS, &request) != 0)
            problem = lastError("SIOCSIFFLAGS lo");
    }
    ::close(fd);
    return problem;
}

} // namespace

LoopbackOnly keepTrafficOnThisMachine()
{
    LoopbackOnly result;
    if (::unshare(CLONE_NEWNET) != 0) {
        result.why = lastError("unshare(CLONE_NEWNET)");
    } else if (std::string problem = bringLoopbackUp(); !problem.empty()) {
        // A namespace with no working loopback would fail every socket test: say so, and let the
        // tests fail with that reason rather than quietly run somewhere else.
        result.why = problem;
    } else {
        result.ownNamespace = true;
        return result;
    }
    ::setenv(kAnnounceTo, "127.0.0.1", 1);
    std::fprintf(stderr,
                 "no network namespace of the test's own (%s): announcements go to 127.0.0.1\n",
                 result.why.c_str());
    return result;
}
