#include "link/txqueue.h"
#include <windows.h>

int systemOutputQueue(const QSerialPort &port)
{
    COMSTAT status{};
    DWORD errors = 0;
    if (!ClearCommError(port.handle(), &errors, &status))
        return 0;
    return int(status.cbOutQue);
}
