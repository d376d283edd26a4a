#include "standardstreams.h"

#ifndef _WIN32
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

void openClosedStandardStreams()
{
#ifndef _WIN32
    for (int descriptor = 0; descriptor <= 2; ++descriptor) {
        if (fcntl(descriptor, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lowest free descriptor: this one, as those below are open.
        const int opened = open("/dev/null", O_RDWR);
        if (opened != descriptor && opened != -1) {
            dup2(opened, descriptor);
            close(opened);
        }
    }
#endif
}
