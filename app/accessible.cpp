#include "app/accessible.h"

#include "app/comboboxaccessible.h"
#include "app/timelineaccessible.h"
#include "app/timelineview.h"
#include "app/tpie.h"
#include "app/tpieaccessible.h"

#include <QComboBox>

namespace {
QAccessibleInterface *accessibleInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String("TPie"))
        return new TPieAccessible(static_cast<TPie *>(object));
    if (className == QLatin1String("TimelineView"))
        return new TimelineAccessible(static_cast<TimelineView *>(object));
    if (className == QLatin1String("QComboBox"))
        return new ComboBoxAccessible(static_cast<QComboBox *>(object));
    return nullptr;
}
} // namespace

void installAccessibleInterfaces()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleInterface);
        return true;
    }();
    Q_UNUSED(installed);
}
