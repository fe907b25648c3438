#include "app/captionfit.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QVariant>

namespace {
// The smallest font a caption shrinks to, as a share of the layout's: still easily read.
constexpr double smallestShare = 0.8;
// Kept between a widened caption and its neighbour or its parent's edge.
constexpr int gap = 4;

int neededWidth(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control)) {
        const QMargins margins = label->contentsMargins();
        const QFontMetrics metrics = label->fontMetrics();
        // The ink may reach a pixel beyond the advance, at either end.
        const int text =
            std::max(metrics.horizontalAdvance(label->text()),
                     metrics.boundingRect(QRect(), int(label->alignment()), label->text()).width());
        return text + label->margin() * 2 + margins.left() + margins.right();
    }
    if (const auto *group = qobject_cast<const QGroupBox *>(control))
        return group->minimumSizeHint().width();
    return control->sizeHint().width();
}

// The other controls of the parent that share rows with `rows`: whatever is shown now or later.
QList<QRect> neighbours(const QWidget *control, const QRect &rows)
{
    QList<QRect> found;
    for (const QObject *o : control->parentWidget()->children()) {
        const auto *other = qobject_cast<const QWidget *>(o);
        if (!other || other == control || other->isWindow())
            continue;
        // Where it is now: a neighbour widened before keeps the room it took.
        const QRect place = other->geometry();
        if (place.top() <= rows.bottom() && place.bottom() >= rows.top())
            found << place;
    }
    return found;
}

// As wide as the row allows around `place`: to the right, and to both sides for a centred label.
QRect widened(const QWidget *control, const QRect &place, int needed)
{
    const QRect parent = control->parentWidget()->contentsRect();
    int left = parent.left() + gap, right = parent.right() - gap;
    for (const QRect &other : neighbours(control, place)) {
        if (other.left() > place.left())
            right = std::min(right, other.left() - gap);
        else if (other.right() < place.right())
            left = std::max(left, other.right() + gap);
    }
    right = std::max(right, place.right());
    const auto *label = qobject_cast<const QLabel *>(control);
    const bool centred = label && (label->alignment() & Qt::AlignHCenter);
    QRect wider = place;
    const int extra = needed - place.width();
    if (centred) {
        wider.setLeft(place.left() - std::min(extra / 2 + 1, std::max(0, place.left() - left)));
        wider.setRight(std::min(right, wider.left() + needed - 1));
        wider.setLeft(std::max(std::min(left, place.left()), wider.right() + 1 - needed));
    } else {
        wider.setRight(std::min(right, place.left() + needed - 1));
    }
    return wider;
}
} // namespace

void fitCaption(QWidget *control)
{
    // A caption that fits as laid out is left as it is, untouched.
    if (!control->property("layoutGeometry").isValid()) {
        if (neededWidth(control) <= control->width())
            return;
        control->setProperty("layoutGeometry", control->geometry());
        control->setProperty("layoutFont", control->font());
    }
    const QRect place = control->property("layoutGeometry").toRect();
    QFont font = control->property("layoutFont").value<QFont>();
    control->setFont(font);
    control->setGeometry(place);
    if (auto *label = qobject_cast<QLabel *>(control))
        label->setWordWrap(false);
    if (neededWidth(control) <= place.width())
        return;
    control->setGeometry(widened(control, place, neededWidth(control)));
    // A group's font is its controls' too.
    if (qobject_cast<QGroupBox *>(control))
        return;
    const int smallest = font.pixelSize() > 0 ? int(font.pixelSize() * smallestShare) : 0;
    while (neededWidth(control) > control->width() && font.pixelSize() > smallest) {
        font.setPixelSize(font.pixelSize() - 1);
        control->setFont(font);
        control->setGeometry(widened(control, place, neededWidth(control)));
    }
    auto *label = qobject_cast<QLabel *>(control);
    if (!label || neededWidth(control) <= control->width())
        return;
    // Two lines, where the row below is free.
    QRect twoLines = control->geometry();
    twoLines.setHeight(label->fontMetrics().lineSpacing() * 2);
    const QRect below(twoLines.left(), place.bottom() + 1, twoLines.width(),
                      twoLines.bottom() - place.bottom());
    if (neighbours(control, below).isEmpty() &&
        twoLines.bottom() <= control->parentWidget()->contentsRect().bottom()) {
        label->setWordWrap(true);
        control->setGeometry(twoLines);
    }
}

void fitCaptions(QWidget *area)
{
    for (QWidget *control : area->findChildren<QWidget *>())
        if (qobject_cast<QLabel *>(control) || qobject_cast<QAbstractButton *>(control) ||
            qobject_cast<QGroupBox *>(control))
            fitCaption(control);
}
