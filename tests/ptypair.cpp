#include "tests/ptypair.h"

QByteArray PtyPair::readAll(int quietMs)
{
    QByteArray data;
    for (;;) {
        const QByteArray more = read(1 << 20, quietMs);
        if (more.isEmpty())
            return data;
        data += more;
    }
}
