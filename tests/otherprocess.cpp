#include "tests/otherprocess.h"

QByteArray liveBytes(int servo, int position)
{
    const int wire = position + 1843;
    QByteArray bytes;
    bytes.append(char(0xFE)).append(char(servo)).append(char(wire & 0xFF)).append(char(wire >> 8));
    return bytes;
}
