#pragma once

// The angle of the pointer around the centre of the dial's box, in whole degrees counter-clockwise
// from 3 o'clock: the arc tangent in extended precision, times 57.2958 (a shade above 180/pi, so a
// diagonal may land a degree short), plus 90, truncated toward zero. Lies in -89 to 270.
int pointerAngle(int x, int y, int width, int height);
