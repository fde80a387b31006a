#include "link/txqueue.h"
#include <sys/ioctl.h>
#include <termios.h>

int systemOutputQueue(const QSerialPort &port)
{
    int pending = 0;
    if (port.handle() < 0 || ::ioctl(port.handle(), TIOCOUTQ, &pending) != 0)
        return 0;
    return pending;
}
