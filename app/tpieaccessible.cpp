#include "app/tpieaccessible.h"

#include "app/tpie.h"

TPieAccessible::TPieAccessible(TPie *pie) : QAccessibleWidget(pie, QAccessible::Dial) {}

QString TPieAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Value && t != QAccessible::Description)
        return QAccessibleWidget::text(t);
    const auto *pie = static_cast<const TPie *>(widget());
    return QCoreApplication::translate("TForm1",
                                       "Start of sweep at %1 degrees, end of sweep at %2 degrees")
        .arg(pie->endAngle())
        .arg(pie->startAngle());
}
